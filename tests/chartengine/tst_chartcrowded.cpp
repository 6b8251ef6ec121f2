// Crowded charts, such as the results of a class of 28, must still read
// clearly: every bar shows, no value label lies over another or over a bar,
// a line or a marker, and the legend's texts never touch. With
// ZAVEVAD_CHART_GALLERY set to a folder the class's charts are also saved
// there (they are the pictures of docs/images).
#include "chartengine/chartrenderer.h"
#include "chartengine/labelplacer.h"
#include "chartsamples.h"

#include <QDir>
#include <QtTest>

#include <functional>

using namespace zavevad::chart;
using namespace zavevad::chart::test;

Q_DECLARE_METATYPE(std::function<void(Chart &)>)

namespace {

using Change = std::function<void(Chart &)>;
const QSize kSize(555, 376);
const QRectF kTarget(QPointF(0, 0), kSize);

void save(const QImage &image, const QString &name)
{
    const QString dir = qEnvironmentVariable("ZAVEVAD_CHART_GALLERY");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    QVERIFY(image.save(QDir(dir).filePath(name + QStringLiteral(".png"))));
}

bool near(QRgb a, const QColor &b, int tolerance)
{
    return std::abs(qRed(a) - b.red()) <= tolerance && std::abs(qGreen(a) - b.green()) <= tolerance
            && std::abs(qBlue(a) - b.blue()) <= tolerance;
}

Chart chartOf(int base, Kind kind)
{
    switch (base) {
    case 0:
        return classChart(kind);
    case 1:
        return sampleChart(kind);
    default:
        return gradeChart(kind);
    }
}

/// Where bar i's front face lies in a bar chart's rendering: its centre row
/// and the columns from its origin to its value.
struct BarPlace
{
    double y;
    double x0;
    double x1;
};

BarPlace barPlace(const Chart &c, const ChartGeometry &g, int i)
{
    const double slot = g.plot.height() / (g.shown.categoryMax - g.shown.categoryMin);
    const double thickness = slot * c.bar.widthPercent / 100.0;
    const double y = g.plot.top() + (i - g.shown.categoryMin) * slot
            - thickness * c.bar.offsetPercent / 100.0;
    auto x = [&](double v) {
        return g.plot.left()
                + (v - g.shown.valueMin) / (g.shown.valueMax - g.shown.valueMin) * g.plot.width();
    };
    return BarPlace{y, x(c.bar.origin), x(c.bar.points[i].value)};
}

} // namespace

class TstChartCrowded : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void placerOverlaps_data();
    void placerOverlaps();
    void placerKeepsLabelsApart();

    void everyBarShows_data();
    void everyBarShows();
    void markersOverTheLine_data();
    void markersOverTheLine();
    void marksLieOnBackground_data();
    void marksLieOnBackground();
    void pieLabelsApart_data();
    void pieLabelsApart();
    void valueLabelsNeverTouch_data();
    void valueLabelsNeverTouch();
    void legendTextsNeverTouch_data();
    void legendTextsNeverTouch();

    void pictures();
};

void TstChartCrowded::placerOverlaps_data()
{
    QTest::addColumn<QPolygonF>("shape");
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<bool>("overlaps");
    const QRectF r(10, 10, 20, 10);
    QTest::newRow("segment across") << QPolygonF({{0, 15}, {40, 15}}) << r << true;
    QTest::newRow("segment inside") << QPolygonF({{12, 12}, {14, 14}}) << r << true;
    // The boxes meet, the shapes do not: a diagonal passing the corner.
    QTest::newRow("segment past the corner") << QPolygonF({{25, 0}, {35, 12}}) << r << false;
    QTest::newRow("segment above") << QPolygonF({{0, 5}, {40, 5}}) << r << false;
    QTest::newRow("triangle over a corner")
            << QPolygonF({{25, 15}, {40, 15}, {25, 30}}) << r << true;
    QTest::newRow("triangle beside the corner")
            << QPolygonF({{31, 21}, {45, 21}, {31, 9}}) << r << false;
    QTest::newRow("hexagon holding the rect")
            << QPolygonF({{0, 0}, {40, 0}, {50, 15}, {40, 30}, {0, 30}, {-10, 15}}) << r << true;
    QTest::newRow("parallelogram of a bar's top, clear of the label")
            << QPolygonF({{0, 22}, {25, 22}, {29, 26}, {4, 26}}) << r << false;
    QTest::newRow("edges that only touch")
            << QPolygonF({{30, 10}, {40, 10}, {40, 20}, {30, 20}}) << r << false;
}

void TstChartCrowded::placerOverlaps()
{
    QFETCH(QPolygonF, shape);
    QFETCH(QRectF, rect);
    QFETCH(bool, overlaps);
    QCOMPARE(LabelPlacer::overlaps(shape, rect), overlaps);
    LabelPlacer placer(QRectF(-100, -100, 300, 300));
    placer.addObstacle(shape, 7);
    QCOMPARE(placer.isFree(rect), !overlaps);
    // The shape's own point may label it however close.
    QVERIFY(placer.isFree(rect, 7));
}

void TstChartCrowded::placerKeepsLabelsApart()
{
    LabelPlacer placer(QRectF(0, 0, 200, 100));
    QVERIFY(placer.place(QRectF(10, 10, 30, 10), 1));
    // Another label may not overlap it, not even one of the same point.
    QVERIFY(!placer.place(QRectF(35, 15, 30, 10), 2));
    QVERIFY(!placer.place(QRectF(35, 15, 30, 10), 1));
    QVERIFY(placer.place(QRectF(40, 10, 30, 10), 2)); // side by side
    QVERIFY(placer.place(QRectF(10, 20, 30, 10), 3)); // one below the other
    // Labels leave neither the bounds nor the rows the lookup keeps.
    QVERIFY(!placer.place(QRectF(190, 10, 30, 10)));
    QVERIFY(!placer.place(QRectF(10, -5, 30, 10)));
    QVERIFY(!placer.place(QRectF(10, 1e9, 30, 10)));
    QVERIFY(!placer.place(QRectF(qQNaN(), 10, 30, 10)));
    QCOMPARE(placer.placed().size(), 3);
}

void TstChartCrowded::everyBarShows_data()
{
    QTest::addColumn<int>("base");
    QTest::addColumn<bool>("view3D");
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("width");
    for (int base : {0, 1, 2}) {
        for (bool view3D : {false, true}) {
            for (int depth : {20, 100}) {
                if (!view3D && depth != 20)
                    continue;
                for (int width : {30, 70}) {
                    const QByteArray tag = QByteArray(base == 0        ? "class"
                                                           : base == 1 ? "12"
                                                                       : "grades")
                            + (view3D ? " 3D " : " 2D ") + QByteArray::number(depth) + "% deep, "
                            + QByteArray::number(width) + "% wide";
                    QTest::newRow(tag.constData()) << base << view3D << depth << width;
                }
            }
        }
    }
}

void TstChartCrowded::everyBarShows()
{
    // Each bar's front face keeps its colour along its length: no neighbour's
    // top or side covers it, whatever their lengths.
    QFETCH(int, base);
    QFETCH(bool, view3D);
    QFETCH(int, depth);
    QFETCH(int, width);
    Chart c = chartOf(base, Kind::Bar);
    c.bar.style = BarStyle::bsRectangle;
    c.bar.marks.visible = false;
    c.view3D.view3D = view3D;
    c.view3D.depthPercent = depth;
    c.bar.widthPercent = width;
    const QImage image = renderToImage(c, kSize);
    const ChartGeometry g = chartGeometry(c, kTarget, {}, const_cast<QImage *>(&image));
    QVERIFY(g.valuesHorizontal);
    for (int i = 0; i < c.bar.count(); ++i) {
        const BarPlace b = barPlace(c, g, i);
        const QColor color = c.bar.points[i].color;
        int best = 0;
        for (int dy : {-1, 0, 1}) {
            const int y = int(std::floor(b.y)) + dy;
            int matching = 0;
            for (int x = int(b.x0) + 2; x <= int(b.x1) - 2; ++x)
                matching += near(image.pixel(x, y), color, 2) ? 1 : 0;
            best = std::max(best, matching);
        }
        const int length = int(b.x1) - int(b.x0) - 3;
        QVERIFY2(best >= length * 0.9,
                qPrintable(QStringLiteral("bar %1 shows %2 of %3 pixels")
                                   .arg(i)
                                   .arg(best)
                                   .arg(length)));
    }
}

void TstChartCrowded::markersOverTheLine_data()
{
    QTest::addColumn<int>("base");
    QTest::addColumn<bool>("view3D");
    for (int base : {0, 1, 2}) {
        for (bool view3D : {false, true}) {
            const QByteArray tag = QByteArray(base == 0        ? "class"
                                                   : base == 1 ? "12"
                                                               : "grades")
                    + (view3D ? " 3D" : " 2D");
            QTest::newRow(tag.constData()) << base << view3D;
        }
    }
}

void TstChartCrowded::markersOverTheLine()
{
    QFETCH(int, base);
    QFETCH(bool, view3D);
    Chart c = chartOf(base, Kind::Line);
    c.view3D.view3D = view3D;
    c.line.marks.visible = false;
    c.line.pointerStyle = PointerStyle::psRectangle;
    c.line.pointerHorizSize = 4;
    c.line.pointerVertSize = 4;
    const QColor fill(255, 128, 0);
    c.line.pointerColor = fill;
    const QImage image = renderToImage(c, kSize);
    const ChartGeometry g = chartGeometry(c, kTarget, {}, const_cast<QImage *>(&image));
    QVERIFY(!g.valuesHorizontal);
    const double slot = g.plot.width() / (g.shown.categoryMax - g.shown.categoryMin);
    for (int i = 0; i < c.line.count(); ++i) {
        const double x = g.plot.left() + (i - g.shown.categoryMin) * slot;
        const double y = g.plot.bottom()
                - (c.line.points[i].value - g.shown.valueMin)
                        / (g.shown.valueMax - g.shown.valueMin) * g.plot.height();
        // In 3D the marker's front stands a little before the point.
        int filled = 0;
        for (int dy = -4; dy <= 4; ++dy)
            for (int dx = -4; dx <= 4; ++dx)
                filled += near(image.pixel(int(x) + dx, int(y) + dy), fill, 8) ? 1 : 0;
        QVERIFY2(filled >= 16, qPrintable(QStringLiteral("marker %1: %2").arg(i).arg(filled)));
    }
}

void TstChartCrowded::marksLieOnBackground_data()
{
    QTest::addColumn<int>("base");
    QTest::addColumn<int>("kind");
    QTest::addColumn<Change>("change");
    const QList<std::pair<const char *, Change>> changes = {
            {"3D",
                    [](Chart &) {
                    }},
            {"2D",
                    [](Chart &c) {
                        c.view3D.view3D = false;
                    }},
            {"3D deep",
                    [](Chart &c) {
                        c.view3D.depthPercent = 80;
                    }},
            {"rotated",
                    [](Chart &c) {
                        c.view3D.orthogonal = false;
                        c.view3D.rotation = 340;
                        c.view3D.elevation = 345;
                    }},
            {"cylinders",
                    [](Chart &c) {
                        c.bar.style = BarStyle::bsCilinder;
                    }},
            {"names and values, boxed",
                    [](Chart &c) {
                        for (int i = 0; i < 3; ++i) {
                            c.series(i).marks.style = MarksStyle::smsLabelValue;
                            c.series(i).marks.transparent = false;
                        }
                    }},
            {"big font",
                    [](Chart &c) {
                        for (int i = 0; i < 3; ++i)
                            c.series(i).marks.font.font.setPointSize(14);
                    }},
            {"negative values",
                    [](Chart &c) {
                        for (int s = 0; s < 3; ++s)
                            for (int i = 0; i < c.series(s).count(); i += 3)
                                c.series(s).points[i].value *= -1;
                    }},
    };
    for (int base : {0, 1, 2}) {
        for (Kind kind : {Kind::Bar, Kind::Line}) {
            for (const auto &[name, change] : changes) {
                const QByteArray tag = QByteArray(base == 0        ? "class"
                                                       : base == 1 ? "12"
                                                                   : "grades")
                        + (kind == Kind::Bar ? " bar " : " line ") + name;
                QTest::newRow(tag.constData()) << base << int(kind) << change;
            }
        }
    }
}

void TstChartCrowded::marksLieOnBackground()
{
    // Under every value label the chart shows what it shows without its
    // series: no bar, line or marker lies there, and no other label.
    QFETCH(int, base);
    QFETCH(int, kind);
    QFETCH(Change, change);
    Chart c = chartOf(base, Kind(kind));
    change(c);
    QImage image(kSize, QImage::Format_ARGB32_Premultiplied);
    const ChartGeometry g = chartGeometry(c, kTarget, {}, &image);
    QVERIFY(!g.marks.isEmpty());
    for (qsizetype i = 0; i < g.marks.size(); ++i) {
        QVERIFY(kTarget.contains(g.marks[i].box));
        for (qsizetype j = i + 1; j < g.marks.size(); ++j)
            QVERIFY2(!g.marks[i].box.intersects(g.marks[j].box),
                    qPrintable(g.marks[i].text + QLatin1Char('/') + g.marks[j].text));
    }

    // Labels drawn in an invisible ink keep the layout they were placed in.
    for (int s = 0; s < 3; ++s) {
        c.series(s).marks.transparent = true;
        c.series(s).marks.font.color = QColor(0, 0, 0, 0);
    }
    const QImage shown = renderToImage(c, kSize);
    save(shown, QString::fromLatin1(QTest::currentDataTag()));
    // The same layout with the series drawn in invisible colours.
    for (int s = 0; s < 3; ++s)
        for (Point &p : c.series(s).points)
            p.color = QColor(0, 0, 0, 0);
    c.line.lineColor = QColor(0, 0, 0, 0);
    c.line.pointerColor = QColor(0, 0, 0, 0);
    const QImage bare = renderToImage(c, kSize);
    for (const MarkGeometry &mark : std::as_const(g.marks)) {
        // The pixels the box's edges only graze may blend with a neighbour.
        const QRect inner = mark.box.toAlignedRect().adjusted(1, 1, -1, -1);
        for (int y = inner.top(); y <= inner.bottom(); ++y)
            for (int x = inner.left(); x <= inner.right(); ++x)
                QVERIFY2(shown.pixel(x, y) == bare.pixel(x, y),
                        qPrintable(QStringLiteral("label %1 of point %2 covers %3 at %4,%5")
                                           .arg(mark.text)
                                           .arg(mark.point)
                                           .arg(QColor(shown.pixel(x, y)).name())
                                           .arg(x)
                                           .arg(y)));
    }
}

void TstChartCrowded::pieLabelsApart_data()
{
    QTest::addColumn<int>("base");
    QTest::addColumn<Change>("change");
    const QList<std::pair<const char *, Change>> changes = {
            {"3D",
                    [](Chart &) {
                    }},
            {"2D",
                    [](Chart &c) {
                        c.view3D.view3D = false;
                    }},
            {"exploded far",
                    [](Chart &c) {
                        c.pie.explodeBiggest = 90;
                    }},
            {"turned",
                    [](Chart &c) {
                        c.pie.rotation = 130;
                    }},
            {"names and percents, boxed",
                    [](Chart &c) {
                        c.pie.marks.style = MarksStyle::smsLabelPercent;
                        c.pie.marks.transparent = false;
                    }},
            {"big font",
                    [](Chart &c) {
                        c.pie.marks.font.font.setPointSize(16);
                    }},
    };
    for (int base : {0, 1, 2}) {
        for (const auto &[name, change] : changes) {
            const QByteArray tag = QByteArray(base == 0        ? "class "
                                                   : base == 1 ? "12 "
                                                               : "grades ")
                    + name;
            QTest::newRow(tag.constData()) << base << change;
        }
    }
}

void TstChartCrowded::pieLabelsApart()
{
    QFETCH(int, base);
    QFETCH(Change, change);
    Chart c = chartOf(base, Kind::Pie);
    change(c);
    QImage image(kSize, QImage::Format_ARGB32_Premultiplied);
    const ChartGeometry g = chartGeometry(c, kTarget, {}, &image);
    QVERIFY(!g.marks.isEmpty());
    for (qsizetype i = 0; i < g.marks.size(); ++i) {
        QVERIFY(g.marks[i].box.intersects(kTarget));
        for (qsizetype j = i + 1; j < g.marks.size(); ++j)
            QVERIFY2(!g.marks[i].box.intersects(g.marks[j].box),
                    qPrintable(g.marks[i].text + QLatin1Char('/') + g.marks[j].text));
    }
}

void TstChartCrowded::valueLabelsNeverTouch_data()
{
    QTest::addColumn<int>("bars");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("view3D");
    QTest::addColumn<int>("placed"); // -1: some may be left out
    // The class of 28 at the window's design size keeps every label.
    QTest::newRow("class, design size, 3D") << 28 << kSize << true << 28;
    QTest::newRow("class, design size, 2D") << 28 << kSize << false << 28;
    for (int bars : {12, 28, 40, 79, 200}) {
        for (const QSize &size : {QSize(555, 376), QSize(400, 260), QSize(260, 180)}) {
            for (bool view3D : {false, true}) {
                const QByteArray tag = QByteArray::number(bars) + " bars, "
                        + QByteArray::number(size.width()) + "x" + QByteArray::number(size.height())
                        + (view3D ? ", 3D" : ", 2D");
                QTest::newRow(tag.constData()) << bars << size << view3D << -1;
            }
        }
    }
}

void TstChartCrowded::valueLabelsNeverTouch()
{
    // However close the bars stand, two value labels keep room between
    // them: numbers side by side or one above the other never read as one.
    QFETCH(int, bars);
    QFETCH(QSize, size);
    QFETCH(bool, view3D);
    QFETCH(int, placed);
    Chart c = placed == 28 ? classChart(Kind::Bar) : sampleChart(Kind::Bar, bars);
    c.view3D.view3D = view3D;
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    const ChartGeometry g = chartGeometry(c, QRectF(QPointF(), size), {}, &image);
    QVERIFY(!g.marks.isEmpty());
    if (placed >= 0)
        QCOMPARE(g.marks.size(), qsizetype(placed));
    for (qsizetype i = 0; i < g.marks.size(); ++i) {
        const QRectF around = g.marks[i].box.adjusted(-0.5, -0.5, 0.5, 0.5);
        for (qsizetype j = i + 1; j < g.marks.size(); ++j)
            QVERIFY2(!around.intersects(g.marks[j].box),
                    qPrintable(g.marks[i].text + QLatin1Char('/') + g.marks[j].text));
    }
}

void TstChartCrowded::legendTextsNeverTouch_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<bool>("cut");
    QTest::newRow("6 entries") << 6 << 8 << false;
    QTest::newRow("20 entries") << 20 << 8 << false;
    // A class's legend takes a second column and smaller text before it cuts.
    QTest::newRow("28 entries") << 28 << 8 << false;
    QTest::newRow("28 entries, big font") << 28 << 12 << false;
    QTest::newRow("1000 entries") << 1000 << 8 << true;
}

void TstChartCrowded::legendTextsNeverTouch()
{
    QFETCH(int, points);
    QFETCH(int, fontSize);
    QFETCH(bool, cut);
    Chart c = points == 28 ? classChart(Kind::Pie) : sampleChart(Kind::Pie, points);
    const QColor box(200, 220, 240);
    const QColor ink(0, 0, 0);
    c.legend.color = box;
    c.legend.font.color = ink;
    c.legend.font.font.setPointSize(fontSize);
    c.legend.colorWidth = 0; // text alone in the box
    const QImage image = renderToImage(c, kSize);
    const ChartGeometry g = chartGeometry(c, kTarget, {}, const_cast<QImage *>(&image));
    QVERIFY(!g.legend.isNull());
    QVERIFY(kTarget.contains(g.legend));
    QCOMPARE(g.legendRows.size() < points, cut);
    if (cut) // the legend fills the height it may take
        QVERIFY(g.legend.bottom() > kSize.height() - 30);

    // Scanning down each column of the box, every band of ink (a text, or
    // an accent parted from its letter) lies within one row, and every row has ink.
    QList<double> columns;
    for (const QRectF &row : std::as_const(g.legendRows))
        if (!columns.contains(row.left()))
            columns.append(row.left());
    QList<int> inkPerRow(g.legendRows.size(), 0);
    for (double left : std::as_const(columns)) {
        const QRect inner = g.legend.toAlignedRect().adjusted(2, 2, -2, -2);
        QRectF columnRows;
        for (const QRectF &row : std::as_const(g.legendRows))
            if (row.left() == left)
                columnRows |= row;
        const int x0 = std::max(inner.left(), int(std::ceil(columnRows.left())));
        const int x1 = std::min(inner.right(), int(std::floor(columnRows.right())) - 1);
        QList<std::pair<int, int>> bands;
        for (int y = inner.top(); y <= inner.bottom(); ++y) {
            bool any = false;
            for (int x = x0; x <= x1 && !any; ++x)
                any = !near(image.pixel(x, y), box, 4);
            if (!any)
                continue;
            if (!bands.isEmpty() && bands.last().second == y - 1)
                bands.last().second = y;
            else
                bands.append({y, y});
        }
        for (const auto &[top, bottom] : std::as_const(bands)) {
            int row = -1;
            for (qsizetype r = 0; r < g.legendRows.size(); ++r)
                if (g.legendRows[r].left() == left && top >= g.legendRows[r].top() - 0.5
                        && bottom + 1 <= g.legendRows[r].bottom() + 0.5)
                    row = int(r);
            QVERIFY2(row >= 0,
                    qPrintable(QStringLiteral("ink at rows %1 to %2").arg(top).arg(bottom)));
            ++inkPerRow[row];
        }
    }
    QVERIFY(!inkPerRow.contains(0));
}

void TstChartCrowded::pictures()
{
    const QList<std::pair<const char *, Chart>> pictures = [] {
        Chart bar3d = classChart(Kind::Bar);
        Chart bar = bar3d;
        bar.view3D.view3D = false;
        Chart cylinder = bar3d;
        cylinder.bar.style = BarStyle::bsCilinder;
        Chart line3d = classChart(Kind::Line);
        Chart line = line3d;
        line.view3D.view3D = false;
        Chart grades = gradeChart(Kind::Pie);
        Chart hatched = grades;
        hatched.pie.patterns = true;
        return QList<std::pair<const char *, Chart>>{{"chart-bar-3d", bar3d}, {"chart-bar", bar},
                {"chart-bar-cylinder", cylinder}, {"chart-line-3d", line3d}, {"chart-line", line},
                {"chart-pie-class", classChart(Kind::Pie)}, {"chart-pie", grades},
                {"chart-pie-hatched", hatched}};
    }();
    for (const auto &[name, chart] : pictures) {
        const QImage image = renderToImage(chart, kSize);
        QCOMPARE(image.size(), kSize);
        save(image, QString::fromLatin1(name));
    }
}

QTEST_MAIN(TstChartCrowded)
#include "tst_chartcrowded.moc"
