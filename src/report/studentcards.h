#pragma once

#include "results/analysisstate.h"
#include "results/classstatistics.h"
#include "results/reliability.h"
#include "results/stanines.h"

#include <QHash>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace zavevad {

/// One question on a student's card.
struct CardQuestion
{
    int number = 0; ///< 1..k
    bool correct = false; ///< this student's answer
    std::int32_t classPercent = 0; ///< share of the class right, as the results table rounds it
};

/// One skill of the test's blueprint on a student's card: the share of its
/// questions this student and the class got right, in whole percent.
struct CardSkill
{
    QString name;
    QString requirement; ///< a curriculum code such as "V.3", or empty
    int questionCount = 0;
    std::int32_t studentPercent = 0;
    std::int32_t classPercent = 0;
};

/// One test on a student's card when several tests were loaded.
struct CardProgress
{
    QString test; ///< its name and the day of its earliest start: "Ułamki 16.11"
    /// The student's percentage in tenths; none where they did not write it.
    std::optional<std::int32_t> studentTenths;
    std::optional<std::int64_t> classMeanTenths; ///< the class's mean percentage in tenths

    friend bool operator==(const CardProgress &, const CardProgress &) = default;
};

/// What one student's result card shows: this student's result and, for
/// comparison, figures of the class that name no one.
struct StudentCard
{
    QString testName;
    QString date; ///< the day of the student's start, in the locale's short form; empty when
                  ///< unknown
    /// The student's class when two or more classes were loaded, else empty;
    /// the class figures of the card are then those of this class.
    QString className;
    QString studentName; ///< as the results table writes it: surname, blank, first name

    std::int32_t points = 0;
    std::int32_t questionCount = 0; ///< k: the points a student can reach
    std::int32_t percent = 0; ///< as graded: points × 100 / k, rounded half to even
    QString grade; ///< "Cel" ... "Ndst"

    /// The class's mean points times 100, rounded as the results table's average row.
    std::int64_t classMeanPoints100 = 0;
    /// Twice the class's median points: the middle value, or the sum of the two middle ones.
    std::int64_t classMedianPoints2 = 0;
    /// The share of the class with fewer points than this student, in whole
    /// percent rounded down, so that it never claims more than is true.
    std::int32_t betterThanPercent = 0;
    /// How many students the class figures are of, this one included; with
    /// fewer than two the card makes no comparison with the others.
    std::int32_t classSize = 0;

    std::vector<CardQuestion> questions;
    /// Empty when the test has no blueprint.
    std::vector<CardSkill> skills;

    /// The stanine 1..9 of the points among all loaded students; 0 for none.
    int stanine = 0;
    std::int32_t stanineGroup = 0; ///< all loaded students: the stanines' norm group
    /// The points ± 1.96 SEM of the whole loaded test, whole points within
    /// 0..k; none without SEM.
    std::optional<ScoreBand> scoreBand;

    /// Every loaded test, oldest first, when two or more were loaded; else
    /// empty. The student's values are there only when their name matches
    /// one row of the tests (a name twice in the newest test matches none).
    std::vector<CardProgress> progress;

    double workingTime = 0; ///< days, as the working-time table takes it
    double classAverageWorkingTime = 0; ///< days, the working-time table's average

    Thresholds thresholds;
};

/// The full name of a grade: "Db" gives "dobry"; an unknown name gives itself.
QString fullGradeName(const QString &grade);

/// "Stanin: 7 — wysoki (na tle 25 uczniów)"; empty without a stanine.
QString stanineLine(const StudentCard &card);

/// "Wynik w przedziale 14–20 pkt (oceny Db–Cel)", the grades at both ends
/// under the card's thresholds ("(ocena Db)" when they agree); empty without
/// a band.
QString scoreBandLine(const StudentCard &card);

/// The cards of a loaded set, one per student in the results table's order;
/// with two or more classes, class by class (in the collation order of their
/// names), each class in the results table's order.
/// The class's figures are worked out once; each card is made when asked
/// for, so that a school's worth of cards needs no more memory than one.
class StudentCards
{
public:
    /// Keeps a reference to `analysis`, which must outlive this object.
    explicit StudentCards(const AnalysisState &analysis);

    int count() const { return static_cast<int>(m_students); }
    /// The card at `index` (0-based) of that order.
    StudentCard card(int index) const;

private:
    /// The figures of the students one is compared with: the student's own
    /// class when classes were loaded, else the whole loaded set.
    using ClassFigures = ClassStatistics;

    const AnalysisState &m_analysis;
    std::size_t m_students = 0;
    int m_questionCount = 0;
    /// Per skill of the blueprint: its questions among 1..k, as a bit mask.
    std::vector<std::uint32_t> m_skillQuestions;
    ClassFigures m_class;
    StanineScale m_stanines;
    std::optional<double> m_bandHalfWidth;
    /// With two or more classes loaded: each class's figures, and for each
    /// student the index of their class's; empty otherwise.
    std::vector<ClassFigures> m_classes;
    std::vector<std::size_t> m_classOf;
    /// With two or more classes: the student of each card; empty otherwise.
    std::vector<std::size_t> m_order;
    /// With several tests loaded: the progress row of each matched name's
    /// key (progress rows that hold the newest test).
    QHash<QString, std::size_t> m_progressRows;

    void fillProgress(const UczenAll &student, StudentCard &card) const;
};

} // namespace zavevad
