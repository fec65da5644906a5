#include "FoParamP.h"

#include "OknoCiselniku.h"

#include "FoNapovedaP.h"

#include "data/DmKL.h"
#include "toolkit/core/Errors.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>
#include <iterator>

TFoParamP::TFoParamP(TCiselniky&, QWidget* parent) : QWidget(parent, Qt::Window) {
    pripravOkno(this, "FoParamP", QStringLiteral("Parametry"));

    auto label = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        if (name)
            l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    auto cas = [this](const char* name, const char* field) {
        auto* e = new tk::DBEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setDataSource(DmKL->DSParamP);
        e->setDataField(QString::fromLatin1(field));
        e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 12);
        e->setAlignment(Qt::AlignRight);
        return e;
    };
    auto box = [this](const char* name, const char* field, const QString& text) {
        auto* c = new tk::DBCheckBox(this);
        c->setObjectName(QString::fromLatin1(name));
        c->setText(text);
        c->setDataSource(DmKL->DSParamP);
        c->setDataField(QString::fromLatin1(field));
        c->setFocusPolicy(Qt::ClickFocus);
        return c;
    };
    LbPrDoba = label("LbPrDoba", QStringLiteral("Pracovní doba"));
    LbHod1 = label("LbHod1", QStringLiteral("hod"));
    LbMin1 = label("LbMin1", QStringLiteral("min"));
    LbHod2 = label("LbHod2", QStringLiteral("hod"));
    LbMin2 = label("LbMin2", QStringLiteral("min"));
    EdPrOdH = cas("EdPrOdH", "PrOdH");
    EdPrOdM = cas("EdPrOdM", "PrOdM");
    EdPrDoH = cas("EdPrDoH", "PrDoH");
    EdPeDoM = cas("EdPeDoM", "PrDoM");
    EdPPOdH = cas("EdPPOdH", "PPOdH");
    EdPPOdM = cas("EdPPOdM", "PPOdM");
    EdPPDoH = cas("EdPPDoH", "PPDoH");
    EdPPDoM = cas("EdPPDoM", "PPDoM");
    ChBPP = box("ChBPP", "VPP", QStringLiteral("Polední pauza"));
    ChBPP->setFocusPolicy(Qt::NoFocus);
    ChBSo = box("ChBSo", "So", QStringLiteral("sobota"));
    ChBNe = box("ChBNe", "Ne", QStringLiteral("neděle"));
    ChBSvatek = box("ChBSvatek", "Sv", QStringLiteral("svátky"));
    ChBDbKN = box("ChBDbKN", "DbKN", QStringLiteral("Použití databaze klientů  programu Kinemo"));
    ChBDbKN->setToolTip(QStringLiteral("Změna se projeví až po  novém spuštění programu !"));
    EdHeslo = new tk::DBEdit(this);
    EdHeslo->setObjectName(QStringLiteral("EdHeslo"));
    EdHeslo->setDataSource(DmKL->DSParamP);
    EdHeslo->setDataField(QStringLiteral("Heslo"));
    EdHeslo->setMaxLength(10);
    EdHeslo->setFocusPolicy(Qt::ClickFocus);
    // Masked with "*" whatever the style's own character.
    EdHeslo->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    zamaskuj();
    Navigator = new tk::DBNavigator(this);
    Navigator->setObjectName(QStringLiteral("Navigator"));
    Navigator->setDataSource(DmKL->DSParamP);
    Navigator->setVisibleButtons({tk::DBNavigator::Edit, tk::DBNavigator::Post, tk::DBNavigator::Cancel});
    Navigator->setHints({QString(), QString(), QString(), QString(), QString(), QString(),
                         QStringLiteral("Opravit údaje"), QStringLiteral("Potvrdit změny"),
                         QStringLiteral("Zrušit změny"), QString()});
    Navigator->setFixedWidth(120);
    Navigator->onClick = [this](tk::DBNavigator::Button b) { NavigatorClick(b); };
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    StatusBar->addWidget(new QLabel(QStringLiteral(" F1"), StatusBar));
    StatusBar->addWidget(new QLabel(QStringLiteral(" Nápověda"), StatusBar), 1);

    auto* g = new QGridLayout;
    int r = 0;
    g->addWidget(LbPrDoba, r++, 0, 1, 8);
    g->addWidget(LbHod1, r, 1, Qt::AlignCenter);
    g->addWidget(LbMin1, r, 3, Qt::AlignCenter);
    g->addWidget(LbHod2, r, 5, Qt::AlignCenter);
    g->addWidget(LbMin2, r++, 7, Qt::AlignCenter);
    auto radek = [&](tk::DBEdit* odH, tk::DBEdit* odM, tk::DBEdit* doH, tk::DBEdit* doM) {
        g->addWidget(label(nullptr, QStringLiteral("Od")), r, 0);
        g->addWidget(odH, r, 1);
        g->addWidget(label(nullptr, QStringLiteral(":")), r, 2);
        g->addWidget(odM, r, 3);
        g->addWidget(label(nullptr, QStringLiteral("Do")), r, 4);
        g->addWidget(doH, r, 5);
        g->addWidget(label(nullptr, QStringLiteral(":")), r, 6);
        g->addWidget(doM, r++, 7);
    };
    radek(EdPrOdH, EdPrOdM, EdPrDoH, EdPeDoM);
    g->addWidget(ChBPP, r++, 0, 1, 8);
    radek(EdPPOdH, EdPPOdM, EdPPDoH, EdPPDoM);
    auto* dny = new QHBoxLayout;
    dny->addWidget(ChBSo);
    dny->addWidget(ChBNe);
    dny->addWidget(ChBSvatek);
    dny->addStretch(1);
    g->addLayout(dny, r++, 0, 1, 8);
    g->addWidget(label(nullptr, QStringLiteral("Přístupové heslo")), r, 0, 1, 4);
    g->addWidget(EdHeslo, r++, 4, 1, 4);
    g->addWidget(ChBDbKN, r++, 0, 1, 8);
    g->setColumnStretch(8, 1);
    auto* sloupec = new QVBoxLayout(this);
    sloupec->setContentsMargins(8, 8, 8, 0);
    sloupec->addLayout(g);
    auto* dole = new QHBoxLayout;
    dole->addWidget(Navigator);
    dole->addStretch(1);
    sloupec->addLayout(dole);
    sloupec->addWidget(StatusBar);

    QWidget* poradi[] = {EdPrOdH, EdPrOdM, EdPrDoH, EdPeDoM, EdPPOdH, EdPPOdM, EdPPDoH, EdPPDoM};
    for (size_t i = 0; i + 1 < std::size(poradi); ++i)
        setTabOrder(poradi[i], poradi[i + 1]);
    qApp->installEventFilter(this);
}

TFoParamP::~TFoParamP() {
    qApp->removeEventFilter(this);
}

void TFoParamP::zamaskuj() {
    EdHeslo->setEchoMode(QLineEdit::Password);
}

bool TFoParamP::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        tk::guard([this] { FormActivate(); });
    return QWidget::event(event);
}

void TFoParamP::FormActivate() {
    Navigator->setFocus();
}

void TFoParamP::NavigatorClick(tk::DBNavigator::Button) {
    zamaskuj();
}

bool TFoParamP::EdHesloClick() {
    if (DmKL->QParamP->state() == tk::DatasetState::Edit) {
        EdHeslo->setEchoMode(QLineEdit::Normal);
        return false;
    }
    Navigator->setFocus();
    return true; // the click does not reach the field
}

void TFoParamP::EdHesloExit() {
    zamaskuj();
}

bool TFoParamP::EdHesloKeyPress(QKeyEvent* event) {
    // A password holds no blanks.
    return event->text() == QStringLiteral(" ");
}

bool TFoParamP::FormKeyDown(QKeyEvent* event) {
    if (event->key() != Qt::Key_F1)
        return false;
    OtevriNapovedu(10, 10);
    return true;
}

bool TFoParamP::FormKeyPress(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    focusNextChild();
    return true;
}

bool TFoParamP::eventFilter(QObject* watched, QEvent* event) {
    if (watched == EdHeslo) {
        if (event->type() == QEvent::MouseButtonPress) {
            bool swallowed = false;
            tk::guard([&] { swallowed = EdHesloClick(); });
            return swallowed;
        }
        if (event->type() == QEvent::FocusOut)
            tk::guard([this] { EdHesloExit(); });
    }
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != this)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    bool consumed = false;
    tk::guard([&] {
        consumed = FormKeyDown(key) || FormKeyPress(key) || (watched == EdHeslo && EdHesloKeyPress(key));
    });
    return consumed;
}

void TFoParamP::closeEvent(QCloseEvent* event) {
    bool zavrit = false;
    tk::guard([&] { zavrit = FormClose(); });
    if (zavrit)
        event->accept();
    else
        event->ignore();
}

bool TFoParamP::FormClose() {
    // Post or cancel first; refused without a message.
    return !DmKL->QParamP->isEditing();
}
