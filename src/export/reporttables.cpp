#include "export/reporttables.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace zavevad {

ReportTable thresholdsReportTable(const AnalysisState &analysis)
{
    Table table(2, 7);
    table.title = QStringLiteral("Progi ocen");
    table.sheetName = QStringLiteral("Progi");
    table.setColumn(0, 120, ColumnRole::Grade);
    table.setColumn(1, 100, ColumnRole::Statistic);
    table.setText(0, 0, QStringLiteral("Ocena"));
    table.setText(1, 0, QStringLiteral("Próg (%)"));
    const Thresholds &t = analysis.thresholds;
    const struct
    {
        const char16_t *grade;
        std::int32_t threshold;
    } rows[] = {{u"Cel", t.cel}, {u"Bdb", t.bdb}, {u"Db", t.db}, {u"Dst", t.dst}, {u"Dop", t.dop},
            {u"Ndst", 0}};
    int r = 1;
    for (const auto &row : rows) {
        table.setBand(r, RowBand::Plain);
        table.setText(0, r, QString::fromUtf16(row.grade), CellKind::Grade);
        table.setNumber(1, r, CellKind::Whole, row.threshold);
        table.setLook(1, r, {.fontColour = kBlack});
        ++r;
    }
    return table;
}

std::optional<QDateTime> dateTimeFromDays(double days)
{
    // About 27,000 years either way: far beyond any test, well within QDate.
    if (!std::isfinite(days) || std::abs(days) > 1e7)
        return std::nullopt;
    const double whole = std::floor(days);
    const auto milliseconds =
            static_cast<qint64>(std::llround((days - whole) * 24.0 * 60 * 60 * 1000));
    // Wall-clock time as the file holds it: no time zone, no daylight saving.
    const QDateTime midnight(
            QDate(1899, 12, 30).addDays(static_cast<qint64>(whole)), QTime(0, 0), Qt::UTC);
    return midnight.addMSecs(milliseconds);
}

std::optional<QDateTime> earliestStart(const AnalysisState &analysis)
{
    std::optional<double> earliest;
    for (const UczenAll &student : analysis.students) {
        if (std::isfinite(student.Poczatek) && (!earliest || student.Poczatek < *earliest))
            earliest = student.Poczatek;
    }
    return earliest ? dateTimeFromDays(*earliest) : std::nullopt;
}

std::vector<ReportTableMaker> keptTableMakers(std::vector<ReportTable> tables)
{
    std::vector<ReportTableMaker> makers;
    for (ReportTable &table : tables) {
        auto kept = std::make_shared<const ReportTable>(std::move(table));
        makers.emplace_back([kept] { return *kept; });
    }
    return makers;
}

} // namespace zavevad
