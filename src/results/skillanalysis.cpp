#include "results/skillanalysis.h"

#include <algorithm>
#include <bit>

namespace zavevad {

std::vector<SkillStats> computeSkillStats(const AnalysisState &state)
{
    const int k = usableQuestionCount(state.questionCount);
    const std::uint32_t testQuestions = k >= 32 ? ~0u : (1u << k) - 1u;
    const std::vector<Skill> &skills = state.blueprint.skills;
    std::vector<SkillStats> stats(skills.size());
    std::vector<std::uint32_t> skillQuestions(skills.size());
    for (std::size_t i = 0; i < skills.size(); ++i) {
        skillQuestions[i] = skills[i].questions & testQuestions;
        stats[i].questionCount = std::popcount(skillQuestions[i]);
    }

    const int n = static_cast<int>(
            std::clamp<std::int64_t>(state.studentCount, 0, std::ssize(state.students)));
    for (int s = 0; s < n; ++s) {
        const UczenAll &student = state.students[static_cast<std::size_t>(s)];
        std::uint32_t answers = 0;
        for (int q = 0; q < k; ++q) {
            if (student.Odpowiedzi[static_cast<std::size_t>(q)] != 0)
                answers |= 1u << q;
        }
        for (std::size_t i = 0; i < skills.size(); ++i) {
            const int right = std::popcount(answers & skillQuestions[i]);
            stats[i].correct += right;
            if (stats[i].questionCount > 0 && 2 * right >= stats[i].questionCount)
                ++stats[i].studentsFromHalf;
        }
    }
    for (SkillStats &skill : stats) {
        if (n > 0 && skill.questionCount > 0)
            skill.facility = Fraction{skill.correct, std::int64_t(n) * skill.questionCount};
    }
    return stats;
}

} // namespace zavevad
