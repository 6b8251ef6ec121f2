#include "tables/itemanalysistable.h"

#include "results/itemanalysis.h"
#include "results/reliability.h"
#include "results/skillanalysis.h"
#include "tables/columnpages.h"
#include "tables/columnspec.h"
#include "tables/gridoperations.h"
#include "tables/numberformat.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>

namespace zavevad {

namespace {

constexpr std::int32_t kGrey = packedRgb(128, 128, 128);
constexpr std::int32_t kOrange = packedRgb(192, 96, 0);
constexpr int kSummaryRows = 14;
// The last of the summary rows: how far the scores can be trusted.
constexpr int kReliabilityRows = 4;
constexpr CellLook kReliabilityLabelLook{
        .background = kSummaryRowColour, .fontColour = kNavy, .align = alLeft};

enum Column {
    ColQuestion,
    ColCorrect,
    ColDifficulty,
    ColInterpretation,
    ColDiscrimination,
    ColUpperLower,
    ColKr20Without,
    ColRemarks,
    ColumnCount
};

// Each column as wide as its longest text in the grid's faces (bold where
// the text is bold) with four pixels to spare: the header, "umiarkowanie
// trudne", and in column 0 "Przedział wyniku (±1,96 SEM)" in the regular
// face. Short headers and flag words (the guide gives them in full) keep the
// table on the main card's artwork and on an upright report page (654 pixels
// of columns).
constexpr std::array<ColumnSpec, ColumnCount> kColumns{{
        {u"Pytanie", 168, ColumnRole::Label},
        {u"Dobrze", 48, ColumnRole::Count},
        {u"Łatwość", 56, ColumnRole::Statistic},
        {u"Interpretacja", 122, ColumnRole::Text},
        {u"Moc różn.", 64, ColumnRole::Statistic},
        {u"Górna-dolna", 76, ColumnRole::Statistic},
        {u"KR-20 bez", 66, ColumnRole::Statistic},
        {u"Uwagi", 50, ColumnRole::Text},
}};

QString undefinedText()
{
    return QString(QChar(0x2013));
}

struct Look
{
    QString text;
    std::int32_t colour = kBlack;
    bool bold = false;
};

Look interpretation(Difficulty band)
{
    switch (band) {
    case Difficulty::VeryHard:
        return {QStringLiteral("bardzo trudne"), kRed, false};
    case Difficulty::Hard:
        return {QStringLiteral("trudne"), kBlack, false};
    case Difficulty::ModeratelyHard:
        return {QStringLiteral("umiarkowanie trudne"), kGreen, false};
    case Difficulty::Easy:
        return {QStringLiteral("łatwe"), kBlack, false};
    case Difficulty::VeryEasy:
        return {QStringLiteral("bardzo łatwe"), kRed, false};
    }
    return {};
}

Look remark(DiscriminationFlag flag)
{
    switch (flag) {
    case DiscriminationFlag::NoVariation:
        return {QStringLiteral("stała"), kGrey, false}; // no variation
    case DiscriminationFlag::Negative:
        return {QStringLiteral("ujemna"), kRed, true}; // negative discrimination
    case DiscriminationFlag::Weak:
        return {QStringLiteral("słaba"), kOrange, false}; // discriminates weakly
    case DiscriminationFlag::None:
    case DiscriminationFlag::Undefined:
        break;
    }
    return {};
}

CellLook lookOf(std::int32_t colour, bool bold = false)
{
    return {.fontColour = colour, .bold = bold};
}

void setLooked(Table &table, int column, int row, const Look &look)
{
    table.setText(column, row, look.text);
    table.setLook(column, row, lookOf(look.colour, look.bold));
}

void setStatisticOf(Table &table, int column, int row, const std::optional<Fraction> &value)
{
    if (value)
        setStatistic(table, column, row, value->value(), hundredths(*value));
    else
        table.setText(column, row, undefinedText());
}

void setStatisticOf(Table &table, int column, int row, const std::optional<double> &value)
{
    if (value)
        setStatistic(table, column, row, *value, hundredths(*value));
    else
        table.setText(column, row, undefinedText());
}

void setWhole(Table &table, int column, int row, const std::optional<std::int32_t> &value)
{
    if (value)
        table.setNumber(column, row, CellKind::Whole, *value);
    else
        table.setText(column, row, undefinedText());
}

void setModes(Table &table, int column, int row, const std::vector<std::int32_t> &modes)
{
    if (modes.size() == 1) {
        table.setNumber(column, row, CellKind::Whole, modes.front());
        return;
    }
    QStringList texts;
    for (const std::int32_t mode : modes)
        texts.append(QString::number(mode));
    table.setText(
            column, row, texts.isEmpty() ? undefinedText() : texts.join(QStringLiteral(", ")));
}

void questionRow(Table &table, int q, const ItemStats &item)
{
    table.setNumber(ColQuestion, q, CellKind::Whole, q);
    table.setLook(ColQuestion, q, lookOf(kBlack, true));
    table.setNumber(ColCorrect, q, CellKind::Whole, item.correct);
    setStatisticOf(table, ColDifficulty, q, std::optional<Fraction>(item.difficulty));
    setLooked(table, ColInterpretation, q, interpretation(item.difficultyBand()));
    const DiscriminationFlag flag = item.discriminationFlag();
    setStatisticOf(table, ColDiscrimination, q, item.discrimination);
    setStatisticOf(table, ColUpperLower, q, item.upperLower);
    setStatisticOf(table, ColKr20Without, q, item.kr20WithoutItem);
    for (const int c : {ColCorrect, ColDifficulty, ColUpperLower, ColKr20Without})
        table.setLook(c, q, lookOf(kBlack));
    table.setLook(
            ColDiscrimination, q, lookOf(flag == DiscriminationFlag::Negative ? kRed : kBlack));
    setLooked(table, ColRemarks, q, remark(flag));
}

/// How far the scores can be trusted: the rows after "Łatwość testu".
void reliabilityRows(Table &table, int r, const Reliability &reliability)
{
    // The labels in the regular face: the rows of how far the scores can be
    // trusted follow the summary, and keep the label column narrow enough
    // for the main card and an upright report page.
    for (int i = 0; i < kReliabilityRows; ++i)
        table.setLook(ColQuestion, r + i, kReliabilityLabelLook);
    if (const std::optional<Interval> &interval = reliability.kr20Interval) {
        // Too wide for "Dobrze": in the wide "Interpretacja" column.
        table.setText(ColInterpretation, r,
                twoDecimalText(hundredths(interval->lower)) + u" – "
                        + twoDecimalText(hundredths(interval->upper)));
        table.setLook(ColInterpretation, r, lookOf(kRed, true));
    } else {
        table.setText(ColCorrect, r, undefinedText());
    }
    ++r;
    std::optional<double> split;
    if (reliability.splitHalf)
        split = reliability.splitHalf->reliability;
    setStatisticOf(table, ColCorrect, r++, split);
    std::optional<std::int32_t> questions;
    if (reliability.questionsFor080)
        questions = static_cast<std::int32_t>(*reliability.questionsFor080);
    setWhole(table, ColCorrect, r++, questions);
    setStatisticOf(table, ColCorrect, r, reliability.bandHalfWidth);
}

void summaryRows(Table &table, int firstRow, const ItemAnalysis &stats, const Reliability &more)
{
    const char16_t *labels[kSummaryRows] = {u"Liczba uczniów", u"Średnia (pkt)", u"Mediana (pkt)",
            u"Odchylenie standardowe", u"KR-20 (rzetelność)", u"Błąd pomiaru (SEM)",
            u"Wynik najniższy (pkt)", u"Wynik najwyższy (pkt)", u"Modalna (pkt)", u"Łatwość testu",
            u"KR-20: przedział 95 %", u"Rzetelność połówkowa", u"Pytań do rzetelności 0,80",
            u"Przedział wyniku (±1,96 SEM)"};
    for (int i = 0; i < kSummaryRows; ++i) {
        table.setRowLook(firstRow + i, kSummaryRowLook);
        table.setText(ColQuestion, firstRow + i, QString::fromUtf16(labels[i]));
        table.setLook(ColCorrect, firstRow + i, lookOf(kRed, true));
    }
    int r = firstRow;
    table.setNumber(ColCorrect, r++, CellKind::Whole, stats.studentCount);
    setStatisticOf(table, ColCorrect, r++, stats.mean);
    setStatisticOf(table, ColCorrect, r++, stats.median);
    setStatisticOf(table, ColCorrect, r++, stats.standardDeviation);
    setStatisticOf(table, ColCorrect, r++, stats.kr20);
    setStatisticOf(table, ColCorrect, r++, stats.standardError);
    setWhole(table, ColCorrect, r++, stats.lowestScore);
    setWhole(table, ColCorrect, r++, stats.highestScore);
    setModes(table, ColCorrect, r++, stats.modes);
    setStatisticOf(table, ColCorrect, r, stats.testFacility);
    if (stats.testFacility) {
        // Its Niemierko category where the questions have theirs: the
        // "Łatwość" column is too narrow to show "umiarkowanie trudne" whole.
        setInterpretation(table, ColInterpretation, r, difficultyBand(*stats.testFacility));
    }
    reliabilityRows(table, r + 1, more);
}

} // namespace

int itemAnalysisRowCount(int questionCount)
{
    return 1 + std::max(questionCount, 0) + 1 + kSummaryRows;
}

int itemAnalysisLastQuestionRow(const GridModel &grid)
{
    return std::max(grid.rowCount() - itemAnalysisRowCount(0), 0);
}

int itemAnalysisLastQuestionRow(const Table &table)
{
    return std::max(table.rowCount() - itemAnalysisRowCount(0), 0);
}

int itemAnalysisPagingCount(const AnalysisState &analysis)
{
    const int k = usableQuestionCount(analysis.questionCount);
    return itemAnalysisRowCount(k) - 2;
}

Table itemAnalysisTable(const AnalysisState &analysis)
{
    const ItemAnalysis stats = computeItemAnalysis(analysis);
    const int k = stats.questionCount;
    Table table(ColumnCount, itemAnalysisRowCount(k));
    table.title = QStringLiteral("Tabela - Analiza pytań");
    table.sheetName = QStringLiteral("Analiza pytań");
    // The reliability and the other statistics of the whole test.
    table.summaryRows = kSummaryRows;
    for (int c = 0; c < ColumnCount; ++c) {
        const ColumnSpec &column = kColumns[static_cast<std::size_t>(c)];
        table.setColumn(c, column.width, column.role);
        table.setText(c, 0, QString::fromUtf16(column.header));
    }
    // Question rows banded as in the other tables, the empty row plain, the
    // summary rows in the look of their summary rows.
    for (int r = 1; r <= k + 1; ++r)
        table.setBand(r, r <= k && r % 5 == 0 ? RowBand::Fifth : RowBand::Plain);
    for (int q = 1; q <= k; ++q)
        questionRow(table, q, stats.items[static_cast<std::size_t>(q - 1)]);
    summaryRows(table, k + 2, stats, computeReliability(analysis, stats));
    return table;
}

void renderOwnGrid(GridModel &grid, GridState &state, const Table &table, int pagingCount)
{
    renderHeader(grid, table);
    grid.setLeftColumn(1);
    grid.setMarksCutTexts(true);
    state.tableHeight = 17 * table.rowCount() + 3;
    renderRowFormats(grid, state, table);
    renderCells(grid, table, 0, table.columnCount(), 0, 1, table.rowCount());
    // A table wider than the card's area pages sideways, its first column
    // always in view, and is only as wide as its widest page; its columns
    // are fitted once every text stands in them.
    fitColumnsToWidth(grid);
    state.tableWidth = pagedTableWidth(grid);

    UstawRozmiarTabeli(state, pagingCount);
    PanelGeometry &panels = state.panels;
    showColumnArrows(grid, state);
    const int w = panels.PPodTabele.width();
    const int h = panels.PPodTabele.height();
    panels.PTabelaWGore.pos = QPoint(w + 2, h - 60);
    panels.PTabelaWDol.pos = QPoint(w + 2, h - 30);
    panels.PTabelaWLewo.pos = QPoint(w - 60, h + 2);
    panels.PTabelawPrawo.pos = QPoint(w - 30, h + 2);
    // On the first page: only "down", and only when the rows do not all fit.
    panels.PTabelaWGore.visible = false;
    panels.PTabelaWDol.visible = pagingCount > 15;

    grid.clearHeavyLines();
    for (int r = 0; r < table.rowCount(); ++r)
        grid.setHeavyLineAfterColumn(r, table.row(r).heavyLineAfterColumn);
    for (int c = 0; c < table.columnCount(); ++c)
        grid.setHeavyLineBelowRow(c, table.column(c).heavyLineBelowRow);
    grid.setTopRow(1);
    grid.clearSelection();
}

void ItemAnalysisVisit::enter(GridModel &grid, const GridState &state)
{
    if (!m_active) {
        m_grid = std::move(grid);
        m_state = state;
        m_active = true;
    }
    grid = GridModel();
}

void ItemAnalysisVisit::leave(GridModel &grid, GridState &state)
{
    if (!m_active)
        return;
    grid = std::move(m_grid);
    state = m_state;
    m_grid = GridModel();
    m_active = false;
}

void setStatistic(Table &table, int column, int row, double exact, std::int64_t shown)
{
    // Where the table rounds a half to the even neighbour and a spreadsheet
    // would round it away from zero, the value the table shows, so that both
    // show the same; else the exact value, so that formulas get it.
    const double scaled = exact * 100;
    const bool half = std::abs(std::abs(scaled - std::trunc(scaled)) - 0.5) <= 1e-7;
    table.setNumber(column, row, CellKind::Decimal,
            half || !std::isfinite(exact) ? static_cast<double>(shown) / 100.0 : exact, 2);
}

void setShare(Table &table, int column, int row, const std::optional<Fraction> &share)
{
    if (share)
        table.setNumber(
                column, row, CellKind::Decimal, static_cast<double>(hundredths(*share)) / 100.0, 2);
    else
        table.setText(column, row, undefinedText());
}

void setInterpretation(Table &table, int column, int row, Difficulty band)
{
    setLooked(table, column, row, interpretation(band));
}

} // namespace zavevad
