#include "chartengine/axischart.h"

#include "chartengine/axischartparts.h"
#include "chartengine/scene.h"

#include <QPainter>
#include <QPainterPath>

namespace zavevad::chart {

using namespace axisparts;

AxisChart::AxisChart(const Chart &chart, QPaintDevice *device)
    : m_chart(chart), m_device(device) { }

void AxisChart::layout(const QRectF &area, const ViewState &view)
{
    m_layout = layOutAxisChart(
            AxisInputs{m_chart, m_device, area, view, NameRows::TwoWhenTheyFit, &m_nameWidths});
}

double AxisGeometry::valueUnit(double value) const
{
    const double span = shown.valueMax - shown.valueMin;
    return span != 0.0 ? (value - shown.valueMin) / span : 0.0;
}

double AxisGeometry::categoryUnit(double position) const
{
    const double span = shown.categoryMax - shown.categoryMin;
    const double u = span != 0.0 ? (position - shown.categoryMin) / span : 0.5;
    return valuesHorizontal ? 1.0 - u : u;
}

QPointF AxisGeometry::valuePoint(double category, double value, double z) const
{
    if (valuesHorizontal)
        return projection.map(valueUnit(value), categoryUnit(category), z);
    return projection.map(categoryUnit(category), valueUnit(value), z);
}

ChartGeometry AxisChart::geometry() const
{
    const AxisLayout &l = m_layout;
    ChartGeometry g;
    g.hasAxes = true;
    g.valuesHorizontal = l.frame.valuesHorizontal;
    g.plot = l.geometry.projection.frontRect();
    g.full = l.full();
    g.shown = l.geometry.shown;
    g.shown.active = l.frame.view.active;
    g.marks = l.barMarks.marks + l.lineMarks.marks;
    g.labelArea = l.frame.area;
    const double categoryPoints = l.categories.font.font.pointSizeF();
    for (const AxisLabel &label : l.axisLabels) {
        if (label.category)
            g.categoryLabels.append(
                    MarkGeometry{label.index, label.box, label.text, categoryPoints});
    }
    return g;
}

void AxisChart::paintFlatLine(QPainter &painter) const
{
    // The flat line is a polyline under its markers.
    const LineSeries &line = m_chart.line;
    const AxisGeometry &g = m_layout.geometry;
    const int n = int(line.points.size());
    const int first = std::max(0, int(std::floor(g.shown.categoryMin)) - 1);
    const int last = std::min(n - 1, int(std::ceil(g.shown.categoryMax)) + 1);
    QPolygonF poly;
    for (int i = first; i <= last; ++i) {
        if (std::isfinite(line.points[i].value))
            poly << g.valuePoint(i, line.points[i].value, 0);
    }
    QPen pen(line.lineColor, 2.0);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(poly);
}

void AxisChart::paint(QPainter &painter) const
{
    const Chart &c = m_chart;
    const Projection &pr = m_layout.geometry.projection;
    painter.save();
    // Zoomed in past the room it was given, the plot stays off the header,
    // footer and legend.
    if (c.view3D.view3D && c.view3D.zoomPercent > 100)
        painter.setClipRect(m_layout.frame.room, Qt::IntersectClip);
    paintWalls(painter);
    paintGrid(painter);
    paintAxes(painter);

    painter.save();
    // Only a zoomed or panned view has points beyond the plot; otherwise
    // the markers at its ends show whole.
    if (c.clipPoints && m_layout.frame.view.active) {
        QPainterPath clip;
        clip.addPolygon(pr.outline());
        clip.closeSubpath();
        painter.setClipPath(clip, Qt::IntersectClip);
    }
    if (m_layout.frame.line && pr.isFlat() && c.line.count() > 0)
        paintFlatLine(painter);
    Scene scene(pr);
    if (m_layout.frame.bars)
        addBars(scene);
    if (m_layout.frame.line)
        addLine(scene);
    scene.paint(painter);
    painter.restore();

    paintMarks(painter);
    paintLabels(painter);
    painter.restore();
}

} // namespace zavevad::chart
