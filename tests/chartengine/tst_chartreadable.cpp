// Charts of a whole class at the chart window's design size: every name and
// value is drawn at a legible size, and no text runs into another or out of
// its area. Checked from the layout the renderer draws from.

#include "chartengine/chartrenderer.h"
#include "chartsamples.h"

#include <QImage>
#include <QTest>
#include <QtMath>

using namespace zavevad::chart;
using namespace zavevad::chart::test;

namespace {

/// The chart's size in a chart window of the design size.
const QSize kDesignChart(555, 376);
const QRectF kTarget(QPointF(0, 0), kDesignChart);
constexpr double kMinPoints = 7.0;

Chart classOf(int students, Kind kind)
{
    return students == 28 ? classChart(kind) : sampleChart(kind, students);
}

/// The grade-count chart of a class in which nobody got a "Dop".
Chart gradesWithAZero(Kind kind)
{
    Chart c = gradeChart(kind);
    for (int s = 0; s < 3; ++s)
        c.series(s).points[4].value = 0;
    return c;
}

QList<int> pointsOf(const QList<MarkGeometry> &texts)
{
    QList<int> points;
    for (const MarkGeometry &t : texts)
        points.append(t.point);
    std::sort(points.begin(), points.end());
    return points;
}

QList<int> allPoints(qsizetype count)
{
    QList<int> points;
    for (int i = 0; i < count; ++i)
        points.append(i);
    return points;
}

} // namespace

class TstChartReadable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyNameAndValueLegible_data();
    void everyNameAndValueLegible();
    void zoomedPlotStaysInItsRoom();
    void valuesBeforeASecondRowOfNames();
    void deepBoxStillNamesTheClass();
    void pieKeepsItsSizeAndEverySlice_data();
    void pieKeepsItsSizeAndEverySlice();
};

void TstChartReadable::everyNameAndValueLegible_data()
{
    QTest::addColumn<int>("kindValue");
    QTest::addColumn<int>("students"); // 0: the grade-count chart
    // Every how many categories one has its name under the axis (the
    // legend names them all); 0: no axis.
    QTest::addColumn<int>("nameStep");
    for (int students : {23, 28, 35, 0}) {
        for (Kind kind : {Kind::Bar, Kind::Pie, Kind::Line}) {
            const char *kindName = kind == Kind::Bar ? "bar" : kind == Kind::Pie ? "pie" : "line";
            QByteArray tag = students == 0 ? QByteArray("grades") : QByteArray::number(students);
            tag += QByteArray(" ") + kindName;
            // Upright names along a line chart, in two rows when crowded,
            // need half a line of text each: beside a legend of two columns
            // the width of the design size holds 28 of them; of 35, a second
            // row would cost value labels, so every second name shows.
            const int nameStep = kind == Kind::Pie         ? 0
                    : kind == Kind::Line && students == 35 ? 2
                                                           : 1;
            QTest::newRow(tag.constData()) << int(kind) << students << nameStep;
        }
    }
}

void TstChartReadable::everyNameAndValueLegible()
{
    QFETCH(int, kindValue);
    QFETCH(int, students);
    QFETCH(int, nameStep);
    const Kind kind = Kind(kindValue);
    const Chart c = students == 0 ? gradesWithAZero(kind) : classOf(students, kind);
    const qsizetype count = c.series(kindValue - 1).count();
    QImage device(1, 1, QImage::Format_ARGB32_Premultiplied);
    const ChartGeometry g = chartGeometry(c, kTarget, {}, &device);

    // Every value has its label, the zero included, and the legend lists
    // every point; a pie labels the slices that have room beside it.
    if (kind == Kind::Pie) {
        for (int point : pointsOf(g.marks))
            QVERIFY(point >= 0 && point < count);
    } else {
        QCOMPARE(pointsOf(g.marks), allPoints(count));
    }
    QCOMPARE(pointsOf(g.legendTexts), allPoints(count));
    if (nameStep > 0) {
        QList<int> named;
        for (int i = 0; i < count; i += nameStep)
            named.append(i);
        QCOMPARE(pointsOf(g.categoryLabels), named);
    }

    QList<MarkGeometry> texts = g.marks + g.categoryLabels + g.legendTexts;
    for (const MarkGeometry &t : std::as_const(texts)) {
        const QString what = t.text + QStringLiteral(" (%1)").arg(t.point);
        QVERIFY2(t.pointSize >= kMinPoints - 1e-9, qPrintable(what));
        QVERIFY2(!t.text.contains(QChar(0x2026)), qPrintable(what));
        QVERIFY2(!t.text.isEmpty(), qPrintable(what));
    }
    // Within their areas: names and values inside the chart and clear of
    // the legend, the legend's texts inside the legend.
    QVERIFY(kTarget.contains(g.legend));
    for (const MarkGeometry &t : g.marks + g.categoryLabels) {
        QVERIFY2(kTarget.contains(t.box), qPrintable(t.text));
        QVERIFY2(!t.box.intersects(g.legend), qPrintable(t.text));
    }
    for (const MarkGeometry &t : std::as_const(g.legendTexts))
        QVERIFY2(g.legend.contains(t.box), qPrintable(t.text));
    // The window's resize grip sits in the chart's bottom-right corner.
    const QRectF grip(kDesignChart.width() - 20, kDesignChart.height() - 21, 17, 17);
    QVERIFY(!g.legend.intersects(grip));
    // No text runs into another.
    for (qsizetype i = 0; i < texts.size(); ++i)
        for (qsizetype j = i + 1; j < texts.size(); ++j)
            QVERIFY2(!texts[i].box.intersects(texts[j].box),
                    qPrintable(texts[i].text + QLatin1Char('/') + texts[j].text));
}

void TstChartReadable::zoomedPlotStaysInItsRoom()
{
    for (Kind kind : {Kind::Bar, Kind::Line}) {
        Chart c = classOf(28, kind);
        c.view3D.zoomPercent = 100;
        const QImage plain = renderToImage(c, kDesignChart);
        QImage device(1, 1, QImage::Format_ARGB32_Premultiplied);
        const ChartGeometry g = chartGeometry(c, kTarget, {}, &device);
        c.view3D.zoomPercent = 300;
        const QImage zoomed = renderToImage(c, kDesignChart);
        // The header above the plot and the legend beside it are untouched.
        QVERIFY(plain.copy(0, 0, kDesignChart.width(), 26)
                == zoomed.copy(0, 0, kDesignChart.width(), 26));
        const QRect legend = g.legend.toAlignedRect().adjusted(0, 0, 6, 6);
        QVERIFY(plain.copy(legend) == zoomed.copy(legend));
        QVERIFY(plain != zoomed);
    }
}

void TstChartReadable::valuesBeforeASecondRowOfNames()
{
    // A second row of names under a line chart takes the plot's height: in
    // a window made lower it may only come at no value label's cost.
    const Chart c = classOf(28, Kind::Line);
    QImage device(1, 1, QImage::Format_ARGB32_Premultiplied);
    int staggered = 0;
    for (int height = 420; height >= 240; height -= 10) {
        const QRectF target(0, 0, kDesignChart.width(), height);
        const ChartGeometry g = chartGeometry(c, target, {}, &device);
        if (g.categoryLabels.size() < 28)
            continue;
        ++staggered;
        QVERIFY2(g.marks.size() == 28, qPrintable(QString::number(height)));
    }
    QVERIFY(staggered > 0);
}

void TstChartReadable::deepBoxStillNamesTheClass()
{
    // A deep 3D box shortens the axis below what two rows of names need,
    // but the rows lower the plot, and with it the box's depth, which
    // gives the axis back its length.
    Chart c = classOf(28, Kind::Line);
    c.view3D.depthPercent = 80;
    QImage device(1, 1, QImage::Format_ARGB32_Premultiplied);
    const ChartGeometry g = chartGeometry(c, kTarget, {}, &device);
    QCOMPARE(pointsOf(g.categoryLabels), allPoints(28));
    QCOMPARE(pointsOf(g.marks), allPoints(28));
}

void TstChartReadable::pieKeepsItsSizeAndEverySlice_data()
{
    QTest::addColumn<int>("students");
    QTest::addColumn<bool>("view3D");
    QTest::addColumn<double>("smallest");
    for (int students : {23, 28, 35}) {
        for (bool view3D : {true, false}) {
            const QByteArray tag = QByteArray::number(students) + (view3D ? " 3D" : " 2D");
            QTest::newRow(tag.constData()) << students << view3D << 2.0;
            // One point out of about 300, as 3 of 250 in a class.
            QTest::newRow(QByteArray(tag + ", a tiny slice").constData())
                    << students << view3D << 1.0;
        }
    }
}

void TstChartReadable::pieKeepsItsSizeAndEverySlice()
{
    QFETCH(int, students);
    QFETCH(bool, view3D);
    QFETCH(double, smallest);
    Chart c = classOf(students, Kind::Pie);
    c.view3D.view3D = view3D;
    c.pie.points[3].value = smallest;
    const QImage image = renderToImage(c, kDesignChart);
    const ChartGeometry g = chartGeometry(c, kTarget, {}, const_cast<QImage *>(&image));

    // The pie is 60 % of the shorter side of its room across, labels or not.
    QVERIFY(!g.plot.isEmpty());
    QVERIFY2(g.pie.width() >= 0.6 * std::min(g.plot.width(), g.plot.height()) - 1e-6,
            qPrintable(QStringLiteral("%1 in %2x%3")
                               .arg(g.pie.width())
                               .arg(g.plot.width())
                               .arg(g.plot.height())));
    QCOMPARE(g.pieSlices.size(), qsizetype(students));
    // Every slice shows its own colour just inside the rim, the smallest too.
    const double rx = g.pie.width() / 2.0;
    const double ry = g.pie.height() / 2.0;
    for (const PieSliceGeometry &s : g.pieSlices) {
        QVERIFY(s.span > 0.0);
        const double mid = qDegreesToRadians(s.start + s.span / 2.0);
        const QPoint at =
                (s.centre + QPointF(0.9 * rx * std::cos(mid), -0.9 * ry * std::sin(mid))).toPoint();
        const QColor want = c.pie.points[s.point].color;
        const QColor got = image.pixelColor(at);
        QVERIFY2(std::abs(got.red() - want.red()) <= 12
                        && std::abs(got.green() - want.green()) <= 12
                        && std::abs(got.blue() - want.blue()) <= 12,
                qPrintable(QStringLiteral("slice %1: %2 at (%3, %4), not %5")
                                   .arg(s.point)
                                   .arg(got.name())
                                   .arg(at.x())
                                   .arg(at.y())
                                   .arg(want.name())));
    }
}

QTEST_MAIN(TstChartReadable)
#include "tst_chartreadable.moc"
