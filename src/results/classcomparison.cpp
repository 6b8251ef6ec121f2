#include "results/classcomparison.h"

#include "results/grading.h"
#include "results/resultpaths.h"
#include "results/rounding.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace zavevad {

namespace {

ClassStats statsOf(const AnalysisState &state, const QString &name)
{
    ClassStats stats;
    stats.name = name;
    stats.analysis = computeItemAnalysis(state);
    for (const UczenAll &student : state.students)
        countGrade(stats.grades, student.Ocena);
    return stats;
}

// The students the item analysis reads: the loaded list up to the student count.
std::size_t usableStudentCount(const AnalysisState &state)
{
    return static_cast<std::size_t>(
            std::clamp<std::int64_t>(state.studentCount, 0, std::ssize(state.students)));
}

} // namespace

ClassComparison computeClassComparison(const AnalysisState &state)
{
    const std::size_t n = usableStudentCount(state);
    // Each class as a set of its own, so that its statistics are exactly
    // those of the item analysis of that class alone.
    QHash<QString, int> indexOf;
    std::vector<AnalysisState> groups;
    for (std::size_t s = 0; s < n; ++s) {
        const UczenAll &student = state.students[s];
        auto found = indexOf.constFind(student.schoolClass);
        if (found == indexOf.cend()) {
            found = indexOf.insert(student.schoolClass, static_cast<int>(groups.size()));
            AnalysisState &group = groups.emplace_back();
            group.questionCount = state.questionCount;
            group.thresholds = state.thresholds;
        }
        AnalysisState &group = groups[static_cast<std::size_t>(*found)];
        group.students.push_back(student);
        ++group.studentCount;
    }

    QStringList names = indexOf.keys();
    sortClassNames(names);
    ClassComparison comparison;
    comparison.classes.reserve(groups.size());
    for (const QString &name : std::as_const(names))
        comparison.classes.push_back(
                statsOf(groups[static_cast<std::size_t>(indexOf.value(name))], name));

    if (n == state.students.size()) {
        comparison.total = statsOf(state, QString());
    } else {
        AnalysisState all = state;
        all.students.resize(n);
        comparison.total = statsOf(all, QString());
    }
    return comparison;
}

int schoolClassCount(const AnalysisState &state)
{
    const std::size_t n = usableStudentCount(state);
    QSet<QString> names;
    for (std::size_t s = 0; s < n; ++s)
        names.insert(state.students[s].schoolClass);
    return static_cast<int>(names.size());
}

std::int64_t averageGrade100(const ClassSummary &g, std::int32_t studentCount)
{
    const std::int64_t weighted =
            6LL * g.cel + 5LL * g.bdb + 4LL * g.db + 3LL * g.dst + 2LL * g.dop + 1LL * g.ndst;
    return studentCount > 0 ? roundHalfEven(weighted * 100, studentCount) : 0;
}

std::optional<Fraction> testEasiness(const ItemAnalysis &analysis)
{
    if (!analysis.mean || analysis.questionCount <= 0)
        return std::nullopt;
    return Fraction{analysis.mean->numerator, analysis.mean->denominator * analysis.questionCount};
}

} // namespace zavevad
