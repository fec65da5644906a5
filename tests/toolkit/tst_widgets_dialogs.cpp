#include "support/tk_TestEnv.h"
#include "toolkit/core/Errors.h"
#include "toolkit/widgets/WidgetDialogs.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace tk;

namespace {

// Runs `answer` on the modal dialog as soon as it is up.
void whenModal(std::function<void(QWidget*)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            answer(modal);
        }
    });
    timer->start();
}

class Thrower : public QObject {
public:
    std::function<void()> onEvent;
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User)
            onEvent();
        return QObject::event(e);
    }
};

} // namespace

class TestWidgetDialogs : public QObject {
    Q_OBJECT

    tktest::TestDialogs* recorder = nullptr;

private Q_SLOTS:
    void init() {
        recorder = &tktest::installTestEnvironment();
        QApplication::setApplicationDisplayName(QStringLiteral("Kalendo"));
    }

    void fileFiltersInQtsForm_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("qt");
        QTest::newRow("one pair") << QString::fromUtf8("Záloha dat *.bak|*.bak")
                                  << QString::fromUtf8("Záloha dat *.bak (*.bak)");
        QTest::newRow("two pairs, several patterns") << "Texty|*.txt;*.ini|Vše|*.*"
                                                     << "Texty (*.txt *.ini);;Vše (*.*)";
        QTest::newRow("already Qt's form") << "Obrázky (*.jpg)"
                                           << "Obrázky (*.jpg)";
        QTest::newRow("empty") << ""
                               << "";
    }

    void fileFiltersInQtsForm() {
        QFETCH(QString, filter);
        QFETCH(QString, qt);
        QCOMPARE(qtFileFilter(filter), qt);
    }

    void messageShowsTextIconAndTheApplicationsCaption() {
        WidgetDialogs d;
        QString caption, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttons = 0;
        whenModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QVERIFY(box);
            caption = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = int(box->buttons().size());
            QTest::keyClick(box, Qt::Key_Return);
        });
        d.message(QStringLiteral("První řádek\r\nDruhý"), MessageIcon::Error, QString());
        QCOMPARE(caption, QStringLiteral("Kalendo"));
        QCOMPARE(text, QStringLiteral("První řádek\nDruhý"));
        QCOMPARE(icon, QMessageBox::Critical);
        QCOMPARE(buttons, 1);
    }

    void questionReturnTakesTheDefaultButton_data() {
        QTest::addColumn<bool>("defaultNo");
        QTest::newRow("No is the default") << true;
        QTest::newRow("Yes is the default") << false;
    }

    void questionReturnTakesTheDefaultButton() {
        QFETCH(bool, defaultNo);
        WidgetDialogs d;
        QString caption;
        whenModal([&](QWidget* w) {
            caption = w->windowTitle();
            QTest::keyClick(w, Qt::Key_Return);
        });
        QCOMPARE(d.question(QStringLiteral("Smazat?"), defaultNo, QStringLiteral("Pozor")), !defaultNo);
        QCOMPARE(caption, QStringLiteral("Pozor"));
        // Esc always answers No.
        whenModal([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
        QVERIFY(!d.question(QStringLiteral("Smazat?"), defaultNo, QString()));
    }

    void saveProposesTheNameInTheFolder() {
        QTemporaryDir dir;
        WidgetDialogs d;
        whenModal([](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            QVERIFY(dialog);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        const QString chosen =
            d.saveFile(QStringLiteral("Záloha"), QStringLiteral("Záloha dat *.bak|*.bak"), dir.path(),
                       QStringLiteral("Kalendo_261210_1000"), QStringLiteral("bak"));
        QCOMPARE(chosen, QDir(dir.path()).filePath(QStringLiteral("Kalendo_261210_1000.bak")));
        whenModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
        QCOMPARE(d.saveFile(QStringLiteral("Záloha"), QString(), dir.path(), QStringLiteral("x"), QString()),
                 QString());
    }

    void noExceptionLeavesTheEventLoop() {
        Thrower target;
        target.onEvent = [] { throw DatabaseError(QStringLiteral("Chyba serveru")); };
        QEvent e(QEvent::User);
        QCoreApplication::sendEvent(&target, &e);
        QCOMPARE(recorder->texts(), QStringList{QStringLiteral("Chyba serveru")});
        QCOMPARE(recorder->shown().front().icon, MessageIcon::Error);

        target.onEvent = [] { tk::abort(); };
        QCoreApplication::sendEvent(&target, &e);
        QCOMPARE(recorder->texts().size(), 1); // the silent abort shows nothing

        // A queued call that throws ends in the report too.
        QTimer::singleShot(0, [] { throw std::runtime_error("jiná chyba"); });
        QTRY_COMPARE(recorder->texts().size(), 2);
        QCOMPARE(recorder->last(), QStringLiteral("jiná chyba"));
    }
};

int main(int argc, char** argv) {
    tk::Application app(argc, argv);
    TestWidgetDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_widgets_dialogs.moc"
