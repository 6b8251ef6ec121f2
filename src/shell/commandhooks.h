#pragma once

#include <cstdint>
#include <functional>

namespace zavevad {

class Shell;
enum TableKind : std::int32_t; // results/analysisstate.h
enum class ScoreChart; // charts/scorecharts.h
enum ChartKindCode : std::int32_t; // appearance/applyappearance.h

/// Every command of the menu, bound to the window or subsystem that does the
/// work. The menu's command table (shell/menutable) says which item, key and
/// accessible action runs which hook and what is checked first; an empty
/// hook does nothing. Tests replace hooks to watch what the menu runs.
struct CommandHooks
{
    std::function<void()> Wczytaj; ///< "Wczytaj wyniki testu ..."
    std::function<void()> WczytajKlasy; ///< "Wczytaj klasy z folderu ..."
    std::function<void()> WczytajTesty; ///< "Wczytaj testy z folderu ..."
    std::function<void()> ZapiszTxt; ///< "Zapisz tabelę jako txt"
    std::function<void()> ZapiszHtml; ///< "Zapisz tabelę jako html"
    std::function<void()> ZapiszRaportPdf; ///< "Zapisz raport PDF ..."
    std::function<void()> ZapiszArkusz; ///< "Zapisz jako arkusz xlsx ..."
    std::function<void()> DrukujRaport; ///< "Drukuj raport ..."
    std::function<void()> ZapiszKartyPdf; ///< "Zapisz karty uczniów PDF ..."
    std::function<void()> DrukujKarty; ///< "Drukuj karty uczniów ..."
    std::function<void()> KopiujHtml; ///< "Kopiuj tabelę jako html"
    std::function<void()> KopiujCsv; ///< "Kopiuj tabelę jako csv"
    std::function<void()> editThresholds; ///< "Progi ocen ..."
    std::function<void()> editBlueprint; ///< "Kartoteka testu ..."
    std::function<void()> editReportNotes; ///< "Wnioski i dane raportu ..."
    std::function<void()> ZapiszRaportBezNazwisk; ///< "Raport bez nazwisk ..."
    /// The "Tabele" items: writes the table of `kind` into the grid.
    std::function<void(TableKind kind)> PokazTabele;
    /// The "Wykresy" items with the chart kind (bar, pie, line): set the
    /// chart kind and build the chart from the table with a fresh appearance.
    std::function<void(ChartKindCode chartKind)> Wykres;
    /// "Rozkład punktów" and "Czas a wynik": the charts of the class's scores.
    std::function<void(ScoreChart which)> scoreChart;
    std::function<void()> showAbout; ///< "O programie"
    std::function<void()> showHelp; ///< "Pomoc"
    std::function<void()> minimize; ///< "Minimalizuj" of the window menu
    std::function<void()> quit; ///< "Zamknij", in "Plik" and in the window menu
};

/// Fills the shell's hooks with the commands of the windows and the other
/// subsystems: the one place where a command is bound to its work.
void installCommandHooks(Shell &shell);

} // namespace zavevad
