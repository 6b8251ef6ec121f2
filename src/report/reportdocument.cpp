#include "report/reportdocument.h"

#include "appearance/applyappearance.h"
#include "appearance/chartappearance.h"
#include "charts/chartdata.h"
#include "charts/chartprint.h"
#include "charts/scorecharts.h"
#include "report/paper.h"
#include "report/reportlayout.h"
#include "report/summarysections.h"
#include "results/reportnotes.h"
#include "tables/analysistables.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"
#include "tables/resultstables.h"
#include "tables/tablekinds.h"

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
#include <limits>
#include <memory>
#include <optional>

namespace zavevad {

using namespace reportlayout;

namespace {

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
    // On paper, often grey, each slice says its grade and count ("Bdb 5")
    // and is hatched in its grade's colour, each in a pattern of its own:
    // no reader needs the colours to tell the slices apart.
    section.chart.pie.marks.style = chart::MarksStyle::smsLabelValue;
    // Each grade in the colour the score distribution gives it.
    for (chart::Point &point : section.chart.pie.points) {
        if (gradeNamesRising().contains(point.label))
            point.color = gradeColor(point.label);
    }
    section.chart.pie.patterns = true;
    section.chart.pie.backColor = Qt::white;
    putOnPaper(section.chart);
    return section;
}

/// A score chart as its "Wykresy" item draws it, on white paper.
ChartSection scoreChartSection(
        const AnalysisState &analysis, ScoreChart which, const QString &title)
{
    Appearances appearances;
    FillAppearanceDefaults(appearances);
    ChartKindState kinds;
    ChartSection section;
    section.title = title;
    BuildScoreChart(which, analysis, appearances, section.chart, kinds);
    putOnPaper(section.chart);
    return section;
}

/// The chart the chart window draws of `table`, a table of `info`'s kind,
/// as bars, on paper.
ChartSection tableChartSection(const Table &table, const TableKindInfo &info, int studentCount)
{
    Appearances appearances;
    FillAppearanceDefaults(appearances);
    ChartKindState kinds;
    kinds.ChartKind = ChartKindBar;
    ChartSection section;
    section.title = QStringLiteral("Wykres - ") + QString::fromUtf16(info.chart.header);
    BuildChartFromValues(table, info.kind, studentCount, appearances, section.chart, kinds);
    // Flat on paper, the norm a plain dark line the bars are read against.
    chart::Chart &chart = section.chart;
    chart.view3D.view3D = false;
    chart.line.lineColor = Qt::black;
    chart.line.pointerColor = Qt::black;
    putOnPaper(chart);
    return section;
}

/// The map of the questions as its "Wykresy" item draws it, on paper, on a
/// page of its own: a map of many questions needs the room to be read.
ChartSection questionMapSection(const AnalysisState &analysis)
{
    ChartSection section = scoreChartSection(
            analysis, ScoreChart::QuestionMap, QStringLiteral("Wykres - Mapa pytań"));
    section.ownPage = true;
    return section;
}

/// Whether the map of the questions has a point to show.
bool hasQuestionMap(const AnalysisState &analysis)
{
    const QList<QuestionMapPoint> map = questionMap(analysis);
    return std::any_of(map.begin(), map.end(), [](const QuestionMapPoint &q) { return q.r; });
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
        // A short table (the grade counts) is never split: it starts on the
        // next page when it does not fit whole.
        const int firstRows = rows <= kWholeTableRows ? rows : std::min(rows, kMinRowsUnderTitle);
        const int parts = static_cast<int>(setting.parts.size());
        for (int part = 0; part < parts; ++part) {
            const double width = sum(setting.parts[static_cast<std::size_t>(part)].widths);
            double top = place(orientation, titleH + rowH * (1 + firstRows));
            int row = 0;
            bool first = true;
            do {
                // Every page of the table repeats its title, with "(cd.)" after the first.
                const double room = bottom - top - titleH - rowH;
                const int fit = std::max(1, static_cast<int>(std::floor(room / rowH)));
                const int end = breakRow(row, std::min(rows, row + fit), rows, summaryStart);
                const int count = end - row;
                const double height = titleH + rowH * (1 + count);
                m_pages.back().blocks.push_back({section, row, count, true,
                        QRectF(left, top, width, height), part, !first});
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

    /// A section of lines or paragraphs of `heights` under a heading of
    /// `headingH` ("(cd.)" headings of `continuedH` on later pages), broken
    /// between them; one taller than a page stands on a page of its own.
    void placeItems(int section, double headingH, double continuedH,
            const std::vector<double> &heights, QPageLayout::Orientation orientation)
    {
        const QRectF content = contentRect(orientation);
        const int count = static_cast<int>(heights.size());
        const double firstH = count > 0 ? heights.front() : 0;
        double top = place(orientation, headingH + firstH);
        double y = top + headingH;
        int first = 0;
        bool continued = false;
        const auto close = [&](int end) {
            m_pages.back().blocks.push_back({section, first, end - first, true,
                    QRectF(content.left(), top, content.width(), y - top), 0, continued});
            m_y = y;
        };
        for (int i = 0; i < count; ++i) {
            const double height = heights[static_cast<std::size_t>(i)];
            if (i > first && y + height > content.bottom()) {
                close(i);
                newPage(orientation);
                top = m_y;
                y = top + continuedH;
                first = i;
                continued = true;
            }
            y += height;
        }
        close(count);
    }

    /// The next block starts on a new page.
    void endPage() { m_y = std::numeric_limits<double>::infinity(); }

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
    // The summary's figures are few: computed once, read by the text sections.
    const auto figures = std::make_shared<const SummaryFigures>(
            summaryFigures(analysis, readReportNotes(analysis.blueprintFolder).notes));
    const QDate today = QDate::currentDate();
    std::vector<ReportSectionMaker> makers{[figures, state, today] {
        return ReportSection(summarySection(*figures, state->thresholds, today));
    }};
    if (conclusionsSection(*figures))
        makers.emplace_back([figures] { return ReportSection(*conclusionsSection(*figures)); });
    if (teacherSection(figures->notes))
        makers.emplace_back([figures] { return ReportSection(*teacherSection(figures->notes)); });
    const std::vector<OutputTable> tables = outputTables(analysis, Output::Report);
    for (std::size_t i = 0; i < tables.size(); ++i) {
        const OutputTable &table = tables[i];
        makers.emplace_back([make = table.make] { return ReportSection(TableSection{make()}); });
        // A chart follows the last part of its table.
        if (i + 1 < tables.size() && tables[i + 1].info == table.info)
            continue;
        if (table.info->outputs.reportChart) {
            makers.emplace_back([state, table] {
                return ReportSection(
                        tableChartSection(table.make(), *table.info, state->studentCount));
            });
        }
        if (table.info->kind == TableItemAnalysis && hasQuestionMap(analysis))
            makers.emplace_back([state] { return ReportSection(questionMapSection(*state)); });
    }
    makers.emplace_back([state] { return ReportSection(gradePieSection(*state)); });
    makers.emplace_back([state] {
        return ReportSection(scoreChartSection(
                *state, ScoreChart::Distribution, QStringLiteral("Wykres - Rozkład punktów")));
    });
    const bool classes = figures->classes.size() > 1;
    const bool skills = !analysis.blueprint.empty();
    makers.emplace_back([classes, skills] { return ReportSection(keySection(classes, skills)); });
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
    m_runningHeader.clear();
    m_tables.assign(sectionCount(), {});
    PageFlow flow(m_pages);
    MadeSection made;
    for (std::size_t i = 0; i < sectionCount(); ++i) {
        const int section = static_cast<int>(i);
        const ReportSection &item = sectionAt(i, made);
        // Text reads best upright: the summary, the conclusions and the key
        // stand on portrait pages whatever follows them.
        if (const auto *title = std::get_if<TitleSection>(&item)) {
            if (i == 0)
                m_runningHeader = title->runningHeader;
            flow.placeItems(section, titleHeadingHeight(*title), sectionTitleHeight(),
                    titleLineHeights(*title), QPageLayout::Portrait);
        } else if (const auto *text = std::get_if<TextSection>(&item)) {
            if (text->newPage)
                flow.endPage();
            flow.placeItems(section, sectionTitleHeight(), sectionTitleHeight(),
                    paragraphHeights(*text), QPageLayout::Portrait);
        } else if (const auto *table = std::get_if<TableSection>(&item)) {
            const QPageLayout::Orientation orientation = fitTable(table->table, m_tables[i]);
            flow.placeTable(section, table->table.bodyRowCount(), table->table.summaryRows,
                    m_tables[i], orientation);
        } else {
            const bool ownPage = std::get<ChartSection>(item).ownPage;
            if (ownPage)
                flow.endPage();
            flow.placeWhole(section, QPageLayout::Portrait,
                    sectionTitleHeight() + chartHeight(QPageLayout::Portrait));
            if (ownPage)
                flow.endPage();
        }
    }
}

} // namespace zavevad
