#pragma once

#include "tables/gridformat.h"

#include <QColor>
#include <QString>

#include <vector>

namespace zavevad {

/// A selected cell rectangle; all -1 means nothing is selected.
struct GridRect
{
    int left = -1;
    int top = -1;
    int right = -1;
    int bottom = -1;

    bool isCleared() const { return left == -1 && top == -1 && right == -1 && bottom == -1; }
    bool contains(int column, int row) const
    {
        return column >= left && column <= right && row >= top && row <= bottom;
    }
    friend bool operator==(const GridRect &, const GridRect &) = default;
};

/// The formatted string grid behind `Tabela`: texts, column widths, the top row,
/// the selection and formats per cell, row and column, with the resolution of a
/// cell's background, font and alignment.
///
/// Row 0 is the one header row; there is no fixed column. Texts and formats
/// outside the current column and row counts are kept, so that shrinking and
/// growing the grid again gives them back: formats persist until written again.
class GridModel
{
public:
    static constexpr int kRowHeight = 16;
    static constexpr int kGridLineWidth = 1;
    static constexpr int kDefaultColumnWidth = 64;
    static constexpr std::int32_t kBodyBackground = packedRgb(227, 222, 224);
    static constexpr std::int32_t kHeaderBackground = packedRgb(0, 64, 64);
    static constexpr std::int32_t kHeaderFontColour = packedRgb(255, 255, 255);

    GridModel();

    // ---- Size ----
    int columnCount() const { return m_columnCount; }
    int rowCount() const { return m_rowCount; }
    void setColumnCount(int count);
    void setRowCount(int count);
    int columnWidth(int column) const;
    void setColumnWidth(int column, int width);

    // ---- Texts ----
    /// The text of a cell; empty for a cell that was never written.
    const QString &text(int column, int row) const;
    void setText(int column, int row, const QString &text);

    // ---- View state ----
    int topRow() const { return m_topRow; }
    /// Sets the first body row drawn under the header; not clamped.
    void setTopRow(int row) { m_topRow = row; }
    /// The first column drawn after column 0, which stays in view while a
    /// table wider than its area pages sideways; 1 on the first page. Not
    /// clamped.
    int leftColumn() const { return m_leftColumn; }
    void setLeftColumn(int column) { m_leftColumn = column; }
    /// Whether `column` lies between column 0 and the left column: paged out
    /// of view, drawn with no width.
    bool columnPagedOut(int column) const { return column >= 1 && column < m_leftColumn; }
    /// Whether a text wider than its cell is drawn ending in "…", so that it
    /// is never cut silently. Off for the grid's first three tables, whose
    /// look is fixed.
    bool marksCutTexts() const { return m_marksCutTexts; }
    void setMarksCutTexts(bool marks) { m_marksCutTexts = marks; }
    const GridRect &selection() const { return m_selection; }
    void setSelection(const GridRect &selection) { m_selection = selection; }
    void clearSelection() { m_selection = GridRect{}; }

    // ---- Formats (read) ----
    /// The format a cell, row or column carries; an empty format when it has none.
    const GridFormat &cellFormat(int column, int row) const;
    const GridFormat &rowFormat(int row) const;
    const GridFormat &columnFormat(int column) const;
    const GridFormat &headerRowFormat() const { return m_headerRowFormat; }
    const GridFormat &headerColumnFormat(int column) const;

    // ---- Formats (write) ----
    /// The format to write to; created empty when the cell, row or column had none.
    GridFormat &cellFormat(int column, int row);
    GridFormat &rowFormat(int row);
    GridFormat &columnFormat(int column);
    GridFormat &headerRowFormat() { return m_headerRowFormat; }
    GridFormat &headerColumnFormat(int column);

    // ---- Heavy lines ----
    // A table of its own may carry heavy lines along its grid lines (the S
    // and P curves of the student-problem table); the specified tables have
    // none, so their pictures and exports stay as they were.
    /// Element r: the column on whose right edge row r's heavy line runs; -1
    /// for none. As long as the row count.
    std::vector<int> heavyLinesAfterColumn() const;
    void setHeavyLineAfterColumn(int row, int column);
    /// Element c: the row under which column c's heavy line runs; -1 for
    /// none. As long as the column count.
    std::vector<int> heavyLinesBelowRow() const;
    void setHeavyLineBelowRow(int column, int row);
    void clearHeavyLines()
    {
        m_heavyAfterColumn.clear();
        m_heavyBelowRow.clear();
    }
    bool hasHeavyLines() const { return !m_heavyAfterColumn.empty() || !m_heavyBelowRow.empty(); }

    // ---- Fixed look ----
    QColor bodyBackground() const { return m_bodyBackground; }
    QColor headerBackground() const { return m_headerBackground; }
    /// "MS Sans Serif", 11 px (8 pt), black, regular: the default body font and
    /// the font that a format's first font setting starts from.
    const GridFont &bodyFont() const { return m_bodyFont; }
    /// "MS Sans Serif", 11 px, white, bold.
    const GridFont &headerFont() const { return m_headerFont; }
    static constexpr TMyAlign kBodyAlignment = alLeft;
    static constexpr TMyAlign kHeaderAlignment = alCenter;

    // ---- Resolution ----
    // References returned here and by the format accessors stay valid until
    // the next write that reaches a cell, row or column not stored yet.
    // Body cell: cell, then column, then row, then the default. Header cell
    // (row 0): cell, then header column, then header row, then the header default.
    QColor resolvedBackground(int column, int row) const;
    const GridFont &resolvedFont(int column, int row) const;
    /// Never `alDefault`: an alignment left unresolved is `alLeft`.
    TMyAlign resolvedAlignment(int column, int row) const;
    /// Whether the resolved font counts as set for HTML export: always for a
    /// header cell; for a body cell when the font comes from the cell, its column
    /// or its row and was changed since it was created; never for the default.
    bool resolvedFontIsSet(int column, int row) const;

private:
    struct Cell
    {
        QString text;
        GridFormat format;

        friend bool operator==(const Cell &, const Cell &) = default;
    };

    /// The first format, in the order of resolution, whose part `hasPart`
    /// reports set; null when the part falls through to the grid default.
    template<typename HasPart>
    const GridFormat *resolvingFormat(int column, int row, HasPart hasPart) const;
    const Cell *findCell(int column, int row) const;
    Cell &cellAt(int column, int row);
    void growColumns(int columns);

    int m_columnCount = 5;
    int m_rowCount = 5;
    int m_topRow = 1;
    int m_leftColumn = 1;
    bool m_marksCutTexts = false;
    GridRect m_selection{0, 1, 0, 1};

    // Cells are row-major with a stride that only grows, so that building a
    // table touches one flat block instead of a map per cell.
    std::vector<Cell> m_cells;
    int m_stride = 0;
    int m_storedRows = 0;

    std::vector<int> m_heavyAfterColumn;
    std::vector<int> m_heavyBelowRow;
    std::vector<int> m_columnWidths;
    std::vector<GridFormat> m_rowFormats;
    std::vector<GridFormat> m_columnFormats;
    std::vector<GridFormat> m_headerColumnFormats;
    GridFormat m_headerRowFormat;

    QColor m_bodyBackground;
    QColor m_headerBackground;
    GridFont m_bodyFont;
    GridFont m_headerFont;

    friend bool operator==(const GridModel &, const GridModel &) = default;
};

} // namespace zavevad
