// The selection's code fields: look-ups as they are typed, zero fill on leaving, the quick buttons, the
// filters switched off by a code that names nothing, the client key filter, pickers, and texts that try
// to alter a statement.

#include "EditingProgram.h"

using namespace kltest;

class TestKodyVyberu : public QObject {
    Q_OBJECT
    tktest::TestDialogs* dialogs = nullptr;
    std::unique_ptr<Prehled> t;

    TPanelVyberu& v() { return *t->w().GBObdobi; }

private Q_SLOTS:
    void init() {
        dialogs = &tktest::installTestEnvironment();
        t = std::make_unique<Prehled>([](TDmKL& dm) {
            klientiAPracovnici(dm);
            execKL(dm, QStringLiteral("insert into Objekt (Kod,Nazev,Interval) values ('1','Jedna',30),"
                                      "('12','Dvanáct',30),('123','Sto dvacet tři',30),"
                                      "('00123','Plný kód',30)"));
        });
        QVERIFY(t->ok);
        dialogs->clear();
    }
    void cleanup() { t.reset(); }

    void eachCharacterLooksUpAndRefreshes() {
        QSignalSpy obnovy(DmKL->QReserve, &tk::Dataset::rowsChanged);
        prepis(v().EdVObj, QString());
        QStringList nazvy;
        int predtim = obnovy.count();
        QList<int> pribylo;
        for (const QString& c : {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}) {
            QTest::keyClicks(v().EdVObj, c);
            nazvy << v().LbVNazObj->text();
            pribylo << obnovy.count() - predtim;
            predtim = obnovy.count();
        }
        QCOMPARE(nazvy, (QStringList{"Jedna", "Dvanáct", "Sto dvacet tři"}));
        for (int n : pribylo)
            QVERIFY2(n > 0, "every character refreshes the list");
        opust(v().EdVObj);
        QCOMPARE(v().EdVObj->text(), QStringLiteral("00123"));
        QCOMPARE(v().LbVNazObj->text(), QStringLiteral("Plný kód"));
        QCOMPARE(dialogs->texts(), QStringList());
    }

    void aKnownWorkplaceShowsItsNameAndButtons() {
        prepis(v().EdVObj, QStringLiteral("00002"));
        QCOMPARE(v().LbVNazObj->text(), QStringLiteral("Magnet"));
        QCOMPARE(v().StalyPracovnik, QStringLiteral("03"));
        QVERIFY(v().BbTiskO->isVisible());
        QVERIFY(v().BbOjednat->isVisible());
        QVERIFY(!v().ChBVObj->isChecked()); // a found code never checks the filter
    }

    void anUnknownCodeSwitchesItsFilterOff_data() {
        QTest::addColumn<QString>("pole");
        QTest::addColumn<QString>("znamy");
        QTest::addColumn<QString>("neznamy");
        QTest::newRow("workplace") << "EdVObj"
                                   << "00002"
                                   << "00009";
        QTest::newRow("client") << "EdVRCP"
                                << "8551011234"
                                << "99";
        QTest::newRow("worker") << "EdVKPr"
                                << "03"
                                << "09";
    }
    void anUnknownCodeSwitchesItsFilterOff() {
        QFETCH(QString, pole);
        QFETCH(QString, znamy);
        QFETCH(QString, neznamy);
        auto* e = v().findChild<QLineEdit*>(pole);
        QCheckBox* filtr = pole == "EdVObj" ? v().ChBVObj : pole == "EdVRCP" ? v().ChBVRCP : v().ChBVKPr;
        QLabel* jmeno = pole == "EdVObj" ? v().LbVNazObj : pole == "EdVRCP" ? v().LbVJmPac : v().LbVJmPr;
        QPushButton* tlacitko = pole == "EdVObj" ? v().BbTiskO : pole == "EdVRCP" ? v().BbTiskK : v().BbTiskP;
        prepis(e, znamy);
        QVERIFY(!jmeno->text().isEmpty());
        QTest::mouseClick(filtr, Qt::LeftButton, {}, QPoint(8, filtr->height() / 2));
        QVERIFY(filtr->isChecked());
        QVERIFY(tlacitko->isVisible());
        prepis(e, neznamy);
        QVERIFY(jmeno->text().isEmpty());
        QVERIFY(!filtr->isChecked());
        QVERIFY(!tlacitko->isVisible());
        if (pole == "EdVObj") {
            QVERIFY(!v().BbOjednat->isVisible());
            QCOMPARE(v().StalyPracovnik, QStringLiteral("00"));
        }
    }

    void leavingFillsWithZeros_data() {
        QTest::addColumn<QString>("pole");
        QTest::addColumn<QString>("napsano");
        QTest::addColumn<QString>("zbyde");
        QTest::newRow("worker 5") << "EdVKPr"
                                  << "5"
                                  << "05";
        QTest::newRow("worker 12") << "EdVKPr"
                                   << "12"
                                   << "12";
        QTest::newRow("worker empty") << "EdVKPr"
                                      << ""
                                      << "00";
        QTest::newRow("workplace empty") << "EdVObj"
                                         << ""
                                         << "00000";
        QTest::newRow("workplace with blanks") << "EdVObj"
                                               << "1 2"
                                               << "00012";
        QTest::newRow("workplace long") << "EdVObj"
                                        << "123456"
                                        << "123456";
    }
    void leavingFillsWithZeros() {
        QFETCH(QString, pole);
        QFETCH(QString, napsano);
        QFETCH(QString, zbyde);
        auto* e = v().findChild<QLineEdit*>(pole);
        prepis(e, napsano);
        opust(e);
        QCOMPARE(e->text(), zbyde);
    }

    void namesOfWorkersAndClients() {
        prepis(v().EdVKPr, QStringLiteral("03"));
        QCOMPARE(v().LbVJmPr->text(), QStringLiteral("MUDr. Malá Eva"));
        prepis(v().EdVKPr, QStringLiteral("05"));
        QCOMPARE(v().LbVJmPr->text(), QStringLiteral("Velký Adam"));
        prepis(v().EdVRCP, QStringLiteral("11")); // an identifier of the own client table
        QCOMPARE(v().LbVJmPac->text(), QStringLiteral("NOVÁKOVÁ Jana Ing."));
        prepis(v().EdVRCP, QStringLiteral("535228123"));
        QCOMPARE(v().LbVJmPac->text(), QStringLiteral("DVOŘÁK Petr "));
        prepis(v().EdVRCP, QStringLiteral("7001011111"));
        QCOMPARE(v().LbVJmPac->text(), QStringLiteral("VELMIDLOUHÉPŘÍJMENÍ Maxmiliána"));
        QVERIFY(v().BbTiskK->isVisible());
    }

    void lettersCannotEnterTheClientField() {
        prepis(v().EdVRCP, QStringLiteral("1a2-b3 ;'"));
        QCOMPARE(v().EdVRCP->text(), QStringLiteral("123"));
        // The workplace and worker fields take any character (and then name nothing).
        prepis(v().EdVObj, QStringLiteral("a1"));
        QCOMPARE(v().EdVObj->text(), QStringLiteral("a1"));
    }

    void aTextThatTriesToAlterAStatementChangesNothing_data() {
        QTest::addColumn<QString>("pole");
        QTest::addColumn<QString>("text");
        QTest::newRow("workplace quote") << "EdVObj"
                                         << "0'1";
        QTest::newRow("workplace or") << "EdVObj"
                                      << "' or '1'='1";
        QTest::newRow("workplace statement") << "EdVObj"
                                             << "1'; delete from Reserve; --";
        QTest::newRow("worker statement") << "EdVKPr"
                                          << "'; drop table Pracov; --";
        QTest::newRow("pasted client") << "EdVRCP"
                                       << "1; delete from Pacienti";
        QTest::newRow("pasted client quote") << "EdVRCP"
                                             << "8551011234' or '1'='1";
    }
    void aTextThatTriesToAlterAStatementChangesNothing() {
        QFETCH(QString, pole);
        QFETCH(QString, text);
        reservation(*DmKL, QStringLiteral("00001"), dnes(), 9, 0, 30, QStringLiteral("8551011234"),
                    QStringLiteral("NOVÁKOVÁ Jana Ing."));
        auto* e = v().findChild<QLineEdit*>(pole);
        QTest::mouseClick(v().ChBVObj, Qt::LeftButton, {}, QPoint(8, v().ChBVObj->height() / 2));
        e->setText(text); // as pasted
        opust(e);
        QCOMPARE(dialogs->texts(), QStringList()); // no server error
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select count(*) from Reserve")).toInt(), 1);
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select count(*) from Pacienti")).toInt(), 3);
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select count(*) from Pracov")).toInt(), 2);
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select count(*) from Objekt")).toInt(), 6);
        QVERIFY(DmKL->QReserve->isActive());
    }

    void pickersOpenAtTheFieldsCode_data() {
        QTest::addColumn<QString>("pole");
        QTest::addColumn<bool>("f7");
        QTest::addColumn<QString>("seznam");
        QTest::newRow("workplace, double click") << "EdVObj" << false << "objekty";
        QTest::newRow("workplace, F7") << "EdVObj" << true << "objekty";
        QTest::newRow("client, double click") << "EdVRCP" << false << "klienti";
        QTest::newRow("worker, F7") << "EdVKPr" << true << "pracovnici";
    }
    void pickersOpenAtTheFieldsCode() {
        QFETCH(QString, pole);
        QFETCH(bool, f7);
        QFETCH(QString, seznam);
        QList<Otevreni> log;
        zachytPickery(t->w(), log);
        auto* e = v().findChild<QLineEdit*>(pole);
        prepis(e, pole == "EdVRCP" ? QStringLiteral("123") : QStringLiteral("12"));
        if (f7)
            QTest::keyClick(e, Qt::Key_F7);
        else
            QTest::mouseDClick(e, Qt::LeftButton);
        QCOMPARE(log.size(), 1);
        QCOMPARE(log[0].seznam, seznam);
        QCOMPARE(log[0].left, t->w().x() + 10);
        QCOMPARE(log[0].top, t->w().y() + 51);
        QCOMPARE(log[0].mode, 1);
        QCOMPARE(log[0].kod, e->text().trimmed());
        QCOMPARE(tagOf(e), 2);
        // The pick arrives when the main window becomes active again; the field looks it up.
        const QString vybrano = pole == "EdVObj"   ? QStringLiteral("00002")
                                : pole == "EdVRCP" ? QStringLiteral("12")
                                                   : QStringLiteral("05");
        t->w().VybranyKod = vybrano;
        QVERIFY(t->program->activate());
        QCOMPARE(e->text(), vybrano);
        QVERIFY(t->w().VybranyKod.isEmpty());
        QCOMPARE(tagOf(e), 0);
        const QString jmeno = pole == "EdVObj"   ? v().LbVNazObj->text()
                              : pole == "EdVRCP" ? v().LbVJmPac->text()
                                                 : v().LbVJmPr->text();
        QCOMPARE(jmeno, pole == "EdVObj"   ? QStringLiteral("Magnet")
                        : pole == "EdVRCP" ? QStringLiteral("DVOŘÁK Petr ")
                                           : QStringLiteral("Velký Adam"));
    }

    void aPickAfterComingBackOtherwiseReachesNobody() {
        QList<Otevreni> log;
        zachytPickery(t->w(), log);
        prepis(v().EdVObj, QStringLiteral("00001"));
        QTest::keyClick(v().EdVObj, Qt::Key_F7);
        QCOMPARE(tagOf(v().EdVObj), 2);
        // The user comes back without picking: the marks are cleared.
        QVERIFY(t->program->activate());
        QCOMPARE(tagOf(v().EdVObj), 0);
        t->w().VybranyKod = QStringLiteral("00002");
        QVERIFY(t->program->activate());
        QCOMPARE(v().EdVObj->text(), QStringLiteral("00001"));
    }
};

QTEST_MAIN(TestKodyVyberu)
#include "tst_kodyvyberu.moc"
