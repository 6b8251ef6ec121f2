#include "app/commandline.h"
#include "results/userlocale.h"
#include "shell/artwork.h"
#include "shell/shell.h"
#include "shell/tfglowny.h"
#include "shell/translations.h"
#include "ui/shellstyle.h"

#include <QApplication>

#include <optional>

int main(int argc, char *argv[])
{
    if (!zavevad::wantsWindow(argc, argv))
        return zavevad::runHeadless(argc, argv);

    std::optional<QApplication> app;
    {
        const zavevad::WindowStartGuard noDisplay;
        app.emplace(argc, argv);
    }
    QApplication::setApplicationName(zavevad::shellstyle::applicationTitle());
    QApplication::setWindowIcon(zavevad::artwork::applicationIcon());
    QLocale::setDefault(zavevad::userLocale());
    zavevad::installQtTranslations(QLocale());

    zavevad::Shell shell;
    shell.start();
    const zavevad::CommandLine commandLine =
            zavevad::parseCommandLine(zavevad::programArguments(argc, argv));
    shell.glowny().openPaths(commandLine.paths);
    shell.glowny().openTestsFolder(commandLine.testsFolder);
    return QApplication::exec();
}
