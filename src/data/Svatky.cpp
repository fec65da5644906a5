#include "Svatky.h"

QDate Velikonoce(int Rok) {
    // The century constants hold from 1900 to 2099.
    const int a = Rok % 19, b = Rok % 4, c = Rok % 7;
    const int d = (19 * a + 24) % 30;
    const int e = (2 * b + 4 * c + 6 * d + 5) % 7;
    const int duben = d + e - 9;
    if (duben == 25 && d == 28 && e == 6 && a > 10)
        return QDate(Rok, 4, 18);
    if (duben > 25)
        return QDate(Rok, 4, duben - 7);
    if (duben >= 1)
        return QDate(Rok, 4, duben);
    return QDate(Rok, 3, 22 + d + e);
}

QList<Svatek> TabulkaSvatku(int Rok) {
    const QDate nedele = Velikonoce(Rok);
    QList<Svatek> out;
    auto add = [&out](const QDate& d, const char* nazev) { out.append({d, QString::fromUtf8(nazev)}); };
    add(QDate(Rok, 1, 1), "Nový rok. Den obnovy samostatného českého státu");
    if (Rok >= 2016)
        add(nedele.addDays(-2), "Velký pátek");
    add(nedele.addDays(1), "Pondělí velikonoční");
    add(QDate(Rok, 5, 1), "Svátek práce");
    add(QDate(Rok, 5, 8), "Den vítětství");
    add(QDate(Rok, 7, 5), "Den slovanských věrozvěstů Cyrila a Metoděje");
    add(QDate(Rok, 7, 6), "Den upálení mistra Jana Husa");
    add(QDate(Rok, 9, 28), "Den české státnosti");
    add(QDate(Rok, 10, 28), "Den vzniku samostatného československého státu");
    add(QDate(Rok, 11, 17), "Den boje za svobodu a demokracii");
    add(QDate(Rok, 12, 24), "Štědrý den");
    add(QDate(Rok, 12, 25), "První svátek vánoční");
    add(QDate(Rok, 12, 26), "Druhý svátek vánoční");
    return out;
}
