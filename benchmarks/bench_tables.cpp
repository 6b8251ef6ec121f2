// Building the three analysis tables into the grid model, for small and large
// classes. The results table for 10,000 students must stay well under 50 ms.

#include "../tests/tables/analysisbuilder.h"

#include "tables/analysistables.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"

#include <QLocale>

#include "benchmain.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

using namespace zavevad;

namespace {

const AnalysisState &analysis(int students)
{
    static std::map<int, std::unique_ptr<AnalysisState>> states;
    auto &slot = states[students];
    if (!slot)
        slot = std::make_unique<AnalysisState>(test::makeAnalysis(students, 20));
    return *slot;
}

// A fresh grid each time: the first build after start-up, storage included.
void buildFresh(benchmark::State &bench, int kind)
{
    const int students = static_cast<int>(bench.range(0));
    const AnalysisState &a = analysis(students);
    for (auto _ : bench) {
        GridModel grid;
        GridState state;
        AnalysisTables(grid, state, a).PokazTabele(kind);
        benchmark::DoNotOptimize(grid.text(1, 1));
    }
    bench.SetComplexityN(students);
    bench.counters["rows"] = students;
}

void BM_ResultsTable(benchmark::State &bench)
{
    buildFresh(bench, TableResults);
}

void BM_WorkingTimeTable(benchmark::State &bench)
{
    buildFresh(bench, TableWorkingTime);
}

void BM_GradeCountTable(benchmark::State &bench)
{
    buildFresh(bench, TableGradeCount);
}

// Switching back to the results table: the grid already holds its storage.
void BM_ResultsTableRebuild(benchmark::State &bench)
{
    const int students = static_cast<int>(bench.range(0));
    const AnalysisState &a = analysis(students);
    GridModel grid;
    GridState state;
    AnalysisTables tables(grid, state, a);
    tables.PokazTabele(TableResults);
    for (auto _ : bench) {
        tables.PokazTabele(TableResults);
        benchmark::DoNotOptimize(grid.text(1, 1));
    }
    bench.SetComplexityN(students);
}

// A page switch of a 20-question test: page 2 and back to page 1.
void BM_QuestionPageSwitch(benchmark::State &bench)
{
    const int students = static_cast<int>(bench.range(0));
    const AnalysisState &a = analysis(students);
    GridModel grid;
    GridState state;
    AnalysisTables tables(grid, state, a);
    tables.PokazTabele(TableResults);
    for (auto _ : bench) {
        tables.ImTabelaWPrawoClick();
        tables.ImTabelaWLewoClick();
        benchmark::DoNotOptimize(grid.text(1, 1));
    }
    bench.SetComplexityN(students);
}

} // namespace

BENCHMARK(BM_ResultsTable)->Apply(zavevad::bench::classSizes);
BENCHMARK(BM_ResultsTableRebuild)->Apply(zavevad::bench::classSizes);
BENCHMARK(BM_QuestionPageSwitch)->Apply(zavevad::bench::classSizes);
BENCHMARK(BM_WorkingTimeTable)->Apply(zavevad::bench::classSizes);
BENCHMARK(BM_GradeCountTable)
        ->Arg(30)
        ->Arg(1000)
        ->Arg(10000)
        ->Unit(benchmark::kMicrosecond)
        ->Complexity(benchmark::o1);
