#include "FoSvatek.h"

#include "Ciselniky.h"
#include "FoNapovedaP.h"

#include "OknoCiselniku.h"

#include "data/DmKL.h"
#include "toolkit/core/Dialogs.h"
#include "toolkit/core/Errors.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

TFoSvatek::TFoSvatek(TCiselniky& ciselniky, QWidget* parent)
    : QWidget(parent, Qt::Window), ciselniky_(ciselniky) {
    pripravOkno(this, "FoSvatek", QStringLiteral("Svátky"));

    FoGrid = new tk::DBGrid(this);
    FoGrid->setObjectName(QStringLiteral("FoGrid"));
    FoGrid->setDataSource(DmKL->DSSvatek);
    FoGrid->setColumns({sloupec(QStringLiteral("Datum")), sloupec(QStringLiteral("Nazev"))});
    FoGrid->setMode(tk::DBGrid::Mode::Edit);
    DBNavigator = new tk::DBNavigator(this);
    DBNavigator->setObjectName(QStringLiteral("DBNavigator"));
    DBNavigator->setDataSource(DmKL->DSSvatek);
    DBNavigator->setHints({QStringLiteral("První věta"), QStringLiteral("Předchozí věta"),
                           QStringLiteral("Následující věta"), QStringLiteral("Poslední věta"),
                           QStringLiteral("Přidat větu"), QStringLiteral("Smazat větu"),
                           QStringLiteral("Opravit údaje"), QStringLiteral("Potvrdit změny"),
                           QStringLiteral("Zrušit změny"), QStringLiteral("Refresh na síti")});
    DBNavigator->setFixedWidth(300);
    BbImport = new QPushButton(QStringLiteral("Import"), this);
    BbImport->setObjectName(QStringLiteral("BbImport"));
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    StatusBar->addWidget(new QLabel(QStringLiteral(" F1"), StatusBar));
    StatusBar->addWidget(new QLabel(QStringLiteral(" Nápověda"), StatusBar), 1);

    auto* dole = new QHBoxLayout;
    dole->addWidget(DBNavigator);
    dole->addStretch(1);
    dole->addWidget(BbImport);
    auto* sloupec = new QVBoxLayout(this);
    sloupec->setContentsMargins(4, 4, 4, 0);
    sloupec->addWidget(FoGrid, 1);
    sloupec->addLayout(dole);
    sloupec->addWidget(StatusBar);

    connect(BbImport, &QPushButton::clicked, this, [this] { tk::guard([this] { BbImportClick(); }); });
    qApp->installEventFilter(this);
    resize(520, 420);
    FormCreate();
}

TFoSvatek::~TFoSvatek() {
    qApp->removeEventFilter(this);
}

void TFoSvatek::FormCreate() {
    // The latest holiday first.
    if (DmKL->QSvatek->isActive())
        DmKL->QSvatek->last();
}

bool TFoSvatek::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        tk::guard([this] { FormActivate(); });
    return QWidget::event(event);
}

void TFoSvatek::FormActivate() {
    RokImportu = ciselniky_.vybraneDatum().year();
    BbImport->setToolTip(QStringLiteral("Import svátků ČR pro rok ") + QString::number(RokImportu) +
                         QStringLiteral(" (rok dle vybraného data)"));
}

void TFoSvatek::BbImportClick() {
    const QString rok = QString::number(RokImportu);
    const bool ano =
        tk::dialogs().question(QStringLiteral("Všechny již pořízené svátky v roce ") + rok +
                                   QStringLiteral("\r\nbudou vymazány a vygenerovány znovu.\r\n"
                                                  "Případné vlastní volné dny pak doplňte ručně."),
                               true, QStringLiteral("Kalendo - Generování svátků ČR pro rok ") + rok);
    if (!ano) {
        tk::dialogs().message(QStringLiteral("Soubor svátků zůstal nezměn."));
        return;
    }
    if (RokImportu > 2099) {
        tk::dialogs().message(QStringLiteral("Tak daleko dopředu to už neumím."));
        return;
    }
    if (RokImportu < 2000) {
        tk::dialogs().message(QStringLiteral("Jóóó to byla jiná doba."));
        return;
    }
    DmKL->ImportujSvatky(RokImportu);
}

bool TFoSvatek::FormKeyDown(QKeyEvent* event) {
    if (event->key() != Qt::Key_F1)
        return false;
    OtevriNapovedu(10, 10);
    return true;
}

bool TFoSvatek::FoGridKeyDown(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    dalsiSloupec(FoGrid);
    return true;
}

bool TFoSvatek::FoGridKeyPress(QKeyEvent* event) {
    if (FoGrid->selectedField() != DmKL->QSvatekDatum)
        return false;
    const QString text = event->text();
    if (text.isEmpty() || event->key() == Qt::Key_Backspace)
        return false;
    if (text == QStringLiteral(",")) {
        if (QLineEdit* e = FoGrid->cellEditor())
            e->insert(QStringLiteral("."));
        return true;
    }
    const QChar c = text.at(0);
    return !(c == QLatin1Char(' ') || (c >= QLatin1Char('.') && c <= QLatin1Char(':')));
}

bool TFoSvatek::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != this)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    bool consumed = false;
    tk::guard([&] {
        consumed = FormKeyDown(key);
        if (consumed)
            return;
        if (widget == FoGrid)
            consumed = FoGridKeyDown(key);
        else if (FoGrid->isAncestorOf(widget) && key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            consumed = FoGridKeyPress(key);
    });
    return consumed;
}

void TFoSvatek::closeEvent(QCloseEvent* event) {
    tk::guard([this] { FormClose(); });
    event->accept();
}

void TFoSvatek::FormClose() {
    tk::Dataset* d = DmKL->QSvatek;
    if (d->isEditing())
        d->cancel();
    d->close();
    d->open();
}
