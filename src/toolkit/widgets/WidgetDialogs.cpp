#include "WidgetDialogs.h"

#include "toolkit/core/Errors.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace tk {

namespace {

QString captionOr(const QString& caption) {
    if (!caption.isEmpty())
        return caption;
    const QString name = QGuiApplication::applicationDisplayName();
    return name.isEmpty() ? QCoreApplication::applicationName() : name;
}

// Texts carry the system's "\r\n" line breaks; Qt's boxes break at "\n" only.
QString boxText(const QString& text) {
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return out;
}

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

void WidgetDialogs::message(const QString& text, MessageIcon icon, const QString& caption) {
    QMessageBox box(boxIcon(icon), captionOr(caption), boxText(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

bool WidgetDialogs::question(const QString& text, bool defaultNo, const QString& caption) {
    QMessageBox box(QMessageBox::Question, captionOr(caption), boxText(text),
                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString WidgetDialogs::openFile(const QString& title, const QString& filter, const QString& folder) {
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, folder, qtFileFilter(filter));
}

QString WidgetDialogs::saveFile(const QString& title, const QString& filter, const QString& folder,
                                const QString& proposedName, const QString& defaultSuffix) {
    QFileDialog dialog(QApplication::activeWindow(), title, folder, qtFileFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(defaultSuffix);
    if (!proposedName.isEmpty())
        dialog.selectFile(folder.isEmpty() ? proposedName : QDir(folder).filePath(proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportException(std::current_exception());
        return false;
    }
}

QString qtFileFilter(const QString& filter) {
    if (!filter.contains(QLatin1Char('|')))
        return filter;
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            pattern = pattern.trimmed();
        entries << QStringLiteral("%1 (%2)").arg(parts[i].trimmed(), patterns.join(QLatin1Char(' ')));
    }
    // A description without patterns names its own pattern.
    if (parts.size() % 2 == 1 && !parts.last().trimmed().isEmpty())
        entries << parts.last().trimmed();
    return entries.join(QStringLiteral(";;"));
}

} // namespace tk
