#pragma once

#include "FoSeznam.h"

// The workers list "Rehabilitační pracovníci", edited in place in the grid; only browsed when the
// workers come from the Kinemo database.
class TFoPracovP : public TFoSeznam {
    Q_OBJECT
public:
    explicit TFoPracovP(TCiselniky& ciselniky, QWidget* parent = nullptr);
    void FormCreate();

protected:
    void serad(int poradi) override;
};
