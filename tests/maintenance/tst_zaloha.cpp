#include "UdrzbaProgram.h"

#include "maintenance/UdrzbaDat.h"
#include "toolkit/core/Engine.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

using namespace kltest;
using N = tk::DBNavigator;

namespace {

const QString kOtazkaPrepsani = QStringLiteral(
    "Bude provedeno kompletní přemazání dat!\r\nOstatní uživatelé musí být od této databáze odpojeni!");
const QString kNezdarila = QStringLiteral(" Obnova databáse Kalendo se nezdařila !");
const QString kSpustte = QStringLiteral("Spusťte znovu program !");

} // namespace

// Backup to a file and restore from it, driven through the menu "3 Servis" of the running program.
class TestZaloha : public QObject {
    Q_OBJECT

    tktest::TestDialogs* dialogs = nullptr;
    std::unique_ptr<Prehled> t;

    TFoKL& w() { return t->w(); }
    QString databaze() const { return t->folder.dataFolder() + QStringLiteral("/Kalendo.sqlite"); }
    QString zaloha(const QString& jmeno = QStringLiteral("z.bak")) const {
        return t->folder.slozkaProgramu() + QStringLiteral("Zaloha/") + jmeno;
    }

    // A founded day of the workplace 00001 with the 8:00 slot booked, as the user does it.
    void zalozDenSRezervaci() {
        t->pracovisteDen(QStringLiteral("00001"), dnes());
        QVERIFY(tk::guard([&] { w().PSeznam->ZalozNovyDen(); }));
        zarezervuj(2, QStringLiteral("8551011234"), QStringLiteral("NOVÁKOVÁ Jana"));
    }

    void zarezervuj(int radek, const QString& rc, const QString& jmeno) {
        DmKL->QReserve->setRecNo(radek);
        w().PSeznam->Navigator->click(N::Edit);
        QCOMPARE(DmKL->QReserve->state(), tk::DatasetState::Edit);
        DmKL->QReserveRCPacienta->setAsString(rc);
        DmKL->QReserveJmenoPac->setAsString(jmeno);
        w().PSeznam->Navigator->click(N::Post);
        QCOMPARE(DmKL->QReserve->state(), tk::DatasetState::Browse);
    }

    bool zalohuj(const QString& soubor) {
        dialogs->clear();
        dialogs->fileNext(soubor);
        w().N31Zaloha->trigger();
        return dialogs->texts() == QStringList{QStringLiteral("Záloha dat byla provedena.")};
    }

    // Ctrl+F9, then the restore with the file and both questions answered.
    void obnov(const QString& soubor, bool prvni = true, bool druha = true) {
        QTest::keyClick(&w(), Qt::Key_F9, Qt::ControlModifier);
        QVERIFY(w().N32Obnova->isEnabled());
        dialogs->clear();
        if (!soubor.isNull())
            dialogs->fileNext(soubor);
        dialogs->answerNext(prvni);
        dialogs->answerNext(druha);
        w().N32Obnova->trigger();
    }

    void restart() {
        t->program.reset();
        t->program = std::make_unique<Program>(t->folder);
        QVERIFY(t->program->activate());
        t->program->givePassword(QString());
        QVERIFY(w().isUnlocked());
    }

private Q_SLOTS:
    void init() {
        dialogs = &tktest::installTestEnvironment();
        t = std::make_unique<Prehled>();
        QVERIFY(t->ok);
        dialogs->clear();
    }
    void cleanup() { t.reset(); }

    void theProposedNameAndCancel() {
        tktest::testClock().set(tk::encodeDate(2022, 1, 3) + tk::encodeTime(9, 5));
        const QString panel = w().statusText(3);
        w().N31Zaloha->trigger();
        QCOMPARE(dialogs->lastProposedName, QStringLiteral("Kalendo_220103_0905"));
        QCOMPARE(dialogs->lastFolder, t->folder.slozkaProgramu() + QStringLiteral("Zaloha"));
        QCOMPARE(dialogs->lastTitle, QStringLiteral("Záloha dat"));
        QCOMPARE(dialogs->lastSuffix, QStringLiteral("bak"));
        QCOMPARE(dialogs->texts(), QStringList{QStringLiteral("Záloha dat NEbyla provedena!")});
        QCOMPARE(w().statusText(3), panel);
        QVERIFY(!w().N31Zaloha->isChecked());
        QVERIFY(scalarKL(*DmKL, QStringLiteral("select Zaloha from ParamP")).isNull());
    }

    void aBackupIsRecorded() {
        zalozDenSRezervaci();
        const QStringList pred = obsahDatabaze(databaze());
        QVERIFY(!w().N31Zaloha->isChecked());
        QVERIFY(zalohuj(zaloha()));
        QCOMPARE(w().statusText(3), QStringLiteral("Poslední záloha provedena : 10.12.2026"));
        QVERIFY(w().N31Zaloha->isChecked());
        QCOMPARE(DmKL->QParamPZaloha->asDateTime(), tk::encodeDate(2026, 12, 10));
        QVERIFY(!w().LbZprava->isVisible());
        QVERIFY(w().PSeznam->GBZobraz->isVisible());
        // The copy holds the database as it was, before the date of the backup was recorded.
        QCOMPARE(obsahDatabaze(zaloha()), pred);
        QVERIFY(!QFileInfo::exists(zaloha() + QStringLiteral(".part")));
        // An existing backup file is overwritten without a question.
        zarezervuj(3, QStringLiteral("535228123"), QStringLiteral("DVOŘÁK Petr"));
        QVERIFY(zalohuj(zaloha()));
        QCOMPARE(obsahDatabaze(zaloha()), obsahDatabaze(databaze()));
    }

    void backupsThatFail_data() {
        QTest::addColumn<QString>("soubor");
        QTest::addColumn<QString>("parametry");
        QTest::addColumn<bool>("zapsano");
        QTest::addColumn<QString>("zprava");
        QTest::newRow("folder missing") << "nikde/z.bak" << QString() << false << "unable to open";
        QTest::newRow("the database itself")
            << "../data/Kalendo.sqlite" << QString() << true << "Zálohu nelze zapsat do samotné databáze";
        QTest::newRow("working hours not in order")
            << "z.bak"
            << "PrDoH=7" << true
            << "Tak takhle se pracovat nedá !\r\nNastavte nejdříve parametry pracovní doby.";
    }

    void backupsThatFail() {
        QFETCH(QString, soubor);
        QFETCH(QString, parametry);
        QFETCH(bool, zapsano);
        QFETCH(QString, zprava);
        if (!parametry.isEmpty()) {
            execKL(*DmKL, QStringLiteral("update ParamP set ") + parametry);
            DmKL->QParamP->requery();
        }
        const QString panel = w().statusText(3);
        dialogs->fileNext(zaloha(soubor));
        w().N31Zaloha->trigger();
        QCOMPARE(dialogs->texts().size(), 1);
        QVERIFY2(dialogs->last().startsWith(zprava), qPrintable(dialogs->last()));
        QCOMPARE(QFileInfo::exists(zaloha(soubor)), zapsano);
        QVERIFY(scalarKL(*DmKL, QStringLiteral("select Zaloha from ParamP")).isNull());
        QCOMPARE(DmKL->QParamP->state(), tk::DatasetState::Browse);
        QCOMPARE(w().statusText(3), panel);
        QVERIFY(!w().N31Zaloha->isChecked());
        QVERIFY(!w().LbZprava->isVisible());
        QVERIFY(w().PSeznam->GBZobraz->isVisible());
    }

    void restoresThatStopBeforeTheyStart_data() {
        QTest::addColumn<QString>("soubor"); // null: the dialog is cancelled
        QTest::addColumn<bool>("prvni");
        QTest::addColumn<bool>("druha");
        QTest::addColumn<QStringList>("zpravy"); // "?1" and "?2" stand for the two questions
        QTest::addColumn<bool>("povoleno");
        QTest::newRow("cancelled") << QString() << true << true
                                   << QStringList{"Nebyl vybrán žádný soubor pro obnovu."} << true;
        QTest::newRow("missing file")
            << "neni.bak" << true << true << QStringList{"Soubor nelze nalézt."} << false;
        QTest::newRow("first No") << "z.bak" << false << true
                                  << QStringList{"?1", "Obnova dat nebude provedena."} << false;
        QTest::newRow("second No") << "z.bak" << true << false
                                   << QStringList{"?1", "?2", "Obnova dat se neprovedla."} << false;
    }

    void restoresThatStopBeforeTheyStart() {
        QFETCH(QString, soubor);
        QFETCH(bool, prvni);
        QFETCH(bool, druha);
        QFETCH(QStringList, zpravy);
        QFETCH(bool, povoleno);
        zalozDenSRezervaci();
        QVERIFY(zalohuj(zaloha()));
        zarezervuj(3, QStringLiteral("535228123"), QStringLiteral("DVOŘÁK Petr"));
        const QByteArray pred = obsahSouboru(databaze());

        obnov(soubor.isNull() ? soubor : zaloha(soubor), prvni, druha);
        QStringList ocekavane;
        for (const QString& z : zpravy) {
            if (z == QLatin1String("?1"))
                ocekavane << QDir::toNativeSeparators(zaloha(soubor)) + QStringLiteral("\r\nVytvořený ") +
                                 tk::formatDateTime(
                                     QStringLiteral("d.m.yyyy h:nn:ss"),
                                     tk::fromDateTime(QFileInfo(zaloha(soubor)).lastModified()));
            else if (z == QLatin1String("?2"))
                ocekavane << kOtazkaPrepsani;
            else
                ocekavane << z;
        }
        QCOMPARE(dialogs->texts(), ocekavane);
        QCOMPARE(w().N32Obnova->isEnabled(), povoleno);
        if (!soubor.isNull()) {
            QCOMPARE(dialogs->lastTitle, QStringLiteral("Obnova Dat"));
            QCOMPARE(dialogs->lastFolder, t->folder.slozkaProgramu() + QStringLiteral("Zaloha"));
        }
        QVERIFY(DmKL->SpojeniKL->isOpen());
        QCOMPARE(t->program->ended, 0);
        QCOMPARE(obsahSouboru(databaze()), pred);
        QVERIFY(!w().LbZprava->isVisible());
        QVERIFY(w().GBObdobi->isEnabled());
        // The program goes on working.
        zarezervuj(4, QStringLiteral("8551011234"), QStringLiteral("NOVÁKOVÁ Jana"));
    }

    void aRoundTripBringsBackExactlyTheBackedUpRows() {
        zalozDenSRezervaci();
        const QStringList zalozeno = obsahDatabaze(databaze());
        QVERIFY(zalohuj(zaloha()));
        // Changes after the backup: another booking, a deleted slot.
        zarezervuj(3, QStringLiteral("535228123"), QStringLiteral("DVOŘÁK Petr"));
        DmKL->QReserve->setRecNo(5);
        w().PSeznam->Navigator->click(N::Delete);
        QVERIFY(obsahDatabaze(databaze()) != zalozeno);

        HookWaiter& waiter = installHookWaiter();
        bool cekalo = false;
        waiter.onWait = [&] {
            cekalo = true;
            QVERIFY(w().LbZprava->isVisible());
            QCOMPARE(w().LbZprava->text(),
                     QStringLiteral("Probíhá obnova databáze.\nČEKEJTE prosím! (cca 2 min)"));
            QCOMPARE(w().LbZprava->palette().color(QPalette::Window), QColor(255, 255, 0));
            QVERIFY(!w().GBObdobi->isEnabled());
            QVERIFY(!w().PSeznam->GBZobraz->isVisible());
            QCOMPARE(w().statusText(2), QStringLiteral("?"));
            QCOMPARE(w().statusText(3), QStringLiteral("?"));
            QVERIFY(!DmKL->SpojeniKL->isOpen());
            QVERIFY(!DmKL->SpojeniKN->isOpen());
        };
        obnov(zaloha());
        QVERIFY(cekalo);
        QCOMPARE(waiter.waited, 90000);
        QCOMPARE(dialogs->texts().mid(2),
                 (QStringList{QStringLiteral("Obnova dat byla provedena."), kSpustte}));
        QCOMPARE(t->program->ended, 1);
        QVERIFY(!w().N32Obnova->isEnabled());
        QVERIFY(!w().LbZprava->isVisible());
        QVERIFY(w().GBObdobi->isEnabled());
        QVERIFY(!DmKL->SpojeniKL->isOpen());
        QCOMPARE(obsahDatabaze(databaze()), zalozeno);
        QCOMPARE(QDir(t->folder.dataFolder()).entryList(QDir::Files),
                 QStringList{QStringLiteral("Kalendo.sqlite")});

        restart();
        QCOMPARE(obsahDatabaze(databaze()), zalozeno);
        t->pracovisteDen(QStringLiteral("00001"), dnes());
        const QStringList seznam = t->seznam();
        QVERIFY(seznam.contains(QStringLiteral("08:00 NOVÁKOVÁ Jana")));
        QVERIFY(!seznam.join(QLatin1Char(' ')).contains(QStringLiteral("DVOŘÁK")));
        // The restored database is written to as before.
        zarezervuj(3, QStringLiteral("535228123"), QStringLiteral("DVOŘÁK Petr"));
    }

    // A station whose database is missing (a new machine) gets it back from a backup.
    void aRestoreWhereNoDatabaseIsYet() {
        zalozDenSRezervaci();
        const QStringList zalozeno = obsahDatabaze(databaze());
        QVERIFY(zalohuj(zaloha()));
        t->program.reset();
        QVERIFY(QDir(t->folder.dataFolder()).removeRecursively());
        dialogs->clear();
        t->program = std::make_unique<Program>(t->folder);
        QVERIFY(t->program->activate());
        QCOMPARE(w().ChybyPripojeni, 10);
        QVERIFY(kltest::menuEnabled(w().N3Servis));

        obnov(zaloha());
        QCOMPARE(dialogs->texts().mid(2),
                 (QStringList{QStringLiteral("Obnova dat byla provedena."), kSpustte}));
        QCOMPARE(t->program->ended, 1);
        restart();
        QCOMPARE(obsahDatabaze(databaze()), zalozeno);
    }

    void filesThatAreNoBackupAreRefused_data() {
        QTest::addColumn<QString>("druh");
        QTest::newRow("a text file") << "text";
        QTest::newRow("a truncated copy") << "truncated";
        QTest::newRow("a database of a newer version") << "newer";
        QTest::newRow("another program's database") << "foreign";
        QTest::newRow("an empty file") << "empty";
    }

    void filesThatAreNoBackupAreRefused() {
        QFETCH(QString, druh);
        zalozDenSRezervaci();
        mnohoRezervaci(*DmKL, dnes().addDays(-30), 500); // the tables spread over many pages
        const QString soubor = zaloha(QStringLiteral("cizi.bak"));
        QVERIFY(zalohuj(soubor));
        if (druh == QLatin1String("text")) {
            zapisSoubor(soubor, "Toto je seznam klientů, ne záloha.\n");
        } else if (druh == QLatin1String("truncated")) {
            const QByteArray cela = obsahSouboru(soubor);
            zapisSoubor(soubor, cela.left(cela.size() / 2));
        } else if (druh == QLatin1String("newer")) {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("newer"));
            db.setDatabaseName(soubor);
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec(QStringLiteral("update VerDatP set VerDatP=2")));
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(QStringLiteral("newer"));
        } else if (druh == QLatin1String("foreign")) {
            t->folder.createKinemo();
            QVERIFY(QFile::remove(soubor));
            QVERIFY(QFile::rename(t->folder.dataFolder() + QStringLiteral("/Kinemo.sqlite"), soubor));
        } else {
            zapisSoubor(soubor, QByteArray());
        }
        const QByteArray pred = obsahSouboru(databaze());
        const QStringList radky = obsahDatabaze(databaze());

        obnov(soubor);
        QCOMPARE(dialogs->texts().mid(2), (QStringList{kNezdarila, kSpustte}));
        QCOMPARE(dialogs->shown().at(2).icon, tk::MessageIcon::Error);
        QCOMPARE(t->program->ended, 1);
        QVERIFY(!w().N32Obnova->isEnabled());
        QCOMPARE(obsahSouboru(databaze()), pred);
        QCOMPARE(QDir(t->folder.dataFolder()).entryList(QDir::Files),
                 QStringList{QStringLiteral("Kalendo.sqlite")});

        restart();
        QCOMPARE(obsahDatabaze(databaze()), radky);
    }

    // Another station writes between the steps of the copy; the copy holds either all of a write or none.
    void aBackupWhileAnotherStationWritesIsConsistent() {
        mnohoRezervaci(*DmKL, dnes().addDays(-30), 3000);
        tk::Connection stanice(QStringLiteral("JinaStanice"));
        stanice.setEngine(tk::makeEngine(QStringLiteral("sqlite")));
        stanice.setConnectionString(DmKL->SpojeniKL->connectionString());
        stanice.open();
        int davky = 0;
        HookWaiter& waiter = installHookWaiter();
        waiter.onProcess = [&] {
            if (!w().LbZprava->isVisible())
                return;
            ++davky;
            stanice.inTransaction([&] {
                for (int i = 0; i < 5; ++i)
                    stanice.execute(QStringLiteral("insert into Reserve (Objekt,DatumCas,Doba,JmenoPac) "
                                                   "values ('00001','%1',10,'Dávka %2')")
                                        .arg(stamp(dnes(), 9, i))
                                        .arg(davky));
            });
        };
        QVERIFY(zalohuj(zaloha()));
        waiter.onProcess = {};
        QVERIFY(davky > 3); // written to during the copy, more often than the copy starts again

        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("kopie"));
        db.setDatabaseName(zaloha());
        QVERIFY(db.open());
        {
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("pragma integrity_check")));
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toString(), QStringLiteral("ok"));
            QVERIFY(tk::guard([&] { ZkontrolujZalohu(db); }));
            QVERIFY(q.exec(QStringLiteral("select count(*) from Reserve where JmenoPac like 'Klient%'")));
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toInt(), 3000);
            QVERIFY(q.exec(QStringLiteral("select count(*) from (select JmenoPac from Reserve where JmenoPac "
                                          "like 'Dávka%' group by JmenoPac "
                                          "having count(*)<>5)")));
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toInt(), 0);
        }
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("kopie"));
    }

    // A long backup shows the wait label while the window repaints, and the user's keys wait for it.
    void aLongBackupShowsTheWaitLabel() {
        mnohoRezervaci(*DmKL, dnes().addDays(-30), 3000);
        HookWaiter& waiter = installHookWaiter();
        int sLabelem = 0;
        waiter.onProcess = [&] {
            if (w().LbZprava->isVisible() &&
                w().LbZprava->text() == QStringLiteral("Probíhá záloha databáze") &&
                !w().PSeznam->GBZobraz->isVisible())
                ++sLabelem;
            if (sLabelem == 2)
                QTest::keyClick(&w(), Qt::Key_F8, Qt::ControlModifier | Qt::ShiftModifier);
        };
        QVERIFY(zalohuj(zaloha()));
        QVERIFY(sLabelem > 2);
        QCOMPARE(w().LbZprava->palette().color(QPalette::Window), QColor(0, 255, 0));
        QVERIFY(!w().N3X->isVisible());
        QTest::keyClick(&w(), Qt::Key_F8, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(w().N3X->isVisible());
    }

    void sqlServerStatements_data() {
        QTest::addColumn<QString>("prikaz");
        QTest::addColumn<QString>("text");
        const QString slozka = QStringLiteral("C:\\X\\Kalend\\");
        const QString soubor = QStringLiteral("C:\\X\\Kalend\\Zaloha\\Kalendo_220103_0905.bak");
        QTest::newRow("backup")
            << tk::mssql::backupStatement(QStringLiteral("Kalendo"), soubor)
            << "backup database Kalendo\r\nto disk='C:\\X\\Kalend\\Zaloha\\Kalendo_220103_0905.bak'"
               "\r\nwith init";
        QTest::newRow("restore")
            << tk::mssql::restoreStatement(PozadavekObnovy(slozka, soubor, {}))
            << "restore database Kalendo from disk='C:\\X\\Kalend\\Zaloha\\Kalendo_220103_0905.bak'"
               "\r\nwith move 'Kalendo' to 'C:\\X\\Kalend\\Data\\Kalendo.mdf',"
               "\r\nmove 'KalendoLog' to 'C:\\X\\Kalend\\Data\\Kalendo.ldf',"
               "\r\nreplace";
        QTest::newRow("a quote in the path")
            << tk::mssql::backupStatement(QStringLiteral("Kalendo"), QStringLiteral("D:\\O'Neil\\a.bak"))
            << "backup database Kalendo\r\nto disk='D:\\O''Neil\\a.bak'\r\nwith init";
        QTest::newRow("log") << tk::mssql::truncateLogStatement(QStringLiteral("Kalendo"))
                             << "backup log Kalendo with no_log";
    }

    void sqlServerStatements() {
        QFETCH(QString, prikaz);
        QFETCH(QString, text);
        QCOMPARE(prikaz, text);
    }
};

QTEST_MAIN(TestZaloha)
#include "tst_zaloha.moc"
