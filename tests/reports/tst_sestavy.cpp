#include "overview/PrehledProgram.h"
#include "support/PdfText.h"

#include "reports/RvSystem.h"

#include <QtTest>

using namespace kltest;

// The report engine on its own: reading the project file, checking a layout against the list, laying the
// rows out on pages and saving them as PDF.
class TestSestavy : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFolder> folder;
    std::unique_ptr<TDmKL> dm;

    void list(const QString& where) {
        dm->QReserve->close();
        dm->QReserve->setSql(QStringLiteral("select * from Reserve where ") + where +
                             QStringLiteral(" order by DatumCas,Doba,Objekt"));
        dm->QReserve->open();
    }

    rv::RvProject project(const QString& file) {
        rv::RvProject p(file);
        p.setSeznam(dm->QReserve);
        p.setRadek(QStringLiteral("ParamP"), dm->QParamP);
        return p;
    }

    QString writeProject(const QString& text) {
        const QString path = folder->slozkaProgramu() + QStringLiteral("Vlastni.rav");
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(text.toUtf8());
        return path;
    }

    // The message a failing run gives.
    QString failure(const std::function<void()>& body) {
        try {
            body();
        } catch (const rv::ReportError& e) {
            return e.text;
        }
        return QString();
    }

private Q_SLOTS:
    void init() {
        tktest::installTestEnvironment();
        folder = std::make_unique<ProgramFolder>();
        folder->createKalendo(1);
        QVERIFY(copyReportProject(folder->slozkaProgramu()));
        dm = openKalendo(*folder);
        execKL(*dm, QStringLiteral("insert into Objekt (Kod,Nazev,Interval,KPr,Gpp,Gin,So,Ne,Sv) "
                                   "values ('00001','Vířivá vana',30,'00',1,1,0,0,0)"));
        dm->QObjekt->close();
        dm->QObjekt->open();
    }
    void cleanup() {
        dm.reset();
        folder.reset();
    }

    void shippedProjectHoldsTheThreeReports() {
        const rv::Projekt p = rv::Projekt::nacti(QStringLiteral(KALENDO_RAV));
        QVERIFY2(!p.jeChybny(), qPrintable(p.soubor()));
        QCOMPARE(p.nazvy(), (QStringList{"ResKV", "ResOD", "ResPD"}));
        // Every placeholder of the shipped layouts names a field of the list or of the parameter row.
        list(QStringLiteral("1=1"));
        rv::Data data{dm->QReserve, {{QStringLiteral("ParamP"), dm->QParamP}}};
        for (const QString& n : p.nazvy())
            rv::over(p.sestava(n), data, p.soubor());
    }

    void brokenProjectsNameFileReportAndLine_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown key") << "[Report ResOD]\nColumn = Od | {DatumCas}\nColum = x\n"
                                     << "je poškozen, řádek 3: neznámý klíč „Colum“";
        QTest::newRow("before any report") << "Title = x\n[Report ResOD]\n"
                                           << "řádek 1: řádek stojí před první sestavou";
        QTest::newRow("bad heading") << "[ResOD]\n"
                                     << "řádek 1: záhlaví sestavy se zapisuje jako";
        QTest::newRow("no columns") << "# poznámka\n\n[Report ResOD]\nTitle = Den\n"
                                    << "řádek 3: sestava „ResOD“ nemá žádný sloupec";
        QTest::newRow("twice") << "[Report A]\nColumn = a|{Doba}\n[Report A]\n"
                               << "řádek 3: sestava „A“ je v";
        QTest::newRow("braces") << "[Report A]\nColumn = a | {Doba\n"
                                << "řádek 2: nepárové složené závorky";
        QTest::newRow("page") << "[Report A]\nPage = A3\nColumn = a|{Doba}\n"
                              << "řádek 2: neznámý formát stránky „A3“";
        QTest::newRow("width") << "[Report A]\nColumn = a | {Doba} | široký\n"
                               << "řádek 2: šířka sloupce „široký“ není nezáporné číslo";
        QTest::newRow("no equals sign") << "[Report A]\nColumn a\n"
                                        << "řádek 2: očekáván řádek „Klíč = hodnota“";
    }
    void brokenProjectsNameFileReportAndLine() {
        QFETCH(QString, text);
        QFETCH(QString, message);
        const QString path = writeProject(text);
        list(QStringLiteral("1=1"));
        rv::RvProject p = project(path);
        const QString shown =
            failure([&] { p.SaveAsPdf(QStringLiteral("ResOD"), folder->root() + "x.pdf"); });
        QVERIFY2(shown.contains(message), qPrintable(shown));
        QVERIFY2(shown.contains(QStringLiteral("Soubor sestav „") + path + QStringLiteral("“")),
                 qPrintable(shown));
        QVERIFY2(shown.contains(QStringLiteral("Sestavu „ResOD“ nelze vytisknout.")), qPrintable(shown));
        QVERIFY(!QFile::exists(folder->root() + "x.pdf"));
    }

    void missingFileReportOrField_data() {
        QTest::addColumn<QString>("file"); // empty: none at all
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("message");
        QTest::newRow("no file") << QString() << "ResOD"
                                 << "nebyl nalezen.\r\nSestavu „ResOD“ nelze vytisknout.";
        QTest::newRow("no such report") << "[Report ResOD]\nColumn = Od | {DatumCas}\n"
                                        << "ResKV"
                                        << "neobsahuje sestavu „ResKV“.";
        QTest::newRow("unknown field") << "[Report ResKV]\nHeader = {Jmeno}\nColumn = Od | {DatumCas}\n"
                                       << "ResKV"
                                       << "Sestava „ResKV“ v souboru „%1“, řádek 2: neznámé pole „Jmeno“.";
        QTest::newRow("unknown parameter") << "[Report ResKV]\nColumn = Od | {ParamP.Konec}\n"
                                           << "ResKV"
                                           << "řádek 2: neznámé pole „ParamP.Konec“";
        QTest::newRow("unknown sum") << "[Report ResKV]\nColumn = Od | {DatumCas}\nTotal = {Sum:Cena}\n"
                                     << "ResKV"
                                     << "řádek 3: neznámé pole „Cena“";
        QTest::newRow("unknown skip field")
            << "[Report ResKV]\nColumn = Od | {DatumCas}\nSkip = Jmeno begins ==\n"
            << "ResKV"
            << "řádek 3: neznámé pole „Jmeno“";
    }
    void missingFileReportOrField() {
        QFETCH(QString, file);
        QFETCH(QString, report);
        QFETCH(QString, message);
        const QString path =
            file.isEmpty() ? folder->slozkaProgramu() + QStringLiteral("Chybi.rav") : writeProject(file);
        list(QStringLiteral("1=1"));
        rv::RvProject p = project(path);
        const QString shown = failure([&] { p.SaveAsPdf(report, folder->root() + "x.pdf"); });
        QVERIFY2(shown.contains(message.contains("%1") ? message.arg(path) : message), qPrintable(shown));
        QVERIFY2(shown.contains(path), qPrintable(shown));
    }

    void notUtf8IsBroken() {
        const QString path = folder->slozkaProgramu() + QStringLiteral("Stary.rav");
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write("[Report ResOD]\nTitle = Rozvrh pracovi\xb9t\xec\nColumn = Od | {DatumCas}\n");
        f.close();
        list(QStringLiteral("1=1"));
        rv::RvProject p = project(path);
        const QString shown =
            failure([&] { p.SaveAsPdf(QStringLiteral("ResOD"), folder->root() + "x.pdf"); });
        QVERIFY2(shown.contains(QStringLiteral("není uložen v kódování UTF-8")), qPrintable(shown));
    }

    void placeholdersFormatsAndDefaults_data() {
        QTest::addColumn<QString>("sablona");
        QTest::addColumn<QString>("text");
        QTest::newRow("display format of the field") << "{DatumCas}"
                                                     << "čt 10.12.2026  09:30";
        QTest::newRow("own date format") << "{VDen:d.m.yyyy}"
                                         << "10.12.2026";
        QTest::newRow("time") << "{VDatCasOd:hh:nn}–{VDatCasDo:hh:nn}"
                              << "09:30–10:00";
        QTest::newRow("look-up") << "{VNazObj} ({Objekt})"
                                 << "Vířivá vana (00001)";
        QTest::newRow("default for blank") << "{RCPacienta|bez RČ}"
                                           << "bez RČ";
        QTest::newRow("boolean") << "[{Hotovo:ano;ne}]"
                                 << "[ne]";
        QTest::newRow("number format") << "{Doba:000} min"
                                       << "030 min";
        QTest::newRow("parameter row") << "{ParamP.PrOdH}:{ParamP.PrOdM}"
                                       << "08:00";
        QTest::newRow("counts and sums") << "{Count} {Count:JmenoPac} {Sum:Doba}"
                                         << "2 1 50";
        QTest::newRow("pages") << "{Page}/{Pages} {Title}"
                               << "1/1 Zkouška";
        QTest::newRow("clock") << "{Now}"
                               << "10.12.2026 10:00";
    }
    void placeholdersFormatsAndDefaults() {
        QFETCH(QString, sablona);
        QFETCH(QString, text);
        reservation(*dm, "00001", dnes(), 9, 30, 30, "", "Šťastný Řehoř");
        reservation(*dm, "00001", dnes(), 10, 0, 20, "", "");
        list(QStringLiteral("Objekt='00001'"));
        const rv::Projekt p = rv::Projekt::zTextu(
            QStringLiteral("[Report T]\nTitle = Zkouška\nColumn = x | ") + sablona + QLatin1Char('\n'),
            "t.rav");
        const rv::Sestava& s = p.sestava(QStringLiteral("T"));
        rv::Data data{dm->QReserve, {{QStringLiteral("ParamP"), dm->QParamP}}};
        rv::over(s, data, p.soubor());
        QCOMPARE(rv::vyplnit(s.sloupce.at(0).obsah, s, data, 1), text);
    }

    // The rows in the list's order on as many pages as they need, the column titles and the page count on
    // every page, the totals once after the last row.
    void longListRunsOverPages() {
        for (int i = 0; i < 130; ++i)
            reservation(*dm, "00001", dnes().addDays(i / 10), 8 + i % 10, 0, 30,
                        QString::number(8501011000 + i),
                        QStringLiteral("Klient %1 Žluťoučký").arg(i, 3, 10, QLatin1Char('0')));
        list(QStringLiteral("Objekt='00001'"));
        rv::RvProject p = project(folder->slozkaProgramu() + QStringLiteral("Kalendo.rav"));
        const QString pdf = folder->root() + QStringLiteral("dlouhy.pdf");
        const int pages = p.SaveAsPdf(QStringLiteral("ResOD"), pdf);
        QVERIFY(pages >= 3);
        QCOMPARE(pdfPages(pdf), pages);
        const QString text = pdfText(pdf);
        int last = -1;
        for (int i = 0; i < 130; ++i) {
            const int at =
                int(text.indexOf(QStringLiteral("Klient %1 Žluťoučký").arg(i, 3, 10, QLatin1Char('0'))));
            QVERIFY2(at > last, qPrintable(QString::number(i)));
            last = at;
        }
        const QStringList pageTexts = text.split(QChar('\f'), Qt::SkipEmptyParts);
        QCOMPARE(pageTexts.size(), pages);
        for (int i = 0; i < pages; ++i) {
            QVERIFY(pageTexts[i].contains(QStringLiteral("Pracovník")));
            QVERIFY(pageTexts[i].contains(QStringLiteral("strana %1 z %2").arg(i + 1).arg(pages)));
        }
        QCOMPARE(text.count(QStringLiteral("Řádků: 130")), 1);
        QVERIFY(pageTexts.last().contains(QStringLiteral("Řádků: 130")));
    }

    void emptyListPrintsItsText() {
        list(QStringLiteral("1=0"));
        rv::RvProject p = project(folder->slozkaProgramu() + QStringLiteral("Kalendo.rav"));
        const QString pdf = folder->root() + QStringLiteral("prazdny.pdf");
        QCOMPARE(p.SaveAsPdf(QStringLiteral("ResOD"), pdf), 1);
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains(QStringLiteral("Pracoviště nemá tento den žádné položky.")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Řádků: 0")));
    }

    void unwritablePdfIsReported() {
        list(QStringLiteral("1=1"));
        rv::RvProject p = project(folder->slozkaProgramu() + QStringLiteral("Kalendo.rav"));
        const QString bad = folder->root() + QStringLiteral("neni/slozka/x.pdf");
        const QString shown = failure([&] { p.SaveAsPdf(QStringLiteral("ResOD"), bad); });
        QVERIFY2(shown.contains(QStringLiteral("nelze zapsat")), qPrintable(shown));
        QVERIFY2(shown.contains(QStringLiteral("Sestava „ResOD“ nebyla uložena.")), qPrintable(shown));
    }
};

QTEST_MAIN(TestSestavy)
#include "tst_sestavy.moc"
