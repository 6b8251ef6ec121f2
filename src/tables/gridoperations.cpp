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

void applyFormat(const GridModel &grid, GridFormat &format, const CellLook &look)
{
    applyBackground(format, look.background);
    GridFont &font = format.ownFont(grid.bodyFont());
    if (look.fontColour != kColourUnchanged)
        font.setColor(colorFromPacked(look.fontColour));
    font.setStyle(look.bold ? FontStyles(fsBold) : FontStyles());
    format.alignment = look.align;
}

} // namespace

void UstawKomorke(GridModel &grid, int column, int row, const CellLook &look)
{
    if (column < 0 || row < 0)
        return;
    applyFormat(grid, grid.cellFormat(column, row), look);
}

void UstawWiersz(GridModel &grid, int row, const CellLook &look)
{
    if (row < 0)
        return;
    applyFormat(grid, grid.rowFormat(row), look);
}

void UstawKolumne(GridModel &grid, int column, const CellLook &look)
{
    if (column < 0)
        return;
    applyFormat(grid, grid.columnFormat(column), look);
}

void KolorujWiersze(GridModel &grid, const GridState &state, int rowCount)
{
    for (int row = 1; row < rowCount; ++row) {
        applyBackground(grid.rowFormat(row), state.plainRowColour);
        // The grade-count table leaves cell (0,7) red and bold.
        if (row == 7)
            UstawKomorke(grid, 0, 7, kPlainLabelLook);
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
