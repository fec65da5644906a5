#pragma once

#include "toolkit/core/Connection.h"

#include <QTemporaryDir>
#include <QVariant>
#include <memory>

namespace tktest {

// A SQLite catalogue in a temporary folder with an open toolkit connection on it.
class TempSqlite {
public:
    explicit TempSqlite(const QString& catalog = QStringLiteral("T"));
    QString folder() const { return dir_.path(); }
    QString connectionString() const;
    tk::Connection& connection() { return *connection_; }
    // A second, independent connection to the same file (another station).
    std::unique_ptr<tk::Connection> openAnother(const QString& name) const;
    void exec(const QString& statement);
    QVariant scalar(const QString& query) const;

private:
    QTemporaryDir dir_;
    QString catalog_;
    std::unique_ptr<tk::Connection> connection_;
};

} // namespace tktest
