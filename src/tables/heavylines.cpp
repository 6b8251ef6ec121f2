#include "tables/heavylines.h"

#include <algorithm>

namespace zavevad {

std::vector<HeavySegment> heavyLineSegments(const Table &table)
{
    std::vector<int> afterColumn;
    for (int r = 0; r < table.rowCount(); ++r)
        afterColumn.push_back(table.row(r).heavyLineAfterColumn);
    std::vector<int> belowRow;
    for (int c = 0; c < table.columnCount(); ++c)
        belowRow.push_back(table.column(c).heavyLineBelowRow);
    return heavyLineSegments(afterColumn, belowRow, table.columnCount());
}

std::vector<HeavySegment> heavyLineSegments(
        const std::vector<int> &afterColumn, const std::vector<int> &belowRow, int columns)
{
    std::vector<HeavySegment> segments;
    const int rows = static_cast<int>(afterColumn.size());
    // Rows: a vertical piece in each row, joined to the next row's by a
    // horizontal piece along their common edge.
    int previous = -1;
    for (int r = 0; r < rows; ++r) {
        const int after = afterColumn[static_cast<std::size_t>(r)];
        if (after < 0 || after >= columns) {
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
    const int lineColumns = std::min(columns, static_cast<int>(belowRow.size()));
    for (int c = 0; c < lineColumns; ++c) {
        const int below = belowRow[static_cast<std::size_t>(c)];
        if (below < 0 || below >= rows) {
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
