#include "appearance/applyappearance.h"

#include <algorithm>

namespace zavevad {

namespace {

template<class T>
void setIfKnown(T &target, const std::optional<T> &value)
{
    if (value)
        target = *value;
}

} // namespace

std::optional<chart::Alignment> alignmentFromCode(std::int32_t code)
{
    switch (code) {
    case 0:
        return chart::Alignment::taLeftJustify;
    case 1:
        return chart::Alignment::taCenter;
    case 2:
        return chart::Alignment::taRightJustify;
    }
    return std::nullopt;
}

std::optional<chart::LegendTextStyle> legendTextStyleFromCode(std::int32_t code)
{
    switch (code) {
    case 0:
        return chart::LegendTextStyle::ltsPlain;
    case 1:
        return chart::LegendTextStyle::ltsXValue;
    case 2:
        return chart::LegendTextStyle::ltsRightValue;
    }
    return std::nullopt;
}

std::optional<chart::BarStyle> barStyleFromCode(std::int32_t code)
{
    switch (code) {
    case 0:
        return chart::BarStyle::bsRectangle;
    case 1:
        return chart::BarStyle::bsRectGradient;
    case 2:
        return chart::BarStyle::bsCilinder;
    case 3:
        return chart::BarStyle::bsArrow;
    }
    return std::nullopt;
}

std::optional<chart::PointerStyle> pointerStyleFromCode(std::int32_t code)
{
    switch (code) {
    case 0:
        return chart::PointerStyle::psRectangle;
    case 1:
        return chart::PointerStyle::psCircle;
    case 2:
        return chart::PointerStyle::psTriangle;
    case 3:
        return chart::PointerStyle::psStar;
    }
    return std::nullopt;
}

std::optional<chart::MarksStyle> marksStyleFromCode(std::int32_t code)
{
    switch (code) {
    case 0:
        return chart::MarksStyle::smsLabel;
    case 1:
        return chart::MarksStyle::smsValue;
    case 2:
        return chart::MarksStyle::smsPercent;
    case 3:
        return chart::MarksStyle::smsLabelValue;
    case 4:
        return chart::MarksStyle::smsLabelPercent;
    }
    return std::nullopt;
}

chart::BrushStyle brushFromTransparent(bool transparent)
{
    return transparent ? chart::BrushStyle::bsClear : chart::BrushStyle::bsSolid;
}

chart::GridStyle gridStyleFromDotted(std::int32_t dotted)
{
    return dotted != 0 ? chart::GridStyle::psDot : chart::GridStyle::psSolid;
}

chart::PictureMode pictureModeFromCentered(bool centered)
{
    return centered ? chart::PictureMode::pbmCenter : chart::PictureMode::pbmStretch;
}

chart::TextFont textFontOf(const TAppearanceFont &font)
{
    return chart::TextFont{chart::boundedFont(font.toQFont()), font.Color.toQColor()};
}

void applyHeaderGroup(const TChartAppearance &r, chart::Chart &c)
{
    setIfKnown(c.header.alignment, alignmentFromCode(r.TitleAlignment));
    setIfKnown(c.footer.alignment, alignmentFromCode(r.FootAlignment));
    c.footer.visible = r.FootVisible;
    c.header.visible = r.TitleVisible;
    c.header.brush = brushFromTransparent(r.TitleTransparent);
    c.footer.brush = brushFromTransparent(r.FootTransparent);
    c.footer.adjustFrame = r.FootAdjustFrame;
    c.header.adjustFrame = r.TitleAdjustFrame;
    c.header.font = textFontOf(r.TitleFont);
    c.footer.font = textFontOf(r.FootFont);
    c.header.frame.visible = r.TitleFramed;
    c.footer.frame.visible = r.FootFramed;
    c.header.color = r.TitleColor.toQColor();
    c.footer.color = r.FootColor.toQColor();
}

void applyAxisGroup(const TChartAppearance &r, chart::Chart &c)
{
    c.leftAxis.title = r.LeftAxisTitle.text();
    c.bottomAxis.title = r.BottomAxisTitle.text();
    c.leftAxis.titleAngle = r.LeftAxisTitleAngle;
    c.bottomAxis.titleAngle = r.BottomAxisTitleAngle;
    c.leftAxis.titleFont = textFontOf(r.LeftAxisTitleFont);
    c.bottomAxis.titleFont = textFontOf(r.BottomAxisTitleFont);
    c.leftAxis.axisColor = r.LeftAxisColor.toQColor();
    c.bottomAxis.axisColor = r.BottomAxisColor.toQColor();
    c.leftAxis.gridVisible = r.LeftGridVisible;
    c.bottomAxis.gridVisible = r.BottomGridVisible;
    c.leftAxis.gridStyle = gridStyleFromDotted(r.LeftGridDotted);
    c.bottomAxis.gridStyle = gridStyleFromDotted(r.BottomGridDotted);
    c.leftAxis.gridColor = r.LeftGridColor.toQColor();
    c.bottomAxis.gridColor = r.BottomGridColor.toQColor();
    c.leftAxis.labelsFont = textFontOf(r.LeftAxisLabelsFont);
    c.bottomAxis.labelsFont = textFontOf(r.BottomAxisLabelsFont);
    c.leftWall.color = r.LeftWallColor.toQColor();
    c.bottomWall.color = r.BottomWallColor.toQColor();
    c.leftWall.brush = brushFromTransparent(r.LeftWallTransparent);
    c.bottomWall.brush = brushFromTransparent(r.BottomWallTransparent);
}

void applyLegendGroup(const TChartAppearance &r, chart::Chart &c)
{
    c.legend.color = r.LegendColor.toQColor();
    c.legend.shadowColor = r.LegendShadowColor.toQColor();
    c.legend.font = textFontOf(r.LegendFont);
    c.legend.shadowSize = std::clamp(r.LegendShadowSize, 0, chart::kMaxShadowSize);
    c.legend.visible = r.LegendVisible;
    setIfKnown(c.legend.textStyle, legendTextStyleFromCode(r.LegendTextStyle));
    c.legend.topPos = std::clamp(r.LegendTopPos, 0, 100);
}

void applyBackgroundGroup(const TChartAppearance &r, chart::Chart &c)
{
    c.panel.gradientVisible = r.GradientVisible;
    c.panel.gradientStart = r.GradientStartColor.toQColor();
    c.panel.gradientEnd = r.GradientEndColor.toQColor();
    c.panel.color = r.OuterColor.toQColor();
    c.panel.frameColor = r.FrameColor.toQColor();
    c.backWall.color = r.BackColor.toQColor();
    c.panel.backImageInside = r.BackPictureInside;
    c.panel.backImageMode = pictureModeFromCentered(r.BackPictureCentered);
}

void applySeriesGroup(const TChartAppearance &r, chart::Chart &c)
{
    setIfKnown(c.bar.style, barStyleFromCode(r.BarShape));
    c.bar.origin = r.BarOrigin;
    c.bar.widthPercent = std::clamp(r.BarWidthPercent, 0, 100);

    c.pie.patterns = r.PiePatterns;
    c.pie.backColor = r.PieBackColor.toQColor();
    c.pie.explodeBiggest = std::clamp(r.PieExplodeBiggest, 0, 100);
    c.pie.rotation = r.PieRotation;
    // Set with the pie for every kind, so every apply leaves this depth.
    c.view3D.depthPercent = 20;

    setIfKnown(c.line.pointerStyle, pointerStyleFromCode(r.LinePointShape));
    c.line.pointerVisible = r.LinePointsVisible;
    c.line.pointerColor = r.LinePointColor.toQColor();
    c.line.pointerHorizSize = std::clamp(r.LinePointLength, 1, chart::kMaxPointerSize);
    c.line.pointerVertSize = std::clamp(r.LinePointWidth, 1, chart::kMaxPointerSize);
}

void applyMarksGroup(const TChartAppearance &r, chart::Series &s)
{
    s.marks.visible = r.MarksVisible;
    s.marks.transparent = r.MarksTransparent;
    s.marks.backColor = r.MarksBackColor.toQColor();
    setIfKnown(s.marks.style, marksStyleFromCode(r.MarksStyle));
    s.marks.font = textFontOf(r.MarksFont);
}

void ApplyAppearance(const TChartAppearance &record, chart::Chart &chart, int currentSeriesIndex)
{
    applyHeaderGroup(record, chart);
    applyAxisGroup(record, chart);
    applyLegendGroup(record, chart);
    applyBackgroundGroup(record, chart);
    applySeriesGroup(record, chart);
    if (currentSeriesIndex >= chart::BarSeriesIndex && currentSeriesIndex <= chart::LineSeriesIndex)
        applyMarksGroup(record, chart.series(currentSeriesIndex));
}

bool SelectAppearanceTarget(ChartKindState &state)
{
    const int index = seriesIndexOfKind(state.ShownChartKind);
    if (index < 0)
        return false;
    state.CurrentSeries = index;
    return true;
}

bool applyKindProjection(int kind, TChartAppearance &current, chart::Chart &chart)
{
    if (seriesIndexOfKind(kind) < 0)
        return false;
    const bool flat = kind != ChartKindPie;
    chart.view3D.orthogonal = flat;
    current.Perspective = flat;
    return true;
}

namespace {

/// A chart command or template load leaves the chart's 3D view and walls as
/// they were, while it puts other values into the record; the record takes
/// the chart's back so that the "Efekty 3D" boxes, which show the record,
/// tell what the chart does. The pie's walls box is hidden, and its walls
/// are the coupling's, so a pie's record keeps its walls.
void mirrorChart3D(int kind, TChartAppearance &current, const chart::Chart &chart)
{
    current.View3D = chart.view3D.view3D;
    if (kind != ChartKindPie)
        current.View3DWalls = chart.view3D.walls3D;
}

} // namespace

bool ApplyChartKind(int kind, TChartAppearance &current, chart::Chart &chart, ChartKindState &state)
{
    if (seriesIndexOfKind(kind) < 0)
        return false;
    state.ShownChartKind = kind;
    switch (kind) {
    case ChartKindBar:
        chart.setSeriesActive(chart::PieSeriesIndex, false);
        chart.setSeriesActive(chart::BarSeriesIndex, true);
        chart.setSeriesActive(chart::LineSeriesIndex, false);
        break;
    case ChartKindPie:
        chart.setSeriesActive(chart::BarSeriesIndex, false);
        chart.setSeriesActive(chart::PieSeriesIndex, true);
        chart.setSeriesActive(chart::LineSeriesIndex, false);
        break;
    case ChartKindLine:
        chart.setSeriesActive(chart::BarSeriesIndex, false);
        chart.setSeriesActive(chart::PieSeriesIndex, false);
        chart.setSeriesActive(chart::LineSeriesIndex, true);
        break;
    }
    SelectAppearanceTarget(state);
    applyKindProjection(kind, current, chart);
    ApplyAppearance(current, chart, state.CurrentSeries);
    mirrorChart3D(kind, current, chart);
    return true;
}

} // namespace zavevad
