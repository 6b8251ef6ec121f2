// Painting the laid-out report on any paged device: the PDF file, the print
// preview and the printer get the same pages.

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
#include "tables/heavylines.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGlyphRun>
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
#include <unordered_map>

namespace zavevad {

using namespace reportlayout;

namespace {

QString continuedTitle(const QString &title)
{
    return title + QStringLiteral(" (cd.)");
}

double paintSectionTitle(QPainter &painter, const QString &text, const QRectF &rect);

void paintTitle(QPainter &painter, const TitleSection &title, const ReportDocument::Block &block)
{
    const QRectF &rect = block.rect;
    double y = rect.top();
    painter.setPen(Qt::black);
    if (block.continued) {
        y = paintSectionTitle(painter, continuedTitle(title.subheading), rect);
    } else {
        painter.setFont(headingFont());
        const QFontMetricsF heading(headingFont());
        painter.drawText(QPointF(rect.left(), y + heading.ascent()), title.heading);
        y += heading.height() * 1.6;
        if (!title.subheading.isEmpty())
            y = paintSectionTitle(painter, title.subheading, QRectF(rect.left(), y, 1, 1));
    }
    const QFontMetricsF label(labelFont(true));
    const double labelWidth = titleLabelWidth(title);
    const double room = titleValueWidth(title);
    const std::vector<double> heights = titleLineHeights(title);
    for (int i = block.firstRow; i < block.firstRow + block.rowCount; ++i) {
        const auto &line = title.lines[static_cast<std::size_t>(i)];
        painter.setFont(labelFont(true));
        painter.drawText(QPointF(rect.left(), y + label.ascent()), line.first);
        painter.setFont(labelFont());
        painter.drawText(QRectF(rect.left() + labelWidth, y, room, 1e6),
                Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, line.second);
        y += heights[static_cast<std::size_t>(i)];
    }
}

void paintText(QPainter &painter, const TextSection &text, const ReportDocument::Block &block)
{
    double y = paintSectionTitle(
            painter, block.continued ? continuedTitle(text.title) : text.title, block.rect);
    painter.setPen(Qt::black);
    painter.setFont(paragraphFont());
    const std::vector<double> heights = paragraphHeights(text);
    for (int i = block.firstRow; i < block.firstRow + block.rowCount; ++i) {
        const auto index = static_cast<std::size_t>(i);
        painter.drawText(QRectF(block.rect.left(), y, textWidth(), 1e6),
                Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text.paragraphs[index]);
        y += heights[index];
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
    }

    /// Draws the texts the rows painted so far left waiting: one glyph run
    /// per font and colour for the whole block, whose rows never overlap.
    /// A run for each row cost the report a tenth of its time.
    void flush()
    {
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
    struct Glyphs
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
        const QString &text = cell.text;
        // A long text (a name) is placed glyph by glyph as a short one is,
        // only not kept: with neither shaping nor kerning that is the text as
        // drawText lays it out, in a fraction of the time.
        const Glyphs *glyphs =
                text.size() > kShortText ? longText(text, style) : shortText(text, style);
        // The columns are as wide as their widest text: nothing is cut.
        const double width = glyphs ? glyphs->width : metrics.horizontalAdvance(text);
        double x = left;
        if (cell.alignment & Qt::AlignHCenter)
            x += (room - width) / 2;
        else if (cell.alignment & Qt::AlignRight)
            x += room - width;
        const QPointF baseline(x, top + (height - metrics.height()) / 2 + metrics.ascent());
        if (glyphs) {
            Pending &run = pending(style, cell.color);
            run.indexes.append(glyphs->indexes);
            for (const QPointF &position : glyphs->positions)
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

    /// The glyphs of `text` one after the other; false when a character
    /// needs more than that (a fallback font, a mark, right to left).
    bool placeGlyphs(const QString &text, int style, Glyphs &glyphs) const
    {
        const QRawFont &font = m_rawFonts[style];
        if (!font.isValid() || text.isRightToLeft())
            return false;
        glyphs.indexes = font.glyphIndexesForString(text);
        if (glyphs.indexes.size() != text.size() || glyphs.indexes.contains(0u))
            return false;
        for (const QChar c : text) {
            if (c.isMark())
                return false;
        }
        const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs.indexes);
        glyphs.positions.clear();
        QPointF pen;
        for (const QPointF &advance : advances) {
            glyphs.positions.append(pen);
            pen += advance;
        }
        glyphs.width = pen.x();
        return true;
    }

    const Glyphs *shortText(const QString &text, int style)
    {
        auto &known = m_short[style];
        const ShortTextKey key(text);
        if (const auto found = known.find(key); found != known.end())
            return &found->second;
        Glyphs glyphs;
        if (!placeGlyphs(text, style, glyphs))
            return nullptr;
        return &known.emplace(key, std::move(glyphs)).first->second;
    }

    const Glyphs *longText(const QString &text, int style)
    {
        return placeGlyphs(text, style, m_long) ? &m_long : nullptr;
    }

    QPainter &m_painter;
    QFont m_fonts[2];
    QFontMetricsF m_metrics[2];
    QRawFont m_rawFonts[2];
    std::unordered_map<ShortTextKey, Glyphs, ShortTextKeyHash> m_short[2];
    Glyphs m_long;
    std::vector<Pending> m_pending;
    int m_style = -1;
    QColor m_colour;
};

/// The x of column edge `edge` (see HeavySegment) in a part of `columns`
/// whose left edges are `lefts`; none where neither neighbour is in the part.
std::optional<double> edgeX(
        int edge, const std::vector<int> &columns, const std::vector<double> &lefts)
{
    for (std::size_t p = 0; p < columns.size(); ++p) {
        if (columns[p] == edge - 1)
            return lefts[p + 1];
    }
    for (std::size_t p = 0; p < columns.size(); ++p) {
        if (columns[p] == edge)
            return lefts[p];
    }
    return std::nullopt;
}

/// The table's heavy lines (the curves of the student-problem table) within
/// a block whose body rows are `firstRow` + 1 onward, `rowCount` of them, the
/// first one's top at `top`.
void paintHeavyLines(QPainter &painter, const ReportTable &table, const std::vector<int> &columns,
        const std::vector<double> &widths, double top, double rowH, int firstRow, int rowCount)
{
    const std::vector<HeavySegment> segments = heavyLineSegments(table);
    if (segments.empty())
        return;
    std::vector<double> lefts{0};
    for (double w : widths)
        lefts.push_back(lefts.back() + w);
    const int firstEdge = firstRow + 1;
    const int lastEdge = firstRow + rowCount + 1;
    auto y = [&](int edge) {
        return top + rowH * (edge - firstRow - 1);
    };
    painter.setPen(QPen(Qt::black, 2 * kUnitsPerPoint, Qt::SolidLine, Qt::SquareCap));
    for (const HeavySegment &s : segments) {
        if (s.vertical()) {
            const int from = std::max(s.row1, firstEdge);
            const int to = std::min(s.row2, lastEdge);
            const std::optional<double> x = edgeX(s.column1, columns, lefts);
            if (from < to && x)
                painter.drawLine(QLineF(*x, y(from), *x, y(to)));
            continue;
        }
        if (s.row1 < firstEdge || s.row1 > lastEdge)
            continue;
        for (std::size_t p = 0; p < columns.size(); ++p) {
            if (columns[p] >= s.column1 && columns[p] < s.column2)
                painter.drawLine(QLineF(lefts[p], y(s.row1), lefts[p + 1], y(s.row1)));
        }
    }
}

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
        top = paintSectionTitle(
                painter, block.continued ? continuedTitle(title) : title, block.rect);
    }
    const double rowH = rowHeight(layout.points);

    painter.save();
    painter.translate(block.rect.left(), 0);
    CellPainter cells(painter, layout.points);
    const TableTexts texts;
    // Only the part's own columns are made: a table in parts would
    // otherwise format every cell once for each part.
    const auto partRow = [&](int r) {
        std::vector<ShownCell> row(static_cast<std::size_t>(table.columnCount()));
        for (const int c : part.columns) {
            if (c >= 0 && c < table.columnCount())
                row[static_cast<std::size_t>(c)] = texts.shown(table, c, r);
        }
        return row;
    };
    cells.paintRow(partRow(0), part.columns, widths, top, rowH);
    for (int r = 0; r < block.rowCount; ++r)
        cells.paintRow(
                partRow(block.firstRow + r + 1), part.columns, widths, top + rowH * (r + 1), rowH);
    cells.flush();
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
    paintHeavyLines(
            painter, table, part.columns, widths, top + rowH, rowH, block.firstRow, block.rowCount);
    painter.restore();
}

void paintChart(QPainter &painter, const ChartSection &section, const QRectF &rect)
{
    const double top = paintSectionTitle(painter, section.title, rect);
    drawChartScaled(painter, section.chart, kChartPixels,
            QRectF(rect.left(), top, rect.width(), rect.bottom() - top));
}

/// The running header in the top margin: the test and its classes on the
/// left, "Strona N z M" on the right, a thin rule under them.
void paintHeader(QPainter &painter, QPageLayout::Orientation orientation, const QString &line,
        int page, int pages)
{
    const QSizeF size = pageSize(orientation);
    painter.setPen(Qt::black);
    const QFont font = reportFont(8);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const QString number = QStringLiteral("Strona %1 z %2").arg(page).arg(pages);
    const double width = size.width() - 2 * kMargin;
    const double numberWidth = metrics.horizontalAdvance(number) + kCellPaddingX * 4;
    const double baseline = kMargin / 2;
    // The line wraps short of the page number; it is never drawn over it.
    painter.drawText(
            QRectF(kMargin, baseline - metrics.ascent(), width - numberWidth, metrics.height() * 3),
            Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, line);
    painter.drawText(
            QPointF(kMargin + width - metrics.horizontalAdvance(number), baseline), number);
    painter.setPen(QPen(QColor(144, 144, 144), 0.5 * kUnitsPerPoint));
    const double rule = kMargin * 0.8;
    painter.drawLine(QLineF(kMargin, rule, kMargin + width, rule));
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
    // The blocks come in the order of their sections: each is made once.
    MadeSection made;
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
        paintPage(painter, i, made);
    }
    return painter.end();
}

void ReportDocument::paintPage(QPainter &painter, int index, MadeSection &made) const
{
    const Page &page = m_pages[static_cast<std::size_t>(index)];
    for (const Block &block : page.blocks) {
        const auto section = static_cast<std::size_t>(block.section);
        const ReportSection &item = sectionAt(section, made);
        if (const auto *title = std::get_if<TitleSection>(&item))
            paintTitle(painter, *title, block);
        else if (const auto *text = std::get_if<TextSection>(&item))
            paintText(painter, *text, block);
        else if (const auto *table = std::get_if<TableSection>(&item))
            paintTable(painter, *table, m_tables[section], block);
        else
            paintChart(painter, std::get<ChartSection>(item), block.rect);
    }
    paintHeader(painter, page.orientation, m_runningHeader, index + 1, pageCount());
}

bool ReportDocument::paintPage(QPainter &painter, int page) const
{
    if (page < 0 || page >= pageCount())
        return false;
    painter.save();
    painter.scale(1 / kUnitsPerPoint, 1 / kUnitsPerPoint);
    paintPage(painter, page, m_previewMade);
    painter.restore();
    return true;
}

Platform::PreviewPages reportPreviewPages(const ReportDocument &document)
{
    Platform::PreviewPages pages;
    pages.count = document.pageCount();
    const ReportDocument *source = &document;
    pages.orientation = [source](int page) {
        return source->pages()[static_cast<std::size_t>(page)].orientation;
    };
    pages.paint = [source](QPainter &painter, int page) {
        return source->paintPage(painter, page);
    };
    return pages;
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
