#include "tables/gridformat.h"

#include <QFont>

namespace zavevad {

GridFont::GridFont(
        const QString &name, int pixelHeight, int pointSize, const QColor &colour, FontStyles style)
    : m_name(name), m_color(colour), m_pixelHeight(pixelHeight), m_pointSize(pointSize),
      m_style(style)
{ }

void GridFont::setPixelHeight(int pixels)
{
    m_pixelHeight = pixels;
    m_changed = true;
}

void GridFont::setPointSize(int points)
{
    m_pointSize = points;
    m_changed = true;
}

void GridFont::setColor(const QColor &colour)
{
    m_color = colour;
    m_changed = true;
}

void GridFont::setStyle(FontStyles style)
{
    m_style = style;
    m_changed = true;
}

QFont GridFont::toQFont() const
{
    QFont font;
    // The face list lets the font database pick the platform's sans-serif face
    // (with Polish letters) where the named one is missing.
    font.setFamilies({m_name, QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
            QStringLiteral("Arial"), QStringLiteral("Helvetica")});
    font.setStyleHint(QFont::SansSerif);
    if (m_pixelHeight > 0)
        font.setPixelSize(m_pixelHeight);
    font.setBold(bold());
    font.setItalic(italic());
    font.setUnderline(underline());
    font.setStrikeOut(strikeOut());
    return font;
}

} // namespace zavevad
