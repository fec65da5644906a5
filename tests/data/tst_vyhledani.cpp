// The data module's named look-ups: each finds its row by bound values on its own query, in the database
// where the rows live, and leaves the shared datasets where they were.

#include "app/KLConect.h"
#include "data/DmKL.h"
#include "support/KalendoFixture.h"
#include "support/tk_TestEnv.h"

#include <QtTest>

using namespace kltest;

class TestVyhledani : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFolder> folder_;
    std::unique_ptr<TDmKL> dm_;

    // Clients and workers from Kinemo, as the start sequence moves them there.
    void zKinema() {
        folder_->createKinemo();
        int chyby = 0;
        PripojKN(*dm_, chyby, folder_->ini());
        QCOMPARE(chyby, 0);
        for (tk::Dataset* d : {dm_->QPacienti, dm_->QPracov}) {
            d->close();
            d->setConnection(dm_->SpojeniKN);
            d->open();
        }
    }

private Q_SLOTS:
    void init() {
        tktest::installTestEnvironment();
        folder_ = std::make_unique<ProgramFolder>();
        folder_->createKalendo();
        dm_ = openKalendo(*folder_);
        execKL(*dm_,
               QStringLiteral("insert into Objekt (Kod,Nazev,Interval,KPr,Gpp,Gin,So,Ne,Sv) values "
                              "('00001','Vana',30,'03',1,1,0,0,0),('00002','Magnet',20,'00',0,1,1,0,1)"));
        execKL(*dm_, QStringLiteral("insert into Svatek (Datum,Nazev) values ('2026-12-24 00:00:00.000',"
                                    "'Štědrý den'),('2026-12-25 00:00:00.000','1. svátek vánoční')"));
        execKL(*dm_, QStringLiteral("insert into Pacienti (RC,Titul,Prijmeni,Jmeno) values "
                                    "('8551011234','Ing.','NOVÁKOVÁ','Jana'),"
                                    "('535228123','','DVOŘÁK','Petr'),"
                                    "('','','BEZRODNÁ','Anna'),"
                                    "('7001011111','prof.','VELMIDLOUHÉPŘÍJMENÍ','Maxmiliána')"));
        execKL(*dm_, QStringLiteral("insert into Pracov (Kod,Titul,Prijmeni,Jmeno) values "
                                    "('01','MUDr.','Malá','Eva'),('02','','Velký','Adam')"));
        for (tk::Dataset* d : {dm_->QObjekt, dm_->QPacienti, dm_->QPracov, dm_->QSvatek})
            d->requery();
    }
    void cleanup() {
        dm_.reset();
        folder_.reset();
    }

    void holidays() {
        QCOMPARE(dm_->SvatekDne(QDate(2026, 12, 24)).value_or(QString()), QStringLiteral("Štědrý den"));
        QVERIFY(!dm_->SvatekDne(QDate(2026, 12, 23)));
        QVERIFY(!dm_->SvatekDne(QDate(2025, 12, 24)));
        QVERIFY(dm_->SvatkyRoku(2026));
        QVERIFY(!dm_->SvatkyRoku(2027));
        QVERIFY(!dm_->SvatkyRoku(2025));
    }

    void workplaceByCodeMovesNoCursor() {
        dm_->QObjekt->first();
        const std::optional<Pracoviste> p = dm_->NajdiPracoviste(QStringLiteral("00002"));
        QVERIFY(p);
        QCOMPARE(p->nazev, QStringLiteral("Magnet"));
        QCOMPARE(p->interval, 20);
        QCOMPARE(p->kpr, QStringLiteral("00"));
        QVERIFY(!p->gpp && p->gin && p->so && !p->ne && p->sv);
        QCOMPARE(dm_->QObjektKod->asString(), QStringLiteral("00001")); // the list's row stays current
        QVERIFY(!dm_->NajdiPracoviste(QStringLiteral("00003")));
        QVERIFY(!dm_->NajdiPracoviste(QString()));
    }

    void workersAreNamedTitleFirst_data() {
        QTest::addColumn<bool>("kinemo");
        QTest::addColumn<QString>("kod");
        QTest::addColumn<QString>("jmeno"); // empty: not found
        QTest::newRow("own, title") << false << "01"
                                    << "MUDr. Malá Eva";
        QTest::newRow("own, no title") << false << "02"
                                       << "Velký Adam";
        QTest::newRow("own, unknown") << false << "03"
                                      << "";
        QTest::newRow("kinemo") << true << "01"
                                << "MUDr. Malá Eva";
    }
    void workersAreNamedTitleFirst() {
        QFETCH(bool, kinemo);
        QFETCH(QString, kod);
        QFETCH(QString, jmeno);
        if (kinemo) {
            execKL(*dm_, QStringLiteral("delete from Pracov"));
            zKinema();
        }
        QCOMPARE(dm_->JmenoPracovnika(kod).value_or(QString()), jmeno);
    }

    void clientsByIdentifierOrBirthNumber_data() {
        QTest::addColumn<bool>("kinemo");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("jmeno"); // empty: nobody
        QTest::newRow("identifier") << false << "11"
                                    << "NOVÁKOVÁ Jana Ing.";
        QTest::newRow("identifier with mask blanks") << false << "12        "
                                                     << "DVOŘÁK Petr ";
        QTest::newRow("ten-digit birth number") << false << "8551011234"
                                                << "NOVÁKOVÁ Jana Ing.";
        QTest::newRow("nine-digit birth number") << false << "535228123"
                                                 << "DVOŘÁK Petr ";
        QTest::newRow("cut to 30") << false << "14"
                                   << "VELMIDLOUHÉPŘÍJMENÍ Maxmiliána";
        QTest::newRow("unknown identifier") << false << "99"
                                            << "";
        QTest::newRow("empty names nobody") << false << ""
                                            << "";
        QTest::newRow("blanks name nobody") << false << "          "
                                            << "";
        QTest::newRow("kinemo: short text is a birth number") << true << "11"
                                                              << "";
        QTest::newRow("kinemo: birth number") << true << "535228123"
                                              << "DVOŘÁK Petr ";
    }
    void clientsByIdentifierOrBirthNumber() {
        QFETCH(bool, kinemo);
        QFETCH(QString, text);
        QFETCH(QString, jmeno);
        if (kinemo)
            zKinema();
        QCOMPARE(dm_->JmenoKlienta(text).value_or(QString()), jmeno);
    }

    // What a user can type or paste into a code field reaches the database only as a value.
    void aTypedTextNeverAltersAStatement_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("quote") << "0'1";
        QTest::newRow("or 1=1") << "' or '1'='1";
        QTest::newRow("identifier with sql") << "1 or 1=1";
        QTest::newRow("statement") << "1; delete from Objekt";
        QTest::newRow("comment") << "00001'--";
    }
    void aTypedTextNeverAltersAStatement() {
        QFETCH(QString, text);
        QVERIFY(!dm_->NajdiPracoviste(text));
        QVERIFY(!dm_->JmenoPracovnika(text));
        QVERIFY(!dm_->JmenoKlienta(text));
        QCOMPARE(scalarKL(*dm_, QStringLiteral("select count(*) from Objekt")).toInt(), 2);
        QCOMPARE(scalarKL(*dm_, QStringLiteral("select count(*) from Pacienti")).toInt(), 4);
    }
};

QTEST_MAIN(TestVyhledani)
#include "tst_vyhledani.moc"
