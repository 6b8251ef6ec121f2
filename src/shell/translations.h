#pragma once

#include <QLocale>

namespace zavevad {

/// Loads Qt's own translations for `locale` (the file and colour dialogs'
/// buttons and labels) when the system has them; otherwise Qt stays English.
void installQtTranslations(const QLocale &locale);

} // namespace zavevad
