#pragma once

#include "platform/outputcheck.h"
#include "shell/commandhooks.h"
#include "shell/session.h"

#include <QString>

#include <memory>

namespace zavevad {

class Platform;
class QtPlatform;
class TFAbout;
class TFGlowny;
class TFMenu;
class TFMonit;
class TFUstawwykres;
class TFWykres;

/// The application object: the live data, the desktop interface and the six
/// windows, created in their fixed order and kept until exit.
class Shell
{
public:
    /// Uses `platform` for dialogs, clipboard and documents (tests pass a
    /// scripted one); without one, the desktop's own becomes the current platform.
    explicit Shell(Platform *platform = nullptr);
    ~Shell();
    Shell(const Shell &) = delete;
    Shell &operator=(const Shell &) = delete;

    /// Shows the main window, which runs its show-time set-up.
    void start();

    Session &session() { return m_session; }
    CommandHooks &hooks() { return m_hooks; }

    TFGlowny &glowny() { return *m_glowny; }
    TFMenu &menu() { return *m_menu; }
    TFWykres &wykres() { return *m_wykres; }
    TFUstawwykres &ustawWykres() { return *m_ustawWykres; }
    TFAbout &about() { return *m_about; }
    TFMonit &monit() { return *m_monit; }

    /// Shows the prompt window modally and returns its answer (1 yes, 2 no, 0 cancel).
    int Monit(int mode, const QString &text);

private:
    void linkChartWindows();

    Session m_session;
    /// Every save of the run checks its output against the state's loaded inputs.
    LoadedInputsLink m_inputsLink{m_session.loadedInputs};
    CommandHooks m_hooks;
    std::unique_ptr<QtPlatform> m_ownPlatform;
    Platform *m_previousPlatform = nullptr;

    std::unique_ptr<TFGlowny> m_glowny;
    std::unique_ptr<TFMenu> m_menu;
    std::unique_ptr<TFWykres> m_wykres;
    std::unique_ptr<TFUstawwykres> m_ustawWykres;
    std::unique_ptr<TFAbout> m_about;
    std::unique_ptr<TFMonit> m_monit;
};

} // namespace zavevad
