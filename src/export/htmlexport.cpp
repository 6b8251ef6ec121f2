#include "export/htmlexport.h"

#include "results/codepage.h"
#include "tables/gridmodel.h"
#include "tables/heavylines.h"

#include <cstdint>
#include <vector>

namespace zavevad {

namespace {

const QLatin1String kCrLf("\r\n");

// RRGGBB in upper-case hexadecimal, written straight into the output: a table
// of many students formats a colour for nearly every cell.
void appendRrggbb(QString &out, const QColor &colour)
{
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    const int parts[] = {colour.red(), colour.green(), colour.blue()};
    for (const int part : parts) {
        out += QChar(kDigits[(part >> 4) & 0xF]);
        out += QChar(kDigits[part & 0xF]);
    }
}

bool sameRgb(const QColor &a, const QColor &b)
{
    return a.red() == b.red() && a.green() == b.green() && a.blue() == b.blue();
}

QLatin1String alignmentAttribute(TMyAlign alignment)
{
    switch (alignment) {
    case alRight:
        return QLatin1String(" align=right");
    case alCenter:
        return QLatin1String(" align=center");
    case alLeft:
    case alDefault:
        break;
    }
    return QLatin1String(" align=left");
}

void appendEscaped(QString &out, QStringView text)
{
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += QLatin1String("&amp;");
            break;
        case u'<':
            out += QLatin1String("&lt;");
            break;
        case u'>':
            out += QLatin1String("&gt;");
            break;
        default:
            out += c;
        }
    }
}

// Which of a cell's edges carry a heavy line.
enum HeavyEdge : std::uint8_t { NoHeavyEdge = 0, HeavyRight = 1, HeavyBottom = 2 };

/// Element row * columns + column: the heavy edges of that cell, each piece
/// of a heavy line given to the cells left of or above it. Empty for a grid
/// without heavy lines.
std::vector<std::uint8_t> heavyEdges(const GridModel &grid)
{
    if (!grid.hasHeavyLines())
        return {};
    const int columns = grid.columnCount();
    std::vector<std::uint8_t> edges(
            static_cast<std::size_t>(columns) * static_cast<std::size_t>(grid.rowCount()), 0);
    const auto mark = [&](int column, int row, HeavyEdge edge) {
        if (column >= 0 && column < columns && row >= 0 && row < grid.rowCount())
            edges[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns)
                    + static_cast<std::size_t>(column)] |= edge;
    };
    for (const HeavySegment &s :
            heavyLineSegments(grid.heavyLinesAfterColumn(), grid.heavyLinesBelowRow(), columns)) {
        if (s.vertical()) {
            for (int r = s.row1; r < s.row2; ++r)
                mark(s.column1 - 1, r, HeavyRight);
        } else {
            for (int c = s.column1; c < s.column2; ++c)
                mark(c, s.row1 - 1, HeavyBottom);
        }
    }
    return edges;
}

void appendCell(QString &out, const GridModel &grid, int column, int row, std::uint8_t heavy)
{
    const bool header = row == 0;
    out += header ? QLatin1String("  <th") : QLatin1String("  <td");
    out += alignmentAttribute(grid.resolvedAlignment(column, row));
    const QColor background = grid.resolvedBackground(column, row);
    if (!sameRgb(background, grid.bodyBackground())) {
        out += QLatin1String(" bgcolor=#");
        appendRrggbb(out, background);
    }
    if (heavy != NoHeavyEdge) {
        out += QLatin1String(" style=\"");
        if (heavy & HeavyRight)
            out += QLatin1String("border-right:3px solid #000000;");
        if (heavy & HeavyBottom)
            out += QLatin1String("border-bottom:3px solid #000000;");
        out += QLatin1Char('"');
    }
    out += QLatin1Char('>') + kCrLf;

    const QString &text = grid.text(column, row);
    if (!text.isEmpty()) {
        const bool withFont = grid.resolvedFontIsSet(column, row);
        const GridFont &font = grid.resolvedFont(column, row);
        if (withFont) {
            out += QLatin1String("   <font color=#");
            appendRrggbb(out, font.color());
            // Sizes run from 1 to 7: one digit.
            out += QLatin1String(" size=") + QChar(u'0' + htmlFontSize(fontPoints(font)))
                    + QLatin1Char('>');
            if (font.bold())
                out += QLatin1String("<b>");
            if (font.italic())
                out += QLatin1String("<i>");
            if (font.strikeOut())
                out += QLatin1String("<strike>");
            if (font.underline())
                out += QLatin1String("<u>");
        }
        appendEscaped(out, text);
        if (withFont) {
            if (font.underline())
                out += QLatin1String("</u>");
            if (font.strikeOut())
                out += QLatin1String("</strike>");
            if (font.italic())
                out += QLatin1String("</i>");
            if (font.bold())
                out += QLatin1String("</b>");
            out += QLatin1String("</font>");
        }
    }
    out += header ? QLatin1String("  </th>") : QLatin1String("  </td>");
}

// The page head as the program has always written it; the title's "ó" has the
// same byte in both Central European code pages.
QString pageHead()
{
    return QStringLiteral("<html> <head>\r\n"
                          "<meta http-equiv=\"Content-Type\" content=\"text/html; "
                          "charset=iso-8859-2\">\r\n"
                          "<meta name=\"GENERATOR\" content=\"Microsoft FrontPage 3.0\"> "
                          "<title>Program &quot;Kalmo&quot; - analiza wyników</title> </head> "
                          "<body><p>   Tabela z programu \"Kalmo\"</p>\r\n");
}

} // namespace

int htmlFontSize(int points)
{
    if (points >= 0 && points <= 5)
        return 1;
    if (points >= 6 && points <= 9)
        return 2;
    if (points == 10)
        return 3;
    if (points >= 11 && points <= 13)
        return 4;
    if (points >= 14 && points <= 17)
        return 5;
    if (points >= 18 && points <= 21)
        return 6;
    return 7;
}

int fontPoints(const GridFont &font)
{
    const int pixels = font.pixelHeight();
    if (pixels <= 0)
        return font.pointSize();
    // Pixels to points at 96 dots per inch, rounded like the Windows MulDiv.
    return static_cast<int>((static_cast<long long>(pixels) * 72 + 48) / 96);
}

QString htmlTableText(const GridModel &grid)
{
    QString out;
    // About one short line per cell; reserving avoids regrowing for long classes.
    out.reserve(64 + qsizetype(grid.rowCount()) * (16 + qsizetype(grid.columnCount()) * 72));
    out += QLatin1String("<table bgcolor=#");
    appendRrggbb(out, grid.bodyBackground());
    out += QLatin1Char('>') + kCrLf;
    const std::vector<std::uint8_t> heavy = heavyEdges(grid);
    std::size_t cell = 0;
    for (int row = 0; row < grid.rowCount(); ++row) {
        out += QLatin1String(" <tr>") + kCrLf;
        for (int column = 0; column < grid.columnCount(); ++column, ++cell)
            appendCell(out, grid, column, row,
                    heavy.empty() ? std::uint8_t(NoHeavyEdge) : heavy[cell]);
        out += QLatin1String(" </tr>") + kCrLf;
    }
    out += QLatin1String("</table>") + kCrLf;
    return out;
}

QByteArray htmlTableBytes(const GridModel &grid)
{
    return toIso88592Html(htmlTableText(grid));
}

QString htmlPageText(const GridModel &grid)
{
    return pageHead() + htmlTableText(grid) + kCrLf + QLatin1String("</body></html>") + kCrLf;
}

QByteArray htmlPageBytes(const GridModel &grid)
{
    return toIso88592Html(htmlPageText(grid));
}

QByteArray toIso88592Html(QStringView html)
{
    // One byte per character except for the rare references; runs of ASCII,
    // nearly all of the markup, are copied in one go.
    QByteArray out;
    out.reserve(html.size() + 16);
    qsizetype i = 0;
    while (i < html.size()) {
        qsizetype ascii = i;
        while (ascii < html.size() && html.at(ascii).unicode() < 0x80)
            ++ascii;
        if (ascii > i) {
            const qsizetype start = out.size();
            out.resize(start + (ascii - i));
            char *dst = out.data() + start;
            for (qsizetype k = i; k < ascii; ++k)
                *dst++ = static_cast<char>(html.at(k).unicode());
            i = ascii;
            continue;
        }
        char32_t ch = html.at(i).unicode();
        if (html.at(i).isHighSurrogate() && i + 1 < html.size()
                && html.at(i + 1).isLowSurrogate()) {
            ch = QChar::surrogateToUcs4(html.at(i), html.at(i + 1));
            ++i;
        } else if (html.at(i).isSurrogate()) {
            // A broken pair names no character at all.
            ch = QChar::ReplacementCharacter;
        }
        ++i;
        char byte = 0;
        if (codepage::toIso88592(ch, byte)) {
            out += byte;
        } else {
            out += "&#";
            out += QByteArray::number(static_cast<quint32>(ch));
            out += ';';
        }
    }
    return out;
}

} // namespace zavevad
