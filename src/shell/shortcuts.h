#pragma once

namespace zavevad {

class Shell;

/// The main window's keys: Ctrl+O, Ctrl+S, Ctrl+Shift+S, Ctrl+C, Ctrl+Shift+C
/// and Ctrl+Q run the menu items they stand for, with the items' own rules
/// (the menu closes first; nothing before a load where the item is grey);
/// the arrow keys, Page Up/Down, Home and End page the table like its arrows.
/// F1 is the window's own key (TFGlowny::FormKeyDown).
void installShortcuts(Shell &shell);

} // namespace zavevad
