#include "tablefixture.h"

#include "appearance/chartappearance.h"
#include "charts/chartdata.h"
#include "export/reporttables.h"
#include "results/skillanalysis.h"
#include "tables/analysistables.h"
#include "tables/columnpages.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"
#include "tables/skillstable.h"
#include "tables/tablekinds.h"

#include <QLocale>
#include <QTest>

#include <algorithm>

using namespace zavevad;
using namespace zavevad::test;
using namespace Qt::StringLiterals;

namespace {

/// The tables a report presents, made at once.
std::vector<Table> analysisReportTables(const AnalysisState &analysis)
{
    std::vector<Table> tables;
    for (const TableMaker &make : outputTableMakers(analysis, Output::Report))
        tables.push_back(make());
    return tables;
}

// Four students, five questions; question 2 checks two skills, question 5 none.
AnalysisState handClass()
{
    AnalysisState state = classOf({u"11110"_s, u"11000"_s, u"10100"_s, u"00000"_s});
    state.blueprint = parseBlueprint(
            "1\tUłamki\n2\tUłamki\n2\tProcenty\tV.3\n3\tProcenty\n4\tGeometria\tIX.1\n", 5)
                              .blueprint;
    return state;
}

// What a table leaves behind for the next one; empty when the grids agree.
QString difference(const GridModel &a, const GridState &sa, const GridModel &b, const GridState &sb)
{
    if (a.columnCount() != b.columnCount() || a.rowCount() != b.rowCount()
            || a.topRow() != b.topRow() || !(a.headerRowFormat() == b.headerRowFormat()))
        return u"size, top row or header"_s;
    if (sa.tableKind != sb.tableKind || sa.firstQuestionPage != sb.firstQuestionPage
            || sa.tableWidth != sb.tableWidth || sa.tableHeight != sb.tableHeight
            || !(sa.panels == sb.panels))
        return u"grid state"_s;
    for (int c = 0; c < 40; ++c) {
        if (a.columnWidth(c) != b.columnWidth(c) || !(a.columnFormat(c) == b.columnFormat(c)))
            return u"column %1"_s.arg(c);
    }
    for (int r = 0; r < 60; ++r) {
        if (!(a.rowFormat(r) == b.rowFormat(r)))
            return u"row %1"_s.arg(r);
        for (int c = 0; c < 40; ++c) {
            if (a.text(c, r) != b.text(c, r) || !(a.cellFormat(c, r) == b.cellFormat(c, r)))
                return u"cell (%1,%2)"_s.arg(c).arg(r);
        }
    }
    return {};
}

} // namespace

class TestSkillsTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void handComputedClass()
    {
        Fixture f(handClass());
        f.tables.PokazTabele(TableSkills);
        QCOMPARE(f.state.tableKind, int(TableSkills));
        QCOMPARE(f.grid.rowCount(), 6);
        QCOMPARE(rowTexts(f.grid, 0),
                QStringList({u"Umiejętność"_s, u"Wymaganie"_s, u"Pytania"_s, u"Liczba pytań"_s,
                        u"Łatwość"_s, u"Interpretacja"_s, u"Liczba uczniów ≥ 50 %"_s}));
        // Ułamki: 5 of 8 answers right, 0.625 shown to the even hundredth.
        QCOMPARE(rowTexts(f.grid, 1),
                QStringList({u"Ułamki"_s, QString(), u"1, 2"_s, u"2"_s, u"0,62"_s,
                        u"umiarkowanie trudne"_s, u"3"_s}));
        QCOMPARE(rowTexts(f.grid, 2),
                QStringList({u"Procenty"_s, u"V.3"_s, u"2, 3"_s, u"2"_s, u"0,50"_s,
                        u"umiarkowanie trudne"_s, u"3"_s}));
        QCOMPARE(rowTexts(f.grid, 3),
                QStringList({u"Geometria"_s, u"IX.1"_s, u"4"_s, u"1"_s, u"0,25"_s, u"trudne"_s,
                        u"1"_s}));
        QCOMPARE(rowTexts(f.grid, 4), QStringList(7, QString()));
        QCOMPARE(rowTexts(f.grid, 5),
                QStringList({u"Pytania bez umiejętności"_s, u"5"_s, QString(), QString(), QString(),
                        QString(), QString()}));
        QCOMPARE(f.grid.resolvedFont(5, 1).color(), QColor(0, 128, 0));
        QCOMPARE(f.grid.resolvedBackground(0, 5), QColor(255, 255, 200));
        QCOMPARE(skillsTableLastSkillRow(f.grid), 3);

        // Wider than the card's table area with its long requirements: the
        // table pages sideways, each page within the area.
        int width = 0;
        for (int c = 0; c < f.grid.columnCount(); ++c)
            width += f.grid.columnWidth(c) + 1;
        QVERIFY(width > kShownTableWidth);
        QCOMPARE(f.state.tableWidth, pagedTableWidth(f.grid));
        QVERIFY(f.state.tableWidth <= kShownTableWidth);
        QVERIFY(f.state.panels.PTabelawPrawo.visible);

        // The chart reads the shares back as percent, named by skill.
        Appearances appearances;
        FillAppearanceDefaults(appearances);
        chart::Chart chart;
        ChartKindState kinds;
        kinds.ChartKind = ChartKindBar;
        QVERIFY(BuildChartFromTable({f.grid, TableSkills, 4, 16}, appearances, chart, kinds)
                        .applied);
        QCOMPARE(chart.bar.points.size(), 3);
        QCOMPARE(chart.bar.points.at(0).value, 62.0);
        QCOMPARE(chart.bar.points.at(2).label, u"Geometria"_s);
        QCOMPARE(chart.header.lines, QStringList{u"Wykonanie umiejętności"_s});
        QCOMPARE(chart.leftAxis.title, u"Umiejętność"_s);
        QCOMPARE(chart.bottomAxis.title, u"Łatwość [%]"_s);

        // The report and the workbook add the table only with a blueprint.
        const std::vector<ReportTable> tables = analysisReportTables(f.analysis);
        const auto skills = std::find_if(tables.begin(), tables.end(),
                [](const ReportTable &table) { return table.sheetName == u"Umiejętności"_s; });
        QVERIFY(skills != tables.end());
        QCOMPARE(skills->cell(4, 1).value, 0.62);
        f.analysis.blueprint = {};
        QCOMPARE(analysisReportTables(f.analysis).size(), tables.size() - 1);
    }

    void withoutBlueprintOrStudents()
    {
        Fixture none(classOf({u"110"_s, u"011"_s}));
        none.tables.PokazTabele(TableSkills);
        QCOMPARE(none.grid.rowCount(), 2);
        QCOMPARE(none.grid.text(0, 1),
                u"Brak kartoteki testu (plik Kartoteka.txt obok plików wyników)"_s);
        QCOMPARE(skillsTableLastSkillRow(none.grid), 0);
        // A file that gave nothing says what was wrong with it, whole.
        Fixture broken(classOf({u"110"_s, u"011"_s}));
        broken.analysis.blueprint.problem = u"Kartoteka.txt: pominięto wiersze 1, 2, 3"_s;
        broken.tables.PokazTabele(TableSkills);
        const QString said = broken.grid.text(0, 1);
        QCOMPARE(said, u"Brak kartoteki testu. "_s + broken.analysis.blueprint.problem);
        // Wider than the first column may grow: marked as cut, read whole
        // where the cursor or mouse rests.
        QVERIFY(said.size() * 6 + 10 <= broken.grid.columnWidth(0) || broken.grid.marksCutTexts());

        // Every question in a skill; no student leaves the shares undefined.
        AnalysisState empty = classOf({u"11"_s});
        empty.students.clear();
        empty.studentCount = 0;
        empty.blueprint = parseBlueprint("1\tA\n2\tA\n", 2).blueprint;
        Fixture f(empty);
        f.tables.PokazTabele(TableSkills);
        QCOMPARE(rowTexts(f.grid, 1),
                QStringList({u"A"_s, QString(), u"1, 2"_s, u"2"_s, kDash, QString(), u"0"_s}));
        QCOMPARE(f.grid.text(1, 3), kDash);
    }

    void visitLeavesNoTraceAndPages()
    {
        AnalysisState analysis = makeAnalysis(20, 16);
        QByteArray file;
        for (int i = 1; i <= 20; ++i)
            file += QByteArray::number(i % 16 + 1) + "\tUmiejętność " + QByteArray::number(i)
                    + '\n';
        analysis.blueprint = parseBlueprint(file, 16).blueprint;
        for (const int before : {int(TableResults), int(TableWorkingTime), int(TableGradeCount)}) {
            Fixture plain(analysis);
            plain.tables.PokazTabele(TableKind(before));
            plain.tables.PokazTabele(TableResults);

            Fixture visited(analysis);
            visited.tables.PokazTabele(TableKind(before));
            visited.tables.PokazTabele(TableSkills);
            // 20 skills: 22 body rows, paged by 16.
            QVERIFY(visited.state.panels.PTabelaWDol.visible);
            visited.tables.ImTabelaWDolClick();
            QCOMPARE(visited.grid.topRow(), 6);
            visited.tables.PokazTabele(TableItemAnalysis);
            visited.tables.PokazTabele(TableSkills);
            QCOMPARE(visited.grid.topRow(), 1);
            visited.tables.PokazTabele(TableResults);
            const QString diff = difference(visited.grid, visited.state, plain.grid, plain.state);
            QVERIFY2(diff.isEmpty(), qPrintable(diff));
        }
    }

    // Every skill's counts against a plain count over the students.
    void skillStatsAgreeWithCounting()
    {
        AnalysisState analysis = makeAnalysis(300, 30);
        QByteArray file;
        for (int q = 1; q <= 30; ++q)
            file += QByteArray::number(q) + "\tS" + QByteArray::number(q % 10) + '\n';
        analysis.blueprint = parseBlueprint(file, 30).blueprint;
        const std::vector<SkillStats> stats = computeSkillStats(analysis);
        QCOMPARE(stats.size(), std::size_t(10));
        for (std::size_t i = 0; i < stats.size(); ++i) {
            const Skill &skill = analysis.blueprint.skills[i];
            std::int64_t correct = 0;
            int fromHalf = 0;
            for (const UczenAll &student : analysis.students) {
                int right = 0;
                for (int q = 1; q <= 30; ++q)
                    right += (skill.questions >> (q - 1)) & 1u && student.correct(q) ? 1 : 0;
                correct += right;
                fromHalf += 2 * right >= 3 ? 1 : 0;
            }
            QCOMPARE(stats[i].questionCount, 3);
            QCOMPARE(stats[i].correct, correct);
            QCOMPARE(stats[i].studentsFromHalf, fromHalf);
            QCOMPARE(*stats[i].facility, (Fraction{correct, 900}));
        }
    }
};

QTEST_GUILESS_MAIN(TestSkillsTable)
#include "tst_skillstable.moc"
