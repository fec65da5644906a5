#pragma once

#include "toolkit/core/DataSource.h"

#include <QColor>
#include <QFont>
#include <QLineEdit>
#include <QPointer>
#include <QTableView>

namespace tk {

struct GridColumn {
    QString fieldName;
    QString title; // empty: the field's display label
    Qt::Alignment titleAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    int width = 0; // pixels; 0: from the field's display width
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool visible = true;
};

// How a column's cells look beyond the grid's own palette and font.
struct GridColumnStyle {
    QColor color;     // cell background; invalid: the grid's own
    QColor textColor; // invalid: the grid's own
    QFont font;       // used when ownFont is set
    bool ownFont = false;
};

class DatasetTableModel;
class GridDelegate;

// A grid over a data source: one line per row, the current row marked in the indicator column (a
// triangle while browsing, "I" while inserting, "E" while editing). In browse mode whole rows are selected
// and title clicks are reported; in edit mode cells are edited in place (only while the dataset is in edit
// or insert state) and title clicks do nothing. Without columns of its own the grid shows every field.
class DBGrid : public QTableView {
    Q_OBJECT
public:
    enum class Mode { Browse, Edit };

    explicit DBGrid(QWidget* parent = nullptr);
    ~DBGrid() override;
    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return source_; }
    Dataset* dataset() const { return dataset_; }
    void setColumns(const QList<GridColumn>& columns);
    QList<GridColumn> columns() const;
    GridColumn& column(int index);
    int columnCount() const;
    // The look of a column's cells; repainted at once.
    void setColumnStyle(int column, const GridColumnStyle& style);
    GridColumnStyle columnStyle(int column) const;
    // Shows changes made through column(): titles, alignments, widths, visibility.
    void applyColumns();
    Field* columnField(int index) const;

    void setMode(Mode mode);
    Mode mode() const { return mode_; }
    void setReadOnlyGrid(bool readOnly);
    bool readOnlyGrid() const { return readOnly_; }

    int selectedIndex() const { return selectedColumn_; } // the selected column
    void setSelectedIndex(int column);
    Field* selectedField() const;

    // The text a cell shows; row and column count from 0 like the view's.
    QString cellText(int row, int column) const;
    // The indicator of a row: "▶", "I", "E" or empty.
    QString indicatorText(int row) const;
    // The in-place editor while one is open.
    QLineEdit* cellEditor() const { return editor_; }

Q_SIGNALS:
    void titleClicked(int column);
    void cellDoubleClicked();
    void selectedColumnChanged(int previous, int current);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    friend class GridDelegate;
    void rebind();
    void onRowsChanged();
    void onCurrentChanged();
    void onStateChanged();
    void onFieldChanged();
    void writeEditor();
    void dropEditor();
    void syncFromDataset();
    void applyMode();
    void ensureEditor();
    void scheduleEnsureEditor();
    void applyWidth(int column);
    void updateRowHeight();
    QPointer<DataSource> source_;
    QPointer<Dataset> dataset_;
    DatasetTableModel* model_;
    GridDelegate* delegate_;
    QPointer<QLineEdit> editor_;
    Mode mode_ = Mode::Browse;
    bool readOnly_ = false;
    bool syncing_ = false;
    bool ensureQueued_ = false;
    int selectedColumn_ = 0;
    int indicatorRow_ = -1;
    QList<QMetaObject::Connection> connections_;
};

} // namespace tk
