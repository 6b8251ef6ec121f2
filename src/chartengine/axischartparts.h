#pragma once

// Measures and small helpers shared by the files of the axis chart (layout,
// scene, marks and painting); not part of the engine's interface.

#include "chartengine/chartconstants.h"

#include <QLineF>
#include <QPolygonF>
#include <QtGlobal>

#include <algorithm>
#include <cmath>

namespace zavevad::chart::axisparts {

/// Thickness of the wall strips along the axes (pixels).
inline constexpr double kStrip = 5.0;
/// Least width of the longest axis label, and of an upright name (pixels).
inline constexpr double kMinLabelCap = 30.0;
/// Labels measured to size an axis; the rest are assumed no wider.
inline constexpr qsizetype kMeasuredLabels = 200;
/// Widest name of each of two staggered columns, as a share of the widest
/// axis label: longer names are shortened to initials.
inline constexpr double kStaggeredCapShare = 0.85;
/// ...but never less than this (pixels): a surname and an initial at 7 pt.
inline constexpr double kMinStaggeredCap = 84.0;

inline double clampPercent(int percent, int lo, int hi)
{
    return std::clamp(percent, lo, hi) / 100.0;
}

inline QPolygonF quad(const QPointF &a, const QPointF &b, const QPointF &c, const QPointF &d)
{
    QPolygonF p;
    p << a << b << c << d;
    return p;
}

/// A line one device pixel wide that stays crisp: on pixel centres when straight.
inline QLineF crisp(QPointF a, QPointF b)
{
    if (std::abs(a.y() - b.y()) < 1e-6) {
        const double y = std::floor(a.y()) + 0.5;
        a.setY(y);
        b.setY(y);
    } else if (std::abs(a.x() - b.x()) < 1e-6) {
        const double x = std::floor(a.x()) + 0.5;
        a.setX(x);
        b.setX(x);
    }
    return QLineF(a, b);
}

} // namespace zavevad::chart::axisparts
