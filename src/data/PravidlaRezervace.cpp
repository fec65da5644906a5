// The rules every change of a reservation obeys: the lock of the workplace-day against other stations,
// the free window between the neighbouring rows, the defaults of a new row and the re-read after posting.

#include "DmKL.h"

#include "ZamekDne.h"

#include "app/FoKL.h"
#include "app/KLConect.h"
#include "toolkit/core/Dialogs.h"
#include "toolkit/core/SqlQuote.h"

using tk::kMinute;
using tk::kTolerance;
using tk::TDateTime;

namespace {

const QString kZamceno =
    QStringLiteral("Rezervace na toto pracoviště a den\r\nje blokováno někým, kdo ji započal "
                   "dříve.\r\nPočkejte prosím až jím bude uvolněna.\r\n(viz. 2 Rezervace -> 1 "
                   "Blokované).");

const QStringList kNapovedyNavigatoru{QStringLiteral("První záznam"),
                                      QStringLiteral("Předchozí záznam"),
                                      QStringLiteral("Následující záznam"),
                                      QStringLiteral("Poslední záznam"),
                                      QStringLiteral("Přidat záznam před vybraný"),
                                      QStringLiteral("Zrušit záznam"),
                                      QStringLiteral("Upravit rezervaci"),
                                      QStringLiteral("Potvrdit změny rezervace"),
                                      QStringLiteral("Zrušit změny rezervace"),
                                      QStringLiteral("Refresh na síti")};

TDateTime vybranyDen() {
    return tk::fromDate(FoKL->EdVDatum->date());
}

} // namespace

void TDmKL::RezimUpravy() {
    if (!FoKL)
        return; // the data module alone (tools, tests) has no selection to follow
    FoKL->Navigator->setVisibleButtons({tk::DBNavigator::Post, tk::DBNavigator::Cancel});
    FoKL->Navigator->setHints(kNapovedyNavigatoru);
    FoKL->Navigator->setGeometry(213, FoKL->Navigator->y(), 64, FoKL->Navigator->height());
    for (auto* u : {FoKL->UpDwHod, FoKL->UpDw10min, FoKL->UpDwMin, FoKL->UpDwDoba})
        u->setEnabled(true);
    // The free window and the overlap check must see the rows as the server has them now.
    QReserve->requery();
}

void TDmKL::RezimProhlizeni() {
    if (!FoKL)
        return; // the data module alone (tools, tests) has no selection to follow
    using N = tk::DBNavigator;
    FoKL->Navigator->setVisibleButtons({N::First, N::Prior, N::Next, N::Last, N::Insert, N::Delete, N::Edit,
                                        N::Post, N::Cancel, N::Refresh});
    FoKL->Navigator->setHints(kNapovedyNavigatoru);
    FoKL->Navigator->setGeometry(8, FoKL->Navigator->y(), 300, FoKL->Navigator->height());
    for (auto* u : {FoKL->UpDwHod, FoKL->UpDw10min, FoKL->UpDwMin, FoKL->UpDwDoba})
        u->setEnabled(false);
}

void TDmKL::ZamkniDen() {
    if (!FoKL)
        return; // the data module alone (tools, tests) has no selection to follow
    if (FoKL->GenerovaniDne)
        return;
    const QString objekt = FoKL->EdVObj->text();
    const QDate den = FoKL->EdVDatum->date();
    if (!ZamkniDenPracoviste(*SpojeniKL, objekt, den, IdPc)) {
        tk::dialogs().message(kZamceno, tk::MessageIcon::Warning);
        RezimProhlizeni();
        tk::abort();
    }
    zamekDrzen_ = true;
    zamekObjekt_ = objekt;
    zamekDen_ = den;
    FoKL->LbBlok->show();
    FoKL->GBObdobi->setEnabled(false);
    FoKL->GBZobraz->setEnabled(false);
    FoKL->BbTiskNovy->setEnabled(false);
    FoKL->DBGridSeznam->setEnabled(false);
    if (QBlokRes->isActive())
        QBlokRes->requery();
}

void TDmKL::OdemkniDen() {
    if (!FoKL)
        return; // the data module alone (tools, tests) has no selection to follow
    if (FoKL->GenerovaniDne)
        return;
    if (zamekDrzen_) {
        // Exactly this station's lock row of the edited workplace-day, whatever the blocked-days window
        // has done with its dataset meanwhile.
        zamekDrzen_ = false;
        OdemkniDenPracoviste(*SpojeniKL, zamekObjekt_, zamekDen_, IdPc);
        if (QBlokRes->isActive())
            QBlokRes->requery();
    }
    FoKL->GBObdobi->setEnabled(true);
    FoKL->GBZobraz->setEnabled(true);
    FoKL->BbTiskNovy->setEnabled(true);
    FoKL->DBGridSeznam->setEnabled(true);
    for (auto* e : {FoKL->EdDDatum, FoKL->EdDCasDo}) {
        QPalette p = e->palette();
        p.setColor(QPalette::Text, Qt::black);
        e->setPalette(p);
    }
    FoKL->LbBlok->hide();
}

namespace {
TDateTime konecRadku(tk::Dataset& ds, int recNo, tk::Field* datumCas, tk::Field* doba) {
    return ds.rowValue(recNo, *datumCas).toDouble() + ds.rowValue(recNo, *doba).toInt() * kMinute;
}
} // namespace

void TDmKL::QReserveBeforeEdit(tk::Dataset& ds) {
    if (!FoKL)
        return; // the data module alone (tools, tests) has no selection to follow
    RezimUpravy();
    const int n = ds.recNo();
    const int N = ds.recordCount();
    const TDateTime den = vybranyDen();
    if (n != 1 && n != N) {
        KonecPredchozi = konecRadku(ds, n - 1, QReserveDatumCas, QReserveDoba);
        ZacatekNasledujici = ds.rowValue(n + 1, *QReserveDatumCas).toDouble();
    } else if (n == 1 && N > 1) {
        KonecPredchozi = den;
        ZacatekNasledujici = ds.rowValue(2, *QReserveDatumCas).toDouble();
    } else if (n == N && N > 1) {
        KonecPredchozi = konecRadku(ds, N - 1, QReserveDatumCas, QReserveDoba);
        ZacatekNasledujici = den + tk::encodeTime(23, 59);
    } else if (!FoKL->GenerovaniDne) {
        // The only row of the day: the whole day is free around it (bounds left over from an earlier edit,
        // or none at all after the start, would make it impossible to post).
        KonecPredchozi = den;
        ZacatekNasledujici = den + tk::encodeTime(23, 59);
    }
    ZamkniDen();
    FoKL->EdDDatum->setFocus();
}

void TDmKL::QReserveAfterEdit(tk::Dataset&) {
    if (!FoKL)
        return; // the data module alone (tools, tests) has no selection to follow
    if (!FoKL->EdDKPr->text().trimmed().isEmpty() &&
        QReserveKodPrac->asString().trimmed() == QLatin1String("00"))
        QReserveKodPrac->setAsString(FoKL->EdVKPr->text());
    FoKL->EdDRCP->setFocus();
}

void TDmKL::QReserveBeforeInsert(tk::Dataset& ds) {
    if (!FoKL)
        return; // the data module alone (tools, tests) has no selection to follow
    RezimUpravy();
    if (ds.isEmpty() && !FoKL->GenerovaniDne) {
        tk::dialogs().message(
            QStringLiteral("Před vložením nové rezervace je nutné\r\nzaložit nový pracovní den "
                           "tlačítkem \"Nový\"."),
            tk::MessageIcon::Warning);
        RezimProhlizeni();
        tk::abort();
    }
    if (ds.recNo() == 1 && ds.recordCount() > 1 && !FoKL->GenerovaniDne) {
        tk::dialogs().message(
            QStringLiteral("Nová rezervace se vkládá vždy před vybranou.\r\nZačátek pracovního dne "
                           "můžete posunout ručně."),
            tk::MessageIcon::Warning);
        RezimProhlizeni();
        tk::abort();
    }
    if (!FoKL->GenerovaniDne) {
        const int n = ds.recNo();
        if (ds.recordCount() > 1) {
            KonecPredchozi = konecRadku(ds, n - 1, QReserveDatumCas, QReserveDoba);
            ZacatekNasledujici = ds.rowValue(n, *QReserveDatumCas).toDouble();
        } else {
            // Before the only row: from midnight up to its start.
            KonecPredchozi = vybranyDen();
            ZacatekNasledujici = ds.rowValue(n, *QReserveDatumCas).toDouble();
        }
        FoKL->EdDDatum->setFocus();
    }
    ZamkniDen();
}

void TDmKL::QReserveAfterInsert(tk::Dataset&) {
    if (!FoKL)
        return; // the data module alone (tools, tests) has no selection to follow
    QReserveDatumCas->setAsDateTime(KonecPredchozi);
    QReserveObjekt->setAsString(FoKL->EdVObj->text());
    // Empty text, not NULL: the lists find free slots by comparing with blanks.
    QReserveJmenoPac->setAsString(QStringLiteral(""));
    QReserveRCPacienta->setAsString(FoKL->LbVJmPac->text().isEmpty() ? QStringLiteral("")
                                                                     : FoKL->EdVRCP->text());
    QReservePKZadanky->setAsInteger(0);
    QReserveHotovo->setAsBoolean(false);
    if (!FoKL->LbVJmPr->text().isEmpty())
        QReserveKodPrac->setAsString(FoKL->EdVKPr->text());
    else if (FoKL->StalyPracovnik != QLatin1String("00"))
        QReserveKodPrac->setAsString(FoKL->StalyPracovnik);
    else
        QReserveKodPrac->setAsString(QStringLiteral("00"));
    QPom->close();
    QPom->setSql(QStringLiteral("select Interval from Objekt where (Kod=") +
                 tk::sqlText(FoKL->EdVObj->text()) + QStringLiteral(")"));
    QPom->open();
    const int interval = QPom->isEmpty() ? 0 : QPom->fields().front()->asInteger();
    QPom->close();
    QReserveDoba->setAsInteger(interval);
}

void TDmKL::QReserveBeforePost(tk::Dataset&) {
    if (!FoKL)
        return; // the data module alone (tools, tests) has no selection to follow
    if (FoKL->GenerovaniDne)
        return;
    if (QReserveDatumCas->asDateTime() < KonecPredchozi - kTolerance ||
        QReserveVDatCasDo->asDateTime() > ZacatekNasledujici + kTolerance) {
        tk::dialogs().message(QStringLiteral("Rezervace se časově překrývá s předchozí nebo následující. "),
                              tk::MessageIcon::Warning);
        tk::abort();
    }
}

void TDmKL::QReserveAfterPost(tk::Dataset& ds) {
    if (!FoKL)
        return; // the data module alone (tools, tests) has no selection to follow
    FoKL->PosledniIDRes = QReserveIDRes->asInteger();
    ds.close();
    ds.open();
    ds.locate(QStringLiteral("IDRes"), FoKL->PosledniIDRes);
    OdemkniDen();
    RezimProhlizeni();
}

void TDmKL::QReserveAfterCancel(tk::Dataset&) {
    if (!FoKL)
        return; // the data module alone (tools, tests) has no selection to follow
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
        if (FoKL) {
            FoKL->LbZprava->hide();
            FoKL->GBZobraz->show();
        }
        tk::abort();
    }
}
