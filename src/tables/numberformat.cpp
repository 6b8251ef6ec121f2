#include "tables/numberformat.h"

#include <QLocale>
#include <QTime>

#include <cmath>

namespace zavevad {

namespace {

constexpr double kMillisecondsPerDay = 86400000.0;

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c.isSpace();
}

bool isOpeningBracket(QChar c)
{
    return c == QLatin1Char('(') || c == QLatin1Char('[');
}

bool isClosingBracket(QChar c)
{
    return c == QLatin1Char(')') || c == QLatin1Char(']');
}

} // namespace

QString generalNumber(double value)
{
    if (value == 0)
        value = 0; // no "-0"
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 15);
}

QString longTimeFormat()
{
    const QString format = QLocale().timeFormat(QLocale::LongFormat);
    // Drop every unquoted run of 't' (the zone) with the blanks around it;
    // quoted literal text is copied as it stands.
    QString result;
    result.reserve(format.size());
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            result.append(c);
            continue;
        }
        if (!quoted && c == QLatin1Char('t')) {
            while (!result.isEmpty() && isBlank(result.back()))
                result.chop(1);
            while (i + 1 < format.size() && format.at(i + 1) == QLatin1Char('t'))
                ++i;
            while (i + 1 < format.size() && isBlank(format.at(i + 1)))
                ++i;
            // A zone in brackets, "(t)", goes with its brackets.
            if (!result.isEmpty() && isOpeningBracket(result.back()) && i + 1 < format.size()
                    && isClosingBracket(format.at(i + 1))) {
                result.chop(1);
                ++i;
                while (!result.isEmpty() && isBlank(result.back()))
                    result.chop(1);
                while (i + 1 < format.size() && isBlank(format.at(i + 1)))
                    ++i;
            }
            // Keep one blank between what stood before and after the zone.
            if (!result.isEmpty() && i + 1 < format.size())
                result.append(QLatin1Char(' '));
            continue;
        }
        result.append(c);
    }
    return result.trimmed();
}

int timeOfDayMilliseconds(double days)
{
    if (!std::isfinite(days))
        return 0;
    const double fraction = std::fmod(std::fabs(days), 1.0);
    const double ms = std::round(fraction * kMillisecondsPerDay);
    // A fraction that rounds up to a whole day is midnight of the next day.
    if (!(ms >= 0) || ms >= kMillisecondsPerDay)
        return 0;
    return static_cast<int>(ms);
}

QString timeOfDayText(double days)
{
    return timeOfDayText(days, QLocale(), longTimeFormat());
}

QString timeOfDayText(double days, const QLocale &locale, const QString &format)
{
    return locale.toString(QTime::fromMSecsSinceStartOfDay(timeOfDayMilliseconds(days)), format);
}

} // namespace zavevad

namespace zavevad {

QString twoDecimalText(std::int64_t hundredths)
{
    const std::int64_t magnitude = hundredths < 0 ? -hundredths : hundredths;
    QString text;
    if (hundredths < 0)
        text += QLatin1Char('-');
    text += QString::number(magnitude / 100);
    text += QLocale().decimalPoint();
    text += QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
    return text;
}

QString oneDecimalText(std::int64_t tenths)
{
    const std::int64_t magnitude = tenths < 0 ? -tenths : tenths;
    QString text;
    if (tenths < 0)
        text += QLatin1Char('-');
    text += QString::number(magnitude / 10);
    text += QLocale().decimalPoint();
    text += QString::number(magnitude % 10);
    return text;
}

} // namespace zavevad
