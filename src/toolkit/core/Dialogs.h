#pragma once

#include <QString>
#include <QStringList>
#include <memory>

namespace tk {

enum class MessageIcon { None, Information, Warning, Error, Question };

// Message boxes and file dialogs. The widget layer installs the real ones; tests install a recorder that
// answers from a queue. Line breaks inside texts are "\r\n" as the system writes them.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A modal box with one OK button.
    virtual void message(const QString& text, MessageIcon icon = MessageIcon::None,
                         const QString& caption = QString()) = 0;
    // A Yes/No question; returns true for Yes. defaultNo makes No the default button.
    virtual bool question(const QString& text, bool defaultNo = true, const QString& caption = QString()) = 0;
    // Open and save dialogs; an empty result means the user cancelled.
    virtual QString openFile(const QString& title, const QString& filter, const QString& folder) = 0;
    virtual QString saveFile(const QString& title, const QString& filter, const QString& folder,
                             const QString& proposedName, const QString& defaultSuffix) = 0;
};

Dialogs& dialogs();
void setDialogs(std::unique_ptr<Dialogs> dialogs);

} // namespace tk
