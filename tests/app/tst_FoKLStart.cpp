// The start of the program on a temporary installation: the first run, refused data versions, the
// sibling database, the backup mark.

#include "FoKLProgram.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>

using namespace kltest;

namespace {

const QString kNoKalendo = QStringLiteral(" Připojení k databási Kalendo se nezdařilo !\r\n"
                                          " Byla již provedena instalace nové databáze ?\r\n"
                                          " (Kalendo->Nabídka 3.Servis->3.Instalace databáze)");
const QString kNoKinemo = QStringLiteral(" Připojení k databási Kinemo se nezdařilo !\r\n"
                                         " Byla již provedena instalace nové databáze ?\r\n"
                                         " (Kinemo->Nabídka 5.Servis->4.Instalace->1.Nová databáze)");
const QString kCreated =
    QStringLiteral("Databáze Kalendo byla vytvořena.\r\n       Spusťte znovu program!\r\n"
                   "Nejdříve pak nastavte číselníky.");
const QString kUpgraded = QStringLiteral("Byl proveden UpGrade dat Kalendo na verzi 1.");
const QString kNewer = QStringLiteral("Data pochází z vyšší verze programu Kalendo.");
const QString kWrongVersion = QStringLiteral("Chybná verze datového souboru.\r\n     Databázi nelze použít!");
const QString kKinemoMissing = QStringLiteral("Databáze Kinemo není k dispozici.");

// Notes what the upgrade notice showed whenever pending window messages were to be painted.
class NoticeWaiter : public tk::Waiter {
public:
    void processEvents() override {
        QCoreApplication::processEvents();
        if (FoKL && FoKL->LbZprava->isVisible())
            notices << FoKL->LbZprava->text();
        if (FoKL && FoKL->LbZprava->isVisible()) {
            colour = FoKL->LbZprava->palette().color(QPalette::Window);
            where = FoKL->LbZprava->geometry();
            text = FoKL->LbZprava->fontMetrics().horizontalAdvance(FoKL->LbZprava->text());
        }
    }
    void wait(int) override {}
    QStringList notices;
    QColor colour;
    QRect where;  // of the notice, in the window
    int text = 0; // the width its text needs
};

void setBackup(ProgramFolder& folder, const QVariant& zaloha) {
    auto dm = openKalendo(folder);
    dm->QParamP->edit();
    if (zaloha.isValid())
        dm->QParamPZaloha->setAsDateTime(zaloha.toDouble());
    else
        dm->QParamPZaloha->clear();
    dm->QParamP->post();
}

} // namespace

class TestFoKLStart : public QObject {
    Q_OBJECT
    tktest::TestDialogs* dialogs = nullptr;

private Q_SLOTS:
    void init() { dialogs = &tktest::installTestEnvironment(); }

    void firstRunCreatesUpgradesAndUnlocks() {
        ProgramFolder folder;
        QVERIFY(folder.isValid());
        {
            Program p(folder);
            QVERIFY(p.activate());
            QCOMPARE(dialogs->texts(), QStringList{kNoKalendo});
            // Only the service and help menus are of use; the password cannot be given.
            QVERIFY(!menuEnabled(p.w().N1Ciselniky));
            QVERIFY(!menuEnabled(p.w().N2Rezervace));
            QVERIFY(menuEnabled(p.w().N3Servis));
            QVERIFY(menuEnabled(p.w().N4Napoveda));
            QVERIFY(p.w().N33Instalace->isEnabled());
            QVERIFY(p.w().LbHeslo->isHidden());
            QVERIFY(p.w().EdHeslo->isHidden());
            QVERIFY(p.w().BtOK->isHidden());
            QCOMPARE(p.w().Tag, 1);
            QVERIFY(!p.w().StartNeprobehl);

            dialogs->clear();
            p.w().N33Instalace->trigger();
            QCOMPARE(dialogs->texts(), QStringList{kCreated});
            QCOMPARE(p.ended, 1);
            QVERIFY(QFileInfo::exists(folder.dataFolder() + QStringLiteral("/Kalendo.sqlite")));
        }
        {
            dialogs->clear();
            auto waiter = std::make_unique<NoticeWaiter>();
            NoticeWaiter* notice = waiter.get();
            tk::setWaiter(std::move(waiter));
            Program p(folder, false);
            QVERIFY(p.activate());
            QCOMPARE(dialogs->texts(), QStringList{kUpgraded});
            QVERIFY(notice->notices.contains(QStringLiteral("Probíhá UpGrade databáze")));
            QCOMPARE(notice->colour, QColor(0, 255, 255));
            // The whole notice lies inside the narrow window.
            QVERIFY(notice->where.width() >= notice->text);
            QVERIFY2(notice->where.right() < 685, qPrintable(QString::number(notice->where.right())));
            QVERIFY(p.w().LbZprava->isHidden());
            QVERIFY(p.w().EdHeslo->isVisible());
            QVERIFY(!p.w().N33Instalace->isEnabled());
            QVERIFY(p.w().N33Instalace->isChecked());
            QCOMPARE(p.w().statusText(3), QStringLiteral("Poslední záloha provedena   "));

            p.givePassword(QString()); // the default parameter row has no password
            QVERIFY(p.w().isUnlocked());
            QCOMPARE(p.w().windowTitle(), QStringLiteral("Kalendo    (0 rezervací)"));
            QCOMPARE(p.w().width(), 1220);
            QVERIFY(menuEnabled(p.w().N1Ciselniky));
            QVERIFY(menuEnabled(p.w().N2Rezervace));
            QVERIFY(menuEnabled(p.w().N3Servis));
        }
        {
            // A database of the current version starts without a word.
            dialogs->clear();
            Program p(folder);
            QVERIFY(p.activate());
            QCOMPARE(dialogs->texts(), QStringList{});
            QVERIFY(!p.w().StartNeprobehl);
        }
    }

    void newerVersionRefusedAndRetried() {
        ProgramFolder folder;
        folder.createKalendo(2);
        clearDialogs();
        dialogs->clear();
        Program p(folder);
        QVERIFY(p.activate());
        QCOMPARE(dialogs->texts(), (QStringList{kNewer, kWrongVersion}));
        QVERIFY(!DmKL->SpojeniKL->isOpen());
        QVERIFY(p.w().StartNeprobehl);
        QVERIFY(!DmKL->QParamP->isActive());
        QVERIFY(!DmKL->QReserve->isActive());
        QVERIFY(p.w().EdHeslo->isVisible());
        QVERIFY(!menuEnabled(p.w().N3Servis));

        dialogs->clear();
        QVERIFY(p.activate());
        QCOMPARE(dialogs->texts(), (QStringList{kNewer, kWrongVersion}));
        QVERIFY(p.w().StartNeprobehl);
    }

    void siblingMissingStopsUntilItIsThere() {
        ProgramFolder folder;
        folder.createKalendo(1);
        {
            auto dm = openKalendo(folder);
            execKL(*dm, QStringLiteral("update ParamP set DbKN=1"));
        }
        dialogs->clear();
        Program p(folder);
        QVERIFY(p.activate());
        QCOMPARE(dialogs->texts(), (QStringList{kNoKinemo, kKinemoMissing}));
        QVERIFY(p.w().StartNeprobehl);
        QVERIFY(p.w().EdHeslo->isVisible()); // the own database is there: no service-only window
        QVERIFY(!menuEnabled(p.w().N3Servis));
        QVERIFY(!DmKL->QReserve->isActive());

        dialogs->clear();
        QVERIFY(p.activate());
        QCOMPARE(dialogs->texts(), (QStringList{kNoKinemo, kKinemoMissing}));

        // Once the sibling database exists the next activation completes the start on it.
        folder.createKinemo();
        dialogs->clear();
        QVERIFY(p.activate());
        QCOMPARE(dialogs->texts(), QStringList{});
        QVERIFY(!p.w().StartNeprobehl);
        QCOMPARE(p.w().GBObdobi->ChBVRCP->text(), QStringLiteral("Klient (RČ)"));
        QCOMPARE(DmKL->QPacienti->connection(), DmKL->SpojeniKN);
        QCOMPARE(DmKL->QPracov->connection(), DmKL->SpojeniKN);
        QCOMPARE(DmKL->QPomKN->connection(), DmKL->SpojeniKN);
        QCOMPARE(DmKL->QPacienti->recordCount(), 2);
        QVERIFY(DmKL->QReserve->isActive());
    }

    void ownClientsKeepTheirCaption() {
        ProgramFolder folder;
        folder.createKalendo(1);
        Program p(folder);
        QVERIFY(p.activate());
        QCOMPARE(p.w().GBObdobi->ChBVRCP->text(), QStringLiteral("Klient"));
        QCOMPARE(DmKL->QPacienti->connection(), DmKL->SpojeniKL);
        for (tk::Dataset* d : {DmKL->QVerDatP, DmKL->QParamP, DmKL->QPacienti, DmKL->QPracov, DmKL->QSvatek,
                               DmKL->QObjekt, DmKL->QBlokRes, DmKL->QReserve})
            QVERIFY2(d->isActive(), qPrintable(d->name()));
    }

    void backupMark_data() {
        QTest::addColumn<QVariant>("zaloha");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QString>("status");
        const tk::TDateTime today = tktest::testClock().today(); // 10.12.2026
        QTest::newRow("6 days ago") << QVariant(today - 6 + tk::encodeTime(9, 15)) << true
                                    << QStringLiteral("Poslední záloha provedena   4.12.2026 9:15:00");
        QTest::newRow("7 days ago at midnight")
            << QVariant(today - 7) << false << QStringLiteral("Poslední záloha provedena   3.12.2026");
        QTest::newRow("8 days ago") << QVariant(today - 8 + tk::encodeTime(18, 0)) << false
                                    << QStringLiteral("Poslední záloha provedena   2.12.2026 18:00:00");
        QTest::newRow("never") << QVariant() << false << QStringLiteral("Poslední záloha provedena   ");
    }

    void backupMark() {
        QFETCH(QVariant, zaloha);
        QFETCH(bool, checked);
        QFETCH(QString, status);
        ProgramFolder folder;
        folder.createKalendo(1);
        setBackup(folder, zaloha);
        Program p(folder);
        QVERIFY(p.activate());
        QCOMPARE(p.w().N31Zaloha->isChecked(), checked);
        QCOMPARE(p.w().statusText(3), status);
        // The mark is the program's: choosing the item makes no backup, so the mark stays as it was.
        p.givePassword(QString());
        QVERIFY(p.w().isUnlocked());
        p.w().N31Zaloha->trigger();
        QCOMPARE(p.w().N31Zaloha->isChecked(), checked);
    }

    void aFileThatIsNoDatabaseLeadsToTheServiceMenu_data() {
        QTest::addColumn<QByteArray>("content");
        QByteArray noise;
        for (int i = 0; i < 4096; ++i)
            noise += char((i * 7919 + 13) % 251);
        QTest::newRow("random bytes") << noise;
        QTest::newRow("empty file") << QByteArray();
    }

    void aFileThatIsNoDatabaseLeadsToTheServiceMenu() {
        QFETCH(QByteArray, content);
        ProgramFolder folder;
        QVERIFY(QDir().mkpath(folder.dataFolder()));
        const QString path = folder.dataFolder() + QStringLiteral("/Kalendo.sqlite");
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        dialogs->clear();
        Program p(folder);
        QVERIFY(p.activate());
        // Like a failed connection, with the file named and the way back to the data.
        QCOMPARE(dialogs->texts().size(), 1);
        const QString text = dialogs->last();
        QVERIFY2(text.startsWith(kNoKalendo + QStringLiteral("\r\n\r\n")), qPrintable(text));
        QVERIFY2(text.contains(QDir::toNativeSeparators(path)), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("3 Servis -> 2 Obnova ze zálohy")), qPrintable(text));
        QVERIFY(menuEnabled(p.w().N3Servis));
        QVERIFY(p.w().EdHeslo->isHidden());
        QVERIFY(p.w().BtOK->isHidden());
        QVERIFY(p.w().N33Instalace->isEnabled());
        // Installing does not overwrite it: the creation is refused and the program goes on.
        dialogs->clear();
        p.w().N33Instalace->trigger();
        QCOMPARE(p.ended, 0);
        QCOMPARE(dialogs->texts().size(), 1);
        QVERIFY2(dialogs->last().contains(QStringLiteral("již existuje")), qPrintable(dialogs->last()));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), content);
    }

    void anUnknownEngineIsNamedAlsoByTheInstallation() {
        ProgramFolder folder;
        folder.writeIni(QStringLiteral("[Connect]\r\nEngine=foo\r\n"));
        const QString cause =
            QStringLiteral("Soubor %1, sekce [Connect], klíč Engine: neznámá hodnota \"foo\".\r\n"
                           "Známé hodnoty: sqlite, mssql.")
                .arg(QDir::toNativeSeparators(folder.iniPath()));
        dialogs->clear();
        Program p(folder);
        QVERIFY(p.activate());
        QCOMPARE(dialogs->texts(), QStringList{kNoKalendo + QStringLiteral("\r\n\r\n") + cause});
        QVERIFY(menuEnabled(p.w().N3Servis));
        dialogs->clear();
        p.w().N33Instalace->trigger();
        QCOMPARE(dialogs->texts(), QStringList{cause});
        QCOMPARE(p.ended, 0);
        QVERIFY(!QFileInfo::exists(folder.dataFolder()));
    }

    void activationAfterOwnMessageBoxIsNoNewStart() {
        // A refused start shows its messages once; coming back from them is not a new activation.
        ProgramFolder folder;
        folder.createKalendo(2);
        dialogs->clear();
        Program p(folder);
        QVERIFY(p.activate());
        QCOMPARE(dialogs->texts().size(), 2);
        QMessageBox box;
        box.setModal(true);
        box.show();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        box.hide();
        p.w().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&p.w()));
        QCOMPARE(dialogs->texts().size(), 2);
    }
};

QTEST_MAIN(TestFoKLStart)
#include "tst_FoKLStart.moc"
