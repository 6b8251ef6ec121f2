#include "results/regrading.h"

#include "results/grading.h"
#include "results/thresholds.h"

namespace zavevad {

bool thresholdsRise(const Thresholds &t)
{
    return t.dop <= t.dst && t.dst <= t.db && t.db <= t.bdb && t.bdb <= t.cel;
}

void regradeAnalysis(AnalysisState &state, const Thresholds &thresholds)
{
    state.thresholds = thresholds;
    if (!state.dataLoaded || state.students.empty())
        return;
    // Only the grades depend on the thresholds; the points and percentages
    // were fixed by the load, so only the counts start again from zero.
    ClassSummary &summary = state.summary;
    summary.cel = summary.bdb = summary.db = summary.dst = summary.dop = summary.ndst = 0;
    for (UczenAll &student : state.students) {
        student.Ocena = gradeName(student.Procent, thresholds);
        countGrade(summary, student.Ocena);
    }
}

QByteArray thresholdsFileBytes(const Thresholds &t)
{
    QByteArray bytes;
    const auto line = [&bytes](const char *key, std::int32_t value) {
        bytes.append(key).append('=').append(QByteArray::number(value)).append("\r\n");
    };
    line("Dp", t.dop);
    line("Dst", t.dst);
    line("Db", t.db);
    line("Bdb", t.bdb);
    line("cel", t.cel);
    return bytes;
}

} // namespace zavevad
