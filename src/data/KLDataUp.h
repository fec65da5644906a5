#pragma once

#include "toolkit/core/SqlDialect.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class TDmKL;

// The data version of the Kalendo database, the one upgrade step the program knows (0 -> 1: every table
// and the default parameter row) and the creation of an empty database.

constexpr int kAktualniVerzeDat = 1;

// What the main window does around the upgrade and the creation; any of them may be empty.
struct DataUpHooks {
    // Shows the notice: LbZprava "Probíhá UpGrade databáze" on aqua, GBZobraz hidden, LbZprava shown.
    std::function<void()> ukazUpgrade;
    // Hides LbZprava again.
    std::function<void()> skryjUpgrade;
    // Ends the program after the database has been created.
    std::function<void()> ukonciProgram;
};

struct TabulkaKL {
    QString nazev;
    std::vector<tk::ColumnDef> sloupce;
};

// The tables of data version 1 in their creation order: ParamP, Objekt, Svatek, Pracov, Pacienti,
// BlokRes, Reserve.
std::vector<TabulkaKL> TabulkyVerze1();
// The statements of the step 0 -> 1, each executed alone: ParamP, its default row, then the other tables.
QStringList PrikazyVerze1(const tk::SqlDialect& dialect);
// The statements that create the database and its version table after connecting to master.
QStringList PrikazyInstalace(const QString& slozkaProgramu, const tk::SqlDialect& dialect);
// The creation statement with the data and log files in the subfolder data of the program's folder.
QString VytvoreniDatabaze(const QString& slozkaProgramu);
// The connection string for the creation: the catalogue and the login pieces name master instead of
// Kalendo; the Data Source piece (a server, or SQLite's folder) is kept.
QString RetezecMaster(const QString& retezecKL);

// The data version, read afresh: the first column of VerDatP's first row, 0 for NULL or no row.
int VerzeDat(TDmKL& dm);
// The version check and upgrade, right after SpojeniKL has opened. Sets ok true only when the version is
// the current one at its end; leaves it untouched otherwise.
void UpGradeDat(TDmKL& dm, bool& ok, const DataUpHooks& hooks = {});
// Brings a database of the current version to the rules of this build without losing a row: empty texts
// for the client and name of free slots written as NULL, keys that refuse NULL. Run by UpGradeDat.
void OpravaDat(TDmKL& dm);
// Creates the database on the server SpojeniKL names (menu "Instalace databáze"), then ends the program;
// the tables are created by UpGradeDat at the next start. Errors are passed on.
void InstalaceKL(TDmKL& dm, const DataUpHooks& hooks = {});
