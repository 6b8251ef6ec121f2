#pragma once

#include "results/analysisstate.h"
#include "results/blueprint.h"
#include "results/grading.h"
#include "results/resultfile.h"

#include <QString>
#include <QStringList>

namespace zavevad {

/// Students read from a list of result files, in the order of the list.
struct ReadFilesOutcome
{
    bool ok = false; ///< false: a file failed and ended the read at once
    bool otherTestsSkipped = false; ///< a file of another test was left out
    /// Files of the accepted test with another question count than the
    /// first file's, left out.
    QStringList otherCountFiles;
    QString testName; ///< the accepted test: `NazwaTestu` of the first file
    Uczniowie students;
    /// The files of another test, left out.
    QStringList otherTestFiles{};
    int failedIndex = -1; ///< index in the path list of the file that failed
    ResultFileError error = ResultFileError::None; ///< why it failed
};

/// Reads the files in order. The first decides the test and its question
/// count; a file whose test name differs (exactly, letter case counts) or
/// whose question count differs is skipped. Each student's class is the name
/// of its file's folder, shown as it can be decoded and kept distinct. A file that cannot
/// be read ends the read at once; later files are not opened.
ReadFilesOutcome readResultFiles(const QStringList &paths);

/// Orders the students by display name, letter case ignored, with the
/// collation of the user's locale. Equal names keep their order.
void sortStudents(Uczniowie &students);

/// Everything one load derives from its files; it belongs to one set.
struct LoadedSet
{
    Uczniowie students; ///< sorted and graded
    std::int32_t questionCount = 0; ///< `LiczbaPytan` of the first sorted student
    QuestionStats questions{};
    ClassSummary summary;
};

enum class LoadStatus {
    Loaded, ///< the set is complete; commit it
    BadFile, ///< a file could not be read: show structureWarning(), change nothing
    NoFiles, ///< nothing was selected: like a cancelled dialog, change nothing
};

struct LoadOutcome
{
    LoadStatus status = LoadStatus::NoFiles;
    bool otherTestsSkipped = false; ///< when Loaded: show sameTestWarning(testName)
    /// When Loaded: files left out for another question count; show
    /// otherCountWarning().
    QStringList otherCountFiles;
    QString testName; ///< the accepted test, also the first sorted student's
    LoadedSet set; ///< complete only when Loaded
    /// When Loaded: the files of another test, left out.
    QStringList otherTestFiles{};
    int failedIndex = -1; ///< when BadFile: index of the file that failed
    ResultFileError error = ResultFileError::None; ///< when BadFile: why
    /// When Loaded: `Kartoteka.txt` beside the first file or in the folder
    /// above it (readTestBlueprint()), and its warning for the prompt window.
    BlueprintRead blueprint;

    bool loaded() const { return status == LoadStatus::Loaded; }
};

/// The data side of a load: reads the files, then sorts, grades and computes
/// the statistics and totals into a new set, and reads the test's blueprint
/// beside the first file. The live state is not touched.
LoadOutcome loadResults(const QStringList &paths, const Thresholds &thresholds);

/// The analysis half of loadResults(): sorts, grades and computes the
/// statistics and totals of the students `read` holds into a new set, and
/// reads the blueprint beside `firstPath`, the first file of the read. A read
/// that failed or holds no student is not Loaded.
LoadOutcome analyseRead(
        ReadFilesOutcome &&read, const QString &firstPath, const Thresholds &thresholds);

/// Moves a loaded set over the state's students, student count, question
/// count, question statistics, class summary and blueprint, and empties the
/// progress of several tests. Does nothing and returns
/// false unless the outcome is Loaded, so a failed load leaves all as it was.
/// The data-loaded flag and the table mode stay for the caller to set.
bool commitLoad(LoadOutcome &&outcome, AnalysisState &state);

/// "Uwaga. Wczytano tylko pliki testu "<name>"." CR "Pozostałe pominięto"
QString sameTestWarning(const QString &testName);

/// "Uwaga. Pominięto pliki testu "<name>" o liczbie pytań innej niż <k>:"
/// and the files, one per line (at most ten, then how many in all).
QString otherCountWarning(
        const QString &testName, std::int32_t questionCount, const QStringList &files);

/// The files besides the result files that a load starting with
/// `firstResultFile` reads and that exist: the test's blueprint and
/// `Progi.txt` in `thresholdsFolder`. No output may replace them.
QStringList sideInputPaths(const QString &firstResultFile, const QString &thresholdsFolder);

/// "Uwaga. Wystąpiły błędy podczas wczytywania wyników." CR "Niektóre z plików mają
/// niepoprawną strukturę."
QString structureWarning();

/// The warning for a load that failed on `path`: structureWarning(), unless the
/// name reached the program with characters lost (bytes in no valid encoding
/// that the system handed over as U+FFFD), which is a name problem and says so.
QString badFileWarning(const QString &path);

} // namespace zavevad
