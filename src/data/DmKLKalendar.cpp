// The day queries of the week calendar. Each selects its day as a range of the indexed column, so that a
// calendar over a large table stays as quick as the list.

#include "DmKL.h"

#include "toolkit/core/SqlQuote.h"

void TDmKL::OtevriDenKalendare(int den, const QString& objekt, const QDate& datum) {
    tk::Dataset& q = *dnyTydne().at(den);
    const tk::SqlDialect& dialect = SpojeniKL->dialect();
    q.close();
    q.clearSql();
    q.addSql(QStringLiteral("select * from Reserve"));
    q.addSql(QStringLiteral("where ") + dialect.left(QStringLiteral("JmenoPac"), 2) +
             QStringLiteral("<>'=='"));
    q.addSql(QStringLiteral("and Objekt=") + tk::sqlText(objekt));
    q.addSql(QStringLiteral("and ") + dialect.dayEquals(QStringLiteral("DatumCas"), datum));
    q.addSql(QStringLiteral("order by DatumCas"));
    q.open();
}
