#pragma once

#include "Engine.h"

#include <QSqlDatabase>
#include <QString>

struct sqlite3;

// Whole-database work on SQLite files, done by the program itself: copies through SQLite's online backup,
// so that a copy is consistent even while other connections write, and restores that never leave the
// database half replaced.
namespace tk::sqlite {

// The driver's own handle of an open Qt SQLite connection.
sqlite3* nativeHandle(const QSqlDatabase& db);

// A consistent copy of the open database into `file`, which is replaced only once the copy is complete.
void backupToFile(sqlite3* source, const QString& file, const Progress& progress);

// Replaces the database file `target` by the backup `request.file`: the backup is checked first
// (integrity, then request.check); the old content is kept aside until the new one is in place and
// passes the same checks, and is put back when it does not.
void restoreFile(const QString& target, const RestoreRequest& request);

// Gives the pages freed by deletes back to the file system. A database that other stations keep busy
// stays as large as it is: the space is given back at the next chance.
void vacuum(QSqlDatabase& db, const Progress& progress);

} // namespace tk::sqlite
