#include "FoBlokRes.h"

#include "FoNapovedaP.h"

#include "OknoCiselniku.h"
#include "data/DmKL.h"

#include "data/DmKL.h"
#include "toolkit/core/Errors.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

TFoBlokRes::TFoBlokRes(QWidget* parent) : QWidget(parent, Qt::Window) {
    pripravOkno(this, "FoBlokRes", QStringLiteral("Blokované rezervace"));

    DBGrid1 = new tk::DBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(DmKL->DSBlokRes);
    DBGrid1->setColumns(
        {sloupec(QStringLiteral("Objekt"), QString(), Qt::AlignRight | Qt::AlignVCenter),
         sloupec(QStringLiteral("Datum"), QString(), Qt::AlignCenter, 90),
         sloupec(QStringLiteral("IdPC"), QStringLiteral("Počítač"), Qt::AlignLeft | Qt::AlignVCenter, 100)});
    DBGrid1->setReadOnlyGrid(true);
    rozsirSloupce(DBGrid1);
    Navigator = new tk::DBNavigator(this);
    Navigator->setObjectName(QStringLiteral("Navigator"));
    Navigator->setDataSource(DmKL->DSBlokRes);
    Navigator->setVisibleButtons({tk::DBNavigator::First, tk::DBNavigator::Prior, tk::DBNavigator::Next,
                                  tk::DBNavigator::Last, tk::DBNavigator::Delete});
    Navigator->setHints({QStringLiteral("První věta"), QStringLiteral("Předchozí věta"),
                         QStringLiteral("Následující věta"), QStringLiteral("Poslední věta"), QString(),
                         QStringLiteral("Zrušit blokaci rezervace"), QString(), QString(), QString(),
                         QString()});
    Navigator->setFixedWidth(150);
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    StatusBar->addWidget(new QLabel(QStringLiteral("F1"), StatusBar));
    PanelPC = new QLabel(StatusBar);
    StatusBar->addWidget(PanelPC, 1);

    auto* sloupec = new QVBoxLayout(this);
    sloupec->setContentsMargins(4, 4, 4, 0);
    sloupec->addWidget(DBGrid1, 1);
    auto* dole = new QHBoxLayout;
    dole->addWidget(Navigator);
    dole->addStretch(1);
    sloupec->addLayout(dole);
    sloupec->addWidget(StatusBar);
    qApp->installEventFilter(this);
    resize(330, 300);
    FormCreate();
}

TFoBlokRes::~TFoBlokRes() {
    qApp->removeEventFilter(this);
}

void TFoBlokRes::FormCreate() {
    // A new window shows the locks as they are now.
    DmKL->QBlokRes->close();
    PanelPC->setText(QStringLiteral("Local PC : ") + IdPc);
    DmKL->QBlokRes->open();
}

bool TFoBlokRes::FormKeyDown(QKeyEvent* event) {
    if (event->key() != Qt::Key_F1)
        return false;
    OtevriNapovedu(10, 10);
    return true;
}

bool TFoBlokRes::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != this)
        return false;
    bool consumed = false;
    tk::guard([&] { consumed = FormKeyDown(static_cast<QKeyEvent*>(event)); });
    return consumed;
}

void TFoBlokRes::closeEvent(QCloseEvent* event) {
    tk::guard([this] { FormClose(); });
    event->accept();
}

void TFoBlokRes::FormClose() {
    DmKL->QBlokRes->close();
    DmKL->QBlokRes->open();
}
