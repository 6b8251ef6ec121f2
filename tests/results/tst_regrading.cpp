#include "results/grading.h"
#include "results/regrading.h"
#include "results/thresholds.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zavevad;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(zavevad::Thresholds)

namespace {

constexpr int kQuestions = 20;

Thresholds thresholds(int dop, int dst, int db, int bdb, int cel)
{
    Thresholds t;
    t.dop = dop;
    t.dst = dst;
    t.db = db;
    t.bdb = bdb;
    t.cel = cel;
    return t;
}

/// A loaded class of 20 questions, graded as a load grades it; k points are 5k percent.
AnalysisState loadedClass(const QList<int> &points, const Thresholds &t)
{
    AnalysisState state;
    state.dataLoaded = true;
    state.tableMode = TableResults;
    state.questionCount = kQuestions;
    state.thresholds = t;
    int i = 0;
    for (int p : points) {
        UczenAll student;
        student.Nazwisko = QStringLiteral("Uczeń%1").arg(i++);
        student.Imie = QStringLiteral("Jan");
        student.LiczbaPytan = kQuestions;
        for (int k = 0; k < p; ++k)
            student.Odpowiedzi[static_cast<std::size_t>(k)] = 1;
        state.students.push_back(student);
    }
    state.studentCount = static_cast<std::int32_t>(state.students.size());
    gradeStudents(state.students, kQuestions, t, state.summary);
    computeQuestionStats(state.students, kQuestions, state.questions);
    computeClassTotals(state.students, state.summary);
    return state;
}

// Percentages 0, 50, 60, 75, 85, 95 and 100; the class's percentage is 66.
const QList<int> kPoints{0, 10, 12, 15, 17, 19, 20};

} // namespace

class TestRegrading : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void regradesEveryStudentAndTheCounts_data()
    {
        QTest::addColumn<Thresholds>("to");
        QTest::addColumn<QStringList>("grades");
        // Counts of Cel, Bdb, Db, Dst, Dop, Ndst.
        QTest::addColumn<QList<int>>("counts");
        QTest::addColumn<QString>("classGrade");

        QTest::newRow("defaults") << Thresholds{}
                                  << QStringList{u"Ndst"_s, u"Dop"_s, u"Dst"_s, u"Db"_s, u"Bdb"_s,
                                             u"Cel"_s, u"Cel"_s}
                                  << QList<int>{2, 1, 1, 1, 1, 1} << u"Dst"_s;
        // Dst and Db equal: "Dst" earns nothing, its percentages fall to "Dop".
        QTest::newRow("equal neighbours")
                << thresholds(50, 75, 75, 85, 95)
                << QStringList{u"Ndst"_s, u"Dop"_s, u"Dop"_s, u"Db"_s, u"Bdb"_s, u"Cel"_s, u"Cel"_s}
                << QList<int>{2, 1, 1, 0, 2, 1} << u"Dop"_s;
        QTest::newRow("all equal at 60") << thresholds(60, 60, 60, 60, 60)
                                         << QStringList{u"Ndst"_s, u"Ndst"_s, u"Cel"_s, u"Cel"_s,
                                                    u"Cel"_s, u"Cel"_s, u"Cel"_s}
                                         << QList<int>{5, 0, 0, 0, 0, 2} << u"Cel"_s;
        QTest::newRow("all 0") << thresholds(0, 0, 0, 0, 0) << QStringList(7, u"Cel"_s)
                               << QList<int>{7, 0, 0, 0, 0, 0} << u"Cel"_s;
        QTest::newRow("Dop at 0") << thresholds(0, 60, 75, 85, 95)
                                  << QStringList{u"Dop"_s, u"Dop"_s, u"Dst"_s, u"Db"_s, u"Bdb"_s,
                                             u"Cel"_s, u"Cel"_s}
                                  << QList<int>{2, 1, 1, 1, 2, 0} << u"Dst"_s;
        // 101 switches "Cel" off: "Bdb" reaches 100.
        QTest::newRow("Cel at 101")
                << thresholds(50, 60, 75, 85, 101)
                << QStringList{u"Ndst"_s, u"Dop"_s, u"Dst"_s, u"Db"_s, u"Bdb"_s, u"Bdb"_s, u"Bdb"_s}
                << QList<int>{0, 3, 1, 1, 1, 1} << u"Dst"_s;
        QTest::newRow("all 101") << thresholds(101, 101, 101, 101, 101) << QStringList(7, u"Ndst"_s)
                                 << QList<int>{0, 0, 0, 0, 0, 7} << u"Ndst"_s;
    }
    void regradesEveryStudentAndTheCounts()
    {
        QFETCH(Thresholds, to);
        QFETCH(QStringList, grades);
        QFETCH(QList<int>, counts);
        QFETCH(QString, classGrade);

        // Loaded under other thresholds, then regraded.
        AnalysisState state = loadedClass(kPoints, thresholds(40, 45, 55, 65, 70));
        const AnalysisState before = state;
        regradeAnalysis(state, to);

        QCOMPARE(state.thresholds, to);
        QStringList got;
        for (const UczenAll &s : state.students)
            got.append(s.Ocena);
        QCOMPARE(got, grades);
        const ClassSummary &c = state.summary;
        QCOMPARE((QList<int>{c.cel, c.bdb, c.db, c.dst, c.dop, c.ndst}), counts);
        QCOMPARE(gradeName(classPercent(state.summary, kQuestions), state.thresholds), classGrade);

        // Points, percentages, statistics and totals belong to the load and stay.
        QCOMPARE(c.totalPoints, before.summary.totalPoints);
        QCOMPARE(c.averagePoints100, before.summary.averagePoints100);
        for (std::size_t i = 0; i < state.students.size(); ++i) {
            QCOMPARE(state.students[i].Suma, before.students[i].Suma);
            QCOMPARE(state.students[i].Procent, before.students[i].Procent);
        }

        // The same as a load made under the new thresholds.
        const AnalysisState fresh = loadedClass(kPoints, to);
        QCOMPARE(state.summary, fresh.summary);
    }

    void regradingBackRestoresTheGrades()
    {
        AnalysisState state = loadedClass(kPoints, Thresholds{});
        const AnalysisState before = state;
        regradeAnalysis(state, thresholds(101, 101, 101, 101, 101));
        regradeAnalysis(state, Thresholds{});
        QCOMPARE(state.summary, before.summary);
        for (std::size_t i = 0; i < state.students.size(); ++i)
            QCOMPARE(state.students[i].Ocena, before.students[i].Ocena);
    }

    void withoutResultsOnlyTheThresholdsChange()
    {
        AnalysisState state;
        regradeAnalysis(state, thresholds(1, 2, 3, 4, 5));
        QCOMPARE(state.thresholds, thresholds(1, 2, 3, 4, 5));
        QCOMPARE(state.summary, ClassSummary{});
    }

    void rising_data()
    {
        QTest::addColumn<Thresholds>("t");
        QTest::addColumn<bool>("rises");
        QTest::newRow("defaults") << Thresholds{} << true;
        QTest::newRow("all equal") << thresholds(70, 70, 70, 70, 70) << true;
        QTest::newRow("0 to 101") << thresholds(0, 0, 50, 101, 101) << true;
        QTest::newRow("Dst below Dop") << thresholds(60, 50, 75, 85, 95) << false;
        QTest::newRow("Cel below Bdb") << thresholds(50, 60, 75, 95, 85) << false;
        QTest::newRow("Db below Dst by one") << thresholds(50, 60, 59, 85, 95) << false;
    }
    void rising()
    {
        QFETCH(Thresholds, t);
        QFETCH(bool, rises);
        QCOMPARE(thresholdsRise(t), rises);
    }

    void fileBytesAreTheFiveLines()
    {
        QCOMPARE(thresholdsFileBytes(Thresholds{}),
                QByteArray("Dp=50\r\nDst=60\r\nDb=75\r\nBdb=85\r\ncel=95\r\n"));
        QCOMPARE(thresholdsFileBytes(thresholds(0, 7, 7, 100, 101)),
                QByteArray("Dp=0\r\nDst=7\r\nDb=7\r\nBdb=100\r\ncel=101\r\n"));
    }

    void savedFileReadsBack_data()
    {
        QTest::addColumn<Thresholds>("t");
        QTest::newRow("defaults") << Thresholds{};
        QTest::newRow("edges") << thresholds(0, 0, 50, 101, 101);
        QTest::newRow("own") << thresholds(40, 55, 70, 80, 90);
    }
    void savedFileReadsBack()
    {
        QFETCH(Thresholds, t);
        QCOMPARE(parseThresholds(thresholdsFileBytes(t)), t);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile file(QDir(dir.path()).filePath(kThresholdsFileName.toString()));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(thresholdsFileBytes(t));
        file.close();
        QCOMPARE(loadThresholds(dir.path()), t);
    }
};

QTEST_GUILESS_MAIN(TestRegrading)
#include "tst_regrading.moc"
