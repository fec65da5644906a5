#include "KalendarFixture.h"

#include <QtTest>

using namespace kltest;

namespace {

QModelIndex radek(tk::DBGrid* g, int row) {
    return g->model()->index(row, 0);
}

void klik(tk::DBGrid* g, int row) {
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(radek(g, row)).center());
}

void dvojklik(tk::DBGrid* g, int row) {
    const QPoint p = g->visualRect(radek(g, row)).center();
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, p);
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, p);
}

QString aktualni() {
    return DmKL->QReserveDatumCas->displayText() + QLatin1Char(' ') + DmKL->QReserveJmenoPac->asString();
}

int tlacitek(tk::DBNavigator* n) {
    return int(n->visibleButtons().size());
}

} // namespace

// Moving the selected date by the spinners and the week buttons, and the calendar's clicks turned into
// the selection and the list's current row.
class TestNavigace : public QObject {
    Q_OBJECT

    tktest::TestDialogs* dialogs = nullptr;

private Q_SLOTS:
    void init() { dialogs = &tktest::installTestEnvironment(); }

    void spinnersStepTheDate_data() {
        QTest::addColumn<QString>("spinner");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::newRow("month up from 31 January")
            << "UpDwMesic" << true << QDate(2021, 1, 31) << QDate(2021, 3, 2);
        QTest::newRow("month down") << "UpDwMesic" << false << QDate(2021, 3, 2) << QDate(2021, 1, 31);
        QTest::newRow("week up over the new year")
            << "UpDwTyden" << true << QDate(2020, 12, 28) << QDate(2021, 1, 4);
        QTest::newRow("week down") << "UpDwTyden" << false << QDate(2021, 1, 4) << QDate(2020, 12, 28);
        QTest::newRow("day up into a leap day")
            << "UpDwDen" << true << QDate(2024, 2, 28) << QDate(2024, 2, 29);
        QTest::newRow("day down") << "UpDwDen" << false << QDate(2024, 3, 1) << QDate(2024, 2, 29);
    }
    void spinnersStepTheDate() {
        QFETCH(QString, spinner);
        QFETCH(bool, up);
        QFETCH(QDate, from);
        Prehled t;
        QVERIFY(t.ok);
        t.pracovisteDen("00001", from);
        auto* s = t.w().findChild<TUpDown*>(spinner);
        QVERIFY(s);
        QTest::mouseClick(up ? s->upButton() : s->downButton(), Qt::LeftButton);
        QTEST(t.w().GBObdobi->EdVDatum->date(), "to");
        // The calendar follows the new date.
        QVERIFY(t.w().PKalendar->DatumPo <= t.w().GBObdobi->EdVDatum->date());
        QVERIFY(t.w().GBObdobi->EdVDatum->date() <= t.w().PKalendar->DatumNe);
    }

    // The day spinner from a 9:30 row lands on the next day's 9:30 row; a day without 9:30 leaves the list
    // on its first row that is not a marker.
    void spinnerCarriesTheTime() {
        Prehled t;
        QVERIFY(t.ok);
        QVERIFY(zaloz(t, dnes()));
        QVERIFY(zaloz(t, dnes().addDays(1)));
        execKL(*DmKL, QStringLiteral("update Objekt set Interval=40 where Kod='00001'"));
        DmKL->QObjekt->requery();
        QVERIFY(zaloz(t, dnes().addDays(2))); // slots at 8:00, 8:40, 9:20, ...
        t.pracovisteDen("00001", dnes());
        QVERIFY(naCas(9, 30));
        QTest::mouseClick(t.w().GBObdobi->UpDwDen->upButton(), Qt::LeftButton);
        QCOMPARE(t.w().GBObdobi->EdVDatum->date(), dnes().addDays(1));
        QCOMPARE(aktualni(), QStringLiteral("pá 11.12.2026  09:30 "));
        QCOMPARE(tk::formatDateTime(QStringLiteral("dd.mm.yyyy hh:nn"), t.w().CilovyCas),
                 QStringLiteral("11.12.2026 09:30"));
        QTest::mouseClick(t.w().GBObdobi->UpDwDen->upButton(), Qt::LeftButton);
        QCOMPARE(t.w().GBObdobi->EdVDatum->date(), dnes().addDays(2));
        QCOMPARE(DmKL->QReserve->recNo(), 2); // past the start-of-day marker
        QCOMPARE(aktualni(), QStringLiteral("so 12.12.2026  08:00 "));
        // Back a day from the first slot: 8:00 of Friday.
        QTest::mouseClick(t.w().GBObdobi->UpDwDen->downButton(), Qt::LeftButton);
        QCOMPARE(aktualni(), QStringLiteral("pá 11.12.2026  08:00 "));
    }

    // On an empty list the target keeps its value and moves by the step; never set, it becomes s days
    // after the zero date and matches no row.
    void spinnerOnEmptyList() {
        Prehled t;
        QVERIFY(t.ok);
        t.pracovisteDen("00001", dnes());
        QVERIFY(DmKL->QReserve->isEmpty());
        QCOMPARE(t.w().CilovyCas, 0.0);
        QTest::mouseClick(t.w().GBObdobi->UpDwTyden->upButton(), Qt::LeftButton);
        QCOMPARE(t.w().CilovyCas, 7.0);
        QTest::mouseClick(t.w().GBObdobi->UpDwDen->downButton(), Qt::LeftButton);
        QCOMPARE(t.w().CilovyCas, 6.0);
        QCOMPARE(t.w().GBObdobi->EdVDatum->date(), dnes().addDays(6));
    }

    void weekButtons() {
        Prehled t;
        QVERIFY(t.ok);
        QVERIFY(zaloz(t, dnes()));
        QVERIFY(naCas(9, 30));
        QTest::mouseClick(t.w().PKalendar->BbTPo, Qt::LeftButton);
        QCOMPARE(t.w().GBObdobi->EdVDatum->date(), dnes().addDays(7));
        QCOMPARE(t.w().PKalendar->EdTyden->text(), QStringLiteral("51."));
        QCOMPARE(t.w().CilovyCas, 0.0); // the target is the spinners' alone
        QTest::mouseClick(t.w().PKalendar->BbTPred, Qt::LeftButton);
        QTest::mouseClick(t.w().PKalendar->BbTPred, Qt::LeftButton);
        QCOMPARE(t.w().GBObdobi->EdVDatum->date(), dnes().addDays(-7));
        QCOMPARE(t.w().CilovyCas, 0.0);
    }

    // A header click shows that day with the filters as they are; a double click makes it the writable
    // selection of the workplace.
    void headerClicks() {
        Prehled t([](TDmKL& dm) {
            execKL(dm, QStringLiteral("insert into Pacienti (RC,Titul,Prijmeni,Jmeno) values "
                                      "('7556011234','','Šťastná','Žofie')"));
        });
        QVERIFY(t.ok);
        QVERIFY(zaloz(t, dnes()));
        QVERIFY(obsad(t, 9, 0, QStringLiteral("Šťastná Žofie"), QStringLiteral("7556011234")));
        QVERIFY(zaloz(t, dnes().addDays(-1)));
        QVERIFY(obsad(t, 10, 0, QStringLiteral("Šťastná Žofie"), QStringLiteral("7556011234")));
        TFoKL& w = t.w();
        w.GBObdobi->EdVRCP->clear();
        QTest::keyClicks(w.GBObdobi->EdVRCP, QStringLiteral("7556011234"));
        QCOMPARE(w.GBObdobi->LbVJmPac->text().trimmed(), QStringLiteral("Šťastná Žofie"));
        QTest::mouseClick(w.GBObdobi->ChBVRCP, Qt::LeftButton);
        QTest::mouseClick(w.GBObdobi->ChBVObj, Qt::LeftButton);
        QTest::mouseClick(w.PSeznam->RBZObsazeno, Qt::LeftButton);
        QVERIFY(w.GBObdobi->ChBVRCP->isChecked() && !w.GBObdobi->ChBVObj->isChecked());
        QTest::mouseClick(w.PKalendar->EdSt, Qt::LeftButton);
        QCOMPARE(w.GBObdobi->EdVDatum->date(), dnes().addDays(-1));
        QVERIFY(w.GBObdobi->ChBVRCP->isChecked());
        QVERIFY(w.PSeznam->RBZObsazeno->isChecked());
        QCOMPARE(t.seznam(), QStringList{"10:00 Šťastná Žofie"});
        QTest::mouseDClick(w.PKalendar->EdCt, Qt::LeftButton);
        QCOMPARE(w.GBObdobi->EdVDatum->date(), dnes());
        QVERIFY(w.GBObdobi->RBVDen->isChecked());
        QVERIFY(w.GBObdobi->ChBVObj->isChecked());
        QVERIFY(!w.GBObdobi->ChBVRCP->isChecked());
        QVERIFY(w.PSeznam->RBZVse->isChecked());
        QCOMPARE(tlacitek(w.PSeznam->Navigator), 10);
        QCOMPARE(t.seznam().first(), QStringLiteral("08:00 ======ZPD======="));
    }

    // A slot clicked in a day grid becomes the list's current row; one the list does not hold leaves it.
    void gridClickMovesTheList() {
        Prehled t;
        QVERIFY(t.ok);
        QVERIFY(zaloz(t, dnes()));
        QVERIFY(obsad(t, 9, 0, QStringLiteral("Nováková Jana")));
        TFoKL& w = t.w();
        tk::DBGrid* g = w.PKalendar->GrCt;
        QCOMPARE(g->cellText(2, 0), QStringLiteral("09:00"));
        klik(g, 4);
        QCOMPARE(aktualni(), QStringLiteral("čt 10.12.2026  10:00 "));
        klik(g, 2);
        QCOMPARE(aktualni(), QStringLiteral("čt 10.12.2026  09:00 Nováková Jana"));
        w.PSeznam->RBZObsazeno->setChecked(true);
        QCOMPARE(t.seznam(),
                 (QStringList{"08:00 ======ZPD=======", "09:00 Nováková Jana",
                              "11:30 ======ZPP=======", "12:30 ======KPP=======", "16:30 ======KPD======="}));
        QVERIFY(naCas(9, 0));
        klik(g, 5); // a free slot
        QCOMPARE(aktualni(), QStringLiteral("čt 10.12.2026  09:00 Nováková Jana"));
    }

    // A double click on a free Saturday slot: period "Den" on that Saturday, the workplace, "Vše", ten
    // navigator buttons and the list on the slot.
    void doubleClickOnSaturdaySlot() {
        Prehled t;
        QVERIFY(t.ok);
        const QDate sobota(2026, 12, 12);
        QVERIFY(zaloz(t, sobota));
        TFoKL& w = t.w();
        w.GBObdobi->RBVTyden->setChecked(true);
        w.PSeznam->RBZObsazeno->setChecked(true);
        w.GBObdobi->NastavDatum(dnes());
        w.ObnovVyber();
        QCOMPARE(tlacitek(w.PSeznam->Navigator), 5);
        tk::DBGrid* g = w.PKalendar->GrSo;
        QCOMPARE(g->cellText(3, 0), QStringLiteral("09:30"));
        const int id = DmKL->QSo->rowValue(4, *DmKL->QSoIDRes).toInt();
        dvojklik(g, 3);
        QCOMPARE(w.VybranyIDRes, id);
        QCOMPARE(w.GBObdobi->EdVDatum->date(), sobota);
        QVERIFY(w.GBObdobi->RBVDen->isChecked());
        QVERIFY(w.GBObdobi->ChBVObj->isChecked());
        QVERIFY(w.PSeznam->RBZVse->isChecked());
        QCOMPARE(tlacitek(w.PSeznam->Navigator), 10);
        QCOMPARE(DmKL->QReserveIDRes->asInteger(), id);
        QCOMPARE(aktualni(), QStringLiteral("so 12.12.2026  09:30 "));
        QCOMPARE(DmKL->QSoIDRes->asInteger(), id);
        // Ready for writing: Edit takes the lock on that workplace-day.
        QTest::mouseClick(w.PSeznam->Navigator->button(tk::DBNavigator::Edit), Qt::LeftButton);
        QVERIFY(DmKL->QReserve->isEditing());
        QCOMPARE(t.zamky(), 1);
        QTest::mouseClick(w.PSeznam->Navigator->button(tk::DBNavigator::Cancel), Qt::LeftButton);
    }

    // After each navigator action the calendar is rebuilt: posting the last free slot turns the strip red,
    // deleting a booked row shows in the grid at once.
    void navigatorRebuildsTheCalendar() {
        Prehled t(&kratkyDen);
        QVERIFY(t.ok);
        QVERIFY(zaloz(t, dnes()));
        TFoKL& w = t.w();
        QVERIFY(obsad(t, 8, 0, QStringLiteral("Nováková Jana")));
        QCOMPARE(w.PKalendar->PCt->palette().color(QPalette::Window), QColor(0, 255, 0));
        QVERIFY(obsad(t, 8, 30, QStringLiteral("Dvořák Petr")));
        QCOMPARE(w.PKalendar->PCt->palette().color(QPalette::Window), QColor(255, 0, 0));
        QCOMPARE(w.PKalendar->GrCt->cellText(1, 1), QStringLiteral("O"));
        dialogs->answerNext(true);
        QVERIFY(naCas(8, 30));
        QTest::mouseClick(w.PSeznam->Navigator->button(tk::DBNavigator::Delete), Qt::LeftButton);
        QCOMPARE(w.PKalendar->GrCt->model()->rowCount(), 1);
        QCOMPARE(w.PKalendar->PCt->palette().color(QPalette::Window), QColor(255, 0, 0));
    }
};

QTEST_MAIN(TestNavigace)
#include "tst_navigace.moc"
