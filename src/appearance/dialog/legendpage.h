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

    QCheckBox *m_CwidocznaLegenda = nullptr;
    QComboBox *m_CPokazLegende = nullptr;
    QPushButton *m_BKolorTlaLegendy = nullptr;
    QPushButton *m_BKolorCienia = nullptr;
    QPushButton *m_BCzcionkaLegendy = nullptr;
    SpinEdit *m_SDlugCienia = nullptr;
    SpinEdit *m_Spolozenie = nullptr;
};

} // namespace zavevad
