#include "shell/shortcuts.h"

#include "shell/menutable.h"
#include "shell/shell.h"
#include "shell/tfglowny.h"
#include "shell/tfmenu.h"
#include "tables/view/tablepanel.h"

#include <QKeySequence>
#include <QList>
#include <QShortcut>

#include <functional>

namespace zavevad {

void installShortcuts(Shell &shell)
{
    TFGlowny &window = shell.glowny();
    TFMenu &menu = shell.menu();
    TablePanel &table = *window.PTabela();
    using Step = TablePanel::PageStep;
    const auto page = [&table](Step step) {
        return [&table, step] {
            table.pageKey(step);
        };
    };

    struct Key
    {
        QKeySequence keys;
        std::function<void()> command;
    };
    QList<Key> keys = {
            {QKeySequence(Qt::Key_Up), page(Step::Up)},
            {QKeySequence(Qt::Key_PageUp), page(Step::Up)},
            {QKeySequence(Qt::Key_Down), page(Step::Down)},
            {QKeySequence(Qt::Key_PageDown), page(Step::Down)},
            {QKeySequence(Qt::Key_Left), page(Step::Left)},
            {QKeySequence(Qt::Key_Right), page(Step::Right)},
            {QKeySequence(Qt::Key_Home), page(Step::First)},
            {QKeySequence(Qt::Key_End), page(Step::Last)},
    };
    // The menu items' keys come from the command table, so that a key runs
    // its item's command with the item's own checks.
    for (const MenuEntry &entry : menuEntries()) {
        if (entry.key != QKeyCombination())
            keys.append({QKeySequence(entry.key), [&menu, &entry] {
                             menu.runEntry(entry);
                         }});
    }
    for (const Key &key : keys) {
        auto *shortcut = new QShortcut(key.keys, &window);
        shortcut->setContext(Qt::WindowShortcut);
        // A held paging key pages on; a held Ctrl+S must not save twice.
        shortcut->setAutoRepeat(key.keys[0].keyboardModifiers() == Qt::NoModifier);
        QObject::connect(shortcut, &QShortcut::activated, &window, key.command);
    }
}

} // namespace zavevad
