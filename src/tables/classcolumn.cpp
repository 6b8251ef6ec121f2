#include "tables/classcolumn.h"

#include "results/classcomparison.h"
#include "tables/resultstables.h"

#include <algorithm>

namespace zavevad {

namespace {

/// As wide as the grid's narrower text columns; the report and the workbook
/// widen it to the longest class name.
constexpr int kClassColumnWidth = 60;

} // namespace

Table withClassColumn(Table table, const AnalysisState &analysis)
{
    if (table.columnCount() == 0 || schoolClassCount(analysis) < 2)
        return table;
    std::vector<int> columns{0, 0};
    for (int c = 1; c < table.columnCount(); ++c)
        columns.push_back(c);
    Table result = table.slice(columns, 0, table.rowCount());
    result.frozenColumns = std::max(table.frozenColumns, 1) + 1;
    result.setColumn(1, kClassColumnWidth, ColumnRole::Text);
    result.setText(1, 0, QStringLiteral("Klasa"));
    const int students = std::min<int>({std::max(analysis.studentCount, 0),
            static_cast<int>(analysis.students.size()), table.rowCount() - 1});
    for (int r = 1; r < result.rowCount(); ++r) {
        result.setText(1, r,
                r <= students ? analysis.students[static_cast<std::size_t>(r - 1)].schoolClass
                              : QString());
    }
    return result;
}

Table resultsReportTable(const AnalysisState &analysis)
{
    return withClassColumn(resultsTable(analysis), analysis);
}

Table workingTimeReportTable(const AnalysisState &analysis)
{
    return withClassColumn(workingTimeTable(analysis), analysis);
}

} // namespace zavevad
