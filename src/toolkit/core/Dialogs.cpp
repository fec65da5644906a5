#include "Dialogs.h"

#include <QDebug>

namespace tk {

namespace {

// Until a window layer installs real dialogs, texts go to the log and questions are answered No.
class LogDialogs : public Dialogs {
public:
    void message(const QString& text, MessageIcon, const QString&) override { qWarning().noquote() << text; }
    bool question(const QString& text, bool, const QString&) override {
        qWarning().noquote() << text;
        return false;
    }
    QString openFile(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&, const QString&, const QString&,
                     const QString&) override {
        return {};
    }
};

std::unique_ptr<Dialogs>& slot() {
    static std::unique_ptr<Dialogs> s = std::make_unique<LogDialogs>();
    return s;
}

} // namespace

Dialogs& dialogs() {
    return *slot();
}

void setDialogs(std::unique_ptr<Dialogs> dialogs) {
    slot() = dialogs ? std::move(dialogs) : std::make_unique<LogDialogs>();
}

} // namespace tk
