// The skills table of a test's blueprint: 30 questions in 10 skills (each
// question in one skill, three in a second one). For 10,000 students the
// table must stay under 5 ms.

#include "results/skillanalysis.h"

#include "benchanalysis.h"
#include "benchmain.h"

#include <benchmark/benchmark.h>

using namespace zavevad;

namespace {

const AnalysisState &analysis(int students)
{
    return bench::keptAnalysis(students, 30, [](AnalysisState &state) {
        QByteArray file;
        for (int q = 1; q <= 30; ++q) {
            file += QByteArray::number(q) + "\tUmiejętność " + QByteArray::number(q % 10) + "\tV."
                    + QByteArray::number(q % 10) + '\n';
        }
        for (int q = 1; q <= 30; q += 10)
            file += QByteArray::number(q) + "\tUmiejętność 5\n";
        state.blueprint = parseBlueprint(file, 30).blueprint;
    });
}

// Chosen from the menu while the results table is on display: the statistics
// and the table on a grid of its own.
void BM_SkillsTable(benchmark::State &bench)
{
    const int students = static_cast<int>(bench.range(0));
    bench::timeTableAfterResults(bench, analysis(students), TableSkills, 4);
}

void BM_SkillStats(benchmark::State &bench)
{
    const int students = static_cast<int>(bench.range(0));
    const AnalysisState &a = analysis(students);
    for (auto _ : bench)
        benchmark::DoNotOptimize(computeSkillStats(a));
    bench.SetComplexityN(students);
}

} // namespace

BENCHMARK(BM_SkillsTable)->Apply(zavevad::bench::classSizes);
BENCHMARK(BM_SkillStats)->Apply(zavevad::bench::classSizes);
