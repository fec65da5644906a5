// A course of treatments booked in one step from a booked row: the preview of each date, the booking
// under the rules of a single booking, and what is reported.

#include "editing/EditingProgram.h"

#include "data/ZamekDne.h"
#include "editing/FoOpakovat.h"
#include "reports/RvSystem.h"
#include "support/PdfText.h"

using namespace kltest;
using N = tk::DBNavigator;

namespace {

const QString kNovakova = QStringLiteral("8551011234");
const QString kDvorak = QStringLiteral("535228123");

// The output-device dialog answered with a PDF file at once.
class DoPdf : public rv::VyberVystupu {
public:
    rv::VolbaVystupu vyber(const QString&, QWidget*) override { return {rv::Vystup::Pdf, QString(), 1}; }
};

} // namespace

class TestOpakovani : public QObject {
    Q_OBJECT

    tktest::TestDialogs* dialogs = nullptr;
    std::unique_ptr<Prehled> t;

    static void klikni(QAbstractButton* b) {
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(b->width() / 2, b->height() / 2));
    }
    int pocet(const QString& where) {
        return scalarKL(*DmKL, QStringLiteral("select count(*) from Reserve where ") + where).toInt();
    }

    // The 9:00 slot of workplace 00001 on `d`, clicked in the list; the day founded with "Nový D" first
    // when it is empty.
    void naDevet(const QDate& d) {
        t->pracovisteDen(QStringLiteral("00001"), d);
        TPanelSeznamu& s = *t->w().PSeznam;
        tk::Dataset& q = *DmKL->QReserve;
        if (q.isEmpty())
            QTest::mouseClick(s.BbTiskNovy, Qt::LeftButton);
        int radek = -1;
        for (int i = 1; i <= q.recordCount(); ++i)
            if (q.rowDisplayText(i, *DmKL->QReserveVDatCasOd) == QStringLiteral("09:00") &&
                q.rowValue(i, *DmKL->QReserveDoba).toInt() > 0)
                radek = i;
        QVERIFY(radek > 0);
        tk::DBGrid* grid = s.DBGridSeznam;
        const QModelIndex bunka = grid->model()->index(radek - 1, 2);
        grid->scrollTo(bunka);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(bunka).center());
        QCOMPARE(q.recNo(), radek);
    }

    // Books that slot for `rc` as a receptionist does: Edit, the birth number, Post.
    void objednej(const QDate& d, const QString& rc) {
        naDevet(d);
        TPanelSeznamu& s = *t->w().PSeznam;
        tk::Dataset& q = *DmKL->QReserve;
        QTest::mouseClick(s.Navigator->button(N::Edit), Qt::LeftButton);
        QVERIFY(q.isEditing());
        TPanelDetailu& d2 = *t->w().GBDetail;
        QTest::keyClick(d2.EdDRCP, Qt::Key_Home);
        QTest::keyClicks(d2.EdDRCP, rc);
        QTest::mouseClick(s.Navigator->button(N::Post), Qt::LeftButton);
        QVERIFY(!q.isEditing());
        QCOMPARE(DmKL->QReserveRCPacienta->asString().trimmed(), rc);
    }

    TFoOpakovat* otevreno() { return t->w().findChild<TFoOpakovat*>(QStringLiteral("FoOpakovat")); }
    QStringList sloupec(TFoOpakovat* o, int c) {
        QStringList out;
        for (int r = 0; r < o->SGTerminy->rowCount(); ++r)
            out << o->SGTerminy->item(r, c)->text();
        return out;
    }
    void zavri(TFoOpakovat* o) {
        QPointer<TFoOpakovat> p(o);
        klikni(o->BbZavrit);
        QTRY_VERIFY(p.isNull());
    }

private Q_SLOTS:
    void init() {
        dialogs = &tktest::installTestEnvironment();
        rv::setVyberVystupu(std::make_unique<DoPdf>());
        t = std::make_unique<Prehled>(klientiAPracovnici);
        QVERIFY(t->ok);
        dialogs->clear();
    }
    void cleanup() {
        t.reset();
        rv::setVyberVystupu(nullptr);
    }

    void theDatesOfACourse_data() {
        QTest::addColumn<int>("krok");
        QTest::addColumn<QList<int>>("dny");
        QTest::addColumn<QStringList>("terminy");
        // From Thursday 10.12.2026.
        QTest::newRow("every week") << int(KrokKurzu::KazdyTyden) << QList<int>{}
                                    << QStringList{"17.12.2026", "24.12.2026", "31.12.2026"};
        QTest::newRow("every two weeks") << int(KrokKurzu::KazdeDvaTydny) << QList<int>{}
                                         << QStringList{"24.12.2026", "07.01.2027", "21.01.2027"};
        QTest::newRow("Mondays and Thursdays") << int(KrokKurzu::DnyVTydnu) << QList<int>{1, 4}
                                               << QStringList{"14.12.2026", "17.12.2026", "21.12.2026"};
        QTest::newRow("no weekday chosen") << int(KrokKurzu::DnyVTydnu) << QList<int>{} << QStringList{};
    }
    void theDatesOfACourse() {
        QFETCH(int, krok);
        QFETCH(QList<int>, dny);
        QFETCH(QStringList, terminy);
        QStringList out;
        for (const QDate& d : TerminyKurzu(dnes(), 3, KrokKurzu(krok), QSet<int>(dny.begin(), dny.end())))
            out << d.toString(QStringLiteral("dd.MM.yyyy"));
        QCOMPARE(out, terminy);
    }

    void aTenWeekCourseAcrossAHolidayAndAFullDay() {
        DmKL->ImportujSvatky(2026);            // 24.12.2026 is a Thursday
        objednej(dnes().addDays(35), kDvorak); // the 9:00 slot of the fifth Thursday is taken
        objednej(dnes(), kNovakova);
        klikni(t->w().PSeznam->BbOpakovat);
        TFoOpakovat* o = otevreno();
        QVERIFY(o && o->isVisible());
        QCOMPARE(o->EdPocet->value(), 10);
        QStringList co = sloupec(o, 2);
        QCOMPARE(co.size(), 10);
        QCOMPARE(co[0], QStringLiteral("založí nový den a objedná"));
        QCOMPARE(co[1], QStringLiteral("svátek: Štědrý den"));
        QVERIFY2(co[4].startsWith(QStringLiteral("termín je obsazen: DVOŘÁK")), qPrintable(co[4]));
        QCOMPARE(sloupec(o, 1), QStringList(10, QStringLiteral("9:00")));
        QCOMPARE(o->LbVysledek->text(), QStringLiteral("Lze objednat 8 z 10."));
        if (const QByteArray slozka = qgetenv("KALENDO_SNIMKY"); !slozka.isEmpty())
            QVERIFY(o->grab().save(QString::fromLocal8Bit(slozka) + QStringLiteral("/opakovat.png")));

        klikni(o->BbObjednat);
        QCOMPARE(dialogs->texts(), QStringList());
        QVERIFY2(o->LbVysledek->text().startsWith(QStringLiteral("Objednáno 8 z 10.")),
                 qPrintable(o->LbVysledek->text()));
        QVERIFY(o->LbVysledek->text().contains(QStringLiteral("svátek")));
        QVERIFY(o->LbVysledek->text().contains(QStringLiteral("obsazen")));
        QCOMPARE(sloupec(o, 2).count(QStringLiteral("objednáno")), 8);
        QCOMPARE(pocet(QStringLiteral("RCPacienta='8551011234' and Doba=30")), 9);
        QCOMPARE(pocet(QStringLiteral("DatumCas>='2026-12-24' and DatumCas<'2026-12-25'")), 0);
        QCOMPARE(pocet(QStringLiteral("RCPacienta='535228123'")), 1);
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select count(*) from BlokRes")).toInt(), 0);
        // The list is back on the day and the row the course started from.
        QCOMPARE(t->w().GBObdobi->EdVDatum->date(), dnes());
        QCOMPARE(DmKL->QReserveRCPacienta->asString().trimmed(), kNovakova);

        // The client's schedule printed right after: the nine visits.
        const QString pdf = t->folder.root() + QStringLiteral("kurz.pdf");
        dialogs->fileNext(pdf);
        QVERIFY(o->BbTiskK->isVisible());
        klikni(o->BbTiskK);
        QCOMPARE(t->w().PSeznam->BbTiskNovy->text(), QStringLiteral("Tisk K"));
        QCOMPARE(DmKL->QReserve->recordCount(), 9);
        QVERIFY(QFile::exists(pdf));
        QVERIFY(pdfText(pdf).contains(QStringLiteral("NOVÁKOVÁ")));
        zavri(o);
        naDevet(dnes()); // back on the first visit

        // The same action again books nothing twice.
        klikni(t->w().PSeznam->BbOpakovat);
        o = otevreno();
        QVERIFY(o);
        co = sloupec(o, 2);
        QCOMPARE(co.count(QStringLiteral("klient je na tento termín již objednán")), 8);
        QVERIFY(!o->BbObjednat->isEnabled());
        zavri(o);
        QCOMPARE(pocet(QStringLiteral("RCPacienta='8551011234'")), 9);
    }

    void aDayHeldByAnotherStationIsReportedNotBooked() {
        objednej(dnes(), kNovakova);
        const QDate drzeny = dnes().addDays(7);
        QVERIFY(ZamkniDenPracoviste(*DmKL->SpojeniKL, QStringLiteral("00001"), drzeny,
                                    QStringLiteral("RECEPCE2")));
        t->w().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&t->w()));
        QTest::keyClick(t->w().PSeznam->DBGridSeznam, Qt::Key_O, Qt::ControlModifier);
        TFoOpakovat* o = otevreno();
        QVERIFY(o);
        o->EdPocet->setFocus();
        o->EdPocet->selectAll();
        QTest::keyClicks(o->EdPocet, QStringLiteral("2"));
        QCOMPARE(o->SGTerminy->rowCount(), 2);
        QCOMPARE(sloupec(o, 2)[0], QStringLiteral("den právě upravuje jiná stanice: RECEPCE2"));
        klikni(o->BbObjednat);
        QCOMPARE(sloupec(o, 2), (QStringList{QStringLiteral("den právě upravuje jiná stanice: RECEPCE2"),
                                             QStringLiteral("objednáno")}));
        QCOMPARE(pocet(QStringLiteral("DatumCas>='2026-12-17' and DatumCas<'2026-12-18'")), 0);
        QCOMPARE(pocet(QStringLiteral("RCPacienta='8551011234'")), 2);
        // The other station's lock stays; this station's are gone.
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select IdPC from BlokRes")).toString().trimmed(),
                 QStringLiteral("RECEPCE2"));
        zavri(o);
    }

    void aFailureOnTheFifthDateKeepsTheFirstFour() {
        objednej(dnes(), kNovakova);
        // The server refuses every change on the fifth Thursday (14.1.2027).
        execKL(*DmKL, QStringLiteral("create trigger Porucha before update on Reserve when "
                                     "new.DatumCas>='2027-01-14' and new.DatumCas<'2027-01-15' "
                                     "begin select raise(abort,'Porucha disku'); end"));
        klikni(t->w().PSeznam->BbOpakovat);
        TFoOpakovat* o = otevreno();
        QVERIFY(o);
        klikni(o->BbObjednat);
        const QStringList co = sloupec(o, 2);
        QCOMPARE(co.mid(0, 4), QStringList(4, QStringLiteral("objednáno")));
        QVERIFY2(co[4].startsWith(QStringLiteral("nepodařilo se")), qPrintable(co[4]));
        QVERIFY2(o->LbVysledek->text().startsWith(QStringLiteral("Objednáno 4 z 10.")),
                 qPrintable(o->LbVysledek->text()));
        QVERIFY(o->LbVysledek->text().contains(QStringLiteral("nepodařilo se")));
        QCOMPARE(pocet(QStringLiteral("RCPacienta='8551011234'")), 5);
        // The fifth day is as it was: not founded.
        QCOMPARE(pocet(QStringLiteral("DatumCas>='2027-01-14' and DatumCas<'2027-01-15'")), 0);
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select count(*) from BlokRes")).toInt(), 0);
        zavri(o);
    }

    void onlyABookedRowOfAWritableDayStartsACourse() {
        t->pracovisteDen(QStringLiteral("00001"), dnes());
        QTest::mouseClick(t->w().PSeznam->BbTiskNovy, Qt::LeftButton);
        QVERIFY(!DmKL->QReserve->isEmpty());
        DmKL->QReserve->setRecNo(3); // a free slot
        klikni(t->w().PSeznam->BbOpakovat);
        QVERIFY(!otevreno());
        QCOMPARE(dialogs->texts().size(), 1);
        QVERIFY(dialogs->texts().front().startsWith(QStringLiteral("Opakovat lze jen objednanou rezervaci")));
    }
};

QTEST_MAIN(TestOpakovani)
#include "tst_opakovani.moc"
