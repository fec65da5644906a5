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

#include "toolkit/core/Dialogs.h"

namespace {

bool jenCislice(const QString& text) {
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

// A ten-digit number is a multiple of 11; the numbers issued before 1985 (born 1954 to 1984) whose first
// nine digits leave the remainder 10 end in 0 instead.
bool platneDesetimistne(const QString& rc) {
    if (rc.toLongLong() % 11 == 0)
        return true;
    const int rok = rc.left(2).toInt();
    return rok >= 54 && rok <= 84 && rc.left(9).toLongLong() % 11 == 10 && rc.at(9) == QLatin1Char('0');
}

} // namespace

void KontrolaRC(const QString& Text, bool Show, bool& Error) {
    const QString rc = BezMezer(Text);
    if (rc.isEmpty())
        return;
    if (!jenCislice(rc)) {
        tk::dialogs().message(QStringLiteral("Toto není tvar RČ"));
        return;
    }
    const qsizetype delka = rc.size();
    const bool chybne = (delka == 10 && !platneDesetimistne(rc)) || (delka == 9 && rc.left(2).toInt() > 53) ||
                        (delka >= 5 && delka <= 8);
    if (chybne && Show)
        tk::dialogs().message(QStringLiteral("Chybné RČ"));
    Error = chybne;
}
