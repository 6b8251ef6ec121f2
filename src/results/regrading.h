#pragma once

#include "results/analysisstate.h"

#include <QByteArray>

namespace zavevad {

/// Whether each threshold is at least the one of the grade below it
/// (Dop <= Dst <= Db <= Bdb <= Cel). Equal neighbours rise: the grade between
/// them simply earns no percentage.
bool thresholdsRise(const Thresholds &thresholds);

/// Grades the loaded students again under `thresholds` and makes them the
/// state's thresholds: every `Procent`-based `Ocena`, the six grade counts of
/// the class summary and with them the class's grade. Points, percentages,
/// question statistics and the order of the students stay as they are. A
/// state without loaded results only takes the thresholds.
void regradeAnalysis(AnalysisState &state, const Thresholds &thresholds);

/// The content of a `Progi.txt` that sets `thresholds`: the lines "Dp=..",
/// "Dst=..", "Db=..", "Bdb=..", "cel=.." in this order, each ended by CR LF,
/// in code page 1250 (plain ASCII).
QByteArray thresholdsFileBytes(const Thresholds &thresholds);

} // namespace zavevad
