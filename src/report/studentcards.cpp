#include "report/studentcards.h"

#include "export/reporttables.h"
#include "results/classcomparison.h"
#include "results/itemanalysis.h"
#include "results/progress.h"
#include "results/resultpaths.h"
#include "results/rounding.h"
#include "results/thresholds.h"

#include <QHash>
#include <QLocale>
#include <QSet>

#include <algorithm>
#include <bit>

namespace zavevad {

namespace {

std::int32_t wholePercent(std::int64_t part, std::int64_t whole)
{
    return whole > 0 ? static_cast<std::int32_t>(roundHalfEven(part * 100, whole)) : 0;
}

/// Bit q - 1 set for each question q that the student answered correctly.
std::uint32_t correctAnswers(const UczenAll &student, int questionCount)
{
    std::uint32_t answers = 0;
    for (int k = 1; k <= questionCount; ++k) {
        if (student.correct(k))
            answers |= 1u << (k - 1);
    }
    return answers;
}

/// The class's correct answers to the questions of `questions` (bit q - 1
/// for question q): a skill's questions answered right, summed over the class.
std::int64_t correctOf(const ClassStatistics &figures, std::uint32_t questions)
{
    std::int64_t sum = 0;
    for (int q = 0; q < figures.questionCount; ++q) {
        if (questions & (1u << q))
            sum += figures.correct[static_cast<std::size_t>(q)];
    }
    return sum;
}

} // namespace

QString fullGradeName(const QString &grade)
{
    static const struct
    {
        const char16_t *grade;
        const char16_t *name;
    } names[] = {{u"Cel", u"celujący"}, {u"Bdb", u"bardzo dobry"}, {u"Db", u"dobry"},
            {u"Dst", u"dostateczny"}, {u"Dop", u"dopuszczający"}, {u"Ndst", u"niedostateczny"}};
    for (const auto &entry : names) {
        if (grade == QStringView(entry.grade))
            return QString::fromUtf16(entry.name);
    }
    return grade;
}

QString stanineLine(const StudentCard &card)
{
    if (card.stanine < 1)
        return {};
    // "na tle" takes the genitive: 1 ucznia, 2 or more uczniów.
    return QStringLiteral("Stanin: %1 \u2014 %2 (na tle %3 %4)")
            .arg(card.stanine)
            .arg(stanineDescription(card.stanine))
            .arg(card.stanineGroup)
            .arg(card.stanineGroup == 1 ? QStringLiteral("ucznia") : QStringLiteral("uczniów"));
}

QString scoreBandLine(const StudentCard &card)
{
    if (!card.scoreBand || card.questionCount < 1)
        return {};
    const auto gradeOf = [&card](std::int32_t points) {
        return gradeName(
                static_cast<std::int32_t>(roundHalfEven(points * 100LL, card.questionCount)),
                card.thresholds);
    };
    const QString low = gradeOf(card.scoreBand->lower);
    const QString high = gradeOf(card.scoreBand->upper);
    const QString grades = low == high ? QString(QStringLiteral("ocena ") + low)
                                       : QString(QStringLiteral("oceny ") + low + u'\u2013' + high);
    return QStringLiteral("Wynik w przedziale %1\u2013%2 pkt (%3)")
            .arg(card.scoreBand->lower)
            .arg(card.scoreBand->upper)
            .arg(grades);
}

StudentCards::StudentCards(const AnalysisState &analysis)
    : m_analysis(analysis), m_students(std::min(analysis.students.size(),
                                    static_cast<std::size_t>(std::max(analysis.studentCount, 0)))),
      m_questionCount(usableQuestionCount(analysis.questionCount))
{
    // A skill's questions of this test; one it checks with none is left out.
    const std::uint32_t asked = (1u << m_questionCount) - 1u; // k is 30 at most
    for (const Skill &skill : analysis.blueprint.skills)
        m_skillQuestions.push_back(skill.questions & asked);
    const ItemAnalysis items = computeItemAnalysis(analysis);
    m_class = items.statistics;
    // The stanines and the score band belong to the whole loaded set, the
    // norm group of the stanine table.
    m_stanines = stanineScale(items.statistics);
    m_bandHalfWidth = computeReliability(analysis, items).bandHalfWidth;

    // A card's student is the progress row of their name in the newest test;
    // a key that two such rows share names two students and matches neither.
    if (analysis.progress.tests.size() >= 2) {
        QSet<QString> shared;
        for (std::size_t r = 0; r < analysis.progress.students.size(); ++r) {
            const ProgressStudent &row = analysis.progress.students[r];
            if (row.tenths.empty() || !row.tenths.back())
                continue;
            const QString key = matchingKey(row.name);
            if (m_progressRows.contains(key))
                shared.insert(key);
            m_progressRows.insert(key, r);
        }
        for (const QString &key : std::as_const(shared))
            m_progressRows.remove(key);
    }

    // Side by side classes: a student is compared with their own class.
    if (schoolClassCount(analysis) < 2)
        return;
    QHash<QString, std::size_t> classIndex;
    std::vector<std::vector<std::size_t>> members;
    m_classOf.reserve(m_students);
    for (std::size_t i = 0; i < m_students; ++i) {
        const QString &name = analysis.students[i].schoolClass;
        auto found = classIndex.constFind(name);
        if (found == classIndex.constEnd()) {
            found = classIndex.insert(name, members.size());
            members.emplace_back();
        }
        members[*found].push_back(i);
        m_classOf.push_back(*found);
    }
    m_classes.reserve(members.size());
    for (const std::vector<std::size_t> &group : members)
        m_classes.push_back(computeClassStatistics(analysis.students, group, m_questionCount));
    // A teacher hands the cards out class by class.
    QStringList names = classIndex.keys();
    sortClassNames(names);
    m_order.reserve(m_students);
    for (const QString &name : std::as_const(names)) {
        const std::vector<std::size_t> &group = members[classIndex.value(name)];
        m_order.insert(m_order.end(), group.begin(), group.end());
    }
}

StudentCard StudentCards::card(int index) const
{
    const std::size_t at = m_order.empty() ? static_cast<std::size_t>(index)
                                           : m_order[static_cast<std::size_t>(index)];
    const UczenAll &student = m_analysis.students[at];
    const bool byClass = !m_classOf.empty();
    const ClassFigures &figures = byClass ? m_classes[m_classOf[at]] : m_class;
    StudentCard card;
    if (byClass)
        card.className = student.schoolClass;
    card.testName = student.NazwaTestu;
    if (const std::optional<QDateTime> start = dateTimeFromDays(student.Poczatek))
        card.date = QLocale().toString(start->date(), QLocale::ShortFormat);
    card.studentName = student.displayName();

    card.points = student.Suma;
    card.questionCount = m_questionCount;
    card.percent = student.Procent;
    card.grade = student.Ocena;

    card.classMeanPoints100 = figures.meanPoints100();
    card.classMedianPoints2 = figures.medianPoints2();
    const int points = std::clamp(student.Suma, 0, m_questionCount);
    card.classSize = figures.studentCount;
    if (figures.studentCount > 0)
        card.betterThanPercent = static_cast<std::int32_t>(
                std::int64_t{figures.studentsBelow(points)} * 100 / figures.studentCount);

    card.questions.reserve(static_cast<std::size_t>(m_questionCount));
    for (int k = 1; k <= m_questionCount; ++k)
        card.questions.push_back({k, student.correct(k), figures.questionPercent(k)});

    const std::uint32_t answers = correctAnswers(student, m_questionCount);
    for (std::size_t s = 0; s < m_skillQuestions.size(); ++s) {
        const int count = std::popcount(m_skillQuestions[s]);
        if (count == 0)
            continue;
        const Skill &skill = m_analysis.blueprint.skills[s];
        card.skills.push_back({skill.name, skill.requirement, count,
                wholePercent(std::popcount(answers & m_skillQuestions[s]), count),
                wholePercent(correctOf(figures, m_skillQuestions[s]),
                        static_cast<std::int64_t>(figures.studentCount) * count)});
    }

    if (m_stanines.studentCount > 0) {
        card.stanine = m_stanines.stanine[static_cast<std::size_t>(points)];
        card.stanineGroup = m_stanines.studentCount;
    }
    if (m_bandHalfWidth)
        card.scoreBand = scoreBand(points, m_questionCount, *m_bandHalfWidth);

    fillProgress(student, card);
    card.workingTime = student.workingTime();
    card.classAverageWorkingTime = figures.averageWorkingTime;
    card.thresholds = m_analysis.thresholds;
    return card;
}

void StudentCards::fillProgress(const UczenAll &student, StudentCard &card) const
{
    const ProgressData &progress = m_analysis.progress;
    if (progress.tests.size() < 2)
        return;
    const auto found = m_progressRows.constFind(matchingKey(student.displayName()));
    const ProgressStudent *row =
            found == m_progressRows.constEnd() ? nullptr : &progress.students[*found];
    card.progress.reserve(progress.tests.size());
    for (std::size_t t = 0; t < progress.tests.size(); ++t) {
        const ProgressTest &test = progress.tests[t];
        const QString date = testDateText(test);
        CardProgress point{
                date.isEmpty() ? test.name : test.name + u' ' + date, {}, test.meanTenths};
        if (row && t < row->tenths.size())
            point.studentTenths = row->tenths[t];
        card.progress.push_back(std::move(point));
    }
}

} // namespace zavevad
