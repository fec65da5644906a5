#include "PrehledProgram.h"

#include <QtTest>

using namespace kltest;

// Founding a working day: marker rows and free slots, all or nothing.
class TestNovyDen : public QObject {
    Q_OBJECT

    tktest::TestDialogs* dialogs = nullptr;

    static std::function<void(TDmKL&)> parametry(int odH, int odM, int doH, int doM, int ppOdH, int ppOdM,
                                                 int ppDoH, int ppDoM, const QString& objekt) {
        return [=](TDmKL& dm) {
            execKL(dm,
                   QStringLiteral("update ParamP set PrOdH=%1,PrOdM=%2,PrDoH=%3,PrDoM=%4,PPOdH=%5,PPOdM=%6,"
                                  "PPDoH=%7,PPDoM=%8")
                       .arg(odH)
                       .arg(odM)
                       .arg(doH)
                       .arg(doM)
                       .arg(ppOdH)
                       .arg(ppOdM)
                       .arg(ppDoH)
                       .arg(ppDoM));
            execKL(dm, QStringLiteral("update Objekt set %1 where Kod='00001'").arg(objekt));
        };
    }

private Q_SLOTS:
    void init() { dialogs = &tktest::installTestEnvironment(); }

    void generatesTheDay_data() {
        QTest::addColumn<QStringList>("params"); // odH odM doH doM ppOdH ppOdM ppDoH ppDoM
        QTest::addColumn<QString>("objekt");
        QTest::addColumn<QStringList>("rows");
        const QStringList example{"7", "0", "15", "30", "11", "30", "12", "0"};
        QStringList twenty{"07:00 ======ZPD=======", "07:00 "};
        for (const char* t : {"07:30", "08:00", "08:30", "09:00", "09:30", "10:00", "10:30", "11:00"})
            twenty << QString::fromLatin1(t) + QLatin1Char(' ');
        twenty << "11:30 ======ZPP======="
               << "12:00 ======KPP=======";
        for (const char* t : {"12:00", "12:30", "13:00", "13:30", "14:00", "14:30", "15:00"})
            twenty << QString::fromLatin1(t) + QLatin1Char(' ');
        twenty << "15:30 ======KPD=======";
        QTest::newRow("worked example") << example << "Gpp=1,Gin=1,Interval=30" << twenty;
        QTest::newRow("40 minutes") << example << "Gpp=1,Gin=1,Interval=40"
                                    << QStringList{"07:00 ======ZPD=======",
                                                   "07:00 ",
                                                   "07:40 ",
                                                   "08:20 ",
                                                   "09:00 ",
                                                   "09:40 ",
                                                   "10:20 ",
                                                   "11:30 ======ZPP=======",
                                                   "12:00 ======KPP=======",
                                                   "12:00 ",
                                                   "12:40 ",
                                                   "13:20 ",
                                                   "14:00 ",
                                                   "14:40 ",
                                                   "15:30 ======KPD======="};
        QTest::newRow("pause asked for but none set")
            << QStringList{"8", "0", "10", "0", "0", "0", "0", "0"} << "Gpp=1,Gin=1,Interval=60"
            << QStringList{"08:00 ======ZPD=======", "08:00 ", "09:00 ", "10:00 ======KPD======="};
        QTest::newRow("pause set but not asked for")
            << QStringList{"8", "0", "10", "0", "9", "0", "9", "30"} << "Gpp=0,Gin=1,Interval=60"
            << QStringList{"08:00 ======ZPD=======", "08:00 ", "09:00 ", "10:00 ======KPD======="};
        QTest::newRow("no slots") << example << "Gpp=1,Gin=0,Interval=30"
                                  << QStringList{"07:00 ======ZPD=======", "11:30 ======ZPP=======",
                                                 "12:00 ======KPP=======", "15:30 ======KPD======="};
        QTest::newRow("exact multiple")
            << QStringList{"8", "0", "9", "0", "0", "0", "0", "0"} << "Gpp=0,Gin=1,Interval=30"
            << QStringList{"08:00 ======ZPD=======", "08:00 ", "08:30 ", "09:00 ======KPD======="};
        QTest::newRow("one minute shorter")
            << QStringList{"8", "0", "8", "59", "0", "0", "0", "0"} << "Gpp=0,Gin=1,Interval=30"
            << QStringList{"08:00 ======ZPD=======", "08:00 ", "08:59 ======KPD======="};
    }

    void generatesTheDay() {
        QFETCH(QStringList, params);
        QFETCH(QString, objekt);
        QFETCH(QStringList, rows);
        QList<int> p;
        for (const QString& s : params)
            p << s.toInt();
        Prehled t(parametry(p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], objekt));
        QVERIFY(t.ok);
        t.pracovisteDen(QStringLiteral("00001"), dnes());
        QCOMPARE(t.w().PSeznam->BbTiskNovy->text(), QStringLiteral("Nový D"));
        QVERIFY(tk::guard([&] { t.w().PSeznam->ZalozNovyDen(); }));
        t.w().ObnovVyber();
        QCOMPARE(t.seznam(), rows);
        QVERIFY(!DmKL->GenerovaniDne);
        QCOMPARE(t.zamky(), 0); // founding takes no lock
        QCOMPARE(t.w().PSeznam->BbTiskNovy->text(), QStringLiteral("Tisk O"));
        // Every generated row belongs to the workplace and has the defaults of a new row.
        QCOMPARE(scalarKL(*DmKL,
                          QStringLiteral("select count(*) from Reserve where Objekt<>'00001' or Hotovo<>0 or "
                                         "PKZadanky<>0 or KodPrac<>'00'"))
                     .toInt(),
                 0);
        QCOMPARE(dialogs->texts(), QStringList());
    }

    // A founded day's free slots have empty texts, not NULL: "Volné" and the lists outside the workplace-day
    // find them. The default parameters: 8:00-16:30, pause 11:30-12:30; "Vana" has 30-minute slots.
    void freeSlotsAreEmptyAndListedAsFree() {
        Prehled t;
        t.pracovisteDen(QStringLiteral("00001"), dnes());
        QVERIFY(tk::guard([&] { t.w().PSeznam->ZalozNovyDen(); }));
        t.w().ObnovVyber();
        QCOMPARE(DmKL->QReserve->recordCount(), 19);
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select count(*) from Reserve where RCPacienta is null or "
                                                "JmenoPac is null"))
                     .toInt(),
                 0);
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select count(*) from Reserve where RCPacienta='' and "
                                                "JmenoPac=''"))
                     .toInt(),
                 15);
        QTest::mouseClick(t.w().PSeznam->RBZVolno, Qt::LeftButton);
        QVERIFY(t.w().PSeznam->RBZVolno->isChecked());
        QCOMPARE(t.w().statusText(2), QStringLiteral("Počet vybraných položek     15"));
        QCOMPARE(t.seznam().first(), QStringLiteral("08:00 "));
        QCOMPARE(t.seznam().last(), QStringLiteral("16:00 "));
        // The week of the day lists its slots, without the markers.
        QTest::mouseClick(t.w().PSeznam->RBZVse, Qt::LeftButton);
        QTest::mouseClick(t.w().GBObdobi->RBVTyden, Qt::LeftButton);
        QVERIFY(t.w().GBObdobi->RBVTyden->isChecked());
        QCOMPARE(DmKL->QReserve->recordCount(), 15);
    }

    void markerTextsAndTheWorkersCode() {
        Prehled t(parametry(8, 0, 9, 0, 0, 0, 0, 0, QStringLiteral("Gin=0")));
        t.pracovisteDen(QStringLiteral("00002"), dnes(), QStringLiteral("Magnet"));
        // The workplace's permanent worker when the selection names no worker.
        t.w().GBObdobi->StalyPracovnik = QStringLiteral("03");
        QVERIFY(tk::guard([&] { t.w().PSeznam->ZalozNovyDen(); }));
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select count(*) from Reserve")).toInt(), 5);
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select count(*) from Reserve where KodPrac<>'03'")).toInt(),
                 0);
        const QVariant zpd =
            scalarKL(*DmKL, QStringLiteral("select JmenoPac from Reserve where RCPacienta='1'"));
        QCOMPARE(zpd.toString(), QStringLiteral("======ZPD======="));
        QCOMPARE(zpd.toString().size(), 16);
    }

    void refusedWhenAnotherStationFoundedTheDay() {
        Prehled t;
        t.pracovisteDen(QStringLiteral("00001"), dnes());
        QCOMPARE(t.w().PSeznam->BbTiskNovy->text(), QStringLiteral("Nový D"));
        reservation(*DmKL, QStringLiteral("00001"), dnes(), 8, 0, 0, QStringLiteral("1"),
                    QStringLiteral("======ZPD======="));
        dialogs->clear();
        QVERIFY(!tk::guard([&] { t.w().PSeznam->ZalozNovyDen(); }));
        QCOMPARE(dialogs->texts().size(), 1);
        QVERIFY(dialogs->last().startsWith(
            QStringLiteral("Založení nového pracovního dne je možné jen pokud\r\n")));
        QCOMPARE(t.w().PSeznam->BbTiskNovy->text(), QStringLiteral("<?>"));
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select count(*) from Reserve")).toInt(), 1);
    }

    void aFailurePartWayLeavesNoRowsOfTheDay() {
        Prehled t;
        t.pracovisteDen(QStringLiteral("00001"), dnes());
        execKL(*DmKL, QStringLiteral("create trigger Porucha before insert on Reserve when new.DatumCas='%1' "
                                     "begin select raise(abort,'disk full'); end")
                          .arg(stamp(dnes(), 14, 0)));
        dialogs->clear();
        QVERIFY(!tk::guard([&] { t.w().PSeznam->ZalozNovyDen(); }));
        QCOMPARE(dialogs->texts().size(), 1);
        QVERIFY(dialogs->last().contains(QStringLiteral("disk full")));
        QVERIFY(!DmKL->GenerovaniDne);
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select count(*) from Reserve")).toInt(), 0);
        QVERIFY(DmKL->QReserve->isActive());
        QVERIFY(DmKL->QReserve->isEmpty());
        // Back in browsing: the navigator of the writable selection, the step buttons off.
        QCOMPARE(t.w().PSeznam->Navigator->visibleButtons().size(), 10);
        QVERIFY(!t.w().GBDetail->UpDwHod->isEnabled());
        QVERIFY(!t.w().GBDetail->UpDwDoba->isEnabled());
        QCOMPARE(DmKL->QReserve->state(), tk::DatasetState::Browse);
    }

    void bookingAFreeSlotEndToEnd() {
        Prehled t;
        t.pracovisteDen(QStringLiteral("00001"), dnes());
        QVERIFY(tk::guard([&] { t.w().PSeznam->ZalozNovyDen(); }));
        t.w().ObnovVyber();
        tk::Dataset& q = *DmKL->QReserve;
        QVERIFY(q.locate(QStringLiteral("DatumCas"), tk::fromDate(dnes()) + tk::encodeTime(9, 0)));
        const int id = DmKL->QReserveIDRes->asInteger();
        QVERIFY(DmKL->QReserveJmenoPac->asString().isEmpty());
        t.w().PSeznam->Navigator->click(tk::DBNavigator::Edit);
        QCOMPARE(q.state(), tk::DatasetState::Edit);
        QCOMPARE(t.zamky(), 1);
        QVERIFY(t.w().PSeznam->LbBlok->isVisible());
        QVERIFY(!t.w().GBObdobi->isEnabled());
        QCOMPARE(t.w().PSeznam->Navigator->visibleButtons(),
                 (QList<tk::DBNavigator::Button>{tk::DBNavigator::Post, tk::DBNavigator::Cancel}));
        QTest::keyClicks(t.w().GBDetail->EdDRCP, QStringLiteral("8551011234"));
        t.w().GBDetail->EdDJmPac->clear();
        QTest::keyClicks(t.w().GBDetail->EdDJmPac, QStringLiteral("Novak Jan"));
        t.w().PSeznam->Navigator->click(tk::DBNavigator::Post);
        QCOMPARE(q.state(), tk::DatasetState::Browse);
        QCOMPARE(t.zamky(), 0);
        QVERIFY(!t.w().PSeznam->LbBlok->isVisible());
        QVERIFY(t.w().GBObdobi->isEnabled());
        QCOMPARE(DmKL->QReserveIDRes->asInteger(), id);
        QCOMPARE(DmKL->QReserveJmenoPac->asString(), QStringLiteral("Novak Jan"));
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select RCPacienta from Reserve where IDRes=%1").arg(id))
                     .toString(),
                 QStringLiteral("8551011234"));
        QCOMPARE(dialogs->texts(), QStringList());
    }
};

QTEST_MAIN(TestNovyDen)
#include "tst_novyden.moc"
