#pragma once

class QObject;
class QWidget;

namespace zavevad {

/// Drops the accessibility interface made for `object` so far, so that the
/// next question makes it anew through the installed factories. A widget's
/// interface can be made while its base class is still being constructed (a
/// label's text announces itself), when no factory can tell what it will be;
/// call this for objects no assistive technology has seen yet.
void renewAccessibleInterface(QObject *object);
/// The same for `root` and every widget under it, once a window is built.
void renewAccessibleInterfaces(QWidget *root);

} // namespace zavevad
