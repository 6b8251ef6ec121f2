#pragma once

#include "platform/packedcolor.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QColor>
#include <QFont>
#include <QString>
#include <QStringView>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <type_traits>

namespace zavevad {

/// A one-byte boolean of the appearance record. Any non-zero byte reads true;
/// the raw byte is kept, so a record loaded from a template saves unchanged.
struct AppearanceBool
{
    std::uint8_t raw = 0;

    constexpr operator bool() const { return raw != 0; }
    constexpr AppearanceBool &operator=(bool value)
    {
        raw = value ? 1 : 0;
        return *this;
    }

    friend bool operator==(const AppearanceBool &, const AppearanceBool &) = default;
};

/// A colour of the record in the Windows colour reference form 0x00BBGGRR
/// (red in the lowest byte). The high byte is kept as loaded but never read.
struct AppearanceColor
{
    std::uint32_t value = 0;

    static constexpr AppearanceColor fromRgb(int r, int g, int b) { return {packRgb(r, g, b)}; }
    static AppearanceColor fromQColor(const QColor &color);

    constexpr int red() const { return packedRed(value); }
    constexpr int green() const { return packedGreen(value); }
    constexpr int blue() const { return packedBlue(value); }
    QColor toQColor() const { return colorFromPackedRgb(value); }

    friend bool operator==(const AppearanceColor &, const AppearanceColor &) = default;
};

/// A short string of at most 50 code page 1250 characters: a length byte, then
/// the characters. Storing writes only the length and the new characters, so
/// older characters stay behind them; readers use the length byte only.
struct AppearanceString
{
    static constexpr int Capacity = 50;

    std::array<std::uint8_t, Capacity + 1> bytes{};

    /// The stored length; a length byte above 50 (only a foreign file holds
    /// one) counts as 50 so that reading never leaves the field.
    int length() const;
    QByteArray cp1250() const;
    QString text() const;
    /// Stores the text in code page 1250, cut to its first 50 characters.
    void setText(QStringView text);
    void setCp1250(QByteArrayView bytes);

    friend bool operator==(const AppearanceString &, const AppearanceString &) = default;
};

/// Bits of `TAppearanceFont::Style`.
enum AppearanceFontStyle : std::uint8_t {
    FontStyleBold = 0x01,
    FontStyleItalic = 0x02,
    FontStyleUnderline = 0x04,
    FontStyleStrikeOut = 0x08,
};

/// A 64-byte font description of the record.
struct TAppearanceFont
{
    AppearanceString Name; ///< typeface name, cut to 50 characters
    std::array<std::uint8_t, 1> pad51{};
    AppearanceColor Color; ///< text colour
    std::int32_t Size = 0; ///< size in points
    std::uint8_t Style = 0; ///< AppearanceFontStyle bits
    std::array<std::uint8_t, 3> pad61{};

    /// The typeface, size and style as a QFont; the colour is `Color`. A size
    /// of 0 or below (only a foreign file holds one) keeps QFont's default size.
    QFont toQFont() const;
    /// Takes the typeface, point size and style from the font and the colour;
    /// the padding and the tail of the name stay as they were.
    void setFromQFont(const QFont &font, const QColor &color);

    friend bool operator==(const TAppearanceFont &, const TAppearanceFont &) = default;
};

static_assert(std::is_standard_layout_v<TAppearanceFont>);
static_assert(std::is_trivially_copyable_v<TAppearanceFont>);
static_assert(std::has_unique_object_representations_v<TAppearanceFont>);
static_assert(sizeof(TAppearanceFont) == 64);
static_assert(offsetof(TAppearanceFont, Name) == 0);
static_assert(offsetof(TAppearanceFont, pad51) == 51);
static_assert(offsetof(TAppearanceFont, Color) == 52);
static_assert(offsetof(TAppearanceFont, Size) == 56);
static_assert(offsetof(TAppearanceFont, Style) == 60);
static_assert(offsetof(TAppearanceFont, pad61) == 61);

/// Everything the user can set about the look of a chart, laid out byte for
/// byte as a format template file (little-endian). Numeric codes are kept as
/// stored, even outside their listed range. Padding members are named after
/// their hexadecimal offset; the program never writes them, so whatever a
/// loaded template carries there is saved again unchanged.
struct TChartAppearance
{
    static constexpr int ByteSize = 944;

    AppearanceBool TitleVisible; // 0x000
    AppearanceBool TitleAdjustFrame;
    AppearanceBool TitleTransparent;
    AppearanceBool TitleFramed;
    AppearanceString TitleText; // 0x004
    std::array<std::uint8_t, 1> pad037{};
    std::int32_t TitleAlignment = 0; ///< 0 left, 1 centre, 2 right
    TAppearanceFont TitleFont; // 0x03C
    AppearanceColor TitleColor;

    AppearanceBool FootVisible; // 0x080
    AppearanceBool FootAdjustFrame;
    AppearanceBool FootTransparent;
    AppearanceBool FootFramed;
    AppearanceString FootText; // 0x084
    std::array<std::uint8_t, 1> pad0B7{};
    std::int32_t FootAlignment = 0; ///< 0 left, 1 centre, 2 right
    TAppearanceFont FootFont; // 0x0BC
    AppearanceColor FootColor;

    AppearanceString BottomAxisTitle; // 0x100
    std::array<std::uint8_t, 1> pad133{};
    std::int32_t BottomAxisTitleAngle = 0;
    AppearanceColor BottomAxisColor;
    TAppearanceFont BottomAxisTitleFont; // 0x13C
    TAppearanceFont BottomAxisLabelsFont; // 0x17C
    AppearanceBool BottomGridVisible; // 0x1BC
    std::array<std::uint8_t, 3> pad1BD{};
    AppearanceColor BottomGridColor;
    std::int32_t BottomGridDotted = 0; ///< 0 solid, otherwise dotted
    AppearanceBool BottomWallTransparent; // 0x1C8
    std::array<std::uint8_t, 3> pad1C9{};
    AppearanceColor BottomWallColor;

    AppearanceString LeftAxisTitle; // 0x1D0
    std::array<std::uint8_t, 1> pad203{};
    std::int32_t LeftAxisTitleAngle = 0;
    AppearanceColor LeftAxisColor;
    TAppearanceFont LeftAxisTitleFont; // 0x20C
    TAppearanceFont LeftAxisLabelsFont; // 0x24C
    AppearanceBool LeftGridVisible; // 0x28C
    std::array<std::uint8_t, 3> pad28D{};
    AppearanceColor LeftGridColor;
    std::int32_t LeftGridDotted = 0; ///< 0 solid, otherwise dotted
    AppearanceBool LeftWallTransparent; // 0x298
    std::array<std::uint8_t, 3> pad299{};
    AppearanceColor LeftWallColor;

    AppearanceBool LegendVisible; // 0x2A0
    std::array<std::uint8_t, 3> pad2A1{};
    AppearanceColor LegendColor;
    AppearanceColor LegendShadowColor;
    TAppearanceFont LegendFont; // 0x2AC
    std::int32_t LegendShadowSize = 0;
    std::int32_t LegendTopPos = 0;
    std::int32_t LegendTextStyle = 0; ///< 0 plain, 1 values, 2 names and values

    AppearanceBool BackPictureOn; // 0x2F8
    AppearanceBool BackPictureInside;
    AppearanceBool BackPictureCentered;
    std::array<std::uint8_t, 1> pad2FB{};
    AppearanceColor BackColor;
    AppearanceColor OuterColor;
    AppearanceColor FrameColor;
    AppearanceBool GradientVisible; // 0x308
    std::array<std::uint8_t, 3> pad309{};
    AppearanceColor GradientStartColor;
    AppearanceColor GradientEndColor;

    AppearanceBool View3D; // 0x314
    AppearanceBool View3DWalls;
    std::array<std::uint8_t, 2> pad316{};
    std::int32_t Chart3DPercent = 0;
    AppearanceBool Perspective; // 0x31C
    std::array<std::uint8_t, 3> pad31D{};
    std::int32_t PerspectiveValue = 0;
    std::int32_t Elevation = 0;
    std::int32_t Rotation = 0;
    std::int32_t Zoom = 0;

    AppearanceBool MarksVisible; // 0x330
    AppearanceBool MarksTransparent;
    std::array<std::uint8_t, 2> pad332{};
    AppearanceColor MarksBackColor;
    TAppearanceFont MarksFont; // 0x338
    std::int32_t MarksStyle = 0; ///< 0 names, 1 values, 2 percent, 3 names+values, 4 names+percent

    std::int32_t BarShape = 0; ///< 0 rectangle, 1 gradient, 2 cylinder, 3 arrow
    AppearanceColor PieBackColor;
    AppearanceBool LinePointsVisible; // 0x384
    std::array<std::uint8_t, 3> pad385{};
    AppearanceColor LinePointColor;
    std::int32_t LinePointShape = 0; ///< 0 rectangle, 1 circle, 2 triangle, 3 star
    std::int32_t LinePointLength = 0;
    std::int32_t LinePointWidth = 0;
    AppearanceBool PiePatterns; // 0x398
    std::array<std::uint8_t, 3> pad399{};
    AppearanceColor ReservedColor; ///< written by the defaults, otherwise unused
    std::int32_t PieExplodeBiggest = 0;
    std::int32_t PieRotation = 0;
    std::int32_t BarOrigin = 0;
    std::int32_t BarWidthPercent = 0; // 0x3AC

    /// The 944 bytes of the record, little-endian whatever the host.
    QByteArray toBytes() const;
    /// The record held by the first 944 bytes; later bytes are ignored.
    /// Nothing when fewer than 944 bytes are given.
    static std::optional<TChartAppearance> fromBytes(QByteArrayView bytes);

    friend bool operator==(const TChartAppearance &, const TChartAppearance &) = default;
};

// The record is a file format: every offset is fixed, and there is no padding
// of the compiler's own (unique object representations), so the members above
// cover all 944 bytes.
static_assert(std::is_standard_layout_v<TChartAppearance>);
static_assert(std::is_trivially_copyable_v<TChartAppearance>);
static_assert(std::has_unique_object_representations_v<TChartAppearance>);
static_assert(sizeof(TChartAppearance) == TChartAppearance::ByteSize);
static_assert(offsetof(TChartAppearance, TitleVisible) == 0x000);
static_assert(offsetof(TChartAppearance, TitleAdjustFrame) == 0x001);
static_assert(offsetof(TChartAppearance, TitleTransparent) == 0x002);
static_assert(offsetof(TChartAppearance, TitleFramed) == 0x003);
static_assert(offsetof(TChartAppearance, TitleText) == 0x004);
static_assert(offsetof(TChartAppearance, pad037) == 0x037);
static_assert(offsetof(TChartAppearance, TitleAlignment) == 0x038);
static_assert(offsetof(TChartAppearance, TitleFont) == 0x03C);
static_assert(offsetof(TChartAppearance, TitleColor) == 0x07C);
static_assert(offsetof(TChartAppearance, FootVisible) == 0x080);
static_assert(offsetof(TChartAppearance, FootAdjustFrame) == 0x081);
static_assert(offsetof(TChartAppearance, FootTransparent) == 0x082);
static_assert(offsetof(TChartAppearance, FootFramed) == 0x083);
static_assert(offsetof(TChartAppearance, FootText) == 0x084);
static_assert(offsetof(TChartAppearance, pad0B7) == 0x0B7);
static_assert(offsetof(TChartAppearance, FootAlignment) == 0x0B8);
static_assert(offsetof(TChartAppearance, FootFont) == 0x0BC);
static_assert(offsetof(TChartAppearance, FootColor) == 0x0FC);
static_assert(offsetof(TChartAppearance, BottomAxisTitle) == 0x100);
static_assert(offsetof(TChartAppearance, pad133) == 0x133);
static_assert(offsetof(TChartAppearance, BottomAxisTitleAngle) == 0x134);
static_assert(offsetof(TChartAppearance, BottomAxisColor) == 0x138);
static_assert(offsetof(TChartAppearance, BottomAxisTitleFont) == 0x13C);
static_assert(offsetof(TChartAppearance, BottomAxisLabelsFont) == 0x17C);
static_assert(offsetof(TChartAppearance, BottomGridVisible) == 0x1BC);
static_assert(offsetof(TChartAppearance, pad1BD) == 0x1BD);
static_assert(offsetof(TChartAppearance, BottomGridColor) == 0x1C0);
static_assert(offsetof(TChartAppearance, BottomGridDotted) == 0x1C4);
static_assert(offsetof(TChartAppearance, BottomWallTransparent) == 0x1C8);
static_assert(offsetof(TChartAppearance, pad1C9) == 0x1C9);
static_assert(offsetof(TChartAppearance, BottomWallColor) == 0x1CC);
static_assert(offsetof(TChartAppearance, LeftAxisTitle) == 0x1D0);
static_assert(offsetof(TChartAppearance, pad203) == 0x203);
static_assert(offsetof(TChartAppearance, LeftAxisTitleAngle) == 0x204);
static_assert(offsetof(TChartAppearance, LeftAxisColor) == 0x208);
static_assert(offsetof(TChartAppearance, LeftAxisTitleFont) == 0x20C);
static_assert(offsetof(TChartAppearance, LeftAxisLabelsFont) == 0x24C);
static_assert(offsetof(TChartAppearance, LeftGridVisible) == 0x28C);
static_assert(offsetof(TChartAppearance, pad28D) == 0x28D);
static_assert(offsetof(TChartAppearance, LeftGridColor) == 0x290);
static_assert(offsetof(TChartAppearance, LeftGridDotted) == 0x294);
static_assert(offsetof(TChartAppearance, LeftWallTransparent) == 0x298);
static_assert(offsetof(TChartAppearance, pad299) == 0x299);
static_assert(offsetof(TChartAppearance, LeftWallColor) == 0x29C);
static_assert(offsetof(TChartAppearance, LegendVisible) == 0x2A0);
static_assert(offsetof(TChartAppearance, pad2A1) == 0x2A1);
static_assert(offsetof(TChartAppearance, LegendColor) == 0x2A4);
static_assert(offsetof(TChartAppearance, LegendShadowColor) == 0x2A8);
static_assert(offsetof(TChartAppearance, LegendFont) == 0x2AC);
static_assert(offsetof(TChartAppearance, LegendShadowSize) == 0x2EC);
static_assert(offsetof(TChartAppearance, LegendTopPos) == 0x2F0);
static_assert(offsetof(TChartAppearance, LegendTextStyle) == 0x2F4);
static_assert(offsetof(TChartAppearance, BackPictureOn) == 0x2F8);
static_assert(offsetof(TChartAppearance, BackPictureInside) == 0x2F9);
static_assert(offsetof(TChartAppearance, BackPictureCentered) == 0x2FA);
static_assert(offsetof(TChartAppearance, pad2FB) == 0x2FB);
static_assert(offsetof(TChartAppearance, BackColor) == 0x2FC);
static_assert(offsetof(TChartAppearance, OuterColor) == 0x300);
static_assert(offsetof(TChartAppearance, FrameColor) == 0x304);
static_assert(offsetof(TChartAppearance, GradientVisible) == 0x308);
static_assert(offsetof(TChartAppearance, pad309) == 0x309);
static_assert(offsetof(TChartAppearance, GradientStartColor) == 0x30C);
static_assert(offsetof(TChartAppearance, GradientEndColor) == 0x310);
static_assert(offsetof(TChartAppearance, View3D) == 0x314);
static_assert(offsetof(TChartAppearance, View3DWalls) == 0x315);
static_assert(offsetof(TChartAppearance, pad316) == 0x316);
static_assert(offsetof(TChartAppearance, Chart3DPercent) == 0x318);
static_assert(offsetof(TChartAppearance, Perspective) == 0x31C);
static_assert(offsetof(TChartAppearance, pad31D) == 0x31D);
static_assert(offsetof(TChartAppearance, PerspectiveValue) == 0x320);
static_assert(offsetof(TChartAppearance, Elevation) == 0x324);
static_assert(offsetof(TChartAppearance, Rotation) == 0x328);
static_assert(offsetof(TChartAppearance, Zoom) == 0x32C);
static_assert(offsetof(TChartAppearance, MarksVisible) == 0x330);
static_assert(offsetof(TChartAppearance, MarksTransparent) == 0x331);
static_assert(offsetof(TChartAppearance, pad332) == 0x332);
static_assert(offsetof(TChartAppearance, MarksBackColor) == 0x334);
static_assert(offsetof(TChartAppearance, MarksFont) == 0x338);
static_assert(offsetof(TChartAppearance, MarksStyle) == 0x378);
static_assert(offsetof(TChartAppearance, BarShape) == 0x37C);
static_assert(offsetof(TChartAppearance, PieBackColor) == 0x380);
static_assert(offsetof(TChartAppearance, LinePointsVisible) == 0x384);
static_assert(offsetof(TChartAppearance, pad385) == 0x385);
static_assert(offsetof(TChartAppearance, LinePointColor) == 0x388);
static_assert(offsetof(TChartAppearance, LinePointShape) == 0x38C);
static_assert(offsetof(TChartAppearance, LinePointLength) == 0x390);
static_assert(offsetof(TChartAppearance, LinePointWidth) == 0x394);
static_assert(offsetof(TChartAppearance, PiePatterns) == 0x398);
static_assert(offsetof(TChartAppearance, pad399) == 0x399);
static_assert(offsetof(TChartAppearance, ReservedColor) == 0x39C);
static_assert(offsetof(TChartAppearance, PieExplodeBiggest) == 0x3A0);
static_assert(offsetof(TChartAppearance, PieRotation) == 0x3A4);
static_assert(offsetof(TChartAppearance, BarOrigin) == 0x3A8);
static_assert(offsetof(TChartAppearance, BarWidthPercent) == 0x3AC);

/// The two process-wide records. The application owns one instance for the
/// whole run and hands it by reference to the chart builder, the chart window,
/// the template commands and the appearance dialog. Both start all-zero.
struct Appearances
{
    TChartAppearance CurrentAppearance{}; ///< the settings in force
    TChartAppearance DefaultAppearance{}; ///< the factory settings, filled once at start

    friend bool operator==(const Appearances &, const Appearances &) = default;
};

/// The font description every font field of the defaults receives.
TAppearanceFont BaseFont();

/// Writes every default into the record: each font field becomes a copy of
/// `BaseFont`, the strings get their default texts (tails stay), the record's
/// padding is not touched.
void FillAppearanceDefaults(TChartAppearance &record);

/// The start-up step: the defaults into `CurrentAppearance`, then a copy of it
/// into `DefaultAppearance`.
void FillAppearanceDefaults(Appearances &appearances);

} // namespace zavevad
