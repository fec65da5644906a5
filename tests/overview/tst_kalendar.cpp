#include "KalendarFixture.h"

#include <QtTest>

using namespace kltest;

namespace {

const QColor kSvatek(255, 145, 145);
const QColor kSobota(255, 255, 0);
const QColor kNedele(254, 217, 129);
const QColor kBila(255, 255, 255);
const QColor kZelena(0, 255, 0);
const QColor kCervena(255, 0, 0);
const QColor kSeda(235, 235, 235);

QColor hlavicka(QLineEdit* e) {
    return e->palette().color(QPalette::Base);
}
QColor pas(QFrame* p) {
    return p->palette().color(QPalette::Window);
}

// The grid's lines as "hh:nn mark".
QStringList radky(tk::DBGrid* g) {
    QStringList out;
    for (int r = 0; r < g->model()->rowCount(); ++r)
        out << g->cellText(r, 0) + QLatin1Char(' ') + g->cellText(r, 1);
    return out;
}

} // namespace

// The week calendar of a workplace: its dates and names, the header colours, the free/full strips, the
// day grids and the shading of the selected day.
class TestKalendar : public QObject {
    Q_OBJECT

    tktest::TestDialogs* dialogs = nullptr;

private Q_SLOTS:
    void init() { dialogs = &tktest::installTestEnvironment(); }

    void weekHoldingTheDate_data() {
        QTest::addColumn<QDate>("datum");
        QTest::addColumn<QStringList>("headers");
        QTest::addColumn<QString>("mesic");
        QTest::addColumn<QString>("tyden");
        QTest::addColumn<QString>("rok");
        const QStringList newYear{"Po 28", "Út 29", "St 30", "Čt 31", "Pá 1", "So 2", "Ne 3"};
        QTest::newRow("Monday 28.12.2020") << QDate(2020, 12, 28) << newYear << "prosinec/leden"
                                           << "53."
                                           << "2020/2021";
        QTest::newRow("Wednesday of that week") << QDate(2020, 12, 30) << newYear << "prosinec/leden"
                                                << "53."
                                                << "2020/2021";
        QTest::newRow("Sunday ends its week") << QDate(2021, 1, 3) << newYear << "prosinec/leden"
                                              << "53."
                                              << "2020/2021";
        QTest::newRow("Monday starts its week")
            << QDate(2021, 1, 4) << QStringList{"Po 4", "Út 5", "St 6", "Čt 7", "Pá 8", "So 9", "Ne 10"}
            << "leden"
            << "1."
            << "2021";
        QTest::newRow("two months, one year")
            << QDate(2026, 12, 1) << QStringList{"Po 30", "Út 1", "St 2", "Čt 3", "Pá 4", "So 5", "Ne 6"}
            << "listopad/prosinec"
            << "49."
            << "2026";
    }
    void weekHoldingTheDate() {
        QFETCH(QDate, datum);
        QFETCH(QStringList, headers);
        Prehled t;
        QVERIFY(t.ok);
        t.pracovisteDen("00001", datum);
        TPKalendar* k = t.w().PKalendar;
        QStringList shown;
        for (QLineEdit* e : k->hlavicky())
            shown << e->text();
        QCOMPARE(shown, headers);
        QTEST(k->EdMesic->text(), "mesic");
        QTEST(k->EdTyden->text(), "tyden");
        QTEST(k->EdRok->text(), "rok");
        QCOMPARE(k->DatumPo.dayOfWeek(), 1);
        QCOMPARE(k->DatumNe, k->DatumPo.addDays(6));
        QVERIFY(k->DatumPo <= datum && datum <= k->DatumNe);
        QCOMPARE(k->EdPracoviste->text(), QStringLiteral("00001"));
        QCOMPARE(k->LbPracoviste->text(), QStringLiteral("Vana"));
    }

    // Strips: green with no rows, with only marker rows or with a free slot; red when every slot is taken.
    void stripsFreeAndFull() {
        Prehled t(&kratkyDen);
        QVERIFY(t.ok);
        TPKalendar* k = t.w().PKalendar;
        const QDate po(2026, 12, 7), ut(2026, 12, 8), st(2026, 12, 9);
        QVERIFY(zaloz(t, po));
        QVERIFY(zaloz(t, ut));
        execKL(*DmKL, QStringLiteral("update Objekt set Gin=0 where Kod='00001'"));
        DmKL->QObjekt->requery();
        QVERIFY(zaloz(t, st)); // markers only
        t.pracovisteDen("00001", ut);
        QVERIFY(obsad(t, 8, 0, QStringLiteral("Nováková Jana")));
        QCOMPARE(pas(k->PUt), kZelena);
        QCOMPARE(radky(k->GrUt), (QStringList{"08:00 O", "08:30  "}));
        QVERIFY(obsad(t, 8, 30, QStringLiteral("Dvořák Petr")));
        QCOMPARE(pas(k->PUt), kCervena);
        QCOMPARE(radky(k->GrUt), (QStringList{"08:00 O", "08:30 O"}));
        QCOMPARE(pas(k->PPo), kZelena);
        QCOMPARE(radky(k->GrPo), (QStringList{"08:00  ", "08:30  "}));
        QCOMPARE(pas(k->PSt), kZelena);
        QVERIFY(radky(k->GrSt).isEmpty()); // the marker rows are left out
        QCOMPARE(pas(k->PCt), kZelena);    // nothing founded
        QVERIFY(radky(k->GrCt).isEmpty());
        // One slot freed again: green.
        execKL(*DmKL, QStringLiteral(
                          "update Reserve set JmenoPac='',RCPacienta='' where DatumCas>='2026-12-08 08:30'"
                          " and DatumCas<'2026-12-08 08:31'"));
        t.w().ObnovVyber();
        QCOMPARE(pas(k->PUt), kZelena);
    }

    // Another workplace's rows stay out of the calendar; a code that names no workplace shows nothing.
    void onlyTheWorkplacesRows() {
        Prehled t(&kratkyDen);
        QVERIFY(t.ok);
        TPKalendar* k = t.w().PKalendar;
        QVERIFY(zaloz(t, dnes(), QStringLiteral("00002"), QStringLiteral("Magnet")));
        t.pracovisteDen("00001", dnes());
        QVERIFY(radky(k->GrCt).isEmpty());
        t.pracovisteDen("00002", dnes(), QStringLiteral("Magnet"));
        QCOMPARE(radky(k->GrCt).size(), 3); // 20-minute slots: 8:00, 8:20, 8:40
        t.w().GBObdobi->EdVObj->clear();
        QTest::keyClicks(t.w().GBObdobi->EdVObj, QStringLiteral("00000"));
        for (int i = 0; i < 7; ++i) {
            QVERIFY(radky(k->mrizky()[i]).isEmpty());
            QCOMPARE(pas(k->pasy()[i]), kZelena);
        }
        QCOMPARE(k->LbPracoviste->text(), QString());
        QCOMPARE(k->EdPracoviste->text(), QStringLiteral("00000"));
    }

    void headerColours_data() {
        QTest::addColumn<bool>("paramSo");
        QTest::addColumn<bool>("paramNe");
        QTest::addColumn<QString>("svatek"); // a holiday in the week of 10.12.2026, or empty
        QTest::addColumn<QString>("obj");
        QTest::addColumn<QList<QColor>>("colours");
        const QList<QColor> plain{kBila, kBila, kBila, kBila, kBila};
        QTest::newRow("weekend not worked") << false << false << ""
                                            << "00001" << (plain + QList<QColor>{kSobota, kNedele});
        // The parameters decide the weekend headers, whatever the workplace works.
        QTest::newRow("Saturday yellow for a workplace working Saturdays")
            << false << false << ""
            << "00002" << (plain + QList<QColor>{kSobota, kNedele});
        QTest::newRow("weekend worked") << true << true << ""
                                        << "00001" << (plain + QList<QColor>{kBila, kBila});
        QTest::newRow("holiday on a worked Saturday") << true << false << "2026-12-12"
                                                      << "00002" << (plain + QList<QColor>{kSvatek, kNedele});
        QTest::newRow("holiday on a weekday")
            << false << false << "2026-12-08"
            << "00001" << QList<QColor>{kBila, kSvatek, kBila, kBila, kBila, kSobota, kNedele};
    }
    void headerColours() {
        QFETCH(bool, paramSo);
        QFETCH(bool, paramNe);
        QFETCH(QString, svatek);
        QFETCH(QString, obj);
        QFETCH(QList<QColor>, colours);
        Prehled t([&](TDmKL& dm) {
            execKL(dm, QStringLiteral("update ParamP set So=%1,Ne=%2").arg(int(paramSo)).arg(int(paramNe)));
            execKL(dm, QStringLiteral(
                           "insert into Svatek (Datum,Nazev) values ('2026-01-01 00:00:00.000','Nový rok')"));
            if (!svatek.isEmpty())
                execKL(dm,
                       QStringLiteral("insert into Svatek (Datum,Nazev) values ('%1 00:00:00.000','Svátek')")
                           .arg(svatek));
        });
        QVERIFY(t.ok);
        t.pracovisteDen(obj, dnes(), QStringLiteral("Pracoviště"));
        QList<QColor> shown;
        for (QLineEdit* e : t.w().PKalendar->hlavicky())
            shown << hlavicka(e);
        QCOMPARE(shown, colours);
    }

    // A busy week: founded days, most slots booked, Friday full. The picture of the window goes to
    // $KALENDO_UKAZKY/kalendar.png when that folder is given (the documentation's screenshot).
    void busyWeek() {
        Prehled t([](TDmKL& dm) {
            execKL(dm, QStringLiteral(
                           "insert into Svatek (Datum,Nazev) values ('2026-12-08 00:00:00.000','Zkušební "
                           "svátek')"));
            execKL(dm, QStringLiteral("update ParamP set Sv=1"));
            execKL(dm, QStringLiteral("update Objekt set Sv=1 where Kod='00001'"));
        });
        QVERIFY(t.ok);
        const QStringList jmena{"Nováková Jana", "Dvořák Petr",  "Šťastná Žofie",  "Černý Řehoř",
                                "Králová Běla",  "Holub Ondřej", "Marková Tereza", "Svoboda Jiří"};
        for (int d = 0; d < 6; ++d)
            QVERIFY(zaloz(t, QDate(2026, 12, 7).addDays(d)));
        int n = 0;
        for (int d = 0; d < 6; ++d) {
            const QString den = QDate(2026, 12, 7).addDays(d).toString(QStringLiteral("yyyy-MM-dd"));
            for (int slot = 0; slot < 17; ++slot) {
                const bool obsadit = d == 4 || (slot * 7 + d * 3) % 5 < 3;
                const int h = 8 + slot / 2, m = (slot % 2) * 30;
                if (!obsadit)
                    continue;
                execKL(*DmKL, QStringLiteral(
                                  "update Reserve set RCPacienta='%1',JmenoPac='%2' where RCPacienta='' and "
                                  "DatumCas>='%3 %4:%5:00.000' and DatumCas<'%3 %4:%5:59.000'")
                                  .arg(QString::number(8501011000 + n), jmena.at(n % jmena.size()), den)
                                  .arg(h, 2, 10, QLatin1Char('0'))
                                  .arg(m, 2, 10, QLatin1Char('0')));
                ++n;
            }
        }
        t.pracovisteDen("00001", dnes());
        TPKalendar* k = t.w().PKalendar;
        QCOMPARE(pas(k->PPa), kCervena);
        QCOMPARE(pas(k->PCt), kZelena);
        QCOMPARE(hlavicka(k->EdUt), kSvatek);
        QVERIFY(radky(k->GrCt).filter(QStringLiteral(" O")).size() > 5);
        const QByteArray ukazky = qgetenv("KALENDO_UKAZKY");
        if (!ukazky.isEmpty()) {
            QVERIFY(naCas(10, 0));
            QTest::qWait(50);
            t.w().grab().save(QString::fromLocal8Bit(ukazky) + QStringLiteral("/kalendar.png"));
        }
    }

    // The selected day's column is shaded; moving the date within the week moves the shade.
    void selectedDayShaded() {
        Prehled t(&kratkyDen);
        QVERIFY(t.ok);
        TPKalendar* k = t.w().PKalendar;
        t.pracovisteDen("00001", dnes());
        for (int i = 0; i < 7; ++i) {
            const QColor c = i == 3 ? kSeda : kBila;
            QCOMPARE(k->mrizky()[i]->columnStyle(0).color, c);
            QCOMPARE(k->mrizky()[i]->columnStyle(1).color, c);
        }
        t.pracovisteDen("00001", dnes().addDays(2));
        QCOMPARE(k->GrCt->columnStyle(0).color, kBila);
        QCOMPARE(k->GrSo->columnStyle(1).color, kSeda);
    }
};

QTEST_MAIN(TestKalendar)
#include "tst_kalendar.moc"
