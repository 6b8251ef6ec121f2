#include "charts/window/stripartwork.h"

#include "ui/sharppicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace zavevad::stripartwork {

namespace {

// The main window's palette: a dark title band, a slate menu band under a
// light hairline, and an amber accent line closing the strip.
const QColor kTitleTop(0x27, 0x36, 0x4a);
const QColor kTitleBottom(0x1b, 0x26, 0x36);
const QColor kMenuTop(0x34, 0x50, 0x6e);
const QColor kMenuBottom(0x2a, 0x42, 0x5c);
const QColor kMenuHairline(0x4d, 0x6c, 0x8d);
const QColor kAccent(0xe0, 0xa5, 0x26);

constexpr int kStripHeight = 44;
/// The title band holds the drag handle (top 3, 13 high); the menu labels
/// (tops 21 and 22) sit in the menu band below it.
constexpr int kMenuBandTop = 18;
constexpr int kAccentHeight = 2;

QPixmap stripBackground(int width, qreal ratio)
{
    QPixmap pixmap = blankPicture(QSize(width, kStripHeight), ratio);
    QPainter painter(&pixmap);
    QLinearGradient title(0, 0, 0, kMenuBandTop);
    title.setColorAt(0.0, kTitleTop);
    title.setColorAt(1.0, kTitleBottom);
    painter.fillRect(QRect(0, 0, width, kMenuBandTop), title);
    const int menuBottom = kStripHeight - kAccentHeight;
    QLinearGradient menu(0, kMenuBandTop, 0, menuBottom);
    menu.setColorAt(0.0, kMenuTop);
    menu.setColorAt(1.0, kMenuBottom);
    painter.fillRect(QRect(0, kMenuBandTop, width, menuBottom - kMenuBandTop), menu);
    painter.fillRect(QRect(0, kMenuBandTop, width, 1), kMenuHairline);
    painter.fillRect(QRect(0, menuBottom, width, kAccentHeight), kAccent);
    return pixmap;
}

} // namespace

QPixmap leftPicture(qreal ratio)
{
    return stripBackground(339, ratio);
}

QPixmap middlePicture(qreal ratio)
{
    return stripBackground(30, ratio);
}

QPixmap rightPicture(qreal ratio)
{
    QPixmap pixmap = stripBackground(30, ratio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // The main window's close button, centred in the close label (8,0 17 x 17).
    const QRectF box(10.5, 2.5, 13, 13);
    QPainterPath frame;
    frame.addRoundedRect(box, 2.5, 2.5);
    painter.fillPath(frame, QColor(0xa3, 0x3c, 0x32));
    painter.setPen(QPen(QColor(0xd0, 0x76, 0x6c), 1));
    painter.drawPath(frame);
    QPen cross(Qt::white, 1.8);
    cross.setCapStyle(Qt::RoundCap);
    painter.setPen(cross);
    const QPointF c = box.center();
    const double r = 2.8;
    painter.drawLine(c + QPointF(-r, -r), c + QPointF(r, r));
    painter.drawLine(c + QPointF(r, -r), c + QPointF(-r, r));
    return pixmap;
}

QPixmap gripPicture(qreal ratio)
{
    QPixmap pixmap = blankPicture(QSize(15, 15), ratio);
    pixmap.fill(kMenuBottom);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // Three ribs towards the bottom-right corner, the way resize grips look.
    QPen rib(QColor(0xcf, 0xe2, 0xf5), 1.2);
    rib.setCapStyle(Qt::RoundCap);
    painter.setPen(rib);
    for (int k : {4, 8, 12})
        painter.drawLine(QPointF(13.5 - k, 13.5), QPointF(13.5, 13.5 - k));
    return pixmap;
}

QColor gripPanelColor()
{
    return kMenuHairline;
}

} // namespace zavevad::stripartwork
