#include "FoPracovP.h"

#include "OknoCiselniku.h"

#include "data/DmKL.h"

namespace {

SeznamPopis popis() {
    SeznamPopis p;
    p.jmeno = "FoPracovP";
    p.titulek = QStringLiteral("Rehabilitační pracovníci");
    p.zdroj = DmKL->DSPracov;
    p.kodPole = p.hledatKod = QStringLiteral("Kod");
    p.nazevPole = p.hledatNazev = QStringLiteral("Prijmeni");
    p.lbKod = QStringLiteral("Kód");
    p.lbNazev = QStringLiteral("Příjmení");
    p.lbVychozi = QStringLiteral("Jméno");
    p.rezimVychozi = 1;
    p.prazdnyNehledat = false;
    p.escVzdy = false;
    p.prepinaMrizku = true;
    p.napovedy = {QStringLiteral("První pracovník"),
                  QStringLiteral("Předchozí pracovník"),
                  QStringLiteral("Následující pracovník"),
                  QStringLiteral("Poslední pracovník"),
                  QStringLiteral("Přidat pracovníka"),
                  QStringLiteral("Smazat pracovníka"),
                  QStringLiteral("Opravit údaje pracovníka"),
                  QStringLiteral("Potvrdit změny"),
                  QStringLiteral("Zrušit změny"),
                  QStringLiteral("Refresh na síti")};
    return p;
}

} // namespace

TFoPracovP::TFoPracovP(TCiselniky& ciselniky, QWidget* parent) : TFoSeznam(ciselniky, popis(), parent) {
    const Qt::Alignment center = Qt::AlignCenter;
    FoGrid->setColumns({sloupec(QStringLiteral("Kod"), QStringLiteral("Kód *"), center),
                        sloupec(QStringLiteral("Titul"), QStringLiteral("Titul")),
                        sloupec(QStringLiteral("Prijmeni"), QStringLiteral("Příjmení *")),
                        sloupec(QStringLiteral("Jmeno"), QStringLiteral("Jméno"))});
    rozsirSloupce(FoGrid);
    LbCo->setText(QStringLiteral("Příjmení"));
    FoGrid->setProperty("Tag", 1);
    FormCreate();
    resize(460, 400);
}

void TFoPracovP::FormCreate() {
    FoGrid->setReadOnlyGrid(!navigatorKlientu(Navigator));
}

void TFoPracovP::serad(int poradi) {
    DmKL->SeradPracovniky(poradi);
}
