#pragma once

#include "results/analysisstate.h"
#include "tables/table.h"
#include "tables/tablekinds.h"

#include <QDateTime>

#include <functional>
#include <optional>
#include <vector>

namespace zavevad {

/// A table taken out of the program as a whole: the table value the grid
/// shows, read by the report and the workbook.
using ReportTable = Table;
/// One of its cells as a reader sees it.
using ReportCell = ShownCell;

/// The five thresholds in force, and "Ndst" below them from 0.
ReportTable thresholdsReportTable(const AnalysisState &analysis);

/// A date-time in days since 1899-12-30; nothing for a value no calendar holds.
std::optional<QDateTime> dateTimeFromDays(double days);

/// The start of the earliest student: the test's date.
std::optional<QDateTime> earliestStart(const AnalysisState &analysis);

/// Makes one table when it is needed, so that a report or a workbook of a
/// large class holds one table at a time rather than all of them.
using ReportTableMaker = TableMaker;

/// Makers that give copies of `tables`: small tables built together (the
/// class comparison's) among the makers of the large ones.
std::vector<ReportTableMaker> keptTableMakers(std::vector<ReportTable> tables);

} // namespace zavevad
