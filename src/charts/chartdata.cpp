#include "charts/chartdata.h"

#include "tables/classcomparisontable.h"
#include "tables/gridmodel.h"
#include "tables/itemanalysistable.h"
#include "tables/numberformat.h"
#include "tables/skillstable.h"

#include <QLocale>
#include <QTime>

#include <array>
#include <cmath>

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

template<class Convert>
void fillBarAndLine(const GridModel &grid, int labelColumn, int valueColumn, int lastRow,
        const QString &header, chart::Chart &chart, const QString &bottomSuffix, Convert convert)
{
    setHeader(chart, header);
    chart.bar.clear();
    chart.line.clear();
    chart.leftAxis.title = grid.text(labelColumn, 0);
    chart.bottomAxis.title = grid.text(valueColumn, 0) + bottomSuffix;
    for (int r = 1; r <= lastRow; ++r) {
        const double value = convert(grid.text(valueColumn, r));
        const QString &label = grid.text(labelColumn, r);
        const QColor colour = PointColor(r);
        chart.bar.addPoint(value, label, colour);
        chart.line.addPoint(value, label, colour);
    }
}

template<class Convert>
void fillPie(const GridModel &grid, int labelColumn, int valueColumn, int lastRow,
        const QString &header, chart::Chart &chart, Convert convert)
{
    setHeader(chart, header);
    chart.pie.clear();
    for (int r = 1; r <= lastRow; ++r) {
        const double value = convert(grid.text(valueColumn, r));
        chart.pie.addPoint(value, grid.text(labelColumn, r), PointColor(r));
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

ChartBuildResult BuildChartFromTable(const ChartSource &source, Appearances &appearances,
        chart::Chart &chart, ChartKindState &state)
{
    TChartAppearance &current = appearances.CurrentAppearance;
    current = appearances.DefaultAppearance;

    using Fill = void (*)(const GridModel &, int, int, int, const QString &, chart::Chart &);
    Fill fillBarAndLineSeries = nullptr;
    Fill fillPieSeries = nullptr;
    int valueColumn = 0;
    int lastRow = 0;
    QString header;
    QString bottomTitle; // when the value column's header is not the axis title
    switch (source.tableMode) {
    case TableResults:
        fillBarAndLineSeries = FillBarAndLineSeries;
        fillPieSeries = FillPieSeries;
        valueColumn = source.sumaColumn;
        lastRow = source.studentCount;
        header = QStringLiteral("Wyniki testu");
        break;
    case TableWorkingTime:
        fillBarAndLineSeries = FillBarAndLineSeriesMinutes;
        fillPieSeries = FillPieSeriesMinutes;
        valueColumn = 3;
        lastRow = source.studentCount;
        header = QStringLiteral("Czas pracy");
        break;
    case TableGradeCount:
        fillBarAndLineSeries = FillBarAndLineSeries;
        fillPieSeries = FillPieSeries;
        valueColumn = 1;
        lastRow = 6;
        header = QStringLiteral("Zestawienie ocen");
        break;
    case TableItemAnalysis:
        fillBarAndLineSeries = FillBarAndLineSeriesPercent;
        fillPieSeries = FillPieSeriesPercent;
        valueColumn = 2;
        lastRow = itemAnalysisLastQuestionRow(source.grid);
        header = QStringLiteral("Łatwość pytań");
        break;
    case TableSkills:
        fillBarAndLineSeries = FillBarAndLineSeriesPercent;
        fillPieSeries = FillPieSeriesPercent;
        valueColumn = 4;
        lastRow = skillsTableLastSkillRow(source.grid);
        header = QStringLiteral("Wykonanie umiejętności");
        break;
    case TableClassComparison:
        fillBarAndLineSeries = FillBarAndLineSeries;
        fillPieSeries = FillPieSeries;
        valueColumn = 3;
        lastRow = classComparisonLastClassRow(source.grid);
        header = QStringLiteral("Porównanie klas");
        bottomTitle = QStringLiteral("Średnia [%]");
        break;
    case TableClassQuestions:
        // Each question's easiness for all students: the last column, "Razem".
        fillBarAndLineSeries = FillBarAndLineSeriesPercent;
        fillPieSeries = FillPieSeriesPercent;
        valueColumn = source.grid.columnCount() - 1;
        lastRow = source.grid.rowCount() - 1;
        header = QStringLiteral("Łatwość pytań");
        break;
    default:
        return {};
    }

    // A chart of the table takes the place of a numeric plot shown before.
    chart.xy.active = false;
    constexpr int labelColumn = 0;
    fillBarAndLineSeries(source.grid, labelColumn, valueColumn, lastRow, header, chart);
    fillPieSeries(source.grid, labelColumn, valueColumn, lastRow, header, chart);
    if (!bottomTitle.isEmpty())
        chart.bottomAxis.title = bottomTitle;

    current.TitleText.setText(header);
    current.LeftAxisTitle.setText(chart.leftAxis.title);
    current.BottomAxisTitle.setText(chart.bottomAxis.title);
    return {ApplyChartKind(state.ChartKind, current, chart, state)};
}

} // namespace zavevad
