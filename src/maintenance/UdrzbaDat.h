#pragma once

#include "toolkit/core/DateTime.h"
#include "toolkit/core/Engine.h"
#include "toolkit/core/IniFile.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>

class TDmKL;

// The database side of backup, restore, data reduction and the owner repair: what the maintenance
// commands of the main window do with the data module's connections. No windows here.

// The proposed name of a backup made at `cas`: "Kalendo_YYMMDD_hhmm".
QString NavrhZalohy(tk::TDateTime cas);

// A full backup of the own database into `soubor` (replaced when it exists).
void ZalohujKL(TDmKL& dm, const QString& soubor, const tk::Progress& prubeh);
// Records the day of the last backup in the parameter row; the parameters' check may refuse the post.
void ZapisDatumZalohy(TDmKL& dm, tk::TDateTime dnes);

// Gives SpojeniKL the connection string of the server's master catalogue, built from the settings file
// as the own connection's string is; the connection is left closed.
void PripravSpojeniMaster(TDmKL& dm, const tk::IniFile& IniSoubor);
// What the restore of the own database from `soubor` needs: the files placed into the subfolder Data of
// the program's folder, and the checks of a backup read by the program itself.
tk::RestoreRequest PozadavekObnovy(const QString& slozkaProgramu, const QString& soubor,
                                   const tk::Progress& prubeh);
// Refuses a file that is not a backup of a Kalendo database this program can use: the version table,
// a data version not newer than the program's, and the tables of that version.
void ZkontrolujZalohu(QSqlDatabase& db);
// Restores the own database; SpojeniKL is open on the master catalogue.
void ObnovKL(TDmKL& dm, const QString& slozkaProgramu, const QString& soubor, const tk::Progress& prubeh);

// Deletes every row of Reserve before midnight of `den`, whatever its workplace or kind.
void SmazRezervacePred(TDmKL& dm, const QDate& den);
// Gives back what the delete freed.
void UvolniMisto(TDmKL& dm, const tk::Progress& prubeh);
// Makes the built-in login the owner of the own database.
void OpravVlastnika(TDmKL& dm);
