#pragma once

#include "platform/platform.h"

#include <QDialog>

class QFontDialog;
class QPushButton;

namespace zavevad {

/// A font dialog that also edits the font's colour, as the chart's font
/// settings keep the two together.
class FontColorDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FontColorDialog(const FontChoice &initial, QWidget *parent = nullptr);

    FontChoice choice() const;

private:
    void chooseColor();
    void showColor();

    QFontDialog *m_fonts = nullptr;
    QPushButton *m_colorButton = nullptr;
    QColor m_color;
};

} // namespace zavevad
