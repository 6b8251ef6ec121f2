#pragma once

#include "tables/gridformat.h"

#include <cstdint>

namespace zavevad {

class GridModel;
struct GridState;

/// What a formatting operation gives a cell, a row or a column. Colours are
/// packed RGB; kColourUnchanged (128) leaves the colour as it is. The font
/// style is always replaced (bold alone, or regular) and the alignment is
/// always set. Table builders name one look per kind of cell.
struct CellLook
{
    std::int32_t background = kColourUnchanged;
    std::int32_t fontColour = kColourUnchanged;
    bool bold = false;
    TMyAlign align = alCenter;

    friend bool operator==(const CellLook &, const CellLook &) = default;
};

/// A row label in black, regular and left-aligned: what the grade-count
/// table's red label in cell (0,7) returns to on the other tables.
inline constexpr CellLook kPlainLabelLook{.fontColour = kBlack, .align = alLeft};

/// The pale yellow of the summary rows under the body of the added tables.
inline constexpr std::int32_t kSummaryRowColour = packedRgb(255, 255, 200);
/// A summary row of the added tables: navy and bold on pale yellow.
inline constexpr CellLook kSummaryRowLook{
        .background = kSummaryRowColour, .fontColour = kNavy, .bold = true, .align = alLeft};

// The formatting operations through which the table builders write every
// colour, font and alignment.

void UstawKomorke(GridModel &grid, int column, int row, const CellLook &look);
void UstawWiersz(GridModel &grid, int row, const CellLook &look);
void UstawKolumne(GridModel &grid, int column, const CellLook &look);

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
