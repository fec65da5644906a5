#include "DmKL.h"

#include "Svatky.h"
#include "toolkit/core/DateTime.h"

namespace {

void seradit(tk::Dataset* d, const QString& sql) {
    d->close();
    d->setSql(sql);
    d->open();
}

} // namespace

void TDmKL::SeradObjekty(int Poradi) {
    seradit(QObjekt, Poradi == 1 ? QStringLiteral("select * from Objekt order by Nazev")
                                 : QStringLiteral("select * from Objekt order by Kod"));
}

void TDmKL::SeradPacienty(int Poradi) {
    seradit(QPacienti, Poradi == 1 ? QStringLiteral("select * from Pacienti order by Prijmeni,Jmeno")
                                   : QStringLiteral("select * from Pacienti order by RC"));
}

void TDmKL::SeradPracovniky(int Poradi) {
    seradit(QPracov, Poradi == 1 ? QStringLiteral("select * from Pracov order by Prijmeni,Jmeno")
                                 : QStringLiteral("select * from Pracov order by Kod"));
}

bool TDmKL::KlientiZKinema() const {
    return QPracov->connection() == SpojeniKN;
}

void TDmKL::GenerujSvatky(int Rok) {
    for (const Svatek& s : TabulkaSvatku(Rok)) {
        QSvatek->append();
        QSvatekDatum->setAsDateTime(tk::fromDate(s.datum));
        QSvatekNazev->setAsString(s.nazev);
        QSvatek->post();
    }
}

void TDmKL::ImportujSvatky(int Rok) {
    QSvatek->close();
    // The year's rows are gone within the same transaction, so a refused row is no repeated date: the
    // user is told the server's own text.
    struct VraceniHlaseni {
        tk::Dataset* d;
        decltype(tk::Dataset::postError) puvodni;
        ~VraceniHlaseni() { d->postError = puvodni; }
    } vraceni{QSvatek, QSvatek->postError};
    QSvatek->postError = nullptr;
    try {
        SpojeniKL->inTransaction([&] {
            PrikazKL->setCommandText(QStringLiteral("delete from Svatek where (") +
                                     SpojeniKL->dialect().yearFunctionEquals(QStringLiteral("Datum"), Rok) +
                                     QLatin1Char(')'));
            PrikazKL->execute();
            QSvatek->open();
            GenerujSvatky(Rok);
        });
    } catch (...) {
        // Rolled back: the list shows the rows as they are stored again.
        QSvatek->close();
        QSvatek->open();
        QSvatek->last();
        throw;
    }
    QSvatek->close();
    QSvatek->open();
    QSvatek->last();
}
