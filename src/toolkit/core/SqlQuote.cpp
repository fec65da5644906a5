#include "SqlQuote.h"

namespace tk {

QString sqlText(const QString& value) {
    QString body = value;
    // A NUL would end the text for some drivers; a doubled quote is a quote inside the literal.
    body.remove(QChar(0));
    body.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + body + QLatin1Char('\'');
}

QString sqlInteger(const QString& value) {
    const QString t = value.trimmed();
    if (t.isEmpty() || t.size() > 18)
        return QStringLiteral("NULL");
    for (QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return QStringLiteral("NULL");
    return t;
}

QString sqlInteger(long long value) {
    return QString::number(value);
}

} // namespace tk
