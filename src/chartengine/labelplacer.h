#pragma once

#include <QList>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>

namespace zavevad::chart {

/// Finds room for value labels: a label is placed only where it overlaps
/// neither a label placed before it nor a shape of the chart (a bar, a line,
/// a marker) other than the one it belongs to. Crowded charts thus lose some
/// labels instead of showing a heap of overlapping texts.
class LabelPlacer
{
public:
    /// Labels must lie within bounds; obstacles outside it are ignored.
    /// Two labels keep `labelGap` pixels apart (0: they may touch), so that
    /// texts side by side never read as one.
    explicit LabelPlacer(const QRectF &bounds, double labelGap = 0.0);

    /// A convex shape (its points in order around it; two points make a
    /// segment) that labels must keep clear of. owner names the point the
    /// shape belongs to, so that the point's own label may touch it.
    void addObstacle(const QPolygonF &convex, int owner = -1);
    void addObstacle(const QRectF &rect, int owner = -1);

    /// Whether rect lies within bounds, overlaps nothing but shapes of owner
    /// and keeps the gap from every label placed.
    bool isFree(const QRectF &rect, int owner = -1) const;
    /// Takes rect when it is free; true when it was taken.
    bool place(const QRectF &rect, int owner = -1);

    /// The labels placed so far, in the order they were placed.
    const QList<QRectF> &placed() const { return m_placed; }

    /// Whether a convex polygon (or a segment) and a rectangle overlap.
    static bool overlaps(const QPolygonF &convex, const QRectF &rect);

private:
    struct Item
    {
        QRectF box;
        QPolygonF shape; ///< empty for a rectangle
        int owner = -1;
    };

    void insert(Item item);
    int rowOf(double y) const;

    QRectF m_bounds;
    double m_labelGap = 0.0;
    double m_rowHeight = 16.0;
    QList<Item> m_items;
    /// Items by the rows of m_rowHeight pixels that their boxes touch.
    QList<QList<int>> m_rows;
    QList<QRectF> m_placed;
};

} // namespace zavevad::chart
