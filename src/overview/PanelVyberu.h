#pragma once

#include "toolkit/widgets/UpDown.h"

#include "data/Vyber.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

class TDmKL;
class QKeyEvent;

// The key filter of the date fields, made for the Czech numeric keypad: "," becomes ".", "+" a blank, "*"
// and "-" a colon; then only backspace, the blank and "." "/" "0"-"9" ":" pass. A null character means
// the key is discarded.
QChar FiltrKlavesyData(QChar c);

// The selection box "Výběr období" (GBObdobi): the period, the selected date with its coloured frame and
// spinners, and the three filters with their code fields, names and quick buttons. Every change of the
// selection runs `obnovVyber`, which the main window wires to its refresh.
class TPanelVyberu : public QGroupBox {
    Q_OBJECT
public:
    TPanelVyberu(TDmKL& dm, QWidget* parent);

    // Runs the main window's refresh; set by the main window.
    std::function<void()> obnovVyber;
    // Open the workplaces, clients or workers list as a picker, starting at a code; set by the main
    // window. The field that asks has set its pick mark (Tag) to 2.
    std::function<void(const QString&kod)> otevriObjekty, otevriKlienty, otevriPracovniky;

    // Handlers.
    void RBVDenClick();
    void RBVTydenClick();
    void RBVMesicClick();
    void RBVRokClick();
    void RBVVseClick();
    void ChBVObjClick();
    void ChBVRCPClick();
    void ChBVKPrClick();
    void EdVDatumChange();
    void EdVDatumExit();
    bool EdVDatumKeyPress(QKeyEvent* event); // true when the key was swallowed
    // The code fields: look-up on every change, zero fill on leaving, pickers on double click and F7.
    void EdVObjChange();
    void EdVObjExit();
    void EdVObjDblClick();
    void EdVObjKeyDown(QKeyEvent* event);
    void EdVRCPChange();
    void EdVRCPDblClick();
    void EdVRCPKeyDown(QKeyEvent* event);
    bool EdVRCPKeyPress(QKeyEvent* event); // true when the key was swallowed
    void EdVKPrChange();
    void EdVKPrExit();
    void EdVKPrDblClick();
    void EdVKPrKeyDown(QKeyEvent* event);

    // Sets the selected date without running its change handler.
    void NastavDatum(const QDate& datum);
    // Colours the frame of the selected date after its kind of day (working, Saturday, Sunday, holiday).
    void ZvyrazniDen();
    // The selection as the box holds it (the display mode is not the box's: it stays at its default).
    Vyber vyber() const;

    // The permanent worker of the workplace last looked up from EdVObj; "00" when none.
    QString StalyPracovnik = QStringLiteral("00");
    // 0 a working day; +1 a Saturday, +2 a Sunday, +10 a holiday the workplace does not work on.
    int NepracovniDen = 0;

    QRadioButton *RBVDen, *RBVTyden, *RBVMesic, *RBVRok, *RBVVse;
    QLabel* LbZvyrazni;
    QDateEdit* EdVDatum;
    QLabel *LbMesic, *LbTyden, *LbDen;
    TUpDown *UpDwMesic, *UpDwTyden, *UpDwDen;
    QPushButton *BbOjednat, *BbTiskO, *BbTiskK, *BbTiskP;
    QCheckBox *ChBVObj, *ChBVRCP, *ChBVKPr;
    QLineEdit *EdVObj, *EdVRCP, *EdVKPr;
    QLabel *LbVNazObj, *LbVJmPac, *LbVJmPr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void vytvor();
    void pripoj();
    void obnov();
    void otevri(QLineEdit* pole, const std::function<void(const QString&)>& otevirani);
    bool poleEvent(QObject* watched, QEvent* event);

    TDmKL& dm_;
};
