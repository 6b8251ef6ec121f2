#pragma once

#include "chartengine/axislayout.h"
#include "chartengine/chart.h"
#include "chartengine/chartrenderer.h"

class QPainter;
class QPaintDevice;

namespace zavevad::chart {

class Scene;

/// The bar and line series with their axes, walls and grid: the layout
/// within the room left by the header, footer and legend (an AxisLayout
/// value, see axislayout.h), then the painting, which only reads it.
class AxisChart
{
public:
    AxisChart(const Chart &chart, QPaintDevice *device);

    void layout(const QRectF &area, const ViewState &view);
    ChartGeometry geometry() const;
    void paint(QPainter &painter) const;

private:
    void paintWalls(QPainter &painter) const;
    void paintGrid(QPainter &painter) const;
    void paintAxes(QPainter &painter) const;
    void paintFlatLine(QPainter &painter) const;
    void addBars(Scene &scene) const;
    void addLine(Scene &scene) const;
    void addRibbons(Scene &scene) const;
    void addMarkers(Scene &scene) const;
    void paintMarks(QPainter &painter) const;
    void paintLabels(QPainter &painter) const;
    void paintTitles(QPainter &painter, double leftmost, double lowest) const;

    const Chart &m_chart;
    QPaintDevice *m_device;
    /// Kept across layouts of the same chart: the window lays it out anew
    /// at every zoom and pan.
    NameWidthCache m_nameWidths;
    AxisLayout m_layout;
};

} // namespace zavevad::chart
