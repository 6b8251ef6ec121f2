// Layout of the axis chart: the value range, the room of the axis labels and
// titles, the plot and its projection, the depths of bars and ribbons.
#include "chartengine/axischart.h"

#include "chartengine/axischartparts.h"
#include "chartengine/chartdraw.h"
#include "chartengine/chartformat.h"

#include <algorithm>
#include <cmath>
#include <optional>

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
/// Longest axis label as a share of the chart's width, and its least width.
constexpr double kLabelCapShare = 0.3;
constexpr double kMinLabelCap = 30.0;
/// Value axis long enough (pixels) to keep room for a second row of bar labels.
constexpr double kSecondRowLength = 240.0;
/// Longest upright category name as a share of the chart's height.
constexpr double kUprightCapShare = 0.25;
/// Depth of the 3D box per percent of depth, as a share of the plot's
/// shorter side: oblique and rotated views.
constexpr double kObliqueDepth = 0.35;
constexpr double kRotatedDepth = 0.6;

} // namespace

void AxisChart::computeValueRange(double lengthPx, double crossPx)
{
    const Chart &c = m_chart;
    double lo = 0.0, hi = 0.0;
    bool any = false;
    auto include = [&](double v) {
        if (!std::isfinite(v))
            return;
        if (!any) {
            lo = hi = v;
            any = true;
        } else {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    };
    bool above = false, below = false;
    if (m_bars) {
        include(c.bar.origin);
        for (const Point &p : c.bar.points) {
            include(p.value);
            above = above || p.value > c.bar.origin;
            below = below || p.value < c.bar.origin;
        }
    }
    if (m_line) {
        for (const Point &p : c.line.points)
            include(p.value);
    }
    if (!any) {
        lo = 0.0;
        hi = 1.0;
    } else if (hi - lo < 1e-12 * std::max(1.0, std::abs(lo))) {
        // A flat series stands on zero (or hangs from it when negative).
        if (lo > 0.0)
            lo = 0.0;
        else if (lo < 0.0)
            hi = 0.0;
        else
            hi = 1.0;
    }

    // Room at the ends of the value axis for the marks and markers, so that
    // nothing drawn at the largest value leaves the plot.
    double roomHi = 0.0, roomLo = 0.0;
    if (m_bars && c.bar.marks.visible && !c.bar.points.isEmpty()) {
        if (m_widestBarMark < 0.0) {
            const QFontMetricsF fm = metricsFor(c.bar.marks.font, m_device);
            const double total = seriesTotal(c.bar);
            double widest = 0.0;
            const qsizetype n = c.bar.points.size();
            const qsizetype stride = std::max<qsizetype>(1, n / kMeasuredLabels);
            for (qsizetype i = 0; i < n; i += stride)
                widest = std::max(widest,
                        fm.horizontalAdvance(markText(c.bar.marks.style, c.bar.points[i], total)));
            m_widestBarMark = widest;
        }
        double room = markBoxSize(QSizeF(m_widestBarMark, 0)).width() + kGap + crossPx;
        // Bars closer than a line of text get their labels in two rows,
        // the second further out.
        const double lineHeight = metricsFor(c.bar.marks.font, m_device).height();
        if (m_count > 1 && m_count * lineHeight > m_categoryLengthGuess
                && lengthPx >= kSecondRowLength)
            room += markBoxSize(QSizeF(m_widestBarMark, 0)).width() / 2.0 + kGap;
        roomHi = above || !below ? room : 0.0;
        roomLo = below ? room : 0.0;
    }
    if (m_line) {
        const double marker =
                c.line.pointerVisible ? std::clamp(c.line.pointerVertSize, 1, 500) + 2.0 : 2.0;
        double markRoom = 0.0;
        if (c.line.marks.visible)
            markRoom = metricsFor(c.line.marks.font, m_device).height() + 2 * kGap;
        // Labels go above peaks and below troughs.
        roomHi = std::max(roomHi, marker + markRoom);
        roomLo = std::max(roomLo, marker + markRoom);
    }
    const double usable = std::max(lengthPx - roomHi - roomLo, lengthPx * 0.4);
    const double span = std::max(hi - lo, 1e-12);
    if (hi > lo) {
        const double perPx = span / usable;
        // The room never takes the axis past zero: scores and counts are
        // never negative, and an axis that says they might reads wrong.
        hi = hi <= 0.0 ? std::min(hi + roomHi * perPx, 0.0) : hi + roomHi * perPx;
        lo = lo >= 0.0 ? std::max(lo - roomLo * perPx, 0.0) : lo - roomLo * perPx;
    }

    const TextFont &labelsFont =
            m_valuesHorizontal ? c.bottomAxis.labelsFont : c.leftAxis.labelsFont;
    const QFontMetricsF fm = metricsFor(labelsFont, m_device);
    auto spacingFor = [&](const QList<double> &values) {
        if (!m_valuesHorizontal)
            return fm.height() * 1.8;
        double widest = 0.0;
        for (double v : values)
            widest = std::max(widest, fm.horizontalAdvance(formatValue(v)));
        return widest + 3 * kGap;
    };
    // Labels as wide as the ones a first guess produces, grown until they fit.
    double needed = m_valuesHorizontal ? fm.height() * 2.0 : spacingFor({});
    AxisScale full = computeAxisScale(lo, hi, lengthPx, needed, true);
    for (int i = 0; i < 3; ++i) {
        const double wanted = spacingFor(full.ticks);
        if (wanted <= needed)
            break;
        needed = wanted;
        full = computeAxisScale(lo, hi, lengthPx, needed, true);
    }
    m_full.valueMin = full.min;
    m_full.valueMax = full.max;
    m_shown.valueMin = m_view.active ? m_view.valueMin : full.min;
    m_shown.valueMax = m_view.active ? m_view.valueMax : full.max;
    if (m_view.active) {
        m_scale = computeAxisScale(m_shown.valueMin, m_shown.valueMax, lengthPx, needed, false);
        m_shown.valueMin = m_scale.min;
        m_shown.valueMax = m_scale.max;
        const double zoomed = spacingFor(m_scale.ticks);
        if (zoomed > needed)
            m_scale = computeAxisScale(m_shown.valueMin, m_shown.valueMax, lengthPx, zoomed, false);
    } else {
        m_scale = full;
    }
}

AxisChart::CategoryLabels AxisChart::thinCategories(double lengthPx, double labelExtent) const
{
    CategoryLabels labels;
    if (m_count <= 0)
        return labels;
    labels.first = std::max(0, int(std::ceil(m_shown.categoryMin - 1e-9)));
    labels.last = std::min(int(m_count) - 1, int(std::floor(m_shown.categoryMax + 1e-9)));
    const double span = std::max(m_shown.categoryMax - m_shown.categoryMin, 1e-9);
    const double slotPx = lengthPx / span;
    // Fonts too big for the plot (a template may ask for any size) make the
    // step huge: past the count it shows the first label only, and it must
    // stay within an int.
    const double step = std::ceil((labelExtent + 1.0) / std::max(slotPx, 1e-6));
    const double maxStep = double(std::max<qsizetype>(m_count, 1));
    labels.step = step >= 1.0 ? int(std::min(step, maxStep)) : 1;
    // Keep the labels on multiples of the step so that panning does not make them jump.
    labels.first = (labels.first + labels.step - 1) / labels.step * labels.step;
    return labels;
}

double AxisChart::maxCategoryLabelWidth(const CategoryLabels &labels, double cap) const
{
    NameWidths &widths = m_nameWidths[m_categoryFont.font.key()];
    const QList<Point> &points = categoryPoints();
    if (widths.whole.size() != points.size()) {
        widths.whole.fill(-1.0, points.size());
        widths.shortened.fill(-1.0, points.size());
    }
    std::optional<QFontMetricsF> fm;
    const auto metrics = [&]() -> const QFontMetricsF & {
        if (!fm)
            fm.emplace(metricsFor(m_categoryFont, m_device));
        return *fm;
    };
    // The width of fittedName(name, cap) as drawn.
    const auto fitted = [&](int i) {
        double &whole = widths.whole[i];
        if (whole < 0.0)
            whole = metrics().horizontalAdvance(points[i].label);
        if (whole <= cap)
            return whole;
        double &shortened = widths.shortened[i];
        if (shortened < 0.0)
            shortened = metrics().horizontalAdvance(shortName(points[i].label));
        if (shortened <= cap)
            return shortened;
        return metrics().horizontalAdvance(
                metrics().elidedText(shortName(points[i].label), Qt::ElideRight, cap));
    };
    double widest = 0.0;
    const qsizetype shown =
            labels.last >= labels.first ? (labels.last - labels.first) / labels.step + 1 : 0;
    const int stride = labels.step * int(std::max<qsizetype>(1, shown / kMeasuredLabels));
    for (int i = labels.first; i <= labels.last; i += stride) {
        if (i < 0 || i >= points.size())
            continue;
        widest = std::max(widest, fitted(i));
        if (widest >= cap)
            return cap;
    }
    return widest;
}

void AxisChart::resolveView(const QRectF &area, const ViewState &view)
{
    const Chart &c = m_chart;
    m_bars = c.bar.active;
    m_line = c.line.active;
    m_valuesHorizontal = m_bars;
    m_count = std::max(m_bars ? c.bar.count() : 0, m_line ? c.line.count() : 0);
    m_view = view;
    m_widestBarMark = -1.0;

    m_room = area;
    QRectF a = area;
    if (c.view3D.view3D) {
        const double zoom = clampPercent(c.view3D.zoomPercent, 5, 300);
        a = QRectF(0, 0, area.width() * zoom, area.height() * zoom);
        a.moveCenter(area.center());
    }
    m_area = a;

    m_full = ViewState{true, 0.0, 1.0, -0.5, std::max<double>(double(m_count), 1.0) - 0.5};
    m_shown = m_full;
    // A view panned out of all reason still has to give sane point indexes.
    const double far = 1e6 + double(m_count);
    auto usable = [far](double lo, double hi) {
        return std::isfinite(lo) && std::isfinite(hi) && hi > lo && lo > -far && hi < far;
    };
    if (m_view.active && !usable(m_view.categoryMin, m_view.categoryMax))
        m_view.active = false;
    if (m_view.active
            && !(std::isfinite(m_view.valueMin) && std::isfinite(m_view.valueMax)
                    && m_view.valueMax > m_view.valueMin))
        m_view.active = false;
    if (m_view.active) {
        m_shown.categoryMin = m_view.categoryMin;
        m_shown.categoryMax = m_view.categoryMax;
    }
}

AxisChart::FrameRoom AxisChart::measureFrame() const
{
    const Chart &c = m_chart;
    FrameRoom room;
    room.axes = c.axesVisible;
    auto titleSize = [&](const AxisSettings &axis) {
        if (!room.axes || axis.title.isEmpty())
            return QSizeF();
        const QFontMetricsF fm = metricsFor(axis.titleFont, m_device);
        return rotatedSize(QSizeF(fm.horizontalAdvance(axis.title), fm.height()), axis.titleAngle);
    };
    room.leftTitle = titleSize(c.leftAxis);
    room.bottomTitle = titleSize(c.bottomAxis);
    room.leftTitleRoom = room.leftTitle.width() > 0 ? room.leftTitle.width() + kGap : 0.0;
    room.depthShare = clampPercent(c.view3D.depthPercent, 0, 100);
    room.oblique = c.view3D.view3D && c.view3D.orthogonal;
    return room;
}

double AxisChart::obliqueDepth(const FrameRoom &frame, const QRectF &plot) const
{
    return frame.oblique ? frame.depthShare * std::min(plot.width(), plot.height()) * kObliqueDepth
                         : 0.0;
}

double AxisChart::bottomRoom(const FrameRoom &frame, double labelHeight) const
{
    if (!frame.axes)
        return kGap;
    const double title = frame.bottomTitle.height() > 0 ? frame.bottomTitle.height() + kGap : 0.0;
    return title + labelHeight + kGap + kTick;
}

double AxisChart::valueLength(const QRectF &plot, double depth) const
{
    return m_valuesHorizontal ? plot.width() - depth : plot.height() - depth;
}

double AxisChart::categoryLength(const QRectF &plot, double depth) const
{
    return m_valuesHorizontal ? plot.height() - depth : plot.width() - depth;
}

QRectF AxisChart::estimatePlot(const FrameRoom &frame) const
{
    const QFontMetricsF fmLeft = metricsFor(m_chart.leftAxis.labelsFont, m_device);
    const QFontMetricsF fmBottom = metricsFor(m_chart.bottomAxis.labelsFont, m_device);
    const QRectF &a = m_area;
    QRectF plot(a.left() + frame.leftTitleRoom + kGuessedLabelWidth + kTick + m_strip,
            a.top() + fmLeft.height() / 2.0, 0, 0);
    plot.setRight(a.right() - kMinRightPad);
    plot.setBottom(a.bottom() - bottomRoom(frame, fmBottom.height()) - m_strip);
    return plot;
}

AxisChart::LabelRoom AxisChart::measureLabels(
        const FrameRoom &frame, const QRectF &plot, double depth)
{
    const QFontMetricsF fmLeft = metricsFor(m_chart.leftAxis.labelsFont, m_device);
    const QFontMetricsF fmBottom = metricsFor(m_chart.bottomAxis.labelsFont, m_device);
    LabelRoom room;
    room.bottomLabelHeight = fmBottom.height();
    m_rotatedCategories = false;
    m_staggered = false;
    m_categoryFont =
            m_valuesHorizontal ? m_chart.leftAxis.labelsFont : m_chart.bottomAxis.labelsFont;
    if (!frame.axes)
        return room;
    fitCategoryFont(categoryLength(plot, depth));
    const QFontMetricsF fmCategory = metricsFor(m_categoryFont, m_device);
    if (m_valuesHorizontal) {
        m_categoryLabels = thinCategories(categoryLength(plot, depth), categoryExtent(fmCategory));
        room.leftWidth = maxCategoryLabelWidth(m_categoryLabels, staggeredCap());
        if (m_staggered)
            room.leftWidth = 2.0 * room.leftWidth + kGap;
        room.rightPad = std::max(room.rightPad,
                fmBottom.horizontalAdvance(
                        formatValue(m_scale.ticks.isEmpty() ? m_scale.max : m_scale.ticks.last()))
                                / 2.0
                        + 2.0);
        return room;
    }
    for (double t : std::as_const(m_scale.ticks))
        room.leftWidth = std::max(room.leftWidth, fmLeft.horizontalAdvance(formatValue(t)));
    // Names too long to stand side by side are turned upright when that
    // shows more of them.
    const double length = categoryLength(plot, depth);
    const double widest = maxCategoryLabelWidth(thinCategories(length, 0.0), m_labelCap);
    if (m_rotatedCategories) {
        m_rotatedCap = std::min(widest, std::max(kMinLabelCap, m_area.height() * kUprightCapShare));
        room.bottomLabelHeight = m_staggered ? 2.0 * m_rotatedCap + kGap : m_rotatedCap;
        room.rightPad = std::max(room.rightPad, fmCategory.height() / 2.0 + 2.0);
    } else {
        room.bottomLabelHeight = fmCategory.height();
        room.rightPad = std::max(room.rightPad, std::min(widest, m_labelCap) / 2.0 + 2.0);
    }
    return room;
}

QRectF AxisChart::placePlot(const FrameRoom &frame, const LabelRoom &labels) const
{
    const QFontMetricsF fmLeft = metricsFor(m_chart.leftAxis.labelsFont, m_device);
    const QRectF &a = m_area;
    QRectF plot;
    plot.setLeft(a.left()
            + (frame.axes ? frame.leftTitleRoom + labels.leftWidth + kGap + kTick : kGap)
            + m_strip);
    plot.setTop(a.top() + (frame.axes ? fmLeft.height() / 2.0 + 2.0 : kGap));
    plot.setRight(a.right() - labels.rightPad);
    plot.setBottom(a.bottom() - bottomRoom(frame, labels.bottomLabelHeight) - m_strip);
    if (plot.width() < kMinPlot)
        plot.setWidth(kMinPlot);
    if (plot.height() < kMinPlot)
        plot.setHeight(kMinPlot);
    return plot;
}

void AxisChart::project(const FrameRoom &frame, const QRectF &plot)
{
    const View3DSettings &v = m_chart.view3D;
    if (!v.view3D) {
        m_projection = Projection::flat(plot);
    } else if (frame.oblique) {
        const double d = obliqueDepth(frame, plot);
        m_projection = Projection::oblique(plot.adjusted(0, d, -d, 0), d, d);
    } else {
        const double depth =
                frame.depthShare * std::min(plot.width(), plot.height()) * kRotatedDepth;
        m_projection = Projection::rotated(
                plot, plot.size(), depth, v.rotation, v.elevation, v.perspective);
    }
}

void AxisChart::fitScales(const FrameRoom &frame, const QRectF &plot)
{
    // The marks stand beside the bars' depth, not the box's.
    const QRectF front = m_projection.frontRect();
    const double crossDepth = frame.oblique ? obliqueDepth(frame, plot) * m_barDepth : 0.0;
    computeValueRange(
            std::max(m_valuesHorizontal ? front.width() : front.height(), kMinPlot), crossDepth);
    // The font chosen on the estimate may not fit the plot as it came out;
    // a smaller one may, but not a second column or a turn that the room
    // around the plot was not made for.
    const double length = m_valuesHorizontal ? front.height() : front.width();
    m_categoryLabels = thinCategories(length, categoryExtent(metricsFor(m_categoryFont, m_device)));
    if (m_categoryLabels.step > 1 && m_chart.axesVisible) {
        const bool rotated = m_rotatedCategories;
        const bool staggered = m_staggered;
        fitCategoryFont(length);
        m_rotatedCategories = rotated;
        m_staggered = m_staggered && staggered;
        m_categoryLabels =
                thinCategories(length, categoryExtent(metricsFor(m_categoryFont, m_device)));
    }
}

double AxisChart::categoryExtent(const QFontMetricsF &fm) const
{
    if (m_valuesHorizontal)
        return m_staggered ? fm.height() / 2.0 : fm.height();
    if (m_rotatedCategories)
        return m_staggered ? fm.height() / 2.0 : fm.height();
    const double widest = maxCategoryLabelWidth(thinCategories(1e9, 0.0), m_labelCap);
    return widest + 2 * kGap;
}

void AxisChart::fitCategoryFont(double lengthPx)
{
    const TextFont &set =
            m_valuesHorizontal ? m_chart.leftAxis.labelsFont : m_chart.bottomAxis.labelsFont;
    m_categoryFont = set;
    m_staggered = false;
    const double setPoints = set.font.pointSizeF();
    // Fonts sized in pixels, and fonts the user made smaller than our floor, stay.
    const double floorPoints = std::min(setPoints, kMinLabelPoints);
    auto fits = [&](const TextFont &font) {
        const QFontMetricsF fm = metricsFor(font, m_device);
        if (m_valuesHorizontal)
            return thinCategories(lengthPx, fm.height()).step == 1;
        // Names too long to stand side by side are turned upright when
        // that shows more of them.
        const double widest = maxCategoryLabelWidth(thinCategories(lengthPx, 0.0), m_labelCap);
        const int across = thinCategories(lengthPx, widest + 2 * kGap).step;
        const int upright = thinCategories(lengthPx, fm.height()).step;
        m_rotatedCategories = upright < across;
        return (m_rotatedCategories ? upright : across) == 1;
    };
    if (setPoints <= 0.0) {
        fits(m_categoryFont);
        return;
    }
    for (double points : shrinkingSizes(setPoints, floorPoints)) {
        m_categoryFont.font.setPointSizeF(points);
        if (fits(m_categoryFont))
            return;
    }
    m_categoryFont.font.setPointSizeF(floorPoints);
    if (m_valuesHorizontal) {
        // Names stacked closer than a line: every other one steps out to a
        // second column rather than being left out.
        const QFontMetricsF fm = metricsFor(m_categoryFont, m_device);
        // Only when that shows them all: for hundreds of bars the second
        // column would take the plot's width for little.
        m_staggered = thinCategories(lengthPx, fm.height() / 2.0).step == 1;
    } else if (fits(m_categoryFont); m_rotatedCategories && m_nameRows != NameRows::One) {
        // Upright names closer than a line: every other one steps down to a
        // second row, for the same reason and on the same terms.
        const QFontMetricsF fm = metricsFor(m_categoryFont, m_device);
        m_staggered = m_nameRows == NameRows::Two
                || thinCategories(lengthPx, fm.height() / 2.0).step == 1;
    }
}

void AxisChart::layout(const QRectF &area, const ViewState &view)
{
    m_nameRows = NameRows::TwoWhenTheyFit;
    layoutOnce(area, view);
    if (m_valuesHorizontal || !m_rotatedCategories || !m_chart.axesVisible)
        return;
    // Whether the names under a line chart stand in one row or two is
    // settled by trying the other way when the first has a flaw: the second
    // row takes the plot's height, and with it value labels, which say more
    // than the names (the legend lists them anyway); but a lower plot also
    // has a shallower 3D box and so a longer axis, which may give two rows
    // of names the room they were refused.
    const qsizetype marks = m_lineMarks.size();
    const double length = m_projection.frontRect().width();
    const double halfLine = metricsFor(m_categoryFont, m_device).height() / 2.0;
    NameRows other;
    if (m_staggered && m_chart.line.marks.visible && marks < m_chart.line.points.size())
        other = NameRows::One;
    else if (!m_staggered && m_categoryLabels.step > 1
            && thinCategories(length, halfLine).step <= 2)
        other = NameRows::Two;
    else
        return;
    m_nameRows = other;
    layoutOnce(area, view);
    const bool better = other == NameRows::One
            ? m_lineMarks.size() > marks
            : m_categoryLabels.step == 1 && m_lineMarks.size() >= marks;
    if (!better) {
        m_nameRows = NameRows::TwoWhenTheyFit;
        layoutOnce(area, view);
    }
}

void AxisChart::layoutOnce(const QRectF &area, const ViewState &view)
{
    resolveView(area, view);
    m_strip = kStrip;
    m_labelCap = std::max(kMinLabelCap, m_area.width() * kLabelCapShare);
    const FrameRoom frame = measureFrame();

    // First pass: a plot estimated with narrow labels, to size the value scale.
    const QRectF estimate = estimatePlot(frame);
    const double depth = obliqueDepth(frame, estimate);
    m_categoryLengthGuess = categoryLength(estimate, depth);
    computeValueRange(std::max(valueLength(estimate, depth), kMinPlot), depth);

    // Second pass: the real label widths, then the plot they leave and the
    // final scales along the axes as they came out.
    QRectF plot = placePlot(frame, measureLabels(frame, estimate, depth));
    // The estimate's guess at the value labels' width may have asked for a
    // second row of names that the plot as placed does without.
    if (m_staggered && !m_valuesHorizontal)
        plot = placePlot(frame, measureLabels(frame, plot, obliqueDepth(frame, plot)));
    project(frame, plot);
    layoutDepths();
    fitScales(frame, plot);
    placeAxisLabels();
    fitBarMarksFont();
    placeMarks();
}

void AxisChart::layoutDepths()
{
    const BarSeries &bar = m_chart.bar;
    const Projection &pr = m_projection;
    const double span = std::max(m_shown.categoryMax - m_shown.categoryMin, 1e-9);
    const double room = 1.0 / span;
    m_barHalf = room * std::clamp(bar.widthPercent, 0, 100) / 100.0 / 2.0;
    m_barShift = 2.0 * m_barHalf * bar.offsetPercent / 100.0;
    m_barDepth = 1.0;
    m_ribbonDepth = 1.0;
    if (pr.isFlat())
        return;

    // The box's depth as it shows along the category axis: that part of a
    // bar's top (or a ribbon's) covers its neighbours when they stand close.
    const QPointF origin = pr.map(0.5, 0.5, 0.0);
    const QPointF slot =
            (m_valuesHorizontal ? pr.map(0.5, 0.5 + room, 0.0) : pr.map(0.5 + room, 0.5, 0.0))
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
    const double thicknessPx = slotPx * 2.0 * m_barHalf / room;
    m_barDepth = limited(slotPx - thicknessPx - std::max(kBarGap, kBarGapShare * slotPx));
    m_ribbonDepth = limited(kRibbonShare * slotPx);
}

} // namespace zavevad::chart
