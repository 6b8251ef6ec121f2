#include "export/reporttables.h"

#include "tables/analysistables.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"
#include "tables/itemanalysistable.h"
#include "tables/skillstable.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace zavevad {

namespace {

constexpr int kQuestionsPerPage = 15;

Qt::Alignment qtAlignment(TMyAlign alignment)
{
    switch (alignment) {
    case alRight:
        return Qt::AlignRight;
    case alCenter:
        return Qt::AlignHCenter;
    case alLeft:
    case alDefault:
        break;
    }
    return Qt::AlignLeft;
}

/// A grid cell as the grid view resolves it.
ReportCell gridCell(const GridModel &grid, int column, int row)
{
    ReportCell cell;
    cell.text = grid.text(column, row);
    cell.background = grid.resolvedBackground(column, row);
    const GridFont &font = grid.resolvedFont(column, row);
    cell.color = font.color();
    cell.bold = font.bold();
    cell.alignment = qtAlignment(grid.resolvedAlignment(column, row));
    return cell;
}

/// One column of a report table: which grid and which of its columns, and
/// whether its body texts are numbers.
struct SourceColumn
{
    const GridModel *grid;
    int column;
    bool numeric;
};

ReportTable snapshot(const std::vector<SourceColumn> &columns, int rowCount)
{
    const QLocale locale;
    ReportTable table;
    table.header.reserve(columns.size());
    for (const SourceColumn &source : columns) {
        table.header.push_back(gridCell(*source.grid, source.column, 0));
        table.columnWidths.push_back(source.grid->columnWidth(source.column));
    }
    table.rows.reserve(static_cast<std::size_t>(std::max(rowCount - 1, 0)));
    for (int row = 1; row < rowCount; ++row) {
        std::vector<ReportCell> cells;
        cells.reserve(columns.size());
        for (const SourceColumn &source : columns) {
            ReportCell cell = gridCell(*source.grid, source.column, row);
            if (source.numeric && !cell.text.isEmpty()) {
                // The text the table wrote, read back in the same locale: the
                // value is the one on screen, whatever rounding made it.
                bool ok = false;
                const double value = locale.toDouble(cell.text, &ok);
                if (ok && std::isfinite(value)) {
                    cell.kind = ReportCell::Kind::Number;
                    cell.value = value;
                }
            }
            cells.push_back(std::move(cell));
        }
        table.rows.push_back(std::move(cells));
    }
    return table;
}

void setTime(ReportCell &cell, ReportCell::Kind kind, double days)
{
    // A value no spreadsheet could show stays the text the table shows.
    if (!std::isfinite(days))
        return;
    cell.kind = kind;
    cell.value = days;
}

} // namespace

ReportTable resultsReportTable(const AnalysisState &analysis)
{
    const int q = usableQuestionCount(analysis.questionCount);
    const int firstPageColumns = std::min(q, kQuestionsPerPage);

    GridModel firstPage;
    GridState firstState;
    AnalysisTables(firstPage, firstState, analysis).PokazTabele(TableResults);
    GridModel secondPage;
    GridState secondState;
    if (q > kQuestionsPerPage)
        AnalysisTables(secondPage, secondState, analysis).PokazWyniki(2);

    std::vector<SourceColumn> columns{{&firstPage, 0, false}};
    for (int c = 1; c <= firstPageColumns; ++c)
        columns.push_back({&firstPage, c, true});
    for (int c = 1; c <= q - kQuestionsPerPage; ++c)
        columns.push_back({&secondPage, c, true});
    columns.push_back({&firstPage, firstPageColumns + 1, true});
    columns.push_back({&firstPage, firstPageColumns + 2, false});

    ReportTable table = snapshot(columns, firstPage.rowCount());
    table.title = QStringLiteral("Tabela - Wyniki testu");
    table.sheetName = QStringLiteral("Wyniki");

    // The screen tells its two question pages apart by the colour of the
    // correct counts; in one table every count has the first page's colour.
    const std::size_t sumRow = static_cast<std::size_t>(std::max(analysis.studentCount, 0));
    if (firstPageColumns > 0 && sumRow < table.rows.size()) {
        std::vector<ReportCell> &cells = table.rows[sumRow];
        for (int c = firstPageColumns + 1; c <= q; ++c)
            cells[static_cast<std::size_t>(c)].color = cells[1].color;
    }
    return table;
}

ReportTable workingTimeReportTable(const AnalysisState &analysis)
{
    GridModel grid;
    GridState state;
    AnalysisTables(grid, state, analysis).PokazCzasPracy();
    ReportTable table =
            snapshot({{&grid, 0, false}, {&grid, 1, false}, {&grid, 2, false}, {&grid, 3, false}},
                    grid.rowCount());
    table.title = QStringLiteral("Tabela - Czas pracy");
    table.sheetName = QStringLiteral("Czas pracy");

    // The grid shows the time of day only; the values keep the dates, so that
    // a spreadsheet can tell two days apart and compute with them.
    const int n = std::max(analysis.studentCount, 0);
    for (int r = 0; r < n && static_cast<std::size_t>(r) < table.rows.size(); ++r) {
        const UczenAll &student = analysis.students[static_cast<std::size_t>(r)];
        std::vector<ReportCell> &cells = table.rows[static_cast<std::size_t>(r)];
        setTime(cells[1], ReportCell::Kind::DateTime, student.Poczatek);
        setTime(cells[2], ReportCell::Kind::DateTime, student.Koniec);
        setTime(cells[3], ReportCell::Kind::Duration, student.workingTime());
    }
    if (static_cast<std::size_t>(n) < table.rows.size())
        setTime(table.rows[static_cast<std::size_t>(n)][3], ReportCell::Kind::Duration,
                averageWorkingTime(analysis));
    return table;
}

ReportTable gradeCountReportTable(const AnalysisState &analysis)
{
    GridModel grid;
    GridState state;
    AnalysisTables(grid, state, analysis).PokazOceny();
    ReportTable table = snapshot({{&grid, 0, false}, {&grid, 1, true}}, grid.rowCount());
    table.title = QStringLiteral("Tabela - Ilość ocen");
    table.sheetName = QStringLiteral("Ilość ocen");
    return table;
}

ReportTable itemAnalysisReportTable(const AnalysisState &analysis)
{
    GridModel grid;
    GridState state;
    PokazAnalizePytan(grid, state, analysis);
    // Every column but the question's interpretation and remarks holds
    // numbers; an undefined statistic ("–") stays text.
    std::vector<SourceColumn> columns;
    for (int c = 0; c < grid.columnCount(); ++c)
        columns.push_back({&grid, c, c != 3 && c != 7});
    ReportTable table = snapshot(columns, grid.rowCount());
    table.title = QStringLiteral("Tabela - Analiza pytań");
    table.sheetName = QStringLiteral("Analiza pytań");
    return table;
}

ReportTable skillsReportTable(const AnalysisState &analysis)
{
    GridModel grid;
    GridState state;
    PokazUmiejetnosci(grid, state, analysis);
    // The counts and the share hold numbers; names, requirements, question
    // lists and the interpretation stay text.
    std::vector<SourceColumn> columns;
    for (int c = 0; c < grid.columnCount(); ++c)
        columns.push_back({&grid, c, c == 3 || c == 4 || c == 6});
    ReportTable table = snapshot(columns, grid.rowCount());
    table.title = QStringLiteral("Tabela - Umiejętności");
    table.sheetName = QStringLiteral("Umiejętności");
    return table;
}

ReportTable thresholdsReportTable(const AnalysisState &analysis)
{
    const GridModel grid;
    ReportTable table;
    table.title = QStringLiteral("Progi ocen");
    table.sheetName = QStringLiteral("Progi");
    table.columnWidths = {120, 100};
    for (const QString &caption : {QStringLiteral("Ocena"), QStringLiteral("Próg (%)")}) {
        ReportCell cell;
        cell.text = caption;
        cell.background = grid.headerBackground();
        cell.color = grid.headerFont().color();
        cell.bold = true;
        cell.alignment = Qt::AlignHCenter;
        table.header.push_back(cell);
    }
    const Thresholds &t = analysis.thresholds;
    const struct
    {
        const char16_t *grade;
        std::int32_t threshold;
    } rows[] = {{u"Cel", t.cel}, {u"Bdb", t.bdb}, {u"Db", t.db}, {u"Dst", t.dst}, {u"Dop", t.dop},
            {u"Ndst", 0}};
    for (const auto &row : rows) {
        ReportCell grade;
        grade.text = QString::fromUtf16(row.grade);
        grade.background = colorFromPacked(GridState().plainRowColour);
        grade.color = grid.bodyFont().color();
        ReportCell threshold = grade;
        threshold.text = QString::number(row.threshold);
        threshold.kind = ReportCell::Kind::Number;
        threshold.value = row.threshold;
        threshold.alignment = Qt::AlignHCenter;
        table.rows.push_back({grade, threshold});
    }
    return table;
}

std::vector<ReportTable> analysisReportTables(const AnalysisState &analysis)
{
    std::vector<ReportTable> tables;
    tables.push_back(resultsReportTable(analysis));
    tables.push_back(workingTimeReportTable(analysis));
    tables.push_back(gradeCountReportTable(analysis));
    tables.push_back(itemAnalysisReportTable(analysis));
    if (!analysis.blueprint.empty())
        tables.push_back(skillsReportTable(analysis));
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

} // namespace zavevad
