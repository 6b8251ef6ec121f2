#pragma once

#include "chartengine/axisscale.h"
#include "chartengine/chart.h"
#include "chartengine/chartdraw.h"
#include "chartengine/chartrenderer.h"
#include "chartengine/projection.h"

#include <QFontMetricsF>
#include <QHash>
#include <QLineF>
#include <QRectF>
#include <QSizeF>

#include <optional>

class QPainter;
class QPaintDevice;

namespace zavevad::chart {

class LabelPlacer;
class Scene;

/// The bar and line series with their axes, walls and grid: the layout
/// within the room left by the header, footer and legend, then the painting.
class AxisChart
{
public:
    AxisChart(const Chart &chart, QPaintDevice *device);

    void layout(const QRectF &area, const ViewState &view);
    ChartGeometry geometry() const;
    /// Smallest point size the engine shrinks a label to before it leaves labels out.
    static constexpr double kMinLabelPoints = 7.0;
    void paint(QPainter &painter) const;

private:
    struct CategoryLabels
    {
        int first = 0;
        int last = -1;
        int step = 1;
    };

    double valueUnit(double value) const;
    /// Position of a category along its axis, 0 to 1 (top to bottom for bars).
    double categoryUnit(double position) const;
    QPointF valuePoint(double category, double value, double z) const;
    const QList<Point> &categoryPoints() const;
    QString categoryLabel(int index) const;

    /// What the plot's edges leave room for besides the axis labels.
    struct FrameRoom
    {
        bool axes = false;
        QSizeF leftTitle;
        QSizeF bottomTitle;
        double leftTitleRoom = 0.0;
        double depthShare = 0.0; ///< 3D depth, 0 to 1
        bool oblique = false;
    };
    /// Room the axis labels take beside the plot.
    struct LabelRoom
    {
        double leftWidth = 0.0;
        double rightPad = 10.0;
        double bottomLabelHeight = 0.0;
    };

    // Layout steps, in the order layout() takes them.
    void resolveView(const QRectF &area, const ViewState &view);
    FrameRoom measureFrame() const;
    QRectF estimatePlot(const FrameRoom &frame) const;
    LabelRoom measureLabels(const FrameRoom &frame, const QRectF &plot, double depth);
    QRectF placePlot(const FrameRoom &frame, const LabelRoom &labels) const;
    void project(const FrameRoom &frame, const QRectF &plot);
    void fitScales(const FrameRoom &frame, const QRectF &plot);

    /// An axis label as placed: its tick, its box (turned upright boxes
    /// stand on end) and the text as shown.
    struct AxisLabel
    {
        QLineF tick;
        QRectF box;
        QString text;
        bool upright = false;
        bool category = false;
        int index = -1;
    };

    /// Lays the chart out once, its upright names in rows as m_nameRows says.
    void layoutOnce(const QRectF &area, const ViewState &view);
    /// Picks the largest size, down to kMinLabelPoints, at which every
    /// category name has room along lengthPx; failing that, two staggered
    /// columns of names on the left axis, or two rows of upright names
    /// under it as m_nameRows allows.
    void fitCategoryFont(double lengthPx);
    double categoryExtent(const QFontMetricsF &fm) const;
    void placeAxisLabels();
    /// Widest name on the left axis: less when the names stand in two columns.
    double staggeredCap() const;
    /// The bar marks' font, shrunk towards kMinLabelPoints when the bars stand close.
    void fitBarMarksFont();
    /// The same for the line's marks, which stand above and below the points.
    void fitLineMarksFont();

    double obliqueDepth(const FrameRoom &frame, const QRectF &plot) const;
    double bottomRoom(const FrameRoom &frame, double labelHeight) const;
    double valueLength(const QRectF &plot, double depth) const;
    double categoryLength(const QRectF &plot, double depth) const;
    void computeValueRange(double lengthPx, double crossPx);
    void layoutDepths();
    CategoryLabels thinCategories(double lengthPx, double labelExtent) const;
    /// Widest of the names shown, each fitted to cap, in m_categoryFont.
    double maxCategoryLabelWidth(const CategoryLabels &labels, double cap) const;

    void paintWalls(QPainter &painter) const;
    void paintGrid(QPainter &painter) const;
    void paintAxes(QPainter &painter) const;
    void addBars(Scene &scene) const;
    void addLine(Scene &scene) const;
    /// The 3D line's band between points index and index + 1 on screen (a
    /// segment when flat).
    QPolygonF ribbonShape(int index) const;
    /// Box coordinates of bar i, or false when it is not drawn.
    bool barBox(int index, double &xa, double &xb, double &yc) const;
    /// Some of a series' mark texts run together, to measure their ink.
    QString inkSample(const Series &series) const;
    /// Screen box of the marker of line point i, with its 3D depth.
    QRectF lineMarkerBox(int index) const;
    void addBarObstacles(LabelPlacer &placer) const;
    void addLineObstacles(LabelPlacer &placer) const;
    void placeMarks();
    void placeBarMarks(LabelPlacer &placer);
    void placeLineMarks(LabelPlacer &placer);
    void paintMarks(QPainter &painter) const;
    void paintLabels(QPainter &painter) const;

    const Chart &m_chart;
    QPaintDevice *m_device;
    bool m_bars = false;
    bool m_line = false;
    bool m_valuesHorizontal = false;
    qsizetype m_count = 0;

    /// The room given to the chart, and the area zoomed from it.
    QRectF m_room;
    QRectF m_area;
    Projection m_projection = Projection::flat(QRectF());
    ViewState m_view;
    ViewState m_full;
    ViewState m_shown;
    AxisScale m_scale;
    CategoryLabels m_categoryLabels;
    double m_labelCap = 100.0;
    /// Length of the category axis as first estimated (pixels).
    double m_categoryLengthGuess = 1e9;
    /// Width of the widest bar mark, measured once per layout (-1: not yet).
    double m_widestBarMark = -1.0;
    /// Category names along the bottom axis turned upright, cut to m_rotatedCap.
    bool m_rotatedCategories = false;
    double m_rotatedCap = 0.0;
    // Wall strips along the axes, in pixels.
    double m_strip = 0.0;
    // Bars in box units: half their thickness, their shift within the
    // category, and how far back they reach (the box reaches to 1).
    double m_barHalf = 0.0;
    double m_barShift = 0.0;
    double m_barDepth = 1.0;
    /// How far back the 3D line's ribbon reaches, in box units.
    double m_ribbonDepth = 1.0;
    /// The category axis's labels font as fitted, and whether its names
    /// stand staggered: in two columns beside bars, in two rows under a
    /// line. m_nearColumn is the depth of the column or row nearer the axis.
    TextFont m_categoryFont;
    bool m_staggered = false;
    /// Upright names that find no room side by side: never a second row,
    /// a second row when it shows them all, or a second row in any case.
    enum class NameRows { One, TwoWhenTheyFit, Two };
    NameRows m_nameRows = NameRows::TwoWhenTheyFit;
    double m_nearColumn = 0.0;
    QList<AxisLabel> m_axisLabels;
    /// The bar series' marks with their fitted font (MarkMetrics keeps a reference).
    MarksSettings m_barMarksSettings;
    MarksSettings m_lineMarksSettings;
    std::optional<MarkMetrics> m_barMetrics;
    std::optional<MarkMetrics> m_lineMetrics;
    QList<MarkGeometry> m_barMarks;
    QList<MarkGeometry> m_lineMarks;
    /// Widths of the category names (whole and shortened; negative: not yet
    /// measured) per font: the layout tries several sizes and lays the chart
    /// out more than once, and measuring text is its costliest part.
    struct NameWidths
    {
        QList<double> whole;
        QList<double> shortened;
    };
    mutable QHash<QString, NameWidths> m_nameWidths;
};

} // namespace zavevad::chart
