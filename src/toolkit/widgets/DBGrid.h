#pragma once

#include "DataSource.h"

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

class DatasetTableModel;

// A grid over a data source: one line per row, the current row marked in the indicator column (a
// triangle while browsing, "I" while inserting, "E" while editing). In browse mode whole rows are selected
// and title clicks are reported; in edit mode cells are edited in place (only while the dataset is in edit
// or insert state) and title clicks do nothing.
class DBGrid : public QTableView {
    Q_OBJECT
public:
    enum class Mode { Browse, Edit };

    explicit DBGrid(QWidget* parent = nullptr);
    ~DBGrid() override;
    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return source_; }
    void setColumns(const QList<GridColumn>& columns);
    QList<GridColumn> columns() const;
    GridColumn& column(int index);
    int columnCount() const;

    void setMode(Mode mode);
    Mode mode() const { return mode_; }
    void setReadOnlyGrid(bool readOnly) { readOnly_ = readOnly; }

    int selectedIndex() const; // the selected column
    void setSelectedIndex(int column);
    Field* selectedField() const;

Q_SIGNALS:
    void titleClicked(int column);
    void cellDoubleClicked();
    void selectedColumnChanged(int previous, int current);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void syncFromDataset();
    QPointer<DataSource> source_;
    DatasetTableModel* model_;
    Mode mode_ = Mode::Browse;
    bool readOnly_ = false;
    bool syncing_ = false;
};

} // namespace tk
