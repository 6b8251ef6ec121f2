#pragma once

#include <QColor>
#include <QFont>
#include <QString>

namespace zavevad::shellstyle {

/// Title of the application and of its message boxes.
inline QString applicationTitle()
{
    return QStringLiteral("Kalmo - Zavevad");
}

/// Menu text colours: available, highlighted under the mouse, unavailable.
inline QColor menuNormal()
{
    return {255, 255, 255};
}
inline QColor menuHighlighted()
{
    return {255, 255, 0};
}
inline QColor menuUnavailable()
{
    return {128, 128, 128};
}

/// The windows' font: "MS Sans Serif" 8 pt where it exists, else a plain sans
/// serif of the same 11-pixel size, so the fixed layouts keep their room.
inline QFont windowFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"),
            QStringLiteral("Sans Serif")});
    font.setPixelSize(11);
    return font;
}

} // namespace zavevad::shellstyle
