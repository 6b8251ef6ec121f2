#pragma once

#include <QPixmap>

namespace zavevad::stripartwork {

// The pictures of the chart window's title strip and resize grip, painted by
// code at the sizes the window lays them out at, in the main window's colours,
// for a screen of `ratio` device pixels per logical pixel.

/// `ImListwaLeft`, 339 x 44: the part behind the menu labels.
QPixmap leftPicture(qreal ratio);
/// `ImListwaSrodek`, 30 x 44: stretched across the middle of the strip.
QPixmap middlePicture(qreal ratio);
/// `ImListwaRight`, 30 x 44: the strip's end with the close button under 8,0, 17 x 17.
QPixmap rightPicture(qreal ratio);
/// `ImCiongnij`, 15 x 15: the diagonal ribs of a resize grip.
QPixmap gripPicture(qreal ratio);
/// `PRozciong`'s own colour, a light frame around the grip picture.
QColor gripPanelColor();

} // namespace zavevad::stripartwork
