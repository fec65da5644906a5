#include "FoNapovedaP.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QScrollBar>

TFoNapovedaP* FoNapovedaP = nullptr;

namespace {
constexpr int kWidth = 560;
constexpr int kHeight = 620;
} // namespace

QStringList TFoNapovedaP::helpLines() {
    // Blanks at the start and end of a line are part of the text.
    static const QStringList lines = {
        QStringLiteral(" Kalendo                                           Rezervační objednávkový systém "),
        QStringLiteral("---------------------------------------------------------------------------------"),
        QStringLiteral(""),
        QStringLiteral("Před prvním používáním programu je třeba naplnit číselníky."),
        QStringLiteral(""),
        QStringLiteral("Je možné využívat databázi klientů buď z programu Kinemo"),
        QStringLiteral("(tu je možné aktualizovat pouze z programu Kinemo)"),
        QStringLiteral("nebo vlastní, nastavením volby v parametrech."),
        QStringLiteral("Změna se projeví až po dalším spuštění programu."),
        QStringLiteral("Při používání vlastní databáze klientů, udržované v programu Kalendo,"),
        QStringLiteral("není potřeba vyplňovat RČ, datum narození a kód zdravotní pojišťovny."),
        QStringLiteral("Program pak pracuje s identifikačním číslem (ID),"),
        QStringLiteral("které se přiděluje klientovi automaticky."),
        QStringLiteral(""),
        QStringLiteral("Nová rezervace se vždy vkládá před vybranou v Přehledu rezervací"),
        QStringLiteral("a před jejím uložením (potvrzením) se kontroluje začátek a konec"),
        QStringLiteral("s předchozí a následující rezervací."),
        QStringLiteral(""),
        QStringLiteral("1. Vložit novou rezervaci nebo ji upravit je možné jen pokud"),
        QStringLiteral("    - je vybrán určitý den a pracoviště"),
        QStringLiteral("    - není omezení výběrem klienta nebo pracovníka"),
        QStringLiteral("    - není omezeno zobrazení (Zobrazit vše)"),
        QStringLiteral("    Totéž platí pro založení nového pracovního dne."),
        QStringLiteral("    Zde navíc nesmí být ještě žádné položky rezervace"),
        QStringLiteral("    pro tento určitý den a pracoviště"),
        QStringLiteral(""),
        QStringLiteral("2. Před vložením nové rezervace je nutné"),
        QStringLiteral("    - založit nový pracovní den tlačítkem \"Nový D\""),
        QStringLiteral("      Generováním nového pracovního dne se definuje"),
        QStringLiteral("      - začátek a konec pracovní doby či pauzy (Gpp=A)"),
        QStringLiteral("         podle číselníku Pracoviště a Pracovní doba"),
        QStringLiteral("      - je možné generovat i volné intervaly k rezervaci"),
        QStringLiteral("        podle nastavení v číselníku Pracoviště (Gin=A)"),
        QStringLiteral(""),
        QStringLiteral("3. Dvojklikem na vybrané rezervaci v Přehledu rezervací"),
        QStringLiteral("   se nastaví výběr tak, aby se rezervace dala ihned opravit"),
        QStringLiteral("   či přidat na vybraný den a pracoviště"),
        QStringLiteral(""),
        QStringLiteral("K tisku přehledů se používá univerzální tlačítko,"),
        QStringLiteral("jehož význam (i otextování) se mění podle výběru položek."),
        QStringLiteral(""),
        QStringLiteral("Nový D - Generování nového pracovního dne"),
        QStringLiteral("              Výběr 1. Den"),
        QStringLiteral("                       2. Pracoviště"),
        QStringLiteral("                       3. Zobrazit vše"),
        QStringLiteral("                       4. Nejsou ještě žádné položky"),
        QStringLiteral(" "),
        QStringLiteral("Tisk O - Tisk rezervací pro vybraný objekt pracoviště"),
        QStringLiteral("             Výběr 1. Den"),
        QStringLiteral("                      2. Pracoviště"),
        QStringLiteral("              Možno zobrazit Volné, Obsazené, Vše"),
        QStringLiteral(""),
        QStringLiteral("Tisk P - Tisk rezervací pro vybraného pracovníka"),
        QStringLiteral("            Výběr 1. Den"),
        QStringLiteral("                     2. Pracovník"),
        QStringLiteral("             Možno zobrazit Volné, Obsazené, Vše "),
        QStringLiteral(""),
        QStringLiteral("Tisk K - Tisk rezervací vybraného klienta"),
        QStringLiteral("            Výběr 1. Vše"),
        QStringLiteral("                     2. Klient"),
        QStringLiteral("             Možno zobrazit Vše nebo Aktuální (tj. jen od aktuálního dne)"),
        QStringLiteral(""),
        QStringLiteral("Pomocné funkce:"),
        QStringLiteral(""),
        QStringLiteral("Pro nastavení data a času je nejlepší používat pomocná tlačítka,"),
        QStringLiteral("která jsou u těchto údajů a umožňují kliknutím myši zvýšit či snížit  "),
        QStringLiteral("příslušnou část údaje."),
        QStringLiteral("Samozřejmě je možné také datum a čas napsat ručně."),
        QStringLiteral("Na české číselné klávesnici je stisk klávesy čárka nahrazen tečkou,"),
        QStringLiteral("klávesa + mezerou pro oddělení času,"),
        QStringLiteral("klávesa *,- dvojtečkou pro zapsání času.  "),
        QStringLiteral(""),
        QStringLiteral("Pokud je předvyplněn kód pracovníka (bez zaškrtnutí),"),
        QStringLiteral("je při zadávaní objednávky automaticky vyplněn na objednávce"),
        QStringLiteral("bez zadaného kódu pracovníka (00)."),
        QStringLiteral(""),
        QStringLiteral("Pokud je vyplněn údaj Klient (RČ) je možné,"),
        QStringLiteral("např. při opakované objednávce klienta po týdnech,"),
        QStringLiteral("převzít tento údaj do položky Kdo pomocí"),
        QStringLiteral("klávesy Insert / Ctrl+Levé tl. myši / Pravé tl. myši."),
        QStringLiteral(""),
        QStringLiteral("Pro rychlejší nastavení objednávky či tisku je možné použít tlačítka"),
        QStringLiteral("R - Rezervace  (pokud je vyplněno Pracoviště) "),
        QStringLiteral("T - Tisk  (pokud je vyplněno Pracoviště/Kient/Pracovník)"),
        QStringLiteral(""),
        QStringLiteral("Kalendář pracoviště"),
        QStringLiteral("- Musí být vybrané nějaké Pracoviště (i bez zaškrtnutí)"),
        QStringLiteral("- Zobrazí se týden ve kterém je Zadané datum "),
        QStringLiteral("  (v Kalendáři je tento den zvýrazněný)"),
        QStringLiteral("- Klik myší na Datu v kalendáři nastaví Přehled rezervací"),
        QStringLiteral("  na tento den bez změny nastavení Výběru."),
        QStringLiteral("- Klik myší na položce dne (hodině) v Kalendáři"),
        QStringLiteral("  nastaví ještě navíc na tuto položku v Přehledu rezervaci"),
        QStringLiteral("  (jen pokud je ve výběru zobrazena)"),
        QStringLiteral("- Dvojklik myší provede totéž, ale výběr se nastaví"),
        QStringLiteral("  na zapsání  nové Rezervace"),
        QStringLiteral("Pokud je proužek pod Datem zelený je volná nejméně jedna položka."),
        QStringLiteral("Pokud červený je pracoviště na tento den plně obsazeno.  "),
    };
    return lines;
}

TFoNapovedaP::TFoNapovedaP(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("FoNapovedaP"));
    setWindowTitle(QStringLiteral("Nápověda"));
    setAttribute(Qt::WA_DeleteOnClose);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(13);
    setFont(font);
    resize(kWidth, kHeight);

    Memo = new QPlainTextEdit(this);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setReadOnly(true);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo->setPlainText(helpLines().join(QLatin1Char('\n')));
    Memo->setGeometry(0, 0, kWidth, kHeight);
}

TFoNapovedaP::~TFoNapovedaP() {
    if (FoNapovedaP == this)
        FoNapovedaP = nullptr;
}

void TFoNapovedaP::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TFoNapovedaP::FormClose() {
    // The window is destroyed on close (WA_DeleteOnClose); forget it now so that the next request
    // creates a new one even before the deferred deletion has run.
    if (FoNapovedaP == this)
        FoNapovedaP = nullptr;
}

void TFoNapovedaP::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Anchored to the left, top and bottom edges: the memo keeps its width and follows the height.
    Memo->setGeometry(0, 0, Memo->width(), height());
}

void OtevriNapovedu(int DX, int DY) {
    if (!FoNapovedaP) {
        FoNapovedaP = new TFoNapovedaP();
        // Beside the main window, found by its name: the code lists do not depend on the window's class.
        for (const QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String("FoKL")) {
                FoNapovedaP->move(w->x() + DX, w->y() + DY);
                break;
            }
        }
    }
    FoNapovedaP->show();
    FoNapovedaP->raise();
    FoNapovedaP->activateWindow();
    FoNapovedaP->Memo->setFocus();
}
