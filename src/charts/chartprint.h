#pragma once

#include "chartengine/chart.h"

#include <QImage>
#include <QRectF>
#include <QSize>
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

/// Dots per inch of a picture saved for print.
inline constexpr int kPrintDpi = 300;

/// `chart` as it looks at `pixels` (a window's size), drawn as wide as A4
/// paper at kPrintDpi (never narrower than `pixels`): the same layout, every
/// line and text scaled with it, and the picture marked kPrintDpi, so that a
/// word processor places it A4 wide and sharp on paper.
QImage printResolutionImage(
        const chart::Chart &chart, const QSize &pixels, const chart::ViewState &zoomPan = {});

/// The chart alone on one A4 page, landscape when it is wider than tall,
/// within margins of 15 mm, laid out as at `pixels` and put on paper. Returns false when the device
/// could not be painted on.
bool paintChartPage(QPagedPaintDevice &device, const chart::Chart &chart, const QSizeF &pixels,
        const chart::ViewState &zoomPan = {});

} // namespace zavevad
