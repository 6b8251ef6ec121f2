#include "appearance/dialog/appearancepage.h"

namespace zavevad {

AppearancePage::AppearancePage(AppearanceDialogContext &context, const char *name, QWidget *parent)
    : QWidget(parent), m_context(context)
{
    setObjectName(QLatin1String(name));
}

} // namespace zavevad
