#include "CiselnikyProgram.h"

#include "codelists/FoSvatek.h"
#include "data/Svatky.h"

#include <QtTest>

using namespace kltest;

namespace {
QString rok(int r) {
    return QStringLiteral("Datum>='%1-01-01' and Datum<'%2-01-01'").arg(r).arg(r + 1);
}
void holiday(TDmKL& dm, const QDate& d, const QString& nazev) {
    execKL(dm,
           QStringLiteral("insert into Svatek (Datum,Nazev) values ('%1','%2')").arg(stamp(d, 0, 0), nazev));
}
} // namespace

// Easter and the import of a year's Czech public holidays from the holidays window.
class TestSvatky : public QObject {
    Q_OBJECT

    tktest::TestDialogs* dialogs = nullptr;
    std::unique_ptr<Ciselniky> t;

    int pocet(int r) {
        return scalarKL(*DmKL, QStringLiteral("select count(*) from Svatek where ") + rok(r)).toInt();
    }
    // The holidays window for a year selected in the main window.
    TFoSvatek* okno(int r) {
        t->w().GBObdobi->NastavDatum(QDate(r, 6, 15));
        t->w().N12VolneDny->trigger();
        TFoSvatek* o = t->c().FoSvatek;
        if (o && !QTest::qWaitForWindowActive(o))
            return nullptr;
        return o;
    }
    void importuj(TFoSvatek* o, bool ano) {
        dialogs->clear();
        dialogs->answerNext(ano);
        QTest::mouseClick(o->BbImport, Qt::LeftButton);
    }

private Q_SLOTS:
    void init() {
        dialogs = &tktest::installTestEnvironment();
        t = std::make_unique<Ciselniky>([](TDmKL& dm) {
            holiday(dm, QDate(2024, 3, 15), QStringLiteral("Vlastní volno"));
            holiday(dm, QDate(2024, 1, 1), QStringLiteral("Nový rok"));
            holiday(dm, QDate(2023, 12, 31), QStringLiteral("Silvestr"));
        });
        QVERIFY(t->ok);
        dialogs->clear();
    }
    void cleanup() { t.reset(); }

    void easterSunday_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<QDate>("easter");
        QTest::newRow("2000") << 2000 << QDate(2000, 4, 23);
        QTest::newRow("2019") << 2019 << QDate(2019, 4, 21);
        QTest::newRow("2024, in March") << 2024 << QDate(2024, 3, 31);
        QTest::newRow("2049, the 18 April case") << 2049 << QDate(2049, 4, 18);
        QTest::newRow("2076, the 19 April case") << 2076 << QDate(2076, 4, 19);
        QTest::newRow("2099") << 2099 << QDate(2099, 4, 12);
    }
    void easterSunday() {
        QFETCH(int, year);
        QFETCH(QDate, easter);
        QCOMPARE(Velikonoce(year), easter);
    }

    void theWindowOpensOnTheLatestHolidayWithTheYearsHint() {
        TFoSvatek* o = okno(2024);
        QVERIFY(o);
        QCOMPARE(o->windowTitle(), QStringLiteral("Svátky"));
        QCOMPARE(o->pos(), t->w().pos() + QPoint(10, 120));
        QCOMPARE(DmKL->QSvatekNazev->asString(), QStringLiteral("Vlastní volno"));
        QCOMPARE(o->BbImport->toolTip(),
                 QStringLiteral("Import svátků ČR pro rok 2024 (rok dle vybraného data)"));
        QCOMPARE(o->FoGrid->mode(), tk::DBGrid::Mode::Edit);
    }

    void importInsertsTheYearsHolidays_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("rows");
        QTest::newRow("2015, no Good Friday") << 2015 << 12;
        QTest::newRow("2016") << 2016 << 13;
        QTest::newRow("2099") << 2099 << 13;
        QTest::newRow("2000") << 2000 << 12;
    }
    void importInsertsTheYearsHolidays() {
        QFETCH(int, year);
        QFETCH(int, rows);
        TFoSvatek* o = okno(year);
        QVERIFY(o);
        importuj(o, true);
        QCOMPARE(dialogs->shown().size(), size_t(1));
        const auto& otazka = dialogs->shown().front();
        QVERIFY(otazka.isQuestion);
        QCOMPARE(otazka.caption, QStringLiteral("Kalendo - Generování svátků ČR pro rok %1").arg(year));
        QCOMPARE(otazka.text, QStringLiteral("Všechny již pořízené svátky v roce %1\r\nbudou vymazány a "
                                             "vygenerovány znovu.\r\nPřípadné vlastní volné dny pak doplňte "
                                             "ručně.")
                                  .arg(year));
        QCOMPARE(pocet(year), rows);
        // On the last row afterwards.
        QCOMPARE(DmKL->QSvatek->recNo(), DmKL->QSvatek->recordCount());
    }

    void import2024ReplacesTheYearAndKeepsOthers() {
        TFoSvatek* o = okno(2024);
        QVERIFY(o);
        importuj(o, true);
        QCOMPARE(pocet(2024), 13);
        QCOMPARE(pocet(2023), 1);
        tk::Dataset* q = DmKL->QSvatek;
        QVERIFY(!q->locate(QStringLiteral("Nazev"), QStringLiteral("Vlastní volno")));
        QVERIFY(q->locate(QStringLiteral("Nazev"), QStringLiteral("Velký pátek")));
        QCOMPARE(tk::toDate(DmKL->QSvatekDatum->asDateTime()), QDate(2024, 3, 29));
        QVERIFY(q->locate(QStringLiteral("Nazev"), QStringLiteral("Pondělí velikonoční")));
        QCOMPARE(tk::toDate(DmKL->QSvatekDatum->asDateTime()), QDate(2024, 4, 1));
        QVERIFY(q->locate(QStringLiteral("Nazev"), QStringLiteral("Silvestr")));
    }

    void refusedImportsChangeNothing_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("message");
        QTest::newRow("not confirmed") << 2024 << false << "Soubor svátků zůstal nezměn.";
        QTest::newRow("1999") << 1999 << true << "Jóóó to byla jiná doba.";
        QTest::newRow("2100") << 2100 << true << "Tak daleko dopředu to už neumím.";
    }
    void refusedImportsChangeNothing() {
        QFETCH(int, year);
        QFETCH(bool, yes);
        QFETCH(QString, message);
        TFoSvatek* o = okno(year);
        QVERIFY(o);
        importuj(o, yes);
        // The question comes first, the refusal after it.
        QCOMPARE(dialogs->shown().size(), size_t(2));
        QVERIFY(dialogs->shown().front().isQuestion);
        QCOMPARE(dialogs->last(), message);
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select count(*) from Svatek")).toInt(), 3);
    }

    void aFailedImportKeepsTheYearAsItWas() {
        // The server refuses one of the generated rows part-way through.
        execKL(*DmKL, QStringLiteral(
                          "create trigger Porucha before insert on Svatek when "
                          "new.Nazev='Den české státnosti' begin select raise(abort,'porucha disku'); end"));
        TFoSvatek* o = okno(2024);
        QVERIFY(o);
        importuj(o, true);
        QCOMPARE(pocet(2024), 2);
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select count(*) from Svatek where Nazev='Vlastní volno'"))
                     .toInt(),
                 1);
        QCOMPARE(dialogs->shown().size(), size_t(2));
        QVERIFY2(dialogs->last().contains(QStringLiteral("porucha disku")), qPrintable(dialogs->last()));
        QCOMPARE(DmKL->QSvatek->recordCount(), 3);
        QCOMPARE(DmKL->QSvatek->state(), tk::DatasetState::Browse);
    }

    void typingInTheGrid() {
        TFoSvatek* o = okno(2024);
        QVERIFY(o);
        o->DBNavigator->click(tk::DBNavigator::Insert);
        o->FoGrid->setSelectedIndex(0);
        QTRY_VERIFY(o->FoGrid->cellEditor());
        QLineEdit* e = o->FoGrid->cellEditor();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, QStringLiteral("2,x5.2024"));
        QCOMPARE(e->text(), QStringLiteral("2.5.2024"));
        QTest::keyClick(e, Qt::Key_Return);
        QCOMPARE(o->FoGrid->selectedIndex(), 1);
        QTRY_VERIFY(o->FoGrid->cellEditor());
        QTest::keyClicks(o->FoGrid->cellEditor(), QStringLiteral("Den, volno"));
        QTest::keyClick(o->FoGrid->cellEditor(), Qt::Key_Return);
        QCOMPARE(o->FoGrid->selectedIndex(), 0);
        o->DBNavigator->click(tk::DBNavigator::Post);
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select Nazev from Svatek where Datum>='2024-05-02' and "
                                                "Datum<'2024-05-03'"))
                     .toString(),
                 QStringLiteral("Den, volno"));
    }

    void aRepeatedDateIsRefusedAndStaysInEdit() {
        TFoSvatek* o = okno(2024);
        QVERIFY(o);
        o->DBNavigator->click(tk::DBNavigator::Insert);
        DmKL->QSvatekDatum->setAsDateTime(tk::fromDate(QDate(2024, 1, 1)));
        DmKL->QSvatekNazev->setAsString(QStringLiteral("Znovu"));
        dialogs->clear();
        o->DBNavigator->click(tk::DBNavigator::Post);
        QCOMPARE(dialogs->texts(), QStringList{QStringLiteral("Duplicitní Datum !")});
        QCOMPARE(DmKL->QSvatek->state(), tk::DatasetState::Insert);
        QCOMPARE(DmKL->QSvatekNazev->asString(), QStringLiteral("Znovu"));
        o->DBNavigator->click(tk::DBNavigator::Cancel);
        QCOMPARE(pocet(2024), 2);
    }
};

QTEST_MAIN(TestSvatky)
#include "tst_svatky.moc"
