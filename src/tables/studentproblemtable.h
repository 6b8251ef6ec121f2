#pragma once

#include "results/analysisstate.h"
#include "tables/table.h"

namespace zavevad {

/// "Tabela S-P": students by points descending (ties in the results table's
/// order), questions by correct answers descending (ties by number), each
/// answer 1 or 0 as in the results table; per student the points, the
/// caution index CS and "nietypowe odpowiedzi" where it shows 0,50 or more;
/// then the row "Wskaźnik ostrożności pytania" with each question's CP and a
/// row "Uwagi" with "sprawdź klucz" where CP shows 0,50 or more. "–" where an
/// index is undefined. The S curve is each student row's heavy line after
/// the column of their points, the P curve each question column's heavy line
/// below the row of its correct answers.
Table studentProblemTable(const AnalysisState &analysis);

/// What the up and down arrows page by on the student-problem table: its
/// body rows less one.
int studentProblemPagingCount(const AnalysisState &analysis);

} // namespace zavevad
