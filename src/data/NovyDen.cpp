// Founding a new working day: the marker rows of the day and of the pause, and the free slots.

#include "DmKL.h"

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

void TDmKL::VlozZnacku(TDateTime cas, const QString& kod, const QString& text) {
    tk::Dataset& q = *QReserve;
    q.insert();
    QReserveObjekt->setAsString(aktualniVyber().objKod);
    QReserveDatumCas->setAsDateTime(cas);
    QReserveDoba->setAsInteger(0);
    QReserveRCPacienta->setAsString(kod);
    QReserveJmenoPac->setAsString(text);
    q.post();
}

void TDmKL::GenerujIntervaly(TDateTime Od, TDateTime Do, int Interval) {
    tk::Dataset& q = *QReserve;
    q.edit();
    for (int i = 1; Od + i * Interval * kMinute < Do + tk::kTolerance; ++i) {
        q.insert();
        QReserveObjekt->setAsString(aktualniVyber().objKod);
        QReserveDatumCas->setAsDateTime(Od + (i - 1) * Interval * kMinute);
        QReserveDoba->setAsInteger(Interval);
        // Empty text, not NULL: a free slot is found by comparing its client and name with blanks.
        QReserveRCPacienta->setAsString(QStringLiteral(""));
        QReserveJmenoPac->setAsString(QStringLiteral(""));
        q.post();
    }
}

void TDmKL::ZalozNovyDen() {
    const Vyber v = aktualniVyber();
    tk::Dataset& q = *QReserve;
    q.close();
    q.open();
    if (!q.isEmpty() || !v.zapisovatelny()) {
        tk::dialogs().message(
            QStringLiteral(
                "Založení nového pracovního dne je možné jen pokud\r\n- je vybrán určitý den a pracoviště\r\n"
                "- je bez položek (přehled rezervací)\r\n- není omezen určitým klientem či pracovníkem\r\n"
                "- je zobrazeno vše\r\n  Generováno je podle nastavení v číselníku pracoviště\r\n"
                "  (generování polední pauzy či jednotlivých intervalů).\r\n"
                "  Začátky a konce pracovní doby pak můžete upravit ručně."),
            tk::MessageIcon::Information);
        tk::abort();
    }
    const Pracoviste p = NajdiPracoviste(v.objKod).value_or(Pracoviste{});
    const bool vpp = QParamPVPP->asBoolean();
    const TDateTime den = tk::fromDate(v.datum);
    const auto cas = [&](tk::Field* h, tk::Field* m) {
        return den + tk::encodeTime(h->asInteger(), m->asInteger());
    };
    try {
        // A day is written whole or not at all: a day left half-founded would no longer be offered for
        // founding.
        SpojeniKL->inTransaction([&] {
            Generovani generovani(GenerovaniDne);
            VlozZnacku(cas(QParamPPrOdH, QParamPPrOdM), QStringLiteral("1"),
                       QStringLiteral("======ZPD======="));
            VlozZnacku(cas(QParamPPrDoH, QParamPPrDoM), QStringLiteral("4"),
                       QStringLiteral("======KPD======="));
            if (p.gpp && vpp) {
                VlozZnacku(cas(QParamPPPOdH, QParamPPPOdM), QStringLiteral("2"),
                           QStringLiteral("======ZPP======="));
                VlozZnacku(cas(QParamPPPDoH, QParamPPPDoM), QStringLiteral("3"),
                           QStringLiteral("======KPP======="));
            }
            if (p.gin && p.interval > 0) {
                const auto span = [&](TDateTime od, TDateTime doCasu) {
                    KonecPredchozi = od;
                    ZacatekNasledujici = doCasu;
                    GenerujIntervaly(KonecPredchozi, ZacatekNasledujici, p.interval);
                };
                const TDateTime prOd = den + QParamPVPrOd->asDateTime();
                const TDateTime prDo = den + QParamPVPrDo->asDateTime();
                if (p.gpp && vpp) {
                    span(prOd, den + QParamPVPPOd->asDateTime());
                    span(den + QParamPVPPDo->asDateTime(), prDo);
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
        RezimProhlizeni();
        throw;
    }
    q.close();
    q.open();
}
