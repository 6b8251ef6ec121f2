// What a person sees in the rendered chart: colours, shapes and places.
#include "chartengine/chartrenderer.h"

#include <QXmlStreamReader>
#include <QtTest>

#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(zavevad::chart::ViewState)

using namespace zavevad::chart;

namespace {

const QSize kSize(555, 376);
const QColor kPanel(128, 128, 128);
const QList<QColor> kColors = {QColor(255, 0, 0), QColor(0, 200, 0), QColor(0, 0, 255),
        QColor(255, 255, 0), QColor(255, 0, 255), QColor(0, 255, 255)};

bool near(QRgb a, const QColor &b, int tolerance)
{
    return std::abs(qRed(a) - b.red()) <= tolerance && std::abs(qGreen(a) - b.green()) <= tolerance
            && std::abs(qBlue(a) - b.blue()) <= tolerance;
}

int countColor(const QImage &image, const QColor &color, int tolerance = 0, QRect region = QRect())
{
    if (region.isNull())
        region = image.rect();
    region &= image.rect();
    int n = 0;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = region.left(); x <= region.right(); ++x)
            n += near(line[x], color, tolerance) ? 1 : 0;
    }
    return n;
}

/// Longest run of pixels near a colour along a row.
int longestRun(const QImage &image, int y, const QColor &color, int tolerance)
{
    int best = 0, run = 0;
    for (int x = 0; x < image.width(); ++x) {
        run = near(image.pixel(x, y), color, tolerance) ? run + 1 : 0;
        best = std::max(best, run);
    }
    return best;
}

/// A plain chart on a flat grey panel: nothing but the series of the kind.
Chart plainChart(int seriesIndex, int points, double value = 10.0)
{
    Chart c;
    c.header.visible = false;
    c.legend.visible = false;
    c.panel.gradientVisible = false;
    c.panel.color = kPanel;
    c.backWall.color = kPanel;
    c.leftWall.brush = BrushStyle::bsClear;
    c.bottomWall.brush = BrushStyle::bsClear;
    c.setSeriesActive(PieSeriesIndex, seriesIndex == PieSeriesIndex);
    c.setSeriesActive(BarSeriesIndex, seriesIndex == BarSeriesIndex);
    c.setSeriesActive(LineSeriesIndex, seriesIndex == LineSeriesIndex);
    c.view3D.view3D = false;
    c.view3D.orthogonal = seriesIndex != PieSeriesIndex;
    c.leftAxis.gridVisible = false;
    c.bottomAxis.gridVisible = false;
    for (int i = 0; i < 3; ++i)
        c.series(i).marks.visible = false;
    for (int i = 0; i < points; ++i) {
        const QColor color = kColors[i % kColors.size()];
        c.bar.addPoint(value, QStringLiteral("P%1").arg(i), color);
        c.pie.addPoint(value, QStringLiteral("P%1").arg(i), color);
        c.line.addPoint(value + i, QStringLiteral("P%1").arg(i), color);
    }
    return c;
}

} // namespace

class TstChartRender : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void barsInPointColours_data();
    void barsInPointColours();
    void pieSlicesInPointColours_data();
    void pieSlicesInPointColours();
    void hatchedPie();
    void gridDottedOrSolid_data();
    void gridDottedOrSolid();
    void legendShadow_data();
    void legendShadow();
    void headerAlignment_data();
    void headerAlignment();
    void markerShapes_data();
    void markerShapes();
    void backWallIn3D_data();
    void backWallIn3D();
    void backgroundPicture_data();
    void backgroundPicture();
    void zoomShowsPartOfTheBars();
    void svgCopy();
    void oddDataRenders_data();
    void oddDataRenders();
    void oddViewsRender_data();
    void oddViewsRender();
    void hugeFontsRender_data();
    void hugeFontsRender();
    void extremeTitleAnglesRender_data();
    void extremeTitleAnglesRender();
};

void TstChartRender::barsInPointColours_data()
{
    QTest::addColumn<BarStyle>("style");
    QTest::addColumn<bool>("view3D");
    QTest::addColumn<int>("tolerance");
    QTest::newRow("rectangle 2D") << BarStyle::bsRectangle << false << 0;
    QTest::newRow("rectangle 3D") << BarStyle::bsRectangle << true << 0;
    QTest::newRow("gradient 2D") << BarStyle::bsRectGradient << false << 40;
    QTest::newRow("gradient 3D") << BarStyle::bsRectGradient << true << 40;
    QTest::newRow("cylinder 2D") << BarStyle::bsCilinder << false << 60;
    QTest::newRow("cylinder 3D") << BarStyle::bsCilinder << true << 60;
    QTest::newRow("arrow 3D") << BarStyle::bsArrow << true << 40;
}

void TstChartRender::barsInPointColours()
{
    QFETCH(BarStyle, style);
    QFETCH(bool, view3D);
    QFETCH(int, tolerance);
    Chart c = plainChart(BarSeriesIndex, 6);
    c.bar.style = style;
    c.view3D.view3D = view3D;
    c.bar.offsetPercent = 0;
    const QImage image = renderToImage(c, kSize);
    const ChartGeometry g = chartGeometry(c, QRectF(QPointF(), kSize), {}, nullptr);
    QVERIFY(g.hasAxes);
    QVERIFY(g.valuesHorizontal);
    for (int i = 0; i < 6; ++i) {
        // The first category is at the top.
        const int y = int(g.plot.top() + (i + 0.5) / 6.0 * g.plot.height());
        const int run = longestRun(image, y, kColors[i], tolerance);
        QVERIFY2(run >= 8, qPrintable(QStringLiteral("bar %1: run %2").arg(i).arg(run)));
    }
}

void TstChartRender::pieSlicesInPointColours_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<bool>("view3D");
    QTest::addColumn<int>("explode");
    QTest::newRow("six slices 2D") << 6 << false << 0;
    QTest::newRow("six slices 3D") << 6 << true << 0;
    QTest::newRow("six slices 3D, exploded") << 6 << true << 30;
    QTest::newRow("three slices") << 3 << true << 15;
    QTest::newRow("one slice") << 1 << true << 15;
}

void TstChartRender::pieSlicesInPointColours()
{
    QFETCH(int, points);
    QFETCH(bool, view3D);
    QFETCH(int, explode);
    Chart c = plainChart(PieSeriesIndex, points);
    c.view3D.view3D = view3D;
    c.pie.explodeBiggest = explode;
    const QImage image = renderToImage(c, kSize);
    int distinct = 0;
    for (const QColor &color : kColors) {
        if (countColor(image, color) > 300)
            ++distinct;
    }
    QCOMPARE(distinct, points);
}

void TstChartRender::hatchedPie()
{
    Chart c = plainChart(PieSeriesIndex, 2);
    const QColor background(255, 200, 120);
    c.pie.backColor = background;
    const QImage plain = renderToImage(c, kSize);
    QCOMPARE(countColor(plain, background), 0);

    c.pie.patterns = true;
    const QImage hatched = renderToImage(c, kSize);
    // Each slice shows its colour in lines over the pie's background.
    QVERIFY(countColor(hatched, background) > 2000);
    QVERIFY(countColor(hatched, kColors[0]) > 300);
    QVERIFY(countColor(hatched, kColors[1]) > 300);
    QVERIFY(countColor(hatched, kColors[0]) < countColor(plain, kColors[0]) / 2);
}

void TstChartRender::gridDottedOrSolid_data()
{
    QTest::addColumn<GridStyle>("style");
    QTest::newRow("solid") << GridStyle::psSolid;
    QTest::newRow("dotted") << GridStyle::psDot;
}

void TstChartRender::gridDottedOrSolid()
{
    QFETCH(GridStyle, style);
    Chart c = plainChart(LineSeriesIndex, 6);
    c.line.pointerVisible = false;
    const QColor grid(255, 0, 128);
    c.leftAxis.gridVisible = true;
    c.leftAxis.gridStyle = style;
    c.leftAxis.gridColor = grid;
    const QImage image = renderToImage(c, kSize);
    const ChartGeometry g = chartGeometry(c, QRectF(QPointF(), kSize), {}, nullptr);
    // The value axis is vertical: its grid lines are horizontal rows.
    int lines = 0;
    for (int y = int(g.plot.top()); y <= int(g.plot.bottom()); ++y) {
        const int pixels = countColor(image, grid, 0, QRect(0, y, kSize.width(), 1));
        if (pixels < g.plot.width() * 0.3)
            continue;
        ++lines;
        const int run = longestRun(image, y, grid, 0);
        if (style == GridStyle::psSolid) // the line crosses it once
            QVERIFY2(pixels > g.plot.width() * 0.9 && run > g.plot.width() * 0.4,
                    qPrintable(QString::number(run)));
        else
            QVERIFY2(run <= 3 && pixels < g.plot.width() * 0.7, qPrintable(QString::number(run)));
    }
    QVERIFY(lines >= 3);

    c.leftAxis.gridVisible = false;
    QCOMPARE(countColor(renderToImage(c, kSize), grid), 0);
}

void TstChartRender::legendShadow_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("none") << 0;
    QTest::newRow("4") << 4;
    QTest::newRow("10") << 10;
}

void TstChartRender::legendShadow()
{
    QFETCH(int, size);
    Chart c = plainChart(BarSeriesIndex, 6);
    c.legend.visible = true;
    const QColor shadow(20, 160, 60);
    c.legend.shadowColor = shadow;
    c.legend.shadowSize = size;
    const QImage image = renderToImage(c, kSize);
    const int pixels = countColor(image, shadow);
    // A band `size` wide along the right and the bottom of the legend box.
    if (size == 0) {
        QCOMPARE(pixels, 0);
        return;
    }
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == shadow.rgb())
                box |= QRect(x, y, 1, 1);
    QVERIFY(box.left() > kSize.width() / 2); // at the right side
    QVERIFY(pixels >= size * (box.height() - size));
    QVERIFY(pixels <= size * (box.height() + box.width()));
    // The legend box hides the rest of the shadow.
    const QRect inner = box.adjusted(0, 0, -size - 1, -size - 1);
    QCOMPARE(countColor(image, shadow, 0, inner.adjusted(2, 2, -2, -2)), 0);
}

void TstChartRender::headerAlignment_data()
{
    QTest::addColumn<Alignment>("alignment");
    QTest::addColumn<bool>("adjustFrame");
    QTest::newRow("left") << Alignment::taLeftJustify << false;
    QTest::newRow("centre") << Alignment::taCenter << false;
    QTest::newRow("right") << Alignment::taRightJustify << false;
    QTest::newRow("left, box fitted") << Alignment::taLeftJustify << true;
    QTest::newRow("right, box fitted") << Alignment::taRightJustify << true;
}

void TstChartRender::headerAlignment()
{
    QFETCH(Alignment, alignment);
    QFETCH(bool, adjustFrame);
    Chart c = plainChart(PieSeriesIndex, 2);
    const QColor ink(250, 30, 30);
    c.header.visible = true;
    c.header.lines = QStringList{QStringLiteral("Wyniki testu")};
    c.header.font.color = ink;
    c.header.alignment = alignment;
    c.header.adjustFrame = adjustFrame;
    c.header.brush = BrushStyle::bsSolid;
    const QColor box(200, 230, 255);
    c.header.color = box;
    c.pie.points.clear();
    const QImage image = renderToImage(c, kSize);
    QRect text;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (near(image.pixel(x, y), ink, 40))
                text |= QRect(x, y, 1, 1);
    QVERIFY(!text.isNull());
    const int w = kSize.width();
    switch (alignment) {
    case Alignment::taLeftJustify:
        QVERIFY(text.left() < 30);
        break;
    case Alignment::taCenter:
        QVERIFY(std::abs(text.center().x() - w / 2) < 10);
        break;
    case Alignment::taRightJustify:
        QVERIFY(text.right() > w - 30);
        break;
    }
    // The box spans the chart unless it is fitted to the text.
    const int boxRun = longestRun(image, text.top() - 1, box, 0);
    if (adjustFrame)
        QVERIFY(boxRun < text.width() + 20);
    else
        QVERIFY(boxRun > w - 30);
}

void TstChartRender::markerShapes_data()
{
    QTest::addColumn<PointerStyle>("style");
    QTest::addColumn<double>("minFill");
    QTest::addColumn<double>("maxFill");
    // Share of its bounding box that each marker covers.
    QTest::newRow("rectangle") << PointerStyle::psRectangle << 0.9 << 1.01;
    QTest::newRow("circle") << PointerStyle::psCircle << 0.7 << 0.85;
    QTest::newRow("triangle") << PointerStyle::psTriangle << 0.4 << 0.6;
    QTest::newRow("star") << PointerStyle::psStar << 0.25 << 0.42;
}

void TstChartRender::markerShapes()
{
    QFETCH(PointerStyle, style);
    QFETCH(double, minFill);
    QFETCH(double, maxFill);
    Chart c = plainChart(LineSeriesIndex, 0);
    const QColor fill(255, 140, 0);
    c.line.addPoint(5, QStringLiteral("a"), fill);
    c.line.pointerStyle = style;
    c.line.pointerColor = fill;
    c.line.pointerHorizSize = 30;
    c.line.pointerVertSize = 30;
    const QImage image = renderToImage(c, kSize);
    QRect box;
    int pixels = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (near(image.pixel(x, y), fill, 8)) {
                box |= QRect(x, y, 1, 1);
                ++pixels;
            }
    QVERIFY(box.width() > 50 && box.height() > 50);
    const double share = double(pixels) / (box.width() * box.height());
    QVERIFY2(share >= minFill && share <= maxFill, qPrintable(QString::number(share)));
}

void TstChartRender::backWallIn3D_data()
{
    QTest::addColumn<bool>("view3D");
    QTest::addColumn<bool>("orthogonal");
    QTest::newRow("2D") << false << true;
    QTest::newRow("3D oblique") << true << true;
    QTest::newRow("3D rotated") << true << false;
}

void TstChartRender::backWallIn3D()
{
    QFETCH(bool, view3D);
    QFETCH(bool, orthogonal);
    Chart c = plainChart(BarSeriesIndex, 3);
    c.view3D.view3D = view3D;
    c.view3D.orthogonal = orthogonal;
    c.view3D.rotation = 340;
    c.view3D.elevation = 340;
    const QColor wall(230, 240, 200);
    c.backWall.color = wall;
    const QImage image = renderToImage(c, kSize);
    const ChartGeometry g = chartGeometry(c, QRectF(QPointF(), kSize), {}, nullptr);
    const QRect front = g.plot.toRect();
    QVERIFY(countColor(image, wall) > 5000);
    // In 3D the back wall shows above the front of the plot.
    const QRect above(front.left(), 0, front.width(), front.top() - 1);
    const int shown = countColor(image, wall, 0, above);
    if (view3D)
        QVERIFY2(shown > 200, qPrintable(QString::number(shown)));
    else
        QCOMPARE(shown, 0);

    c.backWall.brush = BrushStyle::bsClear;
    QCOMPARE(countColor(renderToImage(c, kSize), wall), 0);
}

void TstChartRender::backgroundPicture_data()
{
    QTest::addColumn<bool>("inside");
    QTest::addColumn<PictureMode>("mode");
    QTest::newRow("whole chart, centred") << false << PictureMode::pbmCenter;
    QTest::newRow("whole chart, stretched") << false << PictureMode::pbmStretch;
    QTest::newRow("plot, centred") << true << PictureMode::pbmCenter;
    QTest::newRow("plot, stretched") << true << PictureMode::pbmStretch;
}

void TstChartRender::backgroundPicture()
{
    QFETCH(bool, inside);
    QFETCH(PictureMode, mode);
    Chart c = plainChart(BarSeriesIndex, 0);
    const QColor ink(10, 100, 220);
    QImage picture(60, 40, QImage::Format_RGB32);
    picture.fill(ink);
    c.panel.backImage = picture;
    c.panel.backImageInside = inside;
    c.panel.backImageMode = mode;
    c.backWall.brush = BrushStyle::bsClear;
    const QImage image = renderToImage(c, kSize);
    const ChartGeometry g = chartGeometry(c, QRectF(QPointF(), kSize), {}, nullptr);
    const QRect plot = g.plot.toRect().adjusted(1, 1, -1, -1);
    const int total = countColor(image, ink);
    const int inPlot = countColor(image, ink, 0, plot);
    if (mode == PictureMode::pbmCenter)
        QVERIFY2(std::abs(total - 60 * 40) < 200, qPrintable(QString::number(total)));
    if (inside) {
        QVERIFY(total - inPlot < 400); // at most its edge
        if (mode == PictureMode::pbmStretch)
            QVERIFY(inPlot > plot.width() * plot.height() * 0.9);
    } else if (mode == PictureMode::pbmStretch) {
        QVERIFY(total > kSize.width() * kSize.height() * 0.9);
    }

    c.panel.backImage = QImage();
    QCOMPARE(countColor(renderToImage(c, kSize), ink), 0);
}

void TstChartRender::zoomShowsPartOfTheBars()
{
    Chart c = plainChart(BarSeriesIndex, 6);
    c.setSeriesActive(PieSeriesIndex, false); // clipping on, as for every bar chart
    c.bar.style = BarStyle::bsRectangle;
    ViewState view;
    view.active = true;
    view.valueMin = 0;
    view.valueMax = 20;
    view.categoryMin = 1.5;
    view.categoryMax = 3.5;
    const QImage image = renderToImage(c, kSize, view);
    for (int i = 0; i < 6; ++i) {
        const bool shown = i == 2 || i == 3;
        QCOMPARE(countColor(image, kColors[i]) > 500, shown);
    }
    const ChartGeometry g = chartGeometry(c, QRectF(QPointF(), kSize), view, nullptr);
    QVERIFY(g.shown.active);
    QCOMPARE(g.shown.categoryMin, 1.5);
    QCOMPARE(g.full.categoryMin, -0.5);
    QCOMPARE(g.full.categoryMax, 5.5);
}

void TstChartRender::svgCopy()
{
    Chart c = plainChart(BarSeriesIndex, 4);
    c.header.visible = true;
    c.header.lines = QStringList{QStringLiteral("Zestawienie ocen & <wyniki>")};
    c.view3D.view3D = true;
    c.bar.style = BarStyle::bsCilinder;
    const QByteArray svg = renderToSvg(c, QSize(554, 375), QStringLiteral("Wykres"));
    QXmlStreamReader xml(svg);
    bool sawSvg = false;
    QString text;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("svg")) {
            sawSvg = true;
            QCOMPARE(xml.attributes().value(QLatin1String("viewBox")).toString(),
                    QStringLiteral("0 0 554 375"));
        }
        if (xml.isCharacters())
            text += xml.text();
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(sawSvg);
    QVERIFY(text.contains(QStringLiteral("Zestawienie ocen & <wyniki>")));
    QVERIFY(text.contains(QStringLiteral("Wykres")));
}

void TstChartRender::oddDataRenders_data()
{
    QTest::addColumn<int>("seriesIndex");
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<QSize>("size");
    const QList<std::pair<const char *, QList<double>>> sets = {{"no points", {}},
            {"all zero", {0, 0, 0}}, {"negative", {-5, 3, -1}},
            {"not numbers", {qQNaN(), qInf(), 4}}, {"huge", {1e300, -1e300, 1}},
            {"one point", {7}}};
    for (int index : {BarSeriesIndex, PieSeriesIndex, LineSeriesIndex}) {
        for (const auto &[name, values] : sets) {
            const QByteArray tag = QByteArray::number(index) + " " + name;
            QTest::newRow(tag.constData()) << index << values << kSize;
        }
        QTest::newRow(QByteArray::number(index).append(" tiny").constData())
                << index << QList<double>{1, 2, 3} << QSize(3, 2);
    }
}

void TstChartRender::oddDataRenders()
{
    QFETCH(int, seriesIndex);
    QFETCH(QList<double>, values);
    QFETCH(QSize, size);
    for (bool view3D : {false, true}) {
        Chart c;
        c.setSeriesActive(PieSeriesIndex, seriesIndex == PieSeriesIndex);
        c.setSeriesActive(BarSeriesIndex, seriesIndex == BarSeriesIndex);
        c.setSeriesActive(LineSeriesIndex, seriesIndex == LineSeriesIndex);
        c.view3D.view3D = view3D;
        c.view3D.orthogonal = seriesIndex != PieSeriesIndex;
        c.series(seriesIndex).marks.visible = true;
        c.series(seriesIndex).marks.style = MarksStyle::smsLabelPercent;
        c.legend.textStyle = LegendTextStyle::ltsRightValue;
        for (double v : values)
            c.series(seriesIndex).addPoint(v, QStringLiteral("x"), Qt::blue);
        const QImage image = renderToImage(c, size);
        QCOMPARE(image.size(), size);
    }
}

void TstChartRender::hugeFontsRender_data()
{
    QTest::addColumn<int>("seriesIndex");
    QTest::addColumn<int>("points");
    for (int index : {BarSeriesIndex, PieSeriesIndex, LineSeriesIndex}) {
        for (int points : {2048, 1 << 20}) {
            const QByteArray tag = QByteArray::number(index) + " " + QByteArray::number(points);
            QTest::newRow(tag.constData()) << index << points;
        }
    }
}

void TstChartRender::hugeFontsRender()
{
    // A template may hold any font size; labels that cannot fit leave the
    // plot without room, which must still draw (and not overflow the label step).
    QFETCH(int, seriesIndex);
    QFETCH(int, points);
    Chart c;
    c.setSeriesActive(PieSeriesIndex, seriesIndex == PieSeriesIndex);
    c.setSeriesActive(BarSeriesIndex, seriesIndex == BarSeriesIndex);
    c.setSeriesActive(LineSeriesIndex, seriesIndex == LineSeriesIndex);
    QFont big;
    big.setPointSize(points);
    for (TextFont *font : {&c.leftAxis.labelsFont, &c.bottomAxis.labelsFont, &c.leftAxis.titleFont,
                 &c.bottomAxis.titleFont, &c.legend.font, &c.header.font})
        font->font = big;
    for (int i = 0; i < 5; ++i)
        c.series(seriesIndex).addPoint(i + 1, QStringLiteral("Kowalski Jan"), Qt::blue);
    const QImage image = renderToImage(c, QSize(160, 120));
    QCOMPARE(image.size(), QSize(160, 120));
}

void TstChartRender::extremeTitleAnglesRender_data()
{
    QTest::addColumn<int>("angle");
    QTest::newRow("lowest int32") << std::numeric_limits<int>::min();
    QTest::newRow("highest int32") << std::numeric_limits<int>::max();
    QTest::newRow("minus one turn") << -360;
}

void TstChartRender::extremeTitleAnglesRender()
{
    // A template may hold any int32 as an axis title angle; the title must
    // still draw, without overflowing when the angle is turned into a rotation.
    QFETCH(int, angle);
    Chart c;
    c.setSeriesActive(PieSeriesIndex, false);
    c.setSeriesActive(BarSeriesIndex, true);
    c.leftAxis.titleAngle = angle;
    c.bottomAxis.titleAngle = angle;
    for (int i = 0; i < 5; ++i)
        c.series(BarSeriesIndex).addPoint(i + 1, QStringLiteral("Kowalski Jan"), Qt::blue);
    const QImage image = renderToImage(c, QSize(320, 240));
    QCOMPARE(image.size(), QSize(320, 240));
}

void TstChartRender::oddViewsRender_data()
{
    QTest::addColumn<ViewState>("view");
    QTest::addColumn<bool>("honoured");
    QTest::newRow("zoomed") << ViewState{true, 2, 8, 0.5, 3.5} << true;
    QTest::newRow("panned far away") << ViewState{true, 1e9, 2e9, 1e12, 2e12} << false;
    QTest::newRow("empty range") << ViewState{true, 5, 5, 1, 1} << false;
    QTest::newRow("reversed") << ViewState{true, 8, 2, 3, 1} << false;
    QTest::newRow("not numbers") << ViewState{true, qQNaN(), 1, 0, qInf()} << false;
}

void TstChartRender::oddViewsRender()
{
    QFETCH(ViewState, view);
    QFETCH(bool, honoured);
    // Sizes a template might hold, however unreasonable.
    for (int index : {int(BarSeriesIndex), int(LineSeriesIndex)}) {
        Chart c = plainChart(index, 6);
        c.line.pointerHorizSize = 1 << 30;
        c.line.pointerVertSize = -5;
        c.legend.visible = true;
        c.legend.colorWidth = 1 << 30;
        c.legend.shadowSize = 1 << 30;
        QCOMPARE(renderToImage(c, kSize, view).size(), kSize);
        const ChartGeometry g = chartGeometry(c, QRectF(QPointF(), kSize), view, nullptr);
        QCOMPARE(g.shown.active, honoured);
    }
}

QTEST_MAIN(TstChartRender)
#include "tst_chartrender.moc"
