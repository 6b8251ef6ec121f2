#pragma once

#include <functional>

namespace zavevad {

class Shell;

/// Commands of other subsystems that the menu runs. The menu has already
/// closed, let pending events through and checked the data-loaded flag; an
/// empty hook does nothing. Each call runs inside runCommand, so a
/// CommandError thrown from it is shown in a message box.
struct CommandHooks
{
    std::function<void()> ZapiszTxt; ///< "Zapisz tabelę jako txt"
    std::function<void()> ZapiszHtml; ///< "Zapisz tabelę jako html"
    std::function<void()> ZapiszRaportPdf; ///< "Zapisz raport PDF ..."
    std::function<void()> ZapiszArkusz; ///< "Zapisz jako arkusz xlsx ..."
    std::function<void()> DrukujRaport; ///< "Drukuj raport ..."
    std::function<void()> ZapiszKartyPdf; ///< "Zapisz karty uczniów PDF ..."
    std::function<void()> DrukujKarty; ///< "Drukuj karty uczniów ..."
    std::function<void()> KopiujHtml; ///< "Kopiuj tabelę jako html"
    std::function<void()> KopiujCsv; ///< "Kopiuj tabelę jako csv"
    /// The "Wykresy" items with the chart kind (1 bar, 2 pie, 3 line): set the
    /// chart kind and build the chart from the table with a fresh appearance.
    std::function<void(int chartKind)> Wykres;
};

/// Fills the shell's hooks with the commands of the other subsystems; the one
/// place where they are bound to the menu.
void installCommandHooks(Shell &shell);

} // namespace zavevad
