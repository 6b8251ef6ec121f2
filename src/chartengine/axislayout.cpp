// Layout of the axis chart: the frame, the value range, the plot and its
// projection, the depths of bars and ribbons, and the stages in their order.
#include "chartengine/axislayout.h"

#include "chartengine/axischartparts.h"
#include "chartengine/chartdraw.h"
#include "chartengine/chartformat.h"

#include <algorithm>
#include <cmath>

namespace zavevad::chart {

using namespace axisparts;

namespace {

/// Clear space kept between neighbouring bars (pixels, and share of the
/// category's room) when their 3D depth is limited.
constexpr double kBarGap = 2.0;
constexpr double kBarGapShare = 0.2;
/// The 3D line's ribbon reaches back at most this share of a category's room.
constexpr double kRibbonShare = 0.6;
/// Depth (pixels) that bars and ribbons keep however crowded, so that 3D still shows.
constexpr double kMinDepth = 2.0;
/// Width assumed for the axis labels before they are measured (pixels).
constexpr double kGuessedLabelWidth = 40.0;
/// Least room right of the plot (pixels).
constexpr double kMinRightPad = 10.0;
/// Least width and height of the plot (pixels).
constexpr double kMinPlot = 10.0;
/// Longest axis label as a share of the chart's width.
constexpr double kLabelCapShare = 0.3;
/// Value axis long enough (pixels) to keep room for a second row of bar labels.
constexpr double kSecondRowLength = 240.0;
/// Depth of the 3D box per percent of depth, as a share of the plot's
/// shorter side: oblique and rotated views.
constexpr double kObliqueDepth = 0.35;
constexpr double kRotatedDepth = 0.6;

/// The values drawn, and whether bars reach above and below their origin.
struct DataRange
{
    double lo = 0.0;
    double hi = 0.0;
    bool above = false;
    bool below = false;
};

DataRange dataRange(const Chart &c, const AxisFrame &frame)
{
    DataRange r;
    bool any = false;
    auto include = [&](double v) {
        if (!std::isfinite(v))
            return;
        if (!any) {
            r.lo = r.hi = v;
            any = true;
        } else {
            r.lo = std::min(r.lo, v);
            r.hi = std::max(r.hi, v);
        }
    };
    if (frame.bars) {
        include(c.bar.origin);
        for (const Point &p : c.bar.points) {
            include(p.value);
            r.above = r.above || p.value > c.bar.origin;
            r.below = r.below || p.value < c.bar.origin;
        }
    }
    if (frame.line) {
        for (const Point &p : c.line.points)
            include(p.value);
    }
    if (!any) {
        r.lo = 0.0;
        r.hi = 1.0;
    } else if (r.hi - r.lo < 1e-12 * std::max(1.0, std::abs(r.lo))) {
        // A flat series stands on zero (or hangs from it when negative).
        if (r.lo > 0.0)
            r.lo = 0.0;
        else if (r.lo < 0.0)
            r.hi = 0.0;
        else
            r.hi = 1.0;
    }
    return r;
}

/// Room at the ends of the value axis for the marks and markers, so that
/// nothing drawn at the largest value leaves the plot: {high end, low end}.
QPointF endRoom(const AxisInputs &in, const AxisFrame &frame, const DataRange &range,
        double lengthPx, double crossPx, double categoryLengthGuess)
{
    const Chart &c = in.chart;
    double roomHi = 0.0, roomLo = 0.0;
    if (frame.bars && c.bar.marks.visible && !c.bar.points.isEmpty()) {
        double room = markBoxSize(QSizeF(frame.widestBarMark, 0)).width() + kGap + crossPx;
        // Bars closer than a line of text get their labels in two rows,
        // the second further out.
        const double lineHeight = metricsFor(c.bar.marks.font, in.device).height();
        if (frame.count > 1 && frame.count * lineHeight > categoryLengthGuess
                && lengthPx >= kSecondRowLength)
            room += markBoxSize(QSizeF(frame.widestBarMark, 0)).width() / 2.0 + kGap;
        roomHi = range.above || !range.below ? room : 0.0;
        roomLo = range.below ? room : 0.0;
    }
    if (frame.line) {
        const double marker =
                c.line.pointerVisible ? std::clamp(c.line.pointerVertSize, 1, 500) + 2.0 : 2.0;
        double markRoom = 0.0;
        if (c.line.marks.visible)
            markRoom = metricsFor(c.line.marks.font, in.device).height() + 2 * kGap;
        // Labels go above peaks and below troughs.
        roomHi = std::max(roomHi, marker + markRoom);
        roomLo = std::max(roomLo, marker + markRoom);
    }
    return QPointF(roomHi, roomLo);
}

/// The scale of lo..hi: labels as wide as the ones a first guess produces,
/// grown until they fit; zoomed, the view's range.
ValueAxis valueScale(
        const AxisInputs &in, const AxisFrame &frame, double lo, double hi, double lengthPx)
{
    const TextFont &labelsFont =
            frame.valuesHorizontal ? in.chart.bottomAxis.labelsFont : in.chart.leftAxis.labelsFont;
    const QFontMetricsF fm = metricsFor(labelsFont, in.device);
    auto spacingFor = [&](const QList<double> &values) {
        if (!frame.valuesHorizontal)
            return fm.height() * 1.8;
        double widest = 0.0;
        for (double v : values)
            widest = std::max(widest, fm.horizontalAdvance(formatValue(v)));
        return widest + 3 * kGap;
    };
    double needed = frame.valuesHorizontal ? fm.height() * 2.0 : spacingFor({});
    AxisScale full = computeAxisScale(lo, hi, lengthPx, needed, true);
    for (int i = 0; i < 3; ++i) {
        const double wanted = spacingFor(full.ticks);
        if (wanted <= needed)
            break;
        needed = wanted;
        full = computeAxisScale(lo, hi, lengthPx, needed, true);
    }
    ValueAxis axis;
    axis.fullMin = full.min;
    axis.fullMax = full.max;
    if (!frame.view.active) {
        axis.shownMin = full.min;
        axis.shownMax = full.max;
        axis.scale = full;
        return axis;
    }
    const ViewState &view = frame.view;
    axis.scale = computeAxisScale(view.valueMin, view.valueMax, lengthPx, needed, false);
    axis.shownMin = axis.scale.min;
    axis.shownMax = axis.scale.max;
    const double zoomed = spacingFor(axis.scale.ticks);
    if (zoomed > needed)
        axis.scale = computeAxisScale(axis.shownMin, axis.shownMax, lengthPx, zoomed, false);
    return axis;
}

/// How far back bars and the ribbon reach: that part of a bar's top (or a
/// ribbon's) covers its neighbours when they stand close.
void layOutDepths(const BarSeries &bar, const AxisFrame &frame, AxisGeometry &g)
{
    const Projection &pr = g.projection;
    const double span = std::max(frame.shown.categoryMax - frame.shown.categoryMin, 1e-9);
    const double room = 1.0 / span;
    g.barHalf = room * std::clamp(bar.widthPercent, 0, 100) / 100.0 / 2.0;
    g.barShift = 2.0 * g.barHalf * bar.offsetPercent / 100.0;
    g.barDepth = 1.0;
    g.ribbonDepth = 1.0;
    if (pr.isFlat())
        return;

    // The box's depth as it shows along the category axis.
    const QPointF origin = pr.map(0.5, 0.5, 0.0);
    const QPointF slot =
            (frame.valuesHorizontal ? pr.map(0.5, 0.5 + room, 0.0) : pr.map(0.5 + room, 0.5, 0.0))
            - origin;
    const double slotPx = std::hypot(slot.x(), slot.y());
    if (!(slotPx > 1e-9) || !std::isfinite(slotPx))
        return;
    const QPointF back = pr.map(0.5, 0.5, 1.0) - origin;
    const double along = std::abs(back.x() * slot.x() + back.y() * slot.y()) / slotPx;
    if (!(along > 1e-9))
        return;
    auto limited = [&](double allowedPx) {
        const double px = std::clamp(allowedPx, std::min(along, kMinDepth), along);
        return px / along;
    };
    const double thicknessPx = slotPx * 2.0 * g.barHalf / room;
    g.barDepth = limited(slotPx - thicknessPx - std::max(kBarGap, kBarGapShare * slotPx));
    g.ribbonDepth = limited(kRibbonShare * slotPx);
}

/// A plot estimated with narrow labels, to size the value scale.
QRectF estimatePlot(const AxisInputs &in, const AxisFrame &frame)
{
    const QFontMetricsF fmLeft = metricsFor(in.chart.leftAxis.labelsFont, in.device);
    const QFontMetricsF fmBottom = metricsFor(in.chart.bottomAxis.labelsFont, in.device);
    const QRectF &a = frame.area;
    QRectF plot(a.left() + frame.leftTitleRoom + kGuessedLabelWidth + kTick + frame.strip,
            a.top() + fmLeft.height() / 2.0, 0, 0);
    plot.setRight(a.right() - kMinRightPad);
    plot.setBottom(a.bottom() - frame.bottomRoom(fmBottom.height()) - frame.strip);
    return plot;
}

/// The view asked for, or none when it is out of all reason.
ViewState usableView(const ViewState &asked, qsizetype count)
{
    ViewState view = asked;
    // A view panned out of all reason still has to give sane point indexes.
    const double far = 1e6 + double(count);
    auto usable = [far](double lo, double hi) {
        return std::isfinite(lo) && std::isfinite(hi) && hi > lo && lo > -far && hi < far;
    };
    if (view.active && !usable(view.categoryMin, view.categoryMax))
        view.active = false;
    if (view.active
            && !(std::isfinite(view.valueMin) && std::isfinite(view.valueMax)
                    && view.valueMax > view.valueMin))
        view.active = false;
    return view;
}

double widestBarMark(const AxisInputs &in)
{
    const BarSeries &bar = in.chart.bar;
    const QFontMetricsF fm = metricsFor(bar.marks.font, in.device);
    const double total = seriesTotal(bar);
    double widest = 0.0;
    const qsizetype n = bar.points.size();
    const qsizetype stride = std::max<qsizetype>(1, n / kMeasuredLabels);
    for (qsizetype i = 0; i < n; i += stride)
        widest = std::max(
                widest, fm.horizontalAdvance(markText(bar.marks.style, bar.points[i], total)));
    return widest;
}

/// One pass through the stages, with the names under a line in rows as in.nameRows says.
AxisLayout layOutOnce(const AxisInputs &in)
{
    using namespace axisstages;
    const AxisFrame f = frame(in);

    // First pass: a plot estimated with narrow labels, to size the value scale.
    const QRectF estimate = estimatePlot(in, f);
    const double depth = f.obliqueDepth(estimate);
    const double guess = f.categoryLength(estimate, depth);
    const ValueAxis estimated =
            valueAxis(in, f, std::max(f.valueLength(estimate, depth), kMinPlot), depth, guess);

    // Second pass: the real label widths, then the plot they leave.
    CategoryRoom labelled = measureLabels(in, f, estimated, estimate, depth);
    QRectF plot = placePlot(in, f, labelled.room);
    // The estimate's guess at the value labels' width may have asked for a
    // second row of names that the plot as placed does without.
    if (labelled.fit.staggered && !f.valuesHorizontal) {
        labelled = measureLabels(in, f, estimated, plot, f.obliqueDepth(plot));
        plot = placePlot(in, f, labelled.room);
    }

    // The final scales along the axes as they came out. The marks stand
    // beside the bars' depth, not the box's.
    AxisLayout out;
    out.frame = f;
    out.geometry = project(in, f, plot);
    const QRectF front = out.geometry.projection.frontRect();
    const double crossDepth = f.oblique ? f.obliqueDepth(plot) * out.geometry.barDepth : 0.0;
    out.values = valueAxis(in, f,
            std::max(f.valuesHorizontal ? front.width() : front.height(), kMinPlot), crossDepth,
            guess);
    out.geometry.shown.valueMin = out.values.shownMin;
    out.geometry.shown.valueMax = out.values.shownMax;
    out.categories = refitCategories(
            in, f, labelled.fit, f.valuesHorizontal ? front.height() : front.width());

    out.axisLabels = placeAxisLabels(in, f, out.values, out.geometry, out.categories);
    SeriesMarks marks = placeMarks(in, f, out.geometry, fitBarMarks(in, f, out.geometry));
    out.barMarks = std::move(marks.bar);
    out.lineMarks = std::move(marks.line);
    return out;
}

} // namespace

const QList<Point> &AxisFrame::categoryPoints(const Chart &chart) const
{
    if (bars && (!line || chart.bar.count() >= chart.line.count()))
        return chart.bar.points;
    return chart.line.points;
}

double AxisFrame::obliqueDepth(const QRectF &plot) const
{
    return oblique ? depthShare * std::min(plot.width(), plot.height()) * kObliqueDepth : 0.0;
}

double AxisFrame::bottomRoom(double labelHeight) const
{
    if (!axes)
        return kGap;
    const double title = bottomTitle.height() > 0 ? bottomTitle.height() + kGap : 0.0;
    return title + labelHeight + kGap + kTick;
}

double AxisFrame::valueLength(const QRectF &plot, double depth) const
{
    return valuesHorizontal ? plot.width() - depth : plot.height() - depth;
}

double AxisFrame::categoryLength(const QRectF &plot, double depth) const
{
    return valuesHorizontal ? plot.height() - depth : plot.width() - depth;
}

ViewState AxisLayout::full() const
{
    ViewState v = frame.full;
    v.valueMin = values.fullMin;
    v.valueMax = values.fullMax;
    return v;
}

AxisFrame axisstages::frame(const AxisInputs &in)
{
    const Chart &c = in.chart;
    AxisFrame f;
    f.bars = c.bar.active;
    f.line = c.line.active;
    f.valuesHorizontal = f.bars;
    f.count = std::max(f.bars ? c.bar.count() : 0, f.line ? c.line.count() : 0);

    f.room = in.area;
    f.area = in.area;
    if (c.view3D.view3D) {
        const double zoom = clampPercent(c.view3D.zoomPercent, 5, 300);
        f.area = QRectF(0, 0, in.area.width() * zoom, in.area.height() * zoom);
        f.area.moveCenter(in.area.center());
    }
    f.full = ViewState{true, 0.0, 1.0, -0.5, std::max<double>(double(f.count), 1.0) - 0.5};
    f.shown = f.full;
    f.view = usableView(in.view, f.count);
    if (f.view.active) {
        f.shown.categoryMin = f.view.categoryMin;
        f.shown.categoryMax = f.view.categoryMax;
    }
    f.strip = kStrip;
    f.labelCap = std::max(kMinLabelCap, f.area.width() * kLabelCapShare);

    f.axes = c.axesVisible;
    auto titleSize = [&](const AxisSettings &axis) {
        if (!f.axes || axis.title.isEmpty())
            return QSizeF();
        const QFontMetricsF fm = metricsFor(axis.titleFont, in.device);
        return rotatedSize(QSizeF(fm.horizontalAdvance(axis.title), fm.height()), axis.titleAngle);
    };
    f.leftTitle = titleSize(c.leftAxis);
    f.bottomTitle = titleSize(c.bottomAxis);
    f.leftTitleRoom = f.leftTitle.width() > 0 ? f.leftTitle.width() + kGap : 0.0;
    f.depthShare = clampPercent(c.view3D.depthPercent, 0, 100);
    f.oblique = c.view3D.view3D && c.view3D.orthogonal;
    if (f.bars && c.bar.marks.visible && !c.bar.points.isEmpty())
        f.widestBarMark = widestBarMark(in);
    return f;
}

ValueAxis axisstages::valueAxis(const AxisInputs &in, const AxisFrame &frame, double lengthPx,
        double crossPx, double categoryLengthGuess)
{
    DataRange r = dataRange(in.chart, frame);
    const QPointF room = endRoom(in, frame, r, lengthPx, crossPx, categoryLengthGuess);
    const double roomHi = room.x(), roomLo = room.y();
    const double usable = std::max(lengthPx - roomHi - roomLo, lengthPx * 0.4);
    const double span = std::max(r.hi - r.lo, 1e-12);
    if (r.hi > r.lo) {
        const double perPx = span / usable;
        // The room never takes the axis past zero: scores and counts are
        // never negative, and an axis that says they might reads wrong.
        r.hi = r.hi <= 0.0 ? std::min(r.hi + roomHi * perPx, 0.0) : r.hi + roomHi * perPx;
        r.lo = r.lo >= 0.0 ? std::max(r.lo - roomLo * perPx, 0.0) : r.lo - roomLo * perPx;
    }
    return valueScale(in, frame, r.lo, r.hi, lengthPx);
}

QRectF axisstages::placePlot(const AxisInputs &in, const AxisFrame &frame, const LabelRoom &labels)
{
    const QFontMetricsF fmLeft = metricsFor(in.chart.leftAxis.labelsFont, in.device);
    const QRectF &a = frame.area;
    QRectF plot;
    plot.setLeft(a.left()
            + (frame.axes ? frame.leftTitleRoom + labels.leftWidth + kGap + kTick : kGap)
            + frame.strip);
    plot.setTop(a.top() + (frame.axes ? fmLeft.height() / 2.0 + 2.0 : kGap));
    plot.setRight(a.right() - labels.rightPad);
    plot.setBottom(a.bottom() - frame.bottomRoom(labels.bottomLabelHeight) - frame.strip);
    if (plot.width() < kMinPlot)
        plot.setWidth(kMinPlot);
    if (plot.height() < kMinPlot)
        plot.setHeight(kMinPlot);
    return plot;
}

AxisGeometry axisstages::project(const AxisInputs &in, const AxisFrame &frame, const QRectF &plot)
{
    const View3DSettings &v = in.chart.view3D;
    AxisGeometry g;
    if (!v.view3D) {
        g.projection = Projection::flat(plot);
    } else if (frame.oblique) {
        const double d = frame.obliqueDepth(plot);
        g.projection = Projection::oblique(plot.adjusted(0, d, -d, 0), d, d);
    } else {
        const double depth =
                frame.depthShare * std::min(plot.width(), plot.height()) * kRotatedDepth;
        g.projection = Projection::rotated(
                plot, plot.size(), depth, v.rotation, v.elevation, v.perspective);
    }
    g.shown = frame.shown;
    g.valuesHorizontal = frame.valuesHorizontal;
    g.strip = frame.strip;
    layOutDepths(in.chart.bar, frame, g);
    return g;
}

AxisLayout layOutAxisChart(const AxisInputs &in)
{
    AxisLayout first = layOutOnce(in);
    const AxisFrame &f = first.frame;
    if (f.valuesHorizontal || !first.categories.rotated || !in.chart.axesVisible)
        return first;
    // Whether the names under a line chart stand in one row or two is
    // settled by trying the other way when the first has a flaw: the second
    // row takes the plot's height, and with it value labels, which say more
    // than the names (the legend lists them anyway); but a lower plot also
    // has a shallower 3D box and so a longer axis, which may give two rows
    // of names the room they were refused.
    const qsizetype marks = first.lineMarks.marks.size();
    const double length = first.geometry.projection.frontRect().width();
    const double halfLine = metricsFor(first.categories.font, in.device).height() / 2.0;
    AxisInputs other = in;
    if (first.categories.staggered && in.chart.line.marks.visible
            && marks < in.chart.line.points.size())
        other.nameRows = NameRows::One;
    else if (!first.categories.staggered && first.categories.labels.step > 1
            && axisstages::thinCategories(f, length, halfLine).step <= 2)
        other.nameRows = NameRows::Two;
    else
        return first;
    AxisLayout second = layOutOnce(other);
    const qsizetype secondMarks = second.lineMarks.marks.size();
    const bool better = other.nameRows == NameRows::One
            ? secondMarks > marks
            : second.categories.labels.step == 1 && secondMarks >= marks;
    return better ? second : first;
}

} // namespace zavevad::chart
