#include "ui/windowplacement.h"

#include <algorithm>
#include <limits>

namespace zavevad {

namespace {

constexpr int kGap = 8;

QPoint clampedInto(QPoint at, QSize size, const QRect &screen)
{
    const int x = std::clamp(
            at.x(), screen.left(), std::max(screen.left(), screen.right() + 1 - size.width()));
    const int y = std::clamp(
            at.y(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height()));
    return {x, y};
}

qint64 area(const QRect &r)
{
    return r.isEmpty() ? 0 : qint64(r.width()) * r.height();
}

} // namespace

QPoint placeBeside(QSize size, const QRect &screen, const QList<QRect> &keepVisible)
{
    QList<QRect> keep;
    for (const QRect &r : keepVisible) {
        if (!r.isEmpty())
            keep.append(r);
    }
    const QPoint centred(screen.left() + (screen.width() - size.width()) / 2,
            screen.top() + (screen.height() - size.height()) / 2);
    if (keep.isEmpty())
        return clampedInto(centred, size, screen);

    // Right of, left of, below and above each part, level with its top or
    // left edge, then with its bottom or right edge, pulled inside the screen.
    QList<QPoint> candidates;
    for (const QRect &r : std::as_const(keep)) {
        const int right = r.right() + 1 + kGap;
        const int left = r.left() - kGap - size.width();
        const int below = r.bottom() + 1 + kGap;
        const int above = r.top() - kGap - size.height();
        const int alignTop = r.top();
        const int alignBottom = r.bottom() + 1 - size.height();
        const int alignLeft = r.left();
        const int alignRight = r.right() + 1 - size.width();
        for (const QPoint &p : {QPoint(right, alignTop), QPoint(right, alignBottom),
                     QPoint(left, alignTop), QPoint(left, alignBottom), QPoint(alignLeft, below),
                     QPoint(alignRight, below), QPoint(alignLeft, above),
                     QPoint(alignRight, above)})
            candidates.append(clampedInto(p, size, screen));
    }
    candidates.append(clampedInto(centred, size, screen));

    // Covering the first part costs more than covering all the others.
    qint64 otherWeight = 1;
    for (qsizetype i = 1; i < keep.size(); ++i)
        otherWeight += area(keep[i]);
    QPoint best = candidates.first();
    qint64 bestCost = std::numeric_limits<qint64>::max();
    for (const QPoint &p : std::as_const(candidates)) {
        const QRect placed(p, size);
        qint64 cost = area(placed.intersected(keep.first())) * otherWeight;
        for (qsizetype i = 1; i < keep.size(); ++i)
            cost += area(placed.intersected(keep[i]));
        if (cost < bestCost) {
            bestCost = cost;
            best = p;
        }
    }
    return best;
}

} // namespace zavevad
