#pragma once

#include "data/DmKL.h"
#include "toolkit/core/IniFile.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace kltest {

// A temporary installation: a program folder with a six-character name ("Kalend/") whose parent holds
// Kinemo.INI, and the SQLite database files in its subfolder data; the report project lies beside the
// program.
class ProgramFolder {
public:
    ProgramFolder();
    bool isValid() const { return dir_.isValid(); }
    QString root() const;           // holds Kinemo.INI
    QString slozkaProgramu() const; // ".../Kalend/"
    QString dataFolder() const;     // ".../Kalend/data"
    QString iniPath() const;
    // Writes Kinemo.INI (UTF-8); without a call there is no settings file.
    void writeIni(const QString& text);
    tk::IniFile ini() const { return tk::IniFile(iniPath()); }

    // Creates Kalendo.sqlite as the menu command does (version 0); with version 1 it is upgraded too.
    // Other versions are written into VerDatP of the created database.
    void createKalendo(int version = 1);
    // Creates a small Kinemo.sqlite with the tables Pacienti and Pracov and two rows each.
    void createKinemo();

private:
    QTemporaryDir dir_;
};

// The small Kinemo.sqlite of ProgramFolder::createKinemo, in a given folder of database files.
void createKinemoIn(const QString& dataFolder);

// A data module connected to the folder's Kalendo database (which must exist at version 1) with the
// datasets opened as the start sequence opens them. The dialogs of the connection are cleared.
std::unique_ptr<TDmKL> openKalendo(const ProgramFolder& folder);

// Forgets the boxes the recording dialogs have shown so far (when they are installed).
void clearDialogs();

// Executes one statement on the module's own connection.
void execKL(TDmKL& dm, const QString& statement);
// The first column of the first row of a query on the own connection (through QPom).
QVariant scalarKL(TDmKL& dm, const QString& query);

} // namespace kltest
