#pragma once

#include "charts/window/tfwykres.h"

#include <QKeyCombination>
#include <QString>

#include <span>

namespace zavevad {

/// One item of the chart window's drop-down: the label that shows it in one
/// of the two menus, its caption, its command and its key.
struct ChartMenuEntry
{
    TFWykres::ChartMenu menu;
    const char *label; ///< the object name of the label that shows the item
    const char *caption; ///< UTF-8
    void (*command)(TFWykres &window);
    /// The chart window's key for the item; empty for none.
    QKeyCombination key = {};
    /// Whether the drop-down goes once the command has succeeded; "Zamknij"
    /// leaves it as it was, for the next showing of the window.
    bool hidesMenu = true;
};

/// The chart window's command table: the file menu's items, then the edit
/// menu's, each in its order on screen. Clicks, keys and accessible actions
/// all run an item's command through its row.
std::span<const ChartMenuEntry> chartMenuEntries();
/// The row that `label` shows in `menu`, or null.
const ChartMenuEntry *chartMenuEntry(TFWykres::ChartMenu menu, const QString &label);
/// The rows of `menu` in their order on screen.
QList<const ChartMenuEntry *> chartMenuRows(TFWykres::ChartMenu menu);

} // namespace zavevad
