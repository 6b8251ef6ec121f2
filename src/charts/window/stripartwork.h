#pragma once

#include <QPixmap>

namespace zavevad::stripartwork {

// The pictures of the chart window's title strip and resize grip, painted by
// code at the sizes the window lays them out at, in the main window's colours.

/// `ImListwaLeft`, 339 x 44: the part behind the menu labels.
QPixmap leftPicture();
/// `ImListwaSrodek`, 30 x 44: stretched across the middle of the strip.
QPixmap middlePicture();
/// `ImListwaRight`, 30 x 44: the strip's end with the close button under 8,0, 17 x 17.
QPixmap rightPicture();
/// `ImCiongnij`, 15 x 15: the diagonal ribs of a resize grip.
QPixmap gripPicture();
/// `PRozciong`'s own colour, a light frame around the grip picture.
QColor gripPanelColor();

} // namespace zavevad::stripartwork
