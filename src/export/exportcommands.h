#pragma once

namespace zavevad {

class GridModel;

// The menu's export commands. They read the table now in the grid, reach the
// save dialog and the clipboard through Platform::current(), and throw
// CommandError for a failure the user must see; run them through runCommand.

/// "Kopiuj tabelę jako csv": the tab-separated table text as the clipboard's text.
void KopiujCsv(const GridModel &grid);

/// "Zapisz tabelę jako txt": asks for a file name (filter "Plik tekstowy (*.txt)",
/// default extension "txt") and saves the tab-separated table text in code
/// page 1250. A cancelled dialog does nothing.
void ZapiszTxt(const GridModel &grid);

/// "Zapisz tabelę jako html": asks for a file name (filter "Plik tekstowy (*.html)",
/// default extension "html") and saves the HTML page in ISO 8859-2.
void ZapiszHtml(const GridModel &grid);

/// "Kopiuj tabelę jako html": the HTML table text (no page head) as the
/// clipboard's `text/html`, with the tab-separated text as its `text/plain`,
/// in one clipboard write.
void KopiujHtml(const GridModel &grid);

} // namespace zavevad
