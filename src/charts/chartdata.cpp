#include "charts/chartdata.h"

#include "results/itemanalysis.h"
#include "tables/gridmodel.h"
#include "tables/numberformat.h"
#include "tables/tablekinds.h"

#include <QLocale>
#include <QTime>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

namespace zavevad {

namespace {

// The table writes two-digit hours in some locales ("HH"); a one-digit hour
// such as "1:05:30" is still the same time, so the hour may have either.
QString withOneDigitHours(const QString &format)
{
    QString result;
    result.reserve(format.size());
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        const bool hour = c == QLatin1Char('H') || c == QLatin1Char('h');
        if (!quoted && hour && i + 1 < format.size() && format.at(i + 1) == c)
            ++i;
        result.append(c);
    }
    return result;
}

CommandError notANumber(const QString &text)
{
    return CommandError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
}

CommandError notATime(const QString &text)
{
    return CommandError(QStringLiteral("'%1' is not a valid time").arg(text));
}

void setHeader(chart::Chart &chart, const QString &header)
{
    chart.header.lines = QStringList{header};
}

// Rows `firstRow` to `lastRow` are the points, the row above them their
// header; the colours count from the first point.
template<class Convert>
void fillBarAndLine(const GridModel &grid, int labelColumn, int valueColumn, int lastRow,
        const QString &header, chart::Chart &chart, const QString &bottomSuffix, Convert convert,
        int firstRow = 1)
{
    setHeader(chart, header);
    chart.bar.clear();
    chart.line.clear();
    chart.leftAxis.title = grid.text(labelColumn, firstRow - 1);
    chart.bottomAxis.title = grid.text(valueColumn, firstRow - 1) + bottomSuffix;
    for (int r = firstRow; r <= lastRow; ++r) {
        const double value = convert(grid.text(valueColumn, r));
        const QString &label = grid.text(labelColumn, r);
        const QColor colour = PointColor(r - firstRow + 1);
        chart.bar.addPoint(value, label, colour);
        chart.line.addPoint(value, label, colour);
    }
}

template<class Convert>
void fillPie(const GridModel &grid, int labelColumn, int valueColumn, int lastRow,
        const QString &header, chart::Chart &chart, Convert convert, int firstRow = 1)
{
    setHeader(chart, header);
    chart.pie.clear();
    for (int r = firstRow; r <= lastRow; ++r) {
        const double value = convert(grid.text(valueColumn, r));
        chart.pie.addPoint(value, grid.text(labelColumn, r), PointColor(r - firstRow + 1));
    }
}

double toNumber(const QString &text)
{
    const std::optional<double> number = cellNumber(text);
    if (!number)
        throw notANumber(text);
    return *number;
}

double toPercent(const QString &text)
{
    // The cell holds hundredths; rounding at the fourth decimal gives 85 for
    // "0,85", not the 85.00000000000001 of 0.85 * 100.
    return std::round(toNumber(text) * 10000.0) / 100.0;
}

double toMinutes(const QString &text)
{
    const std::optional<int> minutes = cellMinutes(text);
    if (!minutes)
        throw notATime(text);
    return *minutes;
}

} // namespace

QColor PointColor(int row)
{
    static constexpr std::array<std::array<int, 3>, 20> kColours{{
            {0, 0, 255},
            {0, 0, 255},
            {255, 0, 0},
            {255, 255, 0},
            {192, 192, 192},
            {0, 128, 0},
            {0, 0, 0},
            {128, 0, 0},
            {0, 0, 128},
            {0, 255, 0},
            {255, 0, 255},
            {0, 255, 255},
            {255, 255, 255},
            {0, 128, 128},
            {128, 64, 64},
            {64, 0, 128},
            {0, 128, 255},
            {217, 141, 38},
            {95, 163, 92},
            {35, 118, 220},
    }};
    const auto &c = kColours[static_cast<std::size_t>((row % 20 + 20) % 20)];
    return QColor(c[0], c[1], c[2]);
}

std::optional<double> cellNumber(const QString &text)
{
    bool ok = false;
    const double value = QLocale().toDouble(text, &ok);
    // Not-a-number and infinite values have no place on a chart's axis.
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> cellMinutes(const QString &text)
{
    const QLocale locale;
    const QString format = longTimeFormat();
    QTime time = locale.toTime(text, format);
    if (!time.isValid())
        time = locale.toTime(text, withOneDigitHours(format));
    if (!time.isValid())
        return std::nullopt;
    return time.hour() * 60 + time.minute();
}

void FillBarAndLineSeries(const GridModel &grid, int labelColumn, int valueColumn, int lastRow,
        const QString &header, chart::Chart &chart)
{
    fillBarAndLine(grid, labelColumn, valueColumn, lastRow, header, chart, QString(), toNumber);
}

void FillPieSeries(const GridModel &grid, int labelColumn, int valueColumn, int lastRow,
        const QString &header, chart::Chart &chart)
{
    fillPie(grid, labelColumn, valueColumn, lastRow, header, chart, toNumber);
}

void FillBarAndLineSeriesMinutes(const GridModel &grid, int labelColumn, int valueColumn,
        int lastRow, const QString &header, chart::Chart &chart)
{
    fillBarAndLine(grid, labelColumn, valueColumn, lastRow, header, chart, QStringLiteral(" [min]"),
            toMinutes);
}

void FillPieSeriesMinutes(const GridModel &grid, int labelColumn, int valueColumn, int lastRow,
        const QString &header, chart::Chart &chart)
{
    fillPie(grid, labelColumn, valueColumn, lastRow, header, chart, toMinutes);
}

void FillBarAndLineSeriesPercent(const GridModel &grid, int labelColumn, int valueColumn,
        int lastRow, const QString &header, chart::Chart &chart)
{
    fillBarAndLine(grid, labelColumn, valueColumn, lastRow, header, chart, QStringLiteral(" [%]"),
            toPercent);
}

void FillPieSeriesPercent(const GridModel &grid, int labelColumn, int valueColumn, int lastRow,
        const QString &header, chart::Chart &chart)
{
    fillPie(grid, labelColumn, valueColumn, lastRow, header, chart, toPercent);
}

namespace {

/// The number a chart takes from a value cell of `unit`, as the table shows it.
/// The reference line's colour: dark, apart from every bar's colour.
const QColor kReferenceColour(0, 0, 0);

double shownNumber(
        const Table &table, const TableCell &cell, ChartUnit unit, const TableTexts &texts)
{
    if (unit == ChartUnit::Minutes) {
        if (cell.kind != CellKind::Duration && cell.kind != CellKind::DateTime)
            throw notATime(texts.text(table, cell));
        return timeOfDayMilliseconds(cell.value) / 60000;
    }
    if (!cell.isNumber())
        throw notANumber(texts.text(table, cell));
    double shown = cell.value;
    if (cell.kind == CellKind::Decimal && cell.digits == 2)
        shown = static_cast<double>(hundredths(cell.value)) / 100.0;
    else if (cell.kind == CellKind::Decimal && cell.digits == 1)
        shown = std::nearbyint(cell.value * 10.0) / 10.0;
    // As `toPercent`: rounding at the fourth decimal gives 85 for 0,85.
    return unit == ChartUnit::Percent ? std::round(shown * 10000.0) / 100.0 : shown;
}

/// The header, the axis titles and `CurrentAppearance` of a chart just filled,
/// then `state.ChartKind` applied.
ChartBuildResult finishBuild(const TableChart &description, const QString &header,
        TChartAppearance &current, chart::Chart &chart, ChartKindState &state)
{
    if (description.bottomTitle)
        chart.bottomAxis.title = QString::fromUtf16(description.bottomTitle);
    current.TitleText.setText(header);
    current.LeftAxisTitle.setText(chart.leftAxis.title);
    current.BottomAxisTitle.setText(chart.bottomAxis.title);
    return {ApplyChartKind(state.ChartKind, current, chart, state)};
}

QString unitSuffix(ChartUnit unit)
{
    switch (unit) {
    case ChartUnit::Minutes:
        return QStringLiteral(" [min]");
    case ChartUnit::Percent:
        return QStringLiteral(" [%]");
    case ChartUnit::Number:
        break;
    }
    return QString();
}

/// The bar chart's line: the reference column's values over the bars, so
/// that each bar stands beside its norm. Only a bar chart gets it.
void showReferenceLine(const std::vector<std::pair<double, QString>> &points,
        const ChartKindState &state, chart::Chart &chart)
{
    if (state.ShownChartKind != ChartKindBar)
        return;
    chart.line.clear();
    for (const auto &[value, label] : points)
        chart.line.addPoint(value, label, kReferenceColour);
    chart.setSeriesActive(chart::LineSeriesIndex, true);
    // Two series in the legend: it names what each of them is.
    chart.bar.title = chart.bottomAxis.title;
    chart.line.title = QStringLiteral("Norma");
}

} // namespace

ChartBuildResult BuildChartFromTable(const ChartSource &source, Appearances &appearances,
        chart::Chart &chart, ChartKindState &state)
{
    TChartAppearance &current = appearances.CurrentAppearance;
    current = appearances.DefaultAppearance;

    const TableKindInfo *info = tableKindInfo(source.tableMode);
    if (!info)
        return {};
    chart.resetSeriesTitles();
    const TableChart &description = info->chart;
    using Fill = void (*)(const GridModel &, int, int, int, const QString &, chart::Chart &);
    Fill fillBarAndLineSeries = FillBarAndLineSeries;
    Fill fillPieSeries = FillPieSeries;
    if (description.unit == ChartUnit::Minutes) {
        fillBarAndLineSeries = FillBarAndLineSeriesMinutes;
        fillPieSeries = FillPieSeriesMinutes;
    } else if (description.unit == ChartUnit::Percent) {
        fillBarAndLineSeries = FillBarAndLineSeriesPercent;
        fillPieSeries = FillPieSeriesPercent;
    }
    const int valueColumn = description.valueColumnOf(source.grid.columnCount(), source.sumaColumn);
    const int lastRow = description.lastRow(source.grid, source.studentCount);
    const QString header = QString::fromUtf16(description.header);

    // A chart of the table takes the place of a numeric plot shown before.
    chart.xy.active = false;
    constexpr int labelColumn = 0;
    if (description.firstRow) {
        // Points below the table's own header: numbers as the table shows them.
        const int firstRow = description.firstRow(source.studentCount);
        fillBarAndLine(source.grid, labelColumn, valueColumn, lastRow, header, chart,
                unitSuffix(description.unit), toNumber, firstRow);
        fillPie(source.grid, labelColumn, valueColumn, lastRow, header, chart, toNumber, firstRow);
        std::vector<std::pair<double, QString>> reference;
        for (int r = firstRow; r <= lastRow && description.referenceColumn > 0; ++r) {
            reference.emplace_back(toNumber(source.grid.text(description.referenceColumn, r)),
                    source.grid.text(labelColumn, r));
        }
        const ChartBuildResult result = finishBuild(description, header, current, chart, state);
        if (result.applied && description.referenceColumn > 0)
            showReferenceLine(reference, state, chart);
        return result;
    }
    fillBarAndLineSeries(source.grid, labelColumn, valueColumn, lastRow, header, chart);
    fillPieSeries(source.grid, labelColumn, valueColumn, lastRow, header, chart);
    return finishBuild(description, header, current, chart, state);
}

ChartBuildResult BuildChartFromValues(const Table &table, TableKind kind, int studentCount,
        Appearances &appearances, chart::Chart &chart, ChartKindState &state)
{
    TChartAppearance &current = appearances.CurrentAppearance;
    current = appearances.DefaultAppearance;
    const TableKindInfo *info = tableKindInfo(kind);
    if (!info)
        return {};
    chart.resetSeriesTitles();
    const TableChart &description = info->chart;
    const TableTexts texts;
    // The results value holds every question: "Suma" is its last column but one.
    const int valueColumn = description.valueColumnOf(table.columnCount(), table.columnCount() - 2);
    const int lastRow =
            std::min(description.lastValueRow(table, studentCount), table.rowCount() - 1);
    const QString header = QString::fromUtf16(description.header);

    chart.xy.active = false;
    chart.header.lines = QStringList{header};
    chart.bar.clear();
    chart.line.clear();
    const int firstRow = description.firstRow ? description.firstRow(studentCount) : 1;
    chart.leftAxis.title = texts.text(table, 0, firstRow - 1);
    chart.bottomAxis.title =
            texts.text(table, valueColumn, firstRow - 1) + unitSuffix(description.unit);
    std::vector<std::pair<double, QString>> points;
    for (int r = firstRow; r <= lastRow; ++r) {
        const double value =
                shownNumber(table, table.cell(valueColumn, r), description.unit, texts);
        const QString label = texts.text(table, 0, r);
        chart.bar.addPoint(value, label, PointColor(r - firstRow + 1));
        chart.line.addPoint(value, label, PointColor(r - firstRow + 1));
        points.emplace_back(value, label);
    }
    chart.pie.clear();
    for (std::size_t i = 0; i < points.size(); ++i)
        chart.pie.addPoint(points[i].first, points[i].second, PointColor(static_cast<int>(i) + 1));
    std::vector<std::pair<double, QString>> reference;
    for (int r = firstRow; r <= lastRow && description.referenceColumn > 0; ++r) {
        reference.emplace_back(shownNumber(table, table.cell(description.referenceColumn, r),
                                       description.unit, texts),
                texts.text(table, 0, r));
    }
    const ChartBuildResult result = finishBuild(description, header, current, chart, state);
    if (result.applied && description.referenceColumn > 0)
        showReferenceLine(reference, state, chart);
    return result;
}

void restoreReferenceLine(TableKind table, const ChartKindState &state, chart::Chart &chart)
{
    const TableKindInfo *info = tableKindInfo(table);
    if (info && info->chart.referenceColumn > 0 && state.ShownChartKind == ChartKindBar
            && !chart.line.points.isEmpty())
        chart.setSeriesActive(chart::LineSeriesIndex, true);
}

ChartBuildResult BuildChartOfTable(const ChartSource &source, const AnalysisState &analysis,
        Appearances &appearances, chart::Chart &chart, ChartKindState &state)
{
    const TableKindInfo *info = tableKindInfo(source.tableMode);
    if (info && info->chart.fromValues) {
        return BuildChartFromValues(
                info->build(analysis), info->kind, source.studentCount, appearances, chart, state);
    }
    return BuildChartFromTable(source, appearances, chart, state);
}

} // namespace zavevad
