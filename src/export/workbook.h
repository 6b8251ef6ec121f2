#pragma once

#include "export/reporttables.h"

#include <QByteArray>

#include <optional>
#include <vector>

namespace zavevad {

/// The tables as an xlsx workbook, one sheet per table named by its
/// `sheetName`: numbers as numbers, dates and times as spreadsheet date-times
/// ("yyyy-mm-dd hh:mm:ss") and durations ("hh:mm:ss"), texts as texts; the
/// header row bold in the grid's header colours and frozen, the columns as wide
/// as their texts. Nothing when the workbook could not be made; `failure`
/// then says why in Polish, naming the private temporary folder the library
/// writes into. The library's own messages never reach the terminal.
std::optional<QByteArray> workbookBytes(
        const std::vector<ReportTable> &tables, QString *failure = nullptr);

/// The same with each table made as its sheet is written and dropped after,
/// so that a large class's workbook holds one table at a time.
std::optional<QByteArray> workbookBytes(
        const std::vector<ReportTableMaker> &makers, QString *failure = nullptr);

/// The analysis tables and the thresholds, in that order.
std::vector<ReportTable> workbookTables(const AnalysisState &analysis);

/// The makers of `workbookTables`' tables, in the same order. `analysis`
/// must outlive them.
std::vector<ReportTableMaker> workbookTableMakers(const AnalysisState &analysis);

} // namespace zavevad
