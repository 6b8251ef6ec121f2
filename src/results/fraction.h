#pragma once

#include <cstdint>
#include <numeric>

namespace zavevad {

/// An exact quotient of two whole numbers, kept apart so that a value can be
/// rounded for display without the error of a floating-point division
/// (p = 1/8 is a tie, 0.7450000001 is not). The denominator is positive.
struct Fraction
{
    std::int64_t numerator = 0;
    std::int64_t denominator = 1;

    double value() const
    {
        return static_cast<double>(numerator) / static_cast<double>(denominator);
    }
    friend bool operator==(const Fraction &, const Fraction &) = default;
};

/// numerator / denominator in lowest terms with a positive denominator; the
/// denominator must not be 0.
inline Fraction reducedFraction(std::int64_t numerator, std::int64_t denominator)
{
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const std::int64_t divisor = std::gcd(numerator, denominator);
    if (divisor > 1) {
        numerator /= divisor;
        denominator /= divisor;
    }
    return {numerator, denominator};
}

} // namespace zavevad
