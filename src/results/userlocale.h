#pragma once

#include <QCollator>
#include <QLocale>

namespace zavevad {

/// The locale the program follows: QLocale(), except that a system without a
/// locale ("C"/POSIX) gets Polish, the program's language, so that names still
/// sort by the Polish alphabet. main() makes it the default at start.
QLocale userLocale();

/// Locale-aware comparison that ignores letter case: the name sort and the
/// keys of the thresholds file compare with it.
QCollator userCollator();

} // namespace zavevad
