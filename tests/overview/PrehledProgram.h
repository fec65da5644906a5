#pragma once

// An unlocked program on a temporary installation with two workplaces, for the overview's tests.

#include "app/FoKLProgram.h"

#include <QTest>

namespace kltest {

// 10.12.2026 is a Thursday (the test clock's today).
inline QDate dnes() {
    return QDate(2026, 12, 10);
}

inline QString stamp(const QDate& d, int h, int m) {
    return d.toString(QStringLiteral("yyyy-MM-dd")) +
           QStringLiteral(" %1:%2:00.000").arg(h, 2, 10, QLatin1Char('0')).arg(m, 2, 10, QLatin1Char('0'));
}

inline void reservation(TDmKL& dm, const QString& obj, const QDate& d, int h, int m, int doba,
                        const QString& rc, const QString& jmeno, const QString& kpr = QStringLiteral("00")) {
    execKL(dm,
           QStringLiteral("insert into Reserve (Objekt,DatumCas,Doba,RCPacienta,JmenoPac,PKZadanky,KodPrac) "
                          "values ('%1','%2',%3,'%4','%5',0,'%6')")
               .arg(obj, stamp(d, h, m))
               .arg(doba)
               .arg(rc, jmeno, kpr));
}

class Prehled {
public:
    // `setup` fills the database before the program starts.
    explicit Prehled(const std::function<void(TDmKL&)>& setup = {}) {
        folder.createKalendo(1);
        {
            auto dm = openKalendo(folder);
            execKL(*dm, QStringLiteral("insert into Objekt (Kod,Nazev,Interval,KPr,Gpp,Gin,So,Ne,Sv) "
                                       "values ('00001','Vana',30,'00',1,1,0,0,0)"));
            execKL(*dm, QStringLiteral("insert into Objekt (Kod,Nazev,Interval,KPr,Gpp,Gin,So,Ne,Sv) "
                                       "values ('00002','Magnet',20,'03',0,1,1,0,0)"));
            if (setup)
                setup(*dm);
        }
        program = std::make_unique<Program>(folder);
        ok = program->activate();
        program->givePassword(QString());
        ok = ok && program->w().isUnlocked();
    }

    TFoKL& w() { return program->w(); }

    // The writable selection of a workplace and day, with the workplace named as its code field would.
    void pracovisteDen(const QString& obj, const QDate& d, const QString& nazev = QStringLiteral("Vana")) {
        w().GBObdobi->NastavDatum(d);
        w().GBObdobi->EdVObj->setText(obj);
        w().GBObdobi->LbVNazObj->setText(nazev);
        w().NastavRezervaci();
        w().ObnovVyber();
    }

    // The list as "hh:nn name" lines.
    QStringList seznam() {
        QStringList out;
        tk::Dataset& q = *DmKL->QReserve;
        for (int i = 1; i <= q.recordCount(); ++i)
            out << q.rowDisplayText(i, *DmKL->QReserveVDatCasOd) + QLatin1Char(' ') +
                       q.rowValue(i, *DmKL->QReserveJmenoPac).toString();
        return out;
    }

    int zamky() { return scalarKL(*DmKL, QStringLiteral("select count(*) from BlokRes")).toInt(); }

    ProgramFolder folder;
    std::unique_ptr<Program> program;
    bool ok = false;
};

} // namespace kltest
