#include "charts/scorecharts.h"

#include "results/classstatistics.h"
#include "results/itemanalysis.h"
#include "results/progress.h"
#include "results/rounding.h"
#include "results/thresholds.h"
#include "tables/numberformat.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace zavevad {

namespace {

QString header(ScoreChart which)
{
    switch (which) {
    case ScoreChart::Distribution:
        return QStringLiteral("Rozkład punktów");
    case ScoreChart::TimeScore:
        return QStringLiteral("Czas a wynik");
    case ScoreChart::QuestionMap:
        return QStringLiteral("Mapa pytań");
    case ScoreChart::Progress:
        break;
    }
    return QStringLiteral("Postępy klasy");
}

QString xTitle(ScoreChart which)
{
    switch (which) {
    case ScoreChart::Distribution:
        return QStringLiteral("Punkty");
    case ScoreChart::TimeScore:
        return QStringLiteral("Czas pracy [min]");
    case ScoreChart::QuestionMap:
        return QStringLiteral("Łatwość");
    case ScoreChart::Progress:
        break;
    }
    return QStringLiteral("Test (według daty)");
}

QString yTitle(ScoreChart which)
{
    switch (which) {
    case ScoreChart::Distribution:
        return QStringLiteral("Liczba uczniów");
    case ScoreChart::TimeScore:
        return QStringLiteral("Punkty");
    case ScoreChart::QuestionMap:
        return QStringLiteral("Korelacja z wynikiem (r)");
    case ScoreChart::Progress:
        break;
    }
    return QStringLiteral("Procent punktów");
}

QList<chart::LegendItem> gradeLegend()
{
    QList<chart::LegendItem> items;
    for (const QString &grade : gradeNamesRising())
        items.append({grade, gradeColor(grade)});
    return items;
}

void fillDistribution(const AnalysisState &state, chart::XYPlot &xy)
{
    const ScoreDistribution d = scoreDistribution(state);
    xy.style = chart::XYStyle::Columns;
    for (qsizetype s = 0; s < d.counts.size(); ++s)
        xy.points.append({double(s), double(d.counts[s]), gradeColor(d.grades[s]), QString()});
    for (const ScoreDistribution::Step &step : d.steps) {
        // On the edge where the colour steps, left of the grade's first column.
        xy.referenceLines.append(
                {step.score - 0.5, step.grade, gradeColor(step.grade).darker(125), Qt::DashLine});
    }
    if (!d.counts.isEmpty()) {
        xy.referenceLines.append({d.mean, QStringLiteral("Średnia ") + generalNumber(d.mean),
                QColor(0, 0, 0), Qt::SolidLine});
    }
    xy.xMin = -0.5;
    xy.xMax = std::max<qsizetype>(d.counts.size() - 1, 0) + 0.5;
    xy.yMin = 0.0;
}

void fillTimeScore(const AnalysisState &state, chart::XYPlot &xy)
{
    const TimeScoreData data = timeScoreData(state);
    xy.style = chart::XYStyle::Markers;
    xy.overflowTitle = QStringLiteral("Szybko i słabo:");
    for (const TimeScorePoint &p : data.points) {
        xy.points.append({double(p.minutes), double(p.points), gradeColor(p.grade),
                p.flagged ? p.name : QString()});
        xy.pointNames.append(p.name);
    }
    if (!data.points.isEmpty()) {
        xy.referenceLines.append({double(data.firstQuartile),
                QStringLiteral("1. kwartyl: %1 min").arg(data.firstQuartile), QColor(90, 90, 90),
                Qt::DashLine});
    }
    xy.xMin = 0.0;
    xy.yMin = 0.0;
    xy.yMax = double(std::max(state.questionCount, 1));
}

// Each test at x = 1, 2, ... in date order; its name and date on its mean.
void fillProgress(const AnalysisState &state, chart::XYPlot &xy, std::optional<std::size_t> student)
{
    const QList<ProgressLine> lines = progressLines(state, student);
    xy.style = chart::XYStyle::Markers;
    xy.joinByColour = true;
    xy.overflowTitle = QStringLiteral("Testy:");
    const std::vector<ProgressTest> &tests = state.progress.tests;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const ProgressLine &line = lines[i];
        xy.legendItems.append({line.name, line.color});
        for (qsizetype t = 0; t < line.percents.size(); ++t) {
            if (!line.percents[t])
                continue;
            const ProgressTest &test = tests[static_cast<std::size_t>(t)];
            const QString label = i == 0 ? QString::number(t + 1) + QStringLiteral(". ") + test.name
                            + u' ' + testDateText(test)
                                         : QString();
            xy.points.append({double(t + 1), *line.percents[t], line.color, label.trimmed()});
        }
    }
    xy.xMin = 0.5;
    xy.xMax = double(std::max<std::size_t>(tests.size(), 1)) + 0.5;
    xy.yMin = 0.0;
    xy.yMax = 100.0;
}

QColor zoneColor(QuestionZone zone)
{
    switch (zone) {
    case QuestionZone::Good:
        return QColor(31, 140, 70);
    case QuestionZone::Weak:
        return QColor(214, 39, 40);
    case QuestionZone::Other:
    case QuestionZone::Undefined:
        break;
    }
    return QColor(31, 100, 200);
}

// Two decimals, as the item analysis table writes them.
QString shown(double value)
{
    return twoDecimalText(std::llround(value * 100.0));
}

void fillQuestionMap(const AnalysisState &state, chart::XYPlot &xy)
{
    xy.style = chart::XYStyle::Markers;
    xy.wholeNumbers = false;
    xy.overflowTitle = QStringLiteral("Pytania bez miejsca:");
    xy.zones.append({0.30, 0.80, 0.30, 1.0, QColor(60, 170, 90, 60), Qt::SolidPattern});
    xy.zones.append({0.0, 1.0, -1.0, 0.20, QColor(214, 39, 40, 90), Qt::BDiagPattern});
    xy.legendItems = {{QStringLiteral("dobre"), zoneColor(QuestionZone::Good)},
            {QStringLiteral("r < 0,20: słabo różnicuje"), zoneColor(QuestionZone::Weak)},
            {QStringLiteral("pozostałe"), zoneColor(QuestionZone::Other)}};
    QStringList undefined;
    for (const QuestionMapPoint &q : questionMap(state)) {
        if (!q.r) {
            undefined.append(QString::number(q.question));
            continue;
        }
        xy.points.append({q.easiness, *q.r, zoneColor(q.zone), QString::number(q.question)});
        xy.pointNames.append(QStringLiteral("Pytanie %1: łatwość %2, r %3")
                                     .arg(q.question)
                                     .arg(shown(q.easiness), shown(*q.r)));
    }
    if (!undefined.isEmpty()) {
        xy.note = QStringLiteral("Bez wskaźnika r (–), poza wykresem: pytania ")
                + undefined.join(QStringLiteral(", "));
    }
    xy.xMin = 0.0;
    xy.xMax = 1.0;
    xy.yMin = -1.0;
    xy.yMax = 1.0;
}

} // namespace

QList<QuestionMapPoint> questionMap(const AnalysisState &state)
{
    QList<QuestionMapPoint> map;
    if (!state.dataLoaded)
        return map;
    const ItemAnalysis analysis = computeItemAnalysis(state);
    for (std::size_t i = 0; i < analysis.items.size(); ++i) {
        const ItemStats &item = analysis.items[i];
        QuestionMapPoint q;
        q.question = int(i) + 1;
        const std::int64_t p = hundredths(item.difficulty);
        q.easiness = double(p) / 100.0;
        if (item.discrimination) {
            const std::int64_t r = hundredths(*item.discrimination);
            q.r = double(r) / 100.0;
            if (r < 20)
                q.zone = QuestionZone::Weak;
            else if (r >= 30 && p >= 30 && p <= 80)
                q.zone = QuestionZone::Good;
            else
                q.zone = QuestionZone::Other;
        }
        map.append(q);
    }
    return map;
}

QList<ProgressLine> progressLines(const AnalysisState &state, std::optional<std::size_t> student)
{
    const std::vector<ProgressTest> &tests = state.progress.tests;
    if (tests.empty())
        return {};
    ProgressLine mean{QStringLiteral("Średnia"), QColor(0, 0, 128), {}};
    ProgressLine median{QStringLiteral("Mediana"), QColor(220, 110, 0), {}};
    const auto percent = [](const std::optional<std::int64_t> &tenths) -> std::optional<double> {
        if (!tenths)
            return std::nullopt;
        return double(*tenths) / 10.0;
    };
    for (const ProgressTest &test : tests) {
        mean.percents.append(percent(test.meanTenths));
        median.percents.append(percent(test.medianTenths));
    }
    if (!student || *student >= state.progress.students.size())
        return {mean, median};
    const ProgressStudent &row = state.progress.students[*student];
    // Green apart from the class's blue and orange.
    ProgressLine own{row.name, QColor(0, 140, 60), {}};
    for (std::size_t t = 0; t < tests.size(); ++t) {
        const bool wrote = t < row.tenths.size() && row.tenths[t];
        own.percents.append(
                wrote ? std::optional<double>(double(*row.tenths[t]) / 10.0) : std::nullopt);
    }
    return {mean, median, own};
}

QStringList gradeNamesRising()
{
    return {QStringLiteral("Ndst"), QStringLiteral("Dop"), QStringLiteral("Dst"),
            QStringLiteral("Db"), QStringLiteral("Bdb"), QStringLiteral("Cel")};
}

QColor gradeColor(QStringView grade)
{
    // Red to blue through the warm and green tones, so that neighbouring
    // grades stay apart and a step in the colours reads as a step in grade.
    if (grade == u"Ndst")
        return QColor(214, 39, 40);
    if (grade == u"Dop")
        return QColor(255, 127, 14);
    if (grade == u"Dst")
        return QColor(232, 196, 28);
    if (grade == u"Db")
        return QColor(140, 200, 60);
    if (grade == u"Bdb")
        return QColor(31, 140, 70);
    if (grade == u"Cel")
        return QColor(31, 100, 200);
    return QColor(128, 128, 128);
}

ScoreDistribution scoreDistribution(const AnalysisState &state)
{
    ScoreDistribution d;
    const int q = state.questionCount;
    if (!state.dataLoaded || q < 1 || q > kMaxQuestions)
        return d;
    const ClassStatistics statistics = computeClassStatistics(state.students, q);
    d.counts.reserve(q + 1);
    for (int s = 0; s <= q; ++s)
        d.counts.append(statistics.withPoints[static_cast<std::size_t>(s)]);
    for (int s = 0; s <= q; ++s) {
        // The percentage and grade that grading gives s points.
        const auto percent = static_cast<std::int32_t>(roundHalfEven(std::int64_t(s) * 100, q));
        d.grades.append(gradeName(percent, state.thresholds));
    }
    const QStringList names = gradeNamesRising();
    for (qsizetype g = 1; g < names.size(); ++g) {
        const qsizetype first = d.grades.indexOf(names[g]);
        if (first >= 0)
            d.steps.append({names[g], int(first)});
    }
    std::sort(d.steps.begin(), d.steps.end(),
            [](const ScoreDistribution::Step &a, const ScoreDistribution::Step &b) {
                return a.score < b.score;
            });
    d.mean = state.summary.averagePoints100 / 100.0;
    return d;
}

int firstQuartile(QList<int> minutes)
{
    if (minutes.isEmpty())
        return 0;
    std::sort(minutes.begin(), minutes.end());
    const qsizetype rank = (minutes.size() + 3) / 4; // ceil(n / 4), at least 1
    return minutes[rank - 1];
}

TimeScoreData timeScoreData(const AnalysisState &state)
{
    TimeScoreData data;
    if (!state.dataLoaded)
        return data;
    QList<int> minutes;
    for (const UczenAll &student : state.students) {
        TimeScorePoint p;
        p.name = student.displayName();
        p.minutes = timeOfDayMilliseconds(student.workingTime()) / 60000;
        p.points = student.Suma;
        p.grade = student.Ocena;
        minutes.append(p.minutes);
        data.points.append(p);
    }
    data.firstQuartile = firstQuartile(minutes);
    for (TimeScorePoint &p : data.points) {
        const bool weak = p.grade == u"Ndst" || p.grade == u"Dop";
        p.flagged = weak && p.minutes <= data.firstQuartile;
    }
    return data;
}

int chartKindOf(ScoreChart which)
{
    return which == ScoreChart::Distribution ? ChartKindBar : ChartKindLine;
}

void fillScoreChart(ScoreChart which, const AnalysisState &state, chart::Chart &chart,
        std::optional<std::size_t> progressStudent)
{
    chart::XYPlot &xy = chart.xy;
    xy.clear();
    xy.active = true;
    xy.wholeNumbers = true;
    switch (which) {
    case ScoreChart::Distribution:
        xy.legendItems = gradeLegend();
        fillDistribution(state, xy);
        break;
    case ScoreChart::TimeScore:
        xy.legendItems = gradeLegend();
        fillTimeScore(state, xy);
        break;
    case ScoreChart::Progress:
        fillProgress(state, xy, progressStudent);
        break;
    case ScoreChart::QuestionMap:
        fillQuestionMap(state, xy);
        break;
    }
}

ChartBuildResult BuildScoreChart(ScoreChart which, const AnalysisState &state,
        Appearances &appearances, chart::Chart &chart, ChartKindState &kindState,
        std::optional<std::size_t> progressStudent)
{
    if (!state.dataLoaded)
        return {};
    TChartAppearance &current = appearances.CurrentAppearance;
    current = appearances.DefaultAppearance;
    fillScoreChart(which, state, chart, progressStudent);
    chart.header.lines = QStringList{header(which)};
    chart.leftAxis.title = yTitle(which);
    chart.bottomAxis.title = xTitle(which);
    current.TitleText.setText(header(which));
    current.LeftAxisTitle.setText(chart.leftAxis.title);
    current.BottomAxisTitle.setText(chart.bottomAxis.title);
    kindState.ChartKind = chartKindOf(which);
    return {ApplyChartKind(kindState.ChartKind, current, chart, kindState)};
}

} // namespace zavevad
