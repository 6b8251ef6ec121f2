#pragma once

class QObject;

namespace zavevad {

/// Drops the accessibility interface made for `object` so far, so that the
/// next question makes it anew through the installed factories. For objects
/// that no assistive technology has seen yet: right after construction.
void renewAccessibleInterface(QObject *object);

} // namespace zavevad
