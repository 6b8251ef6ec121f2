#pragma once

#include <QPixmap>

#include <functional>

class QLabel;

namespace zavevad {

/// Draws a picture for a screen of the given device-pixel ratio.
using PictureForRatio = std::function<QPixmap(qreal devicePixelRatio)>;

/// An empty picture of `size` logical pixels for a screen of `ratio` device
/// pixels each (1 when ratio is not positive); painters on it draw in
/// logical pixels.
QPixmap blankPicture(QSize size, qreal ratio);

/// Shows the picture `draw` makes on `label`, drawn for the label's screen,
/// and draws it again when the label comes to a screen of another pixel
/// ratio, so that it stays sharp at 150 % and 200 %.
void setSharpPicture(QLabel &label, PictureForRatio draw);

} // namespace zavevad
