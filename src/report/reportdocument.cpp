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

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QLocale>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
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
/// A table whose first page would hold fewer rows than this starts on the next page.
constexpr int kMinRowsUnderTitle = 3;

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
QFont cellFont(bool bold)
{
    return reportFont(8, bold);
}
QFont footerFont()
{
    return reportFont(8);
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

double rowHeight()
{
    return QFontMetricsF(cellFont(true)).height() + 2 * kCellPaddingY;
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
/// where that is wider; and the least it can do with, its widest text and a
/// narrow padding.
struct ColumnWidths
{
    std::vector<double> natural;
    std::vector<double> least;
};

ColumnWidths measureColumns(const ReportTable &table)
{
    const QFontMetricsF regular(cellFont(false));
    const QFontMetricsF bold(cellFont(true));
    std::vector<double> text;
    for (const ReportCell &cell : table.header)
        text.push_back(bold.horizontalAdvance(cell.text));
    // Widest text by the number of characters first: measuring every cell of
    // a large class would cost more than the rest of the layout.
    // Short texts (answers, counts, grades) repeat: each is measured once.
    std::vector<qsizetype> longest(text.size(), 0);
    QHash<QString, double> known[2];
    for (const std::vector<ReportCell> &cells : table.rows) {
        for (std::size_t c = 0; c < cells.size() && c < text.size(); ++c) {
            const ReportCell &cell = cells[c];
            if (cell.text.size() + 2 < longest[c])
                continue;
            longest[c] = std::max(longest[c], cell.text.size());
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
    for (std::size_t c = 0; c < text.size(); ++c) {
        const double grid = c < table.columnWidths.size()
                ? table.columnWidths[c] * kPointsPerPixel * kUnitsPerPoint
                : 0;
        widths.natural.push_back(std::max(grid, text[c] + 2 * kCellPaddingX));
        widths.least.push_back(text[c] + 2 * kCellPaddingX / 3);
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

/// The page a table needs and its columns' widths there: upright when it
/// fits, else landscape, its columns giving up their slack in proportion and,
/// when that is not enough, all of them the same share.
QPageLayout::Orientation fitColumns(const ColumnWidths &measured, std::vector<double> &widths)
{
    widths = measured.natural;
    const double total = sum(widths);
    if (total <= contentRect(QPageLayout::Portrait).width())
        return QPageLayout::Portrait;
    const double room = contentRect(QPageLayout::Landscape).width();
    if (total <= room)
        return QPageLayout::Landscape;
    const double slack = total - sum(measured.least);
    const double excess = total - room;
    if (slack >= excess) {
        for (std::size_t c = 0; c < widths.size(); ++c)
            widths[c] -= (measured.natural[c] - measured.least[c]) * excess / slack;
    } else {
        widths = measured.least;
        const double least = sum(widths);
        for (double &width : widths)
            width *= room / least;
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
// Paper is white: the window's dark panel goes, and the texts drawn light on
// it (the header, the values beside the slices and their leaders) turn dark.
void putOnPaper(chart::Chart &chart)
{
    chart.panel.gradientVisible = false;
    chart.panel.color = Qt::white;
    for (chart::TextFont *text : {&chart.header.font, &chart.footer.font, &chart.pie.marks.font}) {
        if (text->color.lightness() > 160)
            text->color = Qt::black;
    }
}

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

} // namespace

std::vector<ReportSection> reportSections(const AnalysisState &analysis)
{
    std::vector<ReportSection> sections;
    sections.emplace_back(titleSection(analysis));
    for (ReportTable &table : analysisReportTables(analysis))
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
    m_columnWidths.assign(m_sections.size(), {});

    // The orientation each section asks for; the title block takes the next one's.
    std::vector<std::optional<QPageLayout::Orientation>> wanted;
    for (std::size_t i = 0; i < m_sections.size(); ++i) {
        const ReportSection &section = m_sections[i];
        if (const auto *table = std::get_if<TableSection>(&section)) {
            wanted.emplace_back(fitColumns(measureColumns(table->table), m_columnWidths[i]));
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

    const double rowH = rowHeight();
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
            const double width = sum(m_columnWidths[i]);
            const int rows = static_cast<int>(table.rows.size());
            const int firstRows = std::min(rows, kMinRowsUnderTitle);
            double top = place(orientation, titleH + rowH * (1 + firstRows));
            int row = 0;
            bool first = true;
            do {
                const double room = content.bottom() - top - (first ? titleH : 0) - rowH;
                const int fit = std::max(1, static_cast<int>(std::floor(room / rowH)));
                const int count = std::min(fit, rows - row);
                const double height = (first ? titleH : 0) + rowH * (1 + count);
                m_pages.back().blocks.push_back(
                        {section, row, count, first, QRectF(content.left(), top, width, height)});
                y = top + height;
                row += count;
                first = false;
                if (row < rows) {
                    newPage(orientation);
                    top = y;
                }
            } while (row < rows);
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
    explicit CellPainter(QPainter &painter)
        : m_painter(painter), m_fonts{cellFont(false), cellFont(true)},
          m_metrics{QFontMetricsF(m_fonts[0]), QFontMetricsF(m_fonts[1])},
          m_rawFonts{QRawFont::fromFont(m_fonts[0]), QRawFont::fromFont(m_fonts[1])}
    { }

    void paintRow(const std::vector<ReportCell> &cells, const std::vector<double> &widths,
            double top, double height)
    {
        // One fill for each run of cells of one background: a row is mostly one.
        double x = 0;
        std::size_t c = 0;
        const std::size_t count = std::min(widths.size(), cells.size());
        while (c < count) {
            const QColor &background = cells[c].background;
            double width = 0;
            std::size_t end = c;
            while (end < count && cells[end].background == background)
                width += widths[end++];
            m_painter.fillRect(QRectF(x, top, width, height), background);
            x += width;
            c = end;
        }

        x = 0;
        for (c = 0; c < count; ++c) {
            const ReportCell &cell = cells[c];
            if (!cell.text.isEmpty())
                paintText(cell, x + kCellPaddingX, top, widths[c] - 2 * kCellPaddingX, height);
            x += widths[c];
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
        QString text = cell.text;
        double width = known ? known->width : metrics.horizontalAdvance(text);
        if (width > room) {
            known = nullptr;
            text = metrics.elidedText(text, Qt::ElideRight, room);
            width = metrics.horizontalAdvance(text);
        }
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

void paintTable(QPainter &painter, const TableSection &section, const std::vector<double> &widths,
        const ReportDocument::Block &block)
{
    const ReportTable &table = section.table;
    double top = block.rect.top();
    if (block.withTitle)
        top = paintSectionTitle(painter, table.title, block.rect);
    const double rowH = rowHeight();

    painter.save();
    painter.translate(block.rect.left(), 0);
    CellPainter cells(painter);
    cells.paintRow(table.header, widths, top, rowH);
    for (int r = 0; r < block.rowCount; ++r) {
        const auto row = static_cast<std::size_t>(block.firstRow + r);
        cells.paintRow(table.rows[row], widths, top + rowH * (r + 1), rowH);
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
    painter.setFont(footerFont());
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
            // A printer keeps its paper's orientation for the whole job (and
            // says so in a warning when asked); a PDF turns each page.
            if (device.devType() != QInternal::Printer)
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
                paintTable(painter, *table, m_columnWidths[section], block);
            else
                paintChart(painter, std::get<ChartSection>(item), block.rect);
        }
        paintFooter(painter, page.orientation, i + 1, count);
    }
    return painter.end();
}

QByteArray ReportDocument::toPdf(const QString &title) const
{
    return pdfDocument(title, m_pages.empty() ? QPageLayout::Portrait : m_pages.front().orientation,
            [this](QPagedPaintDevice &device) { return paint(device); });
}

} // namespace zavevad
