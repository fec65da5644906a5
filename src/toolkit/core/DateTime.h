#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

namespace tk {

// A date-time is a day count since 30.12.1899 with the time of day as a fraction; 0 stands for no date.
using TDateTime = double;

constexpr double kMinute = 1.0 / 1440.0;
constexpr double kTolerance = 0.00001; // 0.864 s: row times are compared with this tolerance

TDateTime fromDate(const QDate& date);
TDateTime fromDateTime(const QDateTime& dateTime);
QDate toDate(TDateTime value);
QDateTime toDateTime(TDateTime value); // local time, rounded to milliseconds
TDateTime encodeTime(int hour, int minute, int second = 0);
TDateTime encodeDate(int year, int month, int day);
TDateTime dateOf(TDateTime value);    // the time of day cut off
int dayOfWeekMonday(TDateTime value); // 1 = Monday ... 7 = Sunday

// Display formats written in the notation "ddd dd.mm.yyyy  hh:nn" (d day, m month or, after h, minute,
// n minute, y year, h hour, s second; ddd/dddd short and long day name, mmm/mmmm month names), rendered
// in the default locale.
QString formatDateTime(const QString& format, TDateTime value);

// Reads a date and/or time typed by a user in the locale's usual order: "12.5.2021 8:30", "12.5.2021",
// "8:30". Returns false when the text is not a valid date-time.
bool parseDateTime(const QString& text, TDateTime& out);

} // namespace tk
