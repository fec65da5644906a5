#pragma once

#include <QDate>
#include <QList>
#include <QString>

// Easter Sunday of a year between 1900 and 2099 (Gauss's method, Gregorian calendar).
QDate Velikonoce(int Rok);

struct Svatek {
    QDate datum;
    QString nazev;
};

// The Czech public holidays of a year in the order they are stored; Good Friday only from 2016.
QList<Svatek> TabulkaSvatku(int Rok);
