#include "EditMask.h"

namespace tk {

namespace {
bool isInput(QChar c) {
    return QStringLiteral("90#LlAaCc").contains(c);
}
bool isDigitSlot(QChar c) {
    return c == QLatin1Char('9') || c == QLatin1Char('0') || c == QLatin1Char('#');
}
bool isLetterSlot(QChar c) {
    return c == QLatin1Char('L') || c == QLatin1Char('l');
}
} // namespace

EditMask::EditMask(const QString& mask) : mask_(mask) {
    // The last two ';' parts are the stored-literals flag and the blank, when present.
    QString body = mask;
    const int last = body.lastIndexOf(QLatin1Char(';'));
    if (last >= 0 && last == body.size() - 2) {
        blank_ = body.at(last + 1);
        body.truncate(last);
        const int prev = body.lastIndexOf(QLatin1Char(';'));
        if (prev >= 0 && prev == body.size() - 2) {
            storeLiterals_ = body.at(prev + 1) != QLatin1Char('0');
            body.truncate(prev);
        }
    } else if (last >= 0 && last == body.size() - 1) {
        body.truncate(last);
    }
    body_ = body;
    int caseMode = 0;
    for (int i = 0; i < body.size(); ++i) {
        const QChar c = body.at(i);
        if (c == QLatin1Char('<') && i + 1 < body.size() && body.at(i + 1) == QLatin1Char('>')) {
            caseMode = 0;
            ++i;
        } else if (c == QLatin1Char('>')) {
            caseMode = 1;
        } else if (c == QLatin1Char('<')) {
            caseMode = -1;
        } else if (c == QLatin1Char('!')) {
            // leading-blank handling has no effect here
        } else if (c == QLatin1Char('\\') && i + 1 < body.size()) {
            slots_.append({true, body.at(++i), caseMode});
        } else if (isInput(c)) {
            slots_.append({false, c, caseMode});
        } else {
            slots_.append({true, c, caseMode});
        }
    }
}

int EditMask::positions() const {
    return int(slots_.size());
}

QString EditMask::qtInputMask() const {
    if (isEmpty())
        return {};
    static const QString qtMeta = QStringLiteral("AaNnXx90Dd#HhBb><!;[]{}\\");
    QString out;
    int caseMode = 0;
    for (const Slot& s : slots_) {
        if (s.caseMode != caseMode) {
            out += s.caseMode > 0 ? QLatin1Char('>') : s.caseMode < 0 ? QLatin1Char('<') : QLatin1Char('!');
            caseMode = s.caseMode;
        }
        if (s.literal) {
            if (qtMeta.contains(s.ch))
                out += QLatin1Char('\\');
            out += s.ch;
            continue;
        }
        // Every position is optional on the screen: a required position is checked on posting.
        switch (s.ch.toLatin1()) {
        case '9':
        case '0':
            out += QLatin1Char('0');
            break;
        case '#':
            out += QLatin1Char('#');
            break;
        case 'L':
        case 'l':
            out += QLatin1Char('a');
            break;
        case 'A':
        case 'a':
            out += QLatin1Char('n');
            break;
        default:
            out += QLatin1Char('x');
            break;
        }
    }
    out += QLatin1Char(';');
    out += blank_;
    return out;
}

QString EditMask::display(const QString& stored) const {
    if (isEmpty())
        return stored;
    QString out;
    int k = 0;
    for (const Slot& s : slots_) {
        if (s.literal) {
            out += s.ch;
            if (storeLiterals_ && k < stored.size())
                ++k;
            continue;
        }
        QChar c = k < stored.size() ? stored.at(k++) : blank_;
        if (c == QLatin1Char(' '))
            c = blank_;
        else if ((isDigitSlot(s.ch) && !c.isDigit() &&
                  !(s.ch == QLatin1Char('#') && (c == QLatin1Char('+') || c == QLatin1Char('-')))) ||
                 (isLetterSlot(s.ch) && !c.isLetter()))
            c = blank_;
        else if (s.caseMode > 0)
            c = c.toUpper();
        else if (s.caseMode < 0)
            c = c.toLower();
        out += c;
    }
    return out;
}

QString EditMask::value(const QString& shown) const {
    if (isEmpty())
        return shown;
    QString out;
    for (int i = 0; i < slots_.size(); ++i) {
        const Slot& s = slots_.at(i);
        const QChar c = i < shown.size() ? shown.at(i) : blank_;
        if (s.literal) {
            if (storeLiterals_)
                out += s.ch;
            continue;
        }
        out += c == blank_ ? QLatin1Char(' ') : c;
    }
    // Unfilled positions at the end leave nothing behind unless literals are stored with the value, where
    // the stored text keeps its full width.
    if (!storeLiterals_) {
        while (out.endsWith(QLatin1Char(' ')))
            out.chop(1);
    }
    return out;
}

} // namespace tk
