#include "chartengine/scene.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace zavevad::chart {

namespace {

// Light from the upper left, in front of the chart.
constexpr double kLightX = -0.35;
constexpr double kLightY = 0.75;
constexpr double kLightZ = -0.55;

double lightAmount(double nx, double ny, double nz)
{
    const double ln = std::sqrt(kLightX * kLightX + kLightY * kLightY + kLightZ * kLightZ);
    const double n = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (n == 0.0)
        return 0.6;
    const double dot = (nx * kLightX + ny * kLightY + nz * kLightZ) / (n * ln);
    return 0.6 + 0.5 * std::max(0.0, dot);
}

} // namespace

QColor scaledColor(const QColor &color, double factor)
{
    QColor c = color.toRgb();
    float r, g, b, a;
    c.getRgbF(&r, &g, &b, &a);
    if (factor >= 1.0) {
        const double t = std::min(1.0, (factor - 1.0) * 2.0);
        r += float((1.0 - r) * t);
        g += float((1.0 - g) * t);
        b += float((1.0 - b) * t);
    } else {
        const double f = std::max(0.0, factor);
        // Black still shows its sides: darken towards black, lift pure black.
        r = float(r * f);
        g = float(g * f);
        b = float(b * f);
    }
    return QColor::fromRgbF(r, g, b, a);
}

QColor shaded(const QColor &color, double nx, double ny, double nz)
{
    const double factor = lightAmount(nx, ny, nz) / lightAmount(0, 0, -1);
    if (factor < 1.0 && color.toRgb().lightnessF() < 0.08)
        return QColor(70, 70, 70, color.alpha()); // a black solid still shows its shape
    return scaledColor(color, factor);
}

void Scene::add(
        QPolygonF polygon, const QBrush &brush, const QPen &pen, double depth, double subDepth)
{
    m_faces.append(
            Face{std::move(polygon), brush, pen, m_layer, depth, subDepth, int(m_faces.size())});
}

double Scene::signedArea(const QPolygonF &polygon)
{
    double area = 0.0;
    const qsizetype n = polygon.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QPointF &a = polygon[i];
        const QPointF &b = polygon[(i + 1) % n];
        area += a.x() * b.y() - b.x() * a.y();
    }
    return area / 2.0;
}

void Scene::addPrism(const QPolygonF &outline, double z0, double z1, const QColor &color,
        const QBrush &frontBrush, const QPen &pen, bool shade, std::optional<double> sortDepth)
{
    const qsizetype n = outline.size();
    if (n < 3)
        return;
    const Projection &pr = m_projection;
    // The whole prism sorts by one depth so that it never interleaves with
    // another one; its own faces cannot overlap once hidden ones are gone.
    QPointF c;
    for (const QPointF &pt : outline)
        c += pt;
    c /= double(n);
    const double centre = pr.depth(c.x(), c.y(), (z0 + z1) / 2.0);
    const double depth = sortDepth.value_or(centre);
    const double subDepth = sortDepth ? centre : 0.0;

    QPolygonF front;
    front.reserve(n);
    for (qsizetype i = n - 1; i >= 0; --i)
        front << pr.map(outline[i].x(), outline[i].y(), z0);

    if (!pr.isFlat() && z1 > z0) {
        QPolygonF back;
        back.reserve(n);
        for (const QPointF &pt : outline)
            back << pr.map(pt.x(), pt.y(), z1);
        if (signedArea(back) > 1e-6)
            add(back, shade ? shaded(color, 0, 0, 1) : color, pen, depth, subDepth);
        for (qsizetype i = 0; i < n; ++i) {
            const QPointF &a = outline[i];
            const QPointF &b = outline[(i + 1) % n];
            QPolygonF side;
            side << pr.map(a.x(), a.y(), z0) << pr.map(b.x(), b.y(), z0) << pr.map(b.x(), b.y(), z1)
                 << pr.map(a.x(), a.y(), z1);
            if (signedArea(side) <= 1e-6)
                continue;
            // Outward normal of a counter-clockwise outline, in pixels.
            const double ex = (b.x() - a.x()) * pr.width();
            const double ey = (b.y() - a.y()) * pr.height();
            add(side, shade ? shaded(color, ey, -ex, 0) : color, pen, depth, subDepth);
        }
    }
    if (signedArea(front) > 1e-6 || pr.isFlat())
        add(front, frontBrush, pen, depth, subDepth);
}

void Scene::paint(QPainter &painter)
{
    std::stable_sort(m_faces.begin(), m_faces.end(), [](const Face &a, const Face &b) {
        if (a.layer != b.layer)
            return a.layer < b.layer;
        if (a.depth != b.depth)
            return a.depth > b.depth;
        if (a.subDepth != b.subDepth)
            return a.subDepth > b.subDepth;
        return a.order < b.order;
    });
    for (const Face &f : std::as_const(m_faces)) {
        painter.setPen(f.pen);
        painter.setBrush(f.brush);
        painter.drawPolygon(f.polygon);
    }
}

} // namespace zavevad::chart
