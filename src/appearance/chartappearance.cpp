#include "appearance/chartappearance.h"

#include "results/codepage.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace zavevad {

AppearanceColor AppearanceColor::fromQColor(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return fromRgb(rgb.red(), rgb.green(), rgb.blue());
}

int AppearanceString::length() const
{
    return std::min<int>(bytes[0], Capacity);
}

QByteArray AppearanceString::cp1250() const
{
    return QByteArray(reinterpret_cast<const char *>(bytes.data() + 1), length());
}

QString AppearanceString::text() const
{
    return codepage::fromCp1250(cp1250());
}

void AppearanceString::setText(QStringView text)
{
    setCp1250(codepage::toCp1250(text));
}

void AppearanceString::setCp1250(QByteArrayView text)
{
    const auto n = static_cast<std::size_t>(std::min<qsizetype>(text.size(), Capacity));
    bytes[0] = static_cast<std::uint8_t>(n);
    std::memcpy(bytes.data() + 1, text.data(), n);
}

QFont TAppearanceFont::toQFont() const
{
    QFont font(Name.text());
    if (Size > 0)
        font.setPointSize(Size);
    font.setBold(Style & FontStyleBold);
    font.setItalic(Style & FontStyleItalic);
    font.setUnderline(Style & FontStyleUnderline);
    font.setStrikeOut(Style & FontStyleStrikeOut);
    return font;
}

void TAppearanceFont::setFromQFont(const QFont &font, const QColor &color)
{
    Name.setText(font.family());
    Color = AppearanceColor::fromQColor(color);
    if (font.pointSize() > 0)
        Size = font.pointSize();
    else if (font.pixelSize() > 0)
        Size = qRound(font.pixelSize() * 72.0 / 96.0);
    std::uint8_t style = 0;
    if (font.bold())
        style |= FontStyleBold;
    if (font.italic())
        style |= FontStyleItalic;
    if (font.underline())
        style |= FontStyleUnderline;
    if (font.strikeOut())
        style |= FontStyleStrikeOut;
    Style = style;
}

namespace {

// Visits every member of the record in file order, so that reading and
// writing go field by field and do not depend on the host's byte order.
template<class Font, class Visitor>
void visitFont(Font &f, Visitor &v)
{
    v(f.Name.bytes);
    v(f.pad51);
    v(f.Color.value);
    v(f.Size);
    v(f.Style);
    v(f.pad61);
}

template<class Record, class Visitor>
void visitFields(Record &r, Visitor &v)
{
    auto font = [&v](auto &f) {
        visitFont(f, v);
    };
    v(r.TitleVisible.raw);
    v(r.TitleAdjustFrame.raw);
    v(r.TitleTransparent.raw);
    v(r.TitleFramed.raw);
    v(r.TitleText.bytes);
    v(r.pad037);
    v(r.TitleAlignment);
    font(r.TitleFont);
    v(r.TitleColor.value);
    v(r.FootVisible.raw);
    v(r.FootAdjustFrame.raw);
    v(r.FootTransparent.raw);
    v(r.FootFramed.raw);
    v(r.FootText.bytes);
    v(r.pad0B7);
    v(r.FootAlignment);
    font(r.FootFont);
    v(r.FootColor.value);
    v(r.BottomAxisTitle.bytes);
    v(r.pad133);
    v(r.BottomAxisTitleAngle);
    v(r.BottomAxisColor.value);
    font(r.BottomAxisTitleFont);
    font(r.BottomAxisLabelsFont);
    v(r.BottomGridVisible.raw);
    v(r.pad1BD);
    v(r.BottomGridColor.value);
    v(r.BottomGridDotted);
    v(r.BottomWallTransparent.raw);
    v(r.pad1C9);
    v(r.BottomWallColor.value);
    v(r.LeftAxisTitle.bytes);
    v(r.pad203);
    v(r.LeftAxisTitleAngle);
    v(r.LeftAxisColor.value);
    font(r.LeftAxisTitleFont);
    font(r.LeftAxisLabelsFont);
    v(r.LeftGridVisible.raw);
    v(r.pad28D);
    v(r.LeftGridColor.value);
    v(r.LeftGridDotted);
    v(r.LeftWallTransparent.raw);
    v(r.pad299);
    v(r.LeftWallColor.value);
    v(r.LegendVisible.raw);
    v(r.pad2A1);
    v(r.LegendColor.value);
    v(r.LegendShadowColor.value);
    font(r.LegendFont);
    v(r.LegendShadowSize);
    v(r.LegendTopPos);
    v(r.LegendTextStyle);
    v(r.BackPictureOn.raw);
    v(r.BackPictureInside.raw);
    v(r.BackPictureCentered.raw);
    v(r.pad2FB);
    v(r.BackColor.value);
    v(r.OuterColor.value);
    v(r.FrameColor.value);
    v(r.GradientVisible.raw);
    v(r.pad309);
    v(r.GradientStartColor.value);
    v(r.GradientEndColor.value);
    v(r.View3D.raw);
    v(r.View3DWalls.raw);
    v(r.pad316);
    v(r.Chart3DPercent);
    v(r.Perspective.raw);
    v(r.pad31D);
    v(r.PerspectiveValue);
    v(r.Elevation);
    v(r.Rotation);
    v(r.Zoom);
    v(r.MarksVisible.raw);
    v(r.MarksTransparent.raw);
    v(r.pad332);
    v(r.MarksBackColor.value);
    font(r.MarksFont);
    v(r.MarksStyle);
    v(r.BarShape);
    v(r.PieBackColor.value);
    v(r.LinePointsVisible.raw);
    v(r.pad385);
    v(r.LinePointColor.value);
    v(r.LinePointShape);
    v(r.LinePointLength);
    v(r.LinePointWidth);
    v(r.PiePatterns.raw);
    v(r.pad399);
    v(r.ReservedColor.value);
    v(r.PieExplodeBiggest);
    v(r.PieRotation);
    v(r.BarOrigin);
    v(r.BarWidthPercent);
}

class Writer
{
public:
    explicit Writer(char *out) : m_out(out) { }

    template<std::size_t N>
    void operator()(const std::array<std::uint8_t, N> &bytes)
    {
        std::memcpy(m_out + m_pos, bytes.data(), N);
        m_pos += N;
    }
    void operator()(std::uint8_t byte) { m_out[m_pos++] = static_cast<char>(byte); }
    void operator()(std::uint32_t value)
    {
        qToLittleEndian(value, m_out + m_pos);
        m_pos += 4;
    }
    void operator()(std::int32_t value)
    {
        qToLittleEndian(value, m_out + m_pos);
        m_pos += 4;
    }

    std::size_t position() const { return m_pos; }

private:
    char *m_out;
    std::size_t m_pos = 0;
};

class Reader
{
public:
    explicit Reader(const char *in) : m_in(in) { }

    template<std::size_t N>
    void operator()(std::array<std::uint8_t, N> &bytes)
    {
        std::memcpy(bytes.data(), m_in + m_pos, N);
        m_pos += N;
    }
    void operator()(std::uint8_t &byte) { byte = static_cast<std::uint8_t>(m_in[m_pos++]); }
    void operator()(std::uint32_t &value)
    {
        value = qFromLittleEndian<std::uint32_t>(m_in + m_pos);
        m_pos += 4;
    }
    void operator()(std::int32_t &value)
    {
        value = qFromLittleEndian<std::int32_t>(m_in + m_pos);
        m_pos += 4;
    }

    std::size_t position() const { return m_pos; }

private:
    const char *m_in;
    std::size_t m_pos = 0;
};

} // namespace

QByteArray TChartAppearance::toBytes() const
{
    QByteArray out(ByteSize, '\0');
    Writer writer(out.data());
    visitFields(*this, writer);
    Q_ASSERT(writer.position() == ByteSize);
    return out;
}

std::optional<TChartAppearance> TChartAppearance::fromBytes(QByteArrayView bytes)
{
    if (bytes.size() < ByteSize)
        return std::nullopt;
    TChartAppearance record;
    Reader reader(bytes.data());
    visitFields(record, reader);
    Q_ASSERT(reader.position() == ByteSize);
    return record;
}

TAppearanceFont BaseFont()
{
    TAppearanceFont font;
    font.Name.setText(u"MS Sans Serif");
    font.Color = AppearanceColor::fromRgb(255, 255, 255);
    font.Size = 8;
    font.Style = 0;
    return font;
}

void FillAppearanceDefaults(TChartAppearance &r)
{
    const TAppearanceFont base = BaseFont();
    const AppearanceColor white = AppearanceColor::fromRgb(255, 255, 255);
    const AppearanceColor black = AppearanceColor::fromRgb(0, 0, 0);
    const AppearanceColor grey = AppearanceColor::fromRgb(128, 128, 128);
    const AppearanceColor green = AppearanceColor::fromRgb(0, 128, 0);

    r.TitleVisible = true;
    r.TitleAdjustFrame = false;
    r.TitleTransparent = true;
    r.TitleFramed = false;
    r.TitleText.setText(u"Oto nagłówek");
    r.TitleAlignment = 1;
    r.TitleFont = base;
    r.TitleColor = white;

    r.FootVisible = false;
    r.FootAdjustFrame = false;
    r.FootTransparent = true;
    r.FootFramed = false;
    r.FootText.setText(u"Oto stopka");
    r.FootAlignment = 1;
    r.FootFont = base;
    r.FootColor = white;

    r.BottomAxisTitle.setText(u"Oś pozioma");
    r.BottomAxisTitleAngle = 0;
    r.BottomAxisColor = black;
    r.BottomAxisTitleFont = base;
    r.BottomAxisLabelsFont = base;
    r.BottomGridVisible = true;
    r.BottomGridColor = black;
    r.BottomGridDotted = 1;
    r.BottomWallTransparent = false;
    r.BottomWallColor = green;

    r.LeftAxisTitle.setText(u"Oś Pionowa");
    r.LeftAxisTitleAngle = 90;
    r.LeftAxisColor = black;
    r.LeftAxisTitleFont = base;
    r.LeftAxisLabelsFont = base;
    r.LeftGridVisible = true;
    r.LeftGridColor = black;
    r.LeftGridDotted = 1;
    r.LeftWallTransparent = false;
    r.LeftWallColor = green;

    r.LegendVisible = true;
    r.LegendColor = grey;
    r.LegendShadowColor = black;
    r.LegendFont = base;
    r.LegendShadowSize = 4;
    r.LegendTopPos = 12;
    r.LegendTextStyle = 0;

    r.BackPictureOn = false;
    r.BackPictureInside = false;
    r.BackPictureCentered = true;
    r.BackColor = grey;
    r.OuterColor = white;
    r.FrameColor = black;
    r.GradientVisible = true;
    r.GradientStartColor = grey;
    r.GradientEndColor = AppearanceColor::fromRgb(81, 81, 81);

    r.View3D = true;
    r.View3DWalls = true;
    r.Chart3DPercent = 30;
    r.Perspective = false;
    r.PerspectiveValue = 0;
    r.Elevation = 0;
    r.Rotation = 0;
    r.Zoom = 100;

    r.MarksVisible = true;
    r.MarksTransparent = true;
    r.MarksBackColor = AppearanceColor::fromRgb(255, 255, 0);
    r.MarksFont = base;
    r.MarksStyle = 1;

    r.BarShape = 1;
    r.PieBackColor = AppearanceColor::fromRgb(255, 0, 0);
    r.LinePointsVisible = true;
    r.LinePointColor = AppearanceColor::fromRgb(0, 0, 255);
    r.LinePointShape = 1;
    r.LinePointLength = 5;
    r.LinePointWidth = 2;
    r.PiePatterns = false;
    r.ReservedColor = white;
    r.PieExplodeBiggest = 15;
    r.PieRotation = 0;
    r.BarOrigin = 0;
    r.BarWidthPercent = 30;
}

void FillAppearanceDefaults(Appearances &appearances)
{
    FillAppearanceDefaults(appearances.CurrentAppearance);
    appearances.DefaultAppearance = appearances.CurrentAppearance;
}

} // namespace zavevad
