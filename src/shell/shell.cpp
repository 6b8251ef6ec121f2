#include "shell/shell.h"

#include "appearance/dialog/tfustawwykres.h"
#include "charts/window/tfwykres.h"
#include "shell/menukeys.h"
#include "shell/qtplatform.h"
#include "shell/shellaccessible.h"
#include "shell/shortcuts.h"
#include "shell/tfabout.h"
#include "shell/tfglowny.h"
#include "shell/tfmenu.h"
#include "shell/tfmonit.h"
#include "ui/activationkeeper.h"

namespace zavevad {

Shell::Shell(Platform *platform)
{
    if (!platform) {
        m_ownPlatform = std::make_unique<QtPlatform>();
        platform = m_ownPlatform.get();
    }
    m_previousPlatform = Platform::setCurrent(platform);

    // The first window created is the main one; the rest follow in this order.
    m_glowny = std::make_unique<TFGlowny>(*this);
    m_menu = std::make_unique<TFMenu>(*this);
    m_wykres = std::make_unique<TFWykres>(m_session.state());
    m_ustawWykres = std::make_unique<TFUstawwykres>(
            m_session.appearances, m_session.chart, m_session.chartKind);
    m_about = std::make_unique<TFAbout>();
    m_monit = std::make_unique<TFMonit>();

    linkChartWindows();

    if (m_ownPlatform)
        m_ownPlatform->setDialogParent(m_glowny.get());
    installCommandHooks(*this);
    installShortcuts(*this);
    new MenuKeys(*this);
    new ActivationKeeper(*m_glowny);
    installAccessibility();
}

Shell::~Shell()
{
    // Windows go in the reverse order of their creation, before the platform.
    m_monit.reset();
    m_about.reset();
    m_ustawWykres.reset();
    m_wykres.reset();
    m_menu.reset();
    m_glowny.reset();
    Platform::setCurrent(m_previousPlatform);
}

void Shell::linkChartWindows()
{
    // "Formatuj" and a shown chart reach the dialog; the dialog's controls
    // restyle the window's chart and have it repainted.
    m_wykres->setAppearanceDialog(appearanceDialogLink(*m_ustawWykres));
    TFWykres *wykres = m_wykres.get();
    m_ustawWykres->setRepaint([wykres] { wykres->refreshChart(); });
}

void Shell::start()
{
    m_glowny->show();
}

int Shell::Monit(int mode, const QString &text)
{
    return m_monit->Monit(mode, text);
}

} // namespace zavevad
