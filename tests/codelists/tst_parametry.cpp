#include "CiselnikyProgram.h"

#include "app/KLConect.h"
#include "codelists/FoBlokRes.h"
#include "codelists/FoParamP.h"

#include <QtTest>

using namespace kltest;
using N = tk::DBNavigator;

// The parameters window and the window of blocked workplace-days.
class TestParametry : public QObject {
    Q_OBJECT

    tktest::TestDialogs* dialogs = nullptr;
    std::unique_ptr<Ciselniky> t;

    TFoParamP* parametry() {
        t->w().N13Parametry->trigger();
        TFoParamP* o = t->c().FoParamP;
        return o && QTest::qWaitForWindowActive(o) ? o : nullptr;
    }
    static void prepis(QLineEdit* e, const QString& text) {
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, text);
    }
    int zamky() { return scalarKL(*DmKL, QStringLiteral("select count(*) from BlokRes")).toInt(); }

private Q_SLOTS:
    void init() {
        dialogs = &tktest::installTestEnvironment();
        t = std::make_unique<Ciselniky>();
        QVERIFY(t->ok);
        dialogs->clear();
    }
    void cleanup() { t.reset(); }

    void theParametersOpenInBrowseState() {
        TFoParamP* o = parametry();
        QVERIFY(o);
        QCOMPARE(o->windowTitle(), QStringLiteral("Parametry"));
        QCOMPARE(o->pos(), t->w().pos() + QPoint(10, 51));
        QCOMPARE(o->Navigator->visibleButtons(), (QList<N::Button>{N::Edit, N::Post, N::Cancel}));
        QCOMPARE(o->Navigator->button(N::Edit)->toolTip(), QStringLiteral("Opravit údaje"));
        QVERIFY(o->Navigator->hasFocus());
        QCOMPARE(DmKL->QParamP->state(), tk::DatasetState::Browse);
        QCOMPARE(o->EdPrOdH->text(), QStringLiteral("08"));
        QCOMPARE(o->EdPeDoM->text(), QStringLiteral("30"));
        QVERIFY(o->ChBPP->isChecked());
        QCOMPARE(o->ChBDbKN->toolTip(), QStringLiteral("Změna se projeví až po  novém spuštění programu !"));
    }

    void refusedHoursStayInEdit_data() {
        QTest::addColumn<QString>("pole");
        QTest::addColumn<QString>("value");
        QTest::newRow("the day ends before it starts") << "EdPrOdH"
                                                       << "17";
        QTest::newRow("the pause starts before the day") << "EdPPOdH"
                                                         << "07";
        QTest::newRow("the pause ends after the day") << "EdPPDoH"
                                                      << "17";
    }
    void refusedHoursStayInEdit() {
        QFETCH(QString, pole);
        QFETCH(QString, value);
        TFoParamP* o = parametry();
        QVERIFY(o);
        QTest::mouseClick(o->Navigator->button(N::Edit), Qt::LeftButton);
        auto* e = o->findChild<tk::DBEdit*>(pole);
        prepis(e, value);
        QTest::mouseClick(o->Navigator->button(N::Post), Qt::LeftButton);
        QCOMPARE(dialogs->texts(),
                 QStringList{"Tak takhle se pracovat nedá !\r\nNastavte nejdříve parametry pracovní doby."});
        QCOMPARE(DmKL->QParamP->state(), tk::DatasetState::Edit);
        QCOMPARE(e->text(), value);
        // Closing while edited is refused without a word.
        QVERIFY(!o->close());
        QVERIFY(o->isVisible());
        QCOMPARE(dialogs->texts().size(), 1);
        QTest::mouseClick(o->Navigator->button(N::Cancel), Qt::LeftButton);
        QPointer<TFoParamP> zavreno = o;
        QVERIFY(o->close());
        QTRY_VERIFY(zavreno.isNull());
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select PrOdH from ParamP")).toInt(), 8);
    }

    void enterMovesThroughTheTimeFields() {
        TFoParamP* o = parametry();
        QVERIFY(o);
        QTest::mouseClick(o->Navigator->button(N::Edit), Qt::LeftButton);
        const QList<QWidget*> poradi{o->EdPrOdH, o->EdPrOdM, o->EdPrDoH, o->EdPeDoM,
                                     o->EdPPOdH, o->EdPPOdM, o->EdPPDoH, o->EdPPDoM};
        o->EdPrOdH->setFocus();
        for (int i = 1; i < poradi.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), poradi[i]);
        }
        // No pause: the box clears by itself.
        for (QWidget* w : poradi.mid(4))
            prepis(static_cast<QLineEdit*>(w), QStringLiteral("0"));
        QVERIFY(!o->ChBPP->isChecked());
        QTest::mouseClick(o->Navigator->button(N::Post), Qt::LeftButton);
        QCOMPARE(dialogs->texts(), QStringList());
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select PPOdH+PPOdM+PPDoH+PPDoM from ParamP")).toInt(), 0);
    }

    void thePasswordShowsOnlyWhileEdited() {
        TFoParamP* o = parametry();
        QVERIFY(o);
        // Browse state: the click goes to the navigator.
        QTest::mouseClick(o->EdHeslo, Qt::LeftButton);
        QVERIFY(o->Navigator->hasFocus());
        QCOMPARE(o->EdHeslo->echoMode(), QLineEdit::Password);
        QTest::mouseClick(o->Navigator->button(N::Edit), Qt::LeftButton);
        QTest::mouseClick(o->EdHeslo, Qt::LeftButton);
        QVERIFY(o->EdHeslo->hasFocus());
        QCOMPARE(o->EdHeslo->echoMode(), QLineEdit::Normal);
        QTest::keyClicks(o->EdHeslo, QStringLiteral("ta jne"));
        QCOMPARE(o->EdHeslo->text(), QStringLiteral("tajne"));
        // Leaving masks it again, and so does any navigator button.
        o->EdPrOdH->setFocus();
        QCOMPARE(o->EdHeslo->echoMode(), QLineEdit::Password);
        QTest::mouseClick(o->EdHeslo, Qt::LeftButton);
        QCOMPARE(o->EdHeslo->echoMode(), QLineEdit::Normal);
        QTest::mouseClick(o->Navigator->button(N::Post), Qt::LeftButton);
        QCOMPARE(o->EdHeslo->echoMode(), QLineEdit::Password);
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select Heslo from ParamP")).toString(),
                 QStringLiteral("tajne"));
    }

    void theBlockedDaysWindowShowsTheLocks() {
        t->w().N21BlokRes->trigger();
        TFoBlokRes* o = t->c().FoBlokRes;
        QVERIFY(o);
        QCOMPARE(o->windowTitle(), QStringLiteral("Blokované rezervace"));
        QCOMPARE(o->pos(), t->w().pos() + QPoint(365, 155));
        QCOMPARE(o->PanelPC->text(), QStringLiteral("Local PC : ") + IdPc);
        QCOMPARE(o->DBGrid1->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Počítač"));
        QCOMPARE(DmKL->QBlokRes->recordCount(), 0);
        QVERIFY(!o->Navigator->button(N::Delete)->isEnabled());
        QCOMPARE(o->Navigator->button(N::Delete)->toolTip(), QStringLiteral("Zrušit blokaci rezervace"));
    }

    void deletingAnotherStationsLockFreesTheDay() {
        reservation(*DmKL, QStringLiteral("00001"), dnes(), 8, 0, 0, QStringLiteral("1"),
                    QStringLiteral("======ZPD======="));
        reservation(*DmKL, QStringLiteral("00001"), dnes(), 8, 0, 30, QString(), QString());
        reservation(*DmKL, QStringLiteral("00001"), dnes(), 16, 30, 0, QStringLiteral("4"),
                    QStringLiteral("======KPD======="));
        execKL(*DmKL, QStringLiteral("insert into BlokRes (Objekt,Datum,IdPC) values ('00001','%1','JINYPC')")
                          .arg(stamp(dnes(), 0, 0)));
        t->pracovisteDen(QStringLiteral("00001"), dnes());
        DmKL->QReserve->setRecNo(2);
        t->w().PSeznam->Navigator->click(N::Edit);
        QCOMPARE(DmKL->QReserve->state(), tk::DatasetState::Browse); // locked by the other station
        dialogs->clear();

        t->w().N21BlokRes->trigger();
        TFoBlokRes* o = t->c().FoBlokRes;
        QVERIFY(o);
        QCOMPARE(o->DBGrid1->cellText(0, 2), QStringLiteral("JINYPC"));
        dialogs->answerNext(true);
        QTest::mouseClick(o->Navigator->button(N::Delete), Qt::LeftButton);
        QCOMPARE(zamky(), 0);
        QCOMPARE(DmKL->QBlokRes->recordCount(), 0);

        DmKL->QReserve->setRecNo(2);
        t->w().PSeznam->Navigator->click(N::Edit);
        QCOMPARE(DmKL->QReserve->state(), tk::DatasetState::Edit);
        // The lock is now this station's, shown as in the status bar once the window is opened anew.
        o->close();
        QTRY_VERIFY(t->c().FoBlokRes.isNull());
        t->w().N21BlokRes->trigger();
        QCOMPARE(t->c().FoBlokRes->DBGrid1->cellText(0, 2), IdPc);
        DmKL->QReserve->cancel();
    }
};

QTEST_MAIN(TestParametry)
#include "tst_parametry.moc"
