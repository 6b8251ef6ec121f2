#include "platform/savepath.h"

#include "platform/platform.h"

namespace zavevad {

QString askSavePath(const QString &pairedFilter, const QString &defaultExtension)
{
    return Platform::current().saveTabele(pairedFilter, defaultExtension).value_or(QString());
}

} // namespace zavevad
