#include "FoOpakovat.h"

#include "data/DmKL.h"

#include "toolkit/core/Errors.h"
#include "toolkit/widgets/Look.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLocale>
#include <QVBoxLayout>

using tk::named;

namespace {

QString cas(int minuta) {
    return QStringLiteral("%1:%2").arg(minuta / 60).arg(minuta % 60, 2, 10, QLatin1Char('0'));
}

QString den(const QDate& d) {
    return QLocale(QLocale::Czech).toString(d, QStringLiteral("ddd d.M.yyyy"));
}

const QColor kZelena(0xd8, 0xf0, 0xd0);
const QColor kCervena(0xf8, 0xd8, 0xd0);

} // namespace

TFoOpakovat::TFoOpakovat(TDmKL& dm, const Kurz& kurz, QWidget* parent)
    : QDialog(parent), dm_(dm), kurz_(kurz) {
    setObjectName(QStringLiteral("FoOpakovat"));
    setWindowTitle(QStringLiteral("Opakovat rezervaci"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(560, 470);

    LbKurz = named(new QLabel(this), "LbKurz");
    LbKurz->setText(QStringLiteral("%1, pracoviště %2, %3 %4, %5 min")
                        .arg(kurz.jmeno.trimmed().isEmpty() ? kurz.rc : kurz.jmeno.trimmed(), kurz.objKod,
                             den(kurz.od), cas(kurz.minuta))
                        .arg(kurz.doba));

    EdPocet = named(new QSpinBox(this), "EdPocet");
    EdPocet->setRange(1, 52);
    EdPocet->setValue(10);
    auto* LbPocet = named(new QLabel(QStringLiteral("Počet dalších návštěv"), this), "LbPocet");
    LbPocet->setBuddy(EdPocet);

    RBKazdyTyden = named(new QRadioButton(QStringLiteral("každý týden"), this), "RBKazdyTyden");
    RBKazdeDvaTydny = named(new QRadioButton(QStringLiteral("každé dva týdny"), this), "RBKazdeDvaTydny");
    RBDnyTydne = named(new QRadioButton(QStringLiteral("ve dnech"), this), "RBDnyTydne");
    RBKazdyTyden->setChecked(true);
    auto* krok = new QButtonGroup(this);
    for (QRadioButton* rb : {RBKazdyTyden, RBKazdeDvaTydny, RBDnyTydne})
        krok->addButton(rb);
    const QStringList dny{QStringLiteral("Po"), QStringLiteral("Út"), QStringLiteral("St"),
                          QStringLiteral("Čt"), QStringLiteral("Pá"), QStringLiteral("So"),
                          QStringLiteral("Ne")};
    auto* radekDnu = new QHBoxLayout;
    radekDnu->addWidget(RBDnyTydne);
    for (int i = 0; i < 7; ++i) {
        ChBDen[i] = new QCheckBox(dny[i], this);
        ChBDen[i]->setObjectName(QStringLiteral("ChBDen%1").arg(i + 1));
        ChBDen[i]->setChecked(i + 1 == kurz.od.dayOfWeek());
        radekDnu->addWidget(ChBDen[i]);
    }
    radekDnu->addStretch();

    SGTerminy = named(new QTableWidget(0, 3, this), "SGTerminy");
    SGTerminy->setHorizontalHeaderLabels(
        {QStringLiteral("Datum"), QStringLiteral("Čas"), QStringLiteral("Co se stane")});
    SGTerminy->verticalHeader()->hide();
    SGTerminy->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SGTerminy->setSelectionMode(QAbstractItemView::NoSelection);
    SGTerminy->horizontalHeader()->setStretchLastSection(true);
    SGTerminy->setColumnWidth(0, 120);
    SGTerminy->setColumnWidth(1, 60);

    LbVysledek = named(new QLabel(this), "LbVysledek");
    LbVysledek->setWordWrap(true);
    BbObjednat = named(new QPushButton(QStringLiteral("Objednat"), this), "BbObjednat");
    BbTiskK = named(new QPushButton(QStringLiteral("Tisk K"), this), "BbTiskK");
    BbTiskK->setToolTip(QStringLiteral("Tisk reservací Klienta"));
    BbTiskK->hide();
    BbZavrit = named(new QPushButton(QStringLiteral("Zavřít"), this), "BbZavrit");

    auto* nastaveni = new QGridLayout;
    nastaveni->addWidget(LbPocet, 0, 0);
    nastaveni->addWidget(EdPocet, 0, 1, Qt::AlignLeft);
    nastaveni->addWidget(RBKazdyTyden, 1, 0);
    nastaveni->addWidget(RBKazdeDvaTydny, 1, 1);
    auto* tlacitka = new QHBoxLayout;
    tlacitka->addStretch();
    tlacitka->addWidget(BbObjednat);
    tlacitka->addWidget(BbTiskK);
    tlacitka->addWidget(BbZavrit);
    auto* okno = new QVBoxLayout(this);
    okno->addWidget(LbKurz);
    okno->addLayout(nastaveni);
    okno->addLayout(radekDnu);
    okno->addWidget(SGTerminy, 1);
    okno->addWidget(LbVysledek);
    okno->addLayout(tlacitka);

    const auto zmena = [this] { tk::guard([this] { ZmenaNastaveni(); }); };
    connect(EdPocet, &QSpinBox::valueChanged, this, zmena);
    for (QRadioButton* rb : {RBKazdyTyden, RBKazdeDvaTydny, RBDnyTydne})
        connect(rb, &QRadioButton::toggled, this, [zmena](bool on) {
            if (on)
                zmena();
        });
    for (QCheckBox* ch : ChBDen)
        connect(ch, &QCheckBox::toggled, this, [this, zmena] {
            if (RBDnyTydne->isChecked())
                zmena();
        });
    connect(BbObjednat, &QPushButton::clicked, this, [this] { tk::guard([this] { BbObjednatClick(); }); });
    connect(BbTiskK, &QPushButton::clicked, this, [this] { tk::guard([this] { BbTiskKClick(); }); });
    connect(BbZavrit, &QPushButton::clicked, this, &QDialog::accept);
    BbObjednat->setDefault(true);
    ZmenaNastaveni();
}

QList<QDate> TFoOpakovat::terminy() const {
    QSet<int> dny;
    for (int i = 0; i < 7; ++i)
        if (ChBDen[i]->isChecked())
            dny.insert(i + 1);
    const KrokKurzu krok = RBKazdyTyden->isChecked()      ? KrokKurzu::KazdyTyden
                           : RBKazdeDvaTydny->isChecked() ? KrokKurzu::KazdeDvaTydny
                                                          : KrokKurzu::DnyVTydnu;
    return TerminyKurzu(kurz_.od, EdPocet->value(), krok, dny);
}

void TFoOpakovat::ZmenaNastaveni() {
    const QList<TerminKurzu> nahled = dm_.NahledKurzu(kurz_, terminy());
    ukaz(nahled);
    const auto lze =
        std::count_if(nahled.begin(), nahled.end(), [](const TerminKurzu& t) { return lzeObjednat(t.stav); });
    BbObjednat->setEnabled(lze > 0);
    LbVysledek->setText(nahled.isEmpty()
                            ? QStringLiteral("Vyberte alespoň jeden den v týdnu.")
                            : QStringLiteral("Lze objednat %1 z %2.").arg(lze).arg(nahled.size()));
}

void TFoOpakovat::BbObjednatClick() {
    const QList<TerminKurzu> vysledek = dm_.ObjednejKurz(kurz_, terminy());
    ukaz(vysledek);
    const auto objednano = std::count_if(vysledek.begin(), vysledek.end(), [](const TerminKurzu& t) {
        return t.stav == StavTerminu::Objednano;
    });
    QStringList nelze;
    for (const TerminKurzu& t : vysledek)
        if (t.stav != StavTerminu::Objednano)
            nelze << den(t.datum) + QStringLiteral(" – ") + t.text;
    LbVysledek->setText(
        QStringLiteral("Objednáno %1 z %2.").arg(objednano).arg(vysledek.size()) +
        (nelze.isEmpty() ? QString() : QStringLiteral(" Neobjednáno:\n") + nelze.join(QLatin1Char('\n'))));
    // The course is done: the settings no longer describe what is stored.
    for (QWidget* w : std::initializer_list<QWidget*>{EdPocet, RBKazdyTyden, RBKazdeDvaTydny, RBDnyTydne})
        w->setEnabled(false);
    for (QCheckBox* ch : ChBDen)
        ch->setEnabled(false);
    BbObjednat->setEnabled(false);
    BbTiskK->setVisible(bool(tiskKlienta) && objednano > 0);
    Q_EMIT kurzObjednan();
}

void TFoOpakovat::BbTiskKClick() {
    if (tiskKlienta)
        tiskKlienta();
}

void TFoOpakovat::ukaz(const QList<TerminKurzu>& terminy) {
    SGTerminy->setRowCount(int(terminy.size()));
    for (int i = 0; i < terminy.size(); ++i) {
        const TerminKurzu& t = terminy[i];
        const QColor barva = lzeObjednat(t.stav) || t.stav == StavTerminu::Objednano ? kZelena : kCervena;
        const QStringList texty{den(t.datum), cas(kurz_.minuta), t.text};
        for (int j = 0; j < 3; ++j) {
            auto* polozka = new QTableWidgetItem(texty[j]);
            polozka->setBackground(barva);
            SGTerminy->setItem(i, j, polozka);
        }
    }
}
