// The category axis's names: how many have room, their font as fitted, and
// the room the axis labels take beside the plot.
#include "chartengine/axislayout.h"

#include "chartengine/axischartparts.h"
#include "chartengine/chartconstants.h"
#include "chartengine/chartdraw.h"
#include "chartengine/chartformat.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace zavevad::chart {

using namespace axisparts;

namespace {

/// Longest upright category name as a share of the chart's height.
constexpr double kUprightCapShare = 0.25;

} // namespace

NameWidthCache::Widths &NameWidthCache::forFont(const QFont &font, qsizetype count)
{
    Widths &widths = m_widths[font.key()];
    if (widths.whole.size() != count) {
        widths.whole.fill(-1.0, count);
        widths.shortened.fill(-1.0, count);
    }
    return widths;
}

CategoryLabels axisstages::thinCategories(
        const AxisFrame &frame, double lengthPx, double labelExtent)
{
    CategoryLabels labels;
    if (frame.count <= 0)
        return labels;
    const ViewState &shown = frame.shown;
    labels.first = std::max(0, int(std::ceil(shown.categoryMin - 1e-9)));
    labels.last = std::min(int(frame.count) - 1, int(std::floor(shown.categoryMax + 1e-9)));
    const double span = std::max(shown.categoryMax - shown.categoryMin, 1e-9);
    const double slotPx = lengthPx / span;
    // Fonts too big for the plot (a template may ask for any size) make the
    // step huge: past the count it shows the first label only, and it must
    // stay within an int.
    const double step = std::ceil((labelExtent + 1.0) / std::max(slotPx, 1e-6));
    const double maxStep = double(std::max<qsizetype>(frame.count, 1));
    labels.step = step >= 1.0 ? int(std::min(step, maxStep)) : 1;
    // Keep the labels on multiples of the step so that panning does not make them jump.
    labels.first = (labels.first + labels.step - 1) / labels.step * labels.step;
    return labels;
}

double axisstages::maxCategoryLabelWidth(const AxisInputs &in, const AxisFrame &frame,
        const TextFont &font, const CategoryLabels &labels, double cap)
{
    const QList<Point> &points = frame.categoryPoints(in.chart);
    NameWidthCache::Widths &widths = in.nameWidths->forFont(font.font, points.size());
    std::optional<QFontMetricsF> fm;
    const auto metrics = [&]() -> const QFontMetricsF & {
        if (!fm)
            fm.emplace(metricsFor(font, in.device));
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

double axisstages::staggeredCap(const AxisFrame &frame, bool staggered)
{
    return staggered ? std::max(frame.labelCap * kStaggeredCapShare, kMinStaggeredCap)
                     : frame.labelCap;
}

double axisstages::categoryExtent(const AxisInputs &in, const AxisFrame &frame,
        const CategoryFit &fit, const QFontMetricsF &fm)
{
    if (frame.valuesHorizontal || fit.rotated)
        return fit.staggered ? fm.height() / 2.0 : fm.height();
    const double widest = maxCategoryLabelWidth(
            in, frame, fit.font, thinCategories(frame, 1e9, 0.0), frame.labelCap);
    return widest + 2 * kGap;
}

CategoryFit axisstages::fitCategories(const AxisInputs &in, const AxisFrame &frame, double lengthPx)
{
    const TextFont &set =
            frame.valuesHorizontal ? in.chart.leftAxis.labelsFont : in.chart.bottomAxis.labelsFont;
    CategoryFit fit;
    fit.font = set;
    const double setPoints = set.font.pointSizeF();
    // Fonts sized in pixels, and fonts the user made smaller than our floor, stay.
    const double floorPoints = std::min(setPoints, kMinTextPoints);
    auto fits = [&](CategoryFit &tried) {
        const QFontMetricsF fm = metricsFor(tried.font, in.device);
        if (frame.valuesHorizontal)
            return thinCategories(frame, lengthPx, fm.height()).step == 1;
        // Names too long to stand side by side are turned upright when
        // that shows more of them.
        const double widest = maxCategoryLabelWidth(
                in, frame, tried.font, thinCategories(frame, lengthPx, 0.0), frame.labelCap);
        const int across = thinCategories(frame, lengthPx, widest + 2 * kGap).step;
        const int upright = thinCategories(frame, lengthPx, fm.height()).step;
        tried.rotated = upright < across;
        return (tried.rotated ? upright : across) == 1;
    };
    if (setPoints <= 0.0) {
        fits(fit);
        return fit;
    }
    for (double points : shrinkingSizes(setPoints, floorPoints)) {
        fit.font.font.setPointSizeF(points);
        if (fits(fit))
            return fit;
    }
    fit.font.font.setPointSizeF(floorPoints);
    if (frame.valuesHorizontal) {
        // Names stacked closer than a line: every other one steps out to a
        // second column rather than being left out.
        const QFontMetricsF fm = metricsFor(fit.font, in.device);
        // Only when that shows them all: for hundreds of bars the second
        // column would take the plot's width for little.
        fit.staggered = thinCategories(frame, lengthPx, fm.height() / 2.0).step == 1;
    } else if (fits(fit); fit.rotated && in.nameRows != NameRows::One) {
        // Upright names closer than a line: every other one steps down to a
        // second row, for the same reason and on the same terms.
        const QFontMetricsF fm = metricsFor(fit.font, in.device);
        fit.staggered = in.nameRows == NameRows::Two
                || thinCategories(frame, lengthPx, fm.height() / 2.0).step == 1;
    }
    return fit;
}

axisstages::CategoryRoom axisstages::measureLabels(const AxisInputs &in, const AxisFrame &frame,
        const ValueAxis &values, const QRectF &plot, double depth)
{
    const QFontMetricsF fmLeft = metricsFor(in.chart.leftAxis.labelsFont, in.device);
    const QFontMetricsF fmBottom = metricsFor(in.chart.bottomAxis.labelsFont, in.device);
    CategoryRoom out;
    LabelRoom &room = out.room;
    room.bottomLabelHeight = fmBottom.height();
    out.fit.font =
            frame.valuesHorizontal ? in.chart.leftAxis.labelsFont : in.chart.bottomAxis.labelsFont;
    if (!frame.axes)
        return out;
    const double length = frame.categoryLength(plot, depth);
    out.fit = fitCategories(in, frame, length);
    CategoryFit &fit = out.fit;
    const QFontMetricsF fmCategory = metricsFor(fit.font, in.device);
    const AxisScale &scale = values.scale;
    if (frame.valuesHorizontal) {
        fit.labels = thinCategories(frame, length, categoryExtent(in, frame, fit, fmCategory));
        room.leftWidth = maxCategoryLabelWidth(
                in, frame, fit.font, fit.labels, staggeredCap(frame, fit.staggered));
        if (fit.staggered)
            room.leftWidth = 2.0 * room.leftWidth + kGap;
        room.rightPad = std::max(room.rightPad,
                fmBottom.horizontalAdvance(
                        formatValue(scale.ticks.isEmpty() ? scale.max : scale.ticks.last()))
                                / 2.0
                        + 2.0);
        return out;
    }
    for (double t : scale.ticks)
        room.leftWidth = std::max(room.leftWidth, fmLeft.horizontalAdvance(formatValue(t)));
    // Names too long to stand side by side are turned upright when that
    // shows more of them.
    const double widest = maxCategoryLabelWidth(
            in, frame, fit.font, thinCategories(frame, length, 0.0), frame.labelCap);
    if (fit.rotated) {
        fit.rotatedCap =
                std::min(widest, std::max(kMinLabelCap, frame.area.height() * kUprightCapShare));
        room.bottomLabelHeight = fit.staggered ? 2.0 * fit.rotatedCap + kGap : fit.rotatedCap;
        room.rightPad = std::max(room.rightPad, fmCategory.height() / 2.0 + 2.0);
    } else {
        room.bottomLabelHeight = fmCategory.height();
        room.rightPad = std::max(room.rightPad, std::min(widest, frame.labelCap) / 2.0 + 2.0);
    }
    return out;
}

CategoryFit axisstages::refitCategories(
        const AxisInputs &in, const AxisFrame &frame, const CategoryFit &fit, double lengthPx)
{
    // The font chosen on the estimate may not fit the plot as it came out;
    // a smaller one may, but not a second column or a turn that the room
    // around the plot was not made for.
    CategoryFit out = fit;
    out.labels = thinCategories(
            frame, lengthPx, categoryExtent(in, frame, out, metricsFor(out.font, in.device)));
    if (out.labels.step <= 1 || !in.chart.axesVisible)
        return out;
    const CategoryFit refit = fitCategories(in, frame, lengthPx);
    out.font = refit.font;
    out.staggered = refit.staggered && fit.staggered;
    out.labels = thinCategories(
            frame, lengthPx, categoryExtent(in, frame, out, metricsFor(out.font, in.device)));
    return out;
}

} // namespace zavevad::chart
