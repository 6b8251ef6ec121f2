#include "tables/itemanalysistable.h"

#include "results/itemanalysis.h"
#include "results/skillanalysis.h"
#include "tables/gridoperations.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace zavevad {

namespace {

constexpr std::int32_t kSummaryRowColour = packedRgb(255, 255, 200);
constexpr std::int32_t kGrey = packedRgb(128, 128, 128);
constexpr std::int32_t kOrange = packedRgb(192, 96, 0);
constexpr int kSummaryRows = 10;
constexpr CellLook kSummaryRowLook{
        .background = kSummaryRowColour, .fontColour = kNavy, .bold = true, .align = alLeft};

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

struct ColumnSpec
{
    const char16_t *header;
    int width;
};

// Each column as wide as its longest text in the grid's faces (bold where
// the text is bold): the header, "umiarkowanie trudne", "ujemna moc
// różnicująca", and in column 0 "Odchylenie standardowe". Together they are
// wider than the tables of one student per row; the main window gives the
// panel the room (see TFGlowny).
constexpr std::array<ColumnSpec, ColumnCount> kColumns{{
        {u"Pytanie", 160},
        {u"Poprawne", 66},
        {u"Łatwość", 56},
        {u"Interpretacja", 122},
        {u"Moc różnicująca", 104},
        {u"Grupa górna-dolna", 120},
        {u"KR-20 bez pytania", 118},
        {u"Uwagi", 154},
}};

QString undefinedText()
{
    return QString(QChar(0x2013));
}

// Two decimals with the locale's decimal separator and a plain minus, so that
// the text survives code page 1250 and the chart reads it back with the locale.
QString decimalText(std::int64_t hundredths)
{
    const std::int64_t magnitude = std::abs(hundredths);
    QString text;
    if (hundredths < 0)
        text += QLatin1Char('-');
    text += QString::number(magnitude / 100);
    text += QLocale().decimalPoint();
    text += QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
    return text;
}

QString decimalText(const std::optional<Fraction> &value)
{
    return value ? decimalText(hundredths(*value)) : undefinedText();
}

QString decimalText(const std::optional<double> &value)
{
    return value ? decimalText(hundredths(*value)) : undefinedText();
}

QString wholeText(const std::optional<std::int32_t> &value)
{
    return value ? QString::number(*value) : undefinedText();
}

QString modesText(const std::vector<std::int32_t> &modes)
{
    QStringList texts;
    for (const std::int32_t mode : modes)
        texts.append(QString::number(mode));
    return texts.isEmpty() ? undefinedText() : texts.join(QStringLiteral(", "));
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
        return {QStringLiteral("brak zmienności"), kGrey, false};
    case DiscriminationFlag::Negative:
        return {QStringLiteral("ujemna moc różnicująca"), kRed, true};
    case DiscriminationFlag::Weak:
        return {QStringLiteral("słabo różnicuje"), kOrange, false};
    case DiscriminationFlag::None:
        break;
    }
    return {};
}

void writeCell(GridModel &grid, int column, int row, const Look &look)
{
    UstawKomorke(grid, column, row, {.fontColour = look.colour, .bold = look.bold});
    grid.setText(column, row, look.text);
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

int itemAnalysisPagingCount(const AnalysisState &analysis)
{
    const int k = usableQuestionCount(analysis.questionCount);
    return itemAnalysisRowCount(k) - 2;
}

void PokazAnalizePytan(GridModel &grid, GridState &state, const AnalysisState &analysis)
{
    const ItemAnalysis stats = computeItemAnalysis(analysis);
    const int k = stats.questionCount;
    const int rows = itemAnalysisRowCount(k);
    const int pagingCount = itemAnalysisPagingCount(analysis);

    state.tableKind = TableItemAnalysis;
    state.tableWidth = 0;
    grid.setColumnCount(ColumnCount);
    for (int c = 0; c < ColumnCount; ++c) {
        const ColumnSpec &column = kColumns[static_cast<std::size_t>(c)];
        grid.setColumnWidth(c, column.width);
        grid.setText(c, 0, QString::fromUtf16(column.header));
        state.tableWidth += column.width + 1;
    }
    grid.setRowCount(rows);
    state.tableHeight = 17 * rows + 3;

    // Question rows banded as in the other tables, the empty row plain, the
    // summary rows in the look of their summary rows.
    for (int r = 1; r <= k + 1; ++r) {
        const std::int32_t colour =
                r <= k && r % 5 == 0 ? state.fifthRowColour : state.plainRowColour;
        grid.rowFormat(r).background = colorFromPacked(colour);
    }
    const int firstSummaryRow = k + 2;
    for (int r = firstSummaryRow; r < rows; ++r)
        UstawWiersz(grid, r, kSummaryRowLook);

    UstawRozmiarTabeli(state, pagingCount);
    PanelGeometry &panels = state.panels;
    panels.PTabelaWLewo.visible = false;
    panels.PTabelawPrawo.visible = false;
    const int w = panels.PPodTabele.width();
    const int h = panels.PPodTabele.height();
    panels.PTabelaWGore.pos = QPoint(w + 2, h - 60);
    panels.PTabelaWDol.pos = QPoint(w + 2, h - 30);
    panels.PTabelaWLewo.pos = QPoint(w - 60, h + 2);
    panels.PTabelawPrawo.pos = QPoint(w - 30, h + 2);
    // On the first page: only "down", and only when the rows do not all fit.
    panels.PTabelaWGore.visible = false;
    panels.PTabelaWDol.visible = pagingCount > 15;

    for (int q = 1; q <= k; ++q) {
        const ItemStats &item = stats.items[static_cast<std::size_t>(q - 1)];
        writeCell(grid, ColQuestion, q, {QString::number(q), kBlack, true});
        writeCell(grid, ColCorrect, q, {QString::number(item.correct)});
        writeCell(grid, ColDifficulty, q, {decimalText(std::optional<Fraction>(item.difficulty))});
        writeCell(grid, ColInterpretation, q, interpretation(item.difficultyBand()));
        const DiscriminationFlag flag = item.discriminationFlag();
        writeCell(grid, ColDiscrimination, q,
                {decimalText(item.discrimination),
                        flag == DiscriminationFlag::Negative ? kRed : kBlack});
        writeCell(grid, ColUpperLower, q, {decimalText(item.upperLower)});
        writeCell(grid, ColKr20Without, q, {decimalText(item.kr20WithoutItem)});
        writeCell(grid, ColRemarks, q, remark(flag));
    }
    for (int c = 0; c < ColumnCount; ++c)
        grid.setText(c, k + 1, QString());

    const std::array<std::pair<QString, QString>, kSummaryRows> summary{{
            {QStringLiteral("Liczba uczniów"), QString::number(stats.studentCount)},
            {QStringLiteral("Średnia (pkt)"), decimalText(stats.mean)},
            {QStringLiteral("Mediana (pkt)"), decimalText(stats.median)},
            {QStringLiteral("Odchylenie standardowe"), decimalText(stats.standardDeviation)},
            {QStringLiteral("KR-20 (rzetelność)"), decimalText(stats.kr20)},
            {QStringLiteral("Błąd pomiaru (SEM)"), decimalText(stats.standardError)},
            {QStringLiteral("Wynik najniższy (pkt)"), wholeText(stats.lowestScore)},
            {QStringLiteral("Wynik najwyższy (pkt)"), wholeText(stats.highestScore)},
            {QStringLiteral("Modalna (pkt)"), modesText(stats.modes)},
            {QStringLiteral("Łatwość testu"), decimalText(stats.testFacility)},
    }};
    for (int i = 0; i < kSummaryRows; ++i) {
        const int r = firstSummaryRow + i;
        grid.setText(ColQuestion, r, summary[static_cast<std::size_t>(i)].first);
        writeCell(grid, ColCorrect, r, {summary[static_cast<std::size_t>(i)].second, kRed, true});
        for (int c = ColDifficulty; c < ColumnCount; ++c)
            grid.setText(c, r, QString());
    }
    if (stats.testFacility) {
        // Its Niemierko category where the questions have theirs: the
        // "Łatwość" column is too narrow to show "umiarkowanie trudne" whole.
        writeCell(grid, ColInterpretation, rows - 1,
                interpretation(difficultyBand(*stats.testFacility)));
    }

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

QString itemAnalysisDecimal(const std::optional<Fraction> &value)
{
    return decimalText(value);
}

void writeInterpretation(GridModel &grid, int column, int row, Difficulty band)
{
    writeCell(grid, column, row, interpretation(band));
}

} // namespace zavevad
