#pragma once

#include "appearance/dialog/appearancepage.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace zavevad {

class SpinEdit;

/// "Wykres" (TabSheet6): the settings of the chart type now shown, on one of
/// three panels in the same place: `PSlupek` (bars), `PKola` (pie), `PLinia` (line).
class ChartPage : public AppearancePage
{
    Q_OBJECT

public:
    explicit ChartPage(AppearanceDialogContext &context, QWidget *parent = nullptr);

    /// TabSheet6Show.
    void pageShown() override { FillChartPage(); }
    /// Sets the panel of `ShownChartKind` from the record and shows only that panel.
    void FillChartPage();
    /// Shows only the panel of the kind (1 bars, 2 pie, 3 line); any other kind changes nothing.
    void showPanelForKind(int kind);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CksztaltClick(int index);
    bool EWartpoczontkowaKeyPress(const QString &typed);
    void EWartpoczontkowaKeyUp();
    void SSzerokoscSlupkaChange();
    void CKreskaClick();
    void BkolorPodKreskiClick();
    void SeksplozjaChange();
    void SObrotChange();
    void BkolorLiniClick();
    void CwidoczneWierzcholkiClick();
    void BKolorWierzchClick();
    void SdlugChange();
    void SSzerChange();
    void CksztaltwierzcholkaClick(int index);

    QWidget *m_PSlupek = nullptr;
    QComboBox *m_Cksztalt = nullptr;
    QLineEdit *m_EWartpoczontkowa = nullptr;
    SpinEdit *m_SSzerokoscSlupka = nullptr;

    QWidget *m_PKola = nullptr;
    QCheckBox *m_CKreska = nullptr;
    QPushButton *m_BKolorPodKreski = nullptr;
    SpinEdit *m_Seksplozja = nullptr;
    SpinEdit *m_SObrot = nullptr;

    QWidget *m_PLinia = nullptr;
    QPushButton *m_BKolorLini = nullptr;
    QCheckBox *m_CwidoczneWierzcholki = nullptr;
    QPushButton *m_BKolorWierzch = nullptr;
    SpinEdit *m_Sdlug = nullptr;
    SpinEdit *m_SSzer = nullptr;
    QComboBox *m_Cksztaltwierzcholka = nullptr;
};

} // namespace zavevad
