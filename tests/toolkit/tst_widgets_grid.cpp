#include "support/tk_TempSqlite.h"
#include "support/tk_TestEnv.h"
#include "toolkit/core/Dataset.h"
#include "toolkit/widgets/DBGrid.h"

#include <QElapsedTimer>
#include <QHeaderView>
#include <QSignalSpy>
#include <QtTest>

using namespace tk;

class TestWidgetsGrid : public QObject {
    Q_OBJECT

    std::unique_ptr<tktest::TempSqlite> db;
    std::unique_ptr<Dataset> ds;
    std::unique_ptr<DataSource> source;
    std::unique_ptr<QWidget> window;
    DBGrid* grid = nullptr;
    tktest::TestDialogs* dialogs = nullptr;

    QString name() { return ds->fieldByName(QStringLiteral("Nazev")).asString(); }
    QPoint cellCenter(int row, int column) {
        grid->scrollTo(grid->model()->index(row, column));
        return grid->visualRect(grid->model()->index(row, column)).center();
    }
    void clickCell(int row, int column) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCenter(row, column));
        QCoreApplication::processEvents();
    }
    void clickTitle(int column) {
        QHeaderView* h = grid->horizontalHeader();
        const QPoint p(h->sectionViewportPosition(column) + h->sectionSize(column) / 2, h->height() / 2);
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, p);
    }
    QList<QString> indicators() {
        QList<QString> out;
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            out << grid->indicatorText(r);
        return out;
    }

private Q_SLOTS:
    void init() {
        dialogs = &tktest::installTestEnvironment();
        db = std::make_unique<tktest::TempSqlite>();
        const std::vector<ColumnDef> columns{
            {QStringLiteral("ID"), QStringLiteral("int"), true, 1, {}},
            {QStringLiteral("Kod"), QStringLiteral("char(5)"), false, 0, {}},
            {QStringLiteral("Nazev"), QStringLiteral("varchar(30)"), false, 0, {}},
            {QStringLiteral("Pocet"), QStringLiteral("int"), false, 0, {}},
            {QStringLiteral("Hotovo"), QStringLiteral("bit"), false, 0, QStringLiteral("'0'")}};
        for (const QString& s : db->connection().dialect().createTable(QStringLiteral("Item"), columns))
            db->exec(s);
        const char* names[] = {"jedna", "dva", "tri", "ctyri", "pet"};
        for (int i = 0; i < 5; ++i)
            db->exec(QStringLiteral("insert into Item (Kod,Nazev,Pocet,Hotovo) values ('0000%1','%2',%1,%3)")
                         .arg(i + 1)
                         .arg(QLatin1String(names[i]))
                         .arg(i % 2));

        ds = std::make_unique<Dataset>(QStringLiteral("QItem"));
        ds->setConnection(&db->connection());
        ds->setSql(QStringLiteral("select * from Item order by ID"));
        ds->addField(QStringLiteral("ID"), FieldType::AutoInc);
        ds->addField(QStringLiteral("Kod"), FieldType::String, 5)
            .setFixedChar(true)
            .setEditMask(QStringLiteral("99999;0; "));
        ds->addField(QStringLiteral("Nazev"), FieldType::String, 30).setDisplayLabel(QStringLiteral("Název"));
        ds->addField(QStringLiteral("Pocet"), FieldType::Integer);
        ds->addField(QStringLiteral("Hotovo"), FieldType::Boolean).setDisplayValues(QStringLiteral("A;N"));
        ds->open();
        source = std::make_unique<DataSource>(QStringLiteral("DSItem"), ds.get());

        window = std::make_unique<QWidget>();
        window->resize(700, 300);
        grid = new DBGrid(window.get());
        grid->setObjectName(QStringLiteral("FoGrid"));
        grid->setGeometry(0, 0, 700, 300);
        grid->setColumns({
            {QStringLiteral("Kod"), QStringLiteral("Kód *"), Qt::AlignCenter, 60, Qt::AlignCenter, true},
            {QStringLiteral("Nazev"),
             {},
             Qt::AlignLeft | Qt::AlignVCenter,
             0,
             Qt::AlignLeft | Qt::AlignVCenter,
             true},
            {QStringLiteral("Pocet"), QStringLiteral("Počet"), Qt::AlignRight | Qt::AlignVCenter, 50,
             Qt::AlignRight | Qt::AlignVCenter, true},
            {QStringLiteral("Hotovo"), QStringLiteral("P"), Qt::AlignCenter, 15, Qt::AlignCenter, false},
            {QStringLiteral("ID"), QStringLiteral("ID"), Qt::AlignLeft | Qt::AlignVCenter, 40,
             Qt::AlignLeft | Qt::AlignVCenter, true},
        });
        grid->setDataSource(source.get());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup() {
        window.reset();
        source.reset();
        ds.reset();
        db.reset();
    }

    void showsTheRowsAndColumnsAsConfigured() {
        QAbstractItemModel* m = grid->model();
        QCOMPARE(m->rowCount(), 5);
        QCOMPARE(m->columnCount(), 5);
        QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Kód *"));
        QCOMPARE(m->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Název")); // the field's label
        QCOMPARE(m->headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignRight | Qt::AlignVCenter));
        QCOMPARE(m->data(m->index(0, 0), Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
        QCOMPARE(grid->cellText(1, 1), QStringLiteral("dva"));
        QCOMPARE(grid->cellText(1, 3), QStringLiteral("A"));
        QCOMPARE(grid->cellText(4, 0), QStringLiteral("00005"));
        QCOMPARE(grid->columnWidth(0), 60);
        QVERIFY(grid->columnWidth(1) > 60); // 30 characters wide
        QVERIFY(grid->isColumnHidden(3));
        QVERIFY(!grid->isColumnHidden(4));
        QCOMPARE(grid->selectedField()->fieldName(), QStringLiteral("Kod"));

        // Changed through column(): shown after applyColumns().
        grid->column(3).visible = true;
        grid->column(0).title = QStringLiteral("Kód");
        grid->applyColumns();
        QVERIFY(!grid->isColumnHidden(3));
        QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Kód"));
    }

    void withoutColumnsShowsEveryField() {
        DBGrid plain;
        plain.setDataSource(source.get());
        QCOMPARE(plain.columnCount(), 5);
        QCOMPARE(plain.model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Název"));
        QCOMPARE(plain.cellText(2, 2), QStringLiteral("tri"));
    }

    void followsTheCursorBothWays() {
        ds->setRecNo(3);
        QCOMPARE(grid->currentIndex().row(), 2);
        QVERIFY(grid->selectionModel()->isRowSelected(2, {})); // whole row in browse mode
        QCOMPARE(indicators(), (QList<QString>{{}, {}, QStringLiteral("\u25B6"), {}, {}}));

        clickCell(3, 1);
        QCOMPARE(ds->recNo(), 4);
        QCOMPARE(name(), QStringLiteral("ctyri"));
        QCOMPARE(indicators(), (QList<QString>{{}, {}, {}, QStringLiteral("\u25B6"), {}}));
        QVERIFY(grid->selectionModel()->isRowSelected(3, {}));

        QTest::keyClick(grid, Qt::Key_Down);
        QCOMPARE(name(), QStringLiteral("pet"));
        QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(ds->recNo(), 1);

        ds->last();
        QCOMPARE(grid->currentIndex().row(), 4);
        ds->requery();
        QCOMPARE(grid->currentIndex().row(), 4);
    }

    void theIndicatorShowsEditAndInsert() {
        ds->setRecNo(2);
        ds->edit();
        QCOMPARE(grid->indicatorText(1), QStringLiteral("E"));
        ds->cancel();
        ds->insert();
        // The row being inserted stands before the current one and is shown empty.
        QCOMPARE(grid->model()->rowCount(), 6);
        QCOMPARE(grid->indicatorText(1), QStringLiteral("I"));
        QCOMPARE(grid->cellText(1, 1), QString());
        QCOMPARE(grid->cellText(2, 1), QStringLiteral("dva"));
        QCOMPARE(grid->cellText(5, 1), QStringLiteral("pet"));
        ds->cancel();
        QCOMPARE(grid->model()->rowCount(), 5);
        QCOMPARE(grid->indicatorText(1), QStringLiteral("\u25B6"));
    }

    void titleClicksAreReportedOnlyInBrowseMode() {
        QSignalSpy titles(grid, &DBGrid::titleClicked);
        clickTitle(1);
        QCOMPARE(titles.count(), 1);
        QCOMPARE(titles.at(0).at(0).toInt(), 1);
        grid->setMode(DBGrid::Mode::Edit);
        clickTitle(2);
        QCOMPARE(titles.count(), 1);
        grid->setMode(DBGrid::Mode::Browse);
        clickTitle(2);
        QCOMPARE(titles.count(), 2);
        QCOMPARE(titles.at(1).at(0).toInt(), 2);
    }

    void cellsAreEditedInPlaceOnlyInEditModeWhileEditing() {
        ds->setRecNo(2);
        grid->setSelectedIndex(1);
        const QModelIndex cell = grid->model()->index(1, 1);
        // Browse mode: never editable, not even while the dataset edits.
        ds->edit();
        QVERIFY(!(grid->model()->flags(cell) & Qt::ItemIsEditable));
        ds->cancel();
        // Edit mode while browsing: nothing to edit, no editor.
        grid->setMode(DBGrid::Mode::Edit);
        QVERIFY(!(grid->model()->flags(cell) & Qt::ItemIsEditable));
        QTest::keyClicks(grid, QStringLiteral("x"));
        QCOMPARE(ds->state(), DatasetState::Browse); // typing does not start editing
        QVERIFY(!grid->cellEditor());

        ds->edit();
        QTRY_VERIFY(grid->cellEditor()); // the editor is shown at once
        QCOMPARE(grid->cellEditor()->text(), QStringLiteral("dva"));
        QVERIFY(!(grid->model()->flags(grid->model()->index(2, 1)) & Qt::ItemIsEditable)); // other rows
        grid->cellEditor()->selectAll();
        QTest::keyClicks(grid->cellEditor(), QStringLiteral("dvanact"));
        ds->post(); // the cell being typed in is written before the row
        QCOMPARE(name(), QStringLiteral("dvanact"));
        QCOMPARE(db->scalar(QStringLiteral("select Nazev from Item where ID=2")).toString(),
                 QStringLiteral("dvanact"));
        QTRY_VERIFY(!grid->cellEditor());
    }

    void aRefusedCellFailsThePostAndEveryReceiverStillRuns() {
        ds->setRecNo(2);
        grid->setMode(DBGrid::Mode::Edit);
        grid->setSelectedIndex(2); // Pocet, an integer
        int laterReceiver = 0;
        // Connected after the grid: runs only when the grid's slot returns normally.
        connect(ds.get(), &Dataset::updateRecordRequested, this, [&] { ++laterReceiver; });
        ds->edit();
        QTRY_VERIFY(grid->cellEditor());
        grid->cellEditor()->selectAll();
        QTest::keyClicks(grid->cellEditor(), QStringLiteral("abc"));
        QString failure;
        try {
            ds->post();
        } catch (const DatabaseError& e) {
            failure = e.message();
        }
        QCOMPARE(laterReceiver, 1);
        QCOMPARE(ds->state(), DatasetState::Edit);
        QString fieldMessage;
        try {
            ds->fieldByName(QStringLiteral("Pocet")).setText(QStringLiteral("abc"));
        } catch (const DatabaseError& e) {
            fieldMessage = e.message();
        }
        QVERIFY(!fieldMessage.isEmpty());
        QCOMPARE(failure, fieldMessage);
        QCOMPARE(db->scalar(QStringLiteral("select Pocet from Item where ID=2")).toInt(), 2);
        ds->cancel();
    }

    void tabMovesToTheNextCellAndWritesTheCell() {
        ds->setRecNo(2);
        grid->setMode(DBGrid::Mode::Edit);
        grid->setSelectedIndex(0);
        ds->edit();
        QTRY_VERIFY(grid->cellEditor());
        QCOMPARE(grid->cellEditor()->displayText(), QStringLiteral("00002"));
        grid->cellEditor()->setCursorPosition(0);
        QTest::keyClicks(grid->cellEditor(), QStringLiteral("12"));
        QTest::keyClick(grid->cellEditor(), Qt::Key_Tab);
        QCOMPARE(ds->fieldByName(QStringLiteral("Kod")).asString(), QStringLiteral("12002"));
        QCOMPARE(grid->selectedIndex(), 1);
        QTRY_VERIFY(grid->cellEditor());
        QCOMPARE(grid->cellEditor()->text(), QStringLiteral("dva"));
    }

    void keysTypedInTheCellEditorReachTheGridsWatchers() {
        // Windows watch the grid's keys (Enter moves to the next column, F7 opens a picker) also while a
        // cell is being edited.
        struct Watcher : QObject {
            QList<int> keys;
            bool eventFilter(QObject*, QEvent* e) override {
                if (e->type() == QEvent::KeyPress)
                    keys << static_cast<QKeyEvent*>(e)->key();
                return false;
            }
        } watcher;
        grid->installEventFilter(&watcher);
        grid->setMode(DBGrid::Mode::Edit);
        ds->setRecNo(2);
        grid->setSelectedIndex(1);
        ds->edit();
        QTRY_VERIFY(grid->cellEditor());
        grid->cellEditor()->selectAll();
        QTest::keyClicks(grid->cellEditor(), QStringLiteral("novy"));
        QTest::keyClick(grid->cellEditor(), Qt::Key_Return);
        QCOMPARE(name(), QStringLiteral("novy")); // Enter took the cell's text
        QTest::keyClick(grid->cellEditor(), Qt::Key_F7);
        QCOMPARE(watcher.keys, (QList<int>{Qt::Key_Return, Qt::Key_F7}));
        QCOMPARE(ds->state(), DatasetState::Edit);
    }

    void anUntouchedCellLeavesTheInsertedRowUnchanged() {
        grid->setMode(DBGrid::Mode::Edit);
        ds->setRecNo(2);
        ds->insert();
        QTRY_VERIFY(grid->cellEditor());
        QTest::keyClick(grid->cellEditor(), Qt::Key_Tab); // through a cell without typing
        QVERIFY(!ds->isModified());
        // Leaving the untouched row drops it; the click lands on the row that was clicked.
        clickCell(3, 1); // "tri" while the new row stands at 1
        QCOMPARE(ds->state(), DatasetState::Browse);
        QCOMPARE(ds->recordCount(), 5);
        QCOMPARE(name(), QStringLiteral("tri"));
        QTRY_COMPARE(grid->currentIndex().row(), 2);
    }

    void movingToAnotherRowPostsTheTypedCell() {
        grid->setMode(DBGrid::Mode::Edit);
        ds->setRecNo(2);
        grid->setSelectedIndex(1);
        ds->edit();
        QTRY_VERIFY(grid->cellEditor());
        grid->cellEditor()->selectAll();
        QTest::keyClicks(grid->cellEditor(), QStringLiteral("zmena"));
        clickCell(4, 1);
        QCOMPARE(ds->state(), DatasetState::Browse);
        QCOMPARE(name(), QStringLiteral("pet"));
        QCOMPARE(db->scalar(QStringLiteral("select Nazev from Item where ID=2")).toString(),
                 QStringLiteral("zmena"));
    }

    void aRefusedMoveKeepsTheGridOnTheDatasetsRow() {
        ds->setRecNo(2);
        ds->edit();
        ds->fieldByName(QStringLiteral("Nazev")).setAsString(QStringLiteral("zmena"));
        ds->beforePost = [](Dataset&) { tk::abort(); };
        clickCell(4, 1);
        QCOMPARE(ds->state(), DatasetState::Edit);
        QCOMPARE(ds->recNo(), 2);
        QTRY_COMPARE(grid->currentIndex().row(), 1);
        QVERIFY(grid->selectionModel()->isRowSelected(1, {}));
        QVERIFY(dialogs->shown().empty());
    }

    void selectedIndexIsTheCurrentColumn() {
        QSignalSpy columns(grid, &DBGrid::selectedColumnChanged);
        grid->setSelectedIndex(2);
        QCOMPARE(grid->selectedIndex(), 2);
        QCOMPARE(grid->selectedField()->fieldName(), QStringLiteral("Pocet"));
        QCOMPARE(grid->currentIndex().column(), 2);
        QCOMPARE(columns.count(), 1);
        QCOMPARE(columns.at(0).at(0).toInt(), 0);
        QCOMPARE(columns.at(0).at(1).toInt(), 2);
        ds->next(); // moving rows keeps the column
        QCOMPARE(grid->selectedIndex(), 2);
        QCOMPARE(columns.count(), 1);
        grid->setMode(DBGrid::Mode::Edit);
        clickCell(1, 4);
        QCOMPARE(grid->selectedIndex(), 4);
        QCOMPARE(columns.count(), 2);
    }

    void doubleClickOnACellIsReported() {
        QSignalSpy doubles(grid, &DBGrid::cellDoubleClicked);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cellCenter(2, 1));
        QCOMPARE(doubles.count(), 1);
        QCOMPARE(ds->recNo(), 3);
        // In edit mode the double click lands on the cell's editor and is reported as well.
        grid->setMode(DBGrid::Mode::Edit);
        ds->edit();
        QTRY_VERIFY(grid->cellEditor());
        QTest::mouseDClick(grid->cellEditor(), Qt::LeftButton);
        QCOMPARE(doubles.count(), 2);
    }

    void aDatasetOfThousandsOfRowsStaysQuick() {
        db->connection().inTransaction([&] {
            for (int i = 0; i < 5000; ++i)
                db->exec(
                    QStringLiteral("insert into Item (Kod,Nazev,Pocet) values ('x','row %1',%1)").arg(i));
        });
        QElapsedTimer timer;
        timer.start();
        ds->requery();
        for (int i = 0; i < 200; ++i)
            ds->next();
        ds->last();
        QCoreApplication::processEvents();
        ds->requery();
        QCoreApplication::processEvents();
        QCOMPARE(grid->model()->rowCount(), 5005);
        QCOMPARE(grid->currentIndex().row(), 5004);
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QStringLiteral("%1 ms").arg(timer.elapsed())));
    }
};

QTEST_MAIN(TestWidgetsGrid)
#include "tst_widgets_grid.moc"
