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
    static void klikni(QAbstractButton* b) {
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(std::min(8, b->width() / 2), b->height() / 2));
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

        // The booking: the workplace picked into the selection from its list, by a double click on the
        // code field and Enter in the list.
        TPanelVyberu& v = *w.GBObdobi;
        TPanelSeznamu& s = *w.PSeznam;
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::mouseDClick(v.EdVObj, Qt::LeftButton);
        QVERIFY(c.FoObjekt && QTest::qWaitForWindowActive(c.FoObjekt));
        QTest::keyClick(c.FoObjekt->FoGrid, Qt::Key_Return);
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(v.EdVObj->text(), QStringLiteral("00001"));
        QCOMPARE(v.LbVNazObj->text(), QStringLiteral("Vana"));
        klikni(v.ChBVObj);
        klikni(s.RBZVse);
        QCOMPARE(s.BbTiskNovy->text(), QStringLiteral("Nový D"));
        QTest::mouseClick(s.BbTiskNovy, Qt::LeftButton);
        tk::Dataset& q = *DmKL->QReserve;
        int radek = -1;
        for (int i = 1; i <= q.recordCount(); ++i)
            if (q.rowDisplayText(i, *DmKL->QReserveVDatCasOd) == QStringLiteral("09:00"))
                radek = i;
        QVERIFY(radek > 0);
        tk::DBGrid* grid = s.DBGridSeznam;
        grid->scrollTo(grid->model()->index(radek - 1, 2));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(radek - 1, 2)).center());
        QCOMPARE(q.recNo(), radek);
        const int id = DmKL->QReserveIDRes->asInteger();
        QTest::mouseClick(s.Navigator->button(N::Edit), Qt::LeftButton);
        QCOMPARE(q.state(), tk::DatasetState::Edit);
        TPanelDetailu& d = *w.GBDetail;
        QTest::keyClick(d.EdDRCP, Qt::Key_Home);
        QTest::keyClicks(d.EdDRCP, QStringLiteral("7551011237"));
        QCOMPARE(d.EdDJmPac->text(), QStringLiteral("SVOBODA Jan ")); // surname, name, title
        QTest::mouseClick(s.Navigator->button(N::Post), Qt::LeftButton);
        QCOMPARE(q.state(), tk::DatasetState::Browse);
        QCOMPARE(dialogs.texts(), QStringList());
        QCOMPARE(
            scalarKL(*DmKL,
                     QStringLiteral("select RCPacienta||'/'||JmenoPac from Reserve where IDRes=%1").arg(id))
                .toString(),
            QStringLiteral("7551011237/SVOBODA Jan "));
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
