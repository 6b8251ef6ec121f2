// How a table is set on the report's pages: the widths its columns need in
// each size of the font, and the orientation, size and parts that hold it.

#include "report/reportlayout.h"

#include <QFontMetricsF>

#include <algorithm>
#include <bit>
#include <cmath>
#include <unordered_map>

namespace zavevad::reportlayout {

namespace {

/// The texts of a table's columns that can be the widest in some size of the
/// cells' font: every text measured once in the largest size, and those
/// within kContender of their column's widest kept to be measured again in a
/// smaller one. Unhinted glyph advances scale with the size, rounding aside,
/// which is far within that margin; and a large class has hundreds of
/// thousands of cells, most of them a few short texts.
class ColumnTexts
{
public:
    explicit ColumnTexts(const ReportTable &table);

    /// Each column's widest text in `points`.
    std::vector<double> widest(double points) const;

private:
    static constexpr double kContender = 0.9;

    struct Text
    {
        QString text;
        bool bold = false;
        double width = 0; ///< in kCellPoints
    };

    void note(std::size_t column, const QString &text, bool bold, double width);

    std::vector<double> m_widest; ///< in kCellPoints
    std::vector<std::vector<Text>> m_contenders;
};

ColumnTexts::ColumnTexts(const ReportTable &table)
    : m_widest(static_cast<std::size_t>(table.columnCount()), 0),
      m_contenders(static_cast<std::size_t>(table.columnCount()))
{
    const QFontMetricsF metrics[2] = {QFontMetricsF(cellFont(kCellPoints, false)),
            QFontMetricsF(cellFont(kCellPoints, true))};
    const TableTexts texts;
    const std::vector<ReportCell> header = texts.shownRow(table, 0);
    for (std::size_t c = 0; c < header.size() && c < m_widest.size(); ++c) {
        const QString &text = header[c].text;
        note(c, text, true, metrics[1].horizontalAdvance(text));
    }
    // Short texts (answers, counts, grades) repeat: each is measured once, and
    // a column notes which of them it holds.
    struct Short
    {
        QString text;
        double width = 0;
    };
    std::unordered_map<ShortTextKey, int, ShortTextKeyHash> ids[2];
    std::vector<Short> shorts[2];
    std::vector<std::vector<char>> holds[2];
    holds[0].resize(m_widest.size());
    holds[1].resize(m_widest.size());
    for (int r = 1; r < table.rowCount(); ++r) {
        const std::vector<ReportCell> cells = texts.shownRow(table, r);
        for (std::size_t c = 0; c < cells.size() && c < m_widest.size(); ++c) {
            const ReportCell &cell = cells[c];
            if (cell.text.isEmpty())
                continue;
            const int style = cell.bold ? 1 : 0;
            if (cell.text.size() > kShortText) {
                note(c, cell.text, cell.bold, metrics[style].horizontalAdvance(cell.text));
                continue;
            }
            const auto [found, added] = ids[style].try_emplace(
                    ShortTextKey(cell.text), static_cast<int>(shorts[style].size()));
            if (added)
                shorts[style].push_back({cell.text, metrics[style].horizontalAdvance(cell.text)});
            const auto id = static_cast<std::size_t>(found->second);
            std::vector<char> &held = holds[style][c];
            if (held.size() <= id)
                held.resize(shorts[style].size(), 0);
            held[id] = 1;
        }
    }
    for (int style = 0; style < 2; ++style) {
        for (std::size_t c = 0; c < m_widest.size(); ++c) {
            const std::vector<char> &held = holds[style][c];
            for (std::size_t id = 0; id < held.size(); ++id) {
                if (held[id])
                    note(c, shorts[style][id].text, style == 1, shorts[style][id].width);
            }
        }
    }
    for (std::size_t c = 0; c < m_widest.size(); ++c) {
        std::erase_if(m_contenders[c],
                [&](const Text &text) { return text.width < m_widest[c] * kContender; });
    }
}

void ColumnTexts::note(std::size_t column, const QString &text, bool bold, double width)
{
    double &widest = m_widest[column];
    widest = std::max(widest, width);
    if (width < widest * kContender)
        return;
    std::vector<Text> &contenders = m_contenders[column];
    contenders.push_back({text, bold, width});
    // A column of many texts alike (names) is thinned now and then.
    if (contenders.size() >= 256 && std::has_single_bit(contenders.size())) {
        std::erase_if(contenders, [&](const Text &t) { return t.width < widest * kContender; });
    }
}

std::vector<double> ColumnTexts::widest(double points) const
{
    if (points == kCellPoints)
        return m_widest;
    const QFontMetricsF metrics[2] = {
            QFontMetricsF(cellFont(points, false)), QFontMetricsF(cellFont(points, true))};
    std::vector<double> widths(m_widest.size(), 0);
    for (std::size_t c = 0; c < widths.size(); ++c) {
        for (const Text &text : m_contenders[c])
            widths[c] =
                    std::max(widths[c], metrics[text.bold ? 1 : 0].horizontalAdvance(text.text));
    }
    return widths;
}

/// Each column's room: the grid's width, or the widest text and its padding
/// where that is wider; and the least it can do with, its widest text with
/// the padding that painting leaves, so that no text is ever cut.
struct ColumnWidths
{
    std::vector<double> natural;
    std::vector<double> least;
};

ColumnWidths measureColumns(const ReportTable &table, const ColumnTexts &texts, double points)
{
    const std::vector<double> text = texts.widest(points);
    ColumnWidths widths;
    const double scale = points / kCellPoints;
    for (std::size_t c = 0; c < text.size(); ++c) {
        const double grid = static_cast<int>(c) < table.columnCount()
                ? table.column(static_cast<int>(c)).width * kPointsPerPixel * kUnitsPerPoint * scale
                : 0;
        // A hair more than the text: the painted glyphs may round up.
        const double least = std::ceil(text[c]) + kUnitsPerPoint / 10 + 2 * kCellPaddingX;
        widths.natural.push_back(std::max(grid, least));
        widths.least.push_back(least);
    }
    return widths;
}

double sumOf(const std::vector<double> &values, const std::vector<int> &columns)
{
    double total = 0;
    for (int c : columns)
        total += values[static_cast<std::size_t>(c)];
    return total;
}

/// The widths of `columns` within `room`: their natural widths, or where
/// those are too wide, each giving up its slack in proportion. Never below
/// the least, even when that overflows the room (a part of a single column).
std::vector<double> fitWidths(
        const ColumnWidths &measured, const std::vector<int> &columns, double room)
{
    std::vector<double> widths;
    const double natural = sumOf(measured.natural, columns);
    const double slack = natural - sumOf(measured.least, columns);
    const double excess = std::max(natural - room, 0.0);
    for (int c : columns) {
        const auto i = static_cast<std::size_t>(c);
        double width = measured.natural[i];
        if (excess > 0 && slack > 0)
            width -= (measured.natural[i] - measured.least[i]) * std::min(excess / slack, 1.0);
        widths.push_back(width);
    }
    return widths;
}

std::vector<int> range(int first, int end)
{
    std::vector<int> columns;
    for (int c = first; c < end; ++c)
        columns.push_back(c);
    return columns;
}

/// The parts of a table too wide for a landscape page even in the smallest
/// font: the leading (frozen) columns on every part, the others shared out
/// evenly over as few parts as hold them.
std::vector<std::vector<int>> splitColumns(const ColumnWidths &measured, int leading, double room)
{
    const int count = static_cast<int>(measured.least.size());
    leading = std::clamp(leading, 0, count);
    const std::vector<int> repeated = range(0, leading);
    const double left = room - sumOf(measured.least, repeated);
    const auto fits = [&](int first, int end) {
        return sumOf(measured.least, range(first, end)) <= left;
    };
    // As few parts as a greedy fill needs...
    int parts = 0;
    for (int first = leading; first < count; ++parts) {
        int end = first + 1;
        while (end < count && fits(first, end + 1))
            ++end;
        first = end;
    }
    // ...with the columns shared out evenly when that fits too.
    std::vector<std::vector<int>> result;
    const int others = count - leading;
    bool even = parts > 0;
    for (int p = 0, first = leading; even && p < parts; ++p) {
        const int end = leading + others * (p + 1) / parts;
        even = fits(first, end);
        first = end;
    }
    for (int p = 0, first = leading; first < count; ++p) {
        int end = first + 1;
        if (even) {
            end = leading + others * (p + 1) / parts;
        } else {
            while (end < count && fits(first, end + 1))
                ++end;
        }
        std::vector<int> columns = repeated;
        for (int c = first; c < end; ++c)
            columns.push_back(c);
        result.push_back(std::move(columns));
        first = end;
    }
    if (result.empty())
        result.push_back(repeated);
    return result;
}

} // namespace

QPageLayout::Orientation fitTable(const ReportTable &table, ReportDocument::TableLayout &layout)
{
    layout = {};
    const std::vector<int> all = range(0, table.columnCount());
    const ColumnTexts texts(table);
    ColumnWidths measured = measureColumns(table, texts, kCellPoints);
    layout.points = kCellPoints;
    // Upright whenever the texts fit: the grid's extra room gives way first.
    const double portrait = contentRect(QPageLayout::Portrait).width();
    if (sum(measured.least) <= portrait) {
        layout.parts.push_back({all, fitWidths(measured, all, portrait)});
        return QPageLayout::Portrait;
    }
    const double room = contentRect(QPageLayout::Landscape).width();
    std::vector<std::pair<double, ColumnWidths>> sizes;
    for (double points = kCellPoints; points >= kSmallestPoints; points -= 0.5) {
        if (points != kCellPoints)
            measured = measureColumns(table, texts, points);
        layout.points = points;
        if (sum(measured.least) <= room) {
            layout.parts.push_back({all, fitWidths(measured, all, room)});
            return QPageLayout::Landscape;
        }
        sizes.emplace_back(points, measured);
    }
    // Split: as few parts as the smallest font needs, in the largest font
    // that needs no more of them.
    const std::size_t fewest = splitColumns(measured, table.frozenColumns, room).size();
    for (const auto &[points, widths] : sizes) {
        std::vector<std::vector<int>> parts = splitColumns(widths, table.frozenColumns, room);
        if (parts.size() > fewest)
            continue;
        layout.points = points;
        for (std::vector<int> &columns : parts) {
            std::vector<double> fitted = fitWidths(widths, columns, room);
            layout.parts.push_back({std::move(columns), std::move(fitted)});
        }
        break;
    }
    return QPageLayout::Landscape;
}

} // namespace zavevad::reportlayout
