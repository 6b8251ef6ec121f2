// Every table within the main window's card: a table wider than the card's
// table area pages sideways with its first column in view, the cell cursor
// stays in sight, and a text its column cuts is read whole.

#include "../tables/analysisbuilder.h"
#include "scriptedplatform.h"

#include "results/blueprint.h"
#include "shell/shell.h"
#include "shell/tfglowny.h"
#include "tables/classcomparisontable.h"
#include "tables/gridmodel.h"
#include "tables/itemanalysistable.h"
#include "tables/resultstables.h"
#include "tables/skillstable.h"
#include "tables/tablekinds.h"
#include "tables/view/gridpainter.h"
#include "tables/view/gridview.h"
#include "tables/view/tablepanel.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QLabel>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

using namespace zavevad;
using namespace Qt::StringLiterals;

namespace {

constexpr int kQuestions = 20;

/// A skill name of 80 characters, distinct by its number.
QString longSkill(int i)
{
    return u"Umiejętność %1: odczytuje dane z tabeli i wykresu, porównuje je i wyciąga wnioski"_s
            .arg(i)
            .left(80);
}

/// `classes` classes of three students, the last one with a long name, and
/// a blueprint of long skills, some of them with every question.
AnalysisState schoolOf(int classes)
{
    AnalysisState state;
    for (int i = 0; i < classes * 3; ++i) {
        const auto mask = static_cast<std::uint32_t>((i * 2654435761u) >> 7) & 0xFFFFFu;
        UczenAll student = test::makeStudent(
                u"Uczeń%1"_s.arg(i, 3, 10, QLatin1Char('0')), u"Ala"_s, mask, kQuestions);
        const int c = i % classes;
        student.schoolClass = c + 1 == classes ? u"Klasa integracyjna z oddziałem sportowym"_s
                                               : u"Klasa %1"_s.arg(c, 2, 10, QLatin1Char('0'));
        state.students.push_back(student);
    }
    test::finishAnalysis(state, kQuestions);
    QByteArray blueprint;
    for (int q = 1; q <= kQuestions; ++q) {
        blueprint += QByteArray::number(q) + '\t' + longSkill(q % 4).toUtf8() + '\t'
                + "Wymaganie ogólne II.1 i szczegółowe " + QByteArray::number(q) + '\n';
        blueprint += QByteArray::number(q) + '\t' + longSkill(9).toUtf8() + '\n';
    }
    state.blueprint = parseBlueprint(blueprint, kQuestions).blueprint;
    return state;
}

Table tableOf(TableKind kind, const AnalysisState &analysis)
{
    const TableKindInfo *info = tableKindInfo(kind);
    return info ? info->build(analysis) : Table();
}

QString accessibleText(GridView *view, int row, int column)
{
    QAccessibleInterface *grid = QAccessible::queryAccessibleInterface(view);
    QAccessibleInterface *cell = grid->tableInterface()->cellAt(row, column);
    return cell ? cell->text(QAccessible::Name) : QString();
}

} // namespace

class TestTableFit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
        QVERIFY(m_dir.isValid());
        m_previousDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
    }
    void cleanupTestCase() { QDir::setCurrent(m_previousDir); }
    void init()
    {
        m_platform = std::make_unique<test::ScriptedPlatform>();
        m_shell = std::make_unique<Shell>(m_platform.get());
        m_shell->start();
        QVERIFY(QTest::qWaitForWindowExposed(&m_shell->glowny()));
    }
    void cleanup()
    {
        m_shell.reset();
        m_platform.reset();
    }

    void everyTableStaysOnTheCard_data();
    void everyTableStaysOnTheCard();

private:
    /// Shows `kind` of `classes` classes on the main window.
    GridView *show(TableKind kind, int classes);
    /// The cells on display lie inside the grid's visible area; returns the
    /// header texts of the columns on display.
    static QStringList checkCellsInView(GridView *view);
    /// Every text cut by its column on display shows whole in a tooltip and
    /// to a screen reader; a column cuts only when it is as wide as allowed.
    static void checkCutTextsReadable(GridView *view);

    QTemporaryDir m_dir;
    QString m_previousDir;
    std::unique_ptr<test::ScriptedPlatform> m_platform;
    std::unique_ptr<Shell> m_shell;
};

GridView *TestTableFit::show(TableKind kind, int classes)
{
    Session &session = m_shell->session();
    session.analysis = schoolOf(classes);
    session.analysis.dataLoaded = true;
    TFGlowny &main = m_shell->glowny();
    main.PokazTabele(TableResults);
    main.PokazTabele(kind);
    main.PTabela()->show();
    return main.PTabela()->grid();
}

QStringList TestTableFit::checkCellsInView(GridView *view)
{
    const QRect area = QRect(QPoint(0, 0), view->parentWidget()->size()) & view->geometry();
    QStringList headers;
    for (int i = 0; i < view->shownColumnCount(); ++i) {
        const int column = view->shownColumn(i);
        headers << view->model().text(column, 0);
        for (int row = -1; row < view->shownRowCount(); ++row) {
            const QRect cell = view->cellRect(column, row < 0 ? 0 : view->shownRow(row));
            if (!area.contains(cell))
                return {u"column %1 row %2 outside the area: %3 %4 %5 %6 / %7 %8"_s.arg(column)
                                .arg(row)
                                .arg(cell.left())
                                .arg(cell.right())
                                .arg(area.left())
                                .arg(area.right())
                                .arg(view->width())
                                .arg(view->parentWidget()->width())};
        }
    }
    return headers;
}

void TestTableFit::checkCutTextsReadable(GridView *view)
{
    const GridModel &model = view->model();
    const GridPainter painter(model);
    for (int i = 0; i < view->shownColumnCount(); ++i) {
        const int column = view->shownColumn(i);
        for (int row = -1; row < view->shownRowCount(); ++row) {
            const int modelRow = row < 0 ? 0 : view->shownRow(row);
            if (!painter.textIsCut(column, modelRow))
                continue;
            const QString where = u"%1 (column %2)"_s.arg(model.text(column, modelRow)).arg(column);
            QVERIFY2(model.columnWidth(column) >= 300, qPrintable(where));
            const QRect cell = view->cellRect(column, modelRow);
            QHelpEvent help(QEvent::ToolTip, cell.center(), view->mapToGlobal(cell.center()));
            QCoreApplication::sendEvent(view, &help);
            QVERIFY2(QToolTip::isVisible(), qPrintable(where));
            QCOMPARE(QToolTip::text(), model.text(column, modelRow));
            if (row >= 0)
                QCOMPARE(accessibleText(view, row, i), model.text(column, modelRow));
            QToolTip::hideText();
        }
    }
}

void TestTableFit::everyTableStaysOnTheCard_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("classes");
    for (const TableKindInfo &info : tableKinds()) {
        for (const int classes : {2, 8, 30}) {
            QTest::addRow("%s, %d classes", info.commandLineName, classes)
                    << int(info.kind) << classes;
        }
    }
}

void TestTableFit::everyTableStaysOnTheCard()
{
    QFETCH(int, kind);
    QFETCH(int, classes);
    GridView *view = show(TableKind(kind), classes);
    TFGlowny &main = m_shell->glowny();
    TablePanel *panel = main.PTabela();
    QCOMPARE(m_shell->session().gridState.tableKind, kind);

    // The panel with its arrows on the card, and so on every screen from
    // 800 x 600 up, where the card stands centred.
    const QRect card(QPoint(0, 0), TFGlowny::kPTloSize);
    QCOMPARE(panel->parentWidget(), main.PTlo());
    const QRect onCard = panel->geometry();
    QVERIFY2(card.contains(onCard), qPrintable(u"%1 px wide"_s.arg(onCard.width())));
    for (const QSize screen : {QSize(800, 600), QSize(1024, 768), QSize(1280, 1024)}) {
        const QPoint origin = TFGlowny::centredOrigin(screen, TFGlowny::kPTloSize);
        QVERIFY(QRect(QPoint(0, 0), screen).contains(onCard.translated(origin)));
    }

    // By the arrows: every column in view once, on pages that keep the
    // first column, every cell on display inside the area.
    const Table table = tableOf(TableKind(kind), m_shell->session().analysis);
    const TableTexts texts;
    QSet<QString> expected;
    for (int c = 0; c < table.columnCount(); ++c)
        expected.insert(texts.text(table, c, 0));
    QSet<QString> seen;
    auto *right = panel->findChild<QLabel *>(u"ImTabelaWPrawo"_s);
    for (int page = 0; page < 100; ++page) {
        const QStringList headers = checkCellsInView(view);
        QVERIFY2(!headers.isEmpty() && !headers.first().contains(u"outside"_s),
                qPrintable(headers.value(0)));
        QCOMPARE(headers.first(), texts.text(table, 0, 0));
        seen.unite(QSet<QString>(headers.begin(), headers.end()));
        checkCutTextsReadable(view);
        if (!right->isVisibleTo(panel))
            break;
        QTest::mouseClick(right, Qt::LeftButton);
    }
    QCOMPARE(seen, expected);

    // By the keyboard: Home and End reach the row's first and last cell, and
    // the arrows walk the columns; the cursor never leaves the area.
    main.PokazTabele(TableKind(kind));
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    view->clearFocus();
    view->setFocus(Qt::TabFocusReason);
    QVERIFY(view->cursorShown());
    const QRect area = QRect(QPoint(0, 0), view->parentWidget()->size()) & view->geometry();
    auto cursorCell = [view] {
        return view->cellRect(
                view->shownColumn(view->cursor().x()), view->shownRow(view->cursor().y()));
    };
    QTest::keyClick(view, Qt::Key_End);
    QCOMPARE(view->model().text(view->shownColumn(view->cursor().x()), 0),
            texts.text(table, table.columnCount() - 1, 0));
    QVERIFY(area.contains(cursorCell()));
    QTest::keyClick(view, Qt::Key_Home);
    QCOMPARE(view->shownColumn(view->cursor().x()), 0);
    QSet<QString> walked;
    for (int steps = 0; steps < 200; ++steps) {
        QVERIFY(area.contains(cursorCell()));
        const int column = view->shownColumn(view->cursor().x());
        walked.insert(view->model().text(column, 0));
        if (column == view->model().columnCount() - 1
                && !m_shell->session().gridState.panels.PTabelawPrawo.visible)
            break;
        QTest::keyClick(view, Qt::Key_Right);
    }
    QCOMPARE(walked, expected);
}

QTEST_MAIN(TestTableFit)
#include "tst_tablefit.moc"
