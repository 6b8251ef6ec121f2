// The registry of table kinds: every kind has every fact a consumer asks for,
// and the grid, the export, the chart, the report and the workbook render
// the same table.

#include "tablefixture.h"

#include "appearance/chartappearance.h"
#include "charts/chartdata.h"
#include "export/tabletext.h"
#include "export/workbook.h"
#include "platform/commanderror.h"
#include "results/blueprint.h"
#include "tables/resultstables.h"
#include "tables/staninestable.h"
#include "tables/tablekinds.h"

#include <QLocale>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace zavevad;
using namespace zavevad::test;

namespace {

/// Three classes, eighteen questions, a blueprint: every table has rows.
AnalysisState sampleClass()
{
    AnalysisState state = makeAnalysis(23, 18);
    for (std::size_t i = 0; i < state.students.size(); ++i)
        state.students[i].schoolClass = QStringLiteral("8%1").arg(QChar(u'a' + int(i % 3)));
    state.blueprint = parseBlueprint("1\tA\n2\tB\n3\tA\t1.2\n17\tC\n", 18).blueprint;
    return state;
}

/// The value a chart point of `unit` takes from a cell's exact value.
double chartValue(ChartUnit unit, double value)
{
    switch (unit) {
    case ChartUnit::Percent:
        return std::round(value * 100);
    case ChartUnit::Minutes:
        // The table shows whole seconds; the chart drops them.
        return std::floor(std::round(std::abs(value) * 24 * 60 * 60) / 60);
    case ChartUnit::Number:
        break;
    }
    return value;
}

/// A chart drawn by `build` on fresh records: what it left and the message
/// of the CommandError that stopped it, if one did.
struct DrawnChart
{
    Appearances appearances;
    chart::Chart chart;
    ChartKindState kinds;
    QString error;
};

template<class Build>
DrawnChart drawn(int chartKind, Build build)
{
    DrawnChart result;
    FillAppearanceDefaults(result.appearances);
    result.kinds.ChartKind = chartKind;
    try {
        build(result.appearances, result.chart, result.kinds);
    } catch (const CommandError &error) {
        result.error = error.message();
    }
    return result;
}

bool hasTitle(const std::vector<TableMaker> &makers, const QString &title)
{
    return std::any_of(makers.begin(), makers.end(),
            [&title](const TableMaker &make) { return make().title == title; });
}

} // namespace

class TestTableKinds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void everyKindIsComplete()
    {
        QSet<QString> names;
        QSet<QString> items;
        for (const TableKindInfo &info : tableKinds()) {
            const QString name = QString::fromLatin1(info.commandLineName);
            QVERIFY(info.kind != TableNone);
            QCOMPARE(tableKindInfo(info.kind), &info);
            QVERIFY(info.build);
            QVERIFY(!info.captionText().isEmpty());
            QVERIFY(!QString::fromUtf8(info.hint).isEmpty());
            QVERIFY(!info.titleText().isEmpty());
            QCOMPARE(tableTitle(info.kind), info.captionText());
            QVERIFY(info.chart.header && info.chart.lastRow);
            QVERIFY2(!names.contains(name), info.commandLineName);
            QVERIFY2(!items.contains(QLatin1String(info.menuItem)), info.menuItem);
            names.insert(name);
            items.insert(QLatin1String(info.menuItem));
            QCOMPARE(tableKindNamed(name), &info);
            QVERIFY(commandLineNames().contains(name));
        }
        QCOMPARE(tableKindInfo(TableNone), nullptr);
        QCOMPARE(tableKindNamed(u"tabela"), nullptr);
        QCOMPARE(tableTitle(TableNone), QStringLiteral("Tabela"));
    }

    void renderingsAgree_data()
    {
        QTest::addColumn<int>("kind");
        for (const TableKindInfo &info : tableKinds())
            QTest::newRow(info.commandLineName) << int(info.kind);
    }

    void renderingsAgree()
    {
        QFETCH(int, kind);
        const TableKindInfo &info = *tableKindInfo(TableKind(kind));
        Fixture f(sampleClass());
        f.tables.PokazTabele(info.kind);
        const Table table = info.build(f.analysis);

        // The grid and its text export show the table under its own title.
        QCOMPARE(f.state.tableKind, info.kind);
        QCOMPARE(table.title, info.titleText());
        QCOMPARE(f.grid.rowCount(), table.rowCount());
        QCOMPARE(tableText(f.grid).count(u'\n'), table.rowCount());

        // The chart's points are the value column's numbers.
        Appearances appearances;
        FillAppearanceDefaults(appearances);
        chart::Chart chart;
        ChartKindState kinds;
        kinds.ChartKind = ChartKindBar;
        const ChartSource source{
                f.grid, info.kind, f.analysis.studentCount, resultsSumaColumn(f.state, f.analysis)};
        QVERIFY(BuildChartFromTable(source, appearances, chart, kinds).applied);
        QCOMPARE(chart.header.lines, QStringList{QString::fromUtf16(info.chart.header)});
        const int firstRow = info.chart.firstRow ? info.chart.firstRow(f.analysis.studentCount) : 1;
        const int points = info.chart.lastRow(f.grid, f.analysis.studentCount) - firstRow + 1;
        // Only a table the analysis does not have yet may have no points.
        QVERIFY(points > 0 || (info.outputs.present && !info.outputs.present(f.analysis)));
        QCOMPARE(int(chart.bar.points.size()), std::max(points, 0));
        const int valueColumn =
                info.chart.valueColumnOf(table.columnCount(), table.columnCount() - 2);
        for (int r = firstRow; r < firstRow + points; ++r) {
            const TableCell &cell = table.cell(valueColumn, r);
            const double shown = cell.digits == 1 ? std::nearbyint(cell.value * 10.0) / 10.0
                                                  : chartValue(info.chart.unit, cell.value);
            QCOMPARE(chart.bar.points.at(r - firstRow).value, shown);
        }

        // The report and the workbook present it when the analysis has it.
        const bool present = !info.outputs.present || info.outputs.present(f.analysis);
        QCOMPARE(hasTitle(outputTableMakers(f.analysis, Output::Report), info.titleText()),
                info.outputs.report && present);
        QCOMPARE(hasTitle(workbookTableMakers(f.analysis), info.titleText()),
                info.outputs.workbook && present);
    }

    void chartFromValuesEqualsChartFromGrid_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("chartKind");
        QTest::addColumn<int>("students");
        QTest::addColumn<bool>("stops");
        for (const TableKindInfo &info : tableKinds()) {
            for (const int chartKind : {ChartKindBar, ChartKindPie, ChartKindLine}) {
                QTest::addRow("%s %d", info.commandLineName, chartKind)
                        << int(info.kind) << chartKind << 23 << false;
            }
        }
        // Without students a skill's share has no value: "–" stops both alike.
        QTest::newRow("skills without students")
                << int(TableSkills) << int(ChartKindBar) << 0 << true;
        QTest::newRow("items without students")
                << int(TableItemAnalysis) << int(ChartKindPie) << 0 << false;
    }

    void chartFromValuesEqualsChartFromGrid()
    {
        // The report's grade pie, the rebuild after regrading and the added
        // tables' charts take the values; the menu's chart of a specified
        // table reads the grid: both give the same chart, byte for byte.
        QFETCH(int, kind);
        QFETCH(int, chartKind);
        QFETCH(int, students);
        QFETCH(bool, stops);
        const TableKindInfo &info = *tableKindInfo(TableKind(kind));
        AnalysisState analysis = sampleClass();
        if (students == 0) {
            const Blueprint blueprint = analysis.blueprint;
            analysis = AnalysisState();
            analysis.questionCount = 18;
            analysis.blueprint = blueprint;
        }
        Fixture f(analysis);
        f.tables.PokazTabele(info.kind);
        const ChartSource source{
                f.grid, info.kind, f.analysis.studentCount, resultsSumaColumn(f.state, f.analysis)};
        const DrawnChart fromGrid =
                drawn(chartKind, [&](auto &appearances, auto &chart, auto &kinds) {
                    BuildChartFromTable(source, appearances, chart, kinds);
                });
        const DrawnChart fromValues =
                drawn(chartKind, [&](auto &appearances, auto &chart, auto &kinds) {
                    BuildChartFromValues(info.build(f.analysis), info.kind, f.analysis.studentCount,
                            appearances, chart, kinds);
                });
        QCOMPARE(fromValues.error, fromGrid.error);
        QCOMPARE(fromValues.chart.bar.points.size(), fromGrid.chart.bar.points.size());
        QCOMPARE(fromValues.chart.pie.points.size(), fromGrid.chart.pie.points.size());
        for (qsizetype i = 0; i < fromGrid.chart.bar.points.size(); ++i) {
            QCOMPARE(
                    fromValues.chart.bar.points.at(i).value, fromGrid.chart.bar.points.at(i).value);
            QCOMPARE(
                    fromValues.chart.bar.points.at(i).label, fromGrid.chart.bar.points.at(i).label);
        }
        QCOMPARE(fromValues.chart.bottomAxis.title, fromGrid.chart.bottomAxis.title);
        QVERIFY(fromValues.chart == fromGrid.chart);
        QVERIFY(fromValues.appearances == fromGrid.appearances);
        QVERIFY(fromValues.kinds == fromGrid.kinds);
        QCOMPARE(!fromGrid.error.isEmpty(), stops);
    }

    // The stanine distribution's bar chart sets each share beside its norm:
    // the share as bars, the norm as a line over them, also once the kind is
    // applied again. Its pie and line charts keep the share alone, and no
    // other kind's bar chart gains a line.
    void stanineBarsStandBesideTheNorm()
    {
        const AnalysisState analysis = sampleClass();
        const double norm[] = {4, 7, 12, 17, 20, 17, 12, 7, 4};
        for (const TableKindInfo &info : tableKinds()) {
            const Table table = info.build(analysis);
            for (const int chartKind : {ChartKindBar, ChartKindPie, ChartKindLine}) {
                const DrawnChart d =
                        drawn(chartKind, [&](auto &appearances, auto &chart, auto &kinds) {
                            BuildChartFromValues(table, info.kind, analysis.studentCount,
                                    appearances, chart, kinds);
                        });
                const QString row = QString::fromLatin1(info.commandLineName) + u' '
                        + QString::number(chartKind);
                QVERIFY2(d.error.isEmpty(), qPrintable(row));
                const bool withNorm = info.kind == TableStanines && chartKind == ChartKindBar;
                QVERIFY2(d.chart.line.active == (withNorm || chartKind == ChartKindLine),
                        qPrintable(row));
                QCOMPARE(d.chart.line.points.size(), d.chart.bar.points.size());
                // A template or a rebuild applies the kind again: the line comes back.
                DrawnChart again = d;
                ApplyChartKind(
                        chartKind, again.appearances.CurrentAppearance, again.chart, again.kinds);
                restoreReferenceLine(info.kind, again.kinds, again.chart);
                QCOMPARE(again.chart.line.active, d.chart.line.active);
                for (qsizetype i = 0; i < d.chart.bar.points.size(); ++i) {
                    const double line = d.chart.line.points.at(i).value;
                    QCOMPARE(line, withNorm ? norm[i] : d.chart.bar.points.at(i).value);
                    QCOMPARE(d.chart.line.points.at(i).label, d.chart.bar.points.at(i).label);
                }
                if (info.kind != TableStanines)
                    continue;
                // With two series the legend names them, never "wykres 1".
                QCOMPARE(d.chart.bar.title,
                        withNorm ? d.chart.bottomAxis.title : QStringLiteral("wykres 1"));
                QCOMPARE(d.chart.line.title,
                        withNorm ? QStringLiteral("Norma") : QStringLiteral("wykres3"));
                QCOMPARE(d.chart.header.lines, QStringList{QStringLiteral("Rozkład staninowy")});
                QCOMPARE(d.chart.bar.points.size(), 9);
                // The shares of all students, each to one decimal, make 100.
                double shares = 0;
                for (qsizetype i = 0; i < 9; ++i) {
                    QCOMPARE(d.chart.bar.points.at(i).label, QString::number(i + 1));
                    shares += d.chart.bar.points.at(i).value;
                }
                QVERIFY2(std::abs(shares - 100) <= 0.45, qPrintable(QString::number(shares)));
            }
        }
    }

    // The next table's chart in the same window has the series' own titles again.
    void seriesTitlesComeBackAfterTheNorm()
    {
        const AnalysisState analysis = sampleClass();
        const DrawnChart d = drawn(ChartKindBar, [&](auto &appearances, auto &chart, auto &kinds) {
            BuildChartFromValues(staninesTable(analysis), TableStanines, analysis.studentCount,
                    appearances, chart, kinds);
            QCOMPARE(chart.line.title, QStringLiteral("Norma"));
            BuildChartFromValues(resultsTable(analysis), TableResults, analysis.studentCount,
                    appearances, chart, kinds);
        });
        QVERIFY(d.error.isEmpty());
        QCOMPARE(d.chart.bar.title, QStringLiteral("wykres 1"));
        QCOMPARE(d.chart.line.title, QStringLiteral("wykres3"));
    }

    void ownGridVisitLeavesNoTrace_data() { renderingsAgree_data(); }

    void ownGridVisitLeavesNoTrace()
    {
        QFETCH(int, kind);
        const TableKindInfo &info = *tableKindInfo(TableKind(kind));
        if (!info.hasOwnGrid())
            QSKIP("a specified table shares the grid");
        Fixture plain(sampleClass());
        Fixture visitor(sampleClass());
        plain.tables.PokazTabele(TableGradeCount);
        plain.tables.PokazTabele(TableWorkingTime);
        visitor.tables.PokazTabele(TableGradeCount);
        visitor.tables.PokazTabele(info.kind);
        visitor.tables.PokazTabele(TableWorkingTime);
        QCOMPARE(tableText(visitor.grid), tableText(plain.grid));
        QVERIFY(visitor.state == plain.state);
        for (int r = 0; r < plain.grid.rowCount(); ++r) {
            for (int c = 0; c < plain.grid.columnCount(); ++c) {
                QCOMPARE(
                        visitor.grid.resolvedBackground(c, r), plain.grid.resolvedBackground(c, r));
                QCOMPARE(visitor.grid.resolvedFont(c, r).bold(),
                        plain.grid.resolvedFont(c, r).bold());
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestTableKinds)
#include "tst_tablekinds.moc"
