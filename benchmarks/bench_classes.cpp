// The class comparison: every class's statistics and the question matrix,
// for a school's year of classes that wrote one test.

#include "benchanalysis.h"
#include "benchmain.h"

#include "tables/analysistables.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"

#include <benchmark/benchmark.h>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

using namespace zavevad;

namespace {

constexpr int kClasses = 50;

// Students spread over fifty classes in turn, as folders of a school.
const AnalysisState &classes(int students)
{
    return bench::keptAnalysis(students, 30, [](AnalysisState &state) {
        for (std::size_t i = 0; i < state.students.size(); ++i) {
            state.students[i].schoolClass =
                    QStringLiteral("Klasa %1").arg(int(i % kClasses), 2, 10, QLatin1Char('0'));
        }
    });
}

// Chosen from the menu while the results table is on display: ten thousand
// students in fifty classes must take under 20 ms.
void BM_ClassComparisonTable(benchmark::State &bench)
{
    const int students = static_cast<int>(bench.range(0));
    bench::timeTableAfterResults(bench, classes(students), TableClassComparison, 1);
}

// One student a class: as many classes as students, the most classes a load
// can give. Its question count differs from the fifty classes' above.
const AnalysisState &oneStudentClasses(int students)
{
    return bench::keptAnalysis(students, 29, [](AnalysisState &state) {
        for (std::size_t i = 0; i < state.students.size(); ++i)
            state.students[i].schoolClass =
                    QStringLiteral("Klasa %1").arg(int(i), 5, 10, QLatin1Char('0'));
    });
}

/// The most memory the process has held so far, in megabytes: run one size
/// alone (--benchmark_filter) to read its own peak.
double peakMegabytes()
{
#ifdef Q_OS_UNIX
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) == 0)
        return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
#endif
    return 0;
}

// Both class tables of one-student classes, each chosen from the menu and
// paged sideways to its last column: they grow with classes x questions, so
// ten thousand classes stay far under 300 MB.
void BM_ClassTablesPerClass(benchmark::State &bench)
{
    const AnalysisState &analysis = oneStudentClasses(static_cast<int>(bench.range(0)));
    bench.counters["analysis_MB"] = peakMegabytes();
    GridModel grid;
    GridState state;
    AnalysisTables tables(grid, state, analysis);
    for (auto _ : bench) {
        for (const TableKind kind : {TableClassComparison, TableClassQuestions}) {
            tables.PokazTabele(kind);
            while (state.panels.PTabelawPrawo.visible)
                tables.ImTabelaWPrawoClick();
            benchmark::DoNotOptimize(grid.text(grid.columnCount() - 1, 1));
        }
    }
    bench.SetComplexityN(bench.range(0));
    bench.counters["classes"] = static_cast<double>(bench.range(0));
    bench.counters["peak_MB"] = peakMegabytes();
}

} // namespace

BENCHMARK(BM_ClassComparisonTable)->Apply(zavevad::bench::classSizes);
BENCHMARK(BM_ClassTablesPerClass)->Apply(zavevad::bench::classSizes);
