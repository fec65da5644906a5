#pragma once

#include "data/Kurz.h"
#include "data/Vyber.h"

#include "toolkit/core/Connection.h"
#include "toolkit/core/DataSource.h"
#include "toolkit/core/Dataset.h"
#include "toolkit/core/Field.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QVariant>
#include <array>
#include <functional>
#include <memory>
#include <optional>

// Station identifier written into lock rows; read from the settings file when the own database connects.
extern QString IdPc;

// A workplace as the named look-up finds it.
// The starts of the slots of `Interval` minutes that fit whole between Od and Do.
QList<tk::TDateTime> ZacatkyIntervalu(tk::TDateTime Od, tk::TDateTime Do, int Interval);

struct Pracoviste {
    QString kod;
    QString nazev;
    int interval = 0;
    QString kpr; // the permanent worker
    bool gpp = false, gin = false, so = false, ne = false, sv = false;
};

// The data module: both connections, the command objects and every dataset of the program with its
// fields, for the whole run. Windows keep no data of their own; they read and write through these.
// It never touches a window: the record rules work for the selection handed to them (NastavVyber) and
// report what changed by signals, which the main window turns into its layout.
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

    // Connections and commands, owned here; declared first so that they outlive the datasets.
private:
    std::unique_ptr<tk::Connection> spojeniKN_, spojeniKL_;
    std::unique_ptr<tk::Command> prikazKN_, prikazKL_;

public:
    tk::Connection* const SpojeniKN; // the sibling database Kinemo, read only
    tk::Command* const PrikazKN;
    tk::Connection* const SpojeniKL; // the program's own database Kalendo
    tk::Command* const PrikazKL;

    // Scratch queries of the schema upgrade and the tools; windows use the named look-ups below instead.
    // QPomKN moves to SpojeniKN together with the client and worker datasets.
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
    // The day query of a weekday (0 = Monday) opened on a workplace's rows of one day without its marker
    // rows, by start time (DmKLKalendar.cpp).
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

    // --- The selection the record rules work for ---

    // The main window hands its selection over on every refresh; the rules read the workplace, the day,
    // the client and worker filters and the permanent worker from it. A rule that runs before any
    // selection was handed over fails with an error rather than skip its checks.
    void NastavVyber(const Vyber& vyber);
    // The main window instead names where its live selection is read, at each rule that needs it.
    void NastavZdrojVyberu(std::function<Vyber()> zdroj);
    bool maVyber() const { return vyber_.has_value() || bool(zdrojVyberu_); }
    const Vyber& aktualniVyber() const;

    // The reservation list of a selection (QReserve), built in the universal button's mode `rezim`.
    void SestavSeznam(const Vyber& vyber, int rezim, tk::TDateTime now);

    // Founding a new working day of the selection's workplace-day: the marker rows of the day and of the
    // pause and the free slots, in one transaction. Refused with a message and the silent abort when the
    // selection is not writable or its list is not empty.
    void ZalozNovyDen();
    void GenerujIntervaly(tk::TDateTime Od, tk::TDateTime Do, int Interval);
    // The day's kind for a workplace (none: the parameters' days): 0 a working day, +1 a Saturday and
    // +2 a Sunday the workplace does not work, +10 a holiday it does not work.
    int NepracovniDen(const QDate& den, const std::optional<Pracoviste>& pracoviste) const;

    // --- A course of treatments from a booked row ---

    // The course the current row of the list gives; none when the row is no booking or is being written.
    std::optional<Kurz> KurzRadku() const;
    // What booking each day would take, read now; nothing is written.
    QList<TerminKurzu> NahledKurzu(const Kurz& kurz, const QList<QDate>& dny) const;
    // Books each day that can be booked, one after another, each whole or not at all, under the rules of
    // a booking by hand (the day's lock, the free window, the overlap check). A database failure stops the
    // course there; the days before it stay booked. Returns what became of each day.
    QList<TerminKurzu> ObjednejKurz(const Kurz& kurz, const QList<QDate>& dny);
    // True while a day is being founded: the lock, the refusals and the overlap check stand aside.
    bool GenerovaniDne = false;

    // --- Named look-ups: each runs its own short query with bound values and moves no shared cursor ---

    std::optional<QString> SvatekDne(const QDate& den) const; // the holiday's name
    bool SvatkyRoku(int rok) const;                           // any holiday in the year
    std::optional<Pracoviste> NajdiPracoviste(const QString& kod) const;
    // The worker's name as the windows show it: title, surname and given name (no title: surname and
    // given name), cut to 30 characters. Looked up where the worker dataset lives (own database or Kinemo).
    std::optional<QString> JmenoPracovnika(const QString& kod) const;
    // The client's name as a reservation stores it: surname, given name and title, cut to 30. A text of
    // 1 to 8 characters is an identifier when clients are kept in the own database (digits only, anything
    // else names nobody); otherwise, and always with clients from Kinemo, a birth number.
    std::optional<QString> JmenoKlienta(const QString& text) const;

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

    // Code lists (DmKLCiselniky.cpp). The list orders of the list windows: 0 by code, 1 by name; each
    // closes the dataset, sets its query and opens it again.
    void SeradObjekty(int Poradi);
    void SeradPacienty(int Poradi);
    void SeradPracovniky(int Poradi);
    // True when clients and workers are taken from the Kinemo database (read only here).
    bool KlientiZKinema() const;
    // Inserts and posts the Czech public holidays of a year into the open holidays dataset.
    void GenerujSvatky(int Rok);
    // Replaces every holiday of a year by the generated ones, all or nothing; the holidays dataset is
    // open on its last row afterwards, also after a failure (which goes on to the caller).
    void ImportujSvatky(int Rok);

    // The free window of the row being written: the earliest start and the latest end.
    tk::TDateTime KonecPredchozi = 0;
    tk::TDateTime ZacatekNasledujici = 0;
    // The IDRes of the row posted last.
    int PosledniIDRes = 0;

Q_SIGNALS:
    // A row is about to be written (edit layout) or browsing is back (browse layout).
    void zacalaUprava();
    void skoncilaUprava();
    // This station took, or released, the lock of the selection's workplace-day.
    void denZamcen();
    void denOdemcen();
    // A row was posted and the list re-read with it current.
    void radekUlozen(int idRes);
    // The control of this field of QReserve should take the focus.
    void fokusPole(const QString& pole);
    // The parameters' working hours were refused.
    void pracovniDobaOdmitnuta();

private:
    TerminKurzu posoudTermin(const Kurz& kurz, const QDate& den, const Pracoviste& pracoviste) const;
    void objednejDen(const Kurz& kurz, const QDate& den, const Pracoviste& pracoviste, bool zalozit);
    void zrusZalozenyDen(const QString& objekt, const QDate& den);

    mutable std::optional<Vyber> vyber_;
    std::function<Vyber()> zdrojVyberu_;

    void VlozZnacku(tk::TDateTime cas, const QString& kod, const QString& text);
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

// The one data module of the running program: owned by the program entry (created first, freed last),
// which sets this pointer; windows that are not handed the module reach it here.
extern TDmKL* DmKL;

// The birth date read from a birth number: invalid (no value) when the number yields no date text at
// all, the zero date when the text is not a valid date, the date otherwise.
QVariant DatumNarozeniZRC(const QString& rc);
