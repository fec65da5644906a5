#pragma once

#include "toolkit/core/Dialogs.h"

#include <QApplication>

namespace tk {

// Dialogs as real message boxes and file dialogs. An empty caption shows the application's name.
class WidgetDialogs : public Dialogs {
public:
    void message(const QString& text, MessageIcon icon, const QString& caption) override;
    bool question(const QString& text, bool defaultNo, const QString& caption) override;
    QString openFile(const QString& title, const QString& filter, const QString& folder) override;
    QString saveFile(const QString& title, const QString& filter, const QString& folder,
                     const QString& proposedName, const QString& defaultSuffix) override;
};

// An application whose event delivery keeps exceptions inside: the silent abort ends quietly, every other
// error reaches the general error report.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Filters written as "Záloha dat *.bak|*.bak" (description|patterns, pairs joined by "|", patterns
// separated by ";") turned into Qt's "Záloha dat *.bak (*.bak)" (pairs joined by ";;").
QString qtFileFilter(const QString& filter);

} // namespace tk
