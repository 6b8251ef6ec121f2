#pragma once

#include "report/reportsummary.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace zavevad {

/// One rule of the generated conclusions: what it reads, when it speaks and
/// what it says. The rules are fixed; the guide lists the same table.
struct ConclusionRule
{
    /// The figure read, for the guide: "łatwość testu".
    QString figure;
    /// When the rule writes, for the guide: "zawsze, gdy łatwość jest określona".
    QString condition;
    /// The sentence with its blanks, for the guide.
    QString pattern;
    /// The rule's sentences for `figures`: none when its condition does not
    /// hold or its figure is undefined.
    QStringList (*write)(const SummaryFigures &figures);
};

/// The rules in the order their sentences appear.
const std::vector<ConclusionRule> &conclusionRules();

/// The sentences of every rule for `figures`, in the rules' order.
QStringList generatedConclusions(const SummaryFigures &figures);

/// The difference, in whole percentage points rounded down, from which the
/// weakest class's mean is named against the best one's.
inline constexpr std::int64_t kClassGapPoints = 10;

} // namespace zavevad
