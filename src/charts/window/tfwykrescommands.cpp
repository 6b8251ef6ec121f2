// The chart window's commands: drawing a chart kind from the tables, template
// files (saved, loaded or dropped on the window), and the picture leaving the
// window by clipboard, file or printer. Kept apart from the window's
// construction, layout and mouse handling in tfwykres.cpp.
#include "charts/window/tfwykres.h"

#include "chartengine/chartrenderer.h"
#include "charts/chartdata.h"
#include "charts/chartprint.h"
#include "charts/chartrebuild.h"
#include "charts/formattemplate.h"
#include "charts/window/chartwidget.h"
#include "platform/commanderror.h"
#include "platform/platform.h"
#include "platform/savefile.h"
#include "platform/savepath.h"
#include "results/analysisstate.h"
#include "tables/analysistables.h"
#include "tables/gridmodel.h"
#include "tables/gridstate.h"
#include "ui/dropascopy.h"
#include "ui/runcommand.h"

#include <QBuffer>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <utility>

namespace zavevad {

// ---- Applying a chart kind ----

void TFWykres::SelectAppearanceTarget()
{
    if (zavevad::SelectAppearanceTarget(m_state.chartKind) && m_dialog.setAxesPageEnabled)
        m_dialog.setAxesPageEnabled(axesPageEnabled(m_state.chartKind.ShownChartKind));
}

void TFWykres::ApplyChartKind(int kind)
{
    if (!zavevad::ApplyChartKind(
                kind, m_state.appearances.CurrentAppearance, chart(), m_state.chartKind))
        return;
    showAppliedChart();
}

void TFWykres::showAppliedChart()
{
    if (m_dialog.setAxesPageEnabled)
        m_dialog.setAxesPageEnabled(axesPageEnabled(m_state.chartKind.ShownChartKind));
    if (m_dialog.showPanelForKind)
        m_dialog.showPanelForKind(m_state.chartKind.ShownChartKind);
    refreshChart();
    show();
    raise();
    // The window comes to the keyboard too: a reader names the chart at once.
    activateWindow();
    m_Wykres->setFocus(Qt::ActiveWindowFocusReason);
}

void TFWykres::chartCommand(ChartKindCode kind, const AnalysisState &analysis,
        const GridModel &grid, const GridState &gridState)
{
    if (!analysis.dataLoaded)
        return;
    m_state.chartKind.ChartKind = kind;
    const ChartSource source{grid, analysis.tableMode, analysis.studentCount,
            resultsSumaColumn(gridState, analysis)};
    // The chart is the table's from here on, even when a cell stops the build.
    m_state.scoreChart.reset();
    m_state.progressStudent.reset();
    m_state.chartTable = analysis.tableMode;
    const ChartBuildResult result =
            BuildChartOfTable(source, analysis, m_state.appearances, chart(), m_state.chartKind);
    if (result.applied)
        showAppliedChart();
}

void TFWykres::scoreChartCommand(
        ScoreChart which, const AnalysisState &analysis, std::optional<std::size_t> progressStudent)
{
    if (!analysis.dataLoaded)
        return;
    if (which != ScoreChart::Progress)
        progressStudent.reset();
    const ChartBuildResult result = BuildScoreChart(
            which, analysis, m_state.appearances, chart(), m_state.chartKind, progressStudent);
    m_state.scoreChart = which;
    m_state.progressStudent = progressStudent;
    if (result.applied)
        showAppliedChart();
}

void TFWykres::rebuildAfterRegrading()
{
    if (isHidden())
        return;
    runCommand(this, [this] { rebuildChartAfterRegrading(m_state); });
    refreshChart();
}

// ---- Template files ----

void TFWykres::SaveFormatTemplate()
{
    const std::optional<QString> path =
            Platform::current().saveTabele(formatTemplateFilter(), formatTemplateExtension());
    if (!path)
        return;
    saveFormatTemplateFile(*path, m_state.appearances.CurrentAppearance);
}

void TFWykres::LoadFormatTemplate()
{
    const std::optional<QString> path =
            Platform::current().saveTabele(formatTemplateFilter(), formatTemplateExtension());
    if (!path)
        return;
    loadTemplateFile(*path);
}

void TFWykres::loadTemplateFile(const QString &path)
{
    loadFormatTemplateFile(path, m_state.appearances.CurrentAppearance);
    ApplyChartKind(m_state.chartKind.ChartKind);
    if (!m_state.scoreChart) {
        restoreReferenceLine(m_state.chartTable, m_state.chartKind, chart());
        refreshChart();
    }
}

void TFWykres::applyTemplateToNextChart(const QString &path)
{
    m_pendingTemplate = path;
    applyPendingTemplate();
}

void TFWykres::applyPendingTemplate()
{
    if (m_pendingTemplate.isEmpty() || !isVisible())
        return;
    const QString path = std::exchange(m_pendingTemplate, QString());
    runCommand(this, [this, &path] { loadTemplateFile(path); });
}

QString TFWykres::droppedTemplate(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return {};
    const QList<QUrl> urls = data->urls();
    for (const QUrl &url : urls) {
        const QString path = url.toLocalFile();
        if (path.endsWith(QLatin1String(".ssw"), Qt::CaseInsensitive))
            return path;
    }
    return {};
}

void TFWykres::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedTemplate(event->mimeData()).isEmpty())
        acceptAsCopy(event);
}

void TFWykres::dropEvent(QDropEvent *event)
{
    const QString path = droppedTemplate(event->mimeData());
    if (path.isEmpty())
        return;
    if (!acceptAsCopy(event))
        return;
    // After the drop is over: a failure shows a message box with its own loop.
    QMetaObject::invokeMethod(
            this, [this, path] { runCommand(this, [this, &path] { loadTemplateFile(path); }); },
            Qt::QueuedConnection);
}

// ---- Clipboard ----

void TFWykres::copyChartAsBitmap()
{
    auto data = std::make_unique<QMimeData>();
    data->setImageData(m_Wykres->toImage());
    Platform::current().setClipboardMimeData(std::move(data));
}

QString TFWykres::chartTitle() const
{
    return chart().header.lines.join(QLatin1Char(' '));
}

void TFWykres::saveChartPicture()
{
    const QString path =
            askNewSavePath(QStringLiteral("Obraz PNG (*.png)|*.png|Obraz SVG (*.svg)|*.svg"),
                    QStringLiteral("png"), QStringLiteral("Zapisz obraz wykresu"));
    if (path.isEmpty())
        return;
    // The SVG at the size on screen; the PNG laid out as on screen and drawn
    // A4 wide at print resolution, sharp on paper.
    QByteArray bytes;
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        bytes = m_Wykres->toSvg(m_Wykres->size(), chartTitle());
    } else {
        QBuffer buffer(&bytes);
        if (!buffer.open(QIODevice::WriteOnly)
                || !printResolutionImage(chart(), m_Wykres->size(), m_Wykres->viewState())
                            .save(&buffer, "PNG"))
            throw CommandError(
                    cannotSaveMessage(path, QStringLiteral("nie udało się utworzyć obrazu PNG")));
    }
    saveFileSayingWhy(path, bytes);
}

void TFWykres::printChart()
{
    const QString title = chartTitle();
    Platform::current().printDocument(
            title.isEmpty() ? windowTitle() : title, [this](QPagedPaintDevice &device) {
                return paintChartPage(device, chart(), m_Wykres->size(), m_Wykres->viewState());
            });
}

void TFWykres::copyChartAsMetafile()
{
    const QSize size = (m_Wykres->size() - QSize(1, 1)).expandedTo(QSize(1, 1));
    const QString title = chart().header.lines.join(QLatin1Char(' '));
    auto data = std::make_unique<QMimeData>();
    data->setData(QStringLiteral("image/svg+xml"), m_Wykres->toSvg(size, title));
    // Programs that cannot paste SVG still get the same picture.
    data->setImageData(chart::renderToImage(chart(), size, m_Wykres->viewState()));
    Platform::current().setClipboardMimeData(std::move(data));
}

} // namespace zavevad
