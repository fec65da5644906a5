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
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
