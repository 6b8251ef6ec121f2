#pragma once

#include "results/analysisstate.h"
#include "results/itemanalysis.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"
#include "tables/table.h"

namespace zavevad {

/// Rows of the item-analysis table of `questionCount` questions: the header,
/// one row per question, an empty row and the fourteen summary rows.
int itemAnalysisRowCount(int questionCount);

/// The last question row of the item-analysis table in `grid` (question k is
/// row k); 0 when the grid is too small to hold one.
int itemAnalysisLastQuestionRow(const GridModel &grid);
/// The same of the table value.
int itemAnalysisLastQuestionRow(const Table &table);

/// What the up and down arrows page by on the item-analysis table: its body
/// rows less one, as the student count is for the working-time table.
int itemAnalysisPagingCount(const AnalysisState &analysis);

/// Keeps the specified tables' grid aside while the item-analysis
/// table is on display. The grid keeps cell, row and column formats from one
/// table to the next, and those tables rely on exactly what they leave to each
/// other; so the item-analysis table is built on a fresh grid, and leaving it
/// gives back the grid and its state as they were before, as if it had never
/// been shown.
class ItemAnalysisVisit
{
public:
    /// Before building the item-analysis table: on the first call puts `grid`
    /// and `state` aside; `grid` is then a fresh grid in every case.
    void enter(GridModel &grid, const GridState &state);
    /// Before building any other table: gives back what `enter` put aside.
    /// Does nothing when the item-analysis table is not on display.
    void leave(GridModel &grid, GridState &state);
    bool active() const { return m_active; }

private:
    GridModel m_grid;
    GridState m_state;
    bool m_active = false;

    friend bool operator==(const ItemAnalysisVisit &, const ItemAnalysisVisit &) = default;
};

/// "Tabela - Analiza pytań" as a table value: per question its correct answers,
/// difficulty, discrimination, upper-lower index and KR-20 without it, then
/// the class summary and the reliability of the test. Shown on a grid of its
/// own (see ItemAnalysisVisit).
Table itemAnalysisTable(const AnalysisState &analysis);

/// Renders a table that has a grid of its own (item analysis, skills, class
/// comparison): widths, header, row bands and looks, cells, the panel paged
/// by `pagingCount`.
void renderOwnGrid(GridModel &grid, GridState &state, const Table &table, int pagingCount);

/// A statistic shown to two decimals: `shown` hundredths in the text; the
/// value exact, or the shown one where the table rounds a half to even.
void setStatistic(Table &table, int column, int row, double exact, std::int64_t shown);
/// A share as the tables show it (two decimals, "–" for none), its value the
/// one shown.
void setShare(Table &table, int column, int row, const std::optional<Fraction> &share);
/// The item analysis's interpretation of `band` ("bardzo trudne" ... "bardzo
/// łatwe") into a cell, in its colour.
void setInterpretation(Table &table, int column, int row, Difficulty band);

} // namespace zavevad
