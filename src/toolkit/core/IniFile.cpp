#include "IniFile.h"

#include <QFile>
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
    // Files written on Windows may be in the ANSI code page; keep UTF-8 when it is valid, else read the
    // bytes as Latin-1 so that no key is lost.
    QString text = QString::fromUtf8(bytes);
    if (text.contains(QChar::ReplacementCharacter))
        text = QString::fromLatin1(bytes);
    ini_parse_string(text.toUtf8().constData(), &onEntry, &values_);
}

QString IniFile::readString(const QString& section, const QString& key, const QString& defaultValue) const {
    const auto it = values_.find(keyOf(section, key));
    return it == values_.end() ? defaultValue : it->second;
}

} // namespace tk
