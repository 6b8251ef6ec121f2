// The whole analysis out of the program: the PDF report (tables built,
// paginated and painted) and the xlsx workbook, for classes of 30 questions.

#include "export/workbook.h"
#include "report/reportdocument.h"

#include "benchanalysis.h"
#include "benchmain.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QTemporaryFile>
#include <QtGlobal>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

using namespace zavevad;

namespace {

const AnalysisState &analysisOf(int students)
{
    return bench::keptAnalysis(students, 30);
}

void BM_ReportPdf(benchmark::State &bench)
{
    const AnalysisState &analysis = analysisOf(static_cast<int>(bench.range(0)));
    bench::timePdf(
            bench, [&] { return ReportDocument(reportSectionMakers(analysis)); },
            QStringLiteral("Raport"));
}

void BM_Workbook(benchmark::State &bench)
{
    const AnalysisState &analysis = analysisOf(static_cast<int>(bench.range(0)));
    qsizetype bytes = 0;
    for (auto _ : bench) {
        const std::optional<QByteArray> xlsx = workbookBytes(workbookTableMakers(analysis));
        bytes = xlsx ? xlsx->size() : 0;
        benchmark::DoNotOptimize(xlsx);
    }
    bench.SetComplexityN(bench.range(0));
    bench.counters["bytes"] = static_cast<double>(bytes);
}

/// The most memory the process has held so far, in megabytes: run one
/// benchmark of a size alone (--benchmark_filter) to read its own peak.
double peakMegabytes()
{
#ifdef Q_OS_UNIX
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) == 0)
        return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
#endif
    return 0;
}

/// As "Zapisz raport PDF ..." saves it: straight into a file, its tables made
/// one at a time. analysis_MB: the peak before, the made-up class itself.
void BM_ReportPdfPeak(benchmark::State &bench)
{
    const AnalysisState &analysis = analysisOf(static_cast<int>(bench.range(0)));
    bench.counters["analysis_MB"] = peakMegabytes();
    int pages = 0;
    qint64 bytes = 0;
    for (auto _ : bench) {
        const ReportDocument document(reportSectionMakers(analysis));
        QTemporaryFile file;
        if (!file.open() || !document.writePdf(file, QStringLiteral("Raport")))
            bench.SkipWithError("the report could not be written");
        pages = document.pageCount();
        bytes = file.size();
    }
    bench.counters["pages"] = pages;
    bench.counters["bytes"] = static_cast<double>(bytes);
    bench.counters["peak_MB"] = peakMegabytes();
}

void BM_WorkbookPeak(benchmark::State &bench)
{
    analysisOf(static_cast<int>(bench.range(0)));
    bench.counters["analysis_MB"] = peakMegabytes();
    BM_Workbook(bench);
    bench.counters["peak_MB"] = peakMegabytes();
}

/// As "Drukuj raport ..." opens its preview: the report laid out, its
/// sections made one at a time, and the pages of the first screen painted.
void BM_ReportPreviewPeak(benchmark::State &bench)
{
    const AnalysisState &analysis = analysisOf(static_cast<int>(bench.range(0)));
    bench.counters["analysis_MB"] = peakMegabytes();
    int pages = 0;
    for (auto _ : bench) {
        const ReportDocument document(reportSectionMakers(analysis));
        const Platform::PreviewPages preview = reportPreviewPages(document);
        for (int page = 0; page < std::min(2, preview.count); ++page) {
            QImage image(900, 1200, QImage::Format_ARGB32_Premultiplied);
            QPainter painter(&image);
            if (!preview.paint(painter, page))
                bench.SkipWithError("a page could not be painted");
        }
        pages = preview.count;
    }
    bench.counters["pages"] = pages;
    bench.counters["peak_MB"] = peakMegabytes();
}

} // namespace

BENCHMARK(BM_ReportPdf)->Apply(zavevad::bench::classSizes);
BENCHMARK(BM_Workbook)->Apply(zavevad::bench::classSizes);
// A whole school district in one class: time and peak memory, one run each.
// bench_report --benchmark_filter=ReportPdfPeak (or WorkbookPeak) alone.
BENCHMARK(BM_ReportPdfPeak)->Arg(100000)->Iterations(1)->Unit(benchmark::kSecond);
// The preview of 10,000 students opens in under 3 s and 300 MB.
BENCHMARK(BM_ReportPreviewPeak)->Arg(10000)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_WorkbookPeak)->Arg(100000)->Iterations(1)->Unit(benchmark::kSecond);
