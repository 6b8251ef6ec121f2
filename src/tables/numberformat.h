#pragma once

#include <QString>

#include <cstdint>

class QLocale;

namespace zavevad {

/// A number in the shortest general form: at most 15 significant digits, the
/// locale's decimal separator, no group separator, no trailing zeros and no
/// separator for a whole number (12,3 / 3,67 / 6 under a decimal comma).
QString generalNumber(double value);

/// The locale's long time format without its time-zone part ("HH:mm:ss" for
/// Polish, "h:mm:ss AP" for American English).
QString longTimeFormat();

/// The time of day of a date-time in days since 1899-12-30, written in
/// `longTimeFormat()`: the fraction of the absolute value, rounded to the
/// millisecond. Not-a-number, infinite and huge values give midnight.
QString timeOfDayText(double days);

/// The same with a locale and format given, for writing many times at once.
QString timeOfDayText(double days, const QLocale &locale, const QString &format);

/// The millisecond of the day that `timeOfDayText` shows for `days`.
int timeOfDayMilliseconds(double days);

} // namespace zavevad

namespace zavevad {

/// `hundredths` / 100 with two decimals, the locale's decimal separator and a
/// plain minus ("0,85", "-0,05"), so that the text survives code page 1250 and
/// a chart reads it back with the locale.
QString twoDecimalText(std::int64_t hundredths);

/// `tenths` / 10 with one decimal, written like twoDecimalText() ("45,5", "-3,0").
QString oneDecimalText(std::int64_t tenths);

} // namespace zavevad
