#pragma once

#include <QObject>

namespace zavevad {

class Shell;

/// The menu's own keys on the main window: F10, or Alt pressed and released
/// alone, opens "Plik" with the keyboard cursor on its first item (and closes
/// an open menu), as menu bars do; TFMenu walks the open menu.
class MenuKeys : public QObject
{
    Q_OBJECT

public:
    /// Watches the application's keys for the main window of `shell`.
    explicit MenuKeys(Shell &shell);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool inMainWindow(const QObject *object) const;
    bool inMenu(const QObject *object) const;
    void toggleMenu();

    Shell &m_shell;
    /// Alt went down with nothing else: its release opens the menu.
    bool m_altAlone = false;
};

} // namespace zavevad
