#pragma once

#include "results/analysisstate.h"

namespace zavevad {

/// `analysis` with every student named "Uczeń 1", "Uczeń 2", ... in the
/// order of the student list (the results table's), so that a report or a
/// workbook can leave the school without a name in it. Everything else, the
/// classes included, stays as it is.
AnalysisState withoutNames(const AnalysisState &analysis);

} // namespace zavevad
