#include "progressclass.h"
#include "resultfilewriter.h"
#include "results/loader.h"
#include "results/progress.h"
#include "results/resultpaths.h"
#include "results/thresholds.h"
#include "tables/progresstable.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <optional>

using namespace zavevad;
using namespace zavevad::test;
using namespace Qt::StringLiterals;

namespace {

// A row of the table as worked out by hand: the student's index in each test.
struct ExpectedRow
{
    QString name;
    std::array<int, 3> index; ///< -1: did not write the test
};

const std::vector<ExpectedRow> kExpectedRows{
        {u"Adamska Ewa"_s, {4, 5, 0}},
        {u"Bąk Tomasz"_s, {5, 0, 5}},
        {u"Kowalski Jan"_s, {1, -1, 2}},
        {u"Nowak Anna"_s, {0, 1, 1}},
        {u"Wójcik Łucja"_s, {2, 2, 3}},
        // "ń" is a letter of its own after "n"; the doubled name of the middle
        // test stands alone, its other spellings match.
        {u"Zielinski piotr"_s, {-1, 4, -1}},
        {u"Zieliński Piotr"_s, {3, -1, 4}},
        {u"Zieliński Piotr"_s, {-1, 3, -1}},
};

double percentOf(const SampleTest &test, int index)
{
    return 100.0 * test.points(test.students[std::size_t(index)]) / test.questions;
}

QString expectedArrow(const std::vector<SampleTest> &tests, const ExpectedRow &row)
{
    int first = -1;
    int last = -1;
    for (int t = 0; t < 3; ++t) {
        if (row.index[std::size_t(t)] < 0)
            continue;
        if (first < 0)
            first = t;
        last = t;
    }
    if (first == last)
        return u"–"_s;
    const auto tenths = [&](int t) {
        return std::llround(percentOf(tests[std::size_t(t)], row.index[std::size_t(t)]) * 10);
    };
    const double change = double(tenths(last) - tenths(first)) / 10;
    const double a = semPercent(tests[std::size_t(first)]);
    const double b = semPercent(tests[std::size_t(last)]);
    const double threshold = 1.96 * std::sqrt(a * a + b * b);
    return change > threshold ? u"↑"_s : (-change > threshold ? u"↓"_s : u"→"_s);
}

} // namespace

class TestProgress : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void matchingKey_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("same");
        QTest::newRow("case") << u"Nowak Anna"_s << u"NOWAK anna"_s << true;
        QTest::newRow("blanks") << u" Nowak   Anna "_s << u"Nowak Anna"_s << true;
        QTest::newRow("polish letters") << u"Łącka Żaneta Ćwik"_s << u"lacka zaneta cwik"_s << true;
        QTest::newRow("every mark") << u"ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ"_s << u"acelnoszz ACELNOSZZ"_s << true;
        QTest::newRow("other letter") << u"Nowak Ana"_s << u"Nowak Anna"_s << false;
        QTest::newRow("blank inside a word") << u"Nowa k"_s << u"Nowak"_s << false;
    }
    void matchingKey()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, same);
        QCOMPARE(zavevad::matchingKey(a) == zavevad::matchingKey(b), same);
    }

    void trendAtTheBoundary_data()
    {
        QTest::addColumn<int>("tenths");
        QTest::addColumn<std::optional<double>>("sem1");
        QTest::addColumn<std::optional<double>>("sem2");
        QTest::addColumn<QString>("arrow");
        // 1.96 * 5 = 9.8 points exactly; 1.96 * sqrt(2) = 2.772 points.
        const std::optional<double> three = 3.0, four = 4.0, one = 1.0, none;
        QTest::newRow("equal to it, up") << 98 << three << four << u"→"_s;
        QTest::newRow("just above") << 99 << three << four << u"↑"_s;
        QTest::newRow("equal to it, down") << -98 << four << three << u"→"_s;
        QTest::newRow("just below") << -99 << four << three << u"↓"_s;
        QTest::newRow("2.7 under 2.772") << 27 << one << one << u"→"_s;
        QTest::newRow("2.8 over 2.772") << 28 << one << one << u"↑"_s;
        QTest::newRow("no change") << 0 << one << one << u"→"_s;
        QTest::newRow("no standard error") << 500 << none << one << u"–"_s;
    }
    void trendAtTheBoundary()
    {
        QFETCH(int, tenths);
        QFETCH(std::optional<double>, sem1);
        QFETCH(std::optional<double>, sem2);
        QFETCH(QString, arrow);
        QCOMPARE(trendArrow(trendOf(tenths, sem1, sem2)), arrow);
    }

    void tableAgainstHandComputation_data()
    {
        QTest::addColumn<bool>("folderPerTest");
        QTest::newRow("one folder per test") << true;
        QTest::newRow("all files in one folder") << false;
    }
    void tableAgainstHandComputation()
    {
        QFETCH(bool, folderPerTest);
        QTemporaryDir dir;
        const std::vector<SampleTest> tests = sampleTests();
        writeSampleTests(dir.path(), tests, folderPerTest);

        ProgressLoad load = loadProgress(resultFilesUnder(dir.path()), Thresholds{});
        QVERIFY(load.loaded());
        QCOMPARE(load.progress.unmatched,
                QStringList{u"Zielinski piotr / Zieliński Piotr (Procenty)"_s});
        QCOMPARE(load.newest.testName, u"Potęgi"_s);
        AnalysisState state;
        QVERIFY(commitProgress(std::move(load), state));
        QCOMPARE(state.studentCount, 6);

        const Table table = progressTable(state);
        const TableTexts texts;
        QCOMPARE(table.columnCount(), 6);
        const QStringList headers{u"Uczeń"_s, u"Ułamki 16.11"_s, u"Procenty 11.01"_s,
                u"Potęgi 22.03"_s, u"Zmiana (pkt proc.)"_s, u"Trend"_s};
        for (int c = 0; c < 6; ++c)
            QCOMPARE(texts.text(table, c, 0), headers.at(c));

        QCOMPARE(table.rowCount(), 1 + int(kExpectedRows.size()) + 5);
        QSet<QString> arrows;
        for (std::size_t i = 0; i < kExpectedRows.size(); ++i) {
            const ExpectedRow &row = kExpectedRows[i];
            const int r = int(i) + 1;
            QCOMPARE(texts.text(table, 0, r), row.name);
            int first = -1;
            int last = -1;
            for (int t = 0; t < 3; ++t) {
                const int index = row.index[std::size_t(t)];
                const QString expected =
                        index < 0 ? QString() : oneDecimal(percentOf(tests[std::size_t(t)], index));
                QCOMPARE(texts.text(table, 1 + t, r), expected);
                if (index >= 0) {
                    first = first < 0 ? t : first;
                    last = t;
                }
            }
            QString change;
            if (first != last) {
                const auto tenths = [&](int t) {
                    return std::llround(
                            percentOf(tests[std::size_t(t)], row.index[std::size_t(t)]) * 10);
                };
                change = oneDecimal(double(tenths(last) - tenths(first)) / 10);
                if (tenths(last) < tenths(first) && !change.startsWith(u'-'))
                    change.prepend(u'-');
            }
            QCOMPARE(texts.text(table, 4, r), change);
            QCOMPARE(texts.text(table, 5, r), expectedArrow(tests, row));
            arrows.insert(texts.text(table, 5, r));
        }
        // The sample reaches every arrow, so each rule is checked.
        QCOMPARE(arrows, (QSet<QString>{u"↑"_s, u"↓"_s, u"→"_s, u"–"_s}));

        const int classRow = 1 + int(kExpectedRows.size()) + 1;
        QVERIFY(texts.text(table, 1, classRow - 1).isEmpty());
        const QStringList labels{
                u"Średnia (%)"_s, u"Mediana (%)"_s, u"Zdało (%)"_s, u"Liczba uczniów"_s};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(texts.text(table, 0, classRow + i), labels.at(i));
        for (int t = 0; t < 3; ++t) {
            const SampleTest &test = tests[std::size_t(t)];
            std::vector<double> percents;
            double passed = 0;
            for (int s = 0; s < int(test.students.size()); ++s) {
                percents.push_back(percentOf(test, s));
                passed += percents.back() >= 50 ? 1 : 0;
            }
            QCOMPARE(texts.text(table, 1 + t, classRow), oneDecimal(mean(percents)));
            QCOMPARE(texts.text(table, 1 + t, classRow + 1), oneDecimal(median(percents)));
            QCOMPARE(texts.text(table, 1 + t, classRow + 2),
                    oneDecimal(100 * passed / double(percents.size())));
            QCOMPARE(texts.text(table, 1 + t, classRow + 3), QString::number(percents.size()));
            QVERIFY(qFuzzyCompare(
                    *state.progress.tests[std::size_t(t)].semPercent, semPercent(test)));
        }

        // A load of one test ends the view of several.
        LoadOutcome single = loadResults(resultFilesUnder(dir.path()).mid(0, 1), Thresholds{});
        QVERIFY(commitLoad(std::move(single), state));
        QVERIFY(state.progress.empty());
        QCOMPARE(progressTable(state).rowCount(), 2);
    }

    void sampleClassOverTheYear()
    {
        ProgressLoad load =
                loadProgress(resultFilesUnder(examplesPath(u"postepy"_s)), Thresholds{});
        QVERIFY(load.loaded());
        QVERIFY(load.progress.unmatched.isEmpty());
        QStringList names;
        for (const ProgressTest &test : load.progress.tests)
            names << test.name + u' ' + testDateText(test);
        QCOMPARE(names,
                (QStringList{u"Sprawdzian - ułamki zwykłe 16.11"_s,
                        u"Sprawdzian - procenty 13.01"_s, u"Sprawdzian - potęgi 17.03"_s}));
        // The first test's blueprint lies in its own folder only.
        QVERIFY(load.newest.blueprint.blueprint.empty());
        QCOMPARE(load.progress.students.size(), std::size_t(28));
        for (const ProgressStudent &student : load.progress.students) {
            if (student.name == u"Lis Wojciech"_s)
                QVERIFY(student.tenths[0] && !student.tenths[1] && student.tenths[2]);
            else
                QVERIFY2(student.tenths[0] && student.tenths[1] && student.tenths[2],
                        qPrintable(student.name));
        }
        AnalysisState state;
        QVERIFY(commitProgress(std::move(load), state));
        QCOMPARE(state.studentCount, 28);
        QCOMPARE(state.questionCount, 15);
    }

    void passedFollowsTheThresholdsInForce()
    {
        ProgressTest test;
        test.percents = {40, 50, 59, 60, 90};
        QCOMPARE(passedTenths(test, Thresholds{}), std::optional<std::int64_t>(800));
        Thresholds strict;
        strict.dop = 60;
        QCOMPARE(passedTenths(test, strict), std::optional<std::int64_t>(400));
        QCOMPARE(passedTenths(ProgressTest{}, strict), std::nullopt);
    }

    void orderedByEarliestStart()
    {
        // The later test's first file comes first, and one of its students
        // started before some of the other test's: the earliest start decides.
        QTemporaryDir dir;
        ResultFileSpec fileSpec;
        fileSpec.testName = u"Późny"_s;
        fileSpec.start = toDayCount(QDateTime(QDate(2027, 2, 1), QTime(9, 0)));
        writeResultFile(dir.path(), u"a1.dat"_s, fileSpec);
        fileSpec.start = toDayCount(QDateTime(QDate(2026, 10, 5), QTime(9, 0)));
        writeResultFile(dir.path(), u"a2.dat"_s, fileSpec);
        fileSpec.testName = u"Wczesny"_s;
        fileSpec.start = toDayCount(QDateTime(QDate(2026, 12, 1), QTime(9, 0)));
        writeResultFile(dir.path(), u"b1.dat"_s, fileSpec);
        fileSpec.start = std::numeric_limits<double>::quiet_NaN();
        fileSpec.testName = u"Bez daty"_s;
        writeResultFile(dir.path(), u"c1.dat"_s, fileSpec);

        const ProgressLoad load = loadProgress(resultFilesUnder(dir.path()), Thresholds{});
        QVERIFY(load.loaded());
        QStringList order;
        for (const ProgressTest &test : load.progress.tests)
            order << test.name + u' ' + testDateText(test);
        QCOMPARE(order, (QStringList{u"Bez daty "_s, u"Późny 05.10"_s, u"Wczesny 01.12"_s}));
        QCOMPARE(load.newestFiles, QStringList{dir.filePath(u"b1.dat"_s)});
    }

    void badFileChangesNothing()
    {
        QTemporaryDir dir;
        writeSampleTests(dir.path(), sampleTests(), true);
        ResultFileSpec shortFile;
        shortFile.totalSize = 127;
        QVERIFY(QDir().mkpath(dir.filePath(u"ulamki/stare"_s)));
        const QString bad = writeResultFile(dir.filePath(u"ulamki/stare"_s), u"x.dat"_s, shortFile);
        const ProgressLoad load = loadProgress(resultFilesUnder(dir.path()), Thresholds{});
        QCOMPARE(load.status, LoadStatus::BadFile);
        QCOMPARE(load.failedPath, bad);
        QCOMPARE(load.error, ResultFileError::TooShort);
        AnalysisState state;
        ProgressLoad copy = load;
        QVERIFY(!commitProgress(std::move(copy), state));
        QCOMPARE(state, AnalysisState{});
    }
};

QTEST_GUILESS_MAIN(TestProgress)
#include "tst_progress.moc"
