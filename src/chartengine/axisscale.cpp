#include "chartengine/axisscale.h"

#include <algorithm>
#include <cmath>

namespace zavevad::chart {

double niceStep(double minStep)
{
    if (!(minStep > 0.0) || !std::isfinite(minStep))
        return 1.0;
    const double magnitude = std::pow(10.0, std::floor(std::log10(minStep)));
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        const double step = factor * magnitude;
        // Tolerate the rounding of pow/log10 so that 0.2 stays 0.2, not 0.5.
        if (step >= minStep * (1.0 - 1e-9))
            return step;
    }
    return 10.0 * magnitude;
}

AxisScale computeAxisScale(
        double lo, double hi, double lengthPx, double minSpacing, bool roundRange)
{
    if (!std::isfinite(lo))
        lo = 0.0;
    if (!std::isfinite(hi))
        hi = lo + 1.0;
    if (hi < lo)
        std::swap(lo, hi);
    if (hi - lo < 1e-12 * std::max(1.0, std::abs(lo))) {
        // A flat series: show a unit band that holds the value.
        if (lo == 0.0) {
            hi = 1.0;
        } else if (lo > 0.0) {
            hi = lo;
            lo = 0.0;
        } else {
            hi = 0.0;
        }
    }

    const double maxLabels =
            std::max(1.0, std::floor(std::max(lengthPx, 1.0) / std::max(minSpacing, 1.0)));
    AxisScale scale;
    scale.step = niceStep((hi - lo) / maxLabels);
    if (roundRange) {
        // Rounding the ends can add up to two steps; grow the step until the
        // labels still fit.
        for (int i = 0; i < 4; ++i) {
            const double rlo = std::floor(lo / scale.step + 1e-9) * scale.step;
            const double rhi = std::ceil(hi / scale.step - 1e-9) * scale.step;
            if ((rhi - rlo) / scale.step <= maxLabels || i == 3) {
                lo = rlo;
                hi = rhi;
                break;
            }
            scale.step = niceStep(scale.step * 1.01);
        }
    }
    scale.min = lo;
    scale.max = hi;

    const double first = std::ceil(lo / scale.step - 1e-9);
    const double last = std::floor(hi / scale.step + 1e-9);
    for (double k = first; k <= last && scale.ticks.size() < 1000; k += 1.0) {
        double v = k * scale.step;
        if (std::abs(v) < scale.step * 1e-9)
            v = 0.0;
        scale.ticks.append(v);
    }
    return scale;
}

} // namespace zavevad::chart
