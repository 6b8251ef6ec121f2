#pragma once

#include <QList>

namespace zavevad::chart {

/// The labelled values of a value axis.
struct AxisScale
{
    double min = 0.0;
    double max = 1.0;
    double step = 1.0;
    QList<double> ticks;
};

/// The smallest step of the form 1, 2 or 5 times a power of ten that is at
/// least minStep (minStep > 0).
double niceStep(double minStep);

/// Labels for the range lo..hi on an axis of the given length in pixels, at
/// least minSpacing pixels apart so that labels never overlap. With
/// roundRange the range grows to whole steps (an automatic axis); without,
/// it stays as given (a zoomed axis) and holds the steps that fall inside.
/// An empty or non-finite range becomes a unit range around lo.
AxisScale computeAxisScale(
        double lo, double hi, double lengthPx, double minSpacing, bool roundRange);

} // namespace zavevad::chart
