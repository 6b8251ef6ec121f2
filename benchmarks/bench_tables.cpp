// Building the analysis tables into the grid model, for small and large
// classes. The results table for 10,000 students must stay well under 50 ms,
// and so must the item analysis of 10,000 students and 30 questions.
// Release, 10,000 students, an idle two-core machine, medians of three: the
// results table 8.2 ms (11.7 before its page was rendered in one sweep), its
// rebuild 5.2 ms (10.0), a question-page switch 4.1 ms (5.2), the
// working-time table 4.3 ms (12.6, before each time's text was made once).

#include <QLocale>

#include "benchanalysis.h"
#include "benchmain.h"

#include <benchmark/benchmark.h>

using namespace zavevad;

namespace {

const AnalysisState &analysis(int students, int questions = 20)
{
    return bench::keptAnalysis(students, questions);
}

// A fresh grid each time: the first build after start-up, storage included.
void buildFresh(benchmark::State &bench, TableKind kind)
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

// The item analysis of a 30-question test, chosen from the menu while the
// results table is on display: the statistics in one pass and the table on a
// grid of its own.
void BM_ItemAnalysisTable(benchmark::State &bench)
{
    const int students = static_cast<int>(bench.range(0));
    bench::timeTableAfterResults(bench, analysis(students, 30), TableItemAnalysis, 1);
}

} // namespace

BENCHMARK(BM_ItemAnalysisTable)->Apply(zavevad::bench::classSizes);
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
