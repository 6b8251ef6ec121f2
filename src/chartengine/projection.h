#pragma once

#include <QList>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>

namespace zavevad::chart {

/// Maps points of the plot box to target coordinates. Box coordinates run
/// from 0 to 1: x left to right, y bottom to top, z front to back.
class Projection
{
public:
    /// No depth: the front face fills the rectangle.
    static Projection flat(const QRectF &front);
    /// The oblique view: the back face is the front one moved by (dx, -dy).
    static Projection oblique(const QRectF &front, double dx, double dy);
    /// A rotated view (degrees, 360 = none) of a box of the given pixel size
    /// and depth, with optional perspective (0 to 100), fitted into area.
    static Projection rotated(const QRectF &area, const QSizeF &box, double depth, int rotation,
            int elevation, int perspective);

    QPointF map(double x, double y, double z) const;
    /// Distance from the viewer along the line of sight; larger is farther.
    double depth(double x, double y, double z) const;

    bool isFlat() const { return m_kind == Kind::Flat; }
    bool isOblique() const { return m_kind != Kind::Rotated; }
    /// Pixel size of one box unit along x, y and z (the rotated view scales them).
    double width() const { return m_w * m_scale; }
    double height() const { return m_h * m_scale; }
    double depthLength() const { return m_d * m_scale; }
    /// Bounding rectangle of the projected front face.
    QRectF frontRect() const;
    /// Outline of the whole projected box (its convex hull).
    QPolygonF outline() const;

private:
    enum class Kind { Flat, Oblique, Rotated };

    struct Rotated3
    {
        double x, y, z;
    };
    Rotated3 rotate(double x, double y, double z) const;

    Kind m_kind = Kind::Flat;
    QRectF m_front;
    double m_w = 0, m_h = 0, m_d = 0;
    double m_dx = 0, m_dy = 0;
    // Rotated view.
    double m_cosR = 1, m_sinR = 0, m_cosE = 1, m_sinE = 0;
    double m_distance = 0; ///< camera distance, 0 = parallel projection
    double m_scale = 1;
    QPointF m_centre;
    QPointF m_shift;
};

/// The convex hull of the points, counter-clockwise on screen (y down).
QPolygonF convexHull(QList<QPointF> points);

} // namespace zavevad::chart
