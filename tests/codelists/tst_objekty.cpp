#include "CiselnikyProgram.h"

#include <QtTest>

using namespace kltest;
using N = tk::DBNavigator;

// The workplaces and workers lists edited in place: column hints, the permanent worker's pick, codes
// filled with zeros and writes the database refuses.
class TestObjekty : public QObject {
    Q_OBJECT

    tktest::TestDialogs* dialogs = nullptr;
    std::unique_ptr<Ciselniky> t;

    TFoObjekt* objekty() {
        t->w().N11Pracoviste->trigger();
        TFoObjekt* o = t->c().FoObjekt;
        return o && QTest::qWaitForWindowActive(o) ? o : nullptr;
    }
    TFoPracovP* pracovnici() {
        t->w().N15Pracov->trigger();
        TFoPracovP* o = t->c().FoPracovP;
        return o && QTest::qWaitForWindowActive(o) ? o : nullptr;
    }
    // Types into the cell editor of the selected column.
    static void napis(tk::DBGrid* grid, const QString& text) {
        QTRY_VERIFY(grid->cellEditor());
        QLineEdit* e = grid->cellEditor();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, text);
    }

private Q_SLOTS:
    void init() {
        dialogs = &tktest::installTestEnvironment();
        t = std::make_unique<Ciselniky>();
        QVERIFY(t->ok);
        dialogs->clear();
    }
    void cleanup() { t.reset(); }

    void theWorkplacesColumns() {
        TFoObjekt* o = objekty();
        QVERIFY(o);
        QStringList titles;
        for (int i = 0; i < o->FoGrid->columnCount(); ++i)
            titles << o->FoGrid->model()->headerData(i, Qt::Horizontal).toString();
        QCOMPARE(titles, (QStringList{"Kód *", "Název pracoviště *", "Interval", "KPr", "Gpp", "Gin", "So",
                                      "Ne", "Sv"}));
        QCOMPARE(o->FoGrid->cellText(1, 4), QStringLiteral("N")); // Gpp of Magnet
        QCOMPARE(o->FoGrid->cellText(1, 5), QStringLiteral("A"));
        QCOMPARE(o->panel(0)->text(), QStringLiteral(" F1"));
        QCOMPARE(o->panel(1)->text(), QStringLiteral(" Nápověda"));
    }

    void columnHints_data() {
        QTest::addColumn<QString>("pole");
        QTest::addColumn<QString>("hint");
        QTest::newRow("Kod") << "Kod"
                             << " Nápověda";
        QTest::newRow("Nazev") << "Nazev"
                               << " Nápověda";
        QTest::newRow("Interval") << "Interval"
                                  << " Obvyklá doba použití v minutách";
        QTest::newRow("KPr") << "KPr"
                             << " Kód stálého rehabilitačního pracovníka (pokud je)";
        QTest::newRow("Gpp") << "Gpp"
                             << " Generování polední pauzy při založení nového pracovního dne [A/N]";
        QTest::newRow("Gin") << "Gin"
                             << " Generování intervalů při založení nového pracovního dne [A/N]";
        QTest::newRow("So") << "So"
                            << " Pracovní sobota [A/N]";
        QTest::newRow("Ne") << "Ne"
                            << " Pracovní neděle [A/N]";
        QTest::newRow("Sv") << "Sv"
                            << " Práce ve svátek [A/N]";
    }
    void columnHints() {
        QFETCH(QString, pole);
        QFETCH(QString, hint);
        TFoObjekt* o = objekty();
        QVERIFY(o);
        // From a hinted column, so that a column without a hint shows the plain text again.
        Ciselniky::klikNaBunku(o->FoGrid, 0, Ciselniky::sloupec(o->FoGrid, QStringLiteral("Ne")));
        Ciselniky::klikNaBunku(o->FoGrid, 0, Ciselniky::sloupec(o->FoGrid, pole));
        QCOMPARE(o->panel(1)->text(), hint);
    }

    void f7OnThePermanentWorkerPicksAWorker() {
        TFoObjekt* o = objekty();
        QVERIFY(o);
        QCOMPARE(o->Tag, 1);
        const int kpr = Ciselniky::sloupec(o->FoGrid, QStringLiteral("KPr"));
        Ciselniky::klikNaBunku(o->FoGrid, 1, kpr); // Magnet, worker 03
        // Browse mode: F7 does nothing.
        QTest::keyClick(o->FoGrid, Qt::Key_F7);
        QVERIFY(t->c().FoPracovP.isNull());
        o->Navigator->click(N::Edit);
        o->FoGrid->setSelectedIndex(kpr);
        QTest::keyClick(o->FoGrid, Qt::Key_F7);
        TFoPracovP* p = t->c().FoPracovP;
        QVERIFY(p && QTest::qWaitForWindowActive(p));
        QCOMPARE(o->Tag, 2);
        QCOMPARE(p->Tag, 1);
        QCOMPARE(DmKL->QPracovKod->asString(), QStringLiteral("03")); // on the cell's worker
        QCOMPARE(p->pos(), t->w().pos() + QPoint(10, 51));
        Ciselniky::klikNaBunku(p->FoGrid, 1, 1); // Malá, 01
        QTest::keyClick(p->FoGrid, Qt::Key_Return);
        QVERIFY(!p->isVisible());
        QVERIFY(Ciselniky::aktivni(o));
        QCOMPARE(DmKL->QObjektKPr->asString(), QStringLiteral("01"));
        QCOMPARE(DmKL->QObjekt->state(), tk::DatasetState::Edit);
        QCOMPARE(o->Tag, 1);
        QCOMPARE(o->PuvodniRezim, 0);
        QCOMPARE(t->w().VybranyKod, QString());
        o->Navigator->click(N::Post);
        QCOMPARE(o->FoGrid->mode(), tk::DBGrid::Mode::Browse);
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select KPr from Objekt where Kod='00002'")).toString(),
                 QStringLiteral("01"));
        // A picker again: a double click hands the workplace back.
        QCOMPARE(DmKL->QObjektKod->asString(), QStringLiteral("00002"));
        Ciselniky::dvojklik(o->FoGrid, 1, 1);
        QVERIFY(!o->isVisible());
        QCOMPARE(t->w().VybranyKod, QStringLiteral("00002"));
    }

    void aDoubleClickOnThePermanentWorkerInEditModePicksToo() {
        TFoObjekt* o = objekty();
        QVERIFY(o);
        o->Navigator->click(N::Edit);
        const int kpr = Ciselniky::sloupec(o->FoGrid, QStringLiteral("KPr"));
        Ciselniky::dvojklik(o->FoGrid, 0, Ciselniky::sloupec(o->FoGrid, QStringLiteral("Nazev")));
        QVERIFY(t->c().FoPracovP.isNull());
        Ciselniky::dvojklik(o->FoGrid, 0, kpr);
        TFoPracovP* p = t->c().FoPracovP;
        QVERIFY(p && QTest::qWaitForWindowActive(p));
        // Esc: the cell keeps its value.
        QTest::keyClick(p->FoGrid, Qt::Key_Escape);
        QVERIFY(Ciselniky::aktivni(o));
        QCOMPARE(DmKL->QObjektKPr->asString(), QStringLiteral("00"));
        QCOMPARE(o->Tag, 1);
        o->Navigator->click(N::Cancel);
    }

    void aDuplicateWorkplaceIsRefusedAndStaysInEdit() {
        TFoObjekt* o = objekty();
        QVERIFY(o);
        o->Navigator->click(N::Insert);
        QCOMPARE(o->FoGrid->mode(), tk::DBGrid::Mode::Edit);
        o->FoGrid->setSelectedIndex(0);
        napis(o->FoGrid, QStringLiteral("2"));
        QTest::keyClick(o->FoGrid->cellEditor(), Qt::Key_Return);
        napis(o->FoGrid, QStringLiteral("Druhy magnet"));
        o->Navigator->click(N::Post);
        QCOMPARE(dialogs->texts(), QStringList{QStringLiteral("Duplicitní kód pracoviště !")});
        QCOMPARE(DmKL->QObjekt->state(), tk::DatasetState::Insert);
        QCOMPARE(o->FoGrid->mode(), tk::DBGrid::Mode::Edit);
        QCOMPARE(DmKL->QObjektNazev->asString(), QStringLiteral("Druhy magnet"));
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select Nazev from Objekt where Kod='00002'")).toString(),
                 QStringLiteral("Magnet"));
        o->Navigator->click(N::Cancel);
    }

    void aWorkerCodeIsFilledWithZerosAndShownInItsPlace() {
        TFoPracovP* p = pracovnici();
        QVERIFY(p);
        QCOMPARE(p->FoGrid->cellText(0, 2), QStringLiteral("Adámek"));
        p->Navigator->click(N::Insert);
        QCOMPARE(p->FoGrid->mode(), tk::DBGrid::Mode::Edit);
        p->FoGrid->setSelectedIndex(0);
        napis(p->FoGrid, QStringLiteral("7"));
        QTest::keyClick(p->FoGrid->cellEditor(), Qt::Key_Return);
        QTest::keyClick(p->FoGrid->cellEditor(), Qt::Key_Return);
        QCOMPARE(p->FoGrid->selectedIndex(), 2);
        napis(p->FoGrid, QStringLiteral("Novak"));
        p->Navigator->click(N::Post);
        QCOMPARE(dialogs->texts(), QStringList());
        QCOMPARE(p->FoGrid->mode(), tk::DBGrid::Mode::Browse);
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select Prijmeni from Pracov where Kod='07'")).toString(),
                 QStringLiteral("Novak"));
        QCOMPARE(Ciselniky::hodnoty(DmKL->QPracov, QStringLiteral("Kod")),
                 (QStringList{"03", "01", "07", "02"}));
        QCOMPARE(DmKL->QPracovKod->asString(), QStringLiteral("07"));
    }

    void aDuplicateWorkerShowsTheServersTextAndStaysInEdit() {
        TFoPracovP* p = pracovnici();
        QVERIFY(p);
        p->Navigator->click(N::Insert);
        p->FoGrid->setSelectedIndex(0);
        napis(p->FoGrid, QStringLiteral("02"));
        p->FoGrid->setSelectedIndex(2);
        napis(p->FoGrid, QStringLiteral("Druhy"));
        p->Navigator->click(N::Post);
        QCOMPARE(dialogs->texts().size(), 1);
        QVERIFY2(dialogs->last().contains(QStringLiteral("UNIQUE"), Qt::CaseInsensitive) ||
                     dialogs->last().contains(QStringLiteral("constraint"), Qt::CaseInsensitive),
                 qPrintable(dialogs->last()));
        QCOMPARE(DmKL->QPracov->state(), tk::DatasetState::Insert);
        QCOMPARE(p->FoGrid->mode(), tk::DBGrid::Mode::Edit);
        QCOMPARE(DmKL->QPracovPrijmeni->asString(), QStringLiteral("Druhy"));
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select Prijmeni from Pracov where Kod='02'")).toString(),
                 QStringLiteral("Velký"));
        p->Navigator->click(N::Cancel);
        QCOMPARE(DmKL->QPracov->recordCount(), 3);
    }
};

QTEST_MAIN(TestObjekty)
#include "tst_objekty.moc"
