// The class comparison: every class's statistics and the question matrix,
// for a school's year of classes that wrote one test.

#include "../tests/tables/analysisbuilder.h"

#include "tables/analysistables.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"

#include "benchmain.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

using namespace zavevad;

namespace {

constexpr int kClasses = 50;

// Students spread over fifty classes in turn, as folders of a school.
const AnalysisState &classes(int students)
{
    static std::map<int, std::unique_ptr<AnalysisState>> states;
    auto &slot = states[students];
    if (!slot) {
        slot = std::make_unique<AnalysisState>(test::makeAnalysis(students, 30));
        for (std::size_t i = 0; i < slot->students.size(); ++i) {
            slot->students[i].schoolClass =
                    QStringLiteral("Klasa %1").arg(int(i % kClasses), 2, 10, QLatin1Char('0'));
        }
    }
    return *slot;
}

// Chosen from the menu while the results table is on display: ten thousand
// students in fifty classes must take under 20 ms.
void BM_ClassComparisonTable(benchmark::State &bench)
{
    const int students = static_cast<int>(bench.range(0));
    const AnalysisState &a = classes(students);
    GridModel grid;
    GridState state;
    AnalysisTables tables(grid, state, a);
    for (auto _ : bench) {
        bench.PauseTiming();
        tables.PokazTabele(TableResults);
        bench.ResumeTiming();
        tables.PokazTabele(TableClassComparison);
        benchmark::DoNotOptimize(grid.text(1, 1));
    }
    bench.SetComplexityN(students);
    bench.counters["rows"] = students;
}

} // namespace

BENCHMARK(BM_ClassComparisonTable)->Apply(zavevad::bench::classSizes);
