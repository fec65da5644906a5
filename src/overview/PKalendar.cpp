#include "PKalendar.h"

#include "app/FoKL.h"
#include "data/DmKL.h"

#include "toolkit/core/Errors.h"
#include "toolkit/widgets/Look.h"

#include <QEvent>
#include <QHeaderView>

using namespace tk;

namespace {

const QColor kSvatek(255, 145, 145);
const QColor kSobota(255, 255, 0);
const QColor kNedele(254, 217, 129);
const QColor kOkno(255, 255, 255);
const QColor kVolno(0, 255, 0);
const QColor kPlno(255, 0, 0);
const QColor kVybranyDen(235, 235, 235);
const QColor kJinyDen(255, 255, 255);

const int kHlavickyX[7] = {9, 83, 158, 232, 307, 381, 456};
const int kPanelyX[7] = {10, 84, 159, 234, 308, 383, 458};
constexpr int kPanelyY = 113;

void pozadiEditu(QLineEdit* e, const QColor& c) {
    QPalette p = e->palette();
    p.setColor(QPalette::Base, c);
    e->setPalette(p);
}

QLineEdit* pole(QWidget* rodic, const char* nazev, const QString& text) {
    QLineEdit* e = named(new QLineEdit(text, rodic), nazev);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    return e;
}

} // namespace

TPKalendar::TPKalendar(TDmKL& dm, QWidget* parent) : QFrame(parent), dm_(dm) {
    setObjectName(QStringLiteral("PKalendar"));
    setBackground(this, kGradientInactiveCaption);

    PMesic = named(new QFrame(this), "PMesic");
    PMesic->setGeometry(6, 0, 517, 110);
    setBackground(PMesic, kSkyBlue);

    LbKalendar = named(new QLabel(QStringLiteral("Kalendář pracoviště"), PMesic), "LbKalendar");
    LbKalendar->setFont(tahoma(14, true));
    LbKalendar->setGeometry(9, 8, std::max(145, LbKalendar->sizeHint().width()), 24);
    EdPracoviste = pole(PMesic, "EdPracoviste", QStringLiteral("00000"));
    EdPracoviste->setFont(tahoma(14));
    EdPracoviste->setGeometry(LbKalendar->geometry().right() + 8, 6, widthFor(EdPracoviste, "000000", 56),
                              26);
    LbPracoviste = named(new QLabel(QStringLiteral("Název pracoviště"), PMesic), "LbPracoviste");
    LbPracoviste->setFont(tahoma(15, false, true));
    LbPracoviste->setGeometry(EdPracoviste->geometry().right() + 8, 6, 205, 26);

    BbTPred = named(new QPushButton(QStringLiteral("<"), PMesic), "BbTPred");
    BbTPred->setToolTip(QStringLiteral("Předchozí týden"));
    BbTPred->setGeometry(9, 42, 28, 27);
    BbTPred->setFocusPolicy(Qt::NoFocus);
    EdTyden = pole(PMesic, "EdTyden", QStringLiteral("Týd"));
    EdTyden->setFont(tahoma(15, true));
    EdTyden->setAlignment(Qt::AlignCenter);
    EdTyden->setGeometry(45, 42, 44, 27);
    LbTydRok = named(new QLabel(QStringLiteral("Týden"), PMesic), "LbTydRok");
    LbTydRok->setFont(tahoma(14));
    LbTydRok->setGeometry(93, 42, 50, 27);
    EdMesic = pole(PMesic, "EdMesic", QStringLiteral("Měsíc"));
    EdMesic->setFont(tahoma(15, true));
    EdMesic->setAlignment(Qt::AlignCenter);
    EdMesic->setGeometry(150, 42, 180, 27);
    EdRok = pole(PMesic, "EdRok", QStringLiteral("Rok"));
    EdRok->setFont(tahoma(15, true));
    EdRok->setAlignment(Qt::AlignCenter);
    EdRok->setGeometry(338, 42, 100, 27);
    BbTPo = named(new QPushButton(QStringLiteral(">"), PMesic), "BbTPo");
    BbTPo->setToolTip(QStringLiteral("Další týden"));
    BbTPo->setGeometry(480, 42, 28, 27);
    BbTPo->setFocusPolicy(Qt::NoFocus);
    connect(BbTPred, &QPushButton::clicked, this, [this] { tk::guard([this] { BbTPredClick(); }); });
    connect(BbTPo, &QPushButton::clicked, this, [this] { tk::guard([this] { BbTPoClick(); }); });

    const char* hlavicky[7] = {"EdPo", "EdUt", "EdSt", "EdCt", "EdPa", "EdSo", "EdNe"};
    const QString dny[7] = {QStringLiteral("Po"), QStringLiteral("Út"), QStringLiteral("St"),
                            QStringLiteral("Čt"), QStringLiteral("Pá"), QStringLiteral("So"),
                            QStringLiteral("Ne")};
    QLineEdit** edity[7] = {&EdPo, &EdUt, &EdSt, &EdCt, &EdPa, &EdSo, &EdNe};
    const char* panely[7] = {"PPo", "PUt", "PSt", "PCt", "PPa", "PSo", "PNe"};
    QFrame** pPanely[7] = {&PPo, &PUt, &PSt, &PCt, &PPa, &PSo, &PNe};
    const char* grids[7] = {"GrPo", "GrUt", "GrSt", "GrCt", "GrPa", "GrSo", "GrNe"};
    tk::DBGrid** pGrids[7] = {&GrPo, &GrUt, &GrSt, &GrCt, &GrPa, &GrSo, &GrNe};
    const auto zdroje = dm_.zdrojeDnu();
    for (int i = 0; i < 7; ++i) {
        QLineEdit* e = pole(PMesic, hlavicky[i], dny[i]);
        e->setFont(tahoma(16, true));
        e->setAlignment(Qt::AlignCenter);
        e->setGeometry(kHlavickyX[i], 77, 54, 27);
        e->installEventFilter(this);
        *edity[i] = e;

        QFrame* p = named(new QFrame(this), panely[i]);
        setBackground(p, kSkyBlue);
        *pPanely[i] = p;

        auto* g = named(new tk::DBGrid(p), grids[i]);
        g->setReadOnlyGrid(true);
        g->setSelectionBehavior(QAbstractItemView::SelectRows);
        g->setSelectionMode(QAbstractItemView::SingleSelection);
        g->setShowGrid(true);
        g->horizontalHeader()->hide();
        g->verticalHeader()->hide();
        g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        g->setFocusPolicy(Qt::NoFocus);
        g->setFont(tahoma(13));
        g->setDataSource(zdroje[i]);
        // The times are never cut to "08…"; the mark column gives up what the face in use needs more.
        g->setTextElideMode(Qt::ElideNone);
        g->setColumns({{QStringLiteral("DatumCas"), QString(), Qt::AlignLeft, 43, Qt::AlignLeft, true},
                       {QStringLiteral("VVolno"), QString(), Qt::AlignCenter, 16, Qt::AlignCenter, true}});
        g->setColumnStyle(0, {kJinyDen, QColor(0, 0, 0), tahoma(13), true});
        g->setColumnStyle(1, {kJinyDen, QColor(255, 0, 0), tahoma(13, true), true});
        *pGrids[i] = g;
        connect(g, &QAbstractItemView::clicked, this, [this, i] {
            tk::guard([this, i] {
                void (TPKalendar::*h[7])() = {&TPKalendar::GrPoCellClick, &TPKalendar::GrUtCellClick,
                                              &TPKalendar::GrStCellClick, &TPKalendar::GrCtCellClick,
                                              &TPKalendar::GrPaCellClick, &TPKalendar::GrSoCellClick,
                                              &TPKalendar::GrNeCellClick};
                (this->*h[i])();
            });
        });
        connect(g, &tk::DBGrid::cellDoubleClicked, this, [this, i] {
            tk::guard([this, i] {
                void (TPKalendar::*h[7])() = {&TPKalendar::GrPoDblClick, &TPKalendar::GrUtDblClick,
                                              &TPKalendar::GrStDblClick, &TPKalendar::GrCtDblClick,
                                              &TPKalendar::GrPaDblClick, &TPKalendar::GrSoDblClick,
                                              &TPKalendar::GrNeDblClick};
                (this->*h[i])();
            });
        });
    }
    pozadiEditu(EdSo, kSobota);
    pozadiEditu(EdNe, kNedele);
    resize(529, 635);
}

void TPKalendar::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    // The day panels follow the calendar's height.
    const auto p = pasy();
    const auto g = mrizky();
    const int vyska = std::max(40, height() - kPanelyY - 4);
    for (int i = 0; i < 7; ++i) {
        p[i]->setGeometry(kPanelyX[i], kPanelyY, 62, vyska);
        const int odshora = i == 0 ? 11 : 10;
        g[i]->setGeometry(0, odshora, 62, vyska - odshora);
    }
}

void TPKalendar::SestavKalendar(const QDate& datum, int denTydne, const QString& objekt,
                                const QString& nazev) {
    QDate* dny[7] = {&DatumPo, &DatumUt, &DatumSt, &DatumCt, &DatumPa, &DatumSo, &DatumNe};
    for (int k = 1; k <= 7; ++k)
        *dny[k - 1] = datum.addDays(k - denTydne);

    const QString zkratky[7] = {QStringLiteral("Po "), QStringLiteral("Út "), QStringLiteral("St "),
                                QStringLiteral("Čt "), QStringLiteral("Pá "), QStringLiteral("So "),
                                QStringLiteral("Ne ")};
    const auto h = hlavicky();
    for (int i = 0; i < 7; ++i)
        h[i]->setText(zkratky[i] + QString::number(dny[i]->day()));

    const QStringList& mesice = TFoKL::NazvyMesicu;
    EdMesic->setText(DatumPo.month() == DatumNe.month() ? mesice.at(DatumPo.month() - 1)
                                                        : mesice.at(DatumPo.month() - 1) + QLatin1Char('/') +
                                                              mesice.at(DatumNe.month() - 1));
    EdTyden->setText(QString::number(DatumPo.weekNumber()) + QLatin1Char('.'));
    EdRok->setText(DatumNe.year() > DatumPo.year()
                       ? QString::number(DatumPo.year()) + QLatin1Char('/') + QString::number(DatumNe.year())
                       : QString::number(DatumPo.year()));
    EdPracoviste->setText(objekt);
    LbPracoviste->setText(nazev);
    LbPracoviste->resize(205, LbPracoviste->height());

    const auto dotazy = dm_.dnyTydne();
    for (tk::Dataset* q : dotazy)
        q->close();
    const bool so = dm_.QParamPSo->asBoolean();
    const bool ne = dm_.QParamPNe->asBoolean();
    const auto p = pasy();
    const auto g = mrizky();
    for (int i = 0; i < 7; ++i) {
        const QDate den = *dny[i];
        QColor barva = kOkno;
        if (dm_.SvatekDne(den))
            barva = kSvatek;
        else if (i == 5 && !so)
            barva = kSobota;
        else if (i == 6 && !ne)
            barva = kNedele;
        pozadiEditu(h[i], barva);

        dm_.OtevriDenKalendare(i, objekt, den);
        tk::Dataset& q = *dotazy[i];
        tk::Field& volno = *q.findField(QStringLiteral("VVolno"));
        int volnych = 0;
        for (q.first(); !q.eof(); q.next()) {
            if (volno.asString() == QLatin1String(" "))
                ++volnych;
        }
        setBackground(p[i], volnych > 0 || q.isEmpty() ? kVolno : kPlno);

        const QColor stin = den == datum ? kVybranyDen : kJinyDen;
        for (int c = 0; c < 2; ++c) {
            tk::GridColumnStyle st = g[i]->columnStyle(c);
            st.color = stin;
            g[i]->setColumnStyle(c, st);
        }
    }
}

// ----------------------------------------------------------------------------------------------------
// Clicks

bool TPKalendar::eventFilter(QObject* watched, QEvent* event) {
    const auto h = hlavicky();
    for (int i = 0; i < 7; ++i) {
        if (watched != h[i])
            continue;
        if (event->type() == QEvent::MouseButtonPress)
            tk::guard([this, i] { klikHlavicky(i); });
        else if (event->type() == QEvent::MouseButtonDblClick)
            tk::guard([this, i] { dvojklikHlavicky(i); });
        else
            break;
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

void TPKalendar::klikHlavicky(int den) {
    void (TPKalendar::*h[7])() = {&TPKalendar::EdPoClick, &TPKalendar::EdUtClick, &TPKalendar::EdStClick,
                                  &TPKalendar::EdCtClick, &TPKalendar::EdPaClick, &TPKalendar::EdSoClick,
                                  &TPKalendar::EdNeClick};
    (this->*h[den])();
}

void TPKalendar::dvojklikHlavicky(int den) {
    void (TPKalendar::*h[7])() = {&TPKalendar::EdPoDblClick, &TPKalendar::EdUtDblClick,
                                  &TPKalendar::EdStDblClick, &TPKalendar::EdCtDblClick,
                                  &TPKalendar::EdPaDblClick, &TPKalendar::EdSoDblClick,
                                  &TPKalendar::EdNeDblClick};
    (this->*h[den])();
}

int TPKalendar::idResRadku(int den) const {
    const tk::Dataset& q = *dm_.dnyTydne().at(den);
    if (!q.isActive() || q.isEmpty())
        return 0;
    return q.findField(QStringLiteral("IDRes"))->asInteger();
}

void TPKalendar::klikMrizky(int den) {
    const int id = idResRadku(den);
    if (id > 0)
        Q_EMIT radekVybran(id);
}

void TPKalendar::dvojklikMrizky(int den) {
    const int id = idResRadku(den);
    if (id > 0)
        Q_EMIT radekKRezervaci(datumy().at(den), den, id);
}

void TPKalendar::EdPoClick() {
    Q_EMIT denVybran(DatumPo);
}
void TPKalendar::EdUtClick() {
    Q_EMIT denVybran(DatumUt);
}
void TPKalendar::EdStClick() {
    Q_EMIT denVybran(DatumSt);
}
void TPKalendar::EdCtClick() {
    Q_EMIT denVybran(DatumCt);
}
void TPKalendar::EdPaClick() {
    Q_EMIT denVybran(DatumPa);
}
void TPKalendar::EdSoClick() {
    Q_EMIT denVybran(DatumSo);
}
void TPKalendar::EdNeClick() {
    Q_EMIT denVybran(DatumNe);
}
void TPKalendar::EdPoDblClick() {
    Q_EMIT denKRezervaci(DatumPo);
}
void TPKalendar::EdUtDblClick() {
    Q_EMIT denKRezervaci(DatumUt);
}
void TPKalendar::EdStDblClick() {
    Q_EMIT denKRezervaci(DatumSt);
}
void TPKalendar::EdCtDblClick() {
    Q_EMIT denKRezervaci(DatumCt);
}
void TPKalendar::EdPaDblClick() {
    Q_EMIT denKRezervaci(DatumPa);
}
void TPKalendar::EdSoDblClick() {
    Q_EMIT denKRezervaci(DatumSo);
}
void TPKalendar::EdNeDblClick() {
    Q_EMIT denKRezervaci(DatumNe);
}
void TPKalendar::GrPoCellClick() {
    klikMrizky(0);
}
void TPKalendar::GrUtCellClick() {
    klikMrizky(1);
}
void TPKalendar::GrStCellClick() {
    klikMrizky(2);
}
void TPKalendar::GrCtCellClick() {
    klikMrizky(3);
}
void TPKalendar::GrPaCellClick() {
    klikMrizky(4);
}
void TPKalendar::GrSoCellClick() {
    klikMrizky(5);
}
void TPKalendar::GrNeCellClick() {
    klikMrizky(6);
}
void TPKalendar::GrPoDblClick() {
    dvojklikMrizky(0);
}
void TPKalendar::GrUtDblClick() {
    dvojklikMrizky(1);
}
void TPKalendar::GrStDblClick() {
    dvojklikMrizky(2);
}
void TPKalendar::GrCtDblClick() {
    dvojklikMrizky(3);
}
void TPKalendar::GrPaDblClick() {
    dvojklikMrizky(4);
}
void TPKalendar::GrSoDblClick() {
    dvojklikMrizky(5);
}
void TPKalendar::GrNeDblClick() {
    dvojklikMrizky(6);
}
void TPKalendar::BbTPoClick() {
    Q_EMIT tydenPosun(7);
}
void TPKalendar::BbTPredClick() {
    Q_EMIT tydenPosun(-7);
}
