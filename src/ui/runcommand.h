#pragma once

#include "platform/commanderror.h"
#include "ui/shellstyle.h"

#include <QMessageBox>
#include <QWidget>

#include <utility>

namespace zavevad {

/// Shows a failed command's message the way every command reports one.
inline void showCommandError(QWidget *parent, const CommandError &error)
{
    QMessageBox box(QMessageBox::Critical, shellstyle::applicationTitle(), error.message(),
            QMessageBox::Ok, parent);
    // Above the always-on-top chart window, which would otherwise hide it.
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

/// Runs one command: a CommandError ends it and its message is shown in a
/// message box; the command is responsible for leaving the state as it was.
/// Returns whether the command ran to its end. Other exceptions are faults of
/// the program and are not caught here.
template<typename F>
bool runCommand(QWidget *parent, F &&command)
{
    try {
        std::forward<F>(command)();
        return true;
    } catch (const CommandError &error) {
        showCommandError(parent, error);
        return false;
    }
}

} // namespace zavevad
