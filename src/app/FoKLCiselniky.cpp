#include "FoKL.h"
#include "overview/PanelVyberu.h"

#include "toolkit/core/Errors.h"

// The code-list menu: the windows are placed relative to the main window.

void TFoKL::PripojCiselniky() {
    Ciselniky = std::make_unique<TCiselniky>(*this, VyberKodu);
    Ciselniky->vybraneDatum = [this] { return GBObdobi->EdVDatum->date(); };
    // The code fields' pickers open the same windows the menu does.
    OtevriObjekty = [this](int l, int t, int m, const QString& c) { Ciselniky->OtevriObjekty(l, t, m, c); };
    OtevriKlienty = [this](int l, int t, int m, const QString& c) { Ciselniky->OtevriKlienty(l, t, m, c); };
    OtevriPracovniky = [this](int l, int t, int m, const QString& c) {
        Ciselniky->OtevriPracovniky(l, t, m, c);
    };
    auto pripoj = [this](QAction* a, void (TFoKL::*handler)()) {
        connect(a, &QAction::triggered, this,
                [this, handler] { tk::guard([this, handler] { (this->*handler)(); }); });
    };
    pripoj(N11Pracoviste, &TFoKL::N11PracovisteClick);
    pripoj(N12VolneDny, &TFoKL::N12VolneDnyClick);
    pripoj(N13Parametry, &TFoKL::N13ParametryClick);
    pripoj(N14Pacienti, &TFoKL::N14PacientiClick);
    pripoj(N15Pracov, &TFoKL::N15PracovClick);
    pripoj(N21BlokRes, &TFoKL::N21BlokResClick);
}

void TFoKL::N11PracovisteClick() {
    Ciselniky->OtevriObjekty(x() + 10, y() + 51, 1, QString());
}

void TFoKL::N12VolneDnyClick() {
    Ciselniky->OtevriSvatky(x() + 10, y() + 120);
}

void TFoKL::N13ParametryClick() {
    Ciselniky->OtevriParametry(x() + 10, y() + 51);
}

void TFoKL::N14PacientiClick() {
    Ciselniky->OtevriKlienty(x() + 10, y() + 51, 0, QString());
}

void TFoKL::N15PracovClick() {
    Ciselniky->OtevriPracovniky(x() + 10, y() + 51, 0, QString());
}

void TFoKL::N21BlokResClick() {
    Ciselniky->OtevriBlokRes(x() + 365, y() + 155);
}
