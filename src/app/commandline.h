#pragma once

#include "app/batchexport.h"

#include <QString>
#include <QStringList>

class QTextStream;

namespace zavevad {

/// Exit statuses of the program.
enum ExitStatus : int {
    ExitSuccess = 0,
    ExitFailure = 1, ///< a bad file, a failed write
    ExitUsage = 2, ///< an unknown option or a bad value
};

/// What the command line asks for.
struct CommandLine
{
    enum class Action {
        Window, ///< the program's window, loading `paths` when there are any
        Help, ///< --help
        Version, ///< --version
        Batch, ///< an export without a window
        UsageError, ///< `error` says what was wrong
    };

    Action action = Action::Window;
    QStringList paths; ///< the files and folders given, as given
    /// --testy: the folder whose tests are loaded together, as given; empty
    /// without the option.
    QString testsFolder;
    BatchExport batch; ///< for Batch: the table, page and outputs (files not yet expanded)
    QString error; ///< for UsageError: one line, in Polish
};

/// Parses the program's arguments (the first one is the program). Qt's own
/// options must already be taken out, as QApplication does.
CommandLine parseCommandLine(const QStringList &arguments);

/// The program's arguments (argv after the application took its own out). On
/// systems whose arguments are bytes, one in no valid encoding keeps its
/// bytes (platform/nativename.h), so that such a file name still opens.
QStringList programArguments(int argc, char **argv);

/// The Polish usage text that --help prints.
QString helpText();
/// The line that --version prints.
QString versionText();

/// Whether the raw arguments ask for nothing but the window: no option other
/// than Qt's own. Decided before an application object exists, so that help,
/// errors and exports need no display.
bool wantsWindow(int argc, char **argv);

/// Why "--testy `folder`" cannot load: no such folder, or no result file
/// in it or its subfolders; empty when it can.
QString testsFolderError(const QString &folder);

/// Carries out a command line that needs no window, writing to `out` and
/// `err` (Polish, one line per message); returns the exit status. The grade
/// thresholds come from Progi.txt in the current folder, as in the window.
int runWithoutWindow(const CommandLine &commandLine, QTextStream &out, QTextStream &err);

/// Brackets the creation of the window's application: without a display, Qt
/// ends the program from inside it; the guard prints one Polish line instead
/// ("use --txt, --pdf ... without a window") and exits with ExitFailure. Qt's
/// notes meanwhile are held back and passed on once the application exists.
class WindowStartGuard
{
public:
    WindowStartGuard();
    ~WindowStartGuard();
    WindowStartGuard(const WindowStartGuard &) = delete;
    WindowStartGuard &operator=(const WindowStartGuard &) = delete;
};

/// The line printed when the window cannot open.
QString noDisplayText();

/// The program when it needs no window: an application without a display,
/// the parse and runWithoutWindow. Returns the exit status.
int runHeadless(int &argc, char **argv);

} // namespace zavevad
