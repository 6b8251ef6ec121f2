// The whole load path (read, validate, sort, grade, build the results table)
// against merely opening and reading the same result files.
#include "resultfilewriter.h"
#include "results/loader.h"
#include "tables/analysistables.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

using namespace zavevad;

namespace {

const char *const kSurnames[] = {"Nowak", "Kowalski", "Wiśniewska", "Wójcik", "Kowalczyk",
        "Kamiński", "Lewandowska", "Zieliński", "Szymańska", "Woźniak", "Dąbrowski", "Kozłowska",
        "Jankowski", "Mazur", "Łuczak", "Lis", "Ślęzak", "Żak", "Król", "Malinowski"};
const char *const kFirstNames[] = {
        "Anna", "Jan", "Zofia", "Piotr", "Łucja", "Jakub", "Ewa", "Michał", "Maja", "Szymon"};

/// A folder of `count` result files of one test, written once per size.
const QStringList &resultFiles(int count)
{
    static std::map<int, std::pair<std::unique_ptr<QTemporaryDir>, QStringList>> sets;
    auto &entry = sets[count];
    if (!entry.first) {
        entry.first = std::make_unique<QTemporaryDir>();
        QRandomGenerator random(count);
        for (int i = 0; i < count; ++i) {
            test::ResultFileSpec fileSpec;
            fileSpec.surname = QString::fromUtf8(kSurnames[random.bounded(20)]);
            fileSpec.firstName =
                    QString::fromUtf8(kFirstNames[random.bounded(10)]) + QString::number(i % 97);
            fileSpec.testName = QStringLiteral("Sprawdzian z ułamków");
            fileSpec.questionCount = 24;
            QByteArray answers(24, 0);
            for (char &answer : answers)
                answer = static_cast<char>(random.bounded(2));
            fileSpec.answers = answers;
            entry.second.append(test::writeResultFile(
                    entry.first->path(), QStringLiteral("u%1.dat").arg(i), fileSpec));
        }
    }
    return entry.second;
}

void BM_ReadFilesOnly(benchmark::State &state)
{
    const QStringList &paths = resultFiles(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        qint64 bytes = 0;
        for (const QString &path : paths) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                bytes += file.read(128).size();
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * paths.size());
}

void BM_FullLoad(benchmark::State &state)
{
    const QStringList &paths = resultFiles(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        AnalysisState analysis;
        GridModel grid;
        GridState gridState;
        LoadOutcome outcome = loadResults(paths, analysis.thresholds);
        if (!commitLoad(std::move(outcome), analysis)) {
            state.SkipWithError("load failed");
            return;
        }
        AnalysisTables tables(grid, gridState, analysis);
        tables.PokazTabele(TableResults);
        benchmark::DoNotOptimize(grid.text(0, 1));
    }
    state.SetItemsProcessed(state.iterations() * paths.size());
}

} // namespace

BENCHMARK(BM_ReadFilesOnly)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullLoad)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
