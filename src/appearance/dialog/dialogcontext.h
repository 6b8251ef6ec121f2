#pragma once

#include "appearance/applyappearance.h"
#include "appearance/chartappearance.h"
#include "ui/chart/chart.h"

#include <functional>

namespace zavevad {

/// What the appearance dialog edits: the record in force and the chart of the
/// chart window with its kind state. Until the chart window binds its chart,
/// the dialog works on a chart of its own, so no control can reach nowhere.
class AppearanceDialogContext
{
public:
    explicit AppearanceDialogContext(TChartAppearance &record) : m_record(&record) { }
    AppearanceDialogContext(const AppearanceDialogContext &) = delete;
    AppearanceDialogContext &operator=(const AppearanceDialogContext &) = delete;

    /// `repaint` runs after every change the dialog makes to the chart.
    void bind(chart::Chart &chart, ChartKindState &kindState, std::function<void()> repaint)
    {
        m_chart = &chart;
        m_kindState = &kindState;
        m_repaint = std::move(repaint);
    }

    TChartAppearance &record() { return *m_record; }
    chart::Chart &chart() { return *m_chart; }

    int shownChartKind() const { return m_kindState->ShownChartKind; }
    /// The series the value-label settings act on; nullptr before the first chart.
    chart::Series *currentSeries()
    {
        const int index = m_kindState->CurrentSeries;
        if (index < chart::BarSeriesIndex || index > chart::LineSeriesIndex)
            return nullptr;
        return &m_chart->series(index);
    }

    /// The chart changed: have it repainted.
    void chartChanged()
    {
        if (m_repaint)
            m_repaint();
    }

private:
    TChartAppearance *m_record;
    chart::Chart m_ownChart;
    ChartKindState m_ownKindState;
    chart::Chart *m_chart = &m_ownChart;
    ChartKindState *m_kindState = &m_ownKindState;
    std::function<void()> m_repaint;
};

} // namespace zavevad
