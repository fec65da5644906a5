#include "Clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cmath>

namespace tk {

TDateTime Clock::today() const {
    return std::floor(now());
}

namespace {

class SystemClock : public Clock {
public:
    TDateTime now() const override { return fromDateTime(QDateTime::currentDateTime()); }
};

class RealWaiter : public Waiter {
public:
    void processEvents() override { QCoreApplication::processEvents(); }
    void wait(int milliseconds) override {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < milliseconds) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            QThread::msleep(10);
        }
    }
};

std::unique_ptr<Clock>& clockSlot() {
    static std::unique_ptr<Clock> slot = std::make_unique<SystemClock>();
    return slot;
}

std::unique_ptr<Waiter>& waiterSlot() {
    static std::unique_ptr<Waiter> slot = std::make_unique<RealWaiter>();
    return slot;
}

} // namespace

Clock& clock() {
    return *clockSlot();
}

void setClock(std::unique_ptr<Clock> clock) {
    clockSlot() = clock ? std::move(clock) : std::make_unique<SystemClock>();
}

Waiter& waiter() {
    return *waiterSlot();
}

void setWaiter(std::unique_ptr<Waiter> waiter) {
    waiterSlot() = waiter ? std::move(waiter) : std::make_unique<RealWaiter>();
}

} // namespace tk
