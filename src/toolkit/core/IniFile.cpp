#include "IniFile.h"

#include <QFile>
#include <QStringDecoder>
#include <ini.h>

namespace tk {

namespace {

QString keyOf(const QString& section, const QString& key) {
    return section.trimmed().toLower() + QLatin1Char('\n') + key.trimmed().toLower();
}

int onEntry(void* user, const char* section, const char* name, const char* value) {
    auto* values = static_cast<std::map<QString, QString>*>(user);
    // The first occurrence of a key counts; continuation lines of a value are not a thing here.
    values->emplace(keyOf(QString::fromUtf8(section), QString::fromUtf8(name)), QString::fromUtf8(value));
    return 1;
}

} // namespace

IniFile::IniFile(const QString& path) : path_(path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    exists_ = true;
    QByteArray bytes = file.readAll();
    // The sibling program writes the file in the Czech ANSI code page; a file that is valid UTF-8 (edited
    // by hand, or written by a newer tool) is kept as UTF-8.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError()) {
        QStringDecoder cp1250("windows-1250");
        text = cp1250.isValid() ? cp1250(bytes) : QString::fromLatin1(bytes);
    }
    ini_parse_string(text.toUtf8().constData(), &onEntry, &values_);
}

QString IniFile::readString(const QString& section, const QString& key, const QString& defaultValue) const {
    const auto it = values_.find(keyOf(section, key));
    return it == values_.end() ? defaultValue : it->second;
}

} // namespace tk
