#include "ui/bevel.h"

#include <QPainter>

namespace zavevad {

Bevel::Bevel(const QColor &color, Style style, QWidget *parent)
    : QWidget(parent), m_color(color), m_style(style)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
}

void Bevel::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void Bevel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // Light from the top left: a raised frame is bright there and dark at the
    // bottom right; a lowered one the other way round. A black frame has no
    // brighter shade of itself, so its light edge is a dark grey.
    const QColor light = m_color.value() < 40 ? QColor(96, 96, 96) : m_color.lighter(135);
    const QColor dark = m_color.value() < 40 ? m_color : m_color.darker(190);
    const QColor &topLeft = m_style == Raised ? light : dark;
    const QColor &bottomRight = m_style == Raised ? dark : light;

    const int right = width() - 1;
    const int bottom = height() - 1;
    painter.setPen(topLeft);
    painter.drawLine(0, 0, right, 0);
    painter.drawLine(0, 0, 0, bottom);
    painter.setPen(bottomRight);
    painter.drawLine(0, bottom, right, bottom);
    painter.drawLine(right, 0, right, bottom);
    // A second line in the colour itself makes the frame read as that colour.
    painter.setPen(m_color);
    painter.drawRect(1, 1, right - 2, bottom - 2);
}

} // namespace zavevad
