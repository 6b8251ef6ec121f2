#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace zavevad {

/// Where a window of `size` goes on `screen` so that it hides as little as
/// possible of `keepVisible`, the windows or parts of windows it changes, the
/// most important first: beside the first that leaves room, clear of all of
/// them where it can be; otherwise where it covers the least of them, the
/// first weighing more than the rest together. Always inside the screen
/// (its top-left corner when the window is bigger than the screen).
QPoint placeBeside(QSize size, const QRect &screen, const QList<QRect> &keepVisible);

} // namespace zavevad
