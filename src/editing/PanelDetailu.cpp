#include "PanelDetailu.h"

#include "data/DmKL.h"

#include "toolkit/widgets/Look.h"

using namespace tk;

namespace {
constexpr int kColumnWidth = 662;
} // namespace

TPanelDetailu::TPanelDetailu(TDmKL& dm, QWidget* parent)
    : QGroupBox(QStringLiteral("Detail rezervace"), parent), dm_(dm) {
    setObjectName(QStringLiteral("GBDetail"));
    vytvor();
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
    LbDNazObj = label("LbDNazObj", QStringLiteral("Název pracoviště"), tahoma(13, false, true));

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
    LbDJmPr = label("LbDJmPr", QStringLiteral("Jméno Pracovníka"), tahoma(13, false, true));

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
