#pragma once

#include <QDialog>
#include <QPointer>

#include <functional>

namespace zavevad {

/// How the chart window reaches the appearance dialog `TFUstawwykres`:
/// "Formatuj" shows `dialog` modally, and showing a chart points the dialog's
/// panels and its "Osie" page at the chart kind. Any part may be empty; then
/// that step is skipped. The chart window does not know the dialog's class.
struct AppearanceDialogLink
{
    QPointer<QDialog> dialog;
    /// Shows only the settings panel of the kind: `PSlupek` for 1 (bar),
    /// `PKola` for 2 (pie), `PLinia` for 3 (line).
    std::function<void(int kind)> showPanelForKind;
    /// Enables or disables the page "Osie" (`TabSheet2`).
    std::function<void(bool enabled)> setAxesPageEnabled;
};

/// The link to a dialog class that has `showPanelForKind(int)` and
/// `setAxesPageEnabled(bool)`; the dialog must outlive the chart window's use of it.
template<class Dialog>
AppearanceDialogLink appearanceDialogLink(Dialog &dialog)
{
    AppearanceDialogLink link;
    link.dialog = &dialog;
    link.showPanelForKind = [&dialog](int kind) {
        dialog.showPanelForKind(kind);
    };
    link.setAxesPageEnabled = [&dialog](bool enabled) {
        dialog.setAxesPageEnabled(enabled);
    };
    return link;
}

} // namespace zavevad
