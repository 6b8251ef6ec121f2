// The students' result cards as the menu saves them: every card made from
// the analysis, painted and written into one PDF, for classes of 30 questions
// and ten skills. Peak memory: run one size alone under /usr/bin/time -v.

#include "report/carddocument.h"

#include "benchanalysis.h"
#include "benchmain.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

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

// As "Zapisz karty uczniów PDF ..." saves them: page by page into the file,
// so that the peak memory stays that of the analysis and a few pages. Peak
// memory: /usr/bin/time -v bench_cards --benchmark_filter=Saved.
void BM_StudentCardsSaved(benchmark::State &bench)
{
    const AnalysisState &analysis = analysisOf(static_cast<int>(bench.range(0)));
    QTemporaryDir dir;
    qint64 bytes = 0;
    for (auto _ : bench) {
        QFile file(dir.filePath(QStringLiteral("karty.pdf")));
        if (!file.open(QIODevice::WriteOnly)
                || !CardDocument(analysis).writePdf(file, QStringLiteral("Karty")))
            bench.SkipWithError("the cards could not be written");
        bytes = file.size();
    }
    bench.counters["bytes"] = static_cast<double>(bytes);
}

} // namespace

BENCHMARK(BM_StudentCardsPdf)->Apply(zavevad::bench::classSizes);
BENCHMARK(BM_StudentCardsSaved)->Arg(100000)->Unit(benchmark::kSecond)->Iterations(1);
