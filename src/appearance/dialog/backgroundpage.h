#pragma once

#include "appearance/dialog/appearancepage.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace zavevad {

class RadioGroup;

/// "Tła" (TabSheet4): the panel gradient, the colours around and inside the
/// plot, the frame colour and a background picture.
class BackgroundPage : public AppearancePage
{
    Q_OBJECT

public:
    explicit BackgroundPage(AppearanceDialogContext &context, QWidget *parent = nullptr);

    /// TabSheet4Show.
    void pageShown() override { FillBackgroundPage(); }
    /// Sets the controls from the record; ticking "Wstaw obraz jako:" here
    /// opens no picture dialog.
    void FillBackgroundPage();

private:
    void WstawObrazekClick();
    void RDowewnClick();
    void RzewnontrzClick();
    void RDopasujClick(int index);
    void CgradientClick();
    void BkolorPoczClick();
    void BKolorKoncClick();
    void BKolorZewnClick();
    void BKolorObramowaniaClick();
    void BKolorTlaClick();

    QGroupBox *m_RadioGroup1 = nullptr;
    QCheckBox *m_WstawObrazek = nullptr;
    QRadioButton *m_RDowewn = nullptr;
    QRadioButton *m_Rzewnontrz = nullptr;
    RadioGroup *m_RDopasuj = nullptr;
    QPushButton *m_BKolorTla = nullptr;
    QPushButton *m_BKolorZewn = nullptr;
    QCheckBox *m_Cgradient = nullptr;
    QPushButton *m_BKolorPocz = nullptr;
    QLabel *m_LKororPocz = nullptr;
    QPushButton *m_BKolorKonc = nullptr;
    QLabel *m_LKolorKonc = nullptr;
    QPushButton *m_BKolorObramowania = nullptr;
};

} // namespace zavevad
