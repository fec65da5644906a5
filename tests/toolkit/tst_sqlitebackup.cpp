#include "support/tk_TempSqlite.h"
#include "support/tk_TestEnv.h"

#include "toolkit/core/Connection.h"
#include "toolkit/core/Errors.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QtTest>

using namespace tk;

// The SQLite engine's restore: what is replaced, what is kept and what a station that keeps the file open
// sees afterwards.
class TestSqliteBackup : public QObject {
    Q_OBJECT

    // A backup file beside the database T, with one row in its table A.
    static QString zaloha(const tktest::TempSqlite& db, const QString& hodnota) {
        const QString soubor = db.folder() + QStringLiteral("/zaloha.bak");
        QFile::remove(soubor);
        {
            QSqlDatabase z = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("z"));
            z.setDatabaseName(soubor);
            z.open();
            QSqlQuery q(z);
            q.exec(QStringLiteral("create table A (x text)"));
            q.exec(QStringLiteral("insert into A values ('%1')").arg(hodnota));
            z.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("z"));
        return soubor;
    }

    static void obnov(const tktest::TempSqlite& db, RestoreRequest r) {
        Connection master(QStringLiteral("master"));
        master.setEngine(makeEngine(QStringLiteral("sqlite")));
        master.setConnectionString(
            QStringLiteral("Data Source =%1;Initial Catalog=master;").arg(db.folder()));
        master.open();
        r.catalog = QStringLiteral("T");
        master.restoreDatabase(r);
    }

private Q_SLOTS:
    void initTestCase() { tktest::installTestEnvironment(); }

    void theRestoredContentReachesAStationThatKeepsTheFileOpen() {
        tktest::TempSqlite db;
        db.exec(QStringLiteral("create table A (x text)"));
        db.exec(QStringLiteral("insert into A values ('stará')"));
        auto stanice = db.openAnother(QStringLiteral("stanice"));
        int kontrol = 0;
        RestoreRequest r;
        r.file = zaloha(db, QStringLiteral("nová"));
        r.check = [&](QSqlDatabase&) { ++kontrol; };
        obnov(db, r);
        QCOMPARE(kontrol, 2); // the backup before, the database after
        QCOMPARE(db.scalar(QStringLiteral("select x from A")).toString(), QStringLiteral("nová"));
        QSqlQuery q(stanice->database());
        QVERIFY(q.exec(QStringLiteral("select x from A")) && q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("nová"));
        QCOMPARE(QDir(db.folder()).entryList({QStringLiteral("T.sqlite*")}, QDir::Files),
                 QStringList{QStringLiteral("T.sqlite")});
    }

    void theOldDatabaseIsPutBackWhenTheNewOneFailsItsCheck() {
        tktest::TempSqlite db;
        db.exec(QStringLiteral("create table A (x text)"));
        db.exec(QStringLiteral("insert into A values ('stará')"));
        int kontrol = 0;
        RestoreRequest r;
        r.file = zaloha(db, QStringLiteral("nová"));
        r.check = [&](QSqlDatabase&) {
            if (++kontrol == 2)
                throw DatabaseError(QStringLiteral("neotevírá se"));
        };
        QVERIFY(!guard([&] { obnov(db, r); }));
        QCOMPARE(kontrol, 2);
        QCOMPARE(db.scalar(QStringLiteral("select x from A")).toString(), QStringLiteral("stará"));
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from A")).toInt(), 1);
        QCOMPARE(QDir(db.folder()).entryList({QStringLiteral("T.sqlite*")}, QDir::Files),
                 QStringList{QStringLiteral("T.sqlite")});
    }

    void theDatabaseItselfIsNoBackup() {
        tktest::TempSqlite db;
        db.exec(QStringLiteral("create table A (x text)"));
        RestoreRequest r;
        r.file = db.folder() + QStringLiteral("/T.sqlite");
        QVERIFY(!guard([&] { obnov(db, r); }));
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from A")).toInt(), 0);
    }
};

QTEST_MAIN(TestSqliteBackup)
#include "tst_sqlitebackup.moc"
