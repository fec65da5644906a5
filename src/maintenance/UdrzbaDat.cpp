#include "UdrzbaDat.h"

#include "app/KLConect.h"
#include "data/DmKL.h"
#include "data/KLDataUp.h"

#include "toolkit/core/Errors.h"
#include "toolkit/core/SqlQuote.h"

#include <QSqlQuery>
#include <QStringList>

namespace {

const QString kKatalog = QStringLiteral("Kalendo");

void vykonej(TDmKL& dm, const QString& prikaz) {
    dm.PrikazKL->setCommandText(prikaz);
    dm.PrikazKL->execute();
}

} // namespace

QString NavrhZalohy(tk::TDateTime cas) {
    return kKatalog + tk::toDateTime(cas).toString(QStringLiteral("_yyMMdd_HHmm"));
}

void ZalohujKL(TDmKL& dm, const QString& soubor, const tk::Progress& prubeh) {
    dm.SpojeniKL->backupDatabase(kKatalog, soubor, prubeh);
}

void ZapisDatumZalohy(TDmKL& dm, tk::TDateTime dnes) {
    tk::Dataset& p = *dm.QParamP;
    p.edit();
    dm.QParamPZaloha->setAsDateTime(tk::dateOf(dnes));
    try {
        p.post();
    } catch (...) {
        // A refused post leaves the parameter row as it was, not half edited.
        p.cancel();
        throw;
    }
}

void PripravSpojeniMaster(TDmKL& dm, const tk::IniFile& IniSoubor) {
    const QString engine = KLEngine(IniSoubor);
    std::shared_ptr<tk::Engine> stroj = tk::makeEngine(engine);
    if (!stroj)
        throw tk::DatabaseError(QStringLiteral("Neznámý databázový stroj: ") + engine);
    dm.SpojeniKL->setEngine(std::move(stroj));
    dm.SpojeniKL->setReadOnly(false);
    dm.SpojeniKL->setConnectionString(
        RetezecPripojeni(IniSoubor, QStringLiteral("master"), VychoziDataSource(engine, dm.SlozkaProgramu)));
}

tk::RestoreRequest PozadavekObnovy(const QString& slozkaProgramu, const QString& soubor,
                                   const tk::Progress& prubeh) {
    // The folder is joined with the separator the program's folder ends with.
    const QChar oddelovac = slozkaProgramu.endsWith(QLatin1Char('/')) ? QLatin1Char('/') : QLatin1Char('\\');
    const QString data = slozkaProgramu + QStringLiteral("Data") + oddelovac;
    tk::RestoreRequest r;
    r.catalog = kKatalog;
    r.file = soubor;
    r.dataName = kKatalog;
    r.dataFile = data + kKatalog + QStringLiteral(".mdf");
    r.logName = kKatalog + QStringLiteral("Log");
    r.logFile = data + kKatalog + QStringLiteral(".ldf");
    r.check = ZkontrolujZalohu;
    r.progress = prubeh;
    return r;
}

void ZkontrolujZalohu(QSqlDatabase& db) {
    const QStringList tabulky = db.tables();
    auto ma = [&tabulky](const QString& nazev) {
        for (const QString& t : tabulky)
            if (t.compare(nazev, Qt::CaseInsensitive) == 0)
                return true;
        return false;
    };
    if (!ma(QStringLiteral("VerDatP")))
        throw tk::DatabaseError(QStringLiteral("Soubor není zálohou databáze Kalendo."));
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("select VerDatP from VerDatP")))
        throw tk::DatabaseError(QStringLiteral("Soubor není zálohou databáze Kalendo."));
    const int verze = q.next() ? q.value(0).toInt() : 0;
    if (verze > kAktualniVerzeDat || verze < 0)
        throw tk::DatabaseError(QStringLiteral("Záloha pochází z vyšší verze programu Kalendo."));
    if (verze >= 1) {
        for (const TabulkaKL& t : TabulkyVerze1())
            if (!ma(t.nazev))
                throw tk::DatabaseError(QStringLiteral("Záloze chybí tabulka %1.").arg(t.nazev));
    }
}

void ObnovKL(TDmKL& dm, const QString& slozkaProgramu, const QString& soubor, const tk::Progress& prubeh) {
    dm.SpojeniKL->restoreDatabase(PozadavekObnovy(slozkaProgramu, soubor, prubeh));
}

void SmazRezervacePred(TDmKL& dm, const QDate& den) {
    vykonej(dm, QStringLiteral("delete from Reserve where ") +
                    dm.SpojeniKL->dialect().before(QStringLiteral("DatumCas"), den));
}

void UvolniMisto(TDmKL& dm, const tk::Progress& prubeh) {
    dm.SpojeniKL->reclaimSpace(kKatalog, prubeh);
}

void OpravVlastnika(TDmKL& dm) {
    vykonej(dm, QStringLiteral("exec sp_changedbowner ") + tk::sqlText(QStringLiteral("resv")));
}
