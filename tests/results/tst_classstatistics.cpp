#include "results/classstatistics.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

using namespace zavevad;

namespace {

/// Student i answers question q (0-based) right when (i * 7 + q * 3) % `modulus`
/// is not 0, starts at day 1 + i / 100 and works i % 9 + 1 hundredths of a day.
Uczniowie classOf(int students, int modulus)
{
    Uczniowie list(static_cast<std::size_t>(students));
    for (int i = 0; i < students; ++i) {
        UczenAll &s = list[static_cast<std::size_t>(i)];
        for (int q = 0; q < kMaxQuestions; ++q)
            s.Odpowiedzi[static_cast<std::size_t>(q)] = (i * 7 + q * 3) % modulus != 0 ? 1 : 0;
        s.Poczatek = 1 + i / 100.0;
        s.Koniec = s.Poczatek + (i % 9 + 1) / 100.0;
    }
    return list;
}

int pointsOf(const UczenAll &s, int k)
{
    int x = 0;
    for (int q = 1; q <= k; ++q)
        x += s.correct(q) ? 1 : 0;
    return x;
}

} // namespace

class TestClassStatistics : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void agreesWithNaive_data()
    {
        QTest::addColumn<int>("students");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("modulus");
        QTest::addColumn<int>("step"); // every step-th student is a member
        QTest::newRow("none") << 0 << 5 << 3 << 1;
        QTest::newRow("one") << 1 << 5 << 3 << 1;
        QTest::newRow("even class") << 24 << 12 << 4 << 1;
        QTest::newRow("odd class") << 25 << 30 << 5 << 1;
        QTest::newRow("every third of a school") << 301 << 20 << 3 << 3;
        QTest::newRow("no questions") << 6 << 0 << 3 << 1;
    }

    void agreesWithNaive()
    {
        QFETCH(int, students);
        QFETCH(int, questions);
        QFETCH(int, modulus);
        QFETCH(int, step);
        const Uczniowie list = classOf(students, modulus);
        std::vector<std::size_t> members;
        for (int i = 0; i < students; i += step)
            members.push_back(static_cast<std::size_t>(i));
        const ClassStatistics s = computeClassStatistics(list, members, questions);

        const auto n = static_cast<std::int64_t>(members.size());
        std::vector<int> points;
        long double time = 0;
        for (std::size_t m : members) {
            points.push_back(pointsOf(list[m], questions));
            time += static_cast<long double>(list[m].Koniec)
                    - static_cast<long double>(list[m].Poczatek);
        }
        QCOMPARE(s.studentCount, n);
        QCOMPARE(s.pointsTotal, std::accumulate(points.begin(), points.end(), std::int64_t{0}));
        std::vector<int> sorted = points;
        std::sort(sorted.begin(), sorted.end());
        if (n == 0) {
            QVERIFY(!s.mean() && !s.median() && !s.standardDeviation());
            QCOMPARE(s.averageWorkingTime, 0.0);
            QCOMPARE(s.questionPercent(1), 0);
        } else {
            const std::size_t mid = static_cast<std::size_t>(n / 2);
            const int twice = n % 2 ? 2 * sorted[mid] : sorted[mid - 1] + sorted[mid];
            QCOMPARE(s.medianPoints2(), twice);
            QCOMPARE(s.median()->value(), twice / 2.0);
            QCOMPARE(s.mean()->value() * n, static_cast<double>(s.pointsTotal));
            QCOMPARE(s.averageWorkingTime, static_cast<double>(time / n));
            double squares = 0;
            const double mean = s.mean()->value();
            for (int x : points)
                squares += (x - mean) * (x - mean);
            QVERIFY(std::abs(*s.standardDeviation() - std::sqrt(squares / n)) < 1e-9);
        }
        // "Fewer than p points" for every p, also beyond the scores.
        for (int p = -1; p <= questions + 3; ++p) {
            const auto below =
                    std::count_if(points.begin(), points.end(), [p](int x) { return x < p; });
            QCOMPARE(s.studentsBelow(p), static_cast<std::int32_t>(p < 0 ? 0 : below));
        }
        for (int q = 1; q <= questions; ++q) {
            const auto right = std::count_if(members.begin(), members.end(),
                    [&](std::size_t m) { return list[m].correct(q); });
            QCOMPARE(s.correct[static_cast<std::size_t>(q - 1)], right);
            if (n > 0)
                QCOMPARE(s.questionPercent(q),
                        static_cast<std::int32_t>(std::nearbyint(100.0 * right / n)));
        }
    }
};

QTEST_GUILESS_MAIN(TestClassStatistics)
#include "tst_classstatistics.moc"
