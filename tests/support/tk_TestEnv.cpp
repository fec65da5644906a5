#include "tk_TestEnv.h"

#include "toolkit/core/DateTime.h"

#include <QLocale>

namespace tktest {

void TestDialogs::message(const QString& text, tk::MessageIcon icon, const QString& caption) {
    shown_.push_back({text, icon, caption, false});
}

bool TestDialogs::question(const QString& text, bool, const QString& caption) {
    shown_.push_back({text, tk::MessageIcon::Question, caption, true});
    if (answers_.empty())
        return false;
    bool yes = answers_.front();
    answers_.pop_front();
    return yes;
}

QString TestDialogs::openFile(const QString& title, const QString& filter, const QString& folder) {
    lastTitle = title;
    lastFilter = filter;
    lastFolder = folder;
    lastSuffix.clear();
    if (files_.empty())
        return {};
    QString f = files_.front();
    files_.pop_front();
    return f;
}

QString TestDialogs::saveFile(const QString& title, const QString& filter, const QString& folder,
                              const QString& proposedName, const QString& defaultSuffix) {
    lastTitle = title;
    lastFilter = filter;
    lastFolder = folder;
    lastSuffix = defaultSuffix;
    lastProposedName = proposedName;
    if (files_.empty())
        return {};
    QString f = files_.front();
    files_.pop_front();
    return f;
}

QStringList TestDialogs::texts() const {
    QStringList out;
    for (const auto& s : shown_)
        out << s.text;
    return out;
}

namespace {
TestDialogs* g_dialogs = nullptr;
tk::FixedClock* g_clock = nullptr;
TestWaiter* g_waiter = nullptr;
} // namespace

TestDialogs& installTestEnvironment() {
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    auto clock = std::make_unique<tk::FixedClock>(tk::encodeDate(2026, 12, 10) + tk::encodeTime(10, 0));
    g_clock = clock.get();
    tk::setClock(std::move(clock));
    auto dialogs = std::make_unique<TestDialogs>();
    g_dialogs = dialogs.get();
    tk::setDialogs(std::move(dialogs));
    auto waiter = std::make_unique<TestWaiter>();
    g_waiter = waiter.get();
    tk::setWaiter(std::move(waiter));
    return *g_dialogs;
}

tk::FixedClock& testClock() {
    return *g_clock;
}
TestWaiter& testWaiter() {
    return *g_waiter;
}

} // namespace tktest
