// The bars and the line of the axis chart as shapes of a 3D scene.
#include "chartengine/axischart.h"
#include "chartengine/axislayout.h"

#include "chartengine/chartdraw.h"
#include "chartengine/scene.h"

#include <QLinearGradient>

#include <algorithm>
#include <cmath>

namespace zavevad::chart {

namespace {

/// Bars thinner than this (pixels) are drawn as plain blocks: no style
/// would show on them. A class of 28 still gets bars of its chosen style.
constexpr double kThinBar = 1.5;
/// Width of the 3D line's band across its segments, as a share of its depth.
constexpr double kRibbonBand = 0.5;

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

/// Shaft half as thick as the bar, head as long as the bar is thick.
void addArrow(Scene &scene, const BarBox &b, const QColor &color, const QPen &pen, double halfPx)
{
    const Projection &pr = scene.projection();
    const double half = b.half;
    const double zb = b.depth;
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
    if (pr.isFlat()) {
        scene.addPrism(arrow, 0.0, zb, color, g, pen);
    } else {
        scene.addPrism(shaft, zb * 0.25, zb * 0.75, color, g, pen, true, b.sortDepth);
        scene.addPrism(tip, 0.0, zb, color, color, pen, true, b.sortDepth);
    }
}

/// One bar of the chart's style; xa..xb its extent along the values.
void addBar(
        Scene &scene, BarStyle style, const BarBox &b, double xa, double xb, const QColor &color)
{
    const Projection &pr = scene.projection();
    const double half = b.half;
    const double zb = b.depth;
    const double halfPx = half * pr.height();
    const QPen pen = outlinePen(color, 2.0 * halfPx);
    QPolygonF outline;
    outline << QPointF(xa, b.yc - half) << QPointF(xb, b.yc - half) << QPointF(xb, b.yc + half)
            << QPointF(xa, b.yc + half);
    if (2.0 * halfPx < kThinBar) {
        scene.addPrism(outline, 0.0, zb, color, color, Qt::NoPen, true, b.sortDepth);
        return;
    }
    switch (style) {
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
        if (pr.isFlat()) {
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
    case BarStyle::bsArrow:
        addArrow(scene, b, color, pen, halfPx);
        break;
    }
}

} // namespace

bool AxisGeometry::barBox(const BarSeries &bar, int index, double &xa, double &xb, double &yc) const
{
    if (index < 0 || index >= bar.points.size() || barHalf <= 0.0)
        return false;
    const double value = bar.points[index].value;
    if (!std::isfinite(value))
        return false;
    const double x0 = valueUnit(bar.origin);
    const double x1 = valueUnit(value);
    if (std::abs(x1 - x0) * projection.width() < 0.01)
        return false;
    xa = std::min(x0, x1);
    xb = std::max(x0, x1);
    yc = categoryUnit(index) + barShift;
    return true;
}

void AxisChart::addBars(Scene &scene) const
{
    const BarSeries &bar = m_chart.bar;
    const AxisGeometry &g = m_layout.geometry;
    const Projection &pr = scene.projection();
    if (bar.points.isEmpty())
        return;
    const int first = std::max(0, int(std::floor(g.shown.categoryMin)));
    const int last = std::min(int(bar.points.size()) - 1, int(std::ceil(g.shown.categoryMax)));
    const double x0 = g.valueUnit(bar.origin);
    const double zb = g.barDepth;
    for (int i = first; i <= last; ++i) {
        const Point &p = bar.points[i];
        double xa = 0.0, xb = 0.0, yc = 0.0;
        if (!g.barBox(bar, i, xa, xb, yc))
            continue;
        // Bars stand side by side along y: sorted by the depth of their
        // place alone, the nearer one always covers the farther one.
        const BarBox b{x0, g.valueUnit(p.value), yc, g.barHalf, zb, pr.depth(x0, yc, zb / 2.0)};
        const QColor color = p.color.isValid() ? p.color : QColor(Qt::red);
        addBar(scene, bar.style, b, xa, xb, color);
    }
}

QPolygonF AxisGeometry::ribbonShape(const LineSeries &line, int index) const
{
    const Projection &pr = projection;
    const double zr = pr.isFlat() ? 0.0 : ribbonDepth;
    const QPointF a = valuePoint(index, line.points[index].value, 0);
    const QPointF b = valuePoint(index + 1, line.points[index + 1].value, 0);
    QPolygonF ribbon;
    ribbon << a << b;
    if (zr <= 0.0)
        return ribbon;
    QPointF aBack = valuePoint(index, line.points[index].value, zr);
    QPointF bBack = valuePoint(index + 1, line.points[index + 1].value, zr);
    if (pr.isOblique()) {
        // Seen obliquely, a segment rising along the depth shows its ribbon
        // edge on and a falling one as a broad band. Every segment shows the
        // same band instead: the depth's share along the segment stays, its
        // share across becomes the same for all.
        const QPointF shift = aBack - a;
        const QPointF along = b - a;
        const double length = std::hypot(along.x(), along.y());
        if (length > 1e-9) {
            const QPointF u = along / length;
            QPointF normal(-u.y(), u.x());
            const double across = shift.x() * normal.x() + shift.y() * normal.y();
            if (across < 0.0)
                normal = -normal;
            const double depthPx = std::hypot(shift.x(), shift.y());
            const QPointF offset =
                    u * (shift.x() * u.x() + shift.y() * u.y()) + normal * (depthPx * kRibbonBand);
            aBack = a + offset;
            bBack = b + offset;
        }
    }
    ribbon << bBack << aBack;
    return ribbon;
}

void AxisChart::addLine(Scene &scene) const
{
    if (m_chart.line.points.isEmpty())
        return;
    if (!scene.projection().isFlat())
        addRibbons(scene);
    if (m_chart.line.pointerVisible)
        addMarkers(scene);
}

namespace {

/// The points of a line drawn: one beyond each end so that the line runs
/// out of a zoomed plot.
std::pair<int, int> drawnPoints(const LineSeries &line, const ViewState &shown)
{
    const int n = int(line.points.size());
    return {std::max(0, int(std::floor(shown.categoryMin)) - 1),
            std::min(n - 1, int(std::ceil(shown.categoryMax)) + 1)};
}

/// Segments and markers follow one another along the category axis: sorted
/// by the depth of their place on it alone, nearer ones cover farther ones.
double placeDepth(const AxisGeometry &g, double category, double z)
{
    const double u = g.categoryUnit(category);
    return g.valuesHorizontal ? g.projection.depth(0.5, u, z) : g.projection.depth(u, 0.5, z);
}

QPointF unitPoint(const AxisGeometry &g, const LineSeries &line, int i)
{
    const double v = line.points[i].value;
    return g.valuesHorizontal ? QPointF(g.valueUnit(v), g.categoryUnit(i))
                              : QPointF(g.categoryUnit(i), g.valueUnit(v));
}

} // namespace

void AxisChart::addRibbons(Scene &scene) const
{
    const LineSeries &line = m_chart.line;
    const AxisGeometry &g = m_layout.geometry;
    const Projection &pr = scene.projection();
    const auto [first, last] = drawnPoints(line, g.shown);
    const double zr = g.ribbonDepth;
    const QColor color = line.lineColor;
    const QPen edge(scaledColor(color, 0.55), 0);
    for (int i = first; i < last; ++i) {
        if (!std::isfinite(line.points[i].value) || !std::isfinite(line.points[i + 1].value))
            continue;
        const QPointF a = unitPoint(g, line, i);
        const QPointF b = unitPoint(g, line, i + 1);
        const QPolygonF ribbon = g.ribbonShape(line, i);
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
        scene.add(ribbon, fill, edge, placeDepth(g, i + 0.5, zr / 2.0));
    }
}

void AxisChart::addMarkers(Scene &scene) const
{
    // Markers sit on the line's front edge, over the ribbon.
    const LineSeries &line = m_chart.line;
    const AxisGeometry &g = m_layout.geometry;
    const Projection &pr = scene.projection();
    const auto [first, last] = drawnPoints(line, g.shown);
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
        const QPointF c = unitPoint(g, line, i);
        QPolygonF outline;
        outline.reserve(shape.size());
        for (const QPointF &o : shape)
            outline << QPointF(c.x() + o.x() / w, c.y() + o.y() / h);
        const QColor pointColor = line.points[i].color.isValid()
                ? line.points[i].color
                : scaledColor(line.pointerColor, 0.5);
        scene.addPrism(outline, -zm / 2.0, zm / 2.0, line.pointerColor, line.pointerColor,
                QPen(pointColor, 1.5), true, placeDepth(g, i, 0.0));
    }
    scene.setLayer(0);
}

} // namespace zavevad::chart
