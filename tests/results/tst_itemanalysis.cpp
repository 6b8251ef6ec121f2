#include "results/itemanalysis.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>

using namespace zavevad;
using namespace Qt::StringLiterals;

namespace {

/// A class from answer strings, one per student in list order ("101": questions
/// 1 and 3 right).
AnalysisState classOf(std::initializer_list<const char *> answers)
{
    AnalysisState state;
    for (const char *line : answers) {
        UczenAll student;
        const int k = static_cast<int>(std::strlen(line));
        for (int q = 0; q < k; ++q)
            student.Odpowiedzi[static_cast<std::size_t>(q)] = line[q] == '1' ? 1 : 0;
        student.LiczbaPytan = k;
        state.questionCount = k;
        state.students.push_back(student);
    }
    state.studentCount = static_cast<std::int32_t>(state.students.size());
    return state;
}

Fraction frac(std::int64_t numerator, std::int64_t denominator)
{
    return {numerator, denominator};
}

bool near(double a, double b)
{
    return std::abs(a - b) < 1e-9;
}

// The statistics straight from their definitions, with two passes over
// deviations and a stable sort: a second opinion on the one-pass sums.
struct Reference
{
    std::vector<double> p, r, d, kr20Without;
    std::vector<bool> rDefined, kr20WithoutDefined;
    double mean = 0, median = 0, sigma = 0, kr20 = 0;
    bool kr20Defined = false;
};

double variance(const std::vector<double> &values)
{
    const double mean = std::accumulate(values.begin(), values.end(), 0.0) / values.size();
    double sum = 0;
    for (double v : values)
        sum += (v - mean) * (v - mean);
    return sum / values.size();
}

std::optional<double> pearson(const std::vector<double> &a, const std::vector<double> &b)
{
    const double ma = std::accumulate(a.begin(), a.end(), 0.0) / a.size();
    const double mb = std::accumulate(b.begin(), b.end(), 0.0) / b.size();
    double cov = 0, va = 0, vb = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        cov += (a[i] - ma) * (b[i] - mb);
        va += (a[i] - ma) * (a[i] - ma);
        vb += (b[i] - mb) * (b[i] - mb);
    }
    if (va < 1e-12 || vb < 1e-12)
        return std::nullopt;
    return cov / std::sqrt(va * vb);
}

std::optional<double> referenceKr20(const std::vector<std::vector<int>> &answers, int skip)
{
    const std::size_t n = answers.size();
    const int k = static_cast<int>(answers[0].size());
    std::vector<double> totals(n, 0.0);
    double pq = 0;
    int used = 0;
    for (int q = 0; q < k; ++q) {
        if (q == skip)
            continue;
        ++used;
        double c = 0;
        for (std::size_t s = 0; s < n; ++s) {
            c += answers[s][static_cast<std::size_t>(q)];
            totals[s] += answers[s][static_cast<std::size_t>(q)];
        }
        const double p = c / n;
        pq += p * (1 - p);
    }
    const double var = variance(totals);
    if (n < 2 || used < 2 || var < 1e-12)
        return std::nullopt;
    return used / (used - 1.0) * (1 - pq / var);
}

} // namespace

class TestItemAnalysis : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void smallClassByHand();
    void undefinedCases_data();
    void undefinedCases();
    void groupSize_data();
    void groupSize();
    void tiesKeepTheListOrderInBothGroups();
    void difficultyBandsFromTheShownShare_data();
    void difficultyBandsFromTheShownShare();
    void discriminationFlags();
    void flagsFollowTheShownValue_data();
    void flagsFollowTheShownValue();
    void hundredthsRoundHalvesToEven_data();
    void hundredthsRoundHalvesToEven();
    void largeClassAgreesWithTheDefinitions();
};

void TestItemAnalysis::smallClassByHand()
{
    // Scores 3, 2, 1, 0. p = 3/4, 2/4, 1/4; sum p(1-p) = 10/16; sigma^2 = 20/16;
    // KR-20 = 3/2 * (1 - 1/2) = 0.75.
    const ItemAnalysis a = computeItemAnalysis(classOf({"111", "110", "100", "000"}));
    QCOMPARE(a.studentCount, 4);
    QCOMPARE(a.questionCount, 3);
    QCOMPARE(a.items.size(), std::size_t(3));
    QCOMPARE(a.kr20, frac(3, 4));
    QCOMPARE(a.mean, frac(3, 2));
    QCOMPARE(a.median, frac(3, 2));
    QVERIFY(near(*a.standardDeviation, std::sqrt(1.25)));
    QVERIFY(near(*a.standardError, std::sqrt(1.25) * 0.5));
    QCOMPARE(a.groupSize, 1);

    const int correct[] = {3, 2, 1};
    // Question 1 against rest scores 2,1,0,0: cov 3/16, var 3/16 and 11/16.
    const double r[] = {3 / std::sqrt(33.0), 1 / std::sqrt(2.0), 3 / std::sqrt(33.0)};
    const Fraction without[] = {frac(8, 11), frac(1, 2), frac(8, 11)};
    for (std::size_t q = 0; q < 3; ++q) {
        const ItemStats &item = a.items[q];
        QCOMPARE(item.correct, correct[q]);
        QCOMPARE(item.difficulty.value(), correct[q] / 4.0);
        QVERIFY2(near(*item.discrimination, r[q]), qPrintable(QString::number(q + 1)));
        QCOMPARE(item.upperLower, frac(1, 1));
        QCOMPARE(item.kr20WithoutItem, without[q]);
    }
    QCOMPARE(hundredths(*a.kr20), 75);
    QCOMPARE(hundredths(*a.standardDeviation), 112);
    QCOMPARE(hundredths(*a.standardError), 56);
    QCOMPARE(hundredths(*a.items[0].discrimination), 52);
    QCOMPARE(hundredths(*a.items[0].kr20WithoutItem), 73);
}

void TestItemAnalysis::undefinedCases_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<bool>("rDefined");
    QTest::addColumn<bool>("dDefined");
    QTest::addColumn<bool>("kr20Defined");
    QTest::addColumn<bool>("kr20WithoutDefined");
    QTest::addColumn<double>("sigma");
    QTest::addColumn<int>("flag");
    QTest::newRow("one student") << QStringList{u"110"_s} << false << false << false << false << 0.0
                                 << int(DiscriminationFlag::NoVariation);
    QTest::newRow("one question") << QStringList{u"1"_s, u"0"_s, u"1"_s} << false << true << false
                                  << false << std::sqrt(2.0) / 3
                                  << int(DiscriminationFlag::Undefined);
    QTest::newRow("two questions") << QStringList{u"11"_s, u"10"_s, u"00"_s} << true << true << true
                                   << false << std::sqrt(6.0) / 3 << int(DiscriminationFlag::None);
    QTest::newRow("everybody right")
            << QStringList{u"111"_s, u"111"_s, u"111"_s} << false << true << false << false << 0.0
            << int(DiscriminationFlag::NoVariation);
    QTest::newRow("everybody wrong") << QStringList{u"000"_s, u"000"_s} << false << true << false
                                     << false << 0.0 << int(DiscriminationFlag::NoVariation);
}

void TestItemAnalysis::undefinedCases()
{
    QFETCH(QStringList, answers);
    QFETCH(bool, rDefined);
    QFETCH(bool, dDefined);
    QFETCH(bool, kr20Defined);
    QFETCH(bool, kr20WithoutDefined);
    QFETCH(double, sigma);
    QFETCH(int, flag);
    AnalysisState state;
    for (const QString &line : answers) {
        UczenAll student;
        for (qsizetype q = 0; q < line.size(); ++q)
            student.Odpowiedzi[static_cast<std::size_t>(q)] = line.at(q) == u'1' ? 1 : 0;
        state.students.push_back(student);
    }
    state.studentCount = static_cast<std::int32_t>(answers.size());
    state.questionCount = static_cast<std::int32_t>(answers.first().size());

    const ItemAnalysis a = computeItemAnalysis(state);
    QCOMPARE(a.kr20.has_value(), kr20Defined);
    QCOMPARE(a.standardError.has_value(), kr20Defined);
    QVERIFY(a.mean && a.median && a.standardDeviation);
    QVERIFY(near(*a.standardDeviation, sigma));
    QCOMPARE(a.items[0].discrimination.has_value(), rDefined);
    QCOMPARE(a.items[0].upperLower.has_value(), dDefined);
    QCOMPARE(a.items[0].kr20WithoutItem.has_value(), kr20WithoutDefined);
    // "brak zmienności" only for a question whose own answers do not vary.
    QCOMPARE(int(a.items[0].discriminationFlag()), flag);
}

void TestItemAnalysis::groupSize_data()
{
    QTest::addColumn<int>("students");
    QTest::addColumn<int>("groupSize");
    QTest::newRow("1: none") << 1 << 0;
    QTest::newRow("2") << 2 << 1;
    QTest::newRow("5: 1.85") << 5 << 1;
    QTest::newRow("6: 2.12") << 6 << 2;
    QTest::newRow("10: 3.2") << 10 << 3;
    QTest::newRow("40: 11.3") << 40 << 11;
    // 0.27 * 50 + 0.5 is exactly 14 and must not fall to 13.
    QTest::newRow("50: 14.0") << 50 << 14;
    QTest::newRow("150: 41.0") << 150 << 41;
}

void TestItemAnalysis::groupSize()
{
    QFETCH(int, students);
    QFETCH(int, groupSize);
    AnalysisState state;
    state.students.resize(static_cast<std::size_t>(students));
    state.studentCount = students;
    state.questionCount = 2;
    QCOMPARE(computeItemAnalysis(state).groupSize, groupSize);
}

void TestItemAnalysis::tiesKeepTheListOrderInBothGroups()
{
    // Scores 2,1,1,1,1,0,1,0,1,1; ten students, groups of 3. Ranked: S1, then
    // the seven ones in list order (S2 S3 S4 S5 S7 S9 S10), then S6 S8. Upper:
    // S1 S2 S3; lower: S10 S6 S8.
    const ItemAnalysis a = computeItemAnalysis(
            classOf({"11", "10", "10", "01", "01", "00", "01", "00", "01", "10"}));
    QCOMPARE(a.groupSize, 3);
    QCOMPARE(a.items[0].upperLower, frac(2, 3)); // upper 3, lower 1
    QCOMPARE(a.items[1].upperLower, frac(1, 3)); // upper 1, lower 0
    // Median of 0,0,1,1,1,1,1,1,1,2.
    QCOMPARE(a.median, frac(1, 1));
}

void TestItemAnalysis::difficultyBandsFromTheShownShare_data()
{
    QTest::addColumn<int>("correct");
    QTest::addColumn<int>("students");
    QTest::addColumn<int>("band");
    QTest::newRow("0") << 0 << 10 << int(Difficulty::VeryHard);
    QTest::newRow("0.19") << 19 << 100 << int(Difficulty::VeryHard);
    QTest::newRow("0.20") << 1 << 5 << int(Difficulty::Hard);
    QTest::newRow("0.49") << 49 << 100 << int(Difficulty::Hard);
    QTest::newRow("0.50") << 1 << 2 << int(Difficulty::ModeratelyHard);
    QTest::newRow("0.69") << 69 << 100 << int(Difficulty::ModeratelyHard);
    QTest::newRow("0.70") << 7 << 10 << int(Difficulty::Easy);
    // The category of the two decimals shown: "0,90" is never "łatwe".
    QTest::newRow("0.899") << 899 << 1000 << int(Difficulty::VeryEasy);
    QTest::newRow("0.885 shows 0,88") << 177 << 200 << int(Difficulty::Easy);
    QTest::newRow("0.1996 shows 0,20") << 499 << 2500 << int(Difficulty::Hard);
    QTest::newRow("0.90") << 9 << 10 << int(Difficulty::VeryEasy);
    QTest::newRow("1") << 3 << 3 << int(Difficulty::VeryEasy);
}

void TestItemAnalysis::difficultyBandsFromTheShownShare()
{
    QFETCH(int, correct);
    QFETCH(int, students);
    QFETCH(int, band);
    ItemStats item;
    item.difficulty = frac(correct, students);
    QCOMPARE(int(item.difficultyBand()), band);
}

void TestItemAnalysis::discriminationFlags()
{
    // Same scores for all (2 of 3): KR-20 is undefined, yet each question
    // varies against its rest score and comes out perfectly negative.
    const ItemAnalysis a = computeItemAnalysis(classOf({"110", "101", "011"}));
    QVERIFY(!a.kr20);
    QVERIFY(near(*a.standardDeviation, 0));
    for (const ItemStats &item : a.items) {
        QVERIFY(near(*item.discrimination, -1));
        QCOMPARE(item.discriminationFlag(), DiscriminationFlag::Negative);
        QCOMPARE(item.kr20WithoutItem, frac(-2, 1));
    }
    // Ties ranked in list order: upper 110, lower 011.
    QCOMPARE(a.items[0].upperLower, frac(1, 1));
    QCOMPARE(a.items[1].upperLower, frac(0, 1));
    QCOMPARE(a.items[2].upperLower, frac(-1, 1));
}

void TestItemAnalysis::flagsFollowTheShownValue_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<int>("flag");
    // Shown as 0,00, 0,20, 0,20, 0,19, 0,00 and -0,01.
    QTest::newRow("-0.0027") << -0.0027 << int(DiscriminationFlag::Weak);
    QTest::newRow("0.1987") << 0.1987 << int(DiscriminationFlag::None);
    QTest::newRow("0.2049") << 0.2049 << int(DiscriminationFlag::None);
    QTest::newRow("0.1949") << 0.1949 << int(DiscriminationFlag::Weak);
    QTest::newRow("-0.005 to even") << -0.005 << int(DiscriminationFlag::Weak);
    QTest::newRow("-0.0051") << -0.0051 << int(DiscriminationFlag::Negative);
}

void TestItemAnalysis::flagsFollowTheShownValue()
{
    QFETCH(double, r);
    QFETCH(int, flag);
    ItemStats item;
    item.difficulty = frac(3, 5);
    item.discrimination = r;
    QCOMPARE(int(item.discriminationFlag()), flag);
}

void TestItemAnalysis::hundredthsRoundHalvesToEven_data()
{
    QTest::addColumn<qint64>("numerator");
    QTest::addColumn<qint64>("denominator");
    QTest::addColumn<qint64>("expected");
    // 1/40 * 100 is 2.5000000000000004 in floating point; the exact tie goes
    // to the even 2.
    QTest::newRow("1/40") << qint64(1) << qint64(40) << qint64(2);
    QTest::newRow("3/40") << qint64(3) << qint64(40) << qint64(8);
    QTest::newRow("1/8") << qint64(1) << qint64(8) << qint64(12);
    QTest::newRow("17/20") << qint64(17) << qint64(20) << qint64(85);
    QTest::newRow("-1/8") << qint64(-1) << qint64(8) << qint64(-12);
    QTest::newRow("8/11") << qint64(8) << qint64(11) << qint64(73);
    QTest::newRow("-2/3") << qint64(-2) << qint64(3) << qint64(-67);
}

void TestItemAnalysis::hundredthsRoundHalvesToEven()
{
    QFETCH(qint64, numerator);
    QFETCH(qint64, denominator);
    QFETCH(qint64, expected);
    QCOMPARE(hundredths(frac(numerator, denominator)), expected);
}

void TestItemAnalysis::largeClassAgreesWithTheDefinitions()
{
    // 40 students, 30 questions, answers from a fixed pseudo-random sequence
    // whose chance of a right answer grows with the student's ability and
    // falls with the question's difficulty; question 7 is answered right by
    // everybody and question 30 favours the weaker students.
    AnalysisState state;
    std::vector<std::vector<int>> answers;
    std::uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % 100;
    };
    for (int s = 0; s < 40; ++s) {
        UczenAll student;
        std::vector<int> row;
        for (int q = 0; q < 30; ++q) {
            int chance = 30 + s * 1 + (30 - q);
            if (q == 29)
                chance = 90 - 2 * s;
            const bool right = q == 6 || static_cast<int>(next()) < chance;
            student.Odpowiedzi[static_cast<std::size_t>(q)] = right ? 1 : 0;
            row.push_back(right ? 1 : 0);
        }
        state.students.push_back(student);
        answers.push_back(row);
    }
    state.studentCount = 40;
    state.questionCount = 30;
    const ItemAnalysis a = computeItemAnalysis(state);

    std::vector<double> totals(40, 0.0);
    for (int s = 0; s < 40; ++s)
        totals[static_cast<std::size_t>(s)] =
                std::accumulate(answers[s].begin(), answers[s].end(), 0);
    std::vector<int> order(40);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
            [&](int x, int y) { return totals[std::size_t(x)] > totals[std::size_t(y)]; });
    std::vector<double> sorted = totals;
    std::sort(sorted.begin(), sorted.end());

    QCOMPARE(a.groupSize, 11);
    QVERIFY(near(a.mean->value(), std::accumulate(totals.begin(), totals.end(), 0.0) / 40));
    QVERIFY(near(a.median->value(), (sorted[19] + sorted[20]) / 2));
    QVERIFY(near(*a.standardDeviation, std::sqrt(variance(totals))));
    const std::optional<double> kr20 = referenceKr20(answers, -1);
    QVERIFY(kr20 && a.kr20);
    QVERIFY(near(a.kr20->value(), *kr20));
    QVERIFY(near(*a.standardError, std::sqrt(variance(totals)) * std::sqrt(1 - *kr20)));

    bool negativeSeen = false;
    for (int q = 0; q < 30; ++q) {
        const ItemStats &item = a.items[static_cast<std::size_t>(q)];
        std::vector<double> itemScores, rest;
        double c = 0;
        for (int s = 0; s < 40; ++s) {
            const int right = answers[std::size_t(s)][std::size_t(q)];
            itemScores.push_back(right);
            rest.push_back(totals[std::size_t(s)] - right);
            c += right;
        }
        QCOMPARE(item.correct, int(c));
        QVERIFY(near(item.difficulty.value(), c / 40));
        const std::optional<double> r = pearson(itemScores, rest);
        QCOMPARE(item.discrimination.has_value(), r.has_value());
        if (r)
            QVERIFY2(near(*item.discrimination, *r), qPrintable(QString::number(q + 1)));
        negativeSeen = negativeSeen || (r && *r < 0);
        double upper = 0, lower = 0;
        for (int i = 0; i < 11; ++i) {
            upper += answers[std::size_t(order[std::size_t(i)])][std::size_t(q)];
            lower += answers[std::size_t(order[std::size_t(39 - i)])][std::size_t(q)];
        }
        QVERIFY(near(item.upperLower->value(), (upper - lower) / 11));
        const std::optional<double> without = referenceKr20(answers, q);
        QCOMPARE(item.kr20WithoutItem.has_value(), without.has_value());
        if (without)
            QVERIFY(near(item.kr20WithoutItem->value(), *without));
    }
    QVERIFY(!a.items[6].discrimination);
    QVERIFY(negativeSeen);
}

QTEST_GUILESS_MAIN(TestItemAnalysis)
#include "tst_itemanalysis.moc"
