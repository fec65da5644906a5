#pragma once

#include "toolkit/widgets/DBCheckBox.h"
#include "toolkit/widgets/DBEdit.h"
#include "toolkit/widgets/UpDown.h"

#include <QGroupBox>
#include <QLabel>
#include <functional>

class TDmKL;
class QKeyEvent;
class QMouseEvent;

// The detail of the current reservation, "Detail rezervace" (GBDetail): the row's start, end and length,
// its workplace, client and worker, and the done flag, in data-aware fields of the reservation list.
class TPanelDetailu : public QGroupBox {
    Q_OBJECT
public:
    TPanelDetailu(TDmKL& dm, QWidget* parent);

    // Open the clients or workers list as a picker, starting at a code; set by the main window. The
    // field that asks has set its pick mark (Tag) to 2.
    std::function<void(const QString&kod)> otevriKlienty, otevriPracovniky;

    // Handlers.
    void EdDDatumChange();
    bool EdDDatumKeyPress(QKeyEvent* event); // true when the key was swallowed
    void EdDCasDoChange();
    void EdDRCPChange();
    void EdDRCPDblClick();
    void EdDRCPKeyDown(QKeyEvent* event);
    bool EdDRCPMouseDown(QMouseEvent* event); // true when the click was taken
    void EdDObjChange();
    void EdDKPrChange();
    void EdDKPrDblClick();
    void EdDKPrKeyDown(QKeyEvent* event);
    void EdDKPrEnter();
    void EdDKPrExit();
    void UpDwHodClick(bool nahoru);
    void UpDw10minClick(bool nahoru);
    void UpDwMinClick(bool nahoru);
    void UpDwDobaClick(bool nahoru);

    // Copies the selection's client into the row being written (Insert, Ctrl+left or right click).
    void KopirujKlienta();

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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void vytvor();
    void pripoj();
    bool piseSe() const; // the row is in edit or insert state
    void posunStart(double oKolik);

    TDmKL& dm_;
};
