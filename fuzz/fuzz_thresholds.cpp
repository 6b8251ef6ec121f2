// libFuzzer target for the grade thresholds file `Progi.txt`: any content
// gives five thresholds, either all from the file or all defaults, and every
// percentage then gets exactly one grade name.

#include "fuzzsupport.h"
#include "results/grading.h"
#include "results/thresholds.h"

#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>

using namespace zavevad;

namespace {

// A broken promise of the code under test is a finding, like a crash.
#define check(condition)                                                                           \
    do {                                                                                           \
        if (!(condition))                                                                          \
            fuzz::fail(#condition, __FILE__, __LINE__);                                            \
    } while (false)

bool isGradeName(const QString &name)
{
    static const std::array<QString, 6> names = {QStringLiteral("Cel"), QStringLiteral("Bdb"),
            QStringLiteral("Db"), QStringLiteral("Dst"), QStringLiteral("Dop"),
            QStringLiteral("Ndst")};
    for (const QString &n : names) {
        if (n == name)
            return true;
    }
    return false;
}

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
    const Thresholds thresholds = parseThresholds(content);

    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    const std::array<std::int32_t, 14> percents = {
            kMin, -1, 0, 12, 49, 50, 60, 74, 75, 85, 95, 100, 101, kMax};
    for (std::int32_t p : percents)
        check(isGradeName(gradeName(p, thresholds)));
    // The thresholds themselves, and their neighbours, where overflow would lurk.
    for (std::int32_t t :
            {thresholds.cel, thresholds.bdb, thresholds.db, thresholds.dst, thresholds.dop}) {
        check(isGradeName(gradeName(t, thresholds)));
        if (t > kMin)
            check(isGradeName(gradeName(t - 1, thresholds)));
    }

    // A class graded with these thresholds counts every student exactly once.
    Uczniowie students(3);
    for (std::size_t i = 0; i < students.size(); ++i) {
        students[i].LiczbaPytan = 8;
        for (std::size_t k = 0; k < 3 * i + 1 && k < 8; ++k)
            students[i].Odpowiedzi[k] = 1;
    }
    ClassSummary summary;
    gradeStudents(students, 8, thresholds, summary);
    check(summary.cel + summary.bdb + summary.db + summary.dst + summary.dop + summary.ndst == 3);
    computeClassTotals(students, summary);
    check(isGradeName(gradeName(classPercent(summary, 8), thresholds)));
    return 0;
}
