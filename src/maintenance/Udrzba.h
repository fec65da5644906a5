#pragma once

#include <QColor>
#include <QString>

class TFoKL;
class TDmKL;

// The maintenance commands of the main window: backup and restore of the own database (menu
// "3 Servis"), the reduction of old reservations (menu "2 Rezervace") and the owner repair. It shows
// the main window's wait label meanwhile and leaves the database work to UdrzbaDat.h.
class TUdrzba {
public:
    TUdrzba(TFoKL& okno, TDmKL& dm) : okno_(okno), dm_(dm) {}

    void ZalohaDat();
    void ObnovaDat();
    void N2RedukceClick();
    void N3XClick();

private:
    TFoKL& okno_;
    TDmKL& dm_;
};
