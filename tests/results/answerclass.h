#pragma once

#include "results/analysisstate.h"

#include <cstring>
#include <initializer_list>

namespace zavevad::test {

/// A class of right/wrong answers only, one string of '1' and '0' a student
/// ("1101"): what the reliability and student-problem statistics read. No
/// grading or totals.
inline AnalysisState answerClass(std::initializer_list<const char *> answers)
{
    AnalysisState state;
    for (const char *line : answers) {
        UczenAll student;
        const int k = static_cast<int>(std::strlen(line));
        for (int q = 0; q < k; ++q)
            student.Odpowiedzi[static_cast<std::size_t>(q)] = line[q] == '1' ? 1 : 0;
        state.questionCount = k;
        state.students.push_back(student);
    }
    state.studentCount = static_cast<std::int32_t>(state.students.size());
    return state;
}

} // namespace zavevad::test
