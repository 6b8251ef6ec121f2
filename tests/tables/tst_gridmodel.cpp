#include "appearance/applyappearance.h"
#include "tables/gridmodel.h"
#include "tables/gridoperations.h"
#include "tables/gridstate.h"

#include <QTest>

using namespace zavevad;
using namespace Qt::StringLiterals;

namespace {

const QColor kBodyBackground(227, 222, 224);
const QColor kPlain(227, 225, 221);
const QColor kFifth(232, 244, 223);

} // namespace

class TestGridModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void packedColoursPutRedLowest()
    {
        QCOMPARE(packedRgb(255, 0, 0), 255);
        QCOMPARE(packedRgb(0, 0, 128), 8388608);
        QCOMPARE(colorFromPacked(packedRgb(232, 244, 223)), QColor(232, 244, 223));
        QCOMPARE(packedRgbFromColor(QColor(0, 128, 0)), 32768u);
        // 128 is a real colour too: dark red. Only the operations read it as "unchanged".
        QCOMPARE(colorFromPacked(kColourUnchanged), QColor(128, 0, 0));
    }

    void fixedLook()
    {
        GridModel grid;
        grid.setColumnCount(3);
        grid.setRowCount(3);
        QCOMPARE(grid.resolvedBackground(1, 1), kBodyBackground);
        QCOMPARE(grid.resolvedBackground(1, 0), QColor(0, 64, 64));
        QCOMPARE(grid.resolvedAlignment(1, 1), alLeft);
        QCOMPARE(grid.resolvedAlignment(1, 0), alCenter);
        const GridFont &body = grid.resolvedFont(1, 1);
        QCOMPARE(body.name(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(body.pixelHeight(), 11);
        QCOMPARE(body.pointSize(), 8);
        QCOMPARE(body.color(), QColor(Qt::black));
        QVERIFY(!body.bold());
        const GridFont &header = grid.resolvedFont(1, 0);
        QCOMPARE(header.color(), QColor(Qt::white));
        QVERIFY(header.bold());
        QVERIFY(!grid.resolvedFontIsSet(1, 1));
        QVERIFY(grid.resolvedFontIsSet(1, 0));
    }

    void resolutionOrder_data()
    {
        QTest::addColumn<bool>("cell");
        QTest::addColumn<bool>("column");
        QTest::addColumn<bool>("row");
        QTest::addColumn<QColor>("expected");
        const QColor c(1, 1, 1), k(2, 2, 2), r(3, 3, 3);
        QTest::newRow("cell first") << true << true << true << c;
        QTest::newRow("column before row") << false << true << true << k;
        QTest::newRow("row") << false << false << true << r;
        QTest::newRow("default") << false << false << false << kBodyBackground;
    }
    void resolutionOrder()
    {
        QFETCH(bool, cell);
        QFETCH(bool, column);
        QFETCH(bool, row);
        QFETCH(QColor, expected);
        GridModel grid;
        if (cell) {
            grid.cellFormat(2, 3).background = QColor(1, 1, 1);
            grid.cellFormat(2, 3).alignment = alRight;
        }
        if (column) {
            grid.columnFormat(2).background = QColor(2, 2, 2);
            grid.columnFormat(2).alignment = alCenter;
        }
        if (row) {
            grid.rowFormat(3).background = QColor(3, 3, 3);
            grid.rowFormat(3).alignment = alLeft;
        }
        QCOMPARE(grid.resolvedBackground(2, 3), expected);
        const TMyAlign align = cell ? alRight : column ? alCenter : alLeft;
        QCOMPARE(grid.resolvedAlignment(2, 3), align);
    }

    void partsResolveIndependently()
    {
        GridModel grid;
        grid.cellFormat(1, 1).alignment = alRight; // cell: alignment only
        grid.columnFormat(1).ownFont(grid.bodyFont()).setColor(Qt::red); // column: font only
        grid.rowFormat(1).background = QColor(9, 9, 9); // row: background only
        QCOMPARE(grid.resolvedAlignment(1, 1), alRight);
        QCOMPARE(grid.resolvedFont(1, 1).color(), QColor(Qt::red));
        QCOMPARE(grid.resolvedBackground(1, 1), QColor(9, 9, 9));
    }

    void alDefaultFallsThrough()
    {
        GridModel grid;
        grid.rowFormat(2).alignment = alRight;
        grid.columnFormat(1).alignment = alDefault;
        grid.cellFormat(1, 2).alignment = alDefault;
        QCOMPARE(grid.resolvedAlignment(1, 2), alRight);
        grid.rowFormat(2).alignment = alDefault;
        QCOMPARE(grid.resolvedAlignment(1, 2), alLeft);
    }

    void headerUsesItsOwnLists()
    {
        GridModel grid;
        // Body column and row formats never reach the header row.
        grid.columnFormat(1).background = QColor(5, 5, 5);
        grid.rowFormat(0).background = QColor(6, 6, 6);
        QCOMPARE(grid.resolvedBackground(1, 0), QColor(0, 64, 64));
        grid.headerRowFormat().background = QColor(7, 7, 7);
        QCOMPARE(grid.resolvedBackground(1, 0), QColor(7, 7, 7));
        grid.headerColumnFormat(1).background = QColor(8, 8, 8);
        QCOMPARE(grid.resolvedBackground(1, 0), QColor(8, 8, 8));
        grid.cellFormat(1, 0).background = QColor(10, 10, 10);
        QCOMPARE(grid.resolvedBackground(1, 0), QColor(10, 10, 10));
        QCOMPARE(grid.resolvedBackground(2, 0), QColor(7, 7, 7));
    }

    void firstFontSettingStartsFromTheBodyFont()
    {
        GridModel grid;
        GridFont &font = grid.rowFormat(4).ownFont(grid.bodyFont());
        QVERIFY(!font.isChanged());
        QCOMPARE(font.name(), grid.bodyFont().name());
        // An own font that was never changed still resolves, but does not count as set.
        QVERIFY(!grid.resolvedFontIsSet(0, 4));
        font.setColor(Qt::blue);
        QVERIFY(grid.resolvedFontIsSet(0, 4));
        QVERIFY(!grid.bodyFont().isChanged());
        QCOMPARE(grid.bodyFont().color(), QColor(Qt::black));
    }

    void textsAndFormatsSurviveShrinkingAndGrowing()
    {
        GridModel grid;
        grid.setColumnCount(18);
        grid.setRowCount(20);
        grid.setText(0, 7, QStringLiteral("Nowak Jan"));
        grid.setText(17, 19, QStringLiteral("Db"));
        grid.cellFormat(17, 19).alignment = alRight;
        grid.setColumnCount(4);
        grid.setRowCount(3);
        grid.setColumnCount(18);
        grid.setRowCount(20);
        QCOMPARE(grid.text(0, 7), QStringLiteral("Nowak Jan"));
        QCOMPARE(grid.text(17, 19), QStringLiteral("Db"));
        QCOMPARE(grid.resolvedAlignment(17, 19), alRight);
        // Growing the stride keeps every cell where it was.
        grid.setText(40, 2, QStringLiteral("x"));
        QCOMPARE(grid.text(0, 7), QStringLiteral("Nowak Jan"));
        QCOMPARE(grid.text(17, 19), QStringLiteral("Db"));
        QCOMPARE(grid.text(40, 2), QStringLiteral("x"));
        QVERIFY(grid.text(39, 2).isEmpty());
        QVERIFY(grid.text(-1, 2).isEmpty());
        QVERIFY(grid.text(2, 1000).isEmpty());
    }

    void topRowAndSelection()
    {
        GridModel grid;
        grid.setRowCount(8);
        grid.setTopRow(26);
        QCOMPARE(grid.topRow(), 26);
        grid.setSelection({1, 2, 3, 4});
        QVERIFY(grid.selection().contains(2, 3));
        grid.clearSelection();
        QCOMPARE(grid.selection(), (GridRect{-1, -1, -1, -1}));
        QVERIFY(!grid.selection().contains(0, 0));
    }

    // ---- Operations ----

    void lookAlignment_data()
    {
        QTest::addColumn<int>("align");
        QTest::newRow("centre") << int(alCenter);
        QTest::newRow("left") << int(alLeft);
        QTest::newRow("right") << int(alRight);
    }
    void lookAlignment()
    {
        QFETCH(int, align);
        GridModel grid;
        UstawKomorke(grid, 1, 1, {.fontColour = kBlack, .align = TMyAlign(align)});
        QCOMPARE(int(grid.resolvedAlignment(1, 1)), align);
    }

    void chartHeaderAlignmentCodes()
    {
        // The chart header's codes (0 left) differ from the grid's alignments.
        QCOMPARE(alignmentFromCode(0), std::optional(chart::Alignment::taLeftJustify));
    }

    void cellWithUnchangedBackgroundShowsTheRows()
    {
        GridModel grid;
        UstawWiersz(grid, 3,
                {.background = packedRgb(255, 255, 200),
                        .fontColour = kNavy,
                        .bold = true,
                        .align = alLeft});
        UstawKomorke(grid, 2, 3, {.fontColour = kRed});
        QVERIFY(!grid.cellFormat(2, 3).background);
        QCOMPARE(grid.resolvedBackground(2, 3), QColor(255, 255, 200));
        QCOMPARE(grid.resolvedFont(2, 3).color(), QColor(Qt::red));
        QVERIFY(!grid.resolvedFont(2, 3).bold());
        QCOMPARE(grid.resolvedAlignment(2, 3), alCenter);
        // The row's own font: navy bold, left.
        QCOMPARE(grid.resolvedFont(0, 3).color(), QColor(0, 0, 128));
        QVERIFY(grid.resolvedFont(0, 3).bold());
        QCOMPARE(grid.resolvedAlignment(0, 3), alLeft);
    }

    void unchangedFontColourKeepsTheColour()
    {
        GridModel grid;
        UstawKomorke(grid, 1, 1, {.fontColour = kRed, .bold = true});
        UstawKomorke(grid, 1, 1, {.background = packedRgb(1, 2, 3), .bold = true});
        QCOMPARE(grid.resolvedFont(1, 1).color(), QColor(Qt::red));
        QCOMPARE(grid.resolvedBackground(1, 1), QColor(1, 2, 3));
        // A first font setting of 128 leaves the copied body font's black.
        UstawKomorke(grid, 2, 2, {});
        QCOMPARE(grid.resolvedFont(2, 2).color(), QColor(Qt::black));
        QVERIFY(grid.resolvedFontIsSet(2, 2));
    }

    void boldFalseRemovesBold()
    {
        GridModel grid;
        GridFont &font = grid.cellFormat(1, 1).ownFont(grid.bodyFont());
        font.setStyle(fsBold | fsItalic | fsUnderline);
        UstawKomorke(grid, 1, 1, {.fontColour = kBlack, .align = alLeft});
        QCOMPARE(grid.resolvedFont(1, 1).style(), FontStyles());
        UstawKomorke(grid, 1, 1, {.fontColour = kBlack, .bold = true, .align = alLeft});
        QCOMPARE(grid.resolvedFont(1, 1).style(), FontStyles(fsBold));
    }

    void columnFormatBeatsRowFormat()
    {
        GridModel grid;
        UstawKolumne(grid, 0, {.fontColour = kBlack, .align = alLeft});
        UstawWiersz(grid, 5,
                {.background = packedRgb(255, 255, 200),
                        .fontColour = kNavy,
                        .bold = true,
                        .align = alRight});
        QCOMPARE(grid.resolvedFont(0, 5).color(), QColor(Qt::black));
        QVERIFY(!grid.resolvedFont(0, 5).bold());
        QCOMPARE(grid.resolvedAlignment(0, 5), alLeft);
        // The column set no background, so the row's shows.
        QCOMPARE(grid.resolvedBackground(0, 5), QColor(255, 255, 200));
        QCOMPARE(grid.resolvedFont(1, 5).color(), QColor(0, 0, 128));
    }

    void kolorujWierszeResetsCellSeven()
    {
        GridModel grid;
        GridState state;
        grid.setRowCount(8);
        UstawKomorke(grid, 0, 7, {.fontColour = kRed, .bold = true, .align = alLeft});
        UstawWiersz(grid, 3,
                {.background = packedRgb(1, 1, 1),
                        .fontColour = kNavy,
                        .bold = true,
                        .align = alLeft});
        KolorujWiersze(grid, state, 8);
        for (int row = 1; row < 8; ++row)
            QCOMPARE(grid.resolvedBackground(1, row), kPlain);
        QCOMPARE(grid.resolvedBackground(0, 0), QColor(0, 64, 64));
        QCOMPARE(grid.resolvedFont(0, 7).color(), QColor(Qt::black));
        QVERIFY(!grid.resolvedFont(0, 7).bold());
        QCOMPARE(grid.resolvedAlignment(0, 7), alLeft);
        // Only the background of the rows is rewritten.
        QCOMPARE(grid.resolvedFont(1, 3).color(), QColor(0, 0, 128));
    }

    void kolorujWierszeLeavesCellSevenOfShortTables()
    {
        GridModel grid;
        GridState state;
        UstawKomorke(grid, 0, 7, {.fontColour = kRed, .bold = true, .align = alLeft});
        KolorujWiersze(grid, state, 7);
        QCOMPARE(grid.resolvedFont(0, 7).color(), QColor(Qt::red));
    }

    void paskiWierszy_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("expected"); // per row from 1: A, B or - (left alone)
        QTest::newRow("results, 12 students") << int(TableResults) << 15 << u"BBBBABBBBABB--"_s;
        QTest::newRow("working time, 16 students")
                << int(TableWorkingTime) << 18 << u"BBBBABBBBABBBBAB-"_s;
        QTest::newRow("grade count") << int(TableGradeCount) << 8 << u"-------"_s;
        QTest::newRow("no table") << int(TableNone) << 8 << u"-------"_s;
    }
    void paskiWierszy()
    {
        QFETCH(int, kind);
        QFETCH(int, rows);
        QFETCH(QString, expected);
        GridModel grid;
        GridState state;
        state.tableKind = TableKind(kind);
        grid.setRowCount(rows);
        const QColor a(1, 0, 0), b(0, 1, 0);
        PaskiWierszy(grid, state, 5, packedRgb(a.red(), a.green(), a.blue()),
                packedRgb(b.red(), b.green(), b.blue()));
        QString got;
        for (int row = 1; row < rows; ++row) {
            const QColor bg = grid.resolvedBackground(1, row);
            got += bg == a ? u'A' : bg == b ? u'B' : bg == kBodyBackground ? u'-' : u'?';
        }
        QCOMPARE(got, expected);
    }

    void paskiWierszyWithoutPeriodDoesNotDivideByZero()
    {
        GridModel grid;
        GridState state;
        state.tableKind = TableResults;
        grid.setRowCount(6);
        PaskiWierszy(grid, state, 0, packedRgb(1, 0, 0), packedRgb(0, 1, 0));
        QCOMPARE(grid.resolvedBackground(1, 1), QColor(0, 1, 0));
    }

    void ustawRozmiarTabeli_data()
    {
        QTest::addColumn<int>("students");
        QTest::addColumn<int>("podHeight");
        // Results table with 15 question columns: width 121 + 27 * 15 + 122 = 648.
        QTest::newRow("14 students") << 14 << 17 * 17 + 3;
        QTest::newRow("15 students") << 15 << 309;
        QTest::newRow("40 students") << 40 << 309;
    }
    void ustawRozmiarTabeli()
    {
        QFETCH(int, students);
        QFETCH(int, podHeight);
        GridState state;
        state.tableWidth = 648;
        state.tableHeight = 17 * (students + 3) + 3;
        UstawRozmiarTabeli(state, students);
        QCOMPARE(state.panels.Tabela, QSize(651, state.tableHeight));
        QCOMPARE(state.panels.PPodTabele, QSize(652, podHeight));
        QCOMPARE(state.panels.PTabela, QSize(680, podHeight + 28));
    }
};

QTEST_GUILESS_MAIN(TestGridModel)
#include "tst_gridmodel.moc"
