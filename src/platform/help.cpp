#include "platform/help.h"

#include "platform/helpdocument.h"
#include "platform/platform.h"

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
