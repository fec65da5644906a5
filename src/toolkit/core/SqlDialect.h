#pragma once

#include "DateTime.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

namespace tk {

// A column of a table to create, in SQL Server's type names: "int", "bit", "datetime", "text",
// "char(5)", "varchar(50)".
struct ColumnDef {
    QString name;
    QString type;
    bool primaryKey = false;
    int identitySeed = 0;   // > 0: identity(seed,1), assigned by the server
    QString defaultLiteral; // e.g. "'0'"; empty for none
};

// Renders the SQL Server constructs the program's statements rely on for one engine. SQL Server gets the
// texts exactly as they are written for it; other engines get texts with the same results. Values that
// come from users never pass through here unquoted: callers quote them first (SqlQuote.h).
class SqlDialect {
public:
    virtual ~SqlDialect() = default;

    // convert(varchar(10),COL,112)='yyyymmdd': COL lies on the given day.
    virtual QString dayEquals(const QString& column, const QDate& day) const = 0;
    // convert(datetime,'yyyymmdd',112)+plus-minus: midnight of day + plus - minus days.
    virtual QString dateShifted(const QDate& day, int plus, int minus) const = 0;
    // convert(varchar(2),DatePart(Month,COL))='m'
    virtual QString monthEquals(const QString& column, int month) const = 0;
    // convert(varchar(4),DatePart(Year,COL))='yyyy'
    virtual QString yearEquals(const QString& column, int year) const = 0;
    // year(COL)='yyyy'
    virtual QString yearFunctionEquals(const QString& column, int year) const = 0;
    // Ceiling(Cast(COL as float))>=Ceiling(Cast(GetDate() as float)): COL lies today or later, whole days
    // rounded up (so 00:00 today counts as yesterday). `now` is the station's clock.
    virtual QString fromToday(const QString& column, TDateTime now) const = 0;
    // A date literal compared with a datetime column: '2026-12-10'.
    virtual QString dateLiteral(const QDate& day) const = 0;
    // COL<'yyyymmdd': COL lies before midnight of the day.
    virtual QString before(const QString& column, const QDate& day) const;
    // left(COL,n)
    virtual QString left(const QString& expression, int count) const = 0;
    // A date (midnight) as a value to store or compare: convert(datetime,'yyyymmdd',112).
    virtual QString dateValue(const QDate& day) const = 0;
    // The table hint that makes a read inside a write statement hold its range until the statement ends,
    // so that "insert ... where not exists (select ...)" cannot let two stations in at once; empty where
    // the engine serialises writers anyway.
    virtual QString holdLockHint() const = 0;

    // The statements that create a table (SQL Server: exactly one).
    virtual QStringList createTable(const QString& table, const std::vector<ColumnDef>& columns) const = 0;
    // The statements that create an index the program's queries rely on for speed, or a unique one that
    // backs a rule. SQL Server gets none: its databases keep the layout the installations already have.
    virtual QStringList createIndex(const QString& name, const QString& table, const QStringList& columns,
                                    bool unique) const = 0;
    // A query whose first column counts the primary-key columns of `table` that still accept NULL (tables
    // made by an earlier layout); empty where the engine never lets a key be NULL.
    virtual QString nullableKeyCount(const QString& table) const {
        (void)table;
        return {};
    }
    // The statements that make `table` anew with `columns`, keeping its rows; empty where not needed.
    virtual QStringList rebuildTable(const QString& table, const std::vector<ColumnDef>& columns) const {
        (void)table;
        (void)columns;
        return {};
    }
    // An insert of the named columns with positional placeholders; when identityColumn is not empty the
    // statement's result (or the engine's last id) gives the identity assigned by the server.
    virtual QString insertReturning(const QString& table, const QStringList& columns,
                                    const QString& identityColumn) const = 0;
};

class MssqlDialect : public SqlDialect {
public:
    QString dayEquals(const QString& column, const QDate& day) const override;
    QString dateShifted(const QDate& day, int plus, int minus) const override;
    QString monthEquals(const QString& column, int month) const override;
    QString yearEquals(const QString& column, int year) const override;
    QString yearFunctionEquals(const QString& column, int year) const override;
    QString fromToday(const QString& column, TDateTime now) const override;
    QString dateLiteral(const QDate& day) const override;
    QString before(const QString& column, const QDate& day) const override;
    QString left(const QString& expression, int count) const override;
    QString dateValue(const QDate& day) const override;
    QString holdLockHint() const override;
    QStringList createTable(const QString& table, const std::vector<ColumnDef>& columns) const override;
    QStringList createIndex(const QString& name, const QString& table, const QStringList& columns,
                            bool unique) const override;
    QString insertReturning(const QString& table, const QStringList& columns,
                            const QString& identityColumn) const override;
};

// SQLite keeps date-times as text "yyyy-MM-dd hh:mm:ss.zzz", so that text order is time order and the
// day, week and from-today tests become ranges an index can serve; character columns use the RTRIM
// collation, so trailing blanks are ignored in comparisons as SQL Server does.
class SqliteDialect : public SqlDialect {
public:
    QString dayEquals(const QString& column, const QDate& day) const override;
    QString dateShifted(const QDate& day, int plus, int minus) const override;
    QString monthEquals(const QString& column, int month) const override;
    QString yearEquals(const QString& column, int year) const override;
    QString yearFunctionEquals(const QString& column, int year) const override;
    QString fromToday(const QString& column, TDateTime now) const override;
    QString dateLiteral(const QDate& day) const override;
    QString left(const QString& expression, int count) const override;
    QString dateValue(const QDate& day) const override;
    QString holdLockHint() const override;
    QStringList createTable(const QString& table, const std::vector<ColumnDef>& columns) const override;
    QStringList createIndex(const QString& name, const QString& table, const QStringList& columns,
                            bool unique) const override;
    QString insertReturning(const QString& table, const QStringList& columns,
                            const QString& identityColumn) const override;
    QString nullableKeyCount(const QString& table) const override;
    QStringList rebuildTable(const QString& table, const std::vector<ColumnDef>& columns) const override;

    static QString timestampText(const QDateTime& value); // the stored form
};

} // namespace tk
