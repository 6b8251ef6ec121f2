// The pie's value labels: in a column on either side, led to their slices.
#include "chartengine/piechart.h"

#include "chartengine/chartconstants.h"
#include "chartengine/chartdraw.h"
#include "chartengine/chartformat.h"
#include "chartengine/scene.h"

#include <QPainter>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace zavevad::chart {

namespace {

/// A slice's label before it is placed.
struct PendingLabel
{
    int point;
    QString text;
    QPointF anchor;
    double y; ///< centre of the label
    double size;
};

/// Spreads a column of labels between the limits, none closer than a label
/// apart; labels close up to a hair apart before the smallest slices lose theirs.
void arrangeColumn(QList<PendingLabel> &column, double boxH, double topLimit, double bottomLimit)
{
    double pitch = boxH + 2.0;
    if (column.size() > 1 && (bottomLimit - topLimit) / pitch + 1 < column.size())
        pitch = std::max(boxH + 0.5, (bottomLimit - topLimit) / double(column.size() - 1));
    const int room = std::max(1, int((bottomLimit - topLimit) / pitch + 1e-9) + 1);
    if (column.size() > room) {
        std::stable_sort(column.begin(), column.end(),
                [](const PendingLabel &a, const PendingLabel &b) { return a.size > b.size; });
        column.resize(room);
    }
    std::stable_sort(column.begin(), column.end(),
            [](const PendingLabel &a, const PendingLabel &b) { return a.y < b.y; });
    for (qsizetype i = 0; i < column.size(); ++i) {
        double y = std::max(column[i].y, topLimit);
        if (i > 0)
            y = std::max(y, column[i - 1].y + pitch);
        column[i].y = y;
    }
    for (qsizetype i = column.size() - 1; i >= 0; --i) {
        double y = std::min(column[i].y, bottomLimit);
        if (i + 1 < column.size())
            y = std::min(y, column[i + 1].y - pitch);
        column[i].y = y;
    }
}

} // namespace

QList<PieLabel> layoutPieMarks(const Chart &chart, QPaintDevice *device, const QRectF &room,
        const PieMarksFit &fit, const PieDisc &disc, const QList<PieSlice> &slices)
{
    const PieSeries &pie = chart.pie;
    const MarksSettings &marks = fit.marks;
    QList<PieLabel> labels;
    if (!marks.visible)
        return labels;
    const QFontMetricsF fm = metricsFor(marks.font, device);
    const double total = seriesTotal(pie);
    const double boxH = markBoxSize(QSizeF(0, fm.height())).height();

    QList<PendingLabel> right, left;
    const double explodeRoom = std::clamp(pie.explodeBiggest, 0, 100) / 100.0;
    for (const PieSlice &s : slices) {
        const double mid = s.start + s.span / 2.0;
        const double m = qDegreesToRadians(mid);
        QPointF anchor = disc.edgePoint(s, mid);
        if (disc.sideVisible(mid))
            anchor += disc.thickness / 2.0;
        const double reach = disc.ry * (1.0 + explodeRoom) + kPieLeader;
        PendingLabel label{s.index,
                fm.elidedText(pieMarkLabel(fit, pie.points[s.index], total), Qt::ElideRight,
                        fit.widthCap),
                anchor, disc.centre.y() + disc.thickness.y() / 2.0 - std::sin(m) * reach,
                std::abs(s.span)};
        (std::cos(m) >= -1e-9 ? right : left).append(label);
    }

    const double topLimit = room.top() + boxH / 2.0;
    const double bottomLimit = room.bottom() - boxH / 2.0;
    arrangeColumn(right, boxH, topLimit, bottomLimit);
    arrangeColumn(left, boxH, topLimit, bottomLimit);

    // Labels sit just outside an ellipse around the pie, at the height the
    // arrangement gave them, so that short leaders reach every slice.
    const QPointF middle = disc.centre + disc.thickness / 2.0;
    const double ax =
            disc.rx * (1.0 + explodeRoom) + std::abs(disc.thickness.x()) / 2.0 + kPieLeader;
    const double ay =
            disc.ry * (1.0 + explodeRoom) + std::abs(disc.thickness.y()) / 2.0 + kPieLeader;
    for (const auto &[column, side] : {std::pair{&right, 1.0}, std::pair{&left, -1.0}}) {
        for (const PendingLabel &label : std::as_const(*column)) {
            const double dy = (label.y - middle.y()) / ay;
            const double reach = dy * dy < 1.0 ? ax * std::sqrt(1.0 - dy * dy) : 0.0;
            const double columnX = middle.x() + side * std::max(reach, ax * 0.35);
            const double w =
                    markBoxSize(QSizeF(fm.horizontalAdvance(label.text), fm.height())).width();
            QRectF box(0, 0, w, boxH);
            if (side > 0)
                box.moveTopLeft(QPointF(columnX + kGap, label.y - boxH / 2.0));
            else
                box.moveTopRight(QPointF(columnX - kGap, label.y - boxH / 2.0));
            // A label with no room beside the pie is left to the legend.
            if (box.left() < room.left() - 0.5 || box.right() > room.right() + 0.5)
                continue;
            labels.append(PieLabel{
                    label.point, label.text, label.anchor, QPointF(columnX, label.y), box});
        }
    }
    return labels;
}

void PieChart::paintMarks(QPainter &painter) const
{
    const MarksSettings &marks = m_layout.marks.marks;
    const QColor leaderColor =
            marks.transparent ? marks.font.color : scaledColor(marks.backColor, 0.8);
    for (const PieLabel &label : m_layout.labels) {
        painter.setPen(QPen(leaderColor, 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawLine(QLineF(label.anchor, label.elbow));
        drawMark(painter, marks, label.box, label.text);
    }
}

} // namespace zavevad::chart
