#pragma once

#include "chartengine/chart.h"
#include "chartengine/chartrenderer.h"

#include <QColor>
#include <QList>
#include <QPointF>
#include <QRectF>

class QPainter;
class QPaintDevice;

namespace zavevad::chart {

struct PieShape;

/// The pie series: a round (or elliptic) pie, tilted and given thickness in
/// the 3D view, with the biggest slice moved out and labels around it.
class PieChart
{
public:
    PieChart(const Chart &chart, QPaintDevice *device);

    void layout(const QRectF &area);
    void paint(QPainter &painter) const;

    /// The value labels that found room.
    QList<MarkGeometry> marks() const;
    /// The pie's face (the ellipse of the unmoved pie) and its slices.
    QRectF face() const;
    /// The room the pie and its labels were laid out in.
    QRectF room() const { return m_area; }
    QList<PieSliceGeometry> slices() const;

private:
    /// Length of a leader from a slice to its label (pixels).
    static constexpr double kLeader = 14.0;
    /// The text of the label of a point: its value, with its name on a crowded pie.
    QString markLabel(const Point &point, double total) const;
    /// Each point's angle in degrees, small values widened to a visible wedge.
    QList<double> sliceSpans(double total) const;
    struct Slice
    {
        int index = 0;
        double start = 0.0; ///< degrees, counter-clockwise from 3 o'clock
        double span = 0.0;
        QPointF offset;
    };

    /// The labels' font (shrunk to name the slices of a crowded pie) and
    /// the room the widest label takes beside the pie; none when hidden.
    QSizeF fitMarks(double total);
    /// The pie's radii, thickness and centre in the room the labels leave.
    void sizePie(const PieShape &shape, const QSizeF &marks);
    QPointF edgePoint(const Slice &s, double degrees) const;
    /// Whether the pie's side at this angle turns towards the viewer.
    bool sideVisible(double degrees) const;
    void paintSlice(QPainter &painter, const Slice &s) const;
    void layoutMarks();
    void paintMarks(QPainter &painter) const;

    struct Label
    {
        int point = -1;
        QString text;
        QPointF anchor; ///< on the slice
        QPointF elbow; ///< where the leader meets the label
        QRectF box;
    };

    const Chart &m_chart;
    QPaintDevice *m_device;
    QRectF m_area;
    QList<Slice> m_slices;
    QPointF m_centre;
    double m_rx = 0.0;
    double m_ry = 0.0;
    QPointF m_thickness; ///< from the visible face to the hidden one
    double m_markWidthCap = 0.0;
    /// Whether the slice labels carry the names with the values.
    bool m_namedMarks = false;
    /// The series' label settings with the font the labels are drawn in.
    MarksSettings m_marks;
    QList<Label> m_labels;
};

} // namespace zavevad::chart
