#include "FoObjekt.h"

#include "Ciselniky.h"

#include "OknoCiselniku.h"

#include "data/DmKL.h"
#include "toolkit/core/Errors.h"

#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>

namespace {

SeznamPopis popis() {
    SeznamPopis p;
    p.jmeno = "FoObjekt";
    p.titulek = QStringLiteral("Pracoviště");
    p.zdroj = DmKL->DSObjekt;
    p.kodPole = p.hledatKod = QStringLiteral("Kod");
    p.nazevPole = p.hledatNazev = QStringLiteral("Nazev");
    p.lbKod = p.lbVychozi = QStringLiteral("Kód");
    p.lbNazev = QStringLiteral("Název");
    p.rezimVychozi = 0;
    p.prazdnyNehledat = true;
    p.escVzdy = false;
    p.prepinaMrizku = true;
    p.napovedy = {QStringLiteral("První věta"),       QStringLiteral("Předchozí věta"),
                  QStringLiteral("Následující věta"), QStringLiteral("Poslední věta"),
                  QStringLiteral("Přidat větu"),      QStringLiteral("Smazat větu"),
                  QStringLiteral("Opravit údaje"),    QStringLiteral("Potvrdit změny"),
                  QStringLiteral("Zrušit změny"),     QStringLiteral("Refresh na síti")};
    return p;
}

const QString kNapoveda = QStringLiteral(" Nápověda");

QString napovedaSloupce(const QString& pole) {
    static const QHash<QString, QString> hints = {
        {QStringLiteral("Interval"), QStringLiteral(" Obvyklá doba použití v minutách")},
        {QStringLiteral("KPr"), QStringLiteral(" Kód stálého rehabilitačního pracovníka (pokud je)")},
        {QStringLiteral("Gpp"),
         QStringLiteral(" Generování polední pauzy při založení nového pracovního dne [A/N]")},
        {QStringLiteral("Gin"),
         QStringLiteral(" Generování intervalů při založení nového pracovního dne [A/N]")},
        {QStringLiteral("So"), QStringLiteral(" Pracovní sobota [A/N]")},
        {QStringLiteral("Ne"), QStringLiteral(" Pracovní neděle [A/N]")},
        {QStringLiteral("Sv"), QStringLiteral(" Práce ve svátek [A/N]")},
    };
    return hints.value(pole);
}

} // namespace

TFoObjekt::TFoObjekt(TCiselniky& ciselniky, QWidget* parent) : TFoSeznam(ciselniky, popis(), parent) {
    const Qt::Alignment center = Qt::AlignCenter;
    QList<tk::GridColumn> columns;
    columns << sloupec(QStringLiteral("Kod"), QStringLiteral("Kód *"), center);
    columns << sloupec(QStringLiteral("Nazev"), QStringLiteral("Název pracoviště *"));
    for (const char* pole : {"Interval", "KPr", "Gpp", "Gin", "So", "Ne", "Sv"})
        columns << sloupec(QString::fromLatin1(pole), QString::fromLatin1(pole), center);
    FoGrid->setColumns(columns);
    Navigator->setFixedWidth(300);
    pridejStatusBar({QStringLiteral(" F1"), kNapoveda});
    connect(FoGrid, &tk::DBGrid::selectedColumnChanged, this, [this] {
        tk::guard([this] {
            FoGridColExit();
            FoGridColEnter();
        });
    });
    rozsirSloupce(FoGrid);
    // Wide enough for every column without scrolling.
    int sirka = FoGrid->verticalHeader()->width() + 2 * FoGrid->frameWidth() +
                FoGrid->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 12;
    for (int i = 0; i < FoGrid->columnCount(); ++i)
        sirka += FoGrid->columnWidth(i);
    resize(std::max(640, sirka), 420);
}

void TFoObjekt::serad(int poradi) {
    DmKL->SeradObjekty(poradi);
}

bool TFoObjekt::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        tk::guard([this] { FormActivate(); });
    return TFoSeznam::event(event);
}

void TFoObjekt::FormActivate() {
    if (Tag != 2)
        return;
    QString& kod = ciselniky_.vyber().VybranyKod;
    // Writing the cell needs the row to be edited; a pick that comes after a cancel is dropped.
    if (!kod.isEmpty() && DmKL->QObjekt->isEditing())
        DmKL->QObjektKPr->setAsString(kod);
    Tag = PuvodniRezim;
    PuvodniRezim = 0;
    kod.clear();
}

void TFoObjekt::FoGridColEnter() {
    tk::Field* f = FoGrid->selectedField();
    const QString hint = f ? napovedaSloupce(f->fieldName()) : QString();
    if (!hint.isEmpty())
        panel(1)->setText(hint);
}

void TFoObjekt::FoGridColExit() {
    panel(1)->setText(kNapoveda);
}

bool TFoObjekt::naBunceKPr() const {
    return FoGrid->mode() == tk::DBGrid::Mode::Edit && FoGrid->selectedField() == DmKL->QObjektKPr;
}

void TFoObjekt::vyberPracovnika() {
    if (PuvodniRezim == 0)
        PuvodniRezim = Tag;
    Tag = 2;
    QString kod = DmKL->QObjektKPr->asString().trimmed();
    if (QLineEdit* e = FoGrid->cellEditor())
        kod = e->text().trimmed();
    ciselniky_.OtevriPracovniky(ciselniky_.Left() + 10, ciselniky_.Top() + 51, 1, kod);
}

void TFoObjekt::FoGridDblClick() {
    if (naBunceKPr())
        vyberPracovnika();
    else if (FoGrid->mode() == tk::DBGrid::Mode::Browse)
        TFoSeznam::FoGridDblClick();
}

void TFoObjekt::mimoVyber(bool) {}

bool TFoObjekt::dalsiKlavesa(QKeyEvent* event) {
    if (event->key() == Qt::Key_F7 && naBunceKPr()) {
        vyberPracovnika();
        return true;
    }
    return false;
}
