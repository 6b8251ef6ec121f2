// What a screen reader and the keyboard get from the program, read through
// Qt's accessibility interfaces as an assistive technology reads them.
#include "appearance/dialog/tfustawwykres.h"
#include "charts/window/chartwidget.h"
#include "charts/window/tfwykres.h"
#include "modalhelper.h"
#include "results/resultpaths.h"
#include "scriptedplatform.h"
#include "shell/shell.h"
#include "shell/tfglowny.h"
#include "shell/tfmenu.h"
#include "shell/tfmonit.h"
#include "shell/tfprogi.h"
#include "tables/gridmodel.h"
#include "tables/view/gridview.h"
#include "tables/view/tablepanel.h"
#include "testsupport.h"
#include "ui/radiogroup.h"
#include "ui/spinedit.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

using namespace zavevad;
using namespace Qt::StringLiterals;

namespace {

QAccessibleInterface *iface(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

QString name(QAccessibleInterface *i)
{
    return i ? i->text(QAccessible::Name) : u"<none>"_s;
}

/// Presses `key` where the keyboard is now, as a person would.
void typeKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget *target = QApplication::focusWidget();
    QVERIFY2(target, "nothing has the keyboard focus");
    QTest::keyClick(target, key, modifiers);
}

void press(QObject *object)
{
    QAccessibleInterface *i = iface(object);
    QVERIFY(i && i->actionInterface());
    QVERIFY(i->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
    i->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void menuTitlesAndItems();
    void keyboardWalksTheMenu();
    void gridIsATable_data();
    void gridIsATable();
    void gridCellCursor();
    void chartSpeaks();
    void controlsAreNamed();
    void focusNeverDrops();
    void radioGroupIsEnteredOnItsChoice();

private:
    QWidget *menuItem(const char *objectName) const
    {
        return m_shell->menu().findChild<QWidget *>(QLatin1String(objectName));
    }
    QWidget *title(const char *objectName) const
    {
        return m_shell->glowny().findChild<QWidget *>(QLatin1String(objectName));
    }
    void loadSampleClass();
    GridView *grid() const { return m_shell->glowny().PTabela()->grid(); }

    QTemporaryDir m_startDir;
    QString m_previousDir;
    std::unique_ptr<test::ScriptedPlatform> m_platform;
    std::unique_ptr<Shell> m_shell;
};

void TestAccessibility::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    QVERIFY(m_startDir.isValid());
    m_previousDir = QDir::currentPath();
}

void TestAccessibility::init()
{
    QVERIFY(QDir::setCurrent(m_startDir.path()));
    m_platform = std::make_unique<test::ScriptedPlatform>();
    m_shell = std::make_unique<Shell>(m_platform.get());
    m_shell->start();
    QVERIFY(QTest::qWaitForWindowExposed(&m_shell->glowny()));
    m_shell->glowny().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_shell->glowny()));
}

void TestAccessibility::cleanup()
{
    m_shell.reset();
    m_platform.reset();
    QDir::setCurrent(m_previousDir);
}

void TestAccessibility::loadSampleClass()
{
    // The sample class holds two files of another test: the prompt says so.
    test::ModalAnswerer answerer([](QWidget *modal) { modal->close(); });
    m_shell->glowny().loadFiles(expandResultPaths({test::examplesPath()}));
    QVERIFY(m_shell->session().analysis.dataLoaded);
    m_shell->glowny().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_shell->glowny()));
}

void TestAccessibility::menuTitlesAndItems()
{
    const char *titles[] = {
            "LMenuPlik", "LMenuEdycja", "LMenuTabele", "LMenuWykresy", "LMenuAbout"};
    const QStringList captions{u"Plik"_s, u"Edycja"_s, u"Tabele"_s, u"Wykresy"_s, u"O programie"_s};
    for (int i = 0; i < 5; ++i) {
        QAccessibleInterface *t = iface(title(titles[i]));
        QVERIFY(t);
        QCOMPARE(t->role(), QAccessible::PopupMenu);
        QCOMPARE(name(t), captions[i]);
        QVERIFY(t->actionInterface());
    }
    QAccessibleInterface *window = iface(&m_shell->glowny());
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(name(window), m_shell->glowny().windowTitle());
    // The focus holder says nothing.
    QAccessibleInterface *holder = iface(m_shell->glowny().focusHolder());
    QVERIFY(holder->state().invisible);
    QCOMPARE(name(holder), QString());

    // Items: caption, hint, availability and a press action, from the item data.
    QAccessibleInterface *open = iface(menuItem("LPlikOpen"));
    QCOMPARE(open->role(), QAccessible::MenuItem);
    QCOMPARE(name(open), u"Wczytaj wyniki testu ..."_s);
    QCOMPARE(open->text(QAccessible::Description), u"Wczytuje wyniki testu do analizy"_s);
    QVERIFY(!open->state().disabled);
    QAccessibleInterface *saveTxt = iface(menuItem("LPlikSaveTxt"));
    QCOMPARE(saveTxt->role(), QAccessible::MenuItem);
    QVERIFY(saveTxt->state().disabled);
    for (QLabel *label : m_shell->menu().findChildren<QLabel *>()) {
        if (m_shell->menu().dropDownOfItem(label) < 0)
            continue;
        QAccessibleInterface *item = iface(label);
        QCOMPARE(item->role(), QAccessible::MenuItem);
        QCOMPARE(name(item), label->text());
        QCOMPARE(item->text(QAccessible::Description), label->toolTip());
    }

    // A title's press opens its drop-down; an item's press runs it.
    press(title("LMenuTabele"));
    QCOMPARE(m_shell->menu().shownDropDown(), int(TFMenu::MenuTabele));
    QCOMPARE(name(iface(&m_shell->menu())), u"Tabele"_s);
    // The open drop-down is the main window's last child, where a reader looks.
    QAccessibleInterface *main = iface(&m_shell->glowny());
    QCOMPARE(main->child(main->childCount() - 1), iface(&m_shell->menu()));
    QCOMPARE(iface(&m_shell->menu())->parent(), main);
    QCOMPARE(main->indexOfChild(iface(&m_shell->menu())), main->childCount() - 1);
    loadSampleClass();
    QVERIFY(!saveTxt->state().disabled);
    press(menuItem("LAnalizaCzas"));
    QCOMPARE(m_shell->session().analysis.tableMode, int(TableWorkingTime));
    QVERIFY(!m_shell->menu().isVisible());
}

void TestAccessibility::keyboardWalksTheMenu()
{
    TFMenu &menu = m_shell->menu();
    TFGlowny &window = m_shell->glowny();
    // F10 opens "Plik" on its first item; before a load Down goes to the
    // other load, then skips the separator and the grey items to "Zamknij"
    // and the load of several tests below it.
    QTest::keyClick(&window, Qt::Key_F10);
    QCOMPARE(menu.shownDropDown(), int(TFMenu::MenuPlik));
    QCOMPARE(menu.keyboardItem(), menuItem("LPlikOpen"));
    QCOMPARE(menuItem("LPlikOpen")->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    QTest::keyClick(&menu, Qt::Key_Down);
    QCOMPARE(menu.keyboardItem(), menuItem("LPlikOpenKlasy"));
    QTest::keyClick(&menu, Qt::Key_Down);
    QCOMPARE(menu.keyboardItem(), menuItem("LZamknij"));
    QTest::keyClick(&menu, Qt::Key_Down);
    QCOMPARE(menu.keyboardItem(), menuItem("LPlikOpenTesty"));
    QTest::keyClick(&menu, Qt::Key_Down);
    QCOMPARE(menu.keyboardItem(), menuItem("LPlikOpen"));
    QTest::keyClick(&menu, Qt::Key_Up);
    QCOMPARE(menu.keyboardItem(), menuItem("LPlikOpenTesty"));
    // Right walks the titles; Edycja has nothing live before a load.
    QTest::keyClick(&menu, Qt::Key_Right);
    QCOMPARE(menu.shownDropDown(), int(TFMenu::MenuEdycja));
    QCOMPARE(menu.keyboardItem(), nullptr);
    QTest::keyClick(&menu, Qt::Key_Left);
    QTest::keyClick(&menu, Qt::Key_Left);
    QCOMPARE(menu.shownDropDown(), int(TFMenu::MenuAbout));
    QCOMPARE(menu.keyboardItem(), menuItem("LAboutWinietka"));
    QTest::keyClick(&menu, Qt::Key_Right);
    QCOMPARE(menu.shownDropDown(), int(TFMenu::MenuPlik));
    QTest::keyClick(&menu, Qt::Key_Escape);
    QVERIFY(!menu.isVisible());
    QCOMPARE(menuItem("LPlikOpen")->palette().color(QPalette::WindowText), QColor(255, 255, 255));

    // Alt alone opens it too; after a load Enter runs the item on the cursor.
    loadSampleClass();
    QTest::keyPress(&window, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(&window, Qt::Key_Alt, Qt::NoModifier);
    QCOMPARE(menu.shownDropDown(), int(TFMenu::MenuPlik));
    QTest::keyClick(&menu, Qt::Key_Right);
    QTest::keyClick(&menu, Qt::Key_Right);
    QCOMPARE(menu.keyboardItem(), menuItem("LAnalizaPunktacja"));
    QTest::keyClick(&menu, Qt::Key_Down);
    QTest::keyClick(&menu, Qt::Key_Down);
    QCOMPARE(menu.keyboardItem(), menuItem("LAnalizaOceny"));
    QTest::keyClick(&menu, Qt::Key_Return);
    QVERIFY(!menu.isVisible());
    QCOMPARE(m_shell->session().analysis.tableMode, int(TableGradeCount));
    // Alt with another key is a shortcut, not the menu.
    QTest::keyPress(&window, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyClick(&window, Qt::Key_X, Qt::AltModifier);
    QTest::keyRelease(&window, Qt::Key_Alt, Qt::NoModifier);
    QVERIFY(!menu.isVisible());
}

void TestAccessibility::gridIsATable_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("results") << int(TableResults);
    QTest::newRow("working time") << int(TableWorkingTime);
    QTest::newRow("grade count") << int(TableGradeCount);
    QTest::newRow("item analysis") << int(TableItemAnalysis);
}

void TestAccessibility::gridIsATable()
{
    QFETCH(int, kind);
    loadSampleClass();
    m_shell->glowny().PokazTabele(TableKind(kind));
    const GridModel &model = grid()->model();
    QAccessibleInterface *table = iface(grid());
    QCOMPARE(table->role(), QAccessible::Table);
    QAccessibleTableInterface *t = table->tableInterface();
    QVERIFY(t);
    QVERIFY(!name(table).isEmpty());

    const auto checkPage = [&] {
        QVERIFY(t->rowCount() > 0);
        QVERIFY(t->columnCount() > 0);
        QCOMPARE(table->childCount(), (t->rowCount() + 1) * t->columnCount());
        for (int c = 0; c < t->columnCount(); ++c) {
            const int column = grid()->shownColumn(c);
            QCOMPARE(t->columnDescription(c), model.text(column, 0));
            QAccessibleInterface *header = table->child(c);
            QCOMPARE(header->role(), QAccessible::ColumnHeader);
            QCOMPARE(name(header), model.text(column, 0));
            for (int r = 0; r < t->rowCount(); ++r) {
                QAccessibleInterface *cell = t->cellAt(r, c);
                QCOMPARE(cell->role(), QAccessible::Cell);
                QCOMPARE(name(cell), model.text(column, model.topRow() + r));
                QCOMPARE(table->indexOfChild(cell), (r + 1) * t->columnCount() + c);
                QCOMPARE(cell->tableCellInterface()->columnHeaderCells().value(0), header);
                // Each value names its row: the student, question, skill or grade.
                const auto rowHeaders = cell->tableCellInterface()->rowHeaderCells();
                if (c == 0)
                    QVERIFY(rowHeaders.isEmpty());
                else
                    QCOMPARE(rowHeaders.value(0), t->cellAt(r, 0));
            }
        }
        // Every row on display is wholly inside the panel that clips the grid.
        const QRect last =
                grid()->cellRect(grid()->shownColumn(0), grid()->shownRow(t->rowCount() - 1));
        QVERIFY(grid()->mapTo(grid()->parentWidget(), last.bottomLeft()).y()
                < grid()->parentWidget()->height());
    };
    checkPage();
    if (kind == TableResults) {
        QCOMPARE(name(t->cellAt(0, 0)),
                m_shell->session().analysis.students.front().Nazwisko + u" "_s
                        + m_shell->session().analysis.students.front().Imie);
        const QString firstOnPage = name(t->cellAt(0, 0));
        m_shell->glowny().PTabela()->pageStep(TablePanel::PageStep::Down);
        checkPage();
        QVERIFY(name(t->cellAt(0, 0)) != firstOnPage);
    }
}

void TestAccessibility::gridCellCursor()
{
    loadSampleClass();
    TablePanel *panel = m_shell->glowny().PTabela();
    GridView *view = grid();
    QAccessibleTableInterface *t = iface(view)->tableInterface();
    const int rows = t->rowCount();

    // Clicked, the grid keeps its look and the arrows page as before.
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(5, 20));
    QVERIFY(view->hasFocus());
    QVERIFY(!view->cursorShown());
    const QImage plain = view->grab().toImage();
    QTest::keyClick(view, Qt::Key_Down);
    QVERIFY(view->model().topRow() > 1);
    panel->pageStep(TablePanel::PageStep::First);
    QCOMPARE(view->grab().toImage(), plain);

    // Reached with Tab, the arrows move a framed cell cursor.
    m_shell->glowny().focusHolder()->setFocus();
    QTest::keyClick(m_shell->glowny().focusHolder(), Qt::Key_Tab);
    QVERIFY(view->hasFocus());
    QVERIFY(view->cursorShown());
    QVERIFY(view->grab().toImage() != plain);
    // Tab goes on to no hidden control.
    QTest::keyClick(view, Qt::Key_Tab);
    QVERIFY(view->hasFocus());
    QCOMPARE(iface(view)->focusChild(), t->cellAt(0, 0));
    QTest::keyClick(view, Qt::Key_Right);
    QTest::keyClick(view, Qt::Key_Down);
    QCOMPARE(view->cursor(), QPoint(1, 1));
    QCOMPARE(iface(view)->focusChild(), t->cellAt(1, 1));
    QVERIFY(iface(view)->focusChild()->state().focused);
    QCOMPARE(view->model().topRow(), 1);
    // Leaving the last row on display pages down onto the next row.
    for (int i = 1; i < rows; ++i)
        QTest::keyClick(view, Qt::Key_Down);
    QVERIFY(view->model().topRow() > 1);
    QCOMPARE(view->shownRow(view->cursor().y()), rows + 1);
    QCOMPARE(name(iface(view)->focusChild()), view->model().text(1, rows + 1));
    // Leaving the last column turns to the second page of questions.
    const QString header = view->model().text(1, 0);
    for (int i = 0; i < t->columnCount(); ++i)
        QTest::keyClick(view, Qt::Key_Right);
    QVERIFY(view->model().text(1, 0) != header);
    QCOMPARE(view->cursor().x(), 1);
}

void TestAccessibility::chartSpeaks()
{
    loadSampleClass();
    m_shell->glowny().PokazTabele(TableGradeCount);
    m_shell->hooks().Wykres(ChartKindBar);
    auto *widget = m_shell->wykres().findChild<chart::ChartWidget *>();
    QVERIFY(widget);
    QAccessibleInterface *chart = iface(widget);
    QCOMPARE(chart->role(), QAccessible::Chart);
    QCOMPARE(name(chart), widget->chart().header.lines.join(u' ').simplified());
    QVERIFY(!name(chart).isEmpty());
    const chart::BarSeries &bar = widget->chart().bar;
    QVERIFY(chart->text(QAccessible::Description)
                    .startsWith(u"Wykres słupkowy: %1 punkt"_s.arg(bar.count())));
    QAccessibleTableInterface *t = chart->tableInterface();
    QVERIFY(t);
    QCOMPARE(t->rowCount(), int(bar.count()));
    QCOMPARE(t->columnCount(), 2);
    for (int r = 0; r < t->rowCount(); ++r) {
        QCOMPARE(name(t->cellAt(r, 0)), bar.points[r].label);
        QCOMPARE(name(t->cellAt(r, 1)), QLocale().toString(bar.points[r].value, 'g', 15));
        QCOMPARE(t->cellAt(r, 1)->tableCellInterface()->rowHeaderCells().value(0), t->cellAt(r, 0));
    }
    // The chart window's drawn menu names itself and can be pressed.
    QAccessibleInterface *format =
            iface(m_shell->wykres().findChild<QLabel *>(u"LWykresMenuFormat"_s));
    QCOMPARE(format->role(), QAccessible::Button);
    QVERIFY(!name(format).isEmpty());
    QVERIFY(format->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
    m_shell->hooks().Wykres(ChartKindPie);
    QVERIFY(chart->text(QAccessible::Description).startsWith(u"Wykres kołowy"_s));
    m_shell->wykres().close();
}

void TestAccessibility::controlsAreNamed()
{
    // Every control a user reaches in the dialogs says what it is.
    const auto checkNamed = [](QWidget *root) {
        const QList<QWidget *> widgets = root->findChildren<QWidget *>();
        int checked = 0;
        for (QWidget *widget : widgets) {
            const bool control = qobject_cast<SpinEdit *>(widget)
                    || qobject_cast<QComboBox *>(widget) || qobject_cast<QAbstractSlider *>(widget)
                    || qobject_cast<QAbstractButton *>(widget) || qobject_cast<QTextEdit *>(widget)
                    || (qobject_cast<QLineEdit *>(widget) && widget->focusPolicy() != Qt::NoFocus);
            // Qt's own parts of a control are named by the control.
            if (!control || widget->parentWidget()->objectName().startsWith(u"qt_"_s)
                    || qobject_cast<QComboBox *>(widget->parentWidget()))
                continue;
            QAccessibleInterface *i = iface(widget);
            // The keyboard reaches every slider.
            if (qobject_cast<QAbstractSlider *>(widget))
                QVERIFY(widget->focusPolicy() & Qt::TabFocus);
            QVERIFY2(!name(i).isEmpty(),
                    qPrintable(widget->objectName() + u' '
                            + QLatin1String(widget->metaObject()->className()) + u' '
                            + widget->parentWidget()->objectName()));
            ++checked;
        }
        QVERIFY(checked > 0);
    };
    checkNamed(&m_shell->ustawWykres());
    checkNamed(&m_shell->monit());

    loadSampleClass();
    TFProgi progi(*m_shell);
    checkNamed(&progi);
    QCOMPARE(name(iface(&progi)), u"Progi ocen"_s);
    QCOMPARE(name(iface(&m_shell->ustawWykres())), u"Formatuj"_s);
    auto *field = progi.findChildren<SpinEdit *>().value(0);
    QVERIFY(field);
    QAccessibleInterface *spin = iface(field);
    QCOMPARE(spin->role(), QAccessible::SpinBox);
    QVERIFY(spin->valueInterface());
    QCOMPARE(spin->valueInterface()->currentValue().toInt(), field->value().value());
    QCOMPARE(name(iface(field->lineEdit())), name(spin));
    QAccessibleInterface *close = iface(progi.findChild<QLabel *>(u"LCloseProgi"_s));
    QCOMPARE(close->role(), QAccessible::Button);
    QCOMPARE(name(close), u"Zamknij bez zmian"_s);
}

void TestAccessibility::focusNeverDrops()
{
    TFGlowny &main = m_shell->glowny();
    // At start the window holds the focus, not the hidden filler.
    QVERIFY(QApplication::focusWidget() != main.focusHolder());
    QCOMPARE(QApplication::focusWidget(), &main);
    loadSampleClass();
    GridView *view = grid();
    view->setFocus(Qt::TabFocusReason);
    QVERIFY(view->hasFocus());

    // Every table switch leaves the focus on the table.
    for (TableKind kind :
            {TableSkills, TableResults, TableItemAnalysis, TableSkills, TableWorkingTime}) {
        main.PokazTabele(kind);
        QVERIFY2(grid()->hasFocus(), qPrintable(QString::number(int(kind))));
    }
    // The menu closed by Escape gives the focus back to the table.
    typeKey(Qt::Key_F10);
    QVERIFY(m_shell->menu().isVisible());
    typeKey(Qt::Key_Escape);
    QVERIFY(!m_shell->menu().isVisible());
    QTRY_COMPARE(QApplication::activeWindow(), &main);
    QVERIFY(grid()->hasFocus());
    // So does a closed prompt.
    {
        test::ModalAnswerer answerer([](QWidget *modal) {
            QTRY_COMPARE(QApplication::activeWindow(), modal);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QVERIFY(!modal->isVisible());
        });
        m_shell->monit().Monit(TFMonit::ModeMessage, u"Uwaga"_s);
    }
    QTRY_COMPARE(QApplication::activeWindow(), &main);
    QVERIFY(grid()->hasFocus());
    QVERIFY(!main.focusHolder()->hasFocus());
}

void TestAccessibility::radioGroupIsEnteredOnItsChoice()
{
    QWidget window;
    auto *before = new QLineEdit(&window);
    auto *group = new RadioGroup(u"Wyrównanie"_s, {u"A"_s, u"B"_s, u"C"_s}, &window);
    auto *after = new QLineEdit(&window);
    group->move(0, 30);
    after->move(0, 120);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    for (int choice : {2, 0, 1, -1}) {
        group->setItemIndex(choice);
        before->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(before, Qt::Key_Tab);
        // On the checked button, the first when none is; the next Tab leaves.
        QCOMPARE(QApplication::focusWidget(), group->button(qMax(choice, 0)));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), after);
    }
    // The arrows choose within the group, and Tab comes back to the choice.
    group->setItemIndex(0);
    group->button(0)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(group->button(0), Qt::Key_Down);
    QCOMPARE(group->itemIndex(), 1);
    before->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(before, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), group->button(1));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
