#include "app/FoCekat.h"
#include "app/KLConect.h"
#include "data/DmKL.h"
#include "data/KLDataUp.h"
#include "support/KalendoFixture.h"
#include "support/tk_TestEnv.h"
#include "toolkit/core/Errors.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

using namespace kltest;

namespace {

// Records, each time window messages are processed, whether the wait window is up and what it says.
class WatchingWaiter : public tk::Waiter {
public:
    void processEvents() override {
        if (!FoCekat)
            return;
        seen << FoCekat->LbCekat->text();
        position = FoCekat->pos();
        look = QStringLiteral("%1 %2x%3 %4 bold=%5 px=%6")
                   .arg(FoCekat->windowTitle())
                   .arg(FoCekat->width())
                   .arg(FoCekat->height())
                   .arg(FoCekat->palette().color(QPalette::Window).name())
                   .arg(FoCekat->LbCekat->font().bold())
                   .arg(FoCekat->LbCekat->font().pixelSize());
    }
    void wait(int) override {}
    QStringList seen;
    QPoint position;
    QString look;
};

bool waitWindowLeft() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("FoCekat"))
            return true;
    return FoCekat != nullptr;
}

const QString kKLFailed =
    QStringLiteral(" Připojení k databási Kalendo se nezdařilo !\r\n Byla již provedena "
                   "instalace nové databáze ?\r\n (Kalendo->Nabídka 3.Servis->3.Instalace "
                   "databáze)");
const QString kKNFailed =
    QStringLiteral(" Připojení k databási Kinemo se nezdařilo !\r\n Byla již provedena "
                   "instalace nové databáze ?\r\n (Kinemo->Nabídka 5.Servis->4.Instalace->1.Nová "
                   "databáze)");

} // namespace

class TestConnect : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        dialogs_ = &tktest::installTestEnvironment();
        auto waiter = std::make_unique<WatchingWaiter>();
        waiter_ = waiter.get();
        tk::setWaiter(std::move(waiter));
    }

    void connectionString_data();
    void connectionString();
    void masterString_data();
    void masterString();
    void failedConnection_data();
    void failedConnection();
    void connectsAndReadsStation();
    void siblingIsReadOnly();
    void alreadyOpenStaysAsItIs();
    void relativeDataSourceIsTheProgramsFolder();

private:
    tktest::TestDialogs* dialogs_ = nullptr;
    WatchingWaiter* waiter_ = nullptr;
};

void TestConnect::connectionString_data() {
    QTest::addColumn<bool>("withFile");
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QString>("catalog");
    QTest::addColumn<QString>("expected"); // %DATA% stands for the program's data folder

    const QString base = QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=True;;Work Station ID=.;");
    QTest::newRow("no file") << false << QString() << "Kalendo"
                             << base +
                                    "Data Source =%DATA%;Initial Catalog=Kalendo;User ID=resv;Password=qvzt;";
    QTest::newRow("no section")
        << true << "[Jine]\r\nUser=sa\r\nPsw=x\r\nDataSource=SRV\r\n"
        << "Kinemo" << base + "Data Source =%DATA%;Initial Catalog=Kinemo;User ID=resv;Password=qvzt;";
    QTest::newRow("SQL Server default instance")
        << true << "[Connect]\r\nEngine=mssql\r\n"
        << "Kalendo" << base + "Data Source =.\\KINEMO;Initial Catalog=Kalendo;User ID=resv;Password=qvzt;";
    QTest::newRow("User=sa without Psw")
        << true << "[Connect]\r\nEngine=mssql\r\nUser=sa\r\n"
        << "Kalendo"
        << base + "Data Source =.\\KINEMO;Initial Catalog=Kalendo;User ID=sa;Password=kbRW58/36;";
    QTest::newRow("User= empty")
        << true << "[Connect]\r\nEngine=mssql\r\nUser=\r\nPsw=tajne\r\n"
        << "Kinemo" << base + "Data Source =.\\KINEMO;Initial Catalog=Kinemo;User ID=;Password=qvzt;";
    QTest::newRow("every key")
        << true
        << "[connect]\r\nPSI=False\r\nIS=Encrypt=no\r\nWorkStationID=RECEPCE\r\n"
           "DataSource=SRV\\SQL2\r\nUser=jan\r\nPsw=a/b\r\nIdPc=PC1\r\n"
        << "Kinemo"
        << "Provider=SQLOLEDB.1;Persist Security Info=False;Encrypt=no;Work Station "
           "ID=RECEPCE;Data Source =SRV\\SQL2;Initial Catalog=Kinemo;User ID=jan;Password=a/b;";
    QTest::newRow("empty keys") << true << "[Connect]\r\nPSI=\r\nIS=\r\nWorkStationID=\r\nDataSource=\r\n"
                                << "Kalendo"
                                << "Provider=SQLOLEDB.1;Persist Security Info=;;Work Station ID=;Data Source "
                                   "=;Initial Catalog=Kalendo;User ID=resv;Password=qvzt;";
}

void TestConnect::connectionString() {
    QFETCH(bool, withFile);
    QFETCH(QString, ini);
    QFETCH(QString, catalog);
    QFETCH(QString, expected);
    ProgramFolder folder;
    if (withFile)
        folder.writeIni(ini);
    const tk::IniFile settings = folder.ini();
    const QString text =
        RetezecPripojeni(settings, catalog, VychoziDataSource(KLEngine(settings), folder.slozkaProgramu()));
    QCOMPARE(text, expected.replace(QStringLiteral("%DATA%"), folder.dataFolder()));
}

void TestConnect::masterString_data() {
    QTest::addColumn<QString>("kalendo");
    QTest::addColumn<QString>("master");
    QTest::newRow("default")
        << "Provider=SQLOLEDB.1;Persist Security Info=True;;Work Station ID=.;Data Source "
           "=.\\KINEMO;Initial Catalog=Kalendo;User ID=resv;Password=qvzt;"
        << "Provider=SQLOLEDB.1;Persist Security Info=True;;Work Station ID=.;Data Source "
           "=.\\KINEMO;Initial Catalog=master;User ID=resv;Password=qvzt;";
    QTest::newRow("login and password")
        << "Data Source =.\\KINEMO;Initial Catalog=Kalendo;User ID=KalendoAdm;"
           "Password=xKalendoKalendo;"
        << "Data Source =.\\KINEMO;Initial Catalog=master;User ID=masterAdm;"
           "Password=xmastermaster;";
    QTest::newRow("case-sensitive") << "Initial Catalog=Kalendo;User ID=KALENDO;"
                                    << "Initial Catalog=master;User ID=KALENDO;";
    // The server, or SQLite's folder, stays the one the program uses.
    QTest::newRow("data source kept") << "Data Source =/srv/Kalendo/Kalend/data;Initial Catalog=Kalendo;"
                                      << "Data Source =/srv/Kalendo/Kalend/data;Initial Catalog=master;";
}

void TestConnect::masterString() {
    QFETCH(QString, kalendo);
    QFETCH(QString, master);
    QCOMPARE(RetezecMaster(kalendo), master);
}

void TestConnect::failedConnection_data() {
    QTest::addColumn<bool>("own");
    QTest::addColumn<QString>("ini");
    QTest::addColumn<int>("counterBefore");
    QTest::addColumn<int>("counterAfter");
    QTest::addColumn<QString>("message");
    QTest::newRow("Kalendo missing") << true << "" << 0 << 10 << kKLFailed;
    QTest::newRow("Kinemo missing") << false << "" << 0 << 1 << kKNFailed;
    QTest::newRow("both failed") << false << "" << 10 << 11 << kKNFailed;
    // The cause is named: the file, the key, the value and the values the program knows.
    QTest::newRow("unknown engine") << true << "[Connect]\r\nEngine=abc\r\n"
                                    << 0 << 10
                                    << kKLFailed +
                                           "\r\n\r\nSoubor %INI%, sekce [Connect], klíč Engine: "
                                           "neznámá hodnota \"abc\".\r\nZnámé hodnoty: sqlite, mssql.";
    QTest::newRow("no SQL Server") << false << "[Connect]\r\nEngine=mssql\r\nDataSource=127.0.0.1,1\r\n"
                                   << 0 << 1 << kKNFailed;
}

void TestConnect::failedConnection() {
    QFETCH(bool, own);
    QFETCH(QString, ini);
    QFETCH(int, counterBefore);
    QFETCH(int, counterAfter);
    QFETCH(QString, message);
    ProgramFolder folder;
    folder.writeIni(ini);
    TDmKL dm(folder.slozkaProgramu());
    QWidget main;
    main.move(40, 20);
    int chyby = counterBefore;
    if (own)
        PripojKL(dm, chyby, folder.ini(), &main);
    else
        PripojKN(dm, chyby, folder.ini(), &main);

    QCOMPARE(chyby, counterAfter);
    QCOMPARE(dialogs_->texts(), QStringList{message.replace(QStringLiteral("%INI%"),
                                                            QDir::toNativeSeparators(folder.iniPath()))});
    QCOMPARE(dialogs_->shown().front().icon, tk::MessageIcon::Error);
    QVERIFY(!waitWindowLeft());
    QCOMPARE(waiter_->seen.value(0),
             own ? QStringLiteral("Čekejte prosím na KL") : QStringLiteral("Čekejte prosím na KN"));
    QCOMPARE(waiter_->position, main.pos() + QPoint(185, 330));
    tk::Connection* c = own ? dm.SpojeniKL : dm.SpojeniKN;
    QVERIFY(!c->isOpen());
    // The database creation builds its own string from the one left behind.
    QVERIFY(c->connectionString().contains(own ? QLatin1String("Initial Catalog=Kalendo;")
                                               : QLatin1String("Initial Catalog=Kinemo;")));
}

void TestConnect::connectsAndReadsStation() {
    ProgramFolder folder;
    folder.writeIni(QStringLiteral("[Connect]\r\nIdPc=RECEPCE-01-XYZ\r\n"));
    folder.createKalendo();
    waiter_->seen.clear();
    TDmKL dm(folder.slozkaProgramu());
    int chyby = 0;
    PripojKL(dm, chyby, folder.ini());
    QCOMPARE(chyby, 0);
    QVERIFY(dialogs_->texts().isEmpty());
    QVERIFY(dm.SpojeniKL->isOpen());
    QVERIFY(!dm.SpojeniKL->readOnly());
    QCOMPARE(dm.SpojeniKL->engine()->name(), QStringLiteral("sqlite"));
    QVERIFY(!waitWindowLeft());
    QCOMPARE(waiter_->seen, QStringList{QStringLiteral("Čekejte prosím na KL")});
    QCOMPARE(waiter_->look, QStringLiteral("Probíhá připojení k SQL Serveru 277x23 #ff0000 bold=1 px=16"));
    // The lock column holds ten characters.
    QCOMPARE(IdPc, QStringLiteral("RECEPCE-01"));

    folder.writeIni(QString());
    TDmKL dm2(folder.slozkaProgramu());
    PripojKL(dm2, chyby, folder.ini());
    QCOMPARE(chyby, 0);
    QCOMPARE(IdPc, QStringLiteral("??"));
}

void TestConnect::siblingIsReadOnly() {
    ProgramFolder folder;
    folder.createKinemo();
    TDmKL dm(folder.slozkaProgramu());
    int chyby = 0;
    PripojKN(dm, chyby, folder.ini());
    QCOMPARE(chyby, 0);
    QVERIFY(dm.SpojeniKN->isOpen());
    QVERIFY(dm.SpojeniKN->readOnly());
    QVERIFY(!waitWindowLeft());

    dm.QPacienti->setConnection(dm.SpojeniKN);
    dm.QPacienti->setSql(QStringLiteral("select * from Pacienti order by RC"));
    dm.QPacienti->open();
    QCOMPARE(dm.QPacienti->recordCount(), 2);
    QCOMPARE(dm.QPacientiVCeleJmeno->asString(), QStringLiteral("DVOŘÁK Petr "));
    dm.QPacienti->edit();
    dm.QPacientiPrijmeni->setAsString(QStringLiteral("JINÝ"));
    QVERIFY_THROWS_EXCEPTION(tk::DatabaseError, dm.QPacienti->post());
    dm.QPacienti->cancel();
    dm.PrikazKN->setCommandText(QStringLiteral("delete from Pacienti"));
    QVERIFY_THROWS_EXCEPTION(tk::DatabaseError, dm.PrikazKN->execute());

    dm.QPacienti->close();
    dm.QPacienti->open();
    QCOMPARE(dm.QPacienti->recordCount(), 2);
    QCOMPARE(dm.QPacientiPrijmeni->asString(), QStringLiteral("DVOŘÁK"));
}

void TestConnect::alreadyOpenStaysAsItIs() {
    ProgramFolder folder;
    folder.createKalendo();
    TDmKL dm(folder.slozkaProgramu());
    int chyby = 0;
    PripojKL(dm, chyby, folder.ini());
    QVERIFY(dm.SpojeniKL->isOpen());
    const QString before = dm.SpojeniKL->connectionString();
    waiter_->seen.clear();

    // A settings file that would now fail is not read again.
    folder.writeIni(QStringLiteral("[Connect]\r\nEngine=abc\r\nIdPc=JINY\r\n"));
    PripojKL(dm, chyby, folder.ini());
    QCOMPARE(chyby, 0);
    QVERIFY(dialogs_->texts().isEmpty());
    QVERIFY(dm.SpojeniKL->isOpen());
    QCOMPARE(dm.SpojeniKL->connectionString(), before);
    QCOMPARE(IdPc, QStringLiteral("??"));
    QCOMPARE(waiter_->seen, QStringList{QStringLiteral("Čekejte prosím na KL")});
    QVERIFY(!waitWindowLeft());
}

void TestConnect::relativeDataSourceIsTheProgramsFolder() {
    ProgramFolder folder;
    // The database lies in the program's folder under the relative name.
    {
        const QString data = folder.slozkaProgramu() + QStringLiteral("databaze");
        folder.writeIni(QStringLiteral("[Connect]\r\nDataSource=") + data + QStringLiteral("\r\n"));
        folder.createKalendo(1);
        folder.writeIni(QStringLiteral("[Connect]\r\nDataSource=databaze\r\n"));
    }
    // Started from another folder, the station finds the same database.
    QTemporaryDir elsewhere;
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(elsewhere.path()));
    TDmKL dm(folder.slozkaProgramu());
    int chyby = 0;
    PripojKL(dm, chyby, folder.ini());
    QVERIFY(QDir::setCurrent(before));
    QCOMPARE(dialogs_->texts(), QStringList());
    QCOMPARE(chyby, 0);
    QCOMPARE(tk::ConnectionPieces::value(dm.SpojeniKL->connectionString(), QStringLiteral("Data Source")),
             folder.slozkaProgramu() + QStringLiteral("databaze"));
    QVERIFY(!QFileInfo::exists(elsewhere.path() + QStringLiteral("/databaze")));
}

QTEST_MAIN(TestConnect)
#include "tst_connect.moc"
