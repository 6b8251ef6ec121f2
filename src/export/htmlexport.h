#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace zavevad {

class GridFont;
class GridModel;

/// The HTML table text of the grid, as Unicode: one `<table>` carrying each
/// cell's resolved alignment, a background where it differs from the grid's
/// body background, and a font part (colour, size, bold, italic, strike-out,
/// underline) where the resolved font counts as set, and a style of heavy
/// right and bottom borders where the grid's heavy lines run (a grid without
/// them gets no style at all). Lines end in CR LF. Cell
/// texts are escaped (`&`, `<`, `>`), so no name can break the page. This is
/// what the clipboard's `text/html` holds.
QString htmlTableText(const GridModel &grid);

/// `htmlTableText` as ISO 8859-2 bytes, as the HTML file holds it.
QByteArray htmlTableBytes(const GridModel &grid);

/// The whole HTML page: the fixed head, the table text, an empty line and
/// "</body></html>", as Unicode.
QString htmlPageText(const GridModel &grid);

/// `htmlPageText` as ISO 8859-2 bytes: the content of a saved `*.html` file.
QByteArray htmlPageBytes(const GridModel &grid);

/// ISO 8859-2 bytes of an HTML text; a character that the code page lacks is
/// written as a numeric character reference (`&#8222;`), so nothing is lost.
QByteArray toIso88592Html(QStringView html);

/// The HTML font size (1 to 7) of a font size in points.
int htmlFontSize(int points);

/// The size in points of a grid font, from its pixel height at 96 dots per
/// inch (11 pixels are 8 points); its point size when it has no pixel height.
int fontPoints(const GridFont &font);

} // namespace zavevad
