#include "SqliteBackup.h"

#include "Errors.h"

#include <QAtomicInt>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <filesystem>
#include <sqlite3.h>

namespace tk::sqlite {

namespace {

// Pages copied per step: small enough for the window to repaint often, large enough not to crawl.
constexpr int kPagesPerStep = 64;
// After this many restarts caused by other stations' writes, the rest is copied in one step under one
// read lock, so that a busy database is still backed up.
constexpr int kMaxRestarts = 3;
// How long a locked database is waited for, as long as the connections wait for each other.
constexpr int kBusyMilliseconds = 10000;

QString errorOf(sqlite3* db, int rc) {
    QString text = QString::fromUtf8(sqlite3_errstr(rc));
    if (db) {
        const QString detail = QString::fromUtf8(sqlite3_errmsg(db));
        if (!detail.isEmpty() && detail != text)
            text += QStringLiteral(": ") + detail;
    }
    return text;
}

// A raw connection to a file, closed however the work ends.
class Handle {
public:
    Handle(const QString& file, bool readOnly) {
        const int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
        const int rc = sqlite3_open_v2(QFile::encodeName(file).constData(), &db_, flags, nullptr);
        if (rc != SQLITE_OK) {
            const QString text = errorOf(db_, rc) + QStringLiteral(" (") + file + QLatin1Char(')');
            sqlite3_close(db_);
            db_ = nullptr;
            throw DatabaseError(text);
        }
        sqlite3_busy_timeout(db_, kBusyMilliseconds);
    }
    ~Handle() { close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    void close() {
        if (db_)
            sqlite3_close(db_);
        db_ = nullptr;
    }
    sqlite3* get() const { return db_; }

private:
    sqlite3* db_ = nullptr;
};

// Copies the whole database `from` into `to` in steps. A write of another connection to the source makes
// the copy start again; it never mixes pages from before and after a write.
void copy(sqlite3* from, sqlite3* to, const Progress& progress) {
    sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
    if (!backup)
        throw DatabaseError(errorOf(to, sqlite3_errcode(to)));
    int restarts = 0;
    int lastRemaining = -1;
    QElapsedTimer busy;
    int rc = SQLITE_OK;
    for (;;) {
        rc = sqlite3_backup_step(backup, restarts >= kMaxRestarts ? -1 : kPagesPerStep);
        const int remaining = sqlite3_backup_remaining(backup);
        if (lastRemaining >= 0 && remaining > lastRemaining)
            ++restarts;
        lastRemaining = remaining;
        if (rc == SQLITE_DONE)
            break;
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
            if (!busy.isValid())
                busy.start();
            else if (busy.elapsed() > kBusyMilliseconds)
                break;
            sqlite3_sleep(20);
        } else if (rc == SQLITE_OK) {
            busy.invalidate();
        } else {
            break;
        }
        if (progress)
            progress();
    }
    const int finished = sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE)
        throw DatabaseError(errorOf(to, rc));
    if (finished != SQLITE_OK)
        throw DatabaseError(errorOf(to, finished));
}

void copyFile(const QString& from, const QString& to, const Progress& progress) {
    Handle source(from, true);
    Handle target(to, false);
    copy(source.get(), target.get(), progress);
}

// Opens the file through Qt's driver, read only, for the checks.
void inspect(const QString& file, const std::function<void(QSqlDatabase&)>& check) {
    static QAtomicInt counter;
    const QString name = QStringLiteral("tk:inspect:%1").arg(counter.fetchAndAddRelaxed(1));
    QString failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=10000"));
        db.setDatabaseName(file);
        try {
            if (!db.open())
                throw DatabaseError(db.lastError().text());
            {
                QSqlQuery q(db);
                if (!q.exec(QStringLiteral("pragma integrity_check")))
                    throw DatabaseError(q.lastError().text());
                if (!q.next() || q.value(0).toString() != QLatin1String("ok"))
                    throw DatabaseError(QStringLiteral("Soubor %1 je poškozen.").arg(file));
            }
            if (check)
                check(db);
        } catch (const DatabaseError& e) {
            failure =
                e.message().isEmpty() ? QStringLiteral("Soubor %1 není databáze.").arg(file) : e.message();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (!failure.isNull())
        throw DatabaseError(failure);
}

void replaceFile(const QString& from, const QString& to) {
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(QFile::encodeName(from).toStdString()),
                            std::filesystem::path(QFile::encodeName(to).toStdString()), error);
    if (error)
        throw DatabaseError(QStringLiteral("Soubor %1 nelze zapsat: %2")
                                .arg(to, QString::fromLocal8Bit(error.message().c_str())));
}

} // namespace

sqlite3* nativeHandle(const QSqlDatabase& db) {
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        throw DatabaseError(QStringLiteral("Spojení nemá databázi SQLite."));
    auto* h = *static_cast<sqlite3* const*>(handle.constData());
    if (!h)
        throw DatabaseError(QStringLiteral("Spojení k databázi není otevřeno."));
    return h;
}

void backupToFile(sqlite3* source, const QString& file, const Progress& progress) {
    // An older backup in the file stays whole until the new one is complete.
    const QString part = file + QStringLiteral(".part");
    QFile::remove(part);
    try {
        Handle target(part, false);
        copy(source, target.get(), progress);
        target.close();
        replaceFile(part, file);
    } catch (...) {
        QFile::remove(part);
        throw;
    }
}

void restoreFile(const QString& target, const RestoreRequest& request) {
    if (QFileInfo::exists(target) &&
        QFileInfo(request.file).canonicalFilePath() == QFileInfo(target).canonicalFilePath())
        throw DatabaseError(QStringLiteral("Zvolený soubor je sama obnovovaná databáze."));
    inspect(request.file, request.check);

    const bool existed = QFileInfo::exists(target);
    // A database restored onto a station that has none yet may lack its folder too.
    if (!existed && !QDir().mkpath(QFileInfo(target).absolutePath()))
        throw DatabaseError(
            QStringLiteral("Složku %1 nelze vytvořit.").arg(QFileInfo(target).absolutePath()));
    const QString kept = target + QStringLiteral(".pred-obnovou");
    if (existed) {
        QFile::remove(kept);
        try {
            copyFile(target, kept, request.progress);
        } catch (const DatabaseError&) {
            // A database too damaged to be read page by page is kept as the file it is.
            QFile::remove(kept);
            if (!QFile::copy(target, kept))
                throw DatabaseError(QStringLiteral("Databázi %1 nelze uschovat.").arg(target));
        }
    }
    // The backup is copied into the database in place: a station that still has the file open sees the
    // restored content instead of writing on into a replaced file, and the copy is one transaction.
    try {
        copyFile(request.file, target, request.progress);
        inspect(target, request.check);
    } catch (...) {
        if (!existed) {
            QFile::remove(target);
            throw;
        }
        try {
            copyFile(kept, target, request.progress);
        } catch (...) {
            throw DatabaseError(QStringLiteral("Obnovená databáze nejde otevřít a původní nelze vrátit; "
                                               "zůstala uschována v souboru %1.")
                                    .arg(kept));
        }
        QFile::remove(kept);
        throw;
    }
    QFile::remove(kept);
}

void vacuum(QSqlDatabase& db, const Progress& progress) {
    sqlite3* h = nativeHandle(db);
    if (progress) {
        sqlite3_progress_handler(
            h, 20000,
            [](void* context) {
                (*static_cast<const Progress*>(context))();
                return 0;
            },
            const_cast<Progress*>(&progress));
    }
    QSqlQuery q(db);
    const bool ok = q.exec(QStringLiteral("vacuum"));
    const int code = sqlite3_errcode(h) & 0xff;
    sqlite3_progress_handler(h, 0, nullptr, nullptr);
    if (!ok && code != SQLITE_BUSY && code != SQLITE_LOCKED)
        throw DatabaseError(q.lastError().text());
}

} // namespace tk::sqlite
