#include "support/tk_TempSqlite.h"
#include "support/tk_TestEnv.h"
#include "toolkit/core/Dataset.h"
#include "toolkit/core/SqlDialect.h"

#include <QtTest>

using namespace tk;

class TestSqlDialect : public QObject {
    Q_OBJECT

    static QString render(const SqlDialect& d, const QString& construct) {
        const QDate wed(2026, 12, 9);
        const TDateTime now = encodeDate(2026, 12, 10) + encodeTime(10, 0);
        if (construct == QLatin1String("day"))
            return d.dayEquals(QStringLiteral("DatumCas"), wed);
        if (construct == QLatin1String("weekStart"))
            return d.dateShifted(wed, 1, 3);
        if (construct == QLatin1String("weekEnd"))
            return d.dateShifted(wed, 8, 3);
        if (construct == QLatin1String("month"))
            return d.monthEquals(QStringLiteral("DatumCas"), 5);
        if (construct == QLatin1String("year"))
            return d.yearEquals(QStringLiteral("DatumCas"), 2026);
        if (construct == QLatin1String("yearFunction"))
            return d.yearFunctionEquals(QStringLiteral("Datum"), 2026);
        if (construct == QLatin1String("fromToday"))
            return d.fromToday(QStringLiteral("DatumCas"), now);
        if (construct == QLatin1String("dateLiteral"))
            return d.dateLiteral(wed);
        if (construct == QLatin1String("before"))
            return d.before(QStringLiteral("DatumCas"), wed);
        if (construct == QLatin1String("dateValue"))
            return d.dateValue(wed);
        if (construct == QLatin1String("holdLock"))
            return d.holdLockHint();
        if (construct == QLatin1String("index"))
            return d
                .createIndex(QStringLiteral("Ix"), QStringLiteral("Reserve"), {QStringLiteral("DatumCas")},
                             false)
                .join(QStringLiteral("\n"));
        if (construct == QLatin1String("left"))
            return d.left(QStringLiteral("JmenoPac"), 2);
        if (construct == QLatin1String("createTable"))
            return d
                .createTable(
                    QStringLiteral("Pacienti"),
                    {{QStringLiteral("IDPacienta"), QStringLiteral("int"), true, 11, {}},
                     {QStringLiteral("RC"), QStringLiteral("varchar(10)"), false, 0, {}},
                     {QStringLiteral("Hotovo"), QStringLiteral("bit"), false, 0, QStringLiteral("'0'")}})
                .join(QStringLiteral("\n"));
        if (construct == QLatin1String("insert"))
            return d.insertReturning(QStringLiteral("Reserve"),
                                     {QStringLiteral("Objekt"), QStringLiteral("Doba")},
                                     QStringLiteral("IDRes"));
        return {};
    }

private Q_SLOTS:
    void initTestCase() { tktest::installTestEnvironment(); }

    void sqlServerGetsTheTextsAsWritten_data() {
        QTest::addColumn<QString>("construct");
        QTest::addColumn<QString>("text");
        QTest::newRow("day") << "day"
                             << "convert(varchar(10),DatumCas,112)='20261209'";
        QTest::newRow("week start") << "weekStart"
                                    << "convert(datetime,'20261209',112)+1-3";
        QTest::newRow("week end") << "weekEnd"
                                  << "convert(datetime,'20261209',112)+8-3";
        QTest::newRow("month") << "month"
                               << "convert(varchar(2),DatePart(Month,DatumCas))='5'";
        QTest::newRow("year") << "year"
                              << "convert(varchar(4),DatePart(Year,DatumCas))='2026'";
        QTest::newRow("year()") << "yearFunction"
                                << "year(Datum)='2026'";
        QTest::newRow("from today") << "fromToday"
                                    << "Ceiling(Cast(DatumCas as float))>=Ceiling(Cast(GetDate() as float))";
        QTest::newRow("date literal") << "dateLiteral"
                                      << "'2026-12-09'";
        QTest::newRow("before a day") << "before"
                                      << "DatumCas<'20261209'";
        QTest::newRow("left") << "left"
                              << "left(JmenoPac,2)";
        QTest::newRow("date value") << "dateValue"
                                    << "convert(datetime,'20261209',112)";
        QTest::newRow("hold lock") << "holdLock"
                                   << " with (updlock,holdlock)";
        QTest::newRow("no extra index") << "index"
                                        << "";
        QTest::newRow("identity") << "createTable"
                                  << "create table Pacienti (IDPacienta int identity(11,1) primary key, RC "
                                     "varchar(10), Hotovo bit default '0')";
        QTest::newRow("insert") << "insert"
                                << "insert into Reserve (Objekt,Doba) output inserted.IDRes values (?,?)";
    }

    void sqlServerGetsTheTextsAsWritten() {
        QFETCH(QString, construct);
        QFETCH(QString, text);
        QCOMPARE(render(MssqlDialect(), construct), text);
    }

    // The SQLite texts must give the same rows as SQL Server would.
    void sqliteGivesTheSameResults_data() {
        QTest::addColumn<QString>("stamp");
        QTest::addColumn<bool>("day");
        QTest::addColumn<bool>("week");
        QTest::addColumn<bool>("month");
        QTest::addColumn<bool>("fromToday");
        QTest::newRow("week's Monday 00:00") << "2026-12-07 00:00:00.000" << false << false << true << false;
        QTest::newRow("week's Monday 00:01") << "2026-12-07 00:01:00.000" << false << true << true << false;
        QTest::newRow("selected day 00:00") << "2026-12-09 00:00:00.000" << true << true << true << false;
        QTest::newRow("selected day 23:59") << "2026-12-09 23:59:00.000" << true << true << true << false;
        QTest::newRow("today 00:00") << "2026-12-10 00:00:00.000" << false << true << true << false;
        QTest::newRow("today 00:01") << "2026-12-10 00:01:00.000" << false << true << true << true;
        QTest::newRow("next Monday 00:00") << "2026-12-14 00:00:00.000" << false << false << true << true;
        QTest::newRow("another month") << "2027-01-09 10:00:00.000" << false << false << false << true;
        QTest::newRow("same month, other year")
            << "2025-12-09 10:00:00.000" << false << false << true << false;
    }

    void sqliteGivesTheSameResults() {
        QFETCH(QString, stamp);
        QFETCH(bool, day);
        QFETCH(bool, week);
        QFETCH(bool, month);
        QFETCH(bool, fromToday);
        tktest::TempSqlite db;
        db.exec(QStringLiteral("create table R (DatumCas datetime)"));
        db.exec(QStringLiteral("insert into R values ('%1')").arg(stamp));
        const SqliteDialect d;
        const QDate wed(2026, 12, 9);
        const auto count = [&](const QString& where) {
            return db.scalar(QStringLiteral("select count(*) from R where 1=1 and ") + where).toInt() == 1;
        };
        QCOMPARE(count(d.dayEquals(QStringLiteral("DatumCas"), wed)), day);
        QCOMPARE(count(QStringLiteral("DatumCas>") + d.dateShifted(wed, 1, 3) +
                       QStringLiteral(" and DatumCas<") + d.dateShifted(wed, 8, 3)),
                 week);
        QCOMPARE(count(d.monthEquals(QStringLiteral("DatumCas"), 12)),
                 month && stamp.startsWith(QLatin1String("202")) && stamp.mid(5, 2) == QLatin1String("12"));
        QCOMPARE(count(d.monthEquals(QStringLiteral("DatumCas"), 12) + QStringLiteral(" and ") +
                       d.yearEquals(QStringLiteral("DatumCas"), 2026)),
                 month && stamp.startsWith(QLatin1String("2026")));
        QCOMPARE(count(d.fromToday(QStringLiteral("DatumCas"), encodeDate(2026, 12, 10) + encodeTime(10, 0))),
                 fromToday);
    }

    void sqliteIdentityStartsAtItsSeed() {
        tktest::TempSqlite db;
        for (const QString& s : db.connection().dialect().createTable(
                 QStringLiteral("Pacienti"),
                 {{QStringLiteral("IDPacienta"), QStringLiteral("int"), true, 11, {}},
                  {QStringLiteral("RC"), QStringLiteral("varchar(10)"), false, 0, {}}}))
            db.exec(s);
        db.exec(QStringLiteral("insert into Pacienti (RC) values ('1')"));
        db.exec(QStringLiteral("insert into Pacienti (RC) values ('2')"));
        QCOMPARE(db.scalar(QStringLiteral("select min(IDPacienta) from Pacienti")).toInt(), 11);
        QCOMPARE(db.scalar(QStringLiteral("select max(IDPacienta) from Pacienti")).toInt(), 12);
    }

    void sqliteCatalogueStatements() {
        QTemporaryDir dir;
        Connection master(QStringLiteral("m"));
        master.setEngine(makeEngine(QStringLiteral("sqlite")));
        master.setConnectionString(
            QStringLiteral("Data Source =%1/data;Initial Catalog=master;").arg(dir.path()));
        master.open();
        master.execute(QStringLiteral("use master"));
        master.execute(
            QStringLiteral("create database Kalendo on (name='Kalendo', filename='x')\r\nlog on (name='y')"));
        QVERIFY(QFile::exists(dir.path() + QStringLiteral("/data/Kalendo.sqlite")));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, master.execute(QStringLiteral("create database Kalendo")));
        master.execute(QStringLiteral("use Kalendo"));
        master.execute(QStringLiteral("create table VerDatP (VerDatP int)"));
        master.execute(QStringLiteral("alter authorization on database::Kalendo to resv"));
        master.execute(QStringLiteral("set datefirst 1"));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, master.execute(QStringLiteral("use Nikde")));
        master.close();

        Connection kl(QStringLiteral("kl"));
        kl.setEngine(makeEngine(QStringLiteral("sqlite")));
        kl.setConnectionString(
            QStringLiteral("Data Source =%1/data;Initial Catalog=Kalendo;").arg(dir.path()));
        kl.open();
        kl.execute(QStringLiteral("insert into VerDatP values (0)"));
        Connection missing(QStringLiteral("x"));
        missing.setEngine(makeEngine(QStringLiteral("sqlite")));
        missing.setConnectionString(
            QStringLiteral("Data Source =%1/data;Initial Catalog=Kinemo;").arg(dir.path()));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, missing.open());
        QVERIFY(!missing.isOpen());
        QVERIFY(!QFile::exists(dir.path() + QStringLiteral("/data/Kinemo.sqlite")));
    }

    void readOnlyConnectionRefusesWrites() {
        tktest::TempSqlite db;
        db.exec(QStringLiteral("create table T1 (A int)"));
        Connection ro(QStringLiteral("ro"));
        ro.setEngine(makeEngine(QStringLiteral("sqlite")));
        ro.setConnectionString(db.connectionString());
        ro.setReadOnly(true);
        ro.open();
        QVERIFY_THROWS_EXCEPTION(DatabaseError, ro.execute(QStringLiteral("insert into T1 values (1)")));
        Dataset ds(QStringLiteral("Q"));
        ds.setConnection(&ro);
        ds.setSql(QStringLiteral("select * from T1"));
        ds.open();
        ds.insert();
        ds.fieldByName(QStringLiteral("A")).setAsInteger(1);
        QVERIFY_THROWS_EXCEPTION(DatabaseError, ds.post());
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from T1")).toInt(), 0);
    }

    void transactionIsAllOrNothing() {
        tktest::TempSqlite db;
        db.exec(QStringLiteral("create table T1 (A int)"));
        QVERIFY_THROWS_EXCEPTION(DatabaseError, db.connection().inTransaction([&] {
            db.exec(QStringLiteral("insert into T1 values (1)"));
            db.exec(QStringLiteral("insert into Nowhere values (2)"));
        }));
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from T1")).toInt(), 0);
        db.connection().inTransaction([&] { db.exec(QStringLiteral("insert into T1 values (1)")); });
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from T1")).toInt(), 1);
    }

    void aNestedTransactionIsRefusedAndTheOuterOneRollsBack() {
        tktest::TempSqlite db;
        db.exec(QStringLiteral("create table T1 (A int)"));
        bool innerRan = false;
        QVERIFY_THROWS_EXCEPTION(DatabaseError, db.connection().inTransaction([&] {
            db.exec(QStringLiteral("insert into T1 values (1)"));
            db.connection().inTransaction([&] { innerRan = true; });
        }));
        QVERIFY(!innerRan);
        QVERIFY(!db.connection().isInTransaction());
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from T1")).toInt(), 0);
        // The connection is usable for the next transaction.
        db.connection().inTransaction([&] { db.exec(QStringLiteral("insert into T1 values (2)")); });
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from T1")).toInt(), 1);
    }
};

QTEST_GUILESS_MAIN(TestSqlDialect)
#include "tst_sqldialect.moc"
