#include "ui/chart/xychart.h"

#include "ui/chart/chartdraw.h"
#include "ui/chart/chartformat.h"

#include <QHash>
#include <QLinearGradient>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <limits>

namespace zavevad::chart {

namespace {

constexpr double kGap = 4.0;
constexpr double kTick = 4.0;
/// Share of one x unit that a column fills.
constexpr double kColumnShare = 0.8;

/// The scale of one axis: fixed ends where given, otherwise the data's range
/// grown to whole steps; whole-number axes never step below 1.
AxisScale scaleFor(double lo, double hi, std::optional<double> fixedLo,
        std::optional<double> fixedHi, double lengthPx, double spacingPx, bool whole)
{
    const double a = fixedLo.value_or(lo);
    const double b = std::max(fixedHi.value_or(hi), a);
    const bool fixed = fixedLo && fixedHi;
    AxisScale scale = computeAxisScale(a, b, lengthPx, spacingPx, !fixed);
    if (fixedLo)
        scale.min = *fixedLo;
    if (fixedHi)
        scale.max = std::max(*fixedHi, scale.min);
    if (scale.max - scale.min <= 0.0)
        scale.max = scale.min + 1.0;
    if (whole && scale.step < 1.0) {
        scale.step = 1.0;
        if (!fixed) {
            if (!fixedLo)
                scale.min = std::floor(a);
            if (!fixedHi)
                scale.max = std::max(std::ceil(b), scale.min + 1.0);
        }
    }
    scale.ticks.clear();
    const double first = std::ceil(scale.min / scale.step - 1e-9);
    const double last = std::floor(scale.max / scale.step + 1e-9);
    for (double k = first; k <= last && scale.ticks.size() < 1000; k += 1.0)
        scale.ticks.append(std::abs(k) < 1e-12 ? 0.0 : k * scale.step);
    return scale;
}

QPainterPath markerPath(PointerStyle style, const QRectF &box)
{
    QPainterPath path;
    switch (style) {
    case PointerStyle::psRectangle:
        path.addRect(box);
        break;
    case PointerStyle::psCircle:
        path.addEllipse(box);
        break;
    case PointerStyle::psTriangle:
        path.moveTo(box.center().x(), box.top());
        path.lineTo(box.bottomRight());
        path.lineTo(box.bottomLeft());
        path.closeSubpath();
        break;
    case PointerStyle::psStar: {
        const QPointF c = box.center();
        for (int i = 0; i < 10; ++i) {
            const double r = i % 2 == 0 ? 1.0 : 0.45;
            const double angle = -M_PI / 2.0 + i * M_PI / 5.0;
            const QPointF p(c.x() + r * box.width() / 2.0 * std::cos(angle),
                    c.y() + r * box.height() / 2.0 * std::sin(angle));
            if (i == 0)
                path.moveTo(p);
            else
                path.lineTo(p);
        }
        path.closeSubpath();
        break;
    }
    }
    return path;
}

bool overlapsAny(const QRectF &box, const QList<QRectF> &taken)
{
    return std::any_of(
            taken.begin(), taken.end(), [&box](const QRectF &r) { return r.intersects(box); });
}

} // namespace

XYChart::XYChart(const Chart &chart, QPaintDevice *device)
    : m_chart(chart), m_xy(chart.xy), m_device(device)
{ }

QPointF XYChart::toPlot(double x, double y) const
{
    const double fx = (x - m_xScale.min) / (m_xScale.max - m_xScale.min);
    const double fy = (y - m_yScale.min) / (m_yScale.max - m_yScale.min);
    return QPointF(m_plot.left() + fx * m_plot.width(), m_plot.bottom() - fy * m_plot.height());
}

double XYChart::columnHalfWidth() const
{
    const double unit = m_plot.width() / (m_xScale.max - m_xScale.min);
    return std::max(0.5, unit * kColumnShare / 2.0);
}

void XYChart::layout(const QRectF &area)
{
    const Chart &c = m_chart;
    m_area = area;
    m_axes = c.axesVisible;

    Extent e;
    e.xLo = std::numeric_limits<double>::infinity();
    e.xHi = -e.xLo;
    e.yLo = e.xLo;
    e.yHi = -e.xLo;
    for (const XYPoint &p : m_xy.points) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            continue;
        e.xLo = std::min(e.xLo, p.x);
        e.xHi = std::max(e.xHi, p.x);
        e.yLo = std::min(e.yLo, p.y);
        e.yHi = std::max(e.yHi, p.y);
    }
    for (const ReferenceLine &line : m_xy.referenceLines) {
        if (std::isfinite(line.x)) {
            e.xLo = std::min(e.xLo, line.x);
            e.xHi = std::max(e.xHi, line.x);
        }
    }
    if (!std::isfinite(e.xLo)) {
        e.xLo = 0.0;
        e.xHi = 1.0;
    }
    if (!std::isfinite(e.yLo)) {
        e.yLo = 0.0;
        e.yHi = 1.0;
    }

    // Labels of reference lines close together take turns in rows above the
    // plot, and names with no place beside their markers are listed in a box
    // right of it: both take room from the plot, so the plot is laid out
    // again until the rows and the box it leaves room for are enough.
    const qsizetype labelledLines = std::count_if(m_xy.referenceLines.begin(),
            m_xy.referenceLines.end(), [](const ReferenceLine &l) { return !l.label.isEmpty(); });
    int rows = int(std::min<qsizetype>(labelledLines, 2));
    double aside = 0.0;
    for (int pass = 0; pass < 4; ++pass) {
        layoutPlot(e, rows, aside);
        const int needed = placeReferenceLabels(rows);
        placePointLabels();
        const double wanted = placeOverflowBox();
        if (needed <= rows && wanted <= aside)
            break;
        rows = std::max(rows, needed);
        aside = std::max(aside, wanted);
    }
}

void XYChart::layoutPlot(const Extent &e, int referenceRows, double aside)
{
    const Chart &c = m_chart;
    const QRectF &area = m_area;
    const QFontMetricsF fmLeft = metricsFor(c.leftAxis.labelsFont, m_device);
    const QFontMetricsF fmBottom = metricsFor(c.bottomAxis.labelsFont, m_device);
    const QFontMetricsF fmRef = metricsFor(c.bottomAxis.labelsFont, m_device);

    m_overflowRoom = aside;
    m_referenceRow = referenceRows > 0 ? fmRef.height() + 3.0 : 0.0;
    double top = area.top() + referenceRows * m_referenceRow + (referenceRows > 0 ? 2.0 : 0.0);
    double bottom = area.bottom();
    double left = area.left();
    const double right =
            area.right() - std::max(4.0, fmBottom.horizontalAdvance(u'0') * 2.0) - aside;

    if (m_axes) {
        if (!c.bottomAxis.title.isEmpty()) {
            const QFontMetricsF fm = metricsFor(c.bottomAxis.titleFont, m_device);
            bottom -= rotatedSize(QSizeF(fm.horizontalAdvance(c.bottomAxis.title), fm.height()),
                              c.bottomAxis.titleAngle)
                              .height()
                    + kGap;
        }
        bottom -= fmBottom.height() + kTick + 1.0;
        if (!c.leftAxis.title.isEmpty()) {
            const QFontMetricsF fm = metricsFor(c.leftAxis.titleFont, m_device);
            left += rotatedSize(QSizeF(fm.horizontalAdvance(c.leftAxis.title), fm.height()),
                            c.leftAxis.titleAngle)
                            .width()
                    + kGap;
        }
    }
    bottom = std::max(bottom, top + 10.0);

    const double length = bottom - top;
    m_yScale = scaleFor(
            e.yLo, e.yHi, m_xy.yMin, m_xy.yMax, length, fmLeft.height() * 1.6, m_xy.wholeNumbers);
    if (m_xy.style == XYStyle::Columns && c.bar.marks.visible && !m_xy.yMax) {
        // Headroom over the tallest column for its count, which would
        // otherwise go inside the column.
        const QFontMetricsF fm = metricsFor(c.bar.marks.font, m_device);
        const double need = markBoxSize(QSizeF(0.0, fm.height())).height() + 4.0;
        for (int i = 0; i < 3; ++i) {
            const double perUnit = length / (m_yScale.max - m_yScale.min);
            if ((m_yScale.max - e.yHi) * perUnit >= need)
                break;
            m_yScale = scaleFor(e.yLo, e.yHi + need / perUnit, m_xy.yMin, m_xy.yMax, length,
                    fmLeft.height() * 1.6, m_xy.wholeNumbers);
        }
    }
    if (m_axes) {
        double widest = 0.0;
        for (double v : m_yScale.ticks)
            widest = std::max(widest, fmLeft.horizontalAdvance(formatValue(v)));
        left += widest + kTick + 2.0;
    }
    m_plot = QRectF(QPointF(left, top), QPointF(std::max(right, left + 10.0), bottom));

    double widestX = fmBottom.horizontalAdvance(formatValue(e.xHi));
    widestX = std::max(widestX, fmBottom.horizontalAdvance(formatValue(e.xLo)));
    m_xScale = scaleFor(
            e.xLo, e.xHi, m_xy.xMin, m_xy.xMax, m_plot.width(), widestX + 12.0, m_xy.wholeNumbers);
}

int XYChart::placeReferenceLabels(int rows)
{
    m_referenceLabels.clear();
    if (m_referenceRow <= 0.0 || rows < 1)
        return 0;
    const QFontMetricsF fm = metricsFor(m_chart.bottomAxis.labelsFont, m_device);
    // Each label in the lowest row where it covers no other; with more labels
    // than rows allow, the rest go to the top row and ask for more rows.
    QList<QList<QRectF>> taken;
    int used = 0;
    for (const ReferenceLine &line : m_xy.referenceLines) {
        if (line.label.isEmpty() || !std::isfinite(line.x))
            continue;
        const double x = toPlot(line.x, 0.0).x();
        const double w = fm.horizontalAdvance(line.label) + 8.0;
        QRectF box(x - w / 2.0, m_plot.top() - m_referenceRow - 1.0, w, m_referenceRow);
        box.moveLeft(
                std::clamp(box.left(), m_area.left(), std::max(m_area.left(), m_area.right() - w)));
        int row = 0;
        while (row < taken.size() && overlapsAny(box, taken[row]))
            ++row;
        used = std::max(used, row + 1);
        if (row >= taken.size())
            taken.append(QList<QRectF>());
        const int shownRow = std::min(row, rows - 1);
        box.translate(0.0, -shownRow * m_referenceRow);
        taken[row].append(box.translated(0.0, shownRow * m_referenceRow));
        m_referenceLabels.append({box, line.label, QPointF()});
    }
    return used;
}

QRectF XYChart::markerBox(const QPointF &at) const
{
    const LineSeries &line = m_chart.line;
    const double hw = std::clamp(line.pointerHorizSize, 1, 50) + 1.0;
    const double hh = std::clamp(line.pointerVertSize, 1, 50) + 1.0;
    return QRectF(at.x() - hw, at.y() - hh, 2 * hw, 2 * hh);
}

void XYChart::placePointLabels()
{
    m_pointLabels.clear();
    m_columnLabels.clear();
    m_overflow.clear();
    const Chart &c = m_chart;
    if (m_xy.style == XYStyle::Columns) {
        if (!c.bar.marks.visible)
            return;
        const QFontMetricsF fm = metricsFor(c.bar.marks.font, m_device);
        for (const XYPoint &p : m_xy.points) {
            if (p.y == 0.0 || !std::isfinite(p.x) || !std::isfinite(p.y))
                continue;
            const QString text = formatValue(p.y);
            const QSizeF size = markBoxSize(QSizeF(fm.horizontalAdvance(text), fm.height()));
            const QPointF top = toPlot(p.x, p.y);
            QRectF box(QPointF(top.x() - size.width() / 2.0, top.y() - size.height() - 2.0), size);
            if (box.top() < m_plot.top())
                box.moveTop(top.y() + 2.0);
            m_columnLabels.append({box, text, top});
        }
        return;
    }
    // Names beside their markers, moved down (then up) out of each other's
    // way and never over a marker; a name that finds no free place near its
    // marker goes to the box beside the plot. Markers and names are kept in
    // cells of one label's height, so that a crowded plot compares each name
    // with its neighbours only.
    const bool named = std::any_of(m_xy.points.begin(), m_xy.points.end(),
            [](const XYPoint &p) { return !p.label.isEmpty(); });
    if (!named)
        return;
    const QFontMetricsF fm = metricsFor(c.line.marks.font, m_device);
    const double offset = std::max(2, c.line.pointerHorizSize) + 3.0;
    const double cell = std::max(8.0, markBoxSize(QSizeF(0.0, fm.height())).height());
    QHash<quint64, QList<QRectF>> taken;
    const auto cellsOf = [cell](const QRectF &box, auto &&visit) {
        const int x0 = int(std::floor(box.left() / (4 * cell)));
        const int x1 = int(std::floor(box.right() / (4 * cell)));
        const int y0 = int(std::floor(box.top() / cell));
        const int y1 = int(std::floor(box.bottom() / cell));
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                visit((quint64(quint32(y)) << 32) | quint32(x));
    };
    const auto take = [&](const QRectF &box) {
        cellsOf(box, [&](quint64 key) { taken[key].append(box); });
    };
    const auto isFree = [&](const QRectF &box) {
        bool free = true;
        cellsOf(box, [&](quint64 key) {
            if (free) {
                const auto it = taken.constFind(key);
                free = it == taken.cend() || !overlapsAny(box, *it);
            }
        });
        return free;
    };
    if (c.line.pointerVisible) {
        for (const XYPoint &p : m_xy.points) {
            if (std::isfinite(p.x) && std::isfinite(p.y))
                take(markerBox(toPlot(p.x, p.y)));
        }
    }
    const QRectF bounds(QPointF(m_area.left(), m_plot.top()),
            QPointF(m_overflowRoom > 0.0 ? m_plot.right() + kGap : m_area.right(),
                    m_plot.bottom()));
    for (const XYPoint &p : m_xy.points) {
        if (p.label.isEmpty() || !std::isfinite(p.x) || !std::isfinite(p.y))
            continue;
        const QPointF at = toPlot(p.x, p.y);
        const QSizeF size = markBoxSize(QSizeF(fm.horizontalAdvance(p.label), fm.height()));
        const QRectF right(QPointF(at.x() + offset, at.y() - size.height() / 2.0), size);
        const QRectF left = right.translated(-(2 * offset + size.width()), 0.0);
        bool placed = false;
        QRectF box;
        for (int attempt = 0; attempt < 9 && !placed; ++attempt) {
            const double shift = ((attempt + 1) / 2) * size.height() * (attempt % 2 ? 1 : -1);
            for (const QRectF &side : {right, left}) {
                box = side.translated(0.0, shift);
                if (bounds.contains(box) && isFree(box)) {
                    placed = true;
                    break;
                }
            }
        }
        if (!placed) {
            m_overflow.append(p.label);
            continue;
        }
        take(box);
        m_pointLabels.append({box, p.label, at});
    }
}

double XYChart::placeOverflowBox()
{
    m_overflowBox = QRectF();
    m_overflowRows.clear();
    if (m_overflow.isEmpty())
        return 0.0;
    const QFontMetricsF fm = metricsFor(m_chart.line.marks.font, m_device);
    const QString title = m_xy.overflowTitle;
    const double line = fm.height();
    // As wide as the longest name of any point, so that the room asked for
    // does not change with which names found a place.
    double widest = fm.horizontalAdvance(title);
    for (const XYPoint &p : m_xy.points) {
        if (!p.label.isEmpty())
            widest = std::max(widest, fm.horizontalAdvance(p.label));
    }
    const double columnWidth = widest + 8.0;
    const int perColumn = std::max(1, int((m_plot.height() - line - 6.0) / line));
    // A class names its flagged students in full; thousands of points (no
    // class) get the columns that 40 % of the width holds and a count of the rest.
    const qsizetype maxColumns =
            std::max<qsizetype>(1, qsizetype(m_area.width() * 0.4 / columnWidth));
    const qsizetype columns = std::min((m_overflow.size() + perColumn - 1) / perColumn, maxColumns);
    const qsizetype room = columns * perColumn;
    if (m_overflow.size() > room) {
        const qsizetype rest = m_overflow.size() - (room - 1);
        m_overflow.resize(room - 1);
        m_overflow.append(QStringLiteral("+%1").arg(rest));
    }
    const double width = columns * columnWidth;
    const double wanted = width + kGap + 2.0;
    const qsizetype rows = std::min<qsizetype>(m_overflow.size(), perColumn);
    m_overflowBox =
            QRectF(m_plot.right() + kGap + 2.0, m_plot.top(), width, (rows + 1) * line + 6.0);
    m_overflowRows.append(
            {QRectF(m_overflowBox.left() + 4.0, m_overflowBox.top() + 3.0, width - 8.0, line),
                    title, QPointF()});
    for (qsizetype i = 0; i < m_overflow.size(); ++i) {
        const qsizetype column = i / perColumn;
        const qsizetype row = i % perColumn;
        m_overflowRows.append(
                {QRectF(m_overflowBox.left() + 4.0 + column * columnWidth,
                         m_overflowBox.top() + 3.0 + (row + 1) * line, columnWidth - 8.0, line),
                        m_overflow[i], QPointF()});
    }
    return wanted;
}

ChartGeometry XYChart::geometry() const
{
    ChartGeometry g;
    g.plot = m_plot;
    for (const PlacedLabel &label : m_pointLabels)
        g.marks.append(MarkGeometry{-1, label.box, label.text});
    for (const PlacedLabel &label : m_columnLabels)
        g.marks.append(MarkGeometry{-1, label.box, label.text});
    for (const PlacedLabel &label : m_referenceLabels)
        g.referenceLabels.append(MarkGeometry{-1, label.box, label.text});
    for (qsizetype i = 0; i < m_overflowRows.size(); ++i) {
        const PlacedLabel &row = m_overflowRows[i];
        g.overflowNames.append(MarkGeometry{i == 0 ? -1 : int(i - 1), row.box, row.text});
    }
    const double half = columnHalfWidth();
    const double base = toPlot(0.0, std::clamp(0.0, m_yScale.min, m_yScale.max)).y();
    for (const XYPoint &p : m_xy.points) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            continue;
        const QPointF at = toPlot(p.x, p.y);
        if (m_xy.style == XYStyle::Markers)
            g.pointBoxes.append(markerBox(at));
        else
            g.pointBoxes.append(QRectF(QPointF(at.x() - half, std::min(at.y(), base)),
                    QPointF(at.x() + half, std::max(at.y(), base))));
    }
    return g;
}

void XYChart::paintBackground(QPainter &painter) const
{
    const Chart &c = m_chart;
    if (c.backWall.brush == BrushStyle::bsSolid)
        painter.fillRect(m_plot, c.backWall.color);
    const PanelSettings &panel = c.panel;
    if (panel.backImageInside && !panel.backImage.isNull()) {
        if (panel.backImageMode == PictureMode::pbmStretch) {
            painter.drawImage(m_plot, panel.backImage);
        } else {
            painter.save();
            painter.setClipRect(m_plot, Qt::IntersectClip);
            QRectF r(QPointF(), panel.backImage.size());
            r.moveCenter(m_plot.center());
            painter.drawImage(r.topLeft(), panel.backImage);
            painter.restore();
        }
    }
}

void XYChart::paintGrid(QPainter &painter) const
{
    if (!m_axes)
        return;
    const Chart &c = m_chart;
    auto pen = [](const AxisSettings &axis) {
        return QPen(axis.gridColor, 0,
                axis.gridStyle == GridStyle::psDot ? Qt::DotLine : Qt::SolidLine);
    };
    if (c.leftAxis.gridVisible) {
        painter.setPen(pen(c.leftAxis));
        for (double v : m_yScale.ticks) {
            const double y = toPlot(0.0, v).y();
            painter.drawLine(QPointF(m_plot.left(), y), QPointF(m_plot.right(), y));
        }
    }
    if (c.bottomAxis.gridVisible) {
        painter.setPen(pen(c.bottomAxis));
        for (double v : m_xScale.ticks) {
            const double x = toPlot(v, 0.0).x();
            painter.drawLine(QPointF(x, m_plot.top()), QPointF(x, m_plot.bottom()));
        }
    }
}

void XYChart::paintAxes(QPainter &painter) const
{
    if (!m_axes)
        return;
    const Chart &c = m_chart;
    const AxisSettings &left = c.leftAxis;
    const AxisSettings &bottom = c.bottomAxis;
    painter.setPen(QPen(left.axisColor, 1));
    painter.drawLine(m_plot.topLeft(), m_plot.bottomLeft());
    painter.setPen(QPen(bottom.axisColor, 1));
    painter.drawLine(m_plot.bottomLeft(), m_plot.bottomRight());

    const QFontMetricsF fmLeft = metricsFor(left.labelsFont, painter.device());
    painter.setFont(left.labelsFont.font);
    double leftmost = m_plot.left();
    for (double v : m_yScale.ticks) {
        const double y = toPlot(0.0, v).y();
        painter.setPen(QPen(left.axisColor, 1));
        painter.drawLine(QPointF(m_plot.left() - kTick, y), QPointF(m_plot.left(), y));
        const QString text = formatValue(v);
        const double w = fmLeft.horizontalAdvance(text);
        painter.setPen(left.labelsFont.color);
        painter.drawText(QPointF(m_plot.left() - kTick - 2.0 - w,
                                 y + (fmLeft.ascent() - fmLeft.descent()) / 2.0),
                text);
        leftmost = std::min(leftmost, m_plot.left() - kTick - 2.0 - w);
    }

    const QFontMetricsF fmBottom = metricsFor(bottom.labelsFont, painter.device());
    painter.setFont(bottom.labelsFont.font);
    for (double v : m_xScale.ticks) {
        const double x = toPlot(v, 0.0).x();
        painter.setPen(QPen(bottom.axisColor, 1));
        painter.drawLine(QPointF(x, m_plot.bottom()), QPointF(x, m_plot.bottom() + kTick));
        const QString text = formatValue(v);
        painter.setPen(bottom.labelsFont.color);
        painter.drawText(QPointF(x - fmBottom.horizontalAdvance(text) / 2.0,
                                 m_plot.bottom() + kTick + 1.0 + fmBottom.ascent()),
                text);
    }

    if (!left.title.isEmpty()) {
        const QFontMetricsF fm = metricsFor(left.titleFont, painter.device());
        const QSizeF size =
                rotatedSize(QSizeF(fm.horizontalAdvance(left.title), fm.height()), left.titleAngle);
        const double x =
                std::max(leftmost - kGap - size.width() / 2.0, m_area.left() + size.width() / 2.0);
        drawRotatedText(painter, left.titleFont, left.title, QPointF(x, m_plot.center().y()),
                left.titleAngle);
    }
    if (!bottom.title.isEmpty()) {
        const QFontMetricsF fm = metricsFor(bottom.titleFont, painter.device());
        const QSizeF size = rotatedSize(
                QSizeF(fm.horizontalAdvance(bottom.title), fm.height()), bottom.titleAngle);
        const double y =
                m_plot.bottom() + kTick + 1.0 + fmBottom.height() + kGap + size.height() / 2.0;
        drawRotatedText(painter, bottom.titleFont, bottom.title,
                QPointF(m_plot.center().x(), std::min(y, m_area.bottom() - size.height() / 2.0)),
                bottom.titleAngle);
    }
}

void XYChart::paintColumns(QPainter &painter) const
{
    const BarSeries &bar = m_chart.bar;
    const double half = columnHalfWidth();
    const double base = toPlot(0.0, std::clamp(0.0, m_yScale.min, m_yScale.max)).y();
    painter.save();
    painter.setClipRect(m_plot.adjusted(0, -1, 1, 0), Qt::IntersectClip);
    for (const XYPoint &p : m_xy.points) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || p.y == 0.0)
            continue;
        const QPointF top = toPlot(p.x, p.y);
        const QRectF box(QPointF(top.x() - half, std::min(top.y(), base)),
                QPointF(top.x() + half, std::max(top.y(), base)));
        const QColor color = p.color.isValid() ? p.color : QColor(Qt::gray);
        painter.setPen(QPen(color.darker(160), 0));
        switch (bar.style) {
        case BarStyle::bsRectangle:
            painter.setBrush(color);
            painter.drawRect(box);
            break;
        case BarStyle::bsRectGradient: {
            QLinearGradient g(box.topLeft(), box.bottomLeft());
            g.setColorAt(0.0, color.lighter(150));
            g.setColorAt(1.0, color);
            painter.setBrush(g);
            painter.drawRect(box);
            break;
        }
        case BarStyle::bsCilinder: {
            QLinearGradient g(box.topLeft(), box.topRight());
            g.setColorAt(0.0, color.darker(130));
            g.setColorAt(0.4, color.lighter(150));
            g.setColorAt(1.0, color.darker(150));
            painter.setBrush(g);
            painter.drawRect(box);
            break;
        }
        case BarStyle::bsArrow: {
            const double head = std::min(box.height(), half * 1.2);
            QPolygonF arrow;
            arrow << QPointF(box.left() + half * 0.4, box.bottom())
                  << QPointF(box.left() + half * 0.4, box.top() + head)
                  << QPointF(box.left(), box.top() + head) << QPointF(box.center().x(), box.top())
                  << QPointF(box.right(), box.top() + head)
                  << QPointF(box.right() - half * 0.4, box.top() + head)
                  << QPointF(box.right() - half * 0.4, box.bottom());
            painter.setBrush(color);
            painter.drawPolygon(arrow);
            break;
        }
        }
    }
    painter.restore();
}

void XYChart::paintMarkers(QPainter &painter) const
{
    const LineSeries &line = m_chart.line;
    if (!line.pointerVisible)
        return;
    const double hw = std::clamp(line.pointerHorizSize, 1, 50);
    const double hh = std::clamp(line.pointerVertSize, 1, 50);

    // Markers by colour, the colours in the order they first appear: one
    // set-up per colour rather than per marker, and the same picture each time.
    QList<QRgb> colours;
    QHash<QRgb, QList<QPointF>> byColour;
    for (const XYPoint &p : m_xy.points) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            continue;
        const QRgb colour = (p.color.isValid() ? p.color : line.pointerColor).rgba();
        auto it = byColour.find(colour);
        if (it == byColour.end()) {
            colours.append(colour);
            it = byColour.insert(colour, {});
        }
        it->append(toPlot(p.x, p.y));
    }

    painter.save();
    painter.setClipRect(m_plot.adjusted(-hw, -hh, hw, hh), Qt::IntersectClip);
    const QRectF box(-hw, -hh, 2 * hw, 2 * hh);
    const QPainterPath shape = markerPath(line.pointerStyle, box);
    const bool rectangles = line.pointerStyle == PointerStyle::psRectangle;
    const QPaintEngine *engine = painter.paintEngine();
    if (engine && engine->type() == QPaintEngine::Raster) {
        // A bitmap: each colour's marker drawn once and stamped at every point,
        // which keeps ten thousand markers within a frame.
        const qreal ratio = std::max<qreal>(1.0, painter.device()->devicePixelRatioF());
        const QSizeF room(2 * hw + 2, 2 * hh + 2);
        const QSize pixels(qCeil(room.width() * ratio), qCeil(room.height() * ratio));
        for (QRgb rgba : std::as_const(colours)) {
            const QColor colour = QColor::fromRgba(rgba);
            QPixmap sprite(pixels);
            sprite.fill(Qt::transparent);
            {
                QPainter stamp(&sprite);
                stamp.setRenderHint(QPainter::Antialiasing, !rectangles);
                stamp.scale(ratio, ratio);
                stamp.translate(room.width() / 2.0, room.height() / 2.0);
                stamp.setPen(QPen(colour.darker(170), 0));
                stamp.setBrush(colour);
                stamp.drawPath(shape);
            }
            const QList<QPointF> &points = byColour[rgba];
            QList<QPainter::PixmapFragment> fragments;
            fragments.reserve(points.size());
            const QRectF source(0, 0, pixels.width(), pixels.height());
            for (const QPointF &at : points) {
                fragments.append(
                        QPainter::PixmapFragment::create(at, source, 1.0 / ratio, 1.0 / ratio));
            }
            painter.drawPixmapFragments(fragments.constData(), int(fragments.size()), sprite);
        }
    } else {
        // A vector picture keeps every marker a shape of its own.
        painter.setRenderHint(QPainter::Antialiasing, !rectangles);
        for (QRgb rgba : std::as_const(colours)) {
            const QColor colour = QColor::fromRgba(rgba);
            painter.setPen(QPen(colour.darker(170), 0));
            painter.setBrush(colour);
            const QList<QPointF> &points = byColour[rgba];
            if (rectangles) {
                QList<QRectF> rects;
                rects.reserve(points.size());
                for (const QPointF &at : points)
                    rects.append(box.translated(at));
                painter.drawRects(rects.constData(), int(rects.size()));
            } else {
                for (const QPointF &at : points)
                    painter.drawPath(shape.translated(at));
            }
        }
    }
    painter.restore();
}

void XYChart::paintReferenceLines(QPainter &painter) const
{
    for (const ReferenceLine &line : m_xy.referenceLines) {
        if (!std::isfinite(line.x))
            continue;
        const double x = toPlot(line.x, 0.0).x();
        if (x < m_plot.left() - 0.5 || x > m_plot.right() + 0.5)
            continue;
        QPen pen(line.color, 1.5, line.style);
        painter.setPen(pen);
        painter.drawLine(QPointF(x, m_plot.top()), QPointF(x, m_plot.bottom()));
    }
    const TextFont &font = m_chart.bottomAxis.labelsFont;
    const QFontMetricsF fm = metricsFor(font, painter.device());
    painter.setFont(font.font);
    qsizetype i = 0;
    for (const ReferenceLine &line : m_xy.referenceLines) {
        if (line.label.isEmpty() || !std::isfinite(line.x))
            continue;
        if (i >= m_referenceLabels.size())
            break;
        const PlacedLabel &label = m_referenceLabels[i++];
        // A light box of its own keeps the label readable on any panel colour.
        painter.setPen(QPen(line.color, 0));
        painter.setBrush(QColor(255, 255, 255, 225));
        painter.drawRect(label.box.adjusted(0.5, 0.5, -0.5, -0.5));
        painter.setPen(line.color.darker(140));
        painter.drawText(label.box, Qt::AlignCenter, label.text);
    }
}

void XYChart::paintLabels(QPainter &painter) const
{
    for (const PlacedLabel &label : m_columnLabels)
        drawMark(painter, m_chart.bar.marks, label.box, label.text);
    for (const PlacedLabel &label : m_pointLabels) {
        const QRectF &box = label.box;
        if (label.anchor.y() < box.top() || label.anchor.y() > box.bottom()) {
            const double x = box.left() > label.anchor.x() ? box.left() : box.right();
            QColor ink = m_chart.line.marks.font.color;
            ink.setAlpha(160);
            painter.setPen(QPen(ink, 0));
            painter.drawLine(label.anchor, QPointF(x, box.center().y()));
        }
        drawMark(painter, m_chart.line.marks, box, label.text);
    }
    if (!m_overflowBox.isNull()) {
        const MarksSettings &marks = m_chart.line.marks;
        painter.setPen(QPen(QColor(90, 90, 90), 0));
        painter.setBrush(QColor(255, 255, 255, 235));
        painter.drawRect(m_overflowBox.adjusted(0.5, 0.5, -0.5, -0.5));
        QFont font = marks.font.font;
        painter.setPen(marks.font.color);
        for (qsizetype i = 0; i < m_overflowRows.size(); ++i) {
            font.setBold(i == 0);
            painter.setFont(font);
            painter.drawText(m_overflowRows[i].box, Qt::AlignLeft | Qt::AlignVCenter,
                    m_overflowRows[i].text);
        }
    }
}

void XYChart::paint(QPainter &painter) const
{
    painter.save();
    paintBackground(painter);
    paintGrid(painter);
    if (m_xy.style == XYStyle::Columns)
        paintColumns(painter);
    paintReferenceLines(painter);
    if (m_xy.style == XYStyle::Markers)
        paintMarkers(painter);
    paintAxes(painter);
    paintLabels(painter);
    painter.restore();
}

} // namespace zavevad::chart
