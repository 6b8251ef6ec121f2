// A school year of tests loaded together: thirty tests of a thousand students
// each, read from one folder per test, matched by name and laid out as the
// progress table (under 1 s and 200 MB); and the table alone (under 50 ms).

#include "resultfilewriter.h"
#include "results/progress.h"
#include "results/resultpaths.h"
#include "tables/progresstable.h"

#include <QLocale>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace zavevad;
using namespace zavevad::test;

namespace {

constexpr int kTests = 30;
constexpr int kStudents = 1000;

const QStringList kSurnames{QStringLiteral("Nowak"), QStringLiteral("Wiśniewski"),
        QStringLiteral("Wójcik"), QStringLiteral("Łuczak"), QStringLiteral("Śliwa"),
        QStringLiteral("Żak"), QStringLiteral("Zając")};

// Written once: a folder per test, a file per student; every tenth student
// types the name without Polish letters in odd tests.
QString yearFolder()
{
    static std::unique_ptr<QTemporaryDir> dir;
    if (!dir) {
        dir = std::make_unique<QTemporaryDir>();
        for (int t = 0; t < kTests; ++t) {
            const QString folder =
                    dir->filePath(QStringLiteral("test%1").arg(t, 2, 10, QLatin1Char('0')));
            QDir().mkpath(folder);
            for (int i = 0; i < kStudents; ++i) {
                ResultFileSpec fileSpec;
                fileSpec.surname = kSurnames[i % kSurnames.size()];
                if (i % 10 == 0 && t % 2 == 1)
                    fileSpec.surname = matchingKey(fileSpec.surname);
                fileSpec.firstName = QStringLiteral("Uczeń %1").arg(i);
                fileSpec.testName = QStringLiteral("Sprawdzian %1").arg(t);
                fileSpec.questionCount = 20;
                fileSpec.answers = QByteArray(20, 0);
                for (int k = 0; k < 20; ++k)
                    fileSpec.answers[k] = char((i * 31 + k * 7 + t * 3) % 10 < 6);
                fileSpec.start = 46000 + 7 * t + i / 100000.0;
                writeResultFile(folder, QStringLiteral("u%1.dat").arg(i, 4, 10, QLatin1Char('0')),
                        fileSpec);
            }
        }
    }
    return dir->path();
}

void BM_LoadTestsAndTable(benchmark::State &bench)
{
    const QString folder = yearFolder();
    for (auto _ : bench) {
        AnalysisState state;
        if (!commitProgress(loadProgress(resultFilesUnder(folder), Thresholds{}), state))
            bench.SkipWithError("load failed");
        const Table table = progressTable(state);
        benchmark::DoNotOptimize(table.rowCount());
    }
}

void BM_ProgressTable(benchmark::State &bench)
{
    AnalysisState state;
    commitProgress(loadProgress(resultFilesUnder(yearFolder()), Thresholds{}), state);
    if (state.progress.students.size() != std::size_t(kStudents))
        bench.SkipWithError("students not matched");
    for (auto _ : bench) {
        const Table table = progressTable(state);
        benchmark::DoNotOptimize(table.rowCount());
    }
}

} // namespace

BENCHMARK(BM_LoadTestsAndTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProgressTable)->Unit(benchmark::kMillisecond);
