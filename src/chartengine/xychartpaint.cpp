// Painting of the numeric plot as laid out: background, grid, columns or
// markers, reference lines, axes and labels.
#include "chartengine/xychart.h"

#include "chartengine/chartconstants.h"
#include "chartengine/chartdraw.h"
#include "chartengine/chartformat.h"

#include <QHash>
#include <QLinearGradient>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace zavevad::chart {

namespace {

QPainterPath markerPath(PointerStyle style, const QRectF &box)
{
    QPainterPath path;
    switch (style) {
    case PointerStyle::psRectangle:
        path.addRect(box);
        break;
    case PointerStyle::psCircle:
        path.addEllipse(box);
        break;
    case PointerStyle::psTriangle:
        path.moveTo(box.center().x(), box.top());
        path.lineTo(box.bottomRight());
        path.lineTo(box.bottomLeft());
        path.closeSubpath();
        break;
    case PointerStyle::psStar: {
        const QPointF c = box.center();
        for (int i = 0; i < 10; ++i) {
            const double r = i % 2 == 0 ? 1.0 : 0.45;
            const double angle = -M_PI / 2.0 + i * M_PI / 5.0;
            const QPointF p(c.x() + r * box.width() / 2.0 * std::cos(angle),
                    c.y() + r * box.height() / 2.0 * std::sin(angle));
            if (i == 0)
                path.moveTo(p);
            else
                path.lineTo(p);
        }
        path.closeSubpath();
        break;
    }
    }
    return path;
}

} // namespace

void XYChart::paintBackground(QPainter &painter) const
{
    const Chart &c = m_chart;
    if (c.backWall.brush == BrushStyle::bsSolid)
        painter.fillRect(m_layout.frame.plot, c.backWall.color);
    const PanelSettings &panel = c.panel;
    if (panel.backImageInside && !panel.backImage.isNull()) {
        if (panel.backImageMode == PictureMode::pbmStretch) {
            painter.drawImage(m_layout.frame.plot, panel.backImage);
        } else {
            painter.save();
            painter.setClipRect(m_layout.frame.plot, Qt::IntersectClip);
            QRectF r(QPointF(), panel.backImage.size());
            r.moveCenter(m_layout.frame.plot.center());
            painter.drawImage(r.topLeft(), panel.backImage);
            painter.restore();
        }
    }
}

void XYChart::paintZones(QPainter &painter) const
{
    if (m_xy.zones.isEmpty())
        return;
    const QRectF &plot = m_layout.frame.plot;
    painter.save();
    painter.setClipRect(plot, Qt::IntersectClip);
    for (const XYZone &zone : m_xy.zones) {
        if (!std::isfinite(zone.xLo) || !std::isfinite(zone.xHi) || !std::isfinite(zone.yLo)
                || !std::isfinite(zone.yHi))
            continue;
        const QRectF box = QRectF(toPlot(zone.xLo, zone.yHi), toPlot(zone.xHi, zone.yLo))
                                   .normalized()
                                   .intersected(plot);
        if (box.isEmpty())
            continue;
        QColor edge = zone.color;
        edge.setAlpha(std::min(255, zone.color.alpha() * 2));
        painter.setPen(QPen(edge, 1, Qt::DashLine));
        painter.setBrush(QBrush(zone.color, zone.brush));
        painter.drawRect(box);
    }
    painter.restore();
}

void XYChart::paintNote(QPainter &painter) const
{
    const XYLabel &note = m_layout.note;
    if (note.text.isEmpty())
        return;
    const TextFont &font = m_chart.bottomAxis.labelsFont;
    painter.setFont(font.font);
    painter.setPen(font.color);
    painter.drawText(note.box, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, note.text);
}

void XYChart::paintGrid(QPainter &painter) const
{
    if (!m_layout.frame.axes)
        return;
    const Chart &c = m_chart;
    auto pen = [](const AxisSettings &axis) {
        return QPen(axis.gridColor, 0,
                axis.gridStyle == GridStyle::psDot ? Qt::DotLine : Qt::SolidLine);
    };
    if (c.leftAxis.gridVisible) {
        painter.setPen(pen(c.leftAxis));
        for (double v : m_layout.frame.yScale.ticks) {
            const double y = toPlot(0.0, v).y();
            painter.drawLine(QPointF(m_layout.frame.plot.left(), y),
                    QPointF(m_layout.frame.plot.right(), y));
        }
    }
    if (c.bottomAxis.gridVisible) {
        painter.setPen(pen(c.bottomAxis));
        for (double v : m_layout.frame.xScale.ticks) {
            const double x = toPlot(v, 0.0).x();
            painter.drawLine(QPointF(x, m_layout.frame.plot.top()),
                    QPointF(x, m_layout.frame.plot.bottom()));
        }
    }
}

void XYChart::paintAxes(QPainter &painter) const
{
    if (!m_layout.frame.axes)
        return;
    const Chart &c = m_chart;
    const AxisSettings &left = c.leftAxis;
    const AxisSettings &bottom = c.bottomAxis;
    painter.setPen(QPen(left.axisColor, 1));
    painter.drawLine(m_layout.frame.plot.topLeft(), m_layout.frame.plot.bottomLeft());
    painter.setPen(QPen(bottom.axisColor, 1));
    painter.drawLine(m_layout.frame.plot.bottomLeft(), m_layout.frame.plot.bottomRight());

    const QFontMetricsF fmLeft = metricsFor(left.labelsFont, painter.device());
    painter.setFont(left.labelsFont.font);
    double leftmost = m_layout.frame.plot.left();
    for (double v : m_layout.frame.yScale.ticks) {
        const double y = toPlot(0.0, v).y();
        painter.setPen(QPen(left.axisColor, 1));
        painter.drawLine(QPointF(m_layout.frame.plot.left() - kTick, y),
                QPointF(m_layout.frame.plot.left(), y));
        const QString text = formatValue(v);
        const double w = fmLeft.horizontalAdvance(text);
        painter.setPen(left.labelsFont.color);
        painter.drawText(QPointF(m_layout.frame.plot.left() - kTick - 2.0 - w,
                                 y + (fmLeft.ascent() - fmLeft.descent()) / 2.0),
                text);
        leftmost = std::min(leftmost, m_layout.frame.plot.left() - kTick - 2.0 - w);
    }

    const QFontMetricsF fmBottom = metricsFor(bottom.labelsFont, painter.device());
    painter.setFont(bottom.labelsFont.font);
    for (double v : m_layout.frame.xScale.ticks) {
        const double x = toPlot(v, 0.0).x();
        painter.setPen(QPen(bottom.axisColor, 1));
        painter.drawLine(QPointF(x, m_layout.frame.plot.bottom()),
                QPointF(x, m_layout.frame.plot.bottom() + kTick));
        const QString text = formatValue(v);
        painter.setPen(bottom.labelsFont.color);
        painter.drawText(QPointF(x - fmBottom.horizontalAdvance(text) / 2.0,
                                 m_layout.frame.plot.bottom() + kTick + 1.0 + fmBottom.ascent()),
                text);
    }

    if (!left.title.isEmpty()) {
        const QFontMetricsF fm = metricsFor(left.titleFont, painter.device());
        const QSizeF size =
                rotatedSize(QSizeF(fm.horizontalAdvance(left.title), fm.height()), left.titleAngle);
        const double x = std::max(leftmost - kGap - size.width() / 2.0,
                m_layout.frame.area.left() + size.width() / 2.0);
        drawRotatedText(painter, left.titleFont, left.title,
                QPointF(x, m_layout.frame.plot.center().y()), left.titleAngle);
    }
    if (!bottom.title.isEmpty()) {
        const QFontMetricsF fm = metricsFor(bottom.titleFont, painter.device());
        const QSizeF size = rotatedSize(
                QSizeF(fm.horizontalAdvance(bottom.title), fm.height()), bottom.titleAngle);
        const double y = m_layout.frame.plot.bottom() + kTick + 1.0 + fmBottom.height() + kGap
                + size.height() / 2.0;
        drawRotatedText(painter, bottom.titleFont, bottom.title,
                QPointF(m_layout.frame.plot.center().x(),
                        std::min(y, m_layout.frame.area.bottom() - size.height() / 2.0)),
                bottom.titleAngle);
    }
}

void XYChart::paintColumns(QPainter &painter) const
{
    const BarSeries &bar = m_chart.bar;
    const double half = columnHalfWidth();
    const double base =
            toPlot(0.0, std::clamp(0.0, m_layout.frame.yScale.min, m_layout.frame.yScale.max)).y();
    painter.save();
    painter.setClipRect(m_layout.frame.plot.adjusted(0, -1, 1, 0), Qt::IntersectClip);
    for (const XYPoint &p : m_xy.points) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || p.y == 0.0)
            continue;
        const QPointF top = toPlot(p.x, p.y);
        const QRectF box(QPointF(top.x() - half, std::min(top.y(), base)),
                QPointF(top.x() + half, std::max(top.y(), base)));
        const QColor color = p.color.isValid() ? p.color : QColor(Qt::gray);
        painter.setPen(QPen(color.darker(160), 0));
        switch (bar.style) {
        case BarStyle::bsRectangle:
            painter.setBrush(color);
            painter.drawRect(box);
            break;
        case BarStyle::bsRectGradient: {
            QLinearGradient g(box.topLeft(), box.bottomLeft());
            g.setColorAt(0.0, color.lighter(150));
            g.setColorAt(1.0, color);
            painter.setBrush(g);
            painter.drawRect(box);
            break;
        }
        case BarStyle::bsCilinder: {
            QLinearGradient g(box.topLeft(), box.topRight());
            g.setColorAt(0.0, color.darker(130));
            g.setColorAt(0.4, color.lighter(150));
            g.setColorAt(1.0, color.darker(150));
            painter.setBrush(g);
            painter.drawRect(box);
            break;
        }
        case BarStyle::bsArrow: {
            const double head = std::min(box.height(), half * 1.2);
            QPolygonF arrow;
            arrow << QPointF(box.left() + half * 0.4, box.bottom())
                  << QPointF(box.left() + half * 0.4, box.top() + head)
                  << QPointF(box.left(), box.top() + head) << QPointF(box.center().x(), box.top())
                  << QPointF(box.right(), box.top() + head)
                  << QPointF(box.right() - half * 0.4, box.top() + head)
                  << QPointF(box.right() - half * 0.4, box.bottom());
            painter.setBrush(color);
            painter.drawPolygon(arrow);
            break;
        }
        }
    }
    painter.restore();
}

void XYChart::paintMarkers(QPainter &painter) const
{
    const LineSeries &line = m_chart.line;
    if (!line.pointerVisible)
        return;
    const double hw = std::clamp(line.pointerHorizSize, 1, 50);
    const double hh = std::clamp(line.pointerVertSize, 1, 50);

    // Markers by colour, the colours in the order they first appear: one
    // set-up per colour rather than per marker, and the same picture each time.
    QList<QRgb> colours;
    QHash<QRgb, QList<QPointF>> byColour;
    for (const XYPoint &p : m_xy.points) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            continue;
        const QRgb colour = (p.color.isValid() ? p.color : line.pointerColor).rgba();
        auto it = byColour.find(colour);
        if (it == byColour.end()) {
            colours.append(colour);
            it = byColour.insert(colour, {});
        }
        it->append(toPlot(p.x, p.y));
    }

    painter.save();
    painter.setClipRect(m_layout.frame.plot.adjusted(-hw, -hh, hw, hh), Qt::IntersectClip);
    const QRectF box(-hw, -hh, 2 * hw, 2 * hh);
    const QPainterPath shape = markerPath(line.pointerStyle, box);
    const bool rectangles = line.pointerStyle == PointerStyle::psRectangle;
    const QPaintEngine *engine = painter.paintEngine();
    if (engine && engine->type() == QPaintEngine::Raster) {
        // A bitmap: each colour's marker drawn once and stamped at every point,
        // which keeps ten thousand markers within a frame.
        const qreal ratio = std::max<qreal>(1.0, painter.device()->devicePixelRatioF());
        const QSizeF room(2 * hw + 2, 2 * hh + 2);
        const QSize pixels(qCeil(room.width() * ratio), qCeil(room.height() * ratio));
        for (QRgb rgba : std::as_const(colours)) {
            const QColor colour = QColor::fromRgba(rgba);
            QPixmap sprite(pixels);
            sprite.fill(Qt::transparent);
            {
                QPainter stamp(&sprite);
                stamp.setRenderHint(QPainter::Antialiasing, !rectangles);
                stamp.scale(ratio, ratio);
                stamp.translate(room.width() / 2.0, room.height() / 2.0);
                stamp.setPen(QPen(colour.darker(170), 0));
                stamp.setBrush(colour);
                stamp.drawPath(shape);
            }
            const QList<QPointF> &points = byColour[rgba];
            QList<QPainter::PixmapFragment> fragments;
            fragments.reserve(points.size());
            const QRectF source(0, 0, pixels.width(), pixels.height());
            for (const QPointF &at : points) {
                fragments.append(
                        QPainter::PixmapFragment::create(at, source, 1.0 / ratio, 1.0 / ratio));
            }
            painter.drawPixmapFragments(fragments.constData(), int(fragments.size()), sprite);
        }
    } else {
        // A vector picture keeps every marker a shape of its own.
        painter.setRenderHint(QPainter::Antialiasing, !rectangles);
        for (QRgb rgba : std::as_const(colours)) {
            const QColor colour = QColor::fromRgba(rgba);
            painter.setPen(QPen(colour.darker(170), 0));
            painter.setBrush(colour);
            const QList<QPointF> &points = byColour[rgba];
            if (rectangles) {
                QList<QRectF> rects;
                rects.reserve(points.size());
                for (const QPointF &at : points)
                    rects.append(box.translated(at));
                painter.drawRects(rects.constData(), int(rects.size()));
            } else {
                for (const QPointF &at : points)
                    painter.drawPath(shape.translated(at));
            }
        }
    }
    painter.restore();
}

void XYChart::paintReferenceLines(QPainter &painter) const
{
    for (const ReferenceLine &line : m_xy.referenceLines) {
        if (!std::isfinite(line.x))
            continue;
        const double x = toPlot(line.x, 0.0).x();
        if (x < m_layout.frame.plot.left() - 0.5 || x > m_layout.frame.plot.right() + 0.5)
            continue;
        QPen pen(line.color, 1.5, line.style);
        painter.setPen(pen);
        painter.drawLine(
                QPointF(x, m_layout.frame.plot.top()), QPointF(x, m_layout.frame.plot.bottom()));
    }
    const TextFont &font = m_chart.bottomAxis.labelsFont;
    const QFontMetricsF fm = metricsFor(font, painter.device());
    painter.setFont(font.font);
    qsizetype i = 0;
    for (const ReferenceLine &line : m_xy.referenceLines) {
        if (line.label.isEmpty() || !std::isfinite(line.x))
            continue;
        if (i >= m_layout.referenceLabels.size())
            break;
        const XYLabel &label = m_layout.referenceLabels[i++];
        // A light box of its own keeps the label readable on any panel colour.
        painter.setPen(QPen(line.color, 0));
        painter.setBrush(QColor(255, 255, 255, 225));
        painter.drawRect(label.box.adjusted(0.5, 0.5, -0.5, -0.5));
        painter.setPen(line.color.darker(140));
        painter.drawText(label.box, Qt::AlignCenter, label.text);
    }
}

void XYChart::paintLabels(QPainter &painter) const
{
    for (const XYLabel &label : m_layout.labels.columns)
        drawMark(painter, m_chart.bar.marks, label.box, label.text);
    for (const XYLabel &label : m_layout.labels.points) {
        const QRectF &box = label.box;
        if (label.anchor.y() < box.top() || label.anchor.y() > box.bottom()) {
            const double x = box.left() > label.anchor.x() ? box.left() : box.right();
            QColor ink = m_chart.line.marks.font.color;
            ink.setAlpha(160);
            painter.setPen(QPen(ink, 0));
            painter.drawLine(label.anchor, QPointF(x, box.center().y()));
        }
        drawMark(painter, m_chart.line.marks, box, label.text);
    }
    if (!m_layout.overflow.box.isNull()) {
        const MarksSettings &marks = m_chart.line.marks;
        painter.setPen(QPen(QColor(90, 90, 90), 0));
        painter.setBrush(QColor(255, 255, 255, 235));
        painter.drawRect(m_layout.overflow.box.adjusted(0.5, 0.5, -0.5, -0.5));
        QFont font = marks.font.font;
        painter.setPen(marks.font.color);
        for (qsizetype i = 0; i < m_layout.overflow.rows.size(); ++i) {
            font.setBold(i == 0);
            painter.setFont(font);
            painter.drawText(m_layout.overflow.rows[i].box, Qt::AlignLeft | Qt::AlignVCenter,
                    m_layout.overflow.rows[i].text);
        }
    }
}

void XYChart::paintJoins(QPainter &painter) const
{
    QList<QRgb> colours;
    QHash<QRgb, QPolygonF> byColour;
    for (const XYPoint &p : m_xy.points) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            continue;
        const QRgb colour = (p.color.isValid() ? p.color : m_chart.line.lineColor).rgba();
        if (!byColour.contains(colour))
            colours.append(colour);
        byColour[colour].append(toPlot(p.x, p.y));
    }
    painter.save();
    painter.setClipRect(m_layout.frame.plot, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    for (QRgb rgba : std::as_const(colours)) {
        painter.setPen(QPen(QColor::fromRgba(rgba), 2));
        painter.drawPolyline(byColour[rgba]);
    }
    painter.restore();
}

void XYChart::paint(QPainter &painter) const
{
    painter.save();
    paintBackground(painter);
    paintZones(painter);
    paintGrid(painter);
    if (m_xy.style == XYStyle::Columns)
        paintColumns(painter);
    paintReferenceLines(painter);
    if (m_xy.style == XYStyle::Markers && m_xy.joinByColour)
        paintJoins(painter);
    if (m_xy.style == XYStyle::Markers)
        paintMarkers(painter);
    paintAxes(painter);
    paintLabels(painter);
    paintNote(painter);
    painter.restore();
}

} // namespace zavevad::chart
