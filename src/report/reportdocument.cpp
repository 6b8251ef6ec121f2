#include "report/reportdocument.h"

#include "appearance/applyappearance.h"
#include "appearance/chartappearance.h"
#include "charts/chartdata.h"
#include "charts/chartprint.h"
#include "charts/scorecharts.h"
#include "report/paper.h"
#include "report/reportlayout.h"
#include "tables/analysistables.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QLocale>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>

#include <algorithm>
#include <cmath>
#include <optional>

namespace zavevad {

using namespace reportlayout;

namespace {

/// Each column's room: the grid's width, or the widest text and its padding
/// where that is wider; and the least it can do with, its widest text with
/// the padding that painting leaves, so that no text is ever cut.
struct ColumnWidths
{
    std::vector<double> natural;
    std::vector<double> least;
};

ColumnWidths measureColumns(const ReportTable &table, double points)
{
    const QFontMetricsF regular(cellFont(points, false));
    const QFontMetricsF bold(cellFont(points, true));
    const TableTexts texts;
    std::vector<double> text;
    for (const ReportCell &cell : texts.shownRow(table, 0))
        text.push_back(bold.horizontalAdvance(cell.text));
    // Every text is measured, as the longest by characters need not be the
    // widest; short texts (answers, counts, grades) repeat and are measured once.
    QHash<QString, double> known[2];
    for (int r = 1; r < table.rowCount(); ++r) {
        const std::vector<ReportCell> cells = texts.shownRow(table, r);
        for (std::size_t c = 0; c < cells.size() && c < text.size(); ++c) {
            const ReportCell &cell = cells[c];
            if (cell.text.isEmpty())
                continue;
            const QFontMetricsF &metrics = cell.bold ? bold : regular;
            double width = 0;
            if (cell.text.size() > kShortText) {
                width = metrics.horizontalAdvance(cell.text);
            } else {
                QHash<QString, double> &widths = known[cell.bold ? 1 : 0];
                auto found = widths.constFind(cell.text);
                if (found == widths.constEnd())
                    found = widths.insert(cell.text, metrics.horizontalAdvance(cell.text));
                width = *found;
            }
            text[c] = std::max(text[c], width);
        }
    }
    ColumnWidths widths;
    const double scale = points / kCellPoints;
    for (std::size_t c = 0; c < text.size(); ++c) {
        const double grid = static_cast<int>(c) < table.columnCount()
                ? table.column(static_cast<int>(c)).width * kPointsPerPixel * kUnitsPerPoint * scale
                : 0;
        // A hair more than the text: the painted glyphs may round up.
        const double least = std::ceil(text[c]) + kUnitsPerPoint / 10 + 2 * kCellPaddingX;
        widths.natural.push_back(std::max(grid, least));
        widths.least.push_back(least);
    }
    return widths;
}

double sumOf(const std::vector<double> &values, const std::vector<int> &columns)
{
    double total = 0;
    for (int c : columns)
        total += values[static_cast<std::size_t>(c)];
    return total;
}

/// The widths of `columns` within `room`: their natural widths, or where
/// those are too wide, each giving up its slack in proportion. Never below
/// the least, even when that overflows the room (a part of a single column).
std::vector<double> fitWidths(
        const ColumnWidths &measured, const std::vector<int> &columns, double room)
{
    std::vector<double> widths;
    const double natural = sumOf(measured.natural, columns);
    const double slack = natural - sumOf(measured.least, columns);
    const double excess = std::max(natural - room, 0.0);
    for (int c : columns) {
        const auto i = static_cast<std::size_t>(c);
        double width = measured.natural[i];
        if (excess > 0 && slack > 0)
            width -= (measured.natural[i] - measured.least[i]) * std::min(excess / slack, 1.0);
        widths.push_back(width);
    }
    return widths;
}

std::vector<int> range(int first, int end)
{
    std::vector<int> columns;
    for (int c = first; c < end; ++c)
        columns.push_back(c);
    return columns;
}

/// The parts of a table too wide for a landscape page even in the smallest
/// font: the leading (frozen) columns on every part, the others shared out
/// evenly over as few parts as hold them.
std::vector<std::vector<int>> splitColumns(const ColumnWidths &measured, int leading, double room)
{
    const int count = static_cast<int>(measured.least.size());
    leading = std::clamp(leading, 0, count);
    const std::vector<int> repeated = range(0, leading);
    const double left = room - sumOf(measured.least, repeated);
    const auto fits = [&](int first, int end) {
        return sumOf(measured.least, range(first, end)) <= left;
    };
    // As few parts as a greedy fill needs...
    int parts = 0;
    for (int first = leading; first < count; ++parts) {
        int end = first + 1;
        while (end < count && fits(first, end + 1))
            ++end;
        first = end;
    }
    // ...with the columns shared out evenly when that fits too.
    std::vector<std::vector<int>> result;
    const int others = count - leading;
    bool even = parts > 0;
    for (int p = 0, first = leading; even && p < parts; ++p) {
        const int end = leading + others * (p + 1) / parts;
        even = fits(first, end);
        first = end;
    }
    for (int p = 0, first = leading; first < count; ++p) {
        int end = first + 1;
        if (even) {
            end = leading + others * (p + 1) / parts;
        } else {
            while (end < count && fits(first, end + 1))
                ++end;
        }
        std::vector<int> columns = repeated;
        for (int c = first; c < end; ++c)
            columns.push_back(c);
        result.push_back(std::move(columns));
        first = end;
    }
    if (result.empty())
        result.push_back(repeated);
    return result;
}

/// The page a table needs and how it is set there: upright when it fits,
/// else landscape, its columns giving up their slack; when even their texts
/// do not fit, a smaller font down to kSmallestPoints; then its columns split
/// over parts a page wide, each repeating the leading ones, in the largest
/// font that needs no more parts than the smallest.
QPageLayout::Orientation fitTable(const ReportTable &table, ReportDocument::TableLayout &layout)
{
    layout = {};
    const std::vector<int> all = range(0, table.columnCount());
    ColumnWidths measured = measureColumns(table, kCellPoints);
    layout.points = kCellPoints;
    if (sum(measured.natural) <= contentRect(QPageLayout::Portrait).width()) {
        layout.parts.push_back({all, measured.natural});
        return QPageLayout::Portrait;
    }
    const double room = contentRect(QPageLayout::Landscape).width();
    std::vector<std::pair<double, ColumnWidths>> sizes;
    for (double points = kCellPoints; points >= kSmallestPoints; points -= 0.5) {
        if (points != kCellPoints)
            measured = measureColumns(table, points);
        layout.points = points;
        if (sum(measured.least) <= room) {
            layout.parts.push_back({all, fitWidths(measured, all, room)});
            return QPageLayout::Landscape;
        }
        sizes.emplace_back(points, measured);
    }
    // Split: as few parts as the smallest font needs, in the largest font
    // that needs no more of them.
    const std::size_t fewest = splitColumns(measured, table.frozenColumns, room).size();
    for (const auto &[points, widths] : sizes) {
        std::vector<std::vector<int>> parts = splitColumns(widths, table.frozenColumns, room);
        if (parts.size() > fewest)
            continue;
        layout.points = points;
        for (std::vector<int> &columns : parts) {
            std::vector<double> fitted = fitWidths(widths, columns, room);
            layout.parts.push_back({std::move(columns), std::move(fitted)});
        }
        break;
    }
    return QPageLayout::Landscape;
}

TitleSection titleSection(const AnalysisState &analysis)
{
    const QLocale locale;
    TitleSection title;
    title.heading = QStringLiteral("Raport z analizy testu");
    const QString testName =
            analysis.students.empty() ? QString() : analysis.students.front().NazwaTestu;
    title.lines.emplace_back(QStringLiteral("Test:"), testName);
    const std::optional<QDateTime> start = earliestStart(analysis);
    title.lines.emplace_back(QStringLiteral("Data testu:"),
            start ? locale.toString(start->date(), QLocale::ShortFormat) : QString());
    title.lines.emplace_back(
            QStringLiteral("Liczba uczniów:"), QString::number(analysis.studentCount));
    title.lines.emplace_back(
            QStringLiteral("Liczba pytań:"), QString::number(analysis.questionCount));
    title.lines.emplace_back(
            QStringLiteral("Progi ocen:"), gradeThresholdsText(analysis.thresholds));
    return title;
}

/// The grade pie as the "Wykres kołowy" item draws it from the grade-count
/// table, on white paper rather than the window's dark panel.
ChartSection gradePieSection(const AnalysisState &analysis)
{
    GridModel grid;
    GridState state;
    AnalysisTables(grid, state, analysis).PokazOceny();
    Appearances appearances;
    FillAppearanceDefaults(appearances);
    ChartKindState kinds;
    kinds.ChartKind = ChartKindPie;
    ChartSection section;
    section.title = QStringLiteral("Wykres - Ilość ocen");
    BuildChartFromTable(
            {grid, TableGradeCount, analysis.studentCount, 0}, appearances, section.chart, kinds);
    putOnPaper(section.chart);
    return section;
}

/// The score distribution as its "Wykresy" item draws it, on white paper.
ChartSection scoreDistributionSection(const AnalysisState &analysis)
{
    Appearances appearances;
    FillAppearanceDefaults(appearances);
    ChartKindState kinds;
    ChartSection section;
    section.title = QStringLiteral("Wykres - Rozkład punktów");
    BuildScoreChart(ScoreChart::Distribution, analysis, appearances, section.chart, kinds);
    putOnPaper(section.chart);
    return section;
}

/// Where a page that could hold the rows up to `end` breaks a table of
/// `rows` rows: never leaving fewer than kMinRowsUnderTitle rows for the next
/// page, nor splitting the summary rows from `summaryStart` on, as long as
/// the page keeps at least one row.
int breakRow(int first, int end, int rows, int summaryStart)
{
    if (end >= rows)
        return rows;
    int at = end;
    for (int pass = 0; pass < 2; ++pass) {
        if (at > summaryStart && at < rows && summaryStart > first)
            at = summaryStart;
        if (rows - at < kMinRowsUnderTitle && rows - kMinRowsUnderTitle > first)
            at = std::min(at, rows - kMinRowsUnderTitle);
    }
    return at > first ? at : end;
}

} // namespace

std::vector<ReportSection> reportSections(const AnalysisState &analysis)
{
    std::vector<ReportSection> sections;
    sections.emplace_back(titleSection(analysis));
    for (ReportTable &table : analysisReportTables(analysis))
        sections.emplace_back(TableSection{std::move(table)});
    for (ReportTable &table : classComparisonSections(analysis))
        sections.emplace_back(TableSection{std::move(table)});
    sections.emplace_back(gradePieSection(analysis));
    sections.emplace_back(scoreDistributionSection(analysis));
    return sections;
}

ReportDocument::ReportDocument(std::vector<ReportSection> sections)
    : m_sections(std::move(sections))
{
    layout();
}

void ReportDocument::layout()
{
    m_pages.clear();
    m_tables.assign(m_sections.size(), {});

    // The orientation each section asks for; the title block takes the next one's.
    std::vector<std::optional<QPageLayout::Orientation>> wanted;
    for (std::size_t i = 0; i < m_sections.size(); ++i) {
        const ReportSection &section = m_sections[i];
        if (const auto *table = std::get_if<TableSection>(&section)) {
            wanted.emplace_back(fitTable(table->table, m_tables[i]));
        } else if (std::holds_alternative<ChartSection>(section)) {
            wanted.emplace_back(QPageLayout::Portrait);
        } else {
            wanted.emplace_back();
        }
    }
    for (std::size_t i = wanted.size(); i-- > 0;) {
        if (!wanted[i])
            wanted[i] = i + 1 < wanted.size() ? wanted[i + 1] : QPageLayout::Portrait;
    }

    const double titleH = sectionTitleHeight();
    double y = 0;
    auto newPage = [&](QPageLayout::Orientation orientation) {
        m_pages.push_back(Page{orientation, {}});
        y = contentRect(orientation).top();
    };
    // Starts a new page unless `height` fits below what the page holds; returns the top.
    auto place = [&](QPageLayout::Orientation orientation, double height) {
        const bool empty = m_pages.empty() || m_pages.back().blocks.empty();
        const double gap = empty ? 0 : kSectionGap;
        if (m_pages.empty() || m_pages.back().orientation != orientation
                || y + gap + height > contentRect(orientation).bottom()) {
            newPage(orientation);
            return y;
        }
        return y + gap;
    };

    for (std::size_t i = 0; i < m_sections.size(); ++i) {
        const QPageLayout::Orientation orientation = *wanted[i];
        const QRectF content = contentRect(orientation);
        const int section = static_cast<int>(i);
        const ReportSection &item = m_sections[i];

        if (const auto *title = std::get_if<TitleSection>(&item)) {
            const double height = titleSectionHeight(*title);
            const double top = place(orientation, height);
            m_pages.back().blocks.push_back(
                    {section, 0, 0, true, QRectF(content.left(), top, content.width(), height)});
            y = top + height;
        } else if (std::holds_alternative<ChartSection>(item)) {
            const double height = titleH + chartHeight(orientation);
            const double top = place(orientation, height);
            m_pages.back().blocks.push_back(
                    {section, 0, 0, true, QRectF(content.left(), top, content.width(), height)});
            y = top + height;
        } else {
            const ReportTable &table = std::get<TableSection>(item).table;
            const TableLayout &setting = m_tables[i];
            const double rowH = rowHeight(setting.points);
            const int rows = table.bodyRowCount();
            const int summaryStart = rows - std::clamp(table.summaryRows, 0, rows);
            const int firstRows = std::min(rows, kMinRowsUnderTitle);
            const int parts = static_cast<int>(setting.parts.size());
            for (int part = 0; part < parts; ++part) {
                const double width = sum(setting.parts[static_cast<std::size_t>(part)].widths);
                double top = place(orientation, titleH + rowH * (1 + firstRows));
                int row = 0;
                bool first = true;
                do {
                    const double room = content.bottom() - top - (first ? titleH : 0) - rowH;
                    const int fit = std::max(1, static_cast<int>(std::floor(room / rowH)));
                    const int end = breakRow(row, std::min(rows, row + fit), rows, summaryStart);
                    const int count = end - row;
                    const double height = (first ? titleH : 0) + rowH * (1 + count);
                    m_pages.back().blocks.push_back({section, row, count, first,
                            QRectF(content.left(), top, width, height), part});
                    y = top + height;
                    row = end;
                    first = false;
                    if (row < rows) {
                        newPage(orientation);
                        top = y;
                    }
                } while (row < rows);
            }
        }
    }
}

} // namespace zavevad
