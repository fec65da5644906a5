#include "support/tk_TestEnv.h"
#include "toolkit/core/DateTime.h"
#include "toolkit/core/EditMask.h"
#include "toolkit/core/Field.h"

#include <QtTest>

using namespace tk;

class TestDateTime : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { tktest::installTestEnvironment(); }

    void dayCountsAndFractions() {
        QCOMPARE(fromDate(QDate(1899, 12, 30)), 0.0);
        QCOMPARE(encodeDate(2026, 12, 10), 46366.0);
        QCOMPARE(encodeTime(14, 30), 14.0 / 24 + 30.0 / 1440);
        const TDateTime t = encodeDate(2026, 12, 10) + encodeTime(23, 59);
        QCOMPARE(toDateTime(t), QDateTime(QDate(2026, 12, 10), QTime(23, 59), Qt::UTC));
        QCOMPARE(dateOf(t), encodeDate(2026, 12, 10));
        QCOMPARE(dayOfWeekMonday(encodeDate(2026, 12, 7)), 1);
        QCOMPARE(dayOfWeekMonday(encodeDate(2026, 12, 13)), 7);
        // A sum of day fractions that lands a hair below the minute still shows that minute.
        QCOMPARE(formatDateTime(QStringLiteral("hh:nn"), encodeTime(7, 0) + 9 * 30 * kMinute),
                 QStringLiteral("11:30"));
    }

    void formatsInTheCzechLocale_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("text");
        QTest::newRow("list") << "ddd dd.mm.yyyy  hh:nn"
                              << "čt 10.12.2026  08:05";
        QTest::newRow("time") << "hh:nn"
                              << "08:05";
        QTest::newRow("date") << "dd.mm.yyyy"
                              << "10.12.2026";
        QTest::newRow("sortable") << "yyyymmdd"
                                  << "20261210";
        QTest::newRow("short") << "d.m.yy h:n"
                               << "10.12.26 8:5";
        QTest::newRow("long names") << "dddd d. mmmm"
                                    << "čtvrtek 10. prosinec";
    }

    void formatsInTheCzechLocale() {
        QFETCH(QString, format);
        QFETCH(QString, text);
        QCOMPARE(formatDateTime(format, encodeDate(2026, 12, 10) + encodeTime(8, 5)), text);
    }

    void parsesTypedDatesAndTimes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("date and time")
            << "26.5.2021 14:30" << true << encodeDate(2021, 5, 26) + encodeTime(14, 30);
        QTest::newRow("with day name")
            << "čt 10.12.2026  08:05" << true << encodeDate(2026, 12, 10) + encodeTime(8, 5);
        QTest::newRow("seconds") << "10.12.2026 08:05:30" << true
                                 << encodeDate(2026, 12, 10) + encodeTime(8, 5, 30);
        QTest::newRow("date only") << "1.1.2027" << true << encodeDate(2027, 1, 1);
        QTest::newRow("31 November") << "31.11.2026" << false << 0.0;
        QTest::newRow("hour 24") << "10.12.2026 24:00" << false << 0.0;
        QTest::newRow("letters") << "zítra" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
    }

    void parsesTypedDatesAndTimes() {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);
        TDateTime out = -1;
        QCOMPARE(parseDateTime(text, out), ok);
        if (ok)
            QCOMPARE(out, value);
    }

    void editMasks_data() {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("value");
        QTest::newRow("worker code, literals stored") << "99;1; "
                                                      << "05"
                                                      << "05"
                                                      << "5 "
                                                      << "5 ";
        QTest::newRow("postcode without its blank") << "999 99;0; "
                                                    << "11000"
                                                    << "110 00"
                                                    << "110 00"
                                                    << "11000";
        QTest::newRow("birth number, partly typed") << "9999999999;0; "
                                                    << "123"
                                                    << "123       "
                                                    << "123       "
                                                    << "123";
        QTest::newRow("surname upper case") << ">llllll;0; "
                                            << "novák"
                                            << "NOVÁK "
                                            << "NOVÁK "
                                            << "NOVÁK";
        QTest::newRow("given name capitalised") << ">l<lllll;0; "
                                                << "JANA"
                                                << "Jana  "
                                                << "Jana  "
                                                << "Jana";
        QTest::newRow("digits only") << "999;0; "
                                     << "1a2"
                                     << "1 2"
                                     << "1 2"
                                     << "1 2";
    }

    void editMasks() {
        QFETCH(QString, mask);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QFETCH(QString, typed);
        QFETCH(QString, value);
        const EditMask m(mask);
        QCOMPARE(m.display(stored), shown);
        QCOMPARE(m.value(typed), value);
    }

    void qtInputMasks() {
        QCOMPARE(EditMask(QStringLiteral("99;1; ")).qtInputMask(), QStringLiteral("00; "));
        QCOMPARE(EditMask(QStringLiteral("999 99;0; ")).qtInputMask(), QStringLiteral("000 00; "));
        QCOMPARE(EditMask(QStringLiteral(">l<ll;0; ")).qtInputMask(), QStringLiteral(">a<aa; "));
    }

    void numberFormats() {
        QCOMPARE(formatNumber(QStringLiteral("00"), 5), QStringLiteral("05"));
        QCOMPARE(formatNumber(QStringLiteral("00"), 23), QStringLiteral("23"));
        QCOMPARE(formatNumber(QStringLiteral("0.00"), 1.5), QStringLiteral("1,50"));
    }
};

QTEST_GUILESS_MAIN(TestDateTime)
#include "tst_datetime.moc"
