#pragma once

#include "ui/chart/chart.h"

#include <QRectF>
#include <QSizeF>

class QPagedPaintDevice;
class QPainter;

namespace zavevad {

/// Draws `chart` as it looks at `pixels` (a window's size) into `target`,
/// scaled to fit with its proportions kept and centred, as vectors and text:
/// on a PDF or a printer it stays sharp at any zoom, its texts as large
/// against it as in the window.
void drawChartScaled(QPainter &painter, const chart::Chart &chart, const QSizeF &pixels,
        const QRectF &target, const chart::ViewState &zoomPan = {});

/// The chart alone on one A4 page, landscape when it is wider than tall,
/// within margins of 15 mm. Returns false when the device could not be painted on.
bool paintChartPage(QPagedPaintDevice &device, const chart::Chart &chart, const QSizeF &pixels,
        const chart::ViewState &zoomPan = {});

} // namespace zavevad
