#include "chartengine/chartrenderer.h"

#include "chartengine/renderer.h"

#include "chartengine/chartconstants.h"
#include "chartengine/chartdraw.h"
#include "chartengine/chartformat.h"
#include "chartengine/svgfonts.h"
#include "chartengine/xychart.h"

#include <QBuffer>
#include <QLinearGradient>
#include <QPainter>
#include <QSvgGenerator>

#include <algorithm>

namespace zavevad::chart {

using namespace rendering;

namespace {

constexpr double kTitlePadX = 6.0;
constexpr double kTitlePadY = 2.0;

} // namespace

namespace rendering {

QRectF Renderer::layoutTitle(const TitleSettings &title, double y, bool fromBottom) const
{
    if (!title.visible || title.lines.isEmpty())
        return QRectF();
    const QFontMetricsF fm = metricsFor(title.font, m_device);
    double widest = 0.0;
    for (const QString &line : title.lines)
        widest = std::max(widest, fm.horizontalAdvance(line));
    const double height = title.lines.size() * fm.height() + 2 * kTitlePadY;
    const QRectF inner = m_target.adjusted(kMargin, 0, -kMargin, 0);
    QRectF box(0, fromBottom ? y - height : y, inner.width(), height);
    if (title.adjustFrame) {
        box.setWidth(std::min(widest + 2 * kTitlePadX, inner.width()));
        switch (title.alignment) {
        case Alignment::taLeftJustify:
            box.moveLeft(inner.left());
            break;
        case Alignment::taCenter:
            box.moveLeft(inner.center().x() - box.width() / 2.0);
            break;
        case Alignment::taRightJustify:
            box.moveRight(inner.right());
            break;
        }
    } else {
        box.moveLeft(inner.left());
    }
    return box;
}

QList<const Series *> Renderer::activeSeries() const
{
    QList<const Series *> active;
    for (int i = 0; i < 3; ++i) {
        if (m_chart.series(i).active)
            active.append(&m_chart.series(i));
    }
    return active;
}

void Renderer::layout()
{
    const Chart &c = m_chart;
    QRectF room = m_target.adjusted(kMargin, kMargin, -kMargin, -kMargin);
    m_header = layoutTitle(c.header, m_target.top() + kMargin, false);
    if (!m_header.isNull())
        room.setTop(m_header.bottom() + kGap);
    m_footer = layoutTitle(c.footer, m_target.bottom() - kMargin, true);
    if (!m_footer.isNull())
        room.setBottom(m_footer.top() - kGap);
    layoutLegend(room);
    if (room.width() < 10.0)
        room.setWidth(10.0);
    if (room.height() < 10.0)
        room.setHeight(10.0);

    if (c.xy.active) {
        m_xyChart.emplace(c, m_device);
        m_xyChart->layout(room);
        return;
    }
    if (c.bar.active || c.line.active) {
        m_axisChart.emplace(c, m_device);
        m_axisChart->layout(room, m_view);
    }
    if (c.pie.active) {
        m_pieChart.emplace(c, m_device);
        m_pieChart->layout(room);
    }
}

ChartGeometry Renderer::geometry() const
{
    ChartGeometry g;
    if (m_axisChart)
        g = m_axisChart->geometry();
    if (m_pieChart) {
        g.marks += m_pieChart->marks();
        g.pie = m_pieChart->face();
        g.pieSlices = m_pieChart->slices();
        if (!m_axisChart)
            g.plot = m_pieChart->room();
    }
    if (m_xyChart)
        g = m_xyChart->geometry();
    g.legend = m_legend;
    if (!m_legend.isNull()) {
        const QFontMetricsF fm = metricsFor(m_legendFont, m_device);
        const double symbol = std::clamp(m_chart.legend.colorWidth, 0, 200);
        const bool single = activeSeries().size() == 1;
        for (qsizetype i = 0; i < m_legendEntries.size(); ++i) {
            const QRectF row = legendRow(i);
            g.legendRows.append(row);
            const LegendEntry &e = m_legendEntries[i];
            const bool ellipsis = e.label == QString(QChar(0x2026)) && !e.color.isValid();
            const QString shown = e.labelWidth <= m_legendLabelWidth + 1.0
                    ? e.label
                    : fm.elidedText(e.label, Qt::ElideRight, m_legendLabelWidth + 1.0);
            const double w = std::min(fm.horizontalAdvance(shown), m_legendLabelWidth + 1.0);
            // The row's height, less a hair so that rows that meet do not overlap.
            const QRectF text(row.left() + symbol + kGap, row.top() + 0.25, w, row.height() - 0.5);
            g.legendTexts.append(MarkGeometry{ellipsis ? -1 : (single ? int(i) : -1), text, shown,
                    m_legendFont.font.pointSizeF()});
        }
    }
    return g;
}

void Renderer::paintPanel(QPainter &painter) const
{
    const PanelSettings &panel = m_chart.panel;
    if (panel.gradientVisible) {
        QLinearGradient g(m_target.topLeft(), m_target.bottomLeft());
        g.setColorAt(0.0, panel.gradientStart);
        g.setColorAt(1.0, panel.gradientEnd);
        painter.fillRect(m_target, g);
    } else {
        painter.fillRect(m_target, panel.color);
    }
    if (!panel.backImageInside && !panel.backImage.isNull()) {
        if (panel.backImageMode == PictureMode::pbmStretch) {
            painter.drawImage(m_target, panel.backImage);
        } else {
            QRectF r(QPointF(), panel.backImage.size());
            r.moveCenter(m_target.center());
            painter.drawImage(r.topLeft(), panel.backImage);
        }
    }
}

void Renderer::paintTitle(QPainter &painter, const TitleSettings &title, const QRectF &box) const
{
    if (box.isNull())
        return;
    painter.save();
    QPen pen = Qt::NoPen;
    if (title.frame.visible) {
        pen = QPen(title.frame.color, std::clamp(title.frame.width, 1, 20), title.frame.style);
        pen.setJoinStyle(Qt::MiterJoin);
    }
    if (title.brush == BrushStyle::bsSolid || title.frame.visible) {
        painter.setPen(pen);
        painter.setBrush(
                title.brush == BrushStyle::bsSolid ? QBrush(title.color) : QBrush(Qt::NoBrush));
        const double inset = pen.style() == Qt::NoPen ? 0.0 : pen.widthF() / 2.0;
        painter.drawRect(box.adjusted(inset, inset, -inset, -inset));
    }
    const QFontMetricsF fm = metricsFor(title.font, painter.device());
    Qt::Alignment align = Qt::AlignHCenter;
    if (title.alignment == Alignment::taLeftJustify)
        align = Qt::AlignLeft;
    else if (title.alignment == Alignment::taRightJustify)
        align = Qt::AlignRight;
    painter.setFont(title.font.font);
    painter.setPen(title.font.color);
    QRectF line(box.left() + kTitlePadX, box.top() + kTitlePadY, box.width() - 2 * kTitlePadX,
            fm.height());
    for (const QString &text : title.lines) {
        painter.drawText(line, align | Qt::AlignVCenter,
                fm.elidedText(text, Qt::ElideRight, line.width() + 1.0));
        line.translate(0, fm.height());
    }
    painter.restore();
}

void Renderer::paint(QPainter &painter) const
{
    painter.save();
    painter.setClipRect(m_target, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    paintPanel(painter);
    paintTitle(painter, m_chart.header, m_header);
    paintTitle(painter, m_chart.footer, m_footer);
    if (m_axisChart)
        m_axisChart->paint(painter);
    if (m_pieChart)
        m_pieChart->paint(painter);
    if (m_xyChart)
        m_xyChart->paint(painter);
    paintLegend(painter);
    painter.restore();
}

} // namespace rendering

ChartGeometry chartGeometry(
        const Chart &chart, const QRectF &target, const ViewState &zoomPan, QPaintDevice *device)
{
    Renderer renderer(chart, target, zoomPan, device);
    renderer.layout();
    return renderer.geometry();
}

void renderChart(
        QPainter &painter, const Chart &chart, const QRectF &target, const ViewState &zoomPan)
{
    Renderer renderer(chart, target, zoomPan, painter.device());
    renderer.layout();
    renderer.paint(painter);
}

QImage renderToImage(const Chart &chart, const QSize &size, const ViewState &zoomPan)
{
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderChart(painter, chart, QRectF(QPointF(0, 0), image.size()), zoomPan);
    painter.end();
    return image;
}

QByteArray renderToSvg(
        const Chart &chart, const QSize &size, const QString &title, const ViewState &zoomPan)
{
    const QSize s = size.expandedTo(QSize(1, 1));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(s);
    generator.setViewBox(QRect(QPoint(0, 0), s));
    // Text keeps the size it has in the bitmap copy.
    generator.setResolution(QImage(1, 1, QImage::Format_ARGB32).logicalDpiX());
    generator.setTitle(title);
    QPainter painter(&generator);
    renderChart(painter, chart, QRectF(QPointF(0, 0), s), zoomPan);
    painter.end();
    // Pasted where the chart's font is missing, the text keeps its kind of face.
    return withGenericFontFamilies(buffer.data());
}

} // namespace zavevad::chart
