#include "Connection.h"

#include "Errors.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <atomic>

namespace tk {

namespace {
std::atomic<int> g_counter{0};
}

Connection::Connection(const QString& name)
    : name_(name), dbName_(QStringLiteral("tk:%1:%2").arg(name).arg(++g_counter)) {}

Connection::~Connection() {
    close();
}

void Connection::setEngine(std::shared_ptr<Engine> engine) {
    close();
    engine_ = std::move(engine);
}

const SqlDialect& Connection::dialect() const {
    if (!engine_)
        throw DatabaseError(QStringLiteral("Spojení %1 nemá databázový stroj.").arg(name_));
    return engine_->dialect();
}

void Connection::open() {
    if (isOpen())
        return;
    if (!engine_)
        throw DatabaseError(QStringLiteral("Spojení %1 nemá databázový stroj.").arg(name_));
    close();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(engine_->driverName(), dbName_);
        if (!db.isValid()) {
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(dbName_);
            throw DatabaseError(QStringLiteral("Ovladač %1 není k dispozici.").arg(engine_->driverName()));
        }
        try {
            engine_->open(db, connectionString_, readOnly_);
        } catch (...) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(dbName_);
            throw;
        }
    }
    open_ = true;
}

void Connection::close() {
    if (QSqlDatabase::contains(dbName_)) {
        {
            QSqlDatabase db = QSqlDatabase::database(dbName_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(dbName_);
    }
    open_ = false;
}

bool Connection::isOpen() const {
    return open_ && QSqlDatabase::contains(dbName_) && QSqlDatabase::database(dbName_, false).isOpen();
}

QSqlDatabase Connection::database() const {
    return QSqlDatabase::database(dbName_, false);
}

int Connection::execute(const QString& statement) {
    if (!isOpen())
        throw DatabaseError(QStringLiteral("Spojení k databázi není otevřeno."));
    QSqlDatabase db = database();
    return engine_->execute(db, statement);
}

QList<QVariantList> Connection::select(const QString& statement, const QList<Bound>& binds,
                                       const QList<FieldType>& columns, int limit) {
    if (!isOpen())
        throw DatabaseError(QStringLiteral("Spojení k databázi není otevřeno."));
    QSqlQuery q(database());
    q.setForwardOnly(true);
    if (!q.prepare(statement))
        throw DatabaseError(q.lastError().text());
    for (const Bound& b : binds)
        q.addBindValue(engine_->toDb(b.value, b.type));
    if (!q.exec())
        throw DatabaseError(q.lastError().text());
    QList<QVariantList> rows;
    while ((limit <= 0 || rows.size() < limit) && q.next()) {
        QVariantList row;
        const int n = q.record().count();
        for (int i = 0; i < n; ++i)
            row << (i < columns.size() ? engine_->fromDb(q.value(i), columns.at(i)) : q.value(i));
        rows << row;
    }
    return rows;
}

void Connection::inTransaction(const std::function<void()>& body) {
    if (!isOpen())
        throw DatabaseError(QStringLiteral("Spojení k databázi není otevřeno."));
    // A transaction inside a transaction is refused rather than silently joined: the inner body would
    // believe its work committed, or rolled back, on its own.
    if (inTransaction_)
        throw DatabaseError(QStringLiteral("Transakce již probíhá."));
    QSqlDatabase db = database();
    engine_->beginWriteTransaction(db);
    inTransaction_ = true;
    try {
        body();
    } catch (...) {
        inTransaction_ = false;
        db.rollback();
        throw;
    }
    inTransaction_ = false;
    if (!db.commit()) {
        const QString text = db.lastError().text();
        db.rollback();
        throw DatabaseError(text);
    }
}

void Connection::backupDatabase(const QString& catalog, const QString& file, const Progress& progress) {
    if (!isOpen())
        throw DatabaseError(QStringLiteral("Spojení k databázi není otevřeno."));
    QSqlDatabase db = database();
    engine_->backupDatabase(db, catalog, file, progress);
}

void Connection::restoreDatabase(const RestoreRequest& request) {
    if (!isOpen())
        throw DatabaseError(QStringLiteral("Spojení k databázi není otevřeno."));
    QSqlDatabase db = database();
    engine_->restoreDatabase(db, request);
}

void Connection::reclaimSpace(const QString& catalog, const Progress& progress) {
    if (!isOpen())
        throw DatabaseError(QStringLiteral("Spojení k databázi není otevřeno."));
    QSqlDatabase db = database();
    engine_->reclaimSpace(db, catalog, progress);
}

int Command::execute() {
    if (!connection_)
        throw DatabaseError(QStringLiteral("Příkaz nemá spojení."));
    return connection_->execute(text_);
}

} // namespace tk
