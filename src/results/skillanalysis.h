#pragma once

#include "results/analysisstate.h"
#include "results/itemanalysis.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace zavevad {

/// How the class did on one skill of the blueprint.
struct SkillStats
{
    std::int32_t questionCount = 0; ///< the skill's questions
    /// Correct answers of all students to the skill's questions.
    std::int64_t correct = 0;
    /// correct / (n * question count); none without students.
    std::optional<Fraction> facility;
    /// Students with at least half of the skill's questions right.
    std::int32_t studentsFromHalf = 0;
};

/// One entry per skill of `state.blueprint`, in its order, over the students
/// of `state`; a student's answers are counted as the results table counts them.
std::vector<SkillStats> computeSkillStats(const AnalysisState &state);

} // namespace zavevad
