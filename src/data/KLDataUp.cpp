#include "KLDataUp.h"

#include "data/DmKL.h"
#include "toolkit/core/Clock.h"
#include "toolkit/core/Dialogs.h"

namespace {

tk::ColumnDef col(const char* name, const char* type) {
    return tk::ColumnDef{QString::fromLatin1(name), QString::fromLatin1(type), false, 0, QString()};
}

tk::ColumnDef bit0(const char* name) {
    return tk::ColumnDef{QString::fromLatin1(name), QStringLiteral("bit"), false, 0, QStringLiteral("'0'")};
}

tk::ColumnDef key(const char* name, const char* type, int identitySeed = 0) {
    return tk::ColumnDef{QString::fromLatin1(name), QString::fromLatin1(type), true, identitySeed, QString()};
}

void vykonej(TDmKL& dm, const QString& prikaz) {
    dm.PrikazKL->setCommandText(prikaz);
    dm.PrikazKL->execute();
}

void vykonej(TDmKL& dm, const QStringList& prikazy) {
    for (const QString& p : prikazy)
        vykonej(dm, p);
}

int skalar(TDmKL& dm, const QString& dotaz) {
    tk::Dataset& q = *dm.QPom;
    q.close();
    q.setSql(dotaz);
    q.open();
    const int n = q.isEmpty() || q.fields().empty() ? 0 : q.fields().front()->asInteger();
    q.close();
    return n;
}

const QString kVlozeniParamP =
    QStringLiteral("insert into ParamP (PrOdH,PrOdM,PrDoH,PrDoM,PPOdH,PPOdM,PPDoH,PPDoM,So,Ne,Sv,Heslo,DbKN)"
                   " values (8,0,16,30,11,30,12,30,0,0,0,'',0)");

} // namespace

std::vector<TabulkaKL> TabulkyVerze1() {
    return {
        {QStringLiteral("ParamP"),
         {col("PrOdH", "int"), col("PrOdM", "int"), col("PrDoH", "int"), col("PrDoM", "int"),
          col("PPOdH", "int"), col("PPOdM", "int"), col("PPDoH", "int"), col("PPDoM", "int"), bit0("So"),
          bit0("Ne"), bit0("Sv"), col("Heslo", "varchar(10)"), bit0("DbKN"), col("Zaloha", "datetime")}},
        {QStringLiteral("Objekt"),
         {key("Kod", "char(5)"), col("Nazev", "varchar(50)"), col("Interval", "int"), col("KPr", "char(2)"),
          bit0("Gpp"), bit0("Gin"), bit0("So"), bit0("Ne"), bit0("Sv")}},
        {QStringLiteral("Svatek"), {key("Datum", "datetime"), col("Nazev", "varchar(50)")}},
        {QStringLiteral("Pracov"),
         {key("Kod", "char(2)"), col("Titul", "varchar(6)"), col("Prijmeni", "varchar(20)"),
          col("Jmeno", "varchar(15)")}},
        {QStringLiteral("Pacienti"),
         {key("IDPacienta", "int", 11), col("RC", "varchar(10)"), col("Titul", "varchar(6)"),
          col("Prijmeni", "varchar(20)"), col("Jmeno", "varchar(15)"), col("Ulice", "varchar(40)"),
          col("Misto", "varchar(40)"), col("PSC", "char(5)"), col("DatNar", "datetime"),
          col("KodZP", "char(3)"), col("Telefon", "varchar(30)"), col("Mail", "varchar(40)"),
          col("Poznamka", "text")}},
        {QStringLiteral("BlokRes"),
         {col("Objekt", "varchar(5)"), col("Datum", "datetime"), col("IdPC", "varchar(10)")}},
        {QStringLiteral("Reserve"),
         {key("IDRes", "int", 1), col("Objekt", "char(5)"), col("DatumCas", "datetime"), col("Doba", "int"),
          col("RCPacienta", "varchar(10)"), col("JmenoPac", "varchar(30)"), col("PKZadanky", "int"),
          col("KodPrac", "char(2)"), bit0("Hotovo")}},
    };
}

QStringList PrikazyVerze1(const tk::SqlDialect& dialect) {
    QStringList out;
    for (const TabulkaKL& t : TabulkyVerze1()) {
        out << dialect.createTable(t.nazev, t.sloupce);
        if (t.nazev == QLatin1String("ParamP"))
            out << kVlozeniParamP;
        // At most one lock row per workplace-day, whatever the stations do.
        if (t.nazev == QLatin1String("BlokRes"))
            out << dialect.createIndex(QStringLiteral("IxBlokResDen"), t.nazev,
                                       {QStringLiteral("Objekt"), QStringLiteral("Datum")}, true);
        // The list and the week calendar select by day, and by workplace and day.
        if (t.nazev == QLatin1String("Reserve")) {
            out << dialect.createIndex(QStringLiteral("IxReserveDatumCas"), t.nazev,
                                       {QStringLiteral("DatumCas")}, false);
            out << dialect.createIndex(QStringLiteral("IxReserveObjekt"), t.nazev,
                                       {QStringLiteral("Objekt"), QStringLiteral("DatumCas")}, false);
        }
    }
    return out;
}

QString VytvoreniDatabaze(const QString& slozkaProgramu) {
    // The subfolder is joined with the separator the program's folder ends with.
    const QChar oddelovac = slozkaProgramu.endsWith(QLatin1Char('/')) ? QLatin1Char('/') : QLatin1Char('\\');
    const QString data = slozkaProgramu + QStringLiteral("data") + oddelovac;
    return QStringLiteral("create database Kalendo on (name='Kalendo', filename='") + data +
           QStringLiteral("Kalendo.mdf')\r\nlog on (name='KalendoLog', filename='") + data +
           QStringLiteral("Kalendo.ldf')");
}

QStringList PrikazyInstalace(const QString& slozkaProgramu, const tk::SqlDialect& dialect) {
    QStringList out;
    out << QStringLiteral("use master") << VytvoreniDatabaze(slozkaProgramu) << QStringLiteral("use Kalendo");
    out << dialect.createTable(QStringLiteral("VerDatP"), {col("VerDatP", "int")});
    out << QStringLiteral("insert into VerDatP (VerDatP) values (0)");
    // The owner is always the built-in login, whatever login the settings file names.
    out << QStringLiteral("alter authorization on database::Kalendo to resv");
    return out;
}

QString RetezecMaster(const QString& retezecKL) {
    QStringList kusy = retezecKL.split(QLatin1Char(';'));
    for (QString& kus : kusy) {
        if (!kus.trimmed().startsWith(QLatin1String("Data Source"), Qt::CaseInsensitive))
            kus.replace(QLatin1String("Kalendo"), QLatin1String("master"));
    }
    return kusy.join(QLatin1Char(';'));
}

int VerzeDat(TDmKL& dm) {
    tk::Dataset& q = *dm.QPom;
    q.close();
    q.setSql(QStringLiteral("select VerDatP from VerDatP"));
    q.open();
    int verze = 0;
    if (!q.isEmpty() && !q.fields().empty())
        verze = q.fields().front()->asInteger();
    q.close();
    return verze;
}

void UpGradeDat(TDmKL& dm, bool& ok, const DataUpHooks& hooks) {
    const int verze = VerzeDat(dm);
    if (verze > kAktualniVerzeDat)
        tk::dialogs().message(QStringLiteral("Data pochází z vyšší verze programu Kalendo."));

    // Only version 0 has a step; a negative version gets the notice and the report of the version it
    // still has, and is then refused by the caller like a higher one. Nothing is written to it.
    if (verze < kAktualniVerzeDat) {
        if (hooks.ukazUpgrade)
            hooks.ukazUpgrade();
        tk::waiter().processEvents();
        try {
            // All or nothing: a step that fails half-way would leave tables behind that make every later
            // attempt fail at its first statement.
            if (verze == 0)
                dm.SpojeniKL->inTransaction([&dm] {
                    vykonej(dm, PrikazyVerze1(dm.SpojeniKL->dialect()));
                    tk::Dataset& q = *dm.QPom;
                    q.close();
                    q.setSql(QStringLiteral("select VerDatP from VerDatP"));
                    q.open();
                    q.edit(); // a table without its row gets one
                    q.fields().front()->setAsInteger(1);
                    q.post();
                    q.close();
                });
        } catch (...) {
            dm.QPom->close();
            if (hooks.skryjUpgrade)
                hooks.skryjUpgrade();
            throw;
        }
        if (hooks.skryjUpgrade)
            hooks.skryjUpgrade();
        tk::dialogs().message(QStringLiteral("Byl proveden UpGrade dat Kalendo na verzi ") +
                              QString::number(VerzeDat(dm)) + QLatin1Char('.'));
    }

    if (VerzeDat(dm) == kAktualniVerzeDat) {
        OpravaDat(dm);
        ok = true;
    }
}

void OpravaDat(TDmKL& dm) {
    // Free slots written with NULL instead of empty texts by an earlier build: no list found them free.
    vykonej(dm, QStringLiteral("update Reserve set RCPacienta='' where RCPacienta is null"));
    vykonej(dm, QStringLiteral("update Reserve set JmenoPac='' where JmenoPac is null"));

    // Tables of an earlier layout whose keys accepted NULL get the rule of the current one. A table that
    // already holds a row without a key is left as it is rather than lose that row.
    const tk::SqlDialect& dialect = dm.SpojeniKL->dialect();
    for (const TabulkaKL& t : TabulkyVerze1()) {
        const QString dotaz = dialect.nullableKeyCount(t.nazev);
        if (dotaz.isEmpty() || skalar(dm, dotaz) == 0)
            continue;
        QStringList klice;
        for (const tk::ColumnDef& c : t.sloupce)
            if (c.primaryKey)
                klice << c.name + QStringLiteral(" is null");
        if (skalar(dm, QStringLiteral("select count(*) from ") + t.nazev + QStringLiteral(" where ") +
                           klice.join(QStringLiteral(" or "))) > 0)
            continue;
        dm.SpojeniKL->inTransaction([&] { vykonej(dm, dialect.rebuildTable(t.nazev, t.sloupce)); });
    }
}

void InstalaceKL(TDmKL& dm, const DataUpHooks& hooks) {
    tk::Connection& spojeni = *dm.SpojeniKL;
    const QString retezec = RetezecMaster(spojeni.connectionString());
    spojeni.close();
    spojeni.setConnectionString(retezec);
    spojeni.open();

    int citac = 0;
    if (spojeni.isOpen()) {
        const QStringList prikazy = PrikazyInstalace(dm.SlozkaProgramu, spojeni.dialect());
        vykonej(dm, prikazy.at(0));
        citac = 1;
        vykonej(dm, prikazy.at(1));
        citac = 2;
        vykonej(dm, prikazy.mid(2));
        citac = 3;
    }
    if (citac < 3)
        tk::dialogs().message(QStringLiteral("Instalace Kalendo NEPROBĚHLA dobře."));
    else
        tk::dialogs().message(QStringLiteral("Databáze Kalendo byla vytvořena.\r\n       Spusťte znovu "
                                             "program!\r\nNejdříve pak nastavte číselníky."));
    spojeni.close();
    if (hooks.ukonciProgram)
        hooks.ukonciProgram();
}
