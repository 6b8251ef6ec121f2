#include "export/reporttables.h"

#include "export/classcolumn.h"
#include "results/classcomparison.h"
#include "tables/classcomparisontable.h"
#include "tables/itemanalysistable.h"
#include "tables/resultstables.h"
#include "tables/skillstable.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace zavevad {

ReportTable resultsReportTable(const AnalysisState &analysis)
{
    return withClassColumn(resultsTable(analysis), analysis);
}

ReportTable workingTimeReportTable(const AnalysisState &analysis)
{
    return withClassColumn(workingTimeTable(analysis), analysis);
}

ReportTable gradeCountReportTable(const AnalysisState &analysis)
{
    return gradeCountTable(analysis);
}

ReportTable itemAnalysisReportTable(const AnalysisState &analysis)
{
    return itemAnalysisTable(analysis);
}

ReportTable classComparisonReportTable(const AnalysisState &analysis)
{
    return classComparisonTable(analysis);
}

std::vector<ReportTable> classComparisonSheets(const AnalysisState &analysis)
{
    if (schoolClassCount(analysis) < 2)
        return {};
    return {classComparisonReportTable(analysis)};
}

std::vector<ReportTable> classComparisonSections(const AnalysisState &analysis)
{
    if (schoolClassCount(analysis) < 2)
        return {};
    const Table table = classComparisonTable(analysis);
    const int classes = schoolClassCount(analysis);
    // The comparison's fifteen headers are wider together than a landscape
    // page: the statistics, then the grades beside the class names again.
    std::vector<int> statistics{0};
    std::vector<int> grades{0};
    for (int c = 1; c < classComparisonColumnCount(); ++c)
        (c < classComparisonFirstGradeColumn() ? statistics : grades).push_back(c);
    std::vector<ReportTable> tables;
    tables.push_back(table.slice(statistics, 0, classes + 2));
    tables.push_back(table.slice(grades, 0, classes + 2));
    tables.back().title = QStringLiteral("Porównanie klas - oceny i rzetelność");
    // The matrix under its own header row: "Pytanie", the classes, "Razem".
    std::vector<int> matrix;
    for (int c = 0; c <= classes + 1; ++c)
        matrix.push_back(c);
    const int matrixHeaderRow = classes + 4;
    tables.push_back(table.slice(matrix, matrixHeaderRow, table.rowCount()));
    tables.back().title = TableTexts().text(table, 0, matrixHeaderRow - 1);
    return tables;
}

ReportTable skillsReportTable(const AnalysisState &analysis)
{
    return skillsTable(analysis);
}

ReportTable thresholdsReportTable(const AnalysisState &analysis)
{
    Table table(2, 7);
    table.title = QStringLiteral("Progi ocen");
    table.sheetName = QStringLiteral("Progi");
    table.setColumn(0, 120, ColumnRole::Grade);
    table.setColumn(1, 100, ColumnRole::Statistic);
    table.setText(0, 0, QStringLiteral("Ocena"));
    table.setText(1, 0, QStringLiteral("Próg (%)"));
    const Thresholds &t = analysis.thresholds;
    const struct
    {
        const char16_t *grade;
        std::int32_t threshold;
    } rows[] = {{u"Cel", t.cel}, {u"Bdb", t.bdb}, {u"Db", t.db}, {u"Dst", t.dst}, {u"Dop", t.dop},
            {u"Ndst", 0}};
    int r = 1;
    for (const auto &row : rows) {
        table.setBand(r, RowBand::Plain);
        table.setText(0, r, QString::fromUtf16(row.grade), CellKind::Grade);
        table.setNumber(1, r, CellKind::Whole, row.threshold);
        table.setLook(1, r, {.fontColour = kBlack});
        ++r;
    }
    return table;
}

std::vector<ReportTable> analysisReportTables(const AnalysisState &analysis)
{
    std::vector<ReportTable> tables;
    for (const ReportTableMaker &make : analysisReportTableMakers(analysis))
        tables.push_back(make());
    return tables;
}

std::optional<QDateTime> dateTimeFromDays(double days)
{
    // About 27,000 years either way: far beyond any test, well within QDate.
    if (!std::isfinite(days) || std::abs(days) > 1e7)
        return std::nullopt;
    const double whole = std::floor(days);
    const auto milliseconds =
            static_cast<qint64>(std::llround((days - whole) * 24.0 * 60 * 60 * 1000));
    // Wall-clock time as the file holds it: no time zone, no daylight saving.
    const QDateTime midnight(
            QDate(1899, 12, 30).addDays(static_cast<qint64>(whole)), QTime(0, 0), Qt::UTC);
    return midnight.addMSecs(milliseconds);
}

std::optional<QDateTime> earliestStart(const AnalysisState &analysis)
{
    std::optional<double> earliest;
    for (const UczenAll &student : analysis.students) {
        if (std::isfinite(student.Poczatek) && (!earliest || student.Poczatek < *earliest))
            earliest = student.Poczatek;
    }
    return earliest ? dateTimeFromDays(*earliest) : std::nullopt;
}

std::vector<ReportTableMaker> analysisReportTableMakers(const AnalysisState &analysis)
{
    const AnalysisState *state = &analysis;
    std::vector<ReportTableMaker> makers{
            [state] { return resultsReportTable(*state); },
            [state] { return workingTimeReportTable(*state); },
            [state] { return gradeCountReportTable(*state); },
            [state] { return itemAnalysisReportTable(*state); },
    };
    if (!analysis.blueprint.empty())
        makers.emplace_back([state] { return skillsReportTable(*state); });
    return makers;
}

std::vector<ReportTableMaker> keptTableMakers(std::vector<ReportTable> tables)
{
    std::vector<ReportTableMaker> makers;
    for (ReportTable &table : tables) {
        auto kept = std::make_shared<const ReportTable>(std::move(table));
        makers.emplace_back([kept] { return *kept; });
    }
    return makers;
}

} // namespace zavevad
