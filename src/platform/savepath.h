#pragma once

#include <QString>

namespace zavevad {

/// Asks for the file to save to with the current platform's `SaveTabele`,
/// given its filter and default extension and, for what the table saves do
/// not write, a title that says what is saved; empty when the user cancels.
/// The save commands' one way to ask for a file.
QString askSavePath(
        const QString &pairedFilter, const QString &defaultExtension, const QString &title = {});

/// askSavePath() for the outputs the program adds (the report, the cards, the
/// workbook, pictures), which ask before they replace a file: a path that no
/// output may take throws OutputRefused (checkOutput() with the loaded
/// inputs); an existing file is replaced only when the user confirms
/// (Platform::confirmReplace()), else the result is empty as for a cancel.
QString askNewSavePath(
        const QString &pairedFilter, const QString &defaultExtension, const QString &title);

} // namespace zavevad
