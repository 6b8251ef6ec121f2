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

namespace zavevad::chart {

namespace {

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

void PieChart::layout(const QRectF &area)
{
    const Chart &c = m_chart;
    const PieSeries &pie = c.pie;
    QRectF a = area;
    if (c.view3D.view3D) {
        const double zoom = std::clamp(c.view3D.zoomPercent, 5, 300) / 100.0;
        a = QRectF(0, 0, area.width() * zoom, area.height() * zoom);
        a.moveCenter(area.center());
    }
    m_area = a;
    m_slices.clear();

    double total = 0.0;
    for (const Point &p : pie.points)
        total += std::isfinite(p.value) ? std::abs(p.value) : 0.0;
    const PieShape shape = pieShape(c);
    sizePie(shape, fitMarks(total));

    m_labels.clear();
    if (total <= 0.0)
        return;
    int biggest = -1;
    for (int i = 0; i < pie.points.size(); ++i) {
        const double v = pie.points[i].value;
        if (std::isfinite(v) && (biggest < 0 || std::abs(v) > std::abs(pie.points[biggest].value)))
            biggest = i;
    }
    const QList<double> spans = sliceSpans(total);
    double angle = pie.rotation;
    for (int i = 0; i < pie.points.size(); ++i) {
        const double span = spans[i];
        Slice s{i, angle, span, QPointF()};
        if (i == biggest && shape.explode > 0.0) {
            const double mid = radians(angle + span / 2.0);
            s.offset = QPointF(
                    shape.explode * m_rx * std::cos(mid), -shape.explode * m_ry * std::sin(mid));
        }
        m_slices.append(s);
        angle += span;
    }
    layoutMarks();
}

QSizeF PieChart::fitMarks(double total)
{
    const PieSeries &pie = m_chart.pie;
    const QRectF &a = m_area;
    m_markWidthCap = std::max(40.0, a.width() * 0.3);
    m_namedMarks = false;
    m_marks = pie.marks;
    if (!pie.marks.visible || pie.points.isEmpty())
        return QSizeF(0.0, 0.0);
    auto widest = [&]() {
        const QFontMetricsF fm = metricsFor(m_marks.font, m_device);
        double w = 0.0;
        for (const Point &p : pie.points)
            w = std::max(w, fm.horizontalAdvance(markLabel(p, total)));
        return markBoxSize(QSizeF(std::min(w, m_markWidthCap), 0)).width();
    };
    // Many slices share colours: their labels name them too, in text
    // down to the floor size, when the pie keeps a fair size beside them.
    const bool valuesOnly =
            pie.marks.style == MarksStyle::smsValue || pie.marks.style == MarksStyle::smsPercent;
    const double setPoints = pie.marks.font.font.pointSizeF();
    if (valuesOnly && pie.points.size() > kNamedSlices && setPoints > 0.0) {
        m_namedMarks = true;
        const double floorPoints = std::min(setPoints, kMinTextPoints);
        bool fits = false;
        for (double points : shrinkingSizes(setPoints, floorPoints)) {
            m_marks.font.font.setPointSizeF(points);
            const double pieW = a.width() - 2.0 * (widest() + kLeader + 2 * kGap);
            fits = pieW >= kMinPieShare * std::min(a.width(), a.height());
            if (fits)
                break;
        }
        if (!fits) {
            m_namedMarks = false;
            m_marks = pie.marks;
        }
    }
    const double markW = widest();
    return QSizeF(
            markW, markBoxSize(QSizeF(0, metricsFor(m_marks.font, m_device).height())).height());
}

void PieChart::sizePie(const PieShape &shape, const QSizeF &marks)
{
    const QRectF &a = m_area;
    const double markW = marks.width();
    const double markH = marks.height();
    const double explode = shape.explode;
    const double ratio = shape.ratio;
    const double thickX = shape.thickX;
    const double thickY = shape.thickY;
    const double availW =
            std::max(a.width() - 2.0 * (markW > 0 ? markW + kLeader + 2 * kGap : kGap), 10.0);
    const double availH = std::max(a.height() - 2.0 * kGap - (markW > 0 ? markH : 0.0), 10.0);
    // The pie with its moved-out slice and its thickness fits the room.
    const double byW = availW / (2.0 * (1.0 + explode) + thickX);
    const double byH = availH / (2.0 * ratio * (1.0 + explode) + thickY);
    double rx, ry, r;
    if (m_chart.pie.circled) {
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
    if (m_chart.pie.circled) {
        r = std::max(r, std::min({floorW, fullW, fullH}));
        rx = r;
        ry = r * ratio;
    } else {
        rx = std::max(rx, std::min(floorW, fullW));
        r = std::max(r, std::min(floorW, fullH));
        ry = r * ratio;
    }
    m_rx = std::max(rx, 1.0);
    m_ry = std::max(ry, 1.0);
    if (shape.tilted)
        m_thickness = QPointF(0.0, r * thickY);
    else
        m_thickness = QPointF(r * thickX, -r * thickY);
    m_centre = a.center() - m_thickness / 2.0;
}

QList<double> PieChart::sliceSpans(double total) const
{
    const QList<Point> &points = m_chart.pie.points;
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
    const double minSpan = std::min(qRadiansToDegrees(kMinWedge / std::min(m_rx, m_ry)),
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

QString PieChart::markLabel(const Point &point, double total) const
{
    const QString value = markText(m_marks.style, point, total);
    if (!m_namedMarks || point.label.isEmpty())
        return value;
    return shortName(point.label) + QLatin1Char(' ') + value;
}

QList<MarkGeometry> PieChart::marks() const
{
    QList<MarkGeometry> marks;
    for (const Label &label : m_labels)
        marks.append(
                MarkGeometry{label.point, label.box, label.text, m_marks.font.font.pointSizeF()});
    return marks;
}

QRectF PieChart::face() const
{
    return QRectF(m_centre.x() - m_rx, m_centre.y() - m_ry, 2 * m_rx, 2 * m_ry);
}

QList<PieSliceGeometry> PieChart::slices() const
{
    QList<PieSliceGeometry> list;
    for (const Slice &s : m_slices)
        list.append(PieSliceGeometry{s.index, s.start, s.span, m_centre + s.offset});
    return list;
}

QPointF PieChart::edgePoint(const Slice &s, double degrees) const
{
    const double t = radians(degrees);
    return m_centre + s.offset + QPointF(m_rx * std::cos(t), -m_ry * std::sin(t));
}

bool PieChart::sideVisible(double degrees) const
{
    const double t = radians(degrees);
    // Outward normal of the ellipse on screen, against the thickness.
    const double nx = m_ry * std::cos(t);
    const double ny = -m_rx * std::sin(t);
    return nx * m_thickness.x() + ny * m_thickness.y() > 1e-9;
}

void PieChart::paintSlice(QPainter &painter, const Slice &s) const
{
    const PieSeries &pie = m_chart.pie;
    const Point &point = pie.points[s.index];
    const QColor color = point.color.isValid() ? point.color : QColor(Qt::red);
    const bool hatched = pie.patterns;
    const QPointF c = m_centre + s.offset;
    const QPointF t = m_thickness;
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
                if (!sideVisible(normal))
                    continue;
                const QPointF e = edgePoint(s, angle);
                QPolygonF wall;
                wall << c << e << e + t << c + t;
                fillFace(wall, scaledColor(faceBase, 0.75), scaledColor(color, 0.75));
            }
        }
        // The rim, in runs of the arc that face the viewer.
        QLinearGradient shade(m_centre.x() - m_rx, 0, m_centre.x() + m_rx, 0);
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
            if (sideVisible((a0 + a1) / 2.0)) {
                if (top.isEmpty())
                    top << edgePoint(s, a0);
                top << edgePoint(s, a1);
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
        face << edgePoint(s, s.start + s.span * k / steps);
    fillFace(face, faceBase, color);
}

void PieChart::paint(QPainter &painter) const
{
    if (m_slices.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Back slices first: order by how far each slice's middle faces the viewer.
    QList<Slice> order = m_slices;
    const double tl = std::hypot(m_thickness.x(), m_thickness.y());
    if (tl > 0.0) {
        auto frontness = [&](const Slice &s) {
            const double m = radians(s.start + s.span / 2.0);
            return (m_ry * std::cos(m) * m_thickness.x() - m_rx * std::sin(m) * m_thickness.y())
                    / tl;
        };
        std::stable_sort(order.begin(), order.end(),
                [&](const Slice &a, const Slice &b) { return frontness(a) < frontness(b); });
    }
    for (const Slice &s : std::as_const(order)) {
        if (s.span > 0.0)
            paintSlice(painter, s);
    }
    paintMarks(painter);
    painter.restore();
}

} // namespace zavevad::chart
