// The labels along the axes, placed in the layout so that painting only
// draws them and the rendering can tell where every name went.
#include "chartengine/axischart.h"

#include "chartengine/axischartparts.h"
#include "chartengine/chartdraw.h"
#include "chartengine/chartformat.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace zavevad::chart {

using namespace axisparts;

double AxisChart::staggeredCap() const
{
    return m_staggered ? std::max(m_labelCap * kStaggeredCapShare, kMinStaggeredCap) : m_labelCap;
}

void AxisChart::placeAxisLabels()
{
    m_axisLabels.clear();
    const Chart &c = m_chart;
    if (!c.axesVisible)
        return;
    const Projection &pr = m_projection;
    const TextFont &leftFont = m_valuesHorizontal ? m_categoryFont : c.leftAxis.labelsFont;
    const TextFont &bottomFont = m_valuesHorizontal ? c.bottomAxis.labelsFont : m_categoryFont;
    const QFontMetricsF fmLeft = metricsFor(leftFont, m_device);
    const QFontMetricsF fmBottom = metricsFor(bottomFont, m_device);
    const double sw = m_strip / std::max(pr.width(), 1.0);
    const double sh = m_strip / std::max(pr.height(), 1.0);

    struct Entry
    {
        double at;
        QString text;
        bool category;
        int index;
    };
    QList<Entry> values;
    for (double t : m_scale.ticks)
        values.append({valueUnit(t), formatValue(t), false, -1});
    QList<Entry> categories;
    for (int i = m_categoryLabels.first; i <= m_categoryLabels.last; i += m_categoryLabels.step)
        categories.append({categoryUnit(i), categoryLabel(i), true, i});
    const QList<Entry> &leftEntries = m_valuesHorizontal ? categories : values;
    const QList<Entry> &bottomEntries = m_valuesHorizontal ? values : categories;

    auto elided = [](const QFontMetricsF &fm, const QString &text, double cap) {
        return fm.horizontalAdvance(text) > cap ? fm.elidedText(text, Qt::ElideRight, cap) : text;
    };
    const double leftCap = staggeredCap();
    auto leftText = [&](const Entry &e) {
        return e.category ? fittedName(fmLeft, e.text, leftCap) : elided(fmLeft, e.text, leftCap);
    };

    auto onAxis = [](const Entry &e) {
        return e.at >= -1e-9 && e.at <= 1 + 1e-9;
    };
    // Staggered names: the near column (or row) is as deep as its longest
    // name, counting the names in the order they are drawn.
    auto nearDepth = [&](const QList<Entry> &entries, const QFontMetricsF &fm, auto text) {
        double depth = 0.0;
        qsizetype shown = 0;
        for (const Entry &e : entries)
            if (onAxis(e) && shown++ % 2 == 0)
                depth = std::max(depth, fm.horizontalAdvance(text(e)));
        return depth;
    };
    const bool upright = m_rotatedCategories && !m_valuesHorizontal;
    auto bottomText = [&](const Entry &e) {
        const double cap = upright && e.category ? m_rotatedCap : m_labelCap;
        return e.category ? fittedName(fmBottom, e.text, cap) : elided(fmBottom, e.text, cap);
    };
    m_nearColumn = !m_staggered  ? 0.0
            : m_valuesHorizontal ? nearDepth(leftEntries, fmLeft, leftText)
                                 : nearDepth(bottomEntries, fmBottom, bottomText);
    qsizetype shown = 0;
    for (const Entry &e : leftEntries) {
        if (!onAxis(e))
            continue;
        const QPointF a = pr.map(-sw, e.at, 0);
        const QString text = leftText(e);
        const double w = fmLeft.horizontalAdvance(text);
        const bool far = m_staggered && e.category && shown % 2 == 1;
        ++shown;
        const double right = a.x() - kTick - kGap / 2 - (far ? m_nearColumn + kGap : 0.0);
        const QRectF box(right - w, a.y() - fmLeft.height() / 2.0, w + 1.0, fmLeft.height());
        // A name of the far column is led to its tick past the near column.
        const QPointF tickEnd = far ? QPointF(right + kGap / 2, a.y()) : a - QPointF(kTick, 0);
        m_axisLabels.append(AxisLabel{QLineF(a, tickEnd), box, text, false, e.category, e.index});
    }

    shown = 0;
    for (const Entry &e : bottomEntries) {
        if (!onAxis(e))
            continue;
        const QPointF a = pr.map(e.at, -sh, 0);
        const bool turned = upright && e.category;
        const QString text = bottomText(e);
        const double w = fmBottom.horizontalAdvance(text);
        const bool far = m_staggered && turned && shown % 2 == 1;
        ++shown;
        const double top = a.y() + kTick + 1.0 + (far ? m_nearColumn + kGap : 0.0);
        const QRectF box = turned
                ? QRectF(a.x() - fmBottom.height() / 2.0, top, fmBottom.height(), w)
                : QRectF(a.x() - w / 2.0, top, w + 1.0, fmBottom.height());
        // A name of the far row is led to its tick past the near row.
        const QPointF tickEnd = far ? QPointF(a.x(), top - kGap / 2) : a + QPointF(0, kTick);
        m_axisLabels.append(AxisLabel{QLineF(a, tickEnd), box, text, turned, e.category, e.index});
    }
}

void AxisChart::paintLabels(QPainter &painter) const
{
    const Chart &c = m_chart;
    if (!c.axesVisible)
        return;
    const Projection &pr = m_projection;
    const AxisSettings &left = c.leftAxis;
    const AxisSettings &bottom = c.bottomAxis;
    const TextFont &leftFont = m_valuesHorizontal ? m_categoryFont : left.labelsFont;
    const TextFont &bottomFont = m_valuesHorizontal ? bottom.labelsFont : m_categoryFont;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, !pr.isOblique());
    const QRectF front = pr.frontRect();
    double leftmost = front.left();
    double lowest = front.bottom();
    for (const AxisLabel &label : m_axisLabels) {
        const bool onLeft = label.tick.p2().y() == label.tick.p1().y()
                && label.tick.p2().x() < label.tick.p1().x();
        const AxisSettings &axis = onLeft ? left : bottom;
        const TextFont &font = onLeft ? leftFont : bottomFont;
        painter.setPen(QPen(axis.axisColor, 0));
        painter.drawLine(crisp(label.tick.p1(), label.tick.p2()));
        if (label.upright) {
            drawRotatedText(painter, font, label.text, label.box.center(), 90);
        } else {
            painter.setFont(font.font);
            painter.setPen(font.color);
            painter.drawText(label.box,
                    (onLeft ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignCenter)
                            | Qt::TextDontClip,
                    label.text);
        }
        if (onLeft)
            leftmost = std::min(leftmost, label.box.left());
        else
            lowest = std::max(lowest, label.box.bottom());
    }

    // Titles: outside the labels, centred on the plot.
    if (!left.title.isEmpty()) {
        const QFontMetricsF fm = metricsFor(left.titleFont, painter.device());
        const QSizeF size =
                rotatedSize(QSizeF(fm.horizontalAdvance(left.title), fm.height()), left.titleAngle);
        const double x = std::min(leftmost - kGap, front.left() - kGap) - size.width() / 2.0;
        drawRotatedText(painter, left.titleFont, left.title,
                QPointF(std::max(x, m_area.left() + size.width() / 2.0), front.center().y()),
                left.titleAngle);
    }
    if (!bottom.title.isEmpty()) {
        const QFontMetricsF fm = metricsFor(bottom.titleFont, painter.device());
        const QSizeF size = rotatedSize(
                QSizeF(fm.horizontalAdvance(bottom.title), fm.height()), bottom.titleAngle);
        const double y = std::max(lowest, front.bottom()) + kGap + size.height() / 2.0;
        drawRotatedText(painter, bottom.titleFont, bottom.title,
                QPointF(front.center().x(), std::min(y, m_area.bottom() - size.height() / 2.0)),
                bottom.titleAngle);
    }
    painter.restore();
}

} // namespace zavevad::chart
