// The build's check that the data layer includes no window header: it passes on the real folder and
// fails, naming the file, on a folder where a data file reaches a window.

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestVrstvy : public QObject {
    Q_OBJECT

    static int check(const QString& folder, QString* output = nullptr) {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(QStringLiteral(KALENDO_CMAKE), {QStringLiteral("-DDATA_DIR=") + folder, QStringLiteral("-P"),
                                                QStringLiteral(KALENDO_CHECK_SCRIPT)});
        if (!p.waitForFinished(60000))
            return -1;
        if (output)
            *output = QString::fromUtf8(p.readAll());
        return p.exitCode();
    }

private Q_SLOTS:
    void theDataFolderPasses() { QCOMPARE(check(QStringLiteral(KALENDO_DATA_DIR)), 0); }

    void aWindowHeaderFailsTheBuild_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("refused");
        QTest::newRow("main window") << "#include \"app/FoKL.h\"" << true;
        QTest::newRow("a panel") << "#include \"overview/PanelSeznamu.h\"" << true;
        QTest::newRow("a code list") << "  #  include \"codelists/FoNapovedaP.h\"" << true;
        QTest::newRow("the detail") << "#include <editing/PanelDetailu.h>" << true;
        QTest::newRow("data-aware widgets") << "#include \"toolkit/widgets/DBGrid.h\"" << true;
        QTest::newRow("Qt widgets") << "#include <QWidget>" << true;
        QTest::newRow("Qt widgets module") << "#include <QtWidgets/QLabel>" << true;
        QTest::newRow("toolkit core") << "#include \"toolkit/core/Dataset.h\"" << false;
        QTest::newRow("data") << "#include \"data/Vyber.h\"" << false;
        QTest::newRow("Qt core") << "#include <QString>" << false;
    }
    void aWindowHeaderFailsTheBuild() {
        QFETCH(QString, line);
        QFETCH(bool, refused);
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("Pravidlo.cpp")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write((QStringLiteral("#include \"DmKL.h\"\n") + line + QStringLiteral("\nint x = 0;\n")).toUtf8());
        f.close();
        QString output;
        const int rc = check(dir.path(), &output);
        QCOMPARE(rc != 0, refused);
        if (refused)
            QVERIFY2(output.contains(QStringLiteral("Pravidlo.cpp")), qPrintable(output));
    }
};

QTEST_GUILESS_MAIN(TestVrstvy)
#include "tst_vrstvy.moc"
