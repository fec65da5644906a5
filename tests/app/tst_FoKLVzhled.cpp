// The locked main window as it is built: controls and their names, places, captions, menus; and the
// JPEG picture it shows.

#include "FoKLProgram.h"

#include <QImageReader>
#include <QMenuBar>

using namespace kltest;

class TestFoKLVzhled : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramFolder> folder;
    std::unique_ptr<Program> program;

    TFoKL& w() { return program->w(); }

private Q_SLOTS:
    void initTestCase() {
        tktest::installTestEnvironment();
        folder = std::make_unique<ProgramFolder>();
        folder->createKalendo(1);
        program = std::make_unique<Program>(*folder);
    }
    void cleanupTestCase() { program.reset(); }

    void beforeTheStart() {
        QVERIFY(!w().isVisible());
        for (int i = 0; i < 4; ++i)
            QCOMPARE(w().statusText(i), (QStringList{" F1", "Nápověda", "?", "!"}).at(i));
        QCOMPARE(w().StatusPanels[0]->minimumWidth(), 20);
        QCOMPARE(w().StatusPanels[1]->minimumWidth(), 150);
        QCOMPARE(w().StatusPanels[2]->minimumWidth(), 250);
        QVERIFY(w().StartNeprobehl);
    }

    void jpegDecoding() {
        // The picture is a JPEG: without a JPEG decoder the locked window would be blank.
        QVERIFY(QImageReader::supportedImageFormats().contains("jpeg"));
        QImageReader reader(QStringLiteral(":/ImgUvod.jpg"));
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(image.size(), QSize(662, 553));
        QVERIFY(!w().ImgUvod->pixmap().isNull());
        QVERIFY(w().ImgUvod->hasScaledContents());
        QCOMPARE(w().ImgUvod->geometry(), QRect(3, 98, 662, 553));
    }

    void controlsByName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("shownWhileLocked");
        const char* shown[] = {"GBObdobi",  "RBVDen",   "RBVTyden",   "RBVMesic", "RBVRok",
                               "RBVVse",    "EdVDatum", "LbZvyrazni", "UpDwDen",  "UpDwTyden",
                               "UpDwMesic", "LbDen",    "LbTyden",    "LbMesic",  "ChBVObj",
                               "ChBVRCP",   "ChBVKPr",  "LbVNazObj",  "LbVJmPac", "LbVJmPr",
                               "StatusBar", "LbHeslo",  "EdHeslo",    "BtOK",     "ImgUvod"};
        const char* hidden[] = {"EdVObj",    "EdVRCP",       "EdVKPr",      "BbTiskO",   "BbOjednat",
                                "BbTiskK",   "BbTiskP",      "GBDetail",    "Navigator", "BbTiskNovy",
                                "GBZobraz",  "RBZVolno",     "RBZObsazeno", "RBZVse",    "PgCReserve",
                                "TbSSeznam", "DBGridSeznam", "LbBlok",      "LbZprava",  "PKalendar"};
        for (const char* n : shown)
            QTest::newRow(n) << QString::fromLatin1(n) << true;
        for (const char* n : hidden)
            QTest::newRow(n) << QString::fromLatin1(n) << false;
        // The detail panel's controls are hidden with it.
        for (const char* n :
             {"LbKdy",  "EdDDatum", "UpDwHod",  "UpDw10min",  "UpDwMin", "LbPomlcka", "EdDCasDo",
              "LbDoba", "EdDDoba",  "UpDwDoba", "LbMin",      "LbKde",   "EdDObj",    "LbDNazObj",
              "LbKdo",  "EdDRCP",   "EdDJmPac", "ChBDHotovo", "LbKym",   "EdDKPr",    "LbDJmPr"})
            QTest::newRow(n) << QString::fromLatin1(n) << false;
    }

    void controlsByName() {
        QFETCH(QString, name);
        QFETCH(bool, shownWhileLocked);
        if (!w().isVisible())
            QVERIFY(program->activate()); // the start runs on a database of the current version
        auto* control = w().findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->isVisible(), shownWhileLocked);
    }

    void lockedLayout() {
        QCOMPARE(w().objectName(), QStringLiteral("FoKL"));
        QCOMPARE(w().windowTitle(), QStringLiteral("Kalendo = Kinemo + Rezervační systém"));
        QCOMPARE(w().size(), QSize(685, 732));
        QVERIFY(!(w().windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(w().font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(w().font().pixelSize(), 16);
        QVERIFY(!w().GBObdobi->isEnabled());
        QCOMPARE(w().GBObdobi->size(), QSize(662, 97));
        QCOMPARE(w().GBDetail->size(), QSize(662, 85));
        QCOMPARE(w().LbHeslo->pos(), QPoint(265, 183));
        QCOMPARE(w().EdHeslo->pos(), QPoint(265, 205));
        QCOMPARE(w().BtOK->pos(), QPoint(265, 238));
        QCOMPARE(w().LbHeslo->text(), QStringLiteral("Přístupové heslo"));
        QCOMPARE(w().EdHeslo->echoMode(), QLineEdit::Password);
        QCOMPARE(w().BtOK->text(), QStringLiteral("OK"));
        QCOMPARE(w().LbZprava->pos(), QPoint(450, 200));
        QVERIFY(w().LbZprava->font().bold());
        QCOMPARE(vOkne(w().PSeznam->Navigator), QRect(8, 195, 180, 30));
        QCOMPARE(w().PSeznam->Navigator->visibleButtons(),
                 (QList<tk::DBNavigator::Button>{tk::DBNavigator::First, tk::DBNavigator::Prior,
                                                 tk::DBNavigator::Next, tk::DBNavigator::Last,
                                                 tk::DBNavigator::Delete, tk::DBNavigator::Refresh}));
        QCOMPARE(vOkne(w().PSeznam->BbTiskNovy), QRect(339, 192, 65, 29));
        QCOMPARE(vOkne(w().PSeznam->LbBlok), QRect(209, 187, 72, 41));
        QCOMPARE(w().PSeznam->PgCReserve->height(), 405);
        QCOMPARE(w().PSeznam->PgCReserve->tabText(0), QStringLiteral("Přehled rezervací"));
        QCOMPARE(w().PKalendar->geometry(), QRect(668, 0, 529, 635));
        QCOMPARE(w().GBObdobi->EdVDatum->date(), QDate(2026, 12, 10));
        QCOMPARE(w().GBObdobi->EdVDatum->displayFormat(), QStringLiteral("ddd dd.MM.yyyy"));
        QVERIFY(w().GBObdobi->RBVDen->isChecked());
        QVERIFY(w().PSeznam->RBZObsazeno->isChecked());
        QCOMPARE(w().GBObdobi->EdVObj->text(), QStringLiteral("00000"));
        QCOMPARE(w().GBObdobi->EdVKPr->text(), QStringLiteral("00"));
        for (QLabel* name : {w().GBObdobi->LbVNazObj, w().GBObdobi->LbVJmPac, w().GBObdobi->LbVJmPr})
            QVERIFY(name->text().isEmpty());
        QCOMPARE(w().SlozkaKN + QStringLiteral("Kalend/"), w().SlozkaProgramu);
        QCOMPARE(w().IniSoubor->fileName(), folder->iniPath());
    }

    void grid() {
        tk::DBGrid* g = w().PSeznam->DBGridSeznam;
        const QList<tk::GridColumn> columns = g->columns();
        QCOMPARE(columns.size(), 10);
        const QStringList fields = {"DatumCas", "VDatCasDo", "JmenoPac", "Doba",  "Objekt",
                                    "VNazObj",  "KodPrac",   "Hotovo",   "VJmPr", "RCPacienta"};
        const QStringList titles = {"Od     ",    "Do ", "Kdo", "Doba",      "Kde",
                                    "Pracoviště", "RP",  "P",   "Pracovník", "RČ pacienta"};
        const int widths[] = {175, 55, 141, 34, 52, 115, 22, 15};
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(columns[i].fieldName, fields[i]);
            QCOMPARE(columns[i].title, titles[i]);
            QCOMPARE(columns[i].visible, i < 8);
            if (i == 3) // "Doba" widens when the face standing in for Tahoma needs it for the title
                QVERIFY(columns[i].width >= widths[i]);
            else if (i < 8)
                QCOMPARE(columns[i].width, widths[i]);
        }
        QCOMPARE(g->font().family(), QStringLiteral("Courier New"));
    }

    void menus_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("visible");
        QTest::newRow("N11Pracoviste") << "N11Pracoviste"
                                       << "&1 Pracoviště" << true << true;
        QTest::newRow("N12VolneDny") << "N12VolneDny"
                                     << "&2 Svátky" << true << true;
        QTest::newRow("N13Parametry") << "N13Parametry"
                                      << "&3 Parametry" << true << true;
        QTest::newRow("N14Pacienti") << "N14Pacienti"
                                     << "&4 Klienti" << true << true;
        QTest::newRow("N15Pracov") << "N15Pracov"
                                   << "&5 Pracovníci" << true << true;
        QTest::newRow("N21BlokRes") << "N21BlokRes"
                                    << "&1 Blokované" << true << true;
        QTest::newRow("N2Redukce") << "N2Redukce"
                                   << "Redukce dat !" << true << true;
        QTest::newRow("N31Zaloha") << "N31Zaloha"
                                   << "&1 Záloha dat" << true << true;
        QTest::newRow("N32Obnova") << "N32Obnova"
                                   << "&2 Obnova ze zálohy " << false << true;
        // After a start on a usable database the installation is done: disabled and checked.
        QTest::newRow("N33Instalace") << "N33Instalace"
                                      << "&3 Instalace databáze" << false << true;
        QTest::newRow("N3X") << "N3X"
                             << "X Systémová oprava" << false << false; // hidden, so not enabled
        QTest::newRow("N41Napoveda") << "N41Napoveda"
                                     << "&1 Nápověda" << true << true;
        QTest::newRow("N4Oaplikaci") << "N4Oaplikaci"
                                     << "&O programu ..." << true << true;
    }

    void menus() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(bool, enabled);
        QFETCH(bool, visible);
        auto* action = w().findChild<QAction*>(name);
        QVERIFY(action);
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->isEnabled(), enabled);
        QCOMPARE(action->isVisible(), visible);
    }

    void menuBar() {
        const QList<QAction*> top = w().menuBar()->actions();
        QCOMPARE(top.size(), 4);
        const QStringList captions = {"&1 Číselníky", "&2 Rezervace", "&3 Servis", "&4 Nápověda"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(top[i]->text(), captions[i]);
            QCOMPARE(top[i]->isEnabled(), i == 3); // the first three wait for the password
        }
        QCOMPARE(w().N1Ciselniky->actions().size(), 6); // with its separator
        QVERIFY(w().N1Ciselniky->actions().at(3)->isSeparator());
        QVERIFY(w().N2Rezervace->actions().at(1)->isSeparator());
    }
};

QTEST_MAIN(TestFoKLVzhled)
#include "tst_FoKLVzhled.moc"
