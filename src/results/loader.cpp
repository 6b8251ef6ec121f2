#include "results/loader.h"

#include "results/reportnotes.h"

#include "platform/nativename.h"
#include "results/resultpaths.h"
#include "results/thresholds.h"
#include "results/userlocale.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QThread>

#include <algorithm>
#include <numeric>
#include <thread>
#include <vector>

namespace zavevad {

namespace {

// The class of each file, shown as it can be decoded. A folder name in no
// valid encoding shows its lost characters as U+FFFD; two such names that
// would then look alike get a number, so that they stay two classes.
QStringList shownClassNames(const QStringList &paths)
{
    QStringList raw;
    raw.reserve(paths.size());
    QSet<QString> taken;
    // The files of a class come together: its folder is worked out once.
    QStringView lastFolder;
    for (const QString &path : paths) {
        // Either separator: a name after the last one is a file of the folder.
        const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
        const QStringView folder = QStringView(path).first(std::max<qsizetype>(slash, 0));
        if (slash > 0 && !raw.isEmpty() && folder == lastFolder) {
            raw.append(raw.constLast());
            continue;
        }
        lastFolder = slash > 0 ? folder : QStringView();
        raw.append(schoolClassOf(path));
        if (!nativeFileName(raw.constLast()))
            taken.insert(raw.constLast());
    }
    QHash<QString, QString> shownOf;
    QStringList shown;
    shown.reserve(paths.size());
    for (const QString &name : std::as_const(raw)) {
        auto found = shownOf.constFind(name);
        if (found == shownOf.cend()) {
            QString candidate = name;
            if (nativeFileName(name)) {
                const QString base = displayFileName(name);
                candidate = base;
                for (int n = 2; taken.contains(candidate); ++n)
                    candidate = base + QStringLiteral(" (%1)").arg(n);
                taken.insert(candidate);
            }
            found = shownOf.insert(name, candidate);
        }
        shown.append(*found);
    }
    return shown;
}

// Calls `work(begin, end)` over the chunks of [0, `count`), on up to four
// threads when there are enough items to be worth them; returns when every
// chunk is done. A school's thousands of files spend most of their time in
// the system's name lookups, which several cores share out; a class's few
// are read on this thread alone.
template<typename Work>
void inChunks(std::size_t count, const Work &work)
{
    constexpr std::size_t kParallelFrom = 512;
    constexpr int kMostThreads = 4;
    const int threads =
            count < kParallelFrom ? 1 : std::clamp(QThread::idealThreadCount(), 1, kMostThreads);
    const std::size_t chunk =
            (count + static_cast<std::size_t>(threads) - 1) / static_cast<std::size_t>(threads);
    std::vector<std::jthread> helpers;
    for (int t = 1; t < threads; ++t) {
        const std::size_t begin = std::min(count, chunk * static_cast<std::size_t>(t));
        helpers.emplace_back(work, begin, std::min(count, begin + chunk));
    }
    work(std::size_t(0), std::min(count, chunk));
    // The helpers join as they go out of scope.
}

// Every file read, in the order given.
std::vector<ResultFileRead> readEveryFile(const QStringList &paths)
{
    std::vector<ResultFileRead> reads(static_cast<std::size_t>(paths.size()));
    inChunks(reads.size(), [&paths, &reads](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i)
            reads[i] = readResultFile(paths.at(static_cast<qsizetype>(i)));
    });
    return reads;
}

} // namespace

ReadFilesOutcome readResultFiles(const QStringList &paths)
{
    ReadFilesOutcome outcome;
    outcome.students.reserve(static_cast<std::size_t>(paths.size()));
    const QStringList classes = shownClassNames(paths);
    std::vector<ResultFileRead> reads = readEveryFile(paths);
    QByteArray acceptedTest;
    std::int32_t acceptedCount = 0;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        ResultFileRead &read = reads[static_cast<std::size_t>(i)];
        if (!read.ok()) {
            outcome.failedIndex = static_cast<int>(i);
            outcome.error = read.error;
            return outcome;
        }
        if (i == 0) {
            acceptedTest = read.rawTestName;
            acceptedCount = read.record.LiczbaPytan;
            outcome.testName = read.record.NazwaTestu;
        } else if (read.rawTestName != acceptedTest) {
            // Compared as bytes: a code page byte without a character must
            // not make two different tests look alike.
            outcome.otherTestsSkipped = true;
            outcome.otherTestFiles.append(paths.at(i));
            continue;
        } else if (read.record.LiczbaPytan != acceptedCount) {
            // Scored with the first file's count, such a file would earn or
            // lose points for questions its student never had.
            outcome.otherCountFiles.append(paths.at(i));
            continue;
        }
        outcome.students.emplace_back(std::move(read.record));
        outcome.students.back().schoolClass = classes.at(i);
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
    outcome.otherCountFiles = std::move(read.otherCountFiles);
    outcome.otherTestFiles = std::move(read.otherTestFiles);
    outcome.blueprint = readTestBlueprint(firstPath, set.questionCount);
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
    state.otherTestFiles = std::move(outcome.otherTestFiles);
    state.otherCountFiles = std::move(outcome.otherCountFiles);
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

QString otherCountWarning(
        const QString &testName, std::int32_t questionCount, const QStringList &files)
{
    constexpr qsizetype kNamed = 10;
    QStringList named;
    for (qsizetype i = 0; i < files.size() && i < kNamed; ++i)
        named.append(displayFileName(files.at(i)));
    QString text =
            QStringLiteral("Uwaga. Pominięto pliki testu \"%1\" o liczbie pytań innej niż %2:\r")
                    .arg(testName)
                    .arg(questionCount)
            + named.join(u'\r');
    if (files.size() > kNamed)
        text += QStringLiteral("\ri dalsze (razem: %1)").arg(files.size());
    return text;
}

QStringList sideInputPaths(const QString &firstResultFile, const QString &thresholdsFolder)
{
    // Every file a load reads besides the result files; a new one is one line.
    const QString candidates[] = {
            blueprintPathFor(firstResultFile),
            QDir(thresholdsFolder).filePath(kThresholdsFileName.toString()),
    };
    QStringList inputs;
    for (const QString &path : candidates) {
        const QFileInfo info(path);
        if (!path.isEmpty() && (info.exists() || info.isSymLink()))
            inputs.append(path);
    }
    // The teacher's notes, even before they are first written: a table saved
    // under their name would be read back as the notes.
    inputs.append(reportNotesPath(QFileInfo(firstResultFile).absolutePath()));
    return inputs;
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
