#pragma once

#include <QColor>

#include <cstdint>

namespace zavevad {

// Colours packed as red + 256 * green + 65536 * blue: the form the grid's
// formatting operations take and the appearance record stores (red in the
// lowest byte). Bits above the blue byte are ignored.

constexpr std::uint32_t packRgb(int red, int green, int blue)
{
    return static_cast<std::uint32_t>((red & 0xff) | ((green & 0xff) << 8) | ((blue & 0xff) << 16));
}

constexpr int packedRed(std::uint32_t packed)
{
    return static_cast<int>(packed & 0xff);
}

constexpr int packedGreen(std::uint32_t packed)
{
    return static_cast<int>((packed >> 8) & 0xff);
}

constexpr int packedBlue(std::uint32_t packed)
{
    return static_cast<int>((packed >> 16) & 0xff);
}

inline QColor colorFromPackedRgb(std::uint32_t packed)
{
    return QColor(packedRed(packed), packedGreen(packed), packedBlue(packed));
}

inline std::uint32_t packedRgbFromColor(const QColor &colour)
{
    return packRgb(colour.red(), colour.green(), colour.blue());
}

} // namespace zavevad
