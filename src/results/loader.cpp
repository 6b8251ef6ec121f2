#include "results/loader.h"

#include "results/resultpaths.h"
#include "results/userlocale.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <numeric>
#include <vector>

namespace zavevad {

ReadFilesOutcome readResultFiles(const QStringList &paths)
{
    ReadFilesOutcome outcome;
    outcome.students.reserve(static_cast<std::size_t>(paths.size()));
    QByteArray acceptedTest;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        ResultFileRead read = readResultFile(paths.at(i));
        if (!read.ok()) {
            outcome.failedIndex = static_cast<int>(i);
            outcome.error = read.error;
            return outcome;
        }
        if (i == 0) {
            acceptedTest = read.rawTestName;
            outcome.testName = read.record.NazwaTestu;
        } else if (read.rawTestName != acceptedTest) {
            // Compared as bytes: a code page byte without a character must
            // not make two different tests look alike.
            outcome.otherTestsSkipped = true;
            continue;
        }
        outcome.students.emplace_back(read.record);
        outcome.students.back().schoolClass = schoolClassOf(paths.at(i));
    }
    outcome.ok = true;
    return outcome;
}

void sortStudents(Uczniowie &students)
{
    // Sort keys are computed once per student instead of once per comparison.
    const QCollator collator = userCollator();
    std::vector<QCollatorSortKey> keys;
    keys.reserve(students.size());
    for (const UczenAll &s : students)
        keys.push_back(collator.sortKey(s.displayName()));

    std::vector<std::size_t> order(students.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(order.begin(), order.end(),
            [&keys](std::size_t a, std::size_t b) { return keys[a].compare(keys[b]) < 0; });

    Uczniowie sorted;
    sorted.reserve(students.size());
    for (const std::size_t i : order)
        sorted.push_back(std::move(students[i]));
    students = std::move(sorted);
}

LoadOutcome loadResults(const QStringList &paths, const Thresholds &thresholds)
{
    LoadOutcome outcome;
    if (paths.isEmpty())
        return outcome;

    ReadFilesOutcome read = readResultFiles(paths);
    if (!read.ok) {
        outcome.status = LoadStatus::BadFile;
        outcome.failedIndex = read.failedIndex;
        outcome.error = read.error;
        return outcome;
    }
    return analyseRead(std::move(read), paths.constFirst(), thresholds);
}

LoadOutcome analyseRead(
        ReadFilesOutcome &&read, const QString &firstPath, const Thresholds &thresholds)
{
    LoadOutcome outcome;
    if (!read.ok || read.students.empty())
        return outcome;
    LoadedSet &set = outcome.set;
    set.students = std::move(read.students);
    sortStudents(set.students);
    set.questionCount = set.students.front().LiczbaPytan;
    set.summary = ClassSummary{};
    gradeStudents(set.students, set.questionCount, thresholds, set.summary);
    computeQuestionStats(set.students, set.questionCount, set.questions);
    computeClassTotals(set.students, set.summary);

    outcome.status = LoadStatus::Loaded;
    outcome.otherTestsSkipped = read.otherTestsSkipped;
    outcome.testName = read.testName;
    outcome.blueprint = readBlueprint(QFileInfo(firstPath).absolutePath(), set.questionCount);
    return outcome;
}

bool commitLoad(LoadOutcome &&outcome, AnalysisState &state)
{
    if (!outcome.loaded())
        return false;
    LoadedSet &set = outcome.set;
    state.studentCount = static_cast<std::int32_t>(set.students.size());
    state.students = std::move(set.students);
    state.questionCount = set.questionCount;
    state.questions = set.questions;
    state.summary = set.summary;
    state.blueprint = std::move(outcome.blueprint.blueprint);
    state.blueprintFolder = outcome.blueprint.folder;
    // A load of one test ends a view of several.
    state.progress = {};
    return true;
}

QString sameTestWarning(const QString &testName)
{
    return u"Uwaga. Wczytano tylko pliki testu \"" + testName + u"\".\rPozostałe pominięto";
}

QString structureWarning()
{
    return QStringLiteral("Uwaga. Wystąpiły błędy podczas wczytywania wyników.\r"
                          "Niektóre z plików mają niepoprawną strukturę.");
}

QString badFileWarning(const QString &path)
{
    if (!path.contains(QChar::ReplacementCharacter) || QFileInfo::exists(path))
        return structureWarning();
    return QStringLiteral(
            "Uwaga. Nie można odczytać nazwy pliku (znaki w nieznanym kodowaniu):\r%1")
            .arg(QDir::toNativeSeparators(path));
}

} // namespace zavevad
