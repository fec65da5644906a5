#pragma once

#include "FoSeznam.h"

// The workplaces list "Pracoviště", edited in place in the grid. Besides the shared list behaviour its
// status bar explains the selected column, and the permanent worker's cell is filled by picking from the
// workers list (window mode 2 while that pick is under way).
class TFoObjekt : public TFoSeznam {
    Q_OBJECT
public:
    explicit TFoObjekt(TCiselniky& ciselniky, QWidget* parent = nullptr);

    void FormActivate();
    void FoGridColEnter();
    void FoGridColExit();
    void FoGridDblClick() override;

    // The mode the window had before the worker pick; 0 = none remembered.
    int PuvodniRezim = 0;

protected:
    bool event(QEvent* event) override;
    void serad(int poradi) override;
    bool dalsiKlavesa(QKeyEvent* event) override;
    void mimoVyber(bool dvojklik) override;

private:
    bool naBunceKPr() const;
    void vyberPracovnika();
};
