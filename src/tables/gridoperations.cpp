#include "tables/gridoperations.h"

#include "tables/gridmodel.h"
#include "tables/gridstate.h"

namespace zavevad {

namespace {

void applyBackground(GridFormat &format, std::int32_t background)
{
    if (background != kColourUnchanged)
        format.background = colorFromPacked(background);
}

void applyFormat(const GridModel &grid, GridFormat &format, std::int32_t background,
        std::int32_t fontColour, bool bold, int alignment)
{
    applyBackground(format, background);
    GridFont &font = format.ownFont(grid.bodyFont());
    if (fontColour != kColourUnchanged)
        font.setColor(colorFromPacked(fontColour));
    font.setStyle(bold ? FontStyles(fsBold) : FontStyles());
    format.alignment = gridAlignmentFromCode(alignment);
}

} // namespace

TMyAlign gridAlignmentFromCode(int code)
{
    switch (code) {
    case 1:
        return alLeft;
    case 2:
        return alRight;
    default:
        return alCenter;
    }
}

void UstawKomorke(GridModel &grid, int column, int row, std::int32_t background,
        std::int32_t fontColour, bool bold, int alignment)
{
    if (column < 0 || row < 0)
        return;
    applyFormat(grid, grid.cellFormat(column, row), background, fontColour, bold, alignment);
}

void UstawWiersz(GridModel &grid, int row, std::int32_t background, std::int32_t fontColour,
        bool bold, int alignment)
{
    if (row < 0)
        return;
    applyFormat(grid, grid.rowFormat(row), background, fontColour, bold, alignment);
}

void UstawKolumne(GridModel &grid, int column, std::int32_t background, std::int32_t fontColour,
        bool bold, int alignment)
{
    if (column < 0)
        return;
    applyFormat(grid, grid.columnFormat(column), background, fontColour, bold, alignment);
}

void KolorujWiersze(GridModel &grid, const GridState &state, int rowCount)
{
    for (int row = 1; row < rowCount; ++row) {
        applyBackground(grid.rowFormat(row), state.plainRowColour);
        // The grade-count table leaves cell (0,7) red and bold.
        if (row == 7)
            UstawKomorke(grid, 0, 7, kColourUnchanged, kBlack, false, 1);
    }
}

void PaskiWierszy(GridModel &grid, const GridState &state, int period, std::int32_t colourA,
        std::int32_t colourB)
{
    const int rows = grid.rowCount();
    for (int row = 1; row < rows; ++row) {
        const bool painted = (state.tableKind == TableResults && row + 2 < rows)
                || (state.tableKind == TableWorkingTime && row + 1 < rows);
        if (!painted)
            continue;
        const bool fifth = period >= 1 && row % period == 0;
        applyBackground(grid.rowFormat(row), fifth ? colourA : colourB);
    }
}

void UstawRozmiarTabeli(GridState &state, std::int32_t studentCount)
{
    PanelGeometry &panels = state.panels;
    panels.Tabela.setWidth(state.tableWidth + 3);
    panels.PPodTabele.setWidth(state.tableWidth + 4);
    panels.PTabela.setWidth(panels.PPodTabele.width() + 28);
    panels.PPodTabele.setHeight(studentCount < 15 ? state.tableHeight : 309);
    panels.PTabela.setHeight(panels.PPodTabele.height() + 28);
    panels.Tabela.setHeight(state.tableHeight);
}

} // namespace zavevad
