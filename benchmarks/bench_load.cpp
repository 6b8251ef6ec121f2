// The data side of loading a class: reading, checking, sorting and grading
// result files, against merely opening and reading the same files.

#include "resultfilewriter.h"
#include "results/loader.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

using namespace zavevad;
using namespace zavevad::test;

namespace {

const QStringList kSurnames{QStringLiteral("Nowak"), QStringLiteral("Kowalski"),
        QStringLiteral("Wiśniewski"), QStringLiteral("Wójcik"), QStringLiteral("Łuczak"),
        QStringLiteral("Lis"), QStringLiteral("Malinowski"), QStringLiteral("Śliwa"),
        QStringLiteral("Żak"), QStringLiteral("Ćwik"), QStringLiteral("Zając"),
        QStringLiteral("Kamińska")};
const QStringList kFirstNames{QStringLiteral("Jan"), QStringLiteral("Zofia"),
        QStringLiteral("Małgorzata"), QStringLiteral("Stanisław"), QStringLiteral("Łucja"),
        QStringLiteral("Mikołaj"), QStringLiteral("Żaneta")};

// One folder of result files per size, written once and shared by the benchmarks.
struct Fixture
{
    QTemporaryDir dir;
    QStringList paths;
};

const Fixture &fixture(int count)
{
    static std::map<int, std::unique_ptr<Fixture>> fixtures;
    auto &slot = fixtures[count];
    if (!slot) {
        slot = std::make_unique<Fixture>();
        for (int i = 0; i < count; ++i) {
            ResultFileSpec fileSpec;
            fileSpec.surname = kSurnames[i % kSurnames.size()];
            fileSpec.firstName =
                    kFirstNames[(i / kSurnames.size()) % kFirstNames.size()] + QString::number(i);
            fileSpec.testName = QStringLiteral("Sprawdzian - ułamki zwykłe");
            fileSpec.questionCount = 20;
            fileSpec.answers = QByteArray(20, 0);
            for (int k = 0; k < 20; ++k)
                fileSpec.answers[k] = char((i * 31 + k * 7) % 10 < 6);
            const QString name = QStringLiteral("u%1.dat").arg(i, 5, 10, QLatin1Char('0'));
            slot->paths << writeResultFile(slot->dir.path(), name, fileSpec);
        }
    }
    return *slot;
}

void BM_LoadResults(benchmark::State &state)
{
    const Fixture &f = fixture(int(state.range(0)));
    for (auto _ : state) {
        LoadOutcome outcome = loadResults(f.paths, Thresholds{});
        if (!outcome.loaded())
            state.SkipWithError("load failed");
        // The results table is built here too once the table builder exists.
        benchmark::DoNotOptimize(outcome.set.summary);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_OpenAndReadOnly(benchmark::State &state)
{
    const Fixture &f = fixture(int(state.range(0)));
    char buffer[kResultRecordSize];
    for (auto _ : state) {
        qint64 total = 0;
        for (const QString &path : f.paths) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                total += file.read(buffer, sizeof buffer);
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_LoadResults)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenAndReadOnly)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
