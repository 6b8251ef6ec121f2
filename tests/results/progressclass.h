#pragma once

// Three tests of one class written to disk, with what a teacher would work
// out by hand from the answers: each student's points, each test's figures.

#include "resultfilewriter.h"

#include <QDir>
#include <QString>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace zavevad::test {

struct SampleStudent
{
    QString surname;
    QString firstName;
    QByteArray answers; ///< '0' and '1', one per question
};

struct SampleTest
{
    QString name;
    QString folder; ///< the test's folder in the one-folder-per-test layout
    QDate day;
    int questions = 0;
    std::vector<SampleStudent> students;

    int points(const SampleStudent &s) const { return int(s.answers.count('1')); }
};

// Answers that differ from student to student and test to test.
inline QByteArray sampleAnswers(int questions, int seed, int strength)
{
    QByteArray answers;
    std::uint32_t state = std::uint32_t(seed) * 2654435761u + 12345u;
    for (int q = 0; q < questions; ++q) {
        state = state * 1103515245u + 12345u;
        answers += int((state >> 16) % 10) < strength ? '1' : '0';
    }
    return answers;
}

/// Oldest first: "Ułamki", "Procenty", "Potęgi". Kowalski Jan misses the
/// middle test; Wójcik Łucja is typed three ways; Zieliński Piotr stands
/// twice in the middle test. The folders sort against the dates.
inline std::vector<SampleTest> sampleTests()
{
    struct Who
    {
        const char16_t *surname;
        const char16_t *firstName;
        int strength;
    };
    const std::vector<std::vector<Who>> who{
            {{u"Nowak", u"Anna", 8}, {u"Kowalski", u"Jan", 4}, {u"Wójcik", u"Lucja", 10},
                    {u"Zieliński", u"Piotr", 5}, {u"Adamska", u"Ewa", 7}, {u"Bąk", u"Tomasz", 3}},
            {{u"Bąk", u"Tomasz", 6}, {u"Nowak", u"Anna", 7}, {u"WOJCIK ", u"lucja", 7},
                    {u"Zieliński", u"Piotr", 2}, {u"Zielinski", u"piotr", 9},
                    {u"Adamska", u"Ewa", 5}},
            {{u"Adamska", u"Ewa", 9}, {u"Nowak", u"Anna", 9}, {u"Kowalski", u"Jan", 7},
                    {u"Wójcik", u"Łucja", 0}, {u"Zieliński", u"Piotr", 8}, {u"Bąk", u"Tomasz", 5}},
    };
    std::vector<SampleTest> tests{
            {QStringLiteral("Ułamki"), QStringLiteral("ulamki"), QDate(2026, 11, 16), 7, {}},
            {QStringLiteral("Procenty"), QStringLiteral("procenty"), QDate(2027, 1, 11), 9, {}},
            {QStringLiteral("Potęgi"), QStringLiteral("potegi"), QDate(2027, 3, 22), 8, {}},
    };
    for (std::size_t t = 0; t < tests.size(); ++t) {
        int seed = int(t) * 100;
        for (const Who &w : who[t])
            tests[t].students.push_back(
                    {QString::fromUtf16(w.surname), QString::fromUtf16(w.firstName),
                            sampleAnswers(tests[t].questions, ++seed, w.strength)});
    }
    return tests;
}

/// Writes the tests under `root`: one folder per test, or all files together.
inline void writeSampleTests(
        const QString &root, const std::vector<SampleTest> &tests, bool folderPerTest)
{
    for (const SampleTest &test : tests) {
        const QString folder = folderPerTest ? root + u'/' + test.folder : root;
        QVERIFY(QDir().mkpath(folder));
        int i = 0;
        for (const SampleStudent &s : test.students) {
            ResultFileSpec fileSpec;
            fileSpec.surname = s.surname;
            fileSpec.firstName = s.firstName;
            fileSpec.testName = test.name;
            fileSpec.questionCount = test.questions;
            fileSpec.answers = answerBytes(s.answers.constData());
            // Later students start later, so the earliest start is the first's.
            fileSpec.start = toDayCount(QDateTime(test.day, QTime(8, i)));
            fileSpec.end = fileSpec.start + 0.02;
            writeResultFile(
                    folder, test.folder + QString::number(++i) + QStringLiteral(".dat"), fileSpec);
        }
    }
}

/// A percentage of the maximum to one decimal, a half to the even tenth.
inline QString oneDecimal(double percent)
{
    const auto tenths = static_cast<long long>(std::nearbyint(percent * 10));
    return QString::number(tenths / 10) + u',' + QString::number(std::abs(tenths % 10));
}

inline double mean(const std::vector<double> &values)
{
    double sum = 0;
    for (double v : values)
        sum += v;
    return sum / double(values.size());
}

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

/// Standard error of measurement in percent of the maximum, from KR-20 and
/// the population deviation of the points.
inline double semPercent(const SampleTest &test)
{
    const int k = test.questions;
    const double n = double(test.students.size());
    std::vector<double> points;
    double pq = 0;
    for (int q = 0; q < k; ++q) {
        double right = 0;
        for (const SampleStudent &s : test.students)
            right += s.answers.at(q) == '1' ? 1 : 0;
        pq += (right / n) * (1 - right / n);
    }
    for (const SampleStudent &s : test.students)
        points.push_back(test.points(s));
    const double m = mean(points);
    double variance = 0;
    for (double p : points)
        variance += (p - m) * (p - m);
    variance /= n;
    const double kr20 = double(k) / (k - 1) * (1 - pq / variance);
    return std::sqrt(variance) * std::sqrt(1 - kr20) * 100.0 / k;
}

} // namespace zavevad::test
