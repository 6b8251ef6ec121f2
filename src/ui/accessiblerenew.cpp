#include "ui/accessiblerenew.h"

#include <QAccessible>
#include <QWidget>

namespace zavevad {

void renewAccessibleInterface(QObject *object)
{
    if (QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
}

void renewAccessibleInterfaces(QWidget *root)
{
    renewAccessibleInterface(root);
    const QList<QWidget *> widgets = root->findChildren<QWidget *>();
    for (QWidget *widget : widgets)
        renewAccessibleInterface(widget);
}

} // namespace zavevad
