#pragma once

#include "results/analysisstate.h"
#include "tables/table.h"

namespace zavevad {

/// `table`, a table of the students (their names in column 0 of rows 1 to
/// n, in the order of the student list), with a "Klasa" column after the
/// names when two or more classes are loaded, kept in view beside them;
/// `table` as it is otherwise.
Table withClassColumn(Table table, const AnalysisState &analysis);

/// The results table as the report and the workbook give it: every question
/// in one table, and the "Klasa" column with two or more classes.
Table resultsReportTable(const AnalysisState &analysis);
/// The working-time table as the report and the workbook give it, with the
/// "Klasa" column with two or more classes.
Table workingTimeReportTable(const AnalysisState &analysis);

} // namespace zavevad
