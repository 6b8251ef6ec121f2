#include "charts/window/stripartwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace zavevad::stripartwork {

namespace {

constexpr int kStripHeight = 44;

const QColor kTop(0x3a, 0x44, 0x52);
const QColor kBottom(0x22, 0x29, 0x32);
const QColor kHighlight(0x5a, 0x66, 0x75);
const QColor kShadow(0x14, 0x18, 0x1e);

/// The strip's background: a calm vertical gradient between a light top edge
/// and a dark bottom edge, the same in every part so that the parts join.
QPixmap stripBackground(int width)
{
    QPixmap pixmap(width, kStripHeight);
    QPainter painter(&pixmap);
    QLinearGradient gradient(0, 0, 0, kStripHeight);
    gradient.setColorAt(0.0, kTop);
    gradient.setColorAt(1.0, kBottom);
    painter.fillRect(pixmap.rect(), gradient);
    painter.fillRect(QRect(0, 0, width, 1), kHighlight);
    painter.fillRect(QRect(0, kStripHeight - 1, width, 1), kShadow);
    return pixmap;
}

} // namespace

QPixmap leftPicture()
{
    QPixmap pixmap = stripBackground(339);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    // A row of faint dots over the drag handle (16,3 313 x 13) hints that the
    // strip can be grabbed.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 46));
    for (int x = 20; x <= 324; x += 4)
        painter.drawEllipse(QPointF(x + 0.5, 9.5), 0.9, 0.9);

    // Thin separators between "Plik", "Edycja" and "Formatuj".
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int x : {53, 109, 165}) {
        painter.fillRect(QRect(x, 22, 1, 13), QColor(255, 255, 255, 38));
        painter.fillRect(QRect(x + 1, 22, 1, 13), QColor(0, 0, 0, 50));
    }
    return pixmap;
}

QPixmap middlePicture()
{
    return stripBackground(30);
}

QPixmap rightPicture()
{
    QPixmap pixmap = stripBackground(30);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    // The close mark fills the close label's place (8,0 17 x 17).
    const QRectF box(8.5, 1.5, 16, 15);
    QPainterPath frame;
    frame.addRoundedRect(box, 3, 3);
    painter.fillPath(frame, QColor(255, 255, 255, 28));
    QPen pen(QColor(235, 238, 242), 1.6);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    const QPointF c = box.center();
    const double r = 3.8;
    painter.drawLine(c + QPointF(-r, -r), c + QPointF(r, r));
    painter.drawLine(c + QPointF(r, -r), c + QPointF(-r, r));
    return pixmap;
}

QPixmap gripPicture()
{
    QPixmap pixmap(15, 15);
    pixmap.fill(QColor(0x2c, 0x34, 0x3e));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // Three ribs towards the bottom-right corner, the way resize grips look.
    QPen light(QColor(200, 206, 214), 1.2);
    light.setCapStyle(Qt::RoundCap);
    painter.setPen(light);
    for (int k : {4, 8, 12})
        painter.drawLine(QPointF(13.5 - k, 13.5), QPointF(13.5, 13.5 - k));
    return pixmap;
}

} // namespace zavevad::stripartwork
