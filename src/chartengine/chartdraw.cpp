#include "chartengine/chartdraw.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace zavevad::chart {

namespace {

constexpr double kMarkPadX = 3.0;
constexpr double kMarkPadY = 1.0;

} // namespace

QFontMetricsF metricsFor(const TextFont &font, QPaintDevice *device)
{
    return device ? QFontMetricsF(font.font, device) : QFontMetricsF(font.font);
}

QList<double> shrinkingSizes(double setPoints, double floorPoints)
{
    QList<double> sizes{setPoints};
    if (!(setPoints > floorPoints) || !(floorPoints > 0.0))
        return sizes;
    const double step = std::max(0.5, (setPoints - floorPoints) / 12.0);
    for (double points = setPoints - step; points > floorPoints + 1e-9; points -= step)
        sizes.append(points);
    sizes.append(floorPoints);
    return sizes;
}

QSizeF rotatedSize(const QSizeF &size, int angle)
{
    const double a = angle * M_PI / 180.0;
    const double c = std::abs(std::cos(a));
    const double s = std::abs(std::sin(a));
    return QSizeF(size.width() * c + size.height() * s, size.width() * s + size.height() * c);
}

void drawRotatedText(QPainter &painter, const TextFont &font, const QString &text,
        const QPointF &centre, int angle)
{
    painter.save();
    painter.setFont(font.font);
    painter.setPen(font.color);
    const QFontMetricsF fm(font.font, painter.device());
    const QSizeF size(fm.horizontalAdvance(text), fm.height());
    painter.translate(centre);
    // A template may hold any int32 angle; reduce it first so that negating
    // it cannot overflow (INT_MIN has no positive counterpart).
    painter.rotate(-double(angle % 360));
    painter.drawText(
            QRectF(-size.width() / 2.0, -size.height() / 2.0, size.width() + 1.0, size.height()),
            Qt::AlignCenter | Qt::TextDontClip, text);
    painter.restore();
}

QSizeF markBoxSize(const QSizeF &textSize)
{
    return QSizeF(textSize.width() + 2 * kMarkPadX, textSize.height() + 2 * kMarkPadY);
}

void drawMark(QPainter &painter, const MarksSettings &marks, const QRectF &box, const QString &text)
{
    if (!marks.transparent) {
        painter.setPen(QPen(QColor(60, 60, 60), 1.0));
        painter.setBrush(marks.backColor);
        painter.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
    }
    painter.setFont(marks.font.font);
    painter.setPen(marks.font.color);
    painter.drawText(box, Qt::AlignCenter | Qt::TextDontClip, text);
}

MarkMetrics::MarkMetrics(const MarksSettings &marks, QPaintDevice *device, const QString &sample)
    : m_marks(marks), m_fm(metricsFor(marks.font, device))
{
    const QRectF ink = sample.isEmpty() ? QRectF() : m_fm.tightBoundingRect(sample);
    if (ink.height() > 0.0) {
        m_inkTop = ink.top();
        m_inkBottom = ink.bottom();
    } else {
        m_inkTop = -m_fm.ascent();
        m_inkBottom = m_fm.descent();
    }
}

QSizeF MarkMetrics::size(double width) const
{
    if (m_marks.transparent)
        return QSizeF(width + 2.0, m_inkBottom - m_inkTop + 1.0);
    return markBoxSize(QSizeF(width, m_fm.height()));
}

void MarkMetrics::draw(QPainter &painter, const QRectF &rect, const QString &text) const
{
    if (!m_marks.transparent) {
        drawMark(painter, m_marks, rect, text);
        return;
    }
    painter.setFont(m_marks.font.font);
    painter.setPen(m_marks.font.color);
    painter.drawText(QPointF(rect.left() + 1.0, rect.top() + 0.5 - m_inkTop), text);
}

void drawHatch(QPainter &painter, const QPolygonF &polygon, const QColor &color, int index)
{
    struct Pattern
    {
        double angles[2];
        int count;
        double spacing;
    };
    // Horizontal, vertical, the two diagonals and their crossings, then the
    // same more densely.
    static constexpr Pattern patterns[] = {{{45, 0}, 1, 6}, {{0, 0}, 1, 5}, {{135, 0}, 1, 6},
            {{90, 0}, 1, 5}, {{45, 135}, 2, 7}, {{0, 90}, 2, 6}, {{45, 0}, 1, 3.5}, {{0, 0}, 1, 3},
            {{135, 0}, 1, 3.5}, {{90, 0}, 1, 3}};
    const Pattern &pattern = patterns[index % int(std::size(patterns))];
    const qsizetype n = polygon.size();
    if (n < 3)
        return;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(color, 0));
    QList<double> crossings;
    for (int k = 0; k < pattern.count; ++k) {
        const double a = pattern.angles[k] * M_PI / 180.0;
        const QPointF d(std::cos(a), -std::sin(a)); // along the lines
        const QPointF nrm(-d.y(), d.x()); // across them
        auto across = [&](const QPointF &p) {
            return p.x() * nrm.x() + p.y() * nrm.y();
        };
        auto along = [&](const QPointF &p) {
            return p.x() * d.x() + p.y() * d.y();
        };
        double lo = across(polygon[0]), hi = lo;
        for (const QPointF &p : polygon) {
            lo = std::min(lo, across(p));
            hi = std::max(hi, across(p));
        }
        // Lines on a fixed lattice, so that neighbouring faces line up.
        for (double s = std::ceil(lo / pattern.spacing) * pattern.spacing; s <= hi;
                s += pattern.spacing) {
            crossings.clear();
            for (qsizetype i = 0; i < n; ++i) {
                const QPointF &p = polygon[i];
                const QPointF &q = polygon[(i + 1) % n];
                const double ap = across(p), aq = across(q);
                if ((ap <= s) == (aq <= s))
                    continue;
                crossings.append(along(p + (q - p) * ((s - ap) / (aq - ap))));
            }
            std::sort(crossings.begin(), crossings.end());
            for (qsizetype i = 0; i + 1 < crossings.size(); i += 2) {
                const QPointF base = nrm * s;
                painter.drawLine(QLineF(base + d * crossings[i], base + d * crossings[i + 1]));
            }
        }
    }
    painter.restore();
}

} // namespace zavevad::chart
