#pragma once

#include <QByteArray>

class QIODevice;

namespace zavevad {

struct AnalysisState;

// The "Plik" commands that take the whole analysis out of the program. They
// reach the save dialog and the printer through Platform::current() and throw
// CommandError for a failure the user must see; run them through runCommand.
// A cancelled dialog writes nothing, and a failed save keeps the old file.

/// The bytes those commands save: the report as a PDF, the workbook. Both
/// throw CommandError when the document cannot be made. The PDF needs a
/// QGuiApplication (its fonts).
QByteArray reportPdfBytes(const AnalysisState &analysis);
QByteArray workbookFileBytes(const AnalysisState &analysis);
/// The students' result cards as a PDF, one page each.
QByteArray studentCardsPdfBytes(const AnalysisState &analysis);

/// The report and the cards as PDF written page by page into `device`; they
/// throw CommandError when the document cannot be made.
void writeReportPdf(const AnalysisState &analysis, QIODevice &device);
void writeStudentCardsPdf(const AnalysisState &analysis, QIODevice &device);

/// "Zapisz raport PDF ...": the report as a PDF file (filter "Dokument PDF
/// (*.pdf)", default extension "pdf").
void ZapiszRaportPdf(const AnalysisState &analysis);

/// "Drukuj raport ...": the report in the print preview, printed from there.
void DrukujRaport(const AnalysisState &analysis);

/// "Zapisz karty uczniów PDF ...": every student's result card as one PDF
/// file (filter "Dokument PDF (*.pdf)", default extension "pdf").
void ZapiszKartyPdf(const AnalysisState &analysis);

/// "Drukuj karty uczniów ...": the cards in the print preview, printed from there.
void DrukujKarty(const AnalysisState &analysis);

/// "Zapisz jako arkusz xlsx ...": every table and the thresholds as a workbook
/// (filter "Skoroszyt programu Excel (*.xlsx)", default extension "xlsx").
void ZapiszArkusz(const AnalysisState &analysis);

/// "Raport bez nazwisk ...": the report as a PDF file (filter "Dokument PDF
/// (*.pdf)", default extension "pdf") and the workbook beside it under the
/// same name with ".xlsx", both naming the students "Uczeń 1", "Uczeń 2", ...
/// in the results table's order. Both outputs are checked before either is
/// written.
void ZapiszRaportBezNazwisk(const AnalysisState &analysis);

} // namespace zavevad
