#include "platform/platform.h"
#include "results/progress.h"
#include "results/resultpaths.h"
#include "shell/shell.h"
#include "shell/tfglowny.h"
#include "shell/tfmonit.h"

#include <QDir>

namespace zavevad {

// The load of several tests beside the load of one (tfglowny.cpp).

void TFGlowny::WczytajTesty()
{
    Platform &platform = Platform::current();
    const std::optional<QString> folder =
            platform.openFolder(QStringLiteral("Wybierz folder testów klasy"),
                    platform.dialogFolder(m_shell.session().analysis.startDirectory));
    if (!folder || folder->isEmpty())
        return;
    loadTests(*folder);
}

void TFGlowny::openTestsFolder(const QString &folder)
{
    if (folder.isEmpty())
        return;
    QMetaObject::invokeMethod(
            this, [this, folder] { loadTests(folder); }, Qt::QueuedConnection);
}

void TFGlowny::loadTests(const QString &folder)
{
    const QStringList files = resultFilesUnder(folder);
    if (files.isEmpty()) {
        m_shell.Monit(TFMonit::ModeMessage,
                QStringLiteral("W folderze ") + QDir::toNativeSeparators(folder)
                        + QStringLiteral(
                                " ani w jego podfolderach nie ma plików wyników (*.dat)."));
        return;
    }
    Platform::current().rememberFolder(files.constFirst());
    Session &session = m_shell.session();
    // Read into a new set, as the load of one test: a bad file changes nothing.
    ProgressLoad load = loadProgress(files, session.analysis.thresholds);
    if (load.status == LoadStatus::BadFile) {
        m_shell.Monit(TFMonit::ModeMessage, badFileWarning(load.failedPath));
        return;
    }
    if (!load.loaded())
        return;
    m_shell.Monit(TFMonit::ModeMessage, progressLoadedMessage(load.progress));
    if (const QString warning = unmatchedWarning(load.progress); !warning.isEmpty())
        m_shell.Monit(TFMonit::ModeMessage, warning);
    if (!load.newest.blueprint.warning.isEmpty())
        m_shell.Monit(TFMonit::ModeMessage, load.newest.blueprint.warning);

    const QString testName = load.newest.testName;
    commitProgress(std::move(load), session.analysis);
    // No save may replace a file of any of the tests, nor what a load reads
    // beside them.
    session.loadedInputs =
            files + sideInputPaths(files.constFirst(), session.analysis.startDirectory);
    showLoadedTest(testName);
}

} // namespace zavevad
