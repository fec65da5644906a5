#pragma once

#include <QDate>
#include <QList>
#include <QSet>
#include <QString>

// A course of treatments: the same client at the same workplace and time on a series of further days.

enum class KrokKurzu { KazdyTyden, KazdeDvaTydny, DnyVTydnu };

// What a booked row gives a course: who, where, when in the day and for how long.
struct Kurz {
    QString objKod;
    QDate od;       // the day of the booked row; the course continues after it
    int minuta = 0; // the start, in minutes after midnight
    int doba = 0;   // minutes
    QString rc;
    QString jmeno;
    QString kodPrac;
};

// The days of `pocet` further visits after `od`: a week or two weeks apart, or on the chosen weekdays
// (1 Monday … 7 Sunday). No weekday chosen gives no days.
QList<QDate> TerminyKurzu(const QDate& od, int pocet, KrokKurzu krok, const QSet<int>& dnyTydne);

enum class StavTerminu {
    Objednat,         // the free slot at that time is there
    ZalozitAObjednat, // the day is not founded yet; founding it gives the slot
    Svatek,
    NepracovniDen,
    Obsazeno,     // another client has the slot
    JizObjednano, // this client has it already
    ZadnyTermin,  // no slot starts at that time
    Prekryv,      // the visit would run into the next row
    Zamceno,      // another station holds the day
    Objednano,    // booked by the course
    Chyba,        // the booking failed; the text says why
    Nezpracovano, // not tried: an earlier date failed
};

struct TerminKurzu {
    QDate datum;
    StavTerminu stav = StavTerminu::Objednat;
    QString text; // what the receptionist reads for the date
};

inline bool lzeObjednat(StavTerminu s) {
    return s == StavTerminu::Objednat || s == StavTerminu::ZalozitAObjednat;
}
