#pragma once

#include <QString>
#include <map>

namespace tk {

// A settings file read with private-profile semantics: a missing file, section or key gives the default,
// a key that is present with an empty value gives the empty text; section and key names match without
// regard to case. The file is read once when opened and never written.
class IniFile {
public:
    explicit IniFile(const QString& path);
    QString fileName() const { return path_; }
    bool exists() const { return exists_; }
    QString readString(const QString& section, const QString& key, const QString& defaultValue) const;

private:
    QString path_;
    bool exists_ = false;
    std::map<QString, QString> values_; // "section\nkey" in lower case -> value
};

} // namespace tk
