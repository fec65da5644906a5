#include "PrehledProgram.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace kltest;

namespace {
// Around Thursday 10.12.2026: the week runs from Monday 7.12. Today's day of "Vana" (08:00-09:00, 30-minute
// slots) is founded and booked through the window by zalozARezervuj.
void rows(TDmKL& dm) {
    execKL(dm, QStringLiteral("update ParamP set PrOdH=8,PrOdM=0,PrDoH=9,PrDoM=0"));
    execKL(dm, QStringLiteral("update Objekt set Gpp=0,Gin=1,Interval=30 where Kod='00001'"));
    const QString v = QStringLiteral("00001");
    reservation(dm, v, QDate(2026, 12, 7), 0, 0, 30, QStringLiteral("8551011234"),
                QStringLiteral("Novák Jan"));
    reservation(dm, v, QDate(2026, 12, 7), 0, 1, 30, QStringLiteral("8551011234"),
                QStringLiteral("Novák Jan"));
    reservation(dm, v, dnes().addDays(1), 9, 0, 30, QStringLiteral("8551011234"),
                QStringLiteral("Novák Jan"));
}

// Founds today's day of "Vana" and books its 08:30 slot, as a user does.
bool zalozARezervuj(Prehled& t) {
    t.pracovisteDen(QStringLiteral("00001"), dnes());
    if (!tk::guard([&] { t.w().PSeznam->ZalozNovyDen(); }))
        return false;
    // A booking at midnight, before the day's start, as another station may write it.
    reservation(*DmKL, QStringLiteral("00001"), dnes(), 0, 0, 30, QStringLiteral("8551011234"),
                QStringLiteral("Novák Jan"));
    t.w().ObnovVyber();
    if (!DmKL->QReserve->locate(QStringLiteral("DatumCas"), tk::fromDate(dnes()) + tk::encodeTime(8, 30)))
        return false;
    t.w().PSeznam->Navigator->click(tk::DBNavigator::Edit);
    QTest::keyClicks(t.w().GBDetail->EdDRCP, QStringLiteral("8551011234"));
    t.w().GBDetail->EdDJmPac->clear();
    QTest::keyClicks(t.w().GBDetail->EdDJmPac, QStringLiteral("Novak Jan"));
    t.w().PSeznam->Navigator->click(tk::DBNavigator::Post);
    return DmKL->QReserve->state() == tk::DatasetState::Browse;
}
} // namespace

// The selection and the list it yields on the embedded database, and the universal button's mode.
class TestVyber : public QObject {
    Q_OBJECT
    tktest::TestDialogs* dialogs = nullptr;

private Q_SLOTS:
    void init() { dialogs = &tktest::installTestEnvironment(); }

    void markersFreeAndOccupiedRows() {
        Prehled t(rows);
        QVERIFY(zalozARezervuj(t));
        t.pracovisteDen(QStringLiteral("00001"), dnes());
        QCOMPARE(t.seznam(), (QStringList{"00:00 Novák Jan", "08:00 ======ZPD=======", "08:00 ",
                                          "08:30 Novak Jan", "09:00 ======KPD======="}));
        QCOMPARE(t.w().PSeznam->BbTiskNovy->text(), QStringLiteral("Tisk O"));
        QCOMPARE(t.w().PSeznam->Navigator->visibleButtons().size(), 10);
        QCOMPARE(t.w().statusText(2), QStringLiteral("Počet vybraných položek     5"));
        t.w().PSeznam->RBZVolno->setChecked(true);
        QCOMPARE(t.seznam(), QStringList{"08:00 "});
        t.w().PSeznam->RBZObsazeno->setChecked(true);
        QCOMPARE(t.seznam(), (QStringList{"00:00 Novák Jan", "08:00 ======ZPD=======", "08:30 Novak Jan",
                                          "09:00 ======KPD======="}));
        // Another period: the markers go, and nothing can be written or founded.
        t.w().PSeznam->RBZVse->setChecked(true);
        t.w().GBObdobi->RBVTyden->setChecked(true);
        QCOMPARE(t.seznam(), (QStringList{"00:01 Novák Jan", "00:00 Novák Jan", "08:00 ", "08:30 Novak Jan",
                                          "09:00 Novák Jan"}));
        QCOMPARE(t.w().PSeznam->BbTiskNovy->text(), QString());
        QCOMPARE(t.w().PSeznam->Navigator->visibleButtons().size(), 5);
    }

    void anEmptyWorkplaceDayOffersANewDay() {
        Prehled t(rows);
        t.pracovisteDen(QStringLiteral("00001"), dnes().addDays(5));
        QVERIFY(DmKL->QReserve->isEmpty());
        QCOMPARE(t.w().PSeznam->BbTiskNovy->text(), QStringLiteral("Nový D"));
        QCOMPARE(t.w().PSeznam->BbTiskNovy->toolTip(), QStringLiteral("Generování nového pracovního dne"));
        QCOMPARE(tagOf(t.w().PSeznam->BbTiskNovy), 1);
        QCOMPARE(t.w().statusText(2), QStringLiteral("Počet vybraných položek     0"));
    }

    void theClientModeShowsWhatIsStillToCome() {
        Prehled t(rows);
        QVERIFY(zalozARezervuj(t));
        TFoKL& w = t.w();
        w.GBObdobi->ChBVObj->setChecked(false);
        w.PSeznam->RBZVolno->setChecked(true);
        w.GBObdobi->EdVRCP->setText(QStringLiteral("8551011234"));
        w.GBObdobi->LbVJmPac->setText(QStringLiteral("Novák Jan"));
        w.GBObdobi->RBVVse->setChecked(true);
        w.GBObdobi->ChBVRCP->setChecked(true);
        QCOMPARE(tagOf(w.PSeznam->BbTiskNovy), 4);
        QCOMPARE(w.PSeznam->BbTiskNovy->text(), QStringLiteral("Tisk K"));
        QVERIFY(w.PSeznam->RBZVse->isChecked());
        QVERIFY(w.PSeznam->RBZVolno->isHidden());
        QCOMPARE(w.PSeznam->RBZObsazeno->text(), QStringLiteral("Aktuální"));
        QCOMPARE(w.PSeznam->RBZObsazeno->toolTip(), QStringLiteral("Od dnešního dne včetně"));
        QCOMPARE(t.seznam().size(), 5);
        // "Aktuální": today and later, where 00:00 today already counts as past.
        w.PSeznam->RBZObsazeno->setChecked(true);
        QCOMPARE(t.seznam(), (QStringList{"08:30 Novak Jan", "09:00 Novák Jan"}));
        // Leaving the client mode drops the condition in the same refresh.
        w.GBObdobi->RBVDen->setChecked(true);
        QCOMPARE(tagOf(w.PSeznam->BbTiskNovy), 0);
        QVERIFY(!w.PSeznam->RBZVolno->isHidden());
        QCOMPARE(w.PSeznam->RBZObsazeno->text(), QStringLiteral("Obsazené"));
        QCOMPARE(t.seznam(), (QStringList{"00:00 Novák Jan", "08:30 Novak Jan"}));
        QVERIFY(!DmKL->QReserve->sqlText().contains(QStringLiteral("DatumCas>'")));
    }

    void theDateFrameShowsWhetherTheDayIsWorked_data() {
        QTest::addColumn<QDate>("datum");
        QTest::addColumn<QString>("objekt");
        QTest::addColumn<int>("skore");
        QTest::addColumn<QColor>("barva");
        QTest::newRow("Thursday") << dnes() << "" << 0 << QColor(166, 202, 240);
        QTest::newRow("Saturday") << QDate(2026, 12, 19) << "" << 1 << QColor(255, 255, 0);
        QTest::newRow("Sunday") << QDate(2026, 12, 20) << "" << 2 << QColor(254, 217, 129);
        QTest::newRow("Saturday and holiday") << QDate(2026, 12, 26) << "" << 11 << QColor(255, 0, 0);
        QTest::newRow("holiday on a weekday") << QDate(2026, 12, 24) << "" << 10 << QColor(255, 0, 0);
        QTest::newRow("Saturday at a workplace working Saturdays")
            << QDate(2026, 12, 19) << "00002" << 0 << QColor(166, 202, 240);
    }

    void theDateFrameShowsWhetherTheDayIsWorked() {
        QFETCH(QDate, datum);
        QFETCH(QString, objekt);
        QFETCH(int, skore);
        QFETCH(QColor, barva);
        Prehled t([](TDmKL& dm) {
            execKL(dm,
                   QStringLiteral(
                       "insert into Svatek (Datum,Nazev) values ('2026-12-24 00:00:00.000','Štědrý den')"));
            execKL(dm,
                   QStringLiteral(
                       "insert into Svatek (Datum,Nazev) values ('2026-12-26 00:00:00.000','2. svátek')"));
        });
        if (objekt.isEmpty()) {
            t.w().GBObdobi->NastavDatum(datum);
            t.w().ObnovVyber();
        } else {
            t.pracovisteDen(objekt, datum, QStringLiteral("Magnet"));
        }
        QCOMPARE(t.w().GBObdobi->NepracovniDen, skore);
        QCOMPARE(t.w().GBObdobi->LbZvyrazni->palette().color(QPalette::Window), barva);
    }

    void theDateFieldsKeyFilter() {
        QString out;
        for (QChar c : QStringLiteral("12,5+8-30x*a/"))
            if (QChar m = FiltrKlavesyData(c); !m.isNull())
                out += m;
        QCOMPARE(out, QStringLiteral("12.5 8:30:/"));
        QCOMPARE(FiltrKlavesyData(QChar(8)), QChar(8));
    }

    // The keypad's comma, plus, star and minus reach the picker as the separators it understands.
    void theDatePickerTakesTheKeypadKeys_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QDate>("date");
        // Plus is the blank after the day's name, comma the dot after the day and the month.
        QTest::newRow("plus and comma") << "+1,3" << QDate(2026, 3, 1);
        QTest::newRow("letters discarded") << "+x2a,b1c1" << QDate(2026, 11, 2);
    }

    void theDatePickerTakesTheKeypadKeys() {
        QFETCH(QString, typed);
        QFETCH(QDate, date);
        Prehled t;
        QDateEdit* picker = t.w().GBObdobi->EdVDatum;
        picker->setFocus();
        picker->setCurrentSectionIndex(0); // the day's name, where the picker starts
        QTest::keyClicks(picker, typed);
        QCOMPARE(picker->date(), date);
        // The picker's change ran the refresh for the typed day.
        QVERIFY(DmKL->QReserve->sqlText().contains(
            DmKL->SpojeniKL->dialect().dayEquals(QStringLiteral("DatumCas"), date)));
    }

    void noHolidaysForTheYearIsSaidWhenTheDateIsLeft() {
        Prehled t;
        t.w().GBObdobi->EdVDatum->setFocus();
        t.w().GBObdobi->EdVObj->setFocus();
        QCOMPARE(dialogs->texts(),
                 QStringList{QStringLiteral(
                     "Pro tento rok nejsou zadány žádné svátky.\r\n1 Číselníky -> 2 Svátky -> Import")});
    }

    // Switching to another window is not leaving the control: no warning then, one when the focus moves
    // on inside the window.
    void aSwitchOfWindowsIsNotLeavingTheDate() {
        Prehled t;
        t.w().GBObdobi->EdVDatum->setFocus();
        QVERIFY(t.w().GBObdobi->EdVDatum->hasFocus());
        dialogs->clear();
        QWidget other;
        other.resize(100, 100);
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        t.w().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&t.w()));
        QCOMPARE(dialogs->texts(), QStringList());
        QVERIFY(t.w().GBObdobi->EdVDatum->hasFocus());
        t.w().GBObdobi->EdVObj->setFocus();
        QCOMPARE(dialogs->texts().size(), 1);
    }

    // The interface is Czech even on a machine whose locale is not.
    void dayNamesAreCzechWhateverTheMachine() {
        QLocale::setDefault(QLocale::c());
        Prehled t;
        QCOMPARE(t.w().GBObdobi->EdVDatum->text(), QStringLiteral("čt 10.12.2026"));
        QCOMPARE(tk::formatDateTime(QStringLiteral("ddd dd.mm.yyyy"), tk::fromDate(dnes())),
                 QStringLiteral("čt 10.12.2026"));
    }

    void aDateSetByTheProgramDoesNotRefresh() {
        Prehled t(rows);
        const QString before = DmKL->QReserve->sqlText();
        t.w().GBObdobi->NastavDatum(dnes().addDays(3));
        QCOMPARE(DmKL->QReserve->sqlText(), before);
        t.w().GBObdobi->EdVDatum->setDate(dnes().addDays(4)); // as the user's change
        QVERIFY(DmKL->QReserve->sqlText() != before);
    }

    // The refresh runs at every keystroke of a filter field: a workplace-day among many bookings must stay
    // well below a keystroke's time.
    void theRefreshStaysFast() {
        Prehled t([](TDmKL& dm) {
            dm.SpojeniKL->inTransaction([&] {
                for (int d = 0; d < 400; ++d)
                    for (int obj = 1; obj <= 5; ++obj)
                        for (int s = 0; s < 20; ++s)
                            reservation(dm, QStringLiteral("0000%1").arg(obj), dnes().addDays(d - 200),
                                        8 + s / 2, (s % 2) * 30, 30, QStringLiteral("12"),
                                        QStringLiteral("Klient"));
            });
        });
        t.pracovisteDen(QStringLiteral("00001"), dnes());
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < 20; ++i)
            t.w().ObnovVyber();
        const qint64 perRefresh = timer.elapsed() / 20;
        qInfo() << "refresh of a workplace-day among 40000 rows:" << perRefresh << "ms";
        QCOMPARE(DmKL->QReserve->recordCount(), 20);
        QVERIFY2(perRefresh < 100, qPrintable(QString::number(perRefresh)));
    }
};

QTEST_MAIN(TestVyber)
#include "tst_vyber.moc"
