#pragma once

#include "report/studentcards.h"

#include <QPointF>
#include <QRectF>

#include <optional>
#include <vector>

class QPainter;

namespace zavevad {

/// The height, in layout units, of a card's progress chart under its title.
inline constexpr double kCardProgressHeight = 1000;

/// Where a card's progress chart puts its marks: a value that painting reads.
struct CardProgressLayout
{
    QRectF plot; ///< 0 % at its bottom, 100 % at its top
    double slot = 0; ///< the width each test takes along the bottom
    std::vector<double> x; ///< per test, the middle of its slot
    /// Per test, the mark of the student's percentage (none where they did
    /// not write it) and of the class's mean.
    std::vector<std::optional<QPointF>> student;
    std::vector<std::optional<QPointF>> classMean;
};

/// The chart's layout in `plot`, one slot per test, oldest on the left.
CardProgressLayout cardProgressLayout(const std::vector<CardProgress> &tests, const QRectF &plot);

/// Paints the progress chart of `tests` in `area` (layout units, of
/// kCardProgressHeight): the student's line solid with round marks and
/// their percentages, the class's mean dashed with square marks, so that a
/// black-and-white page tells them apart, each test named under its slot in
/// full.
void paintCardProgress(
        QPainter &painter, const std::vector<CardProgress> &tests, const QRectF &area);

} // namespace zavevad
