// The labels along the axes, placed in the layout so that painting only
// draws them and the rendering can tell where every name went.
#include "chartengine/axischart.h"
#include "chartengine/axislayout.h"

#include "chartengine/axischartparts.h"
#include "chartengine/chartdraw.h"
#include "chartengine/chartformat.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <functional>

namespace zavevad::chart {

using namespace axisparts;

namespace {

/// A value or category to label, at its place along its axis (0 to 1).
struct Entry
{
    double at;
    QString text;
    bool category;
    int index;
};

bool onAxis(const Entry &e)
{
    return e.at >= -1e-9 && e.at <= 1 + 1e-9;
}

QString elided(const QFontMetricsF &fm, const QString &text, double cap)
{
    return fm.horizontalAdvance(text) > cap ? fm.elidedText(text, Qt::ElideRight, cap) : text;
}

/// Staggered names: the near column (or row) is as deep as its longest
/// name, counting the names in the order they are drawn.
template<typename Text>
double nearDepth(const QList<Entry> &entries, const QFontMetricsF &fm, Text text)
{
    double depth = 0.0;
    qsizetype shown = 0;
    for (const Entry &e : entries)
        if (onAxis(e) && shown++ % 2 == 0)
            depth = std::max(depth, fm.horizontalAdvance(text(e)));
    return depth;
}

/// One axis's labels as they are to be placed.
struct AxisEntries
{
    const QList<Entry> &entries;
    const QFontMetricsF &fm;
    std::function<QString(const Entry &)> text;
};

void placeLeft(const Projection &pr, double sw, const AxisEntries &left, bool staggered,
        double nearColumn, QList<AxisLabel> &labels)
{
    qsizetype shown = 0;
    for (const Entry &e : left.entries) {
        if (!onAxis(e))
            continue;
        const QPointF a = pr.map(-sw, e.at, 0);
        const QString text = left.text(e);
        const double w = left.fm.horizontalAdvance(text);
        const bool far = staggered && e.category && shown % 2 == 1;
        ++shown;
        const double right = a.x() - kTick - kGap / 2 - (far ? nearColumn + kGap : 0.0);
        const QRectF box(right - w, a.y() - left.fm.height() / 2.0, w + 1.0, left.fm.height());
        // A name of the far column is led to its tick past the near column.
        const QPointF tickEnd = far ? QPointF(right + kGap / 2, a.y()) : a - QPointF(kTick, 0);
        labels.append(AxisLabel{QLineF(a, tickEnd), box, text, false, e.category, e.index});
    }
}

void placeBottom(const Projection &pr, double sh, const AxisEntries &bottom, bool upright,
        bool staggered, double nearColumn, QList<AxisLabel> &labels)
{
    const QFontMetricsF &fm = bottom.fm;
    qsizetype shown = 0;
    for (const Entry &e : bottom.entries) {
        if (!onAxis(e))
            continue;
        const QPointF a = pr.map(e.at, -sh, 0);
        const bool turned = upright && e.category;
        const QString text = bottom.text(e);
        const double w = fm.horizontalAdvance(text);
        const bool far = staggered && turned && shown % 2 == 1;
        ++shown;
        const double top = a.y() + kTick + 1.0 + (far ? nearColumn + kGap : 0.0);
        const QRectF box = turned ? QRectF(a.x() - fm.height() / 2.0, top, fm.height(), w)
                                  : QRectF(a.x() - w / 2.0, top, w + 1.0, fm.height());
        // A name of the far row is led to its tick past the near row.
        const QPointF tickEnd = far ? QPointF(a.x(), top - kGap / 2) : a + QPointF(0, kTick);
        labels.append(AxisLabel{QLineF(a, tickEnd), box, text, turned, e.category, e.index});
    }
}

} // namespace

QList<AxisLabel> axisstages::placeAxisLabels(const AxisInputs &in, const AxisFrame &frame,
        const ValueAxis &values, const AxisGeometry &geometry, const CategoryFit &fit)
{
    QList<AxisLabel> labels;
    const Chart &c = in.chart;
    if (!c.axesVisible)
        return labels;
    const bool horizontal = frame.valuesHorizontal;
    const Projection &pr = geometry.projection;
    const QFontMetricsF fmLeft =
            metricsFor(horizontal ? fit.font : c.leftAxis.labelsFont, in.device);
    const QFontMetricsF fmBottom =
            metricsFor(horizontal ? c.bottomAxis.labelsFont : fit.font, in.device);
    const double sw = frame.strip / std::max(pr.width(), 1.0);
    const double sh = frame.strip / std::max(pr.height(), 1.0);

    QList<Entry> valueEntries;
    for (double t : values.scale.ticks)
        valueEntries.append({geometry.valueUnit(t), formatValue(t), false, -1});
    QList<Entry> categories;
    const QList<Point> &points = frame.categoryPoints(c);
    for (int i = fit.labels.first; i <= fit.labels.last; i += fit.labels.step)
        categories.append({geometry.categoryUnit(i),
                i >= 0 && i < points.size() ? points[i].label : QString(), true, i});

    const double leftCap = staggeredCap(frame, fit.staggered);
    const AxisEntries left{horizontal ? categories : valueEntries, fmLeft, [&](const Entry &e) {
                               return e.category ? fittedName(fmLeft, e.text, leftCap)
                                                 : elided(fmLeft, e.text, leftCap);
                           }};
    const bool upright = fit.rotated && !horizontal;
    const AxisEntries bottom{horizontal ? valueEntries : categories, fmBottom, [&](const Entry &e) {
                                 const double cap =
                                         upright && e.category ? fit.rotatedCap : frame.labelCap;
                                 return e.category ? fittedName(fmBottom, e.text, cap)
                                                   : elided(fmBottom, e.text, cap);
                             }};
    const double nearColumn = !fit.staggered ? 0.0
            : horizontal                     ? nearDepth(left.entries, fmLeft, left.text)
                                             : nearDepth(bottom.entries, fmBottom, bottom.text);
    placeLeft(pr, sw, left, fit.staggered, nearColumn, labels);
    placeBottom(pr, sh, bottom, upright, fit.staggered, nearColumn, labels);
    return labels;
}

void AxisChart::paintLabels(QPainter &painter) const
{
    const Chart &c = m_chart;
    if (!c.axesVisible)
        return;
    const Projection &pr = m_layout.geometry.projection;
    const bool horizontal = m_layout.frame.valuesHorizontal;
    const AxisSettings &left = c.leftAxis;
    const AxisSettings &bottom = c.bottomAxis;
    const TextFont &leftFont = horizontal ? m_layout.categories.font : left.labelsFont;
    const TextFont &bottomFont = horizontal ? bottom.labelsFont : m_layout.categories.font;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, !pr.isOblique());
    const QRectF front = pr.frontRect();
    double leftmost = front.left();
    double lowest = front.bottom();
    for (const AxisLabel &label : m_layout.axisLabels) {
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
    paintTitles(painter, leftmost, lowest);
    painter.restore();
}

void AxisChart::paintTitles(QPainter &painter, double leftmost, double lowest) const
{
    // Outside the labels, centred on the plot, as large as the layout made room for.
    const AxisSettings &left = m_chart.leftAxis;
    const AxisSettings &bottom = m_chart.bottomAxis;
    const QRectF front = m_layout.geometry.projection.frontRect();
    const QRectF &area = m_layout.frame.area;
    if (!left.title.isEmpty()) {
        const QSizeF size = m_layout.frame.leftTitle;
        const double x = std::min(leftmost - kGap, front.left() - kGap) - size.width() / 2.0;
        drawRotatedText(painter, left.titleFont, left.title,
                QPointF(std::max(x, area.left() + size.width() / 2.0), front.center().y()),
                left.titleAngle);
    }
    if (!bottom.title.isEmpty()) {
        const QSizeF size = m_layout.frame.bottomTitle;
        const double y = std::max(lowest, front.bottom()) + kGap + size.height() / 2.0;
        drawRotatedText(painter, bottom.titleFont, bottom.title,
                QPointF(front.center().x(), std::min(y, area.bottom() - size.height() / 2.0)),
                bottom.titleAngle);
    }
}

} // namespace zavevad::chart
