#include "FoKL.h"
#include "editing/FoOpakovat.h"
#include "overview/PanelSeznamu.h"
#include "overview/PanelVyberu.h"

#include "data/DmKL.h"

#include "toolkit/core/Dialogs.h"
#include "toolkit/core/Errors.h"

void TFoKL::BbOpakovatClick() {
    const std::optional<Kurz> kurz = dm_.KurzRadku();
    if (!kurz || !vyber().zapisovatelny()) {
        tk::dialogs().message(QStringLiteral("Opakovat lze jen objednanou rezervaci v přehledu jednoho "
                                             "pracoviště a dne (zobrazeno \"Vše\")."),
                              tk::MessageIcon::Information);
        return;
    }
    auto* okno = new TFoOpakovat(dm_, *kurz, this);
    if (!kurz->rc.isEmpty())
        okno->tiskKlienta = [this, rc = kurz->rc] {
            // The client's schedule as "Tisk K" prints it: the client in the selection, the client preset,
            // then the universal button in its client mode.
            GBObdobi->EdVRCP->setText(rc);
            BbTiskKClick();
            ObnovVyber();
            if (PSeznam->rezimTlacitka() == RezimTiskK)
                PSeznam->BbTiskNovyClick();
        };
    // The course books through the list of each day; the list then shows the selection's day again, on
    // the row the course started from.
    const int id = dm_.QReserveIDRes->asInteger();
    connect(okno, &TFoOpakovat::kurzObjednan, this, [this, id] {
        tk::guard([this, id] {
            ObnovVyber();
            dm_.QReserve->locate(QStringLiteral("IDRes"), id);
        });
    });
    okno->open();
}
