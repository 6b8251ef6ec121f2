#pragma once

#include "results/analysisstate.h"
#include "results/itemanalysis.h"

#include <cstdint>
#include <optional>

namespace zavevad {

/// A closed interval of a statistic.
struct Interval
{
    double lower = 0;
    double upper = 0;

    friend bool operator==(const Interval &, const Interval &) = default;
};

/// The split-half reliability: odd against even questions.
struct SplitHalf
{
    double halfCorrelation = 0; ///< r: Pearson correlation of the two half scores
    double reliability = 0; ///< stepped up by Spearman-Brown: 2r / (1 + r)
};

/// A score band in whole points, both ends within 0..k.
struct ScoreBand
{
    std::int32_t lower = 0;
    std::int32_t upper = 0;

    friend bool operator==(const ScoreBand &, const ScoreBand &) = default;
};

/// How far the test's scores can be trusted, beyond KR-20 and SEM.
struct Reliability
{
    /// Feldt's 95 % interval of KR-20; none without KR-20.
    std::optional<Interval> kr20Interval;
    /// None when n < 2, k < 2, a half score does not vary or r = -1.
    std::optional<SplitHalf> splitHalf;
    /// The questions a test like this one needs for KR-20 = 0.80; none where
    /// KR-20 is undefined, not above 0 or shows 0.80 or more.
    std::optional<std::int64_t> questionsFor080;
    /// 1.96 SEM in points: half the width of a score's 95 % band; none without SEM.
    std::optional<double> bandHalfWidth;
};

/// Feldt's interval of KR-20 `kr20` of `n` students and `k` questions at
/// `confidence`: 1 - (1 - KR-20) F(1 - alpha/2; n - 1, (n - 1)(k - 1)) up to
/// 1 - (1 - KR-20) F(alpha/2; ...). None when n < 2 or k < 2.
std::optional<Interval> feldtInterval(double kr20, int n, int k, double confidence = 0.95);

/// The split-half reliability of `state`'s students over questions 1 to the
/// question count, the half scores counted from the answers.
std::optional<SplitHalf> splitHalfReliability(const AnalysisState &state);

/// By the Spearman-Brown prophecy: k * 0.8 (1 - KR-20) / (KR-20 * 0.2),
/// rounded up, for `kr20` shown below 0.80 and above 0; else none.
std::optional<std::int64_t> questionsForReliability080(const Fraction &kr20, int k);

/// The band points ± `halfWidth`, widened outwards to whole points and cut to 0..k.
ScoreBand scoreBand(int points, int k, double halfWidth);

/// All of the above for `state`, whose item analysis is `analysis`.
Reliability computeReliability(const AnalysisState &state, const ItemAnalysis &analysis);

} // namespace zavevad
