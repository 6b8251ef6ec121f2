#include "platform/platform.h"

#include <QFileInfo>

#include <utility>

namespace zavevad {

namespace {
Platform *s_current = nullptr;
}

QString qtFileFilter(const QString &pairedFilter)
{
    const QStringList parts = pairedFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts.at(i).trimmed();
        const QString patterns = i + 1 < parts.size()
                ? parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '))
                : QString();
        // Qt reads the patterns from the last parentheses of the description,
        // so a description that already lists them stays as it is.
        if (patterns.isEmpty() || description.endsWith(QLatin1Char(')')))
            filters.append(description);
        else
            filters.append(description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return filters.join(QStringLiteral(";;"));
}

QString withDefaultExtension(const QString &path, const QString &extension)
{
    if (path.isEmpty() || extension.isEmpty())
        return path;
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty() || name.contains(QLatin1Char('.')))
        return path;
    return path + QLatin1Char('.') + extension;
}

Platform::Platform() = default;

Platform::~Platform()
{
    if (s_current == this)
        s_current = nullptr;
}

Platform &Platform::current()
{
    // A command running before the shell installed its platform is a programming error.
    if (!s_current)
        qFatal("zavevad: no Platform installed");
    return *s_current;
}

Platform *Platform::setCurrent(Platform *platform)
{
    return std::exchange(s_current, platform);
}

void Platform::setSaveFilter(const QString &pairedFilter, const QString &defaultExtension)
{
    m_saveFilter = pairedFilter;
    m_saveDefaultExtension = defaultExtension;
}

std::optional<QString> Platform::saveTabele(const QString &title)
{
    std::optional<QString> path =
            runSaveDialog(title, qtFileFilter(m_saveFilter), m_saveDefaultExtension);
    if (!path || path->isEmpty())
        return std::nullopt;
    rememberFolder(*path);
    return withDefaultExtension(*path, m_saveDefaultExtension);
}

std::optional<QString> Platform::saveTabele(
        const QString &pairedFilter, const QString &defaultExtension, const QString &title)
{
    setSaveFilter(pairedFilter, defaultExtension);
    return saveTabele(title);
}

QString Platform::dialogFolder(const QString &startDirectory) const
{
    return m_lastFolder.isEmpty() ? startDirectory : m_lastFolder;
}

void Platform::rememberFolder(const QString &path)
{
    if (!path.isEmpty())
        m_lastFolder = QFileInfo(path).absolutePath();
}

} // namespace zavevad
