// The class comparison: every class's statistics and the question matrix,
// for a school's year of classes that wrote one test.

#include "benchanalysis.h"
#include "benchmain.h"

#include <benchmark/benchmark.h>

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

} // namespace

BENCHMARK(BM_ClassComparisonTable)->Apply(zavevad::bench::classSizes);
