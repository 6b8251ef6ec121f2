#pragma once

#include <vector>

namespace zavevad {

class GridModel;
struct GridState;

/// The widest table the main window's card holds in its place: with its
/// frame and the arrows beside it (32 pixels) the panel, 36 pixels from the
/// card's left edge, ends where the banner above it ends, 24 pixels from the
/// card's right edge (750 - 24 - 36 - 32). The results table, 648 pixels at
/// most, fits. A wider table pages sideways.
inline constexpr int kShownTableWidth = 658;

/// The first columns of the sideways pages of `grid`: column 0 stays in view
/// on every page, and each page holds as many of the following columns as fit
/// beside it in `width` pixels, at least one. {1} when the whole table fits.
std::vector<int> columnPageStarts(const GridModel &grid, int width = kShownTableWidth);

/// The width of the widest page of `grid`, grid lines included: the table's
/// own width when it fits in `width`.
int pagedTableWidth(const GridModel &grid, int width = kShownTableWidth);

/// Narrows columns so that column 0 (at most half of `width`) and any one
/// other column fit in `width` together; a text cut by this is shown whole
/// where the cursor or the mouse rests.
void fitColumnsToWidth(GridModel &grid, int width = kShownTableWidth);

/// Shows the sideways page `step` pages after (or before, when negative) the
/// one on display, within the first and the last, keeping the top row; then
/// shows the left and right arrows where a page lies that way. Returns whether
/// the page changed.
bool turnColumnPage(GridModel &grid, GridState &state, int step);

/// The left arrow while a page lies to the left, the right one while a page
/// lies to the right.
void showColumnArrows(const GridModel &grid, GridState &state);

} // namespace zavevad
