#pragma once

#include "SqlDialect.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

namespace tk {

enum class FieldType { String, Integer, AutoInc, Float, Boolean, DateTime, Memo };

struct ConnectionPieces {
    // The pieces of an OLE DB style connection string "Key=Value;Key =Value;...", keys trimmed, in lower
    // case.
    static QString value(const QString& connectionString, const QString& key);
};

// Called between the steps of long work (a backup, a restore, freeing space), so that the caller's
// windows can repaint meanwhile.
using Progress = std::function<void()>;

// What a restore needs to know; the engine takes what applies to it.
struct RestoreRequest {
    QString catalog; // the database that is replaced
    QString file;    // the backup file
    // Where a server places the restored files, and their logical names inside the backup.
    QString dataName, dataFile, logName, logFile;
    // The program's own checks of the backup's content (its tables, its data version), run on engines
    // that can read a backup before it replaces anything; throws DatabaseError to refuse it.
    std::function<void(QSqlDatabase&)> check;
    Progress progress;
};

// The texts SQL Server gets for the maintenance of a whole database.
namespace mssql {
QString backupStatement(const QString& catalog, const QString& file);
QString verifyStatement(const QString& file);
QString restoreStatement(const RestoreRequest& request);
QString truncateLogStatement(const QString& catalog);
} // namespace mssql

// A database engine: how a connection string is opened, how the constructs are rendered, how statements
// that have no meaning for the engine are carried out, and how values travel to and from it.
class Engine {
public:
    virtual ~Engine() = default;
    virtual QString name() const = 0; // "sqlite", "mssql"
    virtual const SqlDialect& dialect() const = 0;

    // Opens `db` (a fresh QSqlDatabase of this engine's driver) from the connection string; throws
    // DatabaseError with the reason when it cannot.
    virtual void open(QSqlDatabase& db, const QString& connectionString, bool readOnly) = 0;
    virtual QString driverName() const = 0;

    // Executes one statement; statements like "use X" or "create database" are carried out here for
    // engines that have no server. Returns the number of rows the statement changed (-1 when unknown).
    // Throws DatabaseError.
    virtual int execute(QSqlDatabase& db, const QString& statement) = 0;

    // Starts a transaction in which this connection may write at once: a read made inside it cannot be
    // overtaken by another station's write before this one commits.
    virtual void beginWriteTransaction(QSqlDatabase& db) = 0;

    virtual QVariant toDb(const QVariant& value, FieldType type) const = 0;
    virtual QVariant fromDb(const QVariant& raw, FieldType type) const = 0;
    // The type a result column has when a query defines no fields of its own.
    virtual FieldType columnType(const QSqlQuery& query, int column) const = 0;
    // The identity assigned by the last insert made through `query` (see SqlDialect::insertReturning).
    virtual QVariant lastIdentity(QSqlQuery& query) const = 0;

    // Maintenance of a whole database. Engines that do not have one throw DatabaseError.
    //
    // A consistent copy of the database `catalog` that `db` is connected to, written to `file` (replacing
    // what the file held), even while other stations write.
    virtual void backupDatabase(QSqlDatabase& db, const QString& catalog, const QString& file,
                                const Progress& progress);
    // Replaces the database `request.catalog` by the backup; `db` is connected to the server's master
    // catalogue, and no connection of this program is open on the database replaced.
    virtual void restoreDatabase(QSqlDatabase& db, const RestoreRequest& request);
    // Gives back what a large delete freed (the file's space, the server's transaction log).
    virtual void reclaimSpace(QSqlDatabase& db, const QString& catalog, const Progress& progress);
};

std::unique_ptr<Engine> makeEngine(const QString& name); // "sqlite" (also for an empty name) or "mssql"
QStringList engineNames();                               // the names makeEngine knows

} // namespace tk
