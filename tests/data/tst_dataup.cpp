#include "app/KLConect.h"
#include "data/DmKL.h"
#include "data/KLDataUp.h"
#include "support/KalendoFixture.h"
#include "support/tk_TestEnv.h"
#include "toolkit/core/Errors.h"
#include "toolkit/core/SqlDialect.h"

#include <QFileInfo>
#include <QtTest>
#include <cmath>

using namespace kltest;

namespace {

QStringList tablesOf(TDmKL& dm) {
    QStringList out;
    tk::Dataset& q = *dm.QPom;
    q.close();
    q.setSql(QStringLiteral("select name from sqlite_master where type='table' and name<>'sqlite_sequence' "
                            "order by name"));
    q.open();
    for (q.first(); !q.eof(); q.next())
        out << q.fields().front()->asString();
    q.close();
    return out;
}

// Records the order of the notice and the painting around the upgrade.
struct Trace {
    QStringList events;
    DataUpHooks hooks() {
        DataUpHooks h;
        h.ukazUpgrade = [this] { events << QStringLiteral("show"); };
        h.skryjUpgrade = [this] { events << QStringLiteral("hide"); };
        h.ukonciProgram = [this] { events << QStringLiteral("end"); };
        return h;
    }
};

class TracingWaiter : public tk::Waiter {
public:
    explicit TracingWaiter(QStringList* events) : events_(events) {}
    void processEvents() override { *events_ << QStringLiteral("paint"); }
    void wait(int) override {}

private:
    QStringList* events_;
};

std::unique_ptr<TDmKL> connectTo(const ProgramFolder& folder) {
    auto dm = std::make_unique<TDmKL>(folder.slozkaProgramu());
    int chyby = 0;
    PripojKL(*dm, chyby, folder.ini());
    if (chyby != 0)
        throw tk::DatabaseError(QStringLiteral("no connection"));
    return dm;
}

} // namespace

class TestDataUp : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { dialogs_ = &tktest::installTestEnvironment(); }

    void sqlServerTexts();
    void createThenUpgrade();
    void createRefusedWhenPresent();
    void currentVersionUnchanged();
    void otherVersionsRefused_data();
    void otherVersionsRefused();
    void failedUpgradeLeavesNoTables();
    void freeSlotsWrittenAsNullAreRepaired();
    void keysRefuseNull_data();
    void keysRefuseNull();

private:
    tktest::TestDialogs* dialogs_ = nullptr;
};

void TestDataUp::sqlServerTexts() {
    const tk::MssqlDialect mssql;
    QCOMPARE(PrikazyInstalace(QStringLiteral("C:\\Kinemo\\Kalend\\"), mssql),
             (QStringList{
                 "use master",
                 "create database Kalendo on (name='Kalendo', "
                 "filename='C:\\Kinemo\\Kalend\\data\\Kalendo.mdf')\r\n"
                 "log on (name='KalendoLog', filename='C:\\Kinemo\\Kalend\\data\\Kalendo.ldf')",
                 "use Kalendo",
                 "create table VerDatP (VerDatP int)",
                 "insert into VerDatP (VerDatP) values (0)",
                 "alter authorization on database::Kalendo to resv",
             }));
    QCOMPARE(
        PrikazyVerze1(mssql),
        (QStringList{
            "create table ParamP (PrOdH int, PrOdM int, PrDoH int, PrDoM int, PPOdH int, PPOdM int, PPDoH "
            "int, "
            "PPDoM int, So bit default '0', Ne bit default '0', Sv bit default '0', Heslo varchar(10), DbKN "
            "bit "
            "default '0', Zaloha datetime)",
            "insert into ParamP (PrOdH,PrOdM,PrDoH,PrDoM,PPOdH,PPOdM,PPDoH,PPDoM,So,Ne,Sv,Heslo,DbKN) values "
            "(8,0,16,30,11,30,12,30,0,0,0,'',0)",
            "create table Objekt (Kod char(5) primary key, Nazev varchar(50), Interval int, KPr char(2), Gpp "
            "bit "
            "default '0', Gin bit default '0', So bit default '0', Ne bit default '0', Sv bit default '0')",
            "create table Svatek (Datum datetime primary key, Nazev varchar(50))",
            "create table Pracov (Kod char(2) primary key, Titul varchar(6), Prijmeni varchar(20), Jmeno "
            "varchar(15))",
            "create table Pacienti (IDPacienta int identity(11,1) primary key, RC varchar(10), Titul "
            "varchar(6), "
            "Prijmeni varchar(20), Jmeno varchar(15), Ulice varchar(40), Misto varchar(40), PSC char(5), "
            "DatNar "
            "datetime, KodZP char(3), Telefon varchar(30), Mail varchar(40), Poznamka text)",
            "create table BlokRes (Objekt varchar(5), Datum datetime, IdPC varchar(10))",
            "create table Reserve (IDRes int identity(1,1) primary key, Objekt char(5), DatumCas datetime, "
            "Doba "
            "int, RCPacienta varchar(10), JmenoPac varchar(30), PKZadanky int, KodPrac char(2), Hotovo bit "
            "default '0')",
        }));
}

void TestDataUp::createThenUpgrade() {
    ProgramFolder folder;
    Trace trace;
    tk::setWaiter(std::make_unique<TracingWaiter>(&trace.events));
    {
        // First start: the own database is missing, the menu command creates it and ends the program.
        TDmKL dm(folder.slozkaProgramu());
        int chyby = 0;
        PripojKL(dm, chyby, folder.ini());
        QCOMPARE(chyby, 10);
        dialogs_->clear();
        trace.events.clear();
        InstalaceKL(dm, trace.hooks());
        QCOMPARE(dialogs_->texts(),
                 QStringList{QStringLiteral("Databáze Kalendo byla vytvořena.\r\n       Spusťte "
                                            "znovu program!\r\nNejdříve pak nastavte číselníky.")});
        QCOMPARE(trace.events, QStringList{QStringLiteral("end")});
        QVERIFY(!dm.SpojeniKL->isOpen());
        QVERIFY(QFileInfo(folder.dataFolder() + QStringLiteral("/Kalendo.sqlite")).isFile());
    }

    // Next start: version 0 becomes 1.
    auto dm = connectTo(folder);
    QCOMPARE(VerzeDat(*dm), 0);
    QCOMPARE(tablesOf(*dm), QStringList{QStringLiteral("VerDatP")});
    dialogs_->clear();
    trace.events.clear();
    bool ok = false;
    UpGradeDat(*dm, ok, trace.hooks());
    QVERIFY(ok);
    QCOMPARE(trace.events, (QStringList{"show", "paint", "hide"}));
    QCOMPARE(dialogs_->texts(), QStringList{QStringLiteral("Byl proveden UpGrade dat Kalendo na verzi 1.")});
    QCOMPARE(VerzeDat(*dm), 1);
    QCOMPARE(scalarKL(*dm, QStringLiteral("select count(*) from VerDatP")).toInt(), 1);
    QCOMPARE(tablesOf(*dm), (QStringList{"BlokRes", "Objekt", "Pacienti", "ParamP", "Pracov", "Reserve",
                                         "Svatek", "VerDatP"}));

    // The default parameter row: 8:00-16:30, pause 11:30-12:30, no weekend or holiday work, no password.
    dm->QParamP->open();
    QCOMPARE(dm->QParamP->recordCount(), 1);
    const QList<int> times{dm->QParamPPrOdH->asInteger(), dm->QParamPPrOdM->asInteger(),
                           dm->QParamPPrDoH->asInteger(), dm->QParamPPrDoM->asInteger(),
                           dm->QParamPPPOdH->asInteger(), dm->QParamPPPOdM->asInteger(),
                           dm->QParamPPPDoH->asInteger(), dm->QParamPPPDoM->asInteger()};
    QCOMPARE(times, (QList<int>{8, 0, 16, 30, 11, 30, 12, 30}));
    QVERIFY(!dm->QParamPSo->asBoolean() && !dm->QParamPNe->asBoolean() && !dm->QParamPSv->asBoolean());
    QVERIFY(!dm->QParamPDbKN->asBoolean());
    QCOMPARE(dm->QParamPHeslo->asString(), QString());
    QVERIFY(dm->QParamPZaloha->isNull());
    QVERIFY(dm->QParamPVPP->asBoolean());
    QVERIFY(std::abs(dm->QParamPVPrOd->asDateTime() - 8.0 / 24) < 1e-9);
    QVERIFY(std::abs(dm->QParamPVPrDo->asDateTime() - 16.5 / 24) < 1e-9);
    QVERIFY(std::abs(dm->QParamPVPPOd->asDateTime() - 11.5 / 24) < 1e-9);
    QVERIFY(std::abs(dm->QParamPVPPDo->asDateTime() - 12.5 / 24) < 1e-9);
    QCOMPARE(dm->QParamPPrOdH->displayText(), QStringLiteral("08"));
    QCOMPARE(dm->QParamPSo->displayText(), QStringLiteral("N"));

    // The row without a key can be written back.
    dm->QParamP->edit();
    dm->QParamPHeslo->setAsString(QStringLiteral("abc"));
    dm->QParamP->post();
    dm->QParamP->close();
    dm->QParamP->open();
    QCOMPARE(dm->QParamPHeslo->asString(), QStringLiteral("abc"));
}

void TestDataUp::createRefusedWhenPresent() {
    ProgramFolder folder;
    folder.createKalendo(0);
    TDmKL dm(folder.slozkaProgramu());
    int chyby = 0;
    PripojKL(dm, chyby, folder.ini());
    QCOMPARE(chyby, 0);
    Trace trace;
    // The error goes on to the general error report; no success message and the program goes on.
    QVERIFY_THROWS_EXCEPTION(tk::DatabaseError, InstalaceKL(dm, trace.hooks()));
    QVERIFY(dialogs_->texts().isEmpty());
    QVERIFY(trace.events.isEmpty());
}

void TestDataUp::currentVersionUnchanged() {
    ProgramFolder folder;
    folder.createKalendo(1);
    auto dm = connectTo(folder);
    Trace trace;
    bool ok = false;
    UpGradeDat(*dm, ok, trace.hooks());
    QVERIFY(ok);
    QVERIFY(dialogs_->texts().isEmpty());
    QVERIFY(trace.events.isEmpty());
}

void TestDataUp::otherVersionsRefused_data() {
    QTest::addColumn<int>("version");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("events");
    QTest::newRow("newer") << 2 << QStringList{QStringLiteral("Data pochází z vyšší verze programu Kalendo.")}
                           << QStringList{};
    // No step exists for it: the notice, then the version it still has.
    QTest::newRow("below 0") << -1
                             << QStringList{QStringLiteral("Byl proveden UpGrade dat Kalendo na verzi -1.")}
                             << QStringList{"show", "hide"};
}

void TestDataUp::otherVersionsRefused() {
    QFETCH(int, version);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, events);
    ProgramFolder folder;
    folder.createKalendo(version);
    auto dm = connectTo(folder);
    Trace trace;
    bool ok = false;
    UpGradeDat(*dm, ok, trace.hooks());
    QVERIFY(!ok);
    QCOMPARE(dialogs_->texts(), messages);
    QCOMPARE(trace.events, events);
    QCOMPARE(VerzeDat(*dm), version);
    QCOMPARE(tablesOf(*dm), QStringList{QStringLiteral("VerDatP")});
}

void TestDataUp::failedUpgradeLeavesNoTables() {
    ProgramFolder folder;
    folder.createKalendo(0);
    auto dm = connectTo(folder);
    // A table in the way makes the last creation fail.
    execKL(*dm, QStringLiteral("create table Reserve (x int)"));
    Trace trace;
    bool ok = false;
    QVERIFY_THROWS_EXCEPTION(tk::DatabaseError, UpGradeDat(*dm, ok, trace.hooks()));
    QVERIFY(!ok);
    QCOMPARE(trace.events, (QStringList{"show", "hide"}));
    QVERIFY(dialogs_->texts().isEmpty());
    QCOMPARE(VerzeDat(*dm), 0);
    QCOMPARE(tablesOf(*dm), (QStringList{"Reserve", "VerDatP"}));

    // Once the obstacle is gone the next start upgrades from the beginning.
    execKL(*dm, QStringLiteral("drop table Reserve"));
    UpGradeDat(*dm, ok, trace.hooks());
    QVERIFY(ok);
    QCOMPARE(VerzeDat(*dm), 1);
    QCOMPARE(tablesOf(*dm).size(), 8);
}

void TestDataUp::freeSlotsWrittenAsNullAreRepaired() {
    ProgramFolder folder;
    folder.createKalendo(1);
    auto dm = connectTo(folder);
    // As an earlier build wrote a founded day's slots: client and name NULL.
    execKL(*dm,
           QStringLiteral("insert into Reserve (Objekt,DatumCas,Doba,RCPacienta,JmenoPac,PKZadanky,KodPrac) "
                          "values ('00001','2026-12-10 08:00:00.000',0,'1','======ZPD=======',0,'00')"));
    for (const char* cas : {"08:00", "08:30", "09:00"})
        execKL(*dm, QStringLiteral("insert into Reserve (Objekt,DatumCas,Doba,PKZadanky,KodPrac) "
                                   "values ('00001','2026-12-10 %1:00.000',30,0,'00')")
                        .arg(QLatin1String(cas)));
    execKL(*dm, QStringLiteral("update Reserve set RCPacienta='8551011234',JmenoPac='Novák Jan' "
                               "where DatumCas='2026-12-10 09:00:00.000'"));
    bool ok = false;
    UpGradeDat(*dm, ok);
    QVERIFY(ok);
    QCOMPARE(dialogs_->texts(), QStringList());
    QCOMPARE(scalarKL(*dm, QStringLiteral("select count(*) from Reserve")).toInt(), 4);
    QCOMPARE(
        scalarKL(*dm, QStringLiteral("select count(*) from Reserve where RCPacienta is null or JmenoPac is "
                                     "null"))
            .toInt(),
        0);
    // The lists find them free again; the booking and the marker keep their texts.
    QCOMPARE(scalarKL(*dm, QStringLiteral("select count(*) from Reserve where JmenoPac= ' '")).toInt(), 2);
    QCOMPARE(
        scalarKL(*dm, QStringLiteral("select count(*) from Reserve where RCPacienta not in('1','2','3','4')"))
            .toInt(),
        3);
}

void TestDataUp::keysRefuseNull_data() {
    QTest::addColumn<bool>("earlierLayout");
    QTest::addColumn<bool>("rowWithoutKey");
    QTest::newRow("new database") << false << false;
    QTest::newRow("earlier layout") << true << false;
    // Rebuilding would lose the row without a key: that table stays as it is.
    QTest::newRow("earlier layout holding a row without a key") << true << true;
}

void TestDataUp::keysRefuseNull() {
    QFETCH(bool, earlierLayout);
    QFETCH(bool, rowWithoutKey);
    ProgramFolder folder;
    folder.createKalendo(1);
    auto dm = connectTo(folder);
    struct Table {
        QString name, oldLayout, row, rowWithoutKey;
    };
    const Table tables[] = {
        {"Objekt",
         "create table Objekt (Kod char(5) collate rtrim primary key, Nazev varchar(50) collate rtrim, "
         "Interval "
         "int, KPr char(2) collate rtrim, Gpp bit default '0', Gin bit default '0', So bit default '0', Ne "
         "bit "
         "default '0', Sv bit default '0')",
         "insert into Objekt (Kod,Nazev,Interval,KPr) values ('00001','Vana',30,'00')",
         "insert into Objekt (Nazev) values ('bez kódu')"},
        {"Svatek", "create table Svatek (Datum datetime primary key, Nazev varchar(50) collate rtrim)",
         "insert into Svatek (Datum,Nazev) values ('2026-12-24 00:00:00.000','Štědrý den')",
         "insert into Svatek (Nazev) values ('bez data')"},
        {"Pracov",
         "create table Pracov (Kod char(2) collate rtrim primary key, Titul varchar(6) collate rtrim, "
         "Prijmeni "
         "varchar(20) collate rtrim, Jmeno varchar(15) collate rtrim)",
         "insert into Pracov (Kod,Prijmeni) values ('01','Malá')",
         "insert into Pracov (Prijmeni) values ('bez')"},
    };
    for (const Table& t : tables) {
        if (earlierLayout) {
            execKL(*dm, QStringLiteral("drop table ") + t.name);
            execKL(*dm, t.oldLayout);
        }
        execKL(*dm, t.row);
        if (rowWithoutKey)
            execKL(*dm, t.rowWithoutKey);
    }
    bool ok = false;
    UpGradeDat(*dm, ok);
    QVERIFY(ok);
    for (const Table& t : tables) {
        const int rows = rowWithoutKey ? 2 : 1;
        QCOMPARE(scalarKL(*dm, QStringLiteral("select count(*) from ") + t.name).toInt(), rows);
        if (rowWithoutKey) {
            execKL(*dm, t.rowWithoutKey);
            continue;
        }
        // A second row without its key is refused as SQL Server refuses it.
        QVERIFY_THROWS_EXCEPTION(tk::DatabaseError, execKL(*dm, t.rowWithoutKey));
        QCOMPARE(scalarKL(*dm, QStringLiteral("select count(*) from ") + t.name).toInt(), rows);
    }
    // Keys still compare as before: trailing blanks ignored, duplicates refused.
    QVERIFY_THROWS_EXCEPTION(tk::DatabaseError,
                             execKL(*dm, QStringLiteral("insert into Pracov (Kod) values ('01 ')")));
}

QTEST_MAIN(TestDataUp)
#include "tst_dataup.moc"
