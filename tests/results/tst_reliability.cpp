#include "answerclass.h"

#include "results/fdistribution.h"
#include "results/reliability.h"

#include <QTest>

#include <cmath>
#include <cstring>

using namespace zavevad;

namespace {

AnalysisState classOf(std::initializer_list<const char *> answers)
{
    return test::answerClass(answers);
}

} // namespace

class TestReliability : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void incompleteBetaClosedForms_data();
    void incompleteBetaClosedForms();
    void inverseReturnsToP_data();
    void inverseReturnsToP();
    void publishedFQuantiles_data();
    void publishedFQuantiles();
    void fQuantileEdges();
    void feldtInterval();
    void splitHalfByHand();
    void splitHalfUndefined();
    void questionsFor080_data();
    void questionsFor080();
    void scoreBand_data();
    void scoreBand();
};

void TestReliability::incompleteBetaClosedForms_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("expected");
    // I_x(1, b) = 1 - (1 - x)^b, I_x(a, 1) = x^a, I_0.5(a, a) = 0.5.
    QTest::newRow("a=1") << 0.3 << 1.0 << 4.5 << 1.0 - std::pow(0.7, 4.5);
    QTest::newRow("b=1") << 0.8 << 7.0 << 1.0 << std::pow(0.8, 7.0);
    QTest::newRow("b=1 small x") << 0.01 << 2.5 << 1.0 << std::pow(0.01, 2.5);
    QTest::newRow("symmetric") << 0.5 << 13.5 << 13.5 << 0.5;
    QTest::newRow("symmetric large") << 0.5 << 5000.0 << 5000.0 << 0.5;
    QTest::newRow("x=0") << 0.0 << 2.0 << 3.0 << 0.0;
    QTest::newRow("x=1") << 1.0 << 2.0 << 3.0 << 1.0;
    QTest::newRow("x below 0") << -0.5 << 2.0 << 3.0 << 0.0;
}

void TestReliability::incompleteBetaClosedForms()
{
    QFETCH(double, x);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, expected);
    const double got = regularizedIncompleteBeta(x, a, b);
    QVERIFY2(std::abs(got - expected) <= 1e-10 * std::max(1e-3, std::abs(expected)),
            qPrintable(QString::number(got, 'g', 17)));
}

void TestReliability::inverseReturnsToP_data()
{
    QTest::addColumn<double>("p");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    for (const double p : {1e-6, 0.025, 0.5, 0.975, 0.999999}) {
        QTest::addRow("p=%g small", p) << p << 0.5 << 0.5;
        QTest::addRow("p=%g mixed", p) << p << 0.5 << 30.0;
        QTest::addRow("p=%g moderate", p) << p << 5.0 << 10.0;
        // The degrees of freedom of 10,000 students and 30 questions, halved.
        QTest::addRow("p=%g large", p) << p << 4999.5 << 144985.5;
    }
}

void TestReliability::inverseReturnsToP()
{
    QFETCH(double, p);
    QFETCH(double, a);
    QFETCH(double, b);
    const double x = inverseRegularizedIncompleteBeta(p, a, b);
    QVERIFY(x > 0.0 && x < 1.0);
    QVERIFY2(std::abs(regularizedIncompleteBeta(x, a, b) - p) <= 1e-10 * std::max(p, 1e-3),
            qPrintable(QString::number(x, 'g', 17)));
}

void TestReliability::publishedFQuantiles_data()
{
    QTest::addColumn<double>("p");
    QTest::addColumn<double>("df1");
    QTest::addColumn<double>("df2");
    QTest::addColumn<double>("expected");
    // Upper critical values of F as the statistical tables print them
    // (e.g. NIST/SEMATECH e-Handbook of Statistical Methods, 1.3.6.7.3),
    // to 4 decimals.
    QTest::newRow("0.95; 1, 1") << 0.95 << 1.0 << 1.0 << 161.4476;
    QTest::newRow("0.95; 1, 10") << 0.95 << 1.0 << 10.0 << 4.9646;
    QTest::newRow("0.95; 5, 10") << 0.95 << 5.0 << 10.0 << 3.3258;
    QTest::newRow("0.975; 2, 10") << 0.975 << 2.0 << 10.0 << 5.4564;
    QTest::newRow("0.975; 10, 20") << 0.975 << 10.0 << 20.0 << 2.7737;
    QTest::newRow("0.99; 3, 12") << 0.99 << 3.0 << 12.0 << 5.9525;
    // Lower quantiles: F(p; a, b) = 1 / F(1 - p; b, a).
    QTest::newRow("0.025; 10, 20") << 0.025 << 10.0 << 20.0 << 0.2925;
    // F(p; 2, 2) = p / (1 - p).
    QTest::newRow("0.95; 2, 2") << 0.95 << 2.0 << 2.0 << 19.0;
}

void TestReliability::publishedFQuantiles()
{
    QFETCH(double, p);
    QFETCH(double, df1);
    QFETCH(double, df2);
    QFETCH(double, expected);
    const double got = fQuantile(p, df1, df2);
    QVERIFY2(std::abs(got - expected) < 0.00005, qPrintable(QString::number(got, 'f', 6)));
}

void TestReliability::fQuantileEdges()
{
    QCOMPARE(fQuantile(0.0, 3, 4), 0.0);
    QVERIFY(std::isinf(fQuantile(1.0, 3, 4)));
    QVERIFY(std::isnan(fQuantile(0.5, 0, 4)));
    QVERIFY(std::isnan(fQuantile(0.5, 3, -1)));
    QVERIFY(std::isnan(fQuantile(std::nan(""), 3, 4)));
    // Reciprocity holds at every size, including the largest class.
    for (const auto &[a, b] : {std::pair{29.0, 812.0}, std::pair{9999.0, 289971.0}}) {
        const double upper = fQuantile(0.975, a, b);
        const double lower = fQuantile(0.025, b, a);
        QVERIFY2(std::abs(upper * lower - 1.0) < 1e-9, qPrintable(QString::number(upper)));
    }
}

void TestReliability::feldtInterval()
{
    // 11 students, 3 questions: df (10, 20). KR-20 = 0.8:
    // 1 - 0.2 * 2.7737 = 0.4453 and 1 - 0.2 * 0.2925 = 0.9415.
    const std::optional<Interval> interval = zavevad::feldtInterval(0.8, 11, 3);
    QVERIFY(interval);
    QVERIFY(std::abs(interval->lower - 0.44527) < 0.0001);
    QVERIFY(std::abs(interval->upper - 0.94150) < 0.0001);
    QVERIFY(!zavevad::feldtInterval(0.8, 1, 3));
    QVERIFY(!zavevad::feldtInterval(0.8, 11, 1));
    QVERIFY(!zavevad::feldtInterval(std::nan(""), 11, 3));
}

void TestReliability::splitHalfByHand()
{
    // Odd half q1 + q3, even half q2 + q4:
    //   1111: 2, 2   1110: 2, 1   1010: 2, 0   0100: 0, 1   0000: 0, 0
    // sum O = 6, sum E = 4, sum O^2 = 12, sum E^2 = 6, sum OE = 6, n = 5.
    // r = (5*6 - 6*4) / sqrt((5*12 - 36)(5*6 - 16)) = 6 / sqrt(336) = 0.327327
    // Spearman-Brown: 2r / (1 + r) = 0.493213
    const std::optional<SplitHalf> split =
            splitHalfReliability(classOf({"1111", "1110", "1010", "0100", "0000"}));
    QVERIFY(split);
    QVERIFY(std::abs(split->halfCorrelation - 0.327327) < 1e-6);
    QVERIFY(std::abs(split->reliability - 0.493213) < 1e-6);
}

void TestReliability::splitHalfUndefined()
{
    QVERIFY(!splitHalfReliability(classOf({"1", "0", "1"}))); // one question: no even half
    QVERIFY(!splitHalfReliability(classOf({"10"}))); // one student
    QVERIFY(!splitHalfReliability(classOf({"10", "11"}))); // the odd half does not vary
    // r = -1: the step-up would divide by zero.
    QVERIFY(!splitHalfReliability(classOf({"10", "01"})));
}

void TestReliability::questionsFor080_data()
{
    QTest::addColumn<qint64>("numerator");
    QTest::addColumn<qint64>("denominator");
    QTest::addColumn<int>("k");
    QTest::addColumn<qint64>("expected"); // -1: none
    // k 0.8 (1 - r) / (0.2 r)
    QTest::newRow("0.5, 10 questions") << qint64(1) << qint64(2) << 10 << qint64(40);
    QTest::newRow("0.6, 20: 53.3 up") << qint64(3) << qint64(5) << 20 << qint64(54);
    QTest::newRow("0.79, 10: 10.6 up") << qint64(79) << qint64(100) << 10 << qint64(11);
    QTest::newRow("shown as 0,80") << qint64(199) << qint64(250) << 10 << qint64(-1);
    QTest::newRow("0.9") << qint64(9) << qint64(10) << 10 << qint64(-1);
    QTest::newRow("0") << qint64(0) << qint64(1) << 10 << qint64(-1);
    QTest::newRow("negative") << qint64(-1) << qint64(4) << 10 << qint64(-1);
}

void TestReliability::questionsFor080()
{
    QFETCH(qint64, numerator);
    QFETCH(qint64, denominator);
    QFETCH(int, k);
    QFETCH(qint64, expected);
    const std::optional<std::int64_t> got =
            questionsForReliability080(Fraction{numerator, denominator}, k);
    QCOMPARE(got.value_or(-1), expected);
}

void TestReliability::scoreBand_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("k");
    QTest::addColumn<double>("half");
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");
    QTest::newRow("widened outwards") << 17 << 20 << 3.136 << 13 << 20;
    QTest::newRow("whole half width") << 10 << 20 << 3.0 << 7 << 13;
    QTest::newRow("cut at 0") << 1 << 20 << 2.5 << 0 << 4;
    QTest::newRow("no error") << 5 << 20 << 0.0 << 5 << 5;
    QTest::newRow("all points") << 20 << 20 << 1.2 << 18 << 20;
    QTest::newRow("not a number") << 5 << 20 << std::nan("") << 0 << 20;
}

void TestReliability::scoreBand()
{
    QFETCH(int, points);
    QFETCH(int, k);
    QFETCH(double, half);
    QFETCH(int, lower);
    QFETCH(int, upper);
    QCOMPARE(zavevad::scoreBand(points, k, half), (ScoreBand{lower, upper}));
}

QTEST_GUILESS_MAIN(TestReliability)
#include "tst_reliability.moc"
