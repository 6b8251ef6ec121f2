#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace zavevad::chart {

// The enumerators carry the chart engine's own names so that code translating
// the appearance record reads like the table it follows.

/// Horizontal alignment of the header and footer text.
enum class Alignment { taLeftJustify, taCenter, taRightJustify };

/// Whether a box, wall or header is filled.
enum class BrushStyle { bsClear, bsSolid };

/// Grid line pen.
enum class GridStyle { psSolid, psDot };

/// What the legend shows for each point: the label, the value, or both.
enum class LegendTextStyle { ltsPlain, ltsXValue, ltsRightValue };

/// How the background picture fills its area.
enum class PictureMode { pbmCenter, pbmStretch };

enum class BarStyle { bsRectangle, bsRectGradient, bsCilinder, bsArrow };

enum class PointerStyle { psRectangle, psCircle, psTriangle, psStar };

/// What a value label (mark) shows.
enum class MarksStyle { smsLabel, smsValue, smsPercent, smsLabelValue, smsLabelPercent };

/// A font together with the colour its text is drawn in.
struct TextFont
{
    QFont font;
    QColor color = Qt::black;

    friend bool operator==(const TextFont &, const TextFont &) = default;
};

/// Pen of a frame drawn around an element.
struct FramePen
{
    bool visible = false;
    QColor color = Qt::black;
    Qt::PenStyle style = Qt::SolidLine;
    int width = 1;

    friend bool operator==(const FramePen &, const FramePen &) = default;
};

/// The header above the plot or the footer below it.
struct TitleSettings
{
    QStringList lines;
    Alignment alignment = Alignment::taCenter;
    bool visible = true;
    BrushStyle brush = BrushStyle::bsClear;
    /// True: the box hugs the text; false: it spans the chart's width.
    bool adjustFrame = true;
    TextFont font;
    FramePen frame;
    /// Fill of the box when the brush is solid.
    QColor color = Qt::white;

    friend bool operator==(const TitleSettings &, const TitleSettings &) = default;
};

/// The left (vertical) or bottom (horizontal) axis.
struct AxisSettings
{
    QString title;
    /// Angle of the title in degrees, counter-clockwise; 90 reads bottom to top.
    int titleAngle = 0;
    TextFont titleFont;
    TextFont labelsFont;
    QColor axisColor = Qt::black;
    bool gridVisible = true;
    GridStyle gridStyle = GridStyle::psDot;
    QColor gridColor = QColor(128, 128, 128);

    friend bool operator==(const AxisSettings &, const AxisSettings &) = default;
};

/// A wall of the plot: the left, bottom or back one. The back wall's colour is
/// the plot background colour.
struct WallSettings
{
    QColor color = Qt::white;
    BrushStyle brush = BrushStyle::bsSolid;

    friend bool operator==(const WallSettings &, const WallSettings &) = default;
};

struct LegendSettings
{
    bool visible = true;
    QColor color = Qt::white;
    QColor shadowColor = Qt::black;
    int shadowSize = 4;
    TextFont font;
    /// Top edge of the legend, in percent of the chart's height.
    int topPos = 13;
    LegendTextStyle textStyle = LegendTextStyle::ltsPlain;
    /// Width of the colour box in front of each entry, in pixels.
    int colorWidth = 15;

    friend bool operator==(const LegendSettings &, const LegendSettings &) = default;
};

/// The chart panel (everything around the plot) and the background picture.
/// The plot area's own background is the back wall (Chart::backWall).
struct PanelSettings
{
    bool gradientVisible = true;
    QColor gradientStart = QColor(128, 128, 128);
    QColor gradientEnd = QColor(81, 81, 81);
    /// Panel colour when the gradient is off.
    QColor color = QColor(240, 240, 240);
    bool frameVisible = false;
    QColor frameColor = Qt::black;
    /// Null when no picture is set.
    QImage backImage;
    /// True: the picture fills the plot area only; false: the whole chart.
    bool backImageInside = false;
    PictureMode backImageMode = PictureMode::pbmCenter;

    friend bool operator==(const PanelSettings &, const PanelSettings &) = default;
};

/// The pseudo-3D view. Rotation and elevation are in degrees; 360 and 315
/// give the usual view from the front, slightly from above and the right.
struct View3DSettings
{
    bool view3D = true;
    bool walls3D = false;
    /// Depth of the extrusion, percent of the plot's size.
    int depthPercent = 30;
    bool orthogonal = false;
    int perspective = 0;
    int elevation = 315;
    int rotation = 360;
    /// Scale of the plot, percent.
    int zoomPercent = 90;
    int tilt = 0;

    friend bool operator==(const View3DSettings &, const View3DSettings &) = default;
};

struct Point
{
    double value = 0.0;
    QString label;
    QColor color;

    friend bool operator==(const Point &, const Point &) = default;
};

/// Value labels drawn beside the points of a series.
struct MarksSettings
{
    bool visible = true;
    bool transparent = false;
    QColor backColor = QColor(255, 255, 225);
    MarksStyle style = MarksStyle::smsLabel;
    TextFont font;

    friend bool operator==(const MarksSettings &, const MarksSettings &) = default;
};

/// What every series has. Points keep the order in which they were added.
struct Series
{
    QString title;
    bool active = false;
    QList<Point> points;
    MarksSettings marks;

    void clear() { points.clear(); }
    void addPoint(double value, const QString &label, const QColor &color)
    {
        points.append(Point{value, label, color});
    }
    qsizetype count() const { return points.size(); }

    friend bool operator==(const Series &, const Series &) = default;
};

/// Horizontal bars: categories on the left axis, values along the bottom one.
struct BarSeries : Series
{
    BarStyle style = BarStyle::bsRectGradient;
    /// Value at which every bar starts.
    double origin = 0.0;
    /// Bar thickness, percent of the room of one category.
    int widthPercent = 40;
    /// Shift of the bar within its room, percent of the bar's thickness.
    int offsetPercent = 15;

    friend bool operator==(const BarSeries &, const BarSeries &) = default;
};

struct PieSeries : Series
{
    /// Slices hatched over backColor instead of filled with the point colours.
    bool patterns = false;
    QColor backColor = QColor(255, 0, 0);
    /// How far the biggest slice is moved out, percent of the radius.
    int explodeBiggest = 0;
    /// Angle at which the first slice starts, degrees.
    int rotation = 300;
    /// True: always round; false: an ellipse filling the plot.
    bool circled = true;

    friend bool operator==(const PieSeries &, const PieSeries &) = default;
};

/// A line through the points with markers: categories along the bottom axis,
/// values along the left one.
struct LineSeries : Series
{
    PointerStyle pointerStyle = PointerStyle::psRectangle;
    bool pointerVisible = true;
    QColor pointerColor = QColor(0, 255, 0);
    /// Half the marker's width and height, in pixels.
    int pointerHorizSize = 4;
    int pointerVertSize = 4;
    /// Colour of the line (and of the ribbon it forms in 3D).
    QColor lineColor = QColor(255, 255, 0);
    /// Whether the 3D sides of the ribbon are drawn darker than its front.
    bool dark3D = false;

    friend bool operator==(const LineSeries &, const LineSeries &) = default;
};

/// Index of each series in the chart's series list.
enum SeriesIndex : int { BarSeriesIndex = 0, PieSeriesIndex = 1, LineSeriesIndex = 2 };

// ---- A numeric plot: x against y ----

/// How the points of a numeric plot are drawn.
enum class XYStyle { Columns, Markers };

/// One point of a numeric plot; a label, when given, is written beside it.
struct XYPoint
{
    double x = 0.0;
    double y = 0.0;
    QColor color;
    QString label;

    friend bool operator==(const XYPoint &, const XYPoint &) = default;
};

/// A vertical line across the plot at x, its label written at its top.
struct ReferenceLine
{
    double x = 0.0;
    QString label;
    QColor color = Qt::black;
    Qt::PenStyle style = Qt::DashLine;

    friend bool operator==(const ReferenceLine &, const ReferenceLine &) = default;
};

/// A rectangle of the numeric plot in data units, shaded under the points
/// to mark the values that mean something; ends beyond the axes are cut at
/// the plot's edges.
struct XYZone
{
    double xLo = 0.0;
    double xHi = 0.0;
    double yLo = 0.0;
    double yHi = 0.0;
    QColor color;
    Qt::BrushStyle brush = Qt::SolidPattern;

    friend bool operator==(const XYZone &, const XYZone &) = default;
};

/// One legend row given as it stands rather than taken from the points.
struct LegendItem
{
    QString text;
    QColor color;

    friend bool operator==(const LegendItem &, const LegendItem &) = default;
};

/// A plot of numeric x against numeric y, drawn instead of the three series
/// while it is active: one column per point centred on its x (a histogram)
/// or one marker per point, each in the point's colour, with reference lines
/// and a legend of explicit items. Header, footer, axes, walls, legend and
/// panel follow the chart's settings; columns take the bar series' style and
/// value labels, markers the line series' pointer settings and labels font.
/// The pseudo-3D view does not apply: the plot is always drawn flat.
struct XYPlot
{
    bool active = false;
    XYStyle style = XYStyle::Markers;
    QList<XYPoint> points;
    QList<ReferenceLine> referenceLines;
    /// Drawn over the plot's background, under the grid and the points.
    QList<XYZone> zones;
    /// Written under the plot in the bottom axis's labels font, wrapped to
    /// the chart's width: what the plot itself cannot show. Empty: nothing.
    QString note;
    /// Empty: no legend rows.
    QList<LegendItem> legendItems;
    /// Fixed ends of the axes; without them an axis spans its data in whole steps.
    std::optional<double> xMin;
    std::optional<double> xMax;
    std::optional<double> yMin;
    std::optional<double> yMax;
    /// Axis labels at whole numbers only (counts, points, minutes).
    bool wholeNumbers = true;
    /// Heading of the box beside the plot that lists the point names with no
    /// free place beside their markers, so that no name is left out.
    QString overflowTitle;
    /// What a listener hears for each point, in the points' order, where the
    /// drawn label is left empty; may be shorter than the points.
    QStringList pointNames;
    /// Markers only: the points of each colour, in their order, are joined by
    /// a line of that colour under the markers (a series over time).
    bool joinByColour = false;

    void clear() { *this = XYPlot(); }

    friend bool operator==(const XYPlot &, const XYPlot &) = default;
};

/// A chart with three series that always exist. A default-constructed chart
/// holds the design settings of the chart window, with the pie active.
struct Chart
{
    Chart();

    /// The series' own titles ("wykres 1", "wykres2", "wykres3"), which a
    /// legend of two series shows; a chart of a table with a reference line
    /// names its bars and line instead.
    void resetSeriesTitles();

    TitleSettings header;
    TitleSettings footer;
    AxisSettings leftAxis;
    AxisSettings bottomAxis;
    bool axesVisible = false;
    WallSettings leftWall;
    WallSettings bottomWall;
    WallSettings backWall;
    LegendSettings legend;
    PanelSettings panel;
    View3DSettings view3D;
    /// Clip the series to the plot area.
    bool clipPoints = false;
    bool zoomEnabled = false;
    bool panEnabled = false;

    BarSeries bar;
    PieSeries pie;
    LineSeries line;
    /// While active, drawn in place of the three series.
    XYPlot xy;

    /// Series by list index (0 bar, 1 pie, 2 line); other indexes are a programming error.
    Series &series(int index);
    const Series &series(int index) const;

    /// Activates or deactivates a series; for the pie series this also
    /// switches the settings coupled to it (see setPieActive).
    void setSeriesActive(int index, bool active);

    /// Activating the pie turns axes, clipping, 3D walls, frame, solid back
    /// wall, zoom and pan off; deactivating it turns them on. Both reset the
    /// 3D view to oblique, rotation 360, elevation 315, perspective 0, tilt 0.
    /// Only a change of the pie's state does this: setting the state it
    /// already has leaves walls and view as the user made them.
    void setPieActive(bool active);

private:
    void couplePie(bool active);

    friend bool operator==(const Chart &, const Chart &) = default;
};

// Bounds of the settings that come from outside (a template). Beyond them a
// chart shows nothing more, but one paint can take seconds: a header font
// billions of pixels tall pushes the plot far outside the picture. Settings
// are brought within them when they reach the chart; the renderer draws the
// same picture for any value beyond a bound as for the bound itself.

/// The largest font size the font dialog offers, in points.
inline constexpr int kMaxFontPointSize = 512;
/// Legend shadow, in pixels.
inline constexpr int kMaxShadowSize = 100;
/// Marker half-sizes of the line series, in pixels.
inline constexpr int kMaxPointerSize = 500;

/// The font with its size within 1 to kMaxFontPointSize points (pixels for
/// a font sized in pixels); a font within them is returned as it is.
QFont boundedFont(const QFont &font);

/// The visible part of a bar or line chart after zooming and panning, in
/// data units of each axis: values for the value axis, point positions
/// (0 for the first point, 1 for the next...) for the category axis.
/// An inactive view state shows everything.
struct ViewState
{
    bool active = false;
    double valueMin = 0.0;
    double valueMax = 1.0;
    double categoryMin = 0.0;
    double categoryMax = 1.0;

    friend bool operator==(const ViewState &, const ViewState &) = default;
};

} // namespace zavevad::chart
