#pragma once

#include <QColor>
#include <QSize>

class QWidget;

namespace zavevad {

/// Sets up one of the shell's small frameless boxes: the program's title, a
/// fixed `size`, the windows' font and a `background` with black text.
void setUpFixedWindow(QWidget &window, QSize size, const QColor &background);

/// Centres `window` on the primary screen.
void centreOnScreen(QWidget &window);

} // namespace zavevad
