#include "results/reliability.h"

#include "results/fdistribution.h"

#include <algorithm>
#include <cmath>

namespace zavevad {

namespace {

// The two-sided 95 % quantile of the normal distribution.
constexpr double kZ95 = 1.96;

} // namespace

std::optional<Interval> feldtInterval(double kr20, int n, int k, double confidence)
{
    if (n < 2 || k < 2 || !std::isfinite(kr20))
        return std::nullopt;
    const double df1 = n - 1.0;
    const double df2 = (n - 1.0) * (k - 1.0);
    const double alpha = 1.0 - confidence;
    return Interval{1.0 - (1.0 - kr20) * fQuantile(1.0 - alpha / 2.0, df1, df2),
            1.0 - (1.0 - kr20) * fQuantile(alpha / 2.0, df1, df2)};
}

std::optional<SplitHalf> splitHalfReliability(const AnalysisState &state)
{
    const int k = usableQuestionCount(state.questionCount);
    const std::int64_t n =
            std::clamp<std::int64_t>(state.studentCount, 0, std::ssize(state.students));
    if (n < 2 || k < 2)
        return std::nullopt;
    // Whole sums keep the variances exact; only r itself is rounded.
    std::int64_t sumOdd = 0, sumEven = 0, sumOdd2 = 0, sumEven2 = 0, sumProduct = 0;
    for (std::int64_t i = 0; i < n; ++i) {
        const UczenAll &student = state.students[static_cast<std::size_t>(i)];
        std::int64_t odd = 0, even = 0;
        for (int q = 1; q <= k; ++q)
            (q % 2 == 1 ? odd : even) += student.correct(q) ? 1 : 0;
        sumOdd += odd;
        sumEven += even;
        sumOdd2 += odd * odd;
        sumEven2 += even * even;
        sumProduct += odd * even;
    }
    const std::int64_t varianceOdd = n * sumOdd2 - sumOdd * sumOdd;
    const std::int64_t varianceEven = n * sumEven2 - sumEven * sumEven;
    if (varianceOdd <= 0 || varianceEven <= 0)
        return std::nullopt;
    const double r = static_cast<double>(n * sumProduct - sumOdd * sumEven)
            / std::sqrt(static_cast<double>(varianceOdd) * static_cast<double>(varianceEven));
    if (1.0 + r <= 0.0)
        return std::nullopt;
    return SplitHalf{r, 2.0 * r / (1.0 + r)};
}

std::optional<std::int64_t> questionsForReliability080(const Fraction &kr20, int k)
{
    // A KR-20 of 0 or below gives no finite or positive length, and one shown
    // as 0,80 already is at the target.
    if (kr20.numerator <= 0 || kr20.denominator <= 0 || hundredths(kr20) >= 80 || k < 1)
        return std::nullopt;
    // With KR-20 = a / b: k 0.8 (1 - a/b) / (0.2 a/b) = 4 k (b - a) / a, exact.
    const std::int64_t numerator =
            4 * static_cast<std::int64_t>(k) * (kr20.denominator - kr20.numerator);
    return (numerator + kr20.numerator - 1) / kr20.numerator;
}

ScoreBand scoreBand(int points, int k, double halfWidth)
{
    // A hair of tolerance, so that a band of exactly whole points is not
    // widened by the rounding of SEM.
    constexpr double kSlack = 1e-9;
    const double width = std::isfinite(halfWidth) ? std::max(halfWidth, 0.0) : double(k);
    const double lower = std::floor(points - width + kSlack);
    const double upper = std::ceil(points + width - kSlack);
    return {static_cast<std::int32_t>(std::clamp(lower, 0.0, double(std::max(k, 0)))),
            static_cast<std::int32_t>(std::clamp(upper, 0.0, double(std::max(k, 0))))};
}

Reliability computeReliability(const AnalysisState &state, const ItemAnalysis &analysis)
{
    Reliability result;
    if (analysis.kr20) {
        result.kr20Interval = feldtInterval(
                analysis.kr20->value(), analysis.studentCount, analysis.questionCount);
        result.questionsFor080 = questionsForReliability080(*analysis.kr20, analysis.questionCount);
    }
    result.splitHalf = splitHalfReliability(state);
    if (analysis.standardError)
        result.bandHalfWidth = kZ95 * *analysis.standardError;
    return result;
}

} // namespace zavevad
