#include "CiselnikyProgram.h"

#include "codelists/FoKlient.h"
#include "codelists/FoParamP.h"
#include "codelists/FoSvatek.h"

#include <QtTest>

using namespace kltest;
using N = tk::DBNavigator;

// A clinic sets itself up from the menu alone on a fresh installation, then books a client.
class TestZalozeni : public QObject {
    Q_OBJECT

    static void napis(tk::DBGrid* grid, int column, const QString& text) {
        grid->setSelectedIndex(column);
        QTRY_VERIFY(grid->cellEditor());
        QTest::keyClicks(grid->cellEditor(), text);
    }
    static void napis(QLineEdit* e, const QString& text) {
        e->setFocus();
        QTest::keyClicks(e, text);
    }

private Q_SLOTS:
    void aFreshInstallationSetUpThroughTheWindowsThenABooking() {
        tktest::TestDialogs& dialogs = tktest::installTestEnvironment();
        ProgramFolder folder;
        folder.createKalendo(1);
        auto program = std::make_unique<Program>(folder);
        QVERIFY(program->activate());
        program->givePassword(QString());
        TFoKL& w = program->w();
        QVERIFY(w.isUnlocked());
        TCiselniky& c = *w.Ciselniky;

        // A workplace with its interval.
        w.N11Pracoviste->trigger();
        TFoObjekt* objekty = c.FoObjekt;
        QVERIFY(QTest::qWaitForWindowActive(objekty));
        QTest::mouseClick(objekty->Navigator->button(N::Insert), Qt::LeftButton);
        napis(objekty->FoGrid, 0, QStringLiteral("1"));
        QTest::keyClick(objekty->FoGrid->cellEditor(), Qt::Key_Return);
        QTest::keyClicks(objekty->FoGrid->cellEditor(), QStringLiteral("Vana"));
        QTest::keyClick(objekty->FoGrid->cellEditor(), Qt::Key_Return);
        objekty->FoGrid->cellEditor()->selectAll();
        QTest::keyClicks(objekty->FoGrid->cellEditor(), QStringLiteral("30"));
        QTest::mouseClick(objekty->Navigator->button(N::Post), Qt::LeftButton);
        QCOMPARE(dialogs.texts(), QStringList());
        objekty->close();

        // A worker.
        w.N15Pracov->trigger();
        TFoPracovP* pracovnici = c.FoPracovP;
        QVERIFY(QTest::qWaitForWindowActive(pracovnici));
        QTest::mouseClick(pracovnici->Navigator->button(N::Insert), Qt::LeftButton);
        napis(pracovnici->FoGrid, 0, QStringLiteral("5"));
        napis(pracovnici->FoGrid, 2, QStringLiteral("Mala"));
        napis(pracovnici->FoGrid, 3, QStringLiteral("Eva"));
        QTest::mouseClick(pracovnici->Navigator->button(N::Post), Qt::LeftButton);
        QCOMPARE(dialogs.texts(), QStringList());
        pracovnici->close();

        // A client on the card.
        w.N14Pacienti->trigger();
        TFoSeznamP* klienti = c.FoSeznamP;
        QVERIFY(QTest::qWaitForWindowActive(klienti));
        QTest::mouseClick(klienti->Navigator->button(N::Insert), Qt::LeftButton);
        TFoKlient* karta = c.FoKlient;
        QVERIFY(karta && QTest::qWaitForWindowActive(karta));
        napis(karta->EdPrijmeni, QStringLiteral("Svoboda"));
        napis(karta->EdJmeno, QStringLiteral("Jan"));
        napis(karta->EdRC, QStringLiteral("7551011237"));
        napis(karta->EdKodZP, QStringLiteral("111"));
        QCOMPARE(karta->LbZkrZP->text(), QStringLiteral("VZP"));
        QTest::mouseClick(karta->Navigator->button(N::Post), Qt::LeftButton);
        QCOMPARE(dialogs.texts(), QStringList());
        karta->close();
        klienti->close();

        // This year's holidays.
        w.N12VolneDny->trigger();
        TFoSvatek* svatky = c.FoSvatek;
        QVERIFY(QTest::qWaitForWindowActive(svatky));
        dialogs.answerNext(true);
        QTest::mouseClick(svatky->BbImport, Qt::LeftButton);
        QCOMPARE(dialogs.texts().size(), 1); // the question only
        dialogs.clear();
        svatky->close();

        // A password.
        w.N13Parametry->trigger();
        TFoParamP* parametry = c.FoParamP;
        QVERIFY(QTest::qWaitForWindowActive(parametry));
        QTest::mouseClick(parametry->Navigator->button(N::Edit), Qt::LeftButton);
        QTest::mouseClick(parametry->EdHeslo, Qt::LeftButton);
        QTest::keyClicks(parametry->EdHeslo, QStringLiteral("recepce"));
        QTest::mouseClick(parametry->Navigator->button(N::Post), Qt::LeftButton);
        parametry->close();
        QCOMPARE(dialogs.texts(), QStringList());

        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select Nazev||'/'||Interval||'/'||KPr from Objekt where "
                                                "Kod='00001'"))
                     .toString(),
                 QStringLiteral("Vana/30/00"));
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select Prijmeni from Pracov where Kod='05'")).toString(),
                 QStringLiteral("Mala"));
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select strftime('%d.%m.%Y',DatNar) from Pacienti where "
                                                "RC='7551011237'"))
                     .toString(),
                 QStringLiteral("01.01.1975"));
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select count(*) from Svatek where Datum>='2026-01-01' and "
                                                "Datum<'2027-01-01'"))
                     .toInt(),
                 13);
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select Heslo from ParamP")).toString(),
                 QStringLiteral("recepce"));

        // The booking: the workplace picked into the selection as its code field would ask for it.
        setTag(w.EdVObj, 2);
        c.OtevriObjekty(w.x() + 10, w.y() + 51, 1, QString());
        QVERIFY(QTest::qWaitForWindowActive(c.FoObjekt));
        QTest::keyClick(c.FoObjekt->FoGrid, Qt::Key_Return);
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.EdVObj->text(), QStringLiteral("00001"));
        // The workplace's name and the day's founding are the main window's own steps.
        w.LbVNazObj->setText(QStringLiteral("Vana"));
        w.NastavRezervaci();
        w.ObnovVyber();
        QVERIFY(tk::guard([&] { w.ZalozNovyDen(); }));
        w.ObnovVyber();
        tk::Dataset& q = *DmKL->QReserve;
        QVERIFY(q.locate(QStringLiteral("DatumCas"), tk::fromDate(dnes()) + tk::encodeTime(9, 0)));
        const int id = DmKL->QReserveIDRes->asInteger();
        QTest::mouseClick(w.Navigator->button(N::Edit), Qt::LeftButton);
        QCOMPARE(q.state(), tk::DatasetState::Edit);
        QTest::keyClicks(w.EdDRCP, QStringLiteral("7551011237"));
        w.EdDJmPac->clear();
        QTest::keyClicks(w.EdDJmPac, QStringLiteral("Svoboda Jan"));
        QTest::mouseClick(w.Navigator->button(N::Post), Qt::LeftButton);
        QCOMPARE(q.state(), tk::DatasetState::Browse);
        QCOMPARE(dialogs.texts(), QStringList());
        QCOMPARE(
            scalarKL(*DmKL,
                     QStringLiteral("select RCPacienta||'/'||JmenoPac from Reserve where IDRes=%1").arg(id))
                .toString(),
            QStringLiteral("7551011237/Svoboda Jan"));
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select count(*) from BlokRes")).toInt(), 0);

        // The next start asks for the password set in the parameters.
        program.reset();
        Program znovu(folder);
        QVERIFY(znovu.activate());
        znovu.givePassword(QString());
        QVERIFY(!znovu.w().isUnlocked());
        znovu.givePassword(QStringLiteral("recepce"));
        QVERIFY(znovu.w().isUnlocked());
    }
};

QTEST_MAIN(TestZalozeni)
#include "tst_zalozeni.moc"
