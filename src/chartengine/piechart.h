#pragma once

#include "chartengine/chart.h"
#include "chartengine/chartrenderer.h"

#include <QColor>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

class QPainter;
class QPaintDevice;

namespace zavevad::chart {

/// One slice of the laid-out pie.
struct PieSlice
{
    int index = 0;
    double start = 0.0; ///< degrees, counter-clockwise from 3 o'clock
    double span = 0.0;
    QPointF offset;
};

/// A slice's value label, placed beside the pie.
struct PieLabel
{
    int point = -1;
    QString text;
    QPointF anchor; ///< on the slice
    QPointF elbow; ///< where the leader meets the label
    QRectF box;
};

/// The value labels' settings as fitted to the room: the font (shrunk to name
/// the slices of a crowded pie), whether the labels name their slices, the
/// widest a label may be and the room the widest takes beside the pie (none
/// when hidden).
struct PieMarksFit
{
    MarksSettings marks;
    bool named = false;
    double widthCap = 0.0;
    QSizeF size;
};

/// The pie's ellipse on screen: centre of the visible face, radii and the
/// offset from the visible face to the hidden one.
struct PieDisc
{
    QPointF centre;
    double rx = 0.0;
    double ry = 0.0;
    QPointF thickness;

    /// The point of the rim of `slice` at `degrees`.
    QPointF edgePoint(const PieSlice &slice, double degrees) const;
    /// Whether the pie's side at this angle turns towards the viewer.
    bool sideVisible(double degrees) const;
};

/// The pie laid out: the result of the stages of `PieChart::layout`, which
/// painting and the geometry only read.
struct PieLayout
{
    QRectF room; ///< the room the pie and its labels were laid out in
    PieMarksFit marks;
    PieDisc disc;
    QList<PieSlice> slices;
    QList<PieLabel> labels;
};

/// The labels of the laid-out slices, in a column on either side of the pie,
/// led to their slices; a label with no room beside the pie is left out.
QList<PieLabel> layoutPieMarks(const Chart &chart, QPaintDevice *device, const QRectF &room,
        const PieMarksFit &fit, const PieDisc &disc, const QList<PieSlice> &slices);

/// The text of the label of `point`: its value, with its name when `fit` says.
QString pieMarkLabel(const PieMarksFit &fit, const Point &point, double total);

/// Length of a leader from a slice to its label (pixels).
inline constexpr double kPieLeader = 14.0;

/// The pie series: a round (or elliptic) pie, tilted and given thickness in
/// the 3D view, with the biggest slice moved out and labels around it.
class PieChart
{
public:
    PieChart(const Chart &chart, QPaintDevice *device);

    /// Lays the pie out in `area` anew, in stages that each return a value.
    void layout(const QRectF &area);
    void paint(QPainter &painter) const;

    /// The value labels that found room.
    QList<MarkGeometry> marks() const;
    /// The pie's face (the ellipse of the unmoved pie) and its slices.
    QRectF face() const;
    /// The room the pie and its labels were laid out in.
    QRectF room() const { return m_layout.room; }
    QList<PieSliceGeometry> slices() const;

private:
    void paintSlice(QPainter &painter, const PieSlice &s) const;
    void paintMarks(QPainter &painter) const;

    const Chart &m_chart;
    QPaintDevice *m_device;
    PieLayout m_layout;
};

} // namespace zavevad::chart
