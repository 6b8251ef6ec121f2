#include "chartengine/piechart.h"

#include "chartengine/chartconstants.h"
#include "chartengine/chartdraw.h"
#include "chartengine/chartformat.h"
#include "chartengine/scene.h"

#include <QLinearGradient>
#include <QPainter>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <utility>

namespace zavevad::chart {

namespace {

/// The pie's 3D look: how far the biggest slice moves out (share of the
/// radius), the face's height to width, and the visible thickness per unit
/// of radius along x and y.
struct PieShape
{
    double explode = 0.0;
    double ratio = 1.0;
    double thickX = 0.0;
    double thickY = 0.0;
    bool tilted = false;
};

/// The pie is at least this share of its room's shorter side across; value
/// labels with no room outside it are left to the legend, which names every
/// slice with its value.
constexpr double kMinPieShare = 0.6;
/// Narrowest wedge of a slice of a non-zero value at the rim, in pixels.
constexpr double kMinWedge = 4.0;

double radians(double degrees)
{
    return qDegreesToRadians(degrees);
}

} // namespace

PieChart::PieChart(const Chart &chart, QPaintDevice *device) : m_chart(chart), m_device(device) { }

namespace {

PieShape pieShape(const Chart &c)
{
    PieShape shape;
    const bool view3D = c.view3D.view3D;
    shape.explode = std::clamp(c.pie.explodeBiggest, 0, 100) / 100.0;
    const double depth = view3D ? std::clamp(c.view3D.depthPercent, 0, 100) / 100.0 : 0.0;
    shape.tilted = view3D && !c.view3D.orthogonal;
    double tilt = 0.0;
    if (shape.tilted) {
        int e = c.view3D.elevation % 360;
        if (e > 180)
            e -= 360;
        if (e <= -180)
            e += 360;
        tilt = radians(std::clamp(std::abs(e), 0, 80));
    }
    shape.ratio = std::cos(tilt);
    if (shape.tilted) {
        shape.thickY = depth * std::sin(tilt);
    } else if (view3D) {
        shape.thickX = depth * 0.5;
        shape.thickY = depth * 0.5;
    }
    return shape;
}

} // namespace

namespace {

/// The room of the pie: the area, zoomed about its centre in the 3D view.
QRectF pieRoom(const Chart &c, const QRectF &area)
{
    if (!c.view3D.view3D)
        return area;
    const double zoom = std::clamp(c.view3D.zoomPercent, 5, 300) / 100.0;
    QRectF room(0, 0, area.width() * zoom, area.height() * zoom);
    room.moveCenter(area.center());
    return room;
}

double pieTotal(const PieSeries &pie)
{
    double total = 0.0;
    for (const Point &p : pie.points)
        total += std::isfinite(p.value) ? std::abs(p.value) : 0.0;
    return total;
}

/// The labels' font, names and width in `room`.
PieMarksFit fitMarks(const Chart &chart, QPaintDevice *device, const QRectF &room, double total)
{
    const PieSeries &pie = chart.pie;
    PieMarksFit fit;
    fit.widthCap = std::max(40.0, room.width() * 0.3);
    fit.marks = pie.marks;
    if (!pie.marks.visible || pie.points.isEmpty())
        return fit;
    auto widest = [&]() {
        const QFontMetricsF fm = metricsFor(fit.marks.font, device);
        double w = 0.0;
        for (const Point &p : pie.points)
            w = std::max(w, fm.horizontalAdvance(pieMarkLabel(fit, p, total)));
        return markBoxSize(QSizeF(std::min(w, fit.widthCap), 0)).width();
    };
    // Many slices share colours: their labels name them too, in text
    // down to the floor size, when the pie keeps a fair size beside them.
    const bool valuesOnly =
            pie.marks.style == MarksStyle::smsValue || pie.marks.style == MarksStyle::smsPercent;
    const double setPoints = pie.marks.font.font.pointSizeF();
    if (valuesOnly && pie.points.size() > kNamedSlices && setPoints > 0.0) {
        fit.named = true;
        const double floorPoints = std::min(setPoints, kMinTextPoints);
        bool fits = false;
        for (double points : shrinkingSizes(setPoints, floorPoints)) {
            fit.marks.font.font.setPointSizeF(points);
            const double pieW = room.width() - 2.0 * (widest() + kPieLeader + 2 * kGap);
            fits = pieW >= kMinPieShare * std::min(room.width(), room.height());
            if (fits)
                break;
        }
        if (!fits) {
            fit.named = false;
            fit.marks = pie.marks;
        }
    }
    const double markW = widest();
    fit.size = QSizeF(
            markW, markBoxSize(QSizeF(0, metricsFor(fit.marks.font, device).height())).height());
    return fit;
}

/// The pie's radii, thickness and centre in the room the labels leave.
PieDisc sizePie(const Chart &chart, const PieShape &shape, const QRectF &a, const QSizeF &marks)
{
    const double markW = marks.width();
    const double markH = marks.height();
    const double explode = shape.explode;
    const double ratio = shape.ratio;
    const double thickX = shape.thickX;
    const double thickY = shape.thickY;
    const double availW =
            std::max(a.width() - 2.0 * (markW > 0 ? markW + kPieLeader + 2 * kGap : kGap), 10.0);
    const double availH = std::max(a.height() - 2.0 * kGap - (markW > 0 ? markH : 0.0), 10.0);
    // The pie with its moved-out slice and its thickness fits the room.
    const double byW = availW / (2.0 * (1.0 + explode) + thickX);
    const double byH = availH / (2.0 * ratio * (1.0 + explode) + thickY);
    double rx, ry, r;
    if (chart.pie.circled) {
        r = std::min(byW, byH);
        rx = r;
        ry = r * ratio;
    } else {
        rx = byW;
        r = byH;
        ry = byH * ratio;
    }
    // The labels never shrink the pie below its share of the room: the pie
    // may then take their room, and labels that find none are left out.
    const double floorW = kMinPieShare * std::min(a.width(), a.height()) / 2.0;
    const double fullW = std::max(a.width() - 2.0 * kGap, 10.0) / (2.0 * (1.0 + explode) + thickX);
    const double fullH =
            std::max(a.height() - 2.0 * kGap, 10.0) / (2.0 * ratio * (1.0 + explode) + thickY);
    if (chart.pie.circled) {
        r = std::max(r, std::min({floorW, fullW, fullH}));
        rx = r;
        ry = r * ratio;
    } else {
        rx = std::max(rx, std::min(floorW, fullW));
        r = std::max(r, std::min(floorW, fullH));
        ry = r * ratio;
    }
    PieDisc disc;
    disc.rx = std::max(rx, 1.0);
    disc.ry = std::max(ry, 1.0);
    if (shape.tilted)
        disc.thickness = QPointF(0.0, r * thickY);
    else
        disc.thickness = QPointF(r * thickX, -r * thickY);
    disc.centre = a.center() - disc.thickness / 2.0;
    return disc;
}

/// Each point's angle in degrees, small values widened to a visible wedge.
QList<double> sliceSpans(const PieSeries &pie, const PieDisc &disc, double total)
{
    const QList<Point> &points = pie.points;
    QList<double> spans;
    spans.reserve(points.size());
    qsizetype nonZero = 0;
    for (const Point &p : points) {
        const double v = std::isfinite(p.value) ? std::abs(p.value) : 0.0;
        spans.append(360.0 * v / total);
        nonZero += v > 0.0 ? 1 : 0;
    }
    // A slice of a small value keeps a wedge that can be seen, taken from the
    // bigger slices in proportion; its label still gives the true value.
    const double minSpan = std::min(qRadiansToDegrees(kMinWedge / std::min(disc.rx, disc.ry)),
            nonZero > 0 ? 180.0 / double(nonZero) : 0.0);
    for (int round = 0; round < 3; ++round) {
        double raised = 0.0;
        double rest = 0.0;
        for (double span : std::as_const(spans)) {
            if (span > 0.0 && span < minSpan)
                raised += minSpan - span;
            else if (span >= minSpan)
                rest += span;
        }
        if (raised <= 0.0 || rest <= raised)
            break;
        const double scale = (rest - raised) / rest;
        for (double &span : spans) {
            if (span > 0.0 && span < minSpan)
                span = minSpan;
            else if (span >= minSpan)
                span *= scale;
        }
    }
    return spans;
}

/// The slices from the rotation on, the biggest moved out.
QList<PieSlice> pieSlices(
        const PieSeries &pie, const PieShape &shape, const PieDisc &disc, double total)
{
    int biggest = -1;
    for (int i = 0; i < pie.points.size(); ++i) {
        const double v = pie.points[i].value;
        if (std::isfinite(v) && (biggest < 0 || std::abs(v) > std::abs(pie.points[biggest].value)))
            biggest = i;
    }
    const QList<double> spans = sliceSpans(pie, disc, total);
    QList<PieSlice> slices;
    double angle = pie.rotation;
    for (int i = 0; i < pie.points.size(); ++i) {
        const double span = spans[i];
        PieSlice s{i, angle, span, QPointF()};
        if (i == biggest && shape.explode > 0.0) {
            const double mid = radians(angle + span / 2.0);
            s.offset = QPointF(shape.explode * disc.rx * std::cos(mid),
                    -shape.explode * disc.ry * std::sin(mid));
        }
        slices.append(s);
        angle += span;
    }
    return slices;
}

} // namespace

void PieChart::layout(const QRectF &area)
{
    const Chart &c = m_chart;
    PieLayout layout;
    layout.room = pieRoom(c, area);
    const double total = pieTotal(c.pie);
    const PieShape shape = pieShape(c);
    layout.marks = fitMarks(c, m_device, layout.room, total);
    layout.disc = sizePie(c, shape, layout.room, layout.marks.size);
    if (total > 0.0) {
        layout.slices = pieSlices(c.pie, shape, layout.disc, total);
        layout.labels =
                layoutPieMarks(c, m_device, layout.room, layout.marks, layout.disc, layout.slices);
    }
    m_layout = std::move(layout);
}

QString pieMarkLabel(const PieMarksFit &fit, const Point &point, double total)
{
    const QString value = markText(fit.marks.style, point, total);
    if (!fit.named || point.label.isEmpty())
        return value;
    return shortName(point.label) + QLatin1Char(' ') + value;
}

QList<MarkGeometry> PieChart::marks() const
{
    QList<MarkGeometry> marks;
    const double points = m_layout.marks.marks.font.font.pointSizeF();
    for (const PieLabel &label : m_layout.labels)
        marks.append(MarkGeometry{label.point, label.box, label.text, points});
    return marks;
}

QRectF PieChart::face() const
{
    const PieDisc &d = m_layout.disc;
    return QRectF(d.centre.x() - d.rx, d.centre.y() - d.ry, 2 * d.rx, 2 * d.ry);
}

QList<PieSliceGeometry> PieChart::slices() const
{
    QList<PieSliceGeometry> list;
    for (const PieSlice &s : m_layout.slices)
        list.append(PieSliceGeometry{s.index, s.start, s.span, m_layout.disc.centre + s.offset});
    return list;
}

QPointF PieDisc::edgePoint(const PieSlice &s, double degrees) const
{
    const double t = radians(degrees);
    return centre + s.offset + QPointF(rx * std::cos(t), -ry * std::sin(t));
}

bool PieDisc::sideVisible(double degrees) const
{
    const double t = radians(degrees);
    // Outward normal of the ellipse on screen, against the thickness.
    const double nx = ry * std::cos(t);
    const double ny = -rx * std::sin(t);
    return nx * thickness.x() + ny * thickness.y() > 1e-9;
}

void PieChart::paintSlice(QPainter &painter, const PieSlice &s) const
{
    const PieDisc &disc = m_layout.disc;
    const PieSeries &pie = m_chart.pie;
    const Point &point = pie.points[s.index];
    const QColor color = point.color.isValid() ? point.color : QColor(Qt::red);
    const bool hatched = pie.patterns;
    const QPointF c = disc.centre + s.offset;
    const QPointF t = disc.thickness;
    const bool thick = std::hypot(t.x(), t.y()) > 0.5;
    const int steps = std::max(2, int(std::ceil(s.span / 2.0)));
    const QPen edge(scaledColor(color, 0.55), 0);

    auto fillFace = [&](const QPolygonF &face, const QBrush &base, const QColor &hatchColor) {
        painter.setPen(edge);
        if (hatched) {
            painter.setBrush(base.gradient() ? base : QBrush(base.color()));
            painter.drawPolygon(face);
            drawHatch(painter, face, hatchColor, s.index);
            painter.setPen(edge);
            painter.setBrush(Qt::NoBrush);
            painter.drawPolygon(face);
        } else {
            painter.setBrush(base);
            painter.drawPolygon(face);
        }
    };
    const QColor faceBase = hatched ? pie.backColor : color;

    if (thick && s.span > 0.0) {
        if (s.span < 359.999) {
            for (const auto &[angle, normal] : {std::pair{s.start, s.start - 90.0},
                         std::pair{s.start + s.span, s.start + s.span + 90.0}}) {
                if (!disc.sideVisible(normal))
                    continue;
                const QPointF e = disc.edgePoint(s, angle);
                QPolygonF wall;
                wall << c << e << e + t << c + t;
                fillFace(wall, scaledColor(faceBase, 0.75), scaledColor(color, 0.75));
            }
        }
        // The rim, in runs of the arc that face the viewer.
        QLinearGradient shade(disc.centre.x() - disc.rx, 0, disc.centre.x() + disc.rx, 0);
        shade.setColorAt(0.0, scaledColor(faceBase, 0.5));
        shade.setColorAt(0.3, scaledColor(faceBase, 0.92));
        shade.setColorAt(0.65, scaledColor(faceBase, 0.8));
        shade.setColorAt(1.0, scaledColor(faceBase, 0.45));
        QPolygonF top;
        auto flush = [&]() {
            if (top.size() >= 2) {
                QPolygonF rim = top;
                for (qsizetype i = top.size() - 1; i >= 0; --i)
                    rim << top[i] + t;
                fillFace(rim, QBrush(shade), scaledColor(color, 0.7));
            }
            top.clear();
        };
        for (int k = 0; k < steps; ++k) {
            const double a0 = s.start + s.span * k / steps;
            const double a1 = s.start + s.span * (k + 1) / steps;
            if (disc.sideVisible((a0 + a1) / 2.0)) {
                if (top.isEmpty())
                    top << disc.edgePoint(s, a0);
                top << disc.edgePoint(s, a1);
            } else {
                flush();
            }
        }
        flush();
    }

    QPolygonF face;
    face.reserve(steps + 2);
    if (s.span < 359.999)
        face << c;
    for (int k = 0; k <= steps; ++k)
        face << disc.edgePoint(s, s.start + s.span * k / steps);
    fillFace(face, faceBase, color);
}

void PieChart::paint(QPainter &painter) const
{
    if (m_layout.slices.isEmpty())
        return;
    const PieDisc &disc = m_layout.disc;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Back slices first: order by how far each slice's middle faces the viewer.
    QList<PieSlice> order = m_layout.slices;
    const double tl = std::hypot(disc.thickness.x(), disc.thickness.y());
    if (tl > 0.0) {
        auto frontness = [&](const PieSlice &s) {
            const double m = radians(s.start + s.span / 2.0);
            return (disc.ry * std::cos(m) * disc.thickness.x()
                           - disc.rx * std::sin(m) * disc.thickness.y())
                    / tl;
        };
        std::stable_sort(order.begin(), order.end(),
                [&](const PieSlice &a, const PieSlice &b) { return frontness(a) < frontness(b); });
    }
    for (const PieSlice &s : std::as_const(order)) {
        if (s.span > 0.0)
            paintSlice(painter, s);
    }
    paintMarks(painter);
    painter.restore();
}

} // namespace zavevad::chart
