#pragma once

#include "DateTime.h"

#include <memory>

namespace tk {

// Today and now; tests install a fixed clock.
class Clock {
public:
    virtual ~Clock() = default;
    virtual TDateTime now() const = 0;
    TDateTime today() const;
};

Clock& clock();
void setClock(std::unique_ptr<Clock> clock); // nullptr restores the system clock

class FixedClock : public Clock {
public:
    explicit FixedClock(TDateTime now) : now_(now) {}
    TDateTime now() const override { return now_; }
    void set(TDateTime now) { now_ = now; }

private:
    TDateTime now_;
};

// Waiting and letting pending window messages paint; tests install a waiter that does not sleep.
class Waiter {
public:
    virtual ~Waiter() = default;
    virtual void processEvents() = 0;
    virtual void wait(int milliseconds) = 0;
};

Waiter& waiter();
void setWaiter(std::unique_ptr<Waiter> waiter); // nullptr restores the real one

} // namespace tk
