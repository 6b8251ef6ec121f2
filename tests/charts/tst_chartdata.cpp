#include "charts/chartdata.h"

#include "tables/analysistables.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"
#include "tables/numberformat.h"

#include <QTest>

using namespace zavevad;

namespace {

QList<double> values(const chart::Series &series)
{
    QList<double> result;
    for (const chart::Point &p : series.points)
        result.append(p.value);
    return result;
}

QStringList labels(const chart::Series &series)
{
    QStringList result;
    for (const chart::Point &p : series.points)
        result.append(p.label);
    return result;
}

/// The results table as its builder leaves it, with the "Suma" column at
/// `sumaColumn`, the two summary rows included.
void fillResults(GridModel &grid, int students, int sumaColumn)
{
    grid.setColumnCount(sumaColumn + 2);
    grid.setRowCount(students + 3);
    grid.setText(0, 0, QStringLiteral("Nazwisko i imię"));
    grid.setText(sumaColumn, 0, QStringLiteral("Suma"));
    grid.setText(sumaColumn + 1, 0, QStringLiteral("Ocena"));
    for (int r = 1; r <= students; ++r) {
        grid.setText(0, r, QStringLiteral("Uczeń %1").arg(r));
        grid.setText(sumaColumn, r, QString::number(r * 2 % 17));
    }
    grid.setText(0, students + 1, QStringLiteral("Suma"));
    grid.setText(sumaColumn, students + 1, QStringLiteral("12,3"));
    grid.setText(0, students + 2, QStringLiteral("Średnia (%)"));
    grid.setText(sumaColumn, students + 2, QStringLiteral("nie liczba"));
}

void fillGrades(GridModel &grid, const QStringList &counts)
{
    grid.setColumnCount(2);
    grid.setRowCount(8);
    grid.setText(0, 0, QStringLiteral("Ocena"));
    grid.setText(1, 0, QStringLiteral("Ilość ocen"));
    const QStringList names{QStringLiteral("Cel"), QStringLiteral("Bdb"), QStringLiteral("Db"),
            QStringLiteral("Dst"), QStringLiteral("Dop"), QStringLiteral("Ndst")};
    for (int r = 1; r <= 6; ++r) {
        grid.setText(0, r, names.at(r - 1));
        grid.setText(1, r, counts.at(r - 1));
    }
    grid.setText(0, 7, QStringLiteral("Średnia z ocen"));
    grid.setText(1, 7, QStringLiteral("3,5"));
}

void fillWorkingTime(GridModel &grid, const QStringList &times)
{
    grid.setColumnCount(4);
    grid.setRowCount(int(times.size()) + 2);
    grid.setText(0, 0, QStringLiteral("Nazwisko i imię"));
    grid.setText(3, 0, QStringLiteral("Czas pracy"));
    for (int r = 1; r <= times.size(); ++r) {
        grid.setText(0, r, QStringLiteral("Uczeń %1").arg(r));
        grid.setText(3, r, times.at(r - 1));
    }
    grid.setText(0, int(times.size()) + 1, QStringLiteral("Średni (min)"));
}

struct Fixture
{
    Appearances appearances;
    chart::Chart chart;
    ChartKindState state;

    explicit Fixture(int kind)
    {
        FillAppearanceDefaults(appearances);
        state.ChartKind = kind;
    }
};

} // namespace

class TestChartData : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void pointColourRepeatsEveryTwentyRows_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("1") << 1 << QColor(0, 0, 255);
        QTest::newRow("2") << 2 << QColor(255, 0, 0);
        QTest::newRow("4") << 4 << QColor(192, 192, 192);
        QTest::newRow("12") << 12 << QColor(255, 255, 255);
        QTest::newRow("17") << 17 << QColor(217, 141, 38);
        QTest::newRow("19") << 19 << QColor(35, 118, 220);
        QTest::newRow("20") << 20 << QColor(0, 0, 255);
        QTest::newRow("21") << 21 << QColor(0, 0, 255);
        QTest::newRow("22") << 22 << QColor(255, 0, 0);
        QTest::newRow("40") << 40 << QColor(0, 0, 255);
        QTest::newRow("41") << 41 << QColor(0, 0, 255);
    }
    void pointColourRepeatsEveryTwentyRows()
    {
        QFETCH(int, row);
        QFETCH(QColor, colour);
        QCOMPARE(PointColor(row), colour);
    }

    void pointColourTableHasNineteenColours()
    {
        QSet<QRgb> colours;
        for (int r = 1; r <= 20; ++r)
            colours.insert(PointColor(r).rgb());
        QCOMPARE(colours.size(), 19);
    }

    void timesBecomeWholeMinutes_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("minutes");
        QTest::newRow("pl two-digit hour") << "pl_PL"
                                           << "01:05:30" << 65;
        QTest::newRow("pl one-digit hour") << "pl_PL"
                                           << "1:05:30" << 65;
        QTest::newRow("pl seconds dropped") << "pl_PL"
                                            << "0:00:59" << 0;
        QTest::newRow("pl long day") << "pl_PL"
                                     << "23:59:59" << 1439;
        QTest::newRow("cs") << "cs_CZ"
                            << "1:05:30" << 65;
        QTest::newRow("en") << "en_US"
                            << "1:05:30 AM" << 65;
        QTest::newRow("en afternoon") << "en_US"
                                      << "12:30:00 PM" << 750;
    }
    void timesBecomeWholeMinutes()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(int, minutes);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(cellMinutes(text), std::optional<int>(minutes));
    }

    void timesReadBackWhatTheTableWrites_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("pl") << "pl_PL";
        QTest::newRow("en") << "en_US";
        QTest::newRow("de") << "de_DE";
        QTest::newRow("fi") << "fi_FI";
    }
    void timesReadBackWhatTheTableWrites()
    {
        QFETCH(QString, locale);
        QLocale::setDefault(QLocale(locale));
        // 1 h 5 min 30 s and 25 min 30 s as fractions of a day.
        QCOMPARE(cellMinutes(timeOfDayText(3930.0 / 86400)), std::optional<int>(65));
        QCOMPARE(cellMinutes(timeOfDayText(1530.0 / 86400)), std::optional<int>(25));
    }

    void numbersUseTheLocaleSeparator()
    {
        QCOMPARE(cellNumber(QStringLiteral("12,5")), std::optional<double>(12.5));
        QCOMPARE(cellNumber(QStringLiteral("7")), std::optional<double>(7));
        QVERIFY(!cellNumber(QString()));
        QVERIFY(!cellNumber(QStringLiteral("abc")));
        QVERIFY(!cellNumber(QStringLiteral("nan")));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(cellNumber(QStringLiteral("12.5")), std::optional<double>(12.5));
    }

    void gradeChartHasSixPointsInOrder()
    {
        GridModel grid;
        fillGrades(grid,
                {QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("5"), QStringLiteral("0"),
                        QStringLiteral("1"), QStringLiteral("3")});
        Fixture f(ChartKindPie);
        const ChartBuildResult result = BuildChartFromTable(
                {grid, TableGradeCount, 11, 16}, f.appearances, f.chart, f.state);
        QVERIFY(result.applied);

        const QList<double> expected{2, 0, 5, 0, 1, 3};
        const QStringList names{QStringLiteral("Cel"), QStringLiteral("Bdb"), QStringLiteral("Db"),
                QStringLiteral("Dst"), QStringLiteral("Dop"), QStringLiteral("Ndst")};
        for (const chart::Series *s : {static_cast<const chart::Series *>(&f.chart.bar),
                     static_cast<const chart::Series *>(&f.chart.pie),
                     static_cast<const chart::Series *>(&f.chart.line)}) {
            QCOMPARE(values(*s), expected);
            QCOMPARE(labels(*s), names);
            QCOMPARE(s->points.at(1).color, QColor(255, 0, 0));
        }
        QCOMPARE(f.chart.header.lines, QStringList{QStringLiteral("Zestawienie ocen")});
        QCOMPARE(f.chart.leftAxis.title, QStringLiteral("Ocena"));
        QCOMPARE(f.chart.bottomAxis.title, QStringLiteral("Ilość ocen"));
        const TChartAppearance &current = f.appearances.CurrentAppearance;
        QCOMPARE(current.TitleText.text(), QStringLiteral("Zestawienie ocen"));
        QCOMPARE(current.LeftAxisTitle.text(), QStringLiteral("Ocena"));
        QCOMPARE(current.BottomAxisTitle.text(), QStringLiteral("Ilość ocen"));
        QCOMPARE(f.state.ShownChartKind, int(ChartKindPie));
        QVERIFY(f.chart.pie.active);
        QVERIFY(!current.Perspective);
    }

    void recordDiffersFromTheDefaultsOnlyInTheChartFields()
    {
        GridModel grid;
        fillResults(grid, 3, 16);
        Fixture f(ChartKindBar);
        f.appearances.CurrentAppearance.LegendVisible = false; // a dialog edit, discarded
        QVERIFY(BuildChartFromTable({grid, TableResults, 3, 16}, f.appearances, f.chart, f.state)
                        .applied);
        TChartAppearance expected = f.appearances.DefaultAppearance;
        expected.TitleText.setText(u"Wyniki testu");
        expected.LeftAxisTitle.setText(u"Nazwisko i imię");
        expected.BottomAxisTitle.setText(u"Suma");
        expected.Perspective = true;
        QCOMPARE(f.appearances.CurrentAppearance, expected);
    }

    void resultsChartIsTheSameFromEitherPage()
    {
        GridModel first;
        fillResults(first, 22, 16);
        GridModel second;
        fillResults(second, 22, 6); // page 2 of a 20-question test: m = 5
        Fixture a(ChartKindBar);
        Fixture b(ChartKindBar);
        QVERIFY(BuildChartFromTable({first, TableResults, 22, 16}, a.appearances, a.chart, a.state)
                        .applied);
        QVERIFY(BuildChartFromTable({second, TableResults, 22, 6}, b.appearances, b.chart, b.state)
                        .applied);
        QCOMPARE(a.chart.bar.points, b.chart.bar.points);
        QCOMPARE(a.chart.pie.points, b.chart.pie.points);
        QCOMPARE(a.chart.bar.count(), 22);
        QCOMPARE(a.chart.bar.points.at(2).value, 6.0);
        QCOMPARE(a.chart.bar.points.at(0).color, QColor(0, 0, 255));
        QCOMPARE(a.chart.bar.points.at(19).color, QColor(0, 0, 255));
        QCOMPARE(a.chart.bar.points.at(20).color, QColor(0, 0, 255));
        QCOMPARE(a.chart.line.points, a.chart.bar.points);
        QCOMPARE(a.chart.header.lines, QStringList{QStringLiteral("Wyniki testu")});
        QCOMPARE(a.chart.bottomAxis.title, QStringLiteral("Suma"));
        QVERIFY(a.chart.view3D.orthogonal);
        QCOMPARE(a.state.CurrentSeries, int(chart::BarSeriesIndex));
    }

    void workingTimeChartCountsMinutes()
    {
        GridModel grid;
        fillWorkingTime(grid,
                {QStringLiteral("01:05:30"), QStringLiteral("00:00:59"),
                        QStringLiteral("00:25:30")});
        Fixture f(ChartKindLine);
        const ChartBuildResult result = BuildChartFromTable(
                {grid, TableWorkingTime, 3, 16}, f.appearances, f.chart, f.state);
        QVERIFY(result.applied);
        QCOMPARE(values(f.chart.line), (QList<double>{65, 0, 25}));
        QCOMPARE(values(f.chart.pie), (QList<double>{65, 0, 25}));
        QCOMPARE(f.chart.header.lines, QStringList{QStringLiteral("Czas pracy")});
        QCOMPARE(f.chart.bottomAxis.title, QStringLiteral("Czas pracy [min]"));
        QCOMPARE(f.chart.leftAxis.title, QStringLiteral("Nazwisko i imię"));
        QCOMPARE(f.appearances.CurrentAppearance.BottomAxisTitle.text(),
                QStringLiteral("Czas pracy [min]"));
        QCOMPARE(f.appearances.CurrentAppearance.TitleText.text(), QStringLiteral("Czas pracy"));
    }

    void itemAnalysisChartShowsDifficultyInPercent()
    {
        // 100 students: shares whose hundredths times 100 are not whole in
        // floating point (0.29 * 100 = 28.999999999999996).
        const int correct[] = {85, 29, 57, 7};
        AnalysisState analysis;
        for (int s = 0; s < 100; ++s) {
            UczenAll student;
            for (std::size_t q = 0; q < 4; ++q)
                student.Odpowiedzi[q] = s < correct[q] ? 1 : 0;
            analysis.students.push_back(student);
        }
        analysis.studentCount = 100;
        analysis.questionCount = 4;
        GridModel grid;
        GridState state;
        AnalysisTables(grid, state, analysis).PokazTabele(TableItemAnalysis);
        QCOMPARE(grid.text(2, 1), QStringLiteral("0,85"));

        Fixture f(ChartKindBar);
        const ChartBuildResult result = BuildChartFromTable(
                {grid, TableItemAnalysis, 100, 16}, f.appearances, f.chart, f.state);
        QVERIFY(result.applied);
        const QList<double> expected{85, 29, 57, 7};
        QCOMPARE(values(f.chart.bar), expected);
        QCOMPARE(values(f.chart.line), expected);
        QCOMPARE(values(f.chart.pie), expected);
        QCOMPARE(labels(f.chart.pie),
                (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                        QStringLiteral("4")}));
        QCOMPARE(f.chart.bar.points.at(1).color, QColor(255, 0, 0));
        QCOMPARE(f.chart.header.lines, QStringList{QStringLiteral("Łatwość pytań")});
        QCOMPARE(f.chart.leftAxis.title, QStringLiteral("Pytanie"));
        QCOMPARE(f.chart.bottomAxis.title, QStringLiteral("Łatwość [%]"));
        const TChartAppearance &current = f.appearances.CurrentAppearance;
        QCOMPARE(current.TitleText.text(), QStringLiteral("Łatwość pytań"));
        QCOMPARE(current.LeftAxisTitle.text(), QStringLiteral("Pytanie"));
        QCOMPARE(current.BottomAxisTitle.text(), QStringLiteral("Łatwość [%]"));
    }

    void badCellStopsTheBuild_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("message");
        QTest::newRow("number") << int(TableResults)
                                << QStringLiteral("'x1' is not a valid floating point value");
        QTest::newRow("time") << int(TableWorkingTime)
                              << QStringLiteral("'x1' is not a valid time");
    }
    void badCellStopsTheBuild()
    {
        QFETCH(int, mode);
        QFETCH(QString, message);
        GridModel grid;
        if (mode == TableResults) {
            fillResults(grid, 4, 16);
            grid.setText(16, 3, QStringLiteral("x1"));
        } else {
            fillWorkingTime(grid,
                    {QStringLiteral("00:10:00"), QStringLiteral("00:20:00"), QStringLiteral("x1"),
                            QStringLiteral("00:40:00")});
        }
        Fixture f(ChartKindBar);
        f.chart.pie.addPoint(99, QStringLiteral("z poprzedniego wykresu"), Qt::black);
        f.appearances.CurrentAppearance.TitleAlignment = 2;
        const chart::Chart before = f.chart;

        QString thrown;
        try {
            BuildChartFromTable({grid, TableKind(mode), 4, 16}, f.appearances, f.chart, f.state);
        } catch (const CommandError &error) {
            thrown = error.message();
        }
        QCOMPARE(thrown, message);
        QCOMPARE(f.chart.bar.count(), 2);
        QCOMPARE(f.chart.line.count(), 2);
        QCOMPARE(f.chart.pie.points, before.pie.points);
        QCOMPARE(f.appearances.CurrentAppearance, f.appearances.DefaultAppearance);
        QCOMPARE(f.state.ShownChartKind, int(ChartKindNone));
        QCOMPARE(f.chart.bar.active, before.bar.active);
        QCOMPARE(f.chart.pie.active, before.pie.active);
    }

    void noTableOnlyResetsTheRecord()
    {
        GridModel grid;
        fillGrades(grid,
                {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"),
                        QStringLiteral("1"), QStringLiteral("1")});
        Fixture f(ChartKindBar);
        f.appearances.CurrentAppearance.TitleText.setText(u"Stary");
        const ChartBuildResult result =
                BuildChartFromTable({grid, TableNone, 0, 16}, f.appearances, f.chart, f.state);
        QVERIFY(!result.applied);
        QCOMPARE(f.appearances.CurrentAppearance.TitleText.text(), QStringLiteral("Oto nagłówek"));
        QCOMPARE(f.chart.bar.count(), 0);
        QCOMPARE(f.chart.header.lines, QStringList{QStringLiteral("Wykres 1")});
        QCOMPARE(f.state.ShownChartKind, int(ChartKindNone));
    }

    void longAxisHeaderIsCutInTheRecordAndOnTheChart()
    {
        GridModel grid;
        fillGrades(grid,
                {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"),
                        QStringLiteral("1"), QStringLiteral("1")});
        const QString longTitle = QString(55, u'ó');
        grid.setText(0, 0, longTitle);
        Fixture f(ChartKindBar);
        QVERIFY(BuildChartFromTable({grid, TableGradeCount, 6, 16}, f.appearances, f.chart, f.state)
                        .applied);
        QCOMPARE(f.appearances.CurrentAppearance.LeftAxisTitle.text(), longTitle.left(50));
        QCOMPARE(f.chart.leftAxis.title, longTitle.left(50));
    }

    void kindOutsideTheMenuFillsButShowsNothing()
    {
        GridModel grid;
        fillResults(grid, 2, 16);
        Fixture f(ChartKindNone);
        const ChartBuildResult result =
                BuildChartFromTable({grid, TableResults, 2, 16}, f.appearances, f.chart, f.state);
        QVERIFY(!result.applied);
        QCOMPARE(f.chart.bar.count(), 2);
        QCOMPARE(f.appearances.CurrentAppearance.TitleText.text(), QStringLiteral("Wyniki testu"));
    }
};

QTEST_GUILESS_MAIN(TestChartData)
#include "tst_chartdata.moc"
