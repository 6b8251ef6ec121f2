#pragma once

#include <QColor>
#include <QStringList>

class QWidget;

namespace zavevad {

/// The three colours the appearance dialog is painted with; its look
/// depends on these alone.
struct DialogTheme
{
    QColor window{141, 141, 141};
    QColor field{199, 199, 199};
    QColor text{255, 255, 255};
};

/// Paints the dialog's controls, found by their names under `dialog`, with
/// the theme: backgrounds in the window or field colour, texts in the text colour.
void applyDialogTheme(QWidget *dialog, const DialogTheme &theme);

/// The names of every control `applyDialogTheme` paints.
QStringList themedControlNames();

} // namespace zavevad
