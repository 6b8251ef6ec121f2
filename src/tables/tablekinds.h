#pragma once

#include "results/analysisstate.h"
#include "tables/table.h"

#include <QStringView>

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace zavevad {

class AnalysisTables;
class GridModel;
struct GridState;

/// What a chart's value cells hold, and so how they are read back.
enum class ChartUnit : std::uint8_t {
    Number, ///< a number in the user's locale
    Minutes, ///< a time of day, in whole minutes; the axis title gets " [min]"
    Percent, ///< a share with two decimals, as a percentage; the axis title gets " [%]"
};

/// How a table of the kind becomes a bar, pie or line chart: one point per
/// grid row 1 to `lastRow`, labelled by column 0, valued by `valueColumn`.
struct TableChart
{
    const char16_t *header; ///< the chart's header line
    /// The value column; `kSumaColumn`: the "Suma" column of the results
    /// page on display.
    int valueColumn;
    ChartUnit unit;
    /// The last row with a point, from the grid the table is shown in and the
    /// student count.
    int (*lastRow)(const GridModel &grid, int studentCount);
    /// The same from the table value.
    int (*lastValueRow)(const Table &table, int studentCount);
    /// The bottom axis's title in place of the value column's header; null:
    /// the header.
    const char16_t *bottomTitle = nullptr;
    /// Whether the chart command reads the numbers from the table's values;
    /// else from the grid's texts, as the specified tables' charts do.
    bool fromValues = false;

    /// The first row with a point, from the student count, the row above it
    /// the points' header; null: row 1 under the table's header.
    int (*firstRow)(int studentCount) = nullptr;
    /// A column whose values a bar chart draws as a line over the bars, the
    /// reference the values are read against (the stanine norm); 0: none,
    /// the line repeats the bars. Read for charts drawn from values only.
    int referenceColumn = 0;

    static constexpr int kSumaColumn = -1;
    /// `valueColumn` counted from the table's right edge, 1 the last column:
    /// for a table whose width follows the data (one column per class).
    static constexpr int fromRight(int n) { return -1 - n; }
    static constexpr int kLastColumn = -2; ///< fromRight(1)
    /// The value column of a table or grid of `columnCount` columns.
    int valueColumnOf(int columnCount, int sumaColumn) const
    {
        if (valueColumn == kSumaColumn)
            return sumaColumn;
        return valueColumn < kSumaColumn ? columnCount + valueColumn + 1 : valueColumn;
    }
};

/// Where a table of the kind goes when the whole analysis is taken out.
struct TableOutputs
{
    bool report = false;
    bool workbook = false;
    /// Whether the analysis has the table to give; null: always.
    bool (*present)(const AnalysisState &analysis) = nullptr;
    /// The report's tables in place of the whole table (a table wider than a
    /// page, cut into parts); null: the whole table. Built together, once.
    std::vector<Table> (*reportParts)(const AnalysisState &analysis) = nullptr;
    /// The table as the report and the workbook give it, where it differs
    /// from the screen's (a "Klasa" column); null: the kind's builder.
    Table (*build)(const AnalysisState &analysis) = nullptr;
    /// The report gives the table right after the tables of this kind where
    /// the analysis has them (a table read with another one); `TableNone`,
    /// or that kind absent: in the registry's order. The menu and the
    /// workbook keep the registry's order.
    TableKind reportAfter = TableNone;
    /// Whether the report draws the kind's chart (`TableKindInfo::chart`)
    /// right after the table, as the chart window draws it.
    bool reportChart = false;
};

/// Everything the program knows about one table kind: one row of the
/// registry, which every consumer asks instead of switching on the kind.
struct TableKindInfo
{
    TableKind kind;
    /// The table as a value: a pure function of the analysis.
    Table (*build)(const AnalysisState &analysis);
    const char *menuItem; ///< the object name of its item in "Tabele"
    /// UTF-8: the menu's caption and the table's name for a screen reader
    /// ("Tabela - Wyniki testu").
    const char *caption;
    const char *hint; ///< UTF-8: the menu item's tool tip
    /// UTF-8: the title the report gives the table, which its value carries.
    const char *title;
    const char *commandLineName; ///< the value of `--tabela`
    /// How a specified table is shown in the grid it shares with the other
    /// specified tables; null: the table has a grid of its own, built fresh
    /// with the shared grid kept aside, so that a visit leaves no trace.
    void (AnalysisTables::*showShared)() = nullptr;
    /// What the up and down arrows page by; null: the student count.
    int (*pagingCount)(const AnalysisState &analysis) = nullptr;
    TableChart chart{};
    TableOutputs outputs{};

    bool hasOwnGrid() const { return showShared == nullptr; }
    QString captionText() const { return QString::fromUtf8(caption); }
    QString titleText() const { return QString::fromUtf8(title); }
    int paging(const AnalysisState &analysis) const
    {
        return pagingCount ? pagingCount(analysis) : analysis.studentCount;
    }
};

/// Every table kind, in the order of the menu and the workbook; the report
/// takes them in that order too, but for a kind moved by its `reportAfter`.
std::span<const TableKindInfo> tableKinds();

/// The row of `kind`; null for `TableNone` and a value no row has.
const TableKindInfo *tableKindInfo(TableKind kind);

/// The row whose command-line name is `name`; null for none.
const TableKindInfo *tableKindNamed(QStringView name);

/// The command-line names as a reader is told them: "a, b lub c".
QString commandLineNames();

/// The table's title for a screen reader: its caption, or "Tabela" for none.
QString tableTitle(TableKind kind);

/// Shows the table of `info`, a kind with a grid of its own, in `grid`,
/// which the caller has made fresh: `state` names the kind and pages by its
/// paging count.
void showOwnGrid(GridModel &grid, GridState &state, const AnalysisState &analysis,
        const TableKindInfo &info);

using TableMaker = std::function<Table()>;
enum class Output : std::uint8_t { Report, Workbook };

/// One table an output takes: the row of its kind and its maker.
struct OutputTable
{
    const TableKindInfo *info = nullptr;
    TableMaker make;
};

/// The tables of the kinds that `outputs` selects for `analysis`, each made
/// when called: the workbook's in the registry's order, the report's with
/// each kind moved after its `reportAfter` kind. A table the report takes in
/// parts gives one entry per part, in order. `analysis` must outlive the
/// makers.
std::vector<OutputTable> outputTables(const AnalysisState &analysis, Output output);

/// The makers of `outputTables`, in the same order.
std::vector<TableMaker> outputTableMakers(const AnalysisState &analysis, Output output);

} // namespace zavevad
