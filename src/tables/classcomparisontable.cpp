#include "tables/classcomparisontable.h"

#include "results/classcomparison.h"
#include "tables/columnspec.h"
#include "tables/gridoperations.h"
#include "tables/itemanalysistable.h"

#include <algorithm>
#include <array>

namespace zavevad {

namespace {

constexpr CellLook kValueLook{.fontColour = kBlack};
constexpr CellLook kCountLook{.fontColour = kBlack, .bold = true};
constexpr CellLook kTotalLook{.fontColour = kRed, .bold = true};
// All students together: black on the summary rows' yellow, so that the
// red marks of the classes stand out from it.
constexpr CellLook kAllStudentsLook{
        .background = kSummaryRowColour, .fontColour = kBlack, .bold = true};
// A class's question far below all students: red and bold like "bardzo
// trudne", with a sign that a grey printout keeps.
constexpr CellLook kHardLook{.fontColour = kRed, .bold = true};
const QString kHardMark = QStringLiteral(" \u25BC");
// More than this many hundredths below "Razem" marks a class's easiness.
constexpr std::int64_t kHardGap = 20;
// Rows besides the classes: the header and "Razem".
constexpr int kFixedRows = 2;
// The widest a column grows for a class's name; the grid narrows it to its
// area and shows a longer name whole where the cursor or the mouse rests.
constexpr int kMaxNameWidth = 320;

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
// wide as a bold "10000". Together wider than the card's table area: the
// grid pages the columns sideways.
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

// Room for a class's name in the grid's bold face, about 7 pixels a letter.
int widthForName(const QString &name, int least)
{
    return std::clamp(static_cast<int>(name.size()) * 7 + 12, least, kMaxNameWidth);
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
            static_cast<double>(averageGrade100(g, a.studentCount)) / 100.0, 2);
    setShare(table, ColKr20, row, a.kr20);
    for (int c = ColStudents; c < ColumnCount; ++c)
        table.setLook(c, row, look);
}

/// Each question's easiness in each class, then for all students together.
void setQuestionRow(Table &table, const ClassComparison &comparison, int q)
{
    const int classes = static_cast<int>(comparison.classes.size());
    const std::size_t item = static_cast<std::size_t>(q - 1);
    const std::int64_t total = hundredths(comparison.total.analysis.items[item].difficulty);
    table.setText(0, q, QString::number(q));
    table.setLook(0, q, kCountLook);
    for (int i = 0; i < classes; ++i) {
        const ItemAnalysis &a = comparison.classes[static_cast<std::size_t>(i)].analysis;
        // Compared as shown, so the mark agrees with the numbers beside it.
        const std::int64_t value = hundredths(a.items[item].difficulty);
        table.setNumber(i + 1, q, CellKind::Decimal, static_cast<double>(value) / 100.0, 2);
        const bool hard = total - value > kHardGap;
        table.setLook(i + 1, q, hard ? kHardLook : kValueLook);
        if (hard)
            table.setMark(i + 1, q, kHardMark);
    }
    table.setNumber(classes + 1, q, CellKind::Decimal, static_cast<double>(total) / 100.0, 2);
    table.setLook(classes + 1, q, kAllStudentsLook);
}

} // namespace

int classComparisonRowCount(int classCount)
{
    return kFixedRows + std::max(classCount, 0);
}

int classComparisonLastClassRow(const GridModel &grid)
{
    // The class rows stand between the header and "Razem".
    return std::max(grid.rowCount() - kFixedRows, 0);
}

int classComparisonLastClassRow(const Table &table)
{
    return std::max(table.rowCount() - kFixedRows, 0);
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
    return classComparisonRowCount(schoolClassCount(analysis)) - 2;
}

int classQuestionsPagingCount(const AnalysisState &analysis)
{
    return usableQuestionCount(analysis.questionCount) - 1;
}

Table classComparisonTable(const AnalysisState &analysis)
{
    const ClassComparison comparison = computeClassComparison(analysis);
    const int classes = static_cast<int>(comparison.classes.size());
    const int rows = classComparisonRowCount(classes);
    const int totalRow = classes + 1;

    Table table(ColumnCount, rows);
    table.title = QStringLiteral("Porównanie klas");
    table.sheetName = QStringLiteral("Klasy");
    int nameWidth = kColumns[ColClass].width;
    for (const ClassStats &stats : comparison.classes)
        nameWidth = std::max(nameWidth, widthForName(stats.name, nameWidth));
    for (int c = 0; c < ColumnCount; ++c) {
        const ColumnSpec &column = kColumns[static_cast<std::size_t>(c)];
        table.setColumn(c, c == ColClass ? nameWidth : column.width,
                c == ColClass ? ColumnRole::Label : ColumnRole::Statistic);
        table.setText(c, 0, QString::fromUtf16(column.header));
    }
    // Body rows banded as in the other tables, "Razem" in the look of
    // summary rows.
    for (int r = 1; r < rows; ++r)
        table.setBand(r, r % 5 == 0 ? RowBand::Fifth : RowBand::Plain);
    table.setRowLook(totalRow, kSummaryRowLook);

    for (int i = 0; i < classes; ++i) {
        const ClassStats &stats = comparison.classes[static_cast<std::size_t>(i)];
        table.setLook(ColClass, i + 1, kCountLook);
        setClassRow(table, i + 1, stats, stats.name, kValueLook);
    }
    setClassRow(table, totalRow, comparison.total, QStringLiteral("Razem"), kTotalLook);
    return table;
}

Table classQuestionsTable(const AnalysisState &analysis)
{
    const ClassComparison comparison = computeClassComparison(analysis);
    const int classes = static_cast<int>(comparison.classes.size());
    const int k = comparison.total.analysis.questionCount;
    const int totalColumn = classes + 1;

    Table table(classes + 2, 1 + std::max(k, 0));
    table.title = QStringLiteral("Łatwość pytań w klasach");
    table.sheetName = QStringLiteral("Pytania w klasach");
    table.setColumn(0, widthForName(QStringLiteral("Pytanie"), 0), ColumnRole::Label);
    table.setText(0, 0, QStringLiteral("Pytanie"));
    for (int i = 0; i < classes; ++i) {
        const QString &name = comparison.classes[static_cast<std::size_t>(i)].name;
        table.setColumn(i + 1, widthForName(name, 48), ColumnRole::Statistic);
        table.setText(i + 1, 0, name);
    }
    table.setColumn(totalColumn, widthForName(QStringLiteral("Razem"), 48), ColumnRole::Statistic);
    table.setText(totalColumn, 0, QStringLiteral("Razem"));
    for (int q = 1; q <= k; ++q) {
        table.setBand(q, q % 5 == 0 ? RowBand::Fifth : RowBand::Plain);
        setQuestionRow(table, comparison, q);
    }
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
    return tables;
}

} // namespace zavevad
