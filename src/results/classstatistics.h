#pragma once

#include "results/analysisstate.h"
#include "results/fraction.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace zavevad {

/// The figures of one group of students (a class, or every loaded student)
/// that the item analysis, the tables and the cards share. A student's points
/// X are their correct answers among questions 1 to k, as grading counts
/// `Suma`.
struct ClassStatistics
{
    std::int32_t studentCount = 0; ///< n
    std::int32_t questionCount = 0; ///< k, within 0..kMaxQuestions
    std::int64_t pointsTotal = 0; ///< sum of X
    std::int64_t pointsSquares = 0; ///< sum of X^2
    /// Element p (0..k): the students with p points; the scores' distribution.
    std::array<std::int32_t, kMaxQuestions + 1> withPoints{};
    /// Element p (0..k + 1): the students with fewer than p points.
    std::array<std::int32_t, kMaxQuestions + 2> fewerThan{};
    /// Element q - 1: the students who answered question q correctly.
    std::array<std::int32_t, kMaxQuestions> correct{};
    /// The mean of `Koniec - Poczatek` in days: summed in extended precision
    /// in the students' order, then one division, so that the average does not
    /// depend on how the sum was split; 0 for no students.
    double averageWorkingTime = 0;

    /// The mean of X in lowest terms; none for no students.
    std::optional<Fraction> mean() const;
    /// The mean of X times 100, rounded half to even; 0 for no students.
    std::int64_t meanPoints100() const;
    /// Twice the median of X: the middle value doubled, or the sum of the two
    /// middle values for even n; 0 for no students.
    std::int64_t medianPoints2() const;
    /// The median of X in lowest terms; none for no students.
    std::optional<Fraction> median() const;
    /// The population standard deviation of X (divided by n); none for no students.
    std::optional<double> standardDeviation() const;
    /// The students with fewer than `points` points; `points` is clamped to 0..k + 1.
    std::int32_t studentsBelow(int points) const;
    /// The share of students who answered question `q` (1..k) correctly,
    /// correct / n as counted (not reduced).
    Fraction questionShare(int q) const;
    /// That share in whole percent, rounded half to even; 0 for no students.
    std::int32_t questionPercent(int q) const;
};

/// Gathers the statistics one student at a time, so that a caller's own pass
/// over the students (the item analysis, the cards' skills) also fills them.
class ClassStatisticsCounter
{
public:
    /// `questionCount` is brought into 0..kMaxQuestions.
    explicit ClassStatisticsCounter(int questionCount);

    /// Counts `student`; returns their correct answers among questions 1..k
    /// as a bit mask, bit q - 1 for question q.
    std::uint32_t add(const UczenAll &student);
    /// The statistics of the students added so far.
    ClassStatistics result() const;

private:
    ClassStatistics m_statistics;
    long double m_workingTime = 0;
};

/// The statistics of `students` on questions 1 to `questionCount`.
ClassStatistics computeClassStatistics(const Uczniowie &students, int questionCount);
/// The statistics of the students at `members` (indices into `students`), in that order.
ClassStatistics computeClassStatistics(
        const Uczniowie &students, std::span<const std::size_t> members, int questionCount);
/// The statistics of the loaded students of `state`: the list up to the
/// student count, on its question count.
ClassStatistics computeClassStatistics(const AnalysisState &state);

} // namespace zavevad
