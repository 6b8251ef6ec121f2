#pragma once

#include <QString>

namespace zavevad {

/// Asks for the file to save to with the current platform's `SaveTabele`,
/// given its filter and default extension and, for what the table saves do
/// not write, a title that says what is saved; empty when the user cancels.
/// The save commands' one way to ask for a file.
QString askSavePath(
        const QString &pairedFilter, const QString &defaultExtension, const QString &title = {});

} // namespace zavevad
