#pragma once

#include "appearance/applyappearance.h"
#include "appearance/chartappearance.h"
#include "chartengine/chart.h"
#include "charts/chartdata.h"
#include "results/analysisstate.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace zavevad {

/// The six grade names, worst first: "Ndst", "Dop", "Dst", "Db", "Bdb", "Cel".
QStringList gradeNamesRising();

/// The colour of a grade on the score charts: six fixed, distinct colours
/// from red ("Ndst") to blue ("Cel"); an unknown name is grey.
QColor gradeColor(QStringView grade);

/// How the class's points are spread over every possible score.
struct ScoreDistribution
{
    /// The lowest score that earns a grade: where the colour steps.
    struct Step
    {
        QString grade;
        int score = 0;

        friend bool operator==(const Step &, const Step &) = default;
    };

    /// Element s: how many students scored s points, for s = 0..question count.
    QList<int> counts;
    /// Element s: the grade that s points earn under the thresholds in force.
    QStringList grades;
    /// One step for each of the five graded grades ("Dop" to "Cel") that some
    /// score earns, by rising score; "Ndst" has no threshold and no step.
    QList<Step> steps;
    /// Average points per student, as the results table shows it.
    double mean = 0.0;
};

/// The distribution of the loaded class; empty before a load.
ScoreDistribution scoreDistribution(const AnalysisState &state);

/// One student on the time-against-score chart.
struct TimeScorePoint
{
    QString name; ///< display name
    int minutes = 0; ///< working time in whole minutes, as the working-time table shows it
    int points = 0;
    QString grade;
    /// "szybko i słabo": in the fastest quarter and graded "Ndst" or "Dop".
    bool flagged = false;
};

/// The students in list order and the first quartile of their working times.
struct TimeScoreData
{
    QList<TimeScorePoint> points;
    int firstQuartile = 0;
};

/// The first quartile of working times by the nearest rank: the
/// ceil(n / 4)-th shortest time. Every student at or below it is in the
/// fastest quarter, so ties at the quartile all count, and in a class of one
/// to four students the fastest one (with any tied) is. 0 for no times.
int firstQuartile(QList<int> minutes);

TimeScoreData timeScoreData(const AnalysisState &state);

/// Where a question lies on the map of the questions, judged on its
/// easiness and r as the item analysis table shows them (two decimals).
enum class QuestionZone {
    Good, ///< "dobre": easiness 0.30 to 0.80 and r >= 0.30
    Weak, ///< r < 0.20: the question tells good students from weak ones poorly
    Other,
    Undefined, ///< r undefined ("–"): not on the plot, listed under it
};

/// One question on the map: its easiness p and corrected item-total
/// correlation r, each as the item analysis table shows it (hundredths).
struct QuestionMapPoint
{
    int question = 0; ///< its number, from 1
    double easiness = 0.0;
    std::optional<double> r;
    QuestionZone zone = QuestionZone::Undefined;

    friend bool operator==(const QuestionMapPoint &, const QuestionMapPoint &) = default;
};

/// Every question of the loaded set in number order; empty before a load.
QList<QuestionMapPoint> questionMap(const AnalysisState &state);

/// The charts of the class's scores and questions.
enum class ScoreChart {
    Distribution, ///< "Rozkład punktów"
    TimeScore, ///< "Czas a wynik"
    Progress, ///< "Postępy klasy": several tests loaded together
    QuestionMap, ///< "Mapa pytań": easiness against r, one point per question
};

/// One line of the progress chart: a percentage per test, oldest first;
/// none where the line has no value for the test.
struct ProgressLine
{
    QString name;
    QColor color;
    QList<std::optional<double>> percents;
};

/// The class's mean and median per test, then the line of `student` (a row
/// of the progress data; none, or a row it lacks: no such line); empty
/// without several tests.
QList<ProgressLine> progressLines(
        const AnalysisState &state, std::optional<std::size_t> student = std::nullopt);

/// The chart kind whose appearance settings a score chart takes: the
/// distribution's columns are bars (1), the time chart's markers are the line
/// series' point markers (3). "Formatuj", templates and the dialog's panels
/// follow that kind.
int chartKindOf(ScoreChart which);

/// Replaces the chart's numeric plot by the score chart of the state and
/// makes it active; the header, axis titles and every setting stay.
/// `progressStudent`: the student whose line the progress chart adds.
void fillScoreChart(ScoreChart which, const AnalysisState &state, chart::Chart &chart,
        std::optional<std::size_t> progressStudent = std::nullopt);

/// As a "Wykresy" item: resets `CurrentAppearance` to the defaults, fills the
/// plot, sets the header and axis titles in the chart and the record, and
/// applies the kind of `chartKindOf(which)` (also made `ChartKind`).
/// Nothing before a load.
ChartBuildResult BuildScoreChart(ScoreChart which, const AnalysisState &state,
        Appearances &appearances, chart::Chart &chart, ChartKindState &kindState,
        std::optional<std::size_t> progressStudent = std::nullopt);

} // namespace zavevad
