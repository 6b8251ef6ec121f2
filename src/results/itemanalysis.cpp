#include "results/itemanalysis.h"

#include "results/rounding.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>

namespace zavevad {

namespace {

// KR-20 = k / (k - 1) * (1 - sum p(1 - p) / sigma^2). With every term taken
// times n^2 it is a quotient of whole numbers: k (V - S) / ((k - 1) V), where
// V = n sum X^2 - (sum X)^2 and S = sum c (n - c) over the questions.
std::optional<Fraction> kr20(std::int64_t k, std::int64_t n, std::int64_t v, std::int64_t s)
{
    if (n < 2 || k < 2 || v <= 0)
        return std::nullopt;
    return reducedFraction(k * (v - s), (k - 1) * v);
}

} // namespace

Difficulty ItemStats::difficultyBand() const
{
    return zavevad::difficultyBand(difficulty);
}

DiscriminationFlag ItemStats::discriminationFlag() const
{
    if (!discrimination) {
        // difficulty is correct / n as counted, not reduced.
        const bool constant =
                difficulty.numerator == 0 || difficulty.numerator == difficulty.denominator;
        return constant ? DiscriminationFlag::NoVariation : DiscriminationFlag::Undefined;
    }
    const std::int64_t shown = hundredths(*discrimination);
    if (shown < 0)
        return DiscriminationFlag::Negative;
    if (shown < 20)
        return DiscriminationFlag::Weak;
    return DiscriminationFlag::None;
}

namespace {

using QuestionCounts = std::array<std::int64_t, kMaxQuestions>;
using ScoreCounts = std::array<std::int32_t, kMaxQuestions + 1>;

/// What the one pass over the students gathers: the class statistics (the
/// correct count c of each question, the score counts, sum X and sum X^2),
/// each student's answers as a bit mask and points X, and per question the
/// sum T of X over the students who got it right, from which r follows
/// without a second pass.
struct StudentSums
{
    ClassStatistics statistics;
    std::vector<std::uint32_t> masks;
    std::vector<std::uint8_t> scores;
    QuestionCounts scoreOfCorrect{};
};

StudentSums sumStudents(const AnalysisState &state, int n, int k)
{
    StudentSums sums;
    sums.masks.resize(static_cast<std::size_t>(n));
    sums.scores.resize(static_cast<std::size_t>(n));
    ClassStatisticsCounter counter(k);
    for (int s = 0; s < n; ++s) {
        const std::uint32_t mask = counter.add(state.students[static_cast<std::size_t>(s)]);
        const int x = std::popcount(mask);
        for (int q = 0; q < k; ++q) {
            if (mask & (1u << q))
                sums.scoreOfCorrect[static_cast<std::size_t>(q)] += x;
        }
        sums.masks[static_cast<std::size_t>(s)] = mask;
        sums.scores[static_cast<std::size_t>(s)] = static_cast<std::uint8_t>(x);
    }
    sums.statistics = counter.result();
    return sums;
}

/// The students ranked by X descending, ties in list order: a counting sort, stable.
std::vector<std::int32_t> rankByScore(const StudentSums &sums, int n, int k)
{
    ScoreCounts next{};
    std::int32_t offset = 0;
    for (int x = k; x >= 0; --x) {
        next[static_cast<std::size_t>(x)] = offset;
        offset += sums.statistics.withPoints[static_cast<std::size_t>(x)];
    }
    std::vector<std::int32_t> ranked(static_cast<std::size_t>(n));
    for (int st = 0; st < n; ++st)
        ranked[static_cast<std::size_t>(next[sums.scores[static_cast<std::size_t>(st)]]++)] = st;
    return ranked;
}

/// The correct counts per question of the upper and lower 27 % groups.
struct GroupCounts
{
    QuestionCounts upper{};
    QuestionCounts lower{};
};

GroupCounts countGroups(
        const StudentSums &sums, const std::vector<std::int32_t> &ranked, int m, int n, int k)
{
    GroupCounts counts;
    for (int i = 0; i < m; ++i) {
        const std::uint32_t upper =
                sums.masks[static_cast<std::size_t>(ranked[static_cast<std::size_t>(i)])];
        const std::uint32_t lower =
                sums.masks[static_cast<std::size_t>(ranked[static_cast<std::size_t>(n - 1 - i)])];
        for (int q = 0; q < k; ++q) {
            counts.upper[static_cast<std::size_t>(q)] += (upper >> q) & 1u;
            counts.lower[static_cast<std::size_t>(q)] += (lower >> q) & 1u;
        }
    }
    return counts;
}

/// The statistics of question `q`; `s` is the sum of c (n - c) over the questions.
ItemStats itemStats(const StudentSums &sums, const GroupCounts &groups, int groupSize, int q, int n,
        int k, std::int64_t s)
{
    const std::size_t i = static_cast<std::size_t>(q);
    ItemStats item;
    const std::int64_t c = sums.statistics.correct[i];
    const std::int64_t t = sums.scoreOfCorrect[i];
    item.correct = static_cast<std::int32_t>(c);
    item.difficulty = Fraction{c, n};

    // Rest score R = X - I. With sums over the students: sum R = sum X - c,
    // sum R^2 = sum X^2 - 2T + c, sum I R = T - c.
    const std::int64_t itemVariance = c * (n - c);
    const std::int64_t sumR = sums.statistics.pointsTotal - c;
    const std::int64_t restVariance = n * (sums.statistics.pointsSquares - 2 * t + c) - sumR * sumR;
    const std::int64_t covariance = n * (t - c) - c * sumR;
    if (itemVariance > 0 && restVariance > 0) {
        item.discrimination = static_cast<double>(covariance)
                / std::sqrt(static_cast<double>(itemVariance) * static_cast<double>(restVariance));
    }
    if (groupSize > 0)
        item.upperLower = reducedFraction(groups.upper[i] - groups.lower[i], groupSize);
    item.kr20WithoutItem = kr20(k - 1, n, restVariance, s - itemVariance);
    return item;
}

/// The score summary of a staff-meeting report, from the score counts.
void summariseScores(ItemAnalysis &result, const StudentSums &sums, int n, int k)
{
    const ScoreCounts &withScore = sums.statistics.withPoints;
    const std::int32_t mostFrequent = *std::max_element(withScore.begin(), withScore.end());
    for (int x = 0; x <= k; ++x) {
        const std::int32_t count = withScore[static_cast<std::size_t>(x)];
        if (count == 0)
            continue;
        if (!result.lowestScore)
            result.lowestScore = x;
        result.highestScore = x;
        if (count == mostFrequent)
            result.modes.push_back(x);
    }
    if (k > 0)
        result.testFacility = reducedFraction(sums.statistics.pointsTotal, std::int64_t(n) * k);
}

} // namespace

ItemAnalysis computeItemAnalysis(const AnalysisState &state)
{
    ItemAnalysis result;
    const int k = std::clamp(state.questionCount, 0, kMaxQuestions);
    const int n = static_cast<int>(
            std::clamp<std::int64_t>(state.studentCount, 0, std::ssize(state.students)));
    result.studentCount = n;
    result.questionCount = k;
    result.items.resize(static_cast<std::size_t>(k));
    result.statistics.questionCount = k;
    if (n == 0)
        return result;

    const StudentSums sums = sumStudents(state, n, k);
    const ClassStatistics &statistics = sums.statistics;
    const std::int64_t v =
            n * statistics.pointsSquares - statistics.pointsTotal * statistics.pointsTotal;
    std::int64_t s = 0;
    for (int q = 0; q < k; ++q) {
        const std::int64_t c = statistics.correct[static_cast<std::size_t>(q)];
        s += c * (n - c);
    }

    result.statistics = statistics;
    result.mean = statistics.mean();
    result.standardDeviation = statistics.standardDeviation();
    result.kr20 = kr20(k, n, v, s);
    if (result.kr20) {
        // KR-20 never exceeds 1; the clamp only keeps rounding out of the root.
        result.standardError =
                *result.standardDeviation * std::sqrt(std::max(0.0, 1.0 - result.kr20->value()));
    }

    const std::vector<std::int32_t> ranked = rankByScore(sums, n, k);
    result.median = statistics.median();

    GroupCounts groups;
    if (n >= 2) {
        // floor(0.27 n + 0.5), in whole numbers.
        result.groupSize = std::max(1, (27 * n + 50) / 100);
        groups = countGroups(sums, ranked, result.groupSize, n, k);
    }
    for (int q = 0; q < k; ++q)
        result.items[static_cast<std::size_t>(q)] =
                itemStats(sums, groups, result.groupSize, q, n, k, s);
    summariseScores(result, sums, n, k);
    return result;
}

std::int64_t hundredths(const Fraction &value)
{
    constexpr std::int64_t kLimit = std::numeric_limits<std::int64_t>::max() / 100;
    if (value.numerator > kLimit || value.numerator < -kLimit)
        return hundredths(value.value());
    return roundHalfEven(value.numerator * 100, value.denominator);
}

Difficulty difficultyBand(const Fraction &share)
{
    // From the share as the table shows it, so that the category never
    // contradicts the number beside it: 0,1996 shows "0,20" and is "trudne".
    const std::int64_t shown = hundredths(share);
    if (shown < 20)
        return Difficulty::VeryHard;
    if (shown < 50)
        return Difficulty::Hard;
    if (shown < 70)
        return Difficulty::ModeratelyHard;
    if (shown < 90)
        return Difficulty::Easy;
    return Difficulty::VeryEasy;
}

std::int64_t hundredths(double value)
{
    // Halves to the even neighbour, as every other rounding of the program.
    return static_cast<std::int64_t>(std::nearbyint(value * 100.0));
}

} // namespace zavevad
