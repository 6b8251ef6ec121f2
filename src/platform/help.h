#pragma once

#include <QString>

namespace zavevad {

/// Name of the help document, kept in the start directory.
inline QString helpFileName()
{
    return QStringLiteral("Kalmo_Analiza.chm");
}

/// The help document of `startDirectory`.
QString helpFilePath(const QString &startDirectory);

/// Asks the desktop to open the help document with its viewer; what the
/// desktop does with a missing file is its own affair.
void openHelp(const QString &startDirectory);

} // namespace zavevad
