// The reservation detail panel: the client, worker and workplace names, the marker texts, copying the
// selection's client, the pickers, the worker field, the step buttons, the keypad, the warning colours
// and the list double click.

#include "EditingProgram.h"

using namespace kltest;
using N = tk::DBNavigator;

namespace {
tk::TDateTime cas(const QDate& d, int h, int m) {
    return tk::fromDate(d) + tk::encodeTime(h, m);
}
bool near(double a, double b) {
    return std::abs(a - b) < 1e-7;
}
QColor barvaTextu(const QWidget* w) {
    return w->palette().color(QPalette::Text);
}
} // namespace

class TestDetail : public QObject {
    Q_OBJECT
    tktest::TestDialogs* dialogs = nullptr;
    std::unique_ptr<Prehled> t;

    TPanelDetailu& d() { return *t->w().GBDetail; }
    TPanelVyberu& v() { return *t->w().GBObdobi; }
    tk::Dataset& q() { return *DmKL->QReserve; }

    // The founded day of workplace 00001 with the 8:00 slot (row 2) opened for editing.
    void upravSlot(int radek = 2) {
        q().setRecNo(radek);
        QTest::mouseClick(t->w().PSeznam->Navigator->button(N::Edit), Qt::LeftButton);
        QVERIFY(q().isEditing());
    }
    void zadejKlienta(const QString& text) {
        d().EdDRCP->setFocus();
        QTest::keyClick(d().EdDRCP, Qt::Key_Home);
        for (int i = 0; i < 10; ++i)
            QTest::keyClick(d().EdDRCP, Qt::Key_Delete);
        QTest::keyClicks(d().EdDRCP, text);
    }

private Q_SLOTS:
    void init() {
        dialogs = &tktest::installTestEnvironment();
        t = std::make_unique<Prehled>(klientiAPracovnici);
        QVERIFY(t->ok);
        t->pracovisteDen(QStringLiteral("00001"), dnes());
        QVERIFY(tk::guard([&] { t->w().PSeznam->ZalozNovyDen(); }));
        t->w().ObnovVyber();
        QCOMPARE(q().recordCount(), 19);
        dialogs->clear();
    }
    void cleanup() { t.reset(); }

    void theClientIsLookedUpAsTyped_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("jmeno");
        QTest::newRow("identifier") << "11"
                                    << "NOVÁKOVÁ Jana Ing.";
        QTest::newRow("birth number") << "535228123"
                                      << "DVOŘÁK Petr ";
        QTest::newRow("cut to 30") << "7001011111"
                                   << "VELMIDLOUHÉPŘÍJMENÍ Maxmiliána";
        QTest::newRow("nobody") << "999"
                                << "";
        QTest::newRow("start of day") << "1"
                                      << "======ZPD=======";
        QTest::newRow("start of pause") << "2"
                                        << "======ZPP=======";
        QTest::newRow("end of pause") << "3"
                                      << "======KPP=======";
        QTest::newRow("end of day") << "4"
                                    << "======KPD=======";
    }
    void theClientIsLookedUpAsTyped() {
        QFETCH(QString, text);
        QFETCH(QString, jmeno);
        upravSlot();
        zadejKlienta(text);
        QCOMPARE(DmKL->QReserveJmenoPac->asString(), jmeno);
        QCOMPARE(d().EdDJmPac->text(), jmeno);
    }

    void clientsFromKinemoAreNamedByBirthNumber() {
        t.reset(); // one program at a time: both would use the same named connections
        t = std::make_unique<Prehled>([](TDmKL& dm) {
            createKinemoIn(dm.SlozkaProgramu + QStringLiteral("data"));
            execKL(dm, QStringLiteral("update ParamP set DbKN=1"));
        });
        QVERIFY(t->ok);
        t->pracovisteDen(QStringLiteral("00001"), dnes());
        QVERIFY(tk::guard([&] { t->w().PSeznam->ZalozNovyDen(); }));
        t->w().ObnovVyber();
        upravSlot();
        zadejKlienta(QStringLiteral("11")); // a short text is a birth number too: nobody
        QCOMPARE(DmKL->QReserveJmenoPac->asString(), QString());
        zadejKlienta(QStringLiteral("535228123"));
        QCOMPARE(DmKL->QReserveJmenoPac->asString(), QStringLiteral("DVOŘÁK Petr "));
    }

    void namesOfTheRowsWorkerAndWorkplace() {
        QCOMPARE(d().LbDNazObj->text(), QStringLiteral("Vana"));
        upravSlot();
        d().EdDKPr->setFocus();
        QTest::keyClick(d().EdDKPr, Qt::Key_Home);
        QTest::keyClicks(d().EdDKPr, QStringLiteral("03"));
        QCOMPARE(d().LbDJmPr->text(), QStringLiteral("MUDr. Malá Eva"));
        QTest::keyClick(d().EdDKPr, Qt::Key_Home);
        QTest::keyClicks(d().EdDKPr, QStringLiteral("05"));
        QCOMPARE(d().LbDJmPr->text(), QStringLiteral("Velký Adam"));
        QTest::keyClick(d().EdDKPr, Qt::Key_Home);
        QTest::keyClicks(d().EdDKPr, QStringLiteral("09"));
        QCOMPARE(d().LbDJmPr->text(), QString());
    }

    void leavingTheWorkerFieldFillsTheCode() {
        upravSlot();
        d().EdDKPr->setFocus();
        QTest::keyClick(d().EdDKPr, Qt::Key_Home);
        QTest::keyClicks(d().EdDKPr, QStringLiteral("7"));
        QTest::keyClick(d().EdDKPr, Qt::Key_Delete);
        QTest::keyClick(d().EdDKPr, Qt::Key_Tab);
        QCOMPARE(DmKL->QReserveKodPrac->asString(), QStringLiteral("07"));
    }

    void theSelectionsClientIsCopied_data() {
        QTest::addColumn<int>("jak"); // 0 Insert, 1 Ctrl+left click, 2 right click
        QTest::addColumn<bool>("upravuje");
        QTest::addColumn<QString>("klient");
        QTest::addColumn<QString>("rc"); // the row's RCPacienta afterwards
        QTest::newRow("Insert") << 0 << true << "8551011234"
                                << "8551011234";
        QTest::newRow("Ctrl+left click") << 1 << true << "8551011234"
                                         << "8551011234";
        QTest::newRow("right click") << 2 << true << "8551011234"
                                     << "8551011234";
        QTest::newRow("empty selection") << 2 << true << ""
                                         << "";
        QTest::newRow("while browsing") << 0 << false << "8551011234"
                                        << "";
    }
    void theSelectionsClientIsCopied() {
        QFETCH(int, jak);
        QFETCH(bool, upravuje);
        QFETCH(QString, klient);
        QFETCH(QString, rc);
        prepis(v().EdVRCP, klient);
        q().setRecNo(2);
        if (upravuje)
            upravSlot();
        if (jak == 0)
            QTest::keyClick(d().EdDRCP, Qt::Key_Insert);
        else
            QTest::mouseClick(d().EdDRCP, jak == 1 ? Qt::LeftButton : Qt::RightButton,
                              jak == 1 ? Qt::ControlModifier : Qt::KeyboardModifiers());
        QCOMPARE(DmKL->QReserveRCPacienta->asString().trimmed(), rc);
        if (!rc.isEmpty())
            QCOMPARE(DmKL->QReserveJmenoPac->asString(), QStringLiteral("NOVÁKOVÁ Jana Ing."));
    }

    void pickersOfTheDetail() {
        QList<Otevreni> log;
        zachytPickery(t->w(), log);
        prepis(v().EdVRCP, QStringLiteral("535228123"));
        upravSlot();
        // Empty field: the selection's named client is the start code.
        QTest::mouseDClick(d().EdDRCP, Qt::LeftButton);
        QCOMPARE(log.size(), 1);
        QCOMPARE(log[0].seznam, QStringLiteral("klienti"));
        QCOMPARE(log[0].kod, QStringLiteral("535228123"));
        QCOMPARE(log[0].mode, 1);
        QCOMPARE(tagOf(d().EdDRCP), 2);
        t->w().VybranyKod = QStringLiteral("12");
        QVERIFY(t->program->activate());
        QCOMPARE(DmKL->QReserveRCPacienta->asString().trimmed(), QStringLiteral("12"));
        QCOMPARE(DmKL->QReserveJmenoPac->asString(), QStringLiteral("DVOŘÁK Petr "));
        QTest::keyClick(d().EdDKPr, Qt::Key_F7);
        QCOMPARE(log.size(), 2);
        QCOMPARE(log[1].seznam, QStringLiteral("pracovnici"));
        QTest::mouseClick(t->w().PSeznam->Navigator->button(N::Cancel), Qt::LeftButton);
        // While the row is only browsed, a pick for a detail field is not delivered.
        QTest::mouseDClick(d().EdDKPr, Qt::LeftButton);
        t->w().VybranyKod = QStringLiteral("05");
        QVERIFY(t->program->activate());
        QCOMPARE(DmKL->QReserveKodPrac->asString(), QStringLiteral("00"));
    }

    void theStepButtons() {
        QVERIFY(!d().UpDwHod->isEnabled()); // browsing: the buttons wait for an edit
        upravSlot(19);                      // the end-of-day row: free up to 23:59
        QVERIFY(d().UpDwHod->isEnabled());
        DmKL->QReserveDatumCas->setAsDateTime(cas(dnes(), 23, 30));
        QTest::mouseClick(d().UpDwHod->upButton(), Qt::LeftButton);
        QVERIFY(near(DmKL->QReserveDatumCas->asDateTime(), cas(dnes().addDays(1), 0, 30)));
        QTest::mouseClick(d().UpDwHod->downButton(), Qt::LeftButton);
        QTest::mouseClick(d().UpDw10min->downButton(), Qt::LeftButton);
        QTest::mouseClick(d().UpDwMin->upButton(), Qt::LeftButton);
        QVERIFY(near(DmKL->QReserveDatumCas->asDateTime(), cas(dnes(), 23, 21)));
        QCOMPARE(DmKL->QReserveDoba->asInteger(), 0);
        QTest::mouseClick(d().UpDwDoba->downButton(), Qt::LeftButton);
        QCOMPARE(DmKL->QReserveDoba->asInteger(), 0); // never below 0
        QTest::mouseClick(d().UpDwDoba->upButton(), Qt::LeftButton);
        QCOMPARE(DmKL->QReserveDoba->asInteger(), 1);
        QTest::mouseClick(t->w().PSeznam->Navigator->button(N::Cancel), Qt::LeftButton);
        QVERIFY(!d().UpDwDoba->isEnabled());
    }

    void theKeypadWritesDateAndTime() {
        upravSlot();
        d().EdDDatum->setFocus();
        d().EdDDatum->selectAll();
        QTest::keyClick(d().EdDDatum, Qt::Key_Backspace);
        QTest::keyClicks(d().EdDDatum, QStringLiteral("26,5,2021+14-30"));
        QCOMPARE(d().EdDDatum->text(), QStringLiteral("26.5.2021 14:30"));
        QVERIFY(near(DmKL->QReserveDatumCas->asDateTime(), cas(QDate(2021, 5, 26), 14, 30)));
        QTest::keyClicks(d().EdDDatum, QStringLiteral("ab"));
        QCOMPARE(d().EdDDatum->text(), QStringLiteral("26.5.2021 14:30")); // letters are discarded
    }

    void warningColoursFollowTheFreeWindow() {
        upravSlot(); // 8:00-8:30 between the start row (8:00) and the 8:30 slot
        QCOMPARE(barvaTextu(d().EdDDatum), QColor(Qt::black));
        QTest::mouseClick(d().UpDwMin->downButton(), Qt::LeftButton); // 7:59
        QCOMPARE(barvaTextu(d().EdDDatum), QColor(255, 0, 0));
        QTest::mouseClick(d().UpDwMin->upButton(), Qt::LeftButton);
        QCOMPARE(barvaTextu(d().EdDDatum), QColor(Qt::black));
        QTest::mouseClick(d().UpDwDoba->upButton(), Qt::LeftButton); // ends 8:31
        QCOMPARE(barvaTextu(d().EdDCasDo), QColor(255, 0, 0));
        QTest::mouseClick(d().UpDwDoba->downButton(), Qt::LeftButton);
        QCOMPARE(barvaTextu(d().EdDCasDo), QColor(Qt::black));
        QTest::mouseClick(d().UpDwDoba->upButton(), Qt::LeftButton);
        QTest::mouseClick(t->w().PSeznam->Navigator->button(N::Cancel), Qt::LeftButton);
        QCOMPARE(barvaTextu(d().EdDCasDo), QColor(Qt::black)); // the release clears them
    }

    void aDoubleClickOnAWeekListSetsUpTheWritableDay() {
        reservation(*DmKL, QStringLiteral("00002"), dnes().addDays(1), 10, 0, 20, QStringLiteral("535228123"),
                    QStringLiteral("DVOŘÁK Petr "));
        // A week list of every workplace: not writable.
        QTest::mouseClick(v().ChBVObj, Qt::LeftButton, {}, QPoint(8, v().ChBVObj->height() / 2));
        QTest::mouseClick(v().RBVTyden, Qt::LeftButton, {}, QPoint(8, v().RBVTyden->height() / 2));
        QTest::mouseClick(t->w().PSeznam->RBZObsazeno, Qt::LeftButton, {},
                          QPoint(8, t->w().PSeznam->RBZObsazeno->height() / 2));
        QVERIFY(!v().ChBVObj->isChecked());
        QCOMPARE(q().recordCount(), 1);
        const int id = DmKL->QReserveIDRes->asInteger();
        tk::DBGrid* grid = t->w().PSeznam->DBGridSeznam;
        const QRect bunka = grid->visualRect(grid->model()->index(0, 2));
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, bunka.center());
        QVERIFY(v().RBVDen->isChecked());
        QVERIFY(v().ChBVObj->isChecked());
        QVERIFY(!v().ChBVRCP->isChecked());
        QVERIFY(!v().ChBVKPr->isChecked());
        QVERIFY(t->w().PSeznam->RBZVse->isChecked());
        QCOMPARE(v().EdVObj->text(), QStringLiteral("00002"));
        QCOMPARE(v().LbVNazObj->text(), QStringLiteral("Magnet"));
        QCOMPARE(v().EdVDatum->date(), dnes().addDays(1));
        QCOMPARE(DmKL->QReserveIDRes->asInteger(), id);
        QVERIFY(t->w().PSeznam->Navigator->visibleButtons().contains(N::Edit));
        QVERIFY(!t->w().PotlacitObnovu);
    }

    void aDoubleClickOnAnEmptyListChangesNothing() {
        prepis(v().EdVObj, QStringLiteral("00002")); // a workplace without rows that day
        // Typing passed through codes naming nothing, which unticked the filter; the user ticks it again.
        if (!v().ChBVObj->isChecked())
            QTest::mouseClick(v().ChBVObj, Qt::LeftButton, {}, QPoint(8, v().ChBVObj->height() / 2));
        QVERIFY(v().ChBVObj->isChecked());
        QVERIFY(q().isEmpty());
        QTest::mouseClick(v().RBVTyden, Qt::LeftButton, {}, QPoint(8, v().RBVTyden->height() / 2));
        QVERIFY(q().isEmpty());
        tk::DBGrid* grid = t->w().PSeznam->DBGridSeznam;
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(v().RBVTyden->isChecked());
        QCOMPARE(v().EdVObj->text(), QStringLiteral("00002"));
        QCOMPARE(dialogs->texts(), QStringList());
    }
};

QTEST_MAIN(TestDetail)
#include "tst_detail.moc"
