#pragma once

#include "appearance/dialog/dialogcontext.h"
#include "platform/platform.h"
#include "ui/runcommand.h"

#include <QWidget>

#include <optional>
#include <utility>

namespace zavevad {

/// One page of the appearance dialog. Its controls write their fields of the
/// record and restyle the chart at once; its fill sets the controls from the
/// record without running a single handler.
class AppearancePage : public QWidget
{
    Q_OBJECT

public:
    AppearancePage(AppearanceDialogContext &context, const char *name, QWidget *parent = nullptr);

    /// Runs whenever the page comes to the front (the page's TabSheet..Show).
    virtual void pageShown() = 0;

protected:
    TChartAppearance &record() { return m_context.record(); }
    chart::Chart &chart() { return m_context.chart(); }
    AppearanceDialogContext &context() { return m_context; }

    /// Opens the colour dialog on the stored colour. On OK the choice is
    /// stored and true returned; a cancelled dialog changes nothing.
    static bool chooseColorFor(AppearanceColor &stored);
    /// Opens the font dialog on the stored font. On OK the choice is stored
    /// (its name cut to 50 characters) and returned as chosen; a cancelled
    /// dialog changes nothing.
    static std::optional<FontChoice> chooseFontFor(TAppearanceFont &stored);

    /// Runs one handler as a command: a CommandError (a box text that is no
    /// number) stops it before it stored anything and shows its message; a
    /// handler that ran to its end has the chart repainted.
    template<typename F>
    void handle(F &&handler)
    {
        if (runCommand(this, std::forward<F>(handler)))
            m_context.chartChanged();
    }

private:
    AppearanceDialogContext &m_context;
};

} // namespace zavevad
