#include "export/reporttables.h"

#include "results/classcomparison.h"
#include "tables/analysistables.h"
#include "tables/classcomparisontable.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"
#include "tables/itemanalysistable.h"
#include "tables/numberformat.h"
#include "tables/skillstable.h"

#include "results/itemanalysis.h"

#include <QHash>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <memory>

namespace zavevad {

namespace {

constexpr int kQuestionsPerPage = 15;
constexpr qsizetype kSharedTextLength = 6;

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

/// Grid rows `headerRow` (the header) to `rowCount` - 1 as a table.
ReportTable snapshot(const std::vector<SourceColumn> &columns, int rowCount, int headerRow = 0)
{
    const QLocale locale;
    ReportTable table;
    table.header.reserve(columns.size());
    for (const SourceColumn &source : columns) {
        table.header.push_back(gridCell(*source.grid, source.column, headerRow));
        table.columnWidths.push_back(source.grid->columnWidth(source.column));
    }
    table.rows.reserve(static_cast<std::size_t>(std::max(rowCount - headerRow - 1, 0)));
    // Short texts (answers, counts, grades) repeat in most cells: each is kept
    // once and shared, so that a large class's table outlives its grid in a
    // fraction of the memory.
    QHash<QString, QString> shortTexts;
    for (int row = headerRow + 1; row < rowCount; ++row) {
        std::vector<ReportCell> cells;
        cells.reserve(columns.size());
        for (const SourceColumn &source : columns) {
            ReportCell cell = gridCell(*source.grid, source.column, row);
            if (cell.text.size() <= kSharedTextLength) {
                auto known = shortTexts.constFind(cell.text);
                if (known == shortTexts.constEnd())
                    known = shortTexts.insert(cell.text, cell.text);
                cell.text = *known;
            }
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

/// The rows below the first `bodyRows` of a table.
int summaryAfter(const ReportTable &table, int bodyRows)
{
    return std::max(static_cast<int>(table.rows.size()) - std::max(bodyRows, 0), 0);
}

constexpr double kSecondsPerDay = 24 * 60 * 60;

/// A working time as the table shows it: the time of day of its absolute
/// value, to the second the table shows, as whole seconds in days, so that
/// a spreadsheet, which cuts rather than rounds, shows the same hh:mm:ss.
void setDuration(ReportCell &cell, double days)
{
    if (!std::isfinite(days))
        return;
    cell.kind = ReportCell::Kind::Duration;
    cell.value = std::floor(timeOfDayMilliseconds(days) / 1000.0) / kSecondsPerDay;
}

/// A start or end: its date and, to the second, the time the table shows.
void setDateTime(ReportCell &cell, double days)
{
    // A value no spreadsheet could show (none, or before its first day) stays
    // the text the table shows.
    if (!std::isfinite(days) || days < 0 || days > 1e7)
        return;
    const double whole = std::floor(days);
    const double milliseconds = std::round((days - whole) * kSecondsPerDay * 1000);
    // A fraction that rounds up to a whole day is the next day's midnight, as
    // the table shows it.
    const bool nextDay = milliseconds >= kSecondsPerDay * 1000;
    cell.kind = ReportCell::Kind::DateTime;
    cell.value = nextDay ? whole + 1 : whole + std::floor(milliseconds / 1000) / kSecondsPerDay;
}

/// A statistic the table shows to two decimals: the exact value, so that
/// formulas get it, shown as "0.00". Where the table rounds a half to the
/// even neighbour and a spreadsheet would round it away from zero, the value
/// the table shows, so that both show the same.
void setStatistic(ReportCell &cell, std::optional<double> exact)
{
    if (cell.kind != ReportCell::Kind::Number)
        return;
    cell.decimals = 2;
    if (!exact || !std::isfinite(*exact))
        return;
    const double scaled = *exact * 100;
    if (std::abs(std::abs(scaled - std::trunc(scaled)) - 0.5) > 1e-7)
        cell.value = *exact;
}

/// Numbers the table shows with two decimals keep them in a spreadsheet
/// ("0,50", not "0,5"): for the added tables, whose statistics are taken as
/// the table shows them.
void keepTwoDecimals(ReportTable &table)
{
    const QChar point = QLocale().decimalPoint().front();
    for (std::vector<ReportCell> &cells : table.rows) {
        for (ReportCell &cell : cells) {
            const qsizetype size = cell.text.size();
            if (cell.kind == ReportCell::Kind::Number && size >= 3
                    && cell.text.at(size - 3) == point)
                cell.decimals = 2;
        }
    }
}

std::optional<double> valueOf(const std::optional<Fraction> &fraction)
{
    return fraction ? std::optional<double>(fraction->value()) : std::nullopt;
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
    table.summaryRows = summaryAfter(table, analysis.studentCount);

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
    table.summaryRows = summaryAfter(table, analysis.studentCount);

    // The grid shows the time of day only; the values keep the dates, so that
    // a spreadsheet can tell two days apart and compute with them.
    const int n = std::max(analysis.studentCount, 0);
    for (int r = 0; r < n && static_cast<std::size_t>(r) < table.rows.size(); ++r) {
        const UczenAll &student = analysis.students[static_cast<std::size_t>(r)];
        std::vector<ReportCell> &cells = table.rows[static_cast<std::size_t>(r)];
        setDateTime(cells[1], student.Poczatek);
        setDateTime(cells[2], student.Koniec);
        setDuration(cells[3], student.workingTime());
    }
    if (static_cast<std::size_t>(n) < table.rows.size())
        setDuration(table.rows[static_cast<std::size_t>(n)][3], averageWorkingTime(analysis));
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
    // The reliability and the other statistics of the whole test.
    table.summaryRows = itemAnalysisRowCount(0) - 2;

    // The grid holds the statistics rounded to its two decimals; a
    // spreadsheet gets them exact.
    const ItemAnalysis stats = computeItemAnalysis(analysis);
    const std::size_t k = stats.items.size();
    if (table.rows.size() < k + 1 + static_cast<std::size_t>(table.summaryRows))
        return table;
    for (std::size_t q = 0; q < k; ++q) {
        const ItemStats &item = stats.items[q];
        std::vector<ReportCell> &cells = table.rows[q];
        setStatistic(cells[2], item.difficulty.value());
        setStatistic(cells[4], item.discrimination);
        setStatistic(cells[5], valueOf(item.upperLower));
        setStatistic(cells[6], valueOf(item.kr20WithoutItem));
    }
    const std::optional<double> summary[] = {valueOf(stats.mean), valueOf(stats.median),
            stats.standardDeviation, valueOf(stats.kr20), stats.standardError};
    // Below the count of students, which is a whole number.
    std::size_t row = k + 2;
    for (const std::optional<double> &value : summary)
        setStatistic(table.rows[row++][1], value);
    return table;
}

ReportTable classComparisonReportTable(const AnalysisState &analysis)
{
    GridModel grid;
    GridState state;
    PokazPorownanieKlas(grid, state, analysis);
    // Every column but the class names holds numbers; the matrix's class
    // names and an undefined KR-20 ("–") stay text.
    std::vector<SourceColumn> columns;
    for (int c = 0; c < grid.columnCount(); ++c)
        columns.push_back({&grid, c, c != 0});
    ReportTable table = snapshot(columns, grid.rowCount());
    table.title = QStringLiteral("Porównanie klas");
    table.sheetName = QStringLiteral("Klasy");
    keepTwoDecimals(table);
    return table;
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
    GridModel grid;
    GridState state;
    PokazPorownanieKlas(grid, state, analysis);
    const int classes = classComparisonLastClassRow(grid);
    // The comparison's fifteen headers are wider together than a landscape
    // page: the statistics, then the grades beside the class names again.
    std::vector<SourceColumn> statistics{{&grid, 0, false}};
    std::vector<SourceColumn> grades{{&grid, 0, false}};
    for (int c = 1; c < classComparisonColumnCount(); ++c)
        (c < classComparisonFirstGradeColumn() ? statistics : grades).push_back({&grid, c, true});
    std::vector<ReportTable> tables;
    tables.push_back(snapshot(statistics, classes + 2));
    tables.back().title = QStringLiteral("Porównanie klas");
    tables.push_back(snapshot(grades, classes + 2));
    tables.back().title = QStringLiteral("Porównanie klas - oceny i rzetelność");
    // The matrix under its own header row: "Pytanie", the classes, "Razem".
    std::vector<SourceColumn> matrix;
    for (int c = 0; c <= classes + 1; ++c)
        matrix.push_back({&grid, c, c != 0});
    const int matrixHeaderRow = classes + 4;
    tables.push_back(snapshot(matrix, grid.rowCount(), matrixHeaderRow));
    tables.back().title = grid.text(0, matrixHeaderRow - 1);
    for (ReportTable &table : tables) {
        table.sheetName = QStringLiteral("Klasy");
        keepTwoDecimals(table);
    }
    return tables;
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
    keepTwoDecimals(table);
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
