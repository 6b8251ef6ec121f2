#pragma once

#include "appearance/chartappearance.h"
#include "platform/commanderror.h"

#include <QString>

class QIODevice;

namespace zavevad {

/// Filter and default extension the template commands give the save dialog.
inline QString formatTemplateFilter()
{
    return QStringLiteral("Plik tekstowy (*.ssw)|*.ssw");
}
inline QString formatTemplateExtension()
{
    return QStringLiteral("ssw");
}

// Failures throw CommandError with the message the user sees.

/// Writes the record as one 944-byte block. A short write is "Disk full".
void writeFormatTemplate(QIODevice &device, const TChartAppearance &record);

/// Reads the first 944 bytes of the device into `target`, only when all of
/// them could be read; later bytes are ignored. Fewer bytes are "Read beyond
/// end of file" and leave `target` as it was.
void readFormatTemplate(QIODevice &device, TChartAppearance &target);

/// Saves the record as a template file of exactly 944 bytes, replacing the
/// file without a question. The file is replaced only once the new content is
/// completely written, so a failed save leaves an existing file as it was.
/// The message of a failure names the file.
void saveFormatTemplateFile(const QString &fileName, const TChartAppearance &record);

/// Loads a template file into `target`, which changes only when the whole
/// record was read; only a regular file is opened, and only its first 944
/// bytes are read. Messages: "File not found", "Invalid filename" (a folder on
/// the path is missing), "File access denied" (also a folder, FIFO or device),
/// "Too many open files", "Read beyond end of file", "I/O error %d".
void loadFormatTemplateFile(const QString &fileName, TChartAppearance &target);

} // namespace zavevad
