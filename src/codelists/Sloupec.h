#pragma once

#include "toolkit/widgets/DBGrid.h"

// A grid column of a code list; its title is aligned as its cells. An empty title: the field's label.
inline tk::GridColumn sloupec(const QString& pole, const QString& titulek = QString(),
                              Qt::Alignment zarovnani = Qt::AlignLeft | Qt::AlignVCenter, int sirka = 0) {
    tk::GridColumn c;
    c.fieldName = pole;
    c.title = titulek;
    c.alignment = zarovnani;
    c.titleAlignment = zarovnani;
    c.width = sirka;
    return c;
}
