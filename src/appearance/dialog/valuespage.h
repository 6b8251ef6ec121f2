#pragma once

#include "appearance/dialog/appearancepage.h"

class QCheckBox;
class QPushButton;

namespace zavevad {

class RadioGroup;

/// "Wartości" (TabSheet7): the value labels of the series now shown, and only of it.
class ValuesPage : public AppearancePage
{
    Q_OBJECT

public:
    explicit ValuesPage(AppearanceDialogContext &context, QWidget *parent = nullptr);

    /// TabSheet7Show.
    void pageShown() override { FillValuesPage(); }
    void FillValuesPage();

private:
    void CpokazwartosciClick();
    void CprzezrWartClick();
    void BkolorWartClick();
    void RRodzajWartosciClick(int index);
    void BczcionkaMarksClick();

    QCheckBox *m_Cpokazwartosci = nullptr;
    QCheckBox *m_CprzezrWart = nullptr;
    QPushButton *m_BKolorWart = nullptr;
    QPushButton *m_BCzcionkaMarks = nullptr;
    RadioGroup *m_RRodzajWartosci = nullptr;
};

} // namespace zavevad
