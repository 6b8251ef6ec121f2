#include "appearance/dialog/tfustawwykres.h"
#include "charts/window/tfwykres.h"
#include "export/exportcommands.h"
#include "shell/commandhooks.h"
#include "shell/shell.h"
#include "shell/tfglowny.h"
#include "ui/grid/tablepanel.h"

namespace zavevad {

void installCommandHooks(Shell &shell)
{
    // Each subsystem binds its menu commands here, reaching the live data
    // through shell.session() and the dialogs through Platform::current().
    Session &session = shell.session();
    CommandHooks &hooks = shell.hooks();
    hooks.ZapiszTxt = [&session] {
        ZapiszTxt(session.grid);
    };
    hooks.ZapiszHtml = [&session] {
        ZapiszHtml(session.grid);
    };
    hooks.KopiujHtml = [&session] {
        KopiujHtml(session.grid);
    };
    hooks.KopiujCsv = [&session] {
        KopiujCsv(session.grid);
    };

    // The chart window and the appearance dialog work on the same chart.
    TFWykres &wykres = shell.wykres();
    TFUstawwykres &ustawWykres = shell.ustawWykres();
    ustawWykres.bindChart(wykres.chart(), wykres.kindState(), [&wykres] { wykres.refreshChart(); });
    wykres.setAppearanceDialog(appearanceDialogLink(ustawWykres));
    hooks.Wykres = [&session, &wykres](int chartKind) {
        wykres.chartCommand(chartKind, session.analysis, session.grid, session.gridState);
    };
}

} // namespace zavevad
