#include "app/commandline.h"

#include "platform/nativename.h"
#include "platform/savefile.h"
#include "results/resultpaths.h"
#include "results/thresholds.h"
#include "results/userlocale.h"
#include "tables/tablekinds.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

namespace zavevad {

namespace {

constexpr auto kTxt = "txt";
constexpr auto kHtml = "html";
constexpr auto kPdf = "pdf";
constexpr auto kXlsx = "xlsx";
constexpr auto kKarty = "karty";
constexpr auto kBezNazwisk = "bez-nazwisk";
constexpr auto kTabela = "tabela";
constexpr auto kStrona = "strona";
constexpr auto kTesty = "testy";

QString option(const char *name)
{
    return QString::fromLatin1(name);
}

// Qt's own options, which QApplication takes out of the arguments itself.
bool isQtOption(const QByteArray &name, bool *takesValue)
{
    static const char *const withValue[] = {"platform", "platformpluginpath", "platformtheme",
            "plugin", "qmljsdebugger", "qwindowgeometry", "qwindowicon", "qwindowtitle", "session",
            "display", "geometry", "style", "stylesheet"};
    static const char *const flags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};
    for (const char *candidate : withValue) {
        if (name == candidate) {
            *takesValue = true;
            return true;
        }
    }
    for (const char *candidate : flags) {
        if (name == candidate) {
            *takesValue = false;
            return true;
        }
    }
    return false;
}

// The name of an option argument: "-style=x" and "--style" give "style".
QByteArray optionName(QByteArrayView argument)
{
    QByteArrayView name = argument.sliced(argument.startsWith("--") ? 2 : 1);
    const qsizetype equals = name.indexOf('=');
    return (equals < 0 ? name : name.first(equals)).toByteArray();
}

CommandLine usageError(const QString &error)
{
    CommandLine commandLine;
    commandLine.action = CommandLine::Action::UsageError;
    commandLine.error = error;
    return commandLine;
}

// The program's options; Qt's own are taken out before the parse.
struct Options
{
    QCommandLineOption help{QStringList{QStringLiteral("h"), QStringLiteral("help")}};
    QCommandLineOption version{QStringList{QStringLiteral("v"), QStringLiteral("version")}};
    QCommandLineOption txt{option(kTxt), QString(), QStringLiteral("PLIK")};
    QCommandLineOption html{option(kHtml), QString(), QStringLiteral("PLIK")};
    QCommandLineOption tabela{option(kTabela), QString(), QStringLiteral("RODZAJ")};
    QCommandLineOption strona{option(kStrona), QString(), QStringLiteral("NUMER")};
    QCommandLineOption pdf{option(kPdf), QString(), QStringLiteral("PLIK")};
    QCommandLineOption xlsx{option(kXlsx), QString(), QStringLiteral("PLIK")};
    QCommandLineOption karty{option(kKarty), QString(), QStringLiteral("PLIK")};
    QCommandLineOption bezNazwisk{option(kBezNazwisk)};
    QCommandLineOption testy{option(kTesty), QString(), QStringLiteral("FOLDER")};
};

// Why the parser refused the arguments.
CommandLine parseFailure(const QCommandLineParser &parser)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        const QString name = unknown.constFirst();
        return usageError(QStringLiteral("Nieznana opcja: ")
                + (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name);
    }
    // The only other failure: an option that needs a value is last.
    return usageError(QStringLiteral("Brak wartości opcji."));
}

// Reads --tabela and --strona into `batch`; returns what is wrong with them, or
// an empty text.
QString readTableAndPage(
        const QCommandLineParser &parser, const Options &options, BatchExport &batch)
{
    if (parser.isSet(options.tabela)) {
        const QString name = parser.value(options.tabela);
        const TableKindInfo *table = tableKindNamed(name);
        batch.tableKind = table ? table->kind : TableNone;
        if (!table)
            return QStringLiteral("Nieznany rodzaj tabeli: ") + name + QStringLiteral(" (")
                    + commandLineNames() + QStringLiteral(")");
    }
    if (parser.isSet(options.strona)) {
        const QString page = parser.value(options.strona);
        if (page != QLatin1String("1") && page != QLatin1String("2"))
            return QStringLiteral("Strona pytań może być tylko 1 lub 2: ") + page;
        batch.page = page.toInt();
        if (batch.page == 2 && batch.tableKind != TableResults)
            return QStringLiteral("Druga strona pytań jest tylko w tabeli wyników.");
    }
    return QString();
}

// Reads the export options into the command line, which becomes a Batch when
// it asks for an export; returns what is wrong with them, or an empty text.
QString readExports(
        const QCommandLineParser &parser, const Options &options, CommandLine &commandLine)
{
    BatchExport &batch = commandLine.batch;
    batch.txtPath = parser.value(options.txt);
    batch.htmlPath = parser.value(options.html);
    batch.pdfPath = parser.value(options.pdf);
    batch.xlsxPath = parser.value(options.xlsx);
    batch.cardsPath = parser.value(options.karty);
    batch.withoutNames = parser.isSet(options.bezNazwisk);
    const bool tableExports = parser.isSet(options.txt) || parser.isSet(options.html);
    const bool exports = tableExports || parser.isSet(options.pdf) || parser.isSet(options.xlsx)
            || parser.isSet(options.karty);
    if (const QString error = readTableAndPage(parser, options, batch); !error.isEmpty())
        return error;
    if (!tableExports) {
        if (parser.isSet(options.tabela) || parser.isSet(options.strona))
            return QStringLiteral("Opcje --tabela i --strona działają tylko z --txt lub --html.");
    }
    if (batch.withoutNames && !parser.isSet(options.pdf) && !parser.isSet(options.xlsx))
        return QStringLiteral("Opcja --bez-nazwisk działa tylko z --pdf lub --xlsx.");
    if (!exports)
        return QString();
    if ((parser.isSet(options.txt) && batch.txtPath.isEmpty())
            || (parser.isSet(options.html) && batch.htmlPath.isEmpty())
            || (parser.isSet(options.pdf) && batch.pdfPath.isEmpty())
            || (parser.isSet(options.xlsx) && batch.xlsxPath.isEmpty())
            || (parser.isSet(options.karty) && batch.cardsPath.isEmpty()))
        return QStringLiteral("Brak nazwy pliku do zapisu.");
    if (commandLine.paths.isEmpty() && commandLine.testsFolder.isEmpty())
        return QStringLiteral("Nie podano plików wyników (*.dat).");
    commandLine.action = CommandLine::Action::Batch;
    return QString();
}

// Reads --testy into the command line; returns what is wrong with it, or an
// empty text.
QString readTestsFolder(
        const QCommandLineParser &parser, const Options &options, CommandLine &commandLine)
{
    if (!parser.isSet(options.testy))
        return QString();
    commandLine.testsFolder = parser.value(options.testy);
    if (commandLine.testsFolder.isEmpty())
        return QStringLiteral("Brak nazwy folderu testów.");
    if (!commandLine.paths.isEmpty())
        return QStringLiteral("Opcji --testy nie łączy się z plikami wyników: folder wskazuje "
                              "wszystkie testy.");
    return QString();
}

} // namespace

namespace {

// The table kinds after "--tabela RODZAJ", the first the default, wrapped
// under the option's text at the width of a terminal; "lub" stays with the
// last kind.
QString tableOptionText()
{
    constexpr qsizetype kIndent = 20;
    constexpr qsizetype kWidth = 79;
    QStringList words;
    const std::span<const TableKindInfo> kinds = tableKinds();
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        QString word = QString::fromLatin1(kinds[i].commandLineName);
        if (i == 0)
            word += QStringLiteral(" (domyślnie)");
        if (i + 1 == kinds.size() && i > 0)
            word.prepend(QStringLiteral("lub "));
        else if (i + 2 < kinds.size())
            word += u',';
        words << word;
    }
    QString text;
    qsizetype column = kIndent;
    for (const QString &word : words) {
        if (column > kIndent && column + 1 + word.size() > kWidth) {
            text += u'\n' + QString(kIndent, u' ');
            column = kIndent;
        }
        if (column > kIndent) {
            text += u' ';
            ++column;
        }
        text += word;
        column += word.size();
    }
    return text + u'\n';
}

} // namespace

QString helpText()
{
    return QStringLiteral(
                   "Użycie: zavevad [PLIK.dat ... | FOLDER]\n"
                   "        zavevad --txt PLIK | --html PLIK [--tabela RODZAJ] [--strona 2] "
                   "PLIK.dat ...\n"
                   "        zavevad --pdf PLIK | --xlsx PLIK | --karty PLIK PLIK.dat ...\n"
                   "\n"
                   "Kalmo - Zavevad: analiza wyników testu wyboru.\n"
                   "\n"
                   "Bez opcji otwiera okno programu i wczytuje podane pliki wyników tak jak\n"
                   "polecenie \"Wczytaj wyniki testu ...\"; folder oznacza wszystkie jego pliki "
                   "*.dat\n"
                   "w kolejności nazw, a folder bez nich - klasy z jego podfolderów. Plik *.ssw\n"
                   "zostanie użyty jako wzór formatu pierwszego wykresu.\n"
                   "Każdy uczeń należy do klasy nazwanej jak folder jego pliku, więc kilka "
                   "folderów\n"
                   "to kilka klas (tabela \"klasy\" porównuje je).\n"
                   "\n"
                   "Zapis tabeli bez okna (te same bajty co polecenia menu \"Plik\"):\n"
                   "  --txt PLIK        zapisuje tabelę jako tekst (Windows-1250, pola oddzielone\n"
                   "                    tabulatorem)\n"
                   "  --html PLIK       zapisuje tabelę jako stronę HTML (ISO 8859-2)\n"
                   "                    (dla --txt i --html PLIK \"-\" to standardowe wyjście)\n"
                   "  --tabela RODZAJ   ")
            + tableOptionText()
            + QStringLiteral(
                    "  --strona NUMER    strona pytań tabeli wyników: 1 (domyślnie) lub 2\n"
                    "  --pdf PLIK        zapisuje pełny raport z analizy testu jako PDF\n"
                    "  --xlsx PLIK       zapisuje wszystkie tabele do skoroszytu xlsx\n"
                    "  --karty PLIK      zapisuje kartę wyników każdego ucznia jako PDF\n"
                    "  --bez-nazwisk     raport (--pdf) i skoroszyt (--xlsx) nazywają uczniów\n"
                    "                    \"Uczeń 1\", \"Uczeń 2\", ... w kolejności tabeli "
                    "wyników\n"
                    "                    (karta ucznia zawsze podaje jego nazwisko)\n"
                    "  --testy FOLDER    wczytuje wszystkie testy z folderu i jego podfolderów\n"
                    "                    (postępy uczniów); pozostałe tabele pokazują najnowszy "
                    "test\n"
                    "\n"
                    "  -h, --help        wyświetla tę pomoc\n"
                    "  -v, --version     wyświetla wersję programu\n"
                    "\n"
                    "Progi ocen są czytane z pliku Progi.txt w bieżącym folderze.\n"
                    "Program nie zapisze pliku o rozszerzeniu innym niż opcja, pliku wyników "
                    "(*.dat),\n"
                    "żadnego z wczytywanych plików (także Kartoteka.txt i Progi.txt), dwóch "
                    "wyników\n"
                    "do jednego pliku ani czegoś, co nie jest zwykłym plikiem (folder, potok,\n"
                    "urządzenie).\n"
                    "Kartoteka testu (Kartoteka.txt) jest czytana z folderu pierwszego pliku "
                    "wyników,\n"
                    "a gdy jej tam nie ma, z folderu o poziom wyżej (wspólna dla klas).\n"
                    "Kod wyjścia: 0 powodzenie, 1 błędny plik lub błąd zapisu, 2 błędne "
                    "wywołanie.\n");
}

QString versionText()
{
    return QStringLiteral("Kalmo - Zavevad " ZAVEVAD_VERSION "\n");
}

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const Options options;
    parser.addOptions({options.help, options.version, options.txt, options.html, options.tabela,
            options.strona, options.pdf, options.xlsx, options.karty, options.bezNazwisk,
            options.testy});
    if (!parser.parse(arguments))
        return parseFailure(parser);

    CommandLine commandLine;
    commandLine.paths = parser.positionalArguments();
    if (parser.isSet(options.help)) {
        commandLine.action = CommandLine::Action::Help;
        return commandLine;
    }
    if (parser.isSet(options.version)) {
        commandLine.action = CommandLine::Action::Version;
        return commandLine;
    }
    if (const QString error = readTestsFolder(parser, options, commandLine); !error.isEmpty())
        return usageError(error);
    if (const QString error = readExports(parser, options, commandLine); !error.isEmpty())
        return usageError(error);
    return commandLine;
}

bool wantsWindow(int argc, char **argv)
{
    // --testy opens the window only alone: with files or without its folder
    // it is a usage error, which needs no window.
    bool tests = false;
    bool files = false;
    for (int i = 1; i < argc; ++i) {
        QByteArray argument(argv[i]);
        if (argument == "--") {
            files = files || i + 1 < argc;
            break;
        }
        if (argument.size() < 2 || !argument.startsWith('-')) {
            files = true;
            continue;
        }
        const bool valueAttached = argument.contains('=');
        bool takesValue = false;
        if (optionName(argument) == kTesty) {
            if (!valueAttached && i + 1 >= argc)
                return false;
            tests = true;
            takesValue = true;
        } else if (!isQtOption(optionName(argument), &takesValue)) {
            return false;
        }
        if (takesValue && !valueAttached)
            ++i;
    }
    return !(tests && files);
}

QString testsFolderError(const QString &folder)
{
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("Nie ma folderu ") + QDir::toNativeSeparators(folder);
    if (resultFilesUnder(folder).isEmpty())
        return QStringLiteral("W folderze ") + QDir::toNativeSeparators(folder)
                + QStringLiteral(" ani w jego podfolderach nie ma plików wyników (*.dat).");
    return QString();
}

int runWithoutWindow(const CommandLine &commandLine, QTextStream &out, QTextStream &err)
{
    switch (commandLine.action) {
    case CommandLine::Action::Help:
        out << helpText();
        return ExitSuccess;
    case CommandLine::Action::Version:
        out << versionText();
        return ExitSuccess;
    case CommandLine::Action::UsageError:
        err << "zavevad: " << commandLine.error << "\n\n" << helpText();
        return ExitUsage;
    case CommandLine::Action::Window:
        err << "zavevad: " << QStringLiteral("Ta operacja wymaga okna programu.") << '\n';
        return ExitUsage;
    case CommandLine::Action::Batch:
        break;
    }

    BatchExport batch = commandLine.batch;
    if (!commandLine.testsFolder.isEmpty()) {
        if (const QString error = testsFolderError(commandLine.testsFolder); !error.isEmpty()) {
            err << "zavevad: " << error << '\n';
            return ExitFailure;
        }
        batch.files = resultFilesUnder(commandLine.testsFolder);
        batch.severalTests = true;
    } else {
        const ResultPaths expanded = expandPaths(commandLine.paths);
        batch.files = expanded.files;
        if (!expanded.unreadableFolders.isEmpty())
            err << "zavevad: " << oneLine(unreadableFoldersWarning(expanded.unreadableFolders))
                << '\n';
    }
    batch.thresholdsFolder = QDir::currentPath();
    const BatchOutcome outcome = runBatchExport(batch, loadThresholds(batch.thresholdsFolder));
    if (!outcome.warning.isEmpty())
        err << "zavevad: " << outcome.warning << '\n';
    if (!outcome.blueprintWarning.isEmpty())
        err << "zavevad: " << outcome.blueprintWarning << '\n';
    if (!outcome.ok) {
        err << "zavevad: " << outcome.error << '\n';
        return outcome.refused ? ExitUsage : ExitFailure;
    }
    return ExitSuccess;
}

QStringList programArguments(int argc, char **argv)
{
#ifdef Q_OS_WIN // the arguments come from the system as UTF-16, never lost
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return QCoreApplication::arguments();
#else
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        const QByteArray bytes(argv[i]);
        const QString decoded = QFile::decodeName(bytes);
        arguments.append(QFile::encodeName(decoded) == bytes ? decoded : fileNameFromNative(bytes));
    }
    return arguments;
#endif
}

QString noDisplayText()
{
    return QStringLiteral("zavevad: Nie można otworzyć okna programu (brak ekranu). Do pracy bez "
                          "okna służą opcje --txt, --html, --pdf i --xlsx (zobacz --help).");
}

namespace {

struct HeldMessage
{
    QtMsgType type;
    QString text;
};

QtMessageHandler previousHandler = nullptr;
std::vector<HeldMessage> heldMessages;

void holdOrExplain(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type != QtFatalMsg) {
        heldMessages.push_back({type, text});
        return;
    }
    std::fprintf(stderr, "%s\n", noDisplayText().toLocal8Bit().constData());
    std::fflush(stderr);
    // Qt is half made: nothing may run after this, not even exit handlers.
    std::_Exit(ExitFailure);
}

} // namespace

WindowStartGuard::WindowStartGuard()
{
    heldMessages.clear();
    previousHandler = qInstallMessageHandler(holdOrExplain);
}

WindowStartGuard::~WindowStartGuard()
{
    qInstallMessageHandler(previousHandler);
    const std::vector<HeldMessage> held = std::exchange(heldMessages, {});
    for (const HeldMessage &message : held) {
        if (previousHandler)
            previousHandler(message.type, QMessageLogContext(), message.text);
        else
            std::fprintf(stderr, "%s\n", message.text.toLocal8Bit().constData());
    }
}

int runHeadless(int &argc, char **argv)
{
    // Qt's own options mean nothing without a window: they are taken out
    // before any application sees them, so that neither the parse nor a
    // platform named by `-platform` can stop the work.
    std::vector<char *> arguments{argv[0]};
    for (int i = 1; i < argc; ++i) {
        const QByteArrayView argument(argv[i]);
        if (argument == "--") {
            arguments.insert(arguments.end(), argv + i, argv + argc);
            break;
        }
        bool takesValue = false;
        if (argument.size() >= 2 && argument.startsWith('-')
                && isQtOption(optionName(argument), &takesValue)) {
            if (takesValue && !argument.contains('='))
                ++i;
            continue;
        }
        arguments.push_back(argv[i]);
    }
    int count = int(arguments.size());
    arguments.push_back(nullptr);

    // Help, errors and the text and HTML exports need no display, nor even a
    // window system: a plain application keeps a script's stderr to our own
    // lines. A format that draws (a PDF: the report, the cards) needs fonts: a
    // QGuiApplication on the "offscreen" platform gives them without a display.
    const bool draws = std::any_of(arguments.begin() + 1, arguments.end() - 1, [](const char *a) {
        const QByteArrayView argument(a);
        return argument.startsWith("--pdf") || argument.startsWith("-pdf")
                || argument.startsWith("--karty") || argument.startsWith("-karty");
    });
    if (draws) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // A script reads our one-line messages on stderr; the platform's
        // notes (a missing runtime folder, fonts) are not for it.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "%s\n", qPrintable(text));
        });
    }
    const std::unique_ptr<QCoreApplication> app = draws
            ? std::make_unique<QGuiApplication>(count, arguments.data())
            : std::make_unique<QCoreApplication>(count, arguments.data());
    QLocale::setDefault(userLocale());
    const CommandLine commandLine = parseCommandLine(programArguments(count, arguments.data()));
    QTextStream out(stdout);
    QTextStream err(stderr);
    int status = runWithoutWindow(commandLine, out, err);
    errno = 0;
    out.flush();
    // Help or a version into a full device is a failure like any other write.
    if (status != ExitFailure && (out.status() != QTextStream::Ok || std::ferror(stdout) != 0)) {
        err << "zavevad: " << standardOutputFailure(errno) << '\n';
        status = ExitFailure;
    }
    err.flush();
    return status;
}

} // namespace zavevad
