// The rules every change of a reservation obeys: the lock of the workplace-day against other stations,
// the free window between the neighbouring rows, the defaults of a new row and the re-read after posting.
// They work for the selection the main window handed over and report the changes of mode by signals.

#include "DmKL.h"

#include "ZamekDne.h"

#include "toolkit/core/Dialogs.h"
#include "toolkit/core/Errors.h"

using tk::kMinute;
using tk::kTolerance;
using tk::TDateTime;

namespace {

const QString kZamceno =
    QStringLiteral("Rezervace na toto pracoviště a den\r\nje blokováno někým, kdo ji započal "
                   "dříve.\r\nPočkejte prosím až jím bude uvolněna.\r\n(viz. 2 Rezervace -> 1 "
                   "Blokované).");

TDateTime konecRadku(tk::Dataset& ds, int recNo, tk::Field* datumCas, tk::Field* doba) {
    return ds.rowValue(recNo, *datumCas).toDouble() + ds.rowValue(recNo, *doba).toInt() * kMinute;
}

} // namespace

void TDmKL::NastavVyber(const Vyber& vyber) {
    vyber_ = vyber;
}

void TDmKL::NastavZdrojVyberu(std::function<Vyber()> zdroj) {
    zdrojVyberu_ = std::move(zdroj);
}

const Vyber& TDmKL::aktualniVyber() const {
    if (zdrojVyberu_)
        vyber_ = zdrojVyberu_();
    // Without a selection the lock, the free window and the overlap check would have nothing to work
    // for; refusing is safer than writing a row that no rule has seen.
    if (!vyber_)
        throw tk::DatabaseError(QStringLiteral("Rezervaci nelze zapsat: není vybráno pracoviště a den."));
    return *vyber_;
}

void TDmKL::RezimUpravy() {
    Q_EMIT zacalaUprava();
    // The free window and the overlap check must see the rows as the server has them now.
    QReserve->requery();
}

void TDmKL::RezimProhlizeni() {
    Q_EMIT skoncilaUprava();
}

void TDmKL::ZamkniDen() {
    if (GenerovaniDne)
        return;
    const Vyber& v = aktualniVyber();
    if (!ZamkniDenPracoviste(*SpojeniKL, v.objKod, v.datum, IdPc)) {
        tk::dialogs().message(kZamceno, tk::MessageIcon::Warning);
        RezimProhlizeni();
        tk::abort();
    }
    zamekDrzen_ = true;
    zamekObjekt_ = v.objKod;
    zamekDen_ = v.datum;
    Q_EMIT denZamcen();
    if (QBlokRes->isActive())
        QBlokRes->requery();
}

void TDmKL::OdemkniDen() {
    if (GenerovaniDne)
        return;
    if (zamekDrzen_) {
        // Exactly this station's lock row of the edited workplace-day, whatever the blocked-days window
        // has done with its dataset meanwhile.
        zamekDrzen_ = false;
        OdemkniDenPracoviste(*SpojeniKL, zamekObjekt_, zamekDen_, IdPc);
        if (QBlokRes->isActive())
            QBlokRes->requery();
    }
    Q_EMIT denOdemcen();
}

void TDmKL::QReserveBeforeEdit(tk::Dataset& ds) {
    const Vyber& v = aktualniVyber();
    RezimUpravy();
    const int n = ds.recNo();
    const int N = ds.recordCount();
    const TDateTime den = tk::fromDate(v.datum);
    if (n != 1 && n != N) {
        KonecPredchozi = konecRadku(ds, n - 1, QReserveDatumCas, QReserveDoba);
        ZacatekNasledujici = ds.rowValue(n + 1, *QReserveDatumCas).toDouble();
    } else if (n == 1 && N > 1) {
        KonecPredchozi = den;
        ZacatekNasledujici = ds.rowValue(2, *QReserveDatumCas).toDouble();
    } else if (n == N && N > 1) {
        KonecPredchozi = konecRadku(ds, N - 1, QReserveDatumCas, QReserveDoba);
        ZacatekNasledujici = den + tk::encodeTime(23, 59);
    } else if (!GenerovaniDne) {
        // The only row of the day: the whole day is free around it (bounds left over from an earlier edit,
        // or none at all after the start, would make it impossible to post).
        KonecPredchozi = den;
        ZacatekNasledujici = den + tk::encodeTime(23, 59);
    }
    ZamkniDen();
    Q_EMIT fokusPole(QStringLiteral("DatumCas"));
}

void TDmKL::QReserveAfterEdit(tk::Dataset&) {
    const Vyber& v = aktualniVyber();
    if (QReserveKodPrac->asString().trimmed() == QLatin1String("00"))
        QReserveKodPrac->setAsString(v.kprKod);
    Q_EMIT fokusPole(QStringLiteral("RCPacienta"));
}

void TDmKL::QReserveBeforeInsert(tk::Dataset& ds) {
    const Vyber& v = aktualniVyber();
    RezimUpravy();
    if (ds.isEmpty() && !GenerovaniDne) {
        tk::dialogs().message(
            QStringLiteral("Před vložením nové rezervace je nutné\r\nzaložit nový pracovní den "
                           "tlačítkem \"Nový\"."),
            tk::MessageIcon::Warning);
        RezimProhlizeni();
        tk::abort();
    }
    if (ds.recNo() == 1 && ds.recordCount() > 1 && !GenerovaniDne) {
        tk::dialogs().message(
            QStringLiteral("Nová rezervace se vkládá vždy před vybranou.\r\nZačátek pracovního dne "
                           "můžete posunout ručně."),
            tk::MessageIcon::Warning);
        RezimProhlizeni();
        tk::abort();
    }
    if (!GenerovaniDne) {
        const int n = ds.recNo();
        if (ds.recordCount() > 1) {
            KonecPredchozi = konecRadku(ds, n - 1, QReserveDatumCas, QReserveDoba);
            ZacatekNasledujici = ds.rowValue(n, *QReserveDatumCas).toDouble();
        } else {
            // Before the only row: from midnight up to its start.
            KonecPredchozi = tk::fromDate(v.datum);
            ZacatekNasledujici = ds.rowValue(n, *QReserveDatumCas).toDouble();
        }
        Q_EMIT fokusPole(QStringLiteral("DatumCas"));
    }
    ZamkniDen();
}

void TDmKL::QReserveAfterInsert(tk::Dataset&) {
    const Vyber& v = aktualniVyber();
    QReserveDatumCas->setAsDateTime(KonecPredchozi);
    QReserveObjekt->setAsString(v.objKod);
    // Empty text, not NULL: the lists find free slots by comparing with blanks.
    QReserveJmenoPac->setAsString(QStringLiteral(""));
    QReserveRCPacienta->setAsString(v.rcpNazvano ? v.rcpText : QStringLiteral(""));
    QReservePKZadanky->setAsInteger(0);
    QReserveHotovo->setAsBoolean(false);
    if (v.kprNazvano)
        QReserveKodPrac->setAsString(v.kprKod);
    else if (v.stalyPracovnik != QLatin1String("00"))
        QReserveKodPrac->setAsString(v.stalyPracovnik);
    else
        QReserveKodPrac->setAsString(QStringLiteral("00"));
    const std::optional<Pracoviste> p = NajdiPracoviste(v.objKod);
    QReserveDoba->setAsInteger(p ? p->interval : 0);
}

void TDmKL::QReserveBeforePost(tk::Dataset&) {
    if (GenerovaniDne)
        return;
    if (QReserveDatumCas->asDateTime() < KonecPredchozi - kTolerance ||
        QReserveVDatCasDo->asDateTime() > ZacatekNasledujici + kTolerance) {
        tk::dialogs().message(QStringLiteral("Rezervace se časově překrývá s předchozí nebo následující. "),
                              tk::MessageIcon::Warning);
        tk::abort();
    }
}

void TDmKL::QReserveAfterPost(tk::Dataset& ds) {
    PosledniIDRes = QReserveIDRes->asInteger();
    ds.close();
    ds.open();
    ds.locate(QStringLiteral("IDRes"), PosledniIDRes);
    OdemkniDen();
    RezimProhlizeni();
    Q_EMIT radekUlozen(PosledniIDRes);
}

void TDmKL::QReserveAfterCancel(tk::Dataset&) {
    OdemkniDen();
    RezimProhlizeni();
}

void TDmKL::QParamPBeforePost(tk::Dataset&) {
    int chyby = 0;
    const TDateTime prOd = QParamPVPrOd->asDateTime(), prDo = QParamPVPrDo->asDateTime();
    if (!(prDo > prOd))
        ++chyby;
    if (QParamPVPP->asBoolean()) {
        const TDateTime ppOd = QParamPVPPOd->asDateTime(), ppDo = QParamPVPPDo->asDateTime();
        if (!(ppOd > prOd))
            ++chyby;
        if (!(ppDo > ppOd))
            ++chyby;
        if (!(prDo > ppDo))
            ++chyby;
    }
    if (chyby > 0) {
        tk::dialogs().message(
            QStringLiteral("Tak takhle se pracovat nedá !\r\nNastavte nejdříve parametry pracovní doby."),
            tk::MessageIcon::Warning);
        Q_EMIT pracovniDobaOdmitnuta();
        tk::abort();
    }
}
