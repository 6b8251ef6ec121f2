#include "ui/gradientbutton.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>

namespace zavevad {

GradientButton::GradientButton(const QString &text, QWidget *parent) : QAbstractButton(parent)
{
    setText(text);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void GradientButton::setColors(const QColor &top, const QColor &bottom)
{
    m_top = top;
    m_bottom = bottom;
    update();
}

QSize GradientButton::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    return {metrics.horizontalAdvance(text()) + 24, metrics.height() + 12};
}

void GradientButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);

    // Pressed buttons turn the gradient over, so the face seems pushed in.
    const bool down = isDown();
    QColor top = down ? m_bottom : m_top;
    QColor bottom = down ? m_top : m_bottom;
    if (m_hover && !down) {
        top = top.lighter(106);
        bottom = bottom.lighter(106);
    }
    QLinearGradient gradient(face.topLeft(), face.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);

    painter.setPen(QPen(m_bottom.darker(170), 1));
    painter.setBrush(gradient);
    painter.drawRoundedRect(face, 3, 3);

    // A light inner line along the top edge gives the face some relief.
    painter.setPen(QPen(QColor(255, 255, 255, down ? 40 : 140), 1));
    painter.drawLine(face.topLeft() + QPointF(3, 1), face.topRight() + QPointF(-3, 1));

    painter.setPen(isEnabled() ? QColor(Qt::black) : QColor(110, 110, 110));
    painter.drawText(rect().translated(down ? 1 : 0, down ? 1 : 0), Qt::AlignCenter, text());

    if (hasFocus()) {
        painter.setPen(QPen(QColor(60, 60, 60), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(face.adjusted(3, 3, -3, -3), 2, 2);
    }
}

void GradientButton::keyPressEvent(QKeyEvent *event)
{
    // Enter presses the focused button, as Space does, as on any desktop.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier && !event->isAutoRepeat()) {
        event->accept();
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void GradientButton::enterEvent(QEnterEvent *event)
{
    m_hover = true;
    update();
    QAbstractButton::enterEvent(event);
}

void GradientButton::leaveEvent(QEvent *event)
{
    m_hover = false;
    update();
    QAbstractButton::leaveEvent(event);
}

} // namespace zavevad
