#pragma once

#include "appearance/chartappearance.h"
#include "chartengine/chart.h"

#include <cstdint>
#include <optional>

namespace zavevad {

/// Chart kinds as the menu chooses them.
enum ChartKindCode : std::int32_t {
    ChartKindNone = 0,
    ChartKindBar = 1,
    ChartKindPie = 2,
    ChartKindLine = 3,
};

/// Chart-kind state of the chart window, for the whole run.
struct ChartKindState
{
    /// The kind last chosen from the menu (1 bar, 2 pie, 3 line); the chart
    /// commands set it before building, the template load and "Formatuj" read it.
    std::int32_t ChartKind = ChartKindNone;
    /// The kind last applied; 0 before the first chart.
    std::int32_t ShownChartKind = ChartKindNone;
    /// Index of the series the value-label settings act on (chart::SeriesIndex),
    /// -1 before the first chart.
    int CurrentSeries = -1;

    friend bool operator==(const ChartKindState &, const ChartKindState &) = default;
};

/// The series list index of a chart kind, -1 for anything but 1, 2 or 3.
constexpr int seriesIndexOfKind(int kind)
{
    return kind >= ChartKindBar && kind <= ChartKindLine ? kind - 1 : -1;
}

/// Whether the dialog page "Osie" is enabled for a kind: the pie has no axes.
constexpr bool axesPageEnabled(int kind)
{
    return kind == ChartKindBar || kind == ChartKindLine;
}

/// Points `CurrentSeries` at the series of `ShownChartKind`. Returns false and
/// changes nothing for a kind other than 1, 2 or 3; otherwise the caller
/// enables the dialog page "Osie" as `axesPageEnabled(ShownChartKind)` says.
bool SelectAppearanceTarget(ChartKindState &state);

/// The projection that goes with a kind: orthogonal and `Perspective` 1 for
/// the bar and line charts, oblique and 0 for the pie. Returns false and
/// changes nothing for any other kind. "Formatuj" runs it when the dialog closes.
bool applyKindProjection(int kind, TChartAppearance &current, chart::Chart &chart);

/// The chart side of showing a chart of one kind: records the kind, activates
/// only its series (the pie through the chart's pie coupling), selects the
/// target series, sets the projection and applies the record. Returns false
/// and touches nothing for a kind other than 1, 2 or 3. On true the window
/// shows the dialog panel of the kind, enables "Osie" as `axesPageEnabled`
/// says, repaints the chart and shows itself.
bool ApplyChartKind(
        int kind, TChartAppearance &current, chart::Chart &chart, ChartKindState &state);

/// Pushes the record into the chart in six groups: headers, axes, legend,
/// backgrounds, all three series, and the value labels of the series at
/// `currentSeriesIndex` only (none when it is not 0, 1 or 2). A code outside
/// its range leaves that chart setting as it was. The header and footer texts,
/// `BackPictureOn`, `ReservedColor` and the 3D fields are never applied; the
/// 3D depth becomes 20 percent. Font sizes, the legend's shadow and position,
/// the bar width, the pie explosion and the marker sizes reach the chart
/// within its bounds (chart.h); the record keeps what it holds. The caller
/// repaints the chart afterwards.
void ApplyAppearance(const TChartAppearance &record, chart::Chart &chart, int currentSeriesIndex);

// The six groups one by one, for the dialog pages that re-apply a group.
void applyHeaderGroup(const TChartAppearance &record, chart::Chart &chart);
void applyAxisGroup(const TChartAppearance &record, chart::Chart &chart);
void applyLegendGroup(const TChartAppearance &record, chart::Chart &chart);
void applyBackgroundGroup(const TChartAppearance &record, chart::Chart &chart);
void applySeriesGroup(const TChartAppearance &record, chart::Chart &chart);
void applyMarksGroup(const TChartAppearance &record, chart::Series &series);

// Code translations; nothing for a code outside the listed values.
std::optional<chart::Alignment> alignmentFromCode(std::int32_t code);
std::optional<chart::LegendTextStyle> legendTextStyleFromCode(std::int32_t code);
std::optional<chart::BarStyle> barStyleFromCode(std::int32_t code);
std::optional<chart::PointerStyle> pointerStyleFromCode(std::int32_t code);
std::optional<chart::MarksStyle> marksStyleFromCode(std::int32_t code);
/// Non-zero: not filled.
chart::BrushStyle brushFromTransparent(bool transparent);
/// Non-zero: dotted.
chart::GridStyle gridStyleFromDotted(std::int32_t dotted);
/// Non-zero: centred.
chart::PictureMode pictureModeFromCentered(bool centered);
/// The font, with its colour, that a chart element receives from a font field,
/// its size within chart::boundedFont's bounds.
chart::TextFont textFontOf(const TAppearanceFont &font);

} // namespace zavevad
