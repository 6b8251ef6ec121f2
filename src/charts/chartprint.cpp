#include "charts/chartprint.h"

#include "ui/chart/chartrenderer.h"

#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace zavevad {

namespace {

/// The chart with every font sized in pixels as a window at 96 dots per inch
/// has them. A font sized in points is drawn at the device's resolution, a
/// printer's or a PDF's many times a screen's, while the chart is scaled
/// from its window size: its texts would outgrow it.
chart::Chart withWindowFonts(const chart::Chart &source)
{
    chart::Chart chart = source;
    const auto convert = [](chart::TextFont &text) {
        const double points = text.font.pointSizeF();
        if (points > 0)
            text.font.setPixelSize(std::max(1, qRound(points * 96.0 / 72.0)));
        // No ligatures: a name on paper reads back as typed.
        text.font.setStyleStrategy(QFont::PreferNoShaping);
    };
    for (chart::TextFont *text : {&chart.header.font, &chart.footer.font, &chart.leftAxis.titleFont,
                 &chart.leftAxis.labelsFont, &chart.bottomAxis.titleFont,
                 &chart.bottomAxis.labelsFont, &chart.legend.font, &chart.bar.marks.font,
                 &chart.pie.marks.font, &chart.line.marks.font})
        convert(*text);
    return chart;
}

} // namespace

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
    // Drawn straight onto the page: vectors and text, sharp at any zoom.
    chart::renderChart(painter, withWindowFonts(chart), QRectF(QPointF(0, 0), size), zoomPan);
    painter.restore();
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
    drawChartScaled(
            painter, chart, pixels, paper.adjusted(kMargin, kMargin, -kMargin, -kMargin), zoomPan);
    return painter.end();
}

} // namespace zavevad
