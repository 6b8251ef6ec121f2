#pragma once

#include "chartengine/axisscale.h"
#include "chartengine/chart.h"
#include "chartengine/chartrenderer.h"

#include <QList>
#include <QRectF>
#include <QStringList>

class QPainter;
class QPaintDevice;

namespace zavevad::chart {

/// The numeric plot (Chart::xy) with its axes: the layout within the room
/// left by the header, footer and legend, then the painting. Always flat.
class XYChart
{
public:
    XYChart(const Chart &chart, QPaintDevice *device);

    void layout(const QRectF &area);
    ChartGeometry geometry() const;
    void paint(QPainter &painter) const;

    /// Plot position of a data point.
    QPointF toPlot(double x, double y) const;

private:
    struct PlacedLabel
    {
        QRectF box;
        QString text;
        /// The marker a label names; a label moved away from it is joined to it by a line.
        QPointF anchor;
    };

    /// The data's range along both axes.
    struct Extent
    {
        double xLo, xHi, yLo, yHi;
    };

    double columnHalfWidth() const;
    /// The plot and its scales, with rows for reference-line labels above it
    /// and `aside` pixels kept free right of it.
    void layoutPlot(const Extent &e, int referenceRows, double aside);
    /// Places the reference-line labels in at most `rows` rows; returns the
    /// rows they would need to keep apart.
    int placeReferenceLabels(int rows);
    void placePointLabels();
    /// The values over the columns of a column plot.
    void placeColumnLabels();
    /// Lays out the box of names left without a place right of the plot;
    /// returns the room it needs there (0: no box).
    double placeOverflowBox();
    /// A marker's box with a pixel to spare, which no name may cover.
    QRectF markerBox(const QPointF &at) const;
    void paintBackground(QPainter &painter) const;
    void paintGrid(QPainter &painter) const;
    void paintAxes(QPainter &painter) const;
    void paintColumns(QPainter &painter) const;
    void paintMarkers(QPainter &painter) const;
    void paintJoins(QPainter &painter) const;
    void paintReferenceLines(QPainter &painter) const;
    void paintLabels(QPainter &painter) const;

    const Chart &m_chart;
    const XYPlot &m_xy;
    QPaintDevice *m_device;
    bool m_axes = true;
    QRectF m_area;
    QRectF m_plot;
    AxisScale m_xScale;
    AxisScale m_yScale;
    /// Rows of reference-line labels above the plot.
    double m_referenceRow = 0.0;
    QList<PlacedLabel> m_referenceLabels;
    QList<PlacedLabel> m_pointLabels;
    QList<PlacedLabel> m_columnLabels;
    /// Names that found no place beside their markers, and their box.
    QStringList m_overflow;
    double m_overflowRoom = 0.0;
    QRectF m_overflowBox;
    /// The box's heading, then one row per name.
    QList<PlacedLabel> m_overflowRows;
};

} // namespace zavevad::chart
