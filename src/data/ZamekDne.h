#pragma once

#include "toolkit/core/Connection.h"

#include <QDate>
#include <QString>

// The lock row of a workplace-day in BlokRes. Taking it is one statement in a write transaction that
// inserts the row only where none exists for that workplace and day, so that at most one station can hold
// a workplace-day however the stations' checks interleave.
//
// Returns true when this station now holds the lock.
bool ZamkniDenPracoviste(tk::Connection& spojeni, const QString& objekt, const QDate& den,
                         const QString& idPc);
// Deletes this station's own lock row of the workplace-day and no other.
void OdemkniDenPracoviste(tk::Connection& spojeni, const QString& objekt, const QDate& den,
                          const QString& idPc);
