#pragma once

#include "tables/gridoperations.h"

#include <QColor>
#include <QHash>
#include <QLocale>
#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace zavevad {

/// What a cell holds. Numbers and times keep their value and get their text
/// from it (`TableTexts`); texts and grades keep their text.
enum class CellKind : std::uint8_t {
    Empty,
    Text,
    Whole, ///< a count or a score
    Decimal, ///< with its digits: two, or the shortest general form
    Percent, ///< a whole percentage, shown without "%"
    Grade, ///< "Cel" ... "Ndst"
    DateTime, ///< days since 1899-12-30; the table shows the time of day
    Duration, ///< days; the table shows the time of day of the absolute value
};

/// What a column holds, for whoever takes the table apart.
enum class ColumnRole : std::uint8_t {
    Label, ///< row names: students, classes, skills, statistics
    Question, ///< one question's answers or statistics
    Sum,
    Grade,
    Time,
    Count,
    Statistic,
    Text,
};

/// The background a row gets from the table's banding: every fifth body row
/// in one colour, the others in another.
enum class RowBand : std::uint8_t { None, Plain, Fifth };

/// One cell: 16 bytes, no heap of its own; texts are shared in the table.
struct TableCell
{
    double value = 0;
    /// Index into the table's texts; 0 is the empty text. A number's text
    /// follows its value, with this text (its mark) after it.
    std::uint32_t text = 0;
    CellKind kind = CellKind::Empty;
    /// Decimal: 2 or 1, or -1 for the shortest general form.
    std::int8_t digits = -1;
    /// Index into the table's looks; 0: the cell gets no look of its own.
    std::uint16_t look = 0;

    bool isNumber() const
    {
        return kind == CellKind::Whole || kind == CellKind::Decimal || kind == CellKind::Percent;
    }
};
static_assert(sizeof(TableCell) == 16);

struct TableColumn
{
    int width = 0; ///< the grid's pixels
    ColumnRole role = ColumnRole::Text;
    std::uint16_t look = 0; ///< the `UstawKolumne` look; 0: none
    /// A heavy line under this column's cell of this row (the P curve of the
    /// student-problem table); -1: none.
    std::int32_t heavyLineBelowRow = -1;
};

struct TableRow
{
    RowBand band = RowBand::None;
    std::uint16_t look = 0; ///< the `UstawWiersz` look; 0: none
    /// The grid's header row: resolved against the header's defaults.
    bool header = false;
    /// A heavy line on the right edge of this row's cell of this column (the
    /// S curve of the student-problem table); -1: none.
    std::int16_t heavyLineAfterColumn = -1;
};

/// A cell as a reader sees it: its text and the look the grid would give it
/// on a grid of its own, with the kind and value behind the text.
struct ShownCell
{
    QString text;
    CellKind kind = CellKind::Empty;
    double value = 0;
    int digits = -1;
    QColor background;
    QColor color;
    bool bold = false;
    /// Qt::AlignLeft, Qt::AlignHCenter or Qt::AlignRight.
    Qt::Alignment alignment = Qt::AlignLeft;

    bool isNumber() const
    {
        return kind == CellKind::Whole || kind == CellKind::Decimal || kind == CellKind::Percent;
    }
};

/// A table as typed data: what every table builder produces and the grid,
/// the report and the workbook render. Row 0 is the header row; cells are
/// addressed (column, row) as in the grid.
class Table
{
public:
    QString title; ///< as the menu names it ("Tabela - Wyniki testu")
    QString sheetName; ///< the workbook's sheet ("Wyniki")
    /// Columns that stay in view when a spreadsheet scrolls sideways.
    int frozenColumns = 1;
    /// The last rows (sums, averages, statistics of the whole class) that a
    /// page break keeps together.
    int summaryRows = 0;

    Table() = default;
    Table(int columns, int rows);

    int columnCount() const { return static_cast<int>(m_columns.size()); }
    int rowCount() const { return static_cast<int>(m_rows.size()); }
    /// The rows below the header.
    int bodyRowCount() const { return std::max(rowCount() - 1, 0); }

    const TableColumn &column(int c) const { return m_columns[static_cast<std::size_t>(c)]; }
    void setColumn(int c, int width, ColumnRole role);
    void setColumnLook(int c, const CellLook &look);
    std::vector<int> columnWidths() const;

    const TableRow &row(int r) const { return m_rows[static_cast<std::size_t>(r)]; }
    void setBand(int r, RowBand band) { m_rows[static_cast<std::size_t>(r)].band = band; }
    void setRowLook(int r, const CellLook &look);
    /// The heavy line of row `r` after column `c`, of column `c` below row `r`.
    void setHeavyLineAfter(int r, int c);
    void setHeavyLineBelow(int c, int r);

    const TableCell &cell(int c, int r) const { return m_cells[index(c, r)]; }
    const QString &storedText(const TableCell &cell) const { return m_texts[cell.text]; }
    const CellLook &look(std::uint16_t index) const { return m_looks[index]; }

    // ---- Writing (the builders) ----
    /// A text; an empty text makes the cell empty.
    void setText(int c, int r, const QString &text, CellKind kind = CellKind::Text);
    void setNumber(int c, int r, CellKind kind, double value, int digits = -1);
    void setLook(int c, int r, const CellLook &look);
    /// The index of `look` among the table's looks, added when new: for a
    /// builder that gives many cells one look (`setLookIndex`).
    std::uint16_t lookIndex(const CellLook &look);
    /// The look at `index`, as `lookIndex` returned it, for cell (c, r).
    void setLookIndex(int c, int r, std::uint16_t index)
    {
        m_cells[this->index(c, r)].look = index;
    }
    /// A sign after a number's text (" ▼" for a marked value), so that the
    /// mark survives where its colour does not; the value stays the number.
    void setMark(int c, int r, const QString &mark);

    /// The cells of `columns` of rows `firstRow` (the new header) to
    /// `endRow` - 1, with their looks and rows; the title and sheet name stay.
    Table slice(const std::vector<int> &columns, int firstRow, int endRow) const;

private:
    std::size_t index(int c, int r) const
    {
        return static_cast<std::size_t>(r) * m_columns.size() + static_cast<std::size_t>(c);
    }
    std::uint32_t textIndex(const QString &text);

    std::vector<TableColumn> m_columns;
    std::vector<TableRow> m_rows;
    std::vector<TableCell> m_cells;
    std::vector<QString> m_texts{QString()};
    QHash<QString, std::uint32_t> m_shortTexts;
    /// Short texts kept lately, by where their characters lie: a text that
    /// shares its characters with a kept one (the grades of the students) is
    /// found without hashing. 0: none.
    std::array<std::uint32_t, 8> m_sharedShortTexts{};
    std::vector<CellLook> m_looks{CellLook{}};
};

/// The one way a cell's text is made: numbers and times from their value and
/// kind in the default locale at construction, texts as stored.
class TableTexts
{
public:
    TableTexts();

    QString text(const Table &table, const TableCell &cell) const;
    QString text(const Table &table, int c, int r) const { return text(table, table.cell(c, r)); }
    /// The cell with its text and the look it resolves to on a grid of its own.
    ShownCell shown(const Table &table, int c, int r) const;
    /// A whole row as `shown` gives its cells.
    std::vector<ShownCell> shownRow(const Table &table, int r) const;

private:
    QLocale m_locale;
    QString m_timeFormat;
};

/// The colours of the banding on a grid of its own.
QColor bandColour(RowBand band);

/// Writes the texts and cell looks of `table`'s columns `first` to `end` - 1
/// and rows `firstRow` to `endRow` - 1 into the grid from grid column
/// `gridColumn` on, in the format operations the grid keeps.
void renderCells(GridModel &grid, const Table &table, int first, int end, int gridColumn,
        int firstRow, int endRow);

/// Writes the texts and cell looks of rows `firstRow` to `endRow` - 1 into
/// the grid row by row: grid column `gridColumn` + i from the table's column
/// `columns[i]`, so that pieces of a table side by side cost one sweep.
void renderColumns(GridModel &grid, const Table &table, const std::vector<int> &columns,
        int gridColumn, int firstRow, int endRow);

/// Column widths and header row of the whole table into the grid, the grid
/// sized to it; returns the width the panel accumulates.
int renderHeader(GridModel &grid, const Table &table);

/// Row bands in the colours of `state`, then the row looks, as a grid on its
/// own gets them.
void renderRowFormats(GridModel &grid, const GridState &state, const Table &table);

} // namespace zavevad
