#include "charts/window/tfwykres.h"
#include "export/exportcommands.h"
#include "platform/help.h"
#include "report/reportcommands.h"
#include "shell/commandhooks.h"
#include "shell/shell.h"
#include "shell/tfabout.h"
#include "shell/tfglowny.h"
#include "shell/tfkartoteka.h"
#include "shell/tfmenu.h"
#include "shell/tfprogi.h"
#include "shell/tfraport.h"
#include "tables/view/gridview.h"
#include "tables/view/tablepanel.h"

#include <optional>

namespace zavevad {

namespace {

/// The student of the row the teacher chose in "Tabela - Postępy", while
/// that table is shown; none otherwise or on a row of the class's figures.
std::optional<std::size_t> progressStudentChosen(const Session &session, const TablePanel &table)
{
    const AnalysisState &analysis = session.analysis;
    const int row = table.grid()->chosenRow();
    if (analysis.tableMode != TableProgress || row < 1
            || static_cast<std::size_t>(row) > analysis.progress.students.size())
        return std::nullopt;
    return static_cast<std::size_t>(row - 1);
}

void installWindowCommands(Shell &shell, CommandHooks &hooks)
{
    TFGlowny &glowny = shell.glowny();
    hooks.Wczytaj = [&glowny] {
        glowny.Wczytaj();
    };
    hooks.WczytajKlasy = [&glowny] {
        glowny.WczytajKlasy();
    };
    hooks.WczytajTesty = [&glowny] {
        glowny.WczytajTesty();
    };
    hooks.PokazTabele = [&glowny](TableKind kind) {
        glowny.PokazTabele(kind);
    };
    hooks.editThresholds = [&shell] {
        TFProgi dialog(shell);
        dialog.exec();
    };
    hooks.editBlueprint = [&shell] {
        TFKartoteka dialog(shell);
        dialog.exec();
    };
    hooks.editReportNotes = [&shell] {
        TFRaport dialog(shell);
        dialog.exec();
    };
    hooks.showAbout = [&shell] {
        shell.about().showModal();
    };
    hooks.showHelp = [&shell] {
        openHelp(shell.session().analysis.startDirectory);
    };
    hooks.minimize = [&shell] {
        shell.menu().closeMenu();
        shell.glowny().minimizeApplication();
    };
    hooks.quit = [] {
        TFGlowny::terminate();
    };
}

} // namespace

void installCommandHooks(Shell &shell)
{
    // Each subsystem binds its menu commands here, reaching the live data
    // through shell.session() and the dialogs through Platform::current().
    Session &session = shell.session();
    CommandHooks &hooks = shell.hooks();
    installWindowCommands(shell, hooks);
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
    hooks.ZapiszRaportBezNazwisk = [&session] {
        ZapiszRaportBezNazwisk(session.analysis);
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
    hooks.Wykres = [&session, &wykres](ChartKindCode chartKind) {
        wykres.chartCommand(chartKind, session.analysis, session.grid, session.gridState);
        // A template given to the program styles the first chart drawn.
        wykres.applyPendingTemplate();
    };
    hooks.scoreChart = [&session, &wykres, &shell](ScoreChart which) {
        wykres.scoreChartCommand(
                which, session.analysis, progressStudentChosen(session, *shell.glowny().PTabela()));
    };
}

} // namespace zavevad
