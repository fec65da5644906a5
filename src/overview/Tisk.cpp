// The universal button: printing the list by the selection, or founding an empty working day; and the
// small buttons that preset the selection for printing or for booking.

#include "app/FoKL.h"
#include "data/DmKL.h"

#include "toolkit/core/Dialogs.h"
#include "toolkit/core/Errors.h"

void TFoKL::PripojTisk() {
    RvKalendo = std::make_unique<rv::RvProject>(DmKL->RvKalendoProjectFile);
    RvKalendo->setSeznam(DmKL->QReserve);
    RvKalendo->setRadek(QStringLiteral("ParamP"), DmKL->QParamP);
    connect(BbTiskNovy, &QPushButton::clicked, this, [this] { tk::guard([this] { BbTiskNovyClick(); }); });
    connect(BbTiskO, &QPushButton::clicked, this, [this] { tk::guard([this] { BbTiskOClick(); }); });
    connect(BbOjednat, &QPushButton::clicked, this, [this] { tk::guard([this] { BbTiskOClick(); }); });
    connect(BbTiskK, &QPushButton::clicked, this, [this] { tk::guard([this] { BbTiskKClick(); }); });
    connect(BbTiskP, &QPushButton::clicked, this, [this] { tk::guard([this] { BbTiskPClick(); }); });
}

void TFoKL::BbTiskNovyClick() {
    struct Konec {
        bool& priznak;
        ~Konec() { priznak = false; }
    } konec{NovyDenZalozen};
    NovyDenZalozen = false;

    switch (tagOf(BbTiskNovy)) {
    case RezimZadny:
        tk::dialogs().message(QStringLiteral("Funkce tlačítka se mění podle nastavení výběru a zobrazení."),
                              tk::MessageIcon::Information);
        break;
    case RezimNovyDen:
        if (NepracovniDen > 0 &&
            !tk::dialogs().question(QStringLiteral("Tento den není pro vybrané pracoviště jako pracovní.\r\n"
                                                   "Chcete přesto pro tento den generovat položky ?"),
                                    true, QStringLiteral("Kalendo - Generování pracovního dne")))
            tk::abort();
        ZalozNovyDen();
        NovyDenZalozen = true;
        break;
    case RezimTiskO:
        RvKalendo->ExecuteReport(QStringLiteral("ResOD"), this);
        break;
    case RezimTiskP:
        RvKalendo->ExecuteReport(QStringLiteral("ResPD"), this);
        break;
    case RezimTiskK:
        RvKalendo->ExecuteReport(QStringLiteral("ResKV"), this);
        break;
    default:
        break;
    }
    ObnovVyber();
    if (NovyDenZalozen && CilovyCas > 0 && !EdVRCP->text().trimmed().isEmpty())
        NajdiCas();
}

void TFoKL::BbTiskOClick() {
    NastavRezervaci();
}

void TFoKL::BbTiskKClick() {
    RBVVse->setChecked(true);
    ChBVRCP->setChecked(true);
    RBZObsazeno->setChecked(true);
    ChBVObj->setChecked(false);
    ChBVKPr->setChecked(false);
}

void TFoKL::BbTiskPClick() {
    RBVDen->setChecked(true);
    ChBVKPr->setChecked(true);
    RBZObsazeno->setChecked(true);
    ChBVObj->setChecked(false);
    ChBVRCP->setChecked(false);
}
