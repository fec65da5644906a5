// Moving the selected date through time, and the week calendar's clicks turned into the selection.

#include "app/FoKL.h"
#include "data/DmKL.h"
#include "overview/PKalendar.h"
#include "overview/PanelSeznamu.h"
#include "overview/PanelVyberu.h"

#include "toolkit/core/Errors.h"

void TFoKL::PripojNavigaci() {
    connect(GBObdobi->UpDwDen, &TUpDown::clicked, this,
            [this](bool up) { tk::guard([&] { UpDwDenClick(up); }); });
    connect(GBObdobi->UpDwTyden, &TUpDown::clicked, this,
            [this](bool up) { tk::guard([&] { UpDwTydenClick(up); }); });
    connect(GBObdobi->UpDwMesic, &TUpDown::clicked, this,
            [this](bool up) { tk::guard([&] { UpDwMesicClick(up); }); });
    PSeznam->Navigator->onClick = [this](tk::DBNavigator::Button b) { NavigatorClick(b); };
    connect(PKalendar, &TPKalendar::denVybran, this,
            [this](const QDate& d) { tk::guard([&] { KalendarDenClick(d); }); });
    connect(PKalendar, &TPKalendar::denKRezervaci, this,
            [this](const QDate& d) { tk::guard([&] { KalendarDenDblClick(d); }); });
    connect(PKalendar, &TPKalendar::radekVybran, this,
            [this](int id) { tk::guard([&] { KalendarRadekClick(id); }); });
    connect(PKalendar, &TPKalendar::radekKRezervaci, this, [this](const QDate& d, int den, int id) {
        tk::guard([&] { KalendarRadekDblClick(d, den, id); });
    });
    connect(PKalendar, &TPKalendar::tydenPosun, this,
            [this](int dny) { tk::guard([&] { KalendarTydenClick(dny); }); });
}

void TFoKL::posunObdobi(int dny, bool up) {
    // The list's current time travels along, so that the same slot is found on the new day.
    tk::Dataset& q = *dm_.QReserve;
    if (q.isActive() && !q.isEmpty() && dm_.QReserveDatumCas->asDateTime() > 0)
        CilovyCas = dm_.QReserveDatumCas->asDateTime();
    const int krok = up ? dny : -dny;
    CilovyCas += krok;
    GBObdobi->NastavDatum(GBObdobi->EdVDatum->date().addDays(krok));
    ObnovVyber();
    PSeznam->NajdiCas(CilovyCas);
}

void TFoKL::UpDwDenClick(bool up) {
    posunObdobi(1, up);
}

void TFoKL::UpDwTydenClick(bool up) {
    posunObdobi(7, up);
}

void TFoKL::UpDwMesicClick(bool up) {
    // Thirty days, not a calendar month: the weekday moves by two.
    posunObdobi(30, up);
}

void TFoKL::NavigatorClick(tk::DBNavigator::Button) {
    // The list is not rebuilt; only the calendar's marks and strips follow the change.
    SestavKalendar();
}

void TFoKL::KalendarDenClick(const QDate& datum) {
    GBObdobi->NastavDatum(datum);
    ObnovVyber();
}

void TFoKL::KalendarDenDblClick(const QDate& datum) {
    GBObdobi->NastavDatum(datum);
    NastavRezervaci();
    ObnovVyber();
}

void TFoKL::KalendarRadekClick(int idRes) {
    // A row the list does not hold (another period, mode or filter) leaves the list where it is.
    tk::Dataset& q = *dm_.QReserve;
    if (q.isActive() && !q.isEditing())
        q.locate(QStringLiteral("IDRes"), idRes);
}

void TFoKL::KalendarRadekDblClick(const QDate& datum, int den, int idRes) {
    VybranyIDRes = idRes;
    GBObdobi->NastavDatum(datum);
    NastavRezervaci();
    ObnovVyber();
    dm_.dnyTydne().at(den)->locate(QStringLiteral("IDRes"), VybranyIDRes);
    dm_.QReserve->locate(QStringLiteral("IDRes"), VybranyIDRes);
}

void TFoKL::KalendarTydenClick(int dny) {
    GBObdobi->NastavDatum(GBObdobi->EdVDatum->date().addDays(dny));
    ObnovVyber();
}
