#pragma once

#include <cstdint>

namespace zavevad {

/// numerator / denominator rounded to the nearest whole number, a half to the
/// even neighbour, on the exact quotient. The denominator must be positive.
constexpr std::int64_t roundHalfEven(std::int64_t numerator, std::int64_t denominator)
{
    std::int64_t q = numerator / denominator;
    std::int64_t r = numerator % denominator;
    // C++ truncates toward zero; bring the remainder into [0, denominator).
    if (r < 0) {
        r += denominator;
        --q;
    }
    const std::int64_t twice = 2 * r;
    if (twice > denominator || (twice == denominator && (q % 2 != 0)))
        ++q;
    return q;
}

static_assert(roundHalfEven(100, 8) == 12);
static_assert(roundHalfEven(300, 8) == 38);
static_assert(roundHalfEven(500, 8) == 62);
static_assert(roundHalfEven(127, 2) == 64);
static_assert(roundHalfEven(-5, 2) == -2);
static_assert(roundHalfEven(-7, 2) == -4);

} // namespace zavevad
