#include "results/stanines.h"

#include <QTest>

#include <vector>

using namespace zavevad;

namespace {

/// A class of `counts[p]` students with p points each, on as many questions
/// as the highest score; students answer their first p questions right.
AnalysisState classWithCounts(const std::vector<int> &counts)
{
    AnalysisState state;
    const int k = std::max(static_cast<int>(counts.size()) - 1, 1);
    for (std::size_t p = 0; p < counts.size(); ++p) {
        for (int i = 0; i < counts[p]; ++i) {
            UczenAll student;
            for (std::size_t q = 0; q < p; ++q)
                student.Odpowiedzi[q] = 1;
            student.Suma = static_cast<std::int32_t>(p);
            state.students.push_back(student);
        }
    }
    state.questionCount = k;
    state.studentCount = static_cast<std::int32_t>(state.students.size());
    return state;
}

} // namespace

class TestStanines : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scale_data();
    void scale();
    void bandEdges_data();
    void bandEdges();
    void descriptions();
    void shares();
};

void TestStanines::scale_data()
{
    QTest::addColumn<std::vector<int>>("counts"); // students with 0, 1, ... points
    QTest::addColumn<std::vector<qint64>>("ranks"); // tenths, per score
    QTest::addColumn<std::vector<int>>("stanines"); // per score
    QTest::addColumn<std::vector<int>>("distribution"); // students per stanine 1..9

    // n = 100, so PR = below + equal / 2 lands exactly on the band edges:
    // 0 + 8/2 = 4, 8 + 6/2 = 11, 14 + 18/2 = 23, 32 + 16/2 = 40,
    // 48 + 24/2 = 60, 72 + 10/2 = 77, 82 + 14/2 = 89, 96 + 4/2 = 98.
    // An edge belongs to the band above it.
    QTest::newRow("every edge") << std::vector<int>{8, 6, 18, 16, 24, 10, 14, 4}
                                << std::vector<qint64>{40, 110, 230, 400, 600, 770, 890, 980}
                                << std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9}
                                << std::vector<int>{0, 8, 6, 18, 16, 24, 10, 14, 4};
    // 92 + 8/2 = 96: the top edge.
    QTest::newRow("96") << std::vector<int>{92, 8} << std::vector<qint64>{460, 960}
                        << std::vector<int>{5, 9} << std::vector<int>{0, 0, 0, 0, 92, 0, 0, 0, 8};
    // n = 1000: 39/2 / 10 = 1.95 shows 2,0 (half to even); 39.5 / 10 = 3.95
    // shows 4,0 and is judged as shown: stanine 2; 40 + 480 = 520 / 10 = 52.
    QTest::newRow("rounded to the edge")
            << std::vector<int>{39, 1, 960} << std::vector<qint64>{20, 40, 520}
            << std::vector<int>{1, 2, 5} << std::vector<int>{39, 1, 0, 0, 960, 0, 0, 0, 0};
    QTest::newRow("one student") << std::vector<int>{0, 1} << std::vector<qint64>{0, 500}
                                 << std::vector<int>{1, 5}
                                 << std::vector<int>{0, 0, 0, 0, 1, 0, 0, 0, 0};
    QTest::newRow("everyone equal")
            << std::vector<int>{0, 0, 7} << std::vector<qint64>{0, 0, 500}
            << std::vector<int>{1, 1, 5} << std::vector<int>{0, 0, 0, 0, 7, 0, 0, 0, 0};
    QTest::newRow("nobody") << std::vector<int>{0, 0} << std::vector<qint64>{0, 0}
                            << std::vector<int>{1, 1}
                            << std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0, 0};
}

void TestStanines::scale()
{
    QFETCH(std::vector<int>, counts);
    QFETCH(std::vector<qint64>, ranks);
    QFETCH(std::vector<int>, stanines);
    QFETCH(std::vector<int>, distribution);
    const StanineScale s = computeStanines(classWithCounts(counts));
    QCOMPARE(s.withPoints.size(), counts.size());
    for (std::size_t p = 0; p < counts.size(); ++p) {
        QCOMPARE(s.withPoints[p], counts[p]);
        QCOMPARE(s.rankTenths[p], ranks[p]);
        QCOMPARE(int(s.stanine[p]), stanines[p]);
    }
    for (std::size_t i = 0; i < 9; ++i)
        QCOMPARE(s.stanineCounts[i], distribution[i]);
}

void TestStanines::bandEdges_data()
{
    QTest::addColumn<int>("tenths");
    QTest::addColumn<int>("stanine");
    const int edges[] = {40, 110, 230, 400, 600, 770, 890, 960};
    for (int i = 0; i < 8; ++i) {
        QTest::addRow("%d below", edges[i]) << edges[i] - 1 << i + 1;
        QTest::addRow("%d", edges[i]) << edges[i] << i + 2;
    }
    QTest::newRow("0") << 0 << 1;
    QTest::newRow("100") << 1000 << 9;
}

void TestStanines::bandEdges()
{
    QFETCH(int, tenths);
    QFETCH(int, stanine);
    QCOMPARE(stanineOfRank(tenths), stanine);
}

void TestStanines::descriptions()
{
    QCOMPARE(stanineDescription(1), QStringLiteral("najniższy"));
    QCOMPARE(stanineDescription(4), QStringLiteral("niżej średni"));
    QCOMPARE(stanineDescription(7), QStringLiteral("wysoki"));
    QCOMPARE(stanineDescription(9), QStringLiteral("najwyższy"));
    QVERIFY(stanineDescription(0).isEmpty());
    QVERIFY(stanineDescription(10).isEmpty());
    int norm = 0;
    for (const int share : kStanineNorm)
        norm += share;
    QCOMPARE(norm, 100);
}

void TestStanines::shares()
{
    QCOMPARE(shareTenths(1, 3), 333); // 33,3
    QCOMPARE(shareTenths(1, 8), 125); // 12,5 exactly
    QCOMPARE(shareTenths(1, 16), 62); // 6,25 to the even 6,2
    QCOMPARE(shareTenths(3, 16), 188); // 18,75 to the even 18,8
    QCOMPARE(shareTenths(5, 0), 0);
}

QTEST_GUILESS_MAIN(TestStanines)
#include "tst_stanines.moc"
