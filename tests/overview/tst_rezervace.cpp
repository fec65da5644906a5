#include "PrehledProgram.h"

#include "app/KLConect.h"
#include "data/ZamekDne.h"

#include <QThread>
#include <QtTest>
#include <atomic>

using namespace kltest;
using N = tk::DBNavigator;

namespace {
const QString kZamceno =
    QStringLiteral("Rezervace na toto pracoviště a den\r\nje blokováno někým, kdo ji započal "
                   "dříve.\r\nPočkejte prosím až jím bude uvolněna.\r\n(viz. 2 Rezervace -> 1 "
                   "Blokované).");
const QString kPrekryv = QStringLiteral("Rezervace se časově překrývá s předchozí nebo následující. ");

// The working hours of a short day without a pause: founded by the program, it holds the 08:00 start marker,
// the slots 08:00 and 08:30 (30 min) and the 09:00 end marker.
void kratkyDen(TDmKL& dm) {
    execKL(dm, QStringLiteral(
                   "update ParamP set PrOdH=8,PrOdM=0,PrDoH=9,PrDoM=0,PPOdH=0,PPOdM=0,PPDoH=0,PPDoM=0"));
    execKL(dm, QStringLiteral("update Objekt set Gpp=0,Gin=1,Interval=30 where Kod='00001'"));
}
} // namespace

// The rules around writing a reservation: the workplace-day lock, the free window and the overlap check.
class TestRezervace : public QObject {
    Q_OBJECT

    tktest::TestDialogs* dialogs = nullptr;
    std::unique_ptr<Prehled> t;
    tk::Dataset* q = nullptr;

    tk::TDateTime at(int h, int m, int s = 0) { return tk::fromDate(dnes()) + tk::encodeTime(h, m, s); }

private Q_SLOTS:
    void init() {
        dialogs = &tktest::installTestEnvironment();
        t = std::make_unique<Prehled>(kratkyDen);
        QVERIFY(t->ok);
        t->pracovisteDen(QStringLiteral("00001"), dnes());
        QVERIFY(tk::guard([&] { t->w().PSeznam->ZalozNovyDen(); }));
        t->w().ObnovVyber();
        q = DmKL->QReserve;
        QCOMPARE(q->recordCount(), 4);
        dialogs->clear();
    }
    void cleanup() { t.reset(); }

    void insertBeforeTheSecondRowStartsAtThePreviousEnd() {
        q->setRecNo(2);
        t->w().PSeznam->Navigator->click(N::Insert);
        QCOMPARE(q->state(), tk::DatasetState::Insert);
        QCOMPARE(DmKL->QReserveDatumCas->asDateTime(), at(8, 0));
        QCOMPARE(DmKL->QReserveDoba->asInteger(), 30); // the workplace's interval
        QCOMPARE(DmKL->QReserveObjekt->asString(), QStringLiteral("00001"));
        QCOMPARE(t->zamky(), 1);
        // 08:00 + 30 min does not fit before the selected row's 08:00.
        t->w().PSeznam->Navigator->click(N::Post);
        QCOMPARE(dialogs->texts(), QStringList{kPrekryv});
        QCOMPARE(q->state(), tk::DatasetState::Insert);
        DmKL->QReserveDoba->setAsInteger(0);
        t->w().PSeznam->Navigator->click(N::Post);
        QCOMPARE(q->state(), tk::DatasetState::Browse);
        QCOMPARE(t->zamky(), 0);
        QCOMPARE(q->recordCount(), 5);
        QCOMPARE(DmKL->QReserveIDRes->asInteger(), DmKL->PosledniIDRes);
        // A new row without a client is a free slot: empty texts, listed under "Volné".
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select count(*) from Reserve where RCPacienta is null or "
                                                "JmenoPac is null"))
                     .toInt(),
                 0);
        QTest::mouseClick(t->w().PSeznam->RBZVolno, Qt::LeftButton);
        QCOMPARE(t->seznam(), (QStringList{"08:00 ", "08:00 ", "08:30 "}));
    }

    void insertsThatAreRefused_data() {
        QTest::addColumn<bool>("empty");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty list")
            << true
            << "Před vložením nové rezervace je nutné\r\nzaložit nový pracovní den tlačítkem "
               "\"Nový\".";
        QTest::newRow("before the first row") << false
                                              << "Nová rezervace se vkládá vždy před vybranou.\r\nZačátek "
                                                 "pracovního dne můžete posunout ručně.";
    }

    void insertsThatAreRefused() {
        QFETCH(bool, empty);
        QFETCH(QString, message);
        if (empty)
            t->pracovisteDen(QStringLiteral("00001"), dnes().addDays(1));
        else
            q->first();
        const int rows = q->recordCount();
        t->w().PSeznam->Navigator->click(N::Insert);
        QCOMPARE(dialogs->texts(), QStringList{message});
        QCOMPARE(q->state(), tk::DatasetState::Browse);
        QCOMPARE(q->recordCount(), rows);
        QCOMPARE(t->zamky(), 0);
        QCOMPARE(t->w().PSeznam->Navigator->visibleButtons().size(), 10);
    }

    void theFreeWindowOfTheFirstAndLastRows() {
        q->first();
        t->w().PSeznam->Navigator->click(N::Edit);
        QCOMPARE(DmKL->KonecPredchozi, at(0, 0));
        QCOMPARE(DmKL->ZacatekNasledujici, at(8, 0));
        DmKL->QReserveDatumCas->setAsDateTime(at(0, 0));
        t->w().PSeznam->Navigator->click(N::Post);
        QCOMPARE(q->state(), tk::DatasetState::Browse);
        q->last();
        t->w().PSeznam->Navigator->click(N::Edit);
        QCOMPARE(DmKL->KonecPredchozi, at(9, 0));
        QCOMPARE(DmKL->ZacatekNasledujici, at(23, 59));
        DmKL->QReserveDatumCas->setAsDateTime(at(23, 59));
        t->w().PSeznam->Navigator->click(N::Post);
        QCOMPARE(q->state(), tk::DatasetState::Browse);
        QCOMPARE(dialogs->texts(), QStringList());
    }

    void aRowMayEndExactlyWhereTheNextBegins_data() {
        QTest::addColumn<int>("second");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("exactly") << 0 << true;
        QTest::newRow("one second later") << 1 << false;
    }

    void aRowMayEndExactlyWhereTheNextBegins() {
        QFETCH(int, second);
        QFETCH(bool, accepted);
        q->setRecNo(2); // 08:00-08:30, the next starts at 08:30
        t->w().PSeznam->Navigator->click(N::Edit);
        DmKL->QReserveDatumCas->setAsDateTime(at(8, 0, second));
        t->w().PSeznam->Navigator->click(N::Post);
        QCOMPARE(q->state(), accepted ? tk::DatasetState::Browse : tk::DatasetState::Edit);
        QCOMPARE(dialogs->texts(), accepted ? QStringList() : QStringList{kPrekryv});
    }

    void anExistingLockRefusesEditAndInsert_data() {
        QTest::addColumn<QString>("station");
        QTest::addColumn<int>("button");
        QTest::newRow("another station, edit") << "JINY" << int(N::Edit);
        QTest::newRow("another station, insert") << "JINY" << int(N::Insert);
        QTest::newRow("this station's leftover") << "??" << int(N::Edit);
    }

    void anExistingLockRefusesEditAndInsert() {
        QFETCH(QString, station);
        QFETCH(int, button);
        execKL(*DmKL, QStringLiteral("insert into BlokRes (Objekt,Datum,IdPC) values ('00001','%1','%2')")
                          .arg(stamp(dnes(), 0, 0), station));
        q->setRecNo(3);
        t->w().PSeznam->Navigator->click(N::Button(button));
        QCOMPARE(dialogs->texts(), QStringList{kZamceno});
        QCOMPARE(q->state(), tk::DatasetState::Browse);
        QCOMPARE(t->w().PSeznam->Navigator->visibleButtons().size(), 10);
        QVERIFY(t->w().GBObdobi->isEnabled());
        QVERIFY(!t->w().PSeznam->LbBlok->isVisible());
        QCOMPARE(t->zamky(), 1); // someone else's row stays
        QCOMPARE(q->recordCount(), 4);
    }

    void cancelAfterInsertReleasesTheLock() {
        q->setRecNo(3);
        t->w().PSeznam->Navigator->click(N::Insert);
        QCOMPARE(t->zamky(), 1);
        QVERIFY(!t->w().PSeznam->DBGridSeznam->isEnabled());
        t->w().PSeznam->Navigator->click(N::Cancel);
        QCOMPARE(t->zamky(), 0);
        QCOMPARE(q->recordCount(), 4);
        QCOMPARE(q->recNo(), 3);
        QVERIFY(t->w().PSeznam->DBGridSeznam->isEnabled());
        QCOMPARE(t->w().PSeznam->Navigator->visibleButtons().size(), 10);
    }

    void releaseDeletesOnlyThisStationsLock() {
        // Another workplace-day's lock of this station and another station's lock stay.
        execKL(*DmKL, QStringLiteral("insert into BlokRes (Objekt,Datum,IdPC) values ('00002','%1','%2')")
                          .arg(stamp(dnes(), 0, 0), IdPc));
        execKL(*DmKL, QStringLiteral("insert into BlokRes (Objekt,Datum,IdPC) values ('00001','%1','%2')")
                          .arg(stamp(dnes().addDays(1), 0, 0), IdPc));
        q->setRecNo(2);
        t->w().PSeznam->Navigator->click(N::Edit);
        QCOMPARE(t->zamky(), 3);
        DmKL->QBlokRes->last(); // the blocked-days window may move the dataset meanwhile
        t->w().PSeznam->Navigator->click(N::Cancel);
        QCOMPARE(t->zamky(), 2);
        QCOMPARE(
            scalarKL(*DmKL, QStringLiteral("select count(*) from BlokRes where Objekt='00001' and Datum='%1'")
                                .arg(stamp(dnes(), 0, 0)))
                .toInt(),
            0);
    }

    void aRowWithoutWorkerTakesTheSelectionsWorker() {
        t->w().GBObdobi->EdVKPr->setText(QStringLiteral("05"));
        q->setRecNo(2);
        t->w().PSeznam->Navigator->click(N::Edit);
        QCOMPARE(DmKL->QReserveKodPrac->asString(), QStringLiteral("05"));
        t->w().PSeznam->Navigator->click(N::Cancel);
    }

    void workingHoursAreChecked_data() {
        QTest::addColumn<QString>("set");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("default") << "PrOdH=8" << true;
        QTest::newRow("pause 12:00-12:00") << "PPOdH=12,PPOdM=0,PPDoH=12,PPDoM=0" << false;
        QTest::newRow("pause ends after the day") << "PPOdH=16,PPOdM=0,PPDoH=17,PPDoM=0" << false;
        QTest::newRow("day ends before it starts") << "PrOdH=17" << false;
        QTest::newRow("no pause, day checked only") << "PPOdH=0,PPOdM=0,PPDoH=0,PPDoM=0" << true;
    }

    void workingHoursAreChecked() {
        QFETCH(QString, set);
        QFETCH(bool, accepted);
        tk::Dataset& p = *DmKL->QParamP;
        p.edit();
        for (const QString& pair : set.split(QLatin1Char(','))) {
            const QStringList kv = pair.split(QLatin1Char('='));
            p.fieldByName(kv[0]).setAsInteger(kv[1].toInt());
        }
        const bool posted = tk::guard([&] { p.post(); });
        QCOMPARE(posted, accepted);
        QCOMPARE(p.state(), accepted ? tk::DatasetState::Browse : tk::DatasetState::Edit);
        QCOMPARE(dialogs->texts(), accepted
                                       ? QStringList()
                                       : QStringList{QStringLiteral(
                                             "Tak takhle se pracovat nedá !\r\nNastavte nejdříve parametry "
                                             "pracovní doby.")});
        if (!accepted)
            p.cancel();
    }

    // The unique index, not the writers' serialisation, is what keeps a workplace-day to one lock row: a
    // second row written by any path is refused by the database itself.
    void theDatabaseHoldsOneLockRowPerWorkplaceDay_data() {
        QTest::addColumn<QString>("objekt");
        QTest::addColumn<int>("days");
        QTest::addColumn<bool>("refused");
        QTest::newRow("same workplace-day") << "00002" << 0 << true;
        QTest::newRow("another day") << "00002" << 1 << false;
        QTest::newRow("another workplace") << "00003" << 0 << false;
    }

    void theDatabaseHoldsOneLockRowPerWorkplaceDay() {
        QFETCH(QString, objekt);
        QFETCH(int, days);
        QFETCH(bool, refused);
        QVERIFY(ZamkniDenPracoviste(*DmKL->SpojeniKL, QStringLiteral("00002"), dnes(), QStringLiteral("A")));
        const QString druhy = QStringLiteral("insert into BlokRes (Objekt,Datum,IdPC) values ('%1',%2,'B')")
                                  .arg(objekt, DmKL->SpojeniKL->dialect().dateValue(dnes().addDays(days)));
        QCOMPARE(!tk::guard([&] { execKL(*DmKL, druhy); }), refused);
        QCOMPARE(t->zamky(), refused ? 1 : 2);
    }

    // Two stations, each with its own connection to the file, race for the same workplace-day.
    void twoStationsNeverHoldTheSameDay() {
        const QString cs = DmKL->SpojeniKL->connectionString();
        std::atomic<int> holders{0}, overlaps{0}, taken{0};
        auto station = [&](const QString& id) {
            tk::Connection c(id);
            c.setEngine(tk::makeEngine(QStringLiteral("sqlite")));
            c.setConnectionString(cs);
            c.open();
            for (int i = 0; i < 150; ++i) {
                bool mine = false;
                tk::guard([&] { mine = ZamkniDenPracoviste(c, QStringLiteral("00002"), dnes(), id); });
                if (!mine)
                    continue;
                ++taken;
                if (++holders > 1)
                    ++overlaps;
                QThread::usleep(50);
                --holders;
                tk::guard([&] { OdemkniDenPracoviste(c, QStringLiteral("00002"), dnes(), id); });
            }
        };
        std::unique_ptr<QThread> a(QThread::create(station, QStringLiteral("A")));
        std::unique_ptr<QThread> b(QThread::create(station, QStringLiteral("B")));
        a->start();
        b->start();
        QVERIFY(a->wait(120000));
        QVERIFY(b->wait(120000));
        QCOMPARE(overlaps.load(), 0);
        QVERIFY(taken.load() > 0);
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select count(*) from BlokRes")).toInt(), 0);
    }
};

QTEST_MAIN(TestRezervace)
#include "tst_rezervace.moc"
