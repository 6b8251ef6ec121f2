#pragma once

#include <QString>

#include <functional>

namespace zavevad::test {

/// Folder of the byte-exact fixtures kept in tests/data.
QString dataPath(const QString &fileName);

/// Folder of the sample class shipped in examples/.
QString examplesPath(const QString &fileName = QString());

/// Runs `command` and returns the message of the CommandError it throws; a
/// null string when it throws none.
QString commandErrorOf(const std::function<void()> &command);

} // namespace zavevad::test
