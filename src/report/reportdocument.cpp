#include "report/reportdocument.h"

#include "appearance/applyappearance.h"
#include "appearance/chartappearance.h"
#include "charts/chartdata.h"
#include "charts/chartprint.h"
#include "charts/scorecharts.h"
#include "report/paper.h"
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

namespace {

constexpr double kMargin = 42.52 * kUnitsPerPoint; // 15 mm
constexpr double kSectionGap = 24 * kUnitsPerPoint;
constexpr double kTitleGap = 6 * kUnitsPerPoint;
constexpr double kCellPaddingX = 3 * kUnitsPerPoint;
constexpr double kCellPaddingY = 2.5 * kUnitsPerPoint;
/// Screen pixels (96 per inch) to points.
constexpr double kPointsPerPixel = 0.75;
/// The chart is drawn at a size like the chart window's and scaled onto the page.
constexpr QSizeF kChartPixels{720, 480};
/// Texts up to this length (answers, counts, grades) are measured and laid
/// out once, however many cells hold them.
constexpr qsizetype kShortText = 6;
/// A table whose first page would hold fewer rows than this starts on the
/// next page, and no page break leaves fewer of them on the next page.
constexpr int kMinRowsUnderTitle = 3;
/// The cells' font, and the smallest it gets on a crowded page.
constexpr double kCellPoints = 8;
constexpr double kSmallestPoints = 6;

QFont headingFont()
{
    return reportFont(16, true);
}
QFont labelFont(bool bold = false)
{
    return reportFont(10, bold);
}
QFont sectionTitleFont()
{
    return reportFont(11, true);
}
QFont cellFont(double points, bool bold)
{
    return reportFont(points, bold);
}

QSizeF pageSize(QPageLayout::Orientation orientation)
{
    const QSizeF portrait = QPageSize(QPageSize::A4).size(QPageSize::Point) * kUnitsPerPoint;
    return orientation == QPageLayout::Portrait ? portrait : portrait.transposed();
}

QRectF contentRect(QPageLayout::Orientation orientation)
{
    const QSizeF size = pageSize(orientation);
    return QRectF(kMargin, kMargin, size.width() - 2 * kMargin, size.height() - 2 * kMargin);
}

double rowHeight(double points)
{
    return QFontMetricsF(cellFont(points, true)).height() + 2 * kCellPaddingY;
}

double sectionTitleHeight()
{
    return QFontMetricsF(sectionTitleFont()).height() + kTitleGap;
}

double titleLineHeight()
{
    return QFontMetricsF(labelFont()).height() * 1.4;
}

double titleSectionHeight(const TitleSection &title)
{
    return QFontMetricsF(headingFont()).height() * 1.6
            + static_cast<double>(title.lines.size()) * titleLineHeight();
}

double chartHeight(QPageLayout::Orientation orientation)
{
    const double width = contentRect(orientation).width();
    return width * kChartPixels.height() / kChartPixels.width();
}

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
    std::vector<double> text;
    for (const ReportCell &cell : table.header)
        text.push_back(bold.horizontalAdvance(cell.text));
    // Every text is measured, as the longest by characters need not be the
    // widest; short texts (answers, counts, grades) repeat and are measured once.
    QHash<QString, double> known[2];
    for (const std::vector<ReportCell> &cells : table.rows) {
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
        const double grid = c < table.columnWidths.size()
                ? table.columnWidths[c] * kPointsPerPixel * kUnitsPerPoint * scale
                : 0;
        // A hair more than the text: the painted glyphs may round up.
        const double least = std::ceil(text[c]) + kUnitsPerPoint / 10 + 2 * kCellPaddingX;
        widths.natural.push_back(std::max(grid, least));
        widths.least.push_back(least);
    }
    return widths;
}

double sum(const std::vector<double> &values)
{
    double total = 0;
    for (double value : values)
        total += value;
    return total;
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
            const int rows = static_cast<int>(table.rows.size());
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

namespace {

void paintTitle(QPainter &painter, const TitleSection &title, const QRectF &rect)
{
    painter.setPen(Qt::black);
    painter.setFont(headingFont());
    const QFontMetricsF heading(headingFont());
    painter.drawText(QPointF(rect.left(), rect.top() + heading.ascent()), title.heading);
    double y = rect.top() + heading.height() * 1.6;
    const QFontMetricsF label(labelFont(true));
    double labelWidth = 0;
    for (const auto &line : title.lines)
        labelWidth = std::max(labelWidth, label.horizontalAdvance(line.first));
    for (const auto &line : title.lines) {
        painter.setFont(labelFont(true));
        painter.drawText(QPointF(rect.left(), y + label.ascent()), line.first);
        painter.setFont(labelFont());
        painter.drawText(QPointF(rect.left() + labelWidth + kCellPaddingX * 2, y + label.ascent()),
                line.second);
        y += titleLineHeight();
    }
}

double paintSectionTitle(QPainter &painter, const QString &text, const QRectF &rect)
{
    painter.setPen(Qt::black);
    painter.setFont(sectionTitleFont());
    const QFontMetricsF metrics(sectionTitleFont());
    painter.drawText(QPointF(rect.left(), rect.top() + metrics.ascent()), text);
    return rect.top() + sectionTitleHeight();
}

/// What painting a table's cells needs again and again, made once per page:
/// a large class has hundreds of thousands of cells, most of them a few
/// short texts, whose glyphs are looked up once and then only placed.
class CellPainter
{
public:
    CellPainter(QPainter &painter, double points)
        : m_painter(painter), m_fonts{cellFont(points, false), cellFont(points, true)},
          m_metrics{QFontMetricsF(m_fonts[0]), QFontMetricsF(m_fonts[1])},
          m_rawFonts{QRawFont::fromFont(m_fonts[0]), QRawFont::fromFont(m_fonts[1])}
    { }

    /// The cells of `columns` in a row, each in its width of `widths`.
    void paintRow(const std::vector<ReportCell> &cells, const std::vector<int> &columns,
            const std::vector<double> &widths, double top, double height)
    {
        // One fill for each run of cells of one background: a row is mostly one.
        const std::size_t count = std::min(widths.size(), columns.size());
        const auto cellAt = [&](std::size_t i) -> const ReportCell * {
            const auto c = static_cast<std::size_t>(columns[i]);
            return c < cells.size() ? &cells[c] : nullptr;
        };
        double x = 0;
        std::size_t i = 0;
        while (i < count) {
            const ReportCell *cell = cellAt(i);
            double width = widths[i];
            std::size_t end = i + 1;
            while (cell && end < count && cellAt(end)
                    && cellAt(end)->background == cell->background)
                width += widths[end++];
            if (cell)
                m_painter.fillRect(QRectF(x, top, width, height), cell->background);
            x += width;
            i = end;
        }

        x = 0;
        for (i = 0; i < count; ++i) {
            const ReportCell *cell = cellAt(i);
            if (cell && !cell->text.isEmpty())
                paintText(*cell, x + kCellPaddingX, top, widths[i] - 2 * kCellPaddingX, height);
            x += widths[i];
        }
        // The row's short texts go out as one glyph run per font and colour.
        for (Pending &run : m_pending) {
            if (run.indexes.isEmpty())
                continue;
            if (m_colour != run.colour) {
                m_painter.setPen(run.colour);
                m_colour = run.colour;
            }
            QGlyphRun glyphs;
            glyphs.setRawFont(m_rawFonts[run.style]);
            glyphs.setGlyphIndexes(run.indexes);
            glyphs.setPositions(run.positions);
            m_painter.drawGlyphRun(QPointF(0, 0), glyphs);
            run.indexes.clear();
            run.positions.clear();
        }
    }

private:
    struct ShortText
    {
        double width = 0;
        QList<quint32> indexes;
        QList<QPointF> positions;
    };

    /// Glyphs of one font and colour waiting to be drawn with the row.
    struct Pending
    {
        int style = 0;
        QColor colour;
        QList<quint32> indexes;
        QList<QPointF> positions;
    };

    Pending &pending(int style, const QColor &colour)
    {
        for (Pending &run : m_pending) {
            if (run.style == style && run.colour == colour)
                return run;
        }
        m_pending.push_back(Pending{style, colour, {}, {}});
        return m_pending.back();
    }

    void paintText(const ReportCell &cell, double left, double top, double room, double height)
    {
        const int style = cell.bold ? 1 : 0;
        const QFontMetricsF &metrics = m_metrics[style];
        const ShortText *known = shortText(cell.text, style);
        const QString &text = cell.text;
        // The columns are as wide as their widest text: nothing is cut.
        const double width = known ? known->width : metrics.horizontalAdvance(text);
        double x = left;
        if (cell.alignment & Qt::AlignHCenter)
            x += (room - width) / 2;
        else if (cell.alignment & Qt::AlignRight)
            x += room - width;
        const QPointF baseline(x, top + (height - metrics.height()) / 2 + metrics.ascent());
        if (known) {
            Pending &run = pending(style, cell.color);
            run.indexes.append(known->indexes);
            for (const QPointF &position : known->positions)
                run.positions.append(baseline + position);
            return;
        }
        if (m_colour != cell.color) {
            m_painter.setPen(cell.color);
            m_colour = cell.color;
        }
        if (m_style != style) {
            m_painter.setFont(m_fonts[style]);
            m_style = style;
        }
        m_painter.drawText(baseline, text);
    }

    const ShortText *shortText(const QString &text, int style)
    {
        if (text.size() > kShortText || !m_rawFonts[style].isValid())
            return nullptr;
        QHash<QString, ShortText> &known = m_short[style];
        auto found = known.constFind(text);
        if (found != known.constEnd())
            return &*found;
        const QRawFont &font = m_rawFonts[style];
        const QList<quint32> indexes = font.glyphIndexesForString(text);
        // A character the font lacks needs the fallback fonts of the full layout.
        if (indexes.size() != text.size() || indexes.contains(0u))
            return nullptr;
        const QList<QPointF> advances = font.advancesForGlyphIndexes(indexes);
        QList<QPointF> positions;
        QPointF pen;
        for (const QPointF &advance : advances) {
            positions.append(pen);
            pen += advance;
        }
        ShortText entry;
        entry.width = pen.x();
        entry.indexes = indexes;
        entry.positions = positions;
        return &*known.insert(text, entry);
    }

    QPainter &m_painter;
    QFont m_fonts[2];
    QFontMetricsF m_metrics[2];
    QRawFont m_rawFonts[2];
    QHash<QString, ShortText> m_short[2];
    std::vector<Pending> m_pending;
    int m_style = -1;
    QColor m_colour;
};

void paintTable(QPainter &painter, const TableSection &section,
        const ReportDocument::TableLayout &layout, const ReportDocument::Block &block)
{
    const ReportTable &table = section.table;
    const ReportDocument::TableLayout::Part &part =
            layout.parts[static_cast<std::size_t>(block.part)];
    const std::vector<double> &widths = part.widths;
    double top = block.rect.top();
    if (block.withTitle) {
        QString title = table.title;
        if (layout.parts.size() > 1)
            title +=
                    QStringLiteral(" (część %1 z %2)").arg(block.part + 1).arg(layout.parts.size());
        top = paintSectionTitle(painter, title, block.rect);
    }
    const double rowH = rowHeight(layout.points);

    painter.save();
    painter.translate(block.rect.left(), 0);
    CellPainter cells(painter, layout.points);
    cells.paintRow(table.header, part.columns, widths, top, rowH);
    for (int r = 0; r < block.rowCount; ++r) {
        const auto row = static_cast<std::size_t>(block.firstRow + r);
        cells.paintRow(table.rows[row], part.columns, widths, top + rowH * (r + 1), rowH);
    }
    // The grid lines, as the grid draws them, in one pass over the block.
    const double bottom = top + rowH * (block.rowCount + 1);
    const double width = sum(widths);
    painter.setPen(QPen(QColor(144, 144, 144), 0.5 * kUnitsPerPoint));
    for (int r = 0; r <= block.rowCount + 1; ++r)
        painter.drawLine(QLineF(0, top + rowH * r, width, top + rowH * r));
    double x = 0;
    painter.drawLine(QLineF(0, top, 0, bottom));
    for (double w : widths) {
        x += w;
        painter.drawLine(QLineF(x, top, x, bottom));
    }
    painter.restore();
}

void paintChart(QPainter &painter, const ChartSection &section, const QRectF &rect)
{
    const double top = paintSectionTitle(painter, section.title, rect);
    drawChartScaled(painter, section.chart, kChartPixels,
            QRectF(rect.left(), top, rect.width(), rect.bottom() - top));
}

void paintFooter(QPainter &painter, QPageLayout::Orientation orientation, int page, int pages)
{
    const QSizeF size = pageSize(orientation);
    painter.setPen(Qt::black);
    painter.setFont(reportFont(8));
    const QRectF footer(kMargin, size.height() - kMargin, size.width() - 2 * kMargin, kMargin / 2);
    painter.drawText(footer, Qt::AlignHCenter | Qt::AlignVCenter,
            QStringLiteral("Strona %1 z %2").arg(page).arg(pages));
}

} // namespace

bool ReportDocument::paint(QPagedPaintDevice &device) const
{
    if (m_pages.empty())
        return false;
    device.setPageLayout(a4Layout(device.pageLayout(), m_pages.front().orientation));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    const int count = pageCount();
    for (int i = 0; i < count; ++i) {
        const Page &page = m_pages[static_cast<std::size_t>(i)];
        if (i > 0) {
            // A PDF, and a printer fed through one, turns each page; other
            // printers and the preview keep the paper's orientation for the
            // whole job (and say so in a warning when asked), and the page is
            // turned on the sheet instead.
            const QPaintEngine *engine = painter.paintEngine();
            if (engine && engine->type() == QPaintEngine::Pdf)
                device.setPageLayout(a4Layout(device.pageLayout(), page.orientation));
            if (!device.newPage())
                return false;
        }
        placeOnSheet(painter, device, page.orientation);

        for (const Block &block : page.blocks) {
            const auto section = static_cast<std::size_t>(block.section);
            const ReportSection &item = m_sections[section];
            if (const auto *title = std::get_if<TitleSection>(&item))
                paintTitle(painter, *title, block.rect);
            else if (const auto *table = std::get_if<TableSection>(&item))
                paintTable(painter, *table, m_tables[section], block);
            else
                paintChart(painter, std::get<ChartSection>(item), block.rect);
        }
        paintFooter(painter, page.orientation, i + 1, count);
    }
    return painter.end();
}

bool ReportDocument::writePdf(QIODevice &device, const QString &title) const
{
    QPdfWriter writer(&device);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Kalmo - Zavevad"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
            m_pages.empty() ? QPageLayout::Portrait : m_pages.front().orientation,
            QMarginsF(0, 0, 0, 0)));
    return paint(writer);
}

QByteArray ReportDocument::toPdf(const QString &title) const
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!writePdf(buffer, title))
        return {};
    return buffer.data();
}

} // namespace zavevad
