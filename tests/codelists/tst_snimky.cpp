#include "CiselnikyProgram.h"

#include "codelists/FoKlient.h"

#include <QDir>
#include <QtTest>

using namespace kltest;

namespace {
// Saves a window's picture into the folder named by KALENDO_SNIMKY (for the documentation), if set.
void snimek(QWidget* window, const QString& name) {
    const QString folder = qEnvironmentVariable("KALENDO_SNIMKY");
    if (!folder.isEmpty())
        window->grab().save(QDir(folder).filePath(name));
}
} // namespace

// Nothing a receptionist reads in the workplaces list or on the client card is cut off.
class TestSnimky : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { tktest::installTestEnvironment(); }

    void theWorkplacesTitlesFitTheirColumns() {
        Ciselniky t;
        QVERIFY(t.ok);
        t.w().N11Pracoviste->trigger();
        TFoObjekt* o = t.c().FoObjekt;
        QVERIFY(QTest::qWaitForWindowExposed(o));
        QHeaderView* h = o->FoGrid->horizontalHeader();
        int sirka = o->FoGrid->verticalHeader()->width();
        for (int i = 0; i < o->FoGrid->columnCount(); ++i) {
            const QString title = o->FoGrid->model()->headerData(i, Qt::Horizontal).toString();
            // What the title and the shown cells need, margins included.
            QVERIFY2(h->sectionSize(i) >= h->sectionSizeHint(i), qPrintable(title));
            for (int r = 0; r < o->FoGrid->model()->rowCount(); ++r)
                QVERIFY2(h->sectionSize(i) >=
                             o->FoGrid->fontMetrics().horizontalAdvance(o->FoGrid->cellText(r, i)) + 8,
                         qPrintable(title));
            sirka += h->sectionSize(i);
        }
        // Every column is seen without scrolling.
        QVERIFY(sirka <= o->FoGrid->viewport()->width() + o->FoGrid->verticalHeader()->width());
        QVERIFY(o->panel(1)->width() >=
                o->panel(1)->fontMetrics().horizontalAdvance(
                    " Generování polední pauzy při založení nového pracovního dne [A/N]"));
        snimek(o, QStringLiteral("pracoviste.png"));
    }

    void theClientCardShowsItsTextsWhole() {
        Ciselniky t;
        QVERIFY(t.ok);
        t.w().N14Pacienti->trigger();
        TFoSeznamP* seznam = t.c().FoSeznamP;
        DmKL->QPacienti->last(); // Nováková, with an address
        QTest::keyClick(seznam->FoGrid, Qt::Key_Insert);
        TFoKlient* karta = t.c().FoKlient;
        QVERIFY(karta && QTest::qWaitForWindowExposed(karta));
        for (QLabel* l : karta->findChildren<QLabel*>()) {
            if (l->text().isEmpty())
                continue;
            QVERIFY2(l->width() >= l->fontMetrics().horizontalAdvance(l->text()), qPrintable(l->text()));
        }
        for (tk::DBEdit* e : karta->findChildren<tk::DBEdit*>())
            QVERIFY2(e->width() >= e->fontMetrics().horizontalAdvance(e->text()) + 6,
                     qPrintable(e->objectName()));
        QVERIFY(karta->Navigator->width() == 300);
        snimek(karta, QStringLiteral("klient.png"));
    }
};

QTEST_MAIN(TestSnimky)
#include "tst_snimky.moc"
