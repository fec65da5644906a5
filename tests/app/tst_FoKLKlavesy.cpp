// Window keys of the main window, the delivery of a picked code and the closing of the window.

#include "FoKLProgram.h"
#include "toolkit/widgets/Look.h"

using namespace kltest;

Q_DECLARE_METATYPE(Qt::Key)
Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

class TestFoKLKlavesy : public QObject {
    Q_OBJECT
    tktest::TestDialogs* dialogs = nullptr;
    std::unique_ptr<ProgramFolder> folder;

    // A started and unlocked program showing a workplace-day with one reservation row, ready for writing.
    std::unique_ptr<Program> unlocked() {
        auto p = std::make_unique<Program>(*folder);
        if (!p->activate())
            return nullptr;
        p->givePassword(QString());
        p->w().GBObdobi->EdVObj->setText(QStringLiteral("00001"));
        p->w().GBObdobi->LbVNazObj->setText(QStringLiteral("Vana"));
        p->w().NastavRezervaci();
        return p;
    }

private Q_SLOTS:
    void initTestCase() {
        tktest::installTestEnvironment();
        folder = std::make_unique<ProgramFolder>();
        folder->createKalendo(1);
        auto dm = openKalendo(*folder);
        execKL(*dm,
               QStringLiteral("insert into Objekt (Kod,Nazev,Interval,KPr) values ('00001','Vana',30,'00')"));
        execKL(*dm, QStringLiteral("insert into Reserve (Objekt,DatumCas,Doba,RCPacienta,JmenoPac,KodPrac) "
                                   "values ('00001','2026-12-10 08:00:00.000',30,'','','00')"));
    }
    void init() { dialogs = &tktest::installTestEnvironment(); }

    void serviceKeys_data() {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("restoreEnabled");
        QTest::addColumn<bool>("repairVisible");
        QTest::newRow("Ctrl+F9") << Qt::Key_F9 << Qt::KeyboardModifiers(Qt::ControlModifier) << true << false;
        QTest::newRow("Ctrl+Shift+F9")
            << Qt::Key_F9 << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier) << false << false;
        QTest::newRow("F9") << Qt::Key_F9 << Qt::KeyboardModifiers() << false << false;
        QTest::newRow("Ctrl+Alt+F9") << Qt::Key_F9
                                     << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::AltModifier) << false
                                     << false;
        QTest::newRow("Ctrl+Shift+F8")
            << Qt::Key_F8 << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier) << false << true;
        QTest::newRow("Ctrl+F8") << Qt::Key_F8 << Qt::KeyboardModifiers(Qt::ControlModifier) << false
                                 << false;
        QTest::newRow("Shift+F8") << Qt::Key_F8 << Qt::KeyboardModifiers(Qt::ShiftModifier) << false << false;
    }

    void serviceKeys() {
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, restoreEnabled);
        QFETCH(bool, repairVisible);
        Program p(*folder);
        QVERIFY(p.activate());
        QVERIFY(!p.w().N32Obnova->isEnabled());
        QVERIFY(!p.w().N3X->isVisible());
        // The window sees the key before the control that has the focus.
        p.w().EdHeslo->setFocus();
        QTest::keyClick(p.w().EdHeslo, key, modifiers);
        QCOMPARE(p.w().N32Obnova->isEnabled(), restoreEnabled);
        QCOMPARE(p.w().N3X->isVisible(), repairVisible);
    }

    void enterActsAsTab_data() {
        QTest::addColumn<QString>("start");
        QTest::newRow("workplace code") << "EdVObj";
        QTest::newRow("client field") << "EdVRCP";
        QTest::newRow("date") << "EdVDatum";
        QTest::newRow("list") << "DBGridSeznam";
    }

    void enterActsAsTab() {
        QFETCH(QString, start);
        auto p = unlocked();
        QVERIFY(p && p->w().isUnlocked());
        auto* from = p->w().findChild<QWidget*>(start);
        QVERIFY(from);
        // The next control in tab order (date fields and grids keep Tab for themselves, so it is looked
        // up in the focus chain rather than typed).
        auto takesTab = [&](QWidget* w) {
            return !from->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisible() &&
                   w->isEnabled() && w->window() == &p->w();
        };
        QWidget* byTab = from->nextInFocusChain();
        while (byTab != from && !takesTab(byTab))
            byTab = byTab->nextInFocusChain();
        QVERIFY(byTab != from);
        from->setFocus();
        const QString before = p->w().GBObdobi->EdVObj->text();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), byTab);
        QCOMPARE(p->w().GBObdobi->EdVObj->text(), before);
    }

    void insertCopiesTheSelectionsClient_data() {
        QTest::addColumn<bool>("editing");
        QTest::addColumn<QString>("client");
        QTest::addColumn<QString>("expected");
        QTest::newRow("editing") << true << "8551011234"
                                 << "8551011234";
        QTest::newRow("editing, blank field") << true << "   "
                                              << "";
        QTest::newRow("browsing") << false << "8551011234"
                                  << "";
    }

    void insertCopiesTheSelectionsClient() {
        QFETCH(bool, editing);
        QFETCH(QString, client);
        QFETCH(QString, expected);
        auto p = unlocked();
        QVERIFY(p && p->w().isUnlocked());
        QVERIFY(DmKL->QReserve->recordCount() > 0);
        // The client is chosen in the selection while browsing; the row is then opened as a user does.
        p->w().GBObdobi->EdVRCP->setText(client);
        auto* navigator = p->w().PSeznam->Navigator;
        if (editing) {
            QTest::mouseClick(navigator->button(tk::DBNavigator::Edit), Qt::LeftButton);
            QVERIFY(DmKL->QReserve->isEditing());
        }
        p->w().GBObdobi->EdVObj->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Insert);
        QCOMPARE(DmKL->QReserveRCPacienta->asString().trimmed(), expected);
        if (editing)
            QTest::mouseClick(navigator->button(tk::DBNavigator::Cancel), Qt::LeftButton);
        QVERIFY(!DmKL->QReserve->isEditing());
    }

    void pickedCodeDelivery_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("editing");
        QTest::addColumn<bool>("delivered");
        QTest::newRow("workplace filter") << "EdVObj" << false << true;
        QTest::newRow("client filter") << "EdVRCP" << false << true;
        QTest::newRow("worker filter") << "EdVKPr" << false << true;
        QTest::newRow("client of a browsed row") << "EdDRCP" << false << false;
        QTest::newRow("client of an edited row") << "EdDRCP" << true << true;
        QTest::newRow("worker of an edited row") << "EdDKPr" << true << true;
        QTest::newRow("no field asked") << "" << false << false;
    }

    void pickedCodeDelivery() {
        QFETCH(QString, field);
        QFETCH(bool, editing);
        QFETCH(bool, delivered);
        auto p = unlocked();
        QVERIFY(p && p->w().isUnlocked());
        TFoKL& w = p->w();
        if (editing)
            DmKL->QReserve->edit();
        QLineEdit* target = field.isEmpty() ? nullptr : w.findChild<QLineEdit*>(field);
        QVERIFY(field.isEmpty() || target);
        if (target)
            tk::setTag(target, 2);
        const QString code =
            field.contains(QLatin1String("KPr")) ? QStringLiteral("07") : QStringLiteral("00012");
        w.VybranyKod = code;

        QVERIFY(p->activate());
        if (target) {
            const QString shown = qobject_cast<tk::DBEdit*>(target)
                                      ? static_cast<tk::DBEdit*>(target)->field()->asString()
                                      : target->text();
            QCOMPARE(shown.trimmed() == code, delivered);
        }
        QCOMPARE(w.VybranyKod.isEmpty(), delivered);
        // Every mark is cleared, whatever happened.
        for (const char* name : {"EdVObj", "EdVRCP", "EdVKPr", "EdDObj", "EdDRCP", "EdDKPr"})
            QCOMPARE(tk::tagOf(w.findChild<QWidget*>(QLatin1String(name))), 0);
        if (editing)
            DmKL->QReserve->cancel();
    }

    void closingWhileEditingKeepsTheWindow() {
        auto p = unlocked();
        QVERIFY(p && p->w().isUnlocked());
        DmKL->QReserve->edit();
        QVERIFY(!p->w().close());
        QCOMPARE(dialogs->texts(), QStringList{QStringLiteral("Ukončete nejprve úpravu rezervace!")});
        QVERIFY(p->w().isVisible());
        QVERIFY(DmKL && DmKL->QReserve->isEditing());
        QCOMPARE(p->ended, 0);

        DmKL->QReserve->cancel();
        dialogs->clear();
        OtevriNapovedu(10, 10);
        QVERIFY(FoNapovedaP);
        QVERIFY(p->w().close());
        QCOMPARE(dialogs->texts(), QStringList{});
        QCOMPARE(p->ended, 1);
        QVERIFY(!FoNapovedaP); // the help window is freed
        // Both connections are closed; the data module itself is freed by its owner, the program entry.
        QVERIFY(!DmKL->SpojeniKL->isOpen());
        QVERIFY(!DmKL->SpojeniKN->isOpen());
    }

    void f1ShowsOneHelpWindow() {
        Program p(*folder);
        QVERIFY(p.activate());
        p.w().EdHeslo->setFocus();
        QTest::keyClick(p.w().EdHeslo, Qt::Key_F1);
        QVERIFY(FoNapovedaP && FoNapovedaP->isVisible());
        TFoNapovedaP* first = FoNapovedaP;
        p.w().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&p.w()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QCOMPARE(FoNapovedaP, first);
        int windows = 0;
        for (QWidget* top : QApplication::topLevelWidgets())
            windows += qobject_cast<TFoNapovedaP*>(top) ? 1 : 0;
        QCOMPARE(windows, 1);
        QVERIFY(QTest::qWaitForWindowActive(FoNapovedaP));
    }
};

QTEST_MAIN(TestFoKLKlavesy)
#include "tst_FoKLKlavesy.moc"
