#include "report/reportsummary.h"

#include "export/reporttables.h"
#include "results/classcomparison.h"
#include "results/grading.h"
#include "results/skillanalysis.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace zavevad {

namespace {

constexpr std::size_t kMostQuestionsNamed = 5;
constexpr std::int64_t kHardBelow = 50;
constexpr std::int64_t kEasyFrom = 90;

/// The students the analysis reads: the loaded list up to the student count.
std::size_t usableStudents(const AnalysisState &analysis)
{
    return static_cast<std::size_t>(
            std::clamp<std::int64_t>(analysis.studentCount, 0, std::ssize(analysis.students)));
}

/// Each class's earliest real start, by class name.
QHash<QString, QDate> classDates(const AnalysisState &analysis)
{
    QHash<QString, QDate> dates;
    const std::size_t n = usableStudents(analysis);
    for (std::size_t s = 0; s < n; ++s) {
        const UczenAll &student = analysis.students[s];
        const std::optional<QDate> date = realTestDate(student.Poczatek);
        if (!date)
            continue;
        auto found = dates.find(student.schoolClass);
        if (found == dates.end())
            dates.insert(student.schoolClass, *date);
        else if (*date < *found)
            *found = *date;
    }
    return dates;
}

void setQuestionFigures(SummaryFigures &figures, const ItemAnalysis &items)
{
    std::vector<QuestionFigure> all;
    for (std::size_t i = 0; i < items.items.size(); ++i) {
        const ItemStats &item = items.items[i];
        const QuestionFigure figure{static_cast<int>(i) + 1, hundredths(item.difficulty)};
        all.push_back(figure);
        if (item.discriminationFlag() == DiscriminationFlag::Weak)
            figures.weakDiscrimination.push_back(figure);
        else if (item.discriminationFlag() == DiscriminationFlag::Negative)
            figures.negativeDiscrimination.push_back(figure);
    }
    // Stable: questions of equal easiness keep their numbers' order.
    std::stable_sort(all.begin(), all.end(), [](const QuestionFigure &a, const QuestionFigure &b) {
        return a.easiness100 < b.easiness100;
    });
    for (const QuestionFigure &q : all) {
        if (q.easiness100 < kHardBelow && figures.hardest.size() < kMostQuestionsNamed)
            figures.hardest.push_back(q);
    }
    std::stable_sort(all.begin(), all.end(), [](const QuestionFigure &a, const QuestionFigure &b) {
        return a.easiness100 > b.easiness100;
    });
    for (const QuestionFigure &q : all) {
        if (q.easiness100 >= kEasyFrom && figures.easiest.size() < kMostQuestionsNamed)
            figures.easiest.push_back(q);
    }
}

void setWholeSet(SummaryFigures &figures, const ItemAnalysis &items, const ClassSummary &grades)
{
    figures.mean = items.mean;
    figures.median = items.median;
    figures.easiness = testEasiness(items);
    figures.kr20 = items.kr20;
    figures.grades = {grades.cel, grades.bdb, grades.db, grades.dst, grades.dop, grades.ndst};
    setQuestionFigures(figures, items);
}

void setSkills(SummaryFigures &figures, const AnalysisState &analysis)
{
    if (analysis.blueprint.empty())
        return;
    const std::vector<SkillStats> stats = computeSkillStats(analysis);
    for (std::size_t i = 0; i < stats.size() && i < analysis.blueprint.skills.size(); ++i) {
        if (!stats[i].facility)
            continue;
        figures.skills.push_back({analysis.blueprint.skills[i].name, hundredths(*stats[i].facility),
                stats[i].studentsFromHalf});
    }
}

} // namespace

std::int32_t SummaryFigures::passed() const
{
    return grades[0] + grades[1] + grades[2] + grades[3] + grades[4];
}

std::pair<const ClassFigure *, const ClassFigure *> weakestAndBestClass(
        const SummaryFigures &figures)
{
    std::vector<const ClassFigure *> classes;
    for (const ClassFigure &c : figures.classes) {
        if (c.easiness)
            classes.push_back(&c);
    }
    if (classes.size() < 2)
        return {nullptr, nullptr};
    // a / b < c / d with positive denominators, without rounding.
    const auto below = [](const ClassFigure *a, const ClassFigure *b) {
        return a->easiness->numerator * b->easiness->denominator
                < b->easiness->numerator * a->easiness->denominator;
    };
    return {*std::min_element(classes.begin(), classes.end(), below),
            *std::max_element(classes.begin(), classes.end(), below)};
}

const std::array<QString, 6> &gradeNames()
{
    static const std::array<QString, 6> names{QStringLiteral("Cel"), QStringLiteral("Bdb"),
            QStringLiteral("Db"), QStringLiteral("Dst"), QStringLiteral("Dop"),
            QStringLiteral("Ndst")};
    return names;
}

SummaryFigures summaryFigures(const AnalysisState &analysis, const ReportNotes &notes)
{
    SummaryFigures figures;
    figures.notes = notes;
    // The folder names the class: files of one name in two classes stay apart.
    const auto shortNames = [](const QStringList &paths) {
        QStringList names;
        for (const QString &path : paths) {
            const QFileInfo info(path);
            names.append(info.dir().dirName() + QLatin1Char('/') + info.fileName());
        }
        return names;
    };
    figures.otherTestFiles = shortNames(analysis.otherTestFiles);
    figures.otherCountFiles = shortNames(analysis.otherCountFiles);
    figures.students = static_cast<std::int32_t>(usableStudents(analysis));
    figures.questions = usableQuestionCount(analysis.questionCount);
    if (!analysis.students.empty())
        figures.testName = analysis.students.front().NazwaTestu;
    const QHash<QString, QDate> dates = classDates(analysis);
    const auto dateOf = [&dates](const QString &name) -> std::optional<QDate> {
        const auto found = dates.constFind(name);
        return found == dates.cend() ? std::nullopt : std::optional<QDate>(*found);
    };
    if (schoolClassCount(analysis) >= 2) {
        const ClassComparison comparison = computeClassComparison(analysis);
        for (const ClassStats &stats : comparison.classes) {
            figures.classes.push_back({stats.name, stats.analysis.studentCount,
                    testEasiness(stats.analysis), dateOf(stats.name)});
        }
        setWholeSet(figures, comparison.total.analysis, comparison.total.grades);
    } else {
        const ItemAnalysis items = computeItemAnalysis(analysis);
        ClassSummary grades;
        const std::size_t n = usableStudents(analysis);
        for (std::size_t s = 0; s < n; ++s)
            countGrade(grades, analysis.students[s].Ocena);
        const QString name = n > 0 ? analysis.students.front().schoolClass : QString();
        figures.classes.push_back({name, items.studentCount, testEasiness(items), dateOf(name)});
        setWholeSet(figures, items, grades);
    }
    setSkills(figures, analysis);
    return figures;
}

std::optional<std::int64_t> percentDown(std::int64_t part, std::int64_t whole)
{
    if (whole <= 0)
        return std::nullopt;
    const std::int64_t scaled = part * 100;
    // Floor, also for a negative part.
    return scaled / whole - (scaled % whole < 0 ? 1 : 0);
}

std::optional<QDate> realTestDate(double days)
{
    const std::optional<QDateTime> start = dateTimeFromDays(days);
    if (!start)
        return std::nullopt;
    const int year = start->date().year();
    if (year < 1900 || year > 9999)
        return std::nullopt;
    return start->date();
}

QString reliabilityWord(std::int64_t kr20Hundredths)
{
    if (kr20Hundredths >= 80)
        return QStringLiteral("wysoka");
    if (kr20Hundredths >= 70)
        return QStringLiteral("zadowalająca");
    return QStringLiteral("niska");
}

QString testCategory(const Fraction &easiness)
{
    switch (difficultyBand(easiness)) {
    case Difficulty::VeryHard:
        return QStringLiteral("bardzo trudny");
    case Difficulty::Hard:
        return QStringLiteral("trudny");
    case Difficulty::ModeratelyHard:
        return QStringLiteral("umiarkowanie trudny");
    case Difficulty::Easy:
        return QStringLiteral("łatwy");
    case Difficulty::VeryEasy:
        break;
    }
    return QStringLiteral("bardzo łatwy");
}

QString gradeSharesText(const SummaryFigures &figures)
{
    QStringList parts;
    for (std::size_t i = 0; i < figures.grades.size(); ++i) {
        // Each grade stays on one line: no break inside "Bdb 5 (17 %)".
        QString part = gradeNames()[i] + QChar(0x00A0) + QString::number(figures.grades[i]);
        if (const std::optional<std::int64_t> share =
                        percentDown(figures.grades[i], figures.students))
            part += QStringLiteral("\u00a0(%1\u00a0%)").arg(*share);
        parts.append(part);
    }
    return parts.join(QStringLiteral(", "));
}

QString runningHeaderText(const SummaryFigures &figures)
{
    QStringList names;
    for (const ClassFigure &c : figures.classes) {
        if (!c.name.isEmpty())
            names.append(c.name);
    }
    QString text = figures.testName;
    if (!names.isEmpty()) {
        text += (names.size() == 1 ? QStringLiteral(" – klasa ") : QStringLiteral(" – klasy "))
                + names.join(QStringLiteral(", "));
    }
    return text;
}

} // namespace zavevad
