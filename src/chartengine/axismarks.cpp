// Placement of the value labels of the bar and line series, clear of the
// shapes of the chart and of each other.
#include "chartengine/axischart.h"

#include "chartengine/axischartparts.h"
#include "chartengine/chartdraw.h"
#include "chartengine/chartformat.h"
#include "chartengine/labelplacer.h"

#include <algorithm>
#include <cmath>

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

} // namespace

QString AxisChart::inkSample(const Series &series) const
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

void AxisChart::addBarObstacles(LabelPlacer &placer) const
{
    const BarSeries &bar = m_chart.bar;
    const Projection &pr = m_projection;
    const int first = std::max(0, int(std::floor(m_shown.categoryMin)));
    const int last = std::min(int(bar.points.size()) - 1, int(std::ceil(m_shown.categoryMax)));
    const double zb = m_barDepth;
    QList<QPointF> corners;
    for (int i = first; i <= last; ++i) {
        double xa = 0.0, xb = 0.0, yc = 0.0;
        if (!barBox(i, xa, xb, yc))
            continue;
        corners.clear();
        for (double x : {xa, xb})
            for (double y : {yc - m_barHalf, yc + m_barHalf})
                for (double z : {0.0, zb})
                    corners.append(pr.map(x, y, z));
        placer.addObstacle(convexHull(corners), i);
    }
}

void AxisChart::addLineObstacles(LabelPlacer &placer) const
{
    const LineSeries &line = m_chart.line;
    const int n = int(line.points.size());
    const int first = std::max(0, int(std::floor(m_shown.categoryMin)) - 1);
    const int last = std::min(n - 1, int(std::ceil(m_shown.categoryMax)) + 1);
    for (int i = first; i < last; ++i) {
        if (!std::isfinite(line.points[i].value) || !std::isfinite(line.points[i + 1].value))
            continue;
        placer.addObstacle(ribbonShape(i));
    }
    for (int i = first; i <= last; ++i) {
        if (std::isfinite(line.points[i].value))
            placer.addObstacle(lineMarkerBox(i), i);
    }
}

QRectF AxisChart::lineMarkerBox(int index) const
{
    const LineSeries &line = m_chart.line;
    const Projection &pr = m_projection;
    const QPointF at = valuePoint(index, line.points[index].value, 0);
    if (!line.pointerVisible)
        return QRectF(at, QSizeF(0.0, 0.0));
    const double hs = std::clamp(line.pointerHorizSize, 1, 500);
    const double vs = std::clamp(line.pointerVertSize, 1, 500);
    // With the outline's pen around it.
    QRectF box(at.x() - hs - 1.0, at.y() - vs - 1.0, 2 * hs + 2.0, 2 * vs + 2.0);
    if (!pr.isFlat()) {
        // The marker's depth: as in addLine, half of it on either side of the front.
        const double zm = std::min(0.5, 2.0 * vs / std::max(pr.depthLength(), 1.0));
        const QPointF reach = pr.map(0.5, 0.5, zm / 2.0) - pr.map(0.5, 0.5, 0.0);
        box = box.translated(reach) | box.translated(-reach);
    }
    return box;
}

void AxisChart::placeMarks()
{
    const Chart &c = m_chart;
    m_barMarks.clear();
    m_lineMarks.clear();
    m_barMetrics.reset();
    m_lineMetrics.reset();
    const bool barMarks = m_bars && c.bar.marks.visible && !c.bar.points.isEmpty();
    const bool lineMarks = m_line && c.line.marks.visible && !c.line.points.isEmpty();
    if (!barMarks && !lineMarks)
        return;
    // Labels may reach over the wall strips, not over the axis labels.
    LabelPlacer placer(m_projection.outline().boundingRect().adjusted(-m_strip, -1, m_strip, 1));
    if (m_bars)
        addBarObstacles(placer);
    if (m_line)
        addLineObstacles(placer);
    if (barMarks) {
        m_barMetrics.emplace(m_barMarksSettings, m_device, inkSample(c.bar));
        placeBarMarks(placer);
    }
    if (!lineMarks)
        return;
    fitLineMarksFont();
    const LabelPlacer withoutLine = placer;
    auto placeAt = [&](double points) {
        placer = withoutLine;
        m_lineMarks.clear();
        if (points > 0.0)
            m_lineMarksSettings.font.font.setPointSizeF(points);
        m_lineMetrics.emplace(m_lineMarksSettings, m_device, inkSample(c.line));
        placeLineMarks(placer);
    };
    const double fitted = m_lineMarksSettings.font.font.pointSizeF();
    placeAt(fitted);
    // The fitted size only knows the room beside each point; where the
    // line's turns still leave labels out, a class's chart tries smaller
    // ones down to the floor, as every other text does before it is left out.
    const qsizetype all = c.line.points.size();
    if (m_lineMarks.size() == all || all > kSlidingMarks || !(fitted > 0.0))
        return;
    double best = fitted;
    qsizetype placed = m_lineMarks.size();
    for (double points : shrinkingSizes(fitted, std::min(fitted, kMinLabelPoints))) {
        if (points == fitted)
            continue;
        placeAt(points);
        if (m_lineMarks.size() > placed) {
            best = points;
            placed = m_lineMarks.size();
        }
        if (placed == all)
            break;
    }
    if (m_lineMarksSettings.font.font.pointSizeF() != best)
        placeAt(best);
}

void AxisChart::fitBarMarksFont()
{
    const BarSeries &bar = m_chart.bar;
    m_barMarksSettings = bar.marks;
    const double setPoints = bar.marks.font.font.pointSizeF();
    if (!m_bars || !bar.marks.visible || bar.points.isEmpty() || setPoints <= 0.0)
        return;
    const double span = std::max(m_shown.categoryMax - m_shown.categoryMin, 1e-9);
    const double slotPx = m_projection.frontRect().height() / span;
    // Labels of close bars shrink until two rows of them fit beside each
    // other, never below the floor (a template's smaller font stays).
    const double floorPoints = std::min(setPoints, kMinLabelPoints);
    for (double points : shrinkingSizes(setPoints, floorPoints)) {
        m_barMarksSettings.font.font.setPointSizeF(points);
        const MarkMetrics metrics(m_barMarksSettings, m_device, inkSample(bar));
        if (metrics.height() <= slotPx)
            return;
    }
    m_barMarksSettings.font.font.setPointSizeF(floorPoints);
}

void AxisChart::fitLineMarksFont()
{
    const LineSeries &line = m_chart.line;
    m_lineMarksSettings = line.marks;
    const double setPoints = line.marks.font.font.pointSizeF();
    if (setPoints <= 0.0 || line.points.isEmpty())
        return;
    const double span = std::max(m_shown.categoryMax - m_shown.categoryMin, 1e-9);
    const QRectF front = m_projection.frontRect();
    const double slotPx = (m_valuesHorizontal ? front.height() : front.width()) / span;
    const double total = seriesTotal(line);
    double widestText = 0.0;
    for (const Point &p : line.points)
        widestText = std::max(widestText, double(markText(line.marks.style, p, total).size()));
    // Labels alternate above and below the line, so two slots hold one.
    const double floorPoints = std::min(setPoints, kMinLabelPoints);
    for (double points : shrinkingSizes(setPoints, floorPoints)) {
        m_lineMarksSettings.font.font.setPointSizeF(points);
        const MarkMetrics metrics(m_lineMarksSettings, m_device, inkSample(line));
        const double extent = m_valuesHorizontal
                ? metrics.height()
                : metrics.size(metrics.fontMetrics().averageCharWidth() * widestText).width();
        if (extent <= 2.0 * slotPx)
            return;
    }
    m_lineMarksSettings.font.font.setPointSizeF(floorPoints);
}

void AxisChart::placeBarMarks(LabelPlacer &placer)
{
    const BarSeries &bar = m_chart.bar;
    const MarksSettings &marks = bar.marks;
    const Projection &pr = m_projection;
    const MarkMetrics &metrics = *m_barMetrics;
    const QFontMetricsF &fm = metrics.fontMetrics();
    const double height = metrics.height();
    const double total = seriesTotal(bar);
    const QRectF front = pr.frontRect();
    const double zb = m_barDepth;
    const double points = m_barMarksSettings.font.font.pointSizeF();
    const int first = std::max(0, int(std::ceil(m_shown.categoryMin - 0.5)));
    const int last =
            std::min(int(bar.points.size()) - 1, int(std::floor(m_shown.categoryMax + 0.5)));
    // Few enough labels to look for room further out when the place beside
    // the bar is taken: a class's chart, not a thousand points.
    const bool slide = last - first < kSlidingMarks;
    double previousY = qQNaN();
    for (int i = first; i <= last; ++i) {
        const Point &p = bar.points[i];
        if (!std::isfinite(p.value) || m_barHalf <= 0.0)
            continue;
        // A bar of no length (the value is the start value) still gets its label.
        const double yc = categoryUnit(i) + m_barShift;
        const double x1 = valueUnit(p.value);
        if (x1 < -1e-9 || x1 > 1 + 1e-9)
            continue;
        // Beside the middle of the bar's end as it shows, front face and top together.
        const double y = pr.map(x1, yc, zb / 2.0).y();
        if (y < front.top() - 1 - pr.depthLength() || y > front.bottom() + 1)
            continue;
        // Cheap test first: rows of labels never overlap, so a label that
        // would reach the last one is left out before its text is made.
        if (!slide && std::abs(y - previousY) < height)
            continue;
        double reachRight = -1e300, reachLeft = 1e300;
        for (double yy : {yc - m_barHalf, yc + m_barHalf})
            for (double z : {0.0, zb}) {
                const double x = pr.map(x1, yy, z).x();
                reachRight = std::max(reachRight, x);
                reachLeft = std::min(reachLeft, x);
            }
        const QString text = markText(marks.style, p, total);
        QRectF box(QPointF(), metrics.size(fm.horizontalAdvance(text)));
        const bool outward = p.value >= bar.origin;
        if (outward)
            box.moveTopLeft(QPointF(reachRight + kGap, y - box.height() / 2.0));
        else
            box.moveTopRight(QPointF(reachLeft - kGap, y - box.height() / 2.0));
        // Further out, a step at a time, past the labels and bars in the way.
        const double step = (box.width() + kGap) / 2.0;
        bool placed = placer.place(box, i);
        for (int k = 0; !placed && slide && k < kSlideSteps; ++k) {
            box.translate(outward ? step : -step, 0.0);
            placed = placer.place(box, i);
        }
        if (!placed)
            continue;
        m_barMarks.append(MarkGeometry{i, box, text, points});
        previousY = y;
    }
}

void AxisChart::placeLineMarks(LabelPlacer &placer)
{
    const LineSeries &line = m_chart.line;
    const MarksSettings &marks = line.marks;
    const Projection &pr = m_projection;
    const MarkMetrics &metrics = *m_lineMetrics;
    const QFontMetricsF &fm = metrics.fontMetrics();
    const double total = seriesTotal(line);
    const double zr = pr.isFlat() ? 0.0 : m_ribbonDepth;
    const int n = int(line.points.size());
    const int first = std::max(0, int(std::ceil(m_shown.categoryMin - 1e-9)));
    const int last = std::min(n - 1, int(std::floor(m_shown.categoryMax + 1e-9)));

    struct Candidate
    {
        int index;
        double prominence; ///< above (> 0) or below (< 0) the neighbours' mean
    };
    QList<Candidate> candidates;
    for (int i = first; i <= last; ++i) {
        const double v = line.points[i].value;
        const double u = valueUnit(v);
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
    // Peaks and troughs first: their labels say the most and have the most room.
    std::stable_sort(
            candidates.begin(), candidates.end(), [](const Candidate &a, const Candidate &b) {
                return std::abs(a.prominence) > std::abs(b.prominence);
            });

    for (const Candidate &c : std::as_const(candidates)) {
        const Point &p = line.points[c.index];
        const QString text = markText(marks.style, p, total);
        const QSizeF size = metrics.size(fm.horizontalAdvance(text));
        const QRectF marker = lineMarkerBox(c.index);
        const QPointF front = valuePoint(c.index, p.value, 0);
        const QPointF back = valuePoint(c.index, p.value, zr);
        // Beyond the larger values (above, or right of a horizontal line), or
        // on the other side; over the ribbon's back edge as well.
        QRectF beyond(QPointF(), size);
        QRectF before(QPointF(), size);
        if (m_valuesHorizontal) {
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
        // Beside the point first; for a class's chart, then further out on
        // either side, clear of the line where it runs close.
        const int steps = candidates.size() <= kSlidingMarks ? 2 * kSlideSteps : 0;
        const QPointF away = m_valuesHorizontal ? QPointF(size.width() / 2.0 + kGap, 0.0)
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
                m_lineMarks.append(MarkGeometry{
                        c.index, *taken, text, m_lineMarksSettings.font.font.pointSizeF()});
                break;
            }
        }
    }
}

void AxisChart::paintMarks(QPainter &painter) const
{
    for (const auto &[metrics, marks] :
            {std::pair{&m_barMetrics, &m_barMarks}, std::pair{&m_lineMetrics, &m_lineMarks}}) {
        if (!*metrics)
            continue;
        for (const MarkGeometry &mark : *marks)
            (*metrics)->draw(painter, mark.box, mark.text);
    }
}

} // namespace zavevad::chart
