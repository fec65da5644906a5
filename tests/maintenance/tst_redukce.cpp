#include "UdrzbaProgram.h"

#include <QFileInfo>
#include <QtTest>

using namespace kltest;
using N = tk::DBNavigator;

namespace {

QDate brezen(int den) {
    return QDate(2022, 3, den);
}

const QString kTitulek = QStringLiteral("Redukce datového souboru rezervací");

QString prvniOtazka(const QString& posledni) {
    return QStringLiteral("Budou zrušeny rezervace podle datumu zadaného ve výběru.\r\nTedy do ") + posledni +
           QStringLiteral(" včetně.\r\n\r\n(Máte provedenou ZÁLOHU dat ?)");
}

QString druhaOtazka(const QString& posledni) {
    return QStringLiteral("Budou zrušeny rezervace do ") + posledni + QStringLiteral(" včetně.");
}

} // namespace

// The reduction of old reservations (menu "2 Rezervace") and the owner repair, with today 10 March 2022.
class TestRedukce : public QObject {
    Q_OBJECT

    tktest::TestDialogs* dialogs = nullptr;
    std::unique_ptr<Prehled> t;

    TFoKL& w() { return t->w(); }

    int radkuDne(const QDate& den) {
        return scalarKL(*DmKL,
                        QStringLiteral("select count(*) from Reserve where DatumCas>='%1' and DatumCas<'%2'")
                            .arg(stamp(den, 0, 0), stamp(den.addDays(1), 0, 0)))
            .toInt();
    }
    int radku() { return scalarKL(*DmKL, QStringLiteral("select count(*) from Reserve")).toInt(); }

    // The selected date with its week shown, so that the list holds rows of the days before it.
    void vyberTyden(const QDate& den) {
        w().GBObdobi->NastavDatum(den);
        QTest::mouseClick(w().GBObdobi->RBVTyden, Qt::LeftButton);
        QVERIFY(w().GBObdobi->RBVTyden->isChecked());
        if (w().GBObdobi->ChBVObj->isChecked())
            QTest::mouseClick(w().GBObdobi->ChBVObj, Qt::LeftButton);
        QVERIFY(!w().GBObdobi->ChBVObj->isChecked());
    }

    // The rows of the list that lie on the day.
    int vSeznamu(const QDate& den) {
        tk::Dataset& q = *DmKL->QReserve;
        int n = 0;
        for (int i = 1; i <= q.recordCount(); ++i)
            if (tk::toDate(q.rowValue(i, *DmKL->QReserveDatumCas).toDouble()) == den)
                ++n;
        return n;
    }

    void redukuj(const QList<bool>& odpovedi) {
        dialogs->clear();
        for (bool a : odpovedi)
            dialogs->answerNext(a);
        w().N2Redukce->trigger();
    }

private Q_SLOTS:
    void init() {
        dialogs = &tktest::installTestEnvironment();
        tktest::testClock().set(tk::encodeDate(2022, 3, 10) + tk::encodeTime(10, 0));
        // The last minute of 7 March and the first of 8 March on the second workplace.
        t = std::make_unique<Prehled>([](TDmKL& dm) {
            reservation(dm, QStringLiteral("00002"), brezen(7), 23, 59, 1, QStringLiteral("535228123"),
                        QStringLiteral("DVOŘÁK Petr"));
            reservation(dm, QStringLiteral("00002"), brezen(8), 0, 0, 20, QStringLiteral("8551011234"),
                        QStringLiteral("NOVÁKOVÁ Jana"));
        });
        QVERIFY(t->ok);
        for (int den : {4, 7, 8, 9}) {
            t->pracovisteDen(QStringLiteral("00001"), brezen(den));
            QVERIFY(tk::guard([&] { w().PSeznam->ZalozNovyDen(); }));
        }
        dialogs->clear();
    }
    void cleanup() { t.reset(); }

    void theReduction_data() {
        QTest::addColumn<QDate>("datum");
        QTest::addColumn<QList<bool>>("odpovedi");
        QTest::addColumn<QStringList>("zpravy");
        QTest::addColumn<bool>("smazano");
        QTest::newRow("8 March, two Yes") << brezen(8) << QList<bool>{true, true}
                                          << QStringList{prvniOtazka("07.03.2022"), druhaOtazka("07.03.2022"),
                                                         "Redukce dat byla provedena."}
                                          << true;
        QTest::newRow("9 March, yesterday")
            << brezen(9) << QList<bool>{true, true}
            << QStringList{prvniOtazka("08.03.2022"), druhaOtazka("08.03.2022"),
                           "Nelze rušit ještě aktuální rezervace."}
            << false;
        QTest::newRow("first No") << brezen(8) << QList<bool>{false} << QStringList{prvniOtazka("07.03.2022")}
                                  << false;
        QTest::newRow("second No") << brezen(8) << QList<bool>{true, false}
                                   << QStringList{prvniOtazka("07.03.2022"), druhaOtazka("07.03.2022")}
                                   << false;
        QTest::newRow("the first day of a year")
            << QDate(2022, 1, 1) << QList<bool>{false} << QStringList{prvniOtazka("31.12.2021")} << false;
    }

    void theReduction() {
        QFETCH(QDate, datum);
        QFETCH(QList<bool>, odpovedi);
        QFETCH(QStringList, zpravy);
        QFETCH(bool, smazano);
        vyberTyden(datum);
        const int vsech = radku();
        const int osmeho = radkuDne(brezen(8));
        const int pred = radkuDne(brezen(4)) + radkuDne(brezen(7));
        QVERIFY(osmeho > 1 && pred > 2);
        const int seznam = DmKL->QReserve->recordCount();
        const int seznamSedmeho = vSeznamu(brezen(7));
        QVERIFY(datum.month() == 1 || seznamSedmeho > 0);

        redukuj(odpovedi);
        QCOMPARE(dialogs->texts(), zpravy);
        for (const auto& s : dialogs->shown())
            if (s.isQuestion)
                QCOMPARE(s.caption, kTitulek);
        QCOMPARE(radkuDne(brezen(8)), osmeho); // the selected day stays whole
        QCOMPARE(radku(), smazano ? vsech - pred : vsech);
        QCOMPARE(radkuDne(brezen(7)), smazano ? 0 : radkuDne(brezen(7)));
        // The list is read again.
        QCOMPARE(DmKL->QReserve->recordCount(), smazano ? seznam - seznamSedmeho : seznam);
        QCOMPARE(vSeznamu(brezen(7)), smazano ? 0 : seznamSedmeho);
        QVERIFY(!w().LbZprava->isVisible());
        QVERIFY(w().PSeznam->GBZobraz->isVisible());
    }

    void theFreedSpaceIsGivenBack() {
        mnohoRezervaci(*DmKL, brezen(1), 4000);
        const QString soubor = t->folder.dataFolder() + QStringLiteral("/Kalendo.sqlite");
        const qint64 pred = QFileInfo(soubor).size();
        vyberTyden(brezen(8));
        redukuj({true, true});
        QCOMPARE(dialogs->last(), QStringLiteral("Redukce dat byla provedena."));
        QCOMPARE(radkuDne(brezen(1)), 0);
        QVERIFY2(QFileInfo(soubor).size() < pred / 2,
                 qPrintable(QStringLiteral("%1 -> %2").arg(pred).arg(QFileInfo(soubor).size())));
    }

    void notWhileAReservationIsWritten() {
        t->pracovisteDen(QStringLiteral("00001"), brezen(7));
        DmKL->QReserve->setRecNo(2);
        w().PSeznam->Navigator->click(N::Edit);
        QCOMPARE(DmKL->QReserve->state(), tk::DatasetState::Edit);
        const int vsech = radku();
        redukuj({true, true});
        QCOMPARE(dialogs->texts(), QStringList{QStringLiteral("Ukončete nejprve úpravu rezervace!")});
        QCOMPARE(DmKL->QReserve->state(), tk::DatasetState::Edit);
        QCOMPARE(radku(), vsech);
        w().PSeznam->Navigator->click(N::Cancel);
    }

    void theRepairIsSilent() {
        QVERIFY(!w().N3X->isVisible());
        QTest::keyClick(&w(), Qt::Key_F8, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(w().N3X->isVisible());
        const QStringList pred = obsahDatabaze(t->folder.dataFolder() + QStringLiteral("/Kalendo.sqlite"));
        w().N3X->trigger();
        w().N3X->trigger();
        QCOMPARE(dialogs->texts(), QStringList());
        QCOMPARE(obsahDatabaze(t->folder.dataFolder() + QStringLiteral("/Kalendo.sqlite")), pred);
    }
};

QTEST_MAIN(TestRedukce)
#include "tst_redukce.moc"
