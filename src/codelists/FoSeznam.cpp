#include "FoSeznam.h"

#include "Ciselniky.h"
#include "FoNapovedaP.h"
#include "OknoCiselniku.h"

#include "toolkit/core/Errors.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

TFoSeznam::TFoSeznam(TCiselniky& ciselniky, SeznamPopis popis, QWidget* parent)
    : QWidget(parent, Qt::Window), ciselniky_(ciselniky), popis_(std::move(popis)) {
    pripravOkno(this, popis_.jmeno, popis_.titulek);

    LbHledat = new QLabel(QStringLiteral("Hledat"), this);
    LbHledat->setObjectName(QStringLiteral("LbHledat"));
    EdHledat = new QLineEdit(this);
    EdHledat->setObjectName(QStringLiteral("EdHledat"));
    LbCo = new QLabel(this);
    LbCo->setObjectName(QStringLiteral("LbCo"));
    LbCo->setMinimumWidth(80);
    FoGrid = new tk::DBGrid(this);
    FoGrid->setObjectName(QStringLiteral("FoGrid"));
    FoGrid->setDataSource(popis_.zdroj);
    Navigator = new tk::DBNavigator(this);
    Navigator->setObjectName(QStringLiteral("Navigator"));
    Navigator->setDataSource(popis_.zdroj);
    Navigator->setHints(popis_.napovedy);

    auto* hledat = new QHBoxLayout;
    hledat->addWidget(LbHledat);
    hledat->addWidget(EdHledat, 1);
    hledat->addWidget(LbCo);
    auto* dole = new QHBoxLayout;
    dole->addWidget(Navigator);
    dole->addStretch(1);
    auto* sloupec = new QVBoxLayout(this);
    sloupec->setContentsMargins(4, 4, 4, 0);
    sloupec->addLayout(hledat);
    sloupec->addWidget(FoGrid, 1);
    sloupec->addLayout(dole);

    setTabOrder(EdHledat, FoGrid);
    setTabOrder(FoGrid, Navigator);

    connect(EdHledat, &QLineEdit::textChanged, this, [this] { tk::guard([this] { EdHledatChange(); }); });
    connect(FoGrid, &tk::DBGrid::titleClicked, this,
            [this](int column) { tk::guard([this, column] { FoGridTitleClick(column); }); });
    connect(FoGrid, &tk::DBGrid::cellDoubleClicked, this,
            [this] { tk::guard([this] { FoGridDblClick(); }); });
    Navigator->onClick = [this](tk::DBNavigator::Button b) { NavigatorClick(b); };
    // The window sees keys before its controls do.
    qApp->installEventFilter(this);
}

TFoSeznam::~TFoSeznam() {
    qApp->removeEventFilter(this);
}

tk::Dataset* TFoSeznam::dataset() const {
    return popis_.zdroj->dataset();
}

int TFoSeznam::rezimHledani() const {
    return FoGrid->property("Tag").toInt();
}

void TFoSeznam::nastavVychoziHledani() {
    LbCo->setText(popis_.lbVychozi);
    FoGrid->setProperty("Tag", popis_.rezimVychozi);
}

void TFoSeznam::pridejStatusBar(const QStringList& panely) {
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    for (const QString& text : panely) {
        auto* p = new QLabel(text, StatusBar);
        p->setFrameShape(QFrame::Panel);
        p->setFrameShadow(QFrame::Sunken);
        StatusBar->addWidget(p, panely_.isEmpty() ? 0 : 1);
        panely_ << p;
    }
    layout()->addWidget(StatusBar);
}

QLabel* TFoSeznam::panel(int index) const {
    return index >= 0 && index < panely_.size() ? panely_[index] : nullptr;
}

// ----------------------------------------------------------------------------------------------------
// Search box

void TFoSeznam::EdHledatChange() {
    tk::Dataset* d = dataset();
    const QString text = EdHledat->text();
    if (!d->isActive() || (popis_.prazdnyNehledat && text.trimmed().isEmpty()))
        return;
    // An empty text begins every key; it finds only an empty one.
    tk::LocateOptions partial;
    partial.partialKey = !text.isEmpty();
    d->locate(rezimHledani() == 0 ? popis_.hledatKod : popis_.hledatNazev, text, partial);
}

void TFoSeznam::EdHledatEnter() {
    EdHledat->clear();
}

void TFoSeznam::EdHledatExit() {
    EdHledat->clear();
}

bool TFoSeznam::EdHledatKeyPress(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    focusNextChild();
    return true;
}

// ----------------------------------------------------------------------------------------------------
// Grid

void TFoSeznam::FoGridTitleClick(int column) {
    tk::Field* f = FoGrid->columnField(column);
    if (!f)
        return;
    int poradi = -1;
    if (f->fieldName() == popis_.kodPole)
        poradi = 0;
    else if (f->fieldName() == popis_.nazevPole)
        poradi = 1;
    if (poradi < 0)
        return;
    serad(poradi);
    LbCo->setText(poradi == 0 ? popis_.lbKod : popis_.lbNazev);
    FoGrid->setProperty("Tag", poradi);
}

bool TFoSeznam::muzeVybrat() const {
    return Tag == 1 && FoGrid->mode() == tk::DBGrid::Mode::Browse && !EdHledat->hasFocus();
}

void TFoSeznam::vyber(bool dvojklik) {
    if (muzeVybrat()) {
        if (dataset()->isEmpty())
            return;
        ciselniky_.vyber().VybranyKod = kodRadku();
        poVyberu(dvojklik);
        return;
    }
    if (Tag != 1)
        mimoVyber(dvojklik);
}

QString TFoSeznam::kodRadku() const {
    return dataset()->fieldByName(popis_.kodPole).asString();
}

void TFoSeznam::poVyberu(bool) {
    hide();
}

void TFoSeznam::mimoVyber(bool) {}

void TFoSeznam::FoGridDblClick() {
    vyber(true);
}

bool TFoSeznam::FoGridKeyDown(QKeyEvent* event) {
    if (FoGrid->mode() != tk::DBGrid::Mode::Edit)
        return false;
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    dalsiSloupec(FoGrid);
    return true;
}

void TFoSeznam::NavigatorClick(tk::DBNavigator::Button button) {
    if (!popis_.prepinaMrizku)
        return;
    FoGrid->setFocus();
    const bool upravy = button == tk::DBNavigator::Insert || button == tk::DBNavigator::Edit;
    FoGrid->setMode(upravy ? tk::DBGrid::Mode::Edit : tk::DBGrid::Mode::Browse);
    if (button == tk::DBNavigator::Post) {
        // The posted row in its sorted place.
        tk::Dataset* d = dataset();
        const QString kod = d->fieldByName(popis_.kodPole).asString();
        d->close();
        d->open();
        tk::LocateOptions partial;
        partial.partialKey = true;
        d->locate(popis_.kodPole, kod, partial);
    }
}

// ----------------------------------------------------------------------------------------------------
// Keys and closing

bool TFoSeznam::dalsiKlavesa(QKeyEvent*) {
    return false;
}

bool TFoSeznam::FormKeyDown(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_F1:
        OtevriNapovedu(10, 10);
        return true;
    case Qt::Key_F3:
        EdHledat->setFocus();
        return true;
    case Qt::Key_Escape:
        if (Tag == 1 && (popis_.escVzdy || FoGrid->mode() == tk::DBGrid::Mode::Browse)) {
            ciselniky_.vyber().VybranyKod.clear();
            hide();
            return true;
        }
        return false;
    default:
        return dalsiKlavesa(event);
    }
}

bool TFoSeznam::eventFilter(QObject* watched, QEvent* event) {
    if (watched == EdHledat) {
        if (event->type() == QEvent::FocusIn)
            tk::guard([this] { EdHledatEnter(); });
        else if (event->type() == QEvent::FocusOut)
            tk::guard([this] { EdHledatExit(); });
    }
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
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (widget == EdHledat) {
            consumed = EdHledatKeyPress(key);
        } else if (widget == FoGrid) {
            // The cell editor takes its text and passes Enter on to the grid itself.
            consumed = FoGridKeyDown(key);
            if (!consumed && enter) {
                vyber(false);
                consumed = true;
            }
        } else if (enter && !FoGrid->isAncestorOf(widget)) {
            vyber(false);
            consumed = true;
        }
    });
    return consumed;
}

void TFoSeznam::closeEvent(QCloseEvent* event) {
    tk::guard([this] { FormClose(); });
    event->accept();
}

void TFoSeznam::FormClose() {
    // The list on its first row with its current query.
    tk::Dataset* d = dataset();
    if (d->isEditing())
        d->cancel();
    d->close();
    d->open();
}
