#include "results/fdistribution.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zavevad {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kTiny = 1e-300;
constexpr double kEpsilon = 1e-15;

/// log(x^a (1 - x)^b / B(a, b)): the factor in front of the continued fraction.
double logFront(double x, double a, double b)
{
    return std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) + a * std::log(x)
            + b * std::log1p(-x);
}

/// The continued fraction of I_x(a, b) (Abramowitz & Stegun 26.5.8) by the
/// modified Lentz method. It converges fast for x < (a + 1) / (a + b + 2),
/// in about sqrt(max(a, b)) terms.
double continuedFraction(double x, double a, double b)
{
    const double sum = a + b;
    double c = 1.0;
    double d = 1.0 - sum * x / (a + 1.0);
    if (std::abs(d) < kTiny)
        d = kTiny;
    d = 1.0 / d;
    double h = d;
    for (int m = 1; m <= 100000; ++m) {
        const double twoM = 2.0 * m;
        // The even term, then the odd one.
        const double even = m * (b - m) * x / ((a + twoM - 1.0) * (a + twoM));
        const double odd = -(a + m) * (sum + m) * x / ((a + twoM) * (a + twoM + 1.0));
        for (const double term : {even, odd}) {
            d = 1.0 + term * d;
            if (std::abs(d) < kTiny)
                d = kTiny;
            c = 1.0 + term / c;
            if (std::abs(c) < kTiny)
                c = kTiny;
            d = 1.0 / d;
            h *= d * c;
        }
        if (std::abs(d * c - 1.0) < kEpsilon)
            break;
    }
    return h;
}

/// The beta(a, b) density at x, 0 where it underflows.
double density(double x, double a, double b)
{
    if (x <= 0.0 || x >= 1.0)
        return 0.0;
    return std::exp(std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) + (a - 1.0) * std::log(x)
            + (b - 1.0) * std::log1p(-x));
}

/// A first guess of the inverse: the normal approximation of Abramowitz &
/// Stegun 26.5.22 where both parameters are at least 1, else from the
/// function's behaviour near the ends.
double firstGuess(double p, double a, double b)
{
    if (a >= 1.0 && b >= 1.0) {
        const double pp = p < 0.5 ? p : 1.0 - p;
        const double t = std::sqrt(-2.0 * std::log(pp));
        double y = (2.30753 + t * 0.27061) / (1.0 + t * (0.99229 + t * 0.04481)) - t;
        if (p < 0.5)
            y = -y;
        const double lambda = (y * y - 3.0) / 6.0;
        const double h = 2.0 / (1.0 / (2.0 * a - 1.0) + 1.0 / (2.0 * b - 1.0));
        const double w = y * std::sqrt(h + lambda) / h
                - (1.0 / (2.0 * b - 1.0) - 1.0 / (2.0 * a - 1.0))
                        * (lambda + 5.0 / 6.0 - 2.0 / (3.0 * h));
        return a / (a + b * std::exp(2.0 * w));
    }
    const double lowEnd = std::exp(a * std::log(a / (a + b))) / a;
    const double highEnd = std::exp(b * std::log(b / (a + b))) / b;
    const double whole = lowEnd + highEnd;
    if (p < lowEnd / whole)
        return std::pow(a * whole * p, 1.0 / a);
    return 1.0 - std::pow(b * whole * (1.0 - p), 1.0 / b);
}

} // namespace

double regularizedIncompleteBeta(double x, double a, double b)
{
    if (!(a > 0.0) || !(b > 0.0) || std::isnan(x))
        return kNaN;
    if (x <= 0.0)
        return 0.0;
    if (x >= 1.0)
        return 1.0;
    // The continued fraction of the side where it converges; the other side by
    // the symmetry I_x(a, b) = 1 - I_(1-x)(b, a).
    if (x < (a + 1.0) / (a + b + 2.0))
        return std::exp(logFront(x, a, b)) * continuedFraction(x, a, b) / a;
    return 1.0 - std::exp(logFront(1.0 - x, b, a)) * continuedFraction(1.0 - x, b, a) / b;
}

double inverseRegularizedIncompleteBeta(double p, double a, double b)
{
    if (!(a > 0.0) || !(b > 0.0) || std::isnan(p))
        return kNaN;
    if (p <= 0.0)
        return 0.0;
    if (p >= 1.0)
        return 1.0;
    // Newton's method kept inside a bracket that every step narrows, so that a
    // poor guess or a flat density falls back to halving and still converges.
    double low = 0.0;
    double high = 1.0;
    double x = std::clamp(firstGuess(p, a, b), 1e-300, 1.0 - 1e-16);
    for (int i = 0; i < 200; ++i) {
        const double error = regularizedIncompleteBeta(x, a, b) - p;
        if (error == 0.0)
            return x;
        if (error < 0.0)
            low = x;
        else
            high = x;
        const double slope = density(x, a, b);
        double next = slope > 0.0 ? x - error / slope : kNaN;
        if (!(next > low && next < high))
            next = 0.5 * (low + high);
        if (std::abs(next - x) <= 1e-13 * x || high - low <= 1e-15 * high)
            return next;
        x = next;
    }
    return x;
}

double fQuantile(double p, double df1, double df2)
{
    if (!(df1 > 0.0) || !(df2 > 0.0) || std::isnan(p))
        return kNaN;
    if (p <= 0.0)
        return 0.0;
    if (p >= 1.0)
        return std::numeric_limits<double>::infinity();
    // P(F <= f) = I_x(df1 / 2, df2 / 2) with x = df1 f / (df1 f + df2).
    const double x = inverseRegularizedIncompleteBeta(p, df1 / 2.0, df2 / 2.0);
    return df2 * x / (df1 * (1.0 - x));
}

} // namespace zavevad
