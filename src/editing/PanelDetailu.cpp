#include "PanelDetailu.h"

#include "data/DmKL.h"
#include "data/Kontroly.h"
#include "overview/PanelVyberu.h"

#include "toolkit/core/Errors.h"
#include "toolkit/widgets/ElidedLabel.h"
#include "toolkit/widgets/Look.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

using namespace tk;

namespace {
constexpr int kColumnWidth = 662;
} // namespace

TPanelDetailu::TPanelDetailu(TDmKL& dm, QWidget* parent)
    : QGroupBox(QStringLiteral("Detail rezervace"), parent), dm_(dm) {
    setObjectName(QStringLiteral("GBDetail"));
    vytvor();
    pripoj();
}

void TPanelDetailu::pripoj() {
    const auto zmena = [this](tk::DBEdit* e, void (TPanelDetailu::*handler)()) {
        connect(e, &QLineEdit::textChanged, this,
                [this, handler] { tk::guard([&] { (this->*handler)(); }); });
    };
    zmena(EdDDatum, &TPanelDetailu::EdDDatumChange);
    zmena(EdDCasDo, &TPanelDetailu::EdDCasDoChange);
    zmena(EdDRCP, &TPanelDetailu::EdDRCPChange);
    zmena(EdDObj, &TPanelDetailu::EdDObjChange);
    zmena(EdDKPr, &TPanelDetailu::EdDKPrChange);
    const auto krok = [this](TUpDown* u, void (TPanelDetailu::*handler)(bool)) {
        connect(u, &TUpDown::clicked, this,
                [this, handler](bool nahoru) { tk::guard([&] { (this->*handler)(nahoru); }); });
    };
    krok(UpDwHod, &TPanelDetailu::UpDwHodClick);
    krok(UpDw10min, &TPanelDetailu::UpDw10minClick);
    krok(UpDwMin, &TPanelDetailu::UpDwMinClick);
    krok(UpDwDoba, &TPanelDetailu::UpDwDobaClick);
    for (QWidget* w :
         {static_cast<QWidget*>(EdDDatum), static_cast<QWidget*>(EdDRCP), static_cast<QWidget*>(EdDKPr)})
        w->installEventFilter(this);
}

bool TPanelDetailu::eventFilter(QObject* watched, QEvent* event) {
    bool vzato = false;
    tk::guard([&] {
        switch (event->type()) {
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (watched == EdDDatum)
                vzato = EdDDatumKeyPress(key);
            else if (watched == EdDRCP)
                EdDRCPKeyDown(key);
            else if (watched == EdDKPr)
                EdDKPrKeyDown(key);
            break;
        }
        case QEvent::MouseButtonDblClick:
            if (watched == EdDRCP) {
                EdDRCPDblClick();
                vzato = true;
            } else if (watched == EdDKPr) {
                EdDKPrDblClick();
                vzato = true;
            }
            break;
        case QEvent::MouseButtonPress:
            if (watched == EdDRCP)
                vzato = EdDRCPMouseDown(static_cast<QMouseEvent*>(event));
            break;
        case QEvent::ContextMenu:
            // The right click copies the client; no menu over it.
            vzato = watched == EdDRCP;
            break;
        case QEvent::FocusIn:
            if (watched == EdDKPr)
                EdDKPrEnter();
            break;
        case QEvent::FocusOut:
            if (watched == EdDKPr)
                EdDKPrExit();
            break;
        default:
            break;
        }
    });
    return vzato || QGroupBox::eventFilter(watched, event);
}

bool TPanelDetailu::piseSe() const {
    return dm_.QReserve->isEditing();
}

// --- names of the row's client, worker and workplace ---

void TPanelDetailu::EdDRCPChange() {
    if (!piseSe())
        return;
    const QString T = EdDRCP->shownText();
    const std::optional<QString> jmeno = dm_.JmenoKlienta(T);
    QString text = jmeno.value_or(QString());
    // The codes of the marker rows stand for the day's bounds, whatever client they might name.
    static const QStringList znacky{QStringLiteral("======ZPD======="), QStringLiteral("======ZPP======="),
                                    QStringLiteral("======KPP======="), QStringLiteral("======KPD=======")};
    const QString kod = BezMezer(T);
    if (kod.size() == 1 && kod.at(0) >= QLatin1Char('1') && kod.at(0) <= QLatin1Char('4'))
        text = znacky.at(kod.at(0).unicode() - '1');
    if (dm_.QReserveJmenoPac->asString() != text)
        dm_.QReserveJmenoPac->setAsString(text);
}

void TPanelDetailu::EdDKPrChange() {
    const std::optional<QString> jmeno = dm_.JmenoPracovnika(EdDKPr->shownText());
    LbDJmPr->setText(jmeno.value_or(QString()));
}

void TPanelDetailu::EdDObjChange() {
    const std::optional<Pracoviste> p = dm_.NajdiPracoviste(EdDObj->shownText());
    LbDNazObj->setText(p ? p->nazev : QString());
}

// --- copying the selection's client ---

void TPanelDetailu::KopirujKlienta() {
    if (!piseSe())
        return;
    const QString klient = dm_.aktualniVyber().rcpText;
    if (!klient.trimmed().isEmpty())
        dm_.QReserveRCPacienta->setAsString(klient);
}

bool TPanelDetailu::EdDRCPMouseDown(QMouseEvent* event) {
    const bool ctrlLevym = event->button() == Qt::LeftButton && (event->modifiers() & Qt::ControlModifier);
    if (!ctrlLevym && event->button() != Qt::RightButton)
        return false;
    KopirujKlienta();
    return true;
}

// --- pickers ---

void TPanelDetailu::EdDRCPDblClick() {
    setTag(EdDRCP, 2);
    const Vyber v = dm_.aktualniVyber();
    QString kod = EdDRCP->text();
    if (kod.trimmed().isEmpty() && v.rcpNazvano)
        kod = v.rcpText;
    if (otevriKlienty)
        otevriKlienty(kod.trimmed());
}

void TPanelDetailu::EdDKPrDblClick() {
    setTag(EdDKPr, 2);
    const Vyber v = dm_.aktualniVyber();
    QString kod = EdDKPr->text();
    if (kod.trimmed().isEmpty() && v.kprNazvano)
        kod = v.kprKod;
    if (otevriPracovniky)
        otevriPracovniky(kod.trimmed());
}

void TPanelDetailu::EdDRCPKeyDown(QKeyEvent* event) {
    if (event->key() == Qt::Key_F7) {
        setTag(EdDRCP, 2);
        if (otevriKlienty)
            otevriKlienty(EdDRCP->text().trimmed());
    } else if (event->key() == Qt::Key_Insert) {
        KopirujKlienta();
    }
}

void TPanelDetailu::EdDKPrKeyDown(QKeyEvent* event) {
    if (event->key() == Qt::Key_F7) {
        setTag(EdDKPr, 2);
        if (otevriPracovniky)
            otevriPracovniky(EdDKPr->text().trimmed());
    }
}

// --- the worker's code ---

void TPanelDetailu::EdDKPrEnter() {
    // An empty code starts typing at the first position.
    if (EdDKPr->text().trimmed().isEmpty() && EdDKPr->canModify())
        EdDKPr->setCursorPosition(0);
}

void TPanelDetailu::EdDKPrExit() {
    if (!piseSe())
        return;
    const QString kod = dm_.QReserveKodPrac->asString();
    if (kod.contains(QLatin1Char(' ')))
        dm_.QReserveKodPrac->setAsString(DoplnNulami(BezMezer(kod), 2));
}

// --- step buttons ---

void TPanelDetailu::posunStart(double oKolik) {
    if (!piseSe())
        tk::abort();
    dm_.QReserveDatumCas->setAsDateTime(dm_.QReserveDatumCas->asDateTime() + oKolik);
}

void TPanelDetailu::UpDwHodClick(bool nahoru) {
    posunStart((nahoru ? 1 : -1) / 24.0);
}
void TPanelDetailu::UpDw10minClick(bool nahoru) {
    posunStart((nahoru ? 10 : -10) / 1440.0);
}
void TPanelDetailu::UpDwMinClick(bool nahoru) {
    posunStart((nahoru ? 1 : -1) / 1440.0);
}
void TPanelDetailu::UpDwDobaClick(bool nahoru) {
    if (!piseSe())
        tk::abort();
    const int doba = dm_.QReserveDoba->asInteger();
    if (nahoru)
        dm_.QReserveDoba->setAsInteger(doba + 1);
    else if (doba > 0)
        dm_.QReserveDoba->setAsInteger(doba - 1);
}

// --- the start's keys and the warning colours ---

bool TPanelDetailu::EdDDatumKeyPress(QKeyEvent* event) {
    const QString text = event->text();
    // Keys without a character (arrows, Tab) and moving on are not typing.
    if (text.size() != 1 || text.at(0) == QLatin1Char('\t') || text.at(0) == QLatin1Char('\r'))
        return false;
    if (!piseSe())
        return true;
    if (event->key() == Qt::Key_Backspace)
        return false;
    const QChar c = FiltrKlavesyData(text.at(0));
    if (c.isNull())
        return true;
    if (c != text.at(0)) {
        QKeyEvent mapped(event->type(), 0, event->modifiers(), QString(c));
        QCoreApplication::sendEvent(EdDDatum, &mapped);
        return true;
    }
    return false;
}

void TPanelDetailu::EdDDatumChange() {
    const bool mimo = piseSe() && !dm_.QReserveDatumCas->isNull() &&
                      dm_.QReserveDatumCas->asDateTime() < dm_.KonecPredchozi - tk::kTolerance;
    setEditTextColor(EdDDatum, mimo ? kRed : QColor(Qt::black));
}

void TPanelDetailu::EdDCasDoChange() {
    const bool mimo = piseSe() && !dm_.QReserveVDatCasDo->isNull() &&
                      dm_.QReserveVDatCasDo->asDateTime() > dm_.ZacatekNasledujici + tk::kTolerance;
    setEditTextColor(EdDCasDo, mimo ? kRed : QColor(Qt::black));
}

void TPanelDetailu::povolKroky(bool povolit) {
    for (auto* u : {UpDwHod, UpDw10min, UpDwMin, UpDwDoba})
        u->setEnabled(povolit);
}

void TPanelDetailu::fokusPole(const QString& pole) {
    for (tk::DBEdit* e : {EdDDatum, EdDCasDo, EdDDoba, EdDObj, EdDRCP, EdDJmPac, EdDKPr}) {
        if (e->dataField() == pole) {
            e->setFocus();
            return;
        }
    }
}

void TPanelDetailu::zrusVarovani() {
    for (auto* e : {EdDDatum, EdDCasDo})
        setEditTextColor(e, Qt::black);
}

void TPanelDetailu::vytvor() {
    setGeometry(3, 98, kColumnWidth, 85);
    const int inner = kColumnWidth - 3;
    tk::DataSource* ds = dm_.DSReserve;

    auto label = [&](const char* name, const QString& caption, const QFont& font) {
        QLabel* l = named(new QLabel(caption, this), name);
        l->setFont(font);
        return l;
    };
    auto edit = [&](const char* name, const char* field, const QFont& font) {
        tk::DBEdit* e = named(new tk::DBEdit(this), name);
        e->setFont(font);
        e->setDataSource(ds);
        e->setDataField(QLatin1String(field));
        return e;
    };
    auto upDown = [&](const char* name, const QString& hint, int maximum, int position) {
        TUpDown* u = named(new TUpDown(this), name);
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
    LbDNazObj = named(new tk::ElidedLabel(QStringLiteral("Název pracoviště"), this), "LbDNazObj");
    LbDNazObj->setFont(tahoma(13, false, true));

    LbKdo = label("LbKdo", QStringLiteral("Kdo"), tahoma(16));
    EdDRCP = edit("EdDRCP", "RCPacienta", tahoma(17));
    EdDRCP->setMaxLength(10);
    EdDJmPac = edit("EdDJmPac", "JmenoPac", tahoma(17, true, true));
    ChBDHotovo = named(new tk::DBCheckBox(this), "ChBDHotovo");
    ChBDHotovo->setDataSource(ds);
    ChBDHotovo->setDataField(QStringLiteral("Hotovo"));
    ChBDHotovo->setToolTip(QStringLiteral("Provedeno"));
    ChBDHotovo->setFocusPolicy(Qt::ClickFocus);
    LbKym = label("LbKym", QStringLiteral("Kým"), tahoma(16));
    EdDKPr = edit("EdDKPr", "KodPrac", tahoma(13));
    EdDKPr->setMaxLength(2);
    LbDJmPr = named(new tk::ElidedLabel(QStringLiteral("Jméno Pracovníka"), this), "LbDJmPr");
    LbDJmPr->setFont(tahoma(13, false, true));

    // First line: when, how long, where. The names keep their fixed 120 px at the right: where a wider face
    // stands in for Tahoma, the step buttons narrow and the gaps close up until they fit.
    const int y1 = 24, y2 = 54, h = 27;
    int x = 8;
    auto place = [&](QWidget* w, int y, int width, int height, int gap = 3) {
        w->setGeometry(x, y + (h - height) / 2, width, height);
        x += width + gap;
    };
    const QString sampleDate = QStringLiteral("po 30.12.2026  10:00");
    const auto advance = [](const QWidget* w, const char* text) {
        return w->fontMetrics().horizontalAdvance(QString::fromUtf8(text));
    };
    const int labelText = std::max(
        {advance(LbKdy, "Kdy"), advance(LbKdo, "Kdo"), advance(LbKde, "Kde"), advance(LbKym, "Kým")});
    int whereX = 0, codeX = 0;
    struct Tightness {
        int left, spin, gap, labelPad, wideGap;
    };
    for (const Tightness t :
         {Tightness{8, 15, 2, 4, 6}, Tightness{6, 13, 1, 2, 3}, Tightness{4, 12, 1, 1, 2}}) {
        x = t.left;
        place(LbKdy, y1, labelText + t.labelPad, h, t.gap);
        place(EdDDatum, y1, widthFor(EdDDatum, sampleDate, 175, 8), h, 1);
        place(UpDwHod, y1, t.spin, h, 0);
        place(UpDw10min, y1, t.spin, h, 0);
        place(UpDwMin, y1, t.spin, h, t.gap);
        place(LbPomlcka, y1, advance(LbPomlcka, "-") + 2, h, t.gap);
        place(EdDCasDo, y1, widthFor(EdDCasDo, QStringLiteral("00:00"), 48, 8), h, t.gap);
        place(LbDoba, y1, advance(LbDoba, "tj.") + 2, h, t.gap);
        place(EdDDoba, y1, widthFor(EdDDoba, QStringLiteral("000"), 34, 8), h, 0);
        place(UpDwDoba, y1, t.spin, h, t.gap);
        place(LbMin, y1, advance(LbMin, "min") + 2, h, t.wideGap);
        whereX = x;
        place(LbKde, y1, labelText + t.labelPad, h, t.gap);
        codeX = x;
        place(EdDObj, y1, widthFor(EdDObj, QStringLiteral("00000"), 40, 8), 24);
        if (inner - x >= 120)
            break;
    }
    const int left = LbKdy->x();
    LbDNazObj->setGeometry(x, y1, std::min(120, inner - x), h);

    // Second line: who, done, by whom.
    x = left;
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
