#include "tables/columnpages.h"

#include "tables/gridmodel.h"
#include "tables/gridstate.h"

#include <QFontMetrics>
#include <QGuiApplication>

#include <algorithm>

namespace zavevad {

namespace {

int pitch(const GridModel &grid, int column)
{
    return std::max(grid.columnWidth(column), 0) + GridModel::kGridLineWidth;
}

/// The page that shows `leftColumn`: the last one starting at or before it.
std::size_t pageOf(const std::vector<int> &starts, int leftColumn)
{
    const auto after = std::upper_bound(starts.begin(), starts.end(), leftColumn);
    return after == starts.begin() ? 0 : static_cast<std::size_t>(after - starts.begin() - 1);
}

} // namespace

std::vector<int> columnPageStarts(const GridModel &grid, int width)
{
    std::vector<int> starts{1};
    if (grid.columnCount() < 2)
        return starts;
    const int room = width - pitch(grid, 0);
    int used = 0;
    for (int c = 1; c < grid.columnCount(); ++c) {
        const int step = pitch(grid, c);
        if (used > 0 && used + step > room) {
            starts.push_back(c);
            used = 0;
        }
        used += step;
    }
    return starts;
}

int pagedTableWidth(const GridModel &grid, int width)
{
    if (grid.columnCount() < 1)
        return 0;
    const int room = width - pitch(grid, 0);
    int widest = 0;
    int used = 0;
    for (int c = 1; c < grid.columnCount(); ++c) {
        const int step = pitch(grid, c);
        if (used > 0 && used + step > room)
            used = 0;
        used += step;
        widest = std::max(widest, used);
    }
    return pitch(grid, 0) + widest;
}

void fitColumnsToWidth(GridModel &grid, int width)
{
    if (grid.columnCount() < 1)
        return;
    // A column grows to its longest text (the painter's two-pixel margins on
    // both sides), so that nothing is cut while there is room for it. Texts
    // are measured as the painter draws them, which needs the fonts of a
    // running GUI; without one (an export with no display) the widths stay.
    constexpr int kMargins = 4;
    const bool canMeasure = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    for (int c = 0; canMeasure && c < grid.columnCount(); ++c) {
        int needed = grid.columnWidth(c);
        for (int r = 0; r < grid.rowCount(); ++r) {
            const QString &text = grid.text(c, r);
            if (text.isEmpty())
                continue;
            const QFontMetrics metrics(grid.resolvedFont(c, r).toQFont());
            needed = std::max(needed, metrics.horizontalAdvance(text) + kMargins);
        }
        grid.setColumnWidth(c, needed);
    }
    const int first = std::min(grid.columnWidth(0), width / 2 - GridModel::kGridLineWidth);
    grid.setColumnWidth(0, first);
    const int other = width - first - 2 * GridModel::kGridLineWidth;
    for (int c = 1; c < grid.columnCount(); ++c)
        grid.setColumnWidth(c, std::min(grid.columnWidth(c), other));
}

bool turnColumnPage(GridModel &grid, GridState &state, int step)
{
    const std::vector<int> starts = columnPageStarts(grid);
    const auto last = static_cast<long long>(starts.size()) - 1;
    const long long page = std::clamp<long long>(
            static_cast<long long>(pageOf(starts, grid.leftColumn())) + step, 0, last);
    const int before = grid.leftColumn();
    grid.setLeftColumn(starts[static_cast<std::size_t>(page)]);
    showColumnArrows(grid, state);
    return grid.leftColumn() != before;
}

void showColumnArrows(const GridModel &grid, GridState &state)
{
    const std::vector<int> starts = columnPageStarts(grid);
    const std::size_t page = pageOf(starts, grid.leftColumn());
    state.panels.PTabelaWLewo.visible = page > 0;
    state.panels.PTabelawPrawo.visible = page + 1 < starts.size();
}

} // namespace zavevad
