#pragma once

#include "results/analysisstate.h"
#include "results/classstatistics.h"
#include "results/fraction.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace zavevad {

/// How hard a question was, from its exact share of correct answers p.
enum class Difficulty : std::uint8_t {
    VeryHard, ///< p < 0.20
    Hard, ///< p < 0.50
    ModeratelyHard, ///< p < 0.70
    Easy, ///< p < 0.90
    VeryEasy, ///< otherwise
};

/// What the discrimination index says about a question, judged on r as the
/// table shows it (rounded to hundredths), so that a flag never contradicts
/// the number beside it.
enum class DiscriminationFlag : std::uint8_t {
    None, ///< discriminates well enough (shown r >= 0.20)
    NoVariation, ///< r undefined: the question's own answers do not vary
    Negative, ///< shown r < 0.00: the better students got it wrong more often
    Weak, ///< 0.00 <= shown r < 0.20
    /// r undefined although the question varies (the rest score does not, as
    /// with one question): nothing to say about the question itself.
    Undefined,
};

/// Statistics of one question. n students, k questions, X a student's points.
struct ItemStats
{
    std::int32_t correct = 0; ///< students who answered it correctly
    Fraction difficulty; ///< p = correct / n
    /// r: Pearson correlation of the question (0/1) with the rest score X minus
    /// the question; none when either does not vary.
    std::optional<double> discrimination;
    /// D = (correct in the upper group - correct in the lower group) / group
    /// size; none when n < 2.
    std::optional<Fraction> upperLower;
    /// KR-20 over the other k - 1 questions; none when n < 2, k < 3 or their
    /// total has no variance.
    std::optional<Fraction> kr20WithoutItem;

    Difficulty difficultyBand() const;
    DiscriminationFlag discriminationFlag() const;
};

/// Item analysis of the loaded set: per-question difficulty and
/// discrimination, and the reliability of the whole test.
struct ItemAnalysis
{
    std::int32_t studentCount = 0; ///< n
    std::int32_t questionCount = 0; ///< k
    std::vector<ItemStats> items; ///< element i - 1 for question i
    /// Students in each of the upper and lower 27 % groups:
    /// max(1, floor(0.27 n + 0.5)); 0 when n < 2.
    std::int32_t groupSize = 0;
    std::optional<Fraction> mean; ///< mean of X; none for an empty set
    std::optional<Fraction> median; ///< mean of the two middle values for even n
    std::optional<double> standardDeviation; ///< population (divided by n)
    /// KR-20 of the test; none when n < 2, k < 2 or X has no variance.
    std::optional<Fraction> kr20;
    /// Standard error of measurement, sigma * sqrt(1 - KR-20); none without KR-20.
    std::optional<double> standardError;
    std::optional<std::int32_t> lowestScore; ///< the lowest X; none for an empty set
    std::optional<std::int32_t> highestScore; ///< the highest X; none for an empty set
    /// The most frequent values of X, ascending (all of them on a tie).
    std::vector<std::int32_t> modes;
    /// The test's difficulty: mean X / k; none for an empty set or k = 0.
    std::optional<Fraction> testFacility;
    /// The class figures the analysis is built on, for whoever needs more of
    /// them (the scores' distribution, the working time).
    ClassStatistics statistics;
};

/// Computes the item analysis of questions 1 to the question count over the
/// students of `state`, in one pass over the student list (the 27 % groups
/// then visit their own students once more). A student's points X are counted
/// from the answers exactly as the results table counts them; ties in X keep
/// the order of the student list.
ItemAnalysis computeItemAnalysis(const AnalysisState &state);

/// `value` times 100, rounded to the nearest whole number, a half to the even
/// neighbour: the hundredths that a two-decimal display shows.
std::int64_t hundredths(const Fraction &value);

/// The difficulty category of a share as the tables show it, to two
/// decimals: a question's, a skill's and the whole test's alike.
Difficulty difficultyBand(const Fraction &share);
std::int64_t hundredths(double value);

} // namespace zavevad
