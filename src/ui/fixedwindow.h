#pragma once

#include <QColor>
#include <QSize>

class QDialog;
class QString;
class QWidget;

namespace zavevad {

class ClickableLabel;

/// Sets up one of the shell's small frameless boxes: the program's title, a
/// fixed `size`, the windows' font and a `background` with black text.
void setUpFixedWindow(QWidget &window, QSize size, const QColor &background);

/// Centres `window` on the primary screen.
void centreOnScreen(QWidget &window);

/// Puts the "[X]" mark named `objectName` in the top right corner of one of the
/// shell's small dialogs; a click on it closes the dialog without changes
/// (`reject`). The caller raises it once the dialog's bevel is on top.
ClickableLabel *addCloseMark(QDialog &dialog, const QString &objectName);

} // namespace zavevad
