#include "shell/fontcolordialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace zavevad {

FontColorDialog::FontColorDialog(const FontChoice &initial, QWidget *parent)
    : QDialog(parent), m_color(initial.color)
{
    setWindowTitle(QStringLiteral("Czcionka"));
    setSizeGripEnabled(true);

    // QFontDialog embedded as a plain widget gives the familiar font picker;
    // the colour row and the buttons are ours.
    m_fonts = new QFontDialog(initial.font, this);
    m_fonts->setWindowFlags(Qt::Widget);
    m_fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    m_fonts->setObjectName(QStringLiteral("fontPicker"));

    m_colorButton = new QPushButton(QStringLiteral("Kolor..."), this);
    m_colorButton->setObjectName(QStringLiteral("colorButton"));
    connect(m_colorButton, &QPushButton::clicked, this, &FontColorDialog::chooseColor);

    auto *colorRow = new QHBoxLayout;
    colorRow->addWidget(new QLabel(QStringLiteral("Kolor:"), this));
    colorRow->addWidget(m_colorButton);
    colorRow->addStretch();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Anuluj"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_fonts);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
    showColor();
}

FontChoice FontColorDialog::choice() const
{
    return FontChoice{m_fonts->currentFont(), m_color};
}

void FontColorDialog::chooseColor()
{
    const QColor color = QColorDialog::getColor(m_color, this);
    if (color.isValid()) {
        m_color = color;
        showColor();
    }
}

void FontColorDialog::showColor()
{
    QPixmap swatch(24, 14);
    swatch.fill(m_color.isValid() ? m_color : QColor(Qt::black));
    m_colorButton->setIcon(QIcon(swatch));
}

} // namespace zavevad
