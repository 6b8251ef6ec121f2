#include "tables/studentproblemtable.h"

#include "results/studentproblem.h"
#include "tables/gridoperations.h"
#include "tables/itemanalysistable.h"

#include <algorithm>

namespace zavevad {

namespace {

constexpr CellLook kNameLook{.fontColour = kBlack, .align = alLeft};
constexpr CellLook kCorrectLook{.fontColour = kBlack};
constexpr CellLook kWrongLook{.fontColour = kRed};
constexpr CellLook kPointsLook{.fontColour = kRed, .bold = true};
constexpr CellLook kValueLook{.fontColour = kBlack};
constexpr CellLook kFlagLook{.fontColour = kRed, .bold = true, .align = alLeft};

// The first column also holds the bold "Wskaźnik ostrożności pytania"; a
// question column holds an index such as "-0,12"; a flagged question's
// column widens for "sprawdź klucz", so that no text is cut.
constexpr int kNameWidth = 200;
constexpr int kQuestionWidth = 36;
constexpr int kFlaggedQuestionWidth = 90;
constexpr int kPointsWidth = 56;
constexpr int kCautionWidth = 140;
constexpr int kRemarksWidth = 140;

QString dash()
{
    return QString(QChar(0x2013));
}

void setCaution(Table &table, int c, int r, const std::optional<Fraction> &index)
{
    if (index)
        setStatistic(table, c, r, index->value(), hundredths(*index));
    else
        table.setText(c, r, dash());
    table.setLook(c, r, kValueLook);
}

void setFlag(Table &table, int c, int r, bool flagged, const QString &text)
{
    if (!flagged)
        return;
    table.setText(c, r, text);
    table.setLook(c, r, kFlagLook);
}

void studentRows(Table &table, const AnalysisState &analysis, const StudentProblemChart &chart)
{
    const int k = chart.questionCount;
    for (int i = 0; i < chart.studentCount; ++i) {
        const int r = i + 1;
        const std::size_t at = static_cast<std::size_t>(i);
        const UczenAll &student =
                analysis.students[static_cast<std::size_t>(chart.studentOrder[at])];
        table.setText(0, r, student.displayName());
        table.setLook(0, r, kNameLook);
        for (int j = 0; j < k; ++j) {
            const bool right = chart.answered(i, j);
            table.setNumber(j + 1, r, CellKind::Whole, right ? 1 : 0);
            table.setLook(j + 1, r, right ? kCorrectLook : kWrongLook);
        }
        table.setNumber(k + 1, r, CellKind::Whole, chart.points[at]);
        table.setLook(k + 1, r, kPointsLook);
        setCaution(table, k + 2, r, chart.studentCaution[at]);
        setFlag(table, k + 3, r, cautionFlagged(chart.studentCaution[at]),
                QStringLiteral("nietypowe odpowiedzi"));
        // The S curve: after the student's points' worth of questions.
        table.setHeavyLineAfter(r, chart.points[at]);
        table.setBand(r, r % 5 == 0 ? RowBand::Fifth : RowBand::Plain);
    }
}

} // namespace

Table studentProblemTable(const AnalysisState &analysis)
{
    const StudentProblemChart chart = computeStudentProblem(analysis);
    const int n = chart.studentCount;
    const int k = chart.questionCount;
    const int cautionRow = n + 1;
    const int remarksRow = n + 2;
    Table table(k + 4, n + 3);
    table.title = QStringLiteral("Tabela S-P");
    table.sheetName = QStringLiteral("S-P");
    table.summaryRows = 2;

    int nameWidth = kNameWidth;
    for (int i = 0; i < n; ++i) {
        const auto letters = analysis.students[static_cast<std::size_t>(i)].displayName().size();
        nameWidth = std::max(nameWidth, std::min(static_cast<int>(letters) * 6 + 10, 320));
    }
    table.setColumn(0, nameWidth, ColumnRole::Label);
    table.setText(0, 0, QStringLiteral("Nazwisko i imię"));
    for (int j = 0; j < k; ++j) {
        const std::size_t at = static_cast<std::size_t>(j);
        const bool flagged = cautionFlagged(chart.questionCaution[at]);
        table.setColumn(
                j + 1, flagged ? kFlaggedQuestionWidth : kQuestionWidth, ColumnRole::Question);
        table.setText(j + 1, 0, QString::number(chart.questionOrder[at]));
        // The P curve: below the question's correct answers' worth of students.
        table.setHeavyLineBelow(j + 1, chart.correct[at]);
    }
    table.setColumn(k + 1, kPointsWidth, ColumnRole::Sum);
    table.setText(k + 1, 0, QStringLiteral("Punkty"));
    table.setColumn(k + 2, kCautionWidth, ColumnRole::Statistic);
    table.setText(k + 2, 0, QStringLiteral("Wskaźnik ostrożności"));
    table.setColumn(k + 3, kRemarksWidth, ColumnRole::Text);
    table.setText(k + 3, 0, QStringLiteral("Uwagi"));

    studentRows(table, analysis, chart);

    table.setRowLook(cautionRow, kSummaryRowLook);
    table.setText(0, cautionRow, QStringLiteral("Wskaźnik ostrożności pytania"));
    table.setRowLook(remarksRow, kSummaryRowLook);
    table.setText(0, remarksRow, QStringLiteral("Uwagi"));
    for (int j = 0; j < k; ++j) {
        const std::optional<Fraction> &index = chart.questionCaution[static_cast<std::size_t>(j)];
        setCaution(table, j + 1, cautionRow, index);
        setFlag(table, j + 1, remarksRow, cautionFlagged(index), QStringLiteral("sprawdź klucz"));
    }
    return table;
}

int studentProblemPagingCount(const AnalysisState &analysis)
{
    // The students, the caution indices of the questions and their remarks.
    return analysis.studentCount + 1;
}

} // namespace zavevad
