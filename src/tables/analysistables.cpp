#include "tables/analysistables.h"

#include "results/grading.h"
#include "results/rounding.h"
#include "results/thresholds.h"
#include "tables/classcomparisontable.h"
#include "tables/gridmodel.h"
#include "tables/gridoperations.h"
#include "tables/gridstate.h"
#include "tables/numberformat.h"
#include "tables/skillstable.h"

#include <QLocale>

#include <algorithm>

namespace zavevad {

namespace {

constexpr int kQuestionsPerPage = 15;
constexpr std::int32_t kSumRowColour = packedRgb(255, 255, 200);
constexpr std::int32_t kAverageRowColour = packedRgb(221, 224, 216);

// Layout in pixels. A row is 16 pixels and a grid line 1, so a row takes 17;
// a table's width counts every column with its grid line.
constexpr int kRowPitch = 17;
constexpr int kGridLine = 1;
constexpr int kTableFrame = 3; // added to the rows' height and to the width
constexpr int kNameColumnWidth = 120;
constexpr int kQuestionColumnWidth = 26;
constexpr int kTotalColumnWidth = 60; // "Suma" and "Ocena"
constexpr int kTimeColumnWidth = 80;
constexpr int kGradeCountColumnWidth = 100;
constexpr int kGradeCountTableHeight = 140; // its eight rows and a frame

// The looks of the tables' cells and rows.
constexpr CellLook kCorrectLook{.fontColour = kBlack};
constexpr CellLook kWrongLook{.fontColour = kRed};
constexpr CellLook kStudentPointsLook{.fontColour = kRed, .bold = true};
constexpr CellLook kStudentGradeLook{.fontColour = kBlack, .bold = true};
constexpr CellLook kTotalLook{.fontColour = kRed, .bold = true}; // class totals and averages
constexpr CellLook kPercentLook{.fontColour = kGreen, .bold = true};
constexpr CellLook kTimeLook{.fontColour = kBlack};
constexpr CellLook kWorkingTimeLook{.fontColour = kGreen, .bold = true};
constexpr CellLook kCountLook{.fontColour = kBlack, .bold = true};
constexpr CellLook kSumRowLook{
        .background = kSumRowColour, .fontColour = kNavy, .bold = true, .align = alLeft};
constexpr CellLook kAverageRowLook{
        .background = kAverageRowColour, .fontColour = kGreen, .bold = true, .align = alLeft};
constexpr CellLook kAverageGradeLabelLook{.fontColour = kRed, .bold = true, .align = alLeft};

QString number(std::int64_t value)
{
    return QString::number(value);
}

} // namespace

AnalysisTables::AnalysisTables(GridModel &grid, GridState &state, const AnalysisState &analysis)
    : AnalysisTables(grid, state, analysis, m_ownStash)
{ }

AnalysisTables::AnalysisTables(
        GridModel &grid, GridState &state, const AnalysisState &analysis, ItemAnalysisVisit &stash)
    : m_grid(grid), m_state(state), m_analysis(analysis), m_itemAnalysisVisit(stash)
{ }

void AnalysisTables::PokazTabele(int kind)
{
    switch (kind) {
    case TableResults:
        PokazWyniki(1);
        WypelnijNazwiska();
        break;
    case TableWorkingTime:
        PokazCzasPracy();
        break;
    case TableGradeCount:
        PokazOceny();
        break;
    case TableItemAnalysis:
        m_itemAnalysisVisit.enter(m_grid, m_state);
        PokazAnalizePytan(m_grid, m_state, m_analysis);
        break;
    case TableSkills:
        // On a fresh grid too: the same visit keeps the specified tables' grid.
        m_itemAnalysisVisit.enter(m_grid, m_state);
        PokazUmiejetnosci(m_grid, m_state, m_analysis);
        break;
    case TableClassComparison:
        // Built on a fresh grid too, with the same grid kept aside.
        m_itemAnalysisVisit.enter(m_grid, m_state);
        PokazPorownanieKlas(m_grid, m_state, m_analysis);
        break;
    default:
        break;
    }
}

double averageWorkingTime(const AnalysisState &analysis)
{
    // Extended precision, in list order, one division: the average must not
    // depend on how the sum was split.
    const int n = std::max(analysis.studentCount, 0);
    long double sum = 0;
    for (int r = 0; r < n && static_cast<std::size_t>(r) < analysis.students.size(); ++r) {
        const UczenAll &student = analysis.students[static_cast<std::size_t>(r)];
        sum += static_cast<long double>(student.Koniec)
                - static_cast<long double>(student.Poczatek);
    }
    return n > 0 ? static_cast<double>(sum / n) : 0.0;
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
    m_itemAnalysisVisit.leave(m_grid, m_state);
    m_state.firstQuestionPage = page == 1;
    m_state.tableKind = TableResults;

    const int q = usableQuestionCount(m_analysis.questionCount);
    const int n = std::max(m_analysis.studentCount, 0);
    const int m = resultsQuestionColumns(m_state, m_analysis);
    const int firstQuestion = m_state.firstQuestionPage ? 1 : kQuestionsPerPage + 1;
    const int sumRow = n + 1;
    const int averageRow = n + 2;
    const int sumColumn = m + 1;
    const int gradeColumn = m + 2;

    // Header build.
    m_state.tableWidth = kNameColumnWidth + kGridLine;
    m_grid.setColumnCount(m + 3);
    for (int c = 1; c <= m; ++c) {
        m_grid.setColumnWidth(c, kQuestionColumnWidth);
        m_grid.setText(c, 0, number(c + firstQuestion - 1));
        m_state.tableWidth += kQuestionColumnWidth + kGridLine;
    }
    m_grid.setRowCount(n + 3);
    m_grid.setColumnWidth(0, kNameColumnWidth);
    m_grid.setText(0, 0, QStringLiteral("Nazwisko i imię"));
    m_grid.setColumnWidth(sumColumn, kTotalColumnWidth);
    m_grid.setText(sumColumn, 0, QStringLiteral("Suma"));
    m_grid.setColumnWidth(gradeColumn, kTotalColumnWidth);
    m_grid.setText(gradeColumn, 0, QStringLiteral("Ocena"));
    m_state.tableWidth += 2 * (kTotalColumnWidth + kGridLine);
    UstawWiersz(m_grid, sumRow, kSumRowLook);
    m_grid.setText(0, sumRow, QStringLiteral("Suma"));
    UstawWiersz(m_grid, averageRow, kAverageRowLook);
    m_grid.setText(0, averageRow, QStringLiteral("Średnia (%)"));
    m_state.tableHeight = kRowPitch * (n + 3) + kTableFrame;

    PaskiWierszy(m_grid, m_state, 5, m_state.fifthRowColour, m_state.plainRowColour);
    UstawRozmiarTabeli(m_state, n);

    // Student rows.
    for (int r = 1; r <= n; ++r) {
        const UczenAll &student = m_analysis.students[static_cast<std::size_t>(r - 1)];
        for (int c = 1; c <= m; ++c) {
            if (student.correct(c + firstQuestion - 1)) {
                UstawKomorke(m_grid, c, r, kCorrectLook);
                m_grid.setText(c, r, QStringLiteral("1"));
            } else {
                UstawKomorke(m_grid, c, r, kWrongLook);
                m_grid.setText(c, r, QStringLiteral("0"));
            }
        }
        UstawKomorke(m_grid, sumColumn, r, kStudentPointsLook);
        m_grid.setText(sumColumn, r, number(student.Suma));
        UstawKomorke(m_grid, gradeColumn, r, kStudentGradeLook);
        m_grid.setText(gradeColumn, r, student.Ocena);
    }

    // Per-question summary rows.
    // The second question page's counts are black, the first page's navy.
    const CellLook countLook{
            .fontColour = m_state.firstQuestionPage ? kNavy : kBlack, .bold = true};
    for (int c = 1; c <= m; ++c) {
        const QuestionStat &stat =
                m_analysis.questions[static_cast<std::size_t>(c + firstQuestion - 2)];
        UstawKomorke(m_grid, c, sumRow, countLook);
        m_grid.setText(c, sumRow, number(stat.correctCount));
        UstawKomorke(m_grid, c, averageRow, kPercentLook);
        m_grid.setText(c, averageRow, number(stat.correctPercent));
    }

    // Class totals.
    const ClassSummary &summary = m_analysis.summary;
    UstawKomorke(m_grid, sumColumn, sumRow, kTotalLook);
    m_grid.setText(sumColumn, sumRow, number(summary.totalPoints));
    UstawKomorke(m_grid, gradeColumn, sumRow, kTotalLook);
    m_grid.setText(gradeColumn, sumRow, QString());
    UstawKomorke(m_grid, sumColumn, averageRow, kTotalLook);
    m_grid.setText(sumColumn, averageRow, generalNumber(summary.averagePoints100 / 100.0));
    UstawKomorke(m_grid, gradeColumn, averageRow, kTotalLook);
    m_grid.setText(gradeColumn, averageRow,
            q > 0 ? gradeName(classPercent(summary, q), m_analysis.thresholds) : QString());

    m_grid.setTopRow(1);
    UlozStrzalki();
    StrzalkiPionowe();
    m_grid.clearSelection();
}

void AnalysisTables::WypelnijNazwiska()
{
    const int n = std::max(m_analysis.studentCount, 0);
    for (int r = 1; r <= n; ++r) {
        // The grade-count table leaves cell (0,7) red and bold.
        if (r == 7)
            UstawKomorke(m_grid, 0, 7, kPlainLabelLook);
        m_grid.setText(0, r, m_analysis.students[static_cast<std::size_t>(r - 1)].displayName());
    }
}

void AnalysisTables::PokazCzasPracy()
{
    m_itemAnalysisVisit.leave(m_grid, m_state);
    m_state.tableKind = TableWorkingTime;
    const int n = std::max(m_analysis.studentCount, 0);
    const int averageRow = n + 1;

    m_state.tableWidth = kNameColumnWidth + kGridLine;
    m_grid.setColumnCount(4);
    for (int c = 1; c <= 3; ++c) {
        m_grid.setColumnWidth(c, kTimeColumnWidth);
        m_grid.setText(c, 0, number(c));
        m_state.tableWidth += kTimeColumnWidth + kGridLine;
    }
    m_grid.setRowCount(n + 2);
    m_state.tableHeight = kRowPitch * (n + 2) + kTableFrame;

    KolorujWiersze(m_grid, m_state, n + 2);
    PaskiWierszy(m_grid, m_state, 5, m_state.fifthRowColour, m_state.plainRowColour);
    WypelnijNazwiska();
    UstawRozmiarTabeli(m_state, n);

    m_state.panels.PTabelaWLewo.visible = false;
    m_state.panels.PTabelawPrawo.visible = false;
    placeVerticalArrows();

    m_grid.setTopRow(1);
    StrzalkiPionowe();

    m_grid.setText(0, 0, QStringLiteral("Nazwisko i imię"));
    m_grid.setText(1, 0, QStringLiteral("Początek"));
    m_grid.setText(2, 0, QStringLiteral("Koniec"));
    m_grid.setText(3, 0, QStringLiteral("Czas pracy"));
    UstawWiersz(m_grid, averageRow, kSumRowLook);
    m_grid.setText(0, averageRow, QStringLiteral("Średni (min)"));

    const QLocale locale;
    const QString timeFormat = longTimeFormat();
    for (int r = 1; r <= n; ++r) {
        const UczenAll &student = m_analysis.students[static_cast<std::size_t>(r - 1)];
        UstawKomorke(m_grid, 1, r, kTimeLook);
        m_grid.setText(1, r, timeOfDayText(student.Poczatek, locale, timeFormat));
        UstawKomorke(m_grid, 2, r, kTimeLook);
        m_grid.setText(2, r, timeOfDayText(student.Koniec, locale, timeFormat));
        UstawKomorke(m_grid, 3, r, kWorkingTimeLook);
        m_grid.setText(3, r, timeOfDayText(student.workingTime(), locale, timeFormat));
    }
    UstawKomorke(m_grid, 1, averageRow, kTotalLook);
    m_grid.setText(1, averageRow, QString());
    UstawKomorke(m_grid, 2, averageRow, kTotalLook);
    m_grid.setText(2, averageRow, QString());
    UstawKomorke(m_grid, 3, averageRow, kTotalLook);
    m_grid.setText(
            3, averageRow, timeOfDayText(averageWorkingTime(m_analysis), locale, timeFormat));

    m_grid.clearSelection();
}

void AnalysisTables::PokazOceny()
{
    m_itemAnalysisVisit.leave(m_grid, m_state);
    m_state.tableKind = TableGradeCount;

    m_state.tableWidth = kNameColumnWidth + kGradeCountColumnWidth + 2 * kGridLine;
    m_grid.setColumnCount(2);
    m_grid.setColumnWidth(0, kNameColumnWidth);
    m_grid.setColumnWidth(1, kGradeCountColumnWidth);
    m_grid.setRowCount(8);
    m_state.tableHeight = kGradeCountTableHeight;
    PanelGeometry &panels = m_state.panels;
    panels.PPodTabele = QSize(m_state.tableWidth + 4, kGradeCountTableHeight);
    panels.PTabela = panels.PPodTabele;
    panels.Tabela = QSize(m_state.tableWidth + kTableFrame, kGradeCountTableHeight);

    KolorujWiersze(m_grid, m_state, 8);
    PaskiWierszy(m_grid, m_state, 1, m_state.plainRowColour, m_state.plainRowColour);

    panels.PTabelaWLewo.visible = false;
    panels.PTabelawPrawo.visible = false;
    panels.PTabelaWGore.visible = false;
    panels.PTabelaWDol.visible = false;

    m_grid.setText(0, 0, QStringLiteral("Ocena"));
    m_grid.setText(1, 0, QStringLiteral("Ilość ocen"));
    UstawWiersz(m_grid, 7, kSumRowLook);
    m_grid.setText(0, 7, QStringLiteral("Średnia z ocen"));

    const ClassSummary &s = m_analysis.summary;
    const struct
    {
        const char16_t *name;
        std::int32_t count;
    } grades[] = {{u"Cel", s.cel}, {u"Bdb", s.bdb}, {u"Db", s.db}, {u"Dst", s.dst}, {u"Dop", s.dop},
            {u"Ndst", s.ndst}};

    UstawKolumne(m_grid, 0, kPlainLabelLook);
    int row = 1;
    for (const auto &grade : grades) {
        m_grid.setText(0, row, QString::fromUtf16(grade.name));
        m_grid.setText(1, row, number(grade.count));
        UstawKomorke(m_grid, 1, row, kCountLook);
        ++row;
    }

    const std::int64_t weighted =
            6LL * s.cel + 5LL * s.bdb + 4LL * s.db + 3LL * s.dst + 2LL * s.dop + 1LL * s.ndst;
    const std::int32_t n = m_analysis.studentCount;
    const std::int64_t average100 = n > 0 ? roundHalfEven(weighted * 100, n) : 0;

    UstawKomorke(m_grid, 0, 7, kAverageGradeLabelLook);
    m_grid.setText(0, 7, QStringLiteral("Średnia z ocen"));
    UstawKomorke(m_grid, 1, 7, kTotalLook);
    m_grid.setText(1, 7, generalNumber(static_cast<double>(average100) / 100.0));

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
    if (m_state.tableKind == TableSkills)
        return skillsTablePagingCount(m_analysis);
    if (m_state.tableKind == TableClassComparison)
        return classComparisonPagingCount(m_analysis);
    return m_state.tableKind == TableItemAnalysis ? itemAnalysisPagingCount(m_analysis)
                                                  : m_analysis.studentCount;
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
    showQuestionPage(1);
}

void AnalysisTables::ImTabelaWPrawoClick()
{
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
