#pragma once

#include "toolkit/widgets/DBGrid.h"
#include "toolkit/widgets/DBNavigator.h"

#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QWidget>

class TCiselniky;

// The holidays "Svátky": typed by hand in the grid, or a whole year replaced by the Czech public holidays
// with "Import" (the year of the date selected in the main window).
class TFoSvatek : public QWidget {
    Q_OBJECT
public:
    explicit TFoSvatek(TCiselniky& ciselniky, QWidget* parent = nullptr);
    ~TFoSvatek() override;

    tk::DBGrid* FoGrid;
    tk::DBNavigator* DBNavigator;
    QPushButton* BbImport;
    QStatusBar* StatusBar;
    int RokImportu = 0;

    void FormCreate();
    void FormActivate();
    void FormClose();
    bool FormKeyDown(QKeyEvent* event);
    bool FoGridKeyDown(QKeyEvent* event);
    bool FoGridKeyPress(QKeyEvent* event);
    void BbImportClick();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    TCiselniky& ciselniky_;
};
