#include "results/resultpaths.h"

#include "platform/nativename.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

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
        QStringList found;
        for (const QString &name : names)
            found.append(folder.filePath(name));
        // Names in no valid encoding, which Qt does not list, join them: a
        // student is never left out for the name of a file.
        const QStringList undecodable = undecodableFiles(path, QStringLiteral(".dat"));
        if (!undecodable.isEmpty()) {
            found += undecodable;
            std::stable_sort(found.begin(), found.end(), [](const QString &a, const QString &b) {
                return a.compare(b, Qt::CaseInsensitive) < 0;
            });
        }
        files += found;
    }
    return files;
}

} // namespace zavevad
