#pragma once

#include "chartengine/chart.h"

#include <QRectF>
#include <QSizeF>

class QPagedPaintDevice;
class QPainter;

namespace zavevad {

/// The chart for white paper: the window's dark panel goes, and every text
/// drawn light on it (header, footer, axis labels and titles, legend, value
/// labels, the labels of reference lines) and the axes turn dark.
void putOnPaper(chart::Chart &chart);

/// Draws `chart` as it looks at `pixels` (a window's size) into `target`,
/// scaled to fit with its proportions kept and centred, as vectors and text:
/// on a PDF or a printer it stays sharp at any zoom, its texts as large
/// against it as in the window.
void drawChartScaled(QPainter &painter, const chart::Chart &chart, const QSizeF &pixels,
        const QRectF &target, const chart::ViewState &zoomPan = {});

/// The chart alone on one A4 page, landscape when it is wider than tall,
/// within margins of 15 mm, laid out as at `pixels` and put on paper. Returns false when the device
/// could not be painted on.
bool paintChartPage(QPagedPaintDevice &device, const chart::Chart &chart, const QSizeF &pixels,
        const chart::ViewState &zoomPan = {});

} // namespace zavevad
