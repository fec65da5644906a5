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
