#pragma once

#include "appearance/dialog/appearancepage.h"

class QCheckBox;
class QComboBox;
class QPushButton;

namespace zavevad {

class SpinEdit;

/// "Legenda" (TabSheet3): the chart legend.
class LegendPage : public AppearancePage
{
    Q_OBJECT

public:
    explicit LegendPage(AppearanceDialogContext &context, QWidget *parent = nullptr);

    /// TabSheet3Show.
    void pageShown() override { FillLegendPage(); }
    /// Sets the controls from the record. "Położenie:" is left alone: it
    /// shows the value last entered in it.
    void FillLegendPage();

private:
    void CwidocznaLegendaClick();
    void CPokazLegendeClick(int index);
    void BkolorTlaLegendyClick();
    void BKolorcieniaClick();
    void BCzcionkaLegendyClick();
    void SDlugCieniaChange();
    void SpolozenieChange();

    QCheckBox *CwidocznaLegenda = nullptr;
    QComboBox *CPokazLegende = nullptr;
    QPushButton *BKolorTlaLegendy = nullptr;
    QPushButton *BKolorCienia = nullptr;
    QPushButton *BCzcionkaLegendy = nullptr;
    SpinEdit *SDlugCienia = nullptr;
    SpinEdit *Spolozenie = nullptr;
};

} // namespace zavevad
