#include "answerclass.h"

#include "results/studentproblem.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <cstring>

using namespace zavevad;

namespace {

AnalysisState classOf(std::initializer_list<const char *> answers)
{
    return test::answerClass(answers);
}

/// A caution index as a double, -1 for none.
double valueOf(const std::optional<Fraction> &index)
{
    return index ? index->value() : -1.0;
}

/// Sato's own form of the index, 1 - cov(u, n) / cov(u*, n), with u the
/// pattern and u* the perfect pattern of the same total, straight from the
/// answers: a second computation that shares nothing with the chart's.
double satoIndex(const std::vector<int> &pattern, const std::vector<int> &weights)
{
    const auto k = static_cast<int>(pattern.size());
    double mean = 0;
    int s = 0;
    for (int j = 0; j < k; ++j) {
        mean += weights[static_cast<std::size_t>(j)];
        s += pattern[static_cast<std::size_t>(j)];
    }
    mean /= k;
    double actual = 0, perfect = 0;
    for (int j = 0; j < k; ++j) {
        const double w = weights[static_cast<std::size_t>(j)] - mean;
        actual += pattern[static_cast<std::size_t>(j)] * w;
        perfect += (j < s ? 1 : 0) * w;
    }
    return std::abs(perfect) < 1e-9 ? -1.0 : 1.0 - actual / perfect;
}

} // namespace

class TestStudentProblem : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void handComputedClass();
    void guttmanPattern();
    void keyToCheck();
    void emptyClass();
    void againstSatoForm();
};

void TestStudentProblem::handComputedClass()
{
    // Made by hand for this test. Students S1..S8 in list order, questions
    // Q1..Q6:
    //   S1 011010 (3)  S2 111111 (6)  S3 010000 (1)  S4 111010 (4)
    //   S5 000000 (0)  S6 011110 (4)  S7 100011 (3)  S8 011000 (2)
    // Correct answers: Q1 3, Q2 6, Q3 5, Q4 2, Q5 5, Q6 2 (sum T = 23).
    // Questions sorted: Q2 6, Q3 5, Q5 5, Q1 3, Q4 2, Q6 2 (ties by number);
    // students: S2 6, S4 4, S6 4, S1 3, S7 3, S8 2, S3 1, S5 0 (ties in list order).
    // CS = k (A - B) / (k C - s T) with k = 6:
    //   S2: s = 6, C = 23: 6*23 - 6*23 = 0, none
    //   S4: 1111 00: A = B = 0, CS = 0
    //   S6: 1110 10: C = 19, A = 3 (Q1), B = 2 (Q4): 6 / (114 - 92) = 3/11
    //   S1: 111 000: 0
    //   S7: 001 101: C = 16, A = 6 + 5, B = 3 + 2: 36 / (96 - 69) = 4/3
    //   S8, S3: 0; S5: s = 0, none
    // CP = n (A - B) / (n C - c T) with n = 8, points 6 4 4 3 3 2 1 0:
    //   Q2 c = 6: C = 22, A = 3 (S7), B = 1 (S3): 16 / (176 - 138) = 8/19
    //   Q3 c = 5: C = 20, A = 3 (S7), B = 2 (S8): 8 / (160 - 115) = 8/45
    //   Q5 c = 5: top five right: 0
    //   Q1 c = 3: C = 14, A = 4 (S6), B = 3 (S7): 8 / (112 - 69) = 8/43
    //   Q4 c = 2: C = 10, A = 4 (S4), B = 4 (S6): 0
    //   Q6 c = 2: C = 10, A = 4 (S4), B = 3 (S7): 8 / (80 - 46) = 4/17
    const StudentProblemChart chart = computeStudentProblem(classOf(
            {"011010", "111111", "010000", "111010", "000000", "011110", "100011", "011000"}));
    QCOMPARE(chart.studentOrder, (std::vector<std::int32_t>{1, 3, 5, 0, 6, 7, 2, 4}));
    QCOMPARE(chart.questionOrder, (std::vector<std::int32_t>{2, 3, 5, 1, 4, 6}));
    // The curves: S after each student's points, P below each question's count.
    QCOMPARE(chart.points, (std::vector<std::int32_t>{6, 4, 4, 3, 3, 2, 1, 0}));
    QCOMPARE(chart.correct, (std::vector<std::int32_t>{6, 5, 5, 3, 2, 2}));
    QVERIFY(chart.answered(4, 2) && !chart.answered(4, 0)); // S7 right on Q5, wrong on Q2

    const std::vector<double> cs{-1, 0, 3.0 / 11, 0, 4.0 / 3, 0, 0, -1};
    for (std::size_t i = 0; i < cs.size(); ++i)
        QCOMPARE(valueOf(chart.studentCaution[i]), cs[i]);
    const std::vector<double> cp{8.0 / 19, 8.0 / 45, 0, 8.0 / 43, 0, 4.0 / 17};
    for (std::size_t j = 0; j < cp.size(); ++j)
        QCOMPARE(valueOf(chart.questionCaution[j]), cp[j]);
    QVERIFY(cautionFlagged(chart.studentCaution[4])); // S7, 1,33
    QVERIFY(!cautionFlagged(chart.studentCaution[2])); // S6, 0,27
    QVERIFY(!cautionFlagged(chart.studentCaution[0])); // none
}

void TestStudentProblem::guttmanPattern()
{
    // Each student right on exactly the easiest questions: every index is 0,
    // except where all points or none leave it undefined.
    const StudentProblemChart chart =
            computeStudentProblem(classOf({"1100", "1111", "1000", "1110", "0000", "1100"}));
    for (std::size_t i = 0; i < chart.studentCaution.size(); ++i) {
        const int s = chart.points[i];
        if (s == 0 || s == 4)
            QVERIFY(!chart.studentCaution[i]);
        else
            QCOMPARE(valueOf(chart.studentCaution[i]), 0.0);
    }
    for (const std::optional<Fraction> &cp : chart.questionCaution)
        QCOMPARE(valueOf(cp), 0.0);
}

void TestStudentProblem::keyToCheck()
{
    // Question 4 is right only for the weakest students: a reversed key.
    const StudentProblemChart chart =
            computeStudentProblem(classOf({"1110", "1110", "1100", "0001", "1001", "0001"}));
    // Q1 4, then Q2 and Q4 with 3 each by number, Q3 2.
    QCOMPARE(chart.questionOrder, (std::vector<std::int32_t>{1, 2, 4, 3}));
    QVERIFY(cautionFlagged(chart.questionCaution[2]));
    QCOMPARE(valueOf(chart.questionCaution[2]), 2.0);
    QVERIFY(!cautionFlagged(chart.questionCaution[1]));
}

void TestStudentProblem::emptyClass()
{
    AnalysisState none;
    none.questionCount = 5;
    const StudentProblemChart chart = computeStudentProblem(none);
    QCOMPARE(chart.studentCount, 0);
    QCOMPARE(chart.questionCaution.size(), std::size_t(5));
    for (const std::optional<Fraction> &cp : chart.questionCaution)
        QVERIFY(!cp);
    // All alike: every question right for all, every student full marks.
    const StudentProblemChart same = computeStudentProblem(classOf({"111", "111"}));
    for (const std::optional<Fraction> &cs : same.studentCaution)
        QVERIFY(!cs);
}

void TestStudentProblem::againstSatoForm()
{
    QRandomGenerator random(38);
    for (int round = 0; round < 20; ++round) {
        AnalysisState state;
        const int k = 1 + static_cast<int>(random.bounded(30));
        const int n = 1 + static_cast<int>(random.bounded(60));
        for (int i = 0; i < n; ++i) {
            UczenAll student;
            const int ability = static_cast<int>(random.bounded(k + 1));
            for (int q = 0; q < k; ++q)
                student.Odpowiedzi[static_cast<std::size_t>(q)] =
                        static_cast<int>(random.bounded(k + 1)) + q / 2 < ability + 3 ? 1 : 0;
            state.students.push_back(student);
        }
        state.questionCount = k;
        state.studentCount = n;
        const StudentProblemChart chart = computeStudentProblem(state);
        for (int i = 0; i < n; ++i) {
            std::vector<int> pattern;
            std::vector<int> weights;
            for (int j = 0; j < k; ++j) {
                pattern.push_back(chart.answered(i, j) ? 1 : 0);
                weights.push_back(chart.correct[static_cast<std::size_t>(j)]);
            }
            const double expected = satoIndex(pattern, weights);
            QVERIFY(std::abs(valueOf(chart.studentCaution[static_cast<std::size_t>(i)]) - expected)
                    < 1e-9);
        }
        for (int j = 0; j < k; ++j) {
            std::vector<int> pattern;
            std::vector<int> weights;
            for (int i = 0; i < n; ++i) {
                pattern.push_back(chart.answered(i, j) ? 1 : 0);
                weights.push_back(chart.points[static_cast<std::size_t>(i)]);
            }
            const double expected = satoIndex(pattern, weights);
            QVERIFY(std::abs(valueOf(chart.questionCaution[static_cast<std::size_t>(j)]) - expected)
                    < 1e-9);
        }
    }
}

QTEST_GUILESS_MAIN(TestStudentProblem)
#include "tst_studentproblem.moc"
