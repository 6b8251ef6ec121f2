#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace zavevad {

/// The accessibility factory of SpinEdit: a spin box whose value is its
/// number (its text when that is no number) within its range.
QAccessibleInterface *spinEditAccessibleFactory(const QString &className, QObject *object);

} // namespace zavevad
