#include "ui/clickablelabel.h"

#include <QMetaMethod>
#include <QMouseEvent>

namespace zavevad {

ClickableLabel::ClickableLabel(QWidget *parent) : ClickableLabel(QString(), parent) { }

ClickableLabel::ClickableLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
}

bool ClickableLabel::isClickable() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&ClickableLabel::clicked));
}

void ClickableLabel::mousePressEvent(QMouseEvent *event)
{
    // Only the left button clicks: a right click on "Zamknij" must not end
    // the program.
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    event->accept();
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    const bool inside = rect().contains(event->position().toPoint());
    if (m_pressed && inside) {
        m_pressed = false;
        Q_EMIT clicked();
    }
    m_pressed = false;
    event->accept();
}

void ClickableLabel::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT hovered();
    QLabel::mouseMoveEvent(event);
}

} // namespace zavevad
