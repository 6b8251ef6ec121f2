#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace zavevad {

/// One test of a load of several tests: what the class's figures need,
/// computed as a load of the test's files alone computes them.
struct ProgressTest
{
    QString name; ///< `NazwaTestu`
    /// The earliest `Poczatek` that is a calendar date (days since
    /// 1899-12-30); none when no student's start is one.
    std::optional<double> earliestStart;
    std::int32_t questionCount = 0;
    /// Every student's whole percentage (`Procent`), ascending: the passed
    /// share follows the thresholds in force, also after they change.
    std::vector<std::int32_t> percents;
    std::optional<std::int64_t> meanTenths; ///< mean percentage in tenths, half to even
    std::optional<std::int64_t> medianTenths; ///< median percentage in tenths, half to even
    /// Standard error of measurement in percent of the test's maximum; none
    /// where the item analysis has none (no KR-20).
    std::optional<double> semPercent;

    std::int32_t studentCount() const { return static_cast<std::int32_t>(percents.size()); }
    friend bool operator==(const ProgressTest &, const ProgressTest &) = default;
};

/// One student across the tests.
struct ProgressStudent
{
    QString name; ///< "Nazwisko Imie" as the newest test they wrote spells it
    /// Element t for test t: the percentage in tenths (points / questions,
    /// half to even); none when the student did not write the test.
    std::vector<std::optional<std::int32_t>> tenths;

    friend bool operator==(const ProgressStudent &, const ProgressStudent &) = default;
};

/// Several tests of one class side by side; empty after a load of one test.
struct ProgressData
{
    std::vector<ProgressTest> tests; ///< oldest first
    std::vector<ProgressStudent> students; ///< in the collation order of their names
    /// "Nazwisko Imie (test)" of each name left unmatched because it stands
    /// more than once in that test (its spellings there joined by " / ").
    QStringList unmatched;

    bool empty() const { return tests.empty(); }
    friend bool operator==(const ProgressData &, const ProgressData &) = default;
};

} // namespace zavevad
