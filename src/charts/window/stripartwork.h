#pragma once

#include <QPixmap>

namespace zavevad::stripartwork {

// The pictures of the chart window's title strip and resize grip, painted by
// code at the sizes the window lays them out at, so they stay sharp and need
// no files. Dark slate with a thin light edge, like the main window.

/// `ImListwaLeft`, 339 x 44: the part behind the menu labels.
QPixmap leftPicture();
/// `ImListwaSrodek`, 30 x 44: stretched across the middle of the strip.
QPixmap middlePicture();
/// `ImListwaRight`, 30 x 44: the strip's end with the close mark at 8,0, 17 x 17.
QPixmap rightPicture();
/// `ImCiongnij`, 15 x 15: the diagonal ribs of a resize grip.
QPixmap gripPicture();

} // namespace zavevad::stripartwork
