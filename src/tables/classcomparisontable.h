#pragma once

#include "results/analysisstate.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"
#include "tables/table.h"

namespace zavevad {

/// Rows of the class-comparison table of `classCount` classes: the header,
/// one row per class and "Razem".
int classComparisonRowCount(int classCount);

/// The last class row of the class-comparison table in `grid` (class i is
/// row i); 0 when the grid holds none.
int classComparisonLastClassRow(const GridModel &grid);
/// The same of the table value.
int classComparisonLastClassRow(const Table &table);

/// Columns of the class-comparison table, from "Klasa" to "KR-20".
int classComparisonColumnCount();
/// The column of "Cel", the first grade count.
int classComparisonFirstGradeColumn();

/// What the up and down arrows page by on the class-comparison table: its
/// body rows less one, as for the item-analysis table.
int classComparisonPagingCount(const AnalysisState &analysis);
/// The same for the table of the questions in the classes.
int classQuestionsPagingCount(const AnalysisState &analysis);

/// "Tabela - Porównanie klas" as a table value: per class and for all
/// students together ("Razem") the student count, mean, median, standard
/// deviation, easiness, grade counts, average grade and KR-20. Shown on a grid
/// of its own (see ItemAnalysisVisit).
Table classComparisonTable(const AnalysisState &analysis);

/// "Tabela - Pytania w klasach" as a table value: one row per question, its
/// easiness in each class (a column per class, in the classes' order) and for
/// all students ("Razem", the last column); a class more than 0,20 below all
/// students is marked red and bold with " ▼". Its size grows with classes ×
/// questions.
Table classQuestionsTable(const AnalysisState &analysis);

/// The report's parts of the class comparison: none with fewer than two
/// classes loaded, else the statistics ("Porównanie klas") and the grade
/// counts, average grade and KR-20 ("Porównanie klas - oceny i rzetelność"),
/// so that every text stands in full on a page.
std::vector<Table> classComparisonReportParts(const AnalysisState &analysis);

} // namespace zavevad
