#pragma once

namespace zavevad {

/// The regularized incomplete beta function I_x(a, b): the probability that a
/// beta(a, b) variable is at most `x`. Takes a, b > 0; `x` is clamped to
/// 0..1. Relative error below 1e-10 for parameters up to 1e6 (the rounding of
/// log-gamma grows with the parameters). Not a number
/// for a or b not positive.
double regularizedIncompleteBeta(double x, double a, double b);

/// The x with I_x(a, b) = `p`, 0 for p <= 0 and 1 for p >= 1; not a number
/// for a or b not positive or p not a number.
double inverseRegularizedIncompleteBeta(double p, double a, double b);

/// The `p` quantile of the F distribution with `df1` and `df2` degrees of
/// freedom: the f with P(F <= f) = p, 0 for p <= 0 and infinity for p >= 1;
/// not a number for degrees of freedom not positive.
double fQuantile(double p, double df1, double df2);

} // namespace zavevad
