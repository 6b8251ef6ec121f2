#include "report/reportdocument.h"

#include "appearance/applyappearance.h"
#include "appearance/chartappearance.h"
#include "charts/chartdata.h"
#include "charts/chartprint.h"
#include "charts/scorecharts.h"
#include "report/paper.h"
#include "report/reportlayout.h"
#include "tables/resultstables.h"

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
#include <bit>
#include <cmath>
#include <optional>

namespace zavevad {

using namespace reportlayout;

namespace {

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
    Appearances appearances;
    FillAppearanceDefaults(appearances);
    ChartKindState kinds;
    kinds.ChartKind = ChartKindPie;
    ChartSection section;
    section.title = QStringLiteral("Wykres - Ilość ocen");
    BuildChartFromValues(gradeCountTable(analysis), TableGradeCount, analysis.studentCount,
            appearances, section.chart, kinds);
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

/// The pages filled from the top, block after block.
class PageFlow
{
public:
    explicit PageFlow(std::vector<ReportDocument::Page> &pages) : m_pages(pages) { }

    /// A block never split over pages: the title block, a chart.
    void placeWhole(int section, QPageLayout::Orientation orientation, double height)
    {
        const QRectF content = contentRect(orientation);
        const double top = place(orientation, height);
        m_pages.back().blocks.push_back(
                {section, 0, 0, true, QRectF(content.left(), top, content.width(), height)});
        m_y = top + height;
    }

    /// A table of `rows` body rows, the last `summaryRows` of them kept
    /// together, each of its parts from a new block on.
    void placeTable(int section, int rows, int summaryRows,
            const ReportDocument::TableLayout &setting, QPageLayout::Orientation orientation)
    {
        const double titleH = sectionTitleHeight();
        const double bottom = contentRect(orientation).bottom();
        const double left = contentRect(orientation).left();
        const double rowH = rowHeight(setting.points);
        const int summaryStart = rows - std::clamp(summaryRows, 0, rows);
        const int firstRows = std::min(rows, kMinRowsUnderTitle);
        const int parts = static_cast<int>(setting.parts.size());
        for (int part = 0; part < parts; ++part) {
            const double width = sum(setting.parts[static_cast<std::size_t>(part)].widths);
            double top = place(orientation, titleH + rowH * (1 + firstRows));
            int row = 0;
            bool first = true;
            do {
                const double room = bottom - top - (first ? titleH : 0) - rowH;
                const int fit = std::max(1, static_cast<int>(std::floor(room / rowH)));
                const int end = breakRow(row, std::min(rows, row + fit), rows, summaryStart);
                const int count = end - row;
                const double height = (first ? titleH : 0) + rowH * (1 + count);
                m_pages.back().blocks.push_back(
                        {section, row, count, first, QRectF(left, top, width, height), part});
                m_y = top + height;
                row = end;
                first = false;
                if (row < rows) {
                    newPage(orientation);
                    top = m_y;
                }
            } while (row < rows);
        }
    }

private:
    void newPage(QPageLayout::Orientation orientation)
    {
        m_pages.push_back(ReportDocument::Page{orientation, {}});
        m_y = contentRect(orientation).top();
    }

    /// Starts a new page unless `height` fits below what the page holds; returns the top.
    double place(QPageLayout::Orientation orientation, double height)
    {
        const bool empty = m_pages.empty() || m_pages.back().blocks.empty();
        const double gap = empty ? 0 : kSectionGap;
        if (m_pages.empty() || m_pages.back().orientation != orientation
                || m_y + gap + height > contentRect(orientation).bottom()) {
            newPage(orientation);
            return m_y;
        }
        return m_y + gap;
    }

    std::vector<ReportDocument::Page> &m_pages;
    double m_y = 0;
};

} // namespace

std::vector<ReportSectionMaker> reportSectionMakers(const AnalysisState &analysis)
{
    const AnalysisState *state = &analysis;
    std::vector<ReportSectionMaker> makers{[state] {
        return ReportSection(titleSection(*state));
    }};
    const auto addTables = [&makers](std::vector<ReportTableMaker> tables) {
        for (ReportTableMaker &table : tables) {
            makers.emplace_back(
                    [table = std::move(table)] { return ReportSection(TableSection{table()}); });
        }
    };
    addTables(outputTableMakers(analysis, Output::Report));
    makers.emplace_back([state] { return ReportSection(gradePieSection(*state)); });
    makers.emplace_back([state] { return ReportSection(scoreDistributionSection(*state)); });
    return makers;
}

std::vector<ReportSection> reportSections(const AnalysisState &analysis)
{
    const std::vector<ReportSectionMaker> makers = reportSectionMakers(analysis);
    std::vector<ReportSection> sections;
    // Reserved: a section moved on growth would be copied, tables and all.
    sections.reserve(makers.size());
    for (const ReportSectionMaker &make : makers)
        sections.push_back(make());
    return sections;
}

ReportDocument::ReportDocument(std::vector<ReportSection> sections)
    : m_sections(std::move(sections))
{
    layout();
}

ReportDocument::ReportDocument(std::vector<ReportSectionMaker> makers) : m_makers(std::move(makers))
{
    layout();
}

std::size_t ReportDocument::sectionCount() const
{
    return m_makers.empty() ? m_sections.size() : m_makers.size();
}

const ReportSection &ReportDocument::sectionAt(std::size_t index, MadeSection &made) const
{
    if (m_makers.empty())
        return m_sections[index];
    if (!made.section || made.index != index) {
        // The one before goes first: never two sections at once.
        made.section.reset();
        made.section.emplace(m_makers[index]());
        made.index = index;
    }
    return *made.section;
}

void ReportDocument::layout()
{
    m_pages.clear();
    m_tables.assign(sectionCount(), {});
    PageFlow flow(m_pages);
    MadeSection made;
    // A section that asks for no orientation (the title block) takes the
    // next one's: it waits, measured, until that one is set.
    std::vector<std::pair<int, double>> waiting;
    const auto placeWaiting = [&](QPageLayout::Orientation orientation) {
        for (const auto &[section, height] : waiting)
            flow.placeWhole(section, orientation, height);
        waiting.clear();
    };
    for (std::size_t i = 0; i < sectionCount(); ++i) {
        const int section = static_cast<int>(i);
        const ReportSection &item = sectionAt(i, made);
        if (const auto *title = std::get_if<TitleSection>(&item)) {
            waiting.emplace_back(section, titleSectionHeight(*title));
            continue;
        }
        const auto *table = std::get_if<TableSection>(&item);
        const QPageLayout::Orientation orientation =
                table ? fitTable(table->table, m_tables[i]) : QPageLayout::Portrait;
        placeWaiting(orientation);
        if (table) {
            flow.placeTable(section, table->table.bodyRowCount(), table->table.summaryRows,
                    m_tables[i], orientation);
        } else {
            flow.placeWhole(section, orientation, sectionTitleHeight() + chartHeight(orientation));
        }
    }
    placeWaiting(QPageLayout::Portrait);
}

} // namespace zavevad
