#include "../../tables/analysisbuilder.h"

#include "tables/gridmodel.h"
#include "tables/gridstate.h"
#include "tables/view/gridpainter.h"
#include "tables/view/gridview.h"
#include "tables/view/tablepanel.h"

#include <QFontMetrics>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

using namespace zavevad;
using namespace zavevad::test;
using namespace Qt::StringLiterals;

namespace {

const QColor kHeader(0, 64, 64);
const QColor kPlain(227, 225, 221);
const QColor kFifth(232, 244, 223);

/// Whether some pixel of `rect` is clearly red (anti-aliased text included).
bool hasRedPixel(const QImage &image, const QRect &rect)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 180 && c.green() < 90 && c.blue() < 90)
                return true;
        }
    }
    return false;
}

int countPixels(const QImage &image, const QRect &rect, const QColor &colour)
{
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x)
            count += image.pixelColor(x, y) == colour ? 1 : 0;
    }
    return count;
}

struct Fixture
{
    GridModel grid;
    GridState state;
    AnalysisState analysis;

    explicit Fixture(AnalysisState a) : analysis(std::move(a)) { }
};

} // namespace

class TestGridView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void paintsCellsAndLines()
    {
        Fixture f(makeAnalysis(12, 15));
        AnalysisTables(f.grid, f.state, f.analysis).PokazTabele(TableResults);
        const GridPainter painter(f.grid);
        const QImage image = painter.render(f.state.panels.Tabela);
        QCOMPARE(image.size(), QSize(651, 17 * 15 + 3));

        // Header cell "Suma" (column 16), away from its text.
        const QRect header = painter.cellRect(16, 0);
        QCOMPARE(header, QRect(121 + 27 * 15, 0, 60, 16));
        QCOMPARE(image.pixelColor(header.left() + 1, header.top() + 1), kHeader);
        QVERIFY(countPixels(image, header, QColor(Qt::white)) > 0); // white bold text

        // Row 5 is a fifth row, row 4 a plain one: look at the empty left corner of the name cell.
        QCOMPARE(image.pixelColor(
                         painter.cellRect(0, 5).right() - 1, painter.cellRect(0, 5).top() + 1),
                kFifth);
        QCOMPARE(image.pixelColor(
                         painter.cellRect(0, 4).right() - 1, painter.cellRect(0, 4).top() + 1),
                kPlain);

        // Student 1 (i = 0) misses question 3: a red "0" on the plain background.
        QCOMPARE(f.grid.text(3, 1), u"0"_s);
        const QRect zero = painter.cellRect(3, 1);
        QVERIFY(hasRedPixel(image, zero));
        QCOMPARE(image.pixelColor(zero.left(), zero.top()), kPlain);
        const QRect one = painter.cellRect(1, 1);
        QCOMPARE(f.grid.text(1, 1), u"1"_s);
        QVERIFY(!hasRedPixel(image, one));

        // Grid lines: right of column 0 and under the header, in the header and the body.
        QCOMPARE(image.pixelColor(120, 5), GridPainter::kLineColour);
        QCOMPARE(image.pixelColor(120, 17 + 5), GridPainter::kLineColour);
        QCOMPARE(image.pixelColor(50, 16), GridPainter::kLineColour);
        QCOMPARE(image.pixelColor(50, 16 + 17), GridPainter::kLineColour);
        QCOMPARE(image.pixelColor(121 + 26, 40), GridPainter::kLineColour);
    }

    void paintsFromTheTopRow()
    {
        Fixture f(makeAnalysis(40, 5));
        AnalysisTables tables(f.grid, f.state, f.analysis);
        tables.PokazTabele(TableResults);
        tables.ImTabelaWDolClick();
        QCOMPARE(f.grid.topRow(), 16);
        const GridPainter painter(f.grid);
        QCOMPARE(painter.cellRect(0, 16), QRect(0, 17, 120, 16));
        QVERIFY(painter.cellRect(0, 15).isNull());
        QCOMPARE(painter.cellAt(QPoint(5, 20)), QPoint(0, 16));
        QCOMPARE(painter.cellAt(QPoint(5, 16)), QPoint(-1, -1)); // grid line
        QCOMPARE(painter.cellAt(QPoint(5, 3)), QPoint(0, 0));
        // Row 20 (a fifth row) lies on the fifth drawn body line.
        const QImage image = painter.render(QSize(300, 309));
        QCOMPARE(image.pixelColor(119, 17 * 5 + 1), kFifth);
        QCOMPARE(image.pixelColor(119, 17 * 4 + 1), kPlain);
    }

    void oddTopRowsAndEmptyGrids()
    {
        GridModel grid;
        grid.setRowCount(3);
        for (int top : {-5, 0, 2, 3, 1000000}) {
            grid.setTopRow(top);
            const QImage image = GridPainter(grid).render(QSize(200, 100));
            QCOMPARE(image.pixelColor(10, 5), kHeader);
        }
        grid.setColumnCount(0);
        grid.setRowCount(0);
        const QImage empty = GridPainter(grid).render(QSize(50, 50));
        QCOMPARE(empty.pixelColor(10, 10), GridPainter::kEmptyColour);
        QCOMPARE(GridPainter(grid).cellAt(QPoint(1, 1)), QPoint(-1, -1));
    }

    void fontHasPolishLetters()
    {
        GridModel grid;
        const QFont font = grid.bodyFont().toQFont();
        QCOMPARE(font.pixelSize(), 11);
        const QFontMetrics metrics(font);
        for (QChar c : u"ąćęłńóśźżĄĆĘŁŃÓŚŹŻ"_s)
            QVERIFY2(metrics.inFont(c), qPrintable(QString(c)));
        QVERIFY(grid.headerFont().toQFont().bold());
    }

    void panelFollowsTheGridState()
    {
        Fixture f(makeAnalysis(40, 20));
        TablePanel panel(f.grid, f.state, f.analysis);
        panel.show();
        QSignalSpy shown(&panel, &TablePanel::tableShown);
        panel.showTable(TableResults);
        QCOMPARE(shown.count(), 1);

        auto *under = panel.findChild<QWidget *>(u"PPodTabele"_s);
        auto *grid = panel.findChild<GridView *>(u"Tabela"_s);
        QVERIFY(under && grid);
        QCOMPARE(grid->parentWidget(), under);
        QCOMPARE(panel.objectName(), u"PTabela"_s);
        QCOMPARE(panel.size(), QSize(680, 337));
        QCOMPARE(under->geometry(), QRect(0, 0, 652, 309));
        QCOMPARE(grid->geometry(), QRect(0, 0, 651, 17 * 43 + 3));
        QCOMPARE(panel.palette().color(QPalette::Window), QColor(144, 144, 144));

        auto arrow = [&](const QString &name) {
            return panel.findChild<QWidget *>(name);
        };
        for (const QString &name :
                {u"PTabelaWGore"_s, u"PTabelaWDol"_s, u"PTabelaWLewo"_s, u"PTabelawPrawo"_s}) {
            QVERIFY(arrow(name));
            QCOMPARE(arrow(name)->size(), QSize(26, 25));
        }
        QVERIFY(!arrow(u"PTabelaWGore"_s)->isVisible());
        QVERIFY(arrow(u"PTabelaWDol"_s)->isVisible());
        QVERIFY(!arrow(u"PTabelaWLewo"_s)->isVisible());
        QVERIFY(arrow(u"PTabelawPrawo"_s)->isVisible());
        QCOMPARE(arrow(u"PTabelaWDol"_s)->pos(), QPoint(654, 279));

        auto *down = panel.findChild<QLabel *>(u"ImTabelaWDol"_s);
        QVERIFY(down);
        QCOMPARE(down->size(), QSize(25, 25));
        QCOMPARE(down->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(down, Qt::LeftButton);
        QCOMPARE(f.grid.topRow(), 16);
        QVERIFY(arrow(u"PTabelaWGore"_s)->isVisible());

        QTest::mouseClick(panel.findChild<QLabel *>(u"ImTabelaWPrawo"_s), Qt::LeftButton);
        QCOMPARE(f.grid.topRow(), 1);
        QCOMPARE(f.grid.columnCount(), 8);
        QVERIFY(arrow(u"PTabelaWLewo"_s)->isVisible());
        QVERIFY(!arrow(u"PTabelawPrawo"_s)->isVisible());

        panel.showTable(TableGradeCount);
        QCOMPARE(panel.size(), QSize(226, 140));
        QCOMPARE(grid->size(), QSize(225, 140));
        for (const QString &name :
                {u"PTabelaWGore"_s, u"PTabelaWDol"_s, u"PTabelaWLewo"_s, u"PTabelawPrawo"_s})
            QVERIFY(!arrow(name)->isVisible());
        panel.showTable(TableKind(7));
        QCOMPARE(f.state.tableKind, int(TableGradeCount));
    }

    void clickClearsTheSelection()
    {
        Fixture f(makeAnalysis(5, 5));
        TablePanel panel(f.grid, f.state, f.analysis);
        panel.showTable(TableResults);
        panel.show();
        QSignalSpy clicked(&panel, &TablePanel::gridClicked);
        f.grid.setSelection({1, 1, 2, 2});
        QTest::mouseClick(panel.grid(), Qt::LeftButton, {}, QPoint(130, 25));
        QCOMPARE(clicked.count(), 1);
        QVERIFY(f.grid.selection().isCleared());
    }
};

QTEST_MAIN(TestGridView)
#include "tst_gridview.moc"
