#include "ui/activationkeeper.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace zavevad {

namespace {

/// A window the keyboard can be in: no pop-up, tool tip or splash.
bool isKeyboardWindow(const QObject *object)
{
    const auto *widget = qobject_cast<const QWidget *>(object);
    if (!widget || !widget->isWindow())
        return false;
    const Qt::WindowType type = widget->windowType();
    return type == Qt::Window || type == Qt::Dialog;
}

} // namespace

ActivationKeeper::ActivationKeeper(QWidget &home) : QObject(&home), m_home(home)
{
    qApp->installEventFilter(this);
}

bool ActivationKeeper::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::Show || type == QEvent::Hide) && !event->spontaneous()
            && isKeyboardWindow(watched)) {
        auto *window = static_cast<QWidget *>(watched);
        if (type == QEvent::Show) {
            QWidget *active = QApplication::activeWindow();
            if (active != window)
                m_returnTo.insert(window, active);
        } else {
            windowHidden(window);
        }
    } else if (type == QEvent::Destroy) {
        m_returnTo.remove(static_cast<QWidget *>(watched));
    }
    return QObject::eventFilter(watched, event);
}

void ActivationKeeper::windowHidden(QWidget *window)
{
    QPointer<QWidget> target = m_returnTo.take(window);
    const QWidget *active = QApplication::activeWindow();
    // Another window took the keyboard already: that one keeps it.
    if (active && active != window)
        return;
    if (!target || !target->isVisible() || target->isMinimized())
        target = &m_home;
    if (target != window && target->isVisible() && !target->isMinimized())
        target->activateWindow();
}

} // namespace zavevad
