#pragma once

#include <QImage>

namespace zavevad {

/// The 25 x 25 picture of a paging arrow: a light rounded square with a dark
/// triangle pointing `direction` (Qt::UpArrow, DownArrow, LeftArrow, RightArrow).
QImage arrowPicture(Qt::ArrowType direction, qreal devicePixelRatio = 1.0);

} // namespace zavevad
