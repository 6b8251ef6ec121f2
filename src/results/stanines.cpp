#include "results/stanines.h"

#include "results/rounding.h"

#include <algorithm>

namespace zavevad {

std::int64_t percentileRankTenths(std::int64_t below, std::int64_t equal, std::int64_t n)
{
    if (n < 1)
        return 0;
    // 1000 (below + equal / 2) / n, kept whole: 1000 (2 below + equal) / (2 n).
    return roundHalfEven(1000 * (2 * below + equal), 2 * n);
}

int stanineOfRank(std::int64_t rankTenths)
{
    static constexpr std::array<std::int64_t, 8> kUpperEdges{40, 110, 230, 400, 600, 770, 890, 960};
    // The first band whose upper edge lies above the rank.
    return 1
            + static_cast<int>(std::upper_bound(kUpperEdges.begin(), kUpperEdges.end(), rankTenths)
                    - kUpperEdges.begin());
}

QString stanineDescription(int stanine)
{
    static const char16_t *const kNames[] = {u"najniższy", u"bardzo niski", u"niski",
            u"niżej średni", u"średni", u"wyżej średni", u"wysoki", u"bardzo wysoki", u"najwyższy"};
    if (stanine < 1 || stanine > 9)
        return {};
    return QString::fromUtf16(kNames[stanine - 1]);
}

StanineScale computeStanines(const AnalysisState &state)
{
    return stanineScale(computeClassStatistics(state));
}

StanineScale stanineScale(const ClassStatistics &statistics)
{
    StanineScale scale;
    const int k = statistics.questionCount;
    const std::int64_t n = statistics.studentCount;
    scale.studentCount = statistics.studentCount;
    scale.questionCount = k;
    const auto scores = static_cast<std::size_t>(k) + 1;
    scale.withPoints.assign(statistics.withPoints.begin(),
            statistics.withPoints.begin() + static_cast<std::ptrdiff_t>(scores));
    scale.rankTenths.assign(scores, 0);
    scale.stanine.assign(scores, 0);
    for (std::size_t p = 0; p < scores; ++p) {
        const std::int64_t equal = scale.withPoints[p];
        scale.rankTenths[p] = percentileRankTenths(statistics.fewerThan[p], equal, n);
        const int stanine = stanineOfRank(scale.rankTenths[p]);
        scale.stanine[p] = static_cast<std::int8_t>(stanine);
        scale.stanineCounts[static_cast<std::size_t>(stanine - 1)] +=
                static_cast<std::int32_t>(equal);
    }
    return scale;
}

std::int64_t shareTenths(std::int64_t count, std::int64_t n)
{
    return n < 1 ? 0 : roundHalfEven(1000 * count, n);
}

} // namespace zavevad
