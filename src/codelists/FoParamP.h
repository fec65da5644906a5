#pragma once

#include "toolkit/widgets/DBCheckBox.h"
#include "toolkit/widgets/DBEdit.h"
#include "toolkit/widgets/DBNavigator.h"

#include <QLabel>
#include <QStatusBar>
#include <QWidget>

class TCiselniky;

// The parameters "Parametry": the one row of working hours, lunch pause, working days, the password and
// the client source. Edited only after the navigator's Edit; it cannot be closed while edited.
class TFoParamP : public QWidget {
    Q_OBJECT
public:
    explicit TFoParamP(TCiselniky& ciselniky, QWidget* parent = nullptr);
    ~TFoParamP() override;

    QLabel *LbPrDoba, *LbHod1, *LbMin1, *LbHod2, *LbMin2;
    tk::DBEdit *EdPrOdH, *EdPrOdM, *EdPrDoH, *EdPeDoM, *EdPPOdH, *EdPPOdM, *EdPPDoH, *EdPPDoM;
    tk::DBCheckBox *ChBPP, *ChBSo, *ChBNe, *ChBSvatek, *ChBDbKN;
    tk::DBEdit* EdHeslo;
    tk::DBNavigator* Navigator;
    QStatusBar* StatusBar;

    void FormActivate();
    bool FormClose(); // false: refused
    bool FormKeyDown(QKeyEvent* event);
    bool FormKeyPress(QKeyEvent* event);
    void NavigatorClick(tk::DBNavigator::Button button);
    bool EdHesloClick();
    void EdHesloExit();
    bool EdHesloKeyPress(QKeyEvent* event);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void zamaskuj();
};
