#pragma once

#include "appearance/applyappearance.h"
#include "appearance/chartappearance.h"
#include "chartengine/chart.h"
#include "platform/commanderror.h"
#include "results/analysisstate.h"
#include "tables/table.h"

#include <QColor>
#include <QString>

#include <cstdint>
#include <optional>

namespace zavevad {

class GridModel;

/// The colour of the point taken from grid row `row` (1-based), by row mod 20:
/// rows 1, 20, 21, 40, 41... are blue.
QColor PointColor(int row);

/// A value cell as a number in the user's locale (its decimal separator).
std::optional<double> cellNumber(const QString &text);

/// A value cell as a time of day, in the long time format the working-time
/// table writes, in whole minutes (hours * 60 + minutes; seconds dropped).
std::optional<int> cellMinutes(const QString &text);

// The four fill operations. Each replaces the chart header's lines by
// `header`, clears its series and adds one point per grid row 1..lastRow in
// order: (value cell, label cell, PointColor(row)). The bar-and-line ones fill
// both series with the same points and take the axis titles from row 0. A
// value cell that cannot be converted stops the fill there with the message
// "'%s' is not a valid floating point value" or "'%s' is not a valid time"
// (a thrown CommandError); the points added before it stay.
void FillBarAndLineSeries(const GridModel &grid, int labelColumn, int valueColumn, int lastRow,
        const QString &header, chart::Chart &chart);
void FillPieSeries(const GridModel &grid, int labelColumn, int valueColumn, int lastRow,
        const QString &header, chart::Chart &chart);
/// The bottom-axis title is the value column's header followed by " [min]".
void FillBarAndLineSeriesMinutes(const GridModel &grid, int labelColumn, int valueColumn,
        int lastRow, const QString &header, chart::Chart &chart);
void FillPieSeriesMinutes(const GridModel &grid, int labelColumn, int valueColumn, int lastRow,
        const QString &header, chart::Chart &chart);
/// A share written with two decimals (0,85) as a percentage (85); the
/// bottom-axis title is the value column's header followed by " [%]".
void FillBarAndLineSeriesPercent(const GridModel &grid, int labelColumn, int valueColumn,
        int lastRow, const QString &header, chart::Chart &chart);
void FillPieSeriesPercent(const GridModel &grid, int labelColumn, int valueColumn, int lastRow,
        const QString &header, chart::Chart &chart);

/// The table a chart is drawn from.
struct ChartSource
{
    const GridModel &grid;
    /// The kind of the table in `grid`; its registry row says which cells
    /// the chart reads. `TableNone`: no chart.
    TableKind tableMode = TableNone;
    std::int32_t studentCount = 0;
    /// Column of "Suma" on the results page on display
    /// (resultsSumaColumn); read in mode 1 only.
    int sumaColumn = 16;
};

/// What a chart command does after the build.
struct ChartBuildResult
{
    /// True when `ChartKind` was applied: the window shows the dialog panel of
    /// the kind, enables "Osie" as `axesPageEnabled` says, repaints the chart
    /// and shows itself.
    bool applied = false;
};

/// Resets `CurrentAppearance` to the defaults, fills all three series from the
/// table of the mode (nothing more in mode 0), writes the header text and the
/// axis titles (cut to 50 characters) into `CurrentAppearance` and applies
/// `state.ChartKind` through ApplyChartKind. A value cell that cannot be
/// converted throws CommandError with its message: the build stops there and
/// nothing is applied.
ChartBuildResult BuildChartFromTable(const ChartSource &source, Appearances &appearances,
        chart::Chart &chart, ChartKindState &state);

/// The chart command's build of the chart of the table in `source.grid`: a
/// kind whose registry row reads values is drawn from its table built from
/// `analysis` (`BuildChartFromValues`), the others from the grid's texts.
ChartBuildResult BuildChartOfTable(const ChartSource &source, const AnalysisState &analysis,
        Appearances &appearances, chart::Chart &chart, ChartKindState &state);

/// After the chart kind was applied again to a chart of a `table` kind (a
/// template, a rebuild), which shows only the kind's series: a bar chart
/// whose registry row has a reference column shows that line over the bars
/// again. Anything else is left as it is.
void restoreReferenceLine(TableKind table, const ChartKindState &state, chart::Chart &chart);

/// The chart `BuildChartFromTable` draws from the grid that shows `table`
/// (a table of `kind`, its first question page), its numbers taken from the
/// cells' values as the table shows them rather than read back from texts:
/// the same points, titles and, for a cell that holds no number, the same
/// CommandError, with the points before it added.
ChartBuildResult BuildChartFromValues(const Table &table, TableKind kind, int studentCount,
        Appearances &appearances, chart::Chart &chart, ChartKindState &state);

} // namespace zavevad
