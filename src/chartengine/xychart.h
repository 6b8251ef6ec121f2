#pragma once

#include "chartengine/axisscale.h"
#include "chartengine/chart.h"
#include "chartengine/chartrenderer.h"

#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;
class QPaintDevice;

namespace zavevad::chart {

/// A label placed in the numeric plot's layout.
struct XYLabel
{
    QRectF box;
    QString text;
    /// The marker a label names; a label moved away from it is joined to it by a line.
    QPointF anchor;
};

/// The plot rectangle and its scales, with the rows for reference-line
/// labels above it and the room kept free right of it.
struct XYFrame
{
    QRectF area;
    bool axes = true;
    QRectF plot;
    AxisScale xScale;
    AxisScale yScale;
    double referenceRow = 0.0; ///< the height of a row of reference-line labels
    double overflowRoom = 0.0; ///< kept free right of the plot

    /// Plot position of a data point.
    QPointF toPlot(double x, double y) const;
};

/// The names of points and the counts over columns, and the names that found
/// no place beside their markers.
struct XYPointLabels
{
    QList<XYLabel> points;
    QList<XYLabel> columns;
    QStringList overflow;
};

/// The box right of the plot that lists the names left without a place: its
/// title row, then the names; `wanted` is the room it needs (0: no box).
struct XYOverflowBox
{
    QRectF box;
    QList<XYLabel> rows;
    double wanted = 0.0;
};

/// The numeric plot laid out: the result of the stages of `XYChart::layout`,
/// which painting and the geometry only read.
struct XYLayout
{
    XYFrame frame;
    QList<XYLabel> referenceLabels;
    XYPointLabels labels;
    XYOverflowBox overflow;
    /// The note under the plot; an empty text when there is none.
    XYLabel note;
};

/// The numeric plot (Chart::xy) with its axes: the layout within the room
/// left by the header, footer and legend, then the painting. Always flat.
class XYChart
{
public:
    XYChart(const Chart &chart, QPaintDevice *device);

    /// Lays the plot out in `area` anew, in stages that each return a value.
    void layout(const QRectF &area);
    ChartGeometry geometry() const;
    void paint(QPainter &painter) const;

    /// Plot position of a data point.
    QPointF toPlot(double x, double y) const { return m_layout.frame.toPlot(x, y); }

private:
    double columnHalfWidth() const;
    /// A marker's box with a pixel to spare, which no name may cover.
    QRectF markerBox(const QPointF &at) const;
    void paintBackground(QPainter &painter) const;
    void paintZones(QPainter &painter) const;
    void paintGrid(QPainter &painter) const;
    void paintAxes(QPainter &painter) const;
    void paintColumns(QPainter &painter) const;
    void paintMarkers(QPainter &painter) const;
    void paintJoins(QPainter &painter) const;
    void paintReferenceLines(QPainter &painter) const;
    void paintLabels(QPainter &painter) const;
    void paintNote(QPainter &painter) const;

    const Chart &m_chart;
    const XYPlot &m_xy;
    QPaintDevice *m_device;
    XYLayout m_layout;
};

} // namespace zavevad::chart
