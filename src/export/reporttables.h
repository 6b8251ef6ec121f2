#pragma once

#include "results/analysisstate.h"
#include "tables/table.h"

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

/// The results table with every question in one table (the screen shows at
/// most fifteen at a time); with two or more classes, a "Klasa" column after
/// the names.
ReportTable resultsReportTable(const AnalysisState &analysis);
/// The working-time table; start and end carry their dates as values; with
/// two or more classes, a "Klasa" column after the names.
ReportTable workingTimeReportTable(const AnalysisState &analysis);
/// The grade-count table.
ReportTable gradeCountReportTable(const AnalysisState &analysis);
/// The item analysis: difficulty and discrimination per question, the test's reliability.
ReportTable itemAnalysisReportTable(const AnalysisState &analysis);
/// The class comparison and its question matrix in one table, as the screen
/// shows them (the workbook's sheet "Klasy").
ReportTable classComparisonReportTable(const AnalysisState &analysis);
/// The workbook's class sheet: none with fewer than two classes loaded.
std::vector<ReportTable> classComparisonSheets(const AnalysisState &analysis);
/// The report's class sections: none with fewer than two classes loaded, else
/// the comparison in two tables ("Porównanie klas": the statistics; "Porównanie
/// klas - oceny i rzetelność": the grade counts, average grade and KR-20) and
/// the question matrix ("Łatwość pytań w klasach") as a third, so that every
/// text stands in full on a page.
std::vector<ReportTable> classComparisonSections(const AnalysisState &analysis);
/// The five thresholds in force, and "Ndst" below them from 0.
ReportTable thresholdsReportTable(const AnalysisState &analysis);
/// The skills of the test's blueprint.
ReportTable skillsReportTable(const AnalysisState &analysis);

/// The analysis tables in the order a report and a workbook present them.
std::vector<ReportTable> analysisReportTables(const AnalysisState &analysis);

/// A date-time in days since 1899-12-30; nothing for a value no calendar holds.
std::optional<QDateTime> dateTimeFromDays(double days);

/// The start of the earliest student: the test's date.
std::optional<QDateTime> earliestStart(const AnalysisState &analysis);

/// Makes one table when it is needed, so that a report or a workbook of a
/// large class holds one table at a time rather than all of them.
using ReportTableMaker = std::function<ReportTable()>;

/// The makers of `analysisReportTables`' tables, in the same order; each
/// builds its table anew whenever called. `analysis` must outlive them.
std::vector<ReportTableMaker> analysisReportTableMakers(const AnalysisState &analysis);

/// Makers that give copies of `tables`: small tables built together (the
/// class comparison's) among the makers of the large ones.
std::vector<ReportTableMaker> keptTableMakers(std::vector<ReportTable> tables);

} // namespace zavevad
