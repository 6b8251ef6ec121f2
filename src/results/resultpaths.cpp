#include "results/resultpaths.h"

#include <QDir>
#include <QFileInfo>

namespace zavevad {

bool isResultFileName(const QString &path)
{
    return path.endsWith(QLatin1String(".dat"), Qt::CaseInsensitive);
}

QStringList expandResultPaths(const QStringList &paths)
{
    QStringList files;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (!info.isDir()) {
            files.append(path);
            continue;
        }
        const QDir folder(path);
        // A fixed, locale-free order: the same folder always loads the same
        // test. Unreadable files stay in, so that the load reports them.
        const QStringList names = folder.entryList(
                {QStringLiteral("*.dat")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
        for (const QString &name : names)
            files.append(folder.filePath(name));
    }
    return files;
}

} // namespace zavevad
