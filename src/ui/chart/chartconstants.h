#pragma once

// Measures every part of the chart engine keeps to alike, so that the
// charts' texts and spacing agree with one another.

namespace zavevad::chart {

/// Space between a text and what it labels, and between stacked parts (pixels).
inline constexpr double kGap = 4.0;
/// Smallest point size a crowded text shrinks to before texts are left out
/// or cut short; a smaller size a template sets stays.
inline constexpr double kMinTextPoints = 7.0;

} // namespace zavevad::chart
