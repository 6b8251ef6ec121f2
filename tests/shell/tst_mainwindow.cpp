#include "charts/window/tfwykres.h"
#include "platform/help.h"
#include "scriptedplatform.h"
#include "shell/shell.h"
#include "shell/tfglowny.h"
#include "shell/tfmenu.h"
#include "tables/view/tablepanel.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpontaneKeyEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace zavevad;
using namespace Qt::StringLiterals;

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void centredOrigin_data();
    void centredOrigin();
    void placedOverWorkAreaWithPanelCentred();
    void labels_data();
    void labels();
    void tablePanelHiddenAndFocusOutOfSight();
    void showTimeSetUp();
    void restoredWindowKeepsLoadedState();
    void minimizeTakesTheChartWindowAlong();
    void terminatingEndsTheMessageLoop_data();
    void terminatingEndsTheMessageLoop();
    void f1OpensHelpBeforeAnyLoad();
    void otherKeysDoNothing();

private:
    QTemporaryDir m_startDir;
    QString m_previousDir;
    std::unique_ptr<test::ScriptedPlatform> m_platform;
    std::unique_ptr<Shell> m_shell;
};

void TestMainWindow::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    QVERIFY(m_startDir.isValid());
    m_previousDir = QDir::currentPath();
}

void TestMainWindow::init()
{
    QVERIFY(QDir::setCurrent(m_startDir.path()));
    m_platform = std::make_unique<test::ScriptedPlatform>();
    m_shell = std::make_unique<Shell>(m_platform.get());
}

void TestMainWindow::cleanup()
{
    m_shell.reset();
    m_platform.reset();
    QFile::remove(m_startDir.filePath(u"Progi.txt"_s));
    QDir::setCurrent(m_previousDir);
}

void TestMainWindow::centredOrigin_data()
{
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QPoint>("origin");
    QTest::newRow("1024x728") << QSize(1024, 728) << QPoint(137, 84);
    QTest::newRow("design size, half to even up") << QSize(785, 556) << QPoint(18, -2);
    QTest::newRow("half to even down") << QSize(751, 561) << QPoint(0, 0);
    QTest::newRow("one and a half") << QSize(753, 563) << QPoint(2, 2);
    QTest::newRow("smaller than the panel") << QSize(640, 480) << QPoint(-55, -40);
    QTest::newRow("minus a half") << QSize(749, 559) << QPoint(0, 0);
}

void TestMainWindow::centredOrigin()
{
    QFETCH(QSize, window);
    QFETCH(QPoint, origin);
    QCOMPARE(TFGlowny::centredOrigin(window, TFGlowny::kPTloSize), origin);
}

void TestMainWindow::placedOverWorkAreaWithPanelCentred()
{
    m_shell->start();
    TFGlowny &main = m_shell->glowny();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    const QRect workArea = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(main.geometry(), workArea);
    QCOMPARE(main.PTlo()->size(), QSize(750, 560));
    QCOMPARE(main.PTlo()->pos(), TFGlowny::centredOrigin(workArea.size(), QSize(750, 560)));
    QVERIFY(main.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(main.palette().color(QPalette::Window), QColor(Qt::black));
    QCOMPARE(main.windowTitle(), u"Kalmo - Zavevad"_s);
}

void TestMainWindow::labels_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QColor>("color"); // invalid: not checked
    QTest::addColumn<int>("cursor");

    const int hand = Qt::PointingHandCursor;
    const QColor white(255, 255, 255);
    QTest::newRow("LMTop") << u"LMTop"_s << QPoint(8, 2) << QString() << QString() << QColor()
                           << hand;
    QTest::newRow("LMinimize") << u"LMinimize"_s << QPoint(702, 3) << QString() << u"Minimalizuj"_s
                               << QColor() << hand;
    QTest::newRow("LClose") << u"LClose"_s << QPoint(722, 4) << QString() << u"Zamknij"_s
                            << QColor() << hand;
    QTest::newRow("LTopKomentarz") << u"LTopKomentarz"_s << QPoint(40, 3)
                                   << u"Kalmo - Zavevad - Program do analizy wyników testu wyboru"_s
                                   << QString() << QColor() << int(Qt::ArrowCursor);
    QTest::newRow("Plik") << u"LMenuPlik"_s << QPoint(20, 27) << u"Plik"_s << QString() << white
                          << hand;
    QTest::newRow("Edycja") << u"LMenuEdycja"_s << QPoint(67, 27) << u"Edycja"_s << QString()
                            << white << hand;
    QTest::newRow("Tabele") << u"LMenuTabele"_s << QPoint(120, 27) << u"Tabele"_s << QString()
                            << white << hand;
    QTest::newRow("Wykresy") << u"LMenuWykresy"_s << QPoint(175, 27) << u"Wykresy"_s << QString()
                             << white << hand;
    QTest::newRow("O programie") << u"LMenuAbout"_s << QPoint(237, 27) << u"O programie"_s
                                 << QString() << white << hand;
}

void TestMainWindow::labels()
{
    QFETCH(QString, name);
    QFETCH(QPoint, pos);
    QFETCH(QString, caption);
    QFETCH(QString, hint);
    QFETCH(QColor, color);
    QFETCH(int, cursor);

    auto *label = m_shell->glowny().findChild<QLabel *>(name);
    QVERIFY(label);
    QCOMPARE(label->parentWidget(), m_shell->glowny().PTlo());
    QCOMPARE(label->pos(), pos);
    QCOMPARE(label->text(), caption);
    QCOMPARE(label->toolTip(), hint);
    QCOMPARE(int(label->cursor().shape()), cursor);
    if (color.isValid())
        QCOMPARE(label->palette().color(QPalette::WindowText), color);
    if (caption.isEmpty())
        QCOMPARE(label->size(), QSize(14, 14));
    if (name == u"LTopKomentarz"_s)
        QCOMPARE(label->width(), 481);
}

void TestMainWindow::tablePanelHiddenAndFocusOutOfSight()
{
    m_shell->start();
    TFGlowny &main = m_shell->glowny();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    TablePanel *table = main.PTabela();
    QVERIFY(table);
    QCOMPARE(table->objectName(), u"PTabela"_s);
    QCOMPARE(table->pos(), QPoint(36, 192));
    QCOMPARE(table->size(), QSize(637, 340));
    QCOMPARE(table->palette().color(QPalette::Window), QColor(144, 144, 144));
    QVERIFY(table->isHidden());

    auto *focus = main.findChild<QPushButton *>(u"ZZBFocus"_s);
    QVERIFY(focus);
    QCOMPARE(focus->text(), u"ZZBFocus"_s);
    QCOMPARE(focus->pos(), QPoint(1500, 184));
    // Outside the artwork panel, so never visible on screen.
    QVERIFY(!main.PTlo()->rect().intersects(focus->geometry()));
}

void TestMainWindow::showTimeSetUp()
{
    QFile thresholds(m_startDir.filePath(u"Progi.txt"_s));
    QVERIFY(thresholds.open(QIODevice::WriteOnly));
    thresholds.write("Dp=40\r\nDst=55\r\nDb=70\r\nBdb=80\r\ncel=90\r\n");
    thresholds.close();

    Session &session = m_shell->session();
    session.analysis.dataLoaded = true;
    session.analysis.tableMode = TableGradeCount;
    session.analysis.students.resize(3);
    session.gridState.tableKind = TableWorkingTime;
    session.gridState.firstQuestionPage = false;
    session.gridState.plainRowColour = 0;

    m_shell->start();
    QCOMPARE(session.analysis.startDirectory, QDir::currentPath());
    QCOMPARE(session.analysis.thresholds, (Thresholds{90, 80, 70, 55, 40}));
    QVERIFY(!session.analysis.dataLoaded);
    QVERIFY(session.analysis.students.empty());
    QCOMPARE(session.gridState.tableKind, TableNone);
    QVERIFY(session.gridState.firstQuestionPage);
    QCOMPARE(session.gridState.plainRowColour, packedRgb(227, 225, 221));
    QCOMPARE(session.gridState.fifthRowColour, packedRgb(232, 244, 223));
    // The current table mode is left alone: it is 0 only from program start.
    QCOMPARE(session.analysis.tableMode, TableGradeCount);
}

void TestMainWindow::restoredWindowKeepsLoadedState()
{
    m_shell->start();
    TFGlowny &main = m_shell->glowny();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    Session &session = m_shell->session();
    session.analysis.dataLoaded = true;
    session.analysis.students.resize(2);

    // The window system showing the window again (a restore) is no new start.
    QShowEvent restore;
    QSpontaneKeyEvent::setSpontaneous(&restore);
    qApp->notify(&main, &restore);
    QVERIFY(session.analysis.dataLoaded);
    QCOMPARE(session.analysis.students.size(), 2u);
}

void TestMainWindow::minimizeTakesTheChartWindowAlong()
{
    m_shell->start();
    TFGlowny &main = m_shell->glowny();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    TFWykres &wykres = m_shell->wykres();
    wykres.show();
    QVERIFY(QTest::qWaitForWindowExposed(&wykres));

    // The whole application goes: the chart window stays on top of everything
    // and must not stay behind on the desktop.
    main.LMinimizeClick();
    QTRY_VERIFY(main.isMinimized());
    QVERIFY(!wykres.isVisible());

    main.showNormal();
    QTRY_VERIFY(wykres.isVisible());

    // A window that was closed before does not come back with the restore.
    wykres.hide();
    main.LMinimizeClick();
    QTRY_VERIFY(main.isMinimized());
    main.showNormal();
    QTest::qWait(20);
    QVERIFY(!wykres.isVisible());
}

void TestMainWindow::terminatingEndsTheMessageLoop_data()
{
    QTest::addColumn<QString>("menuLabel"); // empty: the control is on the main window
    QTest::addColumn<QString>("control"); // empty: the window system closes the main window
    QTest::newRow("LClose") << QString() << u"LClose"_s;
    QTest::newRow("LZamknij") << u"LMenuPlik"_s << u"LZamknij"_s;
    QTest::newRow("LM1Close") << u"LMTop"_s << u"LM1Close"_s;
    QTest::newRow("main window closed") << QString() << QString();
}

void TestMainWindow::terminatingEndsTheMessageLoop()
{
    QFETCH(QString, menuLabel);
    QFETCH(QString, control);
    m_shell->start();
    TFGlowny &main = m_shell->glowny();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    // With the chart window still open, so that no "last window closed" ends the loop instead.
    m_shell->wykres().show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_shell->wykres()));

    QTimer::singleShot(0, &main, [this, &main, menuLabel, control] {
        if (!menuLabel.isEmpty())
            QTest::mouseClick(main.findChild<QLabel *>(menuLabel), Qt::LeftButton);
        if (control.isEmpty())
            main.close();
        else if (auto *label = main.findChild<QLabel *>(control))
            QTest::mouseClick(label, Qt::LeftButton);
        else
            QTest::mouseClick(m_shell->menu().findChild<QLabel *>(control), Qt::LeftButton);
    });
    QTimer giveUp;
    giveUp.setSingleShot(true);
    connect(&giveUp, &QTimer::timeout, this, [] { QCoreApplication::exit(1); });
    giveUp.start(3000);
    QCOMPARE(QApplication::exec(), 0);
}

void TestMainWindow::f1OpensHelpBeforeAnyLoad()
{
    m_shell->start();
    TFGlowny &main = m_shell->glowny();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QVERIFY(!m_shell->session().analysis.dataLoaded);
    // With the help file in the start directory it is the help file that opens.
    QFile chm(m_startDir.filePath(u"Kalmo_Analiza.chm"_s));
    QVERIFY(chm.open(QIODevice::WriteOnly));
    chm.close();

    QTest::keyClick(&main, Qt::Key_F1);
    QCOMPARE(m_platform->openedDocuments,
            QStringList{QDir(m_startDir.path()).filePath(u"Kalmo_Analiza.chm"_s)});

    // Also with the focus on the hidden button, where keys land first.
    auto *focus = main.findChild<QPushButton *>(u"ZZBFocus"_s);
    QTest::keyClick(focus, Qt::Key_F1);
    QCOMPARE(m_platform->openedDocuments.size(), 2);
    // And with the focus on the grid, which a click on it gives.
    QWidget *grid = main.PTabela()->findChild<QWidget *>(u"Tabela"_s);
    QVERIFY(grid);
    QTest::keyClick(grid, Qt::Key_F1);
    QCOMPARE(m_platform->openedDocuments.size(), 3);
    QCOMPARE(helpFilePath(u"/szkola/klasa"_s), u"/szkola/klasa/Kalmo_Analiza.chm"_s);
}

void TestMainWindow::otherKeysDoNothing()
{
    m_shell->start();
    QVERIFY(QTest::qWaitForWindowExposed(&m_shell->glowny()));
    QTest::keyClick(&m_shell->glowny(), Qt::Key_F2);
    QTest::keyClick(&m_shell->glowny(), Qt::Key_Escape);
    QVERIFY(m_platform->openedDocuments.isEmpty());
    QVERIFY(m_shell->glowny().isVisible());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
