#include "data/Vyber.h"
#include "support/tk_TestEnv.h"

#include <QtTest>

Q_DECLARE_METATYPE(Vyber)

// The list query as SQL Server receives it, line for line, and the universal button's rules.
class TestSeznamSql : public QObject {
    Q_OBJECT

    static Vyber base() {
        Vyber v;
        v.datum = QDate(2026, 12, 9); // a Wednesday
        v.objKod = QStringLiteral("00001");
        v.rcpText = QStringLiteral("8551011234");
        v.kprKod = QStringLiteral("07");
        return v;
    }

private Q_SLOTS:
    void initTestCase() { tktest::installTestEnvironment(); }

    void sqlServerLines_data() {
        QTest::addColumn<Vyber>("vyber");
        QTest::addColumn<int>("rezim");
        QTest::addColumn<QStringList>("middle"); // lines between "where 1=1" and "order by"
        const QString hide = QStringLiteral("and RCPacienta not in('1','2','3','4')");
        const QString occupied = QStringLiteral("and JmenoPac<>' '");
        Vyber v = base();
        QTest::newRow("day, occupied")
            << v << 0 << QStringList{"and convert(varchar(10),DatumCas,112)='20261209'", hide, occupied};
        v.obdobi = Obdobi::Tyden;
        QTest::newRow("week") << v << 0
                              << QStringList{"and DatumCas>convert(datetime,'20261209',112)+1-3",
                                             "and DatumCas<convert(datetime,'20261209',112)+8-3", hide,
                                             occupied};
        v.obdobi = Obdobi::Mesic;
        QTest::newRow("month") << v << 0
                               << QStringList{"and convert(varchar(2),DatePart(Month,DatumCas))='12'",
                                              "and convert(varchar(4),DatePart(Year,DatumCas))='2026'", hide,
                                              occupied};
        v.obdobi = Obdobi::Rok;
        QTest::newRow("year") << v << 0
                              << QStringList{"and convert(varchar(4),DatePart(Year,DatumCas))='2026'", hide,
                                             occupied};
        v.obdobi = Obdobi::Vse;
        v.zobrazeni = Zobrazeni::Volne;
        QTest::newRow("all, free") << v << 0 << QStringList{hide, "and JmenoPac= ' '"};
        v.zobrazeni = Zobrazeni::Vse;
        QTest::newRow("all, everything") << v << 0 << QStringList{hide};

        Vyber d = base();
        d.obj = true;
        d.objNazvano = true;
        d.zobrazeni = Zobrazeni::Vse;
        QTest::newRow("workplace-day keeps the markers")
            << d << 1
            << QStringList{"and convert(varchar(10),DatumCas,112)='20261209'", "and Objekt='00001'"};
        d.kpr = true;
        QTest::newRow("workplace and worker")
            << d << 0
            << QStringList{"and convert(varchar(10),DatumCas,112)='20261209'", hide, "and Objekt='00001'",
                           "and KodPrac='07'"};

        Vyber k = base();
        k.obdobi = Obdobi::Vse;
        k.rcp = true;
        k.rcpNazvano = true;
        QTest::newRow("client printing mode, current")
            << k << 4
            << QStringList{"and Ceiling(Cast(DatumCas as float))>=Ceiling(Cast(GetDate() as float))", hide,
                           "and RCPacienta='8551011234'", occupied};
        QTest::newRow("client, not in the client mode")
            << k << 0 << QStringList{hide, "and RCPacienta='8551011234'", occupied};
        k.zobrazeni = Zobrazeni::Vse;
        QTest::newRow("client printing mode, all")
            << k << 4 << QStringList{hide, "and RCPacienta='8551011234'"};

        Vyber q = base();
        q.obj = true;
        q.objKod = QStringLiteral("0'; delete from Reserve;--");
        q.zobrazeni = Zobrazeni::Vse;
        QTest::newRow("a quote stays inside its literal")
            << q << 0
            << QStringList{"and convert(varchar(10),DatumCas,112)='20261209'",
                           "and Objekt='0''; delete from Reserve;--'"};
    }

    void sqlServerLines() {
        QFETCH(Vyber, vyber);
        QFETCH(int, rezim);
        QFETCH(QStringList, middle);
        const QStringList expected = QStringList{"select * from Reserve", "where 1=1"} + middle +
                                     QStringList{"order by DatumCas,Doba,Objekt"};
        QCOMPARE(sestavSeznamSql(vyber, rezim, tk::MssqlDialect(), 0), expected);
    }

    void buttonModeRules_data() {
        QTest::addColumn<Vyber>("vyber");
        QTest::addColumn<bool>("empty");
        QTest::addColumn<int>("rezim");
        Vyber v = base();
        QTest::newRow("nothing holds") << v << true << 0;
        v.obj = true;
        QTest::newRow("workplace not named") << v << false << 0;
        v.objNazvano = true;
        QTest::newRow("1: workplace day") << v << false << 2;
        QTest::newRow("1: empty but not Vše") << v << true << 2;
        v.zobrazeni = Zobrazeni::Vse;
        QTest::newRow("4 over 1: empty day with Vše") << v << true << 1;
        QTest::newRow("1: day with rows and Vše") << v << false << 2;
        v.obdobi = Obdobi::Tyden;
        QTest::newRow("week: none") << v << true << 0;
        Vyber p = base();
        p.kpr = true;
        p.kprNazvano = true;
        QTest::newRow("2: worker day") << p << false << 3;
        p.obj = true;
        p.objNazvano = true;
        QTest::newRow("worker and workplace: none") << p << false << 0;
        Vyber k = base();
        k.obdobi = Obdobi::Vse;
        k.rcp = true;
        k.rcpNazvano = true;
        QTest::newRow("3: client") << k << false << 4;
        k.obdobi = Obdobi::Rok;
        QTest::newRow("client in a year: none") << k << false << 0;
    }

    void buttonModeRules() {
        QFETCH(Vyber, vyber);
        QFETCH(bool, empty);
        QFETCH(int, rezim);
        QCOMPARE(urciRezimTlacitka(vyber, empty), rezim);
    }
};

QTEST_GUILESS_MAIN(TestSeznamSql)
#include "tst_seznamsql.moc"
