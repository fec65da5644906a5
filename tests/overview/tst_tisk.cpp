#include "KalendarFixture.h"
#include "support/PdfText.h"

#include "reports/RvSystem.h"

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QtTest>

using namespace kltest;

namespace {

// Answers the output-device dialog at once; counts how often it was asked.
class DoPdf : public rv::VyberVystupu {
public:
    explicit DoPdf(int* asked) : asked_(asked) {}
    rv::VolbaVystupu vyber(const QString&, QWidget*) override {
        ++*asked_;
        return {rv::Vystup::Pdf, QString(), 1};
    }

private:
    int* asked_;
};

// Runs `body` on the next modal window of type T once it is shown (a modal dialog runs its own loop).
template <typename T> void kdyzOtevre(const std::function<void(T*)>& body) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, body] {
        auto* w = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!w || !w->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        body(w);
    });
    timer->start();
}

QString tlacitko(TFoKL& w) {
    return w.PSeznam->BbTiskNovy->text();
}

// The lines of the PDF's text that hold one of the words, in their order.
QStringList radkySe(const QString& text, const QString& slovo) {
    QStringList out;
    for (const QString& l : text.split(QLatin1Char('\n')))
        if (l.contains(slovo))
            out << l.simplified();
    return out;
}

} // namespace

// The universal button in each of its modes, the preset buttons, and the three reports printed from the
// list as the selection holds it.
class TestTisk : public QObject {
    Q_OBJECT

    tktest::TestDialogs* dialogs = nullptr;
    int asked = 0;

    // Prints through the universal button into a PDF; returns its text.
    QString tisk(Prehled& t, const QString& name) {
        const QString path = t.folder.root() + name + QStringLiteral(".pdf");
        dialogs->fileNext(path);
        QTest::mouseClick(t.w().PSeznam->BbTiskNovy, Qt::LeftButton);
        const QByteArray ukazky = qgetenv("KALENDO_UKAZKY");
        if (!ukazky.isEmpty()) {
            QFile::remove(QString::fromLocal8Bit(ukazky) + QLatin1Char('/') + name + QStringLiteral(".pdf"));
            QFile::copy(path,
                        QString::fromLocal8Bit(ukazky) + QLatin1Char('/') + name + QStringLiteral(".pdf"));
        }
        return QFile::exists(path) ? pdfText(path) : QString();
    }

    // A client's bookings over three days and another client's, on a founded workplace.
    static void klienti(Prehled& t) {
        for (int d = -1; d <= 1; ++d)
            QVERIFY(zaloz(t, dnes().addDays(d)));
        t.pracovisteDen("00001", dnes().addDays(-1));
        QVERIFY(obsad(t, 9, 0, QStringLiteral("Šťastná Žofie"), QStringLiteral("7556011234"),
                      QStringLiteral("01")));
        t.pracovisteDen("00001", dnes());
        QVERIFY(obsad(t, 8, 0, QStringLiteral("Dvořák Řehoř"), QStringLiteral("5302281234"),
                      QStringLiteral("01")));
        QVERIFY(obsad(t, 10, 30, QStringLiteral("Šťastná Žofie"), QStringLiteral("7556011234"),
                      QStringLiteral("02")));
        QVERIFY(obsad(t, 14, 0, QStringLiteral("Šťastná Žofie"), QStringLiteral("7556011234"),
                      QStringLiteral("01")));
        t.pracovisteDen("00001", dnes().addDays(1));
        QVERIFY(obsad(t, 9, 30, QStringLiteral("Šťastná Žofie"), QStringLiteral("7556011234"),
                      QStringLiteral("01")));
    }

    static void pracovnici(TDmKL& dm) {
        execKL(dm,
               QStringLiteral(
                   "insert into Pracov (Kod,Titul,Prijmeni,Jmeno) values ('01','Mgr.','Čermáková','Běla'),"
                   "('02','','Kříž','Ondřej')"));
        execKL(dm, QStringLiteral("insert into Pacienti (RC,Titul,Prijmeni,Jmeno) values "
                                  "('7556011234','','Šťastná','Žofie')"));
    }

    // Types a code into an empty code field, as the user does.
    static void napis(QLineEdit* pole, const QString& kod) {
        pole->clear();
        QTest::keyClicks(pole, kod);
    }

    // Types the client's birth number; the name found shows the client preset, which is clicked.
    static void klient(Prehled& t, const QString& rc) {
        napis(t.w().GBObdobi->EdVRCP, rc);
        QVERIFY(t.w().GBObdobi->BbTiskK->isVisible());
        QTest::mouseClick(t.w().GBObdobi->BbTiskK, Qt::LeftButton);
    }

private Q_SLOTS:
    void init() {
        dialogs = &tktest::installTestEnvironment();
        asked = 0;
        rv::setVyberVystupu(std::make_unique<DoPdf>(&asked));
    }
    void cleanup() { rv::setVyberVystupu(nullptr); }

    void modeNoneExplainsItself() {
        Prehled t;
        QVERIFY(t.ok);
        QCOMPARE(tagOf(t.w().PSeznam->BbTiskNovy), 0);
        QTest::mouseClick(t.w().PSeznam->BbTiskNovy, Qt::LeftButton);
        QCOMPARE(dialogs->last(),
                 QStringLiteral("Funkce tlačítka se mění podle nastavení výběru a zobrazení."));
        QCOMPARE(asked, 0);
    }

    // A Saturday the workplace does not work: the question, and No generates nothing.
    void nonWorkingDayAnsweredNo() {
        Prehled t;
        QVERIFY(t.ok);
        t.pracovisteDen("00001", QDate(2026, 12, 12));
        QCOMPARE(tlacitko(t.w()), QStringLiteral("Nový D"));
        QCOMPARE(t.w().GBObdobi->NepracovniDen, 1);
        dialogs->answerNext(false);
        QTest::mouseClick(t.w().PSeznam->BbTiskNovy, Qt::LeftButton);
        QCOMPARE(dialogs->shown().size(), size_t(1));
        const auto& q = dialogs->shown().back();
        QVERIFY(q.isQuestion);
        QCOMPARE(q.caption, QStringLiteral("Kalendo - Generování pracovního dne"));
        QCOMPARE(q.text, QStringLiteral("Tento den není pro vybrané pracoviště jako pracovní.\r\n"
                                        "Chcete přesto pro tento den generovat položky ?"));
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select count(*) from Reserve")).toInt(), 0);
        QCOMPARE(tlacitko(t.w()), QStringLiteral("Nový D"));
        // Yes generates it.
        dialogs->answerNext(true);
        QTest::mouseClick(t.w().PSeznam->BbTiskNovy, Qt::LeftButton);
        QCOMPARE(tlacitko(t.w()), QStringLiteral("Tisk O"));
        QVERIFY(DmKL->QReserve->recordCount() > 4);
    }

    void workingDayWithoutQuestion() {
        Prehled t;
        QVERIFY(t.ok);
        t.pracovisteDen("00001", dnes());
        QCOMPARE(t.w().GBObdobi->NepracovniDen, 0);
        QTest::mouseClick(t.w().PSeznam->BbTiskNovy, Qt::LeftButton);
        QVERIFY(dialogs->shown().empty());
        QCOMPARE(tlacitko(t.w()), QStringLiteral("Tisk O"));
        QCOMPARE(t.seznam().first(), QStringLiteral("08:00 ======ZPD======="));
        QCOMPARE(t.seznam().last(), QStringLiteral("16:30 ======KPD======="));
    }

    // Stepping a client's booking a week ahead and founding that day lands the list on the same time.
    void foundedDayLandsOnTheTarget() {
        Prehled t;
        QVERIFY(t.ok);
        QVERIFY(zaloz(t, dnes()));
        QVERIFY(obsad(t, 11, 0, QStringLiteral("Šťastná Žofie"), QStringLiteral("7556011234")));
        t.w().GBObdobi->EdVRCP->setText(QStringLiteral("7556011234"));
        QVERIFY(naCas(11, 0));
        QTest::mouseClick(t.w().GBObdobi->UpDwTyden->upButton(), Qt::LeftButton);
        QCOMPARE(tlacitko(t.w()), QStringLiteral("Nový D"));
        QTest::mouseClick(t.w().PSeznam->BbTiskNovy, Qt::LeftButton);
        QCOMPARE(tlacitko(t.w()), QStringLiteral("Tisk O"));
        QCOMPARE(DmKL->QReserveDatumCas->displayText(), QStringLiteral("čt 17.12.2026  11:00"));
        // Without a client in the field the list stays on its first row.
        t.w().GBObdobi->EdVRCP->clear();
        QVERIFY(naCas(11, 0));
        QTest::mouseClick(t.w().GBObdobi->UpDwTyden->upButton(), Qt::LeftButton);
        QTest::mouseClick(t.w().PSeznam->BbTiskNovy, Qt::LeftButton);
        QCOMPARE(DmKL->QReserve->recNo(), 1);
    }

    // A day founded meanwhile by another station: the refusal, "<?>" and nothing written.
    void foundingRefusedLeavesTheCaption() {
        Prehled t;
        QVERIFY(t.ok);
        t.pracovisteDen("00001", dnes());
        reservation(*DmKL, "00001", dnes(), 8, 0, 0, "1", "======ZPD=======");
        QTest::mouseClick(t.w().PSeznam->BbTiskNovy, Qt::LeftButton);
        QVERIFY(
            dialogs->last().startsWith(QStringLiteral("Založení nového pracovního dne je možné jen pokud")));
        QCOMPARE(tlacitko(t.w()), QStringLiteral("<?>"));
        QCOMPARE(scalarKL(*DmKL, QStringLiteral("select count(*) from Reserve")).toInt(), 1);
    }

    // "Tisk O": the workplace's day in the list's order, the markers left out; with "Volné" only the free
    // slots.
    void workplaceDay() {
        Prehled t(&pracovnici);
        QVERIFY(t.ok);
        klienti(t);
        t.pracovisteDen("00001", dnes(), QStringLiteral("Vana"));
        QCOMPARE(tlacitko(t.w()), QStringLiteral("Tisk O"));
        const QString vse = tisk(t, QStringLiteral("ResOD"));
        QCOMPARE(asked, 1);
        QVERIFY2(vse.contains(QStringLiteral("Rozvrh pracoviště na den")), qPrintable(vse));
        QVERIFY(vse.contains(QStringLiteral("Vana (00001)")));
        QVERIFY(vse.contains(QStringLiteral("čtvrtek 10.12.2026")));
        QVERIFY(!vse.contains(QStringLiteral("=====")));
        const QStringList jmena =
            radkySe(vse, QStringLiteral("Dvořák")) + radkySe(vse, QStringLiteral("Šťastná"));
        QCOMPARE(jmena, (QStringList{"08:00 08:30 Dvořák Řehoř 5302281234 Čermáková Běla",
                                     "10:30 11:00 Šťastná Žofie 7556011234 Kříž Ondřej",
                                     "14:00 14:30 Šťastná Žofie 7556011234 Čermáková Běla"}));
        QVERIFY(vse.indexOf(QStringLiteral("Dvořák")) < vse.indexOf(QStringLiteral("Šťastná")));
        QCOMPARE(radkySe(vse, QStringLiteral("volno")).size(), 12); // 15 slots, 3 booked
        QCOMPARE(radkySe(vse, QStringLiteral("Řádků")),
                 QStringList{"Řádků: 15 Obsazeno: 3 Minut celkem: 450"});
        QVERIFY(vse.contains(QStringLiteral("pracovní doba 08:00–16:30")));
        QVERIFY(vse.contains(QStringLiteral("vytištěno 10.12.2026 10:00")));

        t.w().PSeznam->RBZVolno->setChecked(true);
        QCOMPARE(tlacitko(t.w()), QStringLiteral("Tisk O"));
        const QString volne = tisk(t, QStringLiteral("ResOD-volne"));
        QVERIFY(!volne.contains(QStringLiteral("Dvořák")));
        QVERIFY(!volne.contains(QStringLiteral("Šťastná")));
        QCOMPARE(radkySe(volne, QStringLiteral("volno")).size(), 12);
        QCOMPARE(radkySe(volne, QStringLiteral("Řádků")),
                 QStringList{"Řádků: 12 Obsazeno: 0 Minut celkem: 360"});
    }

    // "Tisk K": the client's bookings; "Aktuální" only from today on, "Vše" all of them.
    void clientBookings() {
        Prehled t(&pracovnici);
        QVERIFY(t.ok);
        klienti(t);
        t.w().PSeznam->RBZVolno->setChecked(true);
        klient(t, QStringLiteral("7556011234"));
        QCOMPARE(tlacitko(t.w()), QStringLiteral("Tisk K"));
        QVERIFY(t.w().PSeznam->RBZObsazeno->isChecked());
        QCOMPARE(t.w().PSeznam->RBZObsazeno->text(), QStringLiteral("Aktuální"));
        QVERIFY(!t.w().PSeznam->RBZVolno->isVisible());
        const QString aktualni = tisk(t, QStringLiteral("ResKV"));
        QVERIFY2(aktualni.contains(QStringLiteral("Přehled rezervací klienta")), qPrintable(aktualni));
        QVERIFY(aktualni.contains(QStringLiteral("Šťastná Žofie")));
        QVERIFY(aktualni.contains(QStringLiteral("Rodné číslo / číslo klienta: 7556011234")));
        QCOMPARE(radkySe(aktualni, QStringLiteral("Vana")),
                 (QStringList{"čt 10.12.2026 10:30 11:00 Vana Kříž Ondřej",
                              "čt 10.12.2026 14:00 14:30 Vana Čermáková Běla",
                              "pá 11.12.2026 09:30 10:00 Vana Čermáková Běla"}));
        QVERIFY(aktualni.contains(QStringLiteral("Počet rezervací: 3")));
        QVERIFY(!aktualni.contains(QStringLiteral("Dvořák")));

        t.w().PSeznam->RBZVse->setChecked(true);
        const QString vse = tisk(t, QStringLiteral("ResKV-vse"));
        QCOMPARE(radkySe(vse, QStringLiteral("Vana")).first(),
                 QStringLiteral("st 9.12.2026 09:00 09:30 Vana Čermáková Běla"));
        QVERIFY(vse.contains(QStringLiteral("Počet rezervací: 4")));
    }

    // "Tisk P": the worker's day across workplaces.
    void workerDay() {
        Prehled t(&pracovnici);
        QVERIFY(t.ok);
        klienti(t);
        TFoKL& w = t.w();
        w.GBObdobi->NastavDatum(dnes());
        napis(w.GBObdobi->EdVKPr, QStringLiteral("01"));
        QVERIFY(w.GBObdobi->BbTiskP->isVisible());
        QTest::mouseClick(w.GBObdobi->BbTiskP, Qt::LeftButton);
        QCOMPARE(tlacitko(w), QStringLiteral("Tisk P"));
        QCOMPARE(tagOf(w.PSeznam->BbTiskNovy), 3);
        const QString text = tisk(t, QStringLiteral("ResPD"));
        QVERIFY2(text.contains(QStringLiteral("Rozvrh pracovníka na den")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Čermáková Běla (01)")));
        QCOMPARE(radkySe(text, QStringLiteral("Vana")),
                 (QStringList{"08:00 08:30 Dvořák Řehoř 5302281234 Vana 00001",
                              "14:00 14:30 Šťastná Žofie 7556011234 Vana 00001"}));
        QVERIFY(text.contains(QStringLiteral("Rezervací: 2")));
    }

    // The preset buttons put the selection into the printable or the writable state.
    void presetButtons() {
        Prehled t(&pracovnici);
        QVERIFY(t.ok);
        TFoKL& w = t.w();
        w.GBObdobi->NastavDatum(dnes());
        napis(w.GBObdobi->EdVObj, QStringLiteral("00001"));
        QCOMPARE(w.GBObdobi->LbVNazObj->text(), QStringLiteral("Vana"));
        QVERIFY(w.GBObdobi->BbOjednat->isVisible() && w.GBObdobi->BbTiskO->isVisible());
        w.GBObdobi->RBVMesic->setChecked(true);
        QTest::mouseClick(w.GBObdobi->BbOjednat, Qt::LeftButton);
        QVERIFY(w.GBObdobi->RBVDen->isChecked() && w.GBObdobi->ChBVObj->isChecked() &&
                w.PSeznam->RBZVse->isChecked());
        QCOMPARE(tlacitko(w), QStringLiteral("Nový D"));
        QCOMPARE(int(w.PSeznam->Navigator->visibleButtons().size()), 10);
        QTest::mouseClick(w.PSeznam->BbTiskNovy, Qt::LeftButton);
        w.GBObdobi->RBVTyden->setChecked(true);
        QCOMPARE(tlacitko(w), QString());
        QTest::mouseClick(w.GBObdobi->BbTiskO, Qt::LeftButton);
        QCOMPARE(tlacitko(w), QStringLiteral("Tisk O"));
        // The client preset leaves the workplace and worker filters off.
        w.GBObdobi->ChBVKPr->setChecked(true);
        klient(t, QStringLiteral("7556011234"));
        QVERIFY(w.GBObdobi->RBVVse->isChecked() && w.GBObdobi->ChBVRCP->isChecked() &&
                !w.GBObdobi->ChBVObj->isChecked() && !w.GBObdobi->ChBVKPr->isChecked());
        QCOMPARE(tagOf(w.PSeznam->BbTiskNovy), 4);
    }

    // A missing or broken project file: a message naming the file and the report; the program goes on.
    void missingProjectIsReported() {
        Prehled t;
        QVERIFY(t.ok);
        QVERIFY(zaloz(t, dnes()));
        const QString file = t.folder.slozkaProgramu() + QStringLiteral("Kalendo.rav");
        QFile::remove(file);
        QTest::mouseClick(t.w().PSeznam->BbTiskNovy, Qt::LeftButton);
        QCOMPARE(dialogs->last(),
                 QStringLiteral("Soubor sestav „") + file +
                     QStringLiteral("“ nebyl nalezen.\r\nSestavu „ResOD“ nelze vytisknout."));
        QCOMPARE(asked, 0);
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Report ResKV]\nColumn = Den | {VDen}\n");
        f.close();
        QTest::mouseClick(t.w().PSeznam->BbTiskNovy, Qt::LeftButton);
        QCOMPARE(dialogs->last(),
                 QStringLiteral("Soubor sestav „") + file + QStringLiteral("“ neobsahuje sestavu „ResOD“."));
        QCOMPARE(asked, 0);
        // Put back, it prints again without a restart.
        QVERIFY(copyReportProject(t.folder.slozkaProgramu()));
        QVERIFY(!tisk(t, QStringLiteral("znovu")).isEmpty());
        QCOMPARE(asked, 1);
    }

    // The real output-device dialog: its title and choices; the PDF choice asks for the file.
    void outputDialogToPdf() {
        rv::setVyberVystupu(nullptr);
        Prehled t;
        QVERIFY(t.ok);
        QVERIFY(zaloz(t, dnes()));
        QString title;
        bool printerOffered = true;
        kdyzOtevre<rv::TFoVystup>([&](rv::TFoVystup* d) {
            title = d->windowTitle();
            printerOffered = d->RBTiskarna->isEnabled() == !QPrinterInfo::availablePrinterNames().isEmpty();
            QTest::keyClick(d->RBPdf, Qt::Key_Space); // chosen as with the keyboard
            d->BtOK->click();
        });
        const QString path = t.folder.root() + QStringLiteral("dialog.pdf");
        dialogs->fileNext(path);
        QTest::mouseClick(t.w().PSeznam->BbTiskNovy, Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("Výběr výstupního zařízení"));
        QVERIFY(printerOffered);
        QCOMPARE(dialogs->lastProposedName, QStringLiteral("ResOD_20261210.pdf"));
        QVERIFY(pdfText(path).contains(QStringLiteral("Rozvrh pracoviště na den")));
        // Cancelling the file dialog writes nothing and is no error.
        kdyzOtevre<rv::TFoVystup>([&](rv::TFoVystup* d) {
            d->RBPdf->setChecked(true);
            d->BtOK->click();
        });
        dialogs->clear();
        QTest::mouseClick(t.w().PSeznam->BbTiskNovy, Qt::LeftButton);
        QVERIFY(dialogs->shown().empty());
    }

    // The preview opens under its title with the report's pages.
    void outputDialogToPreview() {
        rv::setVyberVystupu(nullptr);
        Prehled t;
        QVERIFY(t.ok);
        QVERIFY(zaloz(t, dnes()));
        QString title;
        int pages = 0;
        bool nahledVychozi = false;
        kdyzOtevre<rv::TFoVystup>([&](rv::TFoVystup* d) {
            nahledVychozi = d->RBNahled->isChecked();
            kdyzOtevre<QPrintPreviewDialog>([&](QPrintPreviewDialog* p) {
                title = p->windowTitle();
                if (auto* widget = p->findChild<QPrintPreviewWidget*>())
                    pages = widget->pageCount();
                p->reject();
            });
            d->BtOK->click();
        });
        QTest::mouseClick(t.w().PSeznam->BbTiskNovy, Qt::LeftButton);
        QVERIFY(nahledVychozi);
        QCOMPARE(title, QStringLiteral("Náhled sestavy"));
        QCOMPARE(pages, 1);
        QVERIFY(dialogs->shown().empty());
    }
};

QTEST_MAIN(TestTisk)
#include "tst_tisk.moc"
