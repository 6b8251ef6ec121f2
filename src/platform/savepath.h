#pragma once

#include <QString>

namespace zavevad {

/// Asks for the file to save to with the current platform's `SaveTabele`,
/// given its filter and default extension; empty when the user cancels. The
/// save commands' one way to ask for a file.
QString askSavePath(const QString &pairedFilter, const QString &defaultExtension);

} // namespace zavevad
