// libFuzzer target for the test's blueprint `Kartoteka.txt`: any content gives
// skills of the loaded test's questions only, names no line twice, reads back
// unchanged from what the dialog would save, and builds a skills table whose
// counts stay within the class.

#include "fuzzsupport.h"
#include "results/blueprint.h"
#include "results/skillanalysis.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"
#include "tables/skillstable.h"
#include "tables/tablekinds.h"

#include <QSet>

#include <cstddef>
#include <cstdint>

using namespace zavevad;

namespace {

// A broken promise of the code under test is a finding, like a crash.
#define check(condition)                                                                           \
    do {                                                                                           \
        if (!(condition))                                                                          \
            fuzz::fail(#condition, __FILE__, __LINE__);                                            \
    } while (false)

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzz::initialiseCore(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView content(
            reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    // The question count of the test, from the length: every count from 0 to 31
    // meets every content sooner or later.
    const int k = static_cast<int>(size % 32);
    const int usable = usableQuestionCount(k);
    const std::uint32_t testQuestions = usable >= 32 ? ~0u : (1u << usable) - 1u;

    const BlueprintRead read = parseBlueprint(content, k);
    QSet<QString> names;
    for (const Skill &skill : read.blueprint.skills) {
        check(!skill.name.isEmpty() && skill.name == skill.name.trimmed());
        check(skill.questions != 0 && (skill.questions & ~testQuestions) == 0);
        check(!names.contains(skill.name));
        names.insert(skill.name);
    }
    for (qsizetype i = 1; i < read.skippedLines.size(); ++i)
        check(read.skippedLines[i - 1] < read.skippedLines[i]);
    check(read.warning.isEmpty() == read.skippedLines.isEmpty());

    // What the dialog saves reads back as the same blueprint, without a warning.
    const BlueprintRead again = parseBlueprint(blueprintFileBytes(read.blueprint, k), k);
    check(again.skippedLines.isEmpty());
    check(again.blueprint.skills.size() == read.blueprint.skills.size());

    // A class of three: every count within its bounds, the table built.
    AnalysisState analysis;
    analysis.questionCount = k;
    analysis.students.resize(3);
    for (std::size_t i = 0; i < analysis.students.size(); ++i) {
        for (int q = 0; q < usable; ++q)
            analysis.students[i].Odpowiedzi[static_cast<std::size_t>(q)] = (q + i) % 2;
    }
    analysis.studentCount = 3;
    analysis.blueprint = read.blueprint;
    for (const SkillStats &stats : computeSkillStats(analysis)) {
        check(stats.correct >= 0 && stats.correct <= 3LL * stats.questionCount);
        check(stats.studentsFromHalf >= 0 && stats.studentsFromHalf <= 3);
    }
    GridModel grid;
    GridState state;
    showOwnGrid(grid, state, analysis, *tableKindInfo(TableSkills));
    check(grid.rowCount() == skillsTableRowCount(analysis));
    return 0;
}
