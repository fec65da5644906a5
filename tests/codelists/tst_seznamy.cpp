#include "CiselnikyProgram.h"

#include "codelists/FoKlient.h"

#include <QtTest>

using namespace kltest;
using N = tk::DBNavigator;

namespace {
// A founded day of workplace 00001 today with one free slot at 08:00.
void den(TDmKL& dm) {
    reservation(dm, QStringLiteral("00001"), dnes(), 8, 0, 0, QStringLiteral("1"),
                QStringLiteral("======ZPD======="));
    reservation(dm, QStringLiteral("00001"), dnes(), 8, 0, 30, QString(), QString());
    reservation(dm, QStringLiteral("00001"), dnes(), 16, 30, 0, QStringLiteral("4"),
                QStringLiteral("======KPD======="));
}

enum Seznam { Objekty, Klienti, Pracovnici };
} // namespace

Q_DECLARE_METATYPE(Seznam)

// The list windows of workplaces, clients and workers: opening them, searching and sorting, and the pick
// that carries a code back to the main window's field that asked for it.
class TestSeznamy : public QObject {
    Q_OBJECT

    tktest::TestDialogs* dialogs = nullptr;
    std::unique_ptr<Ciselniky> t;

    TFoSeznam* otevri(Seznam s, int mode, const QString& code = QString()) {
        TCiselniky& c = t->c();
        const int l = t->w().x() + 10, tp = t->w().y() + 51;
        switch (s) {
        case Objekty:
            c.OtevriObjekty(l, tp, mode, code);
            return c.FoObjekt;
        case Klienti:
            c.OtevriKlienty(l, tp, mode, code);
            return c.FoSeznamP;
        case Pracovnici:
            c.OtevriPracovniky(l, tp, mode, code);
            return c.FoPracovP;
        }
        return nullptr;
    }
    QLineEdit* vyberovePole(Seznam s) {
        return s == Objekty   ? t->w().GBObdobi->EdVObj
               : s == Klienti ? t->w().GBObdobi->EdVRCP
                              : t->w().GBObdobi->EdVKPr;
    }

private Q_SLOTS:
    void init() {
        dialogs = &tktest::installTestEnvironment();
        t = std::make_unique<Ciselniky>(den);
        QVERIFY(t->ok);
        dialogs->clear();
    }
    void cleanup() { t.reset(); }

    void menuOpensEachList_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("lbCo");
        QTest::addColumn<QStringList>("hints");
        QTest::newRow("workplaces") << "N11Pracoviste"
                                    << "FoObjekt"
                                    << "Pracoviště" << 1 << "Kód"
                                    << QStringList{"První věta",     "Předchozí věta", "Následující věta",
                                                   "Poslední věta",  "Přidat větu",    "Smazat větu",
                                                   "Opravit údaje",  "Potvrdit změny", "Zrušit změny",
                                                   "Refresh na síti"};
        QTest::newRow("clients") << "N14Pacienti"
                                 << "FoSeznamP"
                                 << "Seznam klientů" << 0 << "Jméno"
                                 << QStringList{"První klient",          "Předchozí klient",
                                                "Následující klient",    "Poslední klient",
                                                "Přidat klienta",        "Smazat klienta",
                                                "Opravit údaje klienta", "Potvrdit změny",
                                                "Zrušit změny",          "Refresh na síti"};
        QTest::newRow("workers")
            << "N15Pracov"
            << "FoPracovP"
            << "Rehabilitační pracovníci" << 0 << "Jméno"
            << QStringList{"První pracovník",          "Předchozí pracovník", "Následující pracovník",
                           "Poslední pracovník",       "Přidat pracovníka",   "Smazat pracovníka",
                           "Opravit údaje pracovníka", "Potvrdit změny",      "Zrušit změny",
                           "Refresh na síti"};
    }
    void menuOpensEachList() {
        QFETCH(QString, item);
        QFETCH(QString, window);
        QFETCH(QString, caption);
        QFETCH(int, mode);
        QFETCH(QString, lbCo);
        QFETCH(QStringList, hints);
        auto* action = t->w().findChild<QAction*>(item);
        QVERIFY(action);
        action->trigger();
        TFoSeznam* okno = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == window && w->isVisible())
                okno = qobject_cast<TFoSeznam*>(w);
        QVERIFY(okno);
        QCOMPARE(okno->windowTitle(), caption);
        QCOMPARE(okno->Tag, mode);
        QCOMPARE(okno->LbCo->text(), lbCo);
        QCOMPARE(okno->LbHledat->text(), QStringLiteral("Hledat"));
        QCOMPARE(okno->pos(), t->w().pos() + QPoint(10, 51));
        QCOMPARE(okno->FoGrid->mode(), tk::DBGrid::Mode::Browse);
        QStringList shown;
        for (int b = 0; b < N::ButtonCount; ++b)
            shown << okno->Navigator->button(N::Button(b))->toolTip();
        QCOMPARE(shown, hints);
        QCOMPARE(okno->Navigator->visibleButtons().size(), 10);
        QCOMPARE(okno->Navigator->width(), 300);
        // A second call shows the same window where the user left it.
        okno->move(okno->pos() + QPoint(40, 30));
        const QPoint kde = okno->pos();
        action->trigger();
        QTRY_VERIFY(okno->isVisible());
        QCOMPARE(okno->pos(), kde);
    }

    void aPickReachesTheSelectionFieldThatAsked_data() {
        QTest::addColumn<Seznam>("seznam");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("code");
        QTest::newRow("workplaces") << Objekty << 1 << "00002";
        // A client without a birth number is picked by the identifier.
        QTest::newRow("clients by identifier") << Klienti << 1 << "123";
        QTest::newRow("clients by birth number") << Klienti << 2 << "8551011234";
        QTest::newRow("workers") << Pracovnici << 2 << "02";
    }
    void aPickReachesTheSelectionFieldThatAsked() {
        QFETCH(Seznam, seznam);
        QFETCH(int, row);
        QFETCH(QString, code);
        QLineEdit* pole = vyberovePole(seznam);
        // F7 in the field asks its list for a code.
        pole->setFocus();
        QTest::keyClick(pole, Qt::Key_F7);
        QCOMPARE(tagOf(pole), 2);
        TCiselniky& c = t->c();
        TFoSeznam* okno = seznam == Objekty   ? static_cast<TFoSeznam*>(c.FoObjekt)
                          : seznam == Klienti ? static_cast<TFoSeznam*>(c.FoSeznamP)
                                              : static_cast<TFoSeznam*>(c.FoPracovP);
        QVERIFY(okno && QTest::qWaitForWindowActive(okno));
        Ciselniky::klikNaBunku(okno->FoGrid, row, 1);
        QTest::keyClick(okno->FoGrid, Qt::Key_Return);
        QVERIFY(!okno->isVisible());
        QCOMPARE(t->w().VybranyKod, code);
        QVERIFY(t->zpet());
        QCOMPARE(pole->text(), code);
        QCOMPARE(t->w().VybranyKod, QString());
        QCOMPARE(tagOf(pole), 0);
        // Hidden, not destroyed.
        QVERIFY(otevri(seznam, 1) == okno);
    }

    void aDoubleClickPicksAndTheClientsListCloses_data() {
        QTest::addColumn<Seznam>("seznam");
        QTest::addColumn<bool>("destroyed");
        QTest::newRow("workplaces") << Objekty << false;
        QTest::newRow("clients") << Klienti << true;
        QTest::newRow("workers") << Pracovnici << false;
    }
    void aDoubleClickPicksAndTheClientsListCloses() {
        QFETCH(Seznam, seznam);
        QFETCH(bool, destroyed);
        QPointer<TFoSeznam> okno = otevri(seznam, 1);
        QVERIFY(QTest::qWaitForWindowActive(okno));
        Ciselniky::dvojklik(okno->FoGrid, 0, 1);
        QVERIFY(!t->w().VybranyKod.isEmpty());
        QVERIFY(!okno->isVisible());
        if (destroyed)
            QTRY_VERIFY(okno.isNull());
        else
            QVERIFY(!okno.isNull());
    }

    void aDetailFieldReceivesOnlyWhileTheRowIsEdited() {
        t->pracovisteDen(QStringLiteral("00001"), dnes());
        tk::Dataset* q = DmKL->QReserve;
        q->setRecNo(2);
        // Not edited: the pick stays undelivered. A double click on the field asks the workers' list.
        QTest::mouseDClick(t->w().GBDetail->EdDKPr, Qt::LeftButton);
        TFoSeznam* okno = t->c().FoPracovP;
        QVERIFY(okno && QTest::qWaitForWindowActive(okno));
        Ciselniky::klikNaBunku(okno->FoGrid, 2, 1);
        QTest::keyClick(okno->FoGrid, Qt::Key_Return);
        QVERIFY(t->zpet());
        QCOMPARE(DmKL->QReserveKodPrac->asString(), QStringLiteral("00"));
        QCOMPARE(t->w().VybranyKod, QStringLiteral("02"));
        QCOMPARE(tagOf(t->w().GBDetail->EdDKPr), 0);
        // Edited: delivered into the reservation.
        t->w().PSeznam->Navigator->click(N::Edit);
        QCOMPARE(q->state(), tk::DatasetState::Edit);
        QTest::mouseDClick(t->w().GBDetail->EdDKPr, Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowActive(okno));
        Ciselniky::klikNaBunku(okno->FoGrid, 1, 1);
        QTest::keyClick(okno->FoGrid, Qt::Key_Return);
        QVERIFY(t->zpet());
        QCOMPARE(DmKL->QReserveKodPrac->asString(), QStringLiteral("01"));
        QCOMPARE(t->w().VybranyKod, QString());
        t->w().PSeznam->Navigator->click(N::Cancel);
    }

    void escEmptiesThePick() {
        QLineEdit* pole = t->w().GBObdobi->EdVObj;
        pole->setText(QStringLiteral("00002"));
        setTag(pole, 2);
        TFoSeznam* okno = otevri(Objekty, 1, QStringLiteral("00002"));
        QVERIFY(QTest::qWaitForWindowActive(okno));
        QCOMPARE(t->w().VybranyKod, QStringLiteral("00002"));
        QCOMPARE(DmKL->QObjektKod->asString(), QStringLiteral("00002"));
        QTest::keyClick(okno->FoGrid, Qt::Key_Escape);
        QVERIFY(!okno->isVisible());
        QCOMPARE(t->w().VybranyKod, QString());
        QVERIFY(t->zpet());
        QCOMPARE(pole->text(), QStringLiteral("00002"));
        QCOMPARE(tagOf(pole), 0);
    }

    void escInAnEditorWindowDoesNothing_data() {
        QTest::addColumn<QString>("item");
        QTest::newRow("clients") << "N14Pacienti";
        QTest::newRow("workers") << "N15Pracov";
    }
    void escInAnEditorWindowDoesNothing() {
        QFETCH(QString, item);
        t->w().findChild<QAction*>(item)->trigger();
        TFoSeznam* okno = item == QLatin1String("N14Pacienti") ? static_cast<TFoSeznam*>(t->c().FoSeznamP)
                                                               : t->c().FoPracovP;
        QVERIFY(okno && QTest::qWaitForWindowActive(okno));
        QTest::keyClick(okno->FoGrid, Qt::Key_Escape);
        QVERIFY(okno->isVisible());
    }

    void aPickAfterGoingBackToTheMainWindowReachesNobody() {
        QLineEdit* pole = t->w().GBObdobi->EdVKPr;
        const QString before = pole->text();
        setTag(pole, 2);
        TFoSeznam* okno = otevri(Pracovnici, 1);
        QVERIFY(QTest::qWaitForWindowActive(okno));
        // The user goes back to the main window by a click on it, then returns to the list.
        QVERIFY(t->zpet());
        QCOMPARE(tagOf(pole), 0);
        QVERIFY(Ciselniky::aktivni(okno));
        Ciselniky::klikNaBunku(okno->FoGrid, 2, 1);
        QTest::keyClick(okno->FoGrid, Qt::Key_Return);
        QCOMPARE(t->w().VybranyKod, QStringLiteral("02"));
        QVERIFY(t->zpet());
        QCOMPARE(pole->text(), before);
        // Kept until the next opening overwrites it.
        QCOMPARE(t->w().VybranyKod, QStringLiteral("02"));
        otevri(Pracovnici, 1, QStringLiteral("01"));
        QCOMPARE(t->w().VybranyKod, QStringLiteral("01"));
    }

    void theWorkplacesListFromTheMenuPicksForNobody() {
        const QString before = t->w().GBObdobi->EdVObj->text();
        t->w().N11Pracoviste->trigger();
        TFoSeznam* okno = t->c().FoObjekt;
        QVERIFY(QTest::qWaitForWindowActive(okno));
        Ciselniky::klikNaBunku(okno->FoGrid, 1, 1);
        QTest::keyClick(okno->FoGrid, Qt::Key_Return);
        QVERIFY(!okno->isVisible());
        QVERIFY(t->zpet());
        QCOMPARE(t->w().GBObdobi->EdVObj->text(), before);
        QCOMPARE(t->w().VybranyKod, QStringLiteral("00002"));
    }

    void theClientsPickerPositionsOnTheCallersCode_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("prijmeni");
        QTest::newRow("identifier") << "123"
                                    << "Dvořák";
        QTest::newRow("birth number") << "8551011234"
                                      << "Nováková";
        QTest::newRow("start of a birth number") << "700101123"
                                                 << "Adamová";
        QTest::newRow("unknown: first row") << "99"
                                            << "Adamová";
        QTest::newRow("empty: first row") << ""
                                          << "Adamová";
    }
    void theClientsPickerPositionsOnTheCallersCode() {
        QFETCH(QString, code);
        QFETCH(QString, prijmeni);
        // Away from the first row first, so that staying there is seen.
        DmKL->QPacienti->last();
        otevri(Klienti, 1, code);
        QCOMPARE(DmKL->QPacientiPrijmeni->asString(), prijmeni);
        QCOMPARE(t->w().VybranyKod, code);
    }

    void titleClicksSortByCodeOrName_data() {
        QTest::addColumn<Seznam>("seznam");
        QTest::addColumn<QString>("pole");
        QTest::addColumn<QString>("lbCo");
        QTest::addColumn<int>("rezim");
        QTest::addColumn<QString>("sloupec");
        QTest::addColumn<QStringList>("poradi");
        QTest::newRow("workplaces by name") << Objekty << "Nazev"
                                            << "Název" << 1 << "Kod" << QStringList{"00002", "00001"};
        QTest::newRow("workplaces by code") << Objekty << "Kod"
                                            << "Kód" << 0 << "Kod" << QStringList{"00001", "00002"};
        QTest::newRow("clients by birth number")
            << Klienti << "RC"
            << "RČ" << 0 << "IDPacienta" << QStringList{"123", "200", "5"};
        QTest::newRow("clients by name") << Klienti << "VCeleJmeno"
                                         << "Jméno" << 1 << "IDPacienta" << QStringList{"200", "123", "5"};
        QTest::newRow("workers by code") << Pracovnici << "Kod"
                                         << "Kód" << 0 << "Kod" << QStringList{"01", "02", "03"};
        QTest::newRow("workers by surname") << Pracovnici << "Prijmeni"
                                            << "Příjmení" << 1 << "Kod" << QStringList{"03", "01", "02"};
    }
    void titleClicksSortByCodeOrName() {
        QFETCH(Seznam, seznam);
        QFETCH(QString, pole);
        QFETCH(QString, lbCo);
        QFETCH(int, rezim);
        QFETCH(QString, sloupec);
        QFETCH(QStringList, poradi);
        TFoSeznam* okno = otevri(seznam, 0);
        // The other sort first, so that the click is seen.
        Ciselniky::klikNaTitulek(okno->FoGrid, Ciselniky::sloupec(okno->FoGrid, pole));
        QCOMPARE(okno->LbCo->text(), lbCo);
        QCOMPARE(okno->rezimHledani(), rezim);
        QCOMPARE(Ciselniky::hodnoty(okno->dataset(), sloupec), poradi);
    }

    void otherTitlesAndTitlesWhileEditingDoNothing() {
        TFoSeznam* okno = otevri(Pracovnici, 0);
        const QStringList poradi = Ciselniky::hodnoty(okno->dataset(), QStringLiteral("Kod"));
        Ciselniky::klikNaTitulek(okno->FoGrid, Ciselniky::sloupec(okno->FoGrid, QStringLiteral("Titul")));
        QCOMPARE(okno->LbCo->text(), QStringLiteral("Jméno"));
        okno->Navigator->click(N::Edit);
        QCOMPARE(okno->FoGrid->mode(), tk::DBGrid::Mode::Edit);
        Ciselniky::klikNaTitulek(okno->FoGrid, Ciselniky::sloupec(okno->FoGrid, QStringLiteral("Kod")));
        QCOMPARE(okno->LbCo->text(), QStringLiteral("Jméno"));
        okno->Navigator->click(N::Cancel);
        QCOMPARE(okno->FoGrid->mode(), tk::DBGrid::Mode::Browse);
        QCOMPARE(Ciselniky::hodnoty(okno->dataset(), QStringLiteral("Kod")), poradi);
    }

    void openingAgainRestoresTheDefaultOrder() {
        TFoSeznam* okno = otevri(Objekty, 1);
        Ciselniky::klikNaTitulek(okno->FoGrid, Ciselniky::sloupec(okno->FoGrid, QStringLiteral("Nazev")));
        QCOMPARE(Ciselniky::hodnoty(okno->dataset(), QStringLiteral("Kod")), (QStringList{"00002", "00001"}));
        otevri(Objekty, 1);
        QCOMPARE(okno->LbCo->text(), QStringLiteral("Kód"));
        QCOMPARE(okno->rezimHledani(), 0);
        QCOMPARE(Ciselniky::hodnoty(okno->dataset(), QStringLiteral("Kod")), (QStringList{"00001", "00002"}));
    }

    void theSearchBoxPositionsAsTyped_data() {
        QTest::addColumn<Seznam>("seznam");
        QTest::addColumn<QString>("titulek"); // clicked first; empty: the opening's mode
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pole");
        QTest::addColumn<QString>("najde");
        QTest::newRow("workplaces by code") << Objekty << ""
                                            << "00002"
                                            << "Kod"
                                            << "00002";
        QTest::newRow("workplaces by name") << Objekty << "Nazev"
                                            << "Va"
                                            << "Kod"
                                            << "00001";
        QTest::newRow("clients by surname") << Klienti << ""
                                            << "Nov"
                                            << "Prijmeni"
                                            << "Nováková";
        QTest::newRow("clients by birth number") << Klienti << "RC"
                                                 << "7001"
                                                 << "Prijmeni"
                                                 << "Adamová";
        QTest::newRow("workers by surname") << Pracovnici << ""
                                            << "Vel"
                                            << "Kod"
                                            << "02";
        QTest::newRow("workers by code") << Pracovnici << "Kod"
                                         << "01"
                                         << "Kod"
                                         << "01";
        // No case folding.
        QTest::newRow("workers, other case") << Pracovnici << ""
                                             << "vel"
                                             << "Kod"
                                             << "03";
    }
    void theSearchBoxPositionsAsTyped() {
        QFETCH(Seznam, seznam);
        QFETCH(QString, titulek);
        QFETCH(QString, text);
        QFETCH(QString, pole);
        QFETCH(QString, najde);
        TFoSeznam* okno = otevri(seznam, 1);
        QVERIFY(QTest::qWaitForWindowActive(okno));
        if (!titulek.isEmpty())
            Ciselniky::klikNaTitulek(okno->FoGrid, Ciselniky::sloupec(okno->FoGrid, titulek));
        okno->dataset()->first();
        QTest::keyClick(okno, Qt::Key_F3);
        QVERIFY(okno->EdHledat->hasFocus());
        QTest::keyClicks(okno->EdHledat, text);
        QCOMPARE(okno->dataset()->fieldByName(pole).asString().trimmed(), najde);
        // Enter goes to the grid; a second Enter picks.
        QTest::keyClick(okno->EdHledat, Qt::Key_Return);
        QVERIFY(okno->isVisible());
        QVERIFY(okno->FoGrid->hasFocus());
        QCOMPARE(okno->EdHledat->text(), QString()); // emptied on leaving
        QTest::keyClick(okno->FoGrid, Qt::Key_Return);
        QVERIFY(!okno->isVisible());
    }

    void enteringOrLeavingTheWorkplacesSearchNeverMoves() {
        TFoSeznam* okno = otevri(Objekty, 1, QStringLiteral("00002"));
        QVERIFY(QTest::qWaitForWindowActive(okno));
        okno->EdHledat->setFocus();
        QTest::keyClicks(okno->EdHledat, QStringLiteral("   "));
        QCOMPARE(DmKL->QObjektKod->asString(), QStringLiteral("00002"));
        okno->FoGrid->setFocus();
        QCOMPARE(okno->EdHledat->text(), QString());
        QCOMPARE(DmKL->QObjektKod->asString(), QStringLiteral("00002"));
    }

    void f1ShowsTheHelp() {
        FoNapovedaP->hide();
        TFoSeznam* okno = otevri(Pracovnici, 0);
        QTest::keyClick(okno->FoGrid, Qt::Key_F1);
        QVERIFY(FoNapovedaP && FoNapovedaP->isVisible());
    }

    void closingDestroysTheWindowAndRereadsTheList() {
        QPointer<TFoSeznam> okno = otevri(Pracovnici, 0);
        Ciselniky::klikNaTitulek(okno->FoGrid, Ciselniky::sloupec(okno->FoGrid, QStringLiteral("Kod")));
        DmKL->QPracov->last();
        okno->close();
        QTRY_VERIFY(okno.isNull());
        QVERIFY(t->c().FoPracovP.isNull());
        // Its current query, on the first row.
        QCOMPARE(DmKL->QPracovKod->asString(), QStringLiteral("01"));
        QVERIFY(DmKL->QPracov->isActive());
        TFoSeznam* nove = otevri(Pracovnici, 0);
        QCOMPARE(nove->pos(), t->w().pos() + QPoint(10, 51));
    }

    void insertAndEditSwitchTheGridToEditMode() {
        TFoSeznam* okno = otevri(Objekty, 1);
        okno->Navigator->click(N::Edit);
        QCOMPARE(okno->FoGrid->mode(), tk::DBGrid::Mode::Edit);
        // Edit mode: Enter moves to the next cell, from the last back to the first, and picks nothing.
        okno->FoGrid->setSelectedIndex(okno->FoGrid->columnCount() - 2);
        QTest::keyClick(okno->FoGrid, Qt::Key_Return);
        QCOMPARE(okno->FoGrid->selectedIndex(), okno->FoGrid->columnCount() - 1);
        QTest::keyClick(okno->FoGrid, Qt::Key_Return);
        QCOMPARE(okno->FoGrid->selectedIndex(), 0);
        QVERIFY(okno->isVisible());
        // Esc in edit mode leaves the picker where it is.
        QTest::keyClick(okno->FoGrid, Qt::Key_Escape);
        QVERIFY(okno->isVisible());
        okno->Navigator->click(N::Cancel);
        QCOMPARE(okno->FoGrid->mode(), tk::DBGrid::Mode::Browse);
    }

    void theClientsListOpensTheCard() {
        t->w().N14Pacienti->trigger();
        TFoSeznam* okno = t->c().FoSeznamP;
        QVERIFY(QTest::qWaitForWindowActive(okno));
        Ciselniky::dvojklik(okno->FoGrid, 1, 1);
        QPointer<TFoKlient> karta = t->c().FoKlient;
        QVERIFY(karta);
        QVERIFY(karta->isVisible());
        QCOMPARE(karta->pos(), okno->pos() + QPoint(10, 10));
        QCOMPARE(DmKL->QPacienti->state(), tk::DatasetState::Browse);
        QCOMPARE(karta->EdPrijmeni->text(), QStringLiteral("DVOŘÁK")); // the surname's mask
        karta->close();
        QTRY_VERIFY(karta.isNull());
        // Insert opens it too and inserts nothing.
        QVERIFY(Ciselniky::aktivni(okno));
        QTest::keyClick(okno->FoGrid, Qt::Key_Insert);
        QVERIFY(t->c().FoKlient);
        QCOMPARE(DmKL->QPacienti->state(), tk::DatasetState::Browse);
        t->c().FoKlient->close();
        QTRY_VERIFY(t->c().FoKlient.isNull());
        // The navigator's Insert puts the row into insert state and opens the card.
        okno->Navigator->click(N::Insert);
        QCOMPARE(DmKL->QPacienti->state(), tk::DatasetState::Insert);
        QVERIFY(t->c().FoKlient);
        t->c().FoKlient->close();
        QCOMPARE(DmKL->QPacienti->state(), tk::DatasetState::Browse);
    }
};

QTEST_MAIN(TestSeznamy)
#include "tst_seznamy.moc"
