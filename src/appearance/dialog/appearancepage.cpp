#include "appearance/dialog/appearancepage.h"

#include "appearance/applyappearance.h"

namespace zavevad {

AppearancePage::AppearancePage(AppearanceDialogContext &context, const char *name, QWidget *parent)
    : QWidget(parent), m_context(context)
{
    setObjectName(QLatin1String(name));
}

bool AppearancePage::chooseColorFor(AppearanceColor &stored)
{
    const std::optional<QColor> color = Platform::current().chooseColor(stored.toQColor());
    if (!color)
        return false;
    stored = AppearanceColor::fromQColor(*color);
    return true;
}

std::optional<FontChoice> AppearancePage::chooseFontFor(TAppearanceFont &stored)
{
    // Offered as the chart shows it: a template may hold any size.
    const chart::TextFont shown = textFontOf(stored);
    std::optional<FontChoice> font =
            Platform::current().chooseFont(FontChoice{shown.font, shown.color});
    if (font)
        stored.setFromQFont(font->font, font->color);
    return font;
}

} // namespace zavevad
