#pragma once

#include "results/analysisstate.h"
#include "results/itemanalysis.h"
#include "results/reportnotes.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace zavevad {

/// A question named by a figure of the summary: its number and its
/// easiness as the item analysis shows it, in hundredths.
struct QuestionFigure
{
    int number = 0;
    std::int64_t easiness100 = 0;
};

/// A skill of the blueprint as the skills table shows it.
struct SkillFigure
{
    QString name;
    std::int64_t facility100 = 0;
    /// Students with at least half of the skill's questions right.
    std::int32_t studentsFromHalf = 0;
};

/// One class of the set (the whole set when its students name no classes).
struct ClassFigure
{
    QString name;
    std::int32_t students = 0;
    /// The class's test easiness, mean / k; none without students.
    std::optional<Fraction> easiness;
    /// The earliest start among the class's students that is a real date.
    std::optional<QDate> testDate;
};

/// The figures a staff meeting reads, each computed as the report's tables
/// compute it, so that the summary never disagrees with them.
struct SummaryFigures
{
    QString testName;
    std::int32_t students = 0;
    std::int32_t questions = 0;
    /// With two or more classes, each in the collation order of its name;
    /// else one entry for all students, named by their class if they have one.
    std::vector<ClassFigure> classes;
    std::optional<Fraction> mean; ///< points
    std::optional<Fraction> median; ///< points
    std::optional<Fraction> easiness; ///< mean / k
    std::optional<Fraction> kr20;
    /// Students of each grade: Cel, Bdb, Db, Dst, Dop, Ndst.
    std::array<std::int32_t, 6> grades{};
    /// Up to five questions of the lowest easiness below 0,50, lowest first.
    std::vector<QuestionFigure> hardest;
    /// Up to five questions of the highest easiness from 0,90, highest first.
    std::vector<QuestionFigure> easiest;
    /// Questions flagged "słaba" and "ujemna" in the item analysis, ascending.
    std::vector<QuestionFigure> weakDiscrimination;
    std::vector<QuestionFigure> negativeDiscrimination;
    /// The blueprint's skills, in its order; empty without one.
    std::vector<SkillFigure> skills;
    /// The result files the load left out, each as its folder and name:
    /// of another test, and with another question count.
    QStringList otherTestFiles;
    QStringList otherCountFiles;
    /// What the teacher wrote in `Raport.txt`.
    ReportNotes notes;

    /// Students with Dop or better.
    std::int32_t passed() const;
};

/// The classes of the weakest and of the best mean (as a share of the
/// questions, compared exactly), the first of equals; both null unless two
/// or more classes have a mean.
std::pair<const ClassFigure *, const ClassFigure *> weakestAndBestClass(
        const SummaryFigures &figures);

/// The grade names in the order of SummaryFigures::grades.
const std::array<QString, 6> &gradeNames();

/// The figures of `analysis` with the teacher's `notes`.
SummaryFigures summaryFigures(const AnalysisState &analysis, const ReportNotes &notes);

/// `part` of `whole` in whole percent, rounded down, so that a sentence never
/// claims more than the numbers; none when `whole` is not positive.
std::optional<std::int64_t> percentDown(std::int64_t part, std::int64_t whole);

/// A start in days since 1899-12-30 as a date, when it is a real one: a test
/// taken from 1900 to 9999. A damaged or empty field gives none, never a
/// date like the year -18.
std::optional<QDate> realTestDate(double days);

/// The word for a KR-20 as shown (hundredths): "wysoka" from 0,80,
/// "zadowalająca" from 0,70, "niska" below.
QString reliabilityWord(std::int64_t kr20Hundredths);

/// The test's category for an easiness, as an adjective of "test":
/// "bardzo trudny" ... "bardzo łatwy", by the item analysis's bands.
QString testCategory(const Fraction &easiness);

/// "Cel 0 (0 %), Bdb 5 (17 %), ..., Ndst 1 (3 %)": each grade's count and
/// share rounded down, each item unbreakable (no-break spaces).
QString gradeSharesText(const SummaryFigures &figures);

/// The line of the running header: the test and its class or classes.
QString runningHeaderText(const SummaryFigures &figures);

} // namespace zavevad
