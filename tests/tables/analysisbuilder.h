#pragma once

// Analysis states made by hand for the table tests and the table benchmark, so
// that they depend on neither the result-file reader nor the grading code.

#include "results/analysisstate.h"
#include "results/rounding.h"

#include <QString>

#include <cstdint>

namespace zavevad::test {

inline constexpr double kMinute = 1.0 / (24 * 60);
inline constexpr double kSecond = kMinute / 60;
/// 2023-03-15, a plain test day.
inline constexpr double kTestDay = 45000.0;

inline UczenAll makeStudent(const QString &surname, const QString &firstName,
        std::uint32_t correctMask, int questionCount, double start = kTestDay,
        double end = kTestDay)
{
    UczenAll student;
    student.Nazwisko = surname;
    student.Imie = firstName;
    for (int k = 1; k <= kMaxQuestions; ++k)
        student.Odpowiedzi[k - 1] = (correctMask >> (k - 1)) & 1u ? 1 : 0;
    student.NazwaTestu = QStringLiteral("Test");
    student.LiczbaPytan = questionCount;
    student.Poczatek = start;
    student.Koniec = end;
    return student;
}

/// Grade name for the default thresholds.
inline QString defaultGrade(std::int32_t percent)
{
    if (percent >= 95 && percent <= 100)
        return QStringLiteral("Cel");
    if (percent >= 85 && percent <= 94)
        return QStringLiteral("Bdb");
    if (percent >= 75 && percent <= 84)
        return QStringLiteral("Db");
    if (percent >= 60 && percent <= 74)
        return QStringLiteral("Dst");
    if (percent >= 50 && percent <= 59)
        return QStringLiteral("Dop");
    return QStringLiteral("Ndst");
}

/// Sets the counts, `Suma`, `Procent`, `Ocena`, the question statistics and the
/// class summary from the students and the question count.
inline void finishAnalysis(AnalysisState &state, int questionCount)
{
    state.questionCount = questionCount;
    state.studentCount = static_cast<std::int32_t>(state.students.size());
    state.summary = ClassSummary{};
    state.questions = {};
    for (UczenAll &s : state.students) {
        s.Suma = 0;
        for (int k = 1; k <= questionCount; ++k)
            s.Suma += s.correct(k) ? 1 : 0;
        s.Procent = static_cast<std::int32_t>(roundHalfEven(s.Suma * 100, questionCount));
        s.Ocena = defaultGrade(s.Procent);
        ClassSummary &c = state.summary;
        int *counts[] = {&c.cel, &c.bdb, &c.db, &c.dst, &c.dop, &c.ndst};
        const char16_t *names[] = {u"Cel", u"Bdb", u"Db", u"Dst", u"Dop", u"Ndst"};
        for (int g = 0; g < 6; ++g) {
            if (s.Ocena == QStringView(names[g]))
                ++*counts[g];
        }
        state.summary.totalPoints += s.Suma;
    }
    for (int k = 1; k <= questionCount; ++k) {
        QuestionStat &stat = state.questions[static_cast<std::size_t>(k - 1)];
        for (const UczenAll &s : state.students)
            stat.correctCount += s.correct(k) ? 1 : 0;
        stat.correctPercent = static_cast<std::int32_t>(
                roundHalfEven(stat.correctCount * 100, state.studentCount));
    }
    state.summary.averagePoints100 = static_cast<std::int32_t>(
            roundHalfEven(state.summary.totalPoints * 100LL, state.studentCount));
    state.dataLoaded = true;
    state.tableMode = TableResults;
}

/// A class of `studentCount` students ("Uczeń001 Anna" onward) and
/// `questionCount` questions; student i answers question k correctly unless
/// i + k is a multiple of 3, starts at 8:00 plus i minutes and works 20 + i mod
/// 15 minutes.
inline AnalysisState makeAnalysis(int studentCount, int questionCount)
{
    AnalysisState state;
    state.students.reserve(static_cast<std::size_t>(studentCount));
    for (int i = 0; i < studentCount; ++i) {
        std::uint32_t mask = 0;
        for (int k = 1; k <= kMaxQuestions; ++k) {
            if ((i + k) % 3 != 0)
                mask |= 1u << (k - 1);
        }
        const double start = kTestDay + 8 * 60 * kMinute + i * kMinute;
        const double end = start + (20 + i % 15) * kMinute;
        state.students.push_back(
                makeStudent(QStringLiteral("Uczeń%1").arg(i + 1, 3, 10, QLatin1Char('0')),
                        QStringLiteral("Anna"), mask, questionCount, start, end));
    }
    finishAnalysis(state, questionCount);
    return state;
}

/// A class whose grade counts are set directly (for the grade-count table).
inline AnalysisState makeGradeCounts(int cel, int bdb, int db, int dst, int dop, int ndst)
{
    AnalysisState state;
    state.summary.cel = cel;
    state.summary.bdb = bdb;
    state.summary.db = db;
    state.summary.dst = dst;
    state.summary.dop = dop;
    state.summary.ndst = ndst;
    state.studentCount = cel + bdb + db + dst + dop + ndst;
    state.questionCount = 10;
    return state;
}

} // namespace zavevad::test
