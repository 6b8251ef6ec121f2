#include "../results/progressclass.h"
#include "appearance/chartappearance.h"
#include "chartengine/chartrenderer.h"
#include "charts/chartdata.h"
#include "charts/chartprint.h"
#include "charts/scorecharts.h"
#include "results/grading.h"
#include "results/progress.h"
#include "results/regrading.h"
#include "results/resultpaths.h"
#include "tables/gridmodel.h"

#include <QImage>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <set>

using namespace zavevad;
using namespace Qt::StringLiterals;

namespace {

constexpr double kMinute = 1.0 / (24 * 60);
constexpr double kSecond = kMinute / 60;
constexpr double kDay = 45000.0;

struct StudentScore
{
    int points;
    double workingDays;
};

/// A loaded class of `questions` questions graded under `t`; each student
/// answered the first `points` questions correctly and worked the given time.
AnalysisState loadedClass(
        int questions, const QList<StudentScore> &students, const Thresholds &t = Thresholds{})
{
    AnalysisState state;
    state.dataLoaded = true;
    state.tableMode = TableResults;
    state.questionCount = questions;
    state.thresholds = t;
    int i = 0;
    for (const StudentScore &student : students) {
        UczenAll s;
        s.Nazwisko = QStringLiteral("Uczeń%1").arg(++i);
        s.Imie = QStringLiteral("Ola");
        s.LiczbaPytan = questions;
        for (int k = 0; k < student.points; ++k)
            s.Odpowiedzi[static_cast<std::size_t>(k)] = 1;
        s.Poczatek = kDay + 0.375;
        s.Koniec = s.Poczatek + student.workingDays;
        state.students.push_back(s);
    }
    state.studentCount = static_cast<std::int32_t>(state.students.size());
    gradeStudents(state.students, questions, t, state.summary);
    computeQuestionStats(state.students, questions, state.questions);
    computeClassTotals(state.students, state.summary);
    return state;
}

QList<StudentScore> withPoints(const QList<int> &points, double minutes = 20)
{
    QList<StudentScore> students;
    for (int p : points)
        students.append({p, minutes * kMinute});
    return students;
}

QStringList flaggedNames(const TimeScoreData &data)
{
    QStringList names;
    for (const TimeScorePoint &p : data.points) {
        if (p.flagged)
            names.append(p.name);
    }
    return names;
}

} // namespace

Q_DECLARE_METATYPE(StudentScore)
Q_DECLARE_METATYPE(Thresholds)

class TestScoreCharts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void gradeColoursAreSixDistinctOnes()
    {
        std::set<QRgb> colours;
        for (const QString &grade : gradeNamesRising())
            colours.insert(gradeColor(grade).rgb());
        QCOMPARE(colours.size(), std::size_t(6));
        QCOMPARE(gradeNamesRising(),
                (QStringList{u"Ndst"_s, u"Dop"_s, u"Dst"_s, u"Db"_s, u"Bdb"_s, u"Cel"_s}));
    }

    void histogramOfAHandMadeClass()
    {
        // Four questions: 0 and 1 point are Ndst (0, 25 %), 2 Dop (50 %),
        // 3 Db (75 %), 4 Cel (100 %); "Dst" and "Bdb" are earned by no score.
        const AnalysisState state = loadedClass(4, withPoints({0, 2, 2, 3, 4, 4, 4}));
        const ScoreDistribution d = scoreDistribution(state);
        QCOMPARE(d.counts, (QList<int>{1, 0, 2, 1, 3}));
        QCOMPARE(d.grades, (QStringList{u"Ndst"_s, u"Ndst"_s, u"Dop"_s, u"Db"_s, u"Cel"_s}));
        QCOMPARE(d.steps,
                (QList<ScoreDistribution::Step>{{u"Dop"_s, 2}, {u"Db"_s, 3}, {u"Cel"_s, 4}}));
        QCOMPARE(d.mean, 2.71); // 19 points / 7 students, as the table shows it

        chart::Chart c;
        fillScoreChart(ScoreChart::Distribution, state, c);
        QVERIFY(c.xy.active);
        QCOMPARE(c.xy.style, chart::XYStyle::Columns);
        QCOMPARE(c.xy.points.size(), 5);
        for (int s = 0; s <= 4; ++s) {
            QCOMPARE(c.xy.points[s].x, double(s));
            QCOMPARE(c.xy.points[s].y, double(d.counts[s]));
            QCOMPARE(c.xy.points[s].color, gradeColor(d.grades[s]));
        }
        // A dashed line on each colour step, then the solid mean.
        QCOMPARE(c.xy.referenceLines.size(), 4);
        QCOMPARE(c.xy.referenceLines[0].x, 1.5);
        QCOMPARE(c.xy.referenceLines[0].label, u"Dop"_s);
        QCOMPARE(c.xy.referenceLines[0].style, Qt::DashLine);
        QCOMPARE(c.xy.referenceLines[2].x, 3.5);
        QCOMPARE(c.xy.referenceLines[2].label, u"Cel"_s);
        QCOMPARE(c.xy.referenceLines[3].x, 2.71);
        QCOMPARE(c.xy.referenceLines[3].label, u"Średnia 2,71"_s);
        QCOMPARE(c.xy.referenceLines[3].style, Qt::SolidLine);
        QCOMPARE(c.xy.legendItems.size(), 6);
        QCOMPARE(c.xy.legendItems[0].text, u"Ndst"_s);
        QCOMPARE(c.xy.legendItems[5].color, gradeColor(u"Cel"));
        QCOMPARE(*c.xy.xMin, -0.5);
        QCOMPARE(*c.xy.xMax, 4.5);
    }

    void histogramColoursFollowTheThresholds()
    {
        AnalysisState state = loadedClass(4, withPoints({1, 3, 4}));
        Thresholds t;
        t.cel = 101; // nobody gets Cel: 4 points are Bdb
        t.dop = 25; // 1 point (25 %) is Dop
        regradeAnalysis(state, t);
        const ScoreDistribution d = scoreDistribution(state);
        QCOMPARE(d.grades, (QStringList{u"Ndst"_s, u"Dop"_s, u"Dop"_s, u"Db"_s, u"Bdb"_s}));
        QCOMPARE(d.steps,
                (QList<ScoreDistribution::Step>{{u"Dop"_s, 1}, {u"Db"_s, 3}, {u"Bdb"_s, 4}}));
    }

    void firstQuartile_data()
    {
        QTest::addColumn<QList<int>>("minutes");
        QTest::addColumn<int>("quartile");
        QTest::newRow("none") << QList<int>{} << 0;
        QTest::newRow("one") << QList<int>{17} << 17;
        QTest::newRow("two") << QList<int>{30, 12} << 12;
        QTest::newRow("three") << QList<int>{30, 12, 20} << 12;
        QTest::newRow("four") << QList<int>{40, 30, 12, 20} << 12;
        QTest::newRow("five: the second") << QList<int>{40, 30, 12, 20, 25} << 20;
        QTest::newRow("eight: the second") << QList<int>{9, 1, 8, 2, 7, 3, 6, 4} << 2;
        QTest::newRow("ties") << QList<int>{5, 5, 5, 5, 9, 9, 9, 9} << 5;
    }
    void firstQuartile()
    {
        QFETCH(QList<int>, minutes);
        QFETCH(int, quartile);
        QCOMPARE(zavevad::firstQuartile(minutes), quartile);
    }

    void fastAndWeakFlag_data()
    {
        QTest::addColumn<QList<StudentScore>>("students");
        QTest::addColumn<QStringList>("flagged");
        // Ten questions: 0 to 4 points Ndst, 5 Dop, 6 Dst.
        QTest::newRow("one weak student")
                << QList<StudentScore>{{3, 30 * kMinute}} << QStringList{u"Uczeń1 Ola"_s};
        QTest::newRow("one good student")
                << QList<StudentScore>{{10, 5 * kMinute}} << QStringList{};
        QTest::newRow("two: the faster") << QList<StudentScore>{{2, 25 * kMinute},
                {5, 10 * kMinute}} << QStringList{u"Uczeń2 Ola"_s};
        QTest::newRow("three, tied fastest")
                << QList<StudentScore>{{4, 10 * kMinute}, {1, 10 * kMinute}, {0, 30 * kMinute}}
                << QStringList{u"Uczeń1 Ola"_s, u"Uczeń2 Ola"_s};
        QTest::newRow("fast but Dst is not weak")
                << QList<StudentScore>{{6, 5 * kMinute}, {1, 40 * kMinute}, {1, 41 * kMinute}}
                << QStringList{};
        // Eight students: the quartile is the 2nd shortest time, 10 min, and
        // every student at 10 min counts, seconds dropped as the table drops them.
        QTest::newRow("ties at the quartile")
                << QList<StudentScore>{{5, 8 * kMinute}, {2, 10 * kMinute + 59 * kSecond},
                           {4, 10 * kMinute}, {6, 10 * kMinute}, {1, 11 * kMinute},
                           {0, 30 * kMinute}, {9, 31 * kMinute}, {3, 32 * kMinute}}
                << QStringList{u"Uczeń1 Ola"_s, u"Uczeń2 Ola"_s, u"Uczeń3 Ola"_s};
    }
    void fastAndWeakFlag()
    {
        QFETCH(QList<StudentScore>, students);
        QFETCH(QStringList, flagged);
        const AnalysisState state = loadedClass(10, students);
        QCOMPARE(flaggedNames(timeScoreData(state)), flagged);
    }

    void scatterPoints()
    {
        const AnalysisState state = loadedClass(10,
                {{3, 12 * kMinute + 40 * kSecond}, {9, 35 * kMinute}, {6, 20 * kMinute},
                        {7, 61 * kMinute + 59 * kSecond}});
        chart::Chart c;
        fillScoreChart(ScoreChart::TimeScore, state, c);
        QVERIFY(c.xy.active);
        QCOMPARE(c.xy.style, chart::XYStyle::Markers);
        QCOMPARE(c.xy.points.size(), 4);
        const QList<chart::XYPoint> expected{
                {12, 3, gradeColor(u"Ndst"), u"Uczeń1 Ola"_s},
                {35, 9, gradeColor(u"Bdb"), QString()},
                {20, 6, gradeColor(u"Dst"), QString()},
                {61, 7, gradeColor(u"Dst"), QString()},
        };
        QCOMPARE(c.xy.points, expected);
        // A listener hears every student's name, drawn or not.
        QStringList names;
        for (const UczenAll &student : state.students)
            names.append(student.displayName());
        QCOMPARE(c.xy.pointNames, names);
        QCOMPARE(*c.xy.yMin, 0.0);
        QCOMPARE(*c.xy.yMax, 10.0);
        QCOMPARE(c.xy.referenceLines.size(), 1);
        QCOMPARE(c.xy.referenceLines[0].x, 12.0);
    }

    void buildSetsTitlesKindAndTableChartsTurnItOff()
    {
        const AnalysisState state = loadedClass(4, withPoints({1, 2, 3}));
        Appearances appearances;
        FillAppearanceDefaults(appearances);
        chart::Chart c;
        ChartKindState kind;
        const ChartBuildResult built =
                BuildScoreChart(ScoreChart::TimeScore, state, appearances, c, kind);
        QVERIFY(built.applied);
        QCOMPARE(kind.ChartKind, int(ChartKindLine));
        QCOMPARE(kind.ShownChartKind, int(ChartKindLine));
        QCOMPARE(c.header.lines, QStringList{u"Czas a wynik"_s});
        QCOMPARE(c.bottomAxis.title, u"Czas pracy [min]"_s);
        QCOMPARE(c.leftAxis.title, u"Punkty"_s);
        QCOMPARE(appearances.CurrentAppearance.TitleText.text(), u"Czas a wynik"_s);
        QCOMPARE(appearances.CurrentAppearance.BottomAxisTitle.text(), u"Czas pracy [min]"_s);
        QVERIFY(c.xy.active);

        BuildScoreChart(ScoreChart::Distribution, state, appearances, c, kind);
        QCOMPARE(kind.ChartKind, int(ChartKindBar));
        QCOMPARE(c.header.lines, QStringList{u"Rozkład punktów"_s});
        QCOMPARE(c.bottomAxis.title, u"Punkty"_s);
        QCOMPARE(c.leftAxis.title, u"Liczba uczniów"_s);

        // A chart of a table replaces the plot.
        GridModel grid;
        grid.setColumnCount(2);
        grid.setRowCount(8);
        for (int r = 1; r <= 6; ++r)
            grid.setText(1, r, QStringLiteral("1"));
        kind.ChartKind = ChartKindBar;
        const ChartBuildResult table =
                BuildChartFromTable({grid, TableGradeCount, 3, 16}, appearances, c, kind);
        QVERIFY(table.applied);
        QVERIFY(!c.xy.active);

        AnalysisState none;
        ChartKindState untouched;
        QVERIFY(!BuildScoreChart(ScoreChart::Distribution, none, appearances, c, untouched)
                         .applied);
        QCOMPARE(untouched.ChartKind, int(ChartKindNone));
    }

    void histogramKeepsEveryCountAndGradeLabel_data()
    {
        QTest::addColumn<QList<int>>("points");
        QTest::addColumn<Thresholds>("thresholds");
        Thresholds close;
        close.dop = 50;
        close.dst = 60;
        close.db = 70;
        close.bdb = 80;
        close.cel = 90;
        // Six at 7 points: an axis of whole steps would end at the tallest column.
        QTest::newRow("grade steps on neighbouring scores")
                << QList<int>{2, 5, 6, 7, 7, 7, 7, 7, 7, 8, 9, 10} << close;
        QTest::newRow("default thresholds") << QList<int>{4, 4, 4, 4, 6, 9, 10} << Thresholds{};
    }
    void histogramKeepsEveryCountAndGradeLabel()
    {
        QFETCH(QList<int>, points);
        QFETCH(Thresholds, thresholds);
        const AnalysisState state = loadedClass(10, withPoints(points), thresholds);
        Appearances appearances;
        FillAppearanceDefaults(appearances);
        chart::Chart c;
        ChartKindState kind;
        QVERIFY(BuildScoreChart(ScoreChart::Distribution, state, appearances, c, kind).applied);
        const QRectF target(0, 0, 555, 376);
        QImage device(1, 1, QImage::Format_ARGB32_Premultiplied);
        const chart::ChartGeometry g = chart::chartGeometry(c, target, {}, &device);

        // Each count stands above its own column, inside the chart.
        QCOMPARE(g.pointBoxes.size(), c.xy.points.size());
        int counted = 0;
        for (qsizetype i = 0; i < c.xy.points.size(); ++i) {
            if (c.xy.points[i].y == 0)
                continue;
            const QString count = QString::number(c.xy.points[i].y);
            const auto mark =
                    std::find_if(g.marks.begin(), g.marks.end(), [&](const chart::MarkGeometry &m) {
                        return m.text == count
                                && std::abs(m.box.center().x() - g.pointBoxes[i].center().x()) < 1;
                    });
            QVERIFY2(mark != g.marks.end(), qPrintable(count));
            QVERIFY2(mark->box.bottom() <= g.pointBoxes[i].top(), qPrintable(count));
            QVERIFY(target.contains(mark->box));
            ++counted;
        }
        QVERIFY(counted > 0);

        // Every reference line keeps its label, none over another.
        QStringList labels;
        for (const chart::ReferenceLine &line : std::as_const(c.xy.referenceLines))
            labels.append(line.label);
        QStringList shown;
        for (const chart::MarkGeometry &label : g.referenceLabels) {
            shown.append(label.text);
            QVERIFY2(target.contains(label.box), qPrintable(label.text));
            QVERIFY2(label.box.bottom() <= g.plot.top(), qPrintable(label.text));
        }
        QCOMPARE(shown, labels);
        for (qsizetype i = 0; i < g.referenceLabels.size(); ++i)
            for (qsizetype j = i + 1; j < g.referenceLabels.size(); ++j)
                QVERIFY2(!g.referenceLabels[i].box.intersects(g.referenceLabels[j].box),
                        qPrintable(g.referenceLabels[i].text + u'/' + g.referenceLabels[j].text));
    }

    void everyFlaggedStudentIsNamed_data()
    {
        QTest::addColumn<int>("flagged");
        QTest::addColumn<int>("others");
        QTest::addColumn<QSize>("size");
        QTest::newRow("14 close together") << 14 << 42 << QSize(555, 420);
        QTest::newRow("3 apart") << 3 << 9 << QSize(555, 420);
        QTest::newRow("14 in a small window") << 14 << 42 << QSize(400, 300);
        // No class: the box keeps to its share of the width and counts the rest.
        QTest::newRow("600, counted") << 600 << 1800 << QSize(555, 420);
    }
    void everyFlaggedStudentIsNamed()
    {
        QFETCH(int, flagged);
        QFETCH(int, others);
        QFETCH(QSize, size);
        // The weak ones within a few minutes and points of each other, all
        // faster than the rest.
        QList<StudentScore> students;
        for (int i = 0; i < flagged; ++i)
            students.append({1 + i % 4, (4 + i % 3) * kMinute});
        for (int i = 0; i < others; ++i)
            students.append({15 + i % 15, (20 + i % 100) * kMinute});
        const AnalysisState state = loadedClass(30, students);
        QStringList expected = flaggedNames(timeScoreData(state));
        QCOMPARE(expected.size(), flagged);

        Appearances appearances;
        FillAppearanceDefaults(appearances);
        chart::Chart c;
        ChartKindState kind;
        QVERIFY(BuildScoreChart(ScoreChart::TimeScore, state, appearances, c, kind).applied);
        const QRectF target(QPointF(0, 0), size);
        QImage device(1, 1, QImage::Format_ARGB32_Premultiplied);
        const chart::ChartGeometry g = chart::chartGeometry(c, target, {}, &device);

        QStringList named;
        QList<QRectF> boxes;
        for (const chart::MarkGeometry &m : g.marks) {
            named.append(m.text);
            boxes.append(m.box);
        }
        for (const chart::MarkGeometry &m : g.overflowNames) {
            if (m.point < 0) {
                QCOMPARE(m.text, u"Szybko i słabo:"_s);
            } else {
                named.append(m.text);
            }
            boxes.append(m.box);
        }
        named.sort();
        expected.sort();
        if (flagged > 100) {
            QVERIFY(g.overflowNames.last().text.startsWith(u'+'));
            QVERIFY(g.plot.width() > size.width() / 3);
        } else {
            QCOMPARE(named, expected);
        }
        QCOMPARE(g.pointBoxes.size(), qsizetype(flagged + others));
        for (const QRectF &box : std::as_const(boxes)) {
            QVERIFY(target.contains(box));
            QVERIFY(!box.intersects(g.legend));
            for (const QRectF &marker : g.pointBoxes)
                QVERIFY(!box.intersects(marker));
        }
        for (qsizetype i = 0; i < boxes.size(); ++i)
            for (qsizetype j = i + 1; j < boxes.size(); ++j)
                QVERIFY(!boxes[i].intersects(boxes[j]));
    }

    void pictureForPrint()
    {
        // "Zapisz obraz": A4 wide at 300 dpi, the window's picture scaled up,
        // not laid out anew with texts a third of their size.
        chart::Chart c;
        c.setPieActive(false);
        c.xy.active = true;
        c.xy.style = chart::XYStyle::Columns;
        c.xy.points = {{1, 4, QColor(255, 0, 0), QString()}, {2, 9, QColor(0, 0, 255), QString()}};
        const QSize size(600, 400);
        const QImage print = printResolutionImage(c, size);
        QCOMPARE(print.width(), 2480);
        QCOMPARE(print.height(), qRound(210 / 25.4 * 300 * 400 / 600));
        QCOMPARE(qRound(print.dotsPerMeterX() * 0.0254), 300);
        const QImage screen = chart::renderToImage(c, size);
        const QImage back = print.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        qint64 difference = 0;
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x)
                difference += std::abs(qGray(screen.pixel(x, y)) - qGray(back.pixel(x, y)));
        }
        QVERIFY2(difference / (size.width() * size.height()) < 12,
                qPrintable(QString::number(difference / (size.width() * size.height()))));
    }

    void scatterMarkersAreDrawnWhereTheirDataIs()
    {
        chart::Chart c;
        c.setPieActive(false);
        c.legend.visible = false;
        c.view3D.view3D = false;
        c.xy.active = true;
        c.xy.style = chart::XYStyle::Markers;
        c.xy.xMin = 0;
        c.xy.xMax = 40;
        c.xy.yMin = 0;
        c.xy.yMax = 20;
        c.line.pointerStyle = chart::PointerStyle::psRectangle;
        const QList<chart::XYPoint> points{{5, 4, QColor(255, 0, 0), QString()},
                {20, 10, QColor(0, 0, 255), QString()}, {35, 18, QColor(0, 160, 0), QString()}};
        c.xy.points = points;
        const QSize size(555, 376);
        const chart::ChartGeometry g = chart::chartGeometry(c, QRectF(QPointF(0, 0), size));
        QVERIFY(!g.hasAxes); // no zooming or panning of the plot
        QVERIFY(g.plot.width() > 300 && g.plot.height() > 200);
        const QImage image = chart::renderToImage(c, size);
        for (const chart::XYPoint &p : points) {
            const QPointF at(g.plot.left() + p.x / 40.0 * g.plot.width(),
                    g.plot.bottom() - p.y / 20.0 * g.plot.height());
            QCOMPARE(image.pixelColor(at.toPoint()), p.color);
        }

        // The vector copy keeps shapes: markers stamped as pictures belong to bitmaps only.
        c.xy.referenceLines.append({12.0, u"Próg"_s, QColor(0, 0, 0), Qt::DashLine});
        const QByteArray svg = chart::renderToSvg(c, size, u"Czas a wynik"_s);
        QVERIFY(!svg.contains("<image"));
        QVERIFY(svg.contains("Próg"));
    }

    void progressLinesJoinTheTestsInDateOrder()
    {
        QTemporaryDir dir;
        const std::vector<test::SampleTest> tests = test::sampleTests();
        test::writeSampleTests(dir.path(), tests, true);
        AnalysisState state;
        QVERIFY(commitProgress(loadProgress(resultFilesUnder(dir.path()), Thresholds{}), state));

        chart::Chart c;
        c.setPieActive(false);
        c.legend.visible = false;
        fillScoreChart(ScoreChart::Progress, state, c);
        QVERIFY(c.xy.active && c.xy.joinByColour);
        const QList<ProgressLine> lines = progressLines(state);
        QCOMPARE(lines.size(), 2);
        // The mean line: one point per test at x = 1, 2, 3, its class mean.
        QList<chart::XYPoint> means;
        for (const chart::XYPoint &p : std::as_const(c.xy.points)) {
            if (p.color == lines[0].color)
                means.append(p);
        }
        QCOMPARE(means.size(), 3);
        for (int t = 0; t < 3; ++t) {
            const test::SampleTest &sample = tests[std::size_t(t)];
            double points = 0;
            for (const test::SampleStudent &s : sample.students)
                points += sample.points(s);
            const double percent =
                    100.0 * points / (sample.questions * double(sample.students.size()));
            QCOMPARE(means[t].x, double(t + 1));
            QVERIFY2(std::abs(means[t].y - percent) <= 0.05, qPrintable(QString::number(percent)));
        }
        QVERIFY(means[2].label.contains(u"Potęgi 22.03"_s));

        // Between two tests the line is drawn in its colour.
        const QSize size(555, 376);
        const chart::ChartGeometry g = chart::chartGeometry(c, QRectF(QPointF(0, 0), size));
        const QImage image = chart::renderToImage(c, size);
        const auto at = [&](double x, double y) {
            return QPointF(g.plot.left() + (x - 0.5) / 3.0 * g.plot.width(),
                    g.plot.bottom() - y / 100.0 * g.plot.height());
        };
        const QPointF middle = (at(means[0].x, means[0].y) + at(means[1].x, means[1].y)) / 2;
        const QColor pixel = image.pixelColor(middle.toPoint());
        QVERIFY2(std::abs(pixel.blue() - lines[0].color.blue()) < 60 && pixel.red() < 90,
                qPrintable(pixel.name()));
    }

    // A chosen student's line joins the class's: their percentage (one
    // decimal) at each test they wrote, named in the legend; a row the
    // progress data lacks adds nothing.
    void progressChartAddsTheChosenStudent()
    {
        QTemporaryDir dir;
        const std::vector<test::SampleTest> tests = test::sampleTests();
        test::writeSampleTests(dir.path(), tests, true);
        AnalysisState state;
        QVERIFY(commitProgress(loadProgress(resultFilesUnder(dir.path()), Thresholds{}), state));
        const std::vector<ProgressStudent> &rows = state.progress.students;
        const auto kowalski = std::find_if(rows.begin(), rows.end(),
                [](const ProgressStudent &row) { return row.name == u"Kowalski Jan"_s; });
        QVERIFY(kowalski != rows.end());
        const auto row = static_cast<std::size_t>(kowalski - rows.begin());

        chart::Chart c;
        fillScoreChart(ScoreChart::Progress, state, c, row);
        const QList<ProgressLine> lines = progressLines(state, row);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[2].name, u"Kowalski Jan"_s);
        QVERIFY(lines[2].color != lines[0].color && lines[2].color != lines[1].color);
        QCOMPARE(c.xy.legendItems.size(), 3);
        QList<chart::XYPoint> own;
        for (const chart::XYPoint &p : std::as_const(c.xy.points)) {
            if (p.color == lines[2].color)
                own.append(p);
        }
        // Kowalski Jan missed the middle test.
        QCOMPARE(own.size(), 2);
        for (const chart::XYPoint &p : own) {
            const test::SampleTest &sample = tests[std::size_t(p.x) - 1];
            const auto student = std::find_if(sample.students.begin(), sample.students.end(),
                    [](const test::SampleStudent &s) { return s.surname == u"Kowalski"_s; });
            QVERIFY(student != sample.students.end());
            const double percent =
                    std::round(1000.0 * sample.points(*student) / sample.questions) / 10.0;
            QCOMPARE(p.y, percent);
        }
        QCOMPARE(own[0].x, 1.0);
        QCOMPARE(own[1].x, 3.0);

        QCOMPARE(progressLines(state, rows.size()).size(), 2);
        QCOMPARE(progressLines(state).size(), 2);
    }
};

// The renderer needs fonts: a QGuiApplication, with the core alone linked.
QTEST_MAIN(TestScoreCharts)
#include "tst_scorecharts.moc"
