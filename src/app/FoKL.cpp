#include "FoKL.h"

#include "app/KLConect.h"
#include "codelists/FoNapovedaP.h"
#include "data/DmKL.h"
#include "data/KLDataUp.h"
#include "editing/PanelDetailu.h"
#include "maintenance/Udrzba.h"
#include "overview/PKalendar.h"
#include "overview/PanelSeznamu.h"
#include "overview/PanelVyberu.h"
#include "reports/RvSystem.h"

#include "toolkit/core/Clock.h"
#include "toolkit/core/Dialogs.h"
#include "toolkit/core/Errors.h"
#include "toolkit/widgets/Look.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QKeyEvent>
#include <QLocale>
#include <QShortcut>

static void initResources() {
    Q_INIT_RESOURCE(kalendo);
}

TFoKL* FoKL = nullptr;

const QStringList TFoKL::NazvyMesicu = {
    QStringLiteral("leden"),    QStringLiteral("únor"),     QStringLiteral("březen"),
    QStringLiteral("duben"),    QStringLiteral("květen"),   QStringLiteral("červen"),
    QStringLiteral("červenec"), QStringLiteral("srpen"),    QStringLiteral("září"),
    QStringLiteral("říjen"),    QStringLiteral("listopad"), QStringLiteral("prosinec")};

namespace {

bool onlyModifiers(const QKeyEvent* event, Qt::KeyboardModifiers wanted) {
    const Qt::KeyboardModifiers held =
        event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
    return held == wanted;
}

QString withTrailingSeparator(QString folder) {
    folder = QDir::fromNativeSeparators(folder);
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

} // namespace

using namespace tk;

namespace {
constexpr int kNarrowWidth = 685;
constexpr int kWideWidth = 1220;
} // namespace

TFoKL::TFoKL(TDmKL& dm, const QString& programFolder, QWidget* parent) : QMainWindow(parent), dm_(dm) {
    initResources();
    // The interface is Czech whatever the machine's locale: day and month names, numbers. Set before the
    // controls are made, so that they take it.
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    if (!FoKL)
        FoKL = this;
    setObjectName(QStringLiteral("FoKL"));
    // No maximise button.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(tahoma(16));
    SlozkaProgramu = withTrailingSeparator(programFolder.isEmpty() ? QCoreApplication::applicationDirPath()
                                                                   : programFolder);

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    setCentralWidget(central);

    vytvorMenu();
    vytvorZamceni();
    GBObdobi = new TPanelVyberu(dm_, central);
    GBDetail = new TPanelDetailu(dm_, central);
    PSeznam = new TPanelSeznamu(dm_, central);
    PKalendar = new TPKalendar(dm_, central);
    PKalendar->setGeometry(668, 0, 529, 635);
    vytvorStatusBar();
    pripojPanely();
    PripojCiselniky();
    PripojNavigaci();
    PripojTisk();

    // Stacking: the picture lies under the password prompt and the upgrade notice; the list covers the
    // OK button once it is shown.
    ImgUvod->lower();
    LbHeslo->raise();
    EdHeslo->raise();
    BtOK->raise();
    PSeznam->raise();
    LbZprava->raise();

    setTabOrder(EdHeslo, BtOK);

    // Window keys are seen before the controls see them.
    qApp->installEventFilter(this);

    FormCreate();
}

void TFoKL::pripojPanely() {
    GBObdobi->obnovVyber = [this] { ObnovVyber(); };
    PSeznam->obnovVyber = [this] { ObnovVyber(); };
    PSeznam->nepracovniDen = [this] { return GBObdobi->NepracovniDen; };
    PSeznam->poZalozeniDne = [this] {
        // After a step from one of the client's bookings, the list lands on the same time of the new day.
        if (CilovyCas > 0 && !GBObdobi->EdVRCP->text().trimmed().isEmpty())
            PSeznam->NajdiCas(CilovyCas);
    };
    connect(PSeznam->DBGridSeznam, &tk::DBGrid::cellDoubleClicked, this,
            [this] { tk::guard([this] { DBGridSeznamDblClick(); }); });
    connect(PSeznam->BbOpakovat, &QPushButton::clicked, this,
            [this] { tk::guard([this] { BbOpakovatClick(); }); });
    auto* opakovat = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), this);
    connect(opakovat, &QShortcut::activated, this, [this] {
        if (PSeznam->BbOpakovat->isVisible() && PSeznam->BbOpakovat->isEnabled())
            tk::guard([this] { BbOpakovatClick(); });
    });

    // Pickers: the list windows open beside the main window, as pickers, at the field's code.
    const auto picker = [this](const std::function<void(int, int, int, const QString&)>* otevri) {
        return [this, otevri](const QString& kod) {
            if (*otevri)
                (*otevri)(x() + 10, y() + 51, 1, kod);
        };
    };
    GBObdobi->otevriObjekty = picker(&OtevriObjekty);
    GBObdobi->otevriKlienty = picker(&OtevriKlienty);
    GBObdobi->otevriPracovniky = picker(&OtevriPracovniky);
    GBDetail->otevriKlienty = picker(&OtevriKlienty);
    GBDetail->otevriPracovniky = picker(&OtevriPracovniky);
    // The record rules read the selection as the controls hold it when they run.
    dm_.NastavZdrojVyberu([this] { return vyber(); });

    // The record rules report; the panels show it.
    connect(&dm_, &TDmKL::zacalaUprava, this, [this] {
        PSeznam->NavigatorUprava();
        GBDetail->povolKroky(true);
    });
    connect(&dm_, &TDmKL::skoncilaUprava, this, [this] {
        PSeznam->NavigatorProhlizeni();
        GBDetail->povolKroky(false);
    });
    connect(&dm_, &TDmKL::denZamcen, this, [this] {
        GBObdobi->setEnabled(false);
        PSeznam->denZamcen();
    });
    connect(&dm_, &TDmKL::denOdemcen, this, [this] {
        GBObdobi->setEnabled(true);
        PSeznam->denOdemcen();
        GBDetail->zrusVarovani();
    });
    connect(&dm_, &TDmKL::fokusPole, GBDetail, &TPanelDetailu::fokusPole);
    connect(&dm_, &TDmKL::pracovniDobaOdmitnuta, this, [this] {
        LbZprava->hide();
        PSeznam->GBZobraz->show();
    });
}

TFoKL::~TFoKL() {
    dm_.NastavZdrojVyberu({});
    qApp->removeEventFilter(this);
    if (FoKL == this)
        FoKL = nullptr;
}

// ----------------------------------------------------------------------------------------------------
// Life of the window

void TFoKL::FormCreate() {
    // The locale: the window's constructor has made it Czech.
    move(0, 0);
    resize(kNarrowWidth, 732);
    setWindowTitle(QStringLiteral("Kalendo = Kinemo + Rezervační systém"));
    PKalendar->resize(PKalendar->width(), 635);
    // The calendar lies outside the narrow window; hidden so that no strip of it shows at the edge.
    PKalendar->hide();

    SlozkaKN = SlozkaProgramu.left(std::max<qsizetype>(0, SlozkaProgramu.size() - 7));
    IniSoubor = std::make_unique<tk::IniFile>(SlozkaKN + QStringLiteral("Kinemo.INI"));

    GBObdobi->LbVNazObj->clear();
    GBObdobi->LbVJmPac->clear();
    GBObdobi->LbVJmPr->clear();

    PSeznam->NavigatorStart();

    LbZprava->move(450, 200);
    setBackground(GBObdobi->LbZvyrazni, GBObdobi->palette().color(QPalette::Window));
    PSeznam->LbBlok->hide();
    GBObdobi->NastavDatum(tk::toDate(tk::clock().today()));
    GBDetail->hide();

    LbHeslo->setGeometry(265, 183, LbHeslo->sizeHint().width(), 20);
    EdHeslo->setGeometry(265, 205, std::max(135, LbHeslo->sizeHint().width()), 26);
    BtOK->setGeometry(265, 238, 75, 28);
    ImgUvod->setGeometry(3, 98, GBObdobi->width(), 553);

    // Locked: the period box shown but disabled, the rest hidden until the password.
    GBObdobi->setEnabled(false);
    PSeznam->GBZobraz->hide();
    PSeznam->Navigator->hide();
    PSeznam->BbTiskNovy->hide();
    PSeznam->PgCReserve->hide();

    StartNeprobehl = true;
    CilovyCas = 0;
    GBObdobi->NepracovniDen = 0;
}

bool TFoKL::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        // Coming back from one of our own message boxes or from the wait window is not a new activation;
        // otherwise a refused start would be tried again at once, message after message.
        const bool fromModal = returningFromModal_;
        returningFromModal_ = false;
        if (!fromModal && !activating_ && !closing_) {
            tk::guard([this] { FormActivate(); });
            // The wait window took the activation while connecting and left none behind: give it back,
            // as the system does when a window closes.
            if (isVisible() && !QApplication::activeWindow())
                activateWindow();
        }
    } else if (event->type() == QEvent::WindowDeactivate) {
        // The window that takes over is already the active one here.
        QWidget* next = QApplication::activeWindow();
        returningFromModal_ = QApplication::activeModalWidget() != nullptr ||
                              (next && (qobject_cast<QDialog*>(next) || next->inherits("TFoCekat")));
    }
    return QMainWindow::event(event);
}

void TFoKL::FormActivate() {
    activating_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{activating_};

    if (StartNeprobehl)
        spustStart();
    if (ChybyPripojeni > 0 || !VerzeOK)
        Tag = 1;
    if (Tag == 1 && ChybyPripojeni == 10) {
        // The own database could not be opened: only the service and help menus are of use.
        N3Servis->menuAction()->setEnabled(true);
        LbHeslo->hide();
        EdHeslo->hide();
        BtOK->hide();
    }
    dorucVybranyKod();
    for (QWidget* w : std::initializer_list<QWidget*>{GBObdobi->EdVObj, GBObdobi->EdVRCP, GBObdobi->EdVKPr,
                                                      GBDetail->EdDObj, GBDetail->EdDRCP, GBDetail->EdDKPr})
        setTag(w, 0);
}

void TFoKL::spustStart() {
    ChybyPripojeni = 0;
    VybranyKod.clear();
    PripojKL(dm_, ChybyPripojeni, *IniSoubor, this);
    if (dm_.SpojeniKL->isOpen())
        OtevriData(); // a refusal unwinds from here and leaves the start to be tried again
    StartNeprobehl = false;
}

void TFoKL::dorucVybranyKod() {
    if (VybranyKod.isEmpty())
        return;
    const bool editing = dm_.QReserve->isEditing();
    QLineEdit* selection[] = {GBObdobi->EdVObj, GBObdobi->EdVRCP, GBObdobi->EdVKPr};
    for (QLineEdit* e : selection) {
        if (tagOf(e) == 2) {
            setTag(e, 0);
            const QString code = VybranyKod;
            VybranyKod.clear();
            e->setText(code);
            return;
        }
    }
    tk::DBEdit* detail[] = {GBDetail->EdDObj, GBDetail->EdDRCP, GBDetail->EdDKPr};
    for (tk::DBEdit* e : detail) {
        if (tagOf(e) == 2 && editing && e->field()) {
            setTag(e, 0);
            const QString code = VybranyKod;
            VybranyKod.clear();
            e->field()->setAsString(code);
            return;
        }
    }
}

void TFoKL::OtevriData() {
    VerzeOK = false;
    DataUpHooks hooks;
    hooks.ukazUpgrade = [this] {
        LbZprava->setText(QStringLiteral("Probíhá UpGrade databáze"));
        LbZprava->adjustSize();
        // Moved left as far as a wider face needs, so that the narrow window shows the whole notice.
        LbZprava->move(std::min(450, centralWidget()->width() - LbZprava->width() - 4), 200);
        setBackground(LbZprava, kAqua);
        PSeznam->GBZobraz->hide();
        LbZprava->show();
        LbZprava->raise();
    };
    hooks.skryjUpgrade = [this] { LbZprava->hide(); };
    UpGradeDat(dm_, VerzeOK, hooks);
    if (!VerzeOK) {
        tk::dialogs().message(QStringLiteral("Chybná verze datového souboru.\r\n     Databázi nelze použít!"),
                              tk::MessageIcon::Error);
        dm_.SpojeniKL->close();
        tk::abort();
    }

    // A start tried again finds them open from the try before.
    dm_.QVerDatP->close();
    dm_.QParamP->close();
    dm_.QVerDatP->open();
    dm_.QParamP->open();

    if (dm_.QParamPDbKN->asBoolean()) {
        PripojKN(dm_, ChybyPripojeni, *IniSoubor, this);
        if (ChybyPripojeni > 0) {
            tk::dialogs().message(QStringLiteral("Databáze Kinemo není k dispozici."),
                                  tk::MessageIcon::Error);
            tk::abort();
        }
        for (tk::Dataset* d : {dm_.QPacienti, dm_.QPracov, dm_.QPomKN}) {
            d->close();
            d->setConnection(dm_.SpojeniKN);
        }
        GBObdobi->ChBVRCP->setText(QStringLiteral("Klient (RČ)"));
    }

    dm_.PrikazKL->setCommandText(QStringLiteral("set datefirst 1"));
    dm_.PrikazKL->execute();

    for (tk::Dataset* d :
         {dm_.QPacienti, dm_.QPracov, dm_.QSvatek, dm_.QObjekt, dm_.QBlokRes, dm_.QReserve}) {
        d->close();
        d->open();
    }
    dm_.QReserve->last();

    N33Instalace->setEnabled(false);
    N33Instalace->setChecked(true);

    const tk::TDateTime zaloha = dm_.QParamPZaloha->isNull() ? 0 : dm_.QParamPZaloha->asDateTime();
    if (!dm_.QParamPZaloha->isNull() && zaloha > tk::clock().today() - 7)
        N31Zaloha->setChecked(true);
    QString text;
    if (!dm_.QParamPZaloha->isNull()) {
        // As the system writes a date-time: the time left out at midnight.
        text = tk::dateOf(zaloha) == zaloha ? tk::formatDateTime(QStringLiteral("d.m.yyyy"), zaloha)
                                            : tk::formatDateTime(QStringLiteral("d.m.yyyy h:nn:ss"), zaloha);
    }
    setStatusText(3, QStringLiteral("Poslední záloha provedena   ") + text);

    dm_.PosledniIDRes = 0;
    dm_.GenerovaniDne = false;
    PotlacitObnovu = false;
}

// ----------------------------------------------------------------------------------------------------
// Keys

bool TFoKL::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return QMainWindow::eventFilter(watched, event);
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != this)
        return false;
    // A key that a control leaves alone travels on to its parents and passes here again; every window
    // key does the same thing twice over, and Enter is swallowed at the first control.
    auto* key = static_cast<QKeyEvent*>(event);
    bool swallowed = false;
    tk::guard([&] {
        FormKeyDown(key);
        swallowed = FormKeyPress(widget, key);
        if (!swallowed && widget == EdHeslo)
            swallowed = EdHesloKeyPress(key);
    });
    return swallowed;
}

void TFoKL::FormKeyDown(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_F1:
        OtevriNapovedu(10, 10);
        break;
    case Qt::Key_F9:
        if (onlyModifiers(event, Qt::ControlModifier))
            N32Obnova->setEnabled(true);
        break;
    case Qt::Key_F8:
        if (onlyModifiers(event, Qt::ControlModifier | Qt::ShiftModifier))
            N3X->setVisible(true);
        break;
    case Qt::Key_Insert:
        GBDetail->KopirujKlienta();
        break;
    default:
        break;
    }
}

bool TFoKL::FormKeyPress(QWidget* receiver, QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    // Enter acts as Tab everywhere; on a focused push button it presses the button, as the system's
    // buttons take Enter before the window sees it.
    if (auto* button = qobject_cast<QPushButton*>(receiver); button && button->isEnabled()) {
        button->click();
        return true;
    }
    focusNextPrevChild(true);
    return true;
}

bool TFoKL::EdHesloKeyPress(QKeyEvent* event) {
    // A password cannot contain blanks.
    return event->text() == QStringLiteral(" ");
}

void TFoKL::closeEvent(QCloseEvent* event) {
    if (!tk::guard([this] { FormClose(); })) {
        event->ignore();
        return;
    }
    event->accept();
}

void TFoKL::FormClose() {
    if (dm_.QReserve->isEditing()) {
        tk::dialogs().message(QStringLiteral("Ukončete nejprve úpravu rezervace!"), tk::MessageIcon::Warning);
        tk::abort();
    }
    closing_ = true;
    dm_.SpojeniKN->close();
    dm_.SpojeniKL->close();
    // The help window, and the code-list windows that this window owns as their parent; each forgets its
    // instance when destroyed. The data module is freed by its owner, the program entry.
    delete FoNapovedaP;
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w->isWindow())
            delete w;
    }
    IniSoubor.reset();
    RvKalendo.reset();
    if (ukonciProgram)
        ukonciProgram();
    else
        QCoreApplication::quit();
}

// ----------------------------------------------------------------------------------------------------
// Password

void TFoKL::BtOKClick() {
    // After a refused start the datasets are closed: giving the password tries the start again first,
    // and the window stays locked as long as the start does not get through.
    if (StartNeprobehl)
        FormActivate();
    if (StartNeprobehl || !VerzeOK || ChybyPripojeni > 0 || !dm_.QParamP->isActive())
        return;

    if (EdHeslo->text() != dm_.QParamPHeslo->asString()) {
        setTextColor(LbHeslo, QColor(255, 0, 0));
        EdHeslo->setFocus();
        return;
    }
    odemkni();
}

void TFoKL::odemkni() {
    LbHeslo->hide();
    EdHeslo->hide();
    ImgUvod->hide();
    BtOK->hide(); // covered by the list from now on; hidden so that neither its face nor Tab reaches it
    GBObdobi->setEnabled(true);
    GBObdobi->EdVObj->show();
    GBObdobi->EdVRCP->show();
    GBObdobi->EdVKPr->show();
    GBDetail->show();
    PSeznam->GBZobraz->show();
    PSeznam->Navigator->show();
    PSeznam->BbTiskNovy->show();
    PSeznam->PgCReserve->show();
    for (QMenu* m : {N1Ciselniky, N2Rezervace, N3Servis})
        m->menuAction()->setEnabled(true);
    unlocked_ = true;

    // The number of rows of the whole table, as the start sequence opened it.
    setWindowTitle(QStringLiteral("Kalendo    (") + QString::number(dm_.QReserve->recordCount()) +
                   QStringLiteral(" rezervací)"));
    ObnovVyber();
    PKalendar->show();
    resize(kWideWidth, height());
}

// ----------------------------------------------------------------------------------------------------
// Menu

void TFoKL::N2RedukceClick() {
    TUdrzba(*this, dm_).N2RedukceClick();
}

void TFoKL::N31ZalohaClick() {
    TUdrzba(*this, dm_).ZalohaDat();
}

void TFoKL::N32ObnovaClick() {
    TUdrzba(*this, dm_).ObnovaDat();
}

void TFoKL::N3XClick() {
    TUdrzba(*this, dm_).N3XClick();
}

void TFoKL::N33InstalaceClick() {
    if (!DmKL->SpojeniKL->engine()) {
        // Nothing can be created while the settings file names an engine the program does not know.
        const QString duvod = NeznamyStroj(*IniSoubor);
        if (!duvod.isEmpty()) {
            tk::dialogs().message(duvod, tk::MessageIcon::Error);
            return;
        }
    }
    DataUpHooks hooks;
    hooks.ukonciProgram = [this] {
        if (ukonciProgram)
            ukonciProgram();
        else
            QCoreApplication::quit();
    };
    InstalaceKL(dm_, hooks);
}

void TFoKL::N41NapovedaClick() {
    OtevriNapovedu(10, 10);
}

void TFoKL::N4OaplikaciClick() {
    const QString verze = dm_.QVerDatP->isActive() ? dm_.QVerDatPVerDatP->asString() : QString();
    tk::dialogs().message(QStringLiteral("Kalendo :\r\n"
                                         "Objednávkový systém pro fyzioterapeutická pracoviště\r\n"
                                         "Verze programu : 2.g          Verze dat : ") +
                              verze,
                          tk::MessageIcon::None, QCoreApplication::applicationName());
}

// ----------------------------------------------------------------------------------------------------
// The selection's refresh

Vyber TFoKL::vyber() const {
    Vyber v = GBObdobi->vyber();
    v.zobrazeni = PSeznam->zobrazeni();
    return v;
}

void TFoKL::ObnovVyber() {
    if (PotlacitObnovu)
        tk::abort();
    SestavSeznam();
    const int rezimSeznamu = PSeznam->rezimTlacitka();
    GBObdobi->ZvyrazniDen();

    const Vyber v = vyber();
    if (v.zapisovatelny())
        PSeznam->NavigatorProhlizeni();
    else
        PSeznam->NavigatorJenCteni();

    const int rezim = urciRezimTlacitka(v, dm_.QReserve->isEmpty());
    PSeznam->NastavRezimTlacitka(rezim);
    // The from-today condition of the list must always match the mode shown.
    if (rezim == RezimTiskK || rezimSeznamu == RezimTiskK)
        SestavSeznam();
}

void TFoKL::SestavSeznam() {
    const Vyber v = vyber();
    DenTydne = v.datum.dayOfWeek();
    PSeznam->SestavSeznam(v);
    setStatusText(2, QStringLiteral("Počet vybraných položek     ") +
                         QString::number(dm_.QReserve->recordCount()));
    SestavKalendar();
}

void TFoKL::SestavKalendar() {
    PKalendar->SestavKalendar(GBObdobi->EdVDatum->date(), DenTydne, GBObdobi->EdVObj->text(),
                              GBObdobi->LbVNazObj->text());
}

void TFoKL::NastavRezervaci() {
    GBObdobi->RBVDen->setChecked(true);
    GBObdobi->ChBVObj->setChecked(true);
    GBObdobi->ChBVRCP->setChecked(false);
    GBObdobi->ChBVKPr->setChecked(false);
    PSeznam->RBZVse->setChecked(true);
}

void TFoKL::DBGridSeznamDblClick() {
    tk::Dataset& q = *dm_.QReserve;
    if (q.isEmpty() || q.recNo() == 0)
        return;
    const QString objekt = dm_.QReserveObjekt->asString();
    const QDate den = tk::toDate(dm_.QReserveVDen->asDateTime());
    {
        // The workplace's name and permanent worker follow its code; the refresh waits for the whole
        // selection.
        struct Potlaceni {
            bool& flag;
            ~Potlaceni() { flag = false; }
        } potlaceni{PotlacitObnovu};
        PotlacitObnovu = true;
        dm_.PosledniIDRes = dm_.QReserveIDRes->asInteger();
        GBObdobi->EdVObj->setText(objekt);
        GBObdobi->NastavDatum(den);
    }
    GBObdobi->ChBVRCP->setChecked(false);
    GBObdobi->ChBVKPr->setChecked(false);
    GBObdobi->ChBVObj->setChecked(true);
    GBObdobi->RBVDen->setChecked(true);
    PSeznam->RBZVse->setChecked(true);
    ObnovVyber();
    q.locate(QStringLiteral("IDRes"), dm_.PosledniIDRes);
    for (tk::Dataset* d : dm_.dnyTydne())
        if (d->isActive())
            d->locate(QStringLiteral("IDRes"), dm_.PosledniIDRes);
}
