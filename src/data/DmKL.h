#pragma once

#include "toolkit/core/Connection.h"
#include "toolkit/core/Dataset.h"
#include "toolkit/core/Field.h"
#include "toolkit/widgets/DataSource.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QVariant>
#include <array>

// The data module: both connections, the command objects and every dataset of the program with its
// fields, for the whole run. Windows keep no data of their own; they read and write through these.
//
// The connections get their engine and connection string when the program connects (KLConect.h); until
// then they are closed and empty.
class TDmKL : public QObject {
    Q_OBJECT
public:
    // `slozkaProgramu`: the program's folder with a trailing separator; empty means the folder of the
    // running executable.
    explicit TDmKL(const QString& slozkaProgramu = QString(), QObject* parent = nullptr);
    ~TDmKL() override;

    void DataModuleCreate();

    QString SlozkaProgramu;
    // The report project file: the program's folder + "Kalendo.rav".
    QString RvKalendoProjectFile;

    // Connections and commands.
    tk::Connection* SpojeniKN = nullptr; // the sibling database Kinemo, read only
    tk::Command* PrikazKN = nullptr;
    tk::Connection* SpojeniKL = nullptr; // the program's own database Kalendo
    tk::Command* PrikazKL = nullptr;

    // Scratch queries for single look-ups; their SQL is set at each use and their fields come from the
    // result. QPomKN moves to SpojeniKN together with the client and worker datasets.
    tk::Dataset* QPom = nullptr;
    tk::Dataset* QPomKN = nullptr;

    tk::Dataset* QVerDatP = nullptr;
    tk::Field* QVerDatPVerDatP = nullptr;

    tk::Dataset* QPacienti = nullptr;
    tk::DataSource* DSPacienti = nullptr;
    tk::Field* QPacientiIDPacienta = nullptr;
    tk::Field* QPacientiRC = nullptr;
    tk::Field* QPacientiTitul = nullptr;
    tk::Field* QPacientiPrijmeni = nullptr;
    tk::Field* QPacientiJmeno = nullptr;
    tk::Field* QPacientiUlice = nullptr;
    tk::Field* QPacientiPSC = nullptr;
    tk::Field* QPacientiMisto = nullptr;
    tk::Field* QPacientiDatNar = nullptr;
    tk::Field* QPacientiKodZP = nullptr;
    tk::Field* QPacientiTelefon = nullptr;
    tk::Field* QPacientiMail = nullptr;
    tk::Field* QPacientiPoznamka = nullptr;
    tk::Field* QPacientiVCeleJmeno = nullptr;
    tk::Field* QPacientiVDatNar = nullptr;

    tk::Dataset* QPracov = nullptr;
    tk::DataSource* DSPracov = nullptr;
    tk::Field* QPracovKod = nullptr;
    tk::Field* QPracovTitul = nullptr;
    tk::Field* QPracovPrijmeni = nullptr;
    tk::Field* QPracovJmeno = nullptr;
    tk::Field* QPracovVCeleJmeno = nullptr;

    tk::Dataset* QParamP = nullptr;
    tk::DataSource* DSParamP = nullptr;
    tk::Field* QParamPPrOdH = nullptr;
    tk::Field* QParamPPrOdM = nullptr;
    tk::Field* QParamPPrDoH = nullptr;
    tk::Field* QParamPPrDoM = nullptr;
    tk::Field* QParamPPPOdH = nullptr;
    tk::Field* QParamPPPOdM = nullptr;
    tk::Field* QParamPPPDoH = nullptr;
    tk::Field* QParamPPPDoM = nullptr;
    tk::Field* QParamPSo = nullptr;
    tk::Field* QParamPNe = nullptr;
    tk::Field* QParamPSv = nullptr;
    tk::Field* QParamPHeslo = nullptr;
    tk::Field* QParamPDbKN = nullptr;
    tk::Field* QParamPZaloha = nullptr;
    tk::Field* QParamPVPP = nullptr;
    tk::Field* QParamPVPrOd = nullptr;
    tk::Field* QParamPVPrDo = nullptr;
    tk::Field* QParamPVPPOd = nullptr;
    tk::Field* QParamPVPPDo = nullptr;

    tk::Dataset* QObjekt = nullptr;
    tk::DataSource* DSObjekt = nullptr;
    tk::Field* QObjektKod = nullptr;
    tk::Field* QObjektNazev = nullptr;
    tk::Field* QObjektInterval = nullptr;
    tk::Field* QObjektKPr = nullptr;
    tk::Field* QObjektGpp = nullptr;
    tk::Field* QObjektGin = nullptr;
    tk::Field* QObjektSo = nullptr;
    tk::Field* QObjektNe = nullptr;
    tk::Field* QObjektSv = nullptr;

    tk::Dataset* QSvatek = nullptr;
    tk::DataSource* DSSvatek = nullptr;
    tk::Field* QSvatekDatum = nullptr;
    tk::Field* QSvatekNazev = nullptr;

    tk::Dataset* QReserve = nullptr;
    tk::DataSource* DSReserve = nullptr;
    tk::Field* QReserveIDRes = nullptr;
    tk::Field* QReserveObjekt = nullptr;
    tk::Field* QReserveDatumCas = nullptr;
    tk::Field* QReserveDoba = nullptr;
    tk::Field* QReserveRCPacienta = nullptr;
    tk::Field* QReserveJmenoPac = nullptr;
    tk::Field* QReservePKZadanky = nullptr;
    tk::Field* QReserveKodPrac = nullptr;
    tk::Field* QReserveHotovo = nullptr;
    tk::Field* QReserveVDen = nullptr;
    tk::Field* QReserveVDatCasOd = nullptr;
    tk::Field* QReserveVDatCasDo = nullptr;
    tk::Field* QReserveVNazObj = nullptr;
    tk::Field* QReserveVJmPr = nullptr;

    tk::Dataset* QBlokRes = nullptr;
    tk::DataSource* DSBlokRes = nullptr;
    tk::Field* QBlokResObjekt = nullptr;
    tk::Field* QBlokResDatum = nullptr;
    tk::Field* QBlokResIdPC = nullptr;

    // The day queries of the week calendar, Monday to Sunday.
    tk::Dataset *QPo = nullptr, *QUt = nullptr, *QSt = nullptr, *QCt = nullptr, *QPa = nullptr,
                *QSo = nullptr, *QNe = nullptr;
    tk::DataSource *DSPo = nullptr, *DSUt = nullptr, *DSSt = nullptr, *DSCt = nullptr, *DSPa = nullptr,
                   *DSSo = nullptr, *DSNe = nullptr;
    tk::Field *QPoIDRes = nullptr, *QPoDatumCas = nullptr, *QPoJmenoPac = nullptr, *QPoVVolno = nullptr;
    tk::Field *QUtIDRes = nullptr, *QUtDatumCas = nullptr, *QUtJmenoPac = nullptr, *QUtVVolno = nullptr;
    tk::Field *QStIDRes = nullptr, *QStDatumCas = nullptr, *QStJmenoPac = nullptr, *QStVVolno = nullptr;
    tk::Field *QCtIDRes = nullptr, *QCtDatumCas = nullptr, *QCtJmenoPac = nullptr, *QCtVVolno = nullptr;
    tk::Field *QPaIDRes = nullptr, *QPaDatumCas = nullptr, *QPaJmenoPac = nullptr, *QPaVVolno = nullptr;
    tk::Field *QSoIDRes = nullptr, *QSoDatumCas = nullptr, *QSoJmenoPac = nullptr, *QSoVVolno = nullptr;
    tk::Field *QNeIDRes = nullptr, *QNeDatumCas = nullptr, *QNeJmenoPac = nullptr, *QNeVVolno = nullptr;

    // The day queries and their data sources by weekday, 0 = Monday ... 6 = Sunday.
    std::array<tk::Dataset*, 7> dnyTydne() const { return {QPo, QUt, QSt, QCt, QPa, QSo, QNe}; }
    std::array<tk::DataSource*, 7> zdrojeDnu() const { return {DSPo, DSUt, DSSt, DSCt, DSPa, DSSo, DSNe}; }

    // The week calendar (DmKLKalendar.cpp): whether a day is a holiday, and the day query of a weekday
    // (0 = Monday) opened on a workplace's rows of one day without its marker rows, by start time.
    bool JeSvatekKalendare(const QDate& den);
    void OtevriDenKalendare(int den, const QString& objekt, const QDate& datum);

    // Derived fields.
    void QPacientiCalcFields(tk::Dataset& DataSet);
    void QPracovCalcFields(tk::Dataset& DataSet);
    void QParamPCalcFields(tk::Dataset& DataSet);
    void QReserveCalcFields(tk::Dataset& DataSet);
    void QPoCalcFields(tk::Dataset& DataSet);
    void QUtCalcFields(tk::Dataset& DataSet);
    void QStCalcFields(tk::Dataset& DataSet);
    void QCtCalcFields(tk::Dataset& DataSet);
    void QPaCalcFields(tk::Dataset& DataSet);
    void QSoCalcFields(tk::Dataset& DataSet);
    void QNeCalcFields(tk::Dataset& DataSet);

    // Code padding on change.
    void QObjektKodChange(tk::Field& Sender);
    void QObjektKPrChange(tk::Field& Sender);
    void QPracovKodChange(tk::Field& Sender);
    void QReserveObjektChange(tk::Field& Sender);
    void QReserveKodPracChange(tk::Field& Sender);

    // Workplaces and holidays.
    void QObjektAfterInsert(tk::Dataset& DataSet);
    void QObjektBeforePost(tk::Dataset& DataSet);
    tk::PostErrorAction QObjektPostError(tk::Dataset& DataSet, const tk::DatabaseError& E);
    tk::PostErrorAction QSvatekPostError(tk::Dataset& DataSet, const tk::DatabaseError& E);

    // Record rules of reservations and the workplace-day lock.
    void QReserveBeforeEdit(tk::Dataset& DataSet);
    void QReserveAfterEdit(tk::Dataset& DataSet);
    void QReserveBeforeInsert(tk::Dataset& DataSet);
    void QReserveAfterInsert(tk::Dataset& DataSet);
    void QReserveBeforePost(tk::Dataset& DataSet);
    void QReserveAfterPost(tk::Dataset& DataSet);
    void QReserveAfterCancel(tk::Dataset& DataSet);
    void QParamPBeforePost(tk::Dataset& DataSet);
    void RezimUpravy();
    void RezimProhlizeni();
    void ZamkniDen();
    void OdemkniDen();

    // The free window of the row being written: the earliest start and the latest end.
    tk::TDateTime KonecPredchozi = 0;
    tk::TDateTime ZacatekNasledujici = 0;

private:
    // The workplace-day whose lock row this station holds, if any.
    bool zamekDrzen_ = false;
    QString zamekObjekt_;
    QDate zamekDen_;

    void vytvorPacienti();
    void vytvorPracov();
    void vytvorParamP();
    void vytvorObjekt();
    void vytvorSvatek();
    void vytvorReserve();
    void vytvorBlokRes();
    void vytvorDen(const QString& jmeno, tk::Dataset*& dataset, tk::DataSource*& zdroj, tk::Field*& idRes,
                   tk::Field*& datumCas, tk::Field*& jmenoPac, tk::Field*& volno);
    void dayCalcFields(tk::Dataset& DataSet, tk::Field* jmenoPac, tk::Field* volno);
};

// The one data module of the running program (created first, freed last).
extern TDmKL* DmKL;

// The birth date read from a birth number: invalid (no value) when the number yields no date text at
// all, the zero date when the text is not a valid date, the date otherwise.
QVariant DatumNarozeniZRC(const QString& rc);
