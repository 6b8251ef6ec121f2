#include "results/userlocale.h"

namespace zavevad {

QLocale userLocale()
{
    const QLocale locale;
    if (locale.language() == QLocale::C)
        return QLocale(QLocale::Polish, QLocale::Poland);
    return locale;
}

QCollator userCollator()
{
    QCollator collator(userLocale());
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

} // namespace zavevad
