#pragma once

// What the code-list windows share in their set-up.

#include "toolkit/widgets/DBGrid.h"
#include "toolkit/widgets/DBNavigator.h"

#include <QHeaderView>
#include <algorithm>

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

// Widens the columns that would cut off their title or the cells now shown (with the cell's margins).
inline void rozsirSloupce(tk::DBGrid* grid) {
    const int radky = std::min(grid->model()->rowCount(), 100);
    for (int i = 0; i < grid->columnCount(); ++i) {
        int potreba = grid->horizontalHeader()->sectionSizeHint(i);
        for (int r = 0; r < radky; ++r)
            potreba = std::max(potreba, grid->fontMetrics().horizontalAdvance(grid->cellText(r, i)) + 12);
        if (grid->columnWidth(i) < potreba)
            grid->setColumnWidth(i, potreba);
    }
}

// The next column of a grid edited in place; from the last back to the first.
inline void dalsiSloupec(tk::DBGrid* grid) {
    const int next = grid->selectedIndex() + 1;
    grid->setSelectedIndex(next < grid->columnCount() ? next : 0);
}

// A code-list window: its name and caption, destroyed when closed, in the face of the code lists.
void pripravOkno(QWidget* okno, const char* jmeno, const QString& titulek);

// The navigator of clients and workers: every button, 300 wide, on the own database; only browsing when
// they come from the Kinemo database. True when rows may be changed.
bool navigatorKlientu(tk::DBNavigator* navigator);
