#include "results/grading.h"
#include "results/thresholds.h"

#include <QTest>

using namespace zavevad;
using namespace Qt::StringLiterals;

namespace {

// A student whose first `correct` answers are right (answer byte `mark`).
UczenAll student(int correct, std::uint8_t mark = 1)
{
    UczenAll s;
    for (int k = 0; k < correct && k < kMaxQuestions; ++k)
        s.Odpowiedzi[k] = mark;
    return s;
}

} // namespace

class TestGrading : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void gradesOneStudent_data()
    {
        QTest::addColumn<int>("correct");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("percent");
        QTest::addColumn<QString>("grade");
        QTest::newRow("1 of 8: 12.5 -> 12") << 1 << 8 << 12 << u"Ndst"_s;
        QTest::newRow("3 of 8: 37.5 -> 38") << 3 << 8 << 38 << u"Ndst"_s;
        QTest::newRow("5 of 8: 62.5 -> 62") << 5 << 8 << 62 << u"Dst"_s;
        QTest::newRow("7 of 8: 87.5 -> 88") << 7 << 8 << 88 << u"Bdb"_s;
        QTest::newRow("2 of 3: 66.7 -> 67") << 2 << 3 << 67 << u"Dst"_s;
        QTest::newRow("19 of 20") << 19 << 20 << 95 << u"Cel"_s;
        QTest::newRow("30 of 30") << 30 << 30 << 100 << u"Cel"_s;
        QTest::newRow("0 of 1") << 0 << 1 << 0 << u"Ndst"_s;
        QTest::newRow("1 of 1") << 1 << 1 << 100 << u"Cel"_s;
    }
    void gradesOneStudent()
    {
        QFETCH(int, correct);
        QFETCH(int, questions);
        QFETCH(int, percent);
        QFETCH(QString, grade);
        Uczniowie students{student(correct)};
        ClassSummary summary;
        gradeStudents(students, questions, Thresholds{}, summary);
        QCOMPARE(students[0].Suma, correct);
        QCOMPARE(students[0].Procent, percent);
        QCOMPARE(students[0].Ocena, grade);
    }

    void anyNonzeroByteIsCorrectAndLaterBytesAreIgnored()
    {
        UczenAll s;
        s.Odpowiedzi[0] = 1;
        s.Odpowiedzi[1] = 2;
        s.Odpowiedzi[2] = 255;
        s.Odpowiedzi[3] = 0;
        for (int k = 12; k < kMaxQuestions; ++k)
            s.Odpowiedzi[k] = 0xA5; // questions 13 to 30 of a 12-question test
        Uczniowie students{s};
        ClassSummary summary;
        gradeStudents(students, 12, Thresholds{}, summary);
        QCOMPARE(students[0].Suma, 3);
        QCOMPARE(students[0].Procent, 25);

        QuestionStats stats{};
        stats[12] = {77, 77}; // above the question count: left alone
        computeQuestionStats(students, 12, stats);
        QCOMPARE(stats[1].correctCount, 1);
        QCOMPARE(stats[2].correctCount, 1);
        QCOMPARE(stats[3].correctCount, 0);
        QCOMPARE(stats[11].correctCount, 0);
        QCOMPARE(stats[12].correctCount, 77);
    }

    void gradeCountsGrowFromWhatTheyHold()
    {
        // 20 questions: 20, 19 Cel; 17 Bdb; 15 Db; 12 Dst; 10 Dop; 9, 0 Ndst.
        Uczniowie students{student(20), student(19), student(17), student(15), student(12),
                student(10), student(9), student(0)};
        ClassSummary summary;
        summary.ndst = 5;
        gradeStudents(students, 20, Thresholds{}, summary);
        QCOMPARE(summary.cel, 2);
        QCOMPARE(summary.bdb, 1);
        QCOMPARE(summary.db, 1);
        QCOMPARE(summary.dst, 1);
        QCOMPARE(summary.dop, 1);
        QCOMPARE(summary.ndst, 7);
    }

    void unknownGradeNameCountsAsNdst()
    {
        ClassSummary summary;
        countGrade(summary, u"cel");
        countGrade(summary, u"");
        countGrade(summary, u"Dop");
        QCOMPARE(summary.ndst, 2);
        QCOMPARE(summary.dop, 1);
        QCOMPARE(summary.cel, 0);
    }

    void tenStudentsWithSevenCorrect()
    {
        Uczniowie students(10, student(7));
        ClassSummary summary;
        gradeStudents(students, 10, Thresholds{}, summary);
        computeClassTotals(students, summary);
        QCOMPARE(summary.totalPoints, 70);
        QCOMPARE(summary.averagePoints100, 700);
        QCOMPARE(summary.dst, 10);
        QCOMPARE(classPercent(summary, 10), 70);
    }

    void classTotalsRoundHalfToEven()
    {
        // 1 + 0 + 0 + 0 + 0 + 0 + 0 + 0 points: average 0.125 -> 12.5 -> 12.
        Uczniowie students{student(1)};
        students.resize(8, student(0));
        ClassSummary summary;
        gradeStudents(students, 4, Thresholds{}, summary);
        computeClassTotals(students, summary);
        QCOMPARE(summary.totalPoints, 1);
        QCOMPARE(summary.averagePoints100, 12);
        // 12 / 4 = 3 percent.
        QCOMPARE(classPercent(summary, 4), 3);

        // 3 points over 8 students: 37.5 -> 38.
        students[1] = student(2);
        gradeStudents(students, 4, Thresholds{}, summary);
        computeClassTotals(students, summary);
        QCOMPARE(summary.averagePoints100, 38);
    }

    void questionStatistics()
    {
        // Question 1 right for 3 of 8 (37.5 -> 38), question 2 for 1 of 8 (12.5 -> 12).
        Uczniowie students(8);
        for (int i = 0; i < 3; ++i)
            students[i].Odpowiedzi[0] = 1;
        students[7].Odpowiedzi[1] = 9;
        QuestionStats stats{};
        computeQuestionStats(students, 2, stats);
        QCOMPARE(stats[0].correctCount, 3);
        QCOMPARE(stats[0].correctPercent, 38);
        QCOMPARE(stats[1].correctCount, 1);
        QCOMPARE(stats[1].correctPercent, 12);
    }

    void emptyListIsHarmless()
    {
        Uczniowie none;
        ClassSummary summary;
        QuestionStats stats{};
        gradeStudents(none, 5, Thresholds{}, summary);
        computeQuestionStats(none, 5, stats);
        computeClassTotals(none, summary);
        QCOMPARE(summary, ClassSummary{});
        QCOMPARE(stats[0].correctPercent, 0);
    }
};

QTEST_GUILESS_MAIN(TestGrading)
#include "tst_grading.moc"
