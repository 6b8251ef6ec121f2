#pragma once

#include "results/analysisstate.h"

#include <QString>
#include <QStringList>

namespace zavevad {

/// One export without a window: the files to load, the table and page to
/// build, and the files to write (an empty path writes nothing of that kind).
struct BatchExport
{
    QStringList files; ///< result files in load order (folders already expanded)
    /// The files are several tests of one class, loaded as "Wczytaj testy z
    /// folderu ..." loads them: the tables show the newest.
    bool severalTests = false;
    TableKind tableKind = TableResults;
    int page = 1; ///< results table: 1 questions 1 to 15, 2 from 16 on
    QString txtPath; ///< the bytes of "Zapisz tabelę jako txt"; `-`: standard output
    QString htmlPath; ///< the bytes of "Zapisz tabelę jako html"; `-`: standard output
    QString pdfPath; ///< the bytes of "Zapisz raport PDF ..." (needs a QGuiApplication)
    QString xlsxPath; ///< the bytes of "Zapisz jako arkusz xlsx ..."
    QString cardsPath; ///< the bytes of "Zapisz karty uczniów PDF ..." (needs a QGuiApplication)
    /// Where the load's `Progi.txt` is read from (no output may replace it).
    QString thresholdsFolder;
    /// The report and the workbook name the students "Uczeń 1", "Uczeń 2",
    /// ... (the cards always name their own student).
    bool withoutNames = false;
};

struct BatchOutcome
{
    bool ok = false;
    QString error; ///< when not ok: one line for the user, in Polish
    QString warning; ///< the load's warnings (other tests, other question counts), a line each
    bool refused = false; ///< an output was refused before anything was read or written
    QString blueprintWarning; ///< the warning about `Kartoteka.txt`, or empty
};

/// Loads the files exactly as the load command does (same test rule and
/// warnings; a bad file ends it), builds the table and page as the menu and
/// the arrows would, and writes each requested file with the bytes the menu's
/// save commands write. Nothing is written unless the load and the table
/// succeeded; a failed write ends the run. Every output is checked first
/// (outputRefusal() with the files, the other files the load reads and the
/// extension of its option; `-` only for the text and HTML table; no two
/// outputs into one file), so that a slip such as `--txt *.dat` refuses and
/// leaves every file as it was.
BatchOutcome runBatchExport(const BatchExport &request, const Thresholds &thresholds);

/// A prompt text on one line: the line breaks of the warnings become blanks.
QString oneLine(QString text);

} // namespace zavevad
