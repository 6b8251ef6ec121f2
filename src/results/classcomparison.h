#pragma once

#include "results/analysisstate.h"
#include "results/itemanalysis.h"

#include <QString>

#include <vector>

namespace zavevad {

/// One class of the comparison, or all students together.
struct ClassStats
{
    QString name; ///< the class's name; empty for all students together
    /// The class's own item analysis: its student count, mean, median,
    /// population standard deviation, KR-20 and each question's difficulty.
    ItemAnalysis analysis;
    /// The six grade counts under the grades the students hold (the
    /// thresholds in force); the point totals are not set.
    ClassSummary grades;
};

/// The classes of the loaded set side by side.
struct ClassComparison
{
    std::vector<ClassStats> classes; ///< in the collation order of their names
    ClassStats total; ///< every student of the set
};

/// Groups the loaded students by their class and computes each group's
/// statistics as the item analysis defines them, then those of all students.
ClassComparison computeClassComparison(const AnalysisState &state);

/// The number of distinct classes among the loaded students.
int schoolClassCount(const AnalysisState &state);

/// The class's average grade times 100 (Cel 6 … Ndst 1), rounded half to
/// even, as the grade-count table computes it; 0 for no students.
std::int64_t averageGrade100(const ClassSummary &grades, std::int32_t studentCount);

/// The test's easiness for the class: the mean points as a share of the
/// question count, mean / k; none without students or questions.
std::optional<Fraction> testEasiness(const ItemAnalysis &analysis);

} // namespace zavevad
