#pragma once

#include "results/analysisstate.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"
#include "tables/table.h"

namespace zavevad {

/// Rows of the skills table: the header, one row per skill, an empty row and
/// the row of the questions without a skill; without a blueprint the header
/// and the row that says so.
int skillsTableRowCount(const AnalysisState &analysis);

/// The last skill row of the skills table in `grid` (skill i is row i); 0 when
/// it holds none.
int skillsTableLastSkillRow(const GridModel &grid);
/// The same of the table value.
int skillsTableLastSkillRow(const Table &table);

/// What the up and down arrows page by on the skills table: its body rows
/// less one, as for the item-analysis table.
int skillsTablePagingCount(const AnalysisState &analysis);

/// "Tabela - Umiejętności" as a table value: per skill of the blueprint its
/// requirement, questions, their share of correct answers with its
/// interpretation and the students with at least half of them right; then the
/// questions without a skill. Shown on a grid of its own (see ItemAnalysisVisit).
Table skillsTable(const AnalysisState &analysis);

} // namespace zavevad
