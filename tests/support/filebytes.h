#pragma once

// Reading and writing a whole file in a test, where the file's bytes are what
// the test checks or sets up.

#include <QByteArray>
#include <QString>

namespace zavevad::test {

/// The whole file at `path`; empty when it cannot be read.
QByteArray readAll(const QString &path);

/// Writes `bytes` to `path` in place of what it held; whether all of them were
/// written.
bool writeFile(const QString &path, const QByteArray &bytes);

} // namespace zavevad::test
