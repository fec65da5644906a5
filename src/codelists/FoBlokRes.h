#pragma once

#include "toolkit/widgets/DBGrid.h"
#include "toolkit/widgets/DBNavigator.h"

#include <QLabel>
#include <QStatusBar>
#include <QWidget>

// The locks of workplace-days "Blokované rezervace": deleting one frees its workplace-day for everybody.
class TFoBlokRes : public QWidget {
    Q_OBJECT
public:
    explicit TFoBlokRes(QWidget* parent = nullptr);
    ~TFoBlokRes() override;

    tk::DBGrid* DBGrid1;
    tk::DBNavigator* Navigator;
    QStatusBar* StatusBar;
    QLabel* PanelPC;

    void FormCreate();
    void FormClose();
    bool FormKeyDown(QKeyEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};
