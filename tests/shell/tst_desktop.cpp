#include "messageboxcatcher.h"
#include "modalhelper.h"
#include "resultfilewriter.h"
#include "scriptedplatform.h"
#include "specialfiles.h"

#include "charts/formattemplate.h"
#include "charts/window/tfwykres.h"
#include "export/htmlexport.h"
#include "export/tabletext.h"
#include "shell/shell.h"
#include "shell/tfglowny.h"
#include "shell/tfmenu.h"
#include "tables/view/gridview.h"
#include "tables/view/tablepanel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QSpontaneKeyEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace zavevad;
using namespace Qt::StringLiterals;

namespace {

// A key, or a wheel turn of that many eighths of a degree (120 is one notch).
struct Input
{
    Qt::Key key = Qt::Key_unknown;
    int wheel = 0;
};

Input key(Qt::Key k)
{
    return {k, 0};
}

Input wheel(int angle)
{
    return {Qt::Key_unknown, angle};
}

} // namespace

Q_DECLARE_METATYPE(Input)

class TestDesktop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void dropOnMainWindow_data();
    void dropOnMainWindow();
    void commandLineFilesLoadAfterStart();
    void dropTemplateOnChartWindow_data();
    void dropTemplateOnChartWindow();
    void dropsAreCopies_data();
    void dropsAreCopies();
    void savesNeverReplaceALoadedFile_data();
    void savesNeverReplaceALoadedFile();
    void keysAndWheelPageLikeTheArrows_data();
    void keysAndWheelPageLikeTheArrows();
    void shortcutsRunMenuCommands();
    void dialogsRememberTheLastFolder();
    void droppedFoldersAreClasses();
    void everyClassFolderIsReadOrNamed_data();
    void everyClassFolderIsReadOrNamed();

private:
    /// `students` files of one test with `questions` questions, in a folder of their own.
    QString writeClass(const QString &folder, int students, int questions = 20);
    /// Sends a drag and a drop of `paths` to `target`; returns whether the drag was taken.
    static bool drop(QWidget &target, const QStringList &paths);
    void loadFolder(const QString &folder);

    QTemporaryDir m_dir;
    QString m_previousDir;
    std::unique_ptr<test::ScriptedPlatform> m_platform;
    std::unique_ptr<Shell> m_shell;
};

void TestDesktop::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    QVERIFY(m_dir.isValid());
    m_previousDir = QDir::currentPath();
}

void TestDesktop::init()
{
    QVERIFY(QDir::setCurrent(m_dir.path()));
    m_platform = std::make_unique<test::ScriptedPlatform>();
    m_shell = std::make_unique<Shell>(m_platform.get());
    m_shell->start();
    QVERIFY(QTest::qWaitForWindowExposed(&m_shell->glowny()));
}

void TestDesktop::cleanup()
{
    m_shell.reset();
    m_platform.reset();
    QDir::setCurrent(m_previousDir);
}

QString TestDesktop::writeClass(const QString &folder, int students, int questions)
{
    const QString path = m_dir.filePath(folder);
    if (QFileInfo::exists(path))
        return path;
    QDir().mkpath(path);
    for (int i = 0; i < students; ++i) {
        test::ResultFileSpec fileSpec;
        fileSpec.surname = u"Uczeń%1"_s.arg(i, 2, 10, QLatin1Char('0'));
        fileSpec.questionCount = questions;
        fileSpec.answers = QByteArray(questions, char(i % 2));
        test::writeResultFile(path, u"u%1.dat"_s.arg(i, 2, 10, QLatin1Char('0')), fileSpec);
    }
    return path;
}

bool TestDesktop::drop(QWidget &target, const QStringList &paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls.append(QUrl::fromLocalFile(path));
    data.setUrls(urls);
    const QPoint at = target.rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &dropped);
    return dropped.isAccepted();
}

void TestDesktop::loadFolder(const QString &folder)
{
    m_shell->glowny().openPaths({folder});
    QTRY_VERIFY(m_shell->session().analysis.dataLoaded);
}

void TestDesktop::dropOnMainWindow_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<int>("students");
    QTest::newRow("files") << QStringList{u"klasa/u00.dat"_s, u"klasa/u01.dat"_s} << true << 2;
    QTest::newRow("folder") << QStringList{u"klasa"_s} << true << 5;
    QTest::newRow("other files left out")
            << QStringList{u"notatki.txt"_s, u"klasa/u03.dat"_s} << true << 1;
    QTest::newRow("nothing to load") << QStringList{u"notatki.txt"_s} << false << 0;
}

void TestDesktop::dropOnMainWindow()
{
    QFETCH(QStringList, names);
    QFETCH(bool, taken);
    QFETCH(int, students);
    writeClass(u"klasa"_s, 5);
    QStringList paths;
    for (const QString &name : names)
        paths.append(m_dir.filePath(name));

    QCOMPARE(drop(m_shell->glowny(), paths), taken);
    const AnalysisState &analysis = m_shell->session().analysis;
    if (taken)
        QTRY_VERIFY(analysis.dataLoaded);
    QTest::qWait(20);
    QCOMPARE(analysis.studentCount, students);
    QCOMPARE(m_shell->glowny().PTabela()->isVisible(), taken);
}

void TestDesktop::commandLineFilesLoadAfterStart()
{
    const QString folder = writeClass(u"klasa"_s, 5);
    test::ResultFileSpec shortSpec;
    shortSpec.totalSize = 100;
    const QString bad = test::writeResultFile(m_dir.path(), u"zly.dat"_s, shortSpec);

    // A bad file shows the load's own warning and loads nothing.
    QString prompt;
    {
        test::ModalAnswerer answerer([&prompt](QWidget *modal) {
            prompt = modal->findChild<QLabel *>(u"LTesktMonitu"_s)->text();
            modal->close();
        });
        m_shell->glowny().openPaths({folder + u"/u00.dat"_s, bad});
        QTRY_VERIFY(!prompt.isEmpty());
    }
    QVERIFY(prompt.contains(u"niepoprawną strukturę"_s));
    QVERIFY(!m_shell->session().analysis.dataLoaded);

    loadFolder(folder);
    QCOMPARE(m_shell->session().analysis.studentCount, 5);
    QCOMPARE(m_shell->session().grid.text(0, 1), u"Uczeń00 Jan"_s);
}

void TestDesktop::dropTemplateOnChartWindow_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("message");
    QTest::newRow("template") << TChartAppearance::ByteSize << QString();
    QTest::newRow("longer file") << TChartAppearance::ByteSize + 10 << QString();
    QTest::newRow("short file") << 943 << u"Read beyond end of file"_s;
}

void TestDesktop::dropTemplateOnChartWindow()
{
    QFETCH(int, size);
    QFETCH(QString, message);
    loadFolder(writeClass(u"klasa"_s, 5));
    m_shell->hooks().Wykres(ChartKindBar);
    TFWykres &wykres = m_shell->wykres();
    QVERIFY(wykres.isVisible());
    const QByteArray before = wykres.appearances().CurrentAppearance.toBytes();

    TChartAppearance changed = wykres.appearances().CurrentAppearance;
    changed.TitleAlignment = 2;
    changed.BottomAxisTitle.setCp1250("Uczniowie");
    const QByteArray bytes = QByteArray(changed.toBytes() + QByteArray(16, 'x')).left(size);
    const QString path = m_dir.filePath(u"wzor.ssw"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();

    QVERIFY(!drop(wykres, {m_dir.filePath(u"klasa/u00.dat"_s)}));
    QString shown;
    {
        test::ModalAnswerer answerer([&shown](QWidget *modal) {
            if (auto *box = qobject_cast<QMessageBox *>(modal))
                shown = box->text();
            modal->close();
        });
        QVERIFY(drop(wykres, {path}));
        if (!message.isEmpty())
            QTRY_VERIFY(!shown.isEmpty());
        else
            QTRY_COMPARE(wykres.appearances().CurrentAppearance.toBytes(), changed.toBytes());
    }
    QCOMPARE(shown, message);
    if (!message.isEmpty())
        QCOMPARE(wykres.appearances().CurrentAppearance.toBytes(), before);
}

// A source offering a move (Shift held: Qt proposes the move) is told the
// files were copied, so that it never deletes them; one offering only a move
// is refused.
void TestDesktop::dropsAreCopies_data()
{
    QTest::addColumn<bool>("chartWindow");
    QTest::addColumn<int>("actions");
    QTest::addColumn<bool>("taken");
    const int copyOrMove = Qt::CopyAction | Qt::MoveAction;
    QTest::newRow("main window, copy or move") << false << copyOrMove << true;
    QTest::newRow("main window, move only") << false << int(Qt::MoveAction) << false;
    QTest::newRow("chart window, copy or move") << true << copyOrMove << true;
    QTest::newRow("chart window, move only") << true << int(Qt::MoveAction) << false;
}

void TestDesktop::dropsAreCopies()
{
    QFETCH(bool, chartWindow);
    QFETCH(int, actions);
    QFETCH(bool, taken);
    const QString folder = writeClass(u"klasa"_s, 5);
    QWidget *target = &m_shell->glowny();
    QString path = folder;
    if (chartWindow) {
        loadFolder(folder);
        m_shell->hooks().Wykres(ChartKindBar);
        target = &m_shell->wykres();
        path = m_dir.filePath(u"wzor.ssw"_s);
        QFile file(path);
        const QByteArray bytes = m_shell->wykres().appearances().CurrentAppearance.toBytes();
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPoint at = target->rect().center();
    const auto possible = Qt::DropActions(actions);
    QDragEnterEvent enter(at, possible, &data, Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(enter.proposedAction(), Qt::MoveAction);
    QCoreApplication::sendEvent(target, &enter);
    QCOMPARE(enter.isAccepted(), taken);
    QDropEvent dropped(at, possible, &data, Qt::LeftButton, Qt::ShiftModifier);
    QCoreApplication::sendEvent(target, &dropped);
    QCOMPARE(dropped.isAccepted(), taken);
    if (taken) {
        QCOMPARE(enter.dropAction(), Qt::CopyAction);
        QCOMPARE(dropped.dropAction(), Qt::CopyAction);
    }
    if (!chartWindow) {
        if (taken)
            QTRY_VERIFY(m_shell->session().analysis.dataLoaded);
        QTest::qWait(20);
        QCOMPARE(m_shell->session().analysis.dataLoaded, taken);
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 5);
    }
}

// A save answered with a loaded result file under another name (a link to
// it) is refused with a message naming it, and the file stays.
void TestDesktop::savesNeverReplaceALoadedFile_data()
{
    QTest::addColumn<QString>("extension");
    QTest::newRow("table as text") << u"txt"_s;
    QTest::newRow("report") << u"pdf"_s;
    QTest::newRow("workbook") << u"xlsx"_s;
}

void TestDesktop::savesNeverReplaceALoadedFile()
{
    QFETCH(QString, extension);
    // A result file of any name may be given on the command line.
    const QString student = m_dir.filePath(u"uczen.wyn"_s);
    QFile::remove(student);
    QVERIFY(QFile::copy(writeClass(u"klasa"_s, 5) + u"/u02.dat"_s, student));
    m_shell->glowny().openPaths({student});
    QTRY_VERIFY(m_shell->session().analysis.dataLoaded);
    QFile file(student);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    const QString link = m_dir.filePath(u"uczen."_s + extension);
    QFile::remove(link);
    QVERIFY(QFile::link(student, link));

    m_platform->saveAnswers.push_back(link);
    test::MessageBoxCatcher catcher;
    TFMenu &menu = m_shell->menu();
    if (extension == u"txt"_s)
        menu.LPlikSaveTxtClick();
    else if (extension == u"pdf"_s)
        menu.LPlikSavePdfClick();
    else
        menu.LPlikSaveXlsxClick();
    QTRY_COMPARE(catcher.texts,
            QStringList{
                    u"Nie można zapisać pliku %1: to jest plik wczytany przez program (uczen.wyn)"_s
                            .arg(QDir::toNativeSeparators(link))});
    QVERIFY(QFileInfo(link).isSymLink());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
}

void TestDesktop::keysAndWheelPageLikeTheArrows_data()
{
    QTest::addColumn<int>("students");
    QTest::addColumn<int>("table");
    QTest::addColumn<QList<Input>>("inputs");
    QTest::addColumn<QList<int>>("topRows");

    // Results table of 40: 15 rows a page, the last page at row 26.
    QTest::newRow("results down, up")
            << 40 << 1
            << QList<Input>{key(Qt::Key_Down), key(Qt::Key_PageDown), key(Qt::Key_Down),
                       key(Qt::Key_Up), key(Qt::Key_PageUp), key(Qt::Key_Up)}
            << QList<int>{16, 26, 26, 11, 1, 1};
    QTest::newRow("results home, end")
            << 40 << 1 << QList<Input>{key(Qt::Key_End), key(Qt::Key_End), key(Qt::Key_Home)}
            << QList<int>{26, 26, 1};
    QTest::newRow("results wheel")
            << 40 << 1 << QList<Input>{wheel(-120), wheel(-60), wheel(-60), wheel(240), wheel(120)}
            << QList<int>{16, 16, 26, 1, 1};
    // Working-time table: 16 rows a page.
    QTest::newRow("working time 40") << 40 << 2
                                     << QList<Input>{key(Qt::Key_PageDown), key(Qt::Key_End),
                                                key(Qt::Key_PageUp), key(Qt::Key_Home)}
                                     << QList<int>{17, 25, 9, 1};
    QTest::newRow("working time 16, all rows shown")
            << 16 << 2 << QList<Input>{key(Qt::Key_Down), key(Qt::Key_End)} << QList<int>{1, 1};
    QTest::newRow("few students: no paging")
            << 10 << 1 << QList<Input>{key(Qt::Key_Down), wheel(-120), key(Qt::Key_End)}
            << QList<int>{1, 1, 1};
    QTest::newRow("grade count: no arrows")
            << 40 << 3 << QList<Input>{key(Qt::Key_Down), key(Qt::Key_End), key(Qt::Key_Right)}
            << QList<int>{1, 1, 1};
}

void TestDesktop::keysAndWheelPageLikeTheArrows()
{
    QFETCH(int, students);
    QFETCH(int, table);
    QFETCH(QList<Input>, inputs);
    QFETCH(QList<int>, topRows);
    loadFolder(writeClass(u"klasa%1"_s.arg(students), students));
    TFGlowny &main = m_shell->glowny();
    main.PokazTabele(TableKind(table));
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    GridView *grid = main.PTabela()->grid();
    const GridModel &model = m_shell->session().grid;
    const GridState &state = m_shell->session().gridState;

    for (qsizetype i = 0; i < inputs.size(); ++i) {
        const Input input = inputs.at(i);
        if (input.wheel != 0) {
            const QPointF at = grid->rect().center();
            QWheelEvent event(at, grid->mapToGlobal(at), QPoint(), QPoint(0, input.wheel),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            // As from a real mouse, so that it travels up from the grid.
            QSpontaneKeyEvent::setSpontaneous(&event);
            qApp->notify(grid, &event);
        } else {
            QTest::keyClick(&main, input.key);
        }
        QCOMPARE(model.topRow(), topRows.at(i));
        // The arrows follow, as after a click on them.
        const int last = table == 1 ? students - 14 : students - 15;
        if (table != 3 && students > 15) {
            QCOMPARE(state.panels.PTabelaWGore.visible, model.topRow() != 1);
            QCOMPARE(state.panels.PTabelaWDol.visible,
                    model.topRow() == 1 || model.topRow() != last);
        }
    }
}

void TestDesktop::shortcutsRunMenuCommands()
{
    TFGlowny &main = m_shell->glowny();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    using Call = test::ScriptedPlatform::DialogCall;

    // Before a load, the commands that need results do nothing.
    QTest::keyClick(&main, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(&main, Qt::Key_C, Qt::ControlModifier);
    QVERIFY(m_platform->calls.isEmpty());
    QCOMPARE(m_platform->clipboardWrites, 0);

    QTest::keyClick(&main, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(m_platform->calls.size(), 1);
    QCOMPARE(m_platform->calls.constLast().kind, Call::OpenFiles);
    QCOMPARE(m_platform->calls.constLast().title, u"Wybierz pliki"_s);

    loadFolder(writeClass(u"klasa"_s, 20));
    QTest::keyClick(&main, Qt::Key_Right);
    QVERIFY(!m_shell->session().gridState.firstQuestionPage);
    QCOMPARE(m_shell->session().grid.text(1, 0), u"16"_s);
    QTest::keyClick(&main, Qt::Key_Left);
    QVERIFY(m_shell->session().gridState.firstQuestionPage);

    QTest::keyClick(&main, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_platform->calls.constLast().kind, Call::Save);
    QCOMPARE(m_platform->saveDefaultExtension(), u"txt"_s);
    QTest::keyClick(&main, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(m_platform->saveDefaultExtension(), u"html"_s);
    QCOMPARE(m_platform->calls.size(), 3);

    const GridModel &grid = m_shell->session().grid;
    QTest::keyClick(&main, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(m_platform->clipboardText(), tableText(grid));
    QVERIFY(!m_platform->clipboard()->hasHtml());
    QTest::keyClick(&main, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(m_platform->clipboard()->html(), htmlTableText(grid));

    QTest::keyClick(&main, Qt::Key_F1);
    QCOMPARE(m_platform->openedDocuments.size(), 1);
}

void TestDesktop::dialogsRememberTheLastFolder()
{
    using Call = test::ScriptedPlatform::DialogCall;
    const QString start = QDir::currentPath();
    const QString klasa = writeClass(u"klasa"_s, 3);
    TFMenu &menu = m_shell->menu();

    m_platform->openFilesAnswers.push_back(QStringList{klasa + u"/u00.dat"_s});
    menu.LPlikOpenClick();
    QCOMPARE(m_platform->calls.constLast().directory, start);

    QVERIFY(QDir().mkpath(m_dir.filePath(u"eksport"_s)));
    m_platform->saveAnswers.push_back(m_dir.filePath(u"eksport/tabela"_s));
    menu.LPlikSaveTxtClick();
    QCOMPARE(m_platform->calls.constLast().kind, Call::Save);
    QCOMPARE(m_platform->calls.constLast().directory, klasa);
    QVERIFY(QFile::exists(m_dir.filePath(u"eksport/tabela.txt"_s)));

    menu.LPlikOpenClick();
    QCOMPARE(m_platform->calls.constLast().kind, Call::OpenFiles);
    QCOMPARE(m_platform->calls.constLast().directory, m_dir.filePath(u"eksport"_s));
    // Progi.txt and the help stay in the start folder.
    QCOMPARE(m_shell->session().analysis.startDirectory, start);
}

// Each folder dropped is a class named after it; a file dropped alone belongs
// to the class of its folder.
void TestDesktop::droppedFoldersAreClasses()
{
    const QString a = writeClass(u"8a"_s, 3);
    const QString b = writeClass(u"8b"_s, 2);
    writeClass(u"8c"_s, 2);
    QVERIFY(drop(m_shell->glowny(), {b, a, m_dir.filePath(u"8c/u01.dat"_s)}));
    const AnalysisState &analysis = m_shell->session().analysis;
    QTRY_VERIFY(analysis.dataLoaded);
    QStringList classes;
    for (const UczenAll &student : analysis.students)
        classes.append(student.schoolClass);
    classes.sort();
    QCOMPARE(classes, (QStringList{u"8a"_s, u"8a"_s, u"8a"_s, u"8b"_s, u"8b"_s, u"8c"_s}));
}

// A folder of classes from the menu, a drop or the command line: a class
// folder named in Latin-2 bytes loads as its own class, one that may not be
// read is named in a warning, and the others load.
void TestDesktop::everyClassFolderIsReadOrNamed_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("latin2Alone");
    QTest::newRow("menu") << u"menu"_s << false;
    QTest::newRow("drop") << u"drop"_s << false;
    QTest::newRow("command line") << u"command line"_s << false;
    QTest::newRow("drop of the Latin-2 folder") << u"drop"_s << true;
}

void TestDesktop::everyClassFolderIsReadOrNamed()
{
#ifdef Q_OS_LINUX
    QFETCH(QString, how);
    QFETCH(bool, latin2Alone);
    QTemporaryDir dir;
    const test::TreeRemover remover(dir.path());
    const QString top = dir.filePath(u"szkola"_s);
    const QByteArray latin2 = QFile::encodeName(top) + "/7\xb1";
    QVERIFY(QDir().mkpath(top + u"/8a"_s));
    QVERIFY(::mkdir(latin2.constData(), 0755) == 0);
    for (int i = 0; i < 2; ++i) {
        test::ResultFileSpec record;
        record.surname = u"Ósma%1"_s.arg(i);
        test::writeResultFile(top + u"/8a"_s, u"u%1.dat"_s.arg(i), record);
        record.surname = u"Siódma%1"_s.arg(i);
        const QByteArray bytes = test::resultFileBytes(record);
        QFile file;
        QVERIFY(file.open(
                ::fopen(QByteArray(latin2 + "/u" + QByteArray::number(i) + ".dat").constData(),
                        "wb"),
                QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
        QVERIFY(file.write(bytes) == bytes.size());
    }
    QVERIFY(test::makeUnreadableFolder(dir.path(), top + u"/8z"_s));

    QStringList prompts;
    {
        test::ModalAnswerer answerer([&prompts](QWidget *modal) {
            prompts.append(modal->findChild<QLabel *>(u"LTesktMonitu"_s)->text());
            QTest::mouseClick(modal->findChild<QWidget *>(u"BCloseOK"_s), Qt::LeftButton);
        });
        const test::FilesAsNobody nobody;
        if (how == u"menu"_s) {
            m_platform->openFolderAnswers.push_back(top);
            m_shell->glowny().WczytajKlasy();
        } else if (how == u"command line"_s) {
            m_shell->glowny().openPaths({top});
        } else {
            QMimeData data;
            const QByteArray path = latin2Alone ? latin2 : QFile::encodeName(top);
            QByteArray url("file://");
            url += path.toPercentEncoding("/");
            data.setUrls({QUrl::fromEncoded(url)});
            QDragEnterEvent enter(
                    QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&m_shell->glowny(), &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent dropped(
                    QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&m_shell->glowny(), &dropped);
            QVERIFY(dropped.isAccepted());
        }
        QTRY_VERIFY(m_shell->session().analysis.dataLoaded);
    }
    QStringList classes;
    for (const UczenAll &student : m_shell->session().analysis.students)
        classes.append(student.displayName() + u": "_s + student.schoolClass);
    if (latin2Alone) {
        QCOMPARE(classes, (QStringList{u"Siódma0 Jan: 7\uFFFD"_s, u"Siódma1 Jan: 7\uFFFD"_s}));
        QCOMPARE(prompts, QStringList());
        return;
    }
    QCOMPARE(classes,
            (QStringList{u"Ósma0 Jan: 8a"_s, u"Ósma1 Jan: 8a"_s, u"Siódma0 Jan: 7\uFFFD"_s,
                    u"Siódma1 Jan: 7\uFFFD"_s}));
    // The prompt shows the warning's carriage returns as line breaks.
    QCOMPARE(prompts,
            QStringList{u"Uwaga. Nie można odczytać folderu:\n%1\nUczniów z tych folderów nie "
                        "wczytano."_s.arg(QDir::toNativeSeparators(top + u"/8z"_s))});
#else
    QSKIP("needs Linux file names and permissions");
#endif
}

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
