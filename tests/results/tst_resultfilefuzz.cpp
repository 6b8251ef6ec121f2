#include "resultfilewriter.h"
#include "results/grading.h"
#include "results/loader.h"
#include "results/resultfile.h"
#include "results/thresholds.h"

#include <QTest>

#include <cstring>
#include <limits>
#include <random>

using namespace zavevad;
using namespace zavevad::test;

namespace {

// Everything a later step does with a record: the derived values, the
// sort, grading and statistics. Sanitizers watch for misbehaviour.
void useAll(Uczniowie &students)
{
    if (students.empty())
        return;
    sortStudents(students);
    ClassSummary summary;
    QuestionStats stats{};
    const std::int32_t questions = students.front().LiczbaPytan;
    gradeStudents(students, questions, Thresholds{}, summary);
    computeQuestionStats(students, questions, stats);
    computeClassTotals(students, summary);
    for (const UczenAll &s : students) {
        QVERIFY(s.Nazwisko.size() <= 20 && s.Imie.size() <= 20 && s.NazwaTestu.size() <= 30);
        QVERIFY(s.Suma >= 0 && s.Suma <= questions);
        QVERIFY(s.Procent >= 0 && s.Procent <= 100);
        QVERIFY(!s.displayName().isNull());
        (void)s.workingTime();
    }
    QVERIFY(classPercent(summary, questions) >= 0);
}

void checkAccepted(const ResultFileRead &read)
{
    if (!read.ok())
        return;
    QVERIFY(read.record.LiczbaPytan >= 1 && read.record.LiczbaPytan <= kMaxQuestions);
}

} // namespace

class TestResultFileFuzz : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void randomRecords()
    {
        std::mt19937 random(20261116);
        std::uniform_int_distribution<int> byte(0, 255);
        Uczniowie accepted;
        int acceptedCount = 0;
        for (int n = 0; n < 20000; ++n) {
            QByteArray record(kResultRecordSize, Qt::Uninitialized);
            for (char &c : record)
                c = static_cast<char>(byte(random));
            // Half of the records get plausible lengths and counts, so that
            // the reader's later steps see random content too.
            if (n % 2 == 0) {
                record[0] = char(byte(random) % 21);
                record[21] = char(byte(random) % 21);
                record[72] = char(byte(random) % 31);
                const qint32 count = 1 + byte(random) % 30;
                std::memcpy(record.data() + 104, &count, 4);
            }
            const ResultFileRead read = parseResultRecord(record);
            checkAccepted(read);
            if (read.ok()) {
                ++acceptedCount;
                accepted.emplace_back(read.record);
            }
            if (accepted.size() == 200) {
                useAll(accepted);
                accepted.clear();
            }
        }
        useAll(accepted);
        QVERIFY(acceptedCount >= 10000);
    }

    void boundaryRecords()
    {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        const QList<int> lengths{0, 20, 21, 30, 31, 255};
        const QList<qint32> counts{std::numeric_limits<qint32>::min(), -1, 0, 1, 2, 29, 30, 31, 255,
                256, std::numeric_limits<qint32>::max()};
        const QList<double> dates{0.0, -0.0, nan, -nan, inf, -inf, 1e308, -1e308,
                std::numeric_limits<double>::denorm_min(), 46342.5};

        Uczniowie accepted;
        int acceptedCount = 0;
        int dateIndex = 0;
        for (const int surname : lengths) {
            for (const int firstName : lengths) {
                for (const int testName : lengths) {
                    for (const qint32 count : counts) {
                        ResultFileSpec fileSpec;
                        fileSpec.filler = char(0xB3); // 'ł' in every unused byte
                        fileSpec.surnameLength = std::uint8_t(surname);
                        fileSpec.firstNameLength = std::uint8_t(firstName);
                        fileSpec.testNameLength = std::uint8_t(testName);
                        fileSpec.questionCount = count;
                        fileSpec.answers = QByteArray(30, char(0xFF));
                        fileSpec.start = dates[dateIndex++ % dates.size()];
                        fileSpec.end = dates[dateIndex % dates.size()];
                        const ResultFileRead read = parseResultRecord(resultFileBytes(fileSpec));
                        checkAccepted(read);
                        const bool fits = surname <= 20 && firstName <= 20 && testName <= 30
                                && count >= 1 && count <= 30;
                        QCOMPARE(read.ok(), fits);
                        if (read.ok()) {
                            ++acceptedCount;
                            accepted.emplace_back(read.record);
                        }
                    }
                }
            }
        }
        // Surname and first name 0 or 20, test name 0, 20, 21 or 30, four counts.
        QCOMPARE(acceptedCount, 2 * 2 * 4 * 4);
        useAll(accepted);
    }

    void everyShortLengthFails()
    {
        const QByteArray full = resultFileBytes(ResultFileSpec{});
        for (int size = 0; size < kResultRecordSize; ++size)
            QCOMPARE(parseResultRecord(full.first(size)).error, ResultFileError::TooShort);
        QVERIFY(parseResultRecord(full).ok());
    }
};

QTEST_GUILESS_MAIN(TestResultFileFuzz)
#include "tst_resultfilefuzz.moc"
