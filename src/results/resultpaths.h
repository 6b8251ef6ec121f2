#pragma once

#include <QString>
#include <QStringList>

namespace zavevad {

/// Whether `path` names a result file by its extension (".dat", any case).
bool isResultFileName(const QString &path);

/// The files a load reads for paths given outside the open dialog (the command
/// line, a drop): a folder stands for its `*.dat` files in name order (or,
/// holding none, for the classes in its folders), any other path is taken as it is, so a missing
/// file fails the load like a bad one. The order is kept, because the first file decides the test.
QStringList expandResultPaths(const QStringList &paths);

/// The result files of paths given outside the open dialog, and the folders
/// among them that could not be read.
struct ResultPaths
{
    QStringList files;
    QStringList unreadableFolders;
};

/// expandResultPaths() that also names the folders it could not read. A
/// folder that holds no result file itself but folders of them stands for
/// its classes, as listClassFolders() gives them.
ResultPaths expandPaths(const QStringList &paths);

/// The load's warning for folders that could not be read, one per line.
QString unreadableFoldersWarning(const QStringList &folders);

/// Every result file in `folder` and its subfolders, for "Wczytaj testy z
/// folderu ...": the folder's own files first, then each subfolder's (the
/// folders in a fixed order of their paths, letter case ignored), each in
/// name order. Linked folders are not entered.
QStringList resultFilesUnder(const QString &folder);

/// The class a result file belongs to: the name of its folder. A load from one
/// folder is one class; files named one by one go to the class of their folder.
QString schoolClassOf(const QString &path);

/// The result files of the classes under `folder`, for "Wczytaj klasy z
/// folderu ...": each direct subfolder holding `*.dat` files is a class, and
/// files directly in `folder` are the class named after `folder` itself. The
/// classes come in the collation order of their names, each class's files in
/// name order, so the first file (which decides the test) is the same for the
/// same folders. Empty when no class holds a result file.
QStringList classFolderPaths(const QString &folder);

/// classFolderPaths() that also names the folders (`folder` or a class
/// folder) that could not be read. Class folders named in no valid encoding
/// are listed with kept bytes (platform/nativename.h).
ResultPaths listClassFolders(const QString &folder);

/// Sorts class names in the user's collation, letter case ignored; names that
/// collate alike keep a fixed order by their exact text.
void sortClassNames(QStringList &names);

} // namespace zavevad
