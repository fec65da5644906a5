// Founding a new working day: the marker rows of the day and of the pause, and the free slots.

#include "app/FoKL.h"
#include "data/DmKL.h"
#include "toolkit/core/Dialogs.h"
#include "toolkit/core/Errors.h"

using tk::kMinute;
using tk::TDateTime;

namespace {

// Holds the generation flag for as long as a generation runs, however it ends.
class Generovani {
public:
    explicit Generovani(bool& flag) : flag_(flag) { flag_ = true; }
    ~Generovani() { flag_ = false; }
    Generovani(const Generovani&) = delete;
    Generovani& operator=(const Generovani&) = delete;

private:
    bool& flag_;
};

} // namespace

void TFoKL::VlozZnacku(TDateTime cas, const QString& kod, const QString& text) {
    tk::Dataset& q = *DmKL->QReserve;
    q.insert();
    DmKL->QReserveObjekt->setAsString(EdVObj->text());
    DmKL->QReserveDatumCas->setAsDateTime(cas);
    DmKL->QReserveDoba->setAsInteger(0);
    DmKL->QReserveRCPacienta->setAsString(kod);
    DmKL->QReserveJmenoPac->setAsString(text);
    q.post();
}

void TFoKL::GenerujIntervaly(TDateTime Od, TDateTime Do, int Interval) {
    tk::Dataset& q = *DmKL->QReserve;
    q.edit();
    for (int i = 1; Od + i * Interval * kMinute < Do + tk::kTolerance; ++i) {
        q.insert();
        DmKL->QReserveObjekt->setAsString(EdVObj->text());
        DmKL->QReserveDatumCas->setAsDateTime(Od + (i - 1) * Interval * kMinute);
        DmKL->QReserveDoba->setAsInteger(Interval);
        // Empty text, not NULL: a free slot is found by comparing its client and name with blanks.
        DmKL->QReserveRCPacienta->setAsString(QStringLiteral(""));
        DmKL->QReserveJmenoPac->setAsString(QStringLiteral(""));
        q.post();
    }
}

void TFoKL::ZalozNovyDen() {
    tk::Dataset& q = *DmKL->QReserve;
    q.close();
    q.open();
    if (!q.isEmpty() || !Navigator->visibleButtons().contains(tk::DBNavigator::Insert)) {
        tk::dialogs().message(
            QStringLiteral(
                "Založení nového pracovního dne je možné jen pokud\r\n- je vybrán určitý den a pracoviště\r\n"
                "- je bez položek (přehled rezervací)\r\n- není omezen určitým klientem či pracovníkem\r\n"
                "- je zobrazeno vše\r\n  Generováno je podle nastavení v číselníku pracoviště\r\n"
                "  (generování polední pauzy či jednotlivých intervalů).\r\n"
                "  Začátky a konce pracovní doby pak můžete upravit ručně."),
            tk::MessageIcon::Information);
        BbTiskNovy->setText(QStringLiteral("<?>"));
        tk::abort();
    }
    DmKL->QObjekt->locate(QStringLiteral("Kod"), EdVObj->text(), {true, false});
    const bool gpp = DmKL->QObjektGpp->asBoolean();
    const bool gin = DmKL->QObjektGin->asBoolean();
    const int interval = DmKL->QObjektInterval->asInteger();
    const bool vpp = DmKL->QParamPVPP->asBoolean();
    const TDateTime den = tk::fromDate(EdVDatum->date());
    const auto cas = [&](tk::Field* h, tk::Field* m) {
        return den + tk::encodeTime(h->asInteger(), m->asInteger());
    };
    try {
        // A day is written whole or not at all: a day left half-founded would no longer be offered for
        // founding.
        DmKL->SpojeniKL->inTransaction([&] {
            Generovani generovani(GenerovaniDne);
            VlozZnacku(cas(DmKL->QParamPPrOdH, DmKL->QParamPPrOdM), QStringLiteral("1"),
                       QStringLiteral("======ZPD======="));
            VlozZnacku(cas(DmKL->QParamPPrDoH, DmKL->QParamPPrDoM), QStringLiteral("4"),
                       QStringLiteral("======KPD======="));
            if (gpp && vpp) {
                VlozZnacku(cas(DmKL->QParamPPPOdH, DmKL->QParamPPPOdM), QStringLiteral("2"),
                           QStringLiteral("======ZPP======="));
                VlozZnacku(cas(DmKL->QParamPPPDoH, DmKL->QParamPPPDoM), QStringLiteral("3"),
                           QStringLiteral("======KPP======="));
            }
            if (gin && interval > 0) {
                const auto span = [&](TDateTime od, TDateTime doCasu) {
                    DmKL->KonecPredchozi = od;
                    DmKL->ZacatekNasledujici = doCasu;
                    GenerujIntervaly(DmKL->KonecPredchozi, DmKL->ZacatekNasledujici, interval);
                };
                const TDateTime prOd = den + DmKL->QParamPVPrOd->asDateTime();
                const TDateTime prDo = den + DmKL->QParamPVPrDo->asDateTime();
                if (gpp && vpp) {
                    span(prOd, den + DmKL->QParamPVPPOd->asDateTime());
                    span(den + DmKL->QParamPVPPDo->asDateTime(), prDo);
                } else {
                    span(prOd, prDo);
                }
            }
            // A span without a whole slot leaves the last row in editing: drop it unposted.
            if (q.isEditing())
                q.cancel();
        });
    } catch (...) {
        // Show the day as the database has it after the rollback; closing drops the row being inserted
        // without a cancel, so the navigator and the step buttons are put back into browsing here.
        q.close();
        tk::guard([&] { q.open(); });
        DmKL->RezimProhlizeni();
        throw;
    }
    q.close();
    q.open();
}
