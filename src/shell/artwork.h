#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace zavevad::artwork {

/// The picture `name` of the shell's resources (an SVG under :/shell/),
/// drawn at exactly `size`. A missing picture gives a transparent pixmap.
QPixmap picture(const QString &name, QSize size);

/// The program icon at the usual sizes.
QIcon applicationIcon();

} // namespace zavevad::artwork
