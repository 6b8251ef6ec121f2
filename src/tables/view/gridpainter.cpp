#include "tables/view/gridpainter.h"

#include "tables/columnpages.h"
#include "tables/gridmodel.h"
#include "tables/heavylines.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace zavevad {

namespace {

constexpr int kCellStep = GridModel::kRowHeight + GridModel::kGridLineWidth;
constexpr int kTextMargin = 2;

Qt::Alignment toQt(TMyAlign align)
{
    switch (align) {
    case alRight:
        return Qt::AlignRight | Qt::AlignVCenter;
    case alCenter:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case alLeft:
    case alDefault:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

} // namespace

int GridPainter::firstBodyRow() const
{
    // Row 0 is fixed, so the first body row drawn is never above row 1.
    return std::max(m_model.topRow(), 1);
}

GridPainter::GridPainter(const GridModel &model) : m_model(model)
{
    // A table that pages sideways shows one page of columns beside column 0.
    const std::vector<int> starts = columnPageStarts(model);
    const auto next = std::upper_bound(starts.begin(), starts.end(), model.leftColumn());
    m_pageEnd = next == starts.end() ? model.columnCount() : *next;
}

int GridPainter::nextColumn(int column) const
{
    const int next = column == 0 ? std::max(m_model.leftColumn(), 1) : column + 1;
    return next < m_pageEnd ? next : m_model.columnCount();
}

int GridPainter::columnLeft(int column) const
{
    int x = 0;
    for (int c = 0; c < column; c = nextColumn(c))
        x += std::max(m_model.columnWidth(c), 0) + GridModel::kGridLineWidth;
    return x;
}

bool GridPainter::textIsCut(int column, int row) const
{
    const QString &text = m_model.text(column, row);
    if (text.isEmpty())
        return false;
    const QFontMetrics metrics(m_model.resolvedFont(column, row).toQFont());
    return metrics.horizontalAdvance(text) > m_model.columnWidth(column) - 2 * kTextMargin;
}

QRect GridPainter::cellRect(int column, int row) const
{
    if (column < 0 || column >= m_model.columnCount() || row < 0 || row >= m_model.rowCount()
            || m_model.columnPagedOut(column) || column >= m_pageEnd)
        return {};
    int line = 0;
    if (row > 0) {
        if (row < firstBodyRow())
            return {};
        line = row - firstBodyRow() + 1;
    }
    return QRect(columnLeft(column), lineTop(line), std::max(m_model.columnWidth(column), 0),
            GridModel::kRowHeight);
}

QPoint GridPainter::cellAt(const QPoint &pos) const
{
    if (pos.x() < 0 || pos.y() < 0)
        return {-1, -1};
    const int line = pos.y() / kCellStep;
    if (pos.y() % kCellStep >= GridModel::kRowHeight)
        return {-1, -1};
    const long long rowLong = line == 0 ? 0 : static_cast<long long>(firstBodyRow()) + line - 1;
    if (rowLong >= m_model.rowCount())
        return {-1, -1};
    int x = 0;
    for (int c = 0; c < m_model.columnCount(); c = nextColumn(c)) {
        const int width = std::max(m_model.columnWidth(c), 0);
        if (pos.x() < x + width)
            return {c, static_cast<int>(rowLong)};
        x += width + GridModel::kGridLineWidth;
        if (pos.x() < x)
            return {-1, -1};
    }
    return {-1, -1};
}

void GridPainter::paint(QPainter &painter, const QSize &size) const
{
    paint(painter, size, QRect(QPoint(0, 0), size));
}

void GridPainter::paint(QPainter &painter, const QSize &size, const QRect &exposed) const
{
    const QRect area = exposed.intersected(QRect(QPoint(0, 0), size));
    if (area.isEmpty())
        return;
    painter.save();
    painter.setClipRect(area);
    painter.fillRect(area, kEmptyColour);

    const int columns = m_model.columnCount();
    const int rows = m_model.rowCount();
    // The left edges of the columns drawn, and the right edge after the last.
    std::vector<int> drawn;
    std::vector<int> lefts{0};
    for (int c = 0; c < columns && lefts.back() <= area.right(); c = nextColumn(c)) {
        drawn.push_back(c);
        lefts.push_back(
                lefts.back() + std::max(m_model.columnWidth(c), 0) + GridModel::kGridLineWidth);
    }

    // Only the lines that reach into the exposed area: the header line, then
    // body rows from the top row.
    const int firstLine = std::max(area.top() / kCellStep, 0);
    const int lastLine = area.bottom() / kCellStep;
    for (int line = firstLine; line <= lastLine; ++line) {
        long long row = 0;
        if (line > 0) {
            row = static_cast<long long>(firstBodyRow()) + line - 1;
            if (row >= rows)
                break;
        } else if (rows <= 0) {
            break;
        }
        const int top = lineTop(line);
        for (std::size_t i = 0; i < drawn.size(); ++i) {
            const int c = drawn[i];
            const int left = lefts[i];
            const int right = lefts[i + 1];
            if (right <= area.left())
                continue;
            const QRect cell(
                    left, top, right - left - GridModel::kGridLineWidth, GridModel::kRowHeight);
            paintCell(painter, c, static_cast<int>(row), cell);
            // The grid lines to the right of and under the cell.
            painter.fillRect(QRect(cell.right() + 1, top, GridModel::kGridLineWidth, kCellStep),
                    kLineColour);
            painter.fillRect(
                    QRect(left, cell.bottom() + 1, cell.width(), GridModel::kGridLineWidth),
                    kLineColour);
        }
    }
    paintHeavyLines(painter);
    painter.restore();
}

bool GridPainter::columnShown(int column) const
{
    return column == 0 || (!m_model.columnPagedOut(column) && column < m_pageEnd);
}

void GridPainter::paintHeavyLines(QPainter &painter) const
{
    if (!m_model.hasHeavyLines())
        return;
    // Grid-line positions of the edges; rows scrolled above the top row end
    // at the header's bottom line, so only what is in view is drawn.
    const int headerLine = lineTop(1) - GridModel::kGridLineWidth;
    const auto edgeX = [this](int edge) {
        return std::max(columnLeft(edge) - GridModel::kGridLineWidth, 0);
    };
    const auto edgeY = [this, headerLine](int edge) {
        if (edge < firstBodyRow())
            return headerLine;
        return lineTop(edge - firstBodyRow() + 1) - GridModel::kGridLineWidth;
    };
    const int half = kHeavyLineWidth / 2;
    for (const HeavySegment &s : heavyLineSegments(m_model.heavyLinesAfterColumn(),
                 m_model.heavyLinesBelowRow(), m_model.columnCount())) {
        if (s.vertical()) {
            if (!columnShown(s.column1 - 1))
                continue;
            const int x = edgeX(s.column1);
            const int y1 = edgeY(s.row1);
            const int y2 = edgeY(s.row2);
            if (y2 > y1)
                painter.fillRect(
                        QRect(x - half, y1 - half, kHeavyLineWidth, y2 - y1 + 2 * half + 1),
                        kHeavyLineColour);
        } else {
            // The top edge of the first row in view is the bottom of a row
            // scrolled away.
            if (s.row1 < firstBodyRow() || (s.row1 == firstBodyRow() && s.row1 > 1))
                continue;
            const int x1 = edgeX(s.column1);
            const int x2 = edgeX(s.column2);
            const int y = edgeY(s.row1);
            if (x2 > x1)
                painter.fillRect(
                        QRect(x1 - half, y - half, x2 - x1 + 2 * half + 1, kHeavyLineWidth),
                        kHeavyLineColour);
        }
    }
}

void GridPainter::paintCell(QPainter &painter, int column, int row, const QRect &rect) const
{
    if (rect.width() <= 0)
        return;
    QColor background = m_model.resolvedBackground(column, row);
    const GridFont &gridFont = m_model.resolvedFont(column, row);
    QColor textColour = gridFont.color();
    if (row > 0 && m_model.selection().contains(column, row)) {
        background = QColor(0, 0, 128);
        textColour = Qt::white;
    }
    painter.fillRect(rect, background);
    const QString &text = m_model.text(column, row);
    if (text.isEmpty())
        return;
    painter.setFont(gridFont.toQFont());
    painter.setPen(textColour);
    const QRect textRect = rect.adjusted(kTextMargin, 0, -kTextMargin, 0);
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    QString shown = text;
    if (m_model.marksCutTexts()) {
        // The end of a cut text gives way to "…", so that nobody takes the
        // part for the whole.
        const QFontMetrics metrics(painter.font(), painter.device());
        if (metrics.horizontalAdvance(text) > textRect.width())
            shown = metrics.elidedText(text, Qt::ElideRight, textRect.width());
    }
    painter.drawText(textRect, int(toQt(m_model.resolvedAlignment(column, row))), shown);
    painter.restore();
}

QImage GridPainter::render(const QSize &size) const
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(kEmptyColour);
    QPainter painter(&image);
    paint(painter, size);
    return image;
}

} // namespace zavevad
