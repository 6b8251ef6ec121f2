#pragma once

#include "results/analysisstate.h"
#include "results/progress.h"
#include "tables/table.h"

namespace zavevad {

/// Rows of the progress table: the header, one row per student, an empty row
/// and the four class rows; with no tests loaded together, the header and the
/// row that says how to load them.
int progressTableRowCount(const AnalysisState &analysis);

/// What the up and down arrows page by on the progress table: its body rows
/// less one, as for the other tables of their own grid.
int progressTablePagingCount(const AnalysisState &analysis);

/// "Tabela - Postępy": per student (Polish collation, their newest spelling)
/// the percentage in each test (one decimal; empty where they did not write
/// it), the change from the first to the last test they wrote and its trend
/// arrow; then per test the class's mean, median, share passed (grade "Dop"
/// or better under the thresholds in force) and number of students. Tests are
/// headed "<name> <dd.MM>" of their earliest start, oldest first.
Table progressTable(const AnalysisState &analysis);

/// The arrow of a trend: "↑", "↓", "→", and "–" when it cannot be told.
QString trendArrow(Trend trend);

} // namespace zavevad
