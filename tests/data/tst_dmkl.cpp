#include "data/DmKL.h"
#include "support/KalendoFixture.h"
#include "support/tk_TestEnv.h"
#include "toolkit/core/DateTime.h"
#include "toolkit/core/Errors.h"
#include "toolkit/core/SqlQuote.h"

#include <QtTest>
#include <cmath>

using namespace kltest;

namespace {

bool near(double a, double b) {
    return std::abs(a - b) < 1e-7;
}

} // namespace

class TestDmKL : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every test gets a new database: identities and defaults are seen as on a fresh installation.
    void init() {
        dialogs_ = &tktest::installTestEnvironment();
        folder_ = std::make_unique<ProgramFolder>();
        folder_->createKalendo();
        dm_ = openKalendo(*folder_);
        DmKL = dm_.get();
    }
    void cleanup() {
        dm_.reset();
        folder_.reset();
    }

    void reportProject();
    void birthDate_data();
    void birthDate();
    void fullNames();
    void codePadding_data();
    void codePadding();
    void newWorkplaceDefaults_data();
    void newWorkplaceDefaults();
    void workplaceRefused_data();
    void workplaceRefused();
    void duplicateHoliday_data();
    void duplicateHoliday();
    void firstClientId();
    void reservationRow();
    void fixedCodesCompareWithoutTrailingBlanks();
    void dayQueryOccupiedMark();

private:
    // The writable selection of a workplace-day handed to the rules, and the day founded.
    void zalozDen(const QString& objekt, const QDate& den) {
        Vyber v;
        v.datum = den;
        v.obj = true;
        v.objKod = objekt;
        v.objNazvano = true;
        v.zobrazeni = Zobrazeni::Vse;
        dm_->NastavVyber(v);
        dm_->ZalozNovyDen();
    }
    void addWorkplace(const QString& kod, const QString& nazev) {
        execKL(*dm_, QStringLiteral("insert into Objekt (Kod,Nazev) values (") + tk::sqlText(kod) +
                         QLatin1Char(',') + tk::sqlText(nazev) + QLatin1Char(')'));
    }

    tktest::TestDialogs* dialogs_ = nullptr;
    std::unique_ptr<ProgramFolder> folder_;
    std::unique_ptr<TDmKL> dm_;
};

void TestDmKL::reportProject() {
    QCOMPARE(dm_->RvKalendoProjectFile, folder_->slozkaProgramu() + QStringLiteral("Kalendo.rav"));
}

void TestDmKL::birthDate_data() {
    QTest::addColumn<QString>("rc");
    QTest::addColumn<QVariant>("expected"); // a date, the zero date, or no value

    const auto date = [](int y, int m, int d) { return QVariant(tk::encodeDate(y, m, d)); };
    QTest::newRow("women's month 51") << "8551011234" << date(1985, 1, 1);
    QTest::newRow("women's month 55") << "8555011234" << date(1985, 5, 1);
    QTest::newRow("born 2004") << "0411051234" << date(2004, 11, 5);
    QTest::newRow("nine digits") << "535228123" << date(1953, 2, 28);
    QTest::newRow("54 is still 1900s") << "5411301234" << date(1954, 11, 30);
    QTest::newRow("53 with ten digits") << "5301011234" << date(2053, 1, 1);
    QTest::newRow("31 November") << "8511311234" << QVariant(0.0);
    QTest::newRow("fifth digit 4") << "8511411234" << QVariant(0.0);
    QTest::newRow("eight digits") << "85110112" << QVariant(0.0);
    QTest::newRow("empty") << "" << QVariant();
}

void TestDmKL::birthDate() {
    QFETCH(QString, rc);
    QFETCH(QVariant, expected);
    tk::Dataset& q = *dm_->QPacienti;
    q.insert();
    dm_->QPacientiRC->setAsString(rc);
    dm_->QPacientiPrijmeni->setAsString(QStringLiteral("TEST"));
    QCOMPARE(dm_->QPacientiVDatNar->isNull(), !expected.isValid());
    if (expected.isValid())
        QVERIFY(near(dm_->QPacientiVDatNar->asDateTime(), expected.toDouble()));

    // Read back from the table the same date is derived.
    q.post();
    q.close();
    q.open();
    QVERIFY(q.locate(QStringLiteral("Prijmeni"), QStringLiteral("TEST")));
    QCOMPARE(dm_->QPacientiVDatNar->isNull(), !expected.isValid());
    if (expected.isValid())
        QVERIFY(near(dm_->QPacientiVDatNar->asDateTime(), expected.toDouble()));
}

void TestDmKL::fullNames() {
    tk::Dataset& p = *dm_->QPacienti;
    p.insert();
    dm_->QPacientiTitul->setAsString(QStringLiteral("Ing."));
    dm_->QPacientiPrijmeni->setAsString(QStringLiteral("NOVÁKOVÁ"));
    dm_->QPacientiJmeno->setAsString(QStringLiteral("Jana"));
    QCOMPARE(dm_->QPacientiVCeleJmeno->asString(), QStringLiteral("NOVÁKOVÁ Jana Ing."));
    dm_->QPacientiPrijmeni->setAsString(QStringLiteral("SVATOPLUKOVÁ-HRABĚ"));
    dm_->QPacientiJmeno->setAsString(QStringLiteral("Kristýna"));
    QCOMPARE(dm_->QPacientiVCeleJmeno->asString(), QStringLiteral("SVATOPLUKOVÁ-HRABĚ Kristý"));
    p.cancel();

    tk::Dataset& w = *dm_->QPracov;
    w.insert();
    QCOMPARE(dm_->QPracovKod->asString(), QStringLiteral("00"));
    dm_->QPracovTitul->setAsString(QStringLiteral("MUDr."));
    dm_->QPracovPrijmeni->setAsString(QStringLiteral("Malá"));
    dm_->QPracovJmeno->setAsString(QStringLiteral("Eva"));
    QCOMPARE(dm_->QPracovVCeleJmeno->asString(), QStringLiteral("Malá Eva"));
    w.cancel();
}

void TestDmKL::codePadding_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("worker of a reservation") << "QReserveKodPrac"
                                             << "5 "
                                             << "05";
    QTest::newRow("worker blanks only") << "QReserveKodPrac"
                                        << "  "
                                        << "00";
    QTest::newRow("workplace of a reservation") << "QReserveObjekt"
                                                << "12   "
                                                << "00012";
    QTest::newRow("full workplace kept") << "QReserveObjekt"
                                         << "00012"
                                         << "00012";
    QTest::newRow("workplace code 123") << "QObjektKod"
                                        << "123"
                                        << "00123";
    QTest::newRow("workplace code inner blank") << "QObjektKod"
                                                << "1 23"
                                                << "00123";
    QTest::newRow("workplace code blanks only") << "QObjektKod"
                                                << "     "
                                                << "00000";
    QTest::newRow("permanent worker") << "QObjektKPr"
                                      << "7 "
                                      << "07";
    QTest::newRow("worker code") << "QPracovKod"
                                 << " 3"
                                 << "03";
    QTest::newRow("worker code full") << "QPracovKod"
                                      << "42"
                                      << "42";
}

void TestDmKL::codePadding() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    tk::Dataset* d = field.startsWith(QLatin1String("QReserve"))  ? dm_->QReserve
                     : field.startsWith(QLatin1String("QObjekt")) ? dm_->QObjekt
                                                                  : dm_->QPracov;
    tk::Field* f = d->findField(field.mid(d->name().size()));
    QVERIFY(f);
    QCOMPARE(f->name(), field);
    if (d == dm_->QReserve) {
        // A reservation is written into a founded day, before its end-of-day row.
        addWorkplace(QStringLiteral("00007"), QStringLiteral("Vířivka"));
        zalozDen(QStringLiteral("00007"), QDate(2026, 12, 10));
        d->last();
    }
    d->insert();
    f->setAsString(typed);
    QCOMPARE(f->asString(), stored);
    d->cancel();
}

void TestDmKL::newWorkplaceDefaults_data() {
    QTest::addColumn<bool>("pause");
    QTest::addColumn<bool>("weekend");
    QTest::newRow("default parameters") << true << false;
    QTest::newRow("no pause, weekends and holidays") << false << true;
}

void TestDmKL::newWorkplaceDefaults() {
    QFETCH(bool, pause);
    QFETCH(bool, weekend);
    tk::Dataset& par = *dm_->QParamP;
    par.edit();
    if (!pause)
        for (tk::Field* f : {dm_->QParamPPPOdH, dm_->QParamPPPOdM, dm_->QParamPPPDoH, dm_->QParamPPPDoM})
            f->setAsInteger(0);
    dm_->QParamPSo->setAsBoolean(weekend);
    dm_->QParamPNe->setAsBoolean(weekend);
    dm_->QParamPSv->setAsBoolean(weekend);
    par.post();
    QCOMPARE(dm_->QParamPVPP->asBoolean(), pause);

    dm_->QObjekt->insert();
    QCOMPARE(dm_->QObjektInterval->asInteger(), 0);
    QCOMPARE(dm_->QObjektKPr->asString(), QStringLiteral("00"));
    QCOMPARE(dm_->QObjektGpp->asBoolean(), pause);
    QCOMPARE(dm_->QObjektGin->asBoolean(), true);
    QCOMPARE(dm_->QObjektSo->asBoolean(), weekend);
    QCOMPARE(dm_->QObjektNe->asBoolean(), weekend);
    QCOMPARE(dm_->QObjektSv->asBoolean(), weekend);
    dm_->QObjekt->cancel();

    // Put the default row back for the other tests.
    par.edit();
    dm_->QParamPPPOdH->setAsInteger(11);
    dm_->QParamPPPOdM->setAsInteger(30);
    dm_->QParamPPPDoH->setAsInteger(12);
    dm_->QParamPPPDoM->setAsInteger(30);
    dm_->QParamPSo->setAsBoolean(false);
    dm_->QParamPNe->setAsBoolean(false);
    dm_->QParamPSv->setAsBoolean(false);
    par.post();
}

void TestDmKL::workplaceRefused_data() {
    QTest::addColumn<bool>("editing"); // an existing row edited, or a new one
    QTest::addColumn<QString>("kod");
    QTest::addColumn<QString>("message");
    QTest::newRow("new, zero code") << false << "00000"
                                    << "Kód pracoviště musí být nenulový";
    QTest::newRow("new, blank code") << false << "     "
                                     << "Kód pracoviště musí být nenulový";
    QTest::newRow("new, duplicate") << false << "00001"
                                    << "Duplicitní kód pracoviště !";
    QTest::newRow("edited, zero code") << true << "0"
                                       << "Kód pracoviště musí být nenulový";
    QTest::newRow("edited, duplicate") << true << "1"
                                       << "Duplicitní kód pracoviště !";
}

void TestDmKL::workplaceRefused() {
    QFETCH(bool, editing);
    QFETCH(QString, kod);
    QFETCH(QString, message);
    addWorkplace(QStringLiteral("00001"), QStringLiteral("Vana"));
    addWorkplace(QStringLiteral("00002"), QStringLiteral("Laser"));
    tk::Dataset& q = *dm_->QObjekt;
    q.requery();
    if (editing) {
        QVERIFY(q.locate(QStringLiteral("Kod"), QStringLiteral("00002")));
        q.edit();
    } else {
        q.insert();
    }
    dm_->QObjektKod->setAsString(kod);
    dm_->QObjektNazev->setAsString(QStringLiteral("Magnet"));
    QVERIFY_THROWS_EXCEPTION(tk::Abort, q.post());
    QCOMPARE(dialogs_->texts(), QStringList{message});
    QCOMPARE(q.state(), editing ? tk::DatasetState::Edit : tk::DatasetState::Insert);
    QCOMPARE(dm_->QObjektNazev->asString(), QStringLiteral("Magnet"));
    q.cancel();
    QCOMPARE(scalarKL(*dm_, QStringLiteral("select count(*) from Objekt")).toInt(), 2);
    QCOMPARE(scalarKL(*dm_, QStringLiteral("select Nazev from Objekt where Kod='00002'")).toString(),
             QStringLiteral("Laser"));

    // A proper code then goes through.
    q.insert();
    dm_->QObjektKod->setAsString(QStringLiteral("3"));
    q.post();
    QCOMPARE(scalarKL(*dm_, QStringLiteral("select count(*) from Objekt where Kod='00003'")).toInt(), 1);
}

void TestDmKL::duplicateHoliday_data() {
    QTest::addColumn<bool>("editing");
    QTest::newRow("new holiday") << false;
    QTest::newRow("edited holiday") << true;
}

void TestDmKL::duplicateHoliday() {
    QFETCH(bool, editing);
    tk::Dataset& q = *dm_->QSvatek;
    for (int day : {1, 6}) {
        q.insert();
        dm_->QSvatekDatum->setAsDateTime(tk::encodeDate(2026, 1, day));
        dm_->QSvatekNazev->setAsString(QStringLiteral("Svátek %1").arg(day));
        q.post();
    }
    if (editing) {
        QVERIFY(q.locate(QStringLiteral("Nazev"), QStringLiteral("Svátek 6")));
        q.edit();
    } else {
        q.insert();
    }
    dm_->QSvatekDatum->setAsDateTime(tk::encodeDate(2026, 1, 1));
    QVERIFY_THROWS_EXCEPTION(tk::Abort, q.post());
    QCOMPARE(dialogs_->texts(), QStringList{QStringLiteral("Duplicitní Datum !")});
    QCOMPARE(q.state(), editing ? tk::DatasetState::Edit : tk::DatasetState::Insert);
    QCOMPARE(dm_->QSvatekDatum->displayText(), QStringLiteral("01.01.2026"));
    q.cancel();
    QCOMPARE(scalarKL(*dm_, QStringLiteral("select count(*) from Svatek")).toInt(), 2);
}

void TestDmKL::firstClientId() {
    tk::Dataset& q = *dm_->QPacienti;
    for (const char* name : {"PRVNÍ", "DRUHÝ"}) {
        q.insert();
        dm_->QPacientiPrijmeni->setAsString(QString::fromUtf8(name));
        q.post();
    }
    q.close();
    q.open();
    QVERIFY(q.locate(QStringLiteral("Prijmeni"), QStringLiteral("PRVNÍ")));
    QCOMPARE(dm_->QPacientiIDPacienta->asInteger(), 11);
    QVERIFY(q.locate(QStringLiteral("Prijmeni"), QStringLiteral("DRUHÝ")));
    QCOMPARE(dm_->QPacientiIDPacienta->asInteger(), 12);
}

void TestDmKL::reservationRow() {
    addWorkplace(QStringLiteral("00007"), QStringLiteral("Vířivka"));
    execKL(*dm_, QStringLiteral("insert into Pracov (Kod,Prijmeni,Jmeno) values ('04','Malá','Eva')"));
    dm_->QObjekt->requery();
    dm_->QPracov->requery();

    // Written as a user writes it: into a founded day, before its end-of-day row.
    zalozDen(QStringLiteral("00007"), QDate(2026, 12, 10));
    tk::Dataset& q = *dm_->QReserve;
    q.last();
    q.insert();
    dm_->QReserveDatumCas->setAsDateTime(tk::encodeDate(2026, 12, 10) + tk::encodeTime(14, 30));
    dm_->QReserveDoba->setAsInteger(45);
    dm_->QReserveKodPrac->setAsString(QStringLiteral("4 "));
    dm_->QReserveJmenoPac->setAsString(QStringLiteral("NOVÁK Jan"));
    q.post();
    q.close();
    q.open();
    QVERIFY(q.locate(QStringLiteral("IDRes"), dm_->PosledniIDRes));
    QVERIFY(!dm_->QReserveHotovo->isNull());
    QCOMPARE(dm_->QReserveHotovo->asBoolean(), false);
    QCOMPARE(dm_->QReserveHotovo->displayText(), QStringLiteral("N"));
    QVERIFY(near(dm_->QReserveVDen->asDateTime(), tk::encodeDate(2026, 12, 10)));
    QVERIFY(
        near(dm_->QReserveVDatCasOd->asDateTime(), tk::encodeDate(2026, 12, 10) + tk::encodeTime(14, 30)));
    QVERIFY(
        near(dm_->QReserveVDatCasDo->asDateTime(), tk::encodeDate(2026, 12, 10) + tk::encodeTime(15, 15)));
    QCOMPARE(dm_->QReserveVDatCasDo->displayText(), QStringLiteral("15:15"));
    QCOMPARE(dm_->QReserveDatumCas->displayText(), QStringLiteral("čt 10.12.2026  14:30"));
    QCOMPARE(dm_->QReserveKodPrac->asString(), QStringLiteral("04"));
    QCOMPARE(dm_->QReserveVNazObj->asString(), QStringLiteral("Vířivka"));
    QCOMPARE(dm_->QReserveVJmPr->asString(), QStringLiteral("Malá Eva"));
}

void TestDmKL::fixedCodesCompareWithoutTrailingBlanks() {
    addWorkplace(QStringLiteral("123"), QStringLiteral("Krátký"));
    execKL(*dm_, QStringLiteral("insert into Reserve (Objekt,JmenoPac) values ('123','')"));
    execKL(*dm_, QStringLiteral("insert into BlokRes (Objekt,IdPC) values ('123','PC1')"));
    for (const QString& kod : {QStringLiteral("123"), QStringLiteral("123  ")}) {
        QCOMPARE(scalarKL(*dm_, "select count(*) from Objekt where Kod=" + tk::sqlText(kod)).toInt(), 1);
        QCOMPARE(scalarKL(*dm_, "select count(*) from Reserve where Objekt=" + tk::sqlText(kod)).toInt(), 1);
    }
    // An empty name matches the blank that marks a free slot.
    QCOMPARE(scalarKL(*dm_, QStringLiteral("select count(*) from Reserve where JmenoPac=' '")).toInt(), 1);
    // The lock column is varchar: the short code stays as written.
    QCOMPARE(scalarKL(*dm_, QStringLiteral("select Objekt from BlokRes")).toString(), QStringLiteral("123"));
    // A code that differs only by trailing blanks is the same key.
    QVERIFY_THROWS_EXCEPTION(tk::DatabaseError,
                             execKL(*dm_, QStringLiteral("insert into Objekt (Kod) values ('123 ')")));
}

void TestDmKL::dayQueryOccupiedMark() {
    // Written through a day query, which has no record rules of its own.
    tk::Dataset& po = *dm_->QPo;
    po.open();
    for (int i = 0; i < 3; ++i) {
        po.append();
        dm_->QPoDatumCas->setAsDateTime(tk::encodeDate(2026, 12, 7) + tk::encodeTime(8, 30 * i));
        if (i == 0)
            dm_->QPoJmenoPac->setAsString(QStringLiteral("NOVÁK Jan"));
        else if (i == 1)
            dm_->QPoJmenoPac->setAsString(QStringLiteral(" "));
        po.post();
    }
    po.close();
    const auto days = dm_->dnyTydne();
    for (tk::Dataset* d : days) {
        d->setSql(QStringLiteral("select * from Reserve order by DatumCas"));
        d->open();
        QStringList marks;
        tk::Field& volno = d->fieldByName(QStringLiteral("VVolno"));
        for (d->first(); !d->eof(); d->next())
            marks << volno.asString();
        QCOMPARE(marks, (QStringList{"O", " ", " "}));
        d->last();
        QCOMPARE(d->fieldByName(QStringLiteral("DatumCas")).displayText(), QStringLiteral("09:00"));
        d->close();
    }
    QCOMPARE(dm_->zdrojeDnu()[6]->dataset(), dm_->QNe);
}

QTEST_MAIN(TestDmKL)
#include "tst_dmkl.moc"
