// Placement of the value labels of the bar and line series, clear of the
// shapes of the chart and of each other.
#include "chartengine/axischart.h"
#include "chartengine/axislayout.h"

#include "chartengine/axischartparts.h"
#include "chartengine/chartdraw.h"
#include "chartengine/chartformat.h"
#include "chartengine/labelplacer.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace zavevad::chart {

using namespace axisparts;

namespace {

/// Mark texts measured for the height of their ink.
constexpr qsizetype kInkSamples = 64;
/// Bar labels looked for further out when beside the bar is taken: at most
/// this many bars, this many steps of half a label.
constexpr int kSlidingMarks = 80;
constexpr int kSlideSteps = 8;
/// Room a label moved away from its point keeps from lines (pixels).
constexpr double kSlidClearance = 2.0;
/// Room between two value labels' boxes (pixels): numbers that touch read
/// as one. A box already keeps half a pixel around the ink, so this parts
/// two texts by a pixel and a half and still lets the rows of a class's
/// chart at the window's size stand beside their bars at the smallest font.
constexpr double kLabelGap = 0.5;

QString inkSample(const Series &series)
{
    // Enough texts to meet every kind of glyph the labels use (digits, the
    // percent sign, accented capitals and descenders of names).
    const double total = seriesTotal(series);
    const qsizetype n = series.points.size();
    const qsizetype stride = std::max<qsizetype>(1, n / kInkSamples);
    QString sample;
    for (qsizetype i = 0; i < n; i += stride)
        sample += markText(series.marks.style, series.points[i], total);
    return sample;
}

void addBarObstacles(const BarSeries &bar, const AxisGeometry &g, LabelPlacer &placer)
{
    const Projection &pr = g.projection;
    const int first = std::max(0, int(std::floor(g.shown.categoryMin)));
    const int last = std::min(int(bar.points.size()) - 1, int(std::ceil(g.shown.categoryMax)));
    const double zb = g.barDepth;
    QList<QPointF> corners;
    for (int i = first; i <= last; ++i) {
        double xa = 0.0, xb = 0.0, yc = 0.0;
        if (!g.barBox(bar, i, xa, xb, yc))
            continue;
        corners.clear();
        for (double x : {xa, xb})
            for (double y : {yc - g.barHalf, yc + g.barHalf})
                for (double z : {0.0, zb})
                    corners.append(pr.map(x, y, z));
        placer.addObstacle(convexHull(corners), i);
    }
}

void addLineObstacles(const LineSeries &line, const AxisGeometry &g, LabelPlacer &placer)
{
    const int n = int(line.points.size());
    const int first = std::max(0, int(std::floor(g.shown.categoryMin)) - 1);
    const int last = std::min(n - 1, int(std::ceil(g.shown.categoryMax)) + 1);
    for (int i = first; i < last; ++i) {
        if (!std::isfinite(line.points[i].value) || !std::isfinite(line.points[i + 1].value))
            continue;
        placer.addObstacle(g.ribbonShape(line, i));
    }
    for (int i = first; i <= last; ++i) {
        if (std::isfinite(line.points[i].value))
            placer.addObstacle(g.lineMarkerBox(line, i), i);
    }
}

/// The line's marks' font, shrunk towards the least size when the points
/// stand close. Labels alternate above and below the line, so two slots hold one.
MarksSettings fitLineMarks(const AxisInputs &in, const AxisGeometry &g)
{
    const LineSeries &line = in.chart.line;
    MarksSettings fitted = line.marks;
    const double setPoints = line.marks.font.font.pointSizeF();
    if (setPoints <= 0.0 || line.points.isEmpty())
        return fitted;
    const double span = std::max(g.shown.categoryMax - g.shown.categoryMin, 1e-9);
    const QRectF front = g.projection.frontRect();
    const double slotPx = (g.valuesHorizontal ? front.height() : front.width()) / span;
    const double total = seriesTotal(line);
    double widestText = 0.0;
    for (const Point &p : line.points)
        widestText = std::max(widestText, double(markText(line.marks.style, p, total).size()));
    const double floorPoints = std::min(setPoints, kMinTextPoints);
    for (double points : shrinkingSizes(setPoints, floorPoints)) {
        fitted.font.font.setPointSizeF(points);
        const MarkMetrics metrics(fitted, in.device, inkSample(line));
        const double extent = g.valuesHorizontal
                ? metrics.height()
                : metrics.size(metrics.fontMetrics().averageCharWidth() * widestText).width();
        if (extent <= 2.0 * slotPx)
            return fitted;
    }
    fitted.font.font.setPointSizeF(floorPoints);
    return fitted;
}

QList<MarkGeometry> placeBarMarks(
        const BarSeries &bar, const AxisGeometry &g, const FittedMarks &fitted, LabelPlacer &placer)
{
    QList<MarkGeometry> placed;
    const Projection &pr = g.projection;
    const MarkMetrics &metrics = fitted.metrics;
    const QFontMetricsF &fm = metrics.fontMetrics();
    const double height = metrics.height();
    const double total = seriesTotal(bar);
    const QRectF front = pr.frontRect();
    const double zb = g.barDepth;
    const double points = fitted.settings.font.font.pointSizeF();
    const int first = std::max(0, int(std::ceil(g.shown.categoryMin - 0.5)));
    const int last =
            std::min(int(bar.points.size()) - 1, int(std::floor(g.shown.categoryMax + 0.5)));
    // Few enough labels to look for room further out when the place beside
    // the bar is taken: a class's chart, not a thousand points.
    const bool slide = last - first < kSlidingMarks;
    double previousY = qQNaN();
    for (int i = first; i <= last; ++i) {
        const Point &p = bar.points[i];
        if (!std::isfinite(p.value) || g.barHalf <= 0.0)
            continue;
        // A bar of no length (the value is the start value) still gets its label.
        const double yc = g.categoryUnit(i) + g.barShift;
        const double x1 = g.valueUnit(p.value);
        if (x1 < -1e-9 || x1 > 1 + 1e-9)
            continue;
        // Beside the middle of the bar's end as it shows, front face and top together.
        const double y = pr.map(x1, yc, zb / 2.0).y();
        if (y < front.top() - 1 - pr.depthLength() || y > front.bottom() + 1)
            continue;
        // Cheap test first: rows of labels never overlap, so a label that
        // would reach the last one is left out before its text is made.
        if (!slide && std::abs(y - previousY) < height + kLabelGap)
            continue;
        double reachRight = -1e300, reachLeft = 1e300;
        for (double yy : {yc - g.barHalf, yc + g.barHalf})
            for (double z : {0.0, zb}) {
                const double x = pr.map(x1, yy, z).x();
                reachRight = std::max(reachRight, x);
                reachLeft = std::min(reachLeft, x);
            }
        const QString text = markText(bar.marks.style, p, total);
        QRectF box(QPointF(), metrics.size(fm.horizontalAdvance(text)));
        const bool outward = p.value >= bar.origin;
        if (outward)
            box.moveTopLeft(QPointF(reachRight + kGap, y - box.height() / 2.0));
        else
            box.moveTopRight(QPointF(reachLeft - kGap, y - box.height() / 2.0));
        // Further out, a step at a time, past the labels and bars in the way.
        const double step = (box.width() + kGap) / 2.0;
        bool taken = placer.place(box, i);
        for (int k = 0; !taken && slide && k < kSlideSteps; ++k) {
            box.translate(outward ? step : -step, 0.0);
            taken = placer.place(box, i);
        }
        if (!taken)
            continue;
        placed.append(MarkGeometry{i, box, text, points});
        previousY = y;
    }
    return placed;
}

/// A line point to label, above (> 0) or below (< 0) its neighbours' mean.
struct Candidate
{
    int index;
    double prominence;
};

/// The points shown, peaks and troughs first: their labels say the most
/// and have the most room.
QList<Candidate> lineCandidates(const LineSeries &line, const AxisGeometry &g)
{
    const int n = int(line.points.size());
    const int first = std::max(0, int(std::ceil(g.shown.categoryMin - 1e-9)));
    const int last = std::min(n - 1, int(std::floor(g.shown.categoryMax + 1e-9)));
    QList<Candidate> candidates;
    for (int i = first; i <= last; ++i) {
        const double v = line.points[i].value;
        const double u = g.valueUnit(v);
        if (!std::isfinite(v) || u < -1e-9 || u > 1 + 1e-9)
            continue;
        double sum = 0.0;
        int count = 0;
        for (int j : {i - 1, i + 1}) {
            if (j >= 0 && j < n && std::isfinite(line.points[j].value)) {
                sum += line.points[j].value;
                ++count;
            }
        }
        candidates.append(Candidate{i, count > 0 ? v - sum / count : 0.0});
    }
    std::stable_sort(
            candidates.begin(), candidates.end(), [](const Candidate &a, const Candidate &b) {
                return std::abs(a.prominence) > std::abs(b.prominence);
            });
    return candidates;
}

QList<MarkGeometry> placeLineMarks(const LineSeries &line, const AxisGeometry &g,
        const FittedMarks &fitted, LabelPlacer &placer)
{
    QList<MarkGeometry> placed;
    const MarkMetrics &metrics = fitted.metrics;
    const QFontMetricsF &fm = metrics.fontMetrics();
    const double total = seriesTotal(line);
    const double zr = g.projection.isFlat() ? 0.0 : g.ribbonDepth;
    const QList<Candidate> candidates = lineCandidates(line, g);
    // Beside the point first; for a class's chart, then further out on
    // either side, clear of the line where it runs close.
    const int steps = candidates.size() <= kSlidingMarks ? 2 * kSlideSteps : 0;
    for (const Candidate &c : candidates) {
        const Point &p = line.points[c.index];
        const QString text = markText(line.marks.style, p, total);
        const QSizeF size = metrics.size(fm.horizontalAdvance(text));
        const QRectF marker = g.lineMarkerBox(line, c.index);
        const QPointF front = g.valuePoint(c.index, p.value, 0);
        const QPointF back = g.valuePoint(c.index, p.value, zr);
        // Beyond the larger values (above, or right of a horizontal line), or
        // on the other side; over the ribbon's back edge as well.
        QRectF beyond(QPointF(), size);
        QRectF before(QPointF(), size);
        if (g.valuesHorizontal) {
            beyond.moveTopLeft(QPointF(std::max(marker.right(), back.x()) + kGap,
                    (front.y() + back.y()) / 2.0 - size.height() / 2.0));
            before.moveTopRight(QPointF(
                    std::min(marker.left(), back.x()) - kGap, front.y() - size.height() / 2.0));
        } else {
            beyond.moveBottomLeft(QPointF((front.x() + back.x()) / 2.0 - size.width() / 2.0,
                    std::min(marker.top(), back.y()) - kGap));
            before.moveTopLeft(QPointF(
                    front.x() - size.width() / 2.0, std::max(marker.bottom(), back.y()) + kGap));
        }
        const bool beyondFirst = c.prominence >= 0.0;
        const QPointF away = g.valuesHorizontal ? QPointF(size.width() / 2.0 + kGap, 0.0)
                                                : QPointF(0.0, -(size.height() / 2.0 + kGap));
        for (int k = 0; k <= steps; ++k) {
            const QRectF first =
                    (beyondFirst ? beyond : before).translated((beyondFirst ? away : -away) * k);
            const QRectF second =
                    (beyondFirst ? before : beyond).translated((beyondFirst ? -away : away) * k);
            // Away from the point, a label keeps a little clear of the line too.
            const double margin = k > 0 ? kSlidClearance : 0.0;
            auto take = [&](const QRectF &box) {
                return placer.isFree(box.adjusted(-margin, -margin, margin, margin), c.index)
                        && placer.place(box, c.index);
            };
            const QRectF *taken = take(first) ? &first : take(second) ? &second : nullptr;
            if (taken) {
                placed.append(MarkGeometry{
                        c.index, *taken, text, fitted.settings.font.font.pointSizeF()});
                break;
            }
        }
    }
    return placed;
}

/// The line's labels at the given size (none: as set), among the others placed.
PlacedMarks lineMarksAt(const AxisInputs &in, const AxisGeometry &g, MarksSettings settings,
        double points, LabelPlacer placer)
{
    if (points > 0.0)
        settings.font.font.setPointSizeF(points);
    PlacedMarks out;
    out.fitted = std::make_shared<const FittedMarks>(settings, in.device, inkSample(in.chart.line));
    out.marks = placeLineMarks(in.chart.line, g, *out.fitted, placer);
    return out;
}

/// The line's labels at the fitted size. That size only knows the room
/// beside each point; where the line's turns still leave labels out, a
/// class's chart tries smaller ones down to the floor, as every other text
/// does before it is left out.
PlacedMarks bestLineMarks(const AxisInputs &in, const AxisGeometry &g, const LabelPlacer &placer)
{
    const MarksSettings settings = fitLineMarks(in, g);
    const double fitted = settings.font.font.pointSizeF();
    PlacedMarks best = lineMarksAt(in, g, settings, fitted, placer);
    const qsizetype all = in.chart.line.points.size();
    if (best.marks.size() == all || all > kSlidingMarks || !(fitted > 0.0))
        return best;
    for (double points : shrinkingSizes(fitted, std::min(fitted, kMinTextPoints))) {
        if (points == fitted)
            continue;
        PlacedMarks tried = lineMarksAt(in, g, settings, points, placer);
        if (tried.marks.size() > best.marks.size())
            best = std::move(tried);
        if (best.marks.size() == all)
            break;
    }
    return best;
}

} // namespace

QRectF AxisGeometry::lineMarkerBox(const LineSeries &line, int index) const
{
    const Projection &pr = projection;
    const QPointF at = valuePoint(index, line.points[index].value, 0);
    if (!line.pointerVisible)
        return QRectF(at, QSizeF(0.0, 0.0));
    const double hs = std::clamp(line.pointerHorizSize, 1, 500);
    const double vs = std::clamp(line.pointerVertSize, 1, 500);
    // With the outline's pen around it.
    QRectF box(at.x() - hs - 1.0, at.y() - vs - 1.0, 2 * hs + 2.0, 2 * vs + 2.0);
    if (!pr.isFlat()) {
        // The marker's depth: as in addMarkers, half of it on either side of the front.
        const double zm = std::min(0.5, 2.0 * vs / std::max(pr.depthLength(), 1.0));
        const QPointF reach = pr.map(0.5, 0.5, zm / 2.0) - pr.map(0.5, 0.5, 0.0);
        box = box.translated(reach) | box.translated(-reach);
    }
    return box;
}

MarksSettings axisstages::fitBarMarks(
        const AxisInputs &in, const AxisFrame &frame, const AxisGeometry &geometry)
{
    const BarSeries &bar = in.chart.bar;
    MarksSettings fitted = bar.marks;
    const double setPoints = bar.marks.font.font.pointSizeF();
    if (!frame.bars || !bar.marks.visible || bar.points.isEmpty() || setPoints <= 0.0)
        return fitted;
    const double span = std::max(geometry.shown.categoryMax - geometry.shown.categoryMin, 1e-9);
    const double slotPx = geometry.projection.frontRect().height() / span;
    // Labels of close bars shrink until two rows of them fit beside each
    // other with the gap between them, never below the floor (a template's
    // smaller font stays); below it, labels step outwards past each other.
    const double floorPoints = std::min(setPoints, kMinTextPoints);
    for (double points : shrinkingSizes(setPoints, floorPoints)) {
        fitted.font.font.setPointSizeF(points);
        const MarkMetrics metrics(fitted, in.device, inkSample(bar));
        if (metrics.height() + kLabelGap <= slotPx)
            return fitted;
    }
    fitted.font.font.setPointSizeF(floorPoints);
    return fitted;
}

axisstages::SeriesMarks axisstages::placeMarks(const AxisInputs &in, const AxisFrame &frame,
        const AxisGeometry &geometry, const MarksSettings &barSettings)
{
    const Chart &c = in.chart;
    SeriesMarks out;
    const bool barMarks = frame.bars && c.bar.marks.visible && !c.bar.points.isEmpty();
    const bool lineMarks = frame.line && c.line.marks.visible && !c.line.points.isEmpty();
    if (!barMarks && !lineMarks)
        return out;
    // Labels may reach over the wall strips, not over the axis labels.
    const double strip = frame.strip;
    LabelPlacer placer(
            geometry.projection.outline().boundingRect().adjusted(-strip, -1, strip, 1), kLabelGap);
    if (frame.bars)
        addBarObstacles(c.bar, geometry, placer);
    if (frame.line)
        addLineObstacles(c.line, geometry, placer);
    if (barMarks) {
        out.bar.fitted =
                std::make_shared<const FittedMarks>(barSettings, in.device, inkSample(c.bar));
        out.bar.marks = placeBarMarks(c.bar, geometry, *out.bar.fitted, placer);
    }
    if (lineMarks)
        out.line = bestLineMarks(in, geometry, placer);
    return out;
}

void AxisChart::paintMarks(QPainter &painter) const
{
    for (const PlacedMarks *placed : {&m_layout.barMarks, &m_layout.lineMarks}) {
        if (!placed->fitted)
            continue;
        for (const MarkGeometry &mark : placed->marks)
            placed->fitted->metrics.draw(painter, mark.box, mark.text);
    }
}

} // namespace zavevad::chart
