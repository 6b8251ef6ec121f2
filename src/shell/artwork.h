#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

class QLabel;

namespace zavevad::artwork {

/// The picture `name` of the shell's resources (an SVG under :/shell/),
/// drawn at exactly `size` logical pixels for a screen of `devicePixelRatio`
/// device pixels each. A missing picture gives a transparent pixmap.
QPixmap picture(const QString &name, QSize size, qreal devicePixelRatio = 1.0);

/// Shows the picture `name` at `size` on `label`, drawn for the label's
/// screen, and draws it again when the label comes to a screen of another
/// pixel ratio, so that it is sharp at any scale.
void setPicture(QLabel &label, const QString &name, QSize size);

/// The program icon at the usual sizes.
QIcon applicationIcon();

} // namespace zavevad::artwork
