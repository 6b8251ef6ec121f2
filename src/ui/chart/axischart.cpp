#include "ui/chart/axischart.h"

#include "ui/chart/chartdraw.h"
#include "ui/chart/chartformat.h"
#include "ui/chart/labelplacer.h"
#include "ui/chart/scene.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace zavevad::chart {

namespace {

constexpr double kGap = 4.0;
constexpr double kTick = 4.0;
constexpr double kStrip = 5.0;
/// Bars thinner than this (pixels) are drawn as plain blocks: no style
/// would show on them. A class of 28 still gets bars of its chosen style.
constexpr double kThinBar = 1.5;
/// Labels measured to size an axis; the rest are assumed no wider.
constexpr qsizetype kMeasuredLabels = 200;
/// Mark texts measured for the height of their ink.
constexpr qsizetype kInkSamples = 64;
/// Clear space kept between neighbouring bars (pixels, and share of the
/// category's room) when their 3D depth is limited.
constexpr double kBarGap = 2.0;
constexpr double kBarGapShare = 0.2;
/// The 3D line's ribbon reaches back at most this share of a category's room.
constexpr double kRibbonShare = 0.6;
/// Depth (pixels) that bars and ribbons keep however crowded, so that 3D still shows.
constexpr double kMinDepth = 2.0;

double clampPercent(int percent, int lo, int hi)
{
    return std::clamp(percent, lo, hi) / 100.0;
}

QPolygonF quad(const QPointF &a, const QPointF &b, const QPointF &c, const QPointF &d)
{
    QPolygonF p;
    p << a << b << c << d;
    return p;
}

/// A line one device pixel wide that stays crisp: on pixel centres when straight.
QLineF crisp(QPointF a, QPointF b)
{
    if (std::abs(a.y() - b.y()) < 1e-6) {
        const double y = std::floor(a.y()) + 0.5;
        a.setY(y);
        b.setY(y);
    } else if (std::abs(a.x() - b.x()) < 1e-6) {
        const double x = std::floor(a.x()) + 0.5;
        a.setX(x);
        b.setX(x);
    }
    return QLineF(a, b);
}

QColor mix(const QColor &a, const QColor &b, double t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
            float(a.greenF() + (b.greenF() - a.greenF()) * t),
            float(a.blueF() + (b.blueF() - a.blueF()) * t), float(a.alphaF()));
}

QPen outlinePen(const QColor &color, double thicknessPx)
{
    if (thicknessPx < 4.0)
        return Qt::NoPen;
    QPen pen(scaledColor(color, 0.6), 1.0);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

/// Outline of a line series' marker around (0, 0), in pixels with y up.
QPolygonF markerOutline(PointerStyle style, double hs, double vs)
{
    QPolygonF p;
    switch (style) {
    case PointerStyle::psRectangle:
        p << QPointF(-hs, -vs) << QPointF(hs, -vs) << QPointF(hs, vs) << QPointF(-hs, vs);
        break;
    case PointerStyle::psCircle:
        for (int i = 0; i < 20; ++i) {
            const double a = 2.0 * M_PI * i / 20.0;
            p << QPointF(hs * std::cos(a), vs * std::sin(a));
        }
        break;
    case PointerStyle::psTriangle:
        p << QPointF(-hs, -vs) << QPointF(hs, -vs) << QPointF(0, vs);
        break;
    case PointerStyle::psStar:
        for (int i = 0; i < 10; ++i) {
            const double a = M_PI / 2.0 + M_PI * i / 5.0;
            const double r = (i % 2 == 0) ? 1.0 : 0.42;
            p << QPointF(hs * r * std::cos(a), vs * r * std::sin(a));
        }
        break;
    }
    return p;
}

} // namespace

AxisChart::AxisChart(const Chart &chart, QPaintDevice *device)
    : m_chart(chart), m_device(device) { }

const QList<Point> &AxisChart::categoryPoints() const
{
    if (m_bars && (!m_line || m_chart.bar.count() >= m_chart.line.count()))
        return m_chart.bar.points;
    return m_chart.line.points;
}

QString AxisChart::categoryLabel(int index) const
{
    const QList<Point> &points = categoryPoints();
    if (index < 0 || index >= points.size())
        return QString();
    return points[index].label;
}

double AxisChart::valueUnit(double value) const
{
    const double span = m_shown.valueMax - m_shown.valueMin;
    return span != 0.0 ? (value - m_shown.valueMin) / span : 0.0;
}

double AxisChart::categoryUnit(double position) const
{
    const double span = m_shown.categoryMax - m_shown.categoryMin;
    const double u = span != 0.0 ? (position - m_shown.categoryMin) / span : 0.5;
    return m_valuesHorizontal ? 1.0 - u : u;
}

QPointF AxisChart::valuePoint(double category, double value, double z) const
{
    if (m_valuesHorizontal)
        return m_projection.map(valueUnit(value), categoryUnit(category), z);
    return m_projection.map(categoryUnit(category), valueUnit(value), z);
}

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
        const double room = markBoxSize(QSizeF(m_widestBarMark, 0)).width() + kGap + crossPx;
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

double AxisChart::maxCategoryLabelWidth(
        const QFontMetricsF &fm, const CategoryLabels &labels, double cap) const
{
    double widest = 0.0;
    const qsizetype shown =
            labels.last >= labels.first ? (labels.last - labels.first) / labels.step + 1 : 0;
    const int stride = labels.step * int(std::max<qsizetype>(1, shown / kMeasuredLabels));
    for (int i = labels.first; i <= labels.last; i += stride) {
        widest = std::max(widest, fm.horizontalAdvance(categoryLabel(i)));
        if (widest >= cap)
            return cap;
    }
    return widest;
}

void AxisChart::layout(const QRectF &area, const ViewState &view)
{
    const Chart &c = m_chart;
    m_bars = c.bar.active;
    m_line = c.line.active;
    m_valuesHorizontal = m_bars;
    m_count = std::max(m_bars ? c.bar.count() : 0, m_line ? c.line.count() : 0);
    m_view = view;
    m_widestBarMark = -1.0;

    QRectF a = area;
    const bool view3D = c.view3D.view3D;
    if (view3D) {
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

    const AxisSettings &left = c.leftAxis;
    const AxisSettings &bottom = c.bottomAxis;
    const QFontMetricsF fmLeft = metricsFor(left.labelsFont, m_device);
    const QFontMetricsF fmBottom = metricsFor(bottom.labelsFont, m_device);
    const bool axes = c.axesVisible;
    m_strip = kStrip;

    auto titleSize = [&](const AxisSettings &axis) {
        if (!axes || axis.title.isEmpty())
            return QSizeF();
        const QFontMetricsF fm = metricsFor(axis.titleFont, m_device);
        return rotatedSize(QSizeF(fm.horizontalAdvance(axis.title), fm.height()), axis.titleAngle);
    };
    const QSizeF leftTitle = titleSize(left);
    const QSizeF bottomTitle = titleSize(bottom);
    m_labelCap = std::max(30.0, a.width() * 0.3);

    const double depthPercent = clampPercent(c.view3D.depthPercent, 0, 100);
    const bool oblique = view3D && c.view3D.orthogonal;
    auto obliqueDepth = [&](const QRectF &r) {
        return oblique ? depthPercent * std::min(r.width(), r.height()) * 0.35 : 0.0;
    };

    m_rotatedCategories = false;
    double bottomLabelHeight = fmBottom.height();
    auto bottomRoomFor = [&](double labelHeight) {
        return axes ? (bottomTitle.height() > 0 ? bottomTitle.height() + kGap : 0.0) + labelHeight
                        + kGap + kTick
                    : kGap;
    };
    double bottomRoom = bottomRoomFor(bottomLabelHeight);
    const double leftTitleRoom = leftTitle.width() > 0 ? leftTitle.width() + kGap : 0.0;

    // First pass: a plot estimated with narrow labels, to size the value scale.
    QRectF plot(a.left() + leftTitleRoom + 40.0 + kTick + m_strip, a.top() + fmLeft.height() / 2.0,
            0, 0);
    plot.setRight(a.right() - 10.0);
    plot.setBottom(a.bottom() - bottomRoom - m_strip);
    double d = obliqueDepth(plot);
    auto valueLength = [&](const QRectF &r, double depth) {
        return m_valuesHorizontal ? r.width() - depth : r.height() - depth;
    };
    auto categoryLength = [&](const QRectF &r, double depth) {
        return m_valuesHorizontal ? r.height() - depth : r.width() - depth;
    };
    computeValueRange(std::max(valueLength(plot, d), 10.0), d);

    // Second pass: the real label widths.
    double leftWidth = 0.0;
    double rightPad = 10.0;
    if (axes) {
        if (m_valuesHorizontal) {
            m_categoryLabels = thinCategories(categoryLength(plot, d), fmLeft.height());
            leftWidth = maxCategoryLabelWidth(fmLeft, m_categoryLabels, m_labelCap);
            rightPad = std::max(rightPad,
                    fmBottom.horizontalAdvance(formatValue(
                            m_scale.ticks.isEmpty() ? m_scale.max : m_scale.ticks.last()))
                                    / 2.0
                            + 2.0);
        } else {
            for (double t : std::as_const(m_scale.ticks))
                leftWidth = std::max(leftWidth, fmLeft.horizontalAdvance(formatValue(t)));
            // Names too long to stand side by side are turned upright when
            // that shows more of them.
            const double length = categoryLength(plot, d);
            const double widest =
                    maxCategoryLabelWidth(fmBottom, thinCategories(length, 0.0), m_labelCap);
            const int across = thinCategories(length, widest + 2 * kGap).step;
            const int upright = thinCategories(length, fmBottom.height()).step;
            m_rotatedCategories = upright < across;
            if (m_rotatedCategories) {
                m_rotatedCap = std::min(widest, std::max(30.0, a.height() * 0.25));
                bottomLabelHeight = m_rotatedCap;
                bottomRoom = bottomRoomFor(bottomLabelHeight);
                rightPad = std::max(rightPad, fmBottom.height() / 2.0 + 2.0);
            } else {
                rightPad = std::max(rightPad, std::min(widest, m_labelCap) / 2.0 + 2.0);
            }
        }
    }
    plot.setLeft(a.left() + (axes ? leftTitleRoom + leftWidth + kGap + kTick : kGap) + m_strip);
    plot.setTop(a.top() + (axes ? fmLeft.height() / 2.0 + 2.0 : kGap));
    plot.setRight(a.right() - rightPad);
    plot.setBottom(a.bottom() - bottomRoom - m_strip);
    if (plot.width() < 10.0)
        plot.setWidth(10.0);
    if (plot.height() < 10.0)
        plot.setHeight(10.0);

    if (!view3D) {
        m_projection = Projection::flat(plot);
    } else if (oblique) {
        d = obliqueDepth(plot);
        m_projection = Projection::oblique(plot.adjusted(0, d, -d, 0), d, d);
    } else {
        const double depth = depthPercent * std::min(plot.width(), plot.height()) * 0.6;
        m_projection = Projection::rotated(plot, plot.size(), depth, c.view3D.rotation,
                c.view3D.elevation, c.view3D.perspective);
    }

    // Final scales along the axes as they came out; the marks stand beside
    // the bars' depth, not the box's.
    layoutDepths();
    const QRectF front = m_projection.frontRect();
    const double crossDepth = oblique ? d * m_barDepth : 0.0;
    computeValueRange(
            std::max(m_valuesHorizontal ? front.width() : front.height(), 10.0), crossDepth);
    if (m_valuesHorizontal) {
        m_categoryLabels = thinCategories(front.height(), fmLeft.height());
    } else {
        const double widest =
                maxCategoryLabelWidth(fmBottom, thinCategories(front.width(), 0.0), m_labelCap);
        m_categoryLabels = thinCategories(
                front.width(), m_rotatedCategories ? fmBottom.height() : widest + 2 * kGap);
    }
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

ChartGeometry AxisChart::geometry() const
{
    ChartGeometry g;
    g.hasAxes = true;
    g.valuesHorizontal = m_valuesHorizontal;
    g.plot = m_projection.frontRect();
    g.full = m_full;
    g.shown = m_shown;
    g.shown.active = m_view.active;
    g.marks = m_barMarks + m_lineMarks;
    return g;
}

void AxisChart::paintWalls(QPainter &painter) const
{
    const Chart &c = m_chart;
    const Projection &pr = m_projection;
    const double sw = m_strip / std::max(pr.width(), 1.0);
    const double sh = m_strip / std::max(pr.height(), 1.0);
    const bool walls3D = !pr.isFlat() && c.view3D.walls3D;

    auto paintFace = [&](const QPolygonF &face, const WallSettings &wall, double factor) {
        const bool solid = wall.brush == BrushStyle::bsSolid;
        const QColor edge = solid ? scaledColor(wall.color, 0.6) : QColor(0, 0, 0, 110);
        painter.setPen(QPen(edge, 0));
        painter.setBrush(solid ? QBrush(scaledColor(wall.color, factor)) : QBrush(Qt::NoBrush));
        painter.drawPolygon(face);
    };

    painter.save();
    const QPolygonF back = quad(pr.map(0, 0, 1), pr.map(1, 0, 1), pr.map(1, 1, 1), pr.map(0, 1, 1));
    paintFace(back, c.backWall, 1.0);
    const QImage &image = c.panel.backImage;
    if (c.panel.backImageInside && !image.isNull()) {
        painter.save();
        QPainterPath clip;
        clip.addPolygon(back);
        painter.setClipPath(clip, Qt::IntersectClip);
        const QRectF r = back.boundingRect();
        if (c.panel.backImageMode == PictureMode::pbmStretch) {
            painter.drawImage(r, image);
        } else {
            QRectF ir(QPointF(), image.size());
            ir.moveCenter(r.center());
            painter.drawImage(ir.topLeft(), image);
        }
        painter.restore();
    }

    if (walls3D) {
        // The floor, then the left wall standing on it; each a slab whose
        // inner face is the wall and whose edges show its thickness.
        paintFace(quad(pr.map(-sw, 0, 0), pr.map(1, 0, 0), pr.map(1, 0, 1), pr.map(-sw, 0, 1)),
                c.bottomWall, 1.0);
        paintFace(quad(pr.map(-sw, -sh, 0), pr.map(1, -sh, 0), pr.map(1, 0, 0), pr.map(-sw, 0, 0)),
                c.bottomWall, 0.8);
        paintFace(quad(pr.map(1, -sh, 0), pr.map(1, -sh, 1), pr.map(1, 0, 1), pr.map(1, 0, 0)),
                c.bottomWall, 0.65);
        paintFace(quad(pr.map(0, 0, 0), pr.map(0, 0, 1), pr.map(0, 1, 1), pr.map(0, 1, 0)),
                c.leftWall, 0.92);
        paintFace(quad(pr.map(-sw, 0, 0), pr.map(0, 0, 0), pr.map(0, 1, 0), pr.map(-sw, 1, 0)),
                c.leftWall, 0.8);
        paintFace(quad(pr.map(-sw, 1, 0), pr.map(0, 1, 0), pr.map(0, 1, 1), pr.map(-sw, 1, 1)),
                c.leftWall, 1.15);
    } else {
        paintFace(quad(pr.map(-sw, -sh, 0), pr.map(1, -sh, 0), pr.map(1, 0, 0), pr.map(-sw, 0, 0)),
                c.bottomWall, 1.0);
        paintFace(quad(pr.map(-sw, 0, 0), pr.map(0, 0, 0), pr.map(0, 1, 0), pr.map(-sw, 1, 0)),
                c.leftWall, 1.0);
    }

    if (c.panel.frameVisible) {
        painter.setPen(QPen(c.panel.frameColor, 0));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolygon(back);
        if (walls3D) {
            painter.drawLine(pr.map(0, 1, 0), pr.map(0, 1, 1));
            painter.drawLine(pr.map(1, 0, 0), pr.map(1, 0, 1));
        }
    }
    painter.restore();
}

void AxisChart::paintGrid(QPainter &painter) const
{
    const Chart &c = m_chart;
    const Projection &pr = m_projection;
    const bool walls3D = !pr.isFlat() && c.view3D.walls3D;
    const double zBack = pr.isFlat() ? 0.0 : 1.0;

    auto gridPen = [](const AxisSettings &axis) {
        QPen pen(axis.gridColor, 0);
        pen.setStyle(axis.gridStyle == GridStyle::psDot ? Qt::DotLine : Qt::SolidLine);
        return pen;
    };
    // Positions (0..1) of the grid lines of each axis.
    QList<double> horizontal; // lines of the left axis
    QList<double> vertical; // lines of the bottom axis
    QList<double> values;
    for (double t : m_scale.ticks)
        values.append(valueUnit(t));
    QList<double> categories;
    for (int i = m_categoryLabels.first; i <= m_categoryLabels.last; i += m_categoryLabels.step)
        categories.append(categoryUnit(i));
    if (m_valuesHorizontal) {
        horizontal = categories;
        vertical = values;
    } else {
        horizontal = values;
        vertical = categories;
    }

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, !pr.isOblique());
    if (c.leftAxis.gridVisible) {
        painter.setPen(gridPen(c.leftAxis));
        for (double y : std::as_const(horizontal)) {
            if (y < -1e-9 || y > 1 + 1e-9)
                continue;
            painter.drawLine(crisp(pr.map(0, y, zBack), pr.map(1, y, zBack)));
            if (walls3D)
                painter.drawLine(QLineF(pr.map(0, y, 0), pr.map(0, y, 1)));
        }
    }
    if (c.bottomAxis.gridVisible) {
        painter.setPen(gridPen(c.bottomAxis));
        for (double x : std::as_const(vertical)) {
            if (x < -1e-9 || x > 1 + 1e-9)
                continue;
            painter.drawLine(crisp(pr.map(x, 0, zBack), pr.map(x, 1, zBack)));
            if (walls3D)
                painter.drawLine(QLineF(pr.map(x, 0, 0), pr.map(x, 0, 1)));
        }
    }
    painter.restore();
}

void AxisChart::paintAxes(QPainter &painter) const
{
    const Chart &c = m_chart;
    if (!c.axesVisible)
        return;
    const Projection &pr = m_projection;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, !pr.isOblique());
    painter.setPen(QPen(c.leftAxis.axisColor, 0));
    painter.drawLine(crisp(pr.map(0, 0, 0), pr.map(0, 1, 0)));
    painter.setPen(QPen(c.bottomAxis.axisColor, 0));
    painter.drawLine(crisp(pr.map(0, 0, 0), pr.map(1, 0, 0)));
    painter.restore();
}

namespace {

/// A bar lying along x, in box units.
struct BarBox
{
    double x0, x1; ///< origin end and value end
    double yc, half;
    double depth; ///< reaches back from z = 0 to z = depth
    double sortDepth; ///< the same for every bar of the chart at the same y
};

void addCylinder(Scene &scene, const BarBox &b, const QColor &color)
{
    const Projection &pr = scene.projection();
    const double xa = std::min(b.x0, b.x1);
    const double xb = std::max(b.x0, b.x1);
    const double zc = b.depth / 2.0;
    constexpr int kSides = 20;
    auto at = [&](double x, int k) {
        const double phi = 2.0 * M_PI * k / kSides;
        return pr.map(x, b.yc + b.half * std::sin(phi), zc - zc * std::cos(phi));
    };
    // A face turns to the viewer when stepping out along its normal comes closer.
    auto facing = [&](double x, double y, double z, double nx, double ny, double nz) {
        const double eps = 1e-3;
        return pr.depth(x + nx * eps / std::max(pr.width(), 1.0),
                       y + ny * eps / std::max(pr.height(), 1.0),
                       z + nz * eps / std::max(pr.depthLength(), 1.0))
                < pr.depth(x, y, z);
    };
    for (int k = 0; k < kSides; ++k) {
        const double phi = 2.0 * M_PI * (k + 0.5) / kSides;
        const double ny = std::sin(phi);
        const double nz = -std::cos(phi);
        if (!facing((xa + xb) / 2.0, b.yc + b.half * ny, zc + zc * nz, 0, ny, nz))
            continue;
        const QColor shade = shaded(color, 0, ny, nz);
        QPolygonF side;
        side << at(xa, k) << at(xb, k) << at(xb, k + 1) << at(xa, k + 1);
        scene.add(side, shade, QPen(shade, 0), b.sortDepth);
    }
    for (double x : {xa, xb}) {
        const double nx = x == xb ? 1.0 : -1.0;
        if (!facing(x, b.yc, zc, nx, 0, 0))
            continue;
        QPolygonF cap;
        for (int k = 0; k < kSides; ++k)
            cap << at(x, k);
        const QColor shade = shaded(color, nx, 0, 0);
        scene.add(cap, scaledColor(shade, 1.1), QPen(scaledColor(color, 0.6), 0), b.sortDepth);
    }
}

} // namespace

bool AxisChart::barBox(int index, double &xa, double &xb, double &yc) const
{
    const BarSeries &bar = m_chart.bar;
    if (index < 0 || index >= bar.points.size() || m_barHalf <= 0.0)
        return false;
    const double value = bar.points[index].value;
    if (!std::isfinite(value))
        return false;
    const double x0 = valueUnit(bar.origin);
    const double x1 = valueUnit(value);
    if (std::abs(x1 - x0) * m_projection.width() < 0.01)
        return false;
    xa = std::min(x0, x1);
    xb = std::max(x0, x1);
    yc = categoryUnit(index) + m_barShift;
    return true;
}

void AxisChart::addBars(Scene &scene) const
{
    const BarSeries &bar = m_chart.bar;
    const Projection &pr = scene.projection();
    if (bar.points.isEmpty())
        return;
    const int first = std::max(0, int(std::floor(m_shown.categoryMin)));
    const int last = std::min(int(bar.points.size()) - 1, int(std::ceil(m_shown.categoryMax)));
    const double half = m_barHalf;
    const double halfPx = half * pr.height();
    const double x0 = valueUnit(bar.origin);
    const double zb = m_barDepth;
    const bool flat = pr.isFlat();

    for (int i = first; i <= last; ++i) {
        const Point &p = bar.points[i];
        double xa = 0.0, xb = 0.0, yc = 0.0;
        if (!barBox(i, xa, xb, yc))
            continue;
        // Bars stand side by side along y: sorted by the depth of their
        // place alone, the nearer one always covers the farther one.
        const BarBox b{x0, valueUnit(p.value), yc, half, zb, pr.depth(x0, yc, zb / 2.0)};
        const QColor color = p.color.isValid() ? p.color : QColor(Qt::red);
        const bool thin = 2.0 * halfPx < kThinBar;
        const QPen pen = outlinePen(color, 2.0 * halfPx);

        QPolygonF outline;
        outline << QPointF(xa, b.yc - half) << QPointF(xb, b.yc - half) << QPointF(xb, b.yc + half)
                << QPointF(xa, b.yc + half);
        if (thin) {
            scene.addPrism(outline, 0.0, zb, color, color, Qt::NoPen, true, b.sortDepth);
            continue;
        }
        switch (bar.style) {
        case BarStyle::bsRectangle:
            scene.addPrism(outline, 0.0, zb, color, color, pen, true, b.sortDepth);
            break;
        case BarStyle::bsRectGradient: {
            QLinearGradient g(pr.map(b.x0, b.yc, 0), pr.map(b.x1, b.yc, 0));
            g.setColorAt(0.0, mix(color, Qt::white, 0.65));
            g.setColorAt(1.0, color);
            scene.addPrism(outline, 0.0, zb, color, g, pen, true, b.sortDepth);
            break;
        }
        case BarStyle::bsCilinder:
            if (flat) {
                QLinearGradient g(pr.map(xa, b.yc + half, 0), pr.map(xa, b.yc - half, 0));
                g.setColorAt(0.0, scaledColor(color, 0.55));
                g.setColorAt(0.3, mix(color, Qt::white, 0.55));
                g.setColorAt(0.55, color);
                g.setColorAt(1.0, scaledColor(color, 0.45));
                scene.addPrism(outline, 0.0, zb, color, g, Qt::NoPen);
            } else {
                addCylinder(scene, b, color);
            }
            break;
        case BarStyle::bsArrow: {
            // Shaft half as thick as the bar, head as long as the bar is thick.
            const double headPx = std::min(std::abs(b.x1 - b.x0) * pr.width(), 4.0 * halfPx);
            const double head = headPx / std::max(pr.width(), 1.0);
            const double dir = b.x1 >= b.x0 ? 1.0 : -1.0;
            const double neck = b.x1 - dir * head;
            QPolygonF arrow;
            arrow << QPointF(b.x0, b.yc - half / 2) << QPointF(neck, b.yc - half / 2)
                  << QPointF(neck, b.yc - half) << QPointF(b.x1, b.yc) << QPointF(neck, b.yc + half)
                  << QPointF(neck, b.yc + half / 2) << QPointF(b.x0, b.yc + half / 2);
            if (dir < 0) // keep the outline counter-clockwise
                std::reverse(arrow.begin(), arrow.end());
            QLinearGradient g(pr.map(b.x0, b.yc, 0), pr.map(b.x1, b.yc, 0));
            g.setColorAt(0.0, scaledColor(color, 0.8));
            g.setColorAt(1.0, color);
            // The head is not convex with the shaft: shaft and head as two prisms.
            QPolygonF shaft;
            shaft << QPointF(std::min(b.x0, neck), b.yc - half / 2)
                  << QPointF(std::max(b.x0, neck), b.yc - half / 2)
                  << QPointF(std::max(b.x0, neck), b.yc + half / 2)
                  << QPointF(std::min(b.x0, neck), b.yc + half / 2);
            QPolygonF tip;
            tip << QPointF(neck, b.yc - half) << QPointF(b.x1, b.yc) << QPointF(neck, b.yc + half);
            if (dir < 0)
                std::reverse(tip.begin(), tip.end());
            if (flat) {
                scene.addPrism(arrow, 0.0, zb, color, g, pen);
            } else {
                scene.addPrism(shaft, zb * 0.25, zb * 0.75, color, g, pen, true, b.sortDepth);
                scene.addPrism(tip, 0.0, zb, color, color, pen, true, b.sortDepth);
            }
            break;
        }
        }
    }
}

void AxisChart::addLine(Scene &scene) const
{
    const LineSeries &line = m_chart.line;
    const Projection &pr = scene.projection();
    if (line.points.isEmpty())
        return;
    const int n = int(line.points.size());
    // One point beyond each end so that the line runs out of a zoomed plot.
    const int first = std::max(0, int(std::floor(m_shown.categoryMin)) - 1);
    const int last = std::min(n - 1, int(std::ceil(m_shown.categoryMax)) + 1);
    auto unitPoint = [&](int i) {
        const double v = line.points[i].value;
        return m_valuesHorizontal ? QPointF(valueUnit(v), categoryUnit(i))
                                  : QPointF(categoryUnit(i), valueUnit(v));
    };

    // Segments and markers follow one another along the category axis: sorted
    // by the depth of their place on it alone, nearer ones cover farther ones.
    const double zr = m_ribbonDepth;
    auto placeDepth = [&](double category, double z) {
        const double u = categoryUnit(category);
        return m_valuesHorizontal ? pr.depth(0.5, u, z) : pr.depth(u, 0.5, z);
    };
    if (!pr.isFlat()) {
        const QColor color = line.lineColor;
        const QPen edge(scaledColor(color, 0.55), 0);
        for (int i = first; i < last; ++i) {
            if (!std::isfinite(line.points[i].value) || !std::isfinite(line.points[i + 1].value))
                continue;
            const QPointF a = unitPoint(i);
            const QPointF b = unitPoint(i + 1);
            QPolygonF ribbon;
            ribbon << pr.map(a.x(), a.y(), 0) << pr.map(b.x(), b.y(), 0) << pr.map(b.x(), b.y(), zr)
                   << pr.map(a.x(), a.y(), zr);
            // The normal of the ribbon's upper side, in pixels.
            double nx = -(b.y() - a.y()) * pr.height();
            double ny = (b.x() - a.x()) * pr.width();
            if (ny < 0) {
                nx = -nx;
                ny = -ny;
            }
            const QPointF m = (a + b) / 2.0;
            const double len = std::max(std::hypot(nx, ny), 1e-9);
            const double eps = 1e-3 / len;
            const bool upperSide = pr.depth(m.x() + nx * eps / std::max(pr.width(), 1.0),
                                           m.y() + ny * eps / std::max(pr.height(), 1.0), zr / 2.0)
                    < pr.depth(m.x(), m.y(), zr / 2.0);
            QColor fill = color;
            if (line.dark3D)
                fill = upperSide ? shaded(color, nx, ny, 0) : shaded(color, -nx, -ny, 0);
            else if (!upperSide)
                fill = scaledColor(color, 0.9);
            scene.add(ribbon, fill, edge, placeDepth(i + 0.5, zr / 2.0));
        }
    }

    if (!line.pointerVisible)
        return;
    // Markers sit on the line's front edge, over the ribbon.
    scene.setLayer(1);
    const double hs = std::clamp(line.pointerHorizSize, 1, 500);
    const double vs = std::clamp(line.pointerVertSize, 1, 500);
    const QPolygonF shape = markerOutline(line.pointerStyle, hs, vs);
    const double zm = pr.isFlat() ? 0.0 : std::min(0.5, 2.0 * vs / std::max(pr.depthLength(), 1.0));
    const double w = std::max(pr.width(), 1.0);
    const double h = std::max(pr.height(), 1.0);
    for (int i = std::max(first, 0); i <= last; ++i) {
        if (!std::isfinite(line.points[i].value))
            continue;
        const QPointF c = unitPoint(i);
        QPolygonF outline;
        outline.reserve(shape.size());
        for (const QPointF &o : shape)
            outline << QPointF(c.x() + o.x() / w, c.y() + o.y() / h);
        const QColor pointColor = line.points[i].color.isValid()
                ? line.points[i].color
                : scaledColor(line.pointerColor, 0.5);
        scene.addPrism(outline, -zm / 2.0, zm / 2.0, line.pointerColor, line.pointerColor,
                QPen(pointColor, 1.5), true, placeDepth(i, 0.0));
    }
    scene.setLayer(0);
}

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
    const Projection &pr = m_projection;
    const int n = int(line.points.size());
    const int first = std::max(0, int(std::floor(m_shown.categoryMin)) - 1);
    const int last = std::min(n - 1, int(std::ceil(m_shown.categoryMax)) + 1);
    const double zr = pr.isFlat() ? 0.0 : m_ribbonDepth;
    for (int i = first; i < last; ++i) {
        if (!std::isfinite(line.points[i].value) || !std::isfinite(line.points[i + 1].value))
            continue;
        QPolygonF ribbon;
        ribbon << valuePoint(i, line.points[i].value, 0)
               << valuePoint(i + 1, line.points[i + 1].value, 0);
        if (zr > 0.0)
            ribbon << valuePoint(i + 1, line.points[i + 1].value, zr)
                   << valuePoint(i, line.points[i].value, zr);
        placer.addObstacle(ribbon);
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
        m_barMetrics.emplace(c.bar.marks, m_device, inkSample(c.bar));
        placeBarMarks(placer);
    }
    if (lineMarks) {
        m_lineMetrics.emplace(c.line.marks, m_device, inkSample(c.line));
        placeLineMarks(placer);
    }
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
    const int first = std::max(0, int(std::ceil(m_shown.categoryMin - 0.5)));
    const int last =
            std::min(int(bar.points.size()) - 1, int(std::floor(m_shown.categoryMax + 0.5)));
    double previousY = qQNaN();
    for (int i = first; i <= last; ++i) {
        const Point &p = bar.points[i];
        double xa = 0.0, xb = 0.0, yc = 0.0;
        if (!barBox(i, xa, xb, yc))
            continue;
        const double x1 = valueUnit(p.value);
        if (x1 < -1e-9 || x1 > 1 + 1e-9)
            continue;
        // Beside the middle of the bar's end as it shows, front face and top together.
        const double y = pr.map(x1, yc, zb / 2.0).y();
        if (y < front.top() - 1 - pr.depthLength() || y > front.bottom() + 1)
            continue;
        // Cheap test first: rows of labels never overlap, so a label that
        // would reach the last one is left out before its text is made.
        if (std::abs(y - previousY) < height)
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
        if (p.value >= bar.origin)
            box.moveTopLeft(QPointF(reachRight + kGap, y - box.height() / 2.0));
        else
            box.moveTopRight(QPointF(reachLeft - kGap, y - box.height() / 2.0));
        if (!placer.place(box, i))
            continue;
        m_barMarks.append(MarkGeometry{i, box, text});
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
        for (const QRectF &box : {beyondFirst ? beyond : before, beyondFirst ? before : beyond}) {
            if (placer.place(box, c.index)) {
                m_lineMarks.append(MarkGeometry{c.index, box, text});
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

void AxisChart::paintLabels(QPainter &painter) const
{
    const Chart &c = m_chart;
    if (!c.axesVisible)
        return;
    const Projection &pr = m_projection;
    const AxisSettings &left = c.leftAxis;
    const AxisSettings &bottom = c.bottomAxis;
    const QFontMetricsF fmLeft = metricsFor(left.labelsFont, painter.device());
    const QFontMetricsF fmBottom = metricsFor(bottom.labelsFont, painter.device());
    const double sw = m_strip / std::max(pr.width(), 1.0);
    const double sh = m_strip / std::max(pr.height(), 1.0);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, !pr.isOblique());
    // Left axis: ticks and labels to the left of the wall strip.
    QList<std::pair<double, QString>> leftLabels;
    QList<std::pair<double, QString>> bottomLabels;
    QList<std::pair<double, QString>> values;
    for (double t : m_scale.ticks)
        values.append({valueUnit(t), formatValue(t)});
    QList<std::pair<double, QString>> categories;
    for (int i = m_categoryLabels.first; i <= m_categoryLabels.last; i += m_categoryLabels.step)
        categories.append({categoryUnit(i), categoryLabel(i)});
    if (m_valuesHorizontal) {
        leftLabels = categories;
        bottomLabels = values;
    } else {
        leftLabels = values;
        bottomLabels = categories;
    }

    painter.setFont(left.labelsFont.font);
    double leftmost = pr.frontRect().left();
    for (const auto &[y, text] : std::as_const(leftLabels)) {
        if (y < -1e-9 || y > 1 + 1e-9)
            continue;
        const QPointF a = pr.map(-sw, y, 0);
        painter.setPen(QPen(left.axisColor, 0));
        painter.drawLine(crisp(a, a - QPointF(kTick, 0)));
        QString shown = text;
        double w = fmLeft.horizontalAdvance(shown);
        if (w > m_labelCap) {
            shown = fmLeft.elidedText(text, Qt::ElideRight, m_labelCap);
            w = fmLeft.horizontalAdvance(shown);
        }
        const QRectF r(a.x() - kTick - kGap / 2 - w, a.y() - fmLeft.height() / 2.0, w + 1.0,
                fmLeft.height());
        leftmost = std::min(leftmost, r.left());
        painter.setPen(left.labelsFont.color);
        painter.drawText(r, Qt::AlignRight | Qt::AlignVCenter | Qt::TextDontClip, shown);
    }

    painter.setFont(bottom.labelsFont.font);
    double lowest = pr.frontRect().bottom();
    for (const auto &[x, text] : std::as_const(bottomLabels)) {
        if (x < -1e-9 || x > 1 + 1e-9)
            continue;
        const QPointF a = pr.map(x, -sh, 0);
        painter.setPen(QPen(bottom.axisColor, 0));
        painter.drawLine(crisp(a, a + QPointF(0, kTick)));
        const bool upright = m_rotatedCategories && !m_valuesHorizontal;
        const double cap = upright ? m_rotatedCap : m_labelCap;
        QString shown = text;
        double w = fmBottom.horizontalAdvance(shown);
        if (w > cap) {
            shown = fmBottom.elidedText(text, Qt::ElideRight, cap);
            w = fmBottom.horizontalAdvance(shown);
        }
        if (upright) {
            drawRotatedText(painter, bottom.labelsFont, shown,
                    QPointF(a.x(), a.y() + kTick + 1.0 + w / 2.0), 90);
            lowest = std::max(lowest, a.y() + kTick + 1.0 + w);
            continue;
        }
        const QRectF r(a.x() - w / 2.0, a.y() + kTick + 1.0, w + 1.0, fmBottom.height());
        lowest = std::max(lowest, r.bottom());
        painter.setPen(bottom.labelsFont.color);
        painter.drawText(r, Qt::AlignCenter | Qt::TextDontClip, shown);
    }

    // Titles: outside the labels, centred on the plot.
    const QRectF front = pr.frontRect();
    if (!left.title.isEmpty()) {
        const QFontMetricsF fm = metricsFor(left.titleFont, painter.device());
        const QSizeF size =
                rotatedSize(QSizeF(fm.horizontalAdvance(left.title), fm.height()), left.titleAngle);
        const double x = std::min(leftmost - kGap, front.left() - kGap) - size.width() / 2.0;
        drawRotatedText(painter, left.titleFont, left.title,
                QPointF(std::max(x, m_area.left() + size.width() / 2.0), front.center().y()),
                left.titleAngle);
    }
    if (!bottom.title.isEmpty()) {
        const QFontMetricsF fm = metricsFor(bottom.titleFont, painter.device());
        const QSizeF size = rotatedSize(
                QSizeF(fm.horizontalAdvance(bottom.title), fm.height()), bottom.titleAngle);
        const double y = std::max(lowest, front.bottom()) + kGap + size.height() / 2.0;
        drawRotatedText(painter, bottom.titleFont, bottom.title,
                QPointF(front.center().x(), std::min(y, m_area.bottom() - size.height() / 2.0)),
                bottom.titleAngle);
    }
    painter.restore();
}

void AxisChart::paint(QPainter &painter) const
{
    const Chart &c = m_chart;
    const Projection &pr = m_projection;
    painter.save();
    paintWalls(painter);
    paintGrid(painter);
    paintAxes(painter);

    painter.save();
    if (c.clipPoints) {
        QPainterPath clip;
        clip.addPolygon(pr.outline());
        clip.closeSubpath();
        painter.setClipPath(clip, Qt::IntersectClip);
    }
    if (m_line && pr.isFlat() && c.line.count() > 0) {
        // The flat line is a polyline under its markers.
        const LineSeries &line = c.line;
        const int n = int(line.points.size());
        const int first = std::max(0, int(std::floor(m_shown.categoryMin)) - 1);
        const int last = std::min(n - 1, int(std::ceil(m_shown.categoryMax)) + 1);
        QPolygonF poly;
        for (int i = first; i <= last; ++i) {
            if (std::isfinite(line.points[i].value))
                poly << valuePoint(i, line.points[i].value, 0);
        }
        QPen pen(line.lineColor, 2.0);
        pen.setJoinStyle(Qt::RoundJoin);
        pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(poly);
    }
    Scene scene(pr);
    if (m_bars)
        addBars(scene);
    if (m_line)
        addLine(scene);
    scene.paint(painter);
    painter.restore();

    paintMarks(painter);
    paintLabels(painter);
    painter.restore();
}

} // namespace zavevad::chart
