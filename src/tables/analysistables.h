#pragma once

#include "results/analysisstate.h"
#include "tables/itemanalysistable.h"
#include "tables/resultstables.h"

#include <cstdint>

namespace zavevad {

class GridModel;
struct GridState;

/// Question columns m of the results page that `state` names (page 1: up to
/// 15; page 2: question count - 15).
int resultsQuestionColumns(const GridState &state, const AnalysisState &analysis);
/// Column of "Suma" on the results page on display: m + 1 (16 whenever fifteen
/// question columns are shown).
int resultsSumaColumn(const GridState &state, const AnalysisState &analysis);

/// The table kinds of the registry and their paging, built into the grid model
/// from the analysis state. Holds references only: the grid, its state and the
/// analysis state belong to the caller and outlive this object.
class AnalysisTables
{
public:
    /// Keeps the grid that the item analysis puts aside in a stash of its own.
    AnalysisTables(GridModel &grid, GridState &state, const AnalysisState &analysis);
    /// Keeps it in `stash`, which belongs to the caller with the grid.
    AnalysisTables(GridModel &grid, GridState &state, const AnalysisState &analysis,
            ItemAnalysisVisit &stash);
    AnalysisTables(const AnalysisTables &) = delete;
    AnalysisTables &operator=(const AnalysisTables &) = delete;

    /// Shows the table of `kind` as its registry row says; nothing for a kind
    /// without a row.
    void PokazTabele(TableKind kind);

    /// Page 1 of the results table with the names, built afresh from the
    /// analysis (after a load or a regrading) and kept for the question pages.
    void showResults();

    /// Page 1 (questions 1 to 15) or page 2 (16 onward) of the results table,
    /// without the names of column 0: the table `showResults` kept, built again
    /// only when the analysis no longer has the students, question count,
    /// summary and thresholds it was built from.
    void PokazWyniki(int page);
    void PokazCzasPracy();
    void PokazOceny();

    /// Left and right arrows by question count and page; positions of all four.
    void UlozStrzalki();
    /// Up and down arrows by the top row.
    void StrzalkiPionowe();

    void ImTabelaWGoreClick();
    void ImTabelaWDolClick();
    void ImTabelaWLewoClick();
    void ImTabelaWPrawoClick();

private:
    /// The count the up and down arrows page by: the student count, or the
    /// item-analysis table's own.
    int pagingCount() const;
    int rowsPerPage() const;
    int lastPageTopRow() const;
    void placeVerticalArrows();
    void showQuestionPage(int page);
    /// The results table of the analysis: the kept one while it still fits.
    const Table &keptResultsTable();
    /// `table` (the results table) as question page `page` of the grid; the
    /// students' names too when `names` is set (a page switch keeps them).
    void showResultsPage(const Table &table, int page, bool names);

    GridModel &m_grid;
    GridState &m_state;
    const AnalysisState &m_analysis;
    ItemAnalysisVisit m_ownStash;
    ItemAnalysisVisit &m_itemAnalysisVisit;

    /// What the kept results table was built from; a page switch of a large
    /// class must not pay for building it again.
    struct ResultsKey
    {
        const UczenAll *students = nullptr;
        std::int32_t studentCount = -1;
        std::int32_t questionCount = -1;
        ClassSummary summary;
        Thresholds thresholds;

        friend bool operator==(const ResultsKey &, const ResultsKey &) = default;
    };
    ResultsKey resultsKey() const;
    Table m_results;
    ResultsKey m_resultsKey;
};

} // namespace zavevad
