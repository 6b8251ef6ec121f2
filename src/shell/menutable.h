#pragma once

#include "results/analysisstate.h"
#include "shell/tfmenu.h"

#include <QKeyCombination>

#include <span>

namespace zavevad {

struct CommandHooks;

/// What is checked before an item's command runs.
enum class MenuCheck {
    None,
    DataLoaded, ///< grey, and does nothing, until results are loaded
};

/// Who may change an item's colour under the mouse.
enum class MenuHover { Always, WhileLoaded };

/// How an item's command runs.
enum class MenuRun {
    /// The drop-down leaves the screen and pending events go through first,
    /// then the check; a CommandError is shown in a message box.
    AfterMenuCloses,
    /// At once, as it stands: the window menu's commands, which need no
    /// redrawn screen and cannot fail.
    AtOnce,
};

/// One row of a drop-down: an item with its command, or a separator.
struct MenuEntry
{
    TFMenu::DropDown dropDown;
    const char *name; ///< the item's object name; null for a separator
    const char *caption; ///< UTF-8
    const char *hint; ///< the tool tip, UTF-8
    int top; ///< in pixels from the drop-down's top
    MenuCheck check = MenuCheck::None;
    MenuHover hover = MenuHover::Always;
    MenuRun run = MenuRun::AfterMenuCloses;
    void (*command)(const CommandHooks &hooks) = nullptr;
    /// The main window's key for the item; Qt::Key_unknown for none.
    QKeyCombination key = {};
    /// The table the item shows, instead of `command`; `TableNone`: none.
    TableKind table = TableNone;

    /// Runs the item's command with `hooks`.
    void execute(const CommandHooks &hooks) const;

    bool isSeparator() const { return name == nullptr; }
    bool needsData() const { return check == MenuCheck::DataLoaded; }
};

/// One drop-down panel and its picture.
struct MenuPanel
{
    TFMenu::DropDown dropDown;
    const char *panelName;
    const char *pictureName;
    const char *artwork;
    /// The window menu: an item lights up alone, its sibling keeps its colour.
    bool highlightsAlone = false;
};

/// The command table: every row of every drop-down in its order on screen,
/// drop-down by drop-down. Clicks, keys and accessible actions all run an
/// item's command through its row.
std::span<const MenuEntry> menuEntries();
/// The six drop-downs in the order they are built.
std::span<const MenuPanel> menuPanels();
/// The row of the item named `name`, or null.
const MenuEntry *menuEntry(const char *name);

} // namespace zavevad
