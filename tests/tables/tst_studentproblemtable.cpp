#include "tablefixture.h"

#include "export/htmlexport.h"
#include "tables/heavylines.h"
#include "tables/itemanalysistable.h"
#include "tables/staninestable.h"
#include "tables/studentproblemtable.h"
#include "tables/view/gridpainter.h"

#include <QImage>
#include <QLocale>
#include <QTest>

#include <algorithm>

using namespace zavevad;
using namespace zavevad::test;
using namespace Qt::StringLiterals;

namespace {

QStringList rowOf(const Table &table, int r)
{
    const TableTexts texts;
    QStringList list;
    for (int c = 0; c < table.columnCount(); ++c)
        list << texts.text(table, c, r);
    return list;
}

// The class worked by hand in tst_studentproblem: questions in the order
// Q2 Q3 Q5 Q1 Q4 Q6, students S2 S4 S6 S1 S7 S8 S3 S5.
AnalysisState handClass()
{
    return classOf({u"011010"_s, u"111111"_s, u"010000"_s, u"111010"_s, u"000000"_s, u"011110"_s,
            u"100011"_s, u"011000"_s});
}

GridModel ownGrid(const Table &table)
{
    GridModel grid;
    GridState state;
    renderOwnGrid(grid, state, table, table.rowCount());
    return grid;
}

/// The cells of each row of an HTML table text, each from its "<td" or "<th".
QList<QStringList> htmlCells(const QString &html)
{
    QList<QStringList> rows;
    for (const QString &row : html.split(u" <tr>"_s).mid(1)) {
        QStringList cells = row.split(u"  <t"_s);
        cells.removeFirst();
        rows.append(cells);
    }
    return rows;
}

} // namespace

class TestStudentProblemTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void handComputedClass()
    {
        const Table table = studentProblemTable(handClass());
        QCOMPARE(table.title, u"Tabela S-P"_s);
        QCOMPARE(table.sheetName, u"S-P"_s);
        QCOMPARE(rowOf(table, 0),
                QStringList({u"Nazwisko i imię"_s, u"2"_s, u"3"_s, u"5"_s, u"1"_s, u"4"_s, u"6"_s,
                        u"Punkty"_s, u"Wskaźnik ostrożności"_s, u"Uwagi"_s}));
        const QStringList dash{kDash};
        QCOMPARE(rowOf(table, 1),
                QStringList({u"Uczeń2 Ala"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s,
                        u"6"_s, kDash, QString()}));
        QCOMPARE(rowOf(table, 3),
                QStringList({u"Uczeń6 Ala"_s, u"1"_s, u"1"_s, u"1"_s, u"0"_s, u"1"_s, u"0"_s,
                        u"4"_s, u"0,27"_s, QString()}));
        QCOMPARE(rowOf(table, 5),
                QStringList({u"Uczeń7 Ala"_s, u"0"_s, u"0"_s, u"1"_s, u"1"_s, u"0"_s, u"1"_s,
                        u"3"_s, u"1,33"_s, u"nietypowe odpowiedzi"_s}));
        QCOMPARE(rowOf(table, 8).mid(7), QStringList({u"0"_s, kDash, QString()}));
        QCOMPARE(rowOf(table, 9),
                QStringList({u"Wskaźnik ostrożności pytania"_s, u"0,42"_s, u"0,18"_s, u"0,00"_s,
                        u"0,19"_s, u"0,00"_s, u"0,24"_s, QString(), QString(), QString()}));
        QCOMPARE(rowOf(table, 10).first(), u"Uwagi"_s);
        QCOMPARE(rowOf(table, 10).mid(1), QStringList(9, QString()));
        QCOMPARE(table.rowCount(), 11);
        QCOMPARE(table.summaryRows, 2);

        // The S curve after each student's points, the P curve below each
        // question's correct answers.
        const int points[] = {6, 4, 4, 3, 3, 2, 1, 0};
        for (int i = 0; i < 8; ++i)
            QCOMPARE(int(table.row(i + 1).heavyLineAfterColumn), points[i]);
        const int correct[] = {6, 5, 5, 3, 2, 2};
        for (int j = 0; j < 6; ++j)
            QCOMPARE(table.column(j + 1).heavyLineBelowRow, correct[j]);
        QCOMPARE(int(table.row(0).heavyLineAfterColumn), -1);
        QCOMPARE(int(table.row(9).heavyLineAfterColumn), -1);
        QCOMPARE(table.column(0).heavyLineBelowRow, -1);
        QCOMPARE(table.column(7).heavyLineBelowRow, -1);
    }

    void keyToCheck()
    {
        // Question 4 is right only for the weakest: CP = 2, "sprawdź klucz",
        // its column wide enough for the words.
        const Table table = studentProblemTable(
                classOf({u"1110"_s, u"1110"_s, u"1100"_s, u"0001"_s, u"1001"_s, u"0001"_s}));
        QCOMPARE(rowOf(table, 0).mid(1, 4), QStringList({u"1"_s, u"2"_s, u"4"_s, u"3"_s}));
        QCOMPARE(rowOf(table, 7).mid(1, 4),
                QStringList({u"0,00"_s, u"0,00"_s, u"2,00"_s, u"0,00"_s}));
        QCOMPARE(rowOf(table, 8).mid(1, 4),
                QStringList({QString(), QString(), u"sprawdź klucz"_s, QString()}));
        QVERIFY(table.column(3).width > table.column(1).width);
    }

    void slicedCurves()
    {
        // A part of the table keeps the curve pieces that fall in it, moved
        // with its rows and columns, and drops the others.
        const Table table = studentProblemTable(handClass());
        const Table part = table.slice({0, 4, 5, 6}, 3, 7); // Q1 Q4 Q6; S6 S1 S7 S8
        QCOMPARE(int(part.row(0).heavyLineAfterColumn), 1); // S6: after Q1 (column 4)
        QCOMPARE(int(part.row(1).heavyLineAfterColumn), -1); // S1: after column 3, cut away
        QCOMPARE(part.column(1).heavyLineBelowRow, 0); // Q1: below row 3, the part's first
        QCOMPARE(part.column(2).heavyLineBelowRow, -1); // Q4: below row 2, above the part
    }

    void curvesAsStaircases()
    {
        // Students S3 (3), S1 (2), S2 (1); questions 1 (3 right), 2 (2), 3 (1).
        // A perfect pattern: the S and P staircases run along the same edges.
        const Table table = studentProblemTable(classOf({u"110"_s, u"100"_s, u"111"_s}));
        const std::vector<HeavySegment> expected{
                // S: each row's piece after its points, joined row to row.
                {4, 1, 4, 2}, {3, 2, 3, 3}, {3, 2, 4, 2}, {2, 3, 2, 4}, {2, 3, 3, 3},
                // P: each column's piece below its count, joined column to column.
                {1, 4, 2, 4}, {2, 3, 3, 3}, {2, 3, 2, 4}, {3, 2, 4, 2}, {3, 2, 3, 3}};
        QCOMPARE(heavyLineSegments(table), expected);
        QVERIFY(heavyLineSegments(staninesTable(handClass())).empty());
    }

    void curvesOnTheScreenGrid()
    {
        // Students S3 (3), S1 (2), S2 (1): row 1's line after question
        // column 3, row 2's after column 2, joined along the top of row 2.
        const GridModel grid =
                ownGrid(studentProblemTable(classOf({u"110"_s, u"100"_s, u"111"_s})));
        const GridPainter painter(grid);
        const QSize size(painter.columnLeft(grid.columnCount()), 17 * grid.rowCount());
        const QImage image = painter.render(size);
        const QColor heavy = GridPainter::kHeavyLineColour;
        const QColor line = GridPainter::kLineColour;
        const auto rightEdge = [&](int column) {
            return painter.columnLeft(column + 1) - 1;
        };
        const int row1 = GridPainter::lineTop(1) + 8;
        const int row2 = GridPainter::lineTop(2) + 8;
        QCOMPARE(image.pixelColor(rightEdge(3), row1), heavy);
        QCOMPARE(image.pixelColor(rightEdge(2), row1), line);
        QCOMPARE(image.pixelColor(rightEdge(2), row2), heavy);
        QCOMPARE(image.pixelColor(rightEdge(3), row2), line);
        // The join between the two rows and the P curve under question 1's
        // three correct answers.
        const int x3 = (painter.columnLeft(3) + rightEdge(3)) / 2;
        QCOMPARE(image.pixelColor(x3, GridPainter::lineTop(2) - 1), heavy);
        const int x1 = (painter.columnLeft(1) + rightEdge(1)) / 2;
        QCOMPARE(image.pixelColor(x1, GridPainter::lineTop(4) - 1), heavy);
        QCOMPARE(image.pixelColor(x1, GridPainter::lineTop(3) - 1), line);

        // Scrolled down a row, the lines move with their rows and none is
        // drawn along the header.
        GridModel scrolled = grid;
        scrolled.setTopRow(2);
        const QImage down = GridPainter(scrolled).render(size);
        QCOMPARE(down.pixelColor(rightEdge(2), row1), heavy);
        QCOMPARE(down.pixelColor(rightEdge(3), row1), line);
        QCOMPARE(down.pixelColor(x3, GridPainter::lineTop(1) - 1), line);

        // A table without curves keeps its plain grid.
        const GridModel plain = ownGrid(staninesTable(handClass()));
        QVERIFY(!plain.hasHeavyLines());
        const GridPainter plainPainter(plain);
        const QImage plainImage = plainPainter.render(QSize(400, 100));
        for (int x = 0; x < 400; ++x)
            QVERIFY(plainImage.pixelColor(x, 16) != heavy);
    }

    void curvesAsHtmlBorders()
    {
        const GridModel grid =
                ownGrid(studentProblemTable(classOf({u"110"_s, u"100"_s, u"111"_s})));
        const QList<QStringList> rows = htmlCells(htmlTableText(grid));
        QCOMPARE(rows.size(), grid.rowCount());
        const auto edges = [&](int column, int row) {
            const QString &cell = rows[row][column];
            return QStringList{
                    cell.contains(u"border-right:3px solid #000000;"_s) ? u"R"_s : QString(),
                    cell.contains(u"border-bottom:3px solid #000000;"_s) ? u"B"_s : QString()}
                    .join(QString());
        };
        // A perfect pattern: the S curve right of each student's points and
        // the P curve under each question's count run along the same edges,
        // each piece on the cell left of or above it.
        QCOMPARE(edges(3, 1), u"RB"_s);
        QCOMPARE(edges(2, 2), u"RB"_s);
        QCOMPARE(edges(1, 3), u"RB"_s);
        QCOMPARE(edges(3, 0), QString());
        QCOMPARE(edges(4, 1), QString());
        int styled = 0;
        for (const QStringList &row : rows)
            styled += int(std::count_if(row.begin(), row.end(),
                    [](const QString &cell) { return cell.contains(u"style="_s); }));
        QCOMPARE(styled, 3);

        QVERIFY(!htmlTableText(ownGrid(staninesTable(handClass()))).contains(u"style="_s));
    }

    void emptyAndSingle()
    {
        AnalysisState none;
        none.questionCount = 3;
        const Table empty = studentProblemTable(none);
        QCOMPARE(empty.rowCount(), 3);
        QCOMPARE(rowOf(empty, 1).mid(1, 3), QStringList({kDash, kDash, kDash}));
        const Table one = studentProblemTable(classOf({u"101"_s}));
        QCOMPARE(rowOf(one, 1),
                QStringList(
                        {u"Uczeń1 Ala"_s, u"1"_s, u"1"_s, u"0"_s, u"2"_s, u"0,00"_s, QString()}));
    }
};

QTEST_MAIN(TestStudentProblemTable)
#include "tst_studentproblemtable.moc"
