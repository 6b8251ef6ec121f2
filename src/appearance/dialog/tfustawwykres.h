#pragma once

#include "appearance/chartappearance.h"
#include "appearance/dialog/dialogcontext.h"
#include "appearance/dialog/dialogtheme.h"
#include "ui/windowdrag.h"

#include <QDialog>
#include <QPoint>

#include <functional>

class QLabel;

namespace zavevad {

class AppearancePage;
class AxisPage;
class BackgroundPage;
class ChartPage;
class ClickableLabel;
class GradientTabWidget;
class HeaderPage;
class LegendPage;
class ValuesPage;
class View3DPage;

/// The appearance dialog: seven pages whose controls each write one field of
/// `CurrentAppearance` and restyle the chart at once. There is no OK or
/// Cancel; closing keeps every change. Created once at program start, shown
/// modally by the chart window's "Formatuj".
///
/// The chart window drives it like this:
/// - once: `setRepaint(repaint)`, what repaints the chart after each change;
/// - after a successful `ApplyChartKind(kind, ...)`: `showPanelForKind(kind)`
///   and `setAxesPageEnabled(axesPageEnabled(kind))`;
/// - "Formatuj": `SelectAppearanceTarget(kindState)`, on true
///   `setAxesPageEnabled(axesPageEnabled(kindState.ShownChartKind))`, then
///   `exec()`, then `applyKindProjection(kindState.ChartKind, ...)` and a repaint.
class TFUstawwykres : public QDialog
{
    Q_OBJECT

public:
    /// Builds the dialog and fills the appearance defaults into both records
    /// of `appearances` (FormCreate). The dialog edits `CurrentAppearance`
    /// and restyles `chart`; it reads the shown kind and the target series
    /// from `kindState`. All three belong to the run and outlive the dialog.
    TFUstawwykres(Appearances &appearances, chart::Chart &chart, ChartKindState &kindState,
            QWidget *parent = nullptr);
    ~TFUstawwykres() override;

    /// What repaints the chart after each change.
    void setRepaint(std::function<void()> repaint);

    /// Shows only the "Wykres" panel of the kind: 1 `PSlupek`, 2 `PKola`,
    /// 3 `PLinia`; any other kind changes nothing.
    void showPanelForKind(int kind);
    /// Enables or disables the page "Osie" (`TabSheet2`).
    void setAxesPageEnabled(bool enabled);

    bool isDragging() const { return m_drag.isActive(); }
    QPoint dragOrigin() const { return m_drag.lastPos(); }

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    void FormCreate();
    void FormShow();
    void ApplyDialogTheme();
    void PageControl1Change(int index);
    void ImListwaMouseDown(const QPoint &screenPos);
    void ImListwaMouseMove(const QPoint &screenPos);
    void ImListwaMouseUp();
    void LCloseUstawieniaClick();

    Appearances &m_appearances;
    AppearanceDialogContext m_context;
    DialogTheme m_theme;
    WindowDrag m_drag;

    QWidget *m_PListwa = nullptr;
    QLabel *m_ImListwa = nullptr;
    ClickableLabel *m_LCloseUstawienia = nullptr;
    GradientTabWidget *m_PageControl1 = nullptr;
    ChartPage *m_TabSheet6 = nullptr;
    HeaderPage *m_TabSheet1 = nullptr;
    AxisPage *m_TabSheet2 = nullptr;
    LegendPage *m_TabSheet3 = nullptr;
    BackgroundPage *m_TabSheet4 = nullptr;
    View3DPage *m_TabSheet5 = nullptr;
    ValuesPage *m_TabSheet7 = nullptr;
};

} // namespace zavevad
