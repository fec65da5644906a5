// The help window: its text, one instance, its place; and the about box.

#include "FoKLProgram.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

using namespace kltest;

namespace {

// The help text, line by line; each line ends at its "|" so that blanks at the end stay visible.
const char* const kText =
    R"( Kalendo                                           Rezervační objednávkový systém |
---------------------------------------------------------------------------------|
|
Před prvním používáním programu je třeba naplnit číselníky.|
|
Je možné využívat databázi klientů buď z programu Kinemo|
(tu je možné aktualizovat pouze z programu Kinemo)|
nebo vlastní, nastavením volby v parametrech.|
Změna se projeví až po dalším spuštění programu.|
Při používání vlastní databáze klientů, udržované v programu Kalendo,|
není potřeba vyplňovat RČ, datum narození a kód zdravotní pojišťovny.|
Program pak pracuje s identifikačním číslem (ID),|
které se přiděluje klientovi automaticky.|
|
Nová rezervace se vždy vkládá před vybranou v Přehledu rezervací|
a před jejím uložením (potvrzením) se kontroluje začátek a konec|
s předchozí a následující rezervací.|
|
1. Vložit novou rezervaci nebo ji upravit je možné jen pokud|
    - je vybrán určitý den a pracoviště|
    - není omezení výběrem klienta nebo pracovníka|
    - není omezeno zobrazení (Zobrazit vše)|
    Totéž platí pro založení nového pracovního dne.|
    Zde navíc nesmí být ještě žádné položky rezervace|
    pro tento určitý den a pracoviště|
|
2. Před vložením nové rezervace je nutné|
    - založit nový pracovní den tlačítkem "Nový D"|
      Generováním nového pracovního dne se definuje|
      - začátek a konec pracovní doby či pauzy (Gpp=A)|
         podle číselníku Pracoviště a Pracovní doba|
      - je možné generovat i volné intervaly k rezervaci|
        podle nastavení v číselníku Pracoviště (Gin=A)|
|
3. Dvojklikem na vybrané rezervaci v Přehledu rezervací|
   se nastaví výběr tak, aby se rezervace dala ihned opravit|
   či přidat na vybraný den a pracoviště|
|
K tisku přehledů se používá univerzální tlačítko,|
jehož význam (i otextování) se mění podle výběru položek.|
|
Nový D - Generování nového pracovního dne|
              Výběr 1. Den|
                       2. Pracoviště|
                       3. Zobrazit vše|
                       4. Nejsou ještě žádné položky|
 |
Tisk O - Tisk rezervací pro vybraný objekt pracoviště|
             Výběr 1. Den|
                      2. Pracoviště|
              Možno zobrazit Volné, Obsazené, Vše|
|
Tisk P - Tisk rezervací pro vybraného pracovníka|
            Výběr 1. Den|
                     2. Pracovník|
             Možno zobrazit Volné, Obsazené, Vše |
|
Tisk K - Tisk rezervací vybraného klienta|
            Výběr 1. Vše|
                     2. Klient|
             Možno zobrazit Vše nebo Aktuální (tj. jen od aktuálního dne)|
|
Pomocné funkce:|
|
Pro nastavení data a času je nejlepší používat pomocná tlačítka,|
která jsou u těchto údajů a umožňují kliknutím myši zvýšit či snížit  |
příslušnou část údaje.|
Samozřejmě je možné také datum a čas napsat ručně.|
Na české číselné klávesnici je stisk klávesy čárka nahrazen tečkou,|
klávesa + mezerou pro oddělení času,|
klávesa *,- dvojtečkou pro zapsání času.  |
|
Pokud je předvyplněn kód pracovníka (bez zaškrtnutí),|
je při zadávaní objednávky automaticky vyplněn na objednávce|
bez zadaného kódu pracovníka (00).|
|
Pokud je vyplněn údaj Klient (RČ) je možné,|
např. při opakované objednávce klienta po týdnech,|
převzít tento údaj do položky Kdo pomocí|
klávesy Insert / Ctrl+Levé tl. myši / Pravé tl. myši.|
|
Pro rychlejší nastavení objednávky či tisku je možné použít tlačítka|
R - Rezervace  (pokud je vyplněno Pracoviště) |
T - Tisk  (pokud je vyplněno Pracoviště/Kient/Pracovník)|
|
Kalendář pracoviště|
- Musí být vybrané nějaké Pracoviště (i bez zaškrtnutí)|
- Zobrazí se týden ve kterém je Zadané datum |
  (v Kalendáři je tento den zvýrazněný)|
- Klik myší na Datu v kalendáři nastaví Přehled rezervací|
  na tento den bez změny nastavení Výběru.|
- Klik myší na položce dne (hodině) v Kalendáři|
  nastaví ještě navíc na tuto položku v Přehledu rezervaci|
  (jen pokud je ve výběru zobrazena)|
- Dvojklik myší provede totéž, ale výběr se nastaví|
  na zapsání  nové Rezervace|
Pokud je proužek pod Datem zelený je volná nejméně jedna položka.|
Pokud červený je pracoviště na tento den plně obsazeno.  |)";

QStringList expectedLines() {
    QStringList lines = QString::fromUtf8(kText).split(QLatin1Char('\n'));
    for (QString& l : lines) {
        Q_ASSERT(l.endsWith(QLatin1Char('|')));
        l.chop(1);
    }
    return lines;
}

int helpWindows() {
    int n = 0;
    for (QWidget* top : QApplication::topLevelWidgets())
        n += qobject_cast<TFoNapovedaP*>(top) ? 1 : 0;
    return n;
}

} // namespace

class TestNapoveda : public QObject {
    Q_OBJECT
    tktest::TestDialogs* dialogs = nullptr;

private Q_SLOTS:
    void init() {
        dialogs = &tktest::installTestEnvironment();
        QCoreApplication::setApplicationName(QStringLiteral("Kalendo"));
    }

    void textLineForLine() {
        TFoNapovedaP help;
        const QStringList expected = expectedLines();
        QCOMPARE(expected.size(), 98);
        QCOMPARE(help.Memo->document()->blockCount(), 98);
        for (int i = 0; i < 98; ++i)
            QCOMPARE(help.Memo->document()->findBlockByNumber(i).text(), expected.at(i));
        QVERIFY(help.Memo->isReadOnly());
        QCOMPARE(help.Memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(help.windowTitle(), QStringLiteral("Nápověda"));
    }

    void oneWindowClosedAndCreatedAgainBesideTheMain() {
        ProgramFolder folder;
        folder.createKalendo(1);
        Program p(folder);
        QVERIFY(p.activate());
        p.w().move(40, 30);
        TFoNapovedaP* created = FoNapovedaP; // made hidden at the start, placed by the system
        QVERIFY(created && !created->isVisible());

        p.w().N41Napoveda->trigger();
        QCOMPARE(FoNapovedaP, created);
        QVERIFY(created->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(created));
        created->move(300, 200);
        created->Memo->verticalScrollBar()->setValue(5);
        OtevriNapovedu(10, 10); // shown again: keeps its place and scroll position
        QCOMPARE(FoNapovedaP, created);
        QCOMPARE(created->pos(), QPoint(300, 200));
        QCOMPARE(created->Memo->verticalScrollBar()->value(), 5);
        QCOMPARE(helpWindows(), 1);

        QVERIFY(created->close());
        QVERIFY(!FoNapovedaP);
        QTRY_COMPARE(helpWindows(), 0); // closing destroys it

        p.w().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&p.w()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QVERIFY(FoNapovedaP);
        QCOMPARE(FoNapovedaP->pos(), p.w().pos() + QPoint(10, 10));
        QCOMPARE(helpWindows(), 1);
        QVERIFY(QTest::qWaitForWindowActive(FoNapovedaP));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1); // F1 in the help window does nothing
        QCOMPARE(helpWindows(), 1);
    }

    void aboutBox() {
        ProgramFolder folder;
        folder.createKalendo(1);
        Program p(folder);
        QVERIFY(p.activate());
        dialogs->clear();
        p.w().N4Oaplikaci->trigger();
        QCOMPARE(dialogs->shown().size(), size_t(1));
        const auto& box = dialogs->shown().front();
        const QStringList lines = box.text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], QStringLiteral("Kalendo :"));
        QCOMPARE(lines[1], QStringLiteral("Objednávkový systém pro fyzioterapeutická pracoviště"));
        QVERIFY(lines[2].startsWith(QStringLiteral("Verze programu : 2.g ")));
        QVERIFY(lines[2].endsWith(QStringLiteral(" Verze dat : 1")));
        QVERIFY(lines[2].mid(20, lines[2].size() - 20 - 14).trimmed().isEmpty()); // only blanks between
        QCOMPARE(box.icon, tk::MessageIcon::None);
        QCOMPARE(box.caption, QStringLiteral("Kalendo"));
    }

    void aboutBoxWithoutDatabase() {
        // Without an own database the box still comes up, with no data version.
        ProgramFolder folder;
        Program p(folder);
        QVERIFY(p.activate());
        dialogs->clear();
        p.w().N4Oaplikaci->trigger();
        QCOMPARE(dialogs->texts().size(), 1);
        QVERIFY(dialogs->last().endsWith(QStringLiteral("Verze dat : ")));
    }
};

QTEST_MAIN(TestNapoveda)
#include "tst_Napoveda.moc"
