#include "results/resultpaths.h"

#include "platform/nativename.h"
#include "results/userlocale.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <vector>

namespace zavevad {

bool isResultFileName(const QString &path)
{
    return path.endsWith(QLatin1String(".dat"), Qt::CaseInsensitive);
}

namespace {

bool isFolder(const QString &path)
{
    if (!nativeFileName(path))
        return QFileInfo(path).isDir();
    std::error_code error;
    return std::filesystem::is_directory(filesystemPath(path), error);
}

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
    return expandPaths(paths).files;
}

ResultPaths expandPaths(const QStringList &paths)
{
    ResultPaths expanded;
    for (const QString &path : paths) {
        if (!isFolder(path)) {
            expanded.files.append(path);
            continue;
        }
        if (!folderCanBeListed(path)) {
            expanded.unreadableFolders.append(path);
            continue;
        }
        // A folder of result files is one class; a folder that holds none
        // itself is a folder of classes, as "Wczytaj klasy z folderu ..." reads it.
        if (QStringList files = resultFilesIn(path); !files.isEmpty()) {
            expanded.files.append(std::move(files));
            continue;
        }
        ResultPaths classes = listClassFolders(path);
        expanded.files.append(std::move(classes.files));
        expanded.unreadableFolders.append(std::move(classes.unreadableFolders));
    }
    return expanded;
}

QString unreadableFoldersWarning(const QStringList &folders)
{
    QStringList shown;
    for (const QString &folder : folders)
        shown.append(displayFileName(folder));
    return (folders.size() == 1 ? QStringLiteral("Uwaga. Nie można odczytać folderu:\r")
                                : QStringLiteral("Uwaga. Nie można odczytać folderów:\r"))
            + shown.join(u'\r') + QStringLiteral("\rUczniów z tych folderów nie wczytano.");
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
    return listClassFolders(folder).files;
}

ResultPaths listClassFolders(const QString &folder)
{
    struct Class
    {
        QString name;
        QStringList files;
    };
    ResultPaths listed;
    if (!folderCanBeListed(folder)) {
        listed.unreadableFolders.append(folder);
        return listed;
    }
    std::vector<Class> classes;
    const QDir top(folder);
    if (QStringList files = resultFilesIn(folder); !files.isEmpty())
        classes.push_back({schoolClassOf(files.constFirst()), std::move(files)});
    QStringList subfolders;
    for (const QString &name :
            top.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
        subfolders.append(top.filePath(name));
    // Folders named in no valid encoding, which Qt does not list, are classes too.
    subfolders += undecodableEntries(folder, QString(), EntryKind::Folders);
    for (const QString &path : std::as_const(subfolders)) {
        if (!folderCanBeListed(path)) {
            listed.unreadableFolders.append(path);
            continue;
        }
        if (QStringList files = resultFilesIn(path); !files.isEmpty())
            classes.push_back({QFileInfo(path).fileName(), std::move(files)});
    }

    QStringList names;
    for (const Class &c : classes)
        names.append(c.name);
    sortClassNames(names);
    names.removeDuplicates();
    for (const QString &name : std::as_const(names)) {
        // Two folders of one name (a subfolder named like its parent) are one class.
        for (Class &c : classes) {
            if (c.name == name) {
                listed.files.append(c.files);
                c.files.clear();
            }
        }
    }
    return listed;
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
