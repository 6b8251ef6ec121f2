#pragma once

// Measures every part of the chart engine keeps to alike, so that the
// charts' texts and spacing agree with one another.

#include <QtGlobal>

namespace zavevad::chart {

/// Space between a text and what it labels, and between stacked parts (pixels).
inline constexpr double kGap = 4.0;
/// Length of an axis tick (pixels).
inline constexpr double kTick = 4.0;
/// Smallest point size a crowded text shrinks to before texts are left out
/// or cut short; a smaller size a template sets stays.
inline constexpr double kMinTextPoints = 7.0;

/// Pies of more slices than this share colours between slices: their labels
/// name the slices ("Lis W. 5") and the legend gives each entry its value.
inline constexpr qsizetype kNamedSlices = 12;

} // namespace zavevad::chart
