#pragma once

namespace zavevad {

struct SessionState;

/// The grades or the blueprint of the analysis changed: the chart is drawn
/// again from it, the same chart of the same kind, with the appearance and
/// the texts the user gave it kept. A score chart reads the analysis; a chart
/// of a table reads that table built afresh, whatever the grid shows. Does
/// nothing before a load, before a chart was drawn, or when its table cannot
/// be built any more. A
/// CommandError (a cell that is no number) leaves the chart and its records
/// as they were and is passed on.
void rebuildChartAfterRegrading(SessionState &state);

} // namespace zavevad
