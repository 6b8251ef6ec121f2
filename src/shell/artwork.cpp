#include "shell/artwork.h"

#include "ui/sharppicture.h"

#include <QPainter>
#include <QSvgRenderer>

// The resource file lives in a static library: nothing references its data
// unless it is initialised explicitly, and it must be done outside a namespace.
static void initShellResources()
{
    Q_INIT_RESOURCE(shell);
}

namespace zavevad::artwork {

QPixmap picture(const QString &name, QSize size, qreal devicePixelRatio)
{
    static const bool initialised = (initShellResources(), true);
    Q_UNUSED(initialised);

    // Drawn in device pixels from the vector picture, not scaled up from a
    // small bitmap, so edges and text stay sharp at 150 % and 200 %.
    QPixmap pixmap = blankPicture(size, devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/shell/") + name + QStringLiteral(".svg"));
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    return pixmap;
}

void setPicture(QLabel &label, const QString &name, QSize size)
{
    setSharpPicture(label, [name, size](qreal ratio) { return picture(name, size, ratio); });
}

QIcon applicationIcon()
{
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(picture(QStringLiteral("icon"), QSize(side, side)));
    return icon;
}

} // namespace zavevad::artwork
