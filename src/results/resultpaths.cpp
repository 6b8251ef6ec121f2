#include "results/resultpaths.h"

#include "platform/nativename.h"
#include "results/userlocale.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>
#include <numeric>
#include <vector>

namespace zavevad {

bool isResultFileName(const QString &path)
{
    return path.endsWith(QLatin1String(".dat"), Qt::CaseInsensitive);
}

namespace {

QStringList resultFilesIn(const QString &path)
{
    const QDir folder(path);
    // A fixed, locale-free order: the same folder always loads the same
    // test. Unreadable files stay in, so that the load reports them.
    const QStringList names =
            folder.entryList({QStringLiteral("*.dat")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    QStringList files;
    files.reserve(names.size());
    for (const QString &name : names)
        files.append(folder.filePath(name));
    // Names in no valid encoding, which Qt does not list, join them: a
    // student is never left out for the name of a file.
    const QStringList undecodable = undecodableFiles(path, QStringLiteral(".dat"));
    if (!undecodable.isEmpty()) {
        files += undecodable;
        std::stable_sort(files.begin(), files.end(), [](const QString &a, const QString &b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
    }
    return files;
}

} // namespace

QStringList expandResultPaths(const QStringList &paths)
{
    QStringList files;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (!info.isDir()) {
            files.append(path);
            continue;
        }
        files.append(resultFilesIn(path));
    }
    return files;
}

QStringList resultFilesUnder(const QString &folder)
{
    QStringList folders{folder};
    // Linked folders are not followed: a link back up would never end.
    QDirIterator it(folder, QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks,
            QDirIterator::Subdirectories);
    while (it.hasNext())
        folders.append(it.next());
    std::sort(folders.begin() + 1, folders.end(), [](const QString &a, const QString &b) {
        const int byName = a.compare(b, Qt::CaseInsensitive);
        return byName != 0 ? byName < 0 : a < b;
    });
    QStringList files;
    for (const QString &path : std::as_const(folders))
        files.append(resultFilesIn(path));
    return files;
}

QString schoolClassOf(const QString &path)
{
    const QDir folder = QFileInfo(path).absoluteDir();
    const QString name = folder.dirName();
    // The root folder has no name of its own.
    return name.isEmpty() ? QDir::toNativeSeparators(folder.absolutePath()) : name;
}

QStringList classFolderPaths(const QString &folder)
{
    struct Class
    {
        QString name;
        QStringList files;
    };
    std::vector<Class> classes;
    const QDir top(folder);
    if (QStringList files = resultFilesIn(folder); !files.isEmpty())
        classes.push_back({schoolClassOf(files.constFirst()), std::move(files)});
    const QStringList subfolders =
            top.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString &name : subfolders) {
        if (QStringList files = resultFilesIn(top.filePath(name)); !files.isEmpty())
            classes.push_back({name, std::move(files)});
    }

    QStringList names;
    for (const Class &c : classes)
        names.append(c.name);
    sortClassNames(names);
    QStringList paths;
    for (const QString &name : std::as_const(names)) {
        // Two folders of one name (a subfolder named like its parent) are one class.
        for (Class &c : classes) {
            if (c.name == name) {
                paths.append(c.files);
                c.files.clear();
            }
        }
    }
    return paths;
}

void sortClassNames(QStringList &names)
{
    const QCollator collator = userCollator();
    std::vector<QCollatorSortKey> keys;
    keys.reserve(static_cast<std::size_t>(names.size()));
    for (const QString &name : std::as_const(names))
        keys.push_back(collator.sortKey(name));
    std::vector<std::size_t> order(keys.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int byCollation = keys[a].compare(keys[b]);
        if (byCollation != 0)
            return byCollation < 0;
        return names.at(static_cast<qsizetype>(a)) < names.at(static_cast<qsizetype>(b));
    });
    QStringList sorted;
    sorted.reserve(names.size());
    for (const std::size_t i : order)
        sorted.append(names.at(static_cast<qsizetype>(i)));
    names = std::move(sorted);
}

} // namespace zavevad
