#pragma once

#include "chartengine/chart.h"

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QWidget>

namespace zavevad::chart {

/// Shows a Chart and lets the user zoom and pan a bar or line chart with the
/// mouse when the chart allows it: a left drag down and to the right zooms
/// into the rectangle, a left drag up or to the left shows everything again,
/// a right drag pans. A click without dragging emits clicked().
class ChartWidget : public QWidget
{
    Q_OBJECT

public:
    /// Shows `chart`, which belongs to the caller and outlives the widget.
    explicit ChartWidget(Chart &chart, QWidget *parent = nullptr);

    /// The settings and points drawn; call refresh() after changing them.
    Chart &chart() { return m_chart; }
    const Chart &chart() const { return m_chart; }

    /// Repaints after the chart changed. A zoom is dropped when the chart no
    /// longer allows it or its points changed.
    void refresh();

    const ViewState &viewState() const { return m_view; }
    void setViewState(const ViewState &view);
    /// Shows every point again.
    void resetZoom();

    /// The chart as shown, at the widget's size.
    QImage toImage() const;
    /// The chart as shown, as an SVG document of the given size.
    QByteArray toSvg(const QSize &size, const QString &title) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void clicked();
    /// The zoom or pan changed.
    void viewChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    enum class Drag { None, Click, Zoom, Pan };

    bool canZoomOrPan() const;
    QByteArray dataSignature() const;
    void zoomTo(const QRect &band);
    void panBy(const QPoint &delta);

    Chart &m_chart;
    ViewState m_view;
    QByteArray m_signature;
    Drag m_drag = Drag::None;
    Qt::MouseButton m_button = Qt::NoButton;
    QPoint m_pressPos;
    QPoint m_lastPos;
    bool m_moved = false;
};

} // namespace zavevad::chart
