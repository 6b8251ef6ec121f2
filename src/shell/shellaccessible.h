#pragma once

namespace zavevad {

/// Installs, once per run, the accessibility factories of the program's own
/// widgets: the drawn menu (titles as menus, items as menu items with a press
/// action), the hidden focus holder, the grid, the chart and the dialogs'
/// controls, so that a screen reader finds what the screen shows.
void installAccessibility();

} // namespace zavevad
