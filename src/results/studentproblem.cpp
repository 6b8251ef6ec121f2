#include "results/studentproblem.h"

#include <algorithm>
#include <numeric>

namespace zavevad {

namespace {

/// (A - B) / (C - s mu) with mu = total / count, taken times `count` so that
/// it stays whole: count (A - B) / (count C - s total).
std::optional<Fraction> caution(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t s,
        std::int64_t total, std::int64_t count)
{
    const std::int64_t denominator = count * c - s * total;
    if (denominator == 0)
        return std::nullopt;
    return Fraction{count * (a - b), denominator};
}

void sortStudents(StudentProblemChart &chart, const std::vector<std::uint32_t> &masks,
        const std::vector<std::int32_t> &scores)
{
    const auto n = static_cast<std::size_t>(chart.studentCount);
    chart.studentOrder.resize(n);
    std::iota(chart.studentOrder.begin(), chart.studentOrder.end(), 0);
    std::stable_sort(chart.studentOrder.begin(), chart.studentOrder.end(),
            [&scores](std::int32_t x, std::int32_t y) {
                return scores[static_cast<std::size_t>(x)] > scores[static_cast<std::size_t>(y)];
            });
    std::vector<std::int32_t> correct(static_cast<std::size_t>(chart.questionCount), 0);
    for (const std::uint32_t mask : masks) {
        for (int q = 0; q < chart.questionCount; ++q)
            correct[static_cast<std::size_t>(q)] += (mask >> q) & 1u;
    }
    chart.questionOrder.resize(static_cast<std::size_t>(chart.questionCount));
    std::iota(chart.questionOrder.begin(), chart.questionOrder.end(), 1);
    std::stable_sort(chart.questionOrder.begin(), chart.questionOrder.end(),
            [&correct](std::int32_t x, std::int32_t y) {
                return correct[static_cast<std::size_t>(x - 1)]
                        > correct[static_cast<std::size_t>(y - 1)];
            });
    for (const std::int32_t q : chart.questionOrder)
        chart.correct.push_back(correct[static_cast<std::size_t>(q - 1)]);
    // Each student's answers re-indexed to the chart's question order.
    chart.points.reserve(n);
    chart.answers.reserve(n);
    for (const std::int32_t st : chart.studentOrder) {
        const std::uint32_t mask = masks[static_cast<std::size_t>(st)];
        std::uint32_t ordered = 0;
        for (int j = 0; j < chart.questionCount; ++j)
            ordered |= ((mask >> (chart.questionOrder[static_cast<std::size_t>(j)] - 1)) & 1u) << j;
        chart.answers.push_back(ordered);
        chart.points.push_back(scores[static_cast<std::size_t>(st)]);
    }
}

void studentCautions(StudentProblemChart &chart)
{
    const int k = chart.questionCount;
    const std::int64_t total = std::accumulate(chart.correct.begin(), chart.correct.end(), 0LL);
    chart.studentCaution.reserve(chart.points.size());
    for (std::size_t i = 0; i < chart.points.size(); ++i) {
        const int s = chart.points[i];
        std::int64_t a = 0, b = 0, c = 0;
        for (int j = 0; j < k; ++j) {
            const std::int64_t nj = chart.correct[static_cast<std::size_t>(j)];
            const bool right = (chart.answers[i] >> j) & 1u;
            if (j < s) {
                c += nj;
                a += right ? 0 : nj;
            } else {
                b += right ? nj : 0;
            }
        }
        chart.studentCaution.push_back(caution(a, b, c, s, total, k));
    }
}

void questionCautions(StudentProblemChart &chart)
{
    const std::int64_t n = chart.studentCount;
    const std::int64_t total = std::accumulate(chart.points.begin(), chart.points.end(), 0LL);
    for (int j = 0; j < chart.questionCount; ++j) {
        const std::int64_t s = chart.correct[static_cast<std::size_t>(j)];
        std::int64_t a = 0, b = 0, c = 0;
        for (std::int64_t i = 0; i < n; ++i) {
            const std::int64_t points = chart.points[static_cast<std::size_t>(i)];
            const bool right = (chart.answers[static_cast<std::size_t>(i)] >> j) & 1u;
            if (i < s) {
                c += points;
                a += right ? 0 : points;
            } else {
                b += right ? points : 0;
            }
        }
        chart.questionCaution.push_back(caution(a, b, c, s, total, n));
    }
}

} // namespace

StudentProblemChart computeStudentProblem(const AnalysisState &state)
{
    StudentProblemChart chart;
    const int k = usableQuestionCount(state.questionCount);
    const std::int64_t n =
            std::clamp<std::int64_t>(state.studentCount, 0, std::ssize(state.students));
    chart.studentCount = static_cast<std::int32_t>(n);
    chart.questionCount = k;
    std::vector<std::uint32_t> masks(static_cast<std::size_t>(n), 0);
    std::vector<std::int32_t> scores(static_cast<std::size_t>(n), 0);
    for (std::size_t i = 0; i < masks.size(); ++i) {
        const UczenAll &student = state.students[i];
        for (int q = 1; q <= k; ++q) {
            if (student.correct(q)) {
                masks[i] |= 1u << (q - 1);
                ++scores[i];
            }
        }
    }
    sortStudents(chart, masks, scores);
    studentCautions(chart);
    questionCautions(chart);
    return chart;
}

bool cautionFlagged(const std::optional<Fraction> &index)
{
    return index && hundredths(*index) >= 50;
}

} // namespace zavevad
