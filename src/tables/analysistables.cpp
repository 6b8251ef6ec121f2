#include "tables/analysistables.h"

#include "tables/classcomparisontable.h"
#include "tables/columnpages.h"
#include "tables/gridmodel.h"
#include "tables/gridoperations.h"
#include "tables/gridstate.h"
#include "tables/resultstables.h"
#include "tables/skillstable.h"
#include "tables/tablekinds.h"

#include <algorithm>

namespace zavevad {

namespace {

constexpr int kQuestionsPerPage = 15;

// Layout in pixels. A row is 16 pixels and a grid line 1, so a row takes 17;
// a table's width counts every column with its grid line.
constexpr int kRowPitch = 17;
constexpr int kTableFrame = 3; // added to the rows' height and to the width
constexpr int kGradeCountTableHeight = 140; // its eight rows and a frame

// The second question page's counts are black, the first page's navy.
constexpr CellLook kSecondPageCountLook{.fontColour = kBlack, .bold = true};

void renderRowLooks(GridModel &grid, const Table &table)
{
    for (int r = 1; r < table.rowCount(); ++r) {
        if (table.row(r).look != 0)
            UstawWiersz(grid, r, table.look(table.row(r).look));
    }
}

} // namespace

AnalysisTables::AnalysisTables(GridModel &grid, GridState &state, const AnalysisState &analysis)
    : AnalysisTables(grid, state, analysis, m_ownStash)
{ }

AnalysisTables::AnalysisTables(
        GridModel &grid, GridState &state, const AnalysisState &analysis, ItemAnalysisVisit &stash)
    : m_grid(grid), m_state(state), m_analysis(analysis), m_itemAnalysisVisit(stash)
{ }

void AnalysisTables::PokazTabele(TableKind kind)
{
    const TableKindInfo *info = tableKindInfo(kind);
    if (!info)
        return;
    if (!info->hasOwnGrid()) {
        (this->*info->showShared)();
        return;
    }
    // On a fresh grid, with the specified tables' grid kept aside.
    m_itemAnalysisVisit.enter(m_grid, m_state);
    showOwnGrid(m_grid, m_state, m_analysis, *info);
}

void AnalysisTables::showResults()
{
    m_results = resultsTable(m_analysis);
    m_resultsKey = resultsKey();
    showResultsPage(m_results, 1, true);
}

AnalysisTables::ResultsKey AnalysisTables::resultsKey() const
{
    return {m_analysis.students.data(), m_analysis.studentCount, m_analysis.questionCount,
            m_analysis.summary, m_analysis.thresholds};
}

const Table &AnalysisTables::keptResultsTable()
{
    if (m_resultsKey != resultsKey()) {
        m_results = resultsTable(m_analysis);
        m_resultsKey = resultsKey();
    }
    return m_results;
}

int resultsQuestionColumns(const GridState &state, const AnalysisState &analysis)
{
    const int q = usableQuestionCount(analysis.questionCount);
    if (state.firstQuestionPage)
        return std::min(q, kQuestionsPerPage);
    return std::max(q - kQuestionsPerPage, 0);
}

int resultsSumaColumn(const GridState &state, const AnalysisState &analysis)
{
    return resultsQuestionColumns(state, analysis) + 1;
}

void AnalysisTables::PokazWyniki(int page)
{
    showResultsPage(keptResultsTable(), page, false);
}

void AnalysisTables::showResultsPage(const Table &table, int page, bool names)
{
    m_itemAnalysisVisit.leave(m_grid, m_state);
    m_state.firstQuestionPage = page == 1;
    m_state.tableKind = TableResults;

    const int q = table.columnCount() - 3;
    const int n = table.rowCount() - 3;
    const int m = resultsQuestionColumns(m_state, m_analysis);
    const int firstQuestion = m_state.firstQuestionPage ? 1 : kQuestionsPerPage + 1;
    const int rows = n + 3;

    // The page's columns: the names, its questions, "Suma" and "Ocena".
    m_grid.setColumnCount(m + 3);
    m_grid.setRowCount(rows);
    const std::pair<int, int> pieces[] = {{0, 0}, {firstQuestion, 1}, {q + 1, m + 1}};
    const int widths[] = {1, m, 2};
    m_state.tableWidth = 0;
    for (int i = 0; i < 3; ++i) {
        for (int c = 0; c < widths[i]; ++c) {
            const int width = table.column(pieces[i].first + c).width;
            m_grid.setColumnWidth(pieces[i].second + c, width);
            m_state.tableWidth += width + 1;
        }
    }
    renderRowLooks(m_grid, table);
    m_state.tableHeight = kRowPitch * rows + kTableFrame;
    PaskiWierszy(m_grid, m_state, 5, m_state.fifthRowColour, m_state.plainRowColour);
    UstawRozmiarTabeli(m_state, n);

    // The page's pieces side by side, rendered in one sweep of the grid; the
    // students' names only when asked for, as a page switch keeps them.
    std::vector<int> columns;
    columns.reserve(static_cast<std::size_t>(m) + 3);
    for (int i = 0; i < 3; ++i) {
        for (int c = 0; c < widths[i]; ++c)
            columns.push_back(pieces[i].first + c);
    }
    renderColumns(m_grid, table, columns, 0, 0, 1);
    if (names) {
        // The grade-count table leaves cell (0,7) red and bold.
        if (n >= 7)
            UstawKomorke(m_grid, 0, 7, kPlainLabelLook);
        renderColumns(m_grid, table, columns, 0, 1, n + 1);
    } else {
        const std::vector<int> questions(columns.begin() + 1, columns.end());
        renderColumns(m_grid, table, questions, 1, 1, n + 1);
    }
    renderColumns(m_grid, table, columns, 0, n + 1, rows);
    if (!m_state.firstQuestionPage) {
        for (int c = 1; c <= m; ++c)
            UstawKomorke(m_grid, c, n + 1, kSecondPageCountLook);
    }

    m_grid.setTopRow(1);
    UlozStrzalki();
    StrzalkiPionowe();
    m_grid.clearSelection();
}

void AnalysisTables::PokazCzasPracy()
{
    m_itemAnalysisVisit.leave(m_grid, m_state);
    m_state.tableKind = TableWorkingTime;
    const Table table = workingTimeTable(m_analysis);
    const int n = std::max(m_analysis.studentCount, 0);
    const int rows = n + 2;

    // Column 0 keeps the width the results table gave it.
    m_state.tableWidth = table.column(0).width + 1;
    m_grid.setColumnCount(4);
    for (int c = 1; c <= 3; ++c) {
        m_grid.setColumnWidth(c, table.column(c).width);
        m_state.tableWidth += table.column(c).width + 1;
    }
    m_grid.setRowCount(rows);
    m_state.tableHeight = kRowPitch * rows + kTableFrame;

    KolorujWiersze(m_grid, m_state, rows);
    PaskiWierszy(m_grid, m_state, 5, m_state.fifthRowColour, m_state.plainRowColour);
    UstawRozmiarTabeli(m_state, n);

    m_state.panels.PTabelaWLewo.visible = false;
    m_state.panels.PTabelawPrawo.visible = false;
    placeVerticalArrows();

    m_grid.setTopRow(1);
    StrzalkiPionowe();

    renderRowLooks(m_grid, table);
    // The names too, in one sweep: `KolorujWiersze` has set cell (0,7) as the
    // results table wants it.
    renderCells(m_grid, table, 0, 4, 0, 0, rows);

    m_grid.clearSelection();
}

void AnalysisTables::PokazOceny()
{
    m_itemAnalysisVisit.leave(m_grid, m_state);
    m_state.tableKind = TableGradeCount;
    const Table table = gradeCountTable(m_analysis);

    m_state.tableWidth = renderHeader(m_grid, table);
    m_state.tableHeight = kGradeCountTableHeight;
    PanelGeometry &panels = m_state.panels;
    panels.PPodTabele = QSize(m_state.tableWidth + 4, kGradeCountTableHeight);
    panels.PTabela = panels.PPodTabele;
    panels.Tabela = QSize(m_state.tableWidth + kTableFrame, kGradeCountTableHeight);

    KolorujWiersze(m_grid, m_state, table.rowCount());
    PaskiWierszy(m_grid, m_state, 1, m_state.plainRowColour, m_state.plainRowColour);

    panels.PTabelaWLewo.visible = false;
    panels.PTabelawPrawo.visible = false;
    panels.PTabelaWGore.visible = false;
    panels.PTabelaWDol.visible = false;

    renderRowLooks(m_grid, table);
    for (int c = 0; c < table.columnCount(); ++c) {
        if (table.column(c).look != 0)
            UstawKolumne(m_grid, c, table.look(table.column(c).look));
    }
    renderCells(m_grid, table, 0, table.columnCount(), 0, 1, table.rowCount());

    m_grid.setTopRow(1);
    m_grid.clearSelection();
}

void AnalysisTables::UlozStrzalki()
{
    PanelGeometry &panels = m_state.panels;
    if (usableQuestionCount(m_analysis.questionCount) > kQuestionsPerPage) {
        panels.PTabelaWLewo.visible = !m_state.firstQuestionPage;
        panels.PTabelawPrawo.visible = m_state.firstQuestionPage;
    } else {
        panels.PTabelaWLewo.visible = false;
        panels.PTabelawPrawo.visible = false;
    }
    placeVerticalArrows();
    const int w = panels.PPodTabele.width();
    const int h = panels.PPodTabele.height();
    panels.PTabelaWLewo.pos = QPoint(w - 60, h + 2);
    panels.PTabelawPrawo.pos = QPoint(w - 30, h + 2);
}

void AnalysisTables::placeVerticalArrows()
{
    // Beside the grid's panel, near its bottom, from the size just given to it.
    PanelGeometry &panels = m_state.panels;
    const int w = panels.PPodTabele.width();
    const int h = panels.PPodTabele.height();
    panels.PTabelaWGore.pos = QPoint(w + 2, h - 60);
    panels.PTabelaWDol.pos = QPoint(w + 2, h - 30);
}

int AnalysisTables::pagingCount() const
{
    const TableKindInfo *info = tableKindInfo(m_state.tableKind);
    return info ? info->paging(m_analysis) : m_analysis.studentCount;
}

int AnalysisTables::rowsPerPage() const
{
    // The results table moves 15 rows, the working-time table 16.
    return m_state.tableKind == TableResults ? 15 : 16;
}

int AnalysisTables::lastPageTopRow() const
{
    const int n = pagingCount();
    return m_state.tableKind == TableResults ? n - 14 : n - 15;
}

void AnalysisTables::StrzalkiPionowe()
{
    PanelGeometry &panels = m_state.panels;
    const int top = m_grid.topRow();
    if (pagingCount() <= 15) {
        panels.PTabelaWGore.visible = false;
        panels.PTabelaWDol.visible = false;
    } else if (top == 1) {
        panels.PTabelaWGore.visible = false;
        panels.PTabelaWDol.visible = true;
    } else if (top == lastPageTopRow()) {
        panels.PTabelaWGore.visible = true;
        panels.PTabelaWDol.visible = false;
    } else {
        panels.PTabelaWGore.visible = true;
        panels.PTabelaWDol.visible = true;
    }
}

void AnalysisTables::ImTabelaWGoreClick()
{
    m_grid.setTopRow(std::max(m_grid.topRow() - rowsPerPage(), 1));
    StrzalkiPionowe();
}

void AnalysisTables::ImTabelaWDolClick()
{
    const int top = m_grid.topRow();
    const int next = top + 30 < pagingCount() ? top + rowsPerPage() : lastPageTopRow();
    // With a short table the last page's top row would lie above row 1.
    m_grid.setTopRow(std::max(next, 1));
    StrzalkiPionowe();
}

void AnalysisTables::ImTabelaWLewoClick()
{
    if (const TableKindInfo *info = tableKindInfo(m_state.tableKind); info && info->hasOwnGrid())
        turnColumnPage(m_grid, m_state, -1);
    else
        showQuestionPage(1);
}

void AnalysisTables::ImTabelaWPrawoClick()
{
    // The tables on a grid of their own page their columns sideways.
    if (const TableKindInfo *info = tableKindInfo(m_state.tableKind); info && info->hasOwnGrid())
        turnColumnPage(m_grid, m_state, 1);
    else
        showQuestionPage(2);
}

void AnalysisTables::showQuestionPage(int page)
{
    if (m_state.tableKind != TableResults)
        return;
    PokazWyniki(page);
    // The arrow to the page on display hides, the one to the other page shows.
    m_state.panels.PTabelawPrawo.visible = page == 1;
    m_state.panels.PTabelaWLewo.visible = page != 1;
}

} // namespace zavevad
