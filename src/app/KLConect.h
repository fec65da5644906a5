#pragma once

#include "toolkit/core/IniFile.h"

#include <QString>

class QWidget;
class TDmKL;

// Connecting the data module to the program's own database Kalendo and to the sibling database Kinemo.
// Everything comes from the sibling program's settings file Kinemo.INI, section "Connect"; its key
// Engine chooses the database engine ("sqlite", the default, or "mssql").

// The station identifier IdPc (data/DmKL.h) is read from the settings file when the own database
// connects.

// The engine named by the settings file: "sqlite" when the key or the file is missing.
QString KLEngine(const tk::IniFile& IniSoubor);
// Why the settings file's Engine cannot be used (the file, the key, the value and the known values);
// empty when the engine is known.
QString NeznamyStroj(const tk::IniFile& IniSoubor);
// The folder a relative Data Source is taken from: the program's folder for SQLite's folder of database
// files; empty for SQL Server, whose Data Source names a server.
QString SlozkaRelativnichCest(const QString& engine, const QString& slozkaProgramu);
// The Data Source used when the settings file names none: for SQLite the folder of the database files
// (the subfolder data of the program's folder), for SQL Server a named instance on the local machine.
QString VychoziDataSource(const QString& engine, const QString& slozkaProgramu);
// The connection string of a catalogue, built piece by piece from the settings file. A relative Data
// Source is taken from `slozkaRelativnichCest` when that is given.
QString RetezecPripojeni(const tk::IniFile& IniSoubor, const QString& katalog,
                         const QString& vychoziDataSource, const QString& slozkaRelativnichCest = QString());

// Open SpojeniKN (read only) or SpojeniKL, showing the wait window meanwhile. A failure is reported in a
// message box and adds 1 (Kinemo) or 10 (Kalendo) to ChybyPripojeni; it is not passed on. The wait window
// is placed relative to `hlavniOkno` when given. A connection that is already open stays as it is.
void PripojKN(TDmKL& dm, int& ChybyPripojeni, const tk::IniFile& IniSoubor, QWidget* hlavniOkno = nullptr);
void PripojKL(TDmKL& dm, int& ChybyPripojeni, const tk::IniFile& IniSoubor, QWidget* hlavniOkno = nullptr);
