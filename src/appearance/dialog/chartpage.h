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

    QWidget *PSlupek = nullptr;
    QComboBox *Cksztalt = nullptr;
    QLineEdit *EWartpoczontkowa = nullptr;
    SpinEdit *SSzerokoscSlupka = nullptr;

    QWidget *PKola = nullptr;
    QCheckBox *CKreska = nullptr;
    QPushButton *BKolorPodKreski = nullptr;
    SpinEdit *Seksplozja = nullptr;
    SpinEdit *SObrot = nullptr;

    QWidget *PLinia = nullptr;
    QPushButton *BKolorLini = nullptr;
    QCheckBox *CwidoczneWierzcholki = nullptr;
    QPushButton *BKolorWierzch = nullptr;
    SpinEdit *Sdlug = nullptr;
    SpinEdit *SSzer = nullptr;
    QComboBox *Cksztaltwierzcholka = nullptr;
};

} // namespace zavevad
