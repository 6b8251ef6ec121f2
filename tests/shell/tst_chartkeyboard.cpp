// The chart window and its appearance dialog by keys alone, as a keyboard
// user and a screen reader reach them, read through Qt's accessibility
// interfaces.
#include "appearance/dialog/tfustawwykres.h"
#include "charts/window/chartmenutable.h"
#include "charts/window/chartwidget.h"
#include "charts/window/tfwykres.h"
#include "modalhelper.h"
#include "results/resultpaths.h"
#include "scriptedplatform.h"
#include "shell/shell.h"
#include "shell/tfglowny.h"
#include "testsupport.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

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

void press(QObject *object)
{
    QAccessibleInterface *i = iface(object);
    QVERIFY(i && i->actionInterface());
    i->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

} // namespace

class TestChartKeyboard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void chartWindowByKeys();
    void chartMenuRowsAreItems();
    void appearanceDialogByKeys();

private:
    void loadSampleClass();

    QTemporaryDir m_startDir;
    QString m_previousDir;
    std::unique_ptr<test::ScriptedPlatform> m_platform;
    std::unique_ptr<Shell> m_shell;
};

void TestChartKeyboard::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    QVERIFY(m_startDir.isValid());
    m_previousDir = QDir::currentPath();
}

void TestChartKeyboard::init()
{
    QVERIFY(QDir::setCurrent(m_startDir.path()));
    m_platform = std::make_unique<test::ScriptedPlatform>();
    m_shell = std::make_unique<Shell>(m_platform.get());
    m_shell->start();
    QVERIFY(QTest::qWaitForWindowExposed(&m_shell->glowny()));
}

void TestChartKeyboard::cleanup()
{
    m_shell.reset();
    m_platform.reset();
    QDir::setCurrent(m_previousDir);
}

void TestChartKeyboard::loadSampleClass()
{
    test::ModalAnswerer answerer([](QWidget *modal) { modal->close(); });
    m_shell->glowny().loadFiles(expandResultPaths({test::examplesPath()}));
    QVERIFY(m_shell->session().analysis.dataLoaded);
    m_shell->glowny().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_shell->glowny()));
}

namespace {

/// Presses `key` where the keyboard is now, as a person would.
void typeKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget *target = QApplication::focusWidget();
    QVERIFY2(target, "nothing has the keyboard focus");
    QTest::keyClick(target, key, modifiers);
}

} // namespace

void TestChartKeyboard::chartWindowByKeys()
{
    loadSampleClass();
    m_shell->glowny().PokazTabele(TableGradeCount);
    m_shell->hooks().Wykres(ChartKindBar);
    TFWykres &window = m_shell->wykres();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *chartWidget = window.findChild<chart::ChartWidget *>();
    // Opened, the chart has the focus: a reader names it at once.
    QCOMPARE(QApplication::focusWidget(), chartWidget);
    QVERIFY(iface(chartWidget)->state().focused);
    const auto label = [&](const char *objectName) {
        return window.findChild<QWidget *>(QLatin1String(objectName));
    };

    // F10 opens "Plik" on its first item, which takes the focus and says its name.
    typeKey(Qt::Key_F10);
    QVERIFY(window.isChartMenuOpen());
    QCOMPARE(window.chartMenu(), TFWykres::ChartMenu::File);
    QCOMPARE(window.keyboardItem(), label("LZapiszFormat"));
    QCOMPARE(QApplication::focusWidget(), label("LZapiszFormat"));
    QAccessibleInterface *first = iface(label("LZapiszFormat"));
    QCOMPARE(first->role(), QAccessible::MenuItem);
    QCOMPARE(name(first), u"Zapisz jako wzór..."_s);
    QVERIFY(first->state().focused);
    QAccessibleInterface *panel = iface(label("PWykresMenu"));
    QCOMPARE(panel->role(), QAccessible::PopupMenu);
    QCOMPARE(name(panel), u"Plik"_s);
    // The drop-down lies over the chart: it is the chart's last child.
    QAccessibleInterface *chart = iface(chartWidget);
    QCOMPARE(chart->child(chart->childCount() - 1), panel);
    QCOMPARE(chart->indexOfChild(panel), chart->childCount() - 1);
    QCOMPARE(panel->parent(), chart);
    // Down walks the five items round; Up goes back.
    const char *fileItems[] = {
            "LWczytajFormat", "LZapiszObraz", "LDrukujWykres", "LZamknijWykres", "LZapiszFormat"};
    for (const char *item : fileItems) {
        typeKey(Qt::Key_Down);
        QCOMPARE(window.keyboardItem(), label(item));
    }
    typeKey(Qt::Key_Up);
    QCOMPARE(window.keyboardItem(), label("LZamknijWykres"));

    // Right: "Edycja", whose first item copies the chart as a picture.
    typeKey(Qt::Key_Right);
    QCOMPARE(window.chartMenu(), TFWykres::ChartMenu::Edit);
    QCOMPARE(name(panel), u"Edycja"_s);
    QCOMPARE(name(iface(window.keyboardItem())), u"Kopiuj jako BMP"_s);
    typeKey(Qt::Key_Down);
    typeKey(Qt::Key_Down);
    QCOMPARE(name(iface(window.keyboardItem())), u"Kopiuj jako BMP"_s);
    const int writes = m_platform->clipboardWrites;
    typeKey(Qt::Key_Return);
    QCOMPARE(m_platform->clipboardWrites, writes + 1);
    QVERIFY(m_platform->clipboard()->hasImage());
    // The command done, the menu goes and the chart has the focus again.
    QVERIFY(!window.isChartMenuOpen());
    QCOMPARE(window.keyboardItem(), nullptr);
    QCOMPARE(QApplication::focusWidget(), chartWidget);

    // Alt alone opens the menu too, and closes it; Escape closes the menu.
    QTest::keyPress(chartWidget, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(chartWidget, Qt::Key_Alt, Qt::NoModifier);
    QCOMPARE(window.chartMenu(), TFWykres::ChartMenu::File);
    QVERIFY(window.isChartMenuOpen());
    typeKey(Qt::Key_Escape);
    QVERIFY(!window.isChartMenuOpen());
    QVERIFY(window.isVisible());
    QCOMPARE(QApplication::focusWidget(), chartWidget);

    // The items' keys work from the chart: the picture's save dialog says
    // what it saves, and the print goes through the preview.
    typeKey(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_platform->calls.last().kind, test::ScriptedPlatform::DialogCall::Save);
    QCOMPARE(m_platform->calls.last().title, u"Zapisz obraz wykresu"_s);
    const int metafiles = m_platform->clipboardWrites;
    typeKey(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(m_platform->clipboardWrites, metafiles + 1);
    QVERIFY(m_platform->clipboard()->hasFormat(u"image/svg+xml"_s));

    // Escape with no menu closes the window; the main window has the keyboard.
    typeKey(Qt::Key_Escape);
    QVERIFY(!window.isVisible());
    QTRY_COMPARE(QApplication::activeWindow(), &m_shell->glowny());
}

void TestChartKeyboard::chartMenuRowsAreItems()
{
    // Every row of the chart window's command table shows as an item of its
    // menu, with its caption, and a press on it runs it.
    loadSampleClass();
    m_shell->glowny().PokazTabele(TableGradeCount);
    m_shell->hooks().Wykres(ChartKindBar);
    TFWykres &window = m_shell->wykres();
    for (const ChartMenuEntry &entry : chartMenuEntries()) {
        window.ShowChartMenu(entry.menu);
        auto *item = window.findChild<QLabel *>(QLatin1String(entry.label));
        QVERIFY(item);
        QVERIFY(item->isVisible());
        QVERIFY(window.isShownItem(item));
        QCOMPARE(item->text(), QString::fromUtf8(entry.caption));
        QCOMPARE(name(iface(item)), QString::fromUtf8(entry.caption));
        QCOMPARE(iface(item)->role(), QAccessible::MenuItem);
    }
    // Hidden items of the other menu are no items.
    window.ShowChartMenu(TFWykres::ChartMenu::Edit);
    QVERIFY(!window.isShownItem(window.findChild<QLabel *>(u"LZamknijWykres"_s)));
    const int calls = int(m_platform->calls.size());
    window.ShowChartMenu(TFWykres::ChartMenu::File);
    press(window.findChild<QLabel *>(u"LZapiszObraz"_s));
    QCOMPARE(m_platform->calls.size(), calls + 1);
    QCOMPARE(m_platform->calls.last().title, u"Zapisz obraz wykresu"_s);
    window.close();
}

void TestChartKeyboard::appearanceDialogByKeys()
{
    loadSampleClass();
    m_shell->glowny().PokazTabele(TableGradeCount);
    m_shell->hooks().Wykres(ChartKindBar);
    TFWykres &window = m_shell->wykres();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *chartWidget = window.findChild<chart::ChartWidget *>();

    // Right twice from "Plik" is "Formatuj"; Enter opens the named dialog,
    // whose close spot Tab reaches and Enter presses; Escape does nothing.
    typeKey(Qt::Key_F10);
    typeKey(Qt::Key_Right);
    typeKey(Qt::Key_Right);
    QCOMPARE(window.keyboardItem(), window.findChild<QWidget *>(u"LWykresMenuFormat"_s));
    QVERIFY(!window.isChartMenuOpen());
    QString dialogName;
    bool closeReached = false;
    bool escapeStayed = false;
    {
        test::ModalAnswerer answerer([&](QWidget *modal) {
            dialogName = name(iface(modal));
            QTRY_COMPARE(QApplication::activeWindow(), modal);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            escapeStayed = modal->isVisible();
            QWidget *close = modal->findChild<QWidget *>(u"LCloseUstawienia"_s);
            for (int i = 0; i < 60 && QApplication::focusWidget() != close; ++i)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            closeReached = QApplication::focusWidget() == close;
            if (closeReached)
                QTest::keyClick(close, Qt::Key_Return);
        });
        typeKey(Qt::Key_Return);
    }
    QCOMPARE(dialogName, u"Formatuj"_s);
    QVERIFY(escapeStayed);
    QVERIFY(closeReached);
    QVERIFY(!m_shell->ustawWykres().isVisible());
    // Back from the dialog, the chart has the keyboard.
    QCOMPARE(window.keyboardItem(), nullptr);
    QTRY_COMPARE(QApplication::focusWidget(), chartWidget);

    // Ctrl+F opens it too, and Ctrl+W or Alt+F4 close it.
    for (const auto modifiers : {Qt::ControlModifier, Qt::AltModifier}) {
        bool open = false;
        {
            test::ModalAnswerer answerer([&](QWidget *modal) {
                QTRY_COMPARE(QApplication::activeWindow(), modal);
                open = true;
                QTest::keyClick(QApplication::focusWidget(),
                        modifiers == Qt::ControlModifier ? Qt::Key_W : Qt::Key_F4, modifiers);
            });
            typeKey(Qt::Key_F, Qt::ControlModifier);
        }
        QVERIFY(open);
        QVERIFY(!m_shell->ustawWykres().isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), chartWidget);
    }
    window.close();
}

QTEST_MAIN(TestChartKeyboard)
#include "tst_chartkeyboard.moc"
