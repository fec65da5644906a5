#include "DBGrid.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QStyledItemDelegate>
#include <QTimer>

namespace tk {

namespace {
const QString kBrowseIndicator = QStringLiteral("\u25B6");
const QString kInsertIndicator = QStringLiteral("I");
const QString kEditIndicator = QStringLiteral("E");
} // namespace

// The rows of the dataset as a table. Only the rows on screen are asked for, straight from the dataset's
// cursor; nothing is copied, so a few thousand rows cost nothing.
class DatasetTableModel : public QAbstractTableModel {
public:
    explicit DatasetTableModel(DBGrid* grid) : QAbstractTableModel(grid), grid_(grid) {}

    void setDataset(Dataset* dataset) {
        beginResetModel();
        dataset_ = dataset;
        resolve();
        endResetModel();
    }

    void setColumns(const QList<GridColumn>& columns) {
        beginResetModel();
        columns_ = columns;
        explicit_ = !columns.isEmpty();
        resolve();
        endResetModel();
    }

    // Re-reads the row count and the fields; returns the columns whose field appeared since the last time.
    QList<int> reset() {
        beginResetModel();
        QList<int> appeared = resolve();
        endResetModel();
        return appeared;
    }

    GridColumnStyle style(int column) const { return styles_.value(column); }
    void setStyle(int column, const GridColumnStyle& style) {
        if (styles_.size() <= column)
            styles_.resize(column + 1);
        styles_[column] = style;
    }
    QList<GridColumn>& columns() { return columns_; }
    const QList<GridColumn>& columns() const { return columns_; }
    Field* fieldAt(int column) const {
        return column >= 0 && column < int(fields_.size()) ? fields_[size_t(column)] : nullptr;
    }

    int currentRow() const {
        return dataset_ && dataset_->isActive() && rows_ > 0 ? dataset_->recNo() - 1 : -1;
    }

    bool editable(const QModelIndex& index) const {
        if (!index.isValid() || grid_->mode() != DBGrid::Mode::Edit || grid_->readOnlyGrid())
            return false;
        if (!dataset_ || !dataset_->isEditing() || index.row() != currentRow())
            return false;
        Field* f = fieldAt(index.column());
        return f && !f->readOnly();
    }

    void rowChanged(int row) {
        if (row >= 0 && row < rows_)
            Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
    }

    void indicatorChanged(int first, int second) {
        for (int row : {first, second})
            if (row >= 0 && row < rows_)
                Q_EMIT headerDataChanged(Qt::Vertical, row, row);
    }

    QString indicator(int row) const {
        if (row != currentRow())
            return {};
        switch (dataset_->state()) {
        case DatasetState::Insert:
            return kInsertIndicator;
        case DatasetState::Edit:
            return kEditIndicator;
        default:
            return kBrowseIndicator;
        }
    }

    QString cellText(int row, int column) const {
        Field* f = fieldAt(column);
        if (!f || row < 0 || row >= rows_ || row >= shownRows())
            return {};
        return dataset_->rowDisplayText(row + 1, *f);
    }

    // The dataset's rows together with a row being inserted, which recordCount leaves out.
    int shownRows() const {
        if (!dataset_ || !dataset_->isActive())
            return 0;
        return dataset_->recordCount() + (dataset_->state() == DatasetState::Insert ? 1 : 0);
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : rows_; }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(columns_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid())
            return {};
        // Called while painting: a failing value shows as an empty cell instead of leaving the event.
        try {
            switch (role) {
            case Qt::DisplayRole:
                return cellText(index.row(), index.column());
            case Qt::EditRole: {
                Field* f = fieldAt(index.column());
                if (f && index.row() == currentRow())
                    return f->text();
                return cellText(index.row(), index.column());
            }
            case Qt::TextAlignmentRole:
                return columns_[index.column()].alignment.toInt();
            case Qt::BackgroundRole: {
                const QColor c = style(index.column()).color;
                return c.isValid() ? QVariant(c) : QVariant();
            }
            case Qt::ForegroundRole: {
                const QColor c = style(index.column()).textColor;
                return c.isValid() ? QVariant(c) : QVariant();
            }
            case Qt::FontRole: {
                const GridColumnStyle st = style(index.column());
                return st.ownFont ? QVariant(st.font) : QVariant();
            }
            default:
                return {};
            }
        } catch (...) {
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Vertical) {
            if (role == Qt::DisplayRole)
                return indicator(section);
            if (role == Qt::TextAlignmentRole)
                return Qt::Alignment(Qt::AlignCenter).toInt();
            return {};
        }
        if (section < 0 || section >= columns_.size())
            return {};
        const GridColumn& c = columns_[section];
        if (role == Qt::DisplayRole) {
            if (!c.title.isEmpty())
                return c.title;
            Field* f = fieldAt(section);
            return f ? f->displayLabel() : c.fieldName;
        }
        if (role == Qt::TextAlignmentRole)
            return c.titleAlignment.toInt();
        return {};
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!index.isValid())
            return Qt::NoItemFlags;
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (editable(index))
            f |= Qt::ItemIsEditable;
        return f;
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (role != Qt::EditRole || !editable(index))
            return false;
        Field* f = fieldAt(index.column());
        return guard([&] { f->setText(value.toString()); });
    }

private:
    QList<int> resolve() {
        rows_ = shownRows();
        if (!explicit_) {
            columns_.clear();
            if (dataset_)
                for (const auto& f : dataset_->fields())
                    columns_.push_back(GridColumn{f->fieldName(),
                                                  {},
                                                  Qt::AlignLeft | Qt::AlignVCenter,
                                                  0,
                                                  Qt::AlignLeft | Qt::AlignVCenter,
                                                  true});
        }
        QList<int> appeared;
        std::vector<Field*> fields;
        for (int i = 0; i < columns_.size(); ++i) {
            Field* f = dataset_ ? dataset_->findField(columns_[i].fieldName) : nullptr;
            if (f && (size_t(i) >= fields_.size() || fields_[size_t(i)] != f))
                appeared << i;
            fields.push_back(f);
        }
        fields_ = std::move(fields);
        return appeared;
    }

    DBGrid* grid_;
    QPointer<Dataset> dataset_;
    QList<GridColumn> columns_;
    QList<GridColumnStyle> styles_;
    bool explicit_ = false;
    std::vector<Field*> fields_;
    int rows_ = 0;
};

// The in-place editor: a line edit with the field's edit mask. It writes into the field only what the user
// changed, so that leaving an untouched inserted row still cancels it.
class GridDelegate : public QStyledItemDelegate {
public:
    explicit GridDelegate(DBGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        if (Field* f = grid_->columnField(index.column())) {
            if (!f->editMask().isEmpty())
                editor->setInputMask(f->editMask().qtInputMask());
            else if (f->type() == FieldType::String && f->size() > 0)
                editor->setMaxLength(f->size());
        }
        editor->setAlignment(grid_->model_->columns()[index.column()].alignment);
        grid_->editor_ = editor;
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* e = qobject_cast<QLineEdit*>(editor);
        if (!e || e->isModified())
            return; // the user's typing is not overwritten
        load(e, index);
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        auto* e = qobject_cast<QLineEdit*>(editor);
        if (!e || !e->isModified())
            return;
        if (model->setData(index, editValue(e, index), Qt::EditRole))
            e->setModified(false);
    }

    QString editValue(QLineEdit* e, const QModelIndex& index) const {
        Field* f = grid_->columnField(index.column());
        if (f && !f->editMask().isEmpty())
            return f->editMask().value(e->displayText());
        return e->text();
    }

    void load(QLineEdit* e, const QModelIndex& index) const {
        Field* f = grid_->columnField(index.column());
        QString text;
        if (f && index.row() == grid_->model_->currentRow())
            text = f->editMask().isEmpty() ? f->text() : f->editMask().display(f->text());
        e->setText(text);
        e->setModified(false);
        if (!e->inputMask().isEmpty())
            e->setCursorPosition(0);
        else
            e->selectAll();
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* e = qobject_cast<QLineEdit*>(object);
        if (e && event->type() == QEvent::MouseButtonDblClick) {
            Q_EMIT grid_->cellDoubleClicked();
            return false;
        }
        if (e && event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            switch (key->key()) {
            case Qt::Key_Enter:
            case Qt::Key_Return:
                // The cell's value is taken and the grid (and whoever watches its keys) decides where to go.
                Q_EMIT commitData(e);
                QCoreApplication::sendEvent(grid_, event);
                return true;
            case Qt::Key_Escape:
                if (e->isModified()) {
                    e->setModified(false);
                    load(e, grid_->currentIndex());
                    return true;
                }
                QCoreApplication::sendEvent(grid_, event);
                return true;
            default:
                break;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    DBGrid* grid_;
};

namespace {
class NarrowTitles : public QProxyStyle {
public:
    explicit NarrowTitles(QObject* parent) { setParent(parent); }
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        if (metric == PM_HeaderMargin)
            return 1;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};
} // namespace

DBGrid::DBGrid(QWidget* parent)
    : QTableView(parent), model_(new DatasetTableModel(this)), delegate_(new GridDelegate(this)) {
    setModel(model_);
    setItemDelegate(delegate_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    setSortingEnabled(false);
    setTabKeyNavigation(true);

    QHeaderView* titles = horizontalHeader();
    titles->setSectionsClickable(true);
    titles->setHighlightSections(false);
    titles->setSectionsMovable(false);
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setStretchLastSection(false);
    // A column is as wide as it is given, and a narrow one keeps its title: the titles take little padding.
    titles->setMinimumSectionSize(1);
    titles->setStyle(new NarrowTitles(this)); // outlives the header
    connect(titles, &QHeaderView::sectionClicked, this, [this](int column) {
        if (mode_ == Mode::Browse)
            Q_EMIT titleClicked(column);
    });

    QHeaderView* indicator = verticalHeader();
    indicator->setSectionResizeMode(QHeaderView::Fixed);
    indicator->setDefaultAlignment(Qt::AlignCenter);
    indicator->setHighlightSections(false);
    updateRowHeight();
    applyMode();
}

DBGrid::~DBGrid() {
    for (const auto& c : connections_)
        disconnect(c);
}

void DBGrid::setDataSource(DataSource* source) {
    followDataSource(this, source_, source, &DBGrid::rebind);
}

void DBGrid::rebind() {
    for (const auto& c : connections_)
        disconnect(c);
    connections_.clear();
    dataset_ = source_ ? source_->dataset() : nullptr;
    dropEditor();
    model_->setDataset(dataset_);
    if (dataset_) {
        connections_ << connect(dataset_, &Dataset::rowsChanged, this, &DBGrid::onRowsChanged);
        connections_ << connect(dataset_, &Dataset::currentChanged, this, &DBGrid::onCurrentChanged);
        connections_ << connect(dataset_, &Dataset::stateChanged, this, &DBGrid::onStateChanged);
        connections_ << connect(dataset_, &Dataset::fieldChanged, this, &DBGrid::onFieldChanged);
        connections_ << connect(dataset_, &Dataset::updateRecordRequested, this, &DBGrid::writeEditor);
    }
    for (int i = 0; i < model_->columnCount(); ++i)
        applyWidth(i);
    applyColumns();
    syncFromDataset();
}

void DBGrid::setColumns(const QList<GridColumn>& columns) {
    dropEditor();
    model_->setColumns(columns);
    for (int i = 0; i < model_->columnCount(); ++i)
        applyWidth(i);
    applyColumns();
    syncFromDataset();
}

QList<GridColumn> DBGrid::columns() const {
    return model_->columns();
}

GridColumn& DBGrid::column(int index) {
    Q_ASSERT(index >= 0 && index < model_->columns().size());
    return model_->columns()[index];
}

int DBGrid::columnCount() const {
    return model_->columnCount();
}

Field* DBGrid::columnField(int index) const {
    return model_->fieldAt(index);
}

void DBGrid::setColumnStyle(int column, const GridColumnStyle& style) {
    model_->setStyle(column, style);
    viewport()->update();
}

GridColumnStyle DBGrid::columnStyle(int column) const {
    return model_->style(column);
}

void DBGrid::applyColumns() {
    const auto& cols = model_->columns();
    for (int i = 0; i < cols.size(); ++i) {
        setColumnHidden(i, !cols[i].visible);
        if (cols[i].width > 0)
            setColumnWidth(i, cols[i].width);
    }
    Q_EMIT model_->headerDataChanged(Qt::Horizontal, 0, std::max(0, int(cols.size()) - 1));
    viewport()->update();
}

void DBGrid::applyWidth(int column) {
    const auto& cols = model_->columns();
    if (column < 0 || column >= cols.size())
        return;
    const GridColumn& c = cols[column];
    if (c.width > 0) {
        setColumnWidth(column, c.width);
        return;
    }
    Field* f = model_->fieldAt(column);
    const int chars = f ? f->displayWidth() : 10;
    const int cell = fontMetrics().horizontalAdvance(QLatin1Char('0')) * std::max(chars, 1) + 8;
    const QString title = model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    const int head = horizontalHeader()->fontMetrics().horizontalAdvance(title) + 10;
    setColumnWidth(column, std::max(cell, head));
}

void DBGrid::setMode(Mode mode) {
    if (mode_ == mode)
        return;
    mode_ = mode;
    applyMode();
}

void DBGrid::setReadOnlyGrid(bool readOnly) {
    readOnly_ = readOnly;
    if (readOnly_)
        dropEditor();
    model_->rowChanged(model_->currentRow());
    scheduleEnsureEditor();
}

void DBGrid::applyMode() {
    if (mode_ == Mode::Browse) {
        dropEditor();
        setSelectionBehavior(QAbstractItemView::SelectRows);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
    } else {
        setSelectionBehavior(QAbstractItemView::SelectItems);
        setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::DoubleClicked |
                        QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed |
                        QAbstractItemView::AnyKeyPressed);
    }
    model_->rowChanged(model_->currentRow()); // editability depends on the mode
    syncFromDataset();
    ensureEditor();
}

void DBGrid::setSelectedIndex(int column) {
    if (column < 0 || column >= model_->columnCount())
        return;
    const int row = model_->currentRow();
    if (row >= 0 && row < model_->rowCount()) {
        // currentChanged reports the column change.
        const bool wasSyncing = syncing_;
        syncing_ = true;
        selectionModel()->setCurrentIndex(model_->index(row, column),
                                          mode_ == Mode::Browse ? QItemSelectionModel::ClearAndSelect |
                                                                      QItemSelectionModel::Rows
                                                                : QItemSelectionModel::ClearAndSelect);
        syncing_ = wasSyncing;
    }
    if (selectedColumn_ != column) {
        const int previous = selectedColumn_;
        selectedColumn_ = column;
        Q_EMIT selectedColumnChanged(previous, column);
    }
}

Field* DBGrid::selectedField() const {
    return model_->fieldAt(selectedColumn_);
}

QString DBGrid::cellText(int row, int column) const {
    return model_->cellText(row, column);
}

QString DBGrid::indicatorText(int row) const {
    return model_->headerData(row, Qt::Vertical, Qt::DisplayRole).toString();
}

void DBGrid::onRowsChanged() {
    dropEditor();
    const QList<int> appeared = model_->reset();
    for (int column : appeared)
        applyWidth(column);
    applyColumns();
    indicatorRow_ = model_->currentRow();
    syncFromDataset();
    scheduleEnsureEditor();
}

void DBGrid::onCurrentChanged() {
    const int row = model_->currentRow();
    model_->indicatorChanged(indicatorRow_, row);
    indicatorRow_ = row;
    syncFromDataset();
}

void DBGrid::onStateChanged() {
    const int row = model_->currentRow();
    model_->indicatorChanged(indicatorRow_, row);
    indicatorRow_ = row;
    model_->rowChanged(row);
    if (!dataset_ || !dataset_->isEditing()) {
        dropEditor();
    } else {
        scheduleEnsureEditor();
    }
}

void DBGrid::onFieldChanged() {
    model_->rowChanged(model_->currentRow());
}

void DBGrid::writeEditor() {
    // The dataset is about to post: the cell being typed in is written first; a value the field refuses
    // fails the post with the field's message.
    QLineEdit* e = editor_;
    if (!e || !e->isModified() || state() != QAbstractItemView::EditingState)
        return;
    const QModelIndex index = currentIndex();
    Field* f = model_->fieldAt(index.column());
    if (!f || !model_->editable(index))
        return;
    // Called inside the dataset's signal: a refused value is reported, never thrown through the emission.
    try {
        f->setText(delegate_->editValue(e, index));
        e->setModified(false);
    } catch (const DatabaseError& error) {
        dataset_->failUpdate(error.message());
    } catch (const Abort&) {
        dataset_->failUpdate(QStringLiteral("Hodnotu nelze zapsat."));
    }
}

void DBGrid::syncFromDataset() {
    const int row = model_->currentRow();
    const bool wasSyncing = syncing_;
    syncing_ = true;
    if (row < 0 || row >= model_->rowCount()) {
        selectionModel()->clear();
    } else {
        int column = selectedColumn_;
        if (column < 0 || column >= model_->columnCount() || isColumnHidden(column)) {
            column = 0;
            while (column < model_->columnCount() - 1 && isColumnHidden(column))
                ++column;
        }
        if (column < model_->columnCount()) {
            const auto command = mode_ == Mode::Browse
                                     ? QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows
                                     : QItemSelectionModel::ClearAndSelect;
            selectionModel()->setCurrentIndex(model_->index(row, column), command);
        }
    }
    syncing_ = wasSyncing;
}

void DBGrid::scheduleEnsureEditor() {
    if (mode_ != Mode::Edit || ensureQueued_)
        return;
    ensureQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        ensureQueued_ = false;
        ensureEditor();
    });
}

void DBGrid::ensureEditor() {
    if (mode_ != Mode::Edit || state() == QAbstractItemView::EditingState || !isVisible())
        return;
    const QModelIndex index = currentIndex();
    if (!model_->editable(index))
        return;
    // Opening an editor takes the focus; a grid that did not have it gives it back.
    QPointer<QWidget> focused = QApplication::focusWidget();
    const bool hadFocus = focused && (focused == this || isAncestorOf(focused));
    edit(index);
    if (focused && !hadFocus)
        focused->setFocus();
}

void DBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (current.isValid() && current.column() != selectedColumn_) {
        const int old = selectedColumn_;
        selectedColumn_ = current.column();
        Q_EMIT selectedColumnChanged(old, selectedColumn_);
    }
    if (syncing_ || !current.isValid() || !dataset_ || !dataset_->isActive())
        return;
    if (current.row() == dataset_->recNo() - 1)
        return;
    // The user moved to another row: the dataset follows (which may post or cancel the row being edited).
    QPointer<DBGrid> self(this);
    QPointer<Dataset> ds = dataset_;
    guard([&] {
        int target = current.row();
        // Leaving an untouched inserted row cancels it, and the rows below it move up by one.
        const int inserted = ds->state() == DatasetState::Insert ? ds->recNo() - 1 : -1;
        const bool dropsInserted = inserted >= 0 && !ds->isModified();
        ds->checkBrowseMode();
        if (dropsInserted && target > inserted)
            --target;
        if (ds)
            ds->setRecNo(target + 1);
    });
    if (!self)
        return;
    // Once the click is over, the selection shows the dataset's row: the same row, a row shifted by a
    // dropped insert, or the old row when the move was refused.
    QMetaObject::invokeMethod(this, &DBGrid::syncFromDataset, Qt::QueuedConnection);
}

void DBGrid::dropEditor() {
    // Closed without taking its text (the row has already been written or given up).
    QPointer<QLineEdit> editor = editor_;
    editor_ = nullptr;
    if (editor)
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void DBGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    if (editor == editor_)
        editor_ = nullptr;
    QTableView::closeEditor(editor, hint);
    scheduleEnsureEditor();
}

void DBGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    QTableView::mouseDoubleClickEvent(event);
    if (index.isValid())
        Q_EMIT cellDoubleClicked();
}

void DBGrid::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateRowHeight();
}

void DBGrid::showEvent(QShowEvent* event) {
    QTableView::showEvent(event);
    scheduleEnsureEditor();
}

void DBGrid::updateRowHeight() {
    QHeaderView* indicator = verticalHeader();
    indicator->setMinimumSectionSize(1);
    indicator->setDefaultSectionSize(fontMetrics().height() + 4);
    indicator->setFixedWidth(indicator->fontMetrics().horizontalAdvance(kBrowseIndicator) + 10);
}

} // namespace tk
