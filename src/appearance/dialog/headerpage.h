#pragma once

#include "appearance/dialog/appearancepage.h"

#include <QColor>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QTextEdit;

namespace zavevad {

/// "Nagłówki" (TabSheet1): the chart's header or footer, as chosen in `CNaglowek`.
class HeaderPage : public AppearancePage
{
    Q_OBJECT

public:
    /// The elements `CNaglowek` chooses between.
    enum Element { Header = 0, Footer = 1 };

    explicit HeaderPage(AppearanceDialogContext &context, QWidget *parent = nullptr);

    /// TabSheet1Show: back to the header, then its fill.
    void pageShown() override;
    /// Sets the controls from the record for the element, and brings the
    /// chart's headers in line with the record on the way.
    void FillHeaderPage(int element);
    /// Selects "Nagłówek" and fills the page for it (the dialog's showing).
    void selectHeader();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// The fields of the element chosen now, and its chart counterpart.
    struct Fields
    {
        AppearanceBool &visible;
        AppearanceBool &adjustFrame;
        AppearanceBool &transparent;
        AppearanceBool &framed;
        AppearanceString &text;
        std::int32_t &alignment;
        TAppearanceFont &font;
        AppearanceColor &color;
        chart::TitleSettings &title;
    };
    Fields fields(int element);
    Fields selected();

    void showElementText(const Fields &f);
    void showBoxColor(const QColor &color);
    void applyBoxColors();

    void CNaglowekChange();
    void CWidocznyClick();
    void CTloDoTekstuClick();
    void CPrzezroczysteClick();
    void CramkaClick();
    void alignmentClick(int alignment);
    void BTloNaglowkiClick();
    void BCzcionkaNaglowkiClick();
    void RENaglowekKeyUp();

    QComboBox *m_CNaglowek = nullptr;
    QCheckBox *m_CWidoczny = nullptr;
    QCheckBox *m_CTloDoTekstu = nullptr;
    QCheckBox *m_CPrzezroczyste = nullptr;
    QCheckBox *m_Cramka = nullptr;
    QGroupBox *m_wyrownanie = nullptr;
    QRadioButton *m_RDoLewej = nullptr;
    QRadioButton *m_RDoSrodka = nullptr;
    QRadioButton *m_RDoPrawej = nullptr;
    QPushButton *m_BTloNaglowki = nullptr;
    QPushButton *m_BCzcionkaNaglowki = nullptr;
    QTextEdit *m_RENaglowek = nullptr;
    QColor m_boxColor;
    QColor m_boxTextColor;
};

} // namespace zavevad
