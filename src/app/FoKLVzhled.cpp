#include "FoKL.h"

#include "toolkit/core/Errors.h"
#include "toolkit/widgets/Look.h"

#include <QImageReader>
#include <QMenuBar>
#include <QProxyStyle>

// The main window's own controls, their names, places, captions and fonts: the menu, the locked window
// and the status bar. The panels lay out their own.

using namespace tk;

namespace {
// The password field shows a star for each character typed, whatever the style would show.
class HvezdickyHesla : public QProxyStyle {
public:
    explicit HvezdickyHesla(QObject* parent) { setParent(parent); }
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};
} // namespace

// ----------------------------------------------------------------------------------------------------
// Layout

void TFoKL::vytvorMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    bar->setFont(tahoma(13));
    auto menu = [&](const char* name, const QString& caption) {
        QMenu* m = named(new QMenu(caption, this), name);
        m->setFont(tahoma(13));
        m->menuAction()->setObjectName(QLatin1String(name) + QStringLiteral("Action"));
        bar->addMenu(m);
        return m;
    };
    auto item = [&](QMenu* m, const char* name, const QString& caption) {
        QAction* a = m->addAction(caption);
        a->setObjectName(QLatin1String(name));
        return a;
    };

    N1Ciselniky = menu("N1Ciselniky", QStringLiteral("&1 Číselníky"));
    N11Pracoviste = item(N1Ciselniky, "N11Pracoviste", QStringLiteral("&1 Pracoviště"));
    N12VolneDny = item(N1Ciselniky, "N12VolneDny", QStringLiteral("&2 Svátky"));
    N13Parametry = item(N1Ciselniky, "N13Parametry", QStringLiteral("&3 Parametry"));
    N1Ciselniky->addSeparator();
    N14Pacienti = item(N1Ciselniky, "N14Pacienti", QStringLiteral("&4 Klienti"));
    N15Pracov = item(N1Ciselniky, "N15Pracov", QStringLiteral("&5 Pracovníci"));

    N2Rezervace = menu("N2Rezervace", QStringLiteral("&2 Rezervace"));
    N21BlokRes = item(N2Rezervace, "N21BlokRes", QStringLiteral("&1 Blokované"));
    N2Rezervace->addSeparator();
    N2Redukce = item(N2Rezervace, "N2Redukce", QStringLiteral("Redukce dat !"));

    N3Servis = menu("N3Servis", QStringLiteral("&3 Servis"));
    N31Zaloha = item(N3Servis, "N31Zaloha", QStringLiteral("&1 Záloha dat"));
    N31Zaloha->setCheckable(true);
    N32Obnova = item(N3Servis, "N32Obnova", QStringLiteral("&2 Obnova ze zálohy "));
    N32Obnova->setEnabled(false);
    N33Instalace = item(N3Servis, "N33Instalace", QStringLiteral("&3 Instalace databáze"));
    N33Instalace->setCheckable(true);
    N3X = item(N3Servis, "N3X", QStringLiteral("X Systémová oprava"));
    N3X->setVisible(false);

    N4Napoveda = menu("N4Napoveda", QStringLiteral("&4 Nápověda"));
    N41Napoveda = item(N4Napoveda, "N41Napoveda", QStringLiteral("&1 Nápověda"));
    N4Oaplikaci = item(N4Napoveda, "N4Oaplikaci", QStringLiteral("&O programu ..."));

    // Menus 1 to 3 wait for the password.
    for (QMenu* m : {N1Ciselniky, N2Rezervace, N3Servis})
        m->menuAction()->setEnabled(false);

    connect(N2Redukce, &QAction::triggered, this, [this] { tk::guard([this] { N2RedukceClick(); }); });
    connect(N31Zaloha, &QAction::triggered, this, [this](bool zaskrtnuto) {
        // The mark tells whether a backup is recent; a click alone does not change it.
        N31Zaloha->setChecked(!zaskrtnuto);
        tk::guard([this] { N31ZalohaClick(); });
    });
    connect(N32Obnova, &QAction::triggered, this, [this] { tk::guard([this] { N32ObnovaClick(); }); });
    connect(N3X, &QAction::triggered, this, [this] { tk::guard([this] { N3XClick(); }); });
    connect(N33Instalace, &QAction::triggered, this, [this] { tk::guard([this] { N33InstalaceClick(); }); });
    connect(N41Napoveda, &QAction::triggered, this, [this] { tk::guard([this] { N41NapovedaClick(); }); });
    connect(N4Oaplikaci, &QAction::triggered, this, [this] { tk::guard([this] { N4OaplikaciClick(); }); });
}

void TFoKL::vytvorZamceni() {
    QWidget* c = centralWidget();
    ImgUvod = named(new QLabel(c), "ImgUvod");
    ImgUvod->setScaledContents(true);
    QImageReader reader(QStringLiteral(":/ImgUvod.jpg"), "jpeg");
    ImgUvod->setPixmap(QPixmap::fromImage(reader.read()));

    LbHeslo = named(new QLabel(QStringLiteral("Přístupové heslo"), c), "LbHeslo");
    EdHeslo = named(new QLineEdit(c), "EdHeslo");
    EdHeslo->setEchoMode(QLineEdit::Password);
    EdHeslo->setStyle(new HvezdickyHesla(this)); // outlives the field
    BtOK = named(new QPushButton(QStringLiteral("OK"), c), "BtOK");
    connect(BtOK, &QPushButton::clicked, this, [this] { tk::guard([this] { BtOKClick(); }); });
    EdHeslo->installEventFilter(this);

    LbZprava = named(new QLabel(c), "LbZprava");
    LbZprava->setFont(tahoma(16, true));
    LbZprava->setAutoFillBackground(true);
    LbZprava->hide();
}

void TFoKL::vytvorStatusBar() {
    StatusBar = named(new QStatusBar(this), "StatusBar");
    setStatusBar(StatusBar);
    StatusBar->setSizeGripEnabled(false);
    StatusBar->setFont(tahoma(12));
    const QString texts[] = {QStringLiteral(" F1"), QStringLiteral("Nápověda"), QStringLiteral("?"),
                             QStringLiteral("!")};
    const int widths[] = {20, 150, 250, 50};
    for (int i = 0; i < 4; ++i) {
        auto* panel = new QLabel(texts[i], StatusBar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        panel->setMinimumWidth(widths[i]);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        StatusBar->addWidget(panel, i == 3 ? 1 : 0); // the last panel takes the rest of the bar
        StatusPanels[i] = panel;
    }
}

QString TFoKL::statusText(int panel) const {
    return StatusPanels.at(panel)->text();
}

void TFoKL::setStatusText(int panel, const QString& text) {
    StatusPanels.at(panel)->setText(text);
}
