#include "shell/help.h"

#include "shell/helpdocument.h"
#include "shell/platform.h"

#include <QDir>

namespace zavevad {

QString helpFilePath(const QString &startDirectory)
{
    return QDir(startDirectory).filePath(helpFileName());
}

void openHelp(const QString &startDirectory)
{
    Platform::current().openDocument(helpDocumentPath(startDirectory));
}

} // namespace zavevad
