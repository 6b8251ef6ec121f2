#include "../tables/analysisbuilder.h"
#include "appearance/applyappearance.h"
#include "appearance/chartappearance.h"
#include "charts/chartdata.h"
#include "charts/chartrebuild.h"
#include "charts/sessionstate.h"
#include "platform/commanderror.h"
#include "results/regrading.h"
#include "tables/analysistables.h"
#include "testsupport.h"

#include <QLocale>
#include <QTest>

using namespace zavevad;
using namespace Qt::StringLiterals;

namespace {

/// A class of ten questions whose students answered 3, 5, 6 and 9 correctly
/// (Ndst, Dop, Dst, Bdb under the default thresholds), with the chart of
/// `table` drawn as the window draws it and then given the user's own header
/// and legend place.
SessionState drawnChart(TableKind table, int kind)
{
    SessionState state;
    FillAppearanceDefaults(state.appearances);
    AnalysisState &analysis = state.analysis;
    int i = 0;
    for (int points : {3, 5, 6, 9}) {
        analysis.students.push_back(test::makeStudent(u"Uczeń%1"_s.arg(++i), u"Ola"_s,
                (1u << points) - 1u, 10, test::kTestDay, test::kTestDay + 20 * test::kMinute));
    }
    test::finishAnalysis(analysis, 10);
    analysis.dataLoaded = true;
    analysis.tableMode = table;
    analysis.blueprint.skills = {Skill{u"Czytanie"_s, {}, 0b11u}, Skill{u"Pisanie"_s, {}, 0b1100u}};

    AnalysisTables(state.grid, state.gridState, analysis, state.itemAnalysisStash)
            .PokazTabele(table);
    state.chartTable = table;
    state.chartKind.ChartKind = kind;
    const ChartSource source{
            state.grid, table, analysis.studentCount, resultsSumaColumn(state.gridState, analysis)};
    BuildChartFromTable(source, state.appearances, state.chart, state.chartKind);
    state.chart.header.lines = QStringList{u"Klasa 3b"_s};
    state.appearances.CurrentAppearance.LegendTopPos = 33;
    return state;
}

} // namespace

class TestChartRebuild : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }

    // The chart of the grade counts follows new thresholds in every kind; the
    // header and look the user gave it stay, and the grid on display (here
    // another table) is not touched.
    void tableChartFollowsTheGrades_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("bar") << int(ChartKindBar);
        QTest::newRow("pie") << int(ChartKindPie);
        QTest::newRow("line") << int(ChartKindLine);
    }

    void tableChartFollowsTheGrades()
    {
        QFETCH(int, kind);
        SessionState state = drawnChart(TableGradeCount, kind);
        AnalysisTables(state.grid, state.gridState, state.analysis, state.itemAnalysisStash)
                .PokazTabele(TableWorkingTime);
        const GridModel gridOnDisplay = state.grid;
        const TChartAppearance look = state.appearances.CurrentAppearance;

        Thresholds lower;
        lower.dop = 30;
        regradeAnalysis(state.analysis, lower);
        rebuildChartAfterRegrading(state);

        // Cel, Bdb, Db, Dst, Dop, Ndst: the 30 % student now earns "Dop".
        const QList<double> counts{0, 1, 0, 1, 2, 0};
        const chart::Series &series = state.chart.series(seriesIndexOfKind(kind));
        QVERIFY(series.active);
        QCOMPARE(series.points.size(), counts.size());
        for (qsizetype r = 0; r < counts.size(); ++r)
            QCOMPARE(series.points[r].value, counts[r]);
        QCOMPARE(state.chart.header.lines, QStringList{u"Klasa 3b"_s});
        QVERIFY(state.appearances.CurrentAppearance == look);
        QVERIFY(state.grid == gridOnDisplay);
    }

    // A table that no longer gives numbers (a skill none of whose questions
    // is in the test shows "–") is reported to the caller, and the chart,
    // its records and kinds stay exactly as they were.
    void aCellThatIsNoNumberIsReportedAndChangesNothing()
    {
        SessionState state = drawnChart(TableSkills, ChartKindBar);
        state.analysis.blueprint.skills.push_back(Skill{u"Liczenie"_s, {}, 1u << 20});
        const SessionState before = state;

        const QString message = test::commandErrorOf([&] { rebuildChartAfterRegrading(state); });
        QCOMPARE(message, u"'–' is not a valid floating point value"_s);
        QVERIFY(state == before);
    }
};

QTEST_GUILESS_MAIN(TestChartRebuild)
#include "tst_chartrebuild.moc"
