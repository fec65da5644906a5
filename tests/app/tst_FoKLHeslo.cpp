// The access password and the unlocking of the main window.

#include "FoKLProgram.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>

using namespace kltest;

namespace {

void setPassword(ProgramFolder& folder, const QString& heslo) {
    auto dm = openKalendo(folder);
    dm->QParamP->edit();
    dm->QParamPHeslo->setAsString(heslo);
    dm->QParamP->post();
}

bool locked(TFoKL& w) {
    return !w.isUnlocked() && w.EdHeslo->isVisible() && w.ImgUvod->isVisible() &&
           w.PSeznam->PgCReserve->isHidden() && !w.GBObdobi->isEnabled() && !menuEnabled(w.N1Ciselniky);
}

} // namespace

class TestFoKLHeslo : public QObject {
    Q_OBJECT
    tktest::TestDialogs* dialogs = nullptr;

private Q_SLOTS:
    void init() { dialogs = &tktest::installTestEnvironment(); }

    void comparison_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("unlocks");
        QTest::newRow("same") << "Abc123"
                              << "Abc123" << true;
        QTest::newRow("lower case") << "Abc123"
                                    << "abc123" << false;
        QTest::newRow("upper case") << "Abc123"
                                    << "ABC123" << false;
        QTest::newRow("longer") << "Abc123"
                                << "Abc1234" << false;
        QTest::newRow("shorter") << "Abc123"
                                 << "Abc12" << false;
        QTest::newRow("empty for a password") << "Abc123"
                                              << "" << false;
        QTest::newRow("none stored, none typed") << ""
                                                 << "" << true;
        QTest::newRow("none stored, some typed") << ""
                                                 << "x" << false;
        QTest::newRow("a blank is not typed") << "Abc123"
                                              << "Abc 123" << true;
    }

    void comparison() {
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(bool, unlocks);
        ProgramFolder folder;
        folder.createKalendo(1);
        setPassword(folder, stored);
        Program p(folder);
        QVERIFY(p.activate());
        p.givePassword(typed);
        QCOMPARE(p.w().isUnlocked(), unlocks);
        QCOMPARE(locked(p.w()), !unlocks);
        QCOMPARE(dialogs->texts(), QStringList{}); // a wrong password shows no message
    }

    void wrongThenRight() {
        ProgramFolder folder;
        folder.createKalendo(1);
        setPassword(folder, QStringLiteral("Tajne"));
        Program p(folder);
        QVERIFY(p.activate());
        const QColor normal = p.w().LbHeslo->palette().color(QPalette::WindowText);
        QVERIFY(normal != QColor(255, 0, 0));

        p.givePassword(QStringLiteral("tajne"));
        QVERIFY(locked(p.w()));
        QCOMPARE(p.w().LbHeslo->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(p.w().EdHeslo->text(), QStringLiteral("tajne")); // the typed text stays
        QCOMPARE(p.w().EdHeslo->displayText(), QStringLiteral("*****"));
        QVERIFY(p.w().EdHeslo->hasFocus());

        p.givePassword(QStringLiteral("Tajne"));
        QVERIFY(p.w().isUnlocked());
        QVERIFY(p.w().LbHeslo->isHidden());
    }

    void enterMovesToOkAndPressesIt() {
        ProgramFolder folder;
        folder.createKalendo(1);
        setPassword(folder, QStringLiteral("Tajne"));
        Program p(folder);
        QVERIFY(p.activate());
        p.w().EdHeslo->setFocus();
        QTest::keyClicks(p.w().EdHeslo, QStringLiteral("Tajne"));
        QTest::keyClick(p.w().EdHeslo, Qt::Key_Return);
        QVERIFY(p.w().BtOK->hasFocus());
        QVERIFY(!p.w().isUnlocked());
        QTest::keyClick(p.w().BtOK, Qt::Key_Enter);
        QVERIFY(p.w().isUnlocked());
    }

    void unlockingShowsTheWorkingWindow() {
        ProgramFolder folder;
        folder.createKalendo(1);
        {
            auto dm = openKalendo(folder);
            // Free slots and marker rows count as well.
            for (const char* rc : {"1", "", "8551011234"})
                execKL(*dm,
                       QStringLiteral("insert into Reserve (Objekt,Doba,RCPacienta) values ('00001',30,'%1')")
                           .arg(QLatin1String(rc)));
        }
        Program p(folder);
        QVERIFY(p.activate());
        QVERIFY(!DmKL->QReserve->sqlText().contains(QStringLiteral("where 1=1")));
        p.givePassword(QString());
        QVERIFY(p.w().isUnlocked());
        QCOMPARE(p.w().windowTitle(), QStringLiteral("Kalendo    (3 rezervací)"));
        // The first list: today's named reservations of all workplaces, shown with its count.
        QVERIFY(DmKL->QReserve->sqlText().contains(QStringLiteral("where 1=1")));
        QVERIFY(p.w().PSeznam->DBGridSeznam->isVisible());
        QCOMPARE(p.w().statusText(2), QStringLiteral("Počet vybraných položek     0"));
        QCOMPARE(p.w().width(), 1220);

        TFoKL& w = p.w();
        for (QWidget* shown : std::initializer_list<QWidget*>{
                 w.GBObdobi->EdVObj, w.GBObdobi->EdVRCP, w.GBObdobi->EdVKPr, w.GBDetail, w.PSeznam->GBZobraz,
                 w.PSeznam->Navigator, w.PSeznam->BbTiskNovy, w.PSeznam->PgCReserve, w.PKalendar})
            QVERIFY2(shown->isVisible(), qPrintable(shown->objectName()));
        for (QWidget* hidden : std::initializer_list<QWidget*>{w.LbHeslo, w.EdHeslo, w.ImgUvod})
            QVERIFY2(hidden->isHidden(), qPrintable(hidden->objectName()));
        QVERIFY(w.GBObdobi->isEnabled());
        for (QMenu* m : {w.N1Ciselniky, w.N2Rezervace, w.N3Servis, w.N4Napoveda})
            QVERIFY(menuEnabled(m));
        // The OK button lies under the list from now on.
        QVERIFY(vOkne(w.PSeznam->PgCReserve).contains(vOkne(w.BtOK).center()));
        QVERIFY(w.BtOK->isHidden());
    }

    // Whatever face stands in for Tahoma, the working window shows its texts whole.
    void theWorkingWindowShowsItsTextsWhole() {
        ProgramFolder folder;
        folder.createKalendo(1);
        Program p(folder);
        QVERIFY(p.activate());
        p.givePassword(QString());
        QVERIFY(p.w().isUnlocked());
        QCoreApplication::processEvents();
        TFoKL& w = p.w();
        tk::DBGrid* g = w.PSeznam->DBGridSeznam;
        QHeaderView* titles = g->horizontalHeader();
        const int margin = titles->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, titles);
        const int widths[] = {175, 55, 141, 0, 52, 115, 22, 15};
        for (int i = 0; i < 8; ++i) {
            const QString title = g->columns().at(i).title.trimmed();
            if (widths[i] > 0)
                QCOMPARE(g->columnWidth(i), widths[i]);
            else // "Doba": as designed, or as wide as its title needs
                QVERIFY(g->columnWidth(i) >= 34);
            QVERIFY2(g->columnWidth(i) >= titles->fontMetrics().horizontalAdvance(title) + 2 * margin,
                     qPrintable(title));
        }
        QVERIFY(!g->horizontalScrollBar()->isVisible());
        QCOMPARE(g->horizontalScrollBar()->maximum(), 0);
        // The workplace's name in the detail has its fixed width inside the panel, after the code.
        QCOMPARE(w.GBDetail->LbDNazObj->width(), 120);
        QVERIFY(w.GBDetail->LbDNazObj->geometry().right() < w.GBDetail->width());
        QVERIFY(w.GBDetail->LbDNazObj->x() > w.GBDetail->EdDObj->geometry().right());
        QCOMPARE(w.GBDetail->LbDJmPr->width(), 120);
        QVERIFY(w.GBDetail->LbDJmPr->geometry().right() < w.GBDetail->width());
    }

    void passwordAfterStoppedStartTriesTheStartAgain() {
        // After a refused start nothing is open: OK first tries the start again and unlocks nothing while
        // the database stays unusable.
        ProgramFolder folder;
        folder.createKalendo(2);
        clearDialogs();
        dialogs->clear();
        Program p(folder);
        QVERIFY(p.activate());
        QCOMPARE(dialogs->texts().size(), 2);
        dialogs->clear();
        p.givePassword(QString());
        QCOMPARE(dialogs->texts(),
                 (QStringList{QStringLiteral("Data pochází z vyšší verze programu Kalendo."),
                              QStringLiteral("Chybná verze datového souboru.\r\n"
                                             "     Databázi nelze použít!")}));
        QVERIFY(locked(p.w()));
        QVERIFY(p.w().StartNeprobehl);
    }

    void passwordAfterSiblingReturnsUnlocks() {
        // The sibling database missing at the first activation and present when OK is pressed: the start
        // completes and the password then unlocks.
        ProgramFolder folder;
        folder.createKalendo(1);
        {
            auto dm = openKalendo(folder);
            execKL(*dm, QStringLiteral("update ParamP set DbKN=1"));
        }
        dialogs->clear();
        Program p(folder);
        QVERIFY(p.activate());
        QCOMPARE(dialogs->texts().size(), 2);
        folder.createKinemo();
        dialogs->clear();
        p.givePassword(QString());
        QCOMPARE(dialogs->texts(), QStringList{});
        QVERIFY(p.w().isUnlocked());
        QVERIFY(DmKL->QReserve->isActive());
    }
};

QTEST_MAIN(TestFoKLHeslo)
#include "tst_FoKLHeslo.moc"
