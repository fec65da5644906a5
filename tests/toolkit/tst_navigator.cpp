#include "support/tk_TempSqlite.h"
#include "support/tk_TestEnv.h"
#include "toolkit/core/Dataset.h"
#include "toolkit/widgets/DBNavigator.h"

#include <QSignalSpy>
#include <QtTest>

using namespace tk;
using Nav = DBNavigator;

Q_DECLARE_METATYPE(QList<tk::DBNavigator::Button>)

class TestNavigator : public QObject {
    Q_OBJECT

    std::unique_ptr<tktest::TempSqlite> db;
    std::unique_ptr<Dataset> ds;
    std::unique_ptr<DataSource> source;
    std::unique_ptr<QWidget> window;
    DBNavigator* nav = nullptr;
    QList<Nav::Button> clicked;
    tktest::TestDialogs* dialogs = nullptr;

    int countInDb() { return db->scalar(QStringLiteral("select count(*) from Item")).toInt(); }
    QString name() { return ds->fieldByName(QStringLiteral("Nazev")).asString(); }

    QList<bool> enabledStates() {
        QList<bool> out;
        for (int i = 0; i < Nav::ButtonCount; ++i)
            out << nav->button(Nav::Button(i))->isEnabled();
        return out;
    }

private Q_SLOTS:
    void init() {
        dialogs = &tktest::installTestEnvironment();
        db = std::make_unique<tktest::TempSqlite>();
        const std::vector<ColumnDef> columns{
            {QStringLiteral("ID"), QStringLiteral("int"), true, 1, {}},
            {QStringLiteral("Nazev"), QStringLiteral("varchar(20)"), false, 0, {}}};
        for (const QString& s : db->connection().dialect().createTable(QStringLiteral("Item"), columns))
            db->exec(s);
        db->exec(QStringLiteral("create unique index IxNazev on Item (Nazev)"));
        for (const char* n : {"jedna", "dva", "tri"})
            db->exec(QStringLiteral("insert into Item (Nazev) values ('%1')").arg(QLatin1String(n)));

        ds = std::make_unique<Dataset>(QStringLiteral("QItem"));
        ds->setConnection(&db->connection());
        ds->setSql(QStringLiteral("select * from Item order by ID"));
        ds->addField(QStringLiteral("ID"), FieldType::AutoInc);
        ds->addField(QStringLiteral("Nazev"), FieldType::String, 20);
        ds->open();
        source = std::make_unique<DataSource>(QStringLiteral("DSItem"), ds.get());

        window = std::make_unique<QWidget>();
        nav = new DBNavigator(window.get());
        nav->setObjectName(QStringLiteral("Navigator"));
        nav->setGeometry(0, 0, 300, 25);
        nav->setDataSource(source.get());
        clicked.clear();
        nav->onClick = [this](Nav::Button b) { clicked << b; };
        window->resize(320, 40);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup() {
        window.reset();
        source.reset();
        ds.reset();
        db.reset();
    }

    void showsExactlyTheChosenButtonsSharingTheWidth_data() {
        QTest::addColumn<QList<Nav::Button>>("chosen");
        QTest::addColumn<int>("width");
        QTest::newRow("all ten") << QList<Nav::Button>{Nav::First,  Nav::Prior,  Nav::Next, Nav::Last,
                                                       Nav::Insert, Nav::Delete, Nav::Edit, Nav::Post,
                                                       Nav::Cancel, Nav::Refresh}
                                 << 300;
        QTest::newRow("moving and refresh")
            << QList<Nav::Button>{Nav::First, Nav::Prior, Nav::Next, Nav::Last, Nav::Refresh} << 150;
        QTest::newRow("moving, delete, refresh")
            << QList<Nav::Button>{Nav::First, Nav::Prior, Nav::Next, Nav::Last, Nav::Delete, Nav::Refresh}
            << 180;
        QTest::newRow("edit, post, cancel") << QList<Nav::Button>{Nav::Edit, Nav::Post, Nav::Cancel} << 64;
        QTest::newRow("post and cancel only") << QList<Nav::Button>{Nav::Post, Nav::Cancel} << 64;
    }

    void showsExactlyTheChosenButtonsSharingTheWidth() {
        QFETCH(QList<Nav::Button>, chosen);
        QFETCH(int, width);
        // Start from a different set, as windows switch layouts at run time.
        nav->setVisibleButtons({Nav::Insert, Nav::Refresh});
        nav->setVisibleButtons(chosen);
        nav->resize(width, 30);
        QCOMPARE(nav->visibleButtons(), chosen);
        const int each = width / int(chosen.size());
        int x = 0;
        for (int i = 0; i < Nav::ButtonCount; ++i) {
            QToolButton* b = nav->button(Nav::Button(i));
            QCOMPARE(b->objectName(), QStringLiteral("Navigator_") + Nav::buttonName(Nav::Button(i)));
            QCOMPARE(b->isVisible(), chosen.contains(Nav::Button(i)));
            if (!b->isVisible())
                continue;
            // In button order, side by side, each the same share of the width.
            QCOMPARE(b->geometry(), QRect(x, 0, each, 30));
            x += each;
        }
    }

    void hintsBecomeTooltipsInButtonOrder() {
        QStringList hints;
        for (int i = 0; i < Nav::ButtonCount; ++i)
            hints << QStringLiteral("hint %1").arg(i);
        nav->setHints(hints);
        QCOMPARE(nav->button(Nav::First)->toolTip(), QStringLiteral("hint 0"));
        QCOMPARE(nav->button(Nav::Refresh)->toolTip(), QStringLiteral("hint 9"));
    }

    void buttonsFollowStateAndPosition() {
        using L = QList<bool>;
        //            First  Prior  Next   Last   Insert Delete Edit   Post   Cancel Refresh
        QCOMPARE(enabledStates(), (L{false, false, true, true, true, true, true, false, false, true}));
        nav->click(Nav::Last);
        QCOMPARE(enabledStates(), (L{true, true, false, false, true, true, true, false, false, true}));
        nav->click(Nav::Prior);
        QCOMPARE(enabledStates(), (L{true, true, true, true, true, true, true, false, false, true}));
        nav->click(Nav::Edit);
        QCOMPARE(enabledStates(), (L{true, true, true, true, false, false, false, true, true, false}));
        nav->click(Nav::Cancel);
        nav->click(Nav::Insert);
        QCOMPARE(ds->state(), DatasetState::Insert);
        QCOMPARE(enabledStates().mid(4), (L{false, false, false, true, true, false}));
        nav->click(Nav::Cancel);

        db->exec(QStringLiteral("delete from Item"));
        nav->click(Nav::Refresh);
        QVERIFY(ds->isEmpty());
        QCOMPARE(enabledStates(), (L{false, false, false, false, true, false, false, false, false, true}));

        ds->close();
        QCOMPARE(enabledStates(), L(Nav::ButtonCount, false));
    }

    void aMouseClickPerformsTheActionThenOnClick() {
        nav->setVisibleButtons({Nav::First, Nav::Prior, Nav::Next, Nav::Last});
        QTest::mouseClick(nav->button(Nav::Next), Qt::LeftButton);
        QCOMPARE(ds->recNo(), 2);
        QTest::mouseClick(nav->button(Nav::Last), Qt::LeftButton);
        QCOMPARE(ds->recNo(), 3);
        QCOMPARE(clicked, (QList<Nav::Button>{Nav::Next, Nav::Last}));
    }

    void hiddenOrDisabledButtonsDoNothing() {
        nav->setVisibleButtons({Nav::First, Nav::Prior, Nav::Next, Nav::Last, Nav::Refresh});
        nav->click(Nav::Insert); // hidden
        nav->click(Nav::Edit);   // hidden
        nav->click(Nav::Prior);  // disabled at the first row
        QCOMPARE(ds->state(), DatasetState::Browse);
        QCOMPARE(ds->recNo(), 1);
        QVERIFY(clicked.isEmpty());
    }

    void editAndPostThroughTheButtons() {
        nav->click(Nav::Next);
        nav->click(Nav::Edit);
        ds->fieldByName(QStringLiteral("Nazev")).setAsString(QStringLiteral("dvaa"));
        nav->click(Nav::Post);
        QCOMPARE(ds->state(), DatasetState::Browse);
        QCOMPARE(db->scalar(QStringLiteral("select Nazev from Item where ID=2")).toString(),
                 QStringLiteral("dvaa"));
        nav->click(Nav::Insert);
        ds->fieldByName(QStringLiteral("Nazev")).setAsString(QStringLiteral("nova"));
        nav->click(Nav::Post);
        QCOMPARE(countInDb(), 4);
        QCOMPARE(clicked, (QList<Nav::Button>{Nav::Next, Nav::Edit, Nav::Post, Nav::Insert, Nav::Post}));
        QVERIFY(dialogs->shown().empty());
    }

    void refreshReadsAgainAndKeepsTheRow() {
        nav->click(Nav::Next); // "dva"
        db->exec(QStringLiteral("insert into Item (Nazev) values ('ctyri')"));
        db->exec(QStringLiteral("update Item set Nazev='DVA' where ID=2"));
        nav->click(Nav::Refresh);
        QCOMPARE(ds->recordCount(), 4);
        QCOMPARE(name(), QStringLiteral("DVA"));
        QCOMPARE(clicked.last(), Nav::Refresh);
    }

    void deleteAsksFirst_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes deletes") << true;
        QTest::newRow("no keeps the row") << false;
    }

    void deleteAsksFirst() {
        QFETCH(bool, yes);
        nav->click(Nav::Next); // "dva"
        clicked.clear();
        dialogs->answerNext(yes);
        nav->click(Nav::Delete);
        QCOMPARE(dialogs->texts(), QStringList{QStringLiteral("Delete record?")});
        QVERIFY(dialogs->shown().front().isQuestion);
        QCOMPARE(countInDb(), yes ? 2 : 3);
        QCOMPARE(ds->recordCount(), yes ? 2 : 3);
        QCOMPARE(name(), yes ? QStringLiteral("tri") : QStringLiteral("dva"));
        QCOMPARE(clicked, yes ? QList<Nav::Button>{Nav::Delete} : QList<Nav::Button>{});
    }

    void refusedActionLeavesEverythingAsItWas_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("startEditing");
        QTest::newRow("insert") << int(Nav::Insert) << false;
        QTest::newRow("edit") << int(Nav::Edit) << false;
        QTest::newRow("delete") << int(Nav::Delete) << false;
        QTest::newRow("post") << int(Nav::Post) << true;
        QTest::newRow("cancel") << int(Nav::Cancel) << true;
    }

    void refusedActionLeavesEverythingAsItWas() {
        QFETCH(int, button);
        QFETCH(bool, startEditing);
        nav->click(Nav::Next);
        if (startEditing) {
            nav->click(Nav::Edit);
            ds->fieldByName(QStringLiteral("Nazev")).setAsString(QStringLiteral("zmena"));
        }
        clicked.clear();
        const auto refuse = [](Dataset&) { tk::abort(); };
        ds->beforeInsert = ds->beforeEdit = ds->beforeDelete = ds->beforePost = ds->beforeCancel = refuse;
        const DatasetState state = ds->state();
        QSignalSpy rows(ds.get(), &Dataset::rowsChanged);
        dialogs->answerNext(true);

        nav->click(Nav::Button(button));

        QCOMPARE(ds->state(), state);
        QCOMPARE(ds->recNo(), 2);
        QCOMPARE(ds->recordCount(), 3);
        QCOMPARE(rows.count(), 0);
        QCOMPARE(countInDb(), 3);
        QCOMPARE(name(), startEditing ? QStringLiteral("zmena") : QStringLiteral("dva"));
        QVERIFY(clicked.isEmpty());
        // The silent abort shows nothing; only Delete asked its question.
        QCOMPARE(dialogs->texts(),
                 button == Nav::Delete ? QStringList{QStringLiteral("Delete record?")} : QStringList{});
        // The buttons still match the unchanged state.
        QCOMPARE(nav->button(Nav::Post)->isEnabled(), startEditing);
    }

    void aDatabaseErrorIsReportedAndTheRowStaysInEdit() {
        nav->click(Nav::Next);
        nav->click(Nav::Edit);
        ds->fieldByName(QStringLiteral("Nazev")).setAsString(QStringLiteral("jedna")); // duplicate
        clicked.clear();
        nav->click(Nav::Post);
        QCOMPARE(ds->state(), DatasetState::Edit);
        QCOMPARE(dialogs->shown().size(), size_t(1));
        QCOMPARE(dialogs->shown().front().icon, MessageIcon::Error);
        QVERIFY(dialogs->last().contains(QStringLiteral("UNIQUE"), Qt::CaseInsensitive));
        QVERIFY(clicked.isEmpty());
        QVERIFY(nav->button(Nav::Post)->isEnabled());
    }

    void followsANewDatasetOfItsSource() {
        Dataset other(QStringLiteral("QOther"));
        other.setConnection(&db->connection());
        other.setSql(QStringLiteral("select * from Item where ID=0"));
        other.open();
        source->setDataset(&other);
        QVERIFY(!nav->button(Nav::Edit)->isEnabled()); // empty
        nav->click(Nav::Insert);
        QCOMPARE(other.state(), DatasetState::Insert);
        QCOMPARE(ds->state(), DatasetState::Browse);
        other.cancel();
        source->setDataset(ds.get());
        QVERIFY(nav->button(Nav::Edit)->isEnabled());
    }
};

QTEST_MAIN(TestNavigator)
#include "tst_navigator.moc"
