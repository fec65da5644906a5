#pragma once

// Helpers of the maintenance tests: a waiter that lets the test look in while long work lets events
// through, and the database as a user's data (every row of every table), read straight from its file.

#include "overview/PrehledProgram.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <functional>

namespace kltest {

class HookWaiter : public EventWaiter {
public:
    void processEvents() override {
        ++processed;
        EventWaiter::processEvents();
        if (onProcess)
            onProcess();
    }
    void wait(int milliseconds) override {
        waited += milliseconds;
        if (onWait)
            onWait();
    }
    std::function<void()> onProcess, onWait;
    int processed = 0;
    int waited = 0;
};

inline HookWaiter& installHookWaiter() {
    auto w = std::make_unique<HookWaiter>();
    HookWaiter& ref = *w;
    tk::setWaiter(std::move(w));
    return ref;
}

// Every row of the program's tables, one line each, in a stable order; empty when the file does not
// open as a database.
inline QStringList obsahDatabaze(const QString& soubor) {
    QStringList out;
    const QString name = QStringLiteral("test:obsah");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        db.setDatabaseName(soubor);
        if (db.open()) {
            for (const char* t :
                 {"VerDatP", "ParamP", "Objekt", "Svatek", "Pracov", "Pacienti", "BlokRes", "Reserve"}) {
                QSqlQuery q(db);
                if (!q.exec(QStringLiteral("select * from %1 order by rowid").arg(QLatin1String(t))))
                    continue;
                while (q.next()) {
                    QStringList values{QLatin1String(t)};
                    for (int i = 0; i < q.record().count(); ++i)
                        values << q.value(i).toString();
                    out << values.join(QLatin1Char('|'));
                }
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return out;
}

inline QByteArray obsahSouboru(const QString& soubor) {
    QFile f(soubor);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void zapisSoubor(const QString& soubor, const QByteArray& obsah) {
    QFile f(soubor);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw tk::DatabaseError(QStringLiteral("cannot write ") + soubor);
    f.write(obsah);
}

// Many rows, so that a copy of the database takes many steps.
inline void mnohoRezervaci(TDmKL& dm, const QDate& den, int pocet) {
    execKL(dm,
           QStringLiteral("with recursive n(i) as (select 1 union all select i+1 from n where i<%1) "
                          "insert into Reserve (Objekt,DatumCas,Doba,RCPacienta,JmenoPac,PKZadanky,KodPrac) "
                          "select '00002','%2',10,'8551011234',"
                          "'Klient s dlouhým jménem '||i,0,'00' from n")
               .arg(pocet)
               .arg(stamp(den, 7, 0)));
}

} // namespace kltest
