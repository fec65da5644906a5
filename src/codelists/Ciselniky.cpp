#include "Ciselniky.h"

#include "FoBlokRes.h"
#include "FoKlient.h"
#include "FoObjekt.h"
#include "FoParamP.h"
#include "FoPracovP.h"
#include "FoSeznamP.h"
#include "FoSvatek.h"

#include "data/DmKL.h"

TCiselniky::TCiselniky(QWidget& hlavni, TVyberKodu& vyber) : hlavni_(hlavni), vyber_(vyber) {
    vybraneDatum = [] { return QDate::currentDate(); };
}

TCiselniky::~TCiselniky() {
    for (QWidget* w : std::initializer_list<QWidget*>{FoKlient, FoObjekt, FoSeznamP, FoPracovP, FoSvatek,
                                                      FoParamP, FoBlokRes})
        delete w;
}

void ukazOkno(QWidget* okno) {
    okno->show();
    okno->raise();
    okno->activateWindow();
    okno->setFocus();
}

namespace {

template <class Okno, class Vytvor>
Okno* vytvorJednou(QPointer<Okno>& okno, int Left, int Top, Vytvor vytvor) {
    if (!okno) {
        okno = vytvor();
        okno->move(Left, Top);
    }
    return okno;
}

void najdi(tk::Dataset* d, const QString& pole, const QString& kod) {
    if (kod.isEmpty())
        return;
    tk::LocateOptions partial;
    partial.partialKey = true;
    d->locate(pole, kod, partial);
}

template <class Okno>
void otevriSeznam(Okno* okno, int Mode, tk::Dataset* d, const QString& pole, const QString& Code,
                  TVyberKodu& vyber) {
    okno->Tag = Mode;
    okno->nastavVychoziHledani();
    najdi(d, pole, Code);
    vyber.VybranyKod = Code;
    ukazOkno(okno);
    okno->FoGrid->setFocus();
}

} // namespace

void TCiselniky::OtevriObjekty(int Left, int Top, int Mode, const QString& Code) {
    DmKL->SeradObjekty(0);
    auto* okno = vytvorJednou(FoObjekt, Left, Top, [this] { return new TFoObjekt(*this); });
    otevriSeznam(okno, Mode, DmKL->QObjekt, QStringLiteral("Kod"), Code, vyber_);
}

void TCiselniky::OtevriKlienty(int Left, int Top, int Mode, const QString& Code) {
    DmKL->SeradPacienty(1);
    auto* okno = vytvorJednou(FoSeznamP, Left, Top, [this] { return new TFoSeznamP(*this); });
    // Fewer than 9 characters: a client identifier, else a birth number.
    const QString pole = Code.size() < 9 ? QStringLiteral("IDPacienta") : QStringLiteral("RC");
    otevriSeznam(okno, Mode, DmKL->QPacienti, pole, Code, vyber_);
}

void TCiselniky::OtevriPracovniky(int Left, int Top, int Mode, const QString& Code) {
    DmKL->SeradPracovniky(1);
    auto* okno = vytvorJednou(FoPracovP, Left, Top, [this] { return new TFoPracovP(*this); });
    otevriSeznam(okno, Mode, DmKL->QPracov, QStringLiteral("Kod"), Code, vyber_);
}

void TCiselniky::OtevriKlienta(int Left, int Top) {
    // An existing card keeps its place and is not brought forward.
    if (FoKlient)
        return;
    FoKlient = new TFoKlient(*this);
    FoKlient->move(Left, Top);
    FoKlient->show();
}

void TCiselniky::OtevriSvatky(int Left, int Top) {
    if (!DmKL->QSvatek->isActive())
        DmKL->QSvatek->open();
    ukazOkno(vytvorJednou(FoSvatek, Left, Top, [this] { return new TFoSvatek(*this); }));
}

void TCiselniky::OtevriParametry(int Left, int Top) {
    ukazOkno(vytvorJednou(FoParamP, Left, Top, [this] { return new TFoParamP(*this); }));
}

void TCiselniky::OtevriBlokRes(int Left, int Top) {
    if (!DmKL->QBlokRes->isActive())
        DmKL->QBlokRes->open();
    ukazOkno(vytvorJednou(FoBlokRes, Left, Top, [] { return new TFoBlokRes(); }));
}
