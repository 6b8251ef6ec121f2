#include "../../tables/analysisbuilder.h"

#include "tables/gridmodel.h"
#include "tables/gridstate.h"
#include "tables/view/gridaccessible.h"
#include "tables/view/gridpainter.h"
#include "tables/view/gridview.h"
#include "tables/view/tablepanel.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

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

/// `classes` classes taking turns over `students` students.
AnalysisState classesOf(int classes, int students, int questions)
{
    AnalysisState analysis = makeAnalysis(students, questions);
    for (std::size_t i = 0; i < analysis.students.size(); ++i) {
        analysis.students[i].schoolClass =
                u"Klasa %1"_s.arg(int(i) % classes, 2, 10, QLatin1Char('0'));
    }
    return analysis;
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
    // The grid as the program shows it to assistive technology.
    void initTestCase() { QAccessible::installFactory(gridAccessibleFactory); }
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
        panel.showTable(TableKind(99));
        QCOMPARE(f.state.tableKind, int(TableGradeCount));
    }

    // Leaving the last column onto the next page of columns keeps the cursor
    // on its student's (or question's) row, though a question page starts at
    // the top rows; leaving the last row keeps its column.
    void pagingKeepsTheCursorsRow_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("results, two question pages") << int(TableResults);
        QTest::newRow("questions in thirty classes") << int(TableClassQuestions);
    }

    void pagingKeepsTheCursorsRow()
    {
        QFETCH(int, kind);
        Fixture f(classesOf(kind == TableResults ? 1 : 30, 40, 25));
        TablePanel panel(f.grid, f.state, f.analysis);
        panel.showTable(TableKind(kind));
        panel.show();
        panel.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&panel));
        GridView *view = panel.grid();
        view->clearFocus();
        view->setFocus(Qt::TabFocusReason);
        QVERIFY(view->cursorShown());
        auto cursorColumn = [view] {
            return view->shownColumn(view->cursor().x());
        };
        auto cursorRow = [view] {
            return view->shownRow(view->cursor().y());
        };

        QTest::keyClick(view, Qt::Key_Right);
        QTest::keyClick(view, Qt::Key_Right);
        const QString header = f.grid.text(cursorColumn(), 0);
        for (int i = 0; i < 20; ++i)
            QTest::keyClick(view, Qt::Key_Down);
        QVERIFY(f.grid.topRow() > 1);
        QCOMPARE(cursorRow(), 21);
        QCOMPARE(f.grid.text(cursorColumn(), 0), header);

        const QString name = f.grid.text(0, 21);
        while (view->cursor().x() != view->shownColumnCount() - 1)
            QTest::keyClick(view, Qt::Key_Right);
        QCOMPARE(cursorRow(), 21);
        const QString lastHeader = f.grid.text(cursorColumn(), 0);
        QTest::keyClick(view, Qt::Key_Right);
        QVERIFY(f.grid.text(1, 0) != header || f.grid.leftColumn() > 1);
        QCOMPARE(view->cursor().x(), 1);
        QCOMPARE(cursorRow(), 21);
        QCOMPARE(f.grid.text(0, 21), name);
        QTest::keyClick(view, Qt::Key_Left);
        QCOMPARE(cursorColumn(), 0);
        QTest::keyClick(view, Qt::Key_Left);
        QCOMPARE(f.grid.text(cursorColumn(), 0), lastHeader);
        QCOMPARE(cursorRow(), 21);
    }

    // At the table's edge the cell cursor stays, and the grid sounds and
    // tells assistive technology which edge (on the cursor's cell) until the
    // cursor moves on; a move inside the table says nothing of edges.
    void cursorSignalsTheEdges_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("edges");
        QTest::addColumn<int>("direction");
        QTest::addColumn<QString>("note");
        // Past every row, whatever follows the students.
        const QList<int> down(80, Qt::Key_Down);
        QTest::newRow("up from the first row")
                << QList<int>{Qt::Key_Up} << 1 << int(Qt::UpArrow) << u"Początek tabeli"_s;
        QTest::newRow("left from the names")
                << QList<int>{Qt::Key_Left} << 1 << int(Qt::LeftArrow) << u"Pierwsza kolumna"_s;
        QTest::newRow("home on the names")
                << QList<int>{Qt::Key_Home} << 1 << int(Qt::LeftArrow) << u"Pierwsza kolumna"_s;
        QTest::newRow("end twice") << QList<int>{Qt::Key_End, Qt::Key_End} << 1
                                   << int(Qt::RightArrow) << u"Ostatnia kolumna"_s;
        QTest::newRow("right past the last page") << QList<int>{Qt::Key_End, Qt::Key_Right} << 1
                                                  << int(Qt::RightArrow) << u"Ostatnia kolumna"_s;
        QTest::newRow("down past the last student")
                << down << -1 << int(Qt::DownArrow) << u"Koniec tabeli"_s;
        QTest::newRow("inside the table") << QList<int>{Qt::Key_Right, Qt::Key_Down, Qt::Key_End,
                Qt::Key_Home} << 0 << -1 << QString();
        QTest::newRow("moved on from the edge")
                << QList<int>{Qt::Key_Up, Qt::Key_Down} << 1 << int(Qt::UpArrow) << QString();
    }

    void cursorSignalsTheEdges()
    {
        QFETCH(QList<int>, keys);
        QFETCH(int, edges);
        QFETCH(int, direction);
        QFETCH(QString, note);
        Fixture f(makeAnalysis(40, 25));
        TablePanel panel(f.grid, f.state, f.analysis);
        panel.showTable(TableResults);
        panel.show();
        panel.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&panel));
        GridView *view = panel.grid();
        view->clearFocus();
        view->setFocus(Qt::TabFocusReason);
        QVERIFY(view->cursorShown());
        QSignalSpy spy(view, &GridView::edgeReached);
        for (int key : keys)
            QTest::keyClick(view, Qt::Key(key));
        // -1: at least one, once per key that met the edge.
        if (edges >= 0)
            QCOMPARE(spy.count(), edges);
        else
            QVERIFY(spy.count() > 0);
        if (edges != 0)
            QCOMPARE(spy.last().at(0).value<Qt::ArrowType>(), Qt::ArrowType(direction));
        QAccessibleInterface *cell = QAccessible::queryAccessibleInterface(view)->focusChild();
        QVERIFY(cell);
        QCOMPARE(cell->text(QAccessible::Description), note);
    }

    // A paging key that cannot page (no arrow that way) signals the edge,
    // which the grid's description then names; one that pages does not.
    void pagingKeysSignalTheEdges_data()
    {
        using Step = TablePanel::PageStep;
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("direction");
        QTest::newRow("up at the top") << int(Step::Up) << int(Qt::UpArrow);
        QTest::newRow("home at the top") << int(Step::First) << int(Qt::UpArrow);
        QTest::newRow("left on the first page") << int(Step::Left) << int(Qt::LeftArrow);
        QTest::newRow("down") << int(Step::Down) << -1;
        QTest::newRow("end") << int(Step::Last) << -1;
    }

    void pagingKeysSignalTheEdges()
    {
        QFETCH(int, step);
        QFETCH(int, direction);
        Fixture f(makeAnalysis(40, 25));
        TablePanel panel(f.grid, f.state, f.analysis);
        panel.showTable(TableResults);
        panel.show();
        QSignalSpy spy(panel.grid(), &GridView::edgeReached);
        panel.pageKey(TablePanel::PageStep(step));
        QCOMPARE(spy.count(), direction < 0 ? 0 : 1);
        if (direction >= 0)
            QCOMPARE(spy.first().at(0).value<Qt::ArrowType>(), Qt::ArrowType(direction));
        const QString description =
                QAccessible::queryAccessibleInterface(panel.grid())->text(QAccessible::Description);
        QCOMPARE(description.startsWith(u"Wiersze"_s), direction < 0);
    }

    // Shift with the wheel, or a sideways wheel, turns the pages of columns
    // as the left and right arrows do.
    void sidewaysWheelTurnsColumnPages_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QPoint>("angle");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("turned");
        const int shift = Qt::ShiftModifier;
        QTest::newRow("results, shift") << int(TableResults) << QPoint(0, -120) << shift << true;
        QTest::newRow("results, sideways") << int(TableResults) << QPoint(-120, 0) << 0 << true;
        QTest::newRow("results, down") << int(TableResults) << QPoint(0, -120) << 0 << false;
        QTest::newRow("classes, shift")
                << int(TableClassQuestions) << QPoint(0, -120) << shift << true;
        QTest::newRow("classes, half a notch")
                << int(TableClassQuestions) << QPoint(0, -60) << shift << false;
        QTest::newRow("classes, back")
                << int(TableClassQuestions) << QPoint(0, 120) << shift << false;
    }

    void sidewaysWheelTurnsColumnPages()
    {
        QFETCH(int, kind);
        QFETCH(QPoint, angle);
        QFETCH(int, modifiers);
        QFETCH(bool, turned);
        Fixture f(classesOf(kind == TableResults ? 1 : 30, 40, 20));
        TablePanel panel(f.grid, f.state, f.analysis);
        panel.showTable(TableKind(kind));
        const int top = f.grid.topRow();
        QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), angle, Qt::NoButton,
                Qt::KeyboardModifiers(modifiers), Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&panel, &wheel);
        const bool onSecondPage = !f.state.firstQuestionPage || f.grid.leftColumn() > 1;
        QCOMPARE(onSecondPage, turned);
        if (modifiers != 0)
            QCOMPARE(f.grid.topRow(), top);
    }

    // The tables beyond the first three end a text their column cuts in
    // "…"; those three keep their look.
    void cutTextsEndInAnEllipsis()
    {
        GridModel grid;
        grid.setColumnCount(2);
        grid.setRowCount(2);
        grid.setColumnWidth(0, 60);
        grid.setText(0, 1, u"Konstantynopolitańczykiewiczówna"_s);
        grid.setText(1, 1, u"Ala"_s);
        const GridPainter painter(grid);
        QVERIFY(painter.textIsCut(0, 1));
        QVERIFY(!painter.textIsCut(1, 1));
        const QImage plain = painter.render(QSize(200, 40));
        grid.setMarksCutTexts(true);
        const QImage marked = painter.render(QSize(200, 40));
        QVERIFY(plain != marked);
        // Only the cut cell differs.
        const QRect other = painter.cellRect(1, 1);
        QCOMPARE(plain.copy(other), marked.copy(other));
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
