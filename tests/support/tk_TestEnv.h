#pragma once

#include "toolkit/core/Clock.h"
#include "toolkit/core/Dialogs.h"

#include <QStringList>
#include <deque>

namespace tktest {

// Dialogs that record every text they would have shown and answer from queues set by the test just
// before the action that asks. An unanswered question is answered No; an unanswered file dialog is
// cancelled.
class TestDialogs : public tk::Dialogs {
public:
    struct Shown {
        QString text;
        tk::MessageIcon icon;
        QString caption;
        bool isQuestion;
    };

    void message(const QString& text, tk::MessageIcon icon, const QString& caption) override;
    bool question(const QString& text, bool defaultNo, const QString& caption) override;
    QString openFile(const QString& title, const QString& filter, const QString& folder) override;
    QString saveFile(const QString& title, const QString& filter, const QString& folder,
                     const QString& proposedName, const QString& defaultSuffix) override;

    void answerNext(bool yes) { answers_.push_back(yes); }
    void fileNext(const QString& path) { files_.push_back(path); }
    // Texts of every box shown so far (messages and questions), in order.
    QStringList texts() const;
    const std::vector<Shown>& shown() const { return shown_; }
    QString last() const { return shown_.empty() ? QString() : shown_.back().text; }
    void clear() { shown_.clear(); }
    QString lastProposedName;
    // What the last file dialog was opened with.
    QString lastTitle, lastFilter, lastFolder, lastSuffix;

private:
    std::vector<Shown> shown_;
    std::deque<bool> answers_;
    std::deque<QString> files_;
};

// Does not sleep; counts what was asked.
class TestWaiter : public tk::Waiter {
public:
    void processEvents() override { ++processed; }
    void wait(int milliseconds) override { waited += milliseconds; }
    int processed = 0;
    int waited = 0;
};

// Installs the test doubles: Czech locale, a fixed clock at `now` (default 10.12.2026 10:00), recording
// dialogs and a waiter that does not sleep. Returns the dialogs for the test to answer and inspect.
TestDialogs& installTestEnvironment();
tk::FixedClock& testClock();
TestWaiter& testWaiter();

} // namespace tktest
