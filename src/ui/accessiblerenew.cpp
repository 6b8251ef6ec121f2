#include "ui/accessiblerenew.h"

#include <QAccessible>

namespace zavevad {

void renewAccessibleInterface(QObject *object)
{
    if (QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
}

} // namespace zavevad
