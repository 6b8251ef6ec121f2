#pragma once

#include "tables/table.h"

#include <vector>

namespace zavevad {

/// A straight piece of a heavy line along the table's grid lines, between
/// two crossings. Column edge e is the left edge of column e (the column
/// count: the right edge of the last column); row edge f is the top of row f.
/// A piece is either vertical (equal column edges) or horizontal.
struct HeavySegment
{
    int column1 = 0;
    int row1 = 0;
    int column2 = 0;
    int row2 = 0;

    bool vertical() const { return column1 == column2; }
    friend bool operator==(const HeavySegment &, const HeavySegment &) = default;
};

/// The heavy lines of `table` as pieces a renderer draws: each row's line on
/// the right edge of its column, each column's line under its row, and the
/// pieces that join the lines of neighbouring rows (or columns) into one
/// staircase, as the S and P curves of a student-problem chart are drawn.
/// Empty for a table without heavy lines.
std::vector<HeavySegment> heavyLineSegments(const Table &table);

/// The same pieces from the lines given row by row (element r: the column
/// after which row r's line runs) and column by column (element c: the row
/// under which column c's line runs), -1 for none, in a table of `columns`
/// columns and as many rows as `afterColumn` has; a line outside the table
/// is left out.
std::vector<HeavySegment> heavyLineSegments(
        const std::vector<int> &afterColumn, const std::vector<int> &belowRow, int columns);

} // namespace zavevad
