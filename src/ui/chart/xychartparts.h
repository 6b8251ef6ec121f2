#pragma once

// Measures shared by the numeric plot's layout and its painting, so that the
// ticks drawn are the ticks room was kept for; not part of the engine's interface.

#include "ui/chart/chartconstants.h"

namespace zavevad::chart::xyparts {

/// Length of an axis tick (pixels).
inline constexpr double kTick = 4.0;

} // namespace zavevad::chart::xyparts
