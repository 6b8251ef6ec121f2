#include "tables/view/arrowpicture.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace zavevad {

QImage arrowPicture(Qt::ArrowType direction, qreal devicePixelRatio)
{
    constexpr int kSide = 25;
    QImage image(QSize(kSide, kSide) * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(1.5, 1.5, kSide - 3, kSide - 3);
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0, QColor(248, 248, 246));
    fill.setColorAt(1, QColor(214, 216, 212));
    painter.setPen(QPen(QColor(70, 74, 72), 1.0));
    painter.setBrush(fill);
    painter.drawRoundedRect(box, 4, 4);

    // A triangle pointing up, turned to the wanted direction about the centre.
    const QPolygonF up{QPointF(12.5, 7), QPointF(19, 16.5), QPointF(6, 16.5)};
    qreal angle = 0;
    switch (direction) {
    case Qt::DownArrow:
        angle = 180;
        break;
    case Qt::LeftArrow:
        angle = 270;
        break;
    case Qt::RightArrow:
        angle = 90;
        break;
    default:
        break;
    }
    QTransform turn;
    turn.translate(12.5, 12.5).rotate(angle).translate(-12.5, -12.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 64, 64));
    painter.drawPolygon(turn.map(up));
    return image;
}

} // namespace zavevad
