#pragma once

#include "results/blueprint.h"
#include "results/progressdata.h"
#include "results/student.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace zavevad {

/// The five grade thresholds, in percent: the lowest percentage that earns the grade.
struct Thresholds
{
    std::int32_t cel = 95;
    std::int32_t bdb = 85;
    std::int32_t db = 75;
    std::int32_t dst = 60;
    std::int32_t dop = 50;

    friend bool operator==(const Thresholds &, const Thresholds &) = default;
};

/// Per-question statistics of one load.
struct QuestionStat
{
    std::int32_t correctCount = 0;
    std::int32_t correctPercent = 0;

    friend bool operator==(const QuestionStat &, const QuestionStat &) = default;
};

/// Class totals of one load: points and the number of students of each grade.
struct ClassSummary
{
    std::int32_t totalPoints = 0;
    std::int32_t averagePoints100 = 0; ///< average points per student times 100, rounded
    std::int32_t cel = 0;
    std::int32_t bdb = 0;
    std::int32_t db = 0;
    std::int32_t dst = 0;
    std::int32_t dop = 0;
    std::int32_t ndst = 0;

    friend bool operator==(const ClassSummary &, const ClassSummary &) = default;
};

/// Which table is shown, or in the grid: 0 none, 1 results, 2 working time, 3 grade
/// count, 4 item analysis, 5 skills, 6 class comparison, 7 questions in the classes,
/// 8 stanines, 9 student-problem table, 10 progress over several tests.
enum TableKind : std::int32_t {
    TableNone = 0,
    TableResults = 1,
    TableWorkingTime = 2,
    TableGradeCount = 3,
    TableItemAnalysis = 4,
    TableSkills = 5,
    TableClassComparison = 6,
    TableClassQuestions = 7,
    TableStanines = 8,
    TableStudentProblem = 9,
    TableProgress = 10,
};

/// The loaded set and everything derived from it. The student list, counts,
/// statistics and summary always belong to one and the same set.
struct AnalysisState
{
    Uczniowie students;
    std::int32_t studentCount = 0;
    std::int32_t questionCount = 0;
    std::array<QuestionStat, kMaxQuestions> questions{}; ///< element k-1 for question k
    ClassSummary summary;
    Thresholds thresholds;
    bool dataLoaded = false;
    TableKind tableMode = TableNone; ///< current table mode, read by the charts
    QString startDirectory;
    /// The test's blueprint, read with the result files; empty without one.
    Blueprint blueprint;
    /// The folder of the first loaded result file, where `Kartoteka.txt` lives.
    QString blueprintFolder;
    /// The tests of a load of several tests, the shown one (the newest)
    /// among them; empty after a load of one test.
    ProgressData progress;
    /// The result files the load left out: of another test, and of the
    /// accepted test with another question count.
    QStringList otherTestFiles{};
    QStringList otherCountFiles{};

    friend bool operator==(const AnalysisState &, const AnalysisState &) = default;
};

} // namespace zavevad
