// The stanine table (10,000 students under 10 ms), the student-problem table
// (10,000 students and 30 questions under 50 ms) and one F quantile of the
// largest class's degrees of freedom (under 50 µs), the table values alone.

#include "results/fdistribution.h"
#include "tables/staninestable.h"
#include "tables/studentproblemtable.h"

#include "benchanalysis.h"
#include "benchmain.h"

#include <benchmark/benchmark.h>

using namespace zavevad;

namespace {

void BM_StaninesTable(benchmark::State &bench)
{
    const int students = static_cast<int>(bench.range(0));
    const AnalysisState &analysis = bench::keptAnalysis(students, 30);
    for (auto _ : bench)
        benchmark::DoNotOptimize(staninesTable(analysis));
    bench.SetComplexityN(students);
}

void BM_StudentProblemTable(benchmark::State &bench)
{
    const int students = static_cast<int>(bench.range(0));
    const AnalysisState &analysis = bench::keptAnalysis(students, 30);
    for (auto _ : bench)
        benchmark::DoNotOptimize(studentProblemTable(analysis));
    bench.SetComplexityN(students);
}

// Feldt's interval of 10,000 students and 30 questions: F(0.975; 9999, 289971).
void BM_FQuantile(benchmark::State &bench)
{
    const double df1 = static_cast<double>(bench.range(0)) - 1.0;
    const double df2 = df1 * 29.0;
    for (auto _ : bench)
        benchmark::DoNotOptimize(fQuantile(0.975, df1, df2));
}

} // namespace

BENCHMARK(BM_StaninesTable)->Apply(zavevad::bench::classSizes);
BENCHMARK(BM_StudentProblemTable)->Apply(zavevad::bench::classSizes);
BENCHMARK(BM_FQuantile)->Arg(30)->Arg(10000)->Unit(benchmark::kMicrosecond);
