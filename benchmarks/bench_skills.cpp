// The skills table of a test's blueprint: 30 questions in 10 skills (each
// question in one skill, three in a second one). For 10,000 students the
// table must stay under 5 ms.

#include "../tests/tables/analysisbuilder.h"

#include "results/skillanalysis.h"
#include "tables/analysistables.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"

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
    if (!slot) {
        slot = std::make_unique<AnalysisState>(test::makeAnalysis(students, 30));
        QByteArray file;
        for (int q = 1; q <= 30; ++q) {
            file += QByteArray::number(q) + "\tUmiejętność " + QByteArray::number(q % 10) + "\tV."
                    + QByteArray::number(q % 10) + '\n';
        }
        for (int q = 1; q <= 30; q += 10)
            file += QByteArray::number(q) + "\tUmiejętność 5\n";
        slot->blueprint = parseBlueprint(file, 30).blueprint;
    }
    return *slot;
}

// Chosen from the menu while the results table is on display: the statistics
// and the table on a grid of its own.
void BM_SkillsTable(benchmark::State &bench)
{
    const int students = static_cast<int>(bench.range(0));
    const AnalysisState &a = analysis(students);
    GridModel grid;
    GridState state;
    AnalysisTables tables(grid, state, a);
    for (auto _ : bench) {
        bench.PauseTiming();
        tables.PokazTabele(TableResults);
        bench.ResumeTiming();
        tables.PokazTabele(TableSkills);
        benchmark::DoNotOptimize(grid.text(4, 1));
    }
    bench.SetComplexityN(students);
    bench.counters["rows"] = students;
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
