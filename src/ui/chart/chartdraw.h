#pragma once

#include "ui/chart/chart.h"

#include <QFontMetricsF>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>

class QPainter;
class QPaintDevice;

namespace zavevad::chart {

/// Text helpers shared by the parts of the chart. Metrics follow the device
/// painted on, so a picture and an SVG copy lay out alike.
QFontMetricsF metricsFor(const TextFont &font, QPaintDevice *device);

/// Size of a text turned by angle degrees (counter-clockwise).
QSizeF rotatedSize(const QSizeF &size, int angle);

/// Draws text turned by angle degrees, centred on centre.
void drawRotatedText(QPainter &painter, const TextFont &font, const QString &text,
        const QPointF &centre, int angle);

/// Box of a value label holding text of the given size with its top-left at topLeft.
QRectF markBox(const QPointF &topLeft, const QSizeF &textSize);
/// Room a value label needs around its text.
QSizeF markBoxSize(const QSizeF &textSize);
/// Draws a value label: the box (unless transparent) and the text.
void drawMark(
        QPainter &painter, const MarksSettings &marks, const QRectF &box, const QString &text);

/// Hatches a polygon with the line pattern of pattern index `index` (a
/// different one for each slice). Drawn as lines rather than a pattern brush
/// so that vector copies keep the hatching.
void drawHatch(QPainter &painter, const QPolygonF &polygon, const QColor &color, int index);

} // namespace zavevad::chart
