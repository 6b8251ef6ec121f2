// The table value and the grid it is rendered into: whoever reads the value
// (the report, the workbook) sees the texts and looks the screen shows.

#include "tablefixture.h"

#include "results/blueprint.h"
#include "tables/classcomparisontable.h"
#include "tables/itemanalysistable.h"
#include "tables/resultstables.h"
#include "tables/skillstable.h"
#include "tables/table.h"

#include <QLocale>
#include <QTest>

using namespace zavevad;
using namespace zavevad::test;

namespace {

/// Three classes, eighteen questions (two results pages), a blueprint, a
/// working time that runs backwards.
AnalysisState sampleClass()
{
    AnalysisState state = makeAnalysis(23, 18);
    for (std::size_t i = 0; i < state.students.size(); ++i)
        state.students[i].schoolClass = QStringLiteral("8%1").arg(QChar(u'a' + int(i % 3)));
    state.students[3].Koniec = state.students[3].Poczatek - 10 * kMinute;
    state.blueprint = parseBlueprint("1\tA\n2\tB\n3\tA\t1.2\n17\tC\n", 18).blueprint;
    return state;
}

Table tableOf(TableKind kind, const AnalysisState &analysis)
{
    switch (kind) {
    case TableResults:
        return resultsTable(analysis);
    case TableWorkingTime:
        return workingTimeTable(analysis);
    case TableGradeCount:
        return gradeCountTable(analysis);
    case TableItemAnalysis:
        return itemAnalysisTable(analysis);
    case TableSkills:
        return skillsTable(analysis);
    case TableClassComparison:
        return classComparisonTable(analysis);
    case TableClassQuestions:
        return classQuestionsTable(analysis);
    case TableNone:
        break;
    }
    return {};
}

Qt::Alignment qtAlignment(TMyAlign alignment)
{
    return alignment == alRight     ? Qt::AlignRight
            : alignment == alCenter ? Qt::AlignHCenter
                                    : Qt::AlignLeft;
}

} // namespace

class TestTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void readersSeeTheScreen_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("results") << int(TableResults);
        QTest::newRow("working time") << int(TableWorkingTime);
        QTest::newRow("grade count") << int(TableGradeCount);
        QTest::newRow("item analysis") << int(TableItemAnalysis);
        QTest::newRow("skills") << int(TableSkills);
        QTest::newRow("class comparison") << int(TableClassComparison);
        QTest::newRow("questions in the classes") << int(TableClassQuestions);
    }

    void readersSeeTheScreen()
    {
        // Each table shown on a grid of its own, as the report once read it:
        // every cell's text and look resolved from the value equals the grid's.
        QFETCH(int, kind);
        Fixture f(sampleClass());
        f.tables.PokazTabele(TableKind(kind));
        const Table table = tableOf(TableKind(kind), f.analysis);
        QCOMPARE(table.rowCount(), f.grid.rowCount());
        // The results table's first page shows questions 1 to 15 of 18.
        const int hidden = table.columnCount() - f.grid.columnCount();
        const int lastQuestion = resultsQuestionColumns(f.state, f.analysis);
        const TableTexts texts;
        for (int r = 0; r < f.grid.rowCount(); ++r) {
            for (int g = 0; g < f.grid.columnCount(); ++g) {
                const int c = kind == TableResults && g > lastQuestion ? g + hidden : g;
                const ShownCell cell = texts.shown(table, c, r);
                const QString where = QStringLiteral("column %1 row %2").arg(g).arg(r);
                QVERIFY2(cell.text == f.grid.text(g, r), qPrintable(where + u' ' + cell.text));
                QVERIFY2(cell.background == f.grid.resolvedBackground(g, r), qPrintable(where));
                const GridFont &font = f.grid.resolvedFont(g, r);
                QVERIFY2(cell.color == font.color(), qPrintable(where));
                QVERIFY2(cell.bold == font.bold(), qPrintable(where));
                QVERIFY2(cell.alignment == qtAlignment(f.grid.resolvedAlignment(g, r)),
                        qPrintable(where));
            }
        }
    }

    void resultsValueHoldsEveryQuestion()
    {
        // The screen's second page is a rendering: the value has all 18
        // questions, its counts in the first page's navy.
        Fixture f(sampleClass());
        const Table table = resultsTable(f.analysis);
        QCOMPARE(table.columnCount(), 18 + 3);
        f.tables.PokazTabele(TableResults);
        f.tables.ImTabelaWPrawoClick();
        const TableTexts texts;
        const int sumRow = f.analysis.studentCount + 1;
        for (int g = 1; g <= 3; ++g) {
            for (int r = 0; r < f.grid.rowCount(); ++r)
                QCOMPARE(texts.text(table, 15 + g, r), f.grid.text(g, r));
            QCOMPARE(table.cell(15 + g, sumRow).kind, CellKind::Whole);
            QCOMPARE(texts.shown(table, 15 + g, sumRow).color, QColor(0, 0, 128));
            QCOMPARE(f.grid.resolvedFont(g, sumRow).color(), QColor(Qt::black));
        }
    }
};

QTEST_GUILESS_MAIN(TestTable)
#include "tst_table.moc"
