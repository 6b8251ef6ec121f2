#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace zavevad {

/// The accessibility factory of the grid view: a table of the cells on display
/// (columns, body rows, a header cell per column, a cell per value), which
/// follows paging and the keyboard's cell cursor.
QAccessibleInterface *gridAccessibleFactory(const QString &className, QObject *object);

} // namespace zavevad
