#include "KalendoFixture.h"
#include "PdfText.h"

#include "app/KLConect.h"
#include "data/KLDataUp.h"
#include "tk_TestEnv.h"
#include "toolkit/core/Connection.h"
#include "toolkit/core/Engine.h"
#include "toolkit/core/Errors.h"

#include <QDir>
#include <QFile>

namespace kltest {

void clearDialogs() {
    if (auto* d = dynamic_cast<tktest::TestDialogs*>(&tk::dialogs()))
        d->clear();
}

ProgramFolder::ProgramFolder() {
    QDir(dir_.path()).mkpath(QStringLiteral("Kalend"));
    // The report project lies beside the program, as the build ships it.
    copyReportProject(slozkaProgramu());
}

QString ProgramFolder::root() const {
    return dir_.path() + QLatin1Char('/');
}
QString ProgramFolder::slozkaProgramu() const {
    return root() + QStringLiteral("Kalend/");
}
QString ProgramFolder::dataFolder() const {
    return slozkaProgramu() + QStringLiteral("data");
}
QString ProgramFolder::iniPath() const {
    return root() + QStringLiteral("Kinemo.INI");
}

void ProgramFolder::writeIni(const QString& text) {
    QFile f(iniPath());
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw tk::DatabaseError(QStringLiteral("cannot write ") + iniPath());
    f.write(text.toUtf8());
}

void ProgramFolder::createKalendo(int version) {
    TDmKL dm(slozkaProgramu());
    const tk::IniFile settings = ini();
    const QString engine = KLEngine(settings);
    dm.SpojeniKL->setEngine(tk::makeEngine(engine));
    dm.SpojeniKL->setConnectionString(
        RetezecPripojeni(settings, QStringLiteral("Kalendo"), VychoziDataSource(engine, slozkaProgramu())));
    InstalaceKL(dm);
    clearDialogs();
    if (version == 0)
        return;
    int chyby = 0;
    PripojKL(dm, chyby, settings);
    if (chyby != 0)
        throw tk::DatabaseError(QStringLiteral("the created database does not open"));
    if (version == 1) {
        bool ok = false;
        UpGradeDat(dm, ok);
    } else {
        // A plain int; the quoting function would refuse the negative versions some tests need.
        execKL(dm, QStringLiteral("update VerDatP set VerDatP=") + QString::number(version));
    }
    dm.SpojeniKL->close();
    clearDialogs();
}

void ProgramFolder::createKinemo() {
    createKinemoIn(dataFolder());
}

void createKinemoIn(const QString& dataFolder) {
    tk::Connection c(QStringLiteral("KinemoFixture"));
    c.setEngine(tk::makeEngine(QStringLiteral("sqlite")));
    c.setConnectionString(QStringLiteral("Data Source =") + dataFolder +
                          QStringLiteral(";Initial Catalog=master;"));
    c.open();
    c.execute(QStringLiteral("create database Kinemo"));
    c.execute(QStringLiteral("use Kinemo"));
    auto column = [](const char* name, const char* type, bool key = false, int seed = 0) {
        return tk::ColumnDef{QString::fromLatin1(name), QString::fromLatin1(type), key, seed, QString()};
    };
    // The sibling program keeps more than these; the program relies only on the columns below.
    for (const QString& s : c.dialect().createTable(
             QStringLiteral("Pacienti"),
             {column("IDPacienta", "int", true, 1), column("RC", "varchar(10)"),
              column("Titul", "varchar(6)"), column("Prijmeni", "varchar(20)"),
              column("Jmeno", "varchar(15)"), column("Ulice", "varchar(40)"), column("PSC", "char(5)"),
              column("Misto", "varchar(40)"), column("DatNar", "datetime"), column("KodZP", "char(3)"),
              column("Telefon", "varchar(30)"), column("Mail", "varchar(40)"), column("Poznamka", "text"),
              column("Pojisteni", "varchar(20)")}))
        c.execute(s);
    for (const QString& s : c.dialect().createTable(
             QStringLiteral("Pracov"), {column("Kod", "char(2)", true), column("Titul", "varchar(6)"),
                                        column("Prijmeni", "varchar(20)"), column("Jmeno", "varchar(15)"),
                                        column("Odbornost", "varchar(20)")}))
        c.execute(s);
    c.execute(QStringLiteral("insert into Pacienti (RC,Titul,Prijmeni,Jmeno) values "
                             "('8551011234','Ing.','NOVÁKOVÁ','Jana'),('535228123','','DVOŘÁK','Petr')"));
    c.execute(QStringLiteral("insert into Pracov (Kod,Titul,Prijmeni,Jmeno) values "
                             "('01','MUDr.','Malá','Eva'),('02','','Velký','Adam')"));
    c.close();
}

std::unique_ptr<TDmKL> openKalendo(const ProgramFolder& folder) {
    auto dm = std::make_unique<TDmKL>(folder.slozkaProgramu());
    int chyby = 0;
    PripojKL(*dm, chyby, folder.ini());
    if (chyby != 0)
        throw tk::DatabaseError(QStringLiteral("Kalendo does not open"));
    bool ok = false;
    UpGradeDat(*dm, ok);
    if (!ok)
        throw tk::DatabaseError(QStringLiteral("Kalendo is not at the current version"));
    dm->QVerDatP->open();
    dm->QParamP->open();
    execKL(*dm, QStringLiteral("set datefirst 1"));
    for (tk::Dataset* d : {dm->QPacienti, dm->QPracov, dm->QSvatek, dm->QObjekt, dm->QBlokRes, dm->QReserve})
        d->open();
    clearDialogs();
    return dm;
}

void execKL(TDmKL& dm, const QString& statement) {
    dm.PrikazKL->setCommandText(statement);
    dm.PrikazKL->execute();
}

QVariant scalarKL(TDmKL& dm, const QString& query) {
    tk::Dataset& q = *dm.QPom;
    q.close();
    q.setSql(query);
    q.open();
    const QVariant v = q.isEmpty() ? QVariant() : q.fields().front()->value();
    q.close();
    return v;
}

} // namespace kltest
