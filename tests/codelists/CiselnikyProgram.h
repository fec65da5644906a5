#pragma once

// An unlocked program with two workplaces, three workers and three clients, and helpers that drive the
// code-list windows as a user does.

#include "overview/PrehledProgram.h"

#include "codelists/FoObjekt.h"
#include "codelists/FoPracovP.h"
#include "codelists/FoSeznamP.h"

#include <QHeaderView>
#include <QTest>

namespace kltest {

inline void ciselnikyData(TDmKL& dm) {
    execKL(dm,
           QStringLiteral("insert into Pracov (Kod,Titul,Prijmeni,Jmeno) values "
                          "('01','MUDr.','Malá','Eva'),('02','','Velký','Adam'),('03','','Adámek','Jan')"));
    execKL(dm,
           QStringLiteral("insert into Pacienti (IDPacienta,RC,Prijmeni,Jmeno,Ulice,PSC,Misto,KodZP,Telefon,"
                          "DatNar) values "
                          "(5,'8551011234','Nováková','Jana','Dlouhá 1','60200','Brno','111','603 123 456',"
                          "'1985-01-01 00:00:00.000'),"
                          "(123,'','Dvořák','Petr','','','Praha','','',null),"
                          "(200,'7001011235','Adamová','Eva','','','Ostrava','','',null)"));
}

class Ciselniky : public Prehled {
public:
    explicit Ciselniky(const std::function<void(TDmKL&)>& setup = {})
        : Prehled([setup](TDmKL& dm) {
              ciselnikyData(dm);
              if (setup)
                  setup(dm);
          }) {}

    TCiselniky& c() { return *w().Ciselniky; }

    // A menu item as the user chooses it.
    void menu(QAction* item) { item->trigger(); }

    // The main window becomes active again, as after the user clicked on it.
    bool zpet() {
        w().activateWindow();
        return QTest::qWaitForWindowActive(&w());
    }

    static QPoint bunka(tk::DBGrid* grid, int row, int column) {
        return grid->visualRect(grid->model()->index(row, column)).center();
    }
    static void klikNaBunku(tk::DBGrid* grid, int row, int column) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, bunka(grid, row, column));
    }
    static void dvojklik(tk::DBGrid* grid, int row, int column) {
        const QPoint p = bunka(grid, row, column);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, p);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, p);
    }
    static void klikNaTitulek(tk::DBGrid* grid, int column) {
        QHeaderView* h = grid->horizontalHeader();
        const QPoint p(h->sectionViewportPosition(column) + h->sectionSize(column) / 2, h->height() / 2);
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, p);
    }
    // The column of a field in a grid.
    static int sloupec(tk::DBGrid* grid, const QString& pole) {
        for (int i = 0; i < grid->columnCount(); ++i)
            if (grid->columnField(i) && grid->columnField(i)->fieldName() == pole)
                return i;
        return -1;
    }
    // The values of one column of a dataset, in list order.
    static QStringList hodnoty(tk::Dataset* d, const QString& pole) {
        QStringList out;
        const tk::Field& f = d->fieldByName(pole);
        for (int i = 1; i <= d->recordCount(); ++i)
            out << d->rowValue(i, f).toString().trimmed();
        return out;
    }
    static bool aktivni(QWidget* window) {
        window->activateWindow();
        return QTest::qWaitForWindowActive(window);
    }
};

} // namespace kltest
