#include "charts/chartrebuild.h"

#include "charts/chartdata.h"
#include "charts/sessionstate.h"
#include "tables/analysistables.h"

#include <utility>

namespace zavevad {

void rebuildChartAfterRegrading(SessionState &state)
{
    const AnalysisState &analysis = state.analysis;
    if (!analysis.dataLoaded)
        return;
    if (state.scoreChart) {
        fillScoreChart(*state.scoreChart, analysis, state.chart);
        return;
    }
    if (state.chartTable == TableNone)
        return;
    // The table the chart was drawn from, built aside from the grid on display.
    GridModel grid;
    GridState gridState;
    AnalysisTables(grid, gridState, analysis).PokazTabele(state.chartTable);
    if (gridState.tableKind != state.chartTable)
        return;
    // Built on copies: a cell that stops the build must leave no half-filled chart.
    Appearances appearances = state.appearances;
    chart::Chart chart = state.chart;
    ChartKindState kindState = state.chartKind;
    const ChartSource source{
            grid, state.chartTable, analysis.studentCount, resultsSumaColumn(gridState, analysis)};
    BuildChartFromTable(source, appearances, chart, kindState);
    // The appearance and texts the user gave the chart stay.
    appearances.CurrentAppearance = state.appearances.CurrentAppearance;
    chart.header.lines = state.chart.header.lines;
    chart.footer.lines = state.chart.footer.lines;
    ApplyChartKind(kindState.ChartKind, appearances.CurrentAppearance, chart, kindState);
    state.appearances = std::move(appearances);
    state.chart = std::move(chart);
    state.chartKind = kindState;
}

} // namespace zavevad
