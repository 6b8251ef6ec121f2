#pragma once

#include "chartengine/chart.h"

#include <QFontMetricsF>
#include <QList>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>

class QPainter;
class QPaintDevice;

namespace zavevad::chart {

/// Text helpers shared by the parts of the chart. Metrics follow the device
/// painted on, so a picture and an SVG copy lay out alike.
QFontMetricsF metricsFor(const TextFont &font, QPaintDevice *device);

/// The point sizes a crowded text tries, from the size it was given down to
/// floorPoints in half points (in at most a dozen steps for huge sizes).
/// A size at or below the floor, or a font sized in pixels (0 or less), is
/// tried alone.
QList<double> shrinkingSizes(double setPoints, double floorPoints);

/// Size of a text turned by angle degrees (counter-clockwise).
QSizeF rotatedSize(const QSizeF &size, int angle);

/// Draws text turned by angle degrees, centred on centre.
void drawRotatedText(QPainter &painter, const TextFont &font, const QString &text,
        const QPointF &centre, int angle);

/// Room a value label needs around its text.
QSizeF markBoxSize(const QSizeF &textSize);
/// Draws a value label: the box (unless transparent) and the text.
void drawMark(
        QPainter &painter, const MarksSettings &marks, const QRectF &box, const QString &text);

/// The room value labels of one series take, measured once per layout. A
/// transparent label takes the ink of its text (a pixel around it), so that
/// labels of bars packed closer than a line of text still fit beside each
/// other; a boxed one takes its box.
class MarkMetrics
{
public:
    /// sample: some of the texts the labels will show, to measure how far
    /// their ink reaches above and below the baseline.
    MarkMetrics(const MarksSettings &marks, QPaintDevice *device, const QString &sample);

    const QFontMetricsF &fontMetrics() const { return m_fm; }
    /// Size of the room of a label whose text is width pixels wide.
    QSizeF size(double width) const;
    double height() const { return size(0).height(); }
    /// Draws the label that takes the room rect.
    void draw(QPainter &painter, const QRectF &rect, const QString &text) const;

private:
    const MarksSettings &m_marks;
    QFontMetricsF m_fm;
    double m_inkTop = 0.0; ///< above the baseline, negative
    double m_inkBottom = 0.0;
};

/// Hatches a polygon with the line pattern of pattern index `index` (a
/// different one for each slice). Drawn as lines rather than a pattern brush
/// so that vector copies keep the hatching.
void drawHatch(QPainter &painter, const QPolygonF &polygon, const QColor &color, int index);

} // namespace zavevad::chart
