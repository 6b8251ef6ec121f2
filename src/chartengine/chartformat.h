#pragma once

#include "chartengine/chart.h"

#include <QFontMetricsF>
#include <QString>

namespace zavevad::chart {

/// A value as the chart shows it: the shortest general form with the
/// locale's decimal separator and no group separator.
QString formatValue(double value);

/// A share of a series' total, e.g. "33,33 %" (at most two decimals).
QString formatPercent(double value, double total);

/// The text of a value label (mark) of one point. total is the sum of the
/// series' values, used by the percent styles.
QString markText(MarksStyle style, const Point &point, double total);

/// A name shortened for a crowded chart: the first word whole, each later
/// word cut to its initial and a full stop ("Lis Wojciech" gives "Lis W.").
/// A one-word text comes back as it is.
QString shortName(const QString &name);

/// name as it fits in width pixels: whole, else shortened, else elided.
QString fittedName(const QFontMetricsF &fm, const QString &name, double width);

/// Sum of the magnitudes of a series' values: the whole that percentages refer to.
double seriesTotal(const Series &series);

} // namespace zavevad::chart
