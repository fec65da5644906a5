// A course of treatments: the further days of a booked row, what booking each would take, and the
// booking itself, one day after another under the rules of a single booking.

#include "Kurz.h"
#include "DmKL.h"
#include "ZamekDne.h"

#include "toolkit/core/Clock.h"
#include "toolkit/core/Errors.h"
#include "toolkit/core/SqlQuote.h"

#include <algorithm>

using tk::Bound;
using tk::FieldType;
using tk::kMinute;
using tk::kTolerance;
using tk::TDateTime;

QList<QDate> TerminyKurzu(const QDate& od, int pocet, KrokKurzu krok, const QSet<int>& dnyTydne) {
    QList<QDate> dny;
    if (krok == KrokKurzu::DnyVTydnu && dnyTydne.isEmpty())
        return dny;
    QDate d = od;
    while (dny.size() < pocet) {
        switch (krok) {
        case KrokKurzu::KazdyTyden:
            d = d.addDays(7);
            break;
        case KrokKurzu::KazdeDvaTydny:
            d = d.addDays(14);
            break;
        case KrokKurzu::DnyVTydnu:
            d = d.addDays(1);
            if (!dnyTydne.contains(d.dayOfWeek()))
                continue;
            break;
        }
        dny << d;
    }
    return dny;
}

namespace {

struct Radek {
    TDateTime cas = 0;
    int doba = 0;
    QString rc, jmeno;
};

QList<Bound> objektDen(const QString& objekt, const QDate& den) {
    return {Bound{objekt, FieldType::String}, Bound{tk::fromDate(den), FieldType::DateTime},
            Bound{tk::fromDate(den.addDays(1)), FieldType::DateTime}};
}

bool stejnyCas(TDateTime a, TDateTime b) {
    return std::abs(a - b) < kTolerance;
}

QString popis(StavTerminu s) {
    switch (s) {
    case StavTerminu::Objednat:
        return QStringLiteral("objedná volný termín");
    case StavTerminu::ZalozitAObjednat:
        return QStringLiteral("založí nový den a objedná");
    case StavTerminu::Svatek:
        return QStringLiteral("svátek");
    case StavTerminu::NepracovniDen:
        return QStringLiteral("není pracovní den pracoviště");
    case StavTerminu::Obsazeno:
        return QStringLiteral("termín je obsazen");
    case StavTerminu::JizObjednano:
        return QStringLiteral("klient je na tento termín již objednán");
    case StavTerminu::ZadnyTermin:
        return QStringLiteral("v tento čas nezačíná žádný termín");
    case StavTerminu::Prekryv:
        return QStringLiteral("návštěva by zasáhla do následujícího termínu");
    case StavTerminu::Zamceno:
        return QStringLiteral("den právě upravuje jiná stanice");
    case StavTerminu::Objednano:
        return QStringLiteral("objednáno");
    case StavTerminu::Chyba:
        return QStringLiteral("nepodařilo se");
    case StavTerminu::Nezpracovano:
        return QStringLiteral("nezpracováno: předchozí termín selhal");
    }
    return QString();
}

TerminKurzu termin(const QDate& d, StavTerminu s, const QString& doplnek = QString()) {
    return {d, s, doplnek.isEmpty() ? popis(s) : popis(s) + QStringLiteral(": ") + doplnek};
}

// The course's own selection for the time one day is booked; the main window's live selection comes back
// afterwards however the booking ends.
class VyberDne {
public:
    VyberDne(TDmKL& dm, const Vyber& v, std::function<Vyber()>& zdroj, std::optional<Vyber>& vyber)
        : dm_(dm), zdroj_(zdroj), vyber_(vyber), puvodniZdroj_(std::move(zdroj)), puvodniVyber_(vyber) {
        zdroj_ = nullptr;
        dm_.NastavVyber(v);
    }
    ~VyberDne() {
        zdroj_ = std::move(puvodniZdroj_);
        vyber_ = puvodniVyber_;
    }
    VyberDne(const VyberDne&) = delete;
    VyberDne& operator=(const VyberDne&) = delete;

private:
    TDmKL& dm_;
    std::function<Vyber()>& zdroj_;
    std::optional<Vyber>& vyber_;
    std::function<Vyber()> puvodniZdroj_;
    std::optional<Vyber> puvodniVyber_;
};

} // namespace

std::optional<Kurz> TDmKL::KurzRadku() const {
    const tk::Dataset& q = *QReserve;
    if (!q.isActive() || q.isEmpty() || q.isEditing() || QReserveDoba->asInteger() <= 0)
        return std::nullopt;
    Kurz k;
    k.rc = QReserveRCPacienta->asString().trimmed();
    k.jmeno = QReserveJmenoPac->asString();
    if (k.rc.isEmpty() && k.jmeno.trimmed().isEmpty())
        return std::nullopt; // a free slot
    k.objKod = QReserveObjekt->asString();
    const TDateTime cas = QReserveDatumCas->asDateTime();
    k.od = tk::toDate(cas);
    k.minuta = int(std::lround((cas - tk::fromDate(k.od)) / kMinute));
    k.doba = QReserveDoba->asInteger();
    k.kodPrac = QReserveKodPrac->asString();
    return k;
}

QList<TDateTime> ZacatkyIntervalu(TDateTime Od, TDateTime Do, int Interval) {
    QList<TDateTime> zacatky;
    for (int i = 1; Od + i * Interval * kMinute < Do + kTolerance; ++i)
        zacatky << Od + (i - 1) * Interval * kMinute;
    return zacatky;
}

int TDmKL::NepracovniDen(const QDate& den, const std::optional<Pracoviste>& p) const {
    const bool so = p ? p->so : QParamPSo->asBoolean();
    const bool ne = p ? p->ne : QParamPNe->asBoolean();
    const bool sv = p ? p->sv : QParamPSv->asBoolean();
    int kod = 0;
    if (den.dayOfWeek() == 6 && !so)
        kod += 1;
    if (den.dayOfWeek() == 7 && !ne)
        kod += 2;
    if (!sv && SvatekDne(den))
        kod += 10;
    return kod;
}

TerminKurzu TDmKL::posoudTermin(const Kurz& k, const QDate& d, const Pracoviste& p) const {
    const int nepracovni = NepracovniDen(d, p);
    if (nepracovni >= 10)
        return termin(d, StavTerminu::Svatek, SvatekDne(d).value_or(QString()));
    if (nepracovni > 0)
        return termin(d, StavTerminu::NepracovniDen);

    for (const QVariantList& r :
         SpojeniKL->select(QStringLiteral("select IdPC from BlokRes where Objekt=? and Datum>=? and Datum<?"),
                           objektDen(k.objKod, d), {FieldType::String}))
        if (r.value(0).toString().trimmed() != IdPc.trimmed())
            return termin(d, StavTerminu::Zamceno, r.value(0).toString().trimmed());

    QList<Radek> radky;
    for (const QVariantList& r : SpojeniKL->select(
             QStringLiteral("select DatumCas,Doba,RCPacienta,JmenoPac from Reserve where Objekt=? and "
                            "DatumCas>=? and DatumCas<? order by DatumCas"),
             objektDen(k.objKod, d),
             {FieldType::DateTime, FieldType::Integer, FieldType::String, FieldType::String}))
        radky << Radek{r.value(0).toDouble(), r.value(1).toInt(), r.value(2).toString().trimmed(),
                       r.value(3).toString().trimmed()};

    const TDateTime zacatek = tk::fromDate(d) + k.minuta * kMinute;
    const TDateTime konec = zacatek + k.doba * kMinute;
    StavTerminu volny = StavTerminu::Objednat;
    if (radky.isEmpty()) {
        // The rows founding the day would write, as far as the slot and what follows it matter.
        const TDateTime den = tk::fromDate(d);
        const bool pauza = p.gpp && QParamPVPP->asBoolean();
        const TDateTime prOd = den + QParamPVPrOd->asDateTime(), prDo = den + QParamPVPrDo->asDateTime();
        const TDateTime ppOd = den + QParamPVPPOd->asDateTime(), ppDo = den + QParamPVPPDo->asDateTime();
        radky << Radek{prOd, 0, QStringLiteral("1"), QString()}
              << Radek{prDo, 0, QStringLiteral("4"), QString()};
        if (pauza)
            radky << Radek{ppOd, 0, QStringLiteral("2"), QString()}
                  << Radek{ppDo, 0, QStringLiteral("3"), QString()};
        if (p.gin && p.interval > 0) {
            const auto sloty =
                pauza ? ZacatkyIntervalu(prOd, ppOd, p.interval) + ZacatkyIntervalu(ppDo, prDo, p.interval)
                      : ZacatkyIntervalu(prOd, prDo, p.interval);
            for (TDateTime z : sloty)
                radky << Radek{z, p.interval, QString(), QString()};
        }
        std::stable_sort(radky.begin(), radky.end(),
                         [](const Radek& a, const Radek& b) { return a.cas < b.cas - kTolerance; });
        volny = StavTerminu::ZalozitAObjednat;
    }

    const auto slot = std::find_if(radky.begin(), radky.end(),
                                   [&](const Radek& r) { return r.doba > 0 && stejnyCas(r.cas, zacatek); });
    if (slot == radky.end())
        return termin(d, StavTerminu::ZadnyTermin);
    if (!slot->rc.isEmpty() || !slot->jmeno.isEmpty()) {
        const bool tentyz = k.rc.isEmpty() ? slot->jmeno == k.jmeno.trimmed() : slot->rc == k.rc;
        return tentyz ? termin(d, StavTerminu::JizObjednano) : termin(d, StavTerminu::Obsazeno, slot->jmeno);
    }
    for (auto r = slot + 1; r != radky.end(); ++r)
        if (r->cas > zacatek + kTolerance) {
            if (konec > r->cas + kTolerance)
                return termin(d, StavTerminu::Prekryv);
            break;
        }
    return termin(d, volny);
}

QList<TerminKurzu> TDmKL::NahledKurzu(const Kurz& k, const QList<QDate>& dny) const {
    QList<TerminKurzu> nahled;
    const std::optional<Pracoviste> p = NajdiPracoviste(k.objKod);
    for (const QDate& d : dny)
        nahled << (p ? posoudTermin(k, d, *p) : termin(d, StavTerminu::ZadnyTermin));
    return nahled;
}

QList<TerminKurzu> TDmKL::ObjednejKurz(const Kurz& k, const QList<QDate>& dny) {
    QList<TerminKurzu> vysledek;
    const std::optional<Pracoviste> p = NajdiPracoviste(k.objKod);
    bool selhalo = false;
    for (const QDate& d : dny) {
        if (selhalo || !p) {
            vysledek << termin(d, p ? StavTerminu::Nezpracovano : StavTerminu::ZadnyTermin);
            continue;
        }
        // Judged again now: another station may have booked or founded the day since the preview.
        TerminKurzu t = posoudTermin(k, d, *p);
        if (lzeObjednat(t.stav)) {
            try {
                objednejDen(k, d, *p, t.stav == StavTerminu::ZalozitAObjednat);
                t = termin(d, StavTerminu::Objednano);
            } catch (const tk::Abort&) {
                // A rule refused and has told the receptionist why; the other days are independent.
                t = termin(d, StavTerminu::Chyba, QStringLiteral("odmítnuto"));
            } catch (const tk::DatabaseError& e) {
                // The database failed: the days after it are left alone rather than tried against it.
                t = termin(d, StavTerminu::Chyba, e.message());
                selhalo = true;
            }
        }
        vysledek << t;
    }
    return vysledek;
}

void TDmKL::objednejDen(const Kurz& k, const QDate& d, const Pracoviste& p, bool zalozit) {
    Vyber v;
    v.obdobi = Obdobi::Den;
    v.datum = d;
    v.obj = true;
    v.objKod = k.objKod;
    v.objNazvano = true;
    v.zobrazeni = Zobrazeni::Vse;
    v.stalyPracovnik = p.kpr;
    VyberDne vyberDne(*this, v, zdrojVyberu_, vyber_);
    tk::Dataset& q = *QReserve;
    const TDateTime zacatek = tk::fromDate(d) + k.minuta * kMinute;
    try {
        SestavSeznam(v, RezimZadny, tk::clock().now());
        if (zalozit)
            ZalozNovyDen();
        bool nalezen = false;
        for (int i = 1; i <= q.recordCount() && !nalezen; ++i)
            if (q.rowValue(i, *QReserveDoba).toInt() > 0 &&
                stejnyCas(q.rowValue(i, *QReserveDatumCas).toDouble(), zacatek)) {
                q.setRecNo(i);
                nalezen = true;
            }
        if (!nalezen)
            throw tk::DatabaseError(popis(StavTerminu::ZadnyTermin));
        // The same steps as a booking by hand: the lock and the free window on Edit, the overlap check on
        // Post, the lock released after it.
        q.edit();
        QReserveRCPacienta->setAsString(k.rc);
        QReserveJmenoPac->setAsString(k.jmeno);
        QReserveKodPrac->setAsString(k.kodPrac);
        QReserveDoba->setAsInteger(k.doba);
        q.post();
    } catch (...) {
        if (q.isEditing())
            tk::guard([&] { q.cancel(); });
        // A day founded for this visit alone goes again with it: the date is booked whole or not touched.
        if (zalozit)
            tk::guard([&] { zrusZalozenyDen(k.objKod, d); });
        throw;
    }
}

void TDmKL::zrusZalozenyDen(const QString& objekt, const QDate& d) {
    // Only while the day still holds nothing but its markers and free slots: a client booked into it
    // meanwhile by another station keeps the day.
    const tk::SqlDialect& sql = SpojeniKL->dialect();
    const QString den = sql.dayEquals(QStringLiteral("DatumCas"), d);
    SpojeniKL->execute(
        QStringLiteral("delete from Reserve where (Objekt=") + tk::sqlText(objekt) + QStringLiteral(" and ") +
        den + QStringLiteral(" and not exists (select * from Reserve r where r.Objekt=") +
        tk::sqlText(objekt) + QStringLiteral(" and ") + sql.dayEquals(QStringLiteral("r.DatumCas"), d) +
        QStringLiteral(" and r.Doba>0 and (r.RCPacienta<>'' or r.JmenoPac<>'')))"));
}
