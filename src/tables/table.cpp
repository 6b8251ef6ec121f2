#include "tables/table.h"

#include "results/itemanalysis.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"
#include "tables/numberformat.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <unordered_map>

namespace zavevad {

namespace {

// Texts this short (answers, counts, grades) repeat in most cells: each is
// kept once.
constexpr qsizetype kSharedTextLength = 6;

Qt::Alignment qtAlignment(TMyAlign alignment)
{
    switch (alignment) {
    case alRight:
        return Qt::AlignRight;
    case alCenter:
        return Qt::AlignHCenter;
    case alLeft:
    case alDefault:
        break;
    }
    return Qt::AlignLeft;
}

/// The look of a cell as a grid of its own resolves it: per part the cell's
/// look, then the column's, then the row's, then the grid's default. A look
/// always sets the font and the alignment; the background only when given.
void resolveLook(const Table &table, int c, int r, ShownCell &shown)
{
    const TableRow &row = table.row(r);
    const TableCell &cell = table.cell(c, r);
    const std::uint16_t own[] = {
            cell.look, row.header ? std::uint16_t(0) : table.column(c).look, row.look};
    const CellLook *fontLook = nullptr;
    std::int32_t background = kColourUnchanged;
    for (const std::uint16_t index : own) {
        if (index == 0)
            continue;
        const CellLook &look = table.look(index);
        if (!fontLook)
            fontLook = &look;
        if (background == kColourUnchanged)
            background = look.background;
    }
    if (background != kColourUnchanged)
        shown.background = colorFromPacked(background);
    else if (row.band != RowBand::None)
        shown.background = bandColour(row.band);
    else
        shown.background = colorFromPacked(
                row.header ? GridModel::kHeaderBackground : GridModel::kBodyBackground);
    if (fontLook) {
        // A look's font starts from the body font, also in the header.
        shown.color = colorFromPacked(
                fontLook->fontColour == kColourUnchanged ? kBlack : fontLook->fontColour);
        shown.bold = fontLook->bold;
        shown.alignment = qtAlignment(fontLook->align);
    } else {
        shown.color = colorFromPacked(row.header ? GridModel::kHeaderFontColour : kBlack);
        shown.bold = row.header;
        shown.alignment = row.header ? Qt::AlignHCenter : Qt::AlignLeft;
    }
}

/// The texts of small whole numbers without a mark (answers, counts,
/// scores), which fill most cells: each is made once and shared by the
/// cells, as `TableTexts` would write it.
class SmallNumberTexts
{
public:
    /// The shared text of `cell`; null when the cell is not such a number.
    static const QString *text(const TableCell &cell)
    {
        if ((cell.kind != CellKind::Whole && cell.kind != CellKind::Percent) || cell.text != 0
                || !(cell.value >= 0 && cell.value < kCount))
            return nullptr;
        // Made once for the program, so that a grid cell written by an
        // earlier rendering is recognised by its characters' address.
        static const std::array<QString, kCount> texts = [] {
            std::array<QString, kCount> made;
            for (int value = 0; value < kCount; ++value)
                made[static_cast<std::size_t>(value)] = QString::number(value);
            return made;
        }();
        return &texts[static_cast<std::size_t>(cell.value)];
    }

private:
    static constexpr int kCount = 128;
};

/// The texts of times (starts, ends, working times), which repeat in a
/// class: each is formatted once per rendering. A time's text follows from
/// its milliseconds of the day alone.
class TimeTexts
{
public:
    /// The text of `cell`; null when the cell is not a time.
    const QString *text(const TableTexts &texts, const Table &table, const TableCell &cell)
    {
        if (cell.kind != CellKind::DateTime && cell.kind != CellKind::Duration)
            return nullptr;
        QString &text = m_texts[timeOfDayMilliseconds(cell.value)];
        if (text.isNull())
            text = texts.text(table, cell);
        return &text;
    }

private:
    std::unordered_map<int, QString> m_texts;
};

/// `UstawKomorke` for many cells of one table. The format a look gives an
/// unformatted cell is made once per look; a cell without a format gets a
/// copy of it, a cell that already has it keeps it (a look applied twice
/// gives what it gave once), and any other cell gets the look applied.
class LookFormats
{
public:
    explicit LookFormats(const Table &table) : m_table(table) { }

    void apply(GridModel &grid, int column, int row, std::uint16_t look)
    {
        GridFormat &format = grid.cellFormat(column, row);
        const GridFormat &given = formatOf(look);
        if (format.isEmpty())
            format = given;
        else if (!sameFormat(format, given))
            UstawKomorke(grid, column, row, m_table.look(look));
    }

private:
    /// `a == b`, the parts that differ most often first.
    static bool sameFormat(const GridFormat &a, const GridFormat &b)
    {
        if (a.alignment != b.alignment || a.font.has_value() != b.font.has_value())
            return false;
        if (a.font) {
            const GridFont &x = *a.font;
            const GridFont &y = *b.font;
            if (x.style() != y.style() || x.isChanged() != y.isChanged()
                    || x.pixelHeight() != y.pixelHeight() || x.pointSize() != y.pointSize()
                    || x.color() != y.color()
                    || (x.name().constData() != y.name().constData() && x.name() != y.name()))
                return false;
        }
        return a.background == b.background;
    }

    const GridFormat &formatOf(std::uint16_t look)
    {
        if (look >= m_formats.size())
            m_formats.resize(static_cast<std::size_t>(look) + 1);
        std::optional<GridFormat> &format = m_formats[look];
        if (!format) {
            // Every grid starts from the same fixed body font.
            GridModel blank;
            UstawKomorke(blank, 0, 0, m_table.look(look));
            format = blank.cellFormat(0, 0);
        }
        return *format;
    }

    const Table &m_table;
    std::vector<std::optional<GridFormat>> m_formats;
};

} // namespace

Table::Table(int columns, int rows)
    : m_columns(static_cast<std::size_t>(std::max(columns, 0))),
      m_rows(static_cast<std::size_t>(std::max(rows, 0))), m_cells(m_columns.size() * m_rows.size())
{
    if (!m_rows.empty())
        m_rows.front().header = true;
    // Most tables name each row once (students, classes, skills).
    m_texts.reserve(m_rows.size() + 1);
}

void Table::setColumn(int c, int width, ColumnRole role)
{
    TableColumn &column = m_columns[static_cast<std::size_t>(c)];
    column.width = width;
    column.role = role;
}

void Table::setColumnLook(int c, const CellLook &look)
{
    m_columns[static_cast<std::size_t>(c)].look = lookIndex(look);
}

std::vector<int> Table::columnWidths() const
{
    std::vector<int> widths;
    widths.reserve(m_columns.size());
    for (const TableColumn &column : m_columns)
        widths.push_back(column.width);
    return widths;
}

void Table::setRowLook(int r, const CellLook &look)
{
    m_rows[static_cast<std::size_t>(r)].look = lookIndex(look);
}

void Table::setHeavyLineAfter(int r, int c)
{
    m_rows[static_cast<std::size_t>(r)].heavyLineAfterColumn = static_cast<std::int16_t>(c);
}

void Table::setHeavyLineBelow(int c, int r)
{
    m_columns[static_cast<std::size_t>(c)].heavyLineBelowRow = r;
}

void Table::setText(int c, int r, const QString &text, CellKind kind)
{
    TableCell &cell = m_cells[index(c, r)];
    cell.kind = text.isEmpty() ? CellKind::Empty : kind;
    cell.text = textIndex(text);
    cell.value = 0;
}

void Table::setNumber(int c, int r, CellKind kind, double value, int digits)
{
    TableCell &cell = m_cells[index(c, r)];
    cell.kind = kind;
    cell.value = value;
    cell.digits = static_cast<std::int8_t>(digits);
    cell.text = 0;
}

void Table::setMark(int c, int r, const QString &mark)
{
    m_cells[index(c, r)].text = textIndex(mark);
}

void Table::setLook(int c, int r, const CellLook &look)
{
    setLookIndex(c, r, lookIndex(look));
}

std::uint16_t Table::lookIndex(const CellLook &look)
{
    // A table uses a handful of looks.
    for (std::size_t i = 1; i < m_looks.size(); ++i) {
        if (m_looks[i] == look)
            return static_cast<std::uint16_t>(i);
    }
    m_looks.push_back(look);
    return static_cast<std::uint16_t>(m_looks.size() - 1);
}

std::uint32_t Table::textIndex(const QString &text)
{
    if (text.isEmpty())
        return 0;
    if (text.size() <= kSharedTextLength) {
        // The kept text holds its characters, so an equal address is the
        // same text.
        const auto slot = (reinterpret_cast<std::uintptr_t>(text.constData()) >> 4)
                % m_sharedShortTexts.size();
        std::uint32_t &shared = m_sharedShortTexts[slot];
        if (shared != 0 && m_texts[shared].constData() == text.constData()
                && m_texts[shared].size() == text.size())
            return shared;
        const auto known = m_shortTexts.constFind(text);
        if (known != m_shortTexts.constEnd()) {
            shared = *known;
            return *known;
        }
        const auto added = static_cast<std::uint32_t>(m_texts.size());
        m_shortTexts.insert(text, added);
        m_texts.push_back(text);
        shared = added;
        return added;
    }
    m_texts.push_back(text);
    return static_cast<std::uint32_t>(m_texts.size() - 1);
}

Table Table::slice(const std::vector<int> &columns, int firstRow, int endRow) const
{
    Table part(static_cast<int>(columns.size()), std::max(endRow - firstRow, 0));
    part.title = title;
    part.sheetName = sheetName;
    part.frozenColumns = frozenColumns;
    part.m_texts = m_texts;
    part.m_shortTexts = m_shortTexts;
    part.m_sharedShortTexts = m_sharedShortTexts;
    part.m_looks = m_looks;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        TableColumn &column = part.m_columns[i];
        column = m_columns[static_cast<std::size_t>(columns[i])];
        // A line below a row of the part moves with it; one outside is dropped.
        const int below = column.heavyLineBelowRow;
        column.heavyLineBelowRow = below >= firstRow && below < endRow ? below - firstRow : -1;
    }
    for (int r = firstRow; r < endRow; ++r) {
        TableRow &row = part.m_rows[static_cast<std::size_t>(r - firstRow)];
        row = m_rows[static_cast<std::size_t>(r)];
        const auto after = std::find(columns.begin(), columns.end(), int(row.heavyLineAfterColumn));
        row.heavyLineAfterColumn = row.heavyLineAfterColumn >= 0 && after != columns.end()
                ? static_cast<std::int16_t>(after - columns.begin())
                : std::int16_t(-1);
        for (std::size_t i = 0; i < columns.size(); ++i)
            part.m_cells[part.index(static_cast<int>(i), r - firstRow)] = cell(columns[i], r);
    }
    return part;
}

TableTexts::TableTexts() : m_timeFormat(longTimeFormat()) { }

QString TableTexts::text(const Table &table, const TableCell &cell) const
{
    switch (cell.kind) {
    case CellKind::Whole:
    case CellKind::Percent:
        return QString::number(static_cast<std::int64_t>(cell.value)) + table.storedText(cell);
    case CellKind::Decimal:
        if (cell.digits == 1)
            return oneDecimalText(static_cast<std::int64_t>(std::nearbyint(cell.value * 10.0)))
                    + table.storedText(cell);
        return (cell.digits == 2 ? twoDecimalText(hundredths(cell.value))
                                 : generalNumber(cell.value))
                + table.storedText(cell);
    case CellKind::DateTime:
    case CellKind::Duration:
        return timeOfDayText(cell.value, m_locale, m_timeFormat);
    case CellKind::Empty:
    case CellKind::Text:
    case CellKind::Grade:
        break;
    }
    return table.storedText(cell);
}

ShownCell TableTexts::shown(const Table &table, int c, int r) const
{
    const TableCell &cell = table.cell(c, r);
    ShownCell shown;
    shown.text = text(table, cell);
    shown.kind = cell.kind;
    shown.value = cell.value;
    shown.digits = cell.digits;
    resolveLook(table, c, r, shown);
    return shown;
}

std::vector<ShownCell> TableTexts::shownRow(const Table &table, int r) const
{
    std::vector<ShownCell> cells;
    cells.reserve(static_cast<std::size_t>(table.columnCount()));
    for (int c = 0; c < table.columnCount(); ++c)
        cells.push_back(shown(table, c, r));
    return cells;
}

QColor bandColour(RowBand band)
{
    return colorFromPacked(
            band == RowBand::Fifth ? GridState::kFifthRowColour : GridState::kPlainRowColour);
}

void renderColumns(GridModel &grid, const Table &table, const std::vector<int> &columns,
        int gridColumn, int firstRow, int endRow)
{
    const TableTexts texts;
    TimeTexts times;
    LookFormats formats(table);
    const int count = static_cast<int>(columns.size());
    for (int r = firstRow; r < endRow; ++r) {
        for (int i = 0; i < count; ++i) {
            const TableCell &cell = table.cell(columns[static_cast<std::size_t>(i)], r);
            const int column = gridColumn + i;
            if (cell.look != 0)
                formats.apply(grid, column, r, cell.look);
            const QString *shared = SmallNumberTexts::text(cell);
            if (!shared)
                shared = times.text(texts, table, cell);
            const bool stored = cell.kind == CellKind::Text || cell.kind == CellKind::Grade
                    || cell.kind == CellKind::Empty;
            if (!shared && !stored) {
                grid.setText(column, r, texts.text(table, cell));
                continue;
            }
            // A text the grid holds already is not written again; an empty
            // one is, so that the grid stores the cell as before.
            const QString &text = shared ? *shared : table.storedText(cell);
            const QString &held = grid.text(column, r);
            if (held.isEmpty() || (held.constData() != text.constData() && held != text))
                grid.setText(column, r, text);
        }
    }
}

void renderCells(GridModel &grid, const Table &table, int first, int end, int gridColumn,
        int firstRow, int endRow)
{
    std::vector<int> columns;
    for (int c = first; c < end; ++c)
        columns.push_back(c);
    renderColumns(grid, table, columns, gridColumn, firstRow, endRow);
}

int renderHeader(GridModel &grid, const Table &table)
{
    int width = 0;
    grid.setColumnCount(table.columnCount());
    grid.setRowCount(table.rowCount());
    for (int c = 0; c < table.columnCount(); ++c) {
        grid.setColumnWidth(c, table.column(c).width);
        width += table.column(c).width + 1;
    }
    renderCells(grid, table, 0, table.columnCount(), 0, 0, 1);
    return width;
}

void renderRowFormats(GridModel &grid, const GridState &state, const Table &table)
{
    for (int r = 1; r < table.rowCount(); ++r) {
        const RowBand band = table.row(r).band;
        if (band != RowBand::None)
            grid.rowFormat(r).background = colorFromPacked(
                    band == RowBand::Fifth ? state.fifthRowColour : state.plainRowColour);
    }
    for (int r = 1; r < table.rowCount(); ++r) {
        if (table.row(r).look != 0)
            UstawWiersz(grid, r, table.look(table.row(r).look));
    }
}

} // namespace zavevad
