#include "ui/clickablelabel.h"

#include "ui/focusframe.h"

#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>

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

void ClickableLabel::makeKeyboardButton()
{
    m_keyboardButton = true;
    setFocusPolicy(Qt::StrongFocus);
}

void ClickableLabel::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const bool press = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
    if (m_keyboardButton && press && event->modifiers() == Qt::NoModifier) {
        event->accept();
        Q_EMIT clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

void ClickableLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    // Whoever gave the label the focus (a menu walked by keys, Tab onto a
    // button), it shows: the colours of a highlight alone differ too little.
    if (hasFocus()) {
        QPainter painter(this);
        drawFocusFrame(painter, rect());
    }
}

void ClickableLabel::focusInEvent(QFocusEvent *event)
{
    QLabel::focusInEvent(event);
    update();
}

void ClickableLabel::focusOutEvent(QFocusEvent *event)
{
    QLabel::focusOutEvent(event);
    update();
}

} // namespace zavevad
