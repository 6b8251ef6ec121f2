#include "chartengine/axischart.h"

#include "chartengine/axischartparts.h"
#include "chartengine/scene.h"

#include <QPainter>
#include <QPainterPath>

namespace zavevad::chart {

using namespace axisparts;

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
    g.labelArea = m_area;
    const double categoryPoints = m_categoryFont.font.pointSizeF();
    for (const AxisLabel &label : m_axisLabels) {
        if (label.category)
            g.categoryLabels.append(
                    MarkGeometry{label.index, label.box, label.text, categoryPoints});
    }
    return g;
}

void AxisChart::paint(QPainter &painter) const
{
    const Chart &c = m_chart;
    const Projection &pr = m_projection;
    painter.save();
    // Zoomed in past the room it was given, the plot stays off the header,
    // footer and legend.
    if (c.view3D.view3D && c.view3D.zoomPercent > 100)
        painter.setClipRect(m_room, Qt::IntersectClip);
    paintWalls(painter);
    paintGrid(painter);
    paintAxes(painter);

    painter.save();
    // Only a zoomed or panned view has points beyond the plot; otherwise
    // the markers at its ends show whole.
    if (c.clipPoints && m_view.active) {
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
