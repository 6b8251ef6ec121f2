#pragma once

// The renderer's parts: one rendering lays out the header, footer, legend
// and chart, then paints them. Not part of the engine's interface.

#include "chartengine/axischart.h"
#include "chartengine/chart.h"
#include "chartengine/chartrenderer.h"
#include "chartengine/piechart.h"
#include "chartengine/xychart.h"

#include <QColor>
#include <QFontMetricsF>
#include <QList>
#include <QRectF>
#include <QString>

#include <optional>

class QPainter;
class QPaintDevice;

namespace zavevad::chart::rendering {

/// Space between the chart and the edges of its picture (pixels).
inline constexpr double kMargin = 8.0;

struct LegendEntry
{
    QString label;
    QString value;
    QColor color;
    int pattern = -1; ///< slice index whose hatch the box shows, or -1
    double labelWidth = 0.0;
    /// Follows the label, which is shortened before it when need be.
    QString suffix;
};

/// One rendering: the layout of every part, then the painting.
class Renderer
{
public:
    Renderer(const Chart &chart, const QRectF &target, const ViewState &view, QPaintDevice *device)
        : m_chart(chart), m_target(target), m_view(view), m_device(device)
    { }

    void layout();
    void paint(QPainter &painter) const;
    ChartGeometry geometry() const;

private:
    QRectF layoutTitle(const TitleSettings &title, double y, bool fromBottom) const;
    void paintPanel(QPainter &painter) const;
    void paintTitle(QPainter &painter, const TitleSettings &title, const QRectF &box) const;
    QList<const Series *> activeSeries() const;
    qsizetype legendEntryCount() const;
    QList<LegendEntry> legendEntries(int limit) const;
    void layoutLegend(QRectF &room);
    /// Lays the legend out with the given font and number of columns; false
    /// when not every entry finds a row, or the legend gets too wide.
    bool fitLegend(const TextFont &font, int columns, double space, qsizetype count, bool last);
    /// The rows' height and their texts' baseline: closer than a line when need be.
    void pitchLegendRows(
            const QFontMetricsF &fm, double space, qsizetype count, qsizetype perColumn);
    QRectF legendRow(qsizetype index) const;
    void paintLegend(QPainter &painter) const;

    const Chart &m_chart;
    QRectF m_target;
    ViewState m_view;
    QPaintDevice *m_device;

    QRectF m_header;
    QRectF m_footer;
    QRectF m_legend;
    QList<LegendEntry> m_legendEntries;
    double m_legendRow = 0.0;
    /// From the top of a legend row to its texts' baseline.
    double m_legendBaseline = 0.0;
    double m_legendLabelWidth = 0.0;
    double m_legendValueWidth = 0.0;
    /// The legend's font as fitted, its columns and the width of one column.
    TextFont m_legendFont;
    int m_legendColumns = 1;
    int m_legendRowsPerColumn = 0;
    double m_legendColumnWidth = 0.0;
    std::optional<AxisChart> m_axisChart;
    std::optional<PieChart> m_pieChart;
    std::optional<XYChart> m_xyChart;
};

} // namespace zavevad::chart::rendering
