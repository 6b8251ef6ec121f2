#pragma once

#include "appearance/applyappearance.h"
#include "appearance/chartappearance.h"
#include "chartengine/chart.h"
#include "charts/scorecharts.h"
#include "results/analysisstate.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"
#include "tables/itemanalysistable.h"

#include <QStringList>

#include <optional>

namespace zavevad {

/// Everything a run holds, as one value: a copy is a complete snapshot and an
/// assignment puts it all back, so a field added here is kept and restored
/// with the rest without any code that lists the fields. It sits with the
/// charts, the highest of the layers its members come from.
struct SessionState
{
    AnalysisState analysis;
    GridModel grid; ///< `Tabela`
    GridState gridState;
    /// The specified tables' grid, kept aside while the item analysis, the
    /// skills or the class comparison is shown on a fresh one.
    ItemAnalysisVisit itemAnalysisStash;
    Appearances appearances; ///< `CurrentAppearance` and `DefaultAppearance`
    ChartKindState chartKind; ///< `ChartKind`, `ShownChartKind`, `CurrentSeries`
    chart::Chart chart; ///< what the chart window shows and the appearance dialog restyles
    /// What the chart shows: a score chart, else the table of `chartTable`.
    std::optional<ScoreChart> scoreChart;
    /// The student (a row of the analysis's progress data) whose line the
    /// progress chart adds; none: the class's lines alone.
    std::optional<std::size_t> progressStudent;
    TableKind chartTable = TableNone;
    /// The result files of the analysis now loaded, which no save may replace.
    QStringList loadedInputs;

    friend bool operator==(const SessionState &, const SessionState &) = default;
};

} // namespace zavevad
