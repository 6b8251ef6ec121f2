#pragma once

#include "chartengine/chart.h"

namespace zavevad::chart::test {

enum class Kind { Bar = 1, Pie = 2, Line = 3 };

/// The colour the chart commands give the point of grid row r.
QColor rowColor(int row);

/// A chart as the chart window shows it: the design settings, the factory
/// appearance applied, `count` student points in all three series and only
/// the series of `kind` active.
Chart sampleChart(Kind kind, int count = 12);

/// The six grade points of the grade-count table.
Chart gradeChart(Kind kind);

/// The class of the examples folder: 28 students in alphabetical order with
/// totals from 5 to 20, as the chart window shows its results chart.
Chart classChart(Kind kind);

} // namespace zavevad::chart::test
