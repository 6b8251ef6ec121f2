#pragma once

#include "results/analysisstate.h"

#include <QColor>
#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace zavevad {

/// One cell of a table taken out of the program as a whole: the text the
/// grid shows, its look, and for numbers and times the value behind the text,
/// so that a spreadsheet gets numbers and a printed page gets the screen's text.
struct ReportCell
{
    enum class Kind {
        Text,
        Number,
        DateTime, ///< days since 1899-12-30, shown as a date and time
        Duration, ///< days, shown as hours, minutes and seconds
    };

    QString text;
    Kind kind = Kind::Text;
    double value = 0;
    /// Numbers shown with this many decimals whatever their value (the
    /// statistics' two); -1: as they come.
    int decimals = -1;
    QColor background;
    QColor color;
    bool bold = false;
    /// Qt::AlignLeft, Qt::AlignHCenter or Qt::AlignRight.
    Qt::Alignment alignment = Qt::AlignLeft;

    bool isNumeric() const { return kind != Kind::Text; }
};

/// A whole table: its header row and body rows, with the screen's column
/// widths as the proportions of the columns.
struct ReportTable
{
    QString title; ///< the table's name as the menu gives it ("Tabela - Wyniki testu")
    QString sheetName; ///< the workbook's sheet ("Wyniki")
    std::vector<ReportCell> header;
    std::vector<std::vector<ReportCell>> rows;
    std::vector<int> columnWidths; ///< the grid's widths in pixels
    /// Columns that stay in view when a spreadsheet scrolls sideways.
    int frozenColumns = 1;
    /// The last rows (sums, averages, statistics of the whole class) that a
    /// page break keeps together.
    int summaryRows = 0;

    int columnCount() const { return static_cast<int>(header.size()); }
};

/// The results table with every question in one table (the screen shows at
/// most fifteen at a time), built by the screen's own table builder.
ReportTable resultsReportTable(const AnalysisState &analysis);
/// The working-time table; start and end carry their dates as values.
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
