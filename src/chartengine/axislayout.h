#pragma once

// The axis chart's layout as a sequence of stages: each takes the inputs and
// the values of the stages before it and returns a value of its own, ending
// in an AxisLayout that scene building and painting only read. Trying the
// chart another way is laying it out again with other inputs and comparing
// the two values. Fonts stay in points and are measured on the device painted
// on, so the same inputs lay out alike on screen, in a picture, SVG, PDF and print.

#include "chartengine/axisscale.h"
#include "chartengine/chart.h"
#include "chartengine/chartdraw.h"
#include "chartengine/chartrenderer.h"
#include "chartengine/projection.h"

#include <QFontMetricsF>
#include <QHash>
#include <QLineF>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>

#include <memory>

class QPaintDevice;

namespace zavevad::chart {

/// Upright names that find no room side by side: never a second row, a
/// second row when it shows them all, or a second row in any case.
enum class NameRows { One, TwoWhenTheyFit, Two };

/// Widths of the category names (whole and shortened; negative: not yet
/// measured) per font. The layout tries several sizes and is laid out more
/// than once, and measuring text is its costliest part; the memo never
/// changes a result.
class NameWidthCache
{
public:
    struct Widths
    {
        QList<double> whole;
        QList<double> shortened;
    };
    Widths &forFont(const QFont &font, qsizetype count);

private:
    QHash<QString, Widths> m_widths;
};

/// What one layout is asked for.
struct AxisInputs
{
    const Chart &chart;
    QPaintDevice *device = nullptr;
    QRectF area;
    ViewState view;
    NameRows nameRows = NameRows::TwoWhenTheyFit;
    NameWidthCache *nameWidths = nullptr;
};

/// Stage 1: the series drawn, the view, the room and what the plot's edges
/// leave room for besides the axis labels.
struct AxisFrame
{
    bool bars = false;
    bool line = false;
    bool valuesHorizontal = false;
    qsizetype count = 0;
    /// The room given to the chart, and the area zoomed from it.
    QRectF room;
    QRectF area;
    /// The view asked for, once found usable; the category ranges of the
    /// unzoomed view and of the one drawn (the value ranges come later).
    ViewState view;
    ViewState full;
    ViewState shown;
    /// Longest axis label (pixels).
    double labelCap = 100.0;
    /// Wall strips along the axes (pixels).
    double strip = 0.0;
    bool axes = false;
    QSizeF leftTitle;
    QSizeF bottomTitle;
    double leftTitleRoom = 0.0;
    double depthShare = 0.0; ///< 3D depth, 0 to 1
    bool oblique = false;
    /// Width of the widest bar mark as set (pixels).
    double widestBarMark = 0.0;

    const QList<Point> &categoryPoints(const Chart &chart) const;
    double obliqueDepth(const QRectF &plot) const;
    double bottomRoom(double labelHeight) const;
    double valueLength(const QRectF &plot, double depth) const;
    double categoryLength(const QRectF &plot, double depth) const;
};

/// The value axis: the ranges unzoomed and drawn, and the values labelled.
struct ValueAxis
{
    double fullMin = 0.0;
    double fullMax = 1.0;
    double shownMin = 0.0;
    double shownMax = 1.0;
    AxisScale scale;
};

/// The categories labelled: first to last, every step-th.
struct CategoryLabels
{
    int first = 0;
    int last = -1;
    int step = 1;
};

/// The category axis's names: their font as fitted, whether they stand
/// upright (under a line) and staggered (in two columns beside bars, two
/// rows under a line), and which are shown.
struct CategoryFit
{
    TextFont font;
    bool rotated = false;
    bool staggered = false;
    /// Upright names are cut to this (pixels).
    double rotatedCap = 0.0;
    CategoryLabels labels;
};

/// Room the axis labels take beside the plot.
struct LabelRoom
{
    double leftWidth = 0.0;
    double rightPad = 10.0;
    double bottomLabelHeight = 0.0;
};

/// The plot as projected, with the values mapped onto it.
struct AxisGeometry
{
    Projection projection = Projection::flat(QRectF());
    ViewState shown;
    bool valuesHorizontal = false;
    double strip = 0.0;
    // Bars in box units: half their thickness, their shift within the
    // category, and how far back they reach (the box reaches to 1).
    double barHalf = 0.0;
    double barShift = 0.0;
    double barDepth = 1.0;
    /// How far back the 3D line's ribbon reaches, in box units.
    double ribbonDepth = 1.0;

    double valueUnit(double value) const;
    /// Position of a category along its axis, 0 to 1 (top to bottom for bars).
    double categoryUnit(double position) const;
    QPointF valuePoint(double category, double value, double z) const;
    /// Box coordinates of bar index, or false when it is not drawn.
    bool barBox(const BarSeries &bar, int index, double &xa, double &xb, double &yc) const;
    /// The 3D line's band between points index and index + 1 on screen (a
    /// segment when flat).
    QPolygonF ribbonShape(const LineSeries &line, int index) const;
    /// Screen box of the marker of line point index, with its 3D depth.
    QRectF lineMarkerBox(const LineSeries &line, int index) const;
};

/// An axis label as placed: its tick, its box (turned upright boxes stand on
/// end) and the text as shown.
struct AxisLabel
{
    QLineF tick;
    QRectF box;
    QString text;
    bool upright = false;
    bool category = false;
    int index = -1;
};

/// A series' marks settings as fitted, with the room its labels take.
struct FittedMarks
{
    FittedMarks(const MarksSettings &marks, QPaintDevice *device, const QString &sample)
        : settings(marks), metrics(settings, device, sample)
    { }
    FittedMarks(const FittedMarks &) = delete;
    FittedMarks &operator=(const FittedMarks &) = delete;

    const MarksSettings settings;
    const MarkMetrics metrics; ///< refers to settings
};

/// A series' value labels as placed (no fitted: none drawn).
struct PlacedMarks
{
    std::shared_ptr<const FittedMarks> fitted;
    QList<MarkGeometry> marks;
};

/// The finished layout of the axis chart.
struct AxisLayout
{
    AxisFrame frame;
    ValueAxis values;
    CategoryFit categories;
    AxisGeometry geometry;
    QList<AxisLabel> axisLabels;
    PlacedMarks barMarks;
    PlacedMarks lineMarks;

    ViewState full() const;
};

/// The layout with the names under a line in one row or two, whichever shows more.
AxisLayout layOutAxisChart(const AxisInputs &in);

/// The stages, in the order layOutAxisChart takes them.
namespace axisstages {

AxisFrame frame(const AxisInputs &in);
ValueAxis valueAxis(const AxisInputs &in, const AxisFrame &frame, double lengthPx, double crossPx,
        double categoryLengthGuess);
/// The category names fitted to an axis of length lengthPx: the largest
/// size, down to the least label size, at which every one has room; failing
/// that, two staggered columns on the left axis, or two rows of upright
/// names under it as in.nameRows allows.
CategoryFit fitCategories(const AxisInputs &in, const AxisFrame &frame, double lengthPx);
/// The names fitted to a plot, and the room the labels take beside it.
struct CategoryRoom
{
    CategoryFit fit;
    LabelRoom room;
};
CategoryRoom measureLabels(const AxisInputs &in, const AxisFrame &frame, const ValueAxis &values,
        const QRectF &plot, double depth);
QRectF placePlot(const AxisInputs &in, const AxisFrame &frame, const LabelRoom &labels);
AxisGeometry project(const AxisInputs &in, const AxisFrame &frame, const QRectF &plot);
/// The font chosen on the estimate again, on the plot as it came out.
CategoryFit refitCategories(
        const AxisInputs &in, const AxisFrame &frame, const CategoryFit &fit, double lengthPx);
QList<AxisLabel> placeAxisLabels(const AxisInputs &in, const AxisFrame &frame,
        const ValueAxis &values, const AxisGeometry &geometry, const CategoryFit &fit);
/// The bar marks' font, shrunk towards the least size when the bars stand close.
MarksSettings fitBarMarks(
        const AxisInputs &in, const AxisFrame &frame, const AxisGeometry &geometry);
/// The value labels of both series, clear of the shapes and of each other.
struct SeriesMarks
{
    PlacedMarks bar;
    PlacedMarks line;
};
SeriesMarks placeMarks(const AxisInputs &in, const AxisFrame &frame, const AxisGeometry &geometry,
        const MarksSettings &barSettings);

// Measures the stages share.
CategoryLabels thinCategories(const AxisFrame &frame, double lengthPx, double labelExtent);
/// Widest of the names shown, each fitted to cap, in font.
double maxCategoryLabelWidth(const AxisInputs &in, const AxisFrame &frame, const TextFont &font,
        const CategoryLabels &labels, double cap);
double categoryExtent(const AxisInputs &in, const AxisFrame &frame, const CategoryFit &fit,
        const QFontMetricsF &fm);
/// Widest name on the left axis: less when the names stand in two columns.
double staggeredCap(const AxisFrame &frame, bool staggered);

} // namespace axisstages

} // namespace zavevad::chart
