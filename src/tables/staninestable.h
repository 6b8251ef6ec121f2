#pragma once

#include "results/analysisstate.h"
#include "tables/table.h"

namespace zavevad {

/// Students below this count get the note that their stanines are only a
/// rough guide: the nine bands rest on the shares of a large group.
inline constexpr int kStanineSmallGroup = 30;

/// "Tabela - Staniny": every student in the results table's order with their
/// points, percentage, percentile rank and stanine over all loaded students;
/// then an empty row, the distribution's header, one row per stanine (count,
/// share, the normal share) and, for fewer than 30 students, the note
/// "Mała grupa: staniny są orientacyjne". "Klasa" only with two or more classes.
Table staninesTable(const AnalysisState &analysis);

/// What the up and down arrows page by on the stanine table: its body rows
/// less one.
int staninesPagingCount(const AnalysisState &analysis);
/// The first and last row of the distribution (stanines 1 and 9) in a
/// stanine table of `studentCount` students.
int stanineDistributionFirstRow(int studentCount);
int stanineDistributionLastRow(int studentCount);

} // namespace zavevad
