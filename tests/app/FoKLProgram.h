#pragma once

// The program as its entry builds it, on a temporary installation: the data module, the main window and
// the hidden help window, with the recording dialogs installed. Ending the program is recorded instead
// of quitting the test.

#include "support/KalendoFixture.h"
#include "support/tk_TestEnv.h"

#include "app/FoKL.h"
#include "codelists/FoNapovedaP.h"
#include "data/DmKL.h"
#include "editing/PanelDetailu.h"
#include "overview/PKalendar.h"
#include "overview/PanelSeznamu.h"
#include "overview/PanelVyberu.h"

#include "toolkit/core/Errors.h"
#include "toolkit/widgets/Look.h"

#include <QApplication>
#include <QTest>
#include <memory>

using tk::setTag;
using tk::tagOf;

namespace kltest {

// Lets pending window messages through as the program's own waiter does, without sleeping: the wait
// window takes the activation from the main window and gives it back.
class EventWaiter : public tk::Waiter {
public:
    void processEvents() override { QCoreApplication::processEvents(); }
    void wait(int) override {}
};

class Program {
public:
    explicit Program(ProgramFolder& folder, bool ownWaiter = true) : folder_(folder) {
        if (ownWaiter)
            tk::setWaiter(std::make_unique<EventWaiter>());
        DmKL = new TDmKL(folder.slozkaProgramu());
        window = std::make_unique<TFoKL>(*DmKL, folder.slozkaProgramu());
        window->ukonciProgram = [this] { ++ended; };
        FoNapovedaP = new TFoNapovedaP();
    }
    ~Program() {
        window.reset();
        delete FoNapovedaP;
        delete DmKL;
        DmKL = nullptr;
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    TFoKL& w() { return *window; }

    // The window becomes active: shown the first time, then brought back from another window, as when the
    // user switches to another program and back.
    bool activate() {
        if (!window->isVisible()) {
            window->show();
        } else {
            if (!other_) {
                other_ = std::make_unique<QWidget>();
                other_->resize(100, 100);
            }
            other_->show();
            other_->activateWindow();
            if (!QTest::qWaitForWindowActive(other_.get()))
                return false;
        }
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }

    // Types a password and presses OK.
    void givePassword(const QString& text) {
        window->EdHeslo->clear();
        QTest::keyClicks(window->EdHeslo, text);
        QTest::mouseClick(window->BtOK, Qt::LeftButton);
    }

    std::unique_ptr<TFoKL> window;
    int ended = 0;

private:
    ProgramFolder& folder_;
    std::unique_ptr<QWidget> other_;
};

// A control's place in the main window's working area, whichever panel holds it.
inline QRect vOkne(const QWidget* control) {
    const auto* okno = qobject_cast<const QMainWindow*>(control->window());
    const QWidget* plocha = okno ? okno->centralWidget() : control->window();
    return QRect(control->mapTo(plocha, QPoint(0, 0)), control->size());
}

inline bool menuEnabled(QMenu* menu) {
    return menu->menuAction()->isEnabled();
}

} // namespace kltest
