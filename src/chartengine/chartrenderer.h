#pragma once

#include "chartengine/chart.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QSize>

class QPainter;
class QPaintDevice;

namespace zavevad::chart {

/// A value label as drawn: the room it takes and the point it belongs to.
struct MarkGeometry
{
    int point = -1;
    QRectF box;
    QString text;
    /// The size of the text as drawn, in points.
    double pointSize = 0.0;
};

/// A pie slice as drawn: counter-clockwise from 3 o'clock, in degrees.
struct PieSliceGeometry
{
    int point = -1;
    double start = 0.0;
    double span = 0.0;
    /// The centre of the slice's face (moved out for the biggest slice).
    QPointF centre;
};

/// Where the parts of a chart lie in a rendering: for a bar or line chart,
/// so that mouse positions can be turned into data (zooming and panning);
/// for every chart, the value labels and legend rows that found room.
struct ChartGeometry
{
    /// True when a bar or line series is drawn with its axes.
    bool hasAxes = false;
    /// True for the bar chart: values along the bottom axis, first category at the top.
    bool valuesHorizontal = false;
    /// The plot's front face in target coordinates.
    QRectF plot;
    /// The ranges holding every point (the unzoomed view), always active.
    ViewState full;
    /// The ranges drawn.
    ViewState shown;
    /// Value labels drawn, none overlapping another.
    QList<MarkGeometry> marks;
    /// The category names along an axis as drawn (point: the category), and
    /// the box they must keep within.
    QList<MarkGeometry> categoryLabels;
    QRectF labelArea;
    /// The legend box and its rows as drawn; when not every entry has room,
    /// the last row holds an ellipsis instead.
    QRectF legend;
    QList<QRectF> legendRows;
    /// The legend's texts as drawn (point: the entry's point, -1 for the ellipsis).
    QList<MarkGeometry> legendTexts;
    /// The numeric plot: each point's marker or column as drawn, the labels
    /// of its reference lines, and the names listed in the box beside it
    /// (their rows in the box; the heading has point -1).
    QList<QRectF> pointBoxes;
    QList<MarkGeometry> referenceLabels;
    QList<MarkGeometry> overflowNames;
    /// The numeric plot's note under it, when it has one.
    QList<MarkGeometry> notes;
    /// The pie: its face (the unmoved pie's ellipse) and its slices.
    QRectF pie;
    QList<PieSliceGeometry> pieSlices;
};

/// Lays out the chart as renderChart would, without painting.
ChartGeometry chartGeometry(const Chart &chart, const QRectF &target, const ViewState &zoomPan = {},
        QPaintDevice *device = nullptr);

/// Paints the whole chart into target. Only reads the chart, so every
/// change of its settings shows at the next call.
void renderChart(
        QPainter &painter, const Chart &chart, const QRectF &target, const ViewState &zoomPan = {});

/// The chart as a bitmap of the given size.
QImage renderToImage(const Chart &chart, const QSize &size, const ViewState &zoomPan = {});

/// The chart as an SVG document of the given size, with the given title.
QByteArray renderToSvg(
        const Chart &chart, const QSize &size, const QString &title, const ViewState &zoomPan = {});

} // namespace zavevad::chart
