// Painting of the axis chart's frame: walls, grid and axis lines.
#include "chartengine/axischart.h"

#include "chartengine/axischartparts.h"
#include "chartengine/chartdraw.h"
#include "chartengine/chartformat.h"
#include "chartengine/scene.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace zavevad::chart {

using namespace axisparts;

void AxisChart::paintWalls(QPainter &painter) const
{
    const Chart &c = m_chart;
    const Projection &pr = m_layout.geometry.projection;
    const double sw = m_layout.frame.strip / std::max(pr.width(), 1.0);
    const double sh = m_layout.frame.strip / std::max(pr.height(), 1.0);
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
    const Projection &pr = m_layout.geometry.projection;
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
    for (double t : m_layout.values.scale.ticks)
        values.append(m_layout.geometry.valueUnit(t));
    QList<double> categories;
    for (int i = m_layout.categories.labels.first; i <= m_layout.categories.labels.last;
            i += m_layout.categories.labels.step)
        categories.append(m_layout.geometry.categoryUnit(i));
    if (m_layout.frame.valuesHorizontal) {
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
    const Projection &pr = m_layout.geometry.projection;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, !pr.isOblique());
    painter.setPen(QPen(c.leftAxis.axisColor, 0));
    painter.drawLine(crisp(pr.map(0, 0, 0), pr.map(0, 1, 0)));
    painter.setPen(QPen(c.bottomAxis.axisColor, 0));
    painter.drawLine(crisp(pr.map(0, 0, 0), pr.map(1, 0, 0)));
    painter.restore();
}

} // namespace zavevad::chart
