#include "FoSeznamP.h"

#include "Ciselniky.h"

#include "OknoCiselniku.h"
#include "data/Kontroly.h"

#include "data/DmKL.h"

#include <QKeyEvent>

namespace {

SeznamPopis popis() {
    SeznamPopis p;
    p.jmeno = "FoSeznamP";
    p.titulek = QStringLiteral("Seznam klientů");
    p.zdroj = DmKL->DSPacienti;
    p.kodPole = p.hledatKod = QStringLiteral("RC");
    p.nazevPole = QStringLiteral("VCeleJmeno");
    p.hledatNazev = QStringLiteral("Prijmeni");
    p.lbKod = QStringLiteral("RČ");
    p.lbNazev = p.lbVychozi = QStringLiteral("Jméno");
    p.rezimVychozi = 1;
    p.prazdnyNehledat = false;
    p.escVzdy = true;
    p.prepinaMrizku = false;
    p.napovedy = {QStringLiteral("První klient"),          QStringLiteral("Předchozí klient"),
                  QStringLiteral("Následující klient"),    QStringLiteral("Poslední klient"),
                  QStringLiteral("Přidat klienta"),        QStringLiteral("Smazat klienta"),
                  QStringLiteral("Opravit údaje klienta"), QStringLiteral("Potvrdit změny"),
                  QStringLiteral("Zrušit změny"),          QStringLiteral("Refresh na síti")};
    return p;
}

} // namespace

TFoSeznamP::TFoSeznamP(TCiselniky& ciselniky, QWidget* parent) : TFoSeznam(ciselniky, popis(), parent) {
    const Qt::Alignment center = Qt::AlignCenter;
    FoGrid->setColumns({sloupec(QStringLiteral("RC"), QStringLiteral("RČ *")),
                        sloupec(QStringLiteral("VCeleJmeno"), QStringLiteral("Jméno *")),
                        sloupec(QStringLiteral("Ulice"), QStringLiteral("Bydliště")),
                        sloupec(QStringLiteral("Misto")), // the field's label
                        sloupec(QStringLiteral("DatNar"), QStringLiteral("Narozen"), center),
                        sloupec(QStringLiteral("KodZP"), QStringLiteral("ZP"), center)});
    FoGrid->setReadOnlyGrid(true);
    rozsirSloupce(FoGrid);
    pridejStatusBar({QStringLiteral(" F1"), QStringLiteral("Insert -> Detail")});
    FormCreate();
    resize(700, 420);
}

void TFoSeznamP::FormCreate() {
    navigatorKlientu(Navigator);
}

void TFoSeznamP::serad(int poradi) {
    DmKL->SeradPacienty(poradi);
}

QString TFoSeznamP::kodRadku() const {
    // Clients without a birth number are known by their identifier.
    const QString rc = BezMezer(DmKL->QPacientiRC->asString());
    return rc.isEmpty() ? DmKL->QPacientiIDPacienta->asString().trimmed() : rc;
}

void TFoSeznamP::poVyberu(bool dvojklik) {
    if (dvojklik)
        close();
    else
        hide();
}

void TFoSeznamP::otevriKartu() {
    ciselniky_.OtevriKlienta(x() + 10, y() + 10);
}

void TFoSeznamP::mimoVyber(bool) {
    otevriKartu();
}

void TFoSeznamP::NavigatorClick(tk::DBNavigator::Button button) {
    if (button == tk::DBNavigator::Insert || button == tk::DBNavigator::Edit)
        otevriKartu();
}

bool TFoSeznamP::dalsiKlavesa(QKeyEvent* event) {
    if (event->key() != Qt::Key_Insert)
        return false;
    otevriKartu();
    return true;
}
