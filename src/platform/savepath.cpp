#include "platform/savepath.h"

#include "platform/platform.h"

namespace zavevad {

QString askSavePath(
        const QString &pairedFilter, const QString &defaultExtension, const QString &title)
{
    return Platform::current()
            .saveTabele(pairedFilter, defaultExtension,
                    title.isEmpty() ? Platform::saveTabeleTitle() : title)
            .value_or(QString());
}

} // namespace zavevad
