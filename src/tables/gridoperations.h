#pragma once

#include "tables/gridformat.h"

#include <cstdint>

namespace zavevad {

class GridModel;
struct GridState;

/// The alignment of an operation's alignment code: 0 centre, 1 left, 2 right,
/// anything else centre.
TMyAlign gridAlignmentFromCode(int code);

// The formatting operations through which the table builders write every
// colour, font and alignment. Colours are packed RGB; kColourUnchanged (128)
// leaves the colour as it is. The font style is always replaced: bold alone
// when `bold` is true, regular otherwise. The alignment is always set.

void UstawKomorke(GridModel &grid, int column, int row, std::int32_t background,
        std::int32_t fontColour, bool bold, int alignment);
void UstawWiersz(GridModel &grid, int row, std::int32_t background, std::int32_t fontColour,
        bool bold, int alignment);
void UstawKolumne(GridModel &grid, int column, std::int32_t background, std::int32_t fontColour,
        bool bold, int alignment);

/// Rows 1 to rowCount - 1 get the plain row colour; cell (0,7) is reset to
/// black, regular and left-aligned.
void KolorujWiersze(GridModel &grid, const GridState &state, int rowCount);

/// Row banding of the body rows that are not summary rows of the table kind in
/// the grid: colour A for rows whose number is a multiple of `period`, B for the
/// others. A period below 1 paints every row with B.
void PaskiWierszy(GridModel &grid, const GridState &state, int period, std::int32_t colourA,
        std::int32_t colourB);

/// Sizes `Tabela`, `PPodTabele` and `PTabela` from the table width and height
/// for the results and working-time tables.
void UstawRozmiarTabeli(GridState &state, std::int32_t studentCount);

} // namespace zavevad
