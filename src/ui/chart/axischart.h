#pragma once

#include "ui/chart/axisscale.h"
#include "ui/chart/chart.h"
#include "ui/chart/chartrenderer.h"
#include "ui/chart/projection.h"

#include <QFontMetricsF>
#include <QRectF>

class QPainter;
class QPaintDevice;

namespace zavevad::chart {

class Scene;

/// The bar and line series with their axes, walls and grid: the layout
/// within the room left by the header, footer and legend, then the painting.
class AxisChart
{
public:
    AxisChart(const Chart &chart, QPaintDevice *device);

    void layout(const QRectF &area, const ViewState &view);
    ChartGeometry geometry() const;
    void paint(QPainter &painter) const;

private:
    struct CategoryLabels
    {
        int first = 0;
        int last = -1;
        int step = 1;
    };

    double valueUnit(double value) const;
    /// Position of a category along its axis, 0 to 1 (top to bottom for bars).
    double categoryUnit(double position) const;
    QPointF valuePoint(double category, double value, double z) const;
    const QList<Point> &categoryPoints() const;
    QString categoryLabel(int index) const;

    void computeValueRange(double lengthPx, double crossPx);
    CategoryLabels thinCategories(double lengthPx, double labelExtent) const;
    double maxCategoryLabelWidth(
            const QFontMetricsF &fm, const CategoryLabels &labels, double cap) const;

    void paintWalls(QPainter &painter) const;
    void paintGrid(QPainter &painter) const;
    void paintAxes(QPainter &painter) const;
    void addBars(Scene &scene) const;
    void addLine(Scene &scene) const;
    void paintBarMarks(QPainter &painter) const;
    void paintLineMarks(QPainter &painter) const;
    void paintLabels(QPainter &painter) const;

    const Chart &m_chart;
    QPaintDevice *m_device;
    bool m_bars = false;
    bool m_line = false;
    bool m_valuesHorizontal = false;
    qsizetype m_count = 0;

    QRectF m_area;
    Projection m_projection = Projection::flat(QRectF());
    ViewState m_view;
    ViewState m_full;
    ViewState m_shown;
    AxisScale m_scale;
    CategoryLabels m_categoryLabels;
    double m_labelCap = 100.0;
    /// Width of the widest bar mark, measured once per layout (-1: not yet).
    double m_widestBarMark = -1.0;
    /// Category names along the bottom axis turned upright, cut to m_rotatedCap.
    bool m_rotatedCategories = false;
    double m_rotatedCap = 0.0;
    // Wall strips along the axes, in pixels.
    double m_strip = 0.0;
};

} // namespace zavevad::chart
