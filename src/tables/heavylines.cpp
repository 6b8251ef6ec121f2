#include "tables/heavylines.h"

#include <algorithm>

namespace zavevad {

std::vector<HeavySegment> heavyLineSegments(const Table &table)
{
    std::vector<HeavySegment> segments;
    // Rows: a vertical piece in each row, joined to the next row's by a
    // horizontal piece along their common edge.
    int previous = -1;
    for (int r = 0; r < table.rowCount(); ++r) {
        const int after = table.row(r).heavyLineAfterColumn;
        if (after < 0 || after >= table.columnCount()) {
            previous = -1;
            continue;
        }
        const int edge = after + 1;
        segments.push_back({edge, r, edge, r + 1});
        if (previous >= 0 && previous != edge)
            segments.push_back({std::min(previous, edge), r, std::max(previous, edge), r});
        previous = edge;
    }
    // Columns: a horizontal piece under each column's row, joined to the
    // next column's by a vertical piece along their common edge.
    previous = -1;
    for (int c = 0; c < table.columnCount(); ++c) {
        const int below = table.column(c).heavyLineBelowRow;
        if (below < 0 || below >= table.rowCount()) {
            previous = -1;
            continue;
        }
        const int edge = below + 1;
        segments.push_back({c, edge, c + 1, edge});
        if (previous >= 0 && previous != edge)
            segments.push_back({c, std::min(previous, edge), c, std::max(previous, edge)});
        previous = edge;
    }
    return segments;
}

} // namespace zavevad
