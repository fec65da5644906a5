#include "Vyber.h"

#include "toolkit/core/SqlQuote.h"

QStringList sestavSeznamSql(const Vyber& v, int rezim, const tk::SqlDialect& dialect, tk::TDateTime now) {
    const QString sloupec = QStringLiteral("DatumCas");
    QStringList lines{QStringLiteral("select * from Reserve"), QStringLiteral("where 1=1")};
    const int denTydne = v.datum.dayOfWeek();
    switch (v.obdobi) {
    case Obdobi::Den:
        lines << QStringLiteral("and ") + dialect.dayEquals(sloupec, v.datum);
        break;
    case Obdobi::Tyden:
        // The open interval from Monday 00:00 to the next Monday 00:00 of the date's week.
        lines << QStringLiteral("and DatumCas>") + dialect.dateShifted(v.datum, 1, denTydne);
        lines << QStringLiteral("and DatumCas<") + dialect.dateShifted(v.datum, 8, denTydne);
        break;
    case Obdobi::Mesic:
        lines << QStringLiteral("and ") + dialect.monthEquals(sloupec, v.datum.month());
        lines << QStringLiteral("and ") + dialect.yearEquals(sloupec, v.datum.year());
        break;
    case Obdobi::Rok:
        lines << QStringLiteral("and ") + dialect.yearEquals(sloupec, v.datum.year());
        break;
    case Obdobi::Vse:
        break;
    }
    if (rezim == RezimTiskK && v.zobrazeni == Zobrazeni::Obsazene)
        lines << QStringLiteral("and ") + dialect.fromToday(sloupec, now);
    if (!v.denPracoviste())
        lines << QStringLiteral("and RCPacienta not in('1','2','3','4')");
    if (v.obj)
        lines << QStringLiteral("and Objekt=") + tk::sqlText(v.objKod);
    if (v.rcp)
        lines << QStringLiteral("and RCPacienta=") + tk::sqlText(v.rcpText);
    if (v.kpr)
        lines << QStringLiteral("and KodPrac=") + tk::sqlText(v.kprKod);
    if (v.zobrazeni == Zobrazeni::Volne)
        lines << QStringLiteral("and JmenoPac= ' '");
    else if (v.zobrazeni == Zobrazeni::Obsazene)
        lines << QStringLiteral("and JmenoPac<>' '");
    lines << QStringLiteral("order by DatumCas,Doba,Objekt");
    return lines;
}

int urciRezimTlacitka(const Vyber& v, bool seznamPrazdny) {
    int rezim = RezimZadny;
    if (v.obdobi == Obdobi::Den && v.obj && !v.rcp && !v.kpr && v.objNazvano)
        rezim = RezimTiskO;
    if (v.obdobi == Obdobi::Den && !v.obj && !v.rcp && v.kpr && v.kprNazvano)
        rezim = RezimTiskP;
    if (v.obdobi == Obdobi::Vse && !v.obj && v.rcp && !v.kpr && v.rcpNazvano)
        rezim = RezimTiskK;
    if (v.obdobi == Obdobi::Den && v.zobrazeni == Zobrazeni::Vse && v.obj && !v.rcp && !v.kpr &&
        v.objNazvano && seznamPrazdny)
        rezim = RezimNovyDen;
    return rezim;
}
