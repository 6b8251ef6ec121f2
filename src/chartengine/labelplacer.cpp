#include "chartengine/labelplacer.h"

#include <algorithm>
#include <cmath>

namespace zavevad::chart {

namespace {

/// Rows are kept few, however tall the chart: the lookup only has to be
/// cheaper than testing every shape.
constexpr int kMaxRows = 512;

bool boxesOverlap(const QRectF &a, const QRectF &b)
{
    return a.left() < b.right() && b.left() < a.right() && a.top() < b.bottom()
            && b.top() < a.bottom();
}

/// The owner of a placed label: an obstacle to every other label.
constexpr int kLabelOwner = -2;

} // namespace

LabelPlacer::LabelPlacer(const QRectF &bounds, double labelGap)
    : m_bounds(bounds.normalized()), m_labelGap(std::max(labelGap, 0.0))
{
    const double h = std::max(m_bounds.height(), 1.0);
    const int rows = std::clamp(int(h / m_rowHeight) + 1, 1, kMaxRows);
    m_rowHeight = h / rows;
    m_rows.resize(rows + 1);
}

int LabelPlacer::rowOf(double y) const
{
    const double r = std::floor((y - m_bounds.top()) / m_rowHeight);
    if (!(r >= 0.0)) // also NaN
        return 0;
    return int(std::min(r, double(m_rows.size() - 1)));
}

void LabelPlacer::insert(Item item)
{
    if (!item.box.isValid() && item.shape.size() < 2)
        return;
    if (!boxesOverlap(item.box.adjusted(-1, -1, 1, 1), m_bounds.adjusted(-1, -1, 1, 1)))
        return;
    const int index = int(m_items.size());
    const int first = rowOf(item.box.top());
    const int last = rowOf(item.box.bottom());
    m_items.append(std::move(item));
    for (int r = first; r <= last; ++r)
        m_rows[r].append(index);
}

void LabelPlacer::addObstacle(const QPolygonF &convex, int owner)
{
    if (convex.isEmpty())
        return;
    QRectF box = convex.boundingRect();
    // A straight segment has an empty box; give it a hair of thickness.
    if (box.width() <= 0.0 || box.height() <= 0.0)
        box.adjust(-0.01, -0.01, 0.01, 0.01);
    insert(Item{box, convex.size() >= 2 ? convex : QPolygonF(), owner});
}

void LabelPlacer::addObstacle(const QRectF &rect, int owner)
{
    insert(Item{rect.normalized(), QPolygonF(), owner});
}

bool LabelPlacer::isFree(const QRectF &rect, int owner) const
{
    // Written so that a rectangle with a NaN edge is never inside.
    const bool inside = rect.left() >= m_bounds.left() - 0.5
            && rect.right() <= m_bounds.right() + 0.5 && rect.top() >= m_bounds.top() - 0.5
            && rect.bottom() <= m_bounds.bottom() + 0.5;
    if (!rect.isValid() || !inside)
        return false;
    // A label is measured against the others with the gap around it.
    const double g = m_labelGap;
    const QRectF near = rect.adjusted(-g, -g, g, g);
    const int first = rowOf(near.top());
    const int last = rowOf(near.bottom());
    for (int r = first; r <= last; ++r) {
        for (int index : m_rows[r]) {
            const Item &item = m_items[index];
            if (owner >= 0 && item.owner == owner)
                continue;
            if (!boxesOverlap(item.box, item.owner == kLabelOwner ? near : rect))
                continue;
            if (item.shape.isEmpty() || overlaps(item.shape, rect))
                return false;
        }
    }
    return true;
}

bool LabelPlacer::place(const QRectF &rect, int owner)
{
    if (!isFree(rect, owner))
        return false;
    // A label is an obstacle for every other label, whoever owns it.
    insert(Item{rect, QPolygonF(), kLabelOwner});
    m_placed.append(rect);
    return true;
}

bool LabelPlacer::overlaps(const QPolygonF &convex, const QRectF &rect)
{
    const qsizetype n = convex.size();
    if (n == 0)
        return false;
    if (!boxesOverlap(convex.boundingRect().adjusted(-1e-9, -1e-9, 1e-9, 1e-9), rect))
        return false;
    // Separating axes: the rectangle's two (the boxes above) and the normals
    // of the polygon's edges.
    const QPointF corners[4] = {
            rect.topLeft(), rect.topRight(), rect.bottomRight(), rect.bottomLeft()};
    for (qsizetype i = 0; i < n; ++i) {
        const QPointF a = convex[i];
        const QPointF b = convex[(i + 1) % n];
        const QPointF normal(a.y() - b.y(), b.x() - a.x());
        if (normal.x() == 0.0 && normal.y() == 0.0)
            continue;
        double lo = 1e300, hi = -1e300;
        for (const QPointF &p : convex) {
            const double v = p.x() * normal.x() + p.y() * normal.y();
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
        double rlo = 1e300, rhi = -1e300;
        for (const QPointF &p : corners) {
            const double v = p.x() * normal.x() + p.y() * normal.y();
            rlo = std::min(rlo, v);
            rhi = std::max(rhi, v);
        }
        if (rhi <= lo || rlo >= hi)
            return false;
        if (n == 2)
            break; // a segment has one normal
    }
    return true;
}

} // namespace zavevad::chart
