#include "Kontroly.h"

QString BezMezer(const QString& text) {
    QString out = text;
    out.remove(QLatin1Char(' '));
    return out;
}

QString DoplnNulami(const QString& text, int width) {
    const QString stripped = BezMezer(text);
    if (stripped.size() >= width)
        return stripped;
    return QString(width - stripped.size(), QLatin1Char('0')) + stripped;
}
