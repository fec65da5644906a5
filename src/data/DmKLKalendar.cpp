// The queries of the week calendar. Both select a day as a range of the indexed column, so that a
// calendar over a large table stays as quick as the list.

#include "DmKL.h"

#include "toolkit/core/SqlQuote.h"

bool TDmKL::JeSvatekKalendare(const QDate& den) {
    tk::Dataset& q = *QPom;
    q.close();
    q.setSql(QStringLiteral("select * from Svatek where (") +
             SpojeniKL->dialect().dayEquals(QStringLiteral("Datum"), den) + QStringLiteral(")"));
    q.open();
    const bool svatek = !q.isEmpty();
    q.close();
    return svatek;
}

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
