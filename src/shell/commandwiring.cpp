#include "charts/window/tfwykres.h"
#include "export/exportcommands.h"
#include "report/reportcommands.h"
#include "shell/commandhooks.h"
#include "shell/shell.h"

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
    hooks.ZapiszRaportPdf = [&session] {
        ZapiszRaportPdf(session.analysis);
    };
    hooks.ZapiszArkusz = [&session] {
        ZapiszArkusz(session.analysis);
    };
    hooks.DrukujRaport = [&session] {
        DrukujRaport(session.analysis);
    };
    hooks.ZapiszKartyPdf = [&session] {
        ZapiszKartyPdf(session.analysis);
    };
    hooks.DrukujKarty = [&session] {
        DrukujKarty(session.analysis);
    };
    hooks.KopiujHtml = [&session] {
        KopiujHtml(session.grid);
    };
    hooks.KopiujCsv = [&session] {
        KopiujCsv(session.grid);
    };

    TFWykres &wykres = shell.wykres();
    hooks.Wykres = [&session, &wykres](int chartKind) {
        wykres.chartCommand(chartKind, session.analysis, session.grid, session.gridState);
        // A template given to the program styles the first chart drawn.
        wykres.applyPendingTemplate();
    };
}

} // namespace zavevad
