#pragma once

#include "results/analysisstate.h"
#include "tables/table.h"

namespace zavevad {

/// The correct counts of the results table's "Suma" row.
inline constexpr CellLook kResultsCountLook{.fontColour = kNavy, .bold = true};

/// The results table with every question: names, one column per question
/// (1 or 0), "Suma" and "Ocena"; the rows "Suma" and "Średnia (%)" below.
Table resultsTable(const AnalysisState &analysis);
/// The working-time table: start and end as date-times, the working time and
/// the average as durations.
Table workingTimeTable(const AnalysisState &analysis);
/// The grade-count table and the average grade.
Table gradeCountTable(const AnalysisState &analysis);

/// The students' working times summed in list order and divided by their
/// number, in days: the working-time table's average.
double averageWorkingTime(const AnalysisState &analysis);

} // namespace zavevad
