#include "SqlDialect.h"

#include <cmath>

namespace tk {

namespace {
QString ymd(const QDate& d) {
    return d.toString(QStringLiteral("yyyyMMdd"));
}
QString quotedTimestamp(const QDate& d) {
    return QLatin1Char('\'') + SqliteDialect::timestampText(QDateTime(d, QTime(0, 0), Qt::UTC)) +
           QLatin1Char('\'');
}
QString range(const QString& column, const QDate& from, const QDate& to) {
    return QStringLiteral("(%1>=%2 and %1<%3)").arg(column, quotedTimestamp(from), quotedTimestamp(to));
}
} // namespace

QString SqlDialect::before(const QString& column, const QDate& day) const {
    return column + QLatin1Char('<') + dateLiteral(day);
}

// ---- SQL Server: the texts as the program writes them.

QString MssqlDialect::dayEquals(const QString& column, const QDate& day) const {
    return QStringLiteral("convert(varchar(10),%1,112)='%2'").arg(column, ymd(day));
}

QString MssqlDialect::dateShifted(const QDate& day, int plus, int minus) const {
    return QStringLiteral("convert(datetime,'%1',112)+%2-%3").arg(ymd(day)).arg(plus).arg(minus);
}

QString MssqlDialect::monthEquals(const QString& column, int month) const {
    return QStringLiteral("convert(varchar(2),DatePart(Month,%1))='%2'").arg(column).arg(month);
}

QString MssqlDialect::yearEquals(const QString& column, int year) const {
    return QStringLiteral("convert(varchar(4),DatePart(Year,%1))='%2'")
        .arg(column)
        .arg(year, 4, 10, QLatin1Char('0'));
}

QString MssqlDialect::yearFunctionEquals(const QString& column, int year) const {
    return QStringLiteral("year(%1)='%2'").arg(column).arg(year);
}

QString MssqlDialect::fromToday(const QString& column, TDateTime) const {
    return QStringLiteral("Ceiling(Cast(%1 as float))>=Ceiling(Cast(GetDate() as float))").arg(column);
}

QString MssqlDialect::dateLiteral(const QDate& day) const {
    return QLatin1Char('\'') + day.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('\'');
}

QString MssqlDialect::before(const QString& column, const QDate& day) const {
    return column + QStringLiteral("<'") + ymd(day) + QLatin1Char('\'');
}

QString MssqlDialect::left(const QString& expression, int count) const {
    return QStringLiteral("left(%1,%2)").arg(expression).arg(count);
}

QString MssqlDialect::dateValue(const QDate& day) const {
    return QStringLiteral("convert(datetime,'%1',112)").arg(ymd(day));
}

QString MssqlDialect::holdLockHint() const {
    return QStringLiteral(" with (updlock,holdlock)");
}

QStringList MssqlDialect::createTable(const QString& table, const std::vector<ColumnDef>& columns) const {
    QStringList parts;
    for (const auto& c : columns) {
        QString p = c.name + QLatin1Char(' ') + c.type;
        if (c.identitySeed > 0)
            p += QStringLiteral(" identity(%1,1)").arg(c.identitySeed);
        if (c.primaryKey)
            p += QStringLiteral(" primary key");
        if (!c.defaultLiteral.isEmpty())
            p += QStringLiteral(" default ") + c.defaultLiteral;
        parts << p;
    }
    return {QStringLiteral("create table %1 (%2)").arg(table, parts.join(QStringLiteral(", ")))};
}

QStringList MssqlDialect::createIndex(const QString&, const QString&, const QStringList&, bool) const {
    return {};
}

QString MssqlDialect::insertReturning(const QString& table, const QStringList& columns,
                                      const QString& identityColumn) const {
    const QString output =
        identityColumn.isEmpty() ? QString() : QStringLiteral(" output inserted.%1").arg(identityColumn);
    if (columns.isEmpty())
        return QStringLiteral("insert into %1%2 default values").arg(table, output);
    QStringList marks;
    for (int i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    return QStringLiteral("insert into %1 (%2)%3 values (%4)")
        .arg(table, columns.join(QLatin1Char(',')), output, marks.join(QLatin1Char(',')));
}

// ---- SQLite: equivalents with the same results, written as ranges where an index can serve them.

QString SqliteDialect::timestampText(const QDateTime& value) {
    return value.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
}

QString SqliteDialect::dayEquals(const QString& column, const QDate& day) const {
    return range(column, day, day.addDays(1));
}

QString SqliteDialect::dateShifted(const QDate& day, int plus, int minus) const {
    return quotedTimestamp(day.addDays(plus - minus));
}

QString SqliteDialect::monthEquals(const QString& column, int month) const {
    return QStringLiteral("cast(strftime('%m',%1) as integer)=%2").arg(column).arg(month);
}

QString SqliteDialect::yearEquals(const QString& column, int year) const {
    return range(column, QDate(year, 1, 1), QDate(year + 1, 1, 1));
}

QString SqliteDialect::yearFunctionEquals(const QString& column, int year) const {
    return yearEquals(column, year);
}

QString SqliteDialect::fromToday(const QString& column, TDateTime now) const {
    // ceiling(x) >= ceiling(now)  <=>  x > ceiling(now) - 1, for any x.
    const double c = std::ceil(now);
    return QStringLiteral("%1>%2").arg(column, quotedTimestamp(toDate(c - 1)));
}

QString SqliteDialect::dateLiteral(const QDate& day) const {
    return quotedTimestamp(day);
}

QString SqliteDialect::left(const QString& expression, int count) const {
    return QStringLiteral("substr(%1,1,%2)").arg(expression).arg(count);
}

QString SqliteDialect::dateValue(const QDate& day) const {
    return quotedTimestamp(day);
}

QString SqliteDialect::holdLockHint() const {
    return {};
}

QStringList SqliteDialect::createTable(const QString& table, const std::vector<ColumnDef>& columns) const {
    QStringList parts;
    QStringList after;
    for (const auto& c : columns) {
        const QString type = c.type.toLower();
        QString p = c.name + QLatin1Char(' ');
        if (c.identitySeed > 0) {
            p += QStringLiteral("integer primary key autoincrement");
            if (c.identitySeed > 1)
                after << QStringLiteral("insert into sqlite_sequence (name,seq) values ('%1',%2)")
                             .arg(table)
                             .arg(c.identitySeed - 1);
        } else {
            p += c.type;
            if (type.contains(QLatin1String("char")) || type == QLatin1String("text"))
                p += QStringLiteral(" collate rtrim");
            // SQLite lets a key column hold NULL unless it is told otherwise.
            if (c.primaryKey)
                p += QStringLiteral(" not null primary key");
        }
        if (!c.defaultLiteral.isEmpty())
            p += QStringLiteral(" default ") + c.defaultLiteral;
        parts << p;
    }
    QStringList out{QStringLiteral("create table %1 (%2)").arg(table, parts.join(QStringLiteral(", ")))};
    out << after;
    return out;
}

QStringList SqliteDialect::createIndex(const QString& name, const QString& table, const QStringList& columns,
                                       bool unique) const {
    return {QStringLiteral("create %1index %2 on %3 (%4)")
                .arg(unique ? QStringLiteral("unique ") : QString(), name, table,
                     columns.join(QLatin1Char(',')))};
}

QString SqliteDialect::nullableKeyCount(const QString& table) const {
    // An integer primary key is the row id and never NULL.
    return QStringLiteral("select count(*) from pragma_table_info('%1') where pk>0 and \"notnull\"=0 and "
                          "lower(type)<>'integer'")
        .arg(table);
}

QStringList SqliteDialect::rebuildTable(const QString& table, const std::vector<ColumnDef>& columns) const {
    const QString novy = table + QStringLiteral("_novy");
    QStringList names;
    for (const auto& c : columns)
        names << c.name;
    const QString list = names.join(QLatin1Char(','));
    QStringList out = createTable(novy, columns);
    out << QStringLiteral("insert into %1 (%2) select %2 from %3").arg(novy, list, table);
    out << QStringLiteral("drop table %1").arg(table);
    out << QStringLiteral("alter table %1 rename to %2").arg(novy, table);
    return out;
}

QString SqliteDialect::insertReturning(const QString& table, const QStringList& columns,
                                       const QString&) const {
    if (columns.isEmpty())
        return QStringLiteral("insert into %1 default values").arg(table);
    QStringList marks;
    for (int i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    return QStringLiteral("insert into %1 (%2) values (%3)")
        .arg(table, columns.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
}

} // namespace tk
