#pragma once

// The small class whose exports the expected files in tests/data/export hold:
// six students, sixteen questions (so the results table has a second page),
// Polish letters in the names and working times exact to the second.

#include "results/analysisstate.h"
#include "results/grading.h"

#include <QString>

#include <cstdint>

namespace zavevad::test {

inline double atTime(int hours, int minutes, int seconds)
{
    // 2023-03-15; only the time of day is ever shown.
    return 45000.0 + (hours * 3600 + minutes * 60 + seconds) / 86400.0;
}

inline UczenAll exportStudent(const QString &surname, const QString &firstName, const char *answers,
        double start, double end)
{
    UczenAll student;
    student.Nazwisko = surname;
    student.Imie = firstName;
    for (int k = 0; answers[k] != 0 && k < kMaxQuestions; ++k)
        student.Odpowiedzi[static_cast<std::size_t>(k)] = answers[k] == '1' ? 1 : 0;
    student.NazwaTestu = QStringLiteral("Sprawdzian");
    student.LiczbaPytan = 16;
    student.Poczatek = start;
    student.Koniec = end;
    return student;
}

/// Grades the students of a sixteen-question test and sets the statistics as a load does.
inline void gradeClass(AnalysisState &state)
{
    state.studentCount = static_cast<std::int32_t>(state.students.size());
    state.questionCount = 16;
    state.summary = ClassSummary{};
    state.questions = {};
    gradeStudents(state.students, state.questionCount, state.thresholds, state.summary);
    computeQuestionStats(state.students, state.questionCount, state.questions);
    computeClassTotals(state.students, state.summary);
    state.dataLoaded = true;
    state.tableMode = TableResults;
}

/// Already in the order of the name sort: a load would list them the same way.
inline AnalysisState exportClass()
{
    AnalysisState state;
    state.students = {
            exportStudent(QStringLiteral("Dąbrowska"), QStringLiteral("Zofia"), "1111111111111111",
                    atTime(8, 0, 0), atTime(8, 25, 30)),
            exportStudent(QStringLiteral("Kowalski"), QStringLiteral("Jan"), "1111111111000000",
                    atTime(8, 1, 0), atTime(8, 31, 0)),
            exportStudent(QStringLiteral("Łęcki"), QStringLiteral("Michał"), "1111111111111000",
                    atTime(8, 0, 30), atTime(8, 20, 30)),
            exportStudent(QStringLiteral("Nowak"), QStringLiteral("Ewa"), "1010101010101010",
                    atTime(8, 2, 0), atTime(8, 40, 15)),
            exportStudent(QStringLiteral("Śliwa"), QStringLiteral("Łucja"), "1111111111111110",
                    atTime(8, 0, 0), atTime(8, 35, 0)),
            exportStudent(QStringLiteral("Źrałko"), QStringLiteral("Jaśmina"), "0000000000000001",
                    atTime(8, 3, 0), atTime(8, 34, 15)),
    };
    gradeClass(state);
    return state;
}

} // namespace zavevad::test
