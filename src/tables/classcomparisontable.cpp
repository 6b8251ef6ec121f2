#include "tables/classcomparisontable.h"

#include "results/classcomparison.h"
#include "tables/gridoperations.h"
#include "tables/numberformat.h"

#include <algorithm>
#include <array>

namespace zavevad {

namespace {

constexpr std::int32_t kSummaryRowColour = packedRgb(255, 255, 200);
constexpr CellLook kSummaryRowLook{
        .background = kSummaryRowColour, .fontColour = kNavy, .bold = true, .align = alLeft};
constexpr CellLook kValueLook{.fontColour = kBlack};
constexpr CellLook kCountLook{.fontColour = kBlack, .bold = true};
constexpr CellLook kTotalLook{.fontColour = kRed, .bold = true};
// A class's question far below all students: the look of "bardzo trudne".
constexpr CellLook kHardLook{.fontColour = kRed};
// More than this many hundredths below "Razem" marks a class's easiness.
constexpr std::int64_t kHardGap = 20;
// Rows above the question rows: header, "Razem", empty row, title, header.
constexpr int kFixedRows = 5;

enum Column {
    ColClass,
    ColStudents,
    ColMeanPoints,
    ColMeanPercent,
    ColMedian,
    ColDeviation,
    ColEasiness,
    ColCel,
    ColBdb,
    ColDb,
    ColDst,
    ColDop,
    ColNdst,
    ColAverageGrade,
    ColKr20,
    ColumnCount
};

struct ColumnSpec
{
    const char16_t *header;
    int width;
};

// Each column as wide as its header in the grid's bold face, a grade count as
// wide as a bold "10000"; column 0 also holds the matrix's bold title
// "Łatwość pytań w klasach". Together wider than the item analysis; the main
// window gives the panel the room (see TFGlowny).
constexpr std::array<ColumnSpec, ColumnCount> kColumns{{
        {u"Klasa", 160},
        {u"Liczba uczniów", 100},
        {u"Średnia (pkt)", 88},
        {u"Średnia (%)", 78},
        {u"Mediana (pkt)", 92},
        {u"Odchylenie standardowe", 160},
        {u"Łatwość testu", 94},
        {u"Cel", 44},
        {u"Bdb", 44},
        {u"Db", 44},
        {u"Dst", 44},
        {u"Dop", 44},
        {u"Ndst", 44},
        {u"Średnia ocena", 96},
        {u"KR-20", 48},
}};

// Room for a class name heading a column of the question matrix: the grid's
// bold face is about 7 pixels a letter.
int widthForName(const QString &name)
{
    return std::clamp(static_cast<int>(name.size()) * 7 + 12, 48, 160);
}

QString decimalText(const std::optional<Fraction> &value)
{
    return value ? twoDecimalText(hundredths(*value)) : QString(QChar(0x2013));
}

QString decimalText(const std::optional<double> &value)
{
    return value ? twoDecimalText(hundredths(*value)) : QString(QChar(0x2013));
}

void writeCell(GridModel &grid, int column, int row, const CellLook &look, const QString &text)
{
    UstawKomorke(grid, column, row, look);
    grid.setText(column, row, text);
}

void writeClassRow(GridModel &grid, int row, const ClassStats &stats, const QString &name,
        const CellLook &look)
{
    const ItemAnalysis &a = stats.analysis;
    const ClassSummary &g = stats.grades;
    std::optional<Fraction> percent;
    if (const std::optional<Fraction> easiness = testEasiness(a))
        percent = Fraction{easiness->numerator * 100, easiness->denominator};
    grid.setText(ColClass, row, name);
    writeCell(grid, ColStudents, row, look, QString::number(a.studentCount));
    writeCell(grid, ColMeanPoints, row, look, decimalText(a.mean));
    writeCell(grid, ColMeanPercent, row, look, decimalText(percent));
    writeCell(grid, ColMedian, row, look, decimalText(a.median));
    writeCell(grid, ColDeviation, row, look, decimalText(a.standardDeviation));
    writeCell(grid, ColEasiness, row, look, decimalText(testEasiness(a)));
    const std::array<std::int32_t, 6> counts{g.cel, g.bdb, g.db, g.dst, g.dop, g.ndst};
    for (int i = 0; i < 6; ++i)
        writeCell(
                grid, ColCel + i, row, look, QString::number(counts[static_cast<std::size_t>(i)]));
    writeCell(grid, ColAverageGrade, row, look,
            generalNumber(static_cast<double>(averageGrade100(g, a.studentCount)) / 100.0));
    writeCell(grid, ColKr20, row, look, decimalText(a.kr20));
}

} // namespace

int classComparisonRowCount(int classCount, int questionCount)
{
    return kFixedRows + std::max(classCount, 0) + std::max(questionCount, 0);
}

int classComparisonLastClassRow(const GridModel &grid)
{
    // Every class row and "Razem" count their students; the empty row does not.
    for (int r = 1; r < grid.rowCount(); ++r) {
        if (grid.text(ColStudents, r).isEmpty())
            return std::max(r - 2, 0);
    }
    return 0;
}

int classComparisonColumnCount()
{
    return ColumnCount;
}

int classComparisonFirstGradeColumn()
{
    return ColCel;
}

int classComparisonPagingCount(const AnalysisState &analysis)
{
    return classComparisonRowCount(
                   schoolClassCount(analysis), usableQuestionCount(analysis.questionCount))
            - 2;
}

void PokazPorownanieKlas(GridModel &grid, GridState &state, const AnalysisState &analysis)
{
    const ClassComparison comparison = computeClassComparison(analysis);
    const int classes = static_cast<int>(comparison.classes.size());
    const int k = comparison.total.analysis.questionCount;
    const int rows = classComparisonRowCount(classes, k);
    const int pagingCount = rows - 2;
    const int totalRow = classes + 1;
    const int emptyRow = classes + 2;
    const int titleRow = classes + 3;
    const int matrixHeaderRow = classes + 4;
    const int matrixTotalColumn = classes + 1;

    state.tableKind = TableClassComparison;
    state.tableWidth = 0;
    const int columns = std::max<int>(ColumnCount, classes + 2);
    grid.setColumnCount(columns);
    grid.setRowCount(rows);
    for (int c = 0; c < columns; ++c) {
        int width = c < ColumnCount ? kColumns[static_cast<std::size_t>(c)].width : 0;
        if (c >= 1 && c <= classes)
            width = std::max(
                    width, widthForName(comparison.classes[static_cast<std::size_t>(c - 1)].name));
        else if (c == matrixTotalColumn)
            width = std::max(width, widthForName(QStringLiteral("Razem")));
        grid.setColumnWidth(c, width);
        grid.setText(c, 0,
                c < ColumnCount ? QString::fromUtf16(kColumns[static_cast<std::size_t>(c)].header)
                                : QString());
        state.tableWidth += width + 1;
    }
    state.tableHeight = 17 * rows + 3;

    // Body rows banded as in the other tables; "Razem", the matrix's title
    // and header in the look of summary rows.
    for (int r = 1; r < rows; ++r) {
        const std::int32_t colour = r % 5 == 0 ? state.fifthRowColour : state.plainRowColour;
        grid.rowFormat(r).background = colorFromPacked(colour);
    }
    grid.rowFormat(emptyRow).background = colorFromPacked(state.plainRowColour);
    for (const int r : {totalRow, titleRow, matrixHeaderRow})
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
    panels.PTabelaWGore.visible = false;
    panels.PTabelaWDol.visible = pagingCount > 15;

    for (int i = 0; i < classes; ++i) {
        const ClassStats &stats = comparison.classes[static_cast<std::size_t>(i)];
        UstawKomorke(grid, ColClass, i + 1, kCountLook);
        writeClassRow(grid, i + 1, stats, stats.name, kValueLook);
    }
    writeClassRow(grid, totalRow, comparison.total, QStringLiteral("Razem"), kTotalLook);
    for (int c = 0; c < columns; ++c) {
        if (c >= ColumnCount)
            grid.setText(c, totalRow, QString());
        for (const int r : {emptyRow, titleRow, matrixHeaderRow})
            grid.setText(c, r, QString());
    }
    for (int i = 1; i <= classes; ++i) {
        for (int c = ColumnCount; c < columns; ++c)
            grid.setText(c, i, QString());
    }

    grid.setText(ColClass, titleRow, QStringLiteral("Łatwość pytań w klasach"));
    grid.setText(0, matrixHeaderRow, QStringLiteral("Pytanie"));
    // The class names head their columns, centred over the values.
    constexpr CellLook kColumnHeadLook{.fontColour = kNavy, .bold = true};
    for (int i = 0; i < classes; ++i) {
        writeCell(grid, i + 1, matrixHeaderRow, kColumnHeadLook,
                comparison.classes[static_cast<std::size_t>(i)].name);
    }
    writeCell(grid, matrixTotalColumn, matrixHeaderRow, kColumnHeadLook, QStringLiteral("Razem"));

    for (int q = 1; q <= k; ++q) {
        const int r = matrixHeaderRow + q;
        const std::size_t item = static_cast<std::size_t>(q - 1);
        const std::int64_t total = hundredths(comparison.total.analysis.items[item].difficulty);
        writeCell(grid, 0, r, kCountLook, QString::number(q));
        for (int i = 0; i < classes; ++i) {
            const ItemAnalysis &a = comparison.classes[static_cast<std::size_t>(i)].analysis;
            // Compared as shown, so the mark agrees with the numbers beside it.
            const std::int64_t value = hundredths(a.items[item].difficulty);
            writeCell(grid, i + 1, r, total - value > kHardGap ? kHardLook : kValueLook,
                    twoDecimalText(value));
        }
        writeCell(grid, matrixTotalColumn, r, kTotalLook, twoDecimalText(total));
        for (int c = matrixTotalColumn + 1; c < columns; ++c)
            grid.setText(c, r, QString());
    }

    grid.setTopRow(1);
    grid.clearSelection();
}

} // namespace zavevad
