#pragma once

// What the table, card and report benchmarks share: made-up analyses kept from
// one run to the next, the timing of a table chosen from the menu, and of a
// document painted into a PDF.

#include "../tests/tables/analysisbuilder.h"

#include "tables/analysistables.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"

#include <QByteArray>
#include <QString>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <utility>

namespace zavevad::bench {

/// The made-up analysis of `students` students and `questions` questions, made
/// and given its extras by `prepare` (classes, a blueprint) once per size, so
/// that the making stays out of every timing. Each `prepare` keeps its own.
template<typename Prepare>
const AnalysisState &keptAnalysis(int students, int questions, Prepare prepare)
{
    static std::map<std::pair<int, int>, std::unique_ptr<AnalysisState>> states;
    auto &slot = states[{students, questions}];
    if (!slot) {
        slot = std::make_unique<AnalysisState>(test::makeAnalysis(students, questions));
        prepare(*slot);
    }
    return *slot;
}

/// The same with nothing added to the made-up analysis.
inline const AnalysisState &keptAnalysis(int students, int questions)
{
    return keptAnalysis(students, questions, [](AnalysisState &) {});
}

/// Times the table `kind` as when it is chosen from the menu while the results
/// table is on display: the results table is built, untimed, before each
/// build. The cell of `column` in the first row is read after each build.
inline void timeTableAfterResults(
        benchmark::State &bench, const AnalysisState &analysis, TableKind kind, int column)
{
    const int students = static_cast<int>(bench.range(0));
    GridModel grid;
    GridState state;
    AnalysisTables tables(grid, state, analysis);
    for (auto _ : bench) {
        bench.PauseTiming();
        tables.PokazTabele(TableResults);
        bench.ResumeTiming();
        tables.PokazTabele(kind);
        benchmark::DoNotOptimize(grid.text(column, 1));
    }
    bench.SetComplexityN(students);
    bench.counters["rows"] = students;
}

/// Times making the document `makeDocument()` returns and painting it into a
/// PDF titled `title`; the pages and bytes of the last one are counted.
template<typename MakeDocument>
void timePdf(benchmark::State &bench, MakeDocument makeDocument, const QString &title)
{
    int pages = 0;
    qsizetype bytes = 0;
    for (auto _ : bench) {
        const auto document = makeDocument();
        const QByteArray pdf = document.toPdf(title);
        pages = document.pageCount();
        bytes = pdf.size();
        benchmark::DoNotOptimize(pdf);
    }
    bench.SetComplexityN(bench.range(0));
    bench.counters["pages"] = pages;
    bench.counters["bytes"] = static_cast<double>(bytes);
}

} // namespace zavevad::bench
