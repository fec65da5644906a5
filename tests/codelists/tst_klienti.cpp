#include "CiselnikyProgram.h"

#include "codelists/FoKlient.h"
#include "data/Kontroly.h"

#include <QtTest>

using namespace kltest;
using N = tk::DBNavigator;

// The birth-number check, the client card and the clients taken from the Kinemo database.
class TestKlienti : public QObject {
    Q_OBJECT

    tktest::TestDialogs* dialogs = nullptr;

    static QDate datum(tk::Field* f) { return f->isNull() ? QDate() : tk::toDate(f->asDateTime()); }

private Q_SLOTS:
    void init() { dialogs = &tktest::installTestEnvironment(); }

    void birthNumberCheck_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("show");
        QTest::addColumn<int>("error"); // -1: left untouched
        QTest::addColumn<QString>("message");
        QTest::newRow("ten ones") << "1111111111" << true << 0 << "";
        QTest::newRow("ten ones plus one") << "1111111112" << true << 1 << "Chybné RČ";
        QTest::newRow("wrong, not shown") << "1111111112" << false << 1 << "";
        QTest::newRow("9 digits from 53") << "535228123" << true << 0 << "";
        QTest::newRow("9 digits from 54") << "545228123" << true << 1 << "Chybné RČ";
        QTest::newRow("5 digits") << "12345" << true << 1 << "Chybné RČ";
        QTest::newRow("8 digits") << "12345678" << true << 1 << "Chybné RČ";
        QTest::newRow("4 digits: an identifier") << "1234" << true << 0 << "";
        QTest::newRow("11 digits") << "12345678901" << true << 0 << "";
        QTest::newRow("a slash is not a number") << "855101 / 1238" << true << -1 << "Toto není tvar RČ";
        QTest::newRow("blanks between groups") << "855 101 1238" << true << 0 << "";
        QTest::newRow("empty") << "" << true << -1 << "";
        QTest::newRow("only blanks") << "   " << true << -1 << "";
        QTest::newRow("letters") << "85a1011238" << false << -1 << "Toto není tvar RČ";
        // Issued before 1985: the first nine digits leave 10, the number ends in 0.
        QTest::newRow("before 1985, remainder 10") << "8001010040" << true << 0 << "";
        QTest::newRow("from 1985 the rule is strict") << "9001010030" << true << 1 << "Chybné RČ";
        QTest::newRow("remainder 10 not ending in 0") << "8001010041" << true << 1 << "Chybné RČ";
    }
    void birthNumberCheck() {
        QFETCH(QString, text);
        QFETCH(bool, show);
        QFETCH(int, error);
        QFETCH(QString, message);
        for (bool start : {false, true}) {
            dialogs->clear();
            bool chyba = start;
            KontrolaRC(text, show, chyba);
            QCOMPARE(chyba, error == -1 ? start : error == 1);
            QCOMPARE(dialogs->texts(), message.isEmpty() ? QStringList() : QStringList{message});
        }
    }

    void blanksAreRemoved() {
        QCOMPARE(BezMezer(QStringLiteral(" 85 51 01/1238 ")), QStringLiteral("855101/1238"));
        QCOMPARE(BezMezer(QString()), QString());
    }

    void insurerAbbreviations_data() {
        QTest::addColumn<QString>("kod");
        QTest::addColumn<QString>("zkratka");
        QTest::newRow("111") << "111"
                             << "VZP";
        QTest::newRow("201") << "201"
                             << "VoZP";
        QTest::newRow("205") << "205"
                             << "ČPZP";
        QTest::newRow("209") << "209"
                             << "ZPŠ";
        QTest::newRow("228") << "228"
                             << "MZP";
        QTest::newRow("112") << "112"
                             << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void insurerAbbreviations() {
        QFETCH(QString, kod);
        QFETCH(QString, zkratka);
        Ciselniky t;
        QVERIFY(t.ok);
        t.w().N14Pacienti->trigger();
        t.c().FoSeznamP->Navigator->click(N::Edit);
        TFoKlient* karta = t.c().FoKlient;
        QVERIFY(karta);
        karta->EdKodZP->setFocus();
        karta->EdKodZP->selectAll();
        QTest::keyClick(karta->EdKodZP, Qt::Key_Delete);
        QTest::keyClicks(karta->EdKodZP, kod);
        QCOMPARE(karta->LbZkrZP->text(), zkratka);
        karta->close();
    }

    void theBirthDateIsFilledOnInsertOnly() {
        Ciselniky t;
        QVERIFY(t.ok);
        t.w().N14Pacienti->trigger();
        TFoSeznamP* seznam = t.c().FoSeznamP;
        seznam->Navigator->click(N::Insert);
        TFoKlient* karta = t.c().FoKlient;
        QVERIFY(karta && QTest::qWaitForWindowActive(karta));
        karta->EdPrijmeni->setFocus();
        QTest::keyClicks(karta->EdPrijmeni, QStringLiteral("Svoboda"));
        karta->EdRC->setFocus();
        QTest::keyClicks(karta->EdRC, QStringLiteral("8551011238"));
        QTest::keyClick(karta->EdRC, Qt::Key_Return); // leaves the field as Tab would
        QVERIFY(karta->EdDatNar->hasFocus());
        QCOMPARE(datum(DmKL->QPacientiDatNar), QDate(1985, 1, 1));
        QCOMPARE(dialogs->texts(), QStringList());
        karta->Navigator->click(N::Post);
        QCOMPARE(DmKL->QPacienti->state(), tk::DatasetState::Browse);
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select count(*) from Pacienti where RC='8551011238' and "
                                                "Prijmeni='SVOBODA' and DatNar is not null"))
                     .toInt(),
                 1);

        // Editing never overwrites the stored date.
        QVERIFY(DmKL->QPacienti->locate(QStringLiteral("Prijmeni"), QStringLiteral("SVOBODA")));
        karta->Navigator->click(N::Edit);
        karta->EdRC->setFocus();
        karta->EdRC->selectAll();
        QTest::keyClick(karta->EdRC, Qt::Key_Delete);
        QTest::keyClicks(karta->EdRC, QStringLiteral("7551011237"));
        karta->EdKodZP->setFocus();
        QCOMPARE(datum(DmKL->QPacientiDatNar), QDate(1985, 1, 1));
        // The date now disagrees with the number: said, not refused.
        karta->EdDatNar->setFocus();
        karta->EdKodZP->setFocus();
        QCOMPARE(dialogs->texts(), QStringList{QStringLiteral("Datum narození neodpovídá rodnému číslu.")});
        karta->Navigator->click(N::Cancel);
        karta->close();
    }

    void aWrongBirthNumberIsSaidAndKeptWithoutADate() {
        Ciselniky t;
        QVERIFY(t.ok);
        t.w().N14Pacienti->trigger();
        t.c().FoSeznamP->Navigator->click(N::Insert);
        TFoKlient* karta = t.c().FoKlient;
        QVERIFY(karta && QTest::qWaitForWindowActive(karta));
        karta->EdRC->setFocus();
        QTest::keyClicks(karta->EdRC, QStringLiteral("8551011239"));
        karta->EdDatNar->setFocus();
        QCOMPARE(dialogs->texts(), QStringList{QStringLiteral("Chybné RČ")});
        QCOMPARE(DmKL->QPacientiRC->asString().trimmed(), QStringLiteral("8551011239"));
        QVERIFY(DmKL->QPacientiDatNar->isNull());
        // Typed dates: a comma becomes a full stop, letters are dropped.
        QTest::keyClicks(karta->EdDatNar, QStringLiteral("1,x1.1985"));
        QCOMPARE(karta->EdDatNar->text(), QStringLiteral("1.1.1985"));
        karta->close();
        QCOMPARE(DmKL->QPacienti->state(), tk::DatasetState::Browse);
        // Closing dropped the unposted client.
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select count(*) from Pacienti")).toInt(), 3);
    }

    void theCardFollowsTheList() {
        Ciselniky t;
        QVERIFY(t.ok);
        t.w().N14Pacienti->trigger();
        TFoSeznamP* seznam = t.c().FoSeznamP;
        QTest::keyClick(seznam->FoGrid, Qt::Key_Insert);
        TFoKlient* karta = t.c().FoKlient;
        QVERIFY(karta);
        QCOMPARE(karta->EdPrijmeni->text(), QStringLiteral("ADAMOVÁ"));
        QCOMPARE(karta->EdID->text(), QStringLiteral("200"));
        QVERIFY(!karta->EdID->isEnabled());
        seznam->Navigator->click(N::Last);
        QCOMPARE(karta->EdPrijmeni->text(), QStringLiteral("NOVÁKOVÁ"));
        QCOMPARE(karta->EdMisto->text(), QStringLiteral("Brno"));
        // A second request changes nothing.
        const QPoint kde = karta->pos();
        QTest::keyClick(seznam->FoGrid, Qt::Key_Insert);
        QCOMPARE(t.c().FoKlient.data(), karta);
        QCOMPARE(karta->pos(), kde);
    }

    void theCardsTabOrder() {
        Ciselniky t;
        QVERIFY(t.ok);
        t.w().N14Pacienti->trigger();
        t.c().FoSeznamP->Navigator->click(N::Edit);
        TFoKlient* karta = t.c().FoKlient;
        QVERIFY(karta && QTest::qWaitForWindowActive(karta));
        const QList<QWidget*> poradi{karta->EdTitul, karta->EdPrijmeni, karta->EdJmeno,   karta->EdUlice,
                                     karta->EdPSC,   karta->EdMisto,    karta->EdTelefon, karta->EdMail,
                                     karta->EdRC,    karta->EdDatNar,   karta->EdKodZP};
        karta->EdTitul->setFocus();
        for (int i = 1; i < poradi.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), poradi[i]);
        }
        karta->close();
    }

    void clientsAndWorkersFromKinemoAreOnlyBrowsed() {
        ProgramFolder folder;
        folder.createKalendo(1);
        {
            auto dm = openKalendo(folder);
            execKL(*dm, QStringLiteral("update ParamP set DbKN=1"));
        }
        folder.createKinemo();
        Program p(folder);
        QVERIFY(p.activate());
        p.givePassword(QString());
        QVERIFY(p.w().isUnlocked());
        QVERIFY(DmKL->KlientiZKinema());
        const QList<N::Button> prohlizeni{N::First, N::Prior, N::Next, N::Last, N::Refresh};

        p.w().N14Pacienti->trigger();
        TFoSeznamP* seznam = p.w().Ciselniky->FoSeznamP;
        QVERIFY(seznam);
        QCOMPARE(seznam->Navigator->visibleButtons(), prohlizeni);
        QCOMPARE(DmKL->QPacienti->recordCount(), 2);
        QTest::keyClick(seznam->FoGrid, Qt::Key_Insert);
        TFoKlient* karta = p.w().Ciselniky->FoKlient;
        QVERIFY(karta);
        QCOMPARE(karta->Navigator->visibleButtons(), prohlizeni);
        QCOMPARE(DmKL->QPacienti->state(), tk::DatasetState::Browse);
        QVERIFY(!karta->EdPrijmeni->canModify());
        karta->close();
        Ciselniky::dvojklik(seznam->FoGrid, 0, 1);
        QVERIFY(p.w().Ciselniky->FoKlient);

        p.w().N15Pracov->trigger();
        TFoPracovP* pracovnici = p.w().Ciselniky->FoPracovP;
        QVERIFY(pracovnici);
        QCOMPARE(pracovnici->Navigator->visibleButtons(), prohlizeni);
        QCOMPARE(DmKL->QPracov->recordCount(), 2);
    }
};

QTEST_MAIN(TestKlienti)
#include "tst_klienti.moc"
