#include "tables/classcomparisontable.h"

#include "results/classcomparison.h"
#include "tables/columnspec.h"
#include "tables/gridoperations.h"
#include "tables/itemanalysistable.h"

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

void setClassRow(
        Table &table, int row, const ClassStats &stats, const QString &name, const CellLook &look)
{
    const ItemAnalysis &a = stats.analysis;
    const ClassSummary &g = stats.grades;
    std::optional<Fraction> percent;
    if (const std::optional<Fraction> easiness = testEasiness(a))
        percent = Fraction{easiness->numerator * 100, easiness->denominator};
    table.setText(ColClass, row, name);
    table.setNumber(ColStudents, row, CellKind::Whole, a.studentCount);
    setShare(table, ColMeanPoints, row, a.mean);
    setShare(table, ColMeanPercent, row, percent);
    setShare(table, ColMedian, row, a.median);
    if (a.standardDeviation)
        table.setNumber(ColDeviation, row, CellKind::Decimal,
                static_cast<double>(hundredths(*a.standardDeviation)) / 100.0, 2);
    else
        table.setText(ColDeviation, row, QString(QChar(0x2013)));
    setShare(table, ColEasiness, row, testEasiness(a));
    const std::array<std::int32_t, 6> counts{g.cel, g.bdb, g.db, g.dst, g.dop, g.ndst};
    for (int i = 0; i < 6; ++i)
        table.setNumber(ColCel + i, row, CellKind::Whole, counts[static_cast<std::size_t>(i)]);
    table.setNumber(ColAverageGrade, row, CellKind::Decimal,
            static_cast<double>(averageGrade100(g, a.studentCount)) / 100.0);
    setShare(table, ColKr20, row, a.kr20);
    for (int c = ColStudents; c < ColumnCount; ++c)
        table.setLook(c, row, look);
}

/// Each question's easiness in each class and for all students together.
void setMatrix(Table &table, const ClassComparison &comparison, int headerRow)
{
    const int classes = static_cast<int>(comparison.classes.size());
    const int totalColumn = classes + 1;
    // The class names head their columns, centred over the values.
    constexpr CellLook kColumnHeadLook{.fontColour = kNavy, .bold = true};
    table.setText(0, headerRow, QStringLiteral("Pytanie"));
    for (int i = 0; i < classes; ++i) {
        table.setText(i + 1, headerRow, comparison.classes[static_cast<std::size_t>(i)].name);
        table.setLook(i + 1, headerRow, kColumnHeadLook);
    }
    table.setText(totalColumn, headerRow, QStringLiteral("Razem"));
    table.setLook(totalColumn, headerRow, kColumnHeadLook);

    const int k = comparison.total.analysis.questionCount;
    for (int q = 1; q <= k; ++q) {
        const int r = headerRow + q;
        const std::size_t item = static_cast<std::size_t>(q - 1);
        const std::int64_t total = hundredths(comparison.total.analysis.items[item].difficulty);
        table.setText(0, r, QString::number(q));
        table.setLook(0, r, kCountLook);
        for (int i = 0; i < classes; ++i) {
            const ItemAnalysis &a = comparison.classes[static_cast<std::size_t>(i)].analysis;
            // Compared as shown, so the mark agrees with the numbers beside it.
            const std::int64_t value = hundredths(a.items[item].difficulty);
            table.setNumber(i + 1, r, CellKind::Decimal, static_cast<double>(value) / 100.0, 2);
            table.setLook(i + 1, r, total - value > kHardGap ? kHardLook : kValueLook);
        }
        table.setNumber(totalColumn, r, CellKind::Decimal, static_cast<double>(total) / 100.0, 2);
        table.setLook(totalColumn, r, kTotalLook);
    }
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

int classComparisonLastClassRow(const Table &table)
{
    for (int r = 1; r < table.rowCount(); ++r) {
        if (table.cell(ColStudents, r).kind == CellKind::Empty)
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

Table classComparisonTable(const AnalysisState &analysis)
{
    const ClassComparison comparison = computeClassComparison(analysis);
    const int classes = static_cast<int>(comparison.classes.size());
    const int k = comparison.total.analysis.questionCount;
    const int rows = classComparisonRowCount(classes, k);
    const int totalRow = classes + 1;
    const int titleRow = classes + 3;
    const int matrixTotalColumn = classes + 1;
    const int columns = std::max<int>(ColumnCount, classes + 2);

    Table table(columns, rows);
    table.title = QStringLiteral("Porównanie klas");
    table.sheetName = QStringLiteral("Klasy");
    for (int c = 0; c < columns; ++c) {
        int width = c < ColumnCount ? kColumns[static_cast<std::size_t>(c)].width : 0;
        if (c >= 1 && c <= classes)
            width = std::max(
                    width, widthForName(comparison.classes[static_cast<std::size_t>(c - 1)].name));
        else if (c == matrixTotalColumn)
            width = std::max(width, widthForName(QStringLiteral("Razem")));
        table.setColumn(c, width, c == 0 ? ColumnRole::Label : ColumnRole::Statistic);
        if (c < ColumnCount)
            table.setText(c, 0, QString::fromUtf16(kColumns[static_cast<std::size_t>(c)].header));
    }
    // Body rows banded as in the other tables; "Razem", the matrix's title
    // and header in the look of summary rows.
    for (int r = 1; r < rows; ++r)
        table.setBand(r, r % 5 == 0 && r != classes + 2 ? RowBand::Fifth : RowBand::Plain);
    for (const int r : {totalRow, titleRow, titleRow + 1})
        table.setRowLook(r, kSummaryRowLook);

    for (int i = 0; i < classes; ++i) {
        const ClassStats &stats = comparison.classes[static_cast<std::size_t>(i)];
        table.setLook(ColClass, i + 1, kCountLook);
        setClassRow(table, i + 1, stats, stats.name, kValueLook);
    }
    setClassRow(table, totalRow, comparison.total, QStringLiteral("Razem"), kTotalLook);
    table.setText(ColClass, titleRow, QStringLiteral("Łatwość pytań w klasach"));
    setMatrix(table, comparison, titleRow + 1);
    return table;
}

std::vector<Table> classComparisonReportParts(const AnalysisState &analysis)
{
    if (schoolClassCount(analysis) < 2)
        return {};
    const Table table = classComparisonTable(analysis);
    const int classes = schoolClassCount(analysis);
    // The comparison's fifteen headers are wider together than a landscape
    // page: the statistics, then the grades beside the class names again.
    std::vector<int> statistics{0};
    std::vector<int> grades{0};
    for (int c = 1; c < classComparisonColumnCount(); ++c)
        (c < classComparisonFirstGradeColumn() ? statistics : grades).push_back(c);
    std::vector<Table> tables;
    tables.push_back(table.slice(statistics, 0, classes + 2));
    tables.push_back(table.slice(grades, 0, classes + 2));
    tables.back().title = QStringLiteral("Porównanie klas - oceny i rzetelność");
    // The matrix under its own header row: "Pytanie", the classes, "Razem".
    std::vector<int> matrix;
    for (int c = 0; c <= classes + 1; ++c)
        matrix.push_back(c);
    const int matrixHeaderRow = classes + 4;
    tables.push_back(table.slice(matrix, matrixHeaderRow, table.rowCount()));
    tables.back().title = TableTexts().text(table, 0, matrixHeaderRow - 1);
    return tables;
}

} // namespace zavevad
