// libFuzzer target for the result file reader and everything a load derives
// from accepted records: the sort, grading, the statistics, the three tables
// (whose working-time cells format any double as a time of day), their paging,
// both exports and the chart data read back from the table cells.
//
// The input is cut into 128-byte records, each one the first record of a
// result file; a short tail is read as a file that is too short.

#include "charts/chartdata.h"
#include "export/htmlexport.h"
#include "export/tabletext.h"
#include "fuzzsupport.h"
#include "results/grading.h"
#include "results/loader.h"
#include "results/resultfile.h"
#include "tables/analysistables.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"
#include "tables/numberformat.h"

#include <QBuffer>
#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace zavevad;

namespace {

constexpr int kMaxRecords = 12;
// Copies of the first accepted record, so that the sort meets equal names and
// the tables meet more than one page of students.
constexpr int kCopies = 5;

// A broken promise of the code under test is a finding, like a crash.
#define check(condition)                                                                           \
    do {                                                                                           \
        if (!(condition))                                                                          \
            fuzz::fail(#condition, __FILE__, __LINE__);                                            \
    } while (false)

void checkRecord(const ResultFileRead &read)
{
    if (!read.ok())
        return;
    const Uczen &r = read.record;
    check(r.Nazwisko.size() <= 20 && r.Imie.size() <= 20 && r.NazwaTestu.size() <= 30);
    check(r.LiczbaPytan >= 1 && r.LiczbaPytan <= kMaxQuestions);
}

// Both readers must agree: the one on bytes and the one on a device.
ResultFileRead readBoth(QByteArrayView bytes)
{
    const ResultFileRead parsed = parseResultRecord(bytes);
    QByteArray copy(bytes.data(), bytes.size());
    QBuffer buffer(&copy);
    const ResultFileRead read = readResultFile(buffer);
    check(parsed.error == read.error);
    check(parsed.ok() == read.ok());
    if (parsed.ok()) {
        check(parsed.rawTestName == read.rawTestName);
        check(parsed.record.Nazwisko == read.record.Nazwisko);
        check(parsed.record.LiczbaPytan == read.record.LiczbaPytan);
    }
    checkRecord(parsed);
    return parsed;
}

void chartFromTable(
        const GridModel &grid, const AnalysisState &analysis, TableKind mode, int sumaColumn)
{
    Appearances appearances;
    FillAppearanceDefaults(appearances);
    for (int kind = ChartKindBar; kind <= ChartKindLine; ++kind) {
        chart::Chart chart;
        ChartKindState state;
        state.ChartKind = kind;
        const ChartSource source{grid, mode, analysis.studentCount, sumaColumn};
        try {
            (void)BuildChartFromTable(source, appearances, chart, state);
        } catch (const CommandError &) {
            // A cell that is no number: the chart command reports it.
        }
    }
}

void showTables(const AnalysisState &analysis)
{
    GridModel grid;
    GridState gridState;
    AnalysisTables tables(grid, gridState, analysis);

    for (const TableKind kind :
            {TableResults, TableWorkingTime, TableGradeCount, TableItemAnalysis}) {
        tables.PokazTabele(kind);
        // Page down to the end and back, then the other question page.
        for (int i = 0; i < 4; ++i)
            tables.ImTabelaWDolClick();
        for (int i = 0; i < 4; ++i)
            tables.ImTabelaWGoreClick();
        tables.ImTabelaWPrawoClick();
        (void)tableTextCp1250(grid);
        (void)htmlPageBytes(grid);
        chartFromTable(grid, analysis, kind, resultsSumaColumn(gridState, analysis));
        tables.ImTabelaWLewoClick();
    }
}

void useStudents(Uczniowie students)
{
    if (students.empty())
        return;
    sortStudents(students);

    AnalysisState analysis;
    analysis.questionCount = students.front().LiczbaPytan;
    analysis.studentCount = static_cast<std::int32_t>(students.size());
    gradeStudents(students, analysis.questionCount, analysis.thresholds, analysis.summary);
    computeQuestionStats(students, analysis.questionCount, analysis.questions);
    computeClassTotals(students, analysis.summary);
    for (const UczenAll &s : students) {
        check(s.Suma >= 0 && s.Suma <= analysis.questionCount);
        check(s.Procent >= 0 && s.Procent <= 100);
        // The working-time table's texts, also for not-a-number, infinite and
        // huge date-times and their differences.
        (void)timeOfDayText(s.Poczatek);
        (void)timeOfDayText(s.Koniec);
        (void)timeOfDayText(s.workingTime());
        const int ms = timeOfDayMilliseconds(s.workingTime());
        check(ms >= 0 && ms < 86400000);
    }
    check(classPercent(analysis.summary, analysis.questionCount) >= 0);
    analysis.students = std::move(students);
    analysis.dataLoaded = true;
    showTables(analysis);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzz::initialiseCore(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));

    // The whole input as one file: only its first 128 bytes count.
    const ResultFileRead first = readBoth(input);

    Uczniowie students;
    QByteArray acceptedTest;
    for (qsizetype offset = 0, n = 0; offset < input.size() && n < kMaxRecords;
            offset += kResultRecordSize, ++n) {
        const ResultFileRead read = readBoth(input.sliced(offset));
        if (!read.ok())
            break; // a bad file ends a load at once
        // As a load does: the first file decides the test, the others must match exactly.
        if (students.empty())
            acceptedTest = read.rawTestName;
        else if (read.rawTestName != acceptedTest)
            continue;
        students.emplace_back(read.record);
    }
    if (first.ok()) {
        for (int i = 0; i < kCopies && !students.empty(); ++i) {
            UczenAll copy(first.record);
            copy.Odpowiedzi[static_cast<std::size_t>(i)] ^= 1;
            students.push_back(copy);
        }
    }
    useStudents(std::move(students));
    return 0;
}
