#pragma once

#include "results/analysisstate.h"
#include "results/student.h"

#include <QStringView>

#include <array>
#include <cstdint>

namespace zavevad {

using QuestionStats = std::array<QuestionStat, kMaxQuestions>;

/// Sets `Suma`, `Procent` and `Ocena` of every student for questions 1 to
/// `questionCount` (1 to 30) and adds each grade to the counts of `summary`,
/// which grow from the values they hold.
void gradeStudents(Uczniowie &students, std::int32_t questionCount, const Thresholds &thresholds,
        ClassSummary &summary);

/// Fills entries 1 to `questionCount` of `stats`; entries above keep their values.
void computeQuestionStats(
        const Uczniowie &students, std::int32_t questionCount, QuestionStats &stats);

/// Sets the total points and the average points times 100 of `summary`.
void computeClassTotals(const Uczniowie &students, ClassSummary &summary);

/// Adds one student to the count of the grade `name`; an unknown name counts as "Ndst".
void countGrade(ClassSummary &summary, QStringView name);

/// The class's percentage: average points times 100 divided by the question
/// count, rounded half to even. Its grade is the class's grade.
std::int32_t classPercent(const ClassSummary &summary, std::int32_t questionCount);

} // namespace zavevad
