#pragma once

#include "appearance/applyappearance.h"
#include "appearance/chartappearance.h"
#include "chartengine/chart.h"
#include "results/analysisstate.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"

namespace zavevad {

/// The live data of the run: the analysis state, the grid `Tabela` with its
/// state, the two appearance records, the chart kinds and the chart. One instance, owned by the
/// shell, for the whole run; commands and windows read and change it in place.
struct Session
{
    AnalysisState analysis;
    GridModel grid;
    GridState gridState;
    Appearances appearances; ///< `CurrentAppearance` and `DefaultAppearance`
    ChartKindState chartKind; ///< `ChartKind`, `ShownChartKind`, `CurrentSeries`
    chart::Chart chart; ///< what the chart window shows and the appearance dialog restyles

    Session() = default;
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;
};

} // namespace zavevad
