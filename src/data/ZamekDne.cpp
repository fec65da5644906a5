#include "ZamekDne.h"

#include "toolkit/core/SqlQuote.h"

bool ZamkniDenPracoviste(tk::Connection& spojeni, const QString& objekt, const QDate& den,
                         const QString& idPc) {
    const tk::SqlDialect& sql = spojeni.dialect();
    const QString prikaz = QStringLiteral("insert into BlokRes (Objekt,Datum,IdPC) select ") +
                           tk::sqlText(objekt) + QStringLiteral(",") + sql.dateValue(den) +
                           QStringLiteral(",") + tk::sqlText(idPc) +
                           QStringLiteral(" where not exists (select * from BlokRes") + sql.holdLockHint() +
                           QStringLiteral(" where (Objekt=") + tk::sqlText(objekt) + QStringLiteral(" and ") +
                           sql.dayEquals(QStringLiteral("Datum"), den) + QStringLiteral("))");
    int zapsano = 0;
    spojeni.inTransaction([&] { zapsano = spojeni.execute(prikaz); });
    return zapsano == 1;
}

void OdemkniDenPracoviste(tk::Connection& spojeni, const QString& objekt, const QDate& den,
                          const QString& idPc) {
    spojeni.execute(QStringLiteral("delete from BlokRes where (Objekt=") + tk::sqlText(objekt) +
                    QStringLiteral(" and ") + spojeni.dialect().dayEquals(QStringLiteral("Datum"), den) +
                    QStringLiteral(" and IdPC=") + tk::sqlText(idPc) + QStringLiteral(")"));
}
