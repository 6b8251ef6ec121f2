#include "results/progress.h"

#include "results/itemanalysis.h"
#include "results/resultpaths.h"
#include "results/rounding.h"
#include "results/thresholds.h"
#include "results/userlocale.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QDate>
#include <QHash>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace zavevad {

namespace {

// One test's files as read, before its analysis.
struct TestGroup
{
    QString name;
    QStringList files;
    Uczniowie students;
    std::optional<double> earliestStart;
};

// About 27,000 years either way: a start beyond is no date.
bool isCalendarDay(double days)
{
    return std::isfinite(days) && std::abs(days) <= 1e7;
}

struct GroupsRead
{
    std::vector<TestGroup> groups;
    QString failedPath;
    ResultFileError error = ResultFileError::None;
};

GroupsRead readGroups(const QStringList &files)
{
    GroupsRead read;
    // Test names compare as bytes, as in a load of one test.
    QHash<QByteArray, std::size_t> byName;
    for (const QString &path : files) {
        ResultFileRead file = readResultFile(path);
        if (!file.ok()) {
            read.failedPath = path;
            read.error = file.error;
            return read;
        }
        auto found = byName.constFind(file.rawTestName);
        if (found == byName.constEnd()) {
            found = byName.insert(file.rawTestName, read.groups.size());
            read.groups.push_back({file.record.NazwaTestu, {}, {}, std::nullopt});
        }
        TestGroup &group = read.groups[*found];
        const double start = file.record.Poczatek;
        if (isCalendarDay(start) && (!group.earliestStart || start < *group.earliestStart))
            group.earliestStart = start;
        group.files.append(path);
        group.students.emplace_back(file.record);
        group.students.back().schoolClass = schoolClassOf(path);
    }
    return read;
}

// Oldest first; a test without a date counts as the oldest.
void orderByStart(std::vector<TestGroup> &groups)
{
    std::stable_sort(groups.begin(), groups.end(), [](const TestGroup &a, const TestGroup &b) {
        if (a.earliestStart.has_value() != b.earliestStart.has_value())
            return !a.earliestStart.has_value();
        if (a.earliestStart && *a.earliestStart != *b.earliestStart)
            return *a.earliestStart < *b.earliestStart;
        return a.name < b.name;
    });
}

std::optional<std::int64_t> percentTenths(const std::optional<Fraction> &points, int questions)
{
    if (!points || questions <= 0)
        return std::nullopt;
    return roundHalfEven(points->numerator * 1000, points->denominator * questions);
}

ProgressTest testFigures(
        const AnalysisState &state, const QString &name, std::optional<double> earliestStart)
{
    ProgressTest test;
    test.name = name;
    test.earliestStart = earliestStart;
    test.questionCount = state.questionCount;
    test.percents.reserve(state.students.size());
    for (const UczenAll &student : state.students)
        test.percents.push_back(student.Procent);
    std::sort(test.percents.begin(), test.percents.end());
    const ItemAnalysis analysis = computeItemAnalysis(state);
    test.meanTenths = percentTenths(analysis.mean, state.questionCount);
    test.medianTenths = percentTenths(analysis.median, state.questionCount);
    if (analysis.standardError && state.questionCount > 0)
        test.semPercent = *analysis.standardError * 100.0 / state.questionCount;
    return test;
}

// A name's entries of one test: its percentage there and its spelling.
struct Entry
{
    QString key;
    QString name;
    std::int32_t tenths = 0;
};

std::vector<Entry> testEntries(const AnalysisState &state)
{
    std::vector<Entry> entries;
    entries.reserve(state.students.size());
    const int k = state.questionCount;
    for (const UczenAll &student : state.students) {
        const QString name = student.displayName();
        const auto tenths = k > 0
                ? static_cast<std::int32_t>(roundHalfEven(std::int64_t(student.Suma) * 1000, k))
                : 0;
        entries.push_back({matchingKey(name), name, tenths});
    }
    return entries;
}

// Adds one test's students to the rows: a name that stands once joins the
// row of its key, a name that stands more than once gets rows of its own.
class Matcher
{
public:
    explicit Matcher(std::size_t testCount) : m_testCount(testCount) { }

    void add(std::size_t test, const QString &testName, const std::vector<Entry> &entries)
    {
        QHash<QString, int> counts;
        for (const Entry &entry : entries)
            ++counts[entry.key];
        // Each doubled name once, with every spelling it stands in.
        QStringList doubled;
        QHash<QString, QStringList> spellings;
        for (const Entry &entry : entries) {
            if (counts.value(entry.key) > 1) {
                if (!spellings.contains(entry.key))
                    doubled.append(entry.key);
                QStringList &names = spellings[entry.key];
                if (!names.contains(entry.name))
                    names.append(entry.name);
                newRow(entry.name).tenths[test] = entry.tenths;
                continue;
            }
            auto row = m_rows.constFind(entry.key);
            if (row == m_rows.constEnd()) {
                row = m_rows.insert(entry.key, m_students.size());
                newRow(entry.name);
            }
            ProgressStudent &student = m_students[*row];
            // Tests come oldest first: the last spelling is the newest.
            student.name = entry.name;
            student.tenths[test] = entry.tenths;
        }
        for (const QString &key : std::as_const(doubled)) {
            m_unmatched.append(spellings.value(key).join(QStringLiteral(" / "))
                    + QStringLiteral(" (") + testName + u')');
        }
    }

    std::vector<ProgressStudent> takeStudents() { return std::move(m_students); }
    QStringList takeUnmatched() { return std::move(m_unmatched); }

private:
    ProgressStudent &newRow(const QString &name)
    {
        m_students.push_back({name, std::vector<std::optional<std::int32_t>>(m_testCount)});
        return m_students.back();
    }

    std::size_t m_testCount;
    QHash<QString, std::size_t> m_rows;
    std::vector<ProgressStudent> m_students;
    QStringList m_unmatched;
};

void sortByName(std::vector<ProgressStudent> &students)
{
    const QCollator collator = userCollator();
    std::vector<QCollatorSortKey> keys;
    keys.reserve(students.size());
    for (const ProgressStudent &s : students)
        keys.push_back(collator.sortKey(s.name));
    std::vector<std::size_t> order(students.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(order.begin(), order.end(),
            [&keys](std::size_t a, std::size_t b) { return keys[a].compare(keys[b]) < 0; });
    std::vector<ProgressStudent> sorted;
    sorted.reserve(students.size());
    for (const std::size_t i : order)
        sorted.push_back(std::move(students[i]));
    students = std::move(sorted);
}

} // namespace

ProgressLoad loadProgress(const QStringList &files, const Thresholds &thresholds)
{
    ProgressLoad load;
    if (files.isEmpty())
        return load;
    GroupsRead read = readGroups(files);
    if (!read.failedPath.isEmpty()) {
        load.status = LoadStatus::BadFile;
        load.failedPath = read.failedPath;
        load.error = read.error;
        return load;
    }
    std::vector<TestGroup> &groups = read.groups;
    orderByStart(groups);

    Matcher matcher(groups.size());
    for (std::size_t t = 0; t < groups.size(); ++t) {
        TestGroup &group = groups[t];
        ReadFilesOutcome files;
        files.ok = true;
        files.testName = group.name;
        files.students = std::move(group.students);
        LoadOutcome outcome = analyseRead(std::move(files), group.files.constFirst(), thresholds);
        if (t + 1 == groups.size()) {
            load.newest = outcome;
            load.newestFiles = group.files;
        }
        AnalysisState state;
        commitLoad(std::move(outcome), state);
        load.progress.tests.push_back(testFigures(state, group.name, group.earliestStart));
        matcher.add(t, group.name, testEntries(state));
    }
    load.progress.students = matcher.takeStudents();
    load.progress.unmatched = matcher.takeUnmatched();
    sortByName(load.progress.students);
    load.status = LoadStatus::Loaded;
    return load;
}

bool commitProgress(ProgressLoad &&load, AnalysisState &state)
{
    if (!load.loaded() || !commitLoad(std::move(load.newest), state))
        return false;
    state.progress = std::move(load.progress);
    return true;
}

QString matchingKey(const QString &name)
{
    const QString decomposed =
            name.simplified().toCaseFolded().normalized(QString::NormalizationForm_D);
    QString key;
    key.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        // "ł" has no decomposition into "l" and a mark.
        key.append(c == u'ł' ? QChar(u'l') : c);
    }
    return key;
}

std::optional<ProgressChange> studentChange(const ProgressStudent &student)
{
    ProgressChange change;
    for (std::size_t t = 0; t < student.tenths.size(); ++t) {
        if (!student.tenths[t])
            continue;
        if (change.firstTest < 0)
            change.firstTest = static_cast<int>(t);
        change.lastTest = static_cast<int>(t);
    }
    if (change.firstTest < 0 || change.firstTest == change.lastTest)
        return std::nullopt;
    change.tenths = *student.tenths[static_cast<std::size_t>(change.lastTest)]
            - *student.tenths[static_cast<std::size_t>(change.firstTest)];
    return change;
}

Trend trendOf(std::int32_t tenths, std::optional<double> sem1, std::optional<double> sem2)
{
    if (!sem1 || !sem2)
        return Trend::Unknown;
    const double threshold = 1.96 * std::sqrt(*sem1 * *sem1 + *sem2 * *sem2);
    const std::int64_t thresholdHundredths = hundredths(threshold);
    const std::int64_t change = std::int64_t(tenths) * 10;
    if (change > thresholdHundredths)
        return Trend::Up;
    if (-change > thresholdHundredths)
        return Trend::Down;
    return Trend::Steady;
}

std::optional<std::int64_t> passedTenths(const ProgressTest &test, const Thresholds &thresholds)
{
    if (test.percents.empty())
        return std::nullopt;
    const auto passed = std::count_if(test.percents.begin(), test.percents.end(),
            [&](std::int32_t p) { return gradeName(p, thresholds) != QLatin1String("Ndst"); });
    return roundHalfEven(std::int64_t(passed) * 1000, std::ssize(test.percents));
}

QString testDateText(const ProgressTest &test)
{
    if (!test.earliestStart)
        return QString();
    const QDate day =
            QDate(1899, 12, 30).addDays(static_cast<qint64>(std::floor(*test.earliestStart)));
    return day.toString(QStringLiteral("dd.MM"));
}

QString progressLoadedMessage(const ProgressData &progress)
{
    if (progress.tests.empty())
        return QString();
    const ProgressTest &newest = progress.tests.back();
    QString shown = u'"' + newest.name + u'"';
    if (const QString date = testDateText(newest); !date.isEmpty())
        shown += QStringLiteral(" z ") + date;
    return QStringLiteral("Wczytano testów: %1.\rPozostałe tabele pokazują najnowszy: %2.")
            .arg(progress.tests.size())
            .arg(shown);
}

QString unmatchedWarning(const ProgressData &progress)
{
    if (progress.unmatched.isEmpty())
        return QString();
    return QStringLiteral("Uwaga. Nazwisko i imię tych uczniów powtarza się w jednym teście, "
                          "więc nie połączono ich wyników z innymi testami:\r")
            + progress.unmatched.join(QStringLiteral(", "));
}

} // namespace zavevad
