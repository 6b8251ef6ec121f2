#include "report/cardtext.h"

#include "report/paper.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace zavevad::cardpaint {

const CardText::FontEntry &CardText::entry(double points, bool bold)
{
    const auto key = std::make_pair(static_cast<int>(std::lround(points * 10)), bold);
    auto found = m_fonts.find(key);
    if (found == m_fonts.end()) {
        const QFont font = reportFont(points, bold);
        found = m_fonts.emplace(key, FontEntry{font, QFontMetricsF(font)}).first;
    }
    return found->second;
}

double CardText::textWidth(const QString &text, double points, bool bold)
{
    return metrics(points, bold).horizontalAdvance(text);
}

double CardText::fitted(const QString &text, double points, bool bold, double room)
{
    const double full = textWidth(text, points, bold);
    if (full <= room)
        return points;
    // Text widths grow with the size: start near the answer and step down.
    double size = std::floor(points * room / full * 2) / 2;
    while (size > kSmallestPoints && textWidth(text, size, bold) > room)
        size -= 0.5;
    while (size > 0.5 && textWidth(text, size, bold) > room)
        size -= 0.5;
    return std::max(size, 0.5);
}

void CardText::text(const QString &text, double x, double baseline, double points, bool bold,
        const QColor &colour, Qt::Alignment align)
{
    const FontEntry &font = entry(points, bold);
    if (align & Qt::AlignHCenter)
        x -= font.metrics.horizontalAdvance(text) / 2;
    else if (align & Qt::AlignRight)
        x -= font.metrics.horizontalAdvance(text);
    m_painter.setFont(font.font);
    m_painter.setPen(colour);
    m_painter.drawText(QPointF(x, baseline), text);
}

} // namespace zavevad::cardpaint
