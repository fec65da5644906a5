// The selection of the main window and the reservation list it yields.

#include "app/FoKL.h"
#include "data/DmKL.h"
#include "overview/Vyber.h"
#include "toolkit/core/Clock.h"
#include "toolkit/core/Dialogs.h"
#include "toolkit/core/Errors.h"
#include "toolkit/core/SqlQuote.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace {

const QColor kSkyBlue(166, 202, 240);
const QColor kYellow(255, 255, 0);
const QColor kLightOrange(254, 217, 129);
const QColor kRed(255, 0, 0);

const QString kNapovedaTlacitka = QStringLiteral(
    "Univerzální tlačítko\r\n- Tisk dle nastavení výběru\r\n- Generování nového pracovního dne");

void barva(QWidget* w, const QColor& c) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

} // namespace

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

void TFoKL::PripojVyber() {
    const auto pripoj = [this](QRadioButton* rb, void (TFoKL::*handler)()) {
        // Checking a radio button, by the user or by the program, refreshes; unchecking it by checking a
        // neighbour runs only the neighbour's handler.
        connect(rb, &QRadioButton::toggled, this, [this, handler](bool on) {
            if (on)
                tk::guard([&] { (this->*handler)(); });
        });
    };
    pripoj(RBVDen, &TFoKL::RBVDenClick);
    pripoj(RBVTyden, &TFoKL::RBVTydenClick);
    pripoj(RBVMesic, &TFoKL::RBVMesicClick);
    pripoj(RBVRok, &TFoKL::RBVRokClick);
    pripoj(RBVVse, &TFoKL::RBVVseClick);
    pripoj(RBZVolno, &TFoKL::RBZVolnoClick);
    pripoj(RBZObsazeno, &TFoKL::RBZObsazenoClick);
    pripoj(RBZVse, &TFoKL::RBZVseClick);
    const auto pripojChB = [this](QCheckBox* chb, void (TFoKL::*handler)()) {
        connect(chb, &QCheckBox::toggled, this,
                [this, handler](bool) { tk::guard([&] { (this->*handler)(); }); });
    };
    pripojChB(ChBVObj, &TFoKL::ChBVObjClick);
    pripojChB(ChBVRCP, &TFoKL::ChBVRCPClick);
    pripojChB(ChBVKPr, &TFoKL::ChBVKPrClick);
    connect(EdVDatum, &QDateEdit::dateChanged, this,
            [this](const QDate&) { tk::guard([this] { EdVDatumChange(); }); });
    BbTiskNovy->setProperty("Tag", 0);
}

void TFoKL::NastavDatum(const QDate& datum) {
    // The program's own changes of the date do not run the change handler.
    const QSignalBlocker blocker(EdVDatum);
    EdVDatum->setDate(datum);
}

void TFoKL::RBVDenClick() {
    ObnovVyber();
}
void TFoKL::RBVTydenClick() {
    ObnovVyber();
}
void TFoKL::RBVMesicClick() {
    ObnovVyber();
}
void TFoKL::RBVRokClick() {
    ObnovVyber();
}
void TFoKL::RBVVseClick() {
    ObnovVyber();
}
void TFoKL::RBZVolnoClick() {
    ObnovVyber();
}
void TFoKL::RBZObsazenoClick() {
    ObnovVyber();
}
void TFoKL::RBZVseClick() {
    ObnovVyber();
}
void TFoKL::ChBVObjClick() {
    ObnovVyber();
}
void TFoKL::ChBVRCPClick() {
    ObnovVyber();
}
void TFoKL::ChBVKPrClick() {
    ObnovVyber();
}

void TFoKL::EdVDatumChange() {
    // The picker holds dates only; its time part is always midnight.
    ObnovVyber();
}

bool TFoKL::EdVDatumKeyPress(QKeyEvent* event) {
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

Vyber TFoKL::vyber() const {
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
    v.zobrazeni = RBZVolno->isChecked() ? Zobrazeni::Volne
                  : RBZVse->isChecked() ? Zobrazeni::Vse
                                        : Zobrazeni::Obsazene;
    return v;
}

void TFoKL::ObnovVyber() {
    if (PotlacitObnovu)
        tk::abort();
    const int puvodniRezim = tagOf(BbTiskNovy);
    SestavSeznam();
    const int rezimSeznamu = tagOf(BbTiskNovy);
    ZvyrazniDen();
    RBZVolno->setVisible(true);
    RBZObsazeno->setText(QStringLiteral("Obsazené"));
    RBZObsazeno->setToolTip(QString());

    using N = tk::DBNavigator;
    const Vyber v = vyber();
    if (v.zapisovatelny()) {
        Navigator->setVisibleButtons({N::First, N::Prior, N::Next, N::Last, N::Insert, N::Delete, N::Edit,
                                      N::Post, N::Cancel, N::Refresh});
        Navigator->setGeometry(8, Navigator->y(), 300, Navigator->height());
    } else {
        Navigator->setVisibleButtons({N::First, N::Prior, N::Next, N::Last, N::Refresh});
        Navigator->setGeometry(8, Navigator->y(), 150, Navigator->height());
    }

    const int rezim = urciRezimTlacitka(v, DmKL->QReserve->isEmpty());
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
        SestavSeznam();
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
    Q_UNUSED(puvodniRezim);
    // The from-today condition of the list must always match the mode shown.
    if (rezimSeznamu == RezimTiskK && rezim != RezimTiskK)
        SestavSeznam();
}

void TFoKL::SestavSeznam() {
    const Vyber v = vyber();
    DenTydne = v.datum.dayOfWeek();
    tk::Dataset& q = *DmKL->QReserve;
    DBGridSeznam->hide();
    q.close();
    q.clearSql();
    for (const QString& line :
         sestavSeznamSql(v, tagOf(BbTiskNovy), DmKL->SpojeniKL->dialect(), tk::clock().now()))
        q.addSql(line);
    q.open();
    DBGridSeznam->show();
    setStatusText(2, QStringLiteral("Počet vybraných položek     ") + QString::number(q.recordCount()));
    SestavKalendar();
}

void TFoKL::SestavKalendar() {
    PKalendar->SestavKalendar(EdVDatum->date(), DenTydne, EdVObj->text(), LbVNazObj->text());
}

void TFoKL::ZvyrazniDen() {
    NepracovniDen = 0;
    bool so, ne, sv;
    if (ChBVObj->isChecked() && !LbVNazObj->text().isEmpty()) {
        DmKL->QObjekt->locate(QStringLiteral("Kod"), EdVObj->text(), {true, false});
        so = DmKL->QObjektSo->asBoolean();
        ne = DmKL->QObjektNe->asBoolean();
        sv = DmKL->QObjektSv->asBoolean();
    } else {
        so = DmKL->QParamPSo->asBoolean();
        ne = DmKL->QParamPNe->asBoolean();
        sv = DmKL->QParamPSv->asBoolean();
    }
    const QDate den = EdVDatum->date();
    if (den.dayOfWeek() == 6 && !so)
        NepracovniDen += 1;
    if (den.dayOfWeek() == 7 && !ne)
        NepracovniDen += 2;
    tk::Dataset& q = *DmKL->QPom;
    q.close();
    q.setSql(QStringLiteral("select * from Svatek where (Datum=") +
             DmKL->SpojeniKL->dialect().dateLiteral(den) + QStringLiteral(")"));
    q.open();
    if (!q.isEmpty() && !sv)
        NepracovniDen += 10;
    q.close();
    const QColor c = NepracovniDen == 0   ? kSkyBlue
                     : NepracovniDen == 1 ? kYellow
                     : NepracovniDen == 2 ? kLightOrange
                                          : kRed;
    barva(LbZvyrazni, c);
}

void TFoKL::NajdiCas() {
    tk::Dataset& q = *DmKL->QReserve;
    q.locate(QStringLiteral("DatumCas"), CilovyCas);
    if (!q.isEmpty() && DmKL->QReserveJmenoPac->asString().startsWith(QLatin1String("==")))
        q.next();
}

void TFoKL::NastavRezervaci() {
    RBVDen->setChecked(true);
    ChBVObj->setChecked(true);
    ChBVRCP->setChecked(false);
    ChBVKPr->setChecked(false);
    RBZVse->setChecked(true);
}

void TFoKL::EdVDatumExit() {
    tk::Dataset& q = *DmKL->QPom;
    q.close();
    q.setSql(QStringLiteral("select Datum,Nazev from Svatek where (") +
             DmKL->SpojeniKL->dialect().yearFunctionEquals(QStringLiteral("Datum"), EdVDatum->date().year()) +
             QStringLiteral(")"));
    q.open();
    const bool zadne = q.isEmpty();
    q.close();
    if (zadne)
        tk::dialogs().message(
            QStringLiteral("Pro tento rok nejsou zadány žádné svátky.\r\n1 Číselníky -> 2 Svátky -> Import"),
            tk::MessageIcon::Information);
}
