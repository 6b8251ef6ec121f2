#pragma once

#include "results/analysisstate.h"
#include "results/classstatistics.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace zavevad {

/// The percentile rank 100 (below + equal / 2) / n in tenths, rounded half to
/// even: what a one-decimal display shows. 0 for n < 1.
std::int64_t percentileRankTenths(std::int64_t below, std::int64_t equal, std::int64_t n);

/// The stanine 1..9 of a percentile rank given in tenths, judged on the rank
/// as shown: below 4 gives 1, below 11 gives 2, ... 96 and above gives 9.
int stanineOfRank(std::int64_t rankTenths);

/// "najniższy" ... "najwyższy" for stanines 1..9; empty otherwise.
QString stanineDescription(int stanine);

/// The share of each stanine in the normal distribution, in percent.
inline constexpr std::array<int, 9> kStanineNorm{4, 7, 12, 17, 20, 17, 12, 7, 4};

/// The stanine scale of a set of scores: for each possible score 0..k its
/// percentile rank and stanine, and how many students each stanine holds.
struct StanineScale
{
    std::int32_t studentCount = 0; ///< n
    std::int32_t questionCount = 0; ///< k
    std::vector<std::int32_t> withPoints; ///< element p: students with p points, p = 0..k
    std::vector<std::int64_t> rankTenths; ///< element p: the percentile rank of p points
    std::vector<std::int8_t> stanine; ///< element p: the stanine of p points
    std::array<std::int32_t, 9> stanineCounts{}; ///< element s - 1: students of stanine s

    /// `points` brought into 0..k.
    int clampedPoints(int points) const { return std::clamp(points, 0, questionCount); }
};

/// The scale of all loaded students of `state`, their points as the results
/// table counts them (`Suma`: the correct answers among questions 1..k).
StanineScale computeStanines(const AnalysisState &state);

/// The scale of the scores' distribution of `statistics`.
StanineScale stanineScale(const ClassStatistics &statistics);

/// The share `count` / n in tenths of a percent, rounded half to even; 0 for n < 1.
std::int64_t shareTenths(std::int64_t count, std::int64_t n);

} // namespace zavevad
