#pragma once

// The measures and fonts that the report's layout and its painting share, so
// that a page is painted exactly as it was laid out. Lengths are in tenths of
// a point (kUnitsPerPoint).

#include "report/paper.h"
#include "report/reportdocument.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QRectF>
#include <QSizeF>
#include <QStringView>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace zavevad::reportlayout {

constexpr double kMargin = 42.52 * kUnitsPerPoint; // 15 mm
constexpr double kSectionGap = 24 * kUnitsPerPoint;
constexpr double kTitleGap = 6 * kUnitsPerPoint;
constexpr double kCellPaddingX = 3 * kUnitsPerPoint;
constexpr double kCellPaddingY = 2.5 * kUnitsPerPoint;
/// Screen pixels (96 per inch) to points.
constexpr double kPointsPerPixel = 0.75;
/// The chart is drawn at a size like the chart window's and scaled onto the page.
constexpr QSizeF kChartPixels{720, 480};
/// Texts up to this length (answers, counts, grades) are measured and laid
/// out once, however many cells hold them.
constexpr qsizetype kShortText = 6;

/// A short text (up to kShortText UTF-16 units) packed into two words: a key
/// hashed and compared in a few instructions. The cells of a large class are
/// mostly such texts, and a string's hash cost more than the lookup it served.
struct ShortTextKey
{
    static_assert(kShortText <= 6, "six UTF-16 units and the length fill the key");

    explicit ShortTextKey(QStringView text)
    {
        for (qsizetype i = 0; i < text.size() && i < kShortText; ++i) {
            const std::uint64_t unit = text[i].unicode();
            if (i < 4)
                low |= unit << (16 * i);
            else
                high |= unit << (16 * (i - 4));
        }
        high |= static_cast<std::uint64_t>(text.size()) << 48;
    }

    std::uint64_t low = 0;
    std::uint64_t high = 0;

    friend bool operator==(const ShortTextKey &, const ShortTextKey &) = default;
};

struct ShortTextKeyHash
{
    std::size_t operator()(const ShortTextKey &key) const noexcept
    {
        std::uint64_t h = key.low * 0x9E3779B97F4A7C15ULL;
        h ^= (key.high + 0x632BE59BD9B4E019ULL) * 0xBF58476D1CE4E5B9ULL;
        return static_cast<std::size_t>(h ^ (h >> 31));
    }
};
/// A table whose first page would hold fewer rows than this starts on the
/// next page, and no page break leaves fewer of them on the next page.
constexpr int kMinRowsUnderTitle = 3;
/// A table of at most this many body rows stands whole on one page.
constexpr int kWholeTableRows = 12;
/// The cells' font, and the smallest it gets on a crowded page.
constexpr double kCellPoints = 8;
constexpr double kSmallestPoints = 6;

inline QFont headingFont()
{
    return reportFont(16, true);
}
inline QFont labelFont(bool bold = false)
{
    return reportFont(10, bold);
}
inline QFont sectionTitleFont()
{
    return reportFont(11, true);
}
inline QFont cellFont(double points, bool bold)
{
    return reportFont(points, bold);
}

inline QSizeF pageSize(QPageLayout::Orientation orientation)
{
    const QSizeF portrait = QPageSize(QPageSize::A4).size(QPageSize::Point) * kUnitsPerPoint;
    return orientation == QPageLayout::Portrait ? portrait : portrait.transposed();
}

inline QRectF contentRect(QPageLayout::Orientation orientation)
{
    const QSizeF size = pageSize(orientation);
    return QRectF(kMargin, kMargin, size.width() - 2 * kMargin, size.height() - 2 * kMargin);
}

inline double rowHeight(double points)
{
    return QFontMetricsF(cellFont(points, true)).height() + 2 * kCellPaddingY;
}

inline double sectionTitleHeight()
{
    return QFontMetricsF(sectionTitleFont()).height() + kTitleGap;
}

inline double titleLineHeight()
{
    return QFontMetricsF(labelFont()).height() * 1.4;
}

/// Text sections are set in the width of an upright page, wherever they stand.
inline double textWidth()
{
    return contentRect(QPageLayout::Portrait).width();
}

inline QFont paragraphFont()
{
    return reportFont(10);
}

constexpr double kParagraphGap = 4 * kUnitsPerPoint;

/// The height `text` takes wrapped in `width` in `font`.
inline double wrappedHeight(const QFont &font, const QString &text, double width)
{
    return QFontMetricsF(font)
            .boundingRect(QRectF(0, 0, width, 1e9), Qt::TextWordWrap, text)
            .height();
}

inline double titleHeadingHeight(const TitleSection &title)
{
    return QFontMetricsF(headingFont()).height() * 1.6
            + (title.subheading.isEmpty() ? 0 : sectionTitleHeight());
}

/// Where the values of a title block's lines start, right of the widest label.
inline double titleLabelWidth(const TitleSection &title)
{
    const QFontMetricsF label(labelFont(true));
    double width = 0;
    for (const auto &line : title.lines)
        width = std::max(width, label.horizontalAdvance(line.first));
    return width + kCellPaddingX * 2;
}

inline double titleValueWidth(const TitleSection &title)
{
    return std::max(textWidth() - titleLabelWidth(title), textWidth() / 3);
}

/// Each line's height, its value wrapped in the room right of the labels.
inline std::vector<double> titleLineHeights(const TitleSection &title)
{
    const double gap = titleLineHeight() - QFontMetricsF(labelFont()).height();
    const double room = titleValueWidth(title);
    std::vector<double> heights;
    for (const auto &line : title.lines) {
        heights.push_back(
                std::max(titleLineHeight(), wrappedHeight(labelFont(), line.second, room) + gap));
    }
    return heights;
}

inline std::vector<double> paragraphHeights(const TextSection &text)
{
    std::vector<double> heights;
    for (const QString &paragraph : text.paragraphs)
        heights.push_back(wrappedHeight(paragraphFont(), paragraph, textWidth()) + kParagraphGap);
    return heights;
}

inline double chartHeight(QPageLayout::Orientation orientation)
{
    const double width = contentRect(orientation).width();
    return width * kChartPixels.height() / kChartPixels.width();
}

inline double sum(const std::vector<double> &values)
{
    double total = 0;
    for (double value : values)
        total += value;
    return total;
}

/// The page a table needs and how it is set there: upright when it fits,
/// else landscape, its columns giving up their slack; when even their texts
/// do not fit, a smaller font down to kSmallestPoints; then its columns split
/// over parts a page wide, each repeating the leading ones, in the largest
/// font that needs no more parts than the smallest.
QPageLayout::Orientation fitTable(const ReportTable &table, ReportDocument::TableLayout &layout);

} // namespace zavevad::reportlayout
