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

    QGroupBox *RadioGroup1 = nullptr;
    QCheckBox *WstawObrazek = nullptr;
    QRadioButton *RDowewn = nullptr;
    QRadioButton *Rzewnontrz = nullptr;
    RadioGroup *RDopasuj = nullptr;
    QPushButton *BKolorTla = nullptr;
    QPushButton *BKolorZewn = nullptr;
    QCheckBox *Cgradient = nullptr;
    QPushButton *BKolorPocz = nullptr;
    QLabel *LKororPocz = nullptr;
    QPushButton *BKolorKonc = nullptr;
    QLabel *LKolorKonc = nullptr;
    QPushButton *BKolorObramowania = nullptr;
};

} // namespace zavevad
