#include "appearance/dialog/legendpage.h"

#include "appearance/dialog/dialogcontrols.h"
#include "ui/spinedit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace zavevad {

LegendPage::LegendPage(AppearanceDialogContext &context, QWidget *parent)
    : AppearancePage(context, "TabSheet3", parent)
{
    m_CwidocznaLegenda = makeCheckBox(this, "CwidocznaLegenda", QStringLiteral("Widoczna"), 10, 10);
    makeLabel(this, "Label6", QStringLiteral("Pokaż:"), 10, 44);
    m_CPokazLegende = makeDropDown(this, "CPokazLegende",
            {QStringLiteral("Tylko argumenty"), QStringLiteral("Tylko wartości"),
                    QStringLiteral("Argumenty i wartości")},
            QRect(112, 44, 170, RowHeight));
    makeLabel(this, "Label7", QStringLiteral("Długość cienia:"), 10, 76);
    m_SDlugCienia = makeSpinEdit(this, "SDlugCienia", QRect(112, 76, 60, RowHeight), 0, 8, 1);
    makeLabel(this, "Label8", QStringLiteral("Położenie:"), 10, 108);
    m_Spolozenie = makeSpinEdit(this, "Spolozenie", QRect(112, 108, 60, RowHeight), 0, 30, 1);
    m_Spolozenie->setText(QStringLiteral("13"));

    m_BKolorTlaLegendy = makeButton(
            this, "BKolorTlaLegendy", QStringLiteral("Kolor tła..."), QRect(10, 150, 108, 24));
    m_BKolorCienia = makeButton(
            this, "BKolorCienia", QStringLiteral("Kolor cienia..."), QRect(126, 150, 108, 24));
    m_BCzcionkaLegendy = makeButton(
            this, "BCzcionkaLegendy", QStringLiteral("Czcionka"), QRect(242, 150, 108, 24));

    connect(m_CwidocznaLegenda, &QCheckBox::clicked, this, &LegendPage::CwidocznaLegendaClick);
    connect(m_CPokazLegende, &QComboBox::activated, this, &LegendPage::CPokazLegendeClick);
    connect(m_BKolorTlaLegendy, &QPushButton::clicked, this, &LegendPage::BkolorTlaLegendyClick);
    connect(m_BKolorCienia, &QPushButton::clicked, this, &LegendPage::BKolorcieniaClick);
    connect(m_BCzcionkaLegendy, &QPushButton::clicked, this, &LegendPage::BCzcionkaLegendyClick);
    connect(m_SDlugCienia, &SpinEdit::changed, this, &LegendPage::SDlugCieniaChange);
    connect(m_Spolozenie, &SpinEdit::changed, this, &LegendPage::SpolozenieChange);
}

void LegendPage::FillLegendPage()
{
    const TChartAppearance &r = record();
    const QSignalBlocker b1(m_SDlugCienia), b2(m_CwidocznaLegenda), b3(m_CPokazLegende);
    m_SDlugCienia->setText(QString::number(r.LegendShadowSize));
    m_CwidocznaLegenda->setChecked(r.LegendVisible);
    // A code the list does not hold leaves no item selected.
    m_CPokazLegende->setCurrentIndex(
            r.LegendTextStyle >= 0 && r.LegendTextStyle < m_CPokazLegende->count()
                    ? r.LegendTextStyle
                    : -1);
}

void LegendPage::CwidocznaLegendaClick()
{
    handle([this] {
        record().LegendVisible = m_CwidocznaLegenda->isChecked();
        chart().legend.visible = record().LegendVisible;
    });
}

void LegendPage::CPokazLegendeClick(int index)
{
    handle([this, index] {
        if (const std::optional<chart::LegendTextStyle> style = legendTextStyleFromCode(index))
            chart().legend.textStyle = *style;
        record().LegendTextStyle = index;
    });
}

void LegendPage::BkolorTlaLegendyClick()
{
    handle([this] {
        if (chooseColorFor(record().LegendColor))
            chart().legend.color = record().LegendColor.toQColor();
    });
}

void LegendPage::BKolorcieniaClick()
{
    handle([this] {
        if (chooseColorFor(record().LegendShadowColor))
            chart().legend.shadowColor = record().LegendShadowColor.toQColor();
    });
}

void LegendPage::BCzcionkaLegendyClick()
{
    handle([this] {
        if (chooseFontFor(record().LegendFont))
            chart().legend.font = textFontOf(record().LegendFont);
    });
}

void LegendPage::SDlugCieniaChange()
{
    handle([this] {
        record().LegendShadowSize = integerOf(m_SDlugCienia->text());
        chart().legend.shadowSize = record().LegendShadowSize;
    });
}

void LegendPage::SpolozenieChange()
{
    handle([this] {
        record().LegendTopPos = integerOf(m_Spolozenie->text());
        chart().legend.topPos = record().LegendTopPos;
    });
}

} // namespace zavevad
