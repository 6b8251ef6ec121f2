#include "modalhelper.h"
#include "resultfilewriter.h"
#include "scriptedplatform.h"
#include "testsupport.h"

#include "results/resultpaths.h"
#include "shell/commandline.h"
#include "shell/shell.h"
#include "shell/tfglowny.h"
#include "shell/tfmenu.h"
#include "tables/view/tablepanel.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

using namespace zavevad;
using namespace Qt::StringLiterals;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

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
    void batchFailuresAreOneLine_data();
    void batchFailuresAreOneLine();
    void executableNeedsNoDisplay_data();
    void executableNeedsNoDisplay();

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
    QTest::newRow("page 2") << QStringList{u"--txt"_s, u"o"_s, u"--strona"_s, u"2"_s, u"a"_s}
                            << int(Action::Batch) << QStringList{u"a"_s} << 1 << 2 << QString();
    QTest::newRow("bad table")
            << QStringList{u"--txt"_s, u"o"_s, u"--tabela"_s, u"x"_s, u"a"_s}
            << int(Action::UsageError) << none << 1 << 1
            << u"Nieznany rodzaj tabeli: x (wyniki, czas, oceny, analiza lub umiejetnosci)"_s;
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
    shell.glowny().PokazTabele(kind);
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

void TestCommandLine::batchFailuresAreOneLine_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("short file") << u"short"_s << u"niepoprawną strukturę. Plik: "_s;
    QTest::newRow("missing file") << u"missing"_s << u"niepoprawną strukturę. Plik: "_s;
    QTest::newRow("folder of no results") << u"empty"_s << u"Nie podano plików wyników"_s;
    QTest::newRow("write fails") << u"write"_s << u"Nie można zapisać pliku: "_s;
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
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    const QString err = QString::fromUtf8(process.readAllStandardError());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QVERIFY2(process.exitCode() == status, qPrintable(err));
    QVERIFY2(out.startsWith(stdoutStart), qPrintable(out));
    QVERIFY2(err.startsWith(stderrStart), qPrintable(err));
    if (qstrcmp(QTest::currentDataTag(), "export") == 0)
        QCOMPARE(readAll(m_dir.filePath(u"proces.html"_s)), menuExport(u"wyniki"_s, 1, u"html"_s));
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

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
