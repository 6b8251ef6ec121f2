#pragma once

#include "appearance/applyappearance.h"
#include "appearance/chartappearance.h"
#include "chartengine/chart.h"

#include <functional>

namespace zavevad {

/// What the appearance dialog edits: the record in force and the chart of the
/// run with its kind state, all of which outlive the dialog.
class AppearanceDialogContext
{
public:
    AppearanceDialogContext(
            TChartAppearance &record, chart::Chart &chart, ChartKindState &kindState)
        : m_record(&record), m_chart(&chart), m_kindState(&kindState)
    { }
    AppearanceDialogContext(const AppearanceDialogContext &) = delete;
    AppearanceDialogContext &operator=(const AppearanceDialogContext &) = delete;

    /// `repaint` runs after every change the dialog makes to the chart.
    void setRepaint(std::function<void()> repaint) { m_repaint = std::move(repaint); }

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
    chart::Chart *m_chart;
    ChartKindState *m_kindState;
    std::function<void()> m_repaint;
};

} // namespace zavevad
