#include "app/batchexport.h"

#include "export/htmlexport.h"
#include "export/tabletext.h"
#include "export/workbook.h"
#include "platform/commanderror.h"
#include "platform/outputcheck.h"
#include "platform/savefile.h"
#include "report/reportcommands.h"
#include "results/anonymise.h"
#include "results/loader.h"
#include "results/progress.h"
#include "results/reportnotes.h"
#include "tables/analysistables.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>

#include <functional>
#include <optional>
#include <utility>

namespace zavevad {

namespace {

BatchOutcome failure(const QString &error)
{
    BatchOutcome outcome;
    outcome.error = error;
    return outcome;
}

bool isStandardOutput(const QString &path)
{
    return path == QLatin1String("-");
}

// Each output with the extensions of its option.
struct OutputName
{
    const QString &path;
    QStringList extensions;
    bool mayBeStandardOutput;
};

std::optional<QString> outputsRefusal(const BatchExport &request, const QStringList &inputs)
{
    const OutputName outputs[] = {
            {request.txtPath, {QStringLiteral("txt")}, true},
            {request.htmlPath, {QStringLiteral("html"), QStringLiteral("htm")}, true},
            {request.pdfPath, {QStringLiteral("pdf")}, false},
            {request.xlsxPath, {QStringLiteral("xlsx")}, false},
            {request.cardsPath, {QStringLiteral("pdf")}, false},
    };
    int toStandardOutput = 0;
    QStringList files;
    for (const OutputName &output : outputs) {
        if (output.path.isEmpty())
            continue;
        if (isStandardOutput(output.path)) {
            if (!output.mayBeStandardOutput)
                return cannotSaveMessage(output.path,
                        QStringLiteral("na standardowe wyjście (-) można zapisać tylko tabelę "
                                       "(--txt, --html)"));
            if (++toStandardOutput > 1)
                return cannotSaveMessage(output.path,
                        QStringLiteral("na standardowe wyjście (-) można zapisać tylko jeden "
                                       "plik"));
            continue;
        }
        if (const std::optional<QString> reason =
                        outputRefusal(output.path, inputs, output.extensions))
            return cannotSaveMessage(output.path, *reason);
        // The second write would replace the first.
        for (const QString &earlier : std::as_const(files)) {
            if (sameOutputFile(earlier, output.path))
                return cannotSaveMessage(
                        output.path, QStringLiteral("ten sam plik podano do zapisu dwa razy"));
        }
        files.append(output.path);
    }
    return std::nullopt;
}

// "Nie udało się utworzyć raportu PDF." as the reason after the file name.
QString asReason(QString message)
{
    if (message.endsWith(QLatin1Char('.')))
        message.chop(1);
    if (!message.isEmpty())
        message[0] = message.at(0).toLower();
    return message;
}

// A bad file of the load as one line for the user.
QString badFileMessage(const QString &file)
{
    if (badFileWarning(file) != structureWarning())
        return oneLine(badFileWarning(file));
    return oneLine(structureWarning()) + QStringLiteral(" Plik: ") + QDir::toNativeSeparators(file);
}

// Builds the table and page asked for, as the menu and the arrows would;
// returns why it cannot, or nothing.
std::optional<QString> buildTable(
        AnalysisTables &tables, const GridState &state, const BatchExport &request)
{
    tables.PokazTabele(request.tableKind);
    if (state.tableKind != request.tableKind || request.tableKind == TableNone)
        return QStringLiteral("Ta wersja programu nie ma tabeli tego rodzaju.");
    if (request.page == 2) {
        // Page 2 exists only where the window offers its arrow.
        if (request.tableKind != TableResults || !state.panels.PTabelawPrawo.visible)
            return QStringLiteral(
                    "Druga strona pytań istnieje tylko w tabeli wyników testu o więcej niż 15 "
                    "pytaniach.");
        tables.ImTabelaWPrawoClick();
    }
    return std::nullopt;
}

// Writes each output asked for; a failed write ends the run with its message.
std::optional<QString> writeOutputs(
        const BatchExport &request, const GridModel &grid, const AnalysisState &analysis)
{
    using Writer = std::function<void(QIODevice &)>;
    const auto bytesOf = [](std::function<QByteArray()> make) -> Writer {
        return [make = std::move(make)](QIODevice &device) {
            device.write(make());
        };
    };
    // Each output: the path asked for and what its menu command saves, the
    // documents page by page straight into the file.
    // A further format is one more line here and one more field in BatchExport.
    std::optional<AnalysisState> anonymous;
    const auto shared = [&]() -> const AnalysisState & {
        if (!request.withoutNames)
            return analysis;
        if (!anonymous)
            anonymous = withoutNames(analysis);
        return *anonymous;
    };
    const std::pair<const QString &, Writer> outputs[] = {
            {request.txtPath, bytesOf([&grid] { return tableTextCp1250(grid); })},
            {request.htmlPath, bytesOf([&grid] { return htmlPageBytes(grid); })},
            {request.pdfPath,
                    [&shared](QIODevice &device) {
                        writeReportPdf(shared(), device);
                    }},
            {request.xlsxPath, bytesOf([&shared] { return workbookFileBytes(shared()); })},
            {request.cardsPath,
                    [&analysis](QIODevice &device) {
                        writeStudentCardsPdf(analysis, device);
                    }},
    };
    for (const auto &[path, write] : outputs) {
        if (path.isEmpty())
            continue;
        try {
            if (isStandardOutput(path)) {
                QBuffer buffer;
                buffer.open(QIODevice::WriteOnly);
                write(buffer);
                writeStandardOutput(buffer.data());
            } else {
                saveFile(path, write);
            }
        } catch (const SaveFileError &error) {
            return error.explained();
        } catch (const OutputRefused &error) {
            return error.message();
        } catch (const CommandError &error) {
            return isStandardOutput(path) ? error.message()
                                          : cannotSaveMessage(path, asReason(error.message()));
        }
    }
    return std::nullopt;
}

// Loads several tests into `analysis`, their warnings into `outcome`;
// returns why the load failed, or nothing.
std::optional<QString> loadTests(
        const QStringList &files, AnalysisState &analysis, BatchOutcome &outcome)
{
    ProgressLoad load = loadProgress(files, analysis.thresholds);
    if (load.status == LoadStatus::BadFile)
        return badFileMessage(load.failedPath);
    if (!load.loaded())
        return QStringLiteral("Nie podano plików wyników (*.dat).");
    outcome.warning = oneLine(unmatchedWarning(load.progress));
    outcome.blueprintWarning = load.newest.blueprint.warning;
    commitProgress(std::move(load), analysis);
    return std::nullopt;
}

} // namespace

QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

BatchOutcome runBatchExport(const BatchExport &request, const Thresholds &thresholds)
{
    if (request.files.isEmpty())
        return failure(QStringLiteral("Nie podano plików wyników (*.dat)."));
    const QStringList inputs =
            request.files + sideInputPaths(request.files.constFirst(), request.thresholdsFolder);
    if (const std::optional<QString> refusal = outputsRefusal(request, inputs)) {
        BatchOutcome outcome = failure(*refusal);
        outcome.refused = true;
        return outcome;
    }

    BatchOutcome outcome;
    AnalysisState analysis;
    analysis.thresholds = thresholds;
    if (request.severalTests) {
        if (const std::optional<QString> error = loadTests(request.files, analysis, outcome))
            return failure(*error);
    } else {
        LoadOutcome load = loadResults(request.files, thresholds);
        if (load.status == LoadStatus::BadFile)
            return failure(badFileMessage(request.files.value(load.failedIndex)));
        if (!load.loaded())
            return failure(QStringLiteral("Nie podano plików wyników (*.dat)."));
        QStringList warnings;
        if (load.otherTestsSkipped)
            warnings.append(oneLine(sameTestWarning(load.testName)));
        if (!load.otherCountFiles.isEmpty())
            warnings.append(oneLine(otherCountWarning(
                    load.testName, load.set.questionCount, load.otherCountFiles)));
        outcome.warning = warnings.join(u'\n');
        outcome.blueprintWarning = load.blueprint.warning;
        commitLoad(std::move(load), analysis);
    }
    analysis.dataLoaded = true;
    analysis.tableMode = request.tableKind;

    GridModel grid;
    GridState state;
    AnalysisTables tables(grid, state, analysis);
    std::optional<QString> error = buildTable(tables, state, request);
    if (!error)
        error = writeOutputs(request, grid, analysis);
    // A failure keeps the warning: it was true of the files all the same.
    if (error) {
        outcome.error = *error;
        return outcome;
    }
    outcome.ok = true;
    return outcome;
}

} // namespace zavevad
