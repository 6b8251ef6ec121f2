#pragma once

#include "chartengine/projection.h"

#include <QBrush>
#include <QColor>
#include <QList>
#include <QPen>
#include <QPolygonF>

#include <optional>

class QPainter;

namespace zavevad::chart {

/// A colour lit as a face with the given outward normal (box axes: x right,
/// y up, z back). A face looking straight at the viewer keeps the colour.
QColor shaded(const QColor &color, double nx, double ny, double nz);

/// Lighter (factor > 1) or darker (factor < 1) without losing the hue.
QColor scaledColor(const QColor &color, double factor);

/// Polygons of the pseudo-3D picture, painted back to front: by layer, then
/// by depth (farthest first), then by a second depth that orders the parts
/// of one solid, then in the order added.
class Scene
{
public:
    struct Face
    {
        QPolygonF polygon;
        QBrush brush;
        QPen pen;
        int layer = 0;
        double depth = 0;
        double subDepth = 0;
        int order = 0;
    };

    explicit Scene(const Projection &projection) : m_projection(projection) { }

    const Projection &projection() const { return m_projection; }

    /// Faces added from now on are painted over every face of a lower layer
    /// (markers over the line they sit on, for instance).
    void setLayer(int layer) { m_layer = layer; }

    void add(QPolygonF polygon, const QBrush &brush, const QPen &pen, double depth,
            double subDepth = 0.0);

    /// A prism: the outline (box x/y coordinates, counter-clockwise) pushed
    /// back from z0 to z1. Only the faces turned to the viewer are added.
    /// The front face takes frontBrush; the others are shaded from color
    /// (or all flat in color when shade is false). The prism sorts by the
    /// depth of its centre unless sortDepth is given: solids that stand side
    /// by side (the bars of a chart) sort correctly only by a depth taken at
    /// the same x and z for all of them, whatever their lengths.
    void addPrism(const QPolygonF &outline, double z0, double z1, const QColor &color,
            const QBrush &frontBrush, const QPen &pen, bool shade = true,
            std::optional<double> sortDepth = std::nullopt);

    void paint(QPainter &painter);
    bool isEmpty() const { return m_faces.isEmpty(); }

    /// Signed area of a polygon in target coordinates (y down); positive
    /// for a face that turns towards the viewer in the order prisms use.
    static double signedArea(const QPolygonF &polygon);

private:
    Projection m_projection;
    QList<Face> m_faces;
    int m_layer = 0;
};

} // namespace zavevad::chart
