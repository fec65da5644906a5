#include "FoKL.h"
#include "FoKLVzhled.h"

#include "app/KLConect.h"
#include "codelists/FoNapovedaP.h"
#include "data/DmKL.h"
#include "data/KLDataUp.h"
#include "maintenance/Udrzba.h"

#include "toolkit/core/Clock.h"
#include "toolkit/core/Dialogs.h"
#include "toolkit/core/Errors.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QKeyEvent>

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

using namespace fokl;

TFoKL::TFoKL(const QString& programFolder, QWidget* parent) : QMainWindow(parent) {
    initResources();
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
    vytvorObdobi();
    vytvorDetail();
    vytvorSeznam();
    vytvorStatusBar();
    PripojVyber();
    PripojNavigaci();
    PripojTisk();

    // Stacking: the picture lies under the password prompt and the upgrade notice; the list covers the
    // OK button once it is shown.
    ImgUvod->lower();
    LbHeslo->raise();
    EdHeslo->raise();
    BtOK->raise();
    PgCReserve->raise();
    LbZprava->raise();

    setTabOrder(EdHeslo, BtOK);

    // Window keys are seen before the controls see them.
    qApp->installEventFilter(this);

    FormCreate();
}

TFoKL::~TFoKL() {
    qApp->removeEventFilter(this);
    if (FoKL == this)
        FoKL = nullptr;
}

// ----------------------------------------------------------------------------------------------------
// Life of the window

void TFoKL::FormCreate() {
    // The locale: Qt's default locale already is the user's (the program entry makes sure of it).
    move(0, 0);
    resize(kNarrowWidth, 732);
    setWindowTitle(QStringLiteral("Kalendo = Kinemo + Rezervační systém"));
    PgCReserve->resize(PgCReserve->width(), 405);
    PKalendar->resize(PKalendar->width(), 635);
    // The calendar lies outside the narrow window; hidden so that no strip of it shows at the edge.
    PKalendar->hide();

    SlozkaKN = SlozkaProgramu.left(std::max<qsizetype>(0, SlozkaProgramu.size() - 7));
    IniSoubor = std::make_unique<tk::IniFile>(SlozkaKN + QStringLiteral("Kinemo.INI"));

    LbVNazObj->clear();
    LbVJmPac->clear();
    LbVJmPr->clear();

    Navigator->setGeometry(8, Navigator->y(), 180, Navigator->height());
    Navigator->setVisibleButtons({tk::DBNavigator::First, tk::DBNavigator::Prior, tk::DBNavigator::Next,
                                  tk::DBNavigator::Last, tk::DBNavigator::Delete, tk::DBNavigator::Refresh});

    LbZprava->move(450, 200);
    setBackground(LbZvyrazni, GBObdobi->palette().color(QPalette::Window));
    LbBlok->hide();
    NastavDatum(tk::toDate(tk::clock().today()));
    GBDetail->hide();

    LbHeslo->setGeometry(265, 183, LbHeslo->sizeHint().width(), 20);
    EdHeslo->setGeometry(265, 205, std::max(135, LbHeslo->sizeHint().width()), 26);
    BtOK->setGeometry(265, 238, 75, 28);
    ImgUvod->setGeometry(3, 98, GBObdobi->width(), 553);

    // Locked: the period box shown but disabled, the rest hidden until the password.
    GBObdobi->setEnabled(false);
    GBZobraz->hide();
    Navigator->hide();
    BbTiskNovy->hide();
    PgCReserve->hide();

    StartNeprobehl = true;
    CilovyCas = 0;
    NepracovniDen = 0;
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
    for (QWidget* w : std::initializer_list<QWidget*>{EdVObj, EdVRCP, EdVKPr, EdDObj, EdDRCP, EdDKPr})
        setTag(w, 0);
}

void TFoKL::spustStart() {
    ChybyPripojeni = 0;
    VybranyKod.clear();
    PripojKL(*DmKL, ChybyPripojeni, *IniSoubor, this);
    if (DmKL->SpojeniKL->isOpen())
        OtevriData(); // a refusal unwinds from here and leaves the start to be tried again
    StartNeprobehl = false;
}

void TFoKL::dorucVybranyKod() {
    if (VybranyKod.isEmpty())
        return;
    const bool editing = DmKL && DmKL->QReserve && DmKL->QReserve->isEditing();
    QLineEdit* selection[] = {EdVObj, EdVRCP, EdVKPr};
    for (QLineEdit* e : selection) {
        if (tagOf(e) == 2) {
            setTag(e, 0);
            const QString code = VybranyKod;
            VybranyKod.clear();
            e->setText(code);
            return;
        }
    }
    tk::DBEdit* detail[] = {EdDObj, EdDRCP, EdDKPr};
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
        setBackground(LbZprava, kAqua);
        GBZobraz->hide();
        LbZprava->show();
        LbZprava->raise();
    };
    hooks.skryjUpgrade = [this] { LbZprava->hide(); };
    UpGradeDat(*DmKL, VerzeOK, hooks);
    if (!VerzeOK) {
        tk::dialogs().message(QStringLiteral("Chybná verze datového souboru.\r\n     Databázi nelze použít!"),
                              tk::MessageIcon::Error);
        DmKL->SpojeniKL->close();
        tk::abort();
    }

    // A start tried again finds them open from the try before.
    DmKL->QVerDatP->close();
    DmKL->QParamP->close();
    DmKL->QVerDatP->open();
    DmKL->QParamP->open();

    if (DmKL->QParamPDbKN->asBoolean()) {
        PripojKN(*DmKL, ChybyPripojeni, *IniSoubor, this);
        if (ChybyPripojeni > 0) {
            tk::dialogs().message(QStringLiteral("Databáze Kinemo není k dispozici."),
                                  tk::MessageIcon::Error);
            tk::abort();
        }
        for (tk::Dataset* d : {DmKL->QPacienti, DmKL->QPracov, DmKL->QPomKN}) {
            d->close();
            d->setConnection(DmKL->SpojeniKN);
        }
        ChBVRCP->setText(QStringLiteral("Klient (RČ)"));
    }

    DmKL->PrikazKL->setCommandText(QStringLiteral("set datefirst 1"));
    DmKL->PrikazKL->execute();

    for (tk::Dataset* d :
         {DmKL->QPacienti, DmKL->QPracov, DmKL->QSvatek, DmKL->QObjekt, DmKL->QBlokRes, DmKL->QReserve}) {
        d->close();
        d->open();
    }
    DmKL->QReserve->last();

    N33Instalace->setEnabled(false);
    N33Instalace->setChecked(true);

    const tk::TDateTime zaloha = DmKL->QParamPZaloha->isNull() ? 0 : DmKL->QParamPZaloha->asDateTime();
    if (!DmKL->QParamPZaloha->isNull() && zaloha > tk::clock().today() - 7)
        N31Zaloha->setChecked(true);
    QString text;
    if (!DmKL->QParamPZaloha->isNull()) {
        // As the system writes a date-time: the time left out at midnight.
        text = tk::dateOf(zaloha) == zaloha ? tk::formatDateTime(QStringLiteral("d.m.yyyy"), zaloha)
                                            : tk::formatDateTime(QStringLiteral("d.m.yyyy h:nn:ss"), zaloha);
    }
    setStatusText(3, QStringLiteral("Poslední záloha provedena   ") + text);

    PosledniIDRes = 0;
    GenerovaniDne = false;
    PotlacitObnovu = false;
}

// ----------------------------------------------------------------------------------------------------
// Keys

bool TFoKL::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && watched == EdVDatum) {
        tk::guard([this] { EdVDatumExit(); });
        return false;
    }
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
        if (!swallowed && (widget == EdVDatum || EdVDatum->isAncestorOf(widget)))
            swallowed = EdVDatumKeyPress(key);
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
        if (DmKL && DmKL->QReserve->isEditing() && !EdVRCP->text().trimmed().isEmpty())
            DmKL->QReserveRCPacienta->setAsString(EdVRCP->text());
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
    if (DmKL && DmKL->QReserve->isEditing()) {
        tk::dialogs().message(QStringLiteral("Ukončete nejprve úpravu rezervace!"), tk::MessageIcon::Warning);
        tk::abort();
    }
    closing_ = true;
    if (DmKL) {
        DmKL->SpojeniKN->close();
        DmKL->SpojeniKL->close();
    }
    // The help window and the code-list windows that exist; each forgets its instance when destroyed.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != this && QByteArray(w->metaObject()->className()).startsWith("TFo"))
            delete w;
    }
    IniSoubor.reset();
    RvKalendo.reset();
    delete DmKL;
    DmKL = nullptr;
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
    if (StartNeprobehl || !VerzeOK || ChybyPripojeni > 0 || !DmKL->QParamP->isActive())
        return;

    if (EdHeslo->text() != DmKL->QParamPHeslo->asString()) {
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
    EdVObj->show();
    EdVRCP->show();
    EdVKPr->show();
    GBDetail->show();
    GBZobraz->show();
    Navigator->show();
    BbTiskNovy->show();
    PgCReserve->show();
    for (QMenu* m : {N1Ciselniky, N2Rezervace, N3Servis})
        m->menuAction()->setEnabled(true);
    unlocked_ = true;

    // The number of rows of the whole table, as the start sequence opened it.
    setWindowTitle(QStringLiteral("Kalendo    (") + QString::number(DmKL->QReserve->recordCount()) +
                   QStringLiteral(" rezervací)"));
    ObnovVyber();
    PKalendar->show();
    resize(kWideWidth, height());
}

// ----------------------------------------------------------------------------------------------------
// Menu

void TFoKL::N2RedukceClick() {
    TUdrzba(*this, *DmKL).N2RedukceClick();
}

void TFoKL::N31ZalohaClick() {
    TUdrzba(*this, *DmKL).ZalohaDat();
}

void TFoKL::N32ObnovaClick() {
    TUdrzba(*this, *DmKL).ObnovaDat();
}

void TFoKL::N3XClick() {
    TUdrzba(*this, *DmKL).N3XClick();
}

void TFoKL::N33InstalaceClick() {
    DataUpHooks hooks;
    hooks.ukonciProgram = [this] {
        if (ukonciProgram)
            ukonciProgram();
        else
            QCoreApplication::quit();
    };
    InstalaceKL(*DmKL, hooks);
}

void TFoKL::N41NapovedaClick() {
    OtevriNapovedu(10, 10);
}

void TFoKL::N4OaplikaciClick() {
    const QString verze = DmKL && DmKL->QVerDatP->isActive() ? DmKL->QVerDatPVerDatP->asString() : QString();
    tk::dialogs().message(QStringLiteral("Kalendo :\r\n"
                                         "Objednávkový systém pro fyzioterapeutická pracoviště\r\n"
                                         "Verze programu : 2.g          Verze dat : ") +
                              verze,
                          tk::MessageIcon::None, QCoreApplication::applicationName());
}
