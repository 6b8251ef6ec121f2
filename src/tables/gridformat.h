#pragma once

#include "platform/packedcolor.h"

#include <QColor>
#include <QFlags>
#include <QString>

#include <cstdint>
#include <optional>

class QFont;

namespace zavevad {

/// Alignment of a grid format. `alDefault` counts as not set and falls through.
enum TMyAlign : std::uint8_t { alRight, alLeft, alCenter, alDefault };

enum FontStyleFlag : std::uint8_t {
    fsBold = 0x1,
    fsItalic = 0x2,
    fsUnderline = 0x4,
    fsStrikeOut = 0x8,
};
Q_DECLARE_FLAGS(FontStyles, FontStyleFlag)

// ---- Packed colours: red + 256 * green + 65536 * blue ---------------------

/// The packed value that the formatting operations read as "leave unchanged".
inline constexpr std::int32_t kColourUnchanged = 128;

constexpr std::int32_t packedRgb(int red, int green, int blue)
{
    return static_cast<std::int32_t>(packRgb(red, green, blue));
}

inline QColor colorFromPacked(std::int32_t packed)
{
    return colorFromPackedRgb(static_cast<std::uint32_t>(packed));
}

inline constexpr std::int32_t kBlack = packedRgb(0, 0, 0);
inline constexpr std::int32_t kRed = packedRgb(255, 0, 0);
inline constexpr std::int32_t kNavy = packedRgb(0, 0, 128);
inline constexpr std::int32_t kGreen = packedRgb(0, 128, 0);

// ---- Fonts ----------------------------------------------------------------

/// A grid font. Every setter marks the font as changed: HTML export writes a
/// font part only for fonts that were set after they were created.
class GridFont
{
public:
    GridFont() = default;
    GridFont(const QString &name, int pixelHeight, int pointSize, const QColor &colour,
            FontStyles style);

    const QString &name() const { return m_name; }
    int pixelHeight() const { return m_pixelHeight; }
    int pointSize() const { return m_pointSize; }
    const QColor &color() const { return m_color; }
    FontStyles style() const { return m_style; }
    bool bold() const { return m_style.testFlag(fsBold); }
    bool italic() const { return m_style.testFlag(fsItalic); }
    bool underline() const { return m_style.testFlag(fsUnderline); }
    bool strikeOut() const { return m_style.testFlag(fsStrikeOut); }

    /// Whether any property was set since the font was created.
    bool isChanged() const { return m_changed; }
    void clearChanged() { m_changed = false; }

    void setPixelHeight(int pixels);
    void setPointSize(int points);
    void setColor(const QColor &colour);
    void setStyle(FontStyles style);

    /// A QFont of this face and pixel height; a face the platform lacks (such as
    /// "MS Sans Serif") falls back to the platform's sans-serif face.
    QFont toQFont() const;

    friend bool operator==(const GridFont &, const GridFont &) = default;

private:
    QString m_name;
    QColor m_color;
    int m_pixelHeight = 0;
    int m_pointSize = 0;
    FontStyles m_style;
    bool m_changed = false;
};

/// The format that a cell, row or column may carry: three independent parts,
/// each of which may be unset.
struct GridFormat
{
    std::optional<QColor> background;
    std::optional<GridFont> font;
    TMyAlign alignment = alDefault;

    /// The format's own font; created as a copy of `defaultFont`, with its
    /// change record cleared, when the format has none yet.
    GridFont &ownFont(const GridFont &defaultFont)
    {
        if (!font) {
            font = defaultFont;
            font->clearChanged();
        }
        return *font;
    }

    bool isEmpty() const { return !background && !font && alignment == alDefault; }

    friend bool operator==(const GridFormat &, const GridFormat &) = default;
};

} // namespace zavevad

Q_DECLARE_OPERATORS_FOR_FLAGS(zavevad::FontStyles)
