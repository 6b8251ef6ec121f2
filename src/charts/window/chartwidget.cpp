#include "charts/window/chartwidget.h"

#include "chartengine/chartrenderer.h"
#include "ui/focusframe.h"

#include <QAccessible>
#include <QCryptographicHash>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace zavevad::chart {

namespace {

/// Movement (pixels) below which a press and release count as a click.
constexpr int kClickSlop = 3;

} // namespace

ChartWidget::ChartWidget(Chart &chart, QWidget *parent) : QWidget(parent), m_chart(chart)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The chart is the window's one control for the keyboard: a reader
    // reads its name, description and data from the focus.
    setFocusPolicy(Qt::StrongFocus);
    m_signature = dataSignature();
}

QSize ChartWidget::sizeHint() const
{
    return QSize(555, 376);
}

QSize ChartWidget::minimumSizeHint() const
{
    return QSize(100, 80);
}

QByteArray ChartWidget::dataSignature() const
{
    QCryptographicHash hash(QCryptographicHash::Md5);
    for (int i = 0; i < 3; ++i) {
        const Series &s = m_chart.series(i);
        const char active = s.active ? 1 : 0;
        hash.addData(QByteArrayView(&active, 1));
        for (const Point &p : s.points) {
            hash.addData(QByteArrayView(reinterpret_cast<const char *>(&p.value), sizeof p.value));
            hash.addData(p.label.toUtf8());
        }
        hash.addData(QByteArrayView("|", 1));
    }
    return hash.result();
}

bool ChartWidget::canZoomOrPan() const
{
    return m_chart.bar.active || m_chart.line.active;
}

void ChartWidget::refresh()
{
    const QByteArray signature = dataSignature();
    const bool allowed = canZoomOrPan() && (m_chart.zoomEnabled || m_chart.panEnabled);
    if (m_view.active && (signature != m_signature || !allowed)) {
        m_view = ViewState{};
        Q_EMIT viewChanged();
    }
    m_signature = signature;
    update();
    // A screen reader reads the chart's name, description and data anew.
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    QAccessibleTableModelChangeEvent data(this, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&data);
}

void ChartWidget::setViewState(const ViewState &view)
{
    if (view == m_view)
        return;
    m_view = view;
    update();
    Q_EMIT viewChanged();
}

void ChartWidget::resetZoom()
{
    setViewState(ViewState{});
}

QImage ChartWidget::toImage() const
{
    return renderToImage(m_chart, size(), m_view);
}

QByteArray ChartWidget::toSvg(const QSize &size, const QString &title) const
{
    return renderToSvg(m_chart, size, title, m_view);
}

void ChartWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    renderChart(painter, m_chart, QRectF(rect()), m_view);
    if (m_drag == Drag::Zoom && m_moved) {
        // A rubber band visible on light and dark charts alike.
        const QRect band = QRect(m_pressPos, m_lastPos).normalized();
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 1, Qt::SolidLine));
        painter.drawRect(band);
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.drawRect(band);
    }
    if (hasFocus())
        drawFocusFrame(painter, rect());
}

void ChartWidget::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void ChartWidget::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

void ChartWidget::mousePressEvent(QMouseEvent *event)
{
    if (m_drag != Drag::None) {
        event->accept();
        return;
    }
    m_button = event->button();
    m_pressPos = event->position().toPoint();
    m_lastPos = m_pressPos;
    m_moved = false;
    m_drag = Drag::Click;
    if (canZoomOrPan()) {
        if (m_button == Qt::LeftButton && m_chart.zoomEnabled)
            m_drag = Drag::Zoom;
        else if (m_button == Qt::RightButton && m_chart.panEnabled)
            m_drag = Drag::Pan;
    }
    event->accept();
}

void ChartWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (m_drag == Drag::None)
        return;
    const QPoint pos = event->position().toPoint();
    if (!m_moved && (pos - m_pressPos).manhattanLength() >= kClickSlop)
        m_moved = true;
    if (m_drag == Drag::Pan && m_moved)
        panBy(pos - m_lastPos);
    m_lastPos = pos;
    if (m_drag == Drag::Zoom)
        update();
    event->accept();
}

void ChartWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_drag == Drag::None || event->button() != m_button)
        return;
    const Drag drag = m_drag;
    m_drag = Drag::None;
    m_lastPos = event->position().toPoint();
    if (!m_moved && (m_lastPos - m_pressPos).manhattanLength() >= kClickSlop)
        m_moved = true;
    if (!m_moved) {
        update();
        Q_EMIT clicked();
    } else if (drag == Drag::Zoom) {
        const QPoint d = m_lastPos - m_pressPos;
        if (d.x() > 0 && d.y() > 0)
            zoomTo(QRect(m_pressPos, m_lastPos));
        else
            resetZoom();
        update();
    }
    event->accept();
}

void ChartWidget::zoomTo(const QRect &band)
{
    const ChartGeometry g = chartGeometry(m_chart, QRectF(rect()), m_view, this);
    if (!g.hasAxes || g.plot.width() <= 0 || g.plot.height() <= 0)
        return;
    const QRectF r = QRectF(band).intersected(g.plot);
    if (r.width() < 1 || r.height() < 1)
        return;
    const ViewState &s = g.shown;
    const double fx0 = (r.left() - g.plot.left()) / g.plot.width();
    const double fx1 = (r.right() - g.plot.left()) / g.plot.width();
    const double fy0 = (r.top() - g.plot.top()) / g.plot.height();
    const double fy1 = (r.bottom() - g.plot.top()) / g.plot.height();
    const double vspan = s.valueMax - s.valueMin;
    const double cspan = s.categoryMax - s.categoryMin;
    ViewState v;
    v.active = true;
    if (g.valuesHorizontal) {
        v.valueMin = s.valueMin + fx0 * vspan;
        v.valueMax = s.valueMin + fx1 * vspan;
        v.categoryMin = s.categoryMin + fy0 * cspan;
        v.categoryMax = s.categoryMin + fy1 * cspan;
    } else {
        v.categoryMin = s.categoryMin + fx0 * cspan;
        v.categoryMax = s.categoryMin + fx1 * cspan;
        v.valueMin = s.valueMax - fy1 * vspan;
        v.valueMax = s.valueMax - fy0 * vspan;
    }
    setViewState(v);
}

void ChartWidget::panBy(const QPoint &delta)
{
    if (delta.isNull())
        return;
    const ChartGeometry g = chartGeometry(m_chart, QRectF(rect()), m_view, this);
    if (!g.hasAxes || g.plot.width() <= 0 || g.plot.height() <= 0)
        return;
    ViewState v = g.shown;
    v.active = true;
    const double vspan = v.valueMax - v.valueMin;
    const double cspan = v.categoryMax - v.categoryMin;
    // The content follows the mouse.
    if (g.valuesHorizontal) {
        const double dv = -delta.x() / g.plot.width() * vspan;
        const double dc = -delta.y() / g.plot.height() * cspan;
        v.valueMin += dv;
        v.valueMax += dv;
        v.categoryMin += dc;
        v.categoryMax += dc;
    } else {
        const double dc = -delta.x() / g.plot.width() * cspan;
        const double dv = delta.y() / g.plot.height() * vspan;
        v.valueMin += dv;
        v.valueMax += dv;
        v.categoryMin += dc;
        v.categoryMax += dc;
    }
    setViewState(v);
}

} // namespace zavevad::chart
