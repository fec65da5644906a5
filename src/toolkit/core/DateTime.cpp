#include "DateTime.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace tk {

namespace {
const QDate kEpoch(1899, 12, 30);
constexpr qint64 kMsPerDay = 86400000;
} // namespace

TDateTime fromDate(const QDate& date) {
    return date.isValid() ? double(kEpoch.daysTo(date)) : 0.0;
}

TDateTime fromDateTime(const QDateTime& dateTime) {
    if (!dateTime.isValid())
        return 0.0;
    return fromDate(dateTime.date()) + double(dateTime.time().msecsSinceStartOfDay()) / double(kMsPerDay);
}

namespace {
void split(TDateTime value, qint64& days, qint64& ms) {
    qint64 total = std::llround(value * double(kMsPerDay));
    days = total >= 0 ? total / kMsPerDay : -((-total + kMsPerDay - 1) / kMsPerDay);
    ms = total - days * kMsPerDay;
}
} // namespace

QDate toDate(TDateTime value) {
    qint64 days, ms;
    split(value, days, ms);
    return kEpoch.addDays(days);
}

QDateTime toDateTime(TDateTime value) {
    qint64 days, ms;
    split(value, days, ms);
    // Wall-clock time without a zone: the values are what the clinic's clock showed.
    return QDateTime(kEpoch.addDays(days), QTime::fromMSecsSinceStartOfDay(int(ms)), Qt::UTC);
}

TDateTime encodeTime(int hour, int minute, int second) {
    return (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

TDateTime encodeDate(int year, int month, int day) {
    return fromDate(QDate(year, month, day));
}

TDateTime dateOf(TDateTime value) {
    return fromDate(toDate(value));
}

int dayOfWeekMonday(TDateTime value) {
    return toDate(value).dayOfWeek();
}

QString formatDateTime(const QString& format, TDateTime value) {
    const QDateTime dt = toDateTime(value);
    const QDate d = dt.date();
    const QTime t = dt.time();
    const QLocale locale;
    QString out;
    bool lastWasHour = false;
    int i = 0;
    const int n = format.size();
    auto run = [&](QChar c) {
        int k = i;
        while (k < n && format[k].toLower() == c)
            ++k;
        return k - i;
    };
    while (i < n) {
        const QChar c = format[i].toLower();
        if (format[i] == QLatin1Char('"') || format[i] == QLatin1Char('\'')) {
            const QChar quote = format[i];
            int k = i + 1;
            while (k < n && format[k] != quote)
                out += format[k++];
            i = k + 1;
            continue;
        }
        int len = 1;
        if (c == QLatin1Char('d')) {
            len = run(c);
            if (len == 1)
                out += QString::number(d.day());
            else if (len == 2)
                out += QStringLiteral("%1").arg(d.day(), 2, 10, QLatin1Char('0'));
            else if (len == 3)
                out += locale.dayName(d.dayOfWeek(), QLocale::ShortFormat);
            else
                out += locale.dayName(d.dayOfWeek(), QLocale::LongFormat);
            lastWasHour = false;
        } else if (c == QLatin1Char('m')) {
            len = run(c);
            if (lastWasHour && len <= 2) {
                out += len == 1 ? QString::number(t.minute())
                                : QStringLiteral("%1").arg(t.minute(), 2, 10, QLatin1Char('0'));
            } else if (len == 1) {
                out += QString::number(d.month());
            } else if (len == 2) {
                out += QStringLiteral("%1").arg(d.month(), 2, 10, QLatin1Char('0'));
            } else if (len == 3) {
                out += locale.monthName(d.month(), QLocale::ShortFormat);
            } else {
                out += locale.standaloneMonthName(d.month(), QLocale::LongFormat);
            }
            lastWasHour = false;
        } else if (c == QLatin1Char('y')) {
            len = run(c);
            out += len <= 2 ? QStringLiteral("%1").arg(d.year() % 100, 2, 10, QLatin1Char('0'))
                            : QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0'));
            lastWasHour = false;
        } else if (c == QLatin1Char('h')) {
            len = run(c);
            out += len == 1 ? QString::number(t.hour())
                            : QStringLiteral("%1").arg(t.hour(), 2, 10, QLatin1Char('0'));
            lastWasHour = true;
        } else if (c == QLatin1Char('n')) {
            len = run(c);
            out += len == 1 ? QString::number(t.minute())
                            : QStringLiteral("%1").arg(t.minute(), 2, 10, QLatin1Char('0'));
            lastWasHour = false;
        } else if (c == QLatin1Char('s')) {
            len = run(c);
            out += len == 1 ? QString::number(t.second())
                            : QStringLiteral("%1").arg(t.second(), 2, 10, QLatin1Char('0'));
            lastWasHour = false;
        } else if (c == QLatin1Char('z')) {
            len = run(c);
            out += QStringLiteral("%1").arg(t.msec(), 3, 10, QLatin1Char('0'));
        } else {
            out += format[i];
        }
        i += len;
    }
    return out;
}

bool parseDateTime(const QString& text, TDateTime& out) {
    // A leading day name (as the display shows it) is allowed and ignored.
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*(?:\p{L}+\.?\s+)?(?:(\d{1,2})[./](\d{1,2})[./](\d{2,4})?)?\s*(?:(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?\s*$)"));
    const auto m = re.match(text);
    if (!m.hasMatch() || text.trimmed().isEmpty())
        return false;
    double result = 0;
    if (!m.captured(1).isEmpty()) {
        int year = m.captured(3).isEmpty() ? QDate::currentDate().year() : m.captured(3).toInt();
        if (m.captured(3).size() == 2)
            year += 2000;
        const QDate d(year, m.captured(2).toInt(), m.captured(1).toInt());
        if (!d.isValid())
            return false;
        result = fromDate(d);
    }
    if (!m.captured(4).isEmpty()) {
        const int h = m.captured(4).toInt(), mi = m.captured(5).toInt(), s = m.captured(6).toInt();
        if (h > 23 || mi > 59 || s > 59)
            return false;
        result += encodeTime(h, mi, s);
    } else if (m.captured(1).isEmpty()) {
        return false;
    }
    out = result;
    return true;
}

} // namespace tk
