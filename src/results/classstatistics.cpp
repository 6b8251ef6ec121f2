#include "results/classstatistics.h"

#include "results/rounding.h"

#include <algorithm>
#include <cmath>

namespace zavevad {

std::optional<Fraction> ClassStatistics::mean() const
{
    if (studentCount <= 0)
        return std::nullopt;
    return reducedFraction(pointsTotal, studentCount);
}

std::int64_t ClassStatistics::meanPoints100() const
{
    return studentCount > 0 ? roundHalfEven(pointsTotal * 100, studentCount) : 0;
}

std::int64_t ClassStatistics::medianPoints2() const
{
    // The 0-based ranks of the middle pair in ascending order; one rank for odd n.
    const std::int64_t lowerMiddle = (std::int64_t{studentCount} - 1) / 2;
    const std::int64_t upperMiddle = std::int64_t{studentCount} / 2;
    std::int64_t twice = 0;
    for (int p = 0; p <= questionCount && studentCount > 0; ++p) {
        const std::int64_t below = fewerThan[static_cast<std::size_t>(p)];
        const std::int64_t upTo = below + withPoints[static_cast<std::size_t>(p)];
        if (lowerMiddle >= below && lowerMiddle < upTo)
            twice += p;
        if (upperMiddle >= below && upperMiddle < upTo)
            twice += p;
    }
    return twice;
}

std::optional<Fraction> ClassStatistics::median() const
{
    if (studentCount <= 0)
        return std::nullopt;
    return reducedFraction(medianPoints2(), 2);
}

std::optional<double> ClassStatistics::standardDeviation() const
{
    if (studentCount <= 0)
        return std::nullopt;
    // sigma = sqrt(n sum X^2 - (sum X)^2) / n, the root of a whole number.
    const std::int64_t n = studentCount;
    const std::int64_t v = n * pointsSquares - pointsTotal * pointsTotal;
    return std::sqrt(static_cast<double>(v)) / studentCount;
}

std::int32_t ClassStatistics::studentsBelow(int points) const
{
    return fewerThan[static_cast<std::size_t>(std::clamp(points, 0, questionCount + 1))];
}

Fraction ClassStatistics::questionShare(int q) const
{
    return Fraction{correct[static_cast<std::size_t>(q - 1)], std::max(studentCount, 1)};
}

std::int32_t ClassStatistics::questionPercent(int q) const
{
    if (studentCount <= 0)
        return 0;
    return static_cast<std::int32_t>(roundHalfEven(
            std::int64_t{correct[static_cast<std::size_t>(q - 1)]} * 100, studentCount));
}

ClassStatisticsCounter::ClassStatisticsCounter(int questionCount)
{
    m_statistics.questionCount = usableQuestionCount(questionCount);
}

std::uint32_t ClassStatisticsCounter::add(const UczenAll &student)
{
    ClassStatistics &s = m_statistics;
    std::uint32_t mask = 0;
    int x = 0;
    for (int q = 0; q < s.questionCount; ++q) {
        if (student.Odpowiedzi[static_cast<std::size_t>(q)] != 0) {
            mask |= 1u << q;
            ++s.correct[static_cast<std::size_t>(q)];
            ++x;
        }
    }
    ++s.studentCount;
    ++s.withPoints[static_cast<std::size_t>(x)];
    s.pointsTotal += x;
    s.pointsSquares += static_cast<std::int64_t>(x) * x;
    m_workingTime +=
            static_cast<long double>(student.Koniec) - static_cast<long double>(student.Poczatek);
    return mask;
}

ClassStatistics ClassStatisticsCounter::result() const
{
    ClassStatistics s = m_statistics;
    std::int32_t below = 0;
    for (int p = 0; p <= s.questionCount; ++p) {
        s.fewerThan[static_cast<std::size_t>(p)] = below;
        below += s.withPoints[static_cast<std::size_t>(p)];
    }
    s.fewerThan[static_cast<std::size_t>(s.questionCount) + 1] = below;
    if (s.studentCount > 0)
        s.averageWorkingTime = static_cast<double>(m_workingTime / s.studentCount);
    return s;
}

ClassStatistics computeClassStatistics(const Uczniowie &students, int questionCount)
{
    ClassStatisticsCounter counter(questionCount);
    for (const UczenAll &student : students)
        counter.add(student);
    return counter.result();
}

ClassStatistics computeClassStatistics(
        const Uczniowie &students, std::span<const std::size_t> members, int questionCount)
{
    ClassStatisticsCounter counter(questionCount);
    for (const std::size_t member : members)
        counter.add(students[member]);
    return counter.result();
}

ClassStatistics computeClassStatistics(const AnalysisState &state)
{
    const auto n = static_cast<std::size_t>(
            std::clamp<std::int64_t>(state.studentCount, 0, std::ssize(state.students)));
    ClassStatisticsCounter counter(state.questionCount);
    for (std::size_t s = 0; s < n; ++s)
        counter.add(state.students[s]);
    return counter.result();
}

} // namespace zavevad
