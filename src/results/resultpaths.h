#pragma once

#include <QString>
#include <QStringList>

namespace zavevad {

/// Whether `path` names a result file by its extension (".dat", any case).
bool isResultFileName(const QString &path);

/// The files a load reads for paths given outside the open dialog (the command
/// line, a drop): a folder stands for its `*.dat` files in name order, any
/// other path is taken as it is, so a missing file fails the load like a bad
/// one. The order is kept, because the first file decides the test.
QStringList expandResultPaths(const QStringList &paths);

} // namespace zavevad
