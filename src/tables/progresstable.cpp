#include "tables/progresstable.h"

#include "tables/gridformat.h"
#include "tables/gridoperations.h"

#include <algorithm>
#include <array>

namespace zavevad {

namespace {

constexpr CellLook kValueLook{.fontColour = kBlack};
constexpr CellLook kUpLook{.fontColour = kGreen, .bold = true};
constexpr CellLook kDownLook{.fontColour = kRed, .bold = true};

constexpr int kNameWidth = 160;
constexpr int kChangeWidth = 124;
constexpr int kTrendWidth = 48;
// The grid's bold face is about 7 pixels a letter; "Ułamki 16.11" fits.
constexpr int kMinTestWidth = 64;
constexpr int kMaxTestWidth = 220;

constexpr std::array<const char16_t *, 4> kClassRows{
        u"Średnia (%)", u"Mediana (%)", u"Zdało (%)", u"Liczba uczniów"};
// After the students: the empty row and the class rows.
constexpr int kRowsAfterStudents = 1 + static_cast<int>(kClassRows.size());

QString testHeader(const ProgressTest &test)
{
    const QString date = testDateText(test);
    return date.isEmpty() ? test.name : test.name + u' ' + date;
}

void setTenths(Table &table, int column, int row, std::optional<std::int64_t> tenths)
{
    if (!tenths)
        return;
    table.setNumber(column, row, CellKind::Decimal, static_cast<double>(*tenths) / 10.0, 1);
    table.setLook(column, row, kValueLook);
}

void studentRow(Table &table, int row, const ProgressData &progress, const ProgressStudent &student)
{
    const int tests = static_cast<int>(progress.tests.size());
    table.setText(0, row, student.name);
    table.setLook(0, row, kPlainLabelLook);
    for (int t = 0; t < tests; ++t)
        setTenths(table, 1 + t, row, student.tenths[static_cast<std::size_t>(t)]);
    const int changeColumn = 1 + tests;
    const std::optional<ProgressChange> change = studentChange(student);
    Trend trend = Trend::Unknown;
    if (change) {
        setTenths(table, changeColumn, row, change->tenths);
        trend = trendOf(change->tenths,
                progress.tests[static_cast<std::size_t>(change->firstTest)].semPercent,
                progress.tests[static_cast<std::size_t>(change->lastTest)].semPercent);
    }
    table.setText(changeColumn + 1, row, trendArrow(trend));
    table.setLook(changeColumn + 1, row,
            trend == Trend::Up ? kUpLook : (trend == Trend::Down ? kDownLook : kValueLook));
}

void classRows(
        Table &table, int firstRow, const ProgressData &progress, const Thresholds &thresholds)
{
    for (std::size_t i = 0; i < kClassRows.size(); ++i) {
        const int row = firstRow + static_cast<int>(i);
        table.setRowLook(row, kSummaryRowLook);
        table.setText(0, row, QString::fromUtf16(kClassRows[i]));
    }
    for (std::size_t t = 0; t < progress.tests.size(); ++t) {
        const ProgressTest &test = progress.tests[t];
        const int column = 1 + static_cast<int>(t);
        setTenths(table, column, firstRow, test.meanTenths);
        setTenths(table, column, firstRow + 1, test.medianTenths);
        setTenths(table, column, firstRow + 2, passedTenths(test, thresholds));
        table.setNumber(column, firstRow + 3, CellKind::Whole, test.studentCount());
        table.setLook(column, firstRow + 3, kValueLook);
    }
}

int nameWidth(const ProgressData &progress)
{
    int width = kNameWidth;
    for (const ProgressStudent &student : progress.students)
        width = std::max(width, std::min(static_cast<int>(student.name.size()) * 6 + 10, 320));
    return width;
}

} // namespace

int progressTableRowCount(const AnalysisState &analysis)
{
    if (analysis.progress.empty())
        return 2;
    return 1 + static_cast<int>(analysis.progress.students.size()) + kRowsAfterStudents;
}

int progressTablePagingCount(const AnalysisState &analysis)
{
    return progressTableRowCount(analysis) - 2;
}

QString trendArrow(Trend trend)
{
    switch (trend) {
    case Trend::Up:
        return QStringLiteral("↑");
    case Trend::Down:
        return QStringLiteral("↓");
    case Trend::Steady:
        return QStringLiteral("→");
    case Trend::Unknown:
        break;
    }
    return QStringLiteral("–");
}

Table progressTable(const AnalysisState &analysis)
{
    const ProgressData &progress = analysis.progress;
    const int tests = static_cast<int>(progress.tests.size());
    const int students = static_cast<int>(progress.students.size());
    const int columns = tests + 3;
    const int rows = progressTableRowCount(analysis);

    Table table(columns, rows);
    table.title = QStringLiteral("Tabela - Postępy");
    table.sheetName = QStringLiteral("Postępy");
    table.setColumn(0, nameWidth(progress), ColumnRole::Label);
    table.setText(0, 0, QStringLiteral("Uczeń"));
    for (int t = 0; t < tests; ++t) {
        const QString header = testHeader(progress.tests[static_cast<std::size_t>(t)]);
        const int width =
                std::clamp(static_cast<int>(header.size()) * 7 + 12, kMinTestWidth, kMaxTestWidth);
        table.setColumn(1 + t, width, ColumnRole::Statistic);
        table.setText(1 + t, 0, header);
    }
    table.setColumn(tests + 1, kChangeWidth, ColumnRole::Statistic);
    table.setText(tests + 1, 0, QStringLiteral("Zmiana (pkt proc.)"));
    table.setColumn(tests + 2, kTrendWidth, ColumnRole::Text);
    table.setText(tests + 2, 0, QStringLiteral("Trend"));

    if (progress.empty()) {
        table.setBand(1, RowBand::Plain);
        table.setText(0, 1,
                QStringLiteral("Postępy klasy pokazuje polecenie „Plik → Wczytaj testy z "
                               "folderu ...”"));
        table.setLook(0, 1, kPlainLabelLook);
        return table;
    }
    for (int r = 1; r < rows; ++r)
        table.setBand(r, r <= students && r % 5 == 0 ? RowBand::Fifth : RowBand::Plain);
    for (int i = 0; i < students; ++i)
        studentRow(table, 1 + i, progress, progress.students[static_cast<std::size_t>(i)]);
    classRows(table, students + 2, progress, analysis.thresholds);
    table.summaryRows = static_cast<int>(kClassRows.size());
    return table;
}

} // namespace zavevad
