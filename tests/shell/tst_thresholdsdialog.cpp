#include "charts/scorecharts.h"
#include "charts/window/tfwykres.h"
#include "filebytes.h"
#include "messageboxcatcher.h"
#include "modalhelper.h"
#include "resultfilewriter.h"
#include "results/thresholds.h"
#include "scriptedplatform.h"
#include "shell/shell.h"
#include "shell/tfglowny.h"
#include "shell/tfmenu.h"
#include "shell/tfprogi.h"
#include "testsupport.h"
#include "ui/spinedit.h"
#include "ui/windowplacement.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProcess>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace zavevad;
using zavevad::test::readAll;
using zavevad::test::writeFile;
using namespace Qt::StringLiterals;

namespace {

using test::MessageBoxCatcher;

/// Stops new files in `dir`: permission bits, or for a superuser, whom they do
/// not stop, the immutable attribute. False when neither works here.
bool lockFolder(const QString &dir)
{
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner);
    const QString probe = QDir(dir).filePath(u"probe"_s);
    if (!writeFile(probe, "x"))
        return true;
    QFile::remove(probe);
    if (QProcess::execute(u"chattr"_s, {u"+i"_s, dir}) == 0) {
        if (!writeFile(probe, "x"))
            return true;
        QFile::remove(probe);
    }
    return false;
}

bool hasRoomBeside(const QRect &r, QSize size, const QRect &screen)
{
    return r.left() - screen.left() >= size.width() + 8
            || screen.right() - r.right() >= size.width() + 8
            || r.top() - screen.top() >= size.height() + 8
            || screen.bottom() - r.bottom() >= size.height() + 8;
}

void unlockFolder(const QString &dir)
{
    QProcess::execute(u"chattr"_s, {u"-i"_s, dir});
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

class TestThresholdsDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void liveChangeAndCancelRestoreEverything();
    void cancelRestoresTheWholeState();
    void escapeAndCloseSpotAlsoRestore_data();
    void escapeAndCloseSpotAlsoRestore();
    void zastosujKeepsAndRebuildsTheTableChart();
    void zapiszWritesProgiTxt();
    void failedZapiszKeepsTheOldFile();
    void opensOnABadProgiTxt_data();
    void opensOnABadProgiTxt();
    void scoreChartsFromTheMenu();
    void picturesOfTheSampleClass();
    void classComparisonFollowsTheDialog();
    void placedBeside_data();
    void placedBeside();
    void opensBesideTheChartAndMovesByItsStrip();

private:
    /// Loads a class of ten questions through the menu; student i answers
    /// points[i] questions correctly.
    void load(const QList<int> &points);
    void clickItem(const char *menuLabel, const char *item);
    /// Opens "Progi ocen ..." from the menu and runs `body` on the dialog,
    /// which must close it.
    void runDialog(const std::function<void(TFProgi &)> &body);
    QList<QString> gridTexts() const;
    QList<int> gradeCounts() const;

    QTemporaryDir m_dir;
    QString m_previousDir;
    std::unique_ptr<test::ScriptedPlatform> m_platform;
    std::unique_ptr<Shell> m_shell;
};

void TestThresholdsDialog::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    m_previousDir = QDir::currentPath();
}

void TestThresholdsDialog::init()
{
    QVERIFY(m_dir.isValid());
    QFile::remove(QDir(m_dir.path()).filePath(u"Progi.txt"_s));
    QVERIFY(QDir::setCurrent(m_dir.path()));
    m_platform = std::make_unique<test::ScriptedPlatform>();
    m_shell = std::make_unique<Shell>(m_platform.get());
    m_shell->start();
    QVERIFY(QTest::qWaitForWindowExposed(&m_shell->glowny()));
}

void TestThresholdsDialog::cleanup()
{
    m_shell.reset();
    m_platform.reset();
    QDir::setCurrent(m_previousDir);
}

void TestThresholdsDialog::load(const QList<int> &points)
{
    QStringList paths;
    int i = 0;
    for (int p : points) {
        test::ResultFileSpec fileSpec;
        fileSpec.surname = u"Uczeń%1"_s.arg(++i);
        fileSpec.firstName = u"Ola"_s;
        fileSpec.questionCount = 10;
        fileSpec.answers = QByteArray(p, 1) + QByteArray(10 - p, 0);
        fileSpec.end = fileSpec.start + (10 + 5 * i) / (24.0 * 60);
        paths.append(test::writeResultFile(m_dir.path(), u"plik%1.dat"_s.arg(i), fileSpec));
    }
    m_platform->openFilesAnswers.push_back(paths);
    clickItem("LMenuPlik", "LPlikOpen");
    QVERIFY(m_shell->session().analysis.dataLoaded);
}

void TestThresholdsDialog::clickItem(const char *menuLabel, const char *item)
{
    QTest::mouseClick(
            m_shell->glowny().findChild<QLabel *>(QLatin1String(menuLabel)), Qt::LeftButton);
    QVERIFY(m_shell->menu().isVisible());
    auto *label = m_shell->menu().findChild<QLabel *>(QLatin1String(item));
    QVERIFY2(label && label->isVisible(), item);
    QTest::mouseClick(label, Qt::LeftButton);
}

void TestThresholdsDialog::runDialog(const std::function<void(TFProgi &)> &body)
{
    bool ran = false;
    test::ModalAnswerer answerer([&](QWidget *modal) {
        auto *dialog = qobject_cast<TFProgi *>(modal);
        QVERIFY(dialog);
        ran = true;
        body(*dialog);
    });
    clickItem("LMenuEdycja", "LEdycjaProgi");
    QVERIFY(ran);
}

QList<QString> TestThresholdsDialog::gridTexts() const
{
    const GridModel &grid = m_shell->session().grid;
    QList<QString> texts;
    for (int r = 0; r < grid.rowCount(); ++r) {
        for (int c = 0; c < grid.columnCount(); ++c)
            texts.append(grid.text(c, r));
    }
    return texts;
}

QList<int> TestThresholdsDialog::gradeCounts() const
{
    const ClassSummary &s = m_shell->session().analysis.summary;
    return {s.cel, s.bdb, s.db, s.dst, s.dop, s.ndst};
}

void TestThresholdsDialog::liveChangeAndCancelRestoreEverything()
{
    // 30 %, 50 %, 60 %, 90 %: Ndst, Dop, Dst, Bdb.
    load({3, 5, 6, 9});
    clickItem("LMenuWykresy", "LWykresRozklad");
    TFWykres &wykres = m_shell->wykres();
    QVERIFY(wykres.isVisible());
    clickItem("LMenuTabele", "LAnalizaOceny");
    Session &session = m_shell->session();
    QCOMPARE(session.grid.text(1, 7), u"2,75"_s);

    const QList<QString> tableBefore = gridTexts();
    const chart::XYPlot plotBefore = wykres.chart().xy;
    const QByteArray appearanceBefore = session.appearances.CurrentAppearance.toBytes();
    QCOMPARE(plotBefore.points[3].color, gradeColor(u"Ndst"));

    runDialog([&](TFProgi &dialog) {
        auto *dp = dialog.findChild<SpinEdit *>(u"SDp"_s);
        auto *dst = dialog.findChild<SpinEdit *>(u"SDst"_s);
        QVERIFY(dp && dst);
        QCOMPARE(dp->text(), u"50"_s);
        QCOMPARE(dialog.findChild<SpinEdit *>(u"SCel"_s)->text(), u"95"_s);

        // Typed: 30 % earns "Dop" at once, in the table and on the chart.
        dp->lineEdit()->selectAll();
        QTest::keyClicks(dp->lineEdit(), u"30"_s);
        QCOMPARE(session.analysis.thresholds.dop, 30);
        QCOMPARE(session.analysis.students[0].Ocena, u"Dop"_s);
        QCOMPARE(gradeCounts(), (QList<int>{0, 1, 0, 1, 2, 0}));
        QCOMPARE(session.grid.text(1, 5), u"2"_s); // "Dop"
        QCOMPARE(session.grid.text(1, 6), u"0"_s); // "Ndst"
        QCOMPARE(session.grid.text(1, 7), u"3"_s);
        QCOMPARE(wykres.chart().xy.points[3].color, gradeColor(u"Dop"));

        // Falling thresholds: both fields red, the message, nothing applied.
        dst->setText(u"20"_s);
        QVERIFY(dialog.isFieldMarked(0) && dialog.isFieldMarked(1));
        QVERIFY(!dialog.isFieldMarked(2));
        QCOMPARE(dialog.findChild<QLabel *>(u"LKomunikat"_s)->text(),
                u"Progi muszą rosnąć od dopuszczającego do celującego"_s);
        QVERIFY(!dialog.findChild<QWidget *>(u"BZastosuj"_s)->isEnabled());
        QCOMPARE(session.analysis.thresholds.dst, 60);
        QCOMPARE(session.grid.text(1, 7), u"3"_s);

        // A field that is no number from 0 to 101 is red too, with its own message.
        dst->setText(u"102"_s);
        QVERIFY(dialog.isFieldMarked(1));
        QCOMPARE(dialog.findChild<QLabel *>(u"LKomunikat"_s)->text(), TFProgi::rangeMessage());
        QCOMPARE(session.analysis.thresholds.dst, 60);

        dst->setText(u"30"_s); // equal neighbours rise
        QVERIFY(!dialog.isFieldMarked(0) && !dialog.isFieldMarked(1));
        QVERIFY(dialog.findChild<QLabel *>(u"LKomunikat"_s)->text().isEmpty());
        QCOMPARE(session.analysis.thresholds.dst, 30);

        QTest::mouseClick(dialog.findChild<QWidget *>(u"BAnuluj"_s), Qt::LeftButton);
    });

    QCOMPARE(session.analysis.thresholds, Thresholds{});
    QCOMPARE(session.analysis.students[0].Ocena, u"Ndst"_s);
    QCOMPARE(gradeCounts(), (QList<int>{0, 1, 0, 1, 1, 1}));
    QCOMPARE(gridTexts(), tableBefore);
    QCOMPARE(wykres.chart().xy.points, plotBefore.points);
    QCOMPARE(wykres.chart().xy.referenceLines, plotBefore.referenceLines);
    QCOMPARE(session.appearances.CurrentAppearance.toBytes(), appearanceBefore);
    QVERIFY(!QFile::exists(QDir(m_dir.path()).filePath(u"Progi.txt"_s)));
}

// "Anuluj" assigns back the copy of the run's state taken when the dialog
// opened, not a list of its fields. The comparison is SessionState's defaulted
// operator==, so it covers every field, also one added to the state later
// without any change to the dialog: a field the restore missed fails here.
void TestThresholdsDialog::cancelRestoresTheWholeState()
{
    load({3, 5, 6, 9});
    clickItem("LMenuTabele", "LAnalizaOceny");
    clickItem("LMenuWykresy", "LWykresSlupkowy");
    QVERIFY(m_shell->wykres().isVisible());
    // The item analysis keeps the grade-count grid aside in the state's stash.
    clickItem("LMenuTabele", "LAnalizaPytan");
    SessionState &state = m_shell->session().state();
    QVERIFY(state.itemAnalysisStash.active());
    const SessionState before = state;

    runDialog([&](TFProgi &dialog) {
        auto *dp = dialog.findChild<SpinEdit *>(u"SDp"_s);
        QVERIFY(dp);
        dp->lineEdit()->selectAll();
        QTest::keyClicks(dp->lineEdit(), u"30"_s);
        // The apply path regraded the class and redrew the grade-count chart.
        QVERIFY(state.analysis != before.analysis);
        QVERIFY(state.chart != before.chart);
        // Fields that no code of the dialog names change too, as a field
        // added tomorrow might.
        state.itemAnalysisStash = ItemAnalysisVisit();
        state.scoreChart = ScoreChart::TimeScore;
        state.chartTable = TableSkills;
        state.loadedInputs.append(u"inny.dat"_s);
        state.appearances.DefaultAppearance.LegendTopPos = 33;
        QTest::mouseClick(dialog.findChild<QWidget *>(u"BAnuluj"_s), Qt::LeftButton);
    });

    QVERIFY(state == before);
}

void TestThresholdsDialog::placedBeside_data()
{
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QList<QRect>>("keep");
    QTest::addColumn<bool>("clearOfAll");
    // The main card of a 1024x768 screen with its table, the chart window
    // where it opens over the card.
    const QRect table(173, 296, 714, 337);
    const QRect chart(234, 174, 555, 420);
    QTest::newRow("chart over the card, 1024x768")
            << QRect(0, 0, 1024, 768) << QList<QRect>{chart, table} << false;
    QTest::newRow("chart at the right, 1024x768")
            << QRect(0, 0, 1024, 768) << QList<QRect>{QRect(460, 100, 555, 420), table} << false;
    QTest::newRow("chart moved left, 1280x1024")
            << QRect(0, 0, 1280, 1024) << QList<QRect>{QRect(10, 10, 555, 420), table} << true;
    QTest::newRow("no chart, 1024x768") << QRect(0, 0, 1024, 768) << QList<QRect>{table} << true;
    QTest::newRow("chart filling 800x600")
            << QRect(0, 0, 800, 600) << QList<QRect>{QRect(0, 0, 800, 600)} << false;
    QTest::newRow("nothing to keep") << QRect(0, 0, 800, 600) << QList<QRect>{} << true;
}

void TestThresholdsDialog::placedBeside()
{
    QFETCH(QRect, screen);
    QFETCH(QList<QRect>, keep);
    QFETCH(bool, clearOfAll);
    const QSize size(304, 258);
    const QRect placed(placeBeside(size, screen, keep), size);
    QVERIFY(screen.contains(placed));
    // The chart window (the first) is never covered where the screen has room beside it.
    if (!keep.isEmpty() && hasRoomBeside(keep.first(), size, screen))
        QVERIFY(!placed.intersects(keep.first()));
    if (clearOfAll) {
        for (const QRect &r : std::as_const(keep))
            QVERIFY(!placed.intersects(r));
    }
}

void TestThresholdsDialog::opensBesideTheChartAndMovesByItsStrip()
{
    load({3, 5, 6, 9});
    clickItem("LMenuWykresy", "LWykresRozklad");
    TFWykres &wykres = m_shell->wykres();
    QVERIFY(wykres.isVisible());
    // A small screen has room beside a chart window of the least size only.
    wykres.setGeometry(QRect(QPoint(0, 0), TFWykres::kMinimumSize));
    runDialog([&](TFProgi &dialog) {
        QVERIFY(wykres.isVisible());
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(screen.contains(dialog.frameGeometry()));
        QCOMPARE(dialog.pos(), dialog.besideWhatItChanges());
        QVERIFY(hasRoomBeside(wykres.frameGeometry(), dialog.size(), screen));
        QVERIFY(!dialog.frameGeometry().intersects(wykres.frameGeometry()));

        // Dragged by its title strip, the window follows the mouse.
        const QPoint start = dialog.pos();
        const QPoint grip(150, 10);
        QTest::mousePress(&dialog, Qt::LeftButton, {}, grip);
        QMouseEvent move(QEvent::MouseMove, QPointF(grip + QPoint(-20, 15)),
                QPointF(dialog.mapToGlobal(grip + QPoint(-20, 15))), Qt::NoButton, Qt::LeftButton,
                Qt::NoModifier);
        QApplication::sendEvent(&dialog, &move);
        QTest::mouseRelease(&dialog, Qt::LeftButton, {}, grip + QPoint(-20, 15));
        QCOMPARE(dialog.pos(), start + QPoint(-20, 15));
        QVERIFY(wykres.isVisible());
        dialog.reject();
    });
    QVERIFY(wykres.isVisible());
}

void TestThresholdsDialog::escapeAndCloseSpotAlsoRestore_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("Esc") << true;
    QTest::newRow("close spot") << false;
}

void TestThresholdsDialog::escapeAndCloseSpotAlsoRestore()
{
    QFETCH(bool, escape);
    load({3, 5, 6, 9});
    const QList<QString> before = gridTexts();
    runDialog([&](TFProgi &dialog) {
        dialog.findChild<SpinEdit *>(u"SCel"_s)->setText(u"85"_s);
        QCOMPARE(m_shell->session().analysis.students[3].Ocena, u"Cel"_s);
        if (escape)
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            QTest::mouseClick(dialog.findChild<QWidget *>(u"LCloseProgi"_s), Qt::LeftButton);
    });
    QCOMPARE(m_shell->session().analysis.students[3].Ocena, u"Bdb"_s);
    QCOMPARE(gridTexts(), before);
}

void TestThresholdsDialog::zastosujKeepsAndRebuildsTheTableChart()
{
    load({3, 5, 6, 9});
    clickItem("LMenuTabele", "LAnalizaOceny");
    clickItem("LMenuWykresy", "LWykresSlupkowy");
    TFWykres &wykres = m_shell->wykres();
    QVERIFY(wykres.isVisible());
    // The results table on display does not change what the chart shows.
    clickItem("LMenuTabele", "LAnalizaPunktacja");
    QCOMPARE(wykres.chart().bar.points[4].value, 1.0); // "Dop"
    runDialog([&](TFProgi &dialog) {
        dialog.findChild<SpinEdit *>(u"SDp"_s)->setText(u"30"_s);
        QCOMPARE(wykres.chart().bar.points[4].value, 2.0);
        QCOMPARE(wykres.chart().bar.points[5].value, 0.0); // "Ndst"
        QCOMPARE(wykres.chart().header.lines, QStringList{u"Zestawienie ocen"_s});
        QTest::mouseClick(dialog.findChild<QWidget *>(u"BZastosuj"_s), Qt::LeftButton);
    });
    Session &session = m_shell->session();
    QCOMPARE(session.analysis.thresholds.dop, 30);
    QCOMPARE(session.analysis.tableMode, int(TableResults));
    QCOMPARE(session.grid.text(12, 1), u"Dop"_s); // "Ocena" of the first student
    QCOMPARE(wykres.chart().bar.points[4].value, 2.0);
    QVERIFY(!QFile::exists(QDir(m_dir.path()).filePath(u"Progi.txt"_s)));

    // "Domyślne" puts back 50, 60, 75, 85, 95.
    runDialog([&](TFProgi &dialog) {
        QCOMPARE(dialog.findChild<SpinEdit *>(u"SDp"_s)->text(), u"30"_s);
        QTest::mouseClick(dialog.findChild<QWidget *>(u"BDomyslne"_s), Qt::LeftButton);
        QCOMPARE(dialog.fieldThresholds(), std::optional<Thresholds>(Thresholds{}));
        QTest::mouseClick(dialog.findChild<QWidget *>(u"BZastosuj"_s), Qt::LeftButton);
    });
    QCOMPARE(session.analysis.thresholds, Thresholds{});
    QCOMPARE(session.grid.text(12, 1), u"Ndst"_s);
}

void TestThresholdsDialog::zapiszWritesProgiTxt()
{
    load({3, 5, 6, 9});
    const QString path = QDir(m_dir.path()).filePath(u"Progi.txt"_s);
    QVERIFY(writeFile(path, "stare\r\n"));
    runDialog([&](TFProgi &dialog) {
        const std::array<const char *, 5> names{"SDp", "SDst", "SDb", "SBdb", "SCel"};
        const std::array<const char *, 5> values{"0", "30", "30", "90", "101"};
        for (std::size_t i = 0; i < names.size(); ++i)
            dialog.findChild<SpinEdit *>(QLatin1String(names[i]))
                    ->setText(QLatin1String(values[i]));
        QTest::mouseClick(dialog.findChild<QWidget *>(u"BZapisz"_s), Qt::LeftButton);
    });
    QCOMPARE(readAll(path), QByteArray("Dp=0\r\nDst=30\r\nDb=30\r\nBdb=90\r\ncel=101\r\n"));
    const Thresholds t = m_shell->session().analysis.thresholds;
    QCOMPARE(loadThresholds(m_dir.path()), t);
    QCOMPARE(t.cel, 101);
    QCOMPARE(m_shell->session().analysis.students[3].Ocena, u"Bdb"_s);
    QCOMPARE(QDir(m_dir.path()).entryList({u"Progi*"_s}, QDir::Files | QDir::Hidden),
            QStringList{u"Progi.txt"_s});
}

// A Progi.txt edited by hand is checked as soon as the dialog shows it: the
// teacher sees the red fields and why, and nothing is saved or clamped.
void TestThresholdsDialog::opensOnABadProgiTxt_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QList<bool>>("marked");
    QTest::addColumn<QString>("message");
    QTest::newRow("falling") << QByteArray("Dp=90\r\nDst=10\r\nDb=65\r\nBdb=75\r\ncel=85\r\n")
                             << QList<bool>{true, true, false, false, false}
                             << TFProgi::risingMessage();
    QTest::newRow("below 0") << QByteArray("Dp=-5\r\nDst=55\r\nDb=65\r\nBdb=75\r\ncel=85\r\n")
                             << QList<bool>{true, false, false, false, false}
                             << TFProgi::rangeMessage();
    QTest::newRow("above 101") << QByteArray("Dp=45\r\nDst=55\r\nDb=65\r\nBdb=75\r\ncel=150\r\n")
                               << QList<bool>{false, false, false, false, true}
                               << TFProgi::rangeMessage();
}

void TestThresholdsDialog::opensOnABadProgiTxt()
{
    QFETCH(QByteArray, file);
    QFETCH(QList<bool>, marked);
    QFETCH(QString, message);
    const QString path = QDir(m_dir.path()).filePath(u"Progi.txt"_s);
    QVERIFY(writeFile(path, file));
    // The thresholds are read when the program starts.
    m_shell.reset();
    m_shell = std::make_unique<Shell>(m_platform.get());
    m_shell->start();
    QVERIFY(QTest::qWaitForWindowExposed(&m_shell->glowny()));
    load({3, 5, 6, 9});
    const Thresholds before = m_shell->session().analysis.thresholds;

    const char *const names[] = {"SDp", "SDst", "SDb", "SBdb", "SCel"};
    runDialog([&](TFProgi &dialog) {
        for (int i = 0; i < 5; ++i)
            QCOMPARE(dialog.isFieldMarked(i), marked.at(i));
        QCOMPARE(dialog.findChild<QLabel *>(u"LKomunikat"_s)->text(), message);
        auto *zapisz = dialog.findChild<QWidget *>(u"BZapisz"_s);
        QVERIFY(!zapisz->isEnabled());
        QVERIFY(!dialog.findChild<QWidget *>(u"BZastosuj"_s)->isEnabled());
        QTest::mouseClick(zapisz, Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        // Shown as read, never brought into range behind the teacher's back.
        QStringList texts;
        for (const char *name : names)
            texts.append(dialog.findChild<SpinEdit *>(QLatin1String(name))->text());
        QVERIFY2(QString::fromLatin1(file).contains(u"=%1\r"_s.arg(texts.at(marked.indexOf(true)))),
                qPrintable(texts.join(u' ')));
        QTest::mouseClick(dialog.findChild<QWidget *>(u"BAnuluj"_s), Qt::LeftButton);
    });
    QCOMPARE(readAll(path), file);
    QCOMPARE(m_shell->session().analysis.thresholds, before);
}

void TestThresholdsDialog::failedZapiszKeepsTheOldFile()
{
    load({3, 5, 6, 9});
    // A folder of its own as the start folder, which no new file may enter.
    QTemporaryDir start;
    QVERIFY(start.isValid());
    const QString path = QDir(start.path()).filePath(u"Progi.txt"_s);
    const QByteArray old = "Dp=45\r\nDst=55\r\nDb=65\r\nBdb=75\r\ncel=85\r\n";
    QVERIFY(writeFile(path, old));
    m_shell->session().analysis.startDirectory = start.path();
    if (!lockFolder(start.path())) {
        unlockFolder(start.path());
        QSKIP("no way to make a folder refuse new files here");
    }

    MessageBoxCatcher catcher;
    bool stayedOpen = false;
    runDialog([&](TFProgi &dialog) {
        dialog.findChild<SpinEdit *>(u"SDp"_s)->setText(u"40"_s);
        QTest::mouseClick(dialog.findChild<QWidget *>(u"BZapisz"_s), Qt::LeftButton);
        stayedOpen = dialog.isVisible();
        QTest::mouseClick(dialog.findChild<QWidget *>(u"BAnuluj"_s), Qt::LeftButton);
    });
    unlockFolder(start.path());
    QVERIFY(stayedOpen);
    QCOMPARE(catcher.texts,
            QStringList{u"Nie można zapisać pliku %1: brak uprawnień"_s.arg(
                    QDir::toNativeSeparators(path))});
    QCOMPARE(readAll(path), old);
    QCOMPARE(QDir(start.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{u"Progi.txt"_s});
    QCOMPARE(m_shell->session().analysis.thresholds, Thresholds{});
}

void TestThresholdsDialog::scoreChartsFromTheMenu()
{
    load({3, 5, 6, 9});
    TFWykres &wykres = m_shell->wykres();
    clickItem("LMenuWykresy", "LWykresCzasWynik");
    QVERIFY(wykres.isVisible());
    QVERIFY(wykres.chart().xy.active);
    QCOMPARE(wykres.chart().xy.style, chart::XYStyle::Markers);
    QCOMPARE(wykres.chart().xy.points.size(), 4);
    QCOMPARE(wykres.kindState().ChartKind, int(ChartKindLine));
    // Student 1 is the fastest (15 min) and "Ndst": named beside the marker.
    QCOMPARE(wykres.chart().xy.points[0].x, 15.0);
    QCOMPARE(wykres.chart().xy.points[0].label, u"Uczeń1 Ola"_s);

    clickItem("LMenuWykresy", "LWykresRozklad");
    QCOMPARE(wykres.chart().xy.style, chart::XYStyle::Columns);
    QCOMPARE(wykres.kindState().ChartKind, int(ChartKindBar));
    QCOMPARE(wykres.chart().header.lines, QStringList{u"Rozkład punktów"_s});

    // A template loaded onto it keeps the plot and takes the template's titles.
    const QString file = QDir(m_dir.path()).filePath(u"wzor.ssw"_s);
    m_platform->saveAnswers.push_back(file);
    wykres.SaveFormatTemplate();
    m_platform->saveAnswers.push_back(file);
    wykres.LoadFormatTemplate();
    QVERIFY(wykres.chart().xy.active);
    QCOMPARE(wykres.chart().leftAxis.title, u"Liczba uczniów"_s);

    // "Formatuj" on either chart: every page of the dialog, then the chart drawn again.
    for (const char *item : {"LWykresRozklad", "LWykresCzasWynik"}) {
        clickItem("LMenuWykresy", item);
        bool shown = false;
        test::ModalAnswerer answerer([&shown](QWidget *dialog) {
            auto *pages = dialog->findChild<QTabWidget *>(u"PageControl1"_s);
            QVERIFY(pages);
            for (int i = 0; i < pages->count(); ++i) {
                pages->setCurrentIndex(i);
                QVERIFY(!dialog->grab().isNull());
            }
            shown = true;
            QTest::mouseClick(dialog->findChild<QWidget *>(u"LCloseUstawienia"_s), Qt::LeftButton);
        });
        QTest::mouseClick(wykres.findChild<QWidget *>(u"LWykresMenuFormat"_s), Qt::LeftButton);
        QVERIFY(shown);
        QVERIFY(wykres.chart().xy.active);
        QVERIFY(!wykres.grab().isNull());
    }

    clickItem("LMenuWykresy", "LWykresKolowy");
    QVERIFY(!wykres.chart().xy.active);
}

/// The sample class in the dialog and both charts; with ZAVEVAD_SCREENSHOT_DIR
/// set, the pictures are kept there.
void TestThresholdsDialog::picturesOfTheSampleClass()
{
    QStringList paths;
    for (const QString &name : QDir(test::examplesPath()).entryList({u"*.dat"_s}, QDir::Files)) {
        if (!name.startsWith(u"inny_test"_s))
            paths.append(test::examplesPath(name));
    }
    QVERIFY(!paths.isEmpty());
    m_platform->openFilesAnswers.push_back(paths);
    clickItem("LMenuPlik", "LPlikOpen");
    QVERIFY(m_shell->session().analysis.dataLoaded);
    const QString dir = qEnvironmentVariable("ZAVEVAD_SCREENSHOT_DIR");
    auto keep = [&dir](QWidget &window, const QString &file) {
        const QImage image = window.grab().toImage();
        QVERIFY(!image.isNull());
        if (!dir.isEmpty())
            QVERIFY(image.save(QDir(dir).filePath(file)));
    };
    for (const char *label : {"LMenuEdycja", "LMenuWykresy"}) {
        QTest::mouseClick(
                m_shell->glowny().findChild<QLabel *>(QLatin1String(label)), Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowExposed(&m_shell->menu()));
        keep(m_shell->menu(), u"menu-"_s + QString::fromLatin1(label).mid(5).toLower() + u".png"_s);
        m_shell->menu().closeMenu();
    }
    TFWykres &wykres = m_shell->wykres();
    clickItem("LMenuWykresy", "LWykresRozklad");
    QVERIFY(QTest::qWaitForWindowExposed(&wykres));
    keep(wykres, u"chart-score-distribution.png"_s);
    clickItem("LMenuWykresy", "LWykresCzasWynik");
    keep(wykres, u"chart-time-score.png"_s);
    clickItem("LMenuWykresy", "LWykresMapaPytan");
    QVERIFY(wykres.chart().xy.active);
    QCOMPARE(wykres.chart().header.lines, QStringList{u"Mapa pytań"_s});
    keep(wykres, u"chart-question-map.png"_s);
    wykres.hide();
    clickItem("LMenuTabele", "LAnalizaOceny");
    runDialog([&](TFProgi &dialog) {
        dialog.findChild<SpinEdit *>(u"SDst"_s)->setText(u"45"_s);
        keep(dialog, u"dialog-progi-error.png"_s);
        dialog.findChild<SpinEdit *>(u"SDst"_s)->setText(u"55"_s);
        keep(dialog, u"dialog-progi.png"_s);
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
}

/// The class comparison of the two sample classes counts the grades of the
/// thresholds being tried, per class and in total, and "Anuluj" takes them back.
void TestThresholdsDialog::classComparisonFollowsTheDialog()
{
    m_platform->openFolderAnswers.push_back(test::examplesPath(u"klasy"_s));
    clickItem("LMenuPlik", "LPlikOpenKlasy");
    clickItem("LMenuTabele", "LAnalizaKlasy");
    const Session &session = m_shell->session();
    const GridModel &grid = session.grid;
    QCOMPARE(grid.text(0, 3), u"Razem"_s);
    constexpr int kCel = 7;
    const QList<QString> before = gridTexts();
    std::array<int, 3> perfect{}; // 8a, 8b, Razem
    for (const UczenAll &student : session.analysis.students) {
        if (student.Procent == 100) {
            ++perfect[student.schoolClass == u"8a"_s ? 0 : 1];
            ++perfect[2];
        }
    }
    QVERIFY(perfect[2] > 0);
    QVERIFY(grid.text(kCel, 3).toInt() > perfect[2]);
    runDialog([&](TFProgi &dialog) {
        dialog.findChild<SpinEdit *>(u"SCel"_s)->setText(u"100"_s);
        for (int r = 1; r <= 3; ++r)
            QCOMPARE(grid.text(kCel, r), QString::number(perfect[std::size_t(r - 1)]));
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    QCOMPARE(gridTexts(), before);
}

QTEST_MAIN(TestThresholdsDialog)
#include "tst_thresholdsdialog.moc"
