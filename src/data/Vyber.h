#pragma once

#include "toolkit/core/DateTime.h"
#include "toolkit/core/SqlDialect.h"

#include <QDate>
#include <QString>
#include <QStringList>

// The selection as the main window's controls hold it, read in one go: the list query, the universal
// button's rules and the record rules work from it without any window.
enum class Obdobi { Den, Tyden, Mesic, Rok, Vse };
enum class Zobrazeni { Volne, Obsazene, Vse };

struct Vyber {
    Obdobi obdobi = Obdobi::Den;
    QDate datum;
    bool obj = false;        // ChBVObj
    QString objKod;          // EdVObj
    bool objNazvano = false; // LbVNazObj shows a name
    bool rcp = false;
    QString rcpText;
    bool rcpNazvano = false;
    bool kpr = false;
    QString kprKod;
    bool kprNazvano = false;
    Zobrazeni zobrazeni = Zobrazeni::Obsazene;
    // The permanent worker of the workplace last looked up in the selection; "00" when none.
    QString stalyPracovnik = QStringLiteral("00");

    // Period "Den", the workplace filter on, the client and worker filters off.
    bool denPracoviste() const { return obdobi == Obdobi::Den && obj && !rcp && !kpr; }
    // A workplace-day of a named workplace with everything shown: the only selection that can be written.
    bool zapisovatelny() const { return denPracoviste() && objNazvano && zobrazeni == Zobrazeni::Vse; }
};

// The modes of the universal button.
enum RezimTlacitka { RezimZadny = 0, RezimNovyDen = 1, RezimTiskO = 2, RezimTiskP = 3, RezimTiskK = 4 };

// The lines of the reservation list's query for a selection and the button mode the list is built in.
QStringList sestavSeznamSql(const Vyber& vyber, int rezim, const tk::SqlDialect& dialect, tk::TDateTime now);

// The button mode the rules give, tried in order, each rule that holds overwriting the one before;
// `seznamPrazdny` tells whether the list just built has no rows.
int urciRezimTlacitka(const Vyber& vyber, bool seznamPrazdny);
