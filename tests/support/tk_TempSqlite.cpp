#include "tk_TempSqlite.h"

#include <QSqlQuery>
#include <stdexcept>

namespace tktest {

TempSqlite::TempSqlite(const QString& catalog) : catalog_(catalog) {
    auto master = std::make_unique<tk::Connection>(QStringLiteral("master"));
    master->setEngine(tk::makeEngine(QStringLiteral("sqlite")));
    master->setConnectionString(QStringLiteral("Data Source =%1;Initial Catalog=master;").arg(dir_.path()));
    master->open();
    master->execute(QStringLiteral("create database %1").arg(catalog));
    master->close();
    connection_ = openAnother(QStringLiteral("test"));
}

QString TempSqlite::connectionString() const {
    return QStringLiteral("Data Source =%1;Initial Catalog=%2;").arg(dir_.path(), catalog_);
}

std::unique_ptr<tk::Connection> TempSqlite::openAnother(const QString& name) const {
    auto c = std::make_unique<tk::Connection>(name);
    c->setEngine(tk::makeEngine(QStringLiteral("sqlite")));
    c->setConnectionString(connectionString());
    c->open();
    return c;
}

void TempSqlite::exec(const QString& statement) {
    connection_->execute(statement);
}

QVariant TempSqlite::scalar(const QString& query) const {
    QSqlQuery q(connection_->database());
    if (!q.exec(query) || !q.next())
        return {};
    return q.value(0);
}

} // namespace tktest
