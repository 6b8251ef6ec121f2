#include "appearance/applyappearance.h"

#include <QTest>

#include <limits>

using namespace zavevad;

namespace {

TChartAppearance defaults()
{
    TChartAppearance record{};
    FillAppearanceDefaults(record);
    return record;
}

} // namespace

class TestApplyAppearance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void codesTranslateToEngineSettings()
    {
        TChartAppearance r = defaults();
        r.TitleAlignment = 0;
        r.FootAlignment = 2;
        r.LegendTextStyle = 2;
        r.BarShape = 3;
        r.LinePointShape = 3;
        r.MarksStyle = 4;
        r.LeftGridDotted = 0;
        r.BottomWallTransparent = true;
        r.BackPictureCentered = false;
        chart::Chart c;
        ApplyAppearance(r, c, chart::BarSeriesIndex);
        QCOMPARE(c.header.alignment, chart::Alignment::taLeftJustify);
        QCOMPARE(c.footer.alignment, chart::Alignment::taRightJustify);
        QCOMPARE(c.legend.textStyle, chart::LegendTextStyle::ltsRightValue);
        QCOMPARE(c.bar.style, chart::BarStyle::bsArrow);
        QCOMPARE(c.line.pointerStyle, chart::PointerStyle::psStar);
        QCOMPARE(c.bar.marks.style, chart::MarksStyle::smsLabelPercent);
        QCOMPARE(c.leftAxis.gridStyle, chart::GridStyle::psSolid);
        QCOMPARE(c.bottomAxis.gridStyle, chart::GridStyle::psDot);
        QCOMPARE(c.bottomWall.brush, chart::BrushStyle::bsClear);
        QCOMPARE(c.leftWall.brush, chart::BrushStyle::bsSolid);
        QCOMPARE(c.panel.backImageMode, chart::PictureMode::pbmStretch);
    }

    void defaultsReachTheChart()
    {
        chart::Chart c;
        ApplyAppearance(defaults(), c, chart::PieSeriesIndex);
        QCOMPARE(c.header.alignment, chart::Alignment::taCenter);
        QCOMPARE(c.header.brush, chart::BrushStyle::bsClear);
        QCOMPARE(c.header.font.font.family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(c.header.font.font.pointSize(), 8);
        QCOMPARE(c.header.font.color, QColor(255, 255, 255));
        QCOMPARE(c.leftAxis.title, QStringLiteral("Oś Pionowa"));
        QCOMPARE(c.bottomAxis.title, QStringLiteral("Oś pozioma"));
        QCOMPARE(c.leftAxis.titleAngle, 90);
        QCOMPARE(c.leftWall.color, QColor(0, 128, 0));
        QCOMPARE(c.legend.topPos, 12);
        QCOMPARE(c.panel.gradientEnd, QColor(81, 81, 81));
        QCOMPARE(c.backWall.color, QColor(128, 128, 128));
        QCOMPARE(c.bar.style, chart::BarStyle::bsRectGradient);
        QCOMPARE(c.bar.widthPercent, 30);
        QCOMPARE(c.pie.explodeBiggest, 15);
        QCOMPARE(c.pie.rotation, 0);
        QCOMPARE(c.line.pointerStyle, chart::PointerStyle::psCircle);
        QCOMPARE(c.line.pointerHorizSize, 5);
        QCOMPARE(c.line.pointerVertSize, 2);
        QCOMPARE(c.pie.marks.style, chart::MarksStyle::smsValue);
        QCOMPARE(c.pie.marks.backColor, QColor(255, 255, 0));
    }

    void outOfRangeCodeKeepsThatSettingOnly_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("code");
        QTest::newRow("TitleAlignment 7") << 0 << 7;
        QTest::newRow("FootAlignment -1") << 1 << -1;
        QTest::newRow("LegendTextStyle 3") << 2 << 3;
        QTest::newRow("BarShape 4") << 3 << 4;
        QTest::newRow("LinePointShape 99") << 4 << 99;
        QTest::newRow("MarksStyle 5") << 5 << 5;
    }
    void outOfRangeCodeKeepsThatSettingOnly()
    {
        QFETCH(int, field);
        QFETCH(int, code);
        chart::Chart c;
        c.header.alignment = chart::Alignment::taRightJustify;
        c.footer.alignment = chart::Alignment::taLeftJustify;
        c.legend.textStyle = chart::LegendTextStyle::ltsXValue;
        c.bar.style = chart::BarStyle::bsCilinder;
        c.line.pointerStyle = chart::PointerStyle::psTriangle;
        c.line.marks.style = chart::MarksStyle::smsPercent;
        const chart::Chart before = c;

        TChartAppearance r = defaults();
        std::int32_t *fields[] = {&r.TitleAlignment, &r.FootAlignment, &r.LegendTextStyle,
                &r.BarShape, &r.LinePointShape, &r.MarksStyle};
        *fields[field] = code;
        r.TitleVisible = false;
        ApplyAppearance(r, c, chart::LineSeriesIndex);

        // The rest of the group is applied all the same.
        QCOMPARE(c.header.visible, false);
        QCOMPARE(c.header.alignment == before.header.alignment, field == 0);
        QCOMPARE(c.footer.alignment == before.footer.alignment, field == 1);
        QCOMPARE(c.legend.textStyle == before.legend.textStyle, field == 2);
        QCOMPARE(c.bar.style == before.bar.style, field == 3);
        QCOMPARE(c.line.pointerStyle == before.line.pointerStyle, field == 4);
        QCOMPARE(c.line.marks.style == before.line.marks.style, field == 5);
    }

    // A crafted template cannot make the chart draw for seconds: what it
    // holds reaches the chart within bounds, and the record keeps its bytes.
    void extremeSizesReachTheChartWithinBounds_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("font");
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("shadow");
        QTest::addColumn<int>("pointer");
        constexpr int kMax = std::numeric_limits<int>::max();
        constexpr int kMin = std::numeric_limits<int>::min();
        QTest::newRow("largest") << kMax << 512 << 100 << 100 << 500;
        QTest::newRow("just over") << 513 << 512 << 100 << 100 << 500;
        QTest::newRow("within") << 37 << 37 << 37 << 37 << 37;
        QTest::newRow("smallest") << kMin << -1 << 0 << 0 << 1;
    }
    void extremeSizesReachTheChartWithinBounds()
    {
        QFETCH(int, value);
        QFETCH(int, font);
        QFETCH(int, percent);
        QFETCH(int, shadow);
        QFETCH(int, pointer);
        TChartAppearance r = defaults();
        for (TAppearanceFont *f : {&r.TitleFont, &r.FootFont, &r.LeftAxisTitleFont,
                     &r.BottomAxisTitleFont, &r.LeftAxisLabelsFont, &r.BottomAxisLabelsFont,
                     &r.LegendFont, &r.MarksFont})
            f->Size = value;
        r.LegendShadowSize = value;
        r.LegendTopPos = value;
        r.BarWidthPercent = value;
        r.PieExplodeBiggest = value;
        r.LinePointLength = value;
        r.LinePointWidth = value;
        const QByteArray bytes = r.toBytes();
        chart::Chart c;
        ApplyAppearance(r, c, chart::LineSeriesIndex);

        // A size of 0 or below keeps the font's own default size.
        const int expectedFont =
                font > 0 ? font : QFont(QStringLiteral("MS Sans Serif")).pointSize();
        for (const chart::TextFont *f : {&c.header.font, &c.footer.font, &c.leftAxis.titleFont,
                     &c.bottomAxis.titleFont, &c.leftAxis.labelsFont, &c.bottomAxis.labelsFont,
                     &c.legend.font, &c.line.marks.font})
            QCOMPARE(f->font.pointSize(), expectedFont);
        QCOMPARE(c.legend.shadowSize, shadow);
        QCOMPARE(c.legend.topPos, percent);
        QCOMPARE(c.bar.widthPercent, percent);
        QCOMPARE(c.pie.explodeBiggest, percent);
        QCOMPARE(c.line.pointerHorizSize, pointer);
        QCOMPARE(c.line.pointerVertSize, pointer);
        QCOMPARE(r.toBytes(), bytes);
    }

    void valueLabelsReachOnlyTheCurrentSeries_data()
    {
        QTest::addColumn<int>("current");
        QTest::newRow("bar") << int(chart::BarSeriesIndex);
        QTest::newRow("pie") << int(chart::PieSeriesIndex);
        QTest::newRow("line") << int(chart::LineSeriesIndex);
        QTest::newRow("none") << -1;
    }
    void valueLabelsReachOnlyTheCurrentSeries()
    {
        QFETCH(int, current);
        chart::Chart c;
        for (int i = 0; i < 3; ++i) {
            c.series(i).marks.visible = false;
            c.series(i).marks.backColor = QColor(1, 2, 3);
        }
        TChartAppearance r = defaults();
        r.MarksVisible = true;
        ApplyAppearance(r, c, current);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(c.series(i).marks.visible, i == current);
            QCOMPARE(c.series(i).marks.backColor == QColor(255, 255, 0), i == current);
        }
    }

    void fieldsNeverAppliedStayOffTheChart()
    {
        chart::Chart c;
        c.header.lines = QStringList{QStringLiteral("Wyniki testu")};
        c.panel.backImage = QImage(4, 4, QImage::Format_RGB32);
        const chart::View3DSettings view = c.view3D;

        TChartAppearance r = defaults();
        r.TitleText.setText(u"Inny nagłówek");
        r.FootText.setText(u"Inna stopka");
        r.BackPictureOn = false;
        r.View3D = false;
        r.View3DWalls = !view.walls3D;
        r.Chart3DPercent = 77;
        r.Elevation = 10;
        r.Rotation = 20;
        r.Zoom = 250;
        r.PerspectiveValue = 50;
        ApplyAppearance(r, c, chart::BarSeriesIndex);

        QCOMPARE(c.header.lines, QStringList{QStringLiteral("Wyniki testu")});
        QCOMPARE(c.footer.lines, QStringList{QStringLiteral("Stopka")});
        QVERIFY(!c.panel.backImage.isNull());
        QCOMPARE(c.view3D.view3D, view.view3D);
        QCOMPARE(c.view3D.walls3D, view.walls3D);
        QCOMPARE(c.view3D.elevation, view.elevation);
        QCOMPARE(c.view3D.rotation, view.rotation);
        QCOMPARE(c.view3D.zoomPercent, view.zoomPercent);
        QCOMPARE(c.view3D.perspective, view.perspective);
        // The pie group sets this depth whatever the record holds.
        QCOMPARE(c.view3D.depthPercent, 20);
    }

    void applyingAKindActivatesOnlyItsSeries_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("axes");
        QTest::newRow("bar") << 1 << true;
        QTest::newRow("pie") << 2 << false;
        QTest::newRow("line") << 3 << true;
    }
    void applyingAKindActivatesOnlyItsSeries()
    {
        QFETCH(int, kind);
        QFETCH(bool, axes);
        for (int previous = 1; previous <= 3; ++previous) {
            chart::Chart c;
            ChartKindState state;
            TChartAppearance r = defaults();
            QVERIFY(ApplyChartKind(previous, r, c, state));
            QVERIFY(ApplyChartKind(kind, r, c, state));

            QCOMPARE(state.ShownChartKind, kind);
            QCOMPARE(state.CurrentSeries, kind - 1);
            QCOMPARE(axesPageEnabled(kind), axes);
            for (int i = 0; i < 3; ++i)
                QCOMPARE(c.series(i).active, i == kind - 1);
            QCOMPARE(c.axesVisible, axes);
            QCOMPARE(c.view3D.walls3D, axes);
            QCOMPARE(c.zoomEnabled, axes);
            QCOMPARE(c.view3D.orthogonal, axes);
            QCOMPARE(bool(r.Perspective), axes);
            QCOMPARE(c.view3D.depthPercent, 20);
            QCOMPARE(c.series(kind - 1).marks.style, chart::MarksStyle::smsValue);
        }
    }

    void otherKindsChangeNothing_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("0") << 0;
        QTest::newRow("4") << 4;
        QTest::newRow("-1") << -1;
    }
    void otherKindsChangeNothing()
    {
        QFETCH(int, kind);
        chart::Chart c;
        ChartKindState state;
        TChartAppearance r = defaults();
        QVERIFY(ApplyChartKind(1, r, c, state));
        r.Perspective = false;
        r.TitleAlignment = 2;
        c.bar.marks.visible = false;
        c.view3D.depthPercent = 55;

        QVERIFY(!ApplyChartKind(kind, r, c, state));
        QCOMPARE(state.ShownChartKind, 1);
        QCOMPARE(state.CurrentSeries, int(chart::BarSeriesIndex));
        QVERIFY(!r.Perspective);
        QVERIFY(c.bar.active);
        QVERIFY(!c.pie.active);
        QVERIFY(c.view3D.orthogonal);
        QCOMPARE(c.view3D.depthPercent, 55);
        QCOMPARE(c.header.alignment, chart::Alignment::taCenter);
        QVERIFY(!c.bar.marks.visible);

        QVERIFY(!applyKindProjection(kind, r, c));
        QVERIFY(c.view3D.orthogonal);
    }

    void selectingTheTargetFollowsTheShownKind()
    {
        ChartKindState state;
        QVERIFY(!SelectAppearanceTarget(state));
        QCOMPARE(state.CurrentSeries, -1);
        state.ShownChartKind = 3;
        QVERIFY(SelectAppearanceTarget(state));
        QCOMPARE(state.CurrentSeries, int(chart::LineSeriesIndex));
        state.ShownChartKind = 9;
        QVERIFY(!SelectAppearanceTarget(state));
        QCOMPARE(state.CurrentSeries, int(chart::LineSeriesIndex));
    }
};

QTEST_GUILESS_MAIN(TestApplyAppearance)
#include "tst_applyappearance.moc"
