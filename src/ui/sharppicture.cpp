#include "ui/sharppicture.h"

#include <QEvent>
#include <QLabel>

#include <utility>

namespace zavevad {

namespace {

// Redraws a label's picture before it is painted on a screen whose pixel
// ratio differs from the one the picture was drawn for.
class SharpPicture : public QObject
{
public:
    SharpPicture(QLabel &label, PictureForRatio draw)
        : QObject(&label), m_label(label), m_draw(std::move(draw))
    {
        label.installEventFilter(this);
        update();
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &m_label && event->type() == QEvent::Paint
                && !qFuzzyCompare(m_label.pixmap().devicePixelRatio(), m_label.devicePixelRatioF()))
            update();
        return false;
    }

private:
    void update() { m_label.setPixmap(m_draw(m_label.devicePixelRatioF())); }

    QLabel &m_label;
    PictureForRatio m_draw;
};

} // namespace

QPixmap blankPicture(QSize size, qreal ratio)
{
    const qreal r = ratio > 0 ? ratio : 1.0;
    QPixmap pixmap(QSizeF(size * r).toSize());
    pixmap.setDevicePixelRatio(r);
    return pixmap;
}

void setSharpPicture(QLabel &label, PictureForRatio draw)
{
    new SharpPicture(label, std::move(draw));
}

} // namespace zavevad
