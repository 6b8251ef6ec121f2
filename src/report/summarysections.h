#pragma once

#include "report/reportdocument.h"
#include "report/reportsummary.h"

#include <QDate>

#include <optional>

namespace zavevad {

// The report's text sections, made from the summary's figures.

/// Page one: "Raport z analizy testu", "Podsumowanie" and the figures a staff
/// meeting reads, each as the tables show it; a figure that is undefined
/// reads "–", a class without a real test date is left out of the dates.
TitleSection summarySection(
        const SummaryFigures &figures, const Thresholds &thresholds, const QDate &reportDate);

/// "Wnioski": the generated sentences; none when no rule speaks.
std::optional<TextSection> conclusionsSection(const SummaryFigures &figures);

/// "Wnioski i rekomendacje": the teacher's own text, one paragraph per
/// line; none when the teacher wrote none.
std::optional<TextSection> teacherSection(const ReportNotes &notes);

/// "Objaśnienia": the key, one sentence per term of the tables the report
/// holds (the class comparison with `classes`, the skills with `skills`), on
/// a page of its own.
TextSection keySection(bool classes, bool skills);

} // namespace zavevad
