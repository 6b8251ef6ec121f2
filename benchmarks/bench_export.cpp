// Exporting the results table of small and large classes as tab-separated
// text and as HTML: the strings, their encoding and the clipboard data.

#include "../tests/tables/analysisbuilder.h"

#include "export/htmlexport.h"
#include "export/tabletext.h"
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

// The results page 1 of a 20-question test, built once per class size.
const GridModel &resultsGrid(int students)
{
    struct Screen
    {
        AnalysisState analysis;
        GridModel grid;
        GridState state;
    };
    static std::map<int, std::unique_ptr<Screen>> screens;
    auto &slot = screens[students];
    if (!slot) {
        slot = std::make_unique<Screen>();
        slot->analysis = test::makeAnalysis(students, 20);
        AnalysisTables(slot->grid, slot->state, slot->analysis).PokazTabele(TableResults);
    }
    return slot->grid;
}

void BM_TableText(benchmark::State &bench)
{
    const GridModel &grid = resultsGrid(static_cast<int>(bench.range(0)));
    for (auto _ : bench)
        benchmark::DoNotOptimize(tableTextCp1250(grid));
    bench.SetComplexityN(bench.range(0));
}

void BM_HtmlPage(benchmark::State &bench)
{
    const GridModel &grid = resultsGrid(static_cast<int>(bench.range(0)));
    qsizetype bytes = 0;
    for (auto _ : bench) {
        const QByteArray page = htmlPageBytes(grid);
        bytes = page.size();
        benchmark::DoNotOptimize(page);
    }
    bench.SetComplexityN(bench.range(0));
    bench.counters["bytes"] = static_cast<double>(bytes);
}

void BM_HtmlClipboardText(benchmark::State &bench)
{
    const GridModel &grid = resultsGrid(static_cast<int>(bench.range(0)));
    for (auto _ : bench)
        benchmark::DoNotOptimize(htmlTableText(grid));
    bench.SetComplexityN(bench.range(0));
}

} // namespace

BENCHMARK(BM_TableText)->Apply(zavevad::bench::classSizes);
BENCHMARK(BM_HtmlPage)->Apply(zavevad::bench::classSizes);
BENCHMARK(BM_HtmlClipboardText)->Apply(zavevad::bench::classSizes);
