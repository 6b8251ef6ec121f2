#include "tables/resultstables.h"

#include "results/classstatistics.h"
#include "results/grading.h"
#include "results/rounding.h"
#include "results/thresholds.h"

#include <algorithm>

namespace zavevad {

namespace {

constexpr std::int32_t kSumRowColour = packedRgb(255, 255, 200);
constexpr std::int32_t kAverageRowColour = packedRgb(221, 224, 216);

constexpr int kNameColumnWidth = 120;
constexpr int kQuestionColumnWidth = 26;
constexpr int kTotalColumnWidth = 60; // "Suma" and "Ocena"
constexpr int kTimeColumnWidth = 80;
constexpr int kGradeCountColumnWidth = 100;

// The looks of the tables' cells and rows.
constexpr CellLook kCorrectLook{.fontColour = kBlack};
constexpr CellLook kWrongLook{.fontColour = kRed};
constexpr CellLook kStudentPointsLook{.fontColour = kRed, .bold = true};
constexpr CellLook kStudentGradeLook{.fontColour = kBlack, .bold = true};
constexpr CellLook kTotalLook{.fontColour = kRed, .bold = true}; // class totals and averages
constexpr CellLook kPercentLook{.fontColour = kGreen, .bold = true};
constexpr CellLook kTimeLook{.fontColour = kBlack};
constexpr CellLook kWorkingTimeLook{.fontColour = kGreen, .bold = true};
constexpr CellLook kCountLook{.fontColour = kBlack, .bold = true};
constexpr CellLook kSumRowLook{
        .background = kSumRowColour, .fontColour = kNavy, .bold = true, .align = alLeft};
constexpr CellLook kAverageRowLook{
        .background = kAverageRowColour, .fontColour = kGreen, .bold = true, .align = alLeft};
constexpr CellLook kAverageGradeLabelLook{.fontColour = kRed, .bold = true, .align = alLeft};

void number(Table &table, int c, int r, std::int64_t value, const CellLook &look,
        CellKind kind = CellKind::Whole)
{
    table.setNumber(c, r, kind, static_cast<double>(value));
    table.setLook(c, r, look);
}

/// Student rows 1 to n: names in column 0, banded every fifth row.
void studentRows(Table &table, const AnalysisState &analysis, int n)
{
    for (int r = 1; r <= n; ++r) {
        table.setText(0, r, analysis.students[static_cast<std::size_t>(r - 1)].displayName());
        table.setBand(r, r % 5 == 0 ? RowBand::Fifth : RowBand::Plain);
    }
}

void resultsSummaryRows(Table &table, const AnalysisState &analysis, int q, int n)
{
    const int sumRow = n + 1;
    const int averageRow = n + 2;
    const int sumColumn = q + 1;
    const int gradeColumn = q + 2;
    table.setRowLook(sumRow, kSumRowLook);
    table.setText(0, sumRow, QStringLiteral("Suma"));
    table.setRowLook(averageRow, kAverageRowLook);
    table.setText(0, averageRow, QStringLiteral("Średnia (%)"));
    for (int c = 1; c <= q; ++c) {
        const QuestionStat &stat = analysis.questions[static_cast<std::size_t>(c - 1)];
        number(table, c, sumRow, stat.correctCount, kResultsCountLook);
        number(table, c, averageRow, stat.correctPercent, kPercentLook, CellKind::Percent);
    }
    const ClassSummary &summary = analysis.summary;
    number(table, sumColumn, sumRow, summary.totalPoints, kTotalLook);
    table.setLook(gradeColumn, sumRow, kTotalLook);
    table.setNumber(sumColumn, averageRow, CellKind::Decimal, summary.averagePoints100 / 100.0);
    table.setLook(sumColumn, averageRow, kTotalLook);
    table.setLook(gradeColumn, averageRow, kTotalLook);
    if (q > 0)
        table.setText(gradeColumn, averageRow,
                gradeName(classPercent(summary, q), analysis.thresholds), CellKind::Grade);
}

} // namespace

Table resultsTable(const AnalysisState &analysis)
{
    const int q = usableQuestionCount(analysis.questionCount);
    const int n = std::max(analysis.studentCount, 0);
    const int sumColumn = q + 1;
    const int gradeColumn = q + 2;
    Table table(q + 3, n + 3);
    table.title = QStringLiteral("Tabela - Wyniki testu");
    table.sheetName = QStringLiteral("Wyniki");
    table.summaryRows = 2;

    table.setColumn(0, kNameColumnWidth, ColumnRole::Label);
    table.setText(0, 0, QStringLiteral("Nazwisko i imię"));
    for (int c = 1; c <= q; ++c) {
        table.setColumn(c, kQuestionColumnWidth, ColumnRole::Question);
        table.setText(c, 0, QString::number(c));
    }
    table.setColumn(sumColumn, kTotalColumnWidth, ColumnRole::Sum);
    table.setText(sumColumn, 0, QStringLiteral("Suma"));
    table.setColumn(gradeColumn, kTotalColumnWidth, ColumnRole::Grade);
    table.setText(gradeColumn, 0, QStringLiteral("Ocena"));

    studentRows(table, analysis, n);
    // Each look found once, not once per cell.
    const std::uint16_t correctLook = table.lookIndex(kCorrectLook);
    const std::uint16_t wrongLook = table.lookIndex(kWrongLook);
    const std::uint16_t pointsLook = table.lookIndex(kStudentPointsLook);
    const std::uint16_t gradeLook = table.lookIndex(kStudentGradeLook);
    for (int r = 1; r <= n; ++r) {
        const UczenAll &student = analysis.students[static_cast<std::size_t>(r - 1)];
        for (int c = 1; c <= q; ++c) {
            const bool correct = student.correct(c);
            table.setNumber(c, r, CellKind::Whole, correct ? 1.0 : 0.0);
            table.setLookIndex(c, r, correct ? correctLook : wrongLook);
        }
        table.setNumber(sumColumn, r, CellKind::Whole, student.Suma);
        table.setLookIndex(sumColumn, r, pointsLook);
        table.setText(gradeColumn, r, student.Ocena, CellKind::Grade);
        table.setLookIndex(gradeColumn, r, gradeLook);
    }
    resultsSummaryRows(table, analysis, q, n);
    return table;
}

Table workingTimeTable(const AnalysisState &analysis)
{
    const int n = std::max(analysis.studentCount, 0);
    const int averageRow = n + 1;
    Table table(4, n + 2);
    table.title = QStringLiteral("Tabela - Czas pracy");
    table.sheetName = QStringLiteral("Czas pracy");
    table.summaryRows = 1;

    table.setColumn(0, kNameColumnWidth, ColumnRole::Label);
    table.setText(0, 0, QStringLiteral("Nazwisko i imię"));
    const char16_t *headers[] = {u"Początek", u"Koniec", u"Czas pracy"};
    for (int c = 1; c <= 3; ++c) {
        table.setColumn(c, kTimeColumnWidth, ColumnRole::Time);
        table.setText(c, 0, QString::fromUtf16(headers[c - 1]));
    }

    studentRows(table, analysis, n);
    for (int r = 1; r <= n; ++r) {
        const UczenAll &student = analysis.students[static_cast<std::size_t>(r - 1)];
        table.setNumber(1, r, CellKind::DateTime, student.Poczatek);
        table.setLook(1, r, kTimeLook);
        table.setNumber(2, r, CellKind::DateTime, student.Koniec);
        table.setLook(2, r, kTimeLook);
        table.setNumber(3, r, CellKind::Duration, student.workingTime());
        table.setLook(3, r, kWorkingTimeLook);
    }
    table.setBand(averageRow, RowBand::Plain);
    table.setRowLook(averageRow, kSumRowLook);
    table.setText(0, averageRow, QStringLiteral("Średni (min)"));
    table.setLook(1, averageRow, kTotalLook);
    table.setLook(2, averageRow, kTotalLook);
    table.setNumber(3, averageRow, CellKind::Duration, averageWorkingTime(analysis));
    table.setLook(3, averageRow, kTotalLook);
    return table;
}

Table gradeCountTable(const AnalysisState &analysis)
{
    Table table(2, 8);
    table.title = QStringLiteral("Tabela - Ilość ocen");
    table.sheetName = QStringLiteral("Ilość ocen");
    table.setColumn(0, kNameColumnWidth, ColumnRole::Label);
    table.setColumn(1, kGradeCountColumnWidth, ColumnRole::Count);
    table.setColumnLook(0, kPlainLabelLook);
    table.setText(0, 0, QStringLiteral("Ocena"));
    table.setText(1, 0, QStringLiteral("Ilość ocen"));

    const ClassSummary &s = analysis.summary;
    const struct
    {
        const char16_t *name;
        std::int32_t count;
    } grades[] = {{u"Cel", s.cel}, {u"Bdb", s.bdb}, {u"Db", s.db}, {u"Dst", s.dst}, {u"Dop", s.dop},
            {u"Ndst", s.ndst}};
    int row = 1;
    for (const auto &grade : grades) {
        table.setBand(row, RowBand::Plain);
        table.setText(0, row, QString::fromUtf16(grade.name), CellKind::Grade);
        number(table, 1, row, grade.count, kCountLook);
        ++row;
    }

    const std::int64_t weighted =
            6LL * s.cel + 5LL * s.bdb + 4LL * s.db + 3LL * s.dst + 2LL * s.dop + 1LL * s.ndst;
    const std::int32_t n = analysis.studentCount;
    const std::int64_t average100 = n > 0 ? roundHalfEven(weighted * 100, n) : 0;
    table.setBand(7, RowBand::Plain);
    table.setRowLook(7, kSumRowLook);
    table.setText(0, 7, QStringLiteral("Średnia z ocen"));
    table.setLook(0, 7, kAverageGradeLabelLook);
    table.setNumber(1, 7, CellKind::Decimal, static_cast<double>(average100) / 100.0);
    table.setLook(1, 7, kTotalLook);
    return table;
}

double averageWorkingTime(const AnalysisState &analysis)
{
    return computeClassStatistics(analysis).averageWorkingTime;
}

} // namespace zavevad
