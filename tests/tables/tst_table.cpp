// The table value and the grid it is rendered into: whoever reads the value
// (the report, the workbook) sees the texts and looks the screen shows.

#include "tablefixture.h"

#include "results/blueprint.h"
#include "results/regrading.h"
#include "tables/table.h"
#include "tables/tablekinds.h"

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

Qt::Alignment qtAlignment(TMyAlign alignment)
{
    return alignment == alRight     ? Qt::AlignRight
            : alignment == alCenter ? Qt::AlignHCenter
                                    : Qt::AlignLeft;
}

/// A table's cells into `grid` one by one through the formatting operations,
/// from grid column `offset` on: what any faster rendering must equal.
void renderCellByCell(GridModel &grid, const Table &table, int offset)
{
    const TableTexts texts;
    for (int r = 0; r < table.rowCount(); ++r) {
        for (int c = 0; c < table.columnCount(); ++c) {
            const TableCell &cell = table.cell(c, r);
            if (cell.look != 0)
                UstawKomorke(grid, c + offset, r, table.look(cell.look));
            grid.setText(c + offset, r, texts.text(table, cell));
        }
    }
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
        for (const TableKindInfo &info : tableKinds())
            QTest::newRow(info.commandLineName) << int(info.kind);
    }

    void readersSeeTheScreen()
    {
        // Each table shown on a grid of its own, as the report once read it:
        // every cell's text and look resolved from the value equals the grid's.
        QFETCH(int, kind);
        Fixture f(sampleClass());
        f.tables.PokazTabele(TableKind(kind));
        const Table table = tableKindInfo(TableKind(kind))->build(f.analysis);
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

    void renderingOverAnotherTable_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::addColumn<int>("offset");
        for (const TableKindInfo &before : tableKinds()) {
            for (const TableKindInfo &after : tableKinds()) {
                for (const int offset : {0, 1}) {
                    QTest::addRow("%s, then %s at %d", before.commandLineName,
                            after.commandLineName, offset)
                            << int(before.kind) << int(after.kind) << offset;
                }
            }
        }
    }

    void renderingOverAnotherTable()
    {
        // The grid keeps what the table before left (formats, texts), as a
        // page switch or a change of table finds it; the rendering must give
        // exactly what the formatting operations give cell by cell.
        QFETCH(int, before);
        QFETCH(int, after);
        QFETCH(int, offset);
        const AnalysisState analysis = sampleClass();
        const Table first = tableKindInfo(TableKind(before))->build(analysis);
        const Table second = tableKindInfo(TableKind(after))->build(analysis);
        GridModel rendered;
        GridModel expected;
        renderCells(rendered, first, 0, first.columnCount(), 0, 0, first.rowCount());
        renderCellByCell(expected, first, 0);
        QVERIFY(rendered == expected);
        renderCells(rendered, second, 0, second.columnCount(), offset, 0, second.rowCount());
        renderCellByCell(expected, second, offset);
        for (int r = 0; r < second.rowCount(); ++r) {
            for (int c = offset; c < second.columnCount() + offset; ++c) {
                const QString where = QStringLiteral("column %1 row %2").arg(c).arg(r);
                QVERIFY2(rendered.text(c, r) == expected.text(c, r), qPrintable(where));
                QVERIFY2(rendered.cellFormat(c, r) == expected.cellFormat(c, r), qPrintable(where));
            }
        }
        QVERIFY(rendered == expected);
    }

    void questionPagesFollowARegrading()
    {
        // A page switch shows the grades of the analysis as it is now, also
        // when it was regraded after the table was shown.
        Fixture f(sampleClass());
        f.tables.PokazTabele(TableResults);
        regradeAnalysis(
                f.analysis, Thresholds{.cel = 40, .bdb = 30, .db = 20, .dst = 10, .dop = 5});
        const Table table = resultsTable(f.analysis);
        const TableTexts texts;
        for (const int page : {2, 1}) {
            if (page == 2)
                f.tables.ImTabelaWPrawoClick();
            else
                f.tables.ImTabelaWLewoClick();
            const int gradeColumn = f.grid.columnCount() - 1;
            for (int r = 1; r < f.grid.rowCount(); ++r) {
                QCOMPARE(
                        f.grid.text(gradeColumn, r), texts.text(table, table.columnCount() - 1, r));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestTable)
#include "tst_table.moc"
