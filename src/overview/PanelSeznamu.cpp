#include "PanelSeznamu.h"

#include "data/DmKL.h"

#include "toolkit/core/Clock.h"
#include "toolkit/core/Dialogs.h"
#include "toolkit/core/Errors.h"
#include "toolkit/widgets/Look.h"

#include <QHeaderView>
#include <QStyle>
#include <QVBoxLayout>

using namespace tk;

namespace {

constexpr int kColumnWidth = 662;
// The panel lies under the detail box; its controls are placed in the window's coordinates less this.
constexpr int kTop = 183;

const QString kNapovedaTlacitka = QStringLiteral(
    "Univerzální tlačítko\r\n- Tisk dle nastavení výběru\r\n- Generování nového pracovního dne");

} // namespace

const QStringList& TPanelSeznamu::napovedyNavigatoru() {
    static const QStringList napovedy{QStringLiteral("První záznam"),
                                      QStringLiteral("Předchozí záznam"),
                                      QStringLiteral("Následující záznam"),
                                      QStringLiteral("Poslední záznam"),
                                      QStringLiteral("Přidat záznam před vybraný"),
                                      QStringLiteral("Zrušit záznam"),
                                      QStringLiteral("Upravit rezervaci"),
                                      QStringLiteral("Potvrdit změny rezervace"),
                                      QStringLiteral("Zrušit změny rezervace"),
                                      QStringLiteral("Refresh na síti")};
    return napovedy;
}

TPanelSeznamu::TPanelSeznamu(TDmKL& dm, QWidget* parent) : QWidget(parent), dm_(dm) {
    setObjectName(QStringLiteral("PSeznam"));
    vytvor();
    const auto pripoj = [this](QRadioButton* rb, void (TPanelSeznamu::*handler)()) {
        connect(rb, &QRadioButton::toggled, this, [this, handler](bool on) {
            if (on)
                tk::guard([&] { (this->*handler)(); });
        });
    };
    pripoj(RBZVolno, &TPanelSeznamu::RBZVolnoClick);
    pripoj(RBZObsazeno, &TPanelSeznamu::RBZObsazenoClick);
    pripoj(RBZVse, &TPanelSeznamu::RBZVseClick);
    connect(BbTiskNovy, &QPushButton::clicked, this, [this] { tk::guard([this] { BbTiskNovyClick(); }); });
}

void TPanelSeznamu::vytvor() {
    setGeometry(0, kTop, 3 + kColumnWidth + 3, 640 - kTop);
    tk::DataSource* ds = dm_.DSReserve;

    LbBlok = named(new QLabel(this), "LbBlok");
    LbBlok->setGeometry(209, 187 - kTop, 72, 41);
    setBackground(LbBlok, kLime);
    LbBlok->setToolTip(QStringLiteral("Je blokována rezervace pro ostaní ! "));
    LbBlok->hide();

    Navigator = named(new tk::DBNavigator(this), "Navigator");
    Navigator->setDataSource(ds);
    Navigator->setGeometry(8, 195 - kTop, 180, 30);
    NavigatorStart();

    BbTiskNovy = named(new QPushButton(this), "BbTiskNovy");
    BbTiskNovy->setGeometry(339, 192 - kTop, 65, 29);
    BbTiskNovy->setToolTip(QStringLiteral("Univerzální tlačítko"));
    BbTiskNovy->setFocusPolicy(Qt::NoFocus);
    setTag(BbTiskNovy, 0);
    BbOpakovat = named(new QPushButton(QStringLiteral("Opakovat"), this), "BbOpakovat");
    BbOpakovat->setGeometry(339 - 76, 192 - kTop, 72, 29);
    BbOpakovat->setToolTip(QStringLiteral("Objednat klienta opakovaně (Ctrl+O)"));
    BbOpakovat->setFocusPolicy(Qt::NoFocus);

    GBZobraz = named(new QGroupBox(QStringLiteral("Zobrazit"), this), "GBZobraz");
    GBZobraz->setGeometry(3 + kColumnWidth - 228, 0, 228, 50);
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

    PgCReserve = named(new QTabWidget(this), "PgCReserve");
    PgCReserve->setGeometry(3, 235 - kTop, kColumnWidth, 405);
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
    // "Doba" keeps its design width unless the face that stands in for Tahoma needs more for the title.
    QHeaderView* titles = DBGridSeznam->horizontalHeader();
    const int doba =
        std::max(34, titles->fontMetrics().horizontalAdvance(QStringLiteral("Doba")) +
                         2 * titles->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, titles) + 2);
    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    const auto centre = Qt::AlignHCenter | Qt::AlignVCenter;
    DBGridSeznam->setColumns({
        {QStringLiteral("DatumCas"), QStringLiteral("Od     "), right, 175, left, true},
        {QStringLiteral("VDatCasDo"), QStringLiteral("Do "), centre, 55, centre, true},
        {QStringLiteral("JmenoPac"), QStringLiteral("Kdo"), left, 141, left, true},
        {QStringLiteral("Doba"), QStringLiteral("Doba"), left, doba, left, true},
        {QStringLiteral("Objekt"), QStringLiteral("Kde"), centre, 52, centre, true},
        {QStringLiteral("VNazObj"), QStringLiteral("Pracoviště"), left, 115, left, true},
        {QStringLiteral("KodPrac"), QStringLiteral("RP"), centre, 22, centre, true},
        {QStringLiteral("Hotovo"), QStringLiteral("P"), centre, 15, centre, true},
        {QStringLiteral("VJmPr"), QStringLiteral("Pracovník"), left, 0, left, false},
        {QStringLiteral("RCPacienta"), QStringLiteral("RČ pacienta"), centre, 0, centre, false},
    });
}

// --- the navigator's layouts ---

void TPanelSeznamu::NavigatorStart() {
    using N = tk::DBNavigator;
    Navigator->setVisibleButtons({N::First, N::Prior, N::Next, N::Last, N::Delete, N::Refresh});
    Navigator->setHints(napovedyNavigatoru());
    Navigator->setGeometry(8, Navigator->y(), 180, Navigator->height());
}

void TPanelSeznamu::NavigatorProhlizeni() {
    using N = tk::DBNavigator;
    Navigator->setVisibleButtons({N::First, N::Prior, N::Next, N::Last, N::Insert, N::Delete, N::Edit,
                                  N::Post, N::Cancel, N::Refresh});
    Navigator->setHints(napovedyNavigatoru());
    Navigator->setGeometry(8, Navigator->y(), 300, Navigator->height());
}

void TPanelSeznamu::NavigatorJenCteni() {
    using N = tk::DBNavigator;
    Navigator->setVisibleButtons({N::First, N::Prior, N::Next, N::Last, N::Refresh});
    Navigator->setHints(napovedyNavigatoru());
    Navigator->setGeometry(8, Navigator->y(), 150, Navigator->height());
}

void TPanelSeznamu::NavigatorUprava() {
    Navigator->setVisibleButtons({tk::DBNavigator::Post, tk::DBNavigator::Cancel});
    Navigator->setHints(napovedyNavigatoru());
    Navigator->setGeometry(213, Navigator->y(), 64, Navigator->height());
}

void TPanelSeznamu::denZamcen() {
    LbBlok->show();
    GBZobraz->setEnabled(false);
    BbTiskNovy->setEnabled(false);
    BbOpakovat->hide(); // the navigator of a row being written takes its place
    DBGridSeznam->setEnabled(false);
}

void TPanelSeznamu::denOdemcen() {
    GBZobraz->setEnabled(true);
    BbTiskNovy->setEnabled(true);
    BbOpakovat->show();
    DBGridSeznam->setEnabled(true);
    LbBlok->hide();
}

// --- handlers ---

void TPanelSeznamu::obnov() {
    if (obnovVyber)
        obnovVyber();
}

void TPanelSeznamu::RBZVolnoClick() {
    obnov();
}
void TPanelSeznamu::RBZObsazenoClick() {
    obnov();
}
void TPanelSeznamu::RBZVseClick() {
    obnov();
}

Zobrazeni TPanelSeznamu::zobrazeni() const {
    return RBZVolno->isChecked() ? Zobrazeni::Volne
           : RBZVse->isChecked() ? Zobrazeni::Vse
                                 : Zobrazeni::Obsazene;
}

int TPanelSeznamu::rezimTlacitka() const {
    return tagOf(BbTiskNovy);
}

void TPanelSeznamu::SestavSeznam(const Vyber& v) {
    DBGridSeznam->hide();
    dm_.SestavSeznam(v, rezimTlacitka(), tk::clock().now());
    DBGridSeznam->show();
}

void TPanelSeznamu::NastavRezimTlacitka(int rezim) {
    RBZVolno->setVisible(true);
    RBZObsazeno->setText(QStringLiteral("Obsazené"));
    RBZObsazeno->setToolTip(QString());
    setTag(BbTiskNovy, rezim);
    switch (rezim) {
    case RezimTiskO:
        BbTiskNovy->setText(QStringLiteral("Tisk O"));
        BbTiskNovy->setToolTip(QStringLiteral("Tisk reservací Objektu pracoviště na den"));
        break;
    case RezimTiskP:
        BbTiskNovy->setText(QStringLiteral("Tisk P"));
        BbTiskNovy->setToolTip(QStringLiteral("Tisk reservací Pracovníka na den"));
        break;
    case RezimTiskK:
        BbTiskNovy->setText(QStringLiteral("Tisk K"));
        BbTiskNovy->setToolTip(QStringLiteral("Tisk reservací Klienta"));
        // The client mode shows everything or only what is still to come ("Aktuální").
        if (RBZVolno->isChecked())
            RBZVse->setChecked(true);
        RBZVolno->setVisible(false);
        RBZObsazeno->setText(QStringLiteral("Aktuální"));
        RBZObsazeno->setToolTip(QStringLiteral("Od dnešního dne včetně"));
        break;
    case RezimNovyDen:
        BbTiskNovy->setText(QStringLiteral("Nový D"));
        BbTiskNovy->setToolTip(QStringLiteral("Generování nového pracovního dne"));
        break;
    default:
        BbTiskNovy->setText(QString());
        BbTiskNovy->setToolTip(kNapovedaTlacitka);
        break;
    }
}

void TPanelSeznamu::NajdiCas(tk::TDateTime cas) {
    tk::Dataset& q = *dm_.QReserve;
    q.locate(QStringLiteral("DatumCas"), cas);
    if (!q.isEmpty() && dm_.QReserveJmenoPac->asString().startsWith(QLatin1String("==")))
        q.next();
}

void TPanelSeznamu::ZalozNovyDen() {
    try {
        dm_.ZalozNovyDen();
    } catch (const tk::Abort&) {
        BbTiskNovy->setText(QStringLiteral("<?>"));
        throw;
    }
}

void TPanelSeznamu::BbTiskNovyClick() {
    bool zalozen = false;
    const auto tiskni = [this](const QString& sestava) {
        if (tiskniSestavu)
            tiskniSestavu(sestava);
    };
    switch (rezimTlacitka()) {
    case RezimZadny:
        tk::dialogs().message(QStringLiteral("Funkce tlačítka se mění podle nastavení výběru a zobrazení."));
        break;
    case RezimNovyDen:
        if (nepracovniDen && nepracovniDen() > 0 &&
            !tk::dialogs().question(QStringLiteral("Tento den není pro vybrané pracoviště jako pracovní.\r\n"
                                                   "Chcete přesto pro tento den generovat položky ?"),
                                    true, QStringLiteral("Kalendo - Generování pracovního dne")))
            tk::abort();
        ZalozNovyDen();
        zalozen = true;
        break;
    case RezimTiskO:
        tiskni(QStringLiteral("ResOD"));
        break;
    case RezimTiskP:
        tiskni(QStringLiteral("ResPD"));
        break;
    case RezimTiskK:
        tiskni(QStringLiteral("ResKV"));
        break;
    default:
        break;
    }
    obnov();
    if (zalozen && poZalozeniDne)
        poZalozeniDne();
}
