#pragma once

#include "appearance/dialog/appearancepage.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zavevad {

class SpinEdit;

/// "Osie" (TabSheet2): the vertical (left) or horizontal (bottom) axis with
/// its grid and wall, as chosen in `Cosie`.
class AxisPage : public AppearancePage
{
    Q_OBJECT

public:
    /// The axes `Cosie` chooses between.
    enum Axis { Vertical = 0, Horizontal = 1 };

    explicit AxisPage(AppearanceDialogContext &context, QWidget *parent = nullptr);

    /// TabSheet2Show: back to the vertical axis, then its fill.
    void pageShown() override;
    /// Sets the controls from the record for the axis; the chart is not touched.
    void FillAxisPage(int axis);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Fields
    {
        AppearanceString &title;
        std::int32_t &titleAngle;
        AppearanceColor &axisColor;
        TAppearanceFont &titleFont;
        TAppearanceFont &labelsFont;
        AppearanceBool &gridVisible;
        AppearanceColor &gridColor;
        std::int32_t &gridDotted;
        AppearanceBool &wallTransparent;
        AppearanceColor &wallColor;
        chart::AxisSettings &axis;
        chart::WallSettings &wall;
    };
    Fields fields(int axis);
    Fields selected();

    void CosieChange();
    void EopisOsiKeyUp();
    void SKontChange();
    void BFontOsieClick();
    void BKolorWartosciClick();
    void BkolorOsieClick();
    void CwidocznaSiatkaClick();
    void gridStyleClick(int dotted);
    void BkolorSiatkiClick();
    void CprzezrClick();
    void BkolorSciankiClick();

    QComboBox *m_Cosie = nullptr;
    QLineEdit *m_EopisOsi = nullptr;
    SpinEdit *m_SKont = nullptr;
    QPushButton *m_BFontOsie = nullptr;
    QPushButton *m_BKolorWartosci = nullptr;
    QPushButton *m_BKolorOsie = nullptr;
    QCheckBox *m_CwidocznaSiatka = nullptr;
    QGroupBox *m_RodzajLini = nullptr;
    QRadioButton *m_RCiongla = nullptr;
    QRadioButton *m_Rprzerywana = nullptr;
    QPushButton *m_BKolorSiatki = nullptr;
    QCheckBox *m_Cprzezr = nullptr;
    QPushButton *m_BKolorScianki = nullptr;
};

} // namespace zavevad
