#pragma once

#include "Engine.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

namespace tk {

// A value bound to a "?" of a statement, with the type that says how it travels to the engine.
struct Bound {
    QVariant value;
    FieldType type = FieldType::String;
};

// One connection to one database of an engine. The connection string is set before opening; opening
// failures and statement failures throw DatabaseError with the engine's text.
class Connection {
public:
    explicit Connection(const QString& name);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    QString name() const { return name_; }
    void setEngine(std::shared_ptr<Engine> engine);
    Engine* engine() const { return engine_.get(); }
    const SqlDialect& dialect() const;

    void setConnectionString(const QString& text) { connectionString_ = text; }
    QString connectionString() const { return connectionString_; }
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool readOnly() const { return readOnly_; }

    void open();
    void close();
    bool isOpen() const;

    int execute(const QString& statement); // the number of rows changed, -1 when unknown
    // A short query whose values are bound to its "?" in order, so that no value can alter the statement.
    // Returns at most `limit` rows (0: all), each value read back as `columns` gives its type (a column
    // without a type comes as the driver gives it). Throws DatabaseError.
    QList<QVariantList> select(const QString& statement, const QList<Bound>& binds,
                               const QList<FieldType>& columns, int limit = 0);
    // Runs body in one transaction: committed when it returns, rolled back when it throws (the exception
    // goes on). A call from inside the body is refused with DatabaseError and changes nothing.
    void inTransaction(const std::function<void()>& body);
    bool isInTransaction() const { return inTransaction_; }

    // Whole-database maintenance through the engine (see Engine).
    void backupDatabase(const QString& catalog, const QString& file, const Progress& progress = {});
    void restoreDatabase(const RestoreRequest& request);
    void reclaimSpace(const QString& catalog, const Progress& progress = {});

    QSqlDatabase database() const;

private:
    QString name_;
    QString dbName_;
    std::shared_ptr<Engine> engine_;
    QString connectionString_;
    bool readOnly_ = false;
    bool open_ = false;
    bool inTransaction_ = false;
};

// A command object: one statement text, executed on its connection.
class Command {
public:
    explicit Command(Connection* connection = nullptr) : connection_(connection) {}
    void setConnection(Connection* connection) { connection_ = connection; }
    Connection* connection() const { return connection_; }
    void setCommandText(const QString& text) { text_ = text; }
    QString commandText() const { return text_; }
    int execute(); // the number of rows changed, -1 when unknown

private:
    Connection* connection_;
    QString text_;
};

} // namespace tk
