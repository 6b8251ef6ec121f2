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
    CwidocznaLegenda = makeCheckBox(this, "CwidocznaLegenda", QStringLiteral("Widoczna"), 10, 10);
    makeLabel(this, "Label6", QStringLiteral("Pokaż:"), 10, 44);
    CPokazLegende = makeDropDown(this, "CPokazLegende",
            {QStringLiteral("Tylko argumenty"), QStringLiteral("Tylko wartości"),
                    QStringLiteral("Argumenty i wartości")},
            QRect(112, 44, 170, RowHeight));
    makeLabel(this, "Label7", QStringLiteral("Długość cienia:"), 10, 76);
    SDlugCienia = makeSpinEdit(this, "SDlugCienia", QRect(112, 76, 60, RowHeight), 0, 8, 1);
    makeLabel(this, "Label8", QStringLiteral("Położenie:"), 10, 108);
    Spolozenie = makeSpinEdit(this, "Spolozenie", QRect(112, 108, 60, RowHeight), 0, 30, 1);
    Spolozenie->setText(QStringLiteral("13"));

    BKolorTlaLegendy = makeButton(
            this, "BKolorTlaLegendy", QStringLiteral("Kolor tła..."), QRect(10, 150, 108, 24));
    BKolorCienia = makeButton(
            this, "BKolorCienia", QStringLiteral("Kolor cienia..."), QRect(126, 150, 108, 24));
    BCzcionkaLegendy = makeButton(
            this, "BCzcionkaLegendy", QStringLiteral("Czcionka"), QRect(242, 150, 108, 24));

    connect(CwidocznaLegenda, &QCheckBox::clicked, this, &LegendPage::CwidocznaLegendaClick);
    connect(CPokazLegende, &QComboBox::activated, this, &LegendPage::CPokazLegendeClick);
    connect(BKolorTlaLegendy, &QPushButton::clicked, this, &LegendPage::BkolorTlaLegendyClick);
    connect(BKolorCienia, &QPushButton::clicked, this, &LegendPage::BKolorcieniaClick);
    connect(BCzcionkaLegendy, &QPushButton::clicked, this, &LegendPage::BCzcionkaLegendyClick);
    connect(SDlugCienia, &SpinEdit::changed, this, &LegendPage::SDlugCieniaChange);
    connect(Spolozenie, &SpinEdit::changed, this, &LegendPage::SpolozenieChange);
}

void LegendPage::FillLegendPage()
{
    const TChartAppearance &r = record();
    const QSignalBlocker b1(SDlugCienia), b2(CwidocznaLegenda), b3(CPokazLegende);
    SDlugCienia->setText(QString::number(r.LegendShadowSize));
    CwidocznaLegenda->setChecked(r.LegendVisible);
    // A code the list does not hold leaves no item selected.
    CPokazLegende->setCurrentIndex(
            r.LegendTextStyle >= 0 && r.LegendTextStyle < CPokazLegende->count() ? r.LegendTextStyle
                                                                                 : -1);
}

void LegendPage::CwidocznaLegendaClick()
{
    handle([this] {
        record().LegendVisible = CwidocznaLegenda->isChecked();
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
        record().LegendShadowSize = integerOf(SDlugCienia->text());
        chart().legend.shadowSize = record().LegendShadowSize;
    });
}

void LegendPage::SpolozenieChange()
{
    handle([this] {
        record().LegendTopPos = integerOf(Spolozenie->text());
        chart().legend.topPos = record().LegendTopPos;
    });
}

} // namespace zavevad
