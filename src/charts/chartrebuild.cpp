#include "charts/chartrebuild.h"

#include "charts/chartdata.h"
#include "charts/sessionstate.h"
#include "tables/tablekinds.h"

#include <utility>

namespace zavevad {

void rebuildChartAfterRegrading(SessionState &state)
{
    const AnalysisState &analysis = state.analysis;
    if (!analysis.dataLoaded)
        return;
    if (state.scoreChart) {
        fillScoreChart(*state.scoreChart, analysis, state.chart, state.progressStudent);
        return;
    }
    if (state.chartTable == TableNone)
        return;
    // The table the chart was drawn from, built anew whatever the grid shows.
    const TableKindInfo *table = tableKindInfo(state.chartTable);
    if (!table)
        return;
    // Built on copies: a cell that stops the build must leave no half-filled chart.
    Appearances appearances = state.appearances;
    chart::Chart chart = state.chart;
    ChartKindState kindState = state.chartKind;
    BuildChartFromValues(table->build(analysis), table->kind, analysis.studentCount, appearances,
            chart, kindState);
    // The appearance and texts the user gave the chart stay.
    appearances.CurrentAppearance = state.appearances.CurrentAppearance;
    chart.header.lines = state.chart.header.lines;
    chart.footer.lines = state.chart.footer.lines;
    ApplyChartKind(kindState.ChartKind, appearances.CurrentAppearance, chart, kindState);
    restoreReferenceLine(state.chartTable, kindState, chart);
    state.appearances = std::move(appearances);
    state.chart = std::move(chart);
    state.chartKind = kindState;
}

} // namespace zavevad
