// Layout of the numeric plot: its scales, the plot rectangle, and where
// every label and the box of names left without a place go.
#include "chartengine/xychart.h"

#include "chartengine/chartconstants.h"
#include "chartengine/chartdraw.h"
#include "chartengine/chartformat.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace zavevad::chart {

namespace {

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

bool overlapsAny(const QRectF &box, const QList<QRectF> &taken)
{
    return std::any_of(
            taken.begin(), taken.end(), [&box](const QRectF &r) { return r.intersects(box); });
}

/// The data's range along both axes.
struct Extent
{
    double xLo, xHi, yLo, yHi;
};

Extent extentOf(const XYPlot &xy)
{
    Extent e;
    e.xLo = std::numeric_limits<double>::infinity();
    e.xHi = -e.xLo;
    e.yLo = e.xLo;
    e.yHi = -e.xLo;
    for (const XYPoint &p : xy.points) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            continue;
        e.xLo = std::min(e.xLo, p.x);
        e.xHi = std::max(e.xHi, p.x);
        e.yLo = std::min(e.yLo, p.y);
        e.yHi = std::max(e.yHi, p.y);
    }
    for (const ReferenceLine &line : xy.referenceLines) {
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
    return e;
}

/// A marker's box with a pixel to spare, which no name may cover.
QRectF markerBoxAt(const LineSeries &line, const QPointF &at)
{
    const double hw = std::clamp(line.pointerHorizSize, 1, 50) + 1.0;
    const double hh = std::clamp(line.pointerVertSize, 1, 50) + 1.0;
    return QRectF(at.x() - hw, at.y() - hh, 2 * hw, 2 * hh);
}

/// The plot and its scales in `area`, with rows for reference-line labels
/// above it and `aside` pixels kept free right of it.
XYFrame layoutPlot(const Chart &c, QPaintDevice *device, const QRectF &area, const Extent &e,
        int referenceRows, double aside)
{
    const XYPlot &xy = c.xy;
    const QFontMetricsF fmLeft = metricsFor(c.leftAxis.labelsFont, device);
    const QFontMetricsF fmBottom = metricsFor(c.bottomAxis.labelsFont, device);
    const QFontMetricsF fmRef = metricsFor(c.bottomAxis.labelsFont, device);

    XYFrame frame;
    frame.area = area;
    frame.axes = c.axesVisible;
    frame.overflowRoom = aside;
    frame.referenceRow = referenceRows > 0 ? fmRef.height() + 3.0 : 0.0;
    double top = area.top() + referenceRows * frame.referenceRow + (referenceRows > 0 ? 2.0 : 0.0);
    double bottom = area.bottom();
    double left = area.left();
    const double right =
            area.right() - std::max(4.0, fmBottom.horizontalAdvance(u'0') * 2.0) - aside;

    if (frame.axes) {
        if (!c.bottomAxis.title.isEmpty()) {
            const QFontMetricsF fm = metricsFor(c.bottomAxis.titleFont, device);
            bottom -= rotatedSize(QSizeF(fm.horizontalAdvance(c.bottomAxis.title), fm.height()),
                              c.bottomAxis.titleAngle)
                              .height()
                    + kGap;
        }
        bottom -= fmBottom.height() + kTick + 1.0;
        if (!c.leftAxis.title.isEmpty()) {
            const QFontMetricsF fm = metricsFor(c.leftAxis.titleFont, device);
            left += rotatedSize(QSizeF(fm.horizontalAdvance(c.leftAxis.title), fm.height()),
                            c.leftAxis.titleAngle)
                            .width()
                    + kGap;
        }
    }
    bottom = std::max(bottom, top + 10.0);

    const double length = bottom - top;
    frame.yScale = scaleFor(
            e.yLo, e.yHi, xy.yMin, xy.yMax, length, fmLeft.height() * 1.6, xy.wholeNumbers);
    if (xy.style == XYStyle::Columns && c.bar.marks.visible && !xy.yMax) {
        // Headroom over the tallest column for its count, which would
        // otherwise go inside the column.
        const QFontMetricsF fm = metricsFor(c.bar.marks.font, device);
        const double need = markBoxSize(QSizeF(0.0, fm.height())).height() + 4.0;
        for (int i = 0; i < 3; ++i) {
            const double perUnit = length / (frame.yScale.max - frame.yScale.min);
            if ((frame.yScale.max - e.yHi) * perUnit >= need)
                break;
            frame.yScale = scaleFor(e.yLo, e.yHi + need / perUnit, xy.yMin, xy.yMax, length,
                    fmLeft.height() * 1.6, xy.wholeNumbers);
        }
    }
    if (frame.axes) {
        double widest = 0.0;
        for (double v : frame.yScale.ticks)
            widest = std::max(widest, fmLeft.horizontalAdvance(formatValue(v)));
        left += widest + kTick + 2.0;
    }
    frame.plot = QRectF(QPointF(left, top), QPointF(std::max(right, left + 10.0), bottom));

    double widestX = fmBottom.horizontalAdvance(formatValue(e.xHi));
    widestX = std::max(widestX, fmBottom.horizontalAdvance(formatValue(e.xLo)));
    frame.xScale = scaleFor(
            e.xLo, e.xHi, xy.xMin, xy.xMax, frame.plot.width(), widestX + 12.0, xy.wholeNumbers);
    return frame;
}

/// The reference-line labels in at most `rows` rows, and the rows they would
/// need to keep apart.
struct ReferenceLabels
{
    QList<XYLabel> labels;
    int used = 0;
};

ReferenceLabels placeReferenceLabels(
        const Chart &c, QPaintDevice *device, const XYFrame &frame, int rows)
{
    ReferenceLabels result;
    if (frame.referenceRow <= 0.0 || rows < 1)
        return result;
    const QFontMetricsF fm = metricsFor(c.bottomAxis.labelsFont, device);
    const double rowHeight = frame.referenceRow;
    // Each label in the lowest row where it covers no other; with more labels
    // than rows allow, the rest go to the top row and ask for more rows.
    QList<QList<QRectF>> taken;
    for (const ReferenceLine &line : c.xy.referenceLines) {
        if (line.label.isEmpty() || !std::isfinite(line.x))
            continue;
        const double x = frame.toPlot(line.x, 0.0).x();
        const double w = fm.horizontalAdvance(line.label) + 8.0;
        QRectF box(x - w / 2.0, frame.plot.top() - rowHeight - 1.0, w, rowHeight);
        box.moveLeft(std::clamp(box.left(), frame.area.left(),
                std::max(frame.area.left(), frame.area.right() - w)));
        int row = 0;
        while (row < taken.size() && overlapsAny(box, taken[row]))
            ++row;
        result.used = std::max(result.used, row + 1);
        if (row >= taken.size())
            taken.append(QList<QRectF>());
        const int shownRow = std::min(row, rows - 1);
        box.translate(0.0, -shownRow * rowHeight);
        taken[row].append(box.translated(0.0, shownRow * rowHeight));
        result.labels.append({box, line.label, QPointF()});
    }
    return result;
}

/// The values over the columns of a column plot.
QList<XYLabel> placeColumnLabels(const Chart &c, QPaintDevice *device, const XYFrame &frame)
{
    QList<XYLabel> labels;
    if (!c.bar.marks.visible)
        return labels;
    const QFontMetricsF fm = metricsFor(c.bar.marks.font, device);
    for (const XYPoint &p : c.xy.points) {
        if (p.y == 0.0 || !std::isfinite(p.x) || !std::isfinite(p.y))
            continue;
        const QString text = formatValue(p.y);
        const QSizeF size = markBoxSize(QSizeF(fm.horizontalAdvance(text), fm.height()));
        const QPointF top = frame.toPlot(p.x, p.y);
        QRectF box(QPointF(top.x() - size.width() / 2.0, top.y() - size.height() - 2.0), size);
        if (box.top() < frame.plot.top())
            box.moveTop(top.y() + 2.0);
        labels.append({box, text, top});
    }
    return labels;
}

XYPointLabels placePointLabels(const Chart &c, QPaintDevice *device, const XYFrame &frame)
{
    const XYPlot &xy = c.xy;
    XYPointLabels result;
    if (xy.style == XYStyle::Columns) {
        result.columns = placeColumnLabels(c, device, frame);
        return result;
    }
    // Names beside their markers, moved down (then up) out of each other's
    // way and never over a marker; a name that finds no free place near its
    // marker goes to the box beside the plot. Markers and names are kept in
    // cells of one label's height, so that a crowded plot compares each name
    // with its neighbours only.
    const bool named = std::any_of(xy.points.begin(), xy.points.end(),
            [](const XYPoint &p) { return !p.label.isEmpty(); });
    if (!named)
        return result;
    const QFontMetricsF fm = metricsFor(c.line.marks.font, device);
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
        for (const XYPoint &p : xy.points) {
            if (std::isfinite(p.x) && std::isfinite(p.y))
                take(markerBoxAt(c.line, frame.toPlot(p.x, p.y)));
        }
    }
    const QRectF &plot = frame.plot;
    const QRectF bounds(QPointF(frame.area.left(), plot.top()),
            QPointF(frame.overflowRoom > 0.0 ? plot.right() + kGap : frame.area.right(),
                    plot.bottom()));
    for (const XYPoint &p : xy.points) {
        if (p.label.isEmpty() || !std::isfinite(p.x) || !std::isfinite(p.y))
            continue;
        const QPointF at = frame.toPlot(p.x, p.y);
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
            result.overflow.append(p.label);
            continue;
        }
        take(box);
        result.points.append({box, p.label, at});
    }
    return result;
}

/// The box of `names`, the names left without a place, right of the plot; a
/// count of the rest stands for the names it has no room for.
XYOverflowBox placeOverflowBox(
        const Chart &c, QPaintDevice *device, const XYFrame &frame, QStringList names)
{
    XYOverflowBox result;
    if (names.isEmpty())
        return result;
    const XYPlot &xy = c.xy;
    const QFontMetricsF fm = metricsFor(c.line.marks.font, device);
    const QString title = xy.overflowTitle;
    const double line = fm.height();
    // As wide as the longest name of any point, so that the room asked for
    // does not change with which names found a place.
    double widest = fm.horizontalAdvance(title);
    for (const XYPoint &p : xy.points) {
        if (!p.label.isEmpty())
            widest = std::max(widest, fm.horizontalAdvance(p.label));
    }
    const double columnWidth = widest + 8.0;
    const int perColumn = std::max(1, int((frame.plot.height() - line - 6.0) / line));
    // A class names its flagged students in full; thousands of points (no
    // class) get the columns that 40 % of the width holds and a count of the rest.
    const qsizetype maxColumns =
            std::max<qsizetype>(1, qsizetype(frame.area.width() * 0.4 / columnWidth));
    const qsizetype columns = std::min((names.size() + perColumn - 1) / perColumn, maxColumns);
    const qsizetype room = columns * perColumn;
    if (names.size() > room) {
        const qsizetype rest = names.size() - (room - 1);
        names.resize(room - 1);
        names.append(QStringLiteral("+%1").arg(rest));
    }
    const double width = columns * columnWidth;
    result.wanted = width + kGap + 2.0;
    const qsizetype rows = std::min<qsizetype>(names.size(), perColumn);
    result.box = QRectF(
            frame.plot.right() + kGap + 2.0, frame.plot.top(), width, (rows + 1) * line + 6.0);
    result.rows.append({QRectF(result.box.left() + 4.0, result.box.top() + 3.0, width - 8.0, line),
            title, QPointF()});
    for (qsizetype i = 0; i < names.size(); ++i) {
        const qsizetype column = i / perColumn;
        const qsizetype row = i % perColumn;
        result.rows.append(
                {QRectF(result.box.left() + 4.0 + column * columnWidth,
                         result.box.top() + 3.0 + (row + 1) * line, columnWidth - 8.0, line),
                        names[i], QPointF()});
    }
    return result;
}

/// The note at the bottom of `area`, wrapped to its width; an empty label
/// without a note.
XYLabel placeNote(const Chart &c, QPaintDevice *device, const QRectF &area)
{
    if (c.xy.note.isEmpty())
        return {};
    const QFontMetricsF fm = metricsFor(c.bottomAxis.labelsFont, device);
    const QRectF wrapped = fm.boundingRect(
            QRectF(0.0, 0.0, area.width(), 1e6), Qt::AlignHCenter | Qt::TextWordWrap, c.xy.note);
    const double height = std::min(wrapped.height(), area.height() / 2.0);
    return {QRectF(area.left(), area.bottom() - height, area.width(), height), c.xy.note,
            QPointF()};
}

} // namespace

QPointF XYFrame::toPlot(double x, double y) const
{
    const double fx = (x - xScale.min) / (xScale.max - xScale.min);
    const double fy = (y - yScale.min) / (yScale.max - yScale.min);
    return QPointF(plot.left() + fx * plot.width(), plot.bottom() - fy * plot.height());
}

XYChart::XYChart(const Chart &chart, QPaintDevice *device)
    : m_chart(chart), m_xy(chart.xy), m_device(device)
{ }

double XYChart::columnHalfWidth() const
{
    const XYFrame &frame = m_layout.frame;
    const double unit = frame.plot.width() / (frame.xScale.max - frame.xScale.min);
    return std::max(0.5, unit * kColumnShare / 2.0);
}

QRectF XYChart::markerBox(const QPointF &at) const
{
    return markerBoxAt(m_chart.line, at);
}

void XYChart::layout(const QRectF &area)
{
    const Extent e = extentOf(m_xy);
    // Labels of reference lines close together take turns in rows above the
    // plot, and names with no place beside their markers are listed in a box
    // right of it: both take room from the plot, so the plot is laid out
    // again, from the rows and the room the last pass asked for, until they
    // are enough.
    const qsizetype labelledLines = std::count_if(m_xy.referenceLines.begin(),
            m_xy.referenceLines.end(), [](const ReferenceLine &l) { return !l.label.isEmpty(); });
    int rows = int(std::min<qsizetype>(labelledLines, 2));
    double aside = 0.0;
    XYLayout layout;
    layout.note = placeNote(m_chart, m_device, area);
    QRectF plotArea = area;
    if (!layout.note.text.isEmpty())
        plotArea.setBottom(layout.note.box.top() - kGap);
    for (int pass = 0; pass < 4; ++pass) {
        layout.frame = layoutPlot(m_chart, m_device, plotArea, e, rows, aside);
        const ReferenceLabels reference =
                placeReferenceLabels(m_chart, m_device, layout.frame, rows);
        layout.referenceLabels = reference.labels;
        layout.labels = placePointLabels(m_chart, m_device, layout.frame);
        layout.overflow = placeOverflowBox(m_chart, m_device, layout.frame, layout.labels.overflow);
        if (reference.used <= rows && layout.overflow.wanted <= aside)
            break;
        rows = std::max(rows, reference.used);
        aside = std::max(aside, layout.overflow.wanted);
    }
    m_layout = std::move(layout);
}

ChartGeometry XYChart::geometry() const
{
    ChartGeometry g;
    const XYLayout &l = m_layout;
    g.plot = l.frame.plot;
    for (const XYLabel &label : l.labels.points)
        g.marks.append(MarkGeometry{-1, label.box, label.text});
    for (const XYLabel &label : l.labels.columns)
        g.marks.append(MarkGeometry{-1, label.box, label.text});
    for (const XYLabel &label : l.referenceLabels)
        g.referenceLabels.append(MarkGeometry{-1, label.box, label.text});
    for (qsizetype i = 0; i < l.overflow.rows.size(); ++i) {
        const XYLabel &row = l.overflow.rows[i];
        g.overflowNames.append(MarkGeometry{i == 0 ? -1 : int(i - 1), row.box, row.text});
    }
    if (!l.note.text.isEmpty())
        g.notes.append(MarkGeometry{-1, l.note.box, l.note.text});
    const double half = columnHalfWidth();
    const double base = toPlot(0.0, std::clamp(0.0, l.frame.yScale.min, l.frame.yScale.max)).y();
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

} // namespace zavevad::chart
