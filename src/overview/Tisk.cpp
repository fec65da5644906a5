// The report project of the universal button's printing modes, and the small buttons of the selection box
// that preset the selection for printing or for booking.

#include "app/FoKL.h"
#include "data/DmKL.h"
#include "overview/PanelSeznamu.h"
#include "overview/PanelVyberu.h"
#include "reports/RvSystem.h"

#include "toolkit/core/Errors.h"

void TFoKL::PripojTisk() {
    RvKalendo = std::make_unique<rv::RvProject>(dm_.RvKalendoProjectFile);
    RvKalendo->setSeznam(dm_.QReserve);
    RvKalendo->setRadek(QStringLiteral("ParamP"), dm_.QParamP);
    PSeznam->tiskniSestavu = [this](const QString& sestava) { RvKalendo->ExecuteReport(sestava, this); };
    const auto pripoj = [this](QPushButton* b, void (TFoKL::*handler)()) {
        connect(b, &QPushButton::clicked, this, [this, handler] { tk::guard([&] { (this->*handler)(); }); });
    };
    pripoj(GBObdobi->BbTiskO, &TFoKL::BbTiskOClick);
    pripoj(GBObdobi->BbOjednat, &TFoKL::BbTiskOClick);
    pripoj(GBObdobi->BbTiskK, &TFoKL::BbTiskKClick);
    pripoj(GBObdobi->BbTiskP, &TFoKL::BbTiskPClick);
}

void TFoKL::BbTiskOClick() {
    NastavRezervaci();
}

void TFoKL::BbTiskKClick() {
    GBObdobi->RBVVse->setChecked(true);
    GBObdobi->ChBVRCP->setChecked(true);
    PSeznam->RBZObsazeno->setChecked(true);
    GBObdobi->ChBVObj->setChecked(false);
    GBObdobi->ChBVKPr->setChecked(false);
}

void TFoKL::BbTiskPClick() {
    GBObdobi->RBVDen->setChecked(true);
    GBObdobi->ChBVKPr->setChecked(true);
    PSeznam->RBZObsazeno->setChecked(true);
    GBObdobi->ChBVObj->setChecked(false);
    GBObdobi->ChBVRCP->setChecked(false);
}
