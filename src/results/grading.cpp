#include "results/grading.h"

#include "results/classstatistics.h"
#include "results/rounding.h"
#include "results/thresholds.h"

#include <algorithm>

namespace zavevad {

namespace {

std::int32_t percentOf(std::int64_t part, std::int64_t whole)
{
    if (whole <= 0)
        return 0;
    return static_cast<std::int32_t>(roundHalfEven(part * 100, whole));
}

} // namespace

void gradeStudents(Uczniowie &students, std::int32_t questionCount, const Thresholds &thresholds,
        ClassSummary &summary)
{
    const std::int32_t q = usableQuestionCount(questionCount);
    for (UczenAll &student : students) {
        std::int32_t points = 0;
        for (int k = 1; k <= q; ++k) {
            if (student.correct(k))
                ++points;
        }
        student.Suma = points;
        student.Procent = percentOf(points, q);
        student.Ocena = gradeName(student.Procent, thresholds);
        countGrade(summary, student.Ocena);
    }
}

void computeQuestionStats(
        const Uczniowie &students, std::int32_t questionCount, QuestionStats &stats)
{
    const ClassStatistics statistics = computeClassStatistics(students, questionCount);
    for (int k = 1; k <= statistics.questionCount; ++k) {
        QuestionStat &stat = stats[static_cast<std::size_t>(k - 1)];
        stat.correctCount = statistics.correct[static_cast<std::size_t>(k - 1)];
        stat.correctPercent = statistics.questionPercent(k);
    }
}

void computeClassTotals(const Uczniowie &students, ClassSummary &summary)
{
    std::int64_t total = 0;
    for (const UczenAll &s : students)
        total += s.Suma;
    summary.totalPoints = static_cast<std::int32_t>(total);
    summary.averagePoints100 = students.empty()
            ? 0
            : static_cast<std::int32_t>(
                    roundHalfEven(total * 100, static_cast<std::int64_t>(students.size())));
}

void countGrade(ClassSummary &summary, QStringView name)
{
    if (name == u"Cel")
        ++summary.cel;
    else if (name == u"Bdb")
        ++summary.bdb;
    else if (name == u"Db")
        ++summary.db;
    else if (name == u"Dst")
        ++summary.dst;
    else if (name == u"Dop")
        ++summary.dop;
    else
        ++summary.ndst;
}

std::int32_t classPercent(const ClassSummary &summary, std::int32_t questionCount)
{
    if (questionCount <= 0)
        return 0;
    return static_cast<std::int32_t>(roundHalfEven(summary.averagePoints100, questionCount));
}

} // namespace zavevad
