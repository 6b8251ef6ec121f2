#include "tables/gridmodel.h"

#include <algorithm>

namespace zavevad {

namespace {

const GridFormat &emptyFormat()
{
    static const GridFormat format;
    return format;
}

const QString &emptyText()
{
    static const QString text;
    return text;
}

template<typename T>
T &growTo(std::vector<T> &list, int index, const T &fill = T())
{
    if (static_cast<std::size_t>(index) >= list.size())
        list.resize(static_cast<std::size_t>(index) + 1, fill);
    return list[static_cast<std::size_t>(index)];
}

template<typename T>
const T *findIn(const std::vector<T> &list, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= list.size())
        return nullptr;
    return &list[static_cast<std::size_t>(index)];
}

} // namespace

GridModel::GridModel()
    : m_bodyBackground(colorFromPacked(kBodyBackground)),
      m_headerBackground(colorFromPacked(kHeaderBackground)),
      m_bodyFont(QStringLiteral("MS Sans Serif"), 11, 8, colorFromPacked(kBlack), {}),
      m_headerFont(
              QStringLiteral("MS Sans Serif"), 11, 8, colorFromPacked(kHeaderFontColour), fsBold)
{ }

void GridModel::setColumnCount(int count)
{
    m_columnCount = std::max(0, count);
}

void GridModel::setRowCount(int count)
{
    m_rowCount = std::max(0, count);
}

namespace {

// The stored lines, -1 where none is stored, as long as `count`.
std::vector<int> linesOf(const std::vector<int> &stored, int count)
{
    std::vector<int> lines(static_cast<std::size_t>(count), -1);
    std::copy_n(stored.begin(), std::min(stored.size(), lines.size()), lines.begin());
    return lines;
}

void storeLine(std::vector<int> &stored, int index, int value)
{
    if (index < 0)
        return;
    const auto i = static_cast<std::size_t>(index);
    if (value < 0 && i >= stored.size())
        return;
    if (i >= stored.size())
        stored.resize(i + 1, -1);
    stored[i] = std::max(value, -1);
}

} // namespace

std::vector<int> GridModel::heavyLinesAfterColumn() const
{
    return linesOf(m_heavyAfterColumn, m_rowCount);
}

void GridModel::setHeavyLineAfterColumn(int row, int column)
{
    storeLine(m_heavyAfterColumn, row, column);
}

std::vector<int> GridModel::heavyLinesBelowRow() const
{
    return linesOf(m_heavyBelowRow, m_columnCount);
}

void GridModel::setHeavyLineBelowRow(int column, int row)
{
    storeLine(m_heavyBelowRow, column, row);
}

int GridModel::columnWidth(int column) const
{
    const int *width = findIn(m_columnWidths, column);
    return width ? *width : kDefaultColumnWidth;
}

void GridModel::setColumnWidth(int column, int width)
{
    if (column < 0)
        return;
    growTo(m_columnWidths, column, kDefaultColumnWidth) = width;
}

const QString &GridModel::text(int column, int row) const
{
    const Cell *cell = findCell(column, row);
    return cell ? cell->text : emptyText();
}

void GridModel::setText(int column, int row, const QString &text)
{
    if (column < 0 || row < 0)
        return;
    cellAt(column, row).text = text;
}

const GridFormat &GridModel::cellFormat(int column, int row) const
{
    const Cell *cell = findCell(column, row);
    return cell ? cell->format : emptyFormat();
}

const GridFormat &GridModel::rowFormat(int row) const
{
    const GridFormat *format = findIn(m_rowFormats, row);
    return format ? *format : emptyFormat();
}

const GridFormat &GridModel::columnFormat(int column) const
{
    const GridFormat *format = findIn(m_columnFormats, column);
    return format ? *format : emptyFormat();
}

const GridFormat &GridModel::headerColumnFormat(int column) const
{
    const GridFormat *format = findIn(m_headerColumnFormats, column);
    return format ? *format : emptyFormat();
}

GridFormat &GridModel::cellFormat(int column, int row)
{
    Q_ASSERT(column >= 0 && row >= 0);
    return cellAt(column, row).format;
}

GridFormat &GridModel::rowFormat(int row)
{
    Q_ASSERT(row >= 0);
    return growTo(m_rowFormats, row);
}

GridFormat &GridModel::columnFormat(int column)
{
    Q_ASSERT(column >= 0);
    return growTo(m_columnFormats, column);
}

GridFormat &GridModel::headerColumnFormat(int column)
{
    Q_ASSERT(column >= 0);
    return growTo(m_headerColumnFormats, column);
}

template<typename HasPart>
const GridFormat *GridModel::resolvingFormat(int column, int row, HasPart hasPart) const
{
    const bool header = row == 0;
    const GridFormat &cell = cellFormat(column, row);
    if (hasPart(cell))
        return &cell;
    const GridFormat &col = header ? headerColumnFormat(column) : columnFormat(column);
    if (hasPart(col))
        return &col;
    const GridFormat &line = header ? m_headerRowFormat : rowFormat(row);
    if (hasPart(line))
        return &line;
    return nullptr;
}

QColor GridModel::resolvedBackground(int column, int row) const
{
    const GridFormat *format = resolvingFormat(
            column, row, [](const GridFormat &f) { return f.background.has_value(); });
    if (format)
        return *format->background;
    return row == 0 ? m_headerBackground : m_bodyBackground;
}

const GridFont &GridModel::resolvedFont(int column, int row) const
{
    const GridFormat *format =
            resolvingFormat(column, row, [](const GridFormat &f) { return f.font.has_value(); });
    if (format)
        return *format->font;
    return row == 0 ? m_headerFont : m_bodyFont;
}

TMyAlign GridModel::resolvedAlignment(int column, int row) const
{
    const GridFormat *format = resolvingFormat(
            column, row, [](const GridFormat &f) { return f.alignment != alDefault; });
    if (format)
        return format->alignment;
    const TMyAlign fallback = row == 0 ? kHeaderAlignment : kBodyAlignment;
    return fallback == alDefault ? alLeft : fallback;
}

bool GridModel::resolvedFontIsSet(int column, int row) const
{
    if (row == 0)
        return true;
    const GridFont &font = resolvedFont(column, row);
    return &font != &m_bodyFont && font.isChanged();
}

const GridModel::Cell *GridModel::findCell(int column, int row) const
{
    if (column < 0 || row < 0 || column >= m_stride || row >= m_storedRows)
        return nullptr;
    return &m_cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(m_stride)
            + static_cast<std::size_t>(column)];
}

GridModel::Cell &GridModel::cellAt(int column, int row)
{
    if (column >= m_stride)
        growColumns(std::max({column + 1, m_columnCount, m_stride}));
    if (row >= m_storedRows) {
        m_storedRows = std::max(row + 1, m_rowCount);
        m_cells.resize(static_cast<std::size_t>(m_storedRows) * static_cast<std::size_t>(m_stride));
    }
    return m_cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(m_stride)
            + static_cast<std::size_t>(column)];
}

void GridModel::growColumns(int columns)
{
    if (columns <= m_stride)
        return;
    std::vector<Cell> cells(
            static_cast<std::size_t>(m_storedRows) * static_cast<std::size_t>(columns));
    for (int row = 0; row < m_storedRows; ++row) {
        for (int column = 0; column < m_stride; ++column) {
            cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns)
                    + static_cast<std::size_t>(column)] =
                    std::move(m_cells[static_cast<std::size_t>(row)
                                    * static_cast<std::size_t>(m_stride)
                            + static_cast<std::size_t>(column)]);
        }
    }
    m_cells = std::move(cells);
    m_stride = columns;
}

} // namespace zavevad
