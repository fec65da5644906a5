#include "FoKLVzhled.h"
#include "FoKL.h"

#include "data/DmKL.h"

#include <QHeaderView>
#include <QImageReader>
#include <QMenuBar>
#include <QVBoxLayout>

// The controls of the main window, their names, places, captions and fonts.

using namespace fokl;

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

void TFoKL::vytvorObdobi() {
    QWidget* c = centralWidget();
    GBObdobi = named(new QGroupBox(QStringLiteral("Výběr období"), c), "GBObdobi");
    GBObdobi->setGeometry(3, 0, kColumnWidth, 97);
    setBackground(GBObdobi, kSkyBlue);
    {
        // Disabled while locked, yet still to be read on the blue: a darker grey than the style's.
        QPalette palette = GBObdobi->palette();
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(QPalette::Disabled, role, QColor(80, 95, 120));
        GBObdobi->setPalette(palette);
    }
    const int inner = kColumnWidth - 3; // the right edge inside the frame

    // Period: one row of radio buttons under the title.
    RBVDen = named(new QRadioButton(QStringLiteral("Den"), GBObdobi), "RBVDen");
    RBVTyden = named(new QRadioButton(QStringLiteral("Týden"), GBObdobi), "RBVTyden");
    RBVMesic = named(new QRadioButton(QStringLiteral("Měsíc"), GBObdobi), "RBVMesic");
    RBVRok = named(new QRadioButton(QStringLiteral("Rok"), GBObdobi), "RBVRok");
    RBVVse = named(new QRadioButton(QStringLiteral("Vše"), GBObdobi), "RBVVse");
    int x = 6;
    for (QRadioButton* rb : {RBVDen, RBVTyden, RBVMesic, RBVRok, RBVVse}) {
        rb->setGeometry(x, 24, captionWidth(rb), 22);
        x += captionWidth(rb) + 4;
    }
    const int filtersLeft = x + 2;
    RBVDen->setChecked(true);

    // The date with the coloured frame behind it.
    LbZvyrazni = named(new QLabel(GBObdobi), "LbZvyrazni");
    LbZvyrazni->setGeometry(6, 50, 170, 41);
    LbZvyrazni->setAutoFillBackground(true);
    EdVDatum = named(new QDateEdit(GBObdobi), "EdVDatum");
    EdVDatum->setFont(tahoma(17, true));
    EdVDatum->setDisplayFormat(QStringLiteral("ddd dd.MM.yyyy"));
    EdVDatum->setCalendarPopup(true);
    EdVDatum->setGeometry(10, 56, 162, 29);

    // Spinners right of the date: month, week, day.
    LbMesic = named(new QLabel(QStringLiteral("m"), GBObdobi), "LbMesic");
    LbTyden = named(new QLabel(QStringLiteral("t"), GBObdobi), "LbTyden");
    LbDen = named(new QLabel(QStringLiteral("d"), GBObdobi), "LbDen");
    UpDwMesic = named(new TUpDown(GBObdobi), "UpDwMesic");
    UpDwTyden = named(new TUpDown(GBObdobi), "UpDwTyden");
    UpDwDen = named(new TUpDown(GBObdobi), "UpDwDen");
    UpDwMesic->setToolTip(QStringLiteral("+/- Měsíc"));
    UpDwTyden->setToolTip(QStringLiteral("+/- Týden"));
    UpDwDen->setToolTip(QStringLiteral("+/- Den"));
    x = 184;
    QLabel* labels[] = {LbMesic, LbTyden, LbDen};
    TUpDown* spinners[] = {UpDwMesic, UpDwTyden, UpDwDen};
    for (int i = 0; i < 3; ++i) {
        labels[i]->setFont(tahoma(13));
        labels[i]->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        labels[i]->setGeometry(x, 46, 20, 15);
        spinners[i]->setGeometry(x + 1, 61, 18, 30);
        spinners[i]->setRange(0, 10000);
        spinners[i]->setPosition(1000);
        x += 24;
    }

    // The three filters, one per row: quick buttons, check box, code field, name.
    auto button = [&](const char* name, const QString& caption, const QString& hint) {
        QPushButton* b = named(new QPushButton(caption, GBObdobi), name);
        b->setToolTip(hint);
        b->setFont(tahoma(13, true));
        b->setFocusPolicy(Qt::NoFocus);
        b->hide();
        return b;
    };
    BbOjednat = button("BbOjednat", QStringLiteral("R"), QStringLiteral("Nastavení na rezevaci Pracoviště"));
    BbTiskO = button("BbTiskO", QStringLiteral("T"), QStringLiteral("Nastavení na tisk rozvrhu Pracoviště"));
    BbTiskK = button("BbTiskK", QStringLiteral("T"), QStringLiteral("Nastavení na tisk rozvrhu Klienta "));
    BbTiskP = button("BbTiskP", QStringLiteral("T"), QStringLiteral("Nastavení na tisk rozvrhu  Pracovníka"));

    ChBVObj = named(new QCheckBox(QStringLiteral("Pracoviště"), GBObdobi), "ChBVObj");
    ChBVRCP = named(new QCheckBox(QStringLiteral("Klient"), GBObdobi), "ChBVRCP");
    ChBVKPr = named(new QCheckBox(QStringLiteral("Pracovník "), GBObdobi), "ChBVKPr");
    ChBVObj->setToolTip(QStringLiteral("Kód"));
    ChBVRCP->setToolTip(QStringLiteral("RČ"));
    ChBVKPr->setToolTip(QStringLiteral("Kód"));

    EdVObj = named(new QLineEdit(QStringLiteral("00000"), GBObdobi), "EdVObj");
    EdVRCP = named(new QLineEdit(GBObdobi), "EdVRCP");
    EdVKPr = named(new QLineEdit(QStringLiteral("00"), GBObdobi), "EdVKPr");
    for (QLineEdit* e : {EdVObj, EdVRCP, EdVKPr}) {
        e->setFont(tahoma(13));
        e->hide();
    }

    LbVNazObj = named(new QLabel(QStringLiteral("Název pracoviště"), GBObdobi), "LbVNazObj");
    LbVNazObj->setFont(tahoma(17, true, true));
    LbVJmPac = named(new QLabel(QStringLiteral("Jméno Pacienta"), GBObdobi), "LbVJmPac");
    LbVJmPac->setFont(tahoma(13, false, true));
    LbVJmPr = named(new QLabel(QStringLiteral("Jméno Pracovníka"), GBObdobi), "LbVJmPr");
    LbVJmPr->setFont(tahoma(13, false, true));

    // The check box caption may become "Klient (RČ)"; the column is wide enough for either.
    const int checkWidth = std::max(
        {captionWidth(ChBVObj), captionWidth(ChBVKPr), captionWidth(ChBVRCP, QStringLiteral("Klient (RČ)"))});
    const int buttonX = filtersLeft + 26;
    const int checkX = buttonX + 27;
    const int editX = checkX + checkWidth + 2;
    struct Row {
        QCheckBox* check;
        QLineEdit* edit;
        QLabel* name;
        int y, editWidth, nameWidth;
        QString sample;
    };
    const Row rows[] = {
        {ChBVObj, EdVObj, LbVNazObj, 22, 42, 163, QStringLiteral("00000")},
        {ChBVRCP, EdVRCP, LbVJmPac, 47, 77, 127, QStringLiteral("0000000000")},
        {ChBVKPr, EdVKPr, LbVJmPr, 72, 20, 186, QStringLiteral("00")},
    };
    for (const Row& r : rows) {
        r.check->setGeometry(checkX, r.y, checkWidth, 23);
        const int w = widthFor(r.edit, r.sample, r.editWidth);
        r.edit->setGeometry(editX, r.y, w, 23);
        const int nameX = editX + w + 3;
        r.name->setGeometry(nameX, r.y, std::min(r.nameWidth, inner - nameX), 23);
    }
    BbOjednat->setGeometry(filtersLeft, 21, 24, 24);
    BbTiskO->setGeometry(buttonX, 21, 24, 24);
    BbTiskK->setGeometry(buttonX, 46, 24, 24);
    BbTiskP->setGeometry(buttonX, 71, 24, 24);
}

void TFoKL::vytvorDetail() {
    QWidget* c = centralWidget();
    GBDetail = named(new QGroupBox(QStringLiteral("Detail rezervace"), c), "GBDetail");
    GBDetail->setGeometry(3, 98, kColumnWidth, 85);
    const int inner = kColumnWidth - 3;
    tk::DataSource* ds = DmKL ? DmKL->DSReserve : nullptr;

    auto label = [&](const char* name, const QString& caption, const QFont& font) {
        QLabel* l = named(new QLabel(caption, GBDetail), name);
        l->setFont(font);
        return l;
    };
    auto edit = [&](const char* name, const char* field, const QFont& font) {
        tk::DBEdit* e = named(new tk::DBEdit(GBDetail), name);
        e->setFont(font);
        e->setDataSource(ds);
        e->setDataField(QLatin1String(field));
        return e;
    };
    auto upDown = [&](const char* name, const QString& hint, int maximum, int position) {
        TUpDown* u = named(new TUpDown(GBDetail), name);
        u->setToolTip(hint);
        u->setRange(0, maximum);
        u->setPosition(position);
        u->setEnabled(false); // until a row is edited
        return u;
    };

    LbKdy = label("LbKdy", QStringLiteral("Kdy"), tahoma(16));
    EdDDatum = edit("EdDDatum", "DatumCas", tahoma(17));
    UpDwHod = upDown("UpDwHod", QStringLiteral("+/- Hodina"), 10000, 1000);
    UpDw10min = upDown("UpDw10min", QStringLiteral("+/- 10 minut"), 10000, 1000);
    UpDwMin = upDown("UpDwMin", QStringLiteral("+/- Minuta"), 10000, 1000);
    LbPomlcka = label("LbPomlcka", QStringLiteral("-"), tahoma(17));
    EdDCasDo = edit("EdDCasDo", "VDatCasDo", tahoma(17));
    EdDCasDo->setFocusPolicy(Qt::ClickFocus);
    LbDoba = label("LbDoba", QStringLiteral("tj."), tahoma(17));
    EdDDoba = edit("EdDDoba", "Doba", tahoma(17));
    UpDwDoba = upDown("UpDwDoba", QStringLiteral("+/- Minuta"), 1000, 100);
    LbMin = label("LbMin", QStringLiteral("min"), tahoma(16));
    LbKde = label("LbKde", QStringLiteral("Kde"), tahoma(16));
    EdDObj = edit("EdDObj", "Objekt", tahoma(13));
    EdDObj->setMaxLength(5);
    EdDObj->setEnabled(false); // shows the row's workplace; never typed into
    LbDNazObj = label("LbDNazObj", QStringLiteral("Název pracoviště"), tahoma(13, false, true));

    LbKdo = label("LbKdo", QStringLiteral("Kdo"), tahoma(16));
    EdDRCP = edit("EdDRCP", "RCPacienta", tahoma(17));
    EdDRCP->setMaxLength(10);
    EdDJmPac = edit("EdDJmPac", "JmenoPac", tahoma(17, true, true));
    ChBDHotovo = named(new tk::DBCheckBox(GBDetail), "ChBDHotovo");
    ChBDHotovo->setDataSource(ds);
    ChBDHotovo->setDataField(QStringLiteral("Hotovo"));
    ChBDHotovo->setToolTip(QStringLiteral("Provedeno"));
    ChBDHotovo->setFocusPolicy(Qt::ClickFocus);
    LbKym = label("LbKym", QStringLiteral("Kým"), tahoma(16));
    EdDKPr = edit("EdDKPr", "KodPrac", tahoma(13));
    EdDKPr->setMaxLength(2);
    LbDJmPr = label("LbDJmPr", QStringLiteral("Jméno Pracovníka"), tahoma(13, false, true));

    // First line: when, how long, where.
    const int y1 = 24, y2 = 54, h = 27;
    int x = 8;
    auto place = [&](QWidget* w, int y, int width, int height, int gap = 3) {
        w->setGeometry(x, y + (h - height) / 2, width, height);
        x += width + gap;
    };
    const QString sampleDate = QStringLiteral("po 30.12.2026  10:00");
    place(LbKdy, y1, LbKdo->fontMetrics().horizontalAdvance(QStringLiteral("Kým")) + 4, h, 2);
    place(EdDDatum, y1, widthFor(EdDDatum, sampleDate, 175, 8), h, 1);
    place(UpDwHod, y1, 15, h, 0);
    place(UpDw10min, y1, 15, h, 0);
    place(UpDwMin, y1, 15, h, 2);
    place(LbPomlcka, y1, LbPomlcka->fontMetrics().horizontalAdvance(LbPomlcka->text()) + 2, h, 2);
    place(EdDCasDo, y1, widthFor(EdDCasDo, QStringLiteral("00:00"), 48, 8), h, 2);
    place(LbDoba, y1, LbDoba->fontMetrics().horizontalAdvance(LbDoba->text()) + 2, h, 2);
    place(EdDDoba, y1, widthFor(EdDDoba, QStringLiteral("000"), 34, 8), h, 0);
    place(UpDwDoba, y1, 15, h, 2);
    place(LbMin, y1, LbMin->fontMetrics().horizontalAdvance(LbMin->text()) + 2, h, 6);
    const int whereX = x;
    place(LbKde, y1, LbKdo->fontMetrics().horizontalAdvance(QStringLiteral("Kým")) + 4, h, 2);
    const int codeX = x;
    place(EdDObj, y1, widthFor(EdDObj, QStringLiteral("00000"), 40), 24);
    LbDNazObj->setGeometry(x, y1, std::min(120, inner - x), h);

    // Second line: who, done, by whom.
    x = 8;
    place(LbKdo, y2, LbKdy->width(), h, 2);
    place(EdDRCP, y2, widthFor(EdDRCP, QStringLiteral("0000000000"), 110), h);
    place(EdDJmPac, y2, std::max(234, whereX - x - 26), h, 4);
    place(ChBDHotovo, y2, 20, h);
    x = whereX;
    place(LbKym, y2, LbKde->width(), h, 2);
    x = codeX;
    place(EdDKPr, y2, widthFor(EdDKPr, QStringLiteral("00"), 24), 24);
    LbDJmPr->setGeometry(x, y2, std::min(120, inner - x), h);

    setTabOrder(EdDDatum, EdDCasDo);
    setTabOrder(EdDCasDo, EdDDoba);
    setTabOrder(EdDDoba, EdDRCP);
    setTabOrder(EdDRCP, EdDJmPac);
    setTabOrder(EdDJmPac, EdDObj);
    setTabOrder(EdDObj, EdDKPr);
    setTabOrder(EdDKPr, ChBDHotovo);
}

void TFoKL::vytvorSeznam() {
    QWidget* c = centralWidget();
    tk::DataSource* ds = DmKL ? DmKL->DSReserve : nullptr;

    LbBlok = named(new QLabel(c), "LbBlok");
    LbBlok->setGeometry(209, 187, 72, 41);
    setBackground(LbBlok, kLime);
    LbBlok->setToolTip(QStringLiteral("Je blokována rezervace pro ostaní ! "));

    Navigator = named(new tk::DBNavigator(c), "Navigator");
    Navigator->setDataSource(ds);
    Navigator->setHints({QStringLiteral("První záznam"), QStringLiteral("Předchozí záznam"),
                         QStringLiteral("Následující záznam"), QStringLiteral("Poslední záznam"),
                         QStringLiteral("Přidat záznam před vybraný"), QStringLiteral("Zrušit záznam"),
                         QStringLiteral("Upravit rezervaci"), QStringLiteral("Potvrdit změny rezervace"),
                         QStringLiteral("Zrušit změny rezervace"), QStringLiteral("Refresh na síti")});
    Navigator->setGeometry(8, 195, 180, 30);

    BbTiskNovy = named(new QPushButton(c), "BbTiskNovy");
    BbTiskNovy->setGeometry(339, 192, 65, 29);
    BbTiskNovy->setToolTip(QStringLiteral("Univerzální tlačítko"));
    BbTiskNovy->setFocusPolicy(Qt::NoFocus);
    setTag(BbTiskNovy, 0);

    GBZobraz = named(new QGroupBox(QStringLiteral("Zobrazit"), c), "GBZobraz");
    GBZobraz->setGeometry(3 + kColumnWidth - 228, 183, 228, 50);
    setBackground(GBZobraz, kSkyBlue);
    RBZVolno = named(new QRadioButton(QStringLiteral("Volné"), GBZobraz), "RBZVolno");
    RBZObsazeno = named(new QRadioButton(QStringLiteral("Obsazené"), GBZobraz), "RBZObsazeno");
    RBZVse = named(new QRadioButton(QStringLiteral("Vše"), GBZobraz), "RBZVse");
    RBZObsazeno->setToolTip(QStringLiteral("Od dnešního dne včetně"));
    {
        const int total = captionWidth(RBZVolno) + captionWidth(RBZObsazeno) + captionWidth(RBZVse);
        const int gap = std::max(0, (228 - 8 - total) / 2);
        int x = 4;
        for (QRadioButton* rb : {RBZVolno, RBZObsazeno, RBZVse}) {
            rb->setGeometry(x, 22, captionWidth(rb), 24);
            x += captionWidth(rb) + gap;
        }
    }
    RBZObsazeno->setChecked(true);

    PgCReserve = named(new QTabWidget(c), "PgCReserve");
    PgCReserve->setGeometry(3, 235, kColumnWidth, 405);
    TbSSeznam = named(new QWidget(), "TbSSeznam");
    PgCReserve->addTab(TbSSeznam, QStringLiteral("Přehled rezervací"));
    auto* layout = new QVBoxLayout(TbSSeznam);
    layout->setContentsMargins(2, 2, 2, 2);
    DBGridSeznam = named(new tk::DBGrid(TbSSeznam), "DBGridSeznam");
    layout->addWidget(DBGridSeznam);
    {
        QFont cells(QStringLiteral("Courier New"));
        cells.setPixelSize(13);
        DBGridSeznam->setFont(cells);
        DBGridSeznam->horizontalHeader()->setFont(tahoma(13));
        DBGridSeznam->verticalHeader()->setFont(tahoma(13));
    }
    DBGridSeznam->setReadOnlyGrid(true);
    DBGridSeznam->setMode(tk::DBGrid::Mode::Browse);
    DBGridSeznam->setDataSource(ds);
    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    const auto centre = Qt::AlignHCenter | Qt::AlignVCenter;
    DBGridSeznam->setColumns({
        {QStringLiteral("DatumCas"), QStringLiteral("Od     "), right, 175, left, true},
        {QStringLiteral("VDatCasDo"), QStringLiteral("Do "), centre, 55, centre, true},
        {QStringLiteral("JmenoPac"), QStringLiteral("Kdo"), left, 141, left, true},
        {QStringLiteral("Doba"), QStringLiteral("Doba"), left, 34, left, true},
        {QStringLiteral("Objekt"), QStringLiteral("Kde"), centre, 52, centre, true},
        {QStringLiteral("VNazObj"), QStringLiteral("Pracoviště"), left, 115, left, true},
        {QStringLiteral("KodPrac"), QStringLiteral("RP"), centre, 22, centre, true},
        {QStringLiteral("Hotovo"), QStringLiteral("P"), centre, 15, centre, true},
        {QStringLiteral("VJmPr"), QStringLiteral("Pracovník"), left, 0, left, false},
        {QStringLiteral("RCPacienta"), QStringLiteral("RČ pacienta"), centre, 0, centre, false},
    });

    PKalendar = new TPKalendar(*DmKL, c);
    PKalendar->setGeometry(668, 0, 529, 635);
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
