#pragma once

#include "appearance/applyappearance.h"
#include "appearance/chartappearance.h"
#include "appearance/dialog/tfustawwykres.h"
#include "chartengine/chart.h"
#include "messageboxcatcher.h"
#include "scriptedplatform.h"

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTabWidget>
#include <QTimer>

namespace zavevad::test {

/// The dialog on a real chart: the engine's design chart with points, the
/// record from the defaults, the kind applied as a chart command applies it,
/// and the dialog shown (not exec'd) as "Formatuj" shows it.
class DialogFixture
{
public:
    explicit DialogFixture(int kind) : dialog(appearances, chart, state)
    {
        const QList<std::pair<QString, double>> points{{QStringLiteral("Cel"), 2},
                {QStringLiteral("Bdb"), 5}, {QStringLiteral("Db"), 7}, {QStringLiteral("Dst"), 4},
                {QStringLiteral("Dop"), 1}, {QStringLiteral("Ndst"), 1}};
        for (int s = chart::BarSeriesIndex; s <= chart::LineSeriesIndex; ++s) {
            for (const auto &[label, value] : points)
                chart.series(s).addPoint(value, label, QColor(40 * s, 120, 200));
        }
        state.ChartKind = kind;
        ApplyChartKind(kind, record(), chart, state);
        dialog.setRepaint([this] { ++repaints; });
        dialog.showPanelForKind(kind);
        dialog.setAxesPageEnabled(axesPageEnabled(kind));
        SelectAppearanceTarget(state);
        dialog.show();
    }

    TChartAppearance &record() { return appearances.CurrentAppearance; }

    template<class W>
    W *control(const char *name)
    {
        W *w = dialog.findChild<W *>(QLatin1String(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }

    QTabWidget *tabs() { return control<QTabWidget>("PageControl1"); }
    /// Brings the page to the front, which runs its fill.
    void showPage(const char *pageName) { tabs()->setCurrentWidget(control<QWidget>(pageName)); }

    ScriptedPlatform platform;
    MessageBoxCatcher errors;
    Appearances appearances;
    chart::Chart chart;
    ChartKindState state;
    int repaints = 0;
    TFUstawwykres dialog;
};

} // namespace zavevad::test
