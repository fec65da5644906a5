#pragma once

#include "toolkit/widgets/DBCheckBox.h"
#include "toolkit/widgets/DBEdit.h"
#include "toolkit/widgets/UpDown.h"

#include <QGroupBox>
#include <QLabel>

class TDmKL;

// The detail of the current reservation, "Detail rezervace" (GBDetail): the row's start, end and length,
// its workplace, client and worker, and the done flag, in data-aware fields of the reservation list.
class TPanelDetailu : public QGroupBox {
    Q_OBJECT
public:
    TPanelDetailu(TDmKL& dm, QWidget* parent);

    // The step buttons work only while a row is written.
    void povolKroky(bool povolit);
    // Puts the focus into the control of a field of the reservation list.
    void fokusPole(const QString& pole);
    // The warning colours back to black when the workplace-day is released.
    void zrusVarovani();

    QLabel *LbKdy, *LbPomlcka, *LbDoba, *LbMin, *LbKde, *LbDNazObj, *LbKdo, *LbKym, *LbDJmPr;
    tk::DBEdit *EdDDatum, *EdDCasDo, *EdDDoba, *EdDObj, *EdDRCP, *EdDJmPac, *EdDKPr;
    TUpDown *UpDwHod, *UpDw10min, *UpDwMin, *UpDwDoba;
    tk::DBCheckBox* ChBDHotovo;

private:
    void vytvor();

    TDmKL& dm_;
};
