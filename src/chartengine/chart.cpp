#include "chartengine/chart.h"

#include <QtGlobal>

#include <algorithm>

namespace zavevad::chart {

namespace {

TextFont makeFont(int pointSize, bool bold, const QColor &color)
{
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(pointSize);
    font.setBold(bold);
    return TextFont{font, color};
}

} // namespace

Chart::Chart()
{
    header.lines = QStringList{QStringLiteral("Wykres 1")};
    header.font = makeFont(11, true, Qt::white);
    footer.lines = QStringList{QStringLiteral("Stopka")};
    footer.visible = false;
    footer.font = makeFont(8, false, Qt::white);

    leftAxis.titleAngle = 90;
    for (AxisSettings *axis : {&leftAxis, &bottomAxis}) {
        axis->titleFont = makeFont(9, true, Qt::white);
        axis->labelsFont = makeFont(8, false, Qt::white);
    }

    legend.font = makeFont(8, false, Qt::black);

    resetSeriesTitles();
    bar.marks.visible = true;
    pie.marks.visible = true;
    pie.circled = true;
    pie.rotation = 300;
    line.marks.visible = false;
    for (Series *s : {static_cast<Series *>(&bar), static_cast<Series *>(&pie),
                 static_cast<Series *>(&line)})
        s->marks.font = makeFont(8, false, Qt::black);

    // The design state is the one in force while the pie is shown.
    couplePie(true);
}

void Chart::resetSeriesTitles()
{
    bar.title = QStringLiteral("wykres 1");
    pie.title = QStringLiteral("wykres2");
    line.title = QStringLiteral("wykres3");
}

Series &Chart::series(int index)
{
    return const_cast<Series &>(static_cast<const Chart *>(this)->series(index));
}

const Series &Chart::series(int index) const
{
    switch (index) {
    case BarSeriesIndex:
        return bar;
    case PieSeriesIndex:
        return pie;
    case LineSeriesIndex:
        return line;
    }
    qFatal("zavevad::chart::Chart::series: index %d out of range", index);
}

void Chart::setSeriesActive(int index, bool active)
{
    if (index == PieSeriesIndex)
        setPieActive(active);
    else
        series(index).active = active;
}

void Chart::setPieActive(bool active)
{
    // Every chart command and template load sets the series again; running
    // the coupling then would switch the walls back on behind the appearance
    // dialog's back.
    if (active != pie.active)
        couplePie(active);
}

void Chart::couplePie(bool active)
{
    pie.active = active;
    const bool axesOn = !active;
    axesVisible = axesOn;
    clipPoints = axesOn;
    view3D.walls3D = axesOn;
    panel.frameVisible = axesOn;
    backWall.brush = axesOn ? BrushStyle::bsSolid : BrushStyle::bsClear;
    zoomEnabled = axesOn;
    panEnabled = axesOn;

    view3D.orthogonal = false;
    view3D.rotation = 360;
    view3D.elevation = 315;
    view3D.perspective = 0;
    view3D.tilt = 0;
}

QFont boundedFont(const QFont &font)
{
    QFont bounded = font;
    if (font.pointSize() > kMaxFontPointSize)
        bounded.setPointSize(kMaxFontPointSize);
    else if (font.pixelSize() > kMaxFontPointSize)
        bounded.setPixelSize(kMaxFontPointSize);
    return bounded;
}

} // namespace zavevad::chart
