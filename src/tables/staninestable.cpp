#include "tables/staninestable.h"

#include "results/classcomparison.h"
#include "results/stanines.h"
#include "tables/gridoperations.h"

#include <algorithm>
#include <vector>

namespace zavevad {

namespace {

constexpr CellLook kNameLook{.fontColour = kBlack, .align = alLeft};
constexpr CellLook kValueLook{.fontColour = kBlack};
constexpr CellLook kStanineLook{.fontColour = kRed, .bold = true};
constexpr CellLook kCountLook{.fontColour = kBlack, .bold = true};

enum class Field { Name, Class, Points, Percent, Rank, Stanine, Description };

struct ColumnSpec
{
    Field field;
    const char16_t *header;
    int width;
    ColumnRole role;
};

// Each column as wide as its header in the grid's bold face, "Opis" as
// "bardzo wysoki"; the distribution's headers below share the first four.
constexpr ColumnSpec kColumns[] = {
        {Field::Name, u"Nazwisko i imię", 160, ColumnRole::Label},
        {Field::Class, u"Klasa", 80, ColumnRole::Text},
        {Field::Points, u"Punkty", 56, ColumnRole::Sum},
        {Field::Percent, u"Procent", 60, ColumnRole::Statistic},
        {Field::Rank, u"Ranga centylowa", 112, ColumnRole::Statistic},
        {Field::Stanine, u"Stanin", 56, ColumnRole::Statistic},
        {Field::Description, u"Opis", 100, ColumnRole::Text},
};

constexpr const char16_t *kDistributionHeaders[] = {
        u"Stanin", u"Liczba uczniów", u"Udział (%)", u"Norma (%)"};
// The distribution headers' widths in the grid's bold face.
constexpr int kDistributionWidths[] = {56, 100, 76, 72};
// The note of a small group, whole, in the first column.
constexpr int kNoteWidth = 250;
// Rows after the students: the empty row, the header and the nine stanines.
constexpr int kDistributionRows = 11;

// The first column grows for the longest name (6 pixels a letter of the
// grid's face), up to a width that keeps the table on the screen.
int nameWidth(const AnalysisState &analysis, int n, bool note)
{
    int width = note ? kNoteWidth : kColumns[0].width;
    for (int i = 0; i < n; ++i) {
        const auto letters = analysis.students[static_cast<std::size_t>(i)].displayName().size();
        width = std::max(width, std::min(static_cast<int>(letters) * 6 + 10, 320));
    }
    return width;
}

void studentRow(Table &table, const std::vector<ColumnSpec> &columns, int r,
        const UczenAll &student, const StanineScale &scale)
{
    const int points = scale.clampedPoints(student.Suma);
    const int stanine = scale.stanine[static_cast<std::size_t>(points)];
    const std::int64_t rank = scale.rankTenths[static_cast<std::size_t>(points)];
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        switch (columns[static_cast<std::size_t>(c)].field) {
        case Field::Name:
            table.setText(c, r, student.displayName());
            table.setLook(c, r, kNameLook);
            break;
        case Field::Class:
            table.setText(c, r, student.schoolClass);
            table.setLook(c, r, kNameLook);
            break;
        case Field::Points:
            table.setNumber(c, r, CellKind::Whole, student.Suma);
            table.setLook(c, r, kValueLook);
            break;
        case Field::Percent:
            table.setNumber(c, r, CellKind::Percent, student.Procent);
            table.setLook(c, r, kValueLook);
            break;
        case Field::Rank:
            table.setNumber(c, r, CellKind::Decimal, static_cast<double>(rank) / 10.0, 1);
            table.setLook(c, r, kValueLook);
            break;
        case Field::Stanine:
            table.setNumber(c, r, CellKind::Whole, stanine);
            table.setLook(c, r, kStanineLook);
            break;
        case Field::Description:
            table.setText(c, r, stanineDescription(stanine));
            table.setLook(c, r, kNameLook);
            break;
        }
    }
}

void distributionRows(Table &table, int headerRow, const StanineScale &scale)
{
    table.setRowLook(headerRow, kSummaryRowLook);
    for (int c = 0; c < 4; ++c)
        table.setText(c, headerRow, QString::fromUtf16(kDistributionHeaders[c]));
    for (int s = 1; s <= 9; ++s) {
        const int r = headerRow + s;
        const std::int32_t count = scale.stanineCounts[static_cast<std::size_t>(s - 1)];
        table.setNumber(0, r, CellKind::Whole, s);
        table.setLook(0, r, kCountLook);
        table.setNumber(1, r, CellKind::Whole, count);
        table.setNumber(2, r, CellKind::Decimal,
                static_cast<double>(shareTenths(count, scale.studentCount)) / 10.0, 1);
        table.setNumber(3, r, CellKind::Whole, kStanineNorm[static_cast<std::size_t>(s - 1)]);
        for (int c = 1; c < 4; ++c)
            table.setLook(c, r, kValueLook);
    }
}

} // namespace

Table staninesTable(const AnalysisState &analysis)
{
    const StanineScale scale = computeStanines(analysis);
    const int n = scale.studentCount;
    const bool note = n < kStanineSmallGroup;
    std::vector<ColumnSpec> columns;
    const bool classes = schoolClassCount(analysis) >= 2;
    for (const ColumnSpec &column : kColumns) {
        if (column.field != Field::Class || classes)
            columns.push_back(column);
    }
    const int rows = 1 + n + kDistributionRows + (note ? 1 : 0);
    Table table(static_cast<int>(columns.size()), rows);
    table.title = QStringLiteral("Tabela - Staniny");
    table.sheetName = QStringLiteral("Staniny");
    table.summaryRows = kDistributionRows - 1 + (note ? 1 : 0);
    for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
        const ColumnSpec &column = columns[static_cast<std::size_t>(c)];
        int width = c == 0 ? nameWidth(analysis, n, note) : column.width;
        if (c < 4)
            width = std::max(width, kDistributionWidths[c]);
        table.setColumn(c, width, column.role);
        table.setText(c, 0, QString::fromUtf16(column.header));
    }
    for (int r = 1; r < rows; ++r)
        table.setBand(r, r <= n && r % 5 == 0 ? RowBand::Fifth : RowBand::Plain);
    for (int i = 0; i < n; ++i)
        studentRow(table, columns, i + 1, analysis.students[static_cast<std::size_t>(i)], scale);
    distributionRows(table, n + 2, scale);
    if (note) {
        table.setRowLook(rows - 1, kSummaryRowLook);
        table.setText(0, rows - 1, QStringLiteral("Mała grupa: staniny są orientacyjne"));
    }
    return table;
}

int staninesPagingCount(const AnalysisState &analysis)
{
    const int n = analysis.studentCount;
    return n + kDistributionRows + (n < kStanineSmallGroup ? 1 : 0) - 1;
}

int stanineDistributionFirstRow(int studentCount)
{
    // The students, an empty row and the distribution's header.
    return studentCount + 3;
}

int stanineDistributionLastRow(int studentCount)
{
    return stanineDistributionFirstRow(studentCount) + 8;
}

} // namespace zavevad
