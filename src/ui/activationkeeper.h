#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>

class QWidget;

namespace zavevad {

/// Gives the keyboard back when a window or dialog of the program goes: to
/// the window that was active when it came, else to `home`. Without it a
/// frameless window or a dialog without a parent leaves no window active
/// (nothing focused, a screen reader silent) on desktops whose window
/// manager does not pass the activation on. Watches every top-level window
/// of the application while it lives.
class ActivationKeeper : public QObject
{
    Q_OBJECT

public:
    /// `home` is the program's main window; it also owns the keeper.
    explicit ActivationKeeper(QWidget &home);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void windowHidden(QWidget *window);

    QWidget &m_home;
    QHash<QWidget *, QPointer<QWidget>> m_returnTo;
};

} // namespace zavevad
