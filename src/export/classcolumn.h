#pragma once

#include "results/analysisstate.h"
#include "tables/table.h"

namespace zavevad {

/// `table`, a table of the students (their names in column 0 of rows 1 to
/// n, in the order of the student list), with a "Klasa" column after the
/// names when two or more classes are loaded, kept in view beside them;
/// `table` as it is otherwise.
Table withClassColumn(Table table, const AnalysisState &analysis);

} // namespace zavevad
