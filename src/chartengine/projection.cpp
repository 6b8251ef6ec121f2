#include "chartengine/projection.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace zavevad::chart {

Projection Projection::flat(const QRectF &front)
{
    Projection p;
    p.m_kind = Kind::Flat;
    p.m_front = front;
    p.m_w = front.width();
    p.m_h = front.height();
    return p;
}

Projection Projection::oblique(const QRectF &front, double dx, double dy)
{
    Projection p = flat(front);
    if (dx == 0.0 && dy == 0.0)
        return p;
    p.m_kind = Kind::Oblique;
    p.m_dx = dx;
    p.m_dy = dy;
    p.m_d = std::hypot(dx, dy);
    return p;
}

Projection Projection::rotated(const QRectF &area, const QSizeF &box, double depth, int rotation,
        int elevation, int perspective)
{
    Projection p;
    p.m_kind = Kind::Rotated;
    p.m_w = box.width();
    p.m_h = box.height();
    p.m_d = depth;
    // 360 is the view from the front; angles past 180 turn the other way.
    auto signedAngle = [](int degrees) {
        int a = degrees % 360;
        if (a > 180)
            a -= 360;
        if (a <= -180)
            a += 360;
        return qDegreesToRadians(double(a));
    };
    const double r = signedAngle(rotation);
    const double e = -signedAngle(elevation); // 315 looks down by 45 degrees
    p.m_cosR = std::cos(r);
    p.m_sinR = std::sin(r);
    p.m_cosE = std::cos(e);
    p.m_sinE = std::sin(e);
    const int persp = std::clamp(perspective, 0, 100);
    if (persp > 0) {
        const double size = std::max({p.m_w, p.m_h, p.m_d, 1.0});
        p.m_distance = size * (1.2 + 8.0 * (100 - persp) / 100.0);
    }

    // Fit the projected box into the area, keeping its proportions.
    double minX = 1e300, maxX = -1e300, minY = 1e300, maxY = -1e300;
    for (int i = 0; i < 8; ++i) {
        const Rotated3 q = p.rotate(i & 1, (i >> 1) & 1, (i >> 2) & 1);
        minX = std::min(minX, q.x);
        maxX = std::max(maxX, q.x);
        minY = std::min(minY, q.y);
        maxY = std::max(maxY, q.y);
    }
    const double bw = std::max(maxX - minX, 1e-6);
    const double bh = std::max(maxY - minY, 1e-6);
    p.m_scale = std::min(area.width() / bw, area.height() / bh);
    p.m_centre = area.center();
    p.m_shift = QPointF((minX + maxX) / 2.0, (minY + maxY) / 2.0);
    return p;
}

Projection::Rotated3 Projection::rotate(double x, double y, double z) const
{
    const double X = (x - 0.5) * m_w;
    const double Y = (y - 0.5) * m_h;
    const double Z = (z - 0.5) * m_d;
    // Turn about the vertical axis, then tip about the horizontal one, so
    // that rotation shows a side and elevation shows the top.
    const double x1 = X * m_cosR + Z * m_sinR;
    const double z1 = -X * m_sinR + Z * m_cosR;
    const double y2 = Y * m_cosE + z1 * m_sinE;
    const double z2 = -Y * m_sinE + z1 * m_cosE;
    if (m_distance > 0.0) {
        const double f = m_distance / std::max(m_distance + z2, m_distance * 0.1);
        return {x1 * f, y2 * f, z2};
    }
    return {x1, y2, z2};
}

QPointF Projection::map(double x, double y, double z) const
{
    switch (m_kind) {
    case Kind::Flat:
        return QPointF(m_front.left() + x * m_w, m_front.bottom() - y * m_h);
    case Kind::Oblique:
        return QPointF(m_front.left() + x * m_w + z * m_dx, m_front.bottom() - y * m_h - z * m_dy);
    case Kind::Rotated:
        break;
    }
    const Rotated3 q = rotate(x, y, z);
    return QPointF(m_centre.x() + (q.x - m_shift.x()) * m_scale,
            m_centre.y() - (q.y - m_shift.y()) * m_scale);
}

double Projection::depth(double x, double y, double z) const
{
    switch (m_kind) {
    case Kind::Flat:
        return 0.0;
    case Kind::Oblique: {
        // The line of sight runs along (-dx, -dy, depth): back, left and down.
        const double d = std::max(m_d, 1e-9);
        return (z * m_d - (x * m_w * m_dx + y * m_h * m_dy) / d) / std::sqrt(2.0);
    }
    case Kind::Rotated:
        break;
    }
    return rotate(x, y, z).z;
}

QRectF Projection::frontRect() const
{
    if (m_kind != Kind::Rotated)
        return m_front;
    QPolygonF face;
    face << map(0, 0, 0) << map(1, 0, 0) << map(1, 1, 0) << map(0, 1, 0);
    return face.boundingRect();
}

QPolygonF Projection::outline() const
{
    QList<QPointF> pts;
    for (int i = 0; i < 8; ++i)
        pts.append(map(i & 1, (i >> 1) & 1, (i >> 2) & 1));
    return convexHull(std::move(pts));
}

QPolygonF convexHull(QList<QPointF> pts)
{
    // Monotone chain.
    std::sort(pts.begin(), pts.end(), [](const QPointF &a, const QPointF &b) {
        return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y());
    });
    auto cross = [](const QPointF &o, const QPointF &a, const QPointF &b) {
        return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
    };
    QList<QPointF> hull(2 * pts.size());
    int k = 0;
    for (const QPointF &pt : std::as_const(pts)) {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], pt) <= 0)
            --k;
        hull[k++] = pt;
    }
    for (int i = int(pts.size()) - 2, t = k + 1; i >= 0; --i) {
        while (k >= t && cross(hull[k - 2], hull[k - 1], pts[i]) <= 0)
            --k;
        hull[k++] = pts[i];
    }
    hull.resize(std::max(k - 1, 0));
    return QPolygonF(hull);
}

} // namespace zavevad::chart
