#include "PanelVyberu.h"

#include "data/DmKL.h"
#include "data/Kontroly.h"

#include "toolkit/core/Dialogs.h"
#include "toolkit/core/Errors.h"
#include "toolkit/widgets/ElidedLabel.h"
#include "toolkit/widgets/Look.h"

#include <QCoreApplication>
#include <QKeyEvent>

using namespace tk;

QChar FiltrKlavesyData(QChar c) {
    if (c == QLatin1Char(','))
        c = QLatin1Char('.');
    else if (c == QLatin1Char('+'))
        c = QLatin1Char(' ');
    else if (c == QLatin1Char('*') || c == QLatin1Char('-'))
        c = QLatin1Char(':');
    if (c == QChar(8) || c == QLatin1Char(' ') || (c.unicode() >= 46 && c.unicode() <= 58))
        return c;
    return QChar();
}

namespace {
// The width of the left column of the main window and of the boxes in it.
constexpr int kColumnWidth = 662;
const QColor kLightOrange(254, 217, 129);
} // namespace

TPanelVyberu::TPanelVyberu(TDmKL& dm, QWidget* parent)
    : QGroupBox(QStringLiteral("Výběr období"), parent), dm_(dm) {
    setObjectName(QStringLiteral("GBObdobi"));
    vytvor();
    pripoj();
}

void TPanelVyberu::vytvor() {
    setGeometry(3, 0, kColumnWidth, 97);
    setBackground(this, kSkyBlue);
    {
        // Disabled while locked, yet still to be read on the blue: a darker grey than the style's.
        QPalette palette = this->palette();
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(QPalette::Disabled, role, QColor(80, 95, 120));
        setPalette(palette);
    }
    const int inner = kColumnWidth - 3; // the right edge inside the frame

    // Period: one row of radio buttons under the title.
    RBVDen = named(new QRadioButton(QStringLiteral("Den"), this), "RBVDen");
    RBVTyden = named(new QRadioButton(QStringLiteral("Týden"), this), "RBVTyden");
    RBVMesic = named(new QRadioButton(QStringLiteral("Měsíc"), this), "RBVMesic");
    RBVRok = named(new QRadioButton(QStringLiteral("Rok"), this), "RBVRok");
    RBVVse = named(new QRadioButton(QStringLiteral("Vše"), this), "RBVVse");
    int x = 6;
    for (QRadioButton* rb : {RBVDen, RBVTyden, RBVMesic, RBVRok, RBVVse}) {
        rb->setGeometry(x, 24, captionWidth(rb), 22);
        x += captionWidth(rb) + 4;
    }
    const int filtersLeft = x + 2;
    RBVDen->setChecked(true);

    // The date with the coloured frame behind it.
    LbZvyrazni = named(new QLabel(this), "LbZvyrazni");
    LbZvyrazni->setGeometry(6, 50, 170, 41);
    LbZvyrazni->setAutoFillBackground(true);
    EdVDatum = named(new QDateEdit(this), "EdVDatum");
    EdVDatum->setFont(tahoma(17, true));
    EdVDatum->setDisplayFormat(QStringLiteral("ddd dd.MM.yyyy"));
    EdVDatum->setCalendarPopup(true);
    EdVDatum->setGeometry(10, 56, 162, 29);

    // Spinners right of the date: month, week, day.
    LbMesic = named(new QLabel(QStringLiteral("m"), this), "LbMesic");
    LbTyden = named(new QLabel(QStringLiteral("t"), this), "LbTyden");
    LbDen = named(new QLabel(QStringLiteral("d"), this), "LbDen");
    UpDwMesic = named(new TUpDown(this), "UpDwMesic");
    UpDwTyden = named(new TUpDown(this), "UpDwTyden");
    UpDwDen = named(new TUpDown(this), "UpDwDen");
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
        QPushButton* b = named(new QPushButton(caption, this), name);
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

    ChBVObj = named(new QCheckBox(QStringLiteral("Pracoviště"), this), "ChBVObj");
    ChBVRCP = named(new QCheckBox(QStringLiteral("Klient"), this), "ChBVRCP");
    ChBVKPr = named(new QCheckBox(QStringLiteral("Pracovník "), this), "ChBVKPr");
    ChBVObj->setToolTip(QStringLiteral("Kód"));
    ChBVRCP->setToolTip(QStringLiteral("RČ"));
    ChBVKPr->setToolTip(QStringLiteral("Kód"));

    EdVObj = named(new QLineEdit(QStringLiteral("00000"), this), "EdVObj");
    EdVRCP = named(new QLineEdit(this), "EdVRCP");
    EdVKPr = named(new QLineEdit(QStringLiteral("00"), this), "EdVKPr");
    for (QLineEdit* e : {EdVObj, EdVRCP, EdVKPr}) {
        e->setFont(tahoma(13));
        e->hide();
    }

    LbVNazObj = named(new tk::ElidedLabel(QStringLiteral("Název pracoviště"), this), "LbVNazObj");
    LbVNazObj->setFont(tahoma(17, true, true));
    LbVJmPac = named(new tk::ElidedLabel(QStringLiteral("Jméno Pacienta"), this), "LbVJmPac");
    LbVJmPac->setFont(tahoma(13, false, true));
    LbVJmPr = named(new tk::ElidedLabel(QStringLiteral("Jméno Pracovníka"), this), "LbVJmPr");
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

void TPanelVyberu::pripoj() {
    const auto pripojRB = [this](QRadioButton* rb, void (TPanelVyberu::*handler)()) {
        // Checking a radio button, by the user or by the program, refreshes; unchecking it by checking a
        // neighbour runs only the neighbour's handler.
        connect(rb, &QRadioButton::toggled, this, [this, handler](bool on) {
            if (on)
                tk::guard([&] { (this->*handler)(); });
        });
    };
    pripojRB(RBVDen, &TPanelVyberu::RBVDenClick);
    pripojRB(RBVTyden, &TPanelVyberu::RBVTydenClick);
    pripojRB(RBVMesic, &TPanelVyberu::RBVMesicClick);
    pripojRB(RBVRok, &TPanelVyberu::RBVRokClick);
    pripojRB(RBVVse, &TPanelVyberu::RBVVseClick);
    const auto pripojChB = [this](QCheckBox* chb, void (TPanelVyberu::*handler)()) {
        connect(chb, &QCheckBox::toggled, this,
                [this, handler](bool) { tk::guard([&] { (this->*handler)(); }); });
    };
    pripojChB(ChBVObj, &TPanelVyberu::ChBVObjClick);
    pripojChB(ChBVRCP, &TPanelVyberu::ChBVRCPClick);
    pripojChB(ChBVKPr, &TPanelVyberu::ChBVKPrClick);
    connect(EdVDatum, &QDateEdit::dateChanged, this,
            [this](const QDate&) { tk::guard([this] { EdVDatumChange(); }); });
    connect(EdVObj, &QLineEdit::textChanged, this, [this] { tk::guard([this] { EdVObjChange(); }); });
    connect(EdVRCP, &QLineEdit::textChanged, this, [this] { tk::guard([this] { EdVRCPChange(); }); });
    connect(EdVKPr, &QLineEdit::textChanged, this, [this] { tk::guard([this] { EdVKPrChange(); }); });
    for (QLineEdit* e : {EdVObj, EdVRCP, EdVKPr})
        e->installEventFilter(this);
    // The date's keys reach its inner editor; both are watched.
    EdVDatum->installEventFilter(this);
    for (QWidget* inner : EdVDatum->findChildren<QWidget*>())
        inner->installEventFilter(this);
}

bool TPanelVyberu::poleEvent(QObject* watched, QEvent* event) {
    bool swallowed = false;
    tk::guard([&] {
        switch (event->type()) {
        case QEvent::FocusOut:
            if (watched == EdVObj)
                EdVObjExit();
            else if (watched == EdVKPr)
                EdVKPrExit();
            break;
        case QEvent::MouseButtonDblClick:
            if (watched == EdVObj)
                EdVObjDblClick();
            else if (watched == EdVRCP)
                EdVRCPDblClick();
            else
                EdVKPrDblClick();
            swallowed = true;
            break;
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (watched == EdVObj)
                EdVObjKeyDown(key);
            else if (watched == EdVRCP)
                EdVRCPKeyDown(key);
            else
                EdVKPrKeyDown(key);
            if (watched == EdVRCP)
                swallowed = EdVRCPKeyPress(key);
            break;
        }
        default:
            break;
        }
    });
    return swallowed;
}

bool TPanelVyberu::eventFilter(QObject* watched, QEvent* event) {
    if (watched == EdVObj || watched == EdVRCP || watched == EdVKPr)
        return poleEvent(watched, event) || QGroupBox::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut && watched == EdVDatum) {
        // Only leaving the control counts: not a switch to another window, nor the picker's own calendar.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            tk::guard([this] { EdVDatumExit(); });
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        bool swallowed = false;
        tk::guard([&] { swallowed = EdVDatumKeyPress(static_cast<QKeyEvent*>(event)); });
        return swallowed;
    }
    return QGroupBox::eventFilter(watched, event);
}

void TPanelVyberu::obnov() {
    if (obnovVyber)
        obnovVyber();
}

void TPanelVyberu::NastavDatum(const QDate& datum) {
    // The program's own changes of the date do not run the change handler.
    const QSignalBlocker blocker(EdVDatum);
    EdVDatum->setDate(datum);
}

void TPanelVyberu::RBVDenClick() {
    obnov();
}
void TPanelVyberu::RBVTydenClick() {
    obnov();
}
void TPanelVyberu::RBVMesicClick() {
    obnov();
}
void TPanelVyberu::RBVRokClick() {
    obnov();
}
void TPanelVyberu::RBVVseClick() {
    obnov();
}
void TPanelVyberu::ChBVObjClick() {
    obnov();
}
void TPanelVyberu::ChBVRCPClick() {
    obnov();
}
void TPanelVyberu::ChBVKPrClick() {
    obnov();
}

void TPanelVyberu::EdVDatumChange() {
    // The picker holds dates only; its time part is always midnight.
    obnov();
}

bool TPanelVyberu::EdVDatumKeyPress(QKeyEvent* event) {
    const QString text = event->text();
    if (text.size() != 1 || event->key() == Qt::Key_Backspace)
        return false;
    const QChar c = FiltrKlavesyData(text.at(0));
    if (c.isNull())
        return true; // discarded
    if (c != text.at(0)) {
        QKeyEvent mapped(event->type(), 0, event->modifiers(), QString(c));
        QCoreApplication::sendEvent(EdVDatum->focusWidget() ? EdVDatum->focusWidget() : EdVDatum, &mapped);
        return true;
    }
    return false;
}

void TPanelVyberu::EdVDatumExit() {
    if (!dm_.SvatkyRoku(EdVDatum->date().year()))
        tk::dialogs().message(
            QStringLiteral("Pro tento rok nejsou zadány žádné svátky.\r\n1 Číselníky -> 2 Svátky -> Import"),
            tk::MessageIcon::Information);
}

Vyber TPanelVyberu::vyber() const {
    Vyber v;
    v.obdobi = RBVDen->isChecked()     ? Obdobi::Den
               : RBVTyden->isChecked() ? Obdobi::Tyden
               : RBVMesic->isChecked() ? Obdobi::Mesic
               : RBVRok->isChecked()   ? Obdobi::Rok
                                       : Obdobi::Vse;
    v.datum = EdVDatum->date();
    v.obj = ChBVObj->isChecked();
    v.objKod = EdVObj->text();
    v.objNazvano = !LbVNazObj->text().isEmpty();
    v.rcp = ChBVRCP->isChecked();
    v.rcpText = EdVRCP->text();
    v.rcpNazvano = !LbVJmPac->text().isEmpty();
    v.kpr = ChBVKPr->isChecked();
    v.kprKod = EdVKPr->text();
    v.kprNazvano = !LbVJmPr->text().isEmpty();
    v.stalyPracovnik = StalyPracovnik;
    return v;
}

void TPanelVyberu::ZvyrazniDen() {
    NepracovniDen = 0;
    bool so, ne, sv;
    const std::optional<Pracoviste> p = ChBVObj->isChecked() && !LbVNazObj->text().isEmpty()
                                            ? dm_.NajdiPracoviste(EdVObj->text())
                                            : std::nullopt;
    if (p) {
        so = p->so;
        ne = p->ne;
        sv = p->sv;
    } else {
        so = dm_.QParamPSo->asBoolean();
        ne = dm_.QParamPNe->asBoolean();
        sv = dm_.QParamPSv->asBoolean();
    }
    const QDate den = EdVDatum->date();
    if (den.dayOfWeek() == 6 && !so)
        NepracovniDen += 1;
    if (den.dayOfWeek() == 7 && !ne)
        NepracovniDen += 2;
    if (dm_.SvatekDne(den) && !sv)
        NepracovniDen += 10;
    const QColor c = NepracovniDen == 0   ? kSkyBlue
                     : NepracovniDen == 1 ? kYellow
                     : NepracovniDen == 2 ? kLightOrange
                                          : kRed;
    setBackground(LbZvyrazni, c);
}

// --- the code fields ---

void TPanelVyberu::EdVObjChange() {
    const std::optional<Pracoviste> p = dm_.NajdiPracoviste(EdVObj->text());
    if (p) {
        LbVNazObj->setText(p->nazev);
        StalyPracovnik = p->kpr;
        BbTiskO->show();
        BbOjednat->show();
    } else {
        LbVNazObj->clear();
        StalyPracovnik = QStringLiteral("00");
        BbTiskO->hide();
        ChBVObj->setChecked(false);
        BbOjednat->hide();
    }
    obnov();
}

void TPanelVyberu::EdVRCPChange() {
    if (const std::optional<QString> jmeno = dm_.JmenoKlienta(EdVRCP->text())) {
        LbVJmPac->setText(*jmeno);
        BbTiskK->show();
    } else {
        LbVJmPac->clear();
        BbTiskK->hide();
        ChBVRCP->setChecked(false);
    }
    obnov();
}

void TPanelVyberu::EdVKPrChange() {
    if (const std::optional<QString> jmeno = dm_.JmenoPracovnika(EdVKPr->text())) {
        LbVJmPr->setText(*jmeno);
        BbTiskP->show();
    } else {
        LbVJmPr->clear();
        BbTiskP->hide();
        ChBVKPr->setChecked(false);
    }
    obnov();
}

namespace {
// A code shorter than its length is filled with leading zeros; the new text runs the change again.
void doplnKod(QLineEdit* pole, int delka) {
    const QString kod = BezMezer(pole->text());
    if (kod.size() < delka)
        pole->setText(DoplnNulami(kod, delka));
}
} // namespace

void TPanelVyberu::EdVObjExit() {
    doplnKod(EdVObj, 5);
}

void TPanelVyberu::EdVKPrExit() {
    doplnKod(EdVKPr, 2);
}

void TPanelVyberu::otevri(QLineEdit* pole, const std::function<void(const QString&)>& otevirani) {
    setTag(pole, 2);
    if (otevirani)
        otevirani(pole->text().trimmed());
}

void TPanelVyberu::EdVObjDblClick() {
    otevri(EdVObj, otevriObjekty);
}
void TPanelVyberu::EdVRCPDblClick() {
    otevri(EdVRCP, otevriKlienty);
}
void TPanelVyberu::EdVKPrDblClick() {
    otevri(EdVKPr, otevriPracovniky);
}

void TPanelVyberu::EdVObjKeyDown(QKeyEvent* event) {
    if (event->key() == Qt::Key_F7)
        otevri(EdVObj, otevriObjekty);
}
void TPanelVyberu::EdVRCPKeyDown(QKeyEvent* event) {
    if (event->key() == Qt::Key_F7)
        otevri(EdVRCP, otevriKlienty);
}
void TPanelVyberu::EdVKPrKeyDown(QKeyEvent* event) {
    if (event->key() == Qt::Key_F7)
        otevri(EdVKPr, otevriPracovniky);
}

bool TPanelVyberu::EdVRCPKeyPress(QKeyEvent* event) {
    // Digits, backspace and the clipboard's copy and paste; every other character is discarded. Keys
    // without a character (arrows, Delete, F7) are not characters and pass.
    const QString text = event->text();
    if (text.isEmpty() || event->key() == Qt::Key_Backspace)
        return false;
    const QChar c = text.at(0);
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return false;
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Paste))
        return false;
    if (c.unicode() == 3 || c.unicode() == 22)
        return false;
    // Moving on (Tab, Enter) and Esc are not typing.
    if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n') || c.unicode() == 27)
        return false;
    return true;
}
