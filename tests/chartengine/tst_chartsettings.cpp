// The chart's settings data, the axis scale, number texts and projections.
#include "chartengine/axisscale.h"
#include "chartengine/chart.h"
#include "chartengine/chartformat.h"
#include "chartengine/projection.h"

#include <QtTest>

using namespace zavevad::chart;

class TstChartSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void designSettings();
    void pointsKeepOrder();
    void pieCoupling_data();
    void pieCoupling();
    void pieCouplingResetsView();
    void pieCouplingOnlyOnAChange();

    void niceStep_data();
    void niceStep();
    void axisScale_data();
    void axisScale();

    void markText_data();
    void markText();

    void projectionCorners_data();
    void projectionCorners();
    void rotatedFitsArea_data();
    void rotatedFitsArea();
};

void TstChartSettings::designSettings()
{
    const Chart c;
    QCOMPARE(c.header.lines, QStringList{QStringLiteral("Wykres 1")});
    QCOMPARE(c.footer.lines, QStringList{QStringLiteral("Stopka")});
    QVERIFY(!c.footer.visible);
    QVERIFY(c.panel.gradientVisible);
    QCOMPARE(c.panel.gradientStart, QColor(128, 128, 128));
    QCOMPARE(c.panel.gradientEnd, QColor(81, 81, 81));
    QCOMPARE(c.view3D.depthPercent, 30);
    QCOMPARE(c.view3D.zoomPercent, 90);
    QCOMPARE(c.legend.colorWidth, 15);
    QCOMPARE(c.legend.shadowSize, 4);
    QCOMPARE(c.legend.textStyle, LegendTextStyle::ltsPlain);
    QCOMPARE(c.legend.topPos, 13);

    QCOMPARE(c.bar.title, QStringLiteral("wykres 1"));
    QVERIFY(c.bar.marks.visible);
    QCOMPARE(c.bar.style, BarStyle::bsRectGradient);
    QCOMPARE(c.bar.widthPercent, 40);
    QCOMPARE(c.bar.offsetPercent, 15);
    QCOMPARE(c.pie.title, QStringLiteral("wykres2"));
    QVERIFY(c.pie.marks.visible);
    QVERIFY(c.pie.circled);
    QCOMPARE(c.pie.rotation, 300);
    QCOMPARE(c.line.title, QStringLiteral("wykres3"));
    QVERIFY(!c.line.marks.visible);
    QVERIFY(c.line.pointerVisible);
    QCOMPARE(c.line.pointerStyle, PointerStyle::psRectangle);
    QCOMPARE(c.line.pointerColor, QColor(0, 255, 0));
    QVERIFY(!c.line.dark3D);

    // The state in force while the pie is shown.
    QVERIFY(!c.axesVisible);
    QVERIFY(!c.clipPoints);
    QVERIFY(!c.view3D.walls3D);
    QVERIFY(!c.panel.frameVisible);
    QVERIFY(!c.zoomEnabled);
    QVERIFY(!c.panEnabled);
    QVERIFY(!c.view3D.orthogonal);
    QCOMPARE(c.view3D.elevation, 315);
    QCOMPARE(c.view3D.rotation, 360);
    QCOMPARE(c.view3D.perspective, 0);
}

void TstChartSettings::pointsKeepOrder()
{
    Chart c;
    for (int i = 0; i < 3; ++i) {
        Series &s = c.series(i);
        s.addPoint(5.5, QStringLiteral("b"), Qt::red);
        s.addPoint(-1.0, QStringLiteral("a"), Qt::blue);
        s.addPoint(5.5, QStringLiteral("b"), Qt::red);
        QCOMPARE(s.count(), 3);
        QCOMPARE(s.points[0], (Point{5.5, QStringLiteral("b"), Qt::red}));
        QCOMPARE(s.points[1], (Point{-1.0, QStringLiteral("a"), Qt::blue}));
        s.clear();
        QCOMPARE(s.count(), 0);
    }
    QCOMPARE(&c.series(BarSeriesIndex), static_cast<Series *>(&c.bar));
    QCOMPARE(&c.series(PieSeriesIndex), static_cast<Series *>(&c.pie));
    QCOMPARE(&c.series(LineSeriesIndex), static_cast<Series *>(&c.line));
}

void TstChartSettings::pieCoupling_data()
{
    QTest::addColumn<bool>("pieActive");
    QTest::newRow("pie shown") << true;
    QTest::newRow("pie hidden") << false;
}

void TstChartSettings::pieCoupling()
{
    QFETCH(bool, pieActive);
    Chart c;
    // Start from the opposite state so that every flag has to change.
    c.setSeriesActive(PieSeriesIndex, !pieActive);
    c.setSeriesActive(PieSeriesIndex, pieActive);
    const bool on = !pieActive;
    QCOMPARE(c.pie.active, pieActive);
    QCOMPARE(c.axesVisible, on);
    QCOMPARE(c.clipPoints, on);
    QCOMPARE(c.view3D.walls3D, on);
    QCOMPARE(c.panel.frameVisible, on);
    QCOMPARE(c.backWall.brush, on ? BrushStyle::bsSolid : BrushStyle::bsClear);
    QCOMPARE(c.zoomEnabled, on);
    QCOMPARE(c.panEnabled, on);

    // The other series do not touch the coupled settings.
    c.setSeriesActive(BarSeriesIndex, true);
    c.setSeriesActive(LineSeriesIndex, false);
    QVERIFY(c.bar.active);
    QCOMPARE(c.axesVisible, on);
}

void TstChartSettings::pieCouplingResetsView()
{
    Chart c;
    for (bool active : {false, true}) {
        c.view3D.orthogonal = true;
        c.view3D.rotation = 20;
        c.view3D.elevation = 10;
        c.view3D.perspective = 50;
        c.view3D.tilt = 7;
        c.setPieActive(active);
        QVERIFY(!c.view3D.orthogonal);
        QCOMPARE(c.view3D.rotation, 360);
        QCOMPARE(c.view3D.elevation, 315);
        QCOMPARE(c.view3D.perspective, 0);
        QCOMPARE(c.view3D.tilt, 0);
    }
}

void TstChartSettings::pieCouplingOnlyOnAChange()
{
    for (bool active : {false, true}) {
        Chart c;
        c.setPieActive(active);
        c.view3D.walls3D = active;
        c.view3D.orthogonal = true;
        c.view3D.elevation = 10;
        c.axesVisible = active;
        c.setPieActive(active);
        c.setSeriesActive(PieSeriesIndex, active);
        QCOMPARE(c.pie.active, active);
        QCOMPARE(c.view3D.walls3D, active);
        QCOMPARE(c.axesVisible, active);
        QVERIFY(c.view3D.orthogonal);
        QCOMPARE(c.view3D.elevation, 10);
    }
}

void TstChartSettings::niceStep_data()
{
    QTest::addColumn<double>("minStep");
    QTest::addColumn<double>("step");
    QTest::newRow("1") << 1.0 << 1.0;
    QTest::newRow("1.1") << 1.1 << 2.0;
    QTest::newRow("2") << 2.0 << 2.0;
    QTest::newRow("2.5") << 2.5 << 5.0;
    QTest::newRow("6") << 6.0 << 10.0;
    QTest::newRow("0.2") << 0.2 << 0.2;
    QTest::newRow("0.03") << 0.03 << 0.05;
    QTest::newRow("430") << 430.0 << 500.0;
    QTest::newRow("zero") << 0.0 << 1.0;
    QTest::newRow("nan") << qQNaN() << 1.0;
}

void TstChartSettings::niceStep()
{
    QFETCH(double, minStep);
    QFETCH(double, step);
    QCOMPARE(zavevad::chart::niceStep(minStep), step);
}

void TstChartSettings::axisScale_data()
{
    QTest::addColumn<double>("lo");
    QTest::addColumn<double>("hi");
    QTest::addColumn<double>("length");
    QTest::addColumn<double>("spacing");
    QTest::addColumn<bool>("round");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("step");

    QTest::newRow("scores") << 0.0 << 24.0 << 300.0 << 30.0 << true << 0.0 << 25.0 << 5.0;
    QTest::newRow("short axis") << 0.0 << 24.0 << 60.0 << 30.0 << true << 0.0 << 40.0 << 20.0;
    QTest::newRow("negative") << -7.0 << 3.0 << 200.0 << 20.0 << true << -7.0 << 3.0 << 1.0;
    QTest::newRow("negative, fewer labels")
            << -7.0 << 3.0 << 100.0 << 20.0 << true << -10.0 << 5.0 << 5.0;
    QTest::newRow("flat zero") << 0.0 << 0.0 << 200.0 << 20.0 << true << 0.0 << 1.0 << 0.1;
    QTest::newRow("flat positive") << 4.0 << 4.0 << 200.0 << 40.0 << true << 0.0 << 4.0 << 1.0;
    QTest::newRow("zoomed keeps range")
            << 2.3 << 7.9 << 300.0 << 30.0 << false << 2.3 << 7.9 << 1.0;
    QTest::newRow("reversed") << 10.0 << 0.0 << 300.0 << 30.0 << true << 0.0 << 10.0 << 1.0;
}

void TstChartSettings::axisScale()
{
    QFETCH(double, lo);
    QFETCH(double, hi);
    QFETCH(double, length);
    QFETCH(double, spacing);
    QFETCH(bool, round);
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(double, step);
    const AxisScale s = computeAxisScale(lo, hi, length, spacing, round);
    QCOMPARE(s.min, min);
    QCOMPARE(s.max, max);
    QCOMPARE(s.step, step);
    QVERIFY(!s.ticks.isEmpty());
    // Labels never come closer than the spacing asked for.
    const double pxPerStep = length / (s.max - s.min) * s.step;
    QVERIFY2(s.ticks.size() < 2 || pxPerStep >= spacing - 1e-9,
            qPrintable(QString::number(pxPerStep)));
    for (double t : s.ticks) {
        QVERIFY(t >= s.min - 1e-9 && t <= s.max + 1e-9);
        QCOMPARE(std::remainder(t, s.step) + 1.0, 1.0);
    }
}

void TstChartSettings::markText_data()
{
    QTest::addColumn<MarksStyle>("style");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    // Points of one series totalling 30.
    QTest::newRow("label") << MarksStyle::smsLabel << 10.0 << QStringLiteral("Kowalski Jan");
    QTest::newRow("value") << MarksStyle::smsValue << 10.0 << QStringLiteral("10");
    QTest::newRow("fraction value") << MarksStyle::smsValue << 12.5 << QStringLiteral("12,5");
    QTest::newRow("percent") << MarksStyle::smsPercent << 10.0 << QStringLiteral("33,33 %");
    QTest::newRow("label value") << MarksStyle::smsLabelValue << 10.0
                                 << QStringLiteral("Kowalski Jan 10");
    QTest::newRow("label percent")
            << MarksStyle::smsLabelPercent << 15.0 << QStringLiteral("Kowalski Jan 50 %");
    QTest::newRow("negative") << MarksStyle::smsValue << -5.0 << QStringLiteral("-5");
    QTest::newRow("negative fraction") << MarksStyle::smsValue << -0.25 << QStringLiteral("-0,25");
    QTest::newRow("large value, no separator")
            << MarksStyle::smsValue << 12345.0 << QStringLiteral("12345");
}

void TstChartSettings::markText()
{
    QFETCH(MarksStyle, style);
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(zavevad::chart::markText(
                     style, Point{value, QStringLiteral("Kowalski Jan"), Qt::red}, 30.0),
            text);
    QCOMPARE(formatPercent(5.0, 0.0), QStringLiteral("0 %"));
}

void TstChartSettings::projectionCorners_data()
{
    QTest::addColumn<int>("kind"); // 0 flat, 1 oblique
    QTest::addColumn<QPointF>("frontBottomLeft");
    QTest::addColumn<QPointF>("backTopRight");
    const QRectF front(10, 40, 200, 100);
    QTest::newRow("flat") << 0 << QPointF(10, 140) << QPointF(210, 40);
    QTest::newRow("oblique") << 1 << QPointF(10, 140) << QPointF(230, 20);
}

void TstChartSettings::projectionCorners()
{
    QFETCH(int, kind);
    QFETCH(QPointF, frontBottomLeft);
    QFETCH(QPointF, backTopRight);
    const QRectF front(10, 40, 200, 100);
    const Projection p = kind == 0 ? Projection::flat(front) : Projection::oblique(front, 20, 20);
    QCOMPARE(p.map(0, 0, 0), frontBottomLeft);
    QCOMPARE(p.map(1, 1, 1), backTopRight);
    QCOMPARE(p.frontRect(), front);
    // The viewer is in front, above and to the right: the back is farther,
    // and so are points lower down and to the left.
    if (kind == 1) {
        QVERIFY(p.depth(0.5, 0.5, 1) > p.depth(0.5, 0.5, 0));
        QVERIFY(p.depth(0.5, 0.2, 0.5) > p.depth(0.5, 0.8, 0.5));
        QVERIFY(p.depth(0.2, 0.5, 0.5) > p.depth(0.8, 0.5, 0.5));
    }
}

void TstChartSettings::rotatedFitsArea_data()
{
    QTest::addColumn<int>("rotation");
    QTest::addColumn<int>("elevation");
    QTest::addColumn<int>("perspective");
    QTest::newRow("front") << 360 << 360 << 0;
    QTest::newRow("from above") << 360 << 315 << 0;
    QTest::newRow("turned") << 340 << 345 << 0;
    QTest::newRow("perspective") << 340 << 345 << 80;
    QTest::newRow("odd angles") << 95 << 100 << 100;
}

void TstChartSettings::rotatedFitsArea()
{
    QFETCH(int, rotation);
    QFETCH(int, elevation);
    QFETCH(int, perspective);
    const QRectF area(20, 30, 300, 200);
    const Projection p =
            Projection::rotated(area, area.size(), 60, rotation, elevation, perspective);
    const QRectF box = p.outline().boundingRect();
    QVERIFY(area.adjusted(-0.5, -0.5, 0.5, 0.5).contains(box));
    // It fills the area in at least one direction.
    QVERIFY(box.width() > area.width() - 1.0 || box.height() > area.height() - 1.0);
    if (elevation == 315) // looking down: the back edge shows above the front one
        QVERIFY(p.map(0.5, 1, 1).y() < p.map(0.5, 1, 0).y());
}

QTEST_MAIN(TstChartSettings)
#include "tst_chartsettings.moc"
