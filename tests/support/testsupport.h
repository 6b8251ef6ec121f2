#pragma once

#include <QString>

namespace zavevad::test {

/// Folder of the byte-exact fixtures kept in tests/data.
QString dataPath(const QString &fileName);

/// Folder of the sample class shipped in examples/.
QString examplesPath(const QString &fileName = QString());

} // namespace zavevad::test
