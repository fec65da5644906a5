#include "DmKL.h"

#include "Kontroly.h"
#include "toolkit/core/DateTime.h"
#include "toolkit/core/Dialogs.h"
#include "toolkit/core/Errors.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>

using tk::FieldType;

TDmKL* DmKL = nullptr;
QString IdPc = QStringLiteral("??");

namespace {

QString programFolder() {
    QString dir = QCoreApplication::applicationDirPath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

// Writes back the zero-filled code when the handler's condition holds; the write runs the change
// handler once more, which then finds nothing to do.
void padCode(tk::Field& field, int width) {
    const QString value = field.asString();
    if (value != DoplnNulami(value, width))
        field.setAsString(DoplnNulami(value, width));
}

} // namespace

QVariant DatumNarozeniZRC(const QString& rc) {
    auto at = [&rc](int position) { return position <= rc.size() ? rc.at(position - 1) : QChar(); };
    auto tens = [](QChar c) -> QString {
        switch (c.unicode()) {
        case '0':
        case '5':
            return QStringLiteral("0");
        case '1':
        case '6':
            return QStringLiteral("1");
        case '2':
        case '7':
            return QStringLiteral("2");
        case '3':
        case '8':
            return QStringLiteral("3");
        default:
            return QString();
        }
    };

    QString dayPart;
    const QString dayTens = tens(at(5));
    if (!dayTens.isEmpty())
        dayPart = dayTens + (at(6).isNull() ? QString() : QString(at(6)));

    // Months 51-62 are the women's form of the birth number.
    QString monthPart;
    const QChar m = at(3);
    if (m == QLatin1Char('0') || m == QLatin1Char('5'))
        monthPart = QStringLiteral("0");
    else if (m == QLatin1Char('1') || m == QLatin1Char('6'))
        monthPart = QStringLiteral("1");
    if (!monthPart.isEmpty())
        monthPart += at(4).isNull() ? QString() : QString(at(4));

    QString yearPart;
    const int length = rc.trimmed().size();
    const QString century = rc.left(2);
    if (length == 9) {
        yearPart = QStringLiteral("19") + century;
    } else if (length == 10) {
        bool numeric = false;
        const int yy = century.toInt(&numeric);
        yearPart = (numeric && yy >= 54 ? QStringLiteral("19") : QStringLiteral("20")) + century;
    }

    if (dayPart.isEmpty() && monthPart.isEmpty() && yearPart.isEmpty())
        return QVariant();

    auto number = [](const QString& text, int digits, int& out) {
        if (text.size() != digits)
            return false;
        for (QChar c : text)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
        out = text.toInt();
        return true;
    };
    int day = 0, month = 0, year = 0;
    if (number(dayPart, 2, day) && number(monthPart, 2, month) && number(yearPart, 4, year)) {
        const QDate date(year, month, day);
        if (date.isValid())
            return QVariant(tk::fromDate(date));
    }
    return QVariant(tk::TDateTime(0));
}

TDmKL::TDmKL(const QString& slozkaProgramu, QObject* parent)
    : QObject(parent), SlozkaProgramu(slozkaProgramu.isEmpty() ? programFolder() : slozkaProgramu),
      spojeniKN_(std::make_unique<tk::Connection>(QStringLiteral("SpojeniKN"))),
      spojeniKL_(std::make_unique<tk::Connection>(QStringLiteral("SpojeniKL"))),
      prikazKN_(std::make_unique<tk::Command>(spojeniKN_.get())),
      prikazKL_(std::make_unique<tk::Command>(spojeniKL_.get())), SpojeniKN(spojeniKN_.get()),
      PrikazKN(prikazKN_.get()), SpojeniKL(spojeniKL_.get()), PrikazKL(prikazKL_.get()) {
    setObjectName(QStringLiteral("DmKL"));

    QPom = new tk::Dataset(QStringLiteral("QPom"), this);
    QPom->setConnection(SpojeniKL);
    QPomKN = new tk::Dataset(QStringLiteral("QPomKN"), this);
    QPomKN->setConnection(SpojeniKL);

    QVerDatP = new tk::Dataset(QStringLiteral("QVerDatP"), this);
    QVerDatP->setConnection(SpojeniKL);
    QVerDatP->setSql(QStringLiteral("select * from VerDatP"));
    QVerDatPVerDatP = &QVerDatP->addField(QStringLiteral("VerDatP"), FieldType::Integer);

    vytvorPacienti();
    vytvorPracov();
    vytvorParamP();
    vytvorObjekt();
    vytvorSvatek();
    vytvorReserve();
    vytvorBlokRes();
    vytvorDen(QStringLiteral("Po"), QPo, DSPo, QPoIDRes, QPoDatumCas, QPoJmenoPac, QPoVVolno);
    vytvorDen(QStringLiteral("Ut"), QUt, DSUt, QUtIDRes, QUtDatumCas, QUtJmenoPac, QUtVVolno);
    vytvorDen(QStringLiteral("St"), QSt, DSSt, QStIDRes, QStDatumCas, QStJmenoPac, QStVVolno);
    vytvorDen(QStringLiteral("Ct"), QCt, DSCt, QCtIDRes, QCtDatumCas, QCtJmenoPac, QCtVVolno);
    vytvorDen(QStringLiteral("Pa"), QPa, DSPa, QPaIDRes, QPaDatumCas, QPaJmenoPac, QPaVVolno);
    vytvorDen(QStringLiteral("So"), QSo, DSSo, QSoIDRes, QSoDatumCas, QSoJmenoPac, QSoVVolno);
    vytvorDen(QStringLiteral("Ne"), QNe, DSNe, QNeIDRes, QNeDatumCas, QNeJmenoPac, QNeVVolno);
    QPo->calcFields = [this](tk::Dataset& d) { QPoCalcFields(d); };
    QUt->calcFields = [this](tk::Dataset& d) { QUtCalcFields(d); };
    QSt->calcFields = [this](tk::Dataset& d) { QStCalcFields(d); };
    QCt->calcFields = [this](tk::Dataset& d) { QCtCalcFields(d); };
    QPa->calcFields = [this](tk::Dataset& d) { QPaCalcFields(d); };
    QSo->calcFields = [this](tk::Dataset& d) { QSoCalcFields(d); };
    QNe->calcFields = [this](tk::Dataset& d) { QNeCalcFields(d); };

    DataModuleCreate();
}

TDmKL::~TDmKL() {
    // The datasets go before the connections they use.
    const auto sources = findChildren<tk::DataSource*>(Qt::FindDirectChildrenOnly);
    qDeleteAll(sources);
    const auto datasets = findChildren<tk::Dataset*>(Qt::FindDirectChildrenOnly);
    for (tk::Dataset* d : datasets)
        d->close();
    qDeleteAll(datasets);
    SpojeniKL->close();
    SpojeniKN->close();
    if (DmKL == this)
        DmKL = nullptr;
}

void TDmKL::DataModuleCreate() {
    // No connection string survives from an earlier run; connecting builds them from the settings file.
    SpojeniKN->close();
    SpojeniKN->setConnectionString(QString());
    SpojeniKL->close();
    SpojeniKL->setConnectionString(QString());
    RvKalendoProjectFile = SlozkaProgramu + QStringLiteral("Kalendo.rav");
}

void TDmKL::vytvorPacienti() {
    QPacienti = new tk::Dataset(QStringLiteral("QPacienti"), this);
    QPacienti->setConnection(SpojeniKL);
    QPacienti->setSql(QStringLiteral("select * from Pacienti "));
    DSPacienti = new tk::DataSource(QStringLiteral("DSPacienti"), QPacienti, this);
    auto& d = *QPacienti;
    QPacientiIDPacienta = &d.addField(QStringLiteral("IDPacienta"), FieldType::AutoInc);
    QPacientiRC = &d.addField(QStringLiteral("RC"), FieldType::String, 10)
                       .setFixedChar(true)
                       .setDisplayLabel(QStringLiteral("RČ"))
                       .setEditMask(QStringLiteral("9999999999;0; "));
    QPacientiTitul = &d.addField(QStringLiteral("Titul"), FieldType::String, 6);
    QPacientiPrijmeni = &d.addField(QStringLiteral("Prijmeni"), FieldType::String, 20)
                             .setDisplayLabel(QStringLiteral("Příjmení"))
                             .setEditMask(QStringLiteral(">lllllllllllllllllllll;0; "));
    QPacientiJmeno = &d.addField(QStringLiteral("Jmeno"), FieldType::String, 15)
                          .setDisplayLabel(QStringLiteral("Jméno"))
                          .setEditMask(QStringLiteral(">l<llllllllllllll;0; "));
    QPacientiUlice = &d.addField(QStringLiteral("Ulice"), FieldType::String, 40);
    QPacientiPSC = &d.addField(QStringLiteral("PSC"), FieldType::String, 5)
                        .setFixedChar(true)
                        .setDisplayLabel(QStringLiteral("PSČ"))
                        .setEditMask(QStringLiteral("999 99;0; "));
    QPacientiMisto =
        &d.addField(QStringLiteral("Misto"), FieldType::String, 40).setDisplayLabel(QStringLiteral("Místo"));
    QPacientiDatNar = &d.addField(QStringLiteral("DatNar"), FieldType::DateTime)
                           .setDisplayLabel(QStringLiteral("Narozen(a)"))
                           .setDisplayFormat(QStringLiteral("dd.mm.yyyy"));
    QPacientiKodZP = &d.addField(QStringLiteral("KodZP"), FieldType::String, 3)
                          .setFixedChar(true)
                          .setEditMask(QStringLiteral("999;0; "));
    QPacientiTelefon = &d.addField(QStringLiteral("Telefon"), FieldType::String, 30);
    QPacientiMail = &d.addField(QStringLiteral("Mail"), FieldType::String, 40);
    QPacientiPoznamka = &d.addField(QStringLiteral("Poznamka"), FieldType::Memo);
    QPacientiVCeleJmeno = &d.addCalcField(QStringLiteral("VCeleJmeno"), FieldType::String, 25);
    QPacientiVDatNar = &d.addCalcField(QStringLiteral("VDatNar"), FieldType::DateTime);
    d.calcFields = [this](tk::Dataset& ds) { QPacientiCalcFields(ds); };
}

void TDmKL::vytvorPracov() {
    QPracov = new tk::Dataset(QStringLiteral("QPracov"), this);
    QPracov->setConnection(SpojeniKL);
    QPracov->setSql(QStringLiteral("select * from Pracov"));
    QPracov->setKeyFields({QStringLiteral("Kod")});
    DSPracov = new tk::DataSource(QStringLiteral("DSPracov"), QPracov, this);
    auto& d = *QPracov;
    QPracovKod = &d.addField(QStringLiteral("Kod"), FieldType::String, 2)
                      .setFixedChar(true)
                      .setEditMask(QStringLiteral("99;1; "))
                      .setDefaultValue(QStringLiteral("00"));
    QPracovTitul = &d.addField(QStringLiteral("Titul"), FieldType::String, 6);
    QPracovPrijmeni = &d.addField(QStringLiteral("Prijmeni"), FieldType::String, 20);
    QPracovJmeno = &d.addField(QStringLiteral("Jmeno"), FieldType::String, 15);
    QPracovVCeleJmeno = &d.addCalcField(QStringLiteral("VCeleJmeno"), FieldType::String, 25);
    d.calcFields = [this](tk::Dataset& ds) { QPracovCalcFields(ds); };
    QPracovKod->onChange = [this](tk::Field& f) { QPracovKodChange(f); };
}

void TDmKL::vytvorParamP() {
    QParamP = new tk::Dataset(QStringLiteral("QParamP"), this);
    QParamP->setConnection(SpojeniKL);
    QParamP->setSql(QStringLiteral("select * from ParamP"));
    DSParamP = new tk::DataSource(QStringLiteral("DSParamP"), QParamP, this);
    auto& d = *QParamP;
    auto timePart = [&d](const char* name, int maximum) {
        return &d.addField(QString::fromLatin1(name), FieldType::Integer)
                    .setDisplayFormat(QStringLiteral("00"))
                    .setEditFormat(QStringLiteral("00"))
                    .setRange(0, maximum);
    };
    QParamPPrOdH = timePart("PrOdH", 23);
    QParamPPrOdM = timePart("PrOdM", 59);
    QParamPPrDoH = timePart("PrDoH", 23);
    QParamPPrDoM = timePart("PrDoM", 59);
    QParamPPPOdH = timePart("PPOdH", 23);
    QParamPPPOdM = timePart("PPOdM", 59);
    QParamPPPDoH = timePart("PPDoH", 23);
    QParamPPPDoM = timePart("PPDoM", 59);
    QParamPSo = &d.addField(QStringLiteral("So"), FieldType::Boolean).setDisplayValues(QStringLiteral("A;N"));
    QParamPNe = &d.addField(QStringLiteral("Ne"), FieldType::Boolean).setDisplayValues(QStringLiteral("A;N"));
    QParamPSv = &d.addField(QStringLiteral("Sv"), FieldType::Boolean).setDisplayValues(QStringLiteral("A;N"));
    QParamPHeslo = &d.addField(QStringLiteral("Heslo"), FieldType::String, 10);
    QParamPDbKN = &d.addField(QStringLiteral("DbKN"), FieldType::Boolean);
    QParamPZaloha = &d.addField(QStringLiteral("Zaloha"), FieldType::DateTime);
    QParamPVPP = &d.addCalcField(QStringLiteral("VPP"), FieldType::Boolean);
    QParamPVPrOd = &d.addCalcField(QStringLiteral("VPrOd"), FieldType::DateTime);
    QParamPVPrDo = &d.addCalcField(QStringLiteral("VPrDo"), FieldType::DateTime);
    QParamPVPPOd = &d.addCalcField(QStringLiteral("VPPOd"), FieldType::DateTime);
    QParamPVPPDo = &d.addCalcField(QStringLiteral("VPPDo"), FieldType::DateTime);
    d.calcFields = [this](tk::Dataset& ds) { QParamPCalcFields(ds); };
    d.beforePost = [this](tk::Dataset& ds) { QParamPBeforePost(ds); };
    // Before post: the working-hours check belongs to the reservation rules and is wired with them.
}

void TDmKL::vytvorObjekt() {
    QObjekt = new tk::Dataset(QStringLiteral("QObjekt"), this);
    QObjekt->setConnection(SpojeniKL);
    QObjekt->setSql(QStringLiteral("select * from Objekt order by Kod"));
    QObjekt->setKeyFields({QStringLiteral("Kod")});
    DSObjekt = new tk::DataSource(QStringLiteral("DSObjekt"), QObjekt, this);
    auto& d = *QObjekt;
    QObjektKod = &d.addField(QStringLiteral("Kod"), FieldType::String, 5)
                      .setFixedChar(true)
                      .setEditMask(QStringLiteral("99999;0; "));
    QObjektNazev = &d.addField(QStringLiteral("Nazev"), FieldType::String, 50);
    QObjektInterval = &d.addField(QStringLiteral("Interval"), FieldType::Integer);
    QObjektKPr = &d.addField(QStringLiteral("KPr"), FieldType::String, 2)
                      .setFixedChar(true)
                      .setEditMask(QStringLiteral("99;1; "))
                      .setDefaultValue(QStringLiteral("00"));
    auto flag = [&d](const char* name) {
        return &d.addField(QString::fromLatin1(name), FieldType::Boolean)
                    .setDisplayValues(QStringLiteral("A;N"));
    };
    QObjektGpp = flag("Gpp");
    QObjektGin = flag("Gin");
    QObjektSo = flag("So");
    QObjektNe = flag("Ne");
    QObjektSv = flag("Sv");
    QObjektSv->setDisplayWidth(1);
    QObjektKod->onChange = [this](tk::Field& f) { QObjektKodChange(f); };
    QObjektKPr->onChange = [this](tk::Field& f) { QObjektKPrChange(f); };
    d.afterInsert = [this](tk::Dataset& ds) { QObjektAfterInsert(ds); };
    d.beforePost = [this](tk::Dataset& ds) { QObjektBeforePost(ds); };
    d.postError = [this](tk::Dataset& ds, const tk::DatabaseError& e) { return QObjektPostError(ds, e); };
}

void TDmKL::vytvorSvatek() {
    QSvatek = new tk::Dataset(QStringLiteral("QSvatek"), this);
    QSvatek->setConnection(SpojeniKL);
    QSvatek->setSql(QStringLiteral("select * from Svatek order by Datum"));
    QSvatek->setKeyFields({QStringLiteral("Datum")});
    DSSvatek = new tk::DataSource(QStringLiteral("DSSvatek"), QSvatek, this);
    QSvatekDatum = &QSvatek->addField(QStringLiteral("Datum"), FieldType::DateTime)
                        .setDisplayFormat(QStringLiteral("dd.mm.yyyy"))
                        .setDisplayWidth(12);
    QSvatekNazev = &QSvatek->addField(QStringLiteral("Nazev"), FieldType::String, 50)
                        .setDisplayLabel(QStringLiteral("Název svátku"))
                        .setDisplayWidth(72);
    QSvatek->postError = [this](tk::Dataset& ds, const tk::DatabaseError& e) {
        return QSvatekPostError(ds, e);
    };
}

void TDmKL::vytvorReserve() {
    QReserve = new tk::Dataset(QStringLiteral("QReserve"), this);
    QReserve->setConnection(SpojeniKL);
    QReserve->setSql(QStringLiteral("select * from Reserve order by IDRes"));
    DSReserve = new tk::DataSource(QStringLiteral("DSReserve"), QReserve, this);
    auto& d = *QReserve;
    QReserveIDRes = &d.addField(QStringLiteral("IDRes"), FieldType::AutoInc);
    QReserveObjekt = &d.addField(QStringLiteral("Objekt"), FieldType::String, 5)
                          .setFixedChar(true)
                          .setEditMask(QStringLiteral("99999;1; "));
    QReserveDatumCas = &d.addField(QStringLiteral("DatumCas"), FieldType::DateTime)
                            .setDisplayFormat(QStringLiteral("ddd dd.mm.yyyy  hh:nn"));
    QReserveDoba = &d.addField(QStringLiteral("Doba"), FieldType::Integer);
    QReserveRCPacienta = &d.addField(QStringLiteral("RCPacienta"), FieldType::String, 10)
                              .setFixedChar(true)
                              .setEditMask(QStringLiteral("9999999999;0; "));
    QReserveJmenoPac = &d.addField(QStringLiteral("JmenoPac"), FieldType::String, 30);
    QReservePKZadanky = &d.addField(QStringLiteral("PKZadanky"), FieldType::Integer);
    QReserveKodPrac = &d.addField(QStringLiteral("KodPrac"), FieldType::String, 2)
                           .setFixedChar(true)
                           .setEditMask(QStringLiteral("99;1; "));
    QReserveHotovo =
        &d.addField(QStringLiteral("Hotovo"), FieldType::Boolean).setDisplayValues(QStringLiteral("A;N"));
    QReserveVDen = &d.addCalcField(QStringLiteral("VDen"), FieldType::DateTime)
                        .setDisplayFormat(QStringLiteral("ddd dd.mm.yyyy"));
    QReserveVDatCasOd = &d.addCalcField(QStringLiteral("VDatCasOd"), FieldType::DateTime)
                             .setDisplayFormat(QStringLiteral("hh:nn"));
    QReserveVDatCasDo = &d.addCalcField(QStringLiteral("VDatCasDo"), FieldType::DateTime)
                             .setDisplayFormat(QStringLiteral("hh:nn"));
    QReserveVNazObj =
        &d.addLookupField(QStringLiteral("VNazObj"), FieldType::String, 50, QObjekt, QStringLiteral("Objekt"),
                          QStringLiteral("Kod"), QStringLiteral("Nazev"));
    QReserveVJmPr =
        &d.addLookupField(QStringLiteral("VJmPr"), FieldType::String, 40, QPracov, QStringLiteral("KodPrac"),
                          QStringLiteral("Kod"), QStringLiteral("VCeleJmeno"));
    d.calcFields = [this](tk::Dataset& ds) { QReserveCalcFields(ds); };
    QReserveObjekt->onChange = [this](tk::Field& f) { QReserveObjektChange(f); };
    QReserveKodPrac->onChange = [this](tk::Field& f) { QReserveKodPracChange(f); };
    d.beforeEdit = [this](tk::Dataset& ds) { QReserveBeforeEdit(ds); };
    d.afterEdit = [this](tk::Dataset& ds) { QReserveAfterEdit(ds); };
    d.beforeInsert = [this](tk::Dataset& ds) { QReserveBeforeInsert(ds); };
    d.afterInsert = [this](tk::Dataset& ds) { QReserveAfterInsert(ds); };
    d.beforePost = [this](tk::Dataset& ds) { QReserveBeforePost(ds); };
    d.afterPost = [this](tk::Dataset& ds) { QReserveAfterPost(ds); };
    d.afterCancel = [this](tk::Dataset& ds) { QReserveAfterCancel(ds); };
}

void TDmKL::vytvorBlokRes() {
    QBlokRes = new tk::Dataset(QStringLiteral("QBlokRes"), this);
    QBlokRes->setConnection(SpojeniKL);
    QBlokRes->setSql(QStringLiteral("select * from BlokRes order by Objekt,Datum"));
    DSBlokRes = new tk::DataSource(QStringLiteral("DSBlokRes"), QBlokRes, this);
    QBlokResObjekt = &QBlokRes->addField(QStringLiteral("Objekt"), FieldType::String, 5).setFixedChar(true);
    QBlokResDatum = &QBlokRes->addField(QStringLiteral("Datum"), FieldType::DateTime);
    QBlokResIdPC = &QBlokRes->addField(QStringLiteral("IdPC"), FieldType::String, 10);
}

void TDmKL::vytvorDen(const QString& jmeno, tk::Dataset*& dataset, tk::DataSource*& zdroj, tk::Field*& idRes,
                      tk::Field*& datumCas, tk::Field*& jmenoPac, tk::Field*& volno) {
    dataset = new tk::Dataset(QStringLiteral("Q") + jmeno, this);
    dataset->setConnection(SpojeniKL);
    dataset->setSql(QStringLiteral("select * from Reserve"));
    zdroj = new tk::DataSource(QStringLiteral("DS") + jmeno, dataset, this);
    idRes = &dataset->addField(QStringLiteral("IDRes"), FieldType::AutoInc);
    datumCas = &dataset->addField(QStringLiteral("DatumCas"), FieldType::DateTime)
                    .setDisplayFormat(QStringLiteral("hh:nn"));
    jmenoPac = &dataset->addField(QStringLiteral("JmenoPac"), FieldType::String, 30);
    volno = &dataset->addCalcField(QStringLiteral("VVolno"), FieldType::String, 1);
}

// --- derived fields ---

void TDmKL::QPacientiCalcFields(tk::Dataset&) {
    QPacientiVCeleJmeno->setAsString((QPacientiPrijmeni->asString() + QLatin1Char(' ') +
                                      QPacientiJmeno->asString() + QLatin1Char(' ') +
                                      QPacientiTitul->asString())
                                         .left(25));
    QPacientiVDatNar->setValue(DatumNarozeniZRC(QPacientiRC->asString()));
}

void TDmKL::QPracovCalcFields(tk::Dataset&) {
    QPracovVCeleJmeno->setAsString(
        (QPracovPrijmeni->asString() + QLatin1Char(' ') + QPracovJmeno->asString()).left(25));
}

void TDmKL::QParamPCalcFields(tk::Dataset&) {
    QParamPVPP->setAsBoolean(QParamPPPOdH->asInteger() + QParamPPPOdM->asInteger() +
                                 QParamPPPDoH->asInteger() + QParamPPPDoM->asInteger() >
                             0);
    auto timeOfDay = [](tk::Field* hour, tk::Field* minute) {
        return hour->asInteger() / 24.0 + minute->asInteger() / 1440.0;
    };
    QParamPVPrOd->setAsDateTime(timeOfDay(QParamPPrOdH, QParamPPrOdM));
    QParamPVPrDo->setAsDateTime(timeOfDay(QParamPPrDoH, QParamPPrDoM));
    QParamPVPPOd->setAsDateTime(timeOfDay(QParamPPPOdH, QParamPPPOdM));
    QParamPVPPDo->setAsDateTime(timeOfDay(QParamPPPDoH, QParamPPPDoM));
}

void TDmKL::QReserveCalcFields(tk::Dataset&) {
    // A row without a start (a new row before its time is written) has no derived times either.
    if (QReserveDatumCas->isNull()) {
        QReserveVDen->clear();
        QReserveVDatCasOd->clear();
        QReserveVDatCasDo->clear();
        return;
    }
    const tk::TDateTime start = QReserveDatumCas->asDateTime();
    QReserveVDen->setAsDateTime(tk::dateOf(start));
    QReserveVDatCasOd->setAsDateTime(start);
    QReserveVDatCasDo->setAsDateTime(start + QReserveDoba->asInteger() / 1440.0);
}

void TDmKL::dayCalcFields(tk::Dataset&, tk::Field* jmenoPac, tk::Field* volno) {
    volno->setAsString(jmenoPac->asString().trimmed().isEmpty() ? QStringLiteral(" ") : QStringLiteral("O"));
}

void TDmKL::QPoCalcFields(tk::Dataset& d) {
    dayCalcFields(d, QPoJmenoPac, QPoVVolno);
}
void TDmKL::QUtCalcFields(tk::Dataset& d) {
    dayCalcFields(d, QUtJmenoPac, QUtVVolno);
}
void TDmKL::QStCalcFields(tk::Dataset& d) {
    dayCalcFields(d, QStJmenoPac, QStVVolno);
}
void TDmKL::QCtCalcFields(tk::Dataset& d) {
    dayCalcFields(d, QCtJmenoPac, QCtVVolno);
}
void TDmKL::QPaCalcFields(tk::Dataset& d) {
    dayCalcFields(d, QPaJmenoPac, QPaVVolno);
}
void TDmKL::QSoCalcFields(tk::Dataset& d) {
    dayCalcFields(d, QSoJmenoPac, QSoVVolno);
}
void TDmKL::QNeCalcFields(tk::Dataset& d) {
    dayCalcFields(d, QNeJmenoPac, QNeVVolno);
}

// --- code padding ---

void TDmKL::QObjektKodChange(tk::Field& Sender) {
    if (BezMezer(Sender.asString()).size() < 5)
        padCode(Sender, 5);
}

void TDmKL::QObjektKPrChange(tk::Field& Sender) {
    if (Sender.asString().contains(QLatin1Char(' ')))
        padCode(Sender, 2);
}

void TDmKL::QPracovKodChange(tk::Field& Sender) {
    if (Sender.asString().contains(QLatin1Char(' ')))
        padCode(Sender, 2);
}

void TDmKL::QReserveObjektChange(tk::Field& Sender) {
    if (Sender.asString().contains(QLatin1Char(' ')))
        padCode(Sender, 5);
}

void TDmKL::QReserveKodPracChange(tk::Field& Sender) {
    if (Sender.asString().contains(QLatin1Char(' ')))
        padCode(Sender, 2);
}

// --- workplaces and holidays ---

void TDmKL::QObjektAfterInsert(tk::Dataset&) {
    QObjektInterval->setAsInteger(0);
    QObjektKPr->setAsString(QStringLiteral("00"));
    QObjektGin->setAsBoolean(true);
    // The weekend and holiday flags and the pause follow the parameters.
    const bool parametry = QParamP->isActive() && !QParamP->isEmpty();
    QObjektGpp->setAsBoolean(parametry && QParamPVPP->asBoolean());
    QObjektSo->setAsBoolean(parametry && QParamPSo->asBoolean());
    QObjektNe->setAsBoolean(parametry && QParamPNe->asBoolean());
    QObjektSv->setAsBoolean(parametry && QParamPSv->asBoolean());
}

void TDmKL::QObjektBeforePost(tk::Dataset&) {
    const QString kod = BezMezer(QObjektKod->asString());
    if (kod.isEmpty() || kod == QLatin1String("00000")) {
        tk::dialogs().message(QStringLiteral("Kód pracoviště musí být nenulový"));
        tk::abort();
    }
}

tk::PostErrorAction TDmKL::QObjektPostError(tk::Dataset&, const tk::DatabaseError&) {
    tk::dialogs().message(QStringLiteral("Duplicitní kód pracoviště !"));
    return tk::PostErrorAction::Abort;
}

tk::PostErrorAction TDmKL::QSvatekPostError(tk::Dataset&, const tk::DatabaseError&) {
    tk::dialogs().message(QStringLiteral("Duplicitní Datum !"));
    return tk::PostErrorAction::Abort;
}
