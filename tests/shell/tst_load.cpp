#include "charts/window/tfwykres.h"
#include "modalhelper.h"
#include "resultfilewriter.h"
#include "scriptedplatform.h"
#include "shell/shell.h"
#include "shell/tfglowny.h"
#include "shell/tfmenu.h"
#include "specialfiles.h"
#include "tables/gridmodel.h"
#include "tables/view/gridview.h"
#include "tables/view/tablepanel.h"
#include "testsupport.h"

#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace zavevad;
using namespace Qt::StringLiterals;

namespace {

struct Student
{
    QString surname;
    QString firstName;
    QString test;
};

} // namespace

class TestLoad : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void openDialogAsked();
    void filesOfOneTest_data();
    void filesOfOneTest();
    void badThirdFileLeavesEverythingAsItWas_data();
    void badThirdFileLeavesEverythingAsItWas();
    void badFileBeforeAnyLoadShowsNoTable();
    void cancelledDialogChangesNothing();
    void namesSortByPolishAlphabet();
    void laterLoadReplacesTheSet();
    void menuCommandsReachExportAndCharts();
    void itemAnalysisOfTheSampleClass();
    void classesOfTheSampleTest();
    void testsOfTheSampleClassOverTheYear();

private:
    QString write(const Student &student, int questions = 10);
    /// Clicks "Plik", then "Wczytaj wyniki testu ...", answering the dialog
    /// with `paths`; the prompt texts shown on the way go to `prompts`.
    void load(const std::optional<QStringList> &paths, QStringList *prompts = nullptr);
    QString caption() const;
    QStringList gridNames() const;

    QTemporaryDir m_dir;
    QString m_previousDir;
    int m_fileCount = 0;
    std::unique_ptr<test::ScriptedPlatform> m_platform;
    std::unique_ptr<Shell> m_shell;
};

void TestLoad::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    QVERIFY(m_dir.isValid());
    m_previousDir = QDir::currentPath();
}

void TestLoad::init()
{
    QVERIFY(QDir::setCurrent(m_dir.path()));
    m_platform = std::make_unique<test::ScriptedPlatform>();
    m_shell = std::make_unique<Shell>(m_platform.get());
    m_shell->start();
    QVERIFY(QTest::qWaitForWindowExposed(&m_shell->glowny()));
}

void TestLoad::cleanup()
{
    m_shell.reset();
    m_platform.reset();
    QDir::setCurrent(m_previousDir);
}

QString TestLoad::write(const Student &student, int questions)
{
    test::ResultFileSpec fileSpec;
    fileSpec.surname = student.surname;
    fileSpec.firstName = student.firstName;
    fileSpec.testName = student.test;
    fileSpec.questionCount = questions;
    return test::writeResultFile(m_dir.path(), u"plik%1.dat"_s.arg(++m_fileCount), fileSpec);
}

void TestLoad::load(const std::optional<QStringList> &paths, QStringList *prompts)
{
    m_platform->openFilesAnswers.push_back(paths);
    std::optional<test::ModalAnswerer> answerer;
    if (prompts) {
        answerer.emplace([prompts](QWidget *modal) {
            prompts->append(modal->findChild<QLabel *>(u"LTesktMonitu"_s)->text());
            auto *close = modal->findChild<QWidget *>(u"BCloseOK"_s);
            QVERIFY(close && close->isVisible());
            QTest::mouseClick(close, Qt::LeftButton);
        });
    }
    QTest::mouseClick(m_shell->glowny().findChild<QLabel *>(u"LMenuPlik"_s), Qt::LeftButton);
    QVERIFY(m_shell->menu().isVisible());
    QTest::mouseClick(m_shell->menu().findChild<QLabel *>(u"LPlikOpen"_s), Qt::LeftButton);
    QVERIFY(!m_shell->menu().isVisible());
}

QString TestLoad::caption() const
{
    return m_shell->glowny().findChild<QLabel *>(u"LTopKomentarz"_s)->text();
}

QStringList TestLoad::gridNames() const
{
    const Session &session = m_shell->session();
    QStringList names;
    for (int row = 1; row <= session.analysis.studentCount; ++row)
        names.append(session.grid.text(0, row));
    return names;
}

void TestLoad::openDialogAsked()
{
    load(std::nullopt);
    QCOMPARE(m_platform->calls.size(), 1);
    const test::ScriptedPlatform::DialogCall &call = m_platform->calls.constFirst();
    QCOMPARE(call.kind, test::ScriptedPlatform::DialogCall::OpenFiles);
    QCOMPARE(call.title, u"Wybierz pliki"_s);
    QCOMPARE(call.filter, u"Pliki wyniku testu (*.dat)|*.dat"_s);
    QCOMPARE(call.directory, QDir::currentPath());
}

void TestLoad::filesOfOneTest_data()
{
    QTest::addColumn<QStringList>("tests");
    QTest::addColumn<QString>("accepted");
    QTest::addColumn<int>("loaded");
    QTest::addColumn<bool>("warned");
    QTest::newRow("one file") << QStringList{u"A"_s} << u"A"_s << 1 << false;
    QTest::newRow("A B A") << QStringList{u"A"_s, u"B"_s, u"A"_s} << u"A"_s << 2 << true;
    QTest::newRow("B A A") << QStringList{u"B"_s, u"A"_s, u"A"_s} << u"B"_s << 1 << true;
    QTest::newRow("letter case counts")
            << QStringList{u"Test"_s, u"test"_s} << u"Test"_s << 1 << true;
    QTest::newRow("same test") << QStringList{u"Ułamki"_s, u"Ułamki"_s, u"Ułamki"_s} << u"Ułamki"_s
                               << 3 << false;
}

void TestLoad::filesOfOneTest()
{
    QFETCH(QStringList, tests);
    QFETCH(QString, accepted);
    QFETCH(int, loaded);
    QFETCH(bool, warned);

    QStringList paths;
    const QStringList surnames{u"Nowak"_s, u"Kowalski"_s, u"Wiśniewska"_s};
    for (qsizetype i = 0; i < tests.size(); ++i)
        paths.append(write({surnames.at(i), u"Anna"_s, tests.at(i)}));
    QStringList prompts;
    load(paths, &prompts);

    const QStringList expectedPrompts = warned
            ? QStringList{u"Uwaga. Wczytano tylko pliki testu \""_s + accepted
                    + u"\".\nPozostałe pominięto"_s}
            : QStringList{};
    QCOMPARE(prompts, expectedPrompts);
    const Session &session = m_shell->session();
    QCOMPARE(session.analysis.studentCount, loaded);
    QCOMPARE(int(session.analysis.students.size()), loaded);
    for (const UczenAll &student : session.analysis.students)
        QCOMPARE(student.NazwaTestu, accepted);
    QCOMPARE(caption(), u"Kalmo - Zavevad - Przetwarzanie testu: "_s + accepted);
    QVERIFY(session.analysis.dataLoaded);
    QCOMPARE(session.analysis.tableMode, TableResults);
    QCOMPARE(session.gridState.tableKind, TableResults);
    QVERIFY(m_shell->glowny().PTabela()->isVisible());
    QCOMPARE(gridNames().size(), loaded);
}

void TestLoad::badThirdFileLeavesEverythingAsItWas_data()
{
    QTest::addColumn<QString>("bad");
    QTest::newRow("127 bytes") << u"short"_s;
    // Neither may freeze the program: a FIFO blocks an open until a writer
    // comes, a device never ends.
    QTest::newRow("FIFO") << u"fifo"_s;
    QTest::newRow("device") << u"/dev/zero"_s;
}

void TestLoad::badThirdFileLeavesEverythingAsItWas()
{
    QFETCH(QString, bad);
    // A first, good load.
    load(QStringList{write({u"Zając"_s, u"Ola"_s, u"Przyroda"_s}, 12)});
    Session &session = m_shell->session();
    QCOMPARE(session.analysis.studentCount, 1);
    const QString captionBefore = caption();
    const QStringList namesBefore = gridNames();
    const QString sumHeaderBefore = session.grid.text(13, 0);
    const ClassSummary summaryBefore = session.analysis.summary;
    const int questionsBefore = session.analysis.questionCount;
    m_shell->glowny().PokazTabele(TableWorkingTime);
    const int columnsBefore = session.grid.columnCount();

    QStringList paths;
    for (int i = 0; i < 5; ++i)
        paths.append(write({u"Uczeń"_s, QString::number(i), u"Historia"_s}, 5));
    std::unique_ptr<test::Fifo> fifo;
    if (bad == u"short"_s) {
        test::ResultFileSpec shortFile;
        shortFile.totalSize = 127;
        paths[2] = test::writeResultFile(m_dir.path(), u"krotki.dat"_s, shortFile);
    } else if (bad == u"fifo"_s) {
#ifdef Q_OS_UNIX
        paths[2] = m_dir.filePath(u"fifo.dat"_s);
        fifo = std::make_unique<test::Fifo>(paths[2]);
        QVERIFY(fifo->made());
#else
        QSKIP("FIFOs are POSIX files");
#endif
    } else {
#ifdef Q_OS_UNIX
        paths[2] = bad;
#else
        QSKIP("devices are POSIX files");
#endif
    }

    QStringList prompts;
    load(paths, &prompts);
    if (fifo)
        QVERIFY2(!fifo->releasedAReader(), "the load waited for a writer");
    QCOMPARE(prompts,
            QStringList{u"Uwaga. Wystąpiły błędy podczas wczytywania wyników.\n"
                        "Niektóre z plików mają niepoprawną strukturę."_s});
    QCOMPARE(caption(), captionBefore);
    QCOMPARE(session.analysis.studentCount, 1);
    QCOMPARE(session.analysis.students.front().NazwaTestu, u"Przyroda"_s);
    QCOMPARE(session.analysis.questionCount, questionsBefore);
    QCOMPARE(session.analysis.summary, summaryBefore);
    QCOMPARE(session.analysis.tableMode, TableWorkingTime);
    QCOMPARE(session.gridState.tableKind, TableWorkingTime);
    QCOMPARE(session.grid.columnCount(), columnsBefore);
    QVERIFY(session.analysis.dataLoaded);
    QVERIFY(m_shell->glowny().PTabela()->isVisible());

    // Switching back rebuilds the same set as before.
    m_shell->glowny().PokazTabele(TableResults);
    QCOMPARE(gridNames(), namesBefore);
    QCOMPARE(session.grid.text(13, 0), sumHeaderBefore);
}

void TestLoad::badFileBeforeAnyLoadShowsNoTable()
{
    test::ResultFileSpec badLength;
    badLength.testNameLength = 31;
    const QString bad = test::writeResultFile(m_dir.path(), u"zly.dat"_s, badLength);
    QStringList prompts;
    load(QStringList{write({u"Nowak"_s, u"Jan"_s, u"Sprawdzian"_s}), bad}, &prompts);
    QCOMPARE(prompts.size(), 1);
    const Session &session = m_shell->session();
    QVERIFY(!session.analysis.dataLoaded);
    QCOMPARE(session.analysis.tableMode, TableNone);
    QVERIFY(m_shell->glowny().PTabela()->isHidden());
    QCOMPARE(caption(), TFGlowny::defaultCaption());
}

void TestLoad::cancelledDialogChangesNothing()
{
    load(QStringList{write({u"Nowak"_s, u"Jan"_s, u"Sprawdzian"_s})});
    Session &session = m_shell->session();
    const ClassSummary summary = session.analysis.summary;
    const QString captionBefore = caption();
    QVERIFY(summary != ClassSummary{});

    QStringList prompts;
    load(std::nullopt, &prompts);
    load(QStringList{}, &prompts);
    QVERIFY(prompts.isEmpty());
    QCOMPARE(session.analysis.summary, summary);
    QCOMPARE(session.analysis.studentCount, 1);
    QCOMPARE(caption(), captionBefore);
}

void TestLoad::namesSortByPolishAlphabet()
{
    const QStringList paths{write({u"Malinowski"_s, u"Michał"_s, u"T"_s}),
            write({u"Łuczak"_s, u"Małgorzata"_s, u"T"_s}), write({u"Lis"_s, u"Wojciech"_s, u"T"_s}),
            write({u"lis"_s, u"Adam"_s, u"T"_s})};
    load(paths);
    QCOMPARE(gridNames(),
            (QStringList{u"lis Adam"_s, u"Lis Wojciech"_s, u"Łuczak Małgorzata"_s,
                    u"Malinowski Michał"_s}));
}

void TestLoad::laterLoadReplacesTheSet()
{
    load(QStringList{write({u"Nowak"_s, u"Jan"_s, u"Pierwszy"_s}),
            write({u"Kowalska"_s, u"Ewa"_s, u"Pierwszy"_s})});
    m_shell->glowny().PokazTabele(TableGradeCount);
    load(QStringList{write({u"Wójcik"_s, u"Piotr"_s, u"Drugi"_s}, 20)});
    const Session &session = m_shell->session();
    QCOMPARE(session.analysis.studentCount, 1);
    QCOMPARE(session.analysis.questionCount, 20);
    QCOMPARE(session.analysis.tableMode, TableResults);
    QCOMPARE(gridNames(), QStringList{u"Wójcik Piotr"_s});
    QCOMPARE(caption(), u"Kalmo - Zavevad - Przetwarzanie testu: Drugi"_s);
}

void TestLoad::menuCommandsReachExportAndCharts()
{
    load(QStringList{write({u"Nowak"_s, u"Jan"_s, u"Ułamki"_s}, 4),
            write({u"Lis"_s, u"Ewa"_s, u"Ułamki"_s}, 4)});
    auto menuItem = [this](const char *menuLabel, const char *item) {
        QTest::mouseClick(
                m_shell->glowny().findChild<QLabel *>(QLatin1String(menuLabel)), Qt::LeftButton);
        QTest::mouseClick(m_shell->menu().findChild<QLabel *>(QLatin1String(item)), Qt::LeftButton);
    };

    menuItem("LMenuEdycja", "LEdycjaCopyCSV");
    const QStringList lines = m_platform->clipboardText().split(u"\r\n"_s);
    QCOMPARE(lines.at(1).section(QLatin1Char('\t'), 0, 0), u"Lis Ewa"_s);
    QCOMPARE(lines.at(2).section(QLatin1Char('\t'), 0, 0), u"Nowak Jan"_s);

    const Session &session = m_shell->session();
    menuItem("LMenuWykresy", "LWykresKolowy");
    menuItem("LMenuWykresy", "LWykresLiniowy");
    QCOMPARE(session.chartKind.ChartKind, 3);
    QCOMPARE(session.chartKind.ShownChartKind, 3);
    QVERIFY(m_shell->wykres().isVisible());
}

/// The sample class of examples/ through the menu into the item analysis.
/// With ZAVEVAD_SCREENSHOT_DIR set, the main window is written there as
/// main-item-analysis.png for the documentation.
void TestLoad::itemAnalysisOfTheSampleClass()
{
    QStringList paths;
    const QDir examples(test::examplesPath());
    for (const QString &name : examples.entryList({u"*.dat"_s}, QDir::Files, QDir::Name)) {
        if (!name.startsWith(u"inny_test"_s))
            paths << examples.filePath(name);
    }
    QVERIFY(paths.size() > 20);
    load(paths);
    TFGlowny &main = m_shell->glowny();
    if (main.width() < 1024)
        main.resize(1024, std::max(main.height(), 600));
    QTest::mouseClick(main.findChild<QLabel *>(u"LMenuTabele"_s), Qt::LeftButton);
    QTest::mouseClick(m_shell->menu().findChild<QLabel *>(u"LAnalizaPytan"_s), Qt::LeftButton);

    const Session &session = m_shell->session();
    QCOMPARE(session.analysis.tableMode, int(TableItemAnalysis));
    const GridModel &grid = session.grid;
    QCOMPARE(grid.rowCount(), session.analysis.questionCount + 16);
    // Every text is seen whole in its column, in the face the grid draws.
    for (int r = 0; r < grid.rowCount(); ++r) {
        for (int c = 0; c < grid.columnCount(); ++c) {
            const QFontMetrics metrics(grid.resolvedFont(c, r).toQFont());
            QVERIFY2(metrics.horizontalAdvance(grid.text(c, r)) + 4 <= grid.columnWidth(c),
                    qPrintable(grid.text(c, r)));
        }
    }
    // In the card's table area like the other tables, so that on an 800x600
    // screen, where the card stands whole, the last column and the arrows
    // are on screen too.
    TablePanel *panel = main.PTabela();
    QVERIFY(panel->isVisible());
    QCOMPARE(panel->parentWidget(), main.PTlo());
    const QRect onCard(panel->mapTo(main.PTlo(), QPoint(0, 0)), panel->size());
    QVERIFY(QRect(QPoint(0, 0), TFGlowny::kPTloSize).contains(onCard));
    const QPoint cardOn800 = TFGlowny::centredOrigin(QSize(800, 600), TFGlowny::kPTloSize);
    const QRect screen800(0, 0, 800, 600);
    QVERIFY(screen800.contains(onCard.translated(cardOn800)));
    for (const char *part : {"PPodTabele", "PTabelaWDol", "PTabelaWGore"}) {
        const QWidget *widget = panel->findChild<QWidget *>(QLatin1String(part));
        QVERIFY2(widget, part);
        const QRect onPanel(widget->mapTo(panel, QPoint(0, 0)), widget->size());
        QVERIFY2(screen800.contains(onPanel.translated(onCard.topLeft() + cardOn800)), part);
    }

    // Down to the last page, where the test's reliability stands.
    const int questions = session.analysis.questionCount;
    QVERIFY(questions > 9);
    auto *down = panel->findChild<QWidget *>(u"ImTabelaWDol"_s);
    for (int clicks = 0; down->isVisibleTo(panel) && clicks < 5; ++clicks)
        QTest::mouseClick(down, Qt::LeftButton);
    QCOMPARE(grid.topRow(), questions + 14 - 15);

    const QString dir = qEnvironmentVariable("ZAVEVAD_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        QVERIFY(main.grab().save(QDir(dir).filePath(u"main-item-analysis.png"_s)));

    // Back on the results table the panel is in its place on the card again.
    QTest::mouseClick(main.findChild<QLabel *>(u"LMenuTabele"_s), Qt::LeftButton);
    QTest::mouseClick(m_shell->menu().findChild<QLabel *>(u"LAnalizaPunktacja"_s), Qt::LeftButton);
    QVERIFY(panel->isVisible());
    QCOMPARE(panel->parentWidget()->objectName(), u"PTlo"_s);
    QCOMPARE(panel->pos(), QPoint(36, 192));
}

/// The two classes of examples/klasy through "Wczytaj klasy z folderu ..." into
/// the class comparison and its chart. With ZAVEVAD_SCREENSHOT_DIR set, the
/// main window's card, the comparison paged sideways, is written there as
/// main-class-comparison.png.
void TestLoad::classesOfTheSampleTest()
{
    // A folder without result files says so and changes nothing.
    const QTemporaryDir empty;
    QVERIFY(QDir().mkpath(empty.filePath(u"8a"_s)));
    m_platform->openFolderAnswers.push_back(empty.path());
    m_platform->openFolderAnswers.push_back(test::examplesPath(u"klasy"_s));
    QStringList prompts;
    {
        test::ModalAnswerer answerer([&prompts](QWidget *modal) {
            prompts.append(modal->findChild<QLabel *>(u"LTesktMonitu"_s)->text());
            QTest::mouseClick(modal->findChild<QWidget *>(u"BCloseOK"_s), Qt::LeftButton);
        });
        for (int i = 0; i < 2; ++i) {
            QTest::mouseClick(
                    m_shell->glowny().findChild<QLabel *>(u"LMenuPlik"_s), Qt::LeftButton);
            QTest::mouseClick(
                    m_shell->menu().findChild<QLabel *>(u"LPlikOpenKlasy"_s), Qt::LeftButton);
            if (i == 0)
                QVERIFY(!m_shell->session().analysis.dataLoaded);
        }
    }
    QCOMPARE(prompts.size(), 1);
    QVERIFY2(prompts.constFirst().startsWith(u"W folderze "_s), qPrintable(prompts.constFirst()));
    QCOMPARE(m_platform->calls.constLast().kind, test::ScriptedPlatform::DialogCall::OpenFolder);

    const Session &session = m_shell->session();
    QVERIFY(session.analysis.dataLoaded);
    QCOMPARE(session.analysis.studentCount, 28 + 24);
    TFGlowny &main = m_shell->glowny();
    main.resize(std::max(main.width(), 1280), std::max(main.height(), 700));
    QTest::mouseClick(main.findChild<QLabel *>(u"LMenuTabele"_s), Qt::LeftButton);
    QTest::mouseClick(m_shell->menu().findChild<QLabel *>(u"LAnalizaKlasy"_s), Qt::LeftButton);
    QCOMPARE(session.analysis.tableMode, int(TableClassComparison));
    const GridModel &grid = session.grid;
    QCOMPARE(grid.text(0, 1), u"8a"_s);
    QCOMPARE(grid.text(1, 1), u"28"_s);
    QCOMPARE(grid.text(0, 2), u"8b"_s);
    QCOMPARE(grid.text(1, 2), u"24"_s);
    QCOMPARE(grid.text(0, 3), u"Razem"_s);
    QCOMPARE(grid.text(1, 3), u"52"_s);
    for (int r = 0; r < grid.rowCount(); ++r) {
        for (int c = 0; c < grid.columnCount(); ++c) {
            const QFontMetrics metrics(grid.resolvedFont(c, r).toQFont());
            QVERIFY2(metrics.horizontalAdvance(grid.text(c, r)) + 4 <= grid.columnWidth(c),
                    qPrintable(grid.text(c, r)));
        }
    }
    TablePanel *panel = main.PTabela();
    QVERIFY(panel->isVisible());
    QVERIFY(main.rect().contains(QRect(panel->mapTo(&main, QPoint(0, 0)), panel->size())));

    // Wider than the card: the right arrow shows the next columns beside the
    // classes.
    QCOMPARE(panel->parentWidget(), main.PTlo());
    QVERIFY(QRect(QPoint(0, 0), TFGlowny::kPTloSize).contains(panel->geometry()));
    QTest::mouseClick(panel->findChild<QLabel *>(u"ImTabelaWPrawo"_s), Qt::LeftButton);
    QCOMPARE(panel->grid()->shownColumn(0), 0);
    QCOMPARE(grid.text(panel->grid()->shownColumn(0), 1), u"8a"_s);
    QVERIFY(panel->grid()->shownColumn(1) > 1);
    const QString dir = qEnvironmentVariable("ZAVEVAD_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        QVERIFY(main.PTlo()->grab().save(QDir(dir).filePath(u"main-class-comparison.png"_s)));

    // The chart: each class's mean percentage, named after the class.
    QTest::mouseClick(main.findChild<QLabel *>(u"LMenuWykresy"_s), Qt::LeftButton);
    QTest::mouseClick(m_shell->menu().findChild<QLabel *>(u"LWykresSlupkowy"_s), Qt::LeftButton);
    const chart::Chart &chart = session.chart;
    QCOMPARE(chart.header.lines, QStringList{u"Porównanie klas"_s});
    QCOMPARE(chart.leftAxis.title, u"Klasa"_s);
    QCOMPARE(chart.bottomAxis.title, u"Średnia [%]"_s);
    QCOMPARE(chart.bar.count(), 2);
    QCOMPARE(chart.bar.points.at(0).label, u"8a"_s);
    QCOMPARE(chart.bar.points.at(1).label, u"8b"_s);
    QCOMPARE(chart.bar.points.at(1).value, QLocale().toDouble(grid.text(3, 2)));

    // The questions in the two classes, "Razem" last; its chart draws each
    // question's easiness for all students.
    m_shell->wykres().hide();
    QTest::mouseClick(main.findChild<QLabel *>(u"LMenuTabele"_s), Qt::LeftButton);
    QTest::mouseClick(
            m_shell->menu().findChild<QLabel *>(u"LAnalizaPytaniaKlas"_s), Qt::LeftButton);
    QCOMPARE(session.analysis.tableMode, int(TableClassQuestions));
    QCOMPARE(grid.text(1, 0), u"8a"_s);
    QCOMPARE(grid.text(2, 0), u"8b"_s);
    QCOMPARE(grid.text(3, 0), u"Razem"_s);
    QCOMPARE(grid.rowCount(), session.analysis.questionCount + 1);
    if (!dir.isEmpty())
        QVERIFY(main.PTlo()->grab().save(QDir(dir).filePath(u"main-class-questions.png"_s)));
    QTest::mouseClick(main.findChild<QLabel *>(u"LMenuWykresy"_s), Qt::LeftButton);
    QTest::mouseClick(m_shell->menu().findChild<QLabel *>(u"LWykresSlupkowy"_s), Qt::LeftButton);
    QCOMPARE(chart.header.lines, QStringList{u"Łatwość pytań"_s});
    QCOMPARE(chart.bar.count(), session.analysis.questionCount);
    QCOMPARE(chart.bar.points.at(0).value, QLocale().toDouble(grid.text(3, 1)) * 100);
}

/// The three tests of examples/postepy through "Wczytaj testy z folderu ...":
/// the newest is shown, the prompt says so, the chart follows the class, and
/// a later load of one test ends the view of several. With
/// ZAVEVAD_SCREENSHOT_DIR set, the chart is written there as chart-progress.png.
void TestLoad::testsOfTheSampleClassOverTheYear()
{
    m_platform->openFolderAnswers.push_back(test::examplesPath(u"postepy"_s));
    QStringList prompts;
    {
        test::ModalAnswerer answerer([&prompts](QWidget *modal) {
            prompts.append(modal->findChild<QLabel *>(u"LTesktMonitu"_s)->text());
            QTest::mouseClick(modal->findChild<QWidget *>(u"BCloseOK"_s), Qt::LeftButton);
        });
        QTest::mouseClick(m_shell->glowny().findChild<QLabel *>(u"LMenuPlik"_s), Qt::LeftButton);
        QTest::mouseClick(m_shell->menu().findChild<QLabel *>(u"LPlikOpenTesty"_s), Qt::LeftButton);
    }
    QCOMPARE(prompts.size(), 1);
    QVERIFY2(prompts.constFirst().contains(u"Wczytano testów: 3."_s)
                    && prompts.constFirst().contains(u"\"Sprawdzian - potęgi\" z 17.03"_s),
            qPrintable(prompts.constFirst()));
    const Session &session = m_shell->session();
    QVERIFY(session.analysis.dataLoaded);
    QCOMPARE(session.analysis.studentCount, 28);
    QCOMPARE(session.analysis.progress.tests.size(), std::size_t(3));
    // Every result file, and the blueprint and the teacher's notes beside the first.
    QCOMPARE(session.loadedInputs.size(), 28 + 27 + 28 + 2);
    QCOMPARE(caption(), u"Kalmo - Zavevad - Przetwarzanie testu: Sprawdzian - potęgi"_s);

    TFGlowny &main = m_shell->glowny();
    QTest::mouseClick(main.findChild<QLabel *>(u"LMenuWykresy"_s), Qt::LeftButton);
    QTest::mouseClick(m_shell->menu().findChild<QLabel *>(u"LWykresPostepy"_s), Qt::LeftButton);
    QCOMPARE(session.chart.header.lines, QStringList{u"Postępy klasy"_s});
    QVERIFY(session.chart.xy.active && session.chart.xy.joinByColour);
    QCOMPARE(session.chart.xy.points.size(), 2 * 3);

    // A student's row chosen in the progress table adds their line.
    m_shell->wykres().hide();
    QTest::mouseClick(main.findChild<QLabel *>(u"LMenuTabele"_s), Qt::LeftButton);
    QTest::mouseClick(m_shell->menu().findChild<QLabel *>(u"LAnalizaPostepy"_s), Qt::LeftButton);
    QCOMPARE(session.analysis.tableMode, int(TableProgress));
    GridView *view = main.PTabela()->grid();
    QTest::mouseClick(view, Qt::LeftButton, {}, view->cellRect(0, 3).center());
    const QString student = session.grid.text(0, 3);
    QTest::mouseClick(main.findChild<QLabel *>(u"LMenuWykresy"_s), Qt::LeftButton);
    QTest::mouseClick(m_shell->menu().findChild<QLabel *>(u"LWykresPostepy"_s), Qt::LeftButton);
    QCOMPARE(session.chart.xy.legendItems.size(), 3);
    QCOMPARE(session.chart.xy.legendItems.at(2).text, student);
    QVERIFY(session.chart.xy.points.size() > 2 * 3);
    const QString dir = qEnvironmentVariable("ZAVEVAD_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        QVERIFY(m_shell->wykres().grab().save(QDir(dir).filePath(u"chart-progress.png"_s)));

    load(QStringList{write({u"Nowak"_s, u"Anna"_s, u"Jeden test"_s})});
    QCOMPARE(session.analysis.studentCount, 1);
    QVERIFY(session.analysis.progress.empty());
}

QTEST_MAIN(TestLoad)
#include "tst_load.moc"
