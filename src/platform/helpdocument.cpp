#include "platform/helpdocument.h"

#include "platform/help.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace zavevad {

QStringList userGuideCandidates()
{
    const QString guide = QStringLiteral("pomoc.html");
    QStringList candidates;
    // Without an application object there is no executable's folder to go by.
    if (QCoreApplication::instance()) {
        const QDir bin(QCoreApplication::applicationDirPath());
        candidates << QDir::cleanPath(bin.filePath(QStringLiteral("../share/zavevad/") + guide))
                   << QDir::cleanPath(
                              bin.filePath(QStringLiteral("../share/doc/zavevad/") + guide));
    }
#ifdef ZAVEVAD_SOURCE_GUIDE
    candidates << QStringLiteral(ZAVEVAD_SOURCE_GUIDE);
#endif
    return candidates;
}

QString helpDocumentPath(const QString &startDirectory, const QStringList &guideCandidates)
{
    const QString chm = helpFilePath(startDirectory);
    if (QFileInfo(chm).isFile())
        return chm;
    for (const QString &guide : guideCandidates) {
        if (QFileInfo(guide).isFile())
            return guide;
    }
    return chm;
}

QString helpDocumentPath(const QString &startDirectory)
{
    return helpDocumentPath(startDirectory, userGuideCandidates());
}

} // namespace zavevad
