#pragma once

#include "results/analysisstate.h"
#include "results/itemanalysis.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace zavevad {

/// The student-problem (S-P) chart of a class: students sorted by points,
/// questions by correct answers, and Sato's caution index of each.
///
/// A caution index is (A - B) / (C - s mu). For a student: s their points,
/// the questions in the chart's order, n_j the students right on question j,
/// mu the mean of n_j, C the sum of n_j over the first s questions, A the sum
/// of n_j over those of the first s the student got wrong, B the sum of n_j
/// over the other questions the student got right. For a question the same
/// with students and questions swapped: s its correct answers, the students'
/// points in place of n_j. 0 for a perfect (Guttman) pattern; above 0.5 an
/// answer pattern that does not fit its total.
struct StudentProblemChart
{
    std::int32_t studentCount = 0; ///< n
    std::int32_t questionCount = 0; ///< k
    /// The students by points descending, ties in list order: indices into
    /// the student list.
    std::vector<std::int32_t> studentOrder;
    /// The questions (1..k) by correct answers descending, ties by number.
    std::vector<std::int32_t> questionOrder;
    /// Per student in chart order: their points, counted from the answers.
    /// The S curve runs after this many questions in the student's row.
    std::vector<std::int32_t> points;
    /// Per question in chart order: its correct answers n_j. The P curve runs
    /// below this many students in the question's column.
    std::vector<std::int32_t> correct;
    /// Per student in chart order: bit j set where they got the question in
    /// chart position j right.
    std::vector<std::uint32_t> answers;
    /// Per student in chart order: CS; none where the denominator is 0 (no
    /// points, all points, or all questions alike).
    std::vector<std::optional<Fraction>> studentCaution;
    /// Per question in chart order: CP; none where the denominator is 0.
    std::vector<std::optional<Fraction>> questionCaution;

    bool answered(int student, int question) const
    {
        return (answers[static_cast<std::size_t>(student)] >> question) & 1u;
    }
};

/// The S-P chart of the students of `state` over questions 1 to the question count.
StudentProblemChart computeStudentProblem(const AnalysisState &state);

/// Whether a caution index is flagged: 0.50 or more as shown to two decimals.
bool cautionFlagged(const std::optional<Fraction> &index);

} // namespace zavevad
