#include "../shell/modalhelper.h"
#include "filebytes.h"
#include "resultfilewriter.h"
#include "scriptedplatform.h"
#include "specialfiles.h"
#include "testsupport.h"

#include "app/commandline.h"
#include "results/resultpaths.h"
#include "shell/menutable.h"
#include "shell/shell.h"
#include "shell/tfglowny.h"
#include "shell/tfmenu.h"
#include "tables/view/tablepanel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <filesystem>
#include <fstream>
#include <utility>

using namespace zavevad;
using zavevad::test::readAll;
using namespace Qt::StringLiterals;

namespace {

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

Run runArguments(const QStringList &arguments)
{
    Run run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.status =
            runWithoutWindow(parseCommandLine(QStringList{u"zavevad"_s} + arguments), out, err);
    return run;
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void parse_data();
    void parse();
    void onlyQtOptionsAskForTheWindow_data();
    void onlyQtOptionsAskForTheWindow();
    void helpVersionAndUsageErrors();
    void folderStandsForItsResultFiles();
    void batchWritesTheMenuBytes_data();
    void batchWritesTheMenuBytes();
    void classesBatchWritesTheMenuBytes_data();
    void classesBatchWritesTheMenuBytes();
    void batchFailuresAreOneLine_data();
    void batchFailuresAreOneLine();
    void executableNeedsNoDisplay_data();
    void executableNeedsNoDisplay();
    void outputsThatWouldDestroyAreRefused_data();
    void outputsThatWouldDestroyAreRefused();
    void fullStandardOutputFails_data();
    void fullStandardOutputFails();
    void undecodableFileNameLoads();
    void folderOfClassFoldersLoadsAsClasses();
    void fullDiskSaysWhyInOneLine_data();
    void fullDiskSaysWhyInOneLine();

private:
    QByteArray menuExport(const QString &table, int page, const QString &format);

    QTemporaryDir m_dir;
    QString m_previousDir;
};

void TestCommandLine::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    QVERIFY(m_dir.isValid());
    m_previousDir = QDir::currentPath();
    // No Progi.txt here: the window and the batch both grade by the defaults.
    QVERIFY(QDir::setCurrent(m_dir.path()));
}

void TestCommandLine::cleanupTestCase()
{
    QDir::setCurrent(m_previousDir);
}

void TestCommandLine::parse_data()
{
    using Action = CommandLine::Action;
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("action");
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<int>("table");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("error");

    const QStringList none;
    QTest::newRow("nothing") << none << int(Action::Window) << none << 1 << 1 << QString();
    QTest::newRow("files") << QStringList{u"a.dat"_s, u"b.dat"_s} << int(Action::Window)
                           << QStringList{u"a.dat"_s, u"b.dat"_s} << 1 << 1 << QString();
    QTest::newRow("folder") << QStringList{u"klasa"_s} << int(Action::Window)
                            << QStringList{u"klasa"_s} << 1 << 1 << QString();
    QTest::newRow("file after --") << QStringList{u"--"_s, u"-x.dat"_s} << int(Action::Window)
                                   << QStringList{u"-x.dat"_s} << 1 << 1 << QString();
    QTest::newRow("--help") << QStringList{u"--help"_s} << int(Action::Help) << none << 1 << 1
                            << QString();
    QTest::newRow("-h") << QStringList{u"-h"_s} << int(Action::Help) << none << 1 << 1 << QString();
    QTest::newRow("--version") << QStringList{u"--version"_s} << int(Action::Version) << none << 1
                               << 1 << QString();
    QTest::newRow("unknown long") << QStringList{u"--foo"_s, u"a.dat"_s} << int(Action::UsageError)
                                  << none << 1 << 1 << u"Nieznana opcja: --foo"_s;
    QTest::newRow("unknown short") << QStringList{u"-x"_s} << int(Action::UsageError) << none << 1
                                   << 1 << u"Nieznana opcja: -x"_s;
    QTest::newRow("txt") << QStringList{u"--txt"_s, u"o.txt"_s, u"a.dat"_s} << int(Action::Batch)
                         << QStringList{u"a.dat"_s} << 1 << 1 << QString();
    QTest::newRow("czas html") << QStringList{u"--html"_s, u"o.html"_s, u"--tabela"_s, u"czas"_s,
            u"a.dat"_s} << int(Action::Batch)
                               << QStringList{u"a.dat"_s} << 2 << 1 << QString();
    QTest::newRow("oceny") << QStringList{u"--txt=o.txt"_s, u"--tabela=oceny"_s, u"a.dat"_s}
                           << int(Action::Batch) << QStringList{u"a.dat"_s} << 3 << 1 << QString();
    QTest::newRow("analiza") << QStringList{u"--txt"_s, u"o"_s, u"--tabela"_s, u"analiza"_s, u"a"_s}
                             << int(Action::Batch) << QStringList{u"a"_s} << 4 << 1 << QString();
    QTest::newRow("klasy") << QStringList{u"--html"_s, u"o"_s, u"--tabela"_s, u"klasy"_s, u"a"_s}
                           << int(Action::Batch) << QStringList{u"a"_s} << 6 << 1 << QString();
    QTest::newRow("pytania-klasy")
            << QStringList{u"--txt"_s, u"o"_s, u"--tabela"_s, u"pytania-klasy"_s, u"a"_s}
            << int(Action::Batch) << QStringList{u"a"_s} << 7 << 1 << QString();
    QTest::newRow("page 2") << QStringList{u"--txt"_s, u"o"_s, u"--strona"_s, u"2"_s, u"a"_s}
                            << int(Action::Batch) << QStringList{u"a"_s} << 1 << 2 << QString();
    QTest::newRow("bad table")
            << QStringList{u"--txt"_s, u"o"_s, u"--tabela"_s, u"x"_s, u"a"_s}
            << int(Action::UsageError) << none << 1 << 1
            << u"Nieznany rodzaj tabeli: x (wyniki, czas, oceny, analiza, umiejetnosci, klasy, "
               u"pytania-klasy, staniny, sp lub postepy)"_s;
    QTest::newRow("bad page") << QStringList{u"--txt"_s, u"o"_s, u"--strona"_s, u"3"_s, u"a"_s}
                              << int(Action::UsageError) << none << 1 << 1
                              << u"Strona pytań może być tylko 1 lub 2: 3"_s;
    QTest::newRow("page 2 of another table")
            << QStringList{u"--txt"_s, u"o"_s, u"--tabela"_s, u"czas"_s, u"--strona"_s, u"2"_s,
                       u"a"_s}
            << int(Action::UsageError) << none << 1 << 1
            << u"Druga strona pytań jest tylko w tabeli wyników."_s;
    QTest::newRow("table without output")
            << QStringList{u"--tabela"_s, u"czas"_s, u"a.dat"_s} << int(Action::UsageError) << none
            << 1 << 1 << u"Opcje --tabela i --strona działają tylko z --txt lub --html."_s;
    QTest::newRow("output without files")
            << QStringList{u"--txt"_s, u"o.txt"_s} << int(Action::UsageError) << none << 1 << 1
            << u"Nie podano plików wyników (*.dat)."_s;
    QTest::newRow("output without name") << QStringList{u"--txt"_s} << int(Action::UsageError)
                                         << none << 1 << 1 << u"Brak wartości opcji."_s;
    QTest::newRow("without names")
            << QStringList{u"--bez-nazwisk"_s, u"--xlsx"_s, u"o"_s, u"a"_s} << int(Action::Batch)
            << QStringList{u"a"_s} << 1 << 1 << QString();
    QTest::newRow("without names of a table")
            << QStringList{u"--bez-nazwisk"_s, u"--txt"_s, u"o"_s, u"a"_s}
            << int(Action::UsageError) << none << 1 << 1
            << u"Opcja --bez-nazwisk działa tylko z --pdf lub --xlsx."_s;
}

void TestCommandLine::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, action);
    QFETCH(QStringList, paths);
    QFETCH(int, table);
    QFETCH(int, page);
    QFETCH(QString, error);

    const CommandLine commandLine = parseCommandLine(QStringList{u"zavevad"_s} + arguments);
    QCOMPARE(int(commandLine.action), action);
    QCOMPARE(commandLine.error, error);
    if (action == int(CommandLine::Action::UsageError))
        return;
    QCOMPARE(commandLine.paths, paths);
    QCOMPARE(commandLine.batch.tableKind, table);
    QCOMPARE(commandLine.batch.page, page);
}

void TestCommandLine::onlyQtOptionsAskForTheWindow_data()
{
    QTest::addColumn<QByteArrayList>("arguments");
    QTest::addColumn<bool>("window");
    QTest::newRow("nothing") << QByteArrayList{} << true;
    QTest::newRow("files") << QByteArrayList{"a.dat", "klasa"} << true;
    QTest::newRow("Qt's platform") << QByteArrayList{"-platform", "offscreen", "a.dat"} << true;
    QTest::newRow("Qt's style, attached") << QByteArrayList{"--style=fusion"} << true;
    QTest::newRow("help") << QByteArrayList{"--help"} << false;
    QTest::newRow("export after a Qt option")
            << QByteArrayList{"-style", "fusion", "--txt", "o.txt", "a.dat"} << false;
    QTest::newRow("unknown") << QByteArrayList{"--foo"} << false;
    QTest::newRow("option-like file after --") << QByteArrayList{"--", "--foo"} << true;
}

void TestCommandLine::onlyQtOptionsAskForTheWindow()
{
    QFETCH(QByteArrayList, arguments);
    QFETCH(bool, window);
    arguments.prepend("zavevad");
    std::vector<char *> argv;
    for (QByteArray &argument : arguments)
        argv.push_back(argument.data());
    QCOMPARE(wantsWindow(int(argv.size()), argv.data()), window);
}

void TestCommandLine::helpVersionAndUsageErrors()
{
    const Run help = runArguments({u"--help"_s});
    QCOMPARE(help.status, int(ExitSuccess));
    QCOMPARE(help.out, helpText());
    QVERIFY(help.out.startsWith(u"Użycie: zavevad"_s));
    QVERIFY(help.err.isEmpty());

    const Run version = runArguments({u"--version"_s});
    QCOMPARE(version.status, int(ExitSuccess));
    QCOMPARE(version.out, u"Kalmo - Zavevad 1.0\n"_s);

    const Run unknown = runArguments({u"--foo"_s});
    QCOMPARE(unknown.status, int(ExitUsage));
    QVERIFY(unknown.out.isEmpty());
    QCOMPARE(unknown.err, u"zavevad: Nieznana opcja: --foo\n\n"_s + helpText());
}

void TestCommandLine::folderStandsForItsResultFiles()
{
    const QString folder = m_dir.filePath(u"klasa"_s);
    QVERIFY(QDir().mkpath(folder + u"/podfolder.dat"_s));
    for (const QString &name : {u"b.dat"_s, u"A.DAT"_s, u"c.txt"_s, u"a2.dat"_s})
        QVERIFY(QFile(folder + u'/' + name).open(QIODevice::WriteOnly));
    const QString single = m_dir.filePath(u"brak.dat"_s);
    QCOMPARE(expandResultPaths({single, folder}),
            (QStringList{
                    single, folder + u"/A.DAT"_s, folder + u"/a2.dat"_s, folder + u"/b.dat"_s}));
    QVERIFY(isResultFileName(u"x.Dat"_s));
    QVERIFY(!isResultFileName(u"x.ssw"_s));
}

QByteArray TestCommandLine::menuExport(const QString &table, int page, const QString &format)
{
    test::ScriptedPlatform platform;
    Shell shell(&platform);
    shell.start();
    {
        // The sample class holds two files of another test: the prompt says so.
        test::ModalAnswerer answerer([](QWidget *modal) { modal->close(); });
        shell.glowny().loadFiles(expandResultPaths({test::examplesPath()}));
    }
    const int kind = table == u"wyniki"_s ? 1
            : table == u"czas"_s          ? 2
            : table == u"oceny"_s         ? 3
            : table == u"analiza"_s       ? 4
                                          : 5;
    shell.glowny().PokazTabele(TableKind(kind));
    if (page == 2)
        shell.glowny().PTabela()->ImTabelaWPrawoClick();
    const QString path = m_dir.filePath(u"menu."_s + format);
    platform.saveAnswers.push_back(path);
    if (format == u"txt"_s)
        shell.menu().LPlikSaveTxtClick();
    else
        shell.menu().LPlikSaveHtmlClick();
    return readAll(path);
}

void TestCommandLine::batchWritesTheMenuBytes_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("format");
    QTest::newRow("wyniki txt") << u"wyniki"_s << 1 << u"txt"_s;
    QTest::newRow("wyniki page 2 html") << u"wyniki"_s << 2 << u"html"_s;
    QTest::newRow("wyniki page 2 txt") << u"wyniki"_s << 2 << u"txt"_s;
    QTest::newRow("czas html") << u"czas"_s << 1 << u"html"_s;
    QTest::newRow("oceny txt") << u"oceny"_s << 1 << u"txt"_s;
    QTest::newRow("analiza html") << u"analiza"_s << 1 << u"html"_s;
    QTest::newRow("umiejetnosci txt") << u"umiejetnosci"_s << 1 << u"txt"_s;
}

void TestCommandLine::batchWritesTheMenuBytes()
{
    QFETCH(QString, table);
    QFETCH(int, page);
    QFETCH(QString, format);

    const QString out = m_dir.filePath(u"batch."_s + format);
    const Run run = runArguments({u"--"_s + format, out, u"--tabela"_s, table, u"--strona"_s,
            QString::number(page), test::examplesPath()});
    QCOMPARE(run.status, int(ExitSuccess));
    // The load's warning, on one line.
    QVERIFY2(run.err.startsWith(u"zavevad: Uwaga. Wczytano tylko pliki testu \"Sprawdzian"_s),
            qPrintable(run.err));
    QCOMPARE(run.err.count(u'\n'), 1);

    const QByteArray bytes = readAll(out);
    QVERIFY(bytes.size() > 50);
    QCOMPARE(bytes, menuExport(table, page, format));
}

void TestCommandLine::classesBatchWritesTheMenuBytes_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("item");
    for (const QString &format : {u"txt"_s, u"html"_s}) {
        QTest::addRow("klasy %s", qPrintable(format)) << format << u"klasy"_s << u"LAnalizaKlasy"_s;
        QTest::addRow("pytania-klasy %s", qPrintable(format))
                << format << u"pytania-klasy"_s << u"LAnalizaPytaniaKlas"_s;
    }
}

// The class folders given one by one are the classes "Wczytaj klasy z
// folderu ..." finds under their parent.
void TestCommandLine::classesBatchWritesTheMenuBytes()
{
    QFETCH(QString, format);
    QFETCH(QString, table);
    QFETCH(QString, item);
    const QString out = m_dir.filePath(table + u'.' + format);
    const Run run = runArguments({u"--"_s + format, out, u"--tabela"_s, table,
            test::examplesPath(u"klasy/8a"_s), test::examplesPath(u"klasy/8b"_s)});
    QCOMPARE(run.status, int(ExitSuccess));
    QCOMPARE(run.err, QString());
    const QByteArray bytes = readAll(out);
    QVERIFY(bytes.contains("8b"));

    test::ScriptedPlatform platform;
    Shell shell(&platform);
    shell.start();
    platform.openFolderAnswers.push_back(test::examplesPath(u"klasy"_s));
    shell.menu().LPlikOpenKlasyClick();
    shell.menu().runEntry(*menuEntry(item.toLatin1().constData()));
    const QString path = m_dir.filePath(u"menu-"_s + table + u'.' + format);
    platform.saveAnswers.push_back(path);
    if (format == u"txt"_s)
        shell.menu().LPlikSaveTxtClick();
    else
        shell.menu().LPlikSaveHtmlClick();
    QCOMPARE(bytes, readAll(path));
}

void TestCommandLine::batchFailuresAreOneLine_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("short file") << u"short"_s << u"niepoprawną strukturę. Plik: "_s;
    QTest::newRow("missing file") << u"missing"_s << u"niepoprawną strukturę. Plik: "_s;
    QTest::newRow("folder of no results") << u"empty"_s << u"Nie podano plików wyników"_s;
    QTest::newRow("write fails") << u"write"_s << u": folder nie istnieje"_s;
    QTest::newRow("no page 2") << u"page"_s << u"Druga strona pytań istnieje tylko"_s;
}

void TestCommandLine::batchFailuresAreOneLine()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);

    QTemporaryDir dir;
    const QString good = test::writeResultFile(dir.path(), u"dobry.dat"_s, {});
    test::ResultFileSpec shortSpec;
    shortSpec.totalSize = 127;
    const QString bad = test::writeResultFile(dir.path(), u"krotki.dat"_s, shortSpec);
    QString out = dir.filePath(u"wynik.txt"_s);
    QStringList inputs{good};
    QStringList extra;
    if (kind == u"short"_s)
        inputs.append(bad);
    else if (kind == u"missing"_s)
        inputs.prepend(dir.filePath(u"nie-ma.dat"_s));
    else if (kind == u"empty"_s) {
        inputs = QStringList{dir.filePath(u"pusty"_s)};
        QVERIFY(QDir().mkpath(inputs.constFirst()));
    } else if (kind == u"write"_s)
        out = dir.filePath(u"brak-folderu/wynik.txt"_s);
    else
        extra = QStringList{u"--strona"_s, u"2"_s}; // ten questions: no second page

    const Run run = runArguments(QStringList{u"--txt"_s, out} + extra + inputs);
    QCOMPARE(run.status, int(ExitFailure));
    QVERIFY2(run.err.startsWith(u"zavevad: "_s) && run.err.contains(message), qPrintable(run.err));
    QCOMPARE(run.err.count(u'\n'), 1);
    QVERIFY(!QFile::exists(out));
}

void TestCommandLine::executableNeedsNoDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("stdoutStart");
    QTest::addColumn<QString>("stderrStart");
    QTest::newRow("help") << QStringList{u"--help"_s} << 0 << u"Użycie: zavevad"_s << QString();
    QTest::newRow("version") << QStringList{u"-v"_s} << 0 << u"Kalmo - Zavevad 1.0"_s << QString();
    QTest::newRow("unknown option") << QStringList{u"--nie-ma"_s} << 2 << QString()
                                    << u"zavevad: Nieznana opcja: --nie-ma\n\nUżycie:"_s;
    QTest::newRow("export") << QStringList{u"--html"_s, u"proces.html"_s, test::examplesPath()} << 0
                            << QString() << u"zavevad: Uwaga. Wczytano"_s;
    QTest::newRow("bad file") << QStringList{u"--txt"_s, u"x.txt"_s, u"nie-ma.dat"_s} << 1
                              << QString() << u"zavevad: Uwaga. Wystąpiły błędy"_s;
    QTest::newRow("table to standard output")
            << QStringList{u"--txt"_s, u"-"_s, test::examplesPath()} << 0 << QString()
            << u"zavevad: Uwaga. Wczytano"_s;
    // Qt's own options mean nothing without a window; a platform named here
    // would need a display.
    QTest::newRow("Qt options") << QStringList{u"-style"_s, u"fusion"_s, u"-platform"_s, u"xcb"_s,
            u"--html"_s, u"proces.html"_s, test::examplesPath()}
                                << 0 << QString() << u"zavevad: Uwaga. Wczytano"_s;
    QTest::newRow("window without a display")
            << QStringList{test::examplesPath()} << 1 << QString() << noDisplayText();
    // The report draws: it needs fonts, still without a display.
    QTest::newRow("report") << QStringList{u"--pdf"_s, u"proces.pdf"_s, u"--xlsx"_s,
            u"proces.xlsx"_s, test::examplesPath()}
                            << 0 << QString() << u"zavevad: Uwaga. Wczytano"_s;
    // So do the students' cards, alone.
    QTest::newRow("cards") << QStringList{u"--karty"_s, u"karty.pdf"_s, test::examplesPath()} << 0
                           << QString() << u"zavevad: Uwaga. Wczytano"_s;
}

void TestCommandLine::executableNeedsNoDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, stdoutStart);
    QFETCH(QString, stderrStart);

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s})
        environment.remove(name);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(m_dir.path());
    process.start(QStringLiteral(ZAVEVAD_EXECUTABLE), arguments);
    QVERIFY(process.waitForFinished(60000));
    const QByteArray outBytes = process.readAllStandardOutput();
    const QString out = QString::fromUtf8(outBytes);
    const QString err = QString::fromUtf8(process.readAllStandardError());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QVERIFY2(process.exitCode() == status, qPrintable(err));
    QVERIFY2(out.startsWith(stdoutStart), qPrintable(out));
    QVERIFY2(err.startsWith(stderrStart), qPrintable(err));
    const QByteArray tag = QTest::currentDataTag();
    if (tag == "export" || tag == "Qt options")
        QCOMPARE(readAll(m_dir.filePath(u"proces.html"_s)), menuExport(u"wyniki"_s, 1, u"html"_s));
    if (tag == "table to standard output")
        QCOMPARE(outBytes, menuExport(u"wyniki"_s, 1, u"txt"_s));
    if (tag == "window without a display")
        QCOMPARE(err, noDisplayText() + u'\n');
    if (qstrcmp(QTest::currentDataTag(), "report") == 0) {
        // Only the load's warning: Qt's own notes stay out of a script's stderr.
        QCOMPARE(err.count(u'\n'), 1);
        QVERIFY(readAll(m_dir.filePath(u"proces.pdf"_s)).startsWith("%PDF-"));
        QVERIFY(readAll(m_dir.filePath(u"proces.xlsx"_s)).startsWith("PK"));
    }
    if (qstrcmp(QTest::currentDataTag(), "cards") == 0) {
        QCOMPARE(err.count(u'\n'), 1);
        QVERIFY(readAll(m_dir.filePath(u"karty.pdf"_s)).startsWith("%PDF-"));
    }
}

namespace {

// Every file under `folder` with its bytes, links as links.
QMap<QString, QByteArray> contents(const QString &folder)
{
    QMap<QString, QByteArray> files;
    const QDir dir(folder);
    for (const QFileInfo &info : dir.entryInfoList(
                 QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot)) {
        if (info.isSymLink())
            files.insert(info.fileName(), "-> " + QFile::encodeName(info.symLinkTarget()));
        else if (info.isDir())
            files.insert(info.fileName(), "folder");
        else if (info.isFile())
            files.insert(info.fileName(), readAll(info.filePath()));
        else
            files.insert(info.fileName(), "special");
    }
    return files;
}

} // namespace

// A forgotten output name (`--txt *.dat`) or any output that would destroy a
// file is a usage error: one line naming the file and why, and every file
// stays byte for byte.
void TestCommandLine::outputsThatWouldDestroyAreRefused_data()
{
    QTest::addColumn<QStringList>("arguments"); // in the class folder; "*.dat" expands
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("reason");
    const QString resultFile = u"to jest plik wyników testu (*.dat)"_s;
    const QString input = u"to jest plik wczytany przez program (uczen.txt)"_s;
    for (const char *option : {"--txt", "--html", "--pdf", "--xlsx"}) {
        QTest::addRow("%s *.dat", option)
                << QStringList{QLatin1String(option), u"*.dat"_s} << u"*"_s << resultFile;
    }
    QTest::newRow("input as ./") << QStringList{u"--txt"_s, u"./uczen.txt"_s, u"uczen.txt"_s}
                                 << u"./uczen.txt"_s << input;
    QTest::newRow("input through a link")
            << QStringList{u"--txt"_s, u"link.txt"_s, u"uczen.txt"_s} << u"link.txt"_s << input;
    QTest::newRow("FIFO") << QStringList{u"--html"_s, u"potok.html"_s, u"*.dat"_s}
                          << u"potok.html"_s
                          << u"to nie jest zwykły plik (urządzenie, potok lub gniazdo)"_s;
    QTest::newRow("folder") << QStringList{u"--xlsx"_s, u"folder.xlsx"_s, u"*.dat"_s}
                            << u"folder.xlsx"_s << u"to jest folder"_s;
    QTest::newRow("wrong extension") << QStringList{u"--txt"_s, u"tabela.html"_s, u"*.dat"_s}
                                     << u"tabela.html"_s << u"oczekiwano rozszerzenia .txt"_s;
    QTest::newRow("html as htm only") << QStringList{u"--html"_s, u"t.pdf"_s, u"*.dat"_s}
                                      << u"t.pdf"_s << u"oczekiwano rozszerzenia .html lub .htm"_s;
    const auto readBeside = [](const char *name) {
        return u"to jest plik wczytany przez program (%1)"_s.arg(QLatin1String(name));
    };
    QTest::newRow("blueprint first of *") << QStringList{u"--txt"_s, u"Kartoteka.txt"_s, u"*.dat"_s}
                                          << u"Kartoteka.txt"_s << readBeside("Kartoteka.txt");
    QTest::newRow("thresholds, another spelling")
            << QStringList{u"--txt"_s, u"./Progi.txt"_s, u"--tabela"_s, u"oceny"_s, u"*.dat"_s}
            << u"./Progi.txt"_s << readBeside("Progi.txt");
    QTest::newRow("report and cards into one file")
            << QStringList{u"--pdf"_s, u"r.pdf"_s, u"--karty"_s, u"./r.pdf"_s, u"*.dat"_s}
            << u"./r.pdf"_s << u"ten sam plik podano do zapisu dwa razy"_s;
    QTest::newRow("link to a new result file") << QStringList{u"--txt"_s, u"wyniki.txt"_s,
            u"*.dat"_s} << u"wyniki.txt"_s << resultFile;
    QTest::newRow("report to standard output")
            << QStringList{u"--pdf"_s, u"-"_s, u"*.dat"_s} << u"-"_s
            << u"na standardowe wyjście (-) można zapisać tylko tabelę (--txt, --html)"_s;
    // The teacher's notes beside the result files are read with them.
    QTest::newRow("teacher's notes")
            << QStringList{u"--txt"_s, u"Raport.txt"_s, u"*.dat"_s} << u"Raport.txt"_s
            << u"to jest plik wczytany przez program (Raport.txt)"_s;
}

void TestCommandLine::outputsThatWouldDestroyAreRefused()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, output);
    QFETCH(QString, reason);

    QTemporaryDir dir;
    const QDir examples(test::examplesPath());
    QStringList results = examples.entryList({u"*.dat"_s}, QDir::Files, QDir::Name);
    QVERIFY(results.size() > 3);
    for (const QString &name : results)
        QVERIFY(QFile::copy(examples.filePath(name), dir.filePath(name)));
    QVERIFY(QFile::copy(examples.filePath(results.constFirst()), dir.filePath(u"uczen.txt"_s)));
    QVERIFY(QFile::link(u"uczen.txt"_s, dir.filePath(u"link.txt"_s)));
    QVERIFY(QDir(dir.path()).mkdir(u"folder.xlsx"_s));
    for (const auto &[name, bytes] :
            {std::pair{"Kartoteka.txt", "1\tDodawanie\n"}, std::pair{"Progi.txt", "Dop=40\n"}}) {
        QFile file(dir.filePath(QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) > 0);
    }
    QVERIFY(QFile::link(dir.filePath(u"nowy.dat"_s), dir.filePath(u"wyniki.txt"_s)));
    QFile notes(dir.filePath(u"Raport.txt"_s));
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.write("Szkoła: SP 1\n");
    notes.close();
    const test::Fifo fifo(dir.filePath(u"potok.html"_s));
    QVERIFY(fifo.made());
    const QMap<QString, QByteArray> before = contents(dir.path());

    // The shell's expansion of *.dat, in name order.
    QStringList expanded;
    for (const QString &argument : arguments) {
        if (argument == u"*.dat"_s)
            expanded += results;
        else
            expanded.append(argument);
    }
    if (output == u"*"_s)
        output = results.constFirst();
    QVERIFY(QDir::setCurrent(dir.path()));
    const Run run = runArguments(expanded);
    QVERIFY(QDir::setCurrent(m_dir.path()));

    QCOMPARE(run.status, int(ExitUsage));
    QCOMPARE(run.err, u"zavevad: Nie można zapisać pliku %1: %2\n"_s.arg(output, reason));
    QVERIFY(run.out.isEmpty());
    QVERIFY(!fifo.releasedAReader());
    QCOMPARE(contents(dir.path()), before);
}

// A table, help or version that cannot reach standard output is a failure.
void TestCommandLine::fullStandardOutputFails_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("help") << QStringList{u"--help"_s};
    QTest::newRow("version") << QStringList{u"--version"_s};
    QTest::newRow("table") << QStringList{u"--html"_s, u"-"_s, test::examplesPath()};
}

void TestCommandLine::fullStandardOutputFails()
{
    QFETCH(QStringList, arguments);
    if (!QFileInfo::exists(u"/dev/full"_s))
        QSKIP("needs a full device");
    QProcess process;
    process.setWorkingDirectory(m_dir.path());
    process.setStandardOutputFile(u"/dev/full"_s);
    process.start(QStringLiteral(ZAVEVAD_EXECUTABLE), arguments);
    QVERIFY(process.waitForFinished(60000));
    const QString err = QString::fromUtf8(process.readAllStandardError());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QVERIFY2(process.exitCode() == ExitFailure, qPrintable(err));
    QVERIFY2(err.endsWith(u"zavevad: Nie można zapisać na standardowe wyjście: brak miejsca na "
                          "dysku\n"_s),
            qPrintable(err));
}

// The disk fills up (a file size limit stands in for it): one Polish line
// says why, and nothing of the library's own reaches the terminal.
void TestCommandLine::fullDiskSaysWhyInOneLine_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("reason");
    QTest::newRow("report") << u"pelny.pdf"_s << u"brak miejsca na dysku"_s;
    QTest::newRow("workbook") << u"pelny.xlsx"_s
                              << u"nie udało się utworzyć skoroszytu w folderze tymczasowym "_s;
}

void TestCommandLine::fullDiskSaysWhyInOneLine()
{
    QFETCH(QString, output);
    QFETCH(QString, reason);
    QProcess process;
    process.setWorkingDirectory(m_dir.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"DISPLAY"_s);
    process.setProcessEnvironment(environment);
    // A write past 8 KB fails with EFBIG instead of ending the program.
    process.start(u"bash"_s,
            {u"-c"_s, u"trap '' XFSZ; ulimit -f 8 && exec \"$0\" \"$@\""_s,
                    QStringLiteral(ZAVEVAD_EXECUTABLE), u"--"_s + QFileInfo(output).suffix(),
                    output, test::examplesPath()});
    QVERIFY(process.waitForFinished(60000));
    const QString err = QString::fromUtf8(process.readAllStandardError());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QVERIFY2(process.exitCode() == ExitFailure, qPrintable(err));
    const QStringList lines = err.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2); // the load's warning, then why the save failed
    QVERIFY2(lines.at(1).startsWith(
                     u"zavevad: Nie można zapisać pliku %1: %2"_s.arg(output, reason)),
            qPrintable(lines.at(1)));
    QVERIFY(!QFile::exists(m_dir.filePath(output)));
}

// A file named in Latin-2 bytes, given on the command line under a UTF-8
// locale, loads by its bytes.
void TestCommandLine::undecodableFileNameLoads()
{
    QTemporaryDir dir;
    const QByteArray name = QFile::encodeName(dir.path()) + "/\xb3\xb1ka.dat";
    {
        std::ofstream file(name.toStdString(), std::ios::binary);
        const QByteArray bytes = test::resultFileBytes({});
        file.write(bytes.constData(), bytes.size());
        QVERIFY(file.good());
    }
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.start(u"bash"_s,
            {u"-c"_s, uR"sh(exec "$0" --txt tabela.txt "$(printf '%s/\263\261ka.dat' "$1")")sh"_s,
                    QStringLiteral(ZAVEVAD_EXECUTABLE), dir.path()});
    QVERIFY(process.waitForFinished(60000));
    const QString err = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
            qPrintable(err));
    QVERIFY(readAll(dir.filePath(u"tabela.txt"_s)).contains("Kowalski Jan"));
}

// A folder of class folders loads as the menu's "Wczytaj klasy z folderu ..."
// loads it, also a class folder named in Latin-2 bytes.
void TestCommandLine::folderOfClassFoldersLoadsAsClasses()
{
#ifdef Q_OS_UNIX
    QTemporaryDir dir;
    const QDir examples(test::examplesPath());
    const test::TreeRemover remover(dir.path());
    const QStringList results = examples.entryList({u"*.dat"_s}, QDir::Files, QDir::Name);
    QVERIFY(results.size() > 3);
    const QByteArray top = QFile::encodeName(dir.filePath(u"klasy"_s));
    for (const QByteArray &folder : QByteArrayList{top, top + "/8a", top + "/7\xb1"})
        QVERIFY(std::filesystem::create_directory(folder.toStdString()));
    for (int i = 0; i < 4; ++i) {
        const QByteArray target =
                (i < 2 ? top + "/8a/" : top + "/7\xb1/") + QFile::encodeName(results.at(i));
        std::filesystem::copy_file(
                QFile::encodeName(examples.filePath(results.at(i))).toStdString(),
                target.toStdString());
    }
    const QString out = dir.filePath(u"klasy.txt"_s);
    const Run run =
            runArguments({u"--txt"_s, out, u"--tabela"_s, u"klasy"_s, dir.filePath(u"klasy"_s)});
    QVERIFY2(run.status == ExitSuccess, qPrintable(run.err));
    const QByteArray table = readAll(out);
    QVERIFY(table.contains("8a"));
    QVERIFY(table.contains("7?"));
#else
    QSKIP("file names are bytes only on POSIX systems");
#endif
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
