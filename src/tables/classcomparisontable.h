#pragma once

#include "results/analysisstate.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"
#include "tables/table.h"

namespace zavevad {

/// Rows of the class-comparison table of `classCount` classes and
/// `questionCount` questions: the header, one row per class, "Razem", an
/// empty row, the title and header of the question matrix and one row per
/// question.
int classComparisonRowCount(int classCount, int questionCount);

/// The last class row of the class-comparison table in `grid` (class i is
/// row i); 0 when the grid holds none.
int classComparisonLastClassRow(const GridModel &grid);
/// The same of the table value.
int classComparisonLastClassRow(const Table &table);

/// Columns of the comparison part of the table, from "Klasa" to "KR-20"; the
/// question matrix below it may have more.
int classComparisonColumnCount();
/// The column of "Cel", the first grade count.
int classComparisonFirstGradeColumn();

/// What the up and down arrows page by on the class-comparison table: its
/// body rows less one, as for the item-analysis table.
int classComparisonPagingCount(const AnalysisState &analysis);

/// "Tabela - Porównanie klas" as a table value: per class and for all students
/// together the student count, mean, median, standard deviation, easiness,
/// grade counts, average grade and KR-20; below it each question's easiness in
/// each class, a class far below all students marked like a hard question.
/// Shown on a grid of its own (see ItemAnalysisVisit).
Table classComparisonTable(const AnalysisState &analysis);

/// The report's parts of the class comparison: none with fewer than two
/// classes loaded, else the statistics ("Porównanie klas"), the grade counts,
/// average grade and KR-20 ("Porównanie klas - oceny i rzetelność") and the
/// question matrix ("Łatwość pytań w klasach"), so that every text stands in
/// full on a page.
std::vector<Table> classComparisonReportParts(const AnalysisState &analysis);

} // namespace zavevad
