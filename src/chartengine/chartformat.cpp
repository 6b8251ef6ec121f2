#include "chartengine/chartformat.h"

#include <QLocale>

#include <cmath>

namespace zavevad::chart {

namespace {

QLocale chartLocale()
{
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale;
}

} // namespace

QString formatValue(double value)
{
    if (value == 0.0)
        return QStringLiteral("0"); // also turns -0 into 0
    // Whole numbers (every value the tables give) need no locale but its sign.
    if (std::abs(value) < 1e15 && value == std::trunc(value)) {
        const qint64 whole = qint64(std::abs(value));
        return value < 0 ? QLocale().negativeSign() + QString::number(whole)
                         : QString::number(whole);
    }
    return chartLocale().toString(value, 'g', 15);
}

QString formatPercent(double value, double total)
{
    double percent = total != 0.0 ? value * 100.0 / total : 0.0;
    percent = std::round(percent * 100.0) / 100.0;
    if (percent == 0.0 || !std::isfinite(percent))
        percent = 0.0;
    return chartLocale().toString(percent, 'g', 15) + QStringLiteral(" %");
}

QString markText(MarksStyle style, const Point &point, double total)
{
    switch (style) {
    case MarksStyle::smsLabel:
        return point.label.isEmpty() ? formatValue(point.value) : point.label;
    case MarksStyle::smsValue:
        return formatValue(point.value);
    case MarksStyle::smsPercent:
        return formatPercent(point.value, total);
    case MarksStyle::smsLabelValue:
        return point.label + QLatin1Char(' ') + formatValue(point.value);
    case MarksStyle::smsLabelPercent:
        return point.label + QLatin1Char(' ') + formatPercent(point.value, total);
    }
    return formatValue(point.value);
}

double seriesTotal(const Series &series)
{
    double total = 0.0;
    for (const Point &p : series.points)
        total += std::abs(p.value);
    return total;
}

QString shortName(const QString &name)
{
    const QStringList words = name.simplified().split(QLatin1Char(' '));
    if (words.size() < 2)
        return name;
    QString shortened = words.first();
    for (qsizetype i = 1; i < words.size(); ++i)
        shortened += QLatin1Char(' ') + words[i].left(1) + QLatin1Char('.');
    return shortened;
}

QString fittedName(const QFontMetricsF &fm, const QString &name, double width)
{
    if (fm.horizontalAdvance(name) <= width)
        return name;
    const QString shortened = shortName(name);
    if (fm.horizontalAdvance(shortened) <= width)
        return shortened;
    return fm.elidedText(shortened, Qt::ElideRight, width);
}

} // namespace zavevad::chart
