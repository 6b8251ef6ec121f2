#pragma once

#include "results/analysisstate.h"
#include "results/loader.h"
#include "results/progressdata.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace zavevad {

/// A load of several tests: every test of the files, the newest ready to be
/// committed as if its files alone had been loaded.
struct ProgressLoad
{
    LoadStatus status = LoadStatus::NoFiles;
    /// When Loaded: the newest test, as loadResults() of `newestFiles` gives it.
    LoadOutcome newest;
    QStringList newestFiles; ///< the newest test's files, in load order
    ProgressData progress; ///< when Loaded: every test, oldest first
    QString failedPath; ///< when BadFile: the file that ended the load
    ResultFileError error = ResultFileError::None; ///< when BadFile: why

    bool loaded() const { return status == LoadStatus::Loaded; }
};

/// Reads every file (a bad one ends the load, as in loadResults()), groups
/// the files by their exact test name and analyses each group as
/// loadResults() would under `thresholds`, with the blueprint beside the
/// group's first file. Tests are ordered by their earliest start (a test
/// without one first, ties by name and then by their first file); students
/// are matched across them by matchingKey() of their names.
ProgressLoad loadProgress(const QStringList &files, const Thresholds &thresholds);

/// Commits the newest test as commitLoad() commits a load of its files,
/// then keeps every test's progress. Does nothing and returns false unless
/// the load is Loaded.
bool commitProgress(ProgressLoad &&load, AnalysisState &state);

/// The key under which names match across tests: letter case, blanks
/// around and repeated between words, and the marks of letters (ą→a, ł→l,
/// ó→o) are ignored.
QString matchingKey(const QString &name);

/// The change a student's row shows: the last test they wrote minus the first.
struct ProgressChange
{
    int firstTest = -1;
    int lastTest = -1;
    std::int32_t tenths = 0; ///< percentage points in tenths
};

/// The change over the tests the student wrote; none with fewer than two.
std::optional<ProgressChange> studentChange(const ProgressStudent &student);

enum class Trend : std::uint8_t {
    Unknown, ///< fewer than two tests, or a test without a standard error
    Up,
    Down,
    Steady, ///< within the noise of the two tests
};

/// Whether a change of `tenths` tenths of a percentage point between two
/// tests is larger than 1.96 * sqrt(sem1² + sem2²), the two tests' standard
/// errors of measurement in percent. The threshold is taken to hundredths of
/// a point, so that a change equal to it as written is never a trend.
Trend trendOf(std::int32_t tenths, std::optional<double> sem1, std::optional<double> sem2);

/// The share of the test's students whose percentage earns "Dop" or better
/// under `thresholds`, in tenths of a percent, half to even; none without
/// students.
std::optional<std::int64_t> passedTenths(const ProgressTest &test, const Thresholds &thresholds);

/// "dd.MM" of the test's earliest start; empty without one.
QString testDateText(const ProgressTest &test);

/// The prompt after a load of several tests: how many were found and which
/// one the other tables show.
QString progressLoadedMessage(const ProgressData &progress);

/// The warning that names the students left unmatched; empty when none was.
QString unmatchedWarning(const ProgressData &progress);

} // namespace zavevad
