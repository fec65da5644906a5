// The record rules of reservations on the data module alone, without any window: the lock of the
// workplace-day, the free window, the overlap refusal, the defaults of a new row, and what they report.

#include "data/DmKL.h"
#include "support/KalendoFixture.h"
#include "support/tk_TestEnv.h"
#include "toolkit/core/Clock.h"
#include "toolkit/core/DateTime.h"
#include "toolkit/core/Errors.h"

#include <QSignalSpy>
#include <QtTest>
#include <cmath>

using namespace kltest;
using tk::encodeTime;

namespace {

const QDate kDen(2026, 12, 10);

tk::TDateTime cas(int h, int m) {
    return tk::fromDate(kDen) + encodeTime(h, m);
}

bool near(double a, double b) {
    return std::abs(a - b) < 1e-7;
}

} // namespace

class TestPravidla : public QObject {
    Q_OBJECT

    tktest::TestDialogs* dialogs_ = nullptr;
    std::unique_ptr<ProgramFolder> folder_;
    std::unique_ptr<TDmKL> dm_;
    Vyber vyber_;

    int zamky() { return scalarKL(*dm_, QStringLiteral("select count(*) from BlokRes")).toInt(); }

    // The writable selection of workplace 00001 on kDen, handed to the rules, with the day founded:
    // 8:00 start, slots of 30 minutes to 11:30, the pause to 12:30, slots to 16:30, the end. 19 rows.
    void zalozDen() {
        vyber_ = Vyber{};
        vyber_.datum = kDen;
        vyber_.obj = true;
        vyber_.objKod = QStringLiteral("00001");
        vyber_.objNazvano = true;
        vyber_.zobrazeni = Zobrazeni::Vse;
        dm_->NastavVyber(vyber_);
        dm_->ZalozNovyDen();
        dm_->SestavSeznam(vyber_, RezimTiskO, tk::clock().now());
        dialogs_->clear();
    }

private Q_SLOTS:
    void init() {
        dialogs_ = &tktest::installTestEnvironment();
        folder_ = std::make_unique<ProgramFolder>();
        folder_->createKalendo();
        dm_ = openKalendo(*folder_);
        execKL(*dm_, QStringLiteral("insert into Objekt (Kod,Nazev,Interval,KPr,Gpp,Gin,So,Ne,Sv) "
                                    "values ('00001','Vana',30,'03',1,1,0,0,0)"));
        IdPc = QStringLiteral("PC1");
        zalozDen();
    }
    void cleanup() {
        dm_.reset();
        folder_.reset();
    }

    void theFoundedDayIsTheListOfTheSelection() {
        QCOMPARE(dm_->QReserve->recordCount(), 19);
        QCOMPARE(zamky(), 0);
        QVERIFY(!dm_->GenerovaniDne);
    }

    void editTakesAndCancelReleasesTheLock() {
        QSignalSpy zacala(dm_.get(), &TDmKL::zacalaUprava);
        QSignalSpy zamcen(dm_.get(), &TDmKL::denZamcen);
        QSignalSpy odemcen(dm_.get(), &TDmKL::denOdemcen);
        QSignalSpy skoncila(dm_.get(), &TDmKL::skoncilaUprava);
        QSignalSpy fokus(dm_.get(), &TDmKL::fokusPole);
        tk::Dataset& q = *dm_->QReserve;
        q.setRecNo(3);
        q.edit();
        QCOMPARE(zamky(), 1);
        QCOMPARE(scalarKL(*dm_, QStringLiteral("select IdPC from BlokRes where Objekt='00001'")).toString(),
                 QStringLiteral("PC1"));
        QCOMPARE(zacala.count(), 1);
        QCOMPARE(zamcen.count(), 1);
        // The start first, then the client: the last request wins.
        QCOMPARE(fokus.count(), 2);
        QCOMPARE(fokus.last().at(0).toString(), QStringLiteral("RCPacienta"));
        q.cancel();
        QCOMPARE(zamky(), 0);
        QCOMPARE(odemcen.count(), 1);
        QCOMPARE(skoncila.count(), 1);
    }

    void anotherStationsLockRefusesEditAndInsert_data() {
        QTest::addColumn<bool>("insert");
        QTest::newRow("edit") << false;
        QTest::newRow("insert") << true;
    }
    void anotherStationsLockRefusesEditAndInsert() {
        QFETCH(bool, insert);
        execKL(*dm_, QStringLiteral("insert into BlokRes (Objekt,Datum,IdPC) values ('00001','%1','PC2')")
                         .arg(kDen.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00.000")));
        QSignalSpy skoncila(dm_.get(), &TDmKL::skoncilaUprava);
        tk::Dataset& q = *dm_->QReserve;
        q.setRecNo(3);
        QVERIFY(!tk::guard([&] { insert ? q.insert() : q.edit(); }));
        QCOMPARE(q.state(), tk::DatasetState::Browse);
        QVERIFY(dialogs_->last().startsWith(QStringLiteral("Rezervace na toto pracoviště a den\r\n")));
        QCOMPARE(skoncila.count(), 1);
        QCOMPARE(zamky(), 1); // the other station's lock stays
        QCOMPARE(q.recordCount(), 19);
    }

    void theFreeWindowOfTheEditedRow_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<double>("konecPredchozi");
        QTest::addColumn<double>("zacatekNasledujici");
        QTest::newRow("first: from midnight") << 1 << cas(0, 0) << cas(8, 0);
        QTest::newRow("middle: between the neighbours") << 2 << cas(8, 0) << cas(8, 30);
        QTest::newRow("after the pause") << 11 << cas(12, 30) << cas(13, 0);
        QTest::newRow("last: to 23:59") << 19 << cas(16, 30) << cas(23, 59);
    }
    void theFreeWindowOfTheEditedRow() {
        QFETCH(int, row);
        QFETCH(double, konecPredchozi);
        QFETCH(double, zacatekNasledujici);
        tk::Dataset& q = *dm_->QReserve;
        q.setRecNo(row);
        q.edit();
        QVERIFY(near(dm_->KonecPredchozi, konecPredchozi));
        QVERIFY(near(dm_->ZacatekNasledujici, zacatekNasledujici));
        QCOMPARE(q.recNo(), row); // the neighbours were read without moving
        q.cancel();
    }

    void anOverlapIsRefusedAndTheRowStaysInEditing() {
        QSignalSpy ulozen(dm_.get(), &TDmKL::radekUlozen);
        tk::Dataset& q = *dm_->QReserve;
        q.setRecNo(2); // 8:00-8:30 between the start row and 8:30
        q.edit();
        dm_->QReserveDoba->setAsInteger(31);
        QVERIFY(!tk::guard([&] { q.post(); }));
        QCOMPARE(dialogs_->last(),
                 QStringLiteral("Rezervace se časově překrývá s předchozí nebo následující. "));
        QVERIFY(q.isEditing());
        QCOMPARE(dm_->QReserveDoba->asInteger(), 31);
        QCOMPARE(zamky(), 1);
        QCOMPARE(ulozen.count(), 0);
        // Ending exactly where the next row begins is allowed.
        dm_->QReserveDoba->setAsInteger(30);
        dm_->QReserveRCPacienta->setAsString(QStringLiteral("8551011234"));
        dm_->QReserveJmenoPac->setAsString(QStringLiteral("NOVÁKOVÁ Jana Ing."));
        const int id = dm_->QReserveIDRes->asInteger();
        q.post();
        QCOMPARE(ulozen.count(), 1);
        QCOMPARE(ulozen.last().at(0).toInt(), id);
        QCOMPARE(dm_->PosledniIDRes, id);
        QCOMPARE(dm_->QReserveIDRes->asInteger(), id); // the posted row is current after the re-read
        QCOMPARE(zamky(), 0);
        QCOMPARE(
            scalarKL(*dm_, QStringLiteral("select JmenoPac from Reserve where IDRes=%1").arg(id)).toString(),
            QStringLiteral("NOVÁKOVÁ Jana Ing."));
    }

    void theDefaultsOfANewRow_data() {
        QTest::addColumn<bool>("klientNazvan");
        QTest::addColumn<bool>("pracovnikNazvan");
        QTest::addColumn<QString>("stalyPracovnik");
        QTest::addColumn<QString>("rc");
        QTest::addColumn<QString>("kodPrac");
        QTest::newRow("nothing named") << false << false << "00"
                                       << ""
                                       << "00";
        QTest::newRow("the workplace's permanent worker") << false << false << "03"
                                                          << ""
                                                          << "03";
        QTest::newRow("the selection's client and worker") << true << true << "03"
                                                           << "8551011234"
                                                           << "07";
    }
    void theDefaultsOfANewRow() {
        QFETCH(bool, klientNazvan);
        QFETCH(bool, pracovnikNazvan);
        QFETCH(QString, stalyPracovnik);
        QFETCH(QString, rc);
        QFETCH(QString, kodPrac);
        Vyber v = vyber_;
        v.rcpText = QStringLiteral("8551011234");
        v.rcpNazvano = klientNazvan;
        v.kprKod = QStringLiteral("07");
        v.kprNazvano = pracovnikNazvan;
        v.stalyPracovnik = stalyPracovnik;
        dm_->NastavVyber(v);
        tk::Dataset& q = *dm_->QReserve;
        q.setRecNo(3); // before the 8:30 slot: the new row starts at the end of the 8:00 slot
        q.insert();
        QVERIFY(near(dm_->QReserveDatumCas->asDateTime(), cas(8, 30)));
        QCOMPARE(dm_->QReserveObjekt->asString(), QStringLiteral("00001"));
        QCOMPARE(dm_->QReserveDoba->asInteger(), 30); // the workplace's interval
        QCOMPARE(dm_->QReserveRCPacienta->asString().trimmed(), rc);
        QCOMPARE(dm_->QReserveKodPrac->asString(), kodPrac);
        QCOMPARE(dm_->QReserveJmenoPac->asString(), QString());
        QCOMPARE(dm_->QReserveHotovo->asBoolean(), false);
        QCOMPARE(zamky(), 1);
        q.cancel();
        QCOMPARE(zamky(), 0);
        QCOMPARE(q.recordCount(), 19);
    }

    void withoutASelectionTheRulesRefuseRatherThanSkip() {
        // A second module on the same database that was never handed a selection.
        auto dm = openKalendo(*folder_);
        tk::Dataset& q = *dm->QReserve;
        QVERIFY(!q.isEmpty());
        q.setRecNo(3);
        QVERIFY_THROWS_EXCEPTION(tk::DatabaseError, q.edit());
        QCOMPARE(q.state(), tk::DatasetState::Browse);
        QVERIFY_THROWS_EXCEPTION(tk::DatabaseError, q.insert());
        QCOMPARE(q.state(), tk::DatasetState::Browse);
        QCOMPARE(scalarKL(*dm, QStringLiteral("select count(*) from BlokRes")).toInt(), 0);
        QCOMPARE(scalarKL(*dm, QStringLiteral("select count(*) from Reserve")).toInt(), 19);
    }
};

QTEST_MAIN(TestPravidla)
#include "tst_pravidla.moc"
