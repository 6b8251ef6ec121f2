#include "charts/chartprint.h"

#include "chartengine/chartrenderer.h"

#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPicture>

#include <algorithm>
#include <cmath>

namespace zavevad {

namespace {

/// The chart with every text shaped letter by letter: no ligatures, so that
/// a name on paper reads back as typed.
chart::Chart withPlainText(const chart::Chart &source)
{
    chart::Chart chart = source;
    for (chart::TextFont *text : {&chart.header.font, &chart.footer.font, &chart.leftAxis.titleFont,
                 &chart.leftAxis.labelsFont, &chart.bottomAxis.titleFont,
                 &chart.bottomAxis.labelsFont, &chart.legend.font, &chart.bar.marks.font,
                 &chart.pie.marks.font, &chart.line.marks.font})
        text->font.setStyleStrategy(QFont::PreferNoShaping);
    return chart;
}

} // namespace

// Paper is white: the window's dark panel goes, and every text drawn light on
// it (header, footer, axis labels and titles, legend, value labels, the
// labels of reference lines) and the axes themselves turn dark.
void putOnPaper(chart::Chart &chart)
{
    chart.panel.gradientVisible = false;
    chart.panel.color = Qt::white;
    const auto darken = [](QColor &colour) {
        if (colour.lightness() > 160)
            colour = Qt::black;
    };
    for (chart::TextFont *text : {&chart.header.font, &chart.footer.font, &chart.leftAxis.titleFont,
                 &chart.leftAxis.labelsFont, &chart.bottomAxis.titleFont,
                 &chart.bottomAxis.labelsFont, &chart.legend.font, &chart.bar.marks.font,
                 &chart.pie.marks.font, &chart.line.marks.font})
        darken(text->color);
    // The legend's box too, which the window draws grey.
    if (chart.legend.color.lightness() < 160)
        chart.legend.color = Qt::white;
    darken(chart.leftAxis.axisColor);
    darken(chart.bottomAxis.axisColor);
    // A reference line's label is drawn in a darker shade of the line.
    for (chart::ReferenceLine &line : chart.xy.referenceLines) {
        if (line.color.lightness() > 120)
            line.color = line.color.darker(200);
    }
}

void drawChartScaled(QPainter &painter, const chart::Chart &chart, const QSizeF &pixels,
        const QRectF &target, const chart::ViewState &zoomPan)
{
    const QSizeF size = pixels.expandedTo(QSizeF(1, 1));
    const double scale = std::min(target.width() / size.width(), target.height() / size.height());
    painter.save();
    painter.translate(target.center() - QPointF(size.width(), size.height()) * scale / 2);
    painter.scale(scale, scale);
    painter.setClipRect(QRectF(QPointF(0, 0), size),
            painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    // Laid out on a picture of a screen's resolution, as the window lays it
    // out, fonts in points and all (a printer's or a PDF's resolution would
    // make point sizes many times larger against the chart), and replayed
    // onto the page: vectors and text, sharp at any zoom.
    QPicture picture;
    {
        QPainter recorder(&picture);
        recorder.setRenderHints(painter.renderHints());
        chart::renderChart(recorder, withPlainText(chart), QRectF(QPointF(0, 0), size), zoomPan);
    }
    // A picture plays itself at its size in inches on the device; the chart
    // is already scaled to its place in the device's own units.
    if (const QPaintDevice *device = painter.device()) {
        painter.scale(double(picture.logicalDpiX()) / device->logicalDpiX(),
                double(picture.logicalDpiY()) / device->logicalDpiY());
    }
    painter.drawPicture(QPointF(0, 0), picture);
    painter.restore();
}

QImage printResolutionImage(
        const chart::Chart &chart, const QSize &pixels, const chart::ViewState &zoomPan)
{
    const QSize size = pixels.expandedTo(QSize(1, 1));
    // In millimetres, exact for A4 (its size in inches is rounded).
    const double a4Inches = QPageSize(QPageSize::A4).size(QPageSize::Millimeter).width() / 25.4;
    const double scale = std::max(1.0, a4Inches * kPrintDpi / size.width());
    QImage image((QSizeF(size) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        // Laid out at the screen's resolution, as the window lays it out
        // (fonts in points would grow with the picture's own), then scaled.
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        painter.scale(scale, scale);
        chart::renderChart(painter, chart, QRectF(QPointF(0, 0), size), zoomPan);
    }
    const int dotsPerMeter = static_cast<int>(std::lround(kPrintDpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

bool paintChartPage(QPagedPaintDevice &device, const chart::Chart &chart, const QSizeF &pixels,
        const chart::ViewState &zoomPan)
{
    const QPageLayout::Orientation orientation =
            pixels.width() > pixels.height() ? QPageLayout::Landscape : QPageLayout::Portrait;
    QPageLayout layout = device.pageLayout();
    layout.setPageSize(QPageSize(QPageSize::A4));
    layout.setOrientation(orientation);
    device.setPageLayout(layout);

    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QPageLayout used = device.pageLayout();
    const QRectF paper = used.fullRect(QPageLayout::Point);
    const QRectF paintable = used.paintRect(QPageLayout::Point);
    const double scale = device.logicalDpiX() / 72.0;
    painter.scale(scale, scale);
    painter.translate(-paintable.topLeft());
    constexpr double kMargin = 42.52; // 15 mm
    chart::Chart onPaper = chart;
    putOnPaper(onPaper);
    drawChartScaled(painter, onPaper, pixels, paper.adjusted(kMargin, kMargin, -kMargin, -kMargin),
            zoomPan);
    return painter.end();
}

} // namespace zavevad
