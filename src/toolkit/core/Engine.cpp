#include "Engine.h"

#include "DateTime.h"
#include "Errors.h"
#include "SqlQuote.h"
#include "SqliteBackup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaType>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <QSqlResult>
#include <map>
#include <sqlite3.h>

namespace tk {

QString ConnectionPieces::value(const QString& connectionString, const QString& key) {
    const QString wanted = key.trimmed().toLower();
    const QStringList pieces = connectionString.split(QLatin1Char(';'));
    for (const QString& piece : pieces) {
        const int eq = piece.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        if (piece.left(eq).trimmed().toLower() == wanted)
            return piece.mid(eq + 1).trimmed();
    }
    return {};
}

namespace mssql {

QString backupStatement(const QString& catalog, const QString& file) {
    return QStringLiteral("backup database ") + catalog + QStringLiteral("\r\nto disk=") + sqlText(file) +
           QStringLiteral("\r\nwith init");
}

QString verifyStatement(const QString& file) {
    return QStringLiteral("restore verifyonly from disk=") + sqlText(file);
}

QString restoreStatement(const RestoreRequest& r) {
    return QStringLiteral("restore database ") + r.catalog + QStringLiteral(" from disk=") + sqlText(r.file) +
           QStringLiteral("\r\nwith move ") + sqlText(r.dataName) + QStringLiteral(" to ") +
           sqlText(r.dataFile) + QStringLiteral(",\r\nmove ") + sqlText(r.logName) + QStringLiteral(" to ") +
           sqlText(r.logFile) + QStringLiteral(",\r\nreplace");
}

QString truncateLogStatement(const QString& catalog) {
    return QStringLiteral("backup log ") + catalog + QStringLiteral(" with no_log");
}

} // namespace mssql

void Engine::backupDatabase(QSqlDatabase&, const QString&, const QString&, const Progress&) {
    throw DatabaseError(QStringLiteral("Databázový stroj %1 neumí zálohovat.").arg(name()));
}

void Engine::restoreDatabase(QSqlDatabase&, const RestoreRequest&) {
    throw DatabaseError(QStringLiteral("Databázový stroj %1 neumí obnovit databázi ze zálohy.").arg(name()));
}

void Engine::reclaimSpace(QSqlDatabase&, const QString&, const Progress&) {}

namespace {

QString errorText(const QSqlError& error) {
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.text();
    if (!error.driverText().isEmpty() && !text.contains(error.driverText()))
        text = error.driverText() + QStringLiteral(": ") + text;
    return text.trimmed();
}

int execPlain(QSqlDatabase& db, const QString& statement) {
    QSqlQuery q(db);
    if (!q.exec(statement))
        throw DatabaseError(errorText(q.lastError()));
    return q.numRowsAffected();
}

QVariant commonFromDb(const QVariant& raw, FieldType type) {
    if (!raw.isValid() || raw.isNull())
        return {};
    switch (type) {
    case FieldType::String:
    case FieldType::Memo:
        return raw.toString();
    case FieldType::Integer:
    case FieldType::AutoInc:
        return raw.toInt();
    case FieldType::Float:
        return raw.toDouble();
    case FieldType::Boolean:
        if (raw.typeId() == QMetaType::QString) {
            const QString s = raw.toString().trimmed().toLower();
            return s == QLatin1String("1") || s == QLatin1String("true");
        }
        return raw.toInt() != 0;
    case FieldType::DateTime:
        break;
    }
    return raw;
}

FieldType typeOfMeta(int typeId) {
    switch (typeId) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return FieldType::Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return FieldType::Float;
    case QMetaType::Bool:
        return FieldType::Boolean;
    case QMetaType::QDateTime:
    case QMetaType::QDate:
        return FieldType::DateTime;
    default:
        return FieldType::String;
    }
}

bool hasHeader(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true; // unreadable: the driver reports why
    return file.read(16) == QByteArray("SQLite format 3", 16);
}

// ---------------------------------------------------------------------------------------------------------
// SQLite: each catalogue is one file "<Data Source>/<Initial Catalog>.sqlite"; the catalogue "master" is the
// folder itself, on which databases can be created.
class SqliteEngine : public Engine {
public:
    QString name() const override { return QStringLiteral("sqlite"); }
    const SqlDialect& dialect() const override { return dialect_; }
    QString driverName() const override { return QStringLiteral("QSQLITE"); }

    void open(QSqlDatabase& db, const QString& connectionString, bool readOnly) override {
        const QString folder = ConnectionPieces::value(connectionString, QStringLiteral("Data Source"));
        const QString catalog = ConnectionPieces::value(connectionString, QStringLiteral("Initial Catalog"));
        folders_[db.connectionName()] = folder;
        readOnly_[db.connectionName()] = readOnly;
        openCatalog(db, catalog);
    }

    int execute(QSqlDatabase& db, const QString& statement) override {
        static const QRegularExpression use(QStringLiteral(R"(^\s*use\s+\[?(\w+)\]?\s*;?\s*$)"),
                                            QRegularExpression::CaseInsensitiveOption);
        static const QRegularExpression create(QStringLiteral(R"(^\s*create\s+database\s+\[?(\w+)\]?)"),
                                               QRegularExpression::CaseInsensitiveOption);
        static const QRegularExpression noop(
            QStringLiteral(
                R"(^\s*(alter\s+authorization\s+on\s+database::|set\s+datefirst\s|exec\s+sp_changedbowner\b))"),
            QRegularExpression::CaseInsensitiveOption);
        if (auto m = use.match(statement); m.hasMatch()) {
            openCatalog(db, m.captured(1));
            return 0;
        }
        if (auto m = create.match(statement); m.hasMatch()) {
            createCatalog(db, m.captured(1));
            return 1;
        }
        if (noop.match(statement).hasMatch())
            return 0; // no owner and no week setting in a file database
        return execPlain(db, statement);
    }

    void beginWriteTransaction(QSqlDatabase& db) override {
        // IMMEDIATE takes the write lock up front (waiting up to the busy timeout), so that two stations'
        // read-then-write sequences run one after the other instead of deadlocking.
        execPlain(db, QStringLiteral("begin immediate"));
    }

    QVariant toDb(const QVariant& value, FieldType type) const override {
        if (!value.isValid() || value.isNull())
            return {};
        if (type == FieldType::DateTime)
            return SqliteDialect::timestampText(toDateTime(value.toDouble()));
        if (type == FieldType::Boolean)
            return value.toBool() ? 1 : 0;
        return value;
    }

    QVariant fromDb(const QVariant& raw, FieldType type) const override {
        if (type != FieldType::DateTime)
            return commonFromDb(raw, type);
        if (!raw.isValid() || raw.isNull())
            return {};
        if (raw.typeId() == QMetaType::QString) {
            // Wall-clock text without a zone: date and time are read apart, so that a time the station's
            // zone skips (the spring change) reads back as written.
            const QString s = raw.toString().trimmed();
            const QDate date = QDate::fromString(s.left(10), QStringLiteral("yyyy-MM-dd"));
            if (!date.isValid())
                return {};
            QString rest = s.mid(10).trimmed();
            if (rest.startsWith(QLatin1Char('T')))
                rest.remove(0, 1);
            if (rest.endsWith(QLatin1Char('Z')))
                rest.chop(1);
            if (rest.isEmpty())
                return fromDate(date);
            QTime time = QTime::fromString(rest, QStringLiteral("hh:mm:ss.zzz"));
            if (!time.isValid())
                time = QTime::fromString(rest, QStringLiteral("hh:mm:ss"));
            if (!time.isValid())
                time = QTime::fromString(rest, QStringLiteral("hh:mm"));
            return time.isValid()
                       ? QVariant(fromDate(date) + double(time.msecsSinceStartOfDay()) / 86400000.0)
                       : QVariant();
        }
        return raw.toDouble();
    }

    FieldType columnType(const QSqlQuery& query, int column) const override {
        const QVariant handle = query.result() ? query.result()->handle() : QVariant();
        if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3_stmt*") == 0) {
            auto* stmt = *static_cast<sqlite3_stmt* const*>(handle.constData());
            if (stmt) {
                if (const char* decl = sqlite3_column_decltype(stmt, column)) {
                    const QString t = QString::fromLatin1(decl).toLower();
                    if (t.contains(QLatin1String("int")))
                        return FieldType::Integer;
                    if (t.contains(QLatin1String("bit")) || t.contains(QLatin1String("bool")))
                        return FieldType::Boolean;
                    if (t.contains(QLatin1String("date")) || t.contains(QLatin1String("time")))
                        return FieldType::DateTime;
                    if (t.contains(QLatin1String("real")) || t.contains(QLatin1String("floa")) ||
                        t.contains(QLatin1String("doub")))
                        return FieldType::Float;
                    if (t == QLatin1String("text"))
                        return FieldType::Memo;
                    return FieldType::String;
                }
            }
        }
        return typeOfMeta(query.record().field(column).metaType().id());
    }

    QVariant lastIdentity(QSqlQuery& query) const override { return query.lastInsertId(); }

    void backupDatabase(QSqlDatabase& db, const QString&, const QString& file,
                        const Progress& progress) override {
        // Renaming the copy over the open file would leave every station writing into a deleted file.
        if (QFileInfo(file).exists() &&
            QFileInfo(file).canonicalFilePath() == QFileInfo(db.databaseName()).canonicalFilePath())
            throw DatabaseError(QStringLiteral("Zálohu nelze zapsat do samotné databáze (%1).").arg(file));
        sqlite::backupToFile(sqlite::nativeHandle(db), file, progress);
    }

    void restoreDatabase(QSqlDatabase& db, const RestoreRequest& request) override {
        sqlite::restoreFile(fileOf(db, request.catalog), request);
    }

    void reclaimSpace(QSqlDatabase& db, const QString&, const Progress& progress) override {
        sqlite::vacuum(db, progress);
    }

private:
    QString fileOf(const QSqlDatabase& db, const QString& catalog) const {
        const auto it = folders_.find(db.connectionName());
        const QString folder = it == folders_.end() ? QString() : it->second;
        return QDir(folder).filePath(catalog + QStringLiteral(".sqlite"));
    }

    void openCatalog(QSqlDatabase& db, const QString& catalog) {
        db.close();
        const bool readOnly = readOnly_[db.connectionName()];
        if (catalog.compare(QLatin1String("master"), Qt::CaseInsensitive) == 0) {
            const auto it = folders_.find(db.connectionName());
            if (it == folders_.end() || it->second.isEmpty())
                throw DatabaseError(QStringLiteral("Není zadána složka databází (Data Source)."));
            db.setDatabaseName(QStringLiteral(":memory:"));
        } else {
            const QString path = fileOf(db, catalog);
            if (catalog.isEmpty() || !QFileInfo(path).isFile())
                throw DatabaseError(QStringLiteral("Databáze %1 neexistuje (%2).").arg(catalog, path));
            // The driver would open anything and fail only at the first statement.
            if (!hasHeader(path))
                throw NotADatabaseError(QStringLiteral("Soubor %1 není databáze (je prázdný nebo poškozený).")
                                            .arg(QDir::toNativeSeparators(path)));
            db.setDatabaseName(path);
        }
        db.setConnectOptions(readOnly ? QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=10000")
                                      : QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
        if (!db.open())
            throw DatabaseError(errorText(db.lastError()));
    }

    void createCatalog(QSqlDatabase& db, const QString& catalog) {
        const QString path = fileOf(db, catalog);
        if (QFileInfo::exists(path))
            throw DatabaseError(QStringLiteral("Databáze %1 již existuje (%2).").arg(catalog, path));
        if (!QDir().mkpath(QFileInfo(path).absolutePath()))
            throw DatabaseError(
                QStringLiteral("Složku %1 nelze vytvořit.").arg(QFileInfo(path).absolutePath()));
        const QString name = db.connectionName() + QStringLiteral(":create");
        {
            QSqlDatabase file = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            file.setDatabaseName(path);
            if (!file.open()) {
                const QString text = errorText(file.lastError());
                file = QSqlDatabase();
                QSqlDatabase::removeDatabase(name);
                throw DatabaseError(text);
            }
            // Writing the header makes the file a database even before its first table.
            QSqlQuery q(file);
            q.exec(QStringLiteral("pragma user_version=0"));
            q.exec(QStringLiteral("vacuum"));
            file.close();
        }
        QSqlDatabase::removeDatabase(name);
    }

    SqliteDialect dialect_;
    std::map<QString, QString> folders_;
    std::map<QString, bool> readOnly_;
};

// ---------------------------------------------------------------------------------------------------------
// SQL Server through Qt's ODBC driver: the statements go as they are written.
class MssqlEngine : public Engine {
public:
    QString name() const override { return QStringLiteral("mssql"); }
    const SqlDialect& dialect() const override { return dialect_; }
    QString driverName() const override { return QStringLiteral("QODBC"); }

    void open(QSqlDatabase& db, const QString& cs, bool readOnly) override {
        auto piece = [&](const char* key) { return ConnectionPieces::value(cs, QString::fromLatin1(key)); };
        QString driver = piece("Driver");
        if (driver.isEmpty())
            driver = QStringLiteral("{ODBC Driver 18 for SQL Server}");
        QString odbc = QStringLiteral("DRIVER=%1;SERVER=%2;DATABASE=%3;UID=%4;PWD={%5};WSID=%6;"
                                      "TrustServerCertificate=yes;")
                           .arg(driver, piece("Data Source"), piece("Initial Catalog"), piece("User ID"),
                                QString(piece("Password")).replace(QLatin1Char('}'), QLatin1String("}}")),
                                piece("Work Station ID"));
        if (readOnly)
            odbc += QStringLiteral("ApplicationIntent=ReadOnly;");
        db.setDatabaseName(odbc);
        if (!db.open())
            throw DatabaseError(errorText(db.lastError()));
    }

    int execute(QSqlDatabase& db, const QString& statement) override { return execPlain(db, statement); }

    void beginWriteTransaction(QSqlDatabase& db) override {
        if (!db.transaction())
            throw DatabaseError(errorText(db.lastError()));
    }

    QVariant toDb(const QVariant& value, FieldType type) const override {
        if (!value.isValid() || value.isNull())
            return {};
        if (type == FieldType::DateTime)
            return toDateTime(value.toDouble());
        if (type == FieldType::Boolean)
            return value.toBool();
        return value;
    }

    QVariant fromDb(const QVariant& raw, FieldType type) const override {
        if (type != FieldType::DateTime)
            return commonFromDb(raw, type);
        if (!raw.isValid() || raw.isNull())
            return {};
        if (raw.typeId() == QMetaType::QDateTime) {
            const QDateTime dt = raw.toDateTime();
            return fromDateTime(QDateTime(dt.date(), dt.time(), Qt::UTC));
        }
        if (raw.typeId() == QMetaType::QDate)
            return fromDate(raw.toDate());
        return raw.toDouble();
    }

    FieldType columnType(const QSqlQuery& query, int column) const override {
        return typeOfMeta(query.record().field(column).metaType().id());
    }

    QVariant lastIdentity(QSqlQuery& query) const override {
        return query.next() ? query.value(0) : QVariant();
    }

    // The server does the work and writes or reads the files itself, on its own machine.
    void backupDatabase(QSqlDatabase& db, const QString& catalog, const QString& file,
                        const Progress&) override {
        execPlain(db, mssql::backupStatement(catalog, file));
    }

    void restoreDatabase(QSqlDatabase& db, const RestoreRequest& request) override {
        // "replace" overwrites the database whatever the file holds: an unreadable or incomplete backup
        // is refused before it can do so.
        execPlain(db, mssql::verifyStatement(request.file));
        execPlain(db, mssql::restoreStatement(request));
    }

    void reclaimSpace(QSqlDatabase& db, const QString& catalog, const Progress&) override {
        // Servers since 2008 refuse "no_log"; there a checkpoint lets a database in the simple recovery
        // model reuse its log, and one in the full model keeps it for the administrator's log backups.
        try {
            execPlain(db, mssql::truncateLogStatement(catalog));
        } catch (const DatabaseError&) {
            execPlain(db, QStringLiteral("checkpoint"));
        }
    }

private:
    MssqlDialect dialect_;
};

} // namespace

QStringList engineNames() {
    return {QStringLiteral("sqlite"), QStringLiteral("mssql")};
}

std::unique_ptr<Engine> makeEngine(const QString& name) {
    const QString n = name.trimmed().toLower();
    if (n == QLatin1String("mssql"))
        return std::make_unique<MssqlEngine>();
    if (n.isEmpty() || n == QLatin1String("sqlite"))
        return std::make_unique<SqliteEngine>();
    return nullptr;
}

} // namespace tk
