#include "shell/menukeys.h"

#include "shell/shell.h"
#include "shell/tfglowny.h"
#include "shell/tfmenu.h"

#include <QApplication>
#include <QKeyEvent>

namespace zavevad {

MenuKeys::MenuKeys(Shell &shell) : QObject(&shell.glowny()), m_shell(shell)
{
    qApp->installEventFilter(this);
}

bool MenuKeys::inMainWindow(const QObject *object) const
{
    const auto *widget = qobject_cast<const QWidget *>(object);
    return widget && widget->window() == &m_shell.glowny();
}

bool MenuKeys::inMenu(const QObject *object) const
{
    const auto *widget = qobject_cast<const QWidget *>(object);
    return widget && widget->window() == &m_shell.menu();
}

void MenuKeys::toggleMenu()
{
    TFMenu &menu = m_shell.menu();
    if (menu.isVisible())
        menu.closeMenu();
    else
        menu.openByKeyboard(TFMenu::MenuPlik);
}

bool MenuKeys::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto *key = static_cast<const QKeyEvent *>(event);
        if (key->key() == Qt::Key_Alt) {
            if (!key->isAutoRepeat())
                // Some platforms count the Alt being pressed among the modifiers.
                m_altAlone = (key->modifiers() & ~Qt::AltModifier) == Qt::NoModifier
                        && (inMainWindow(watched) || inMenu(watched));
            break;
        }
        m_altAlone = false;
        if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::NoModifier
                && inMainWindow(watched)) {
            toggleMenu();
            return true;
        }
        break;
    }
    case QEvent::KeyRelease: {
        const auto *key = static_cast<const QKeyEvent *>(event);
        if (key->key() == Qt::Key_Alt && !key->isAutoRepeat() && m_altAlone) {
            m_altAlone = false;
            toggleMenu();
        }
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::ApplicationDeactivate:
    case QEvent::WindowDeactivate:
        m_altAlone = false;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zavevad
