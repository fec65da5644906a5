#include "toolkit/core/IniFile.h"

#include <QTemporaryDir>
#include <QtTest>

class TestIniFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void privateProfileSemantics_data() {
        QTest::addColumn<QString>("content"); // empty: no file at all
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const QString file = QStringLiteral("[Connect]\r\nUser=sa\r\nPsw=\r\nDataSource = .\\KINEMO \r\n"
                                            "[Other]\r\nUser=other\r\nUser=second\r\n");
        QTest::newRow("missing file") << QString() << "Connect"
                                      << "User"
                                      << "<default>";
        QTest::newRow("missing section") << file << "Nothing"
                                         << "User"
                                         << "<default>";
        QTest::newRow("missing key") << file << "Connect"
                                     << "IdPc"
                                     << "<default>";
        QTest::newRow("empty key") << file << "Connect"
                                   << "Psw"
                                   << "";
        QTest::newRow("present key") << file << "Connect"
                                     << "User"
                                     << "sa";
        QTest::newRow("other case") << file << "CONNECT"
                                    << "user"
                                    << "sa";
        QTest::newRow("blanks around the value") << file << "connect"
                                                 << "DATASOURCE"
                                                 << ".\\KINEMO";
        QTest::newRow("first of two") << file << "Other"
                                      << "User"
                                      << "other";
    }

    void privateProfileSemantics() {
        QFETCH(QString, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Kinemo.INI"));
        if (!content.isEmpty()) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content.toUtf8());
        }
        const tk::IniFile ini(path);
        QCOMPARE(ini.exists(), !content.isEmpty());
        QCOMPARE(ini.readString(section, key, QStringLiteral("<default>")), expected);
    }

    // Stations on Czech Windows write the file in their ANSI code page; one edited by a newer tool is UTF-8.
    void encodingOfTheFile_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("dataSource");
        QTest::addColumn<QString>("password");
        const QString sklad = QStringLiteral("Sklad Ústí");
        const QString heslo = QStringLiteral("tři");
        QTest::newRow("cp1250") << QByteArray("[Connect]\r\nDataSource=Sklad \xDAst\xED\r\nPsw=t\xF8i\r\n")
                                << sklad << heslo;
        QTest::newRow("utf-8") << (QStringLiteral("[Connect]\r\nDataSource=") + sklad +
                                   QStringLiteral("\r\nPsw=") + heslo + QStringLiteral("\r\n"))
                                      .toUtf8()
                               << sklad << heslo;
        QTest::newRow("plain ascii") << QByteArray("[Connect]\nDataSource=srv\nPsw=abc\n")
                                     << QStringLiteral("srv") << QStringLiteral("abc");
    }

    void encodingOfTheFile() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, dataSource);
        QFETCH(QString, password);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Kinemo.INI"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        const tk::IniFile ini(path);
        QCOMPARE(ini.readString(QStringLiteral("Connect"), QStringLiteral("DataSource"), QString()),
                 dataSource);
        QCOMPARE(ini.readString(QStringLiteral("Connect"), QStringLiteral("Psw"), QString()), password);
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
