// The students' result cards as the menu saves them: every card made from
// the analysis, painted and written into one PDF, for classes of 30 questions
// and ten skills. Peak memory: run one size alone under /usr/bin/time -v.

#include "report/carddocument.h"

#include "benchanalysis.h"
#include "benchmain.h"

#include <benchmark/benchmark.h>

#include <utility>

using namespace zavevad;

namespace {

/// Ten skills of three questions each, so that every card has its skills table.
AnalysisState withBlueprint(AnalysisState analysis)
{
    for (int skill = 0; skill < 10; ++skill)
        analysis.blueprint.skills.push_back({QStringLiteral("Umiejętność %1").arg(skill + 1),
                QStringLiteral("V.%1").arg(skill + 1), 0b111u << (3 * skill)});
    return analysis;
}

const AnalysisState &analysisOf(int students)
{
    return bench::keptAnalysis(students, 30,
            [](AnalysisState &analysis) { analysis = withBlueprint(std::move(analysis)); });
}

void BM_StudentCardsPdf(benchmark::State &bench)
{
    const AnalysisState &analysis = analysisOf(static_cast<int>(bench.range(0)));
    bench::timePdf(
            bench, [&] { return CardDocument(analysis); }, QStringLiteral("Karty"));
}

} // namespace

BENCHMARK(BM_StudentCardsPdf)->Apply(zavevad::bench::classSizes);
