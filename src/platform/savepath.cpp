#include "platform/savepath.h"

#include "platform/outputcheck.h"
#include "platform/platform.h"

#include <QFileInfo>

namespace zavevad {

QString askSavePath(
        const QString &pairedFilter, const QString &defaultExtension, const QString &title)
{
    return Platform::current()
            .saveTabele(pairedFilter, defaultExtension,
                    title.isEmpty() ? Platform::saveTabeleTitle() : title)
            .value_or(QString());
}

QString askNewSavePath(
        const QString &pairedFilter, const QString &defaultExtension, const QString &title)
{
    const QString path = askSavePath(pairedFilter, defaultExtension, title);
    if (path.isEmpty())
        return path;
    checkOutput(path, loadedInputs());
    const QFileInfo existing(path);
    if ((existing.exists() || existing.isSymLink()) && !Platform::current().confirmReplace(path))
        return QString();
    return path;
}

} // namespace zavevad
