#pragma once

// The unlocked program with workplaces, clients and workers, and helpers that act as a user does.

#include "overview/PrehledProgram.h"

#include <QSignalSpy>
#include <QTest>

namespace kltest {

// Workplaces 00001 "Vana" (slots of 30 min) and 00002 "Magnet" (permanent worker 03); own clients 11
// NOVÁKOVÁ (8551011234) and 12 DVOŘÁK (535228123); workers 03 with a title and 05 without.
inline void klientiAPracovnici(TDmKL& dm) {
    execKL(dm, QStringLiteral("insert into Pacienti (RC,Titul,Prijmeni,Jmeno) values "
                              "('8551011234','Ing.','NOVÁKOVÁ','Jana'),('535228123','','DVOŘÁK','Petr'),"
                              "('7001011111','prof.','VELMIDLOUHÉPŘÍJMENÍ','Maxmiliána')"));
    execKL(dm, QStringLiteral("insert into Pracov (Kod,Titul,Prijmeni,Jmeno) values "
                              "('03','MUDr.','Malá','Eva'),('05','','Velký','Adam')"));
}

// A picker opening as the list windows would be asked for it.
struct Otevreni {
    QString seznam; // "objekty", "klienti", "pracovnici"
    int left = 0, top = 0, mode = 0;
    QString kod;
};

inline void zachytPickery(TFoKL& w, QList<Otevreni>& log) {
    const auto zaznam = [&log](const char* seznam) {
        return [&log, seznam](int l, int t, int m, const QString& k) {
            log << Otevreni{QString::fromLatin1(seznam), l, t, m, k};
        };
    };
    w.OtevriObjekty = zaznam("objekty");
    w.OtevriKlienty = zaznam("klienti");
    w.OtevriPracovniky = zaznam("pracovnici");
}

// Replaces a field's text by typing, as a user who selects all and types.
inline void prepis(QLineEdit* pole, const QString& text) {
    pole->setFocus();
    pole->selectAll();
    QTest::keyClick(pole, Qt::Key_Backspace);
    QTest::keyClicks(pole, text);
}

// Leaves a field with Tab.
inline void opust(QLineEdit* pole) {
    QTest::keyClick(pole, Qt::Key_Tab);
}

} // namespace kltest
