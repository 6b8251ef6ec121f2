#pragma once

#include "appearance/applyappearance.h"
#include "appearance/chartappearance.h"
#include "chartengine/chart.h"
#include "charts/scorecharts.h"
#include "charts/sessionstate.h"
#include "charts/window/appearancedialoglink.h"
#include "ui/windowdrag.h"

#include <QPoint>
#include <QRect>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>

class QMimeData;
class QRubberBand;

namespace zavevad {

class ClickableLabel;
class GridModel;
struct ChartMenuEntry;
struct GridState;
struct AnalysisState;

namespace chart {
class ChartWidget;
}

/// The chart window: frameless and on top, with its own title strip (menu
/// labels "Plik", "Edycja", "Formatuj" and a close mark), the chart `Wykres`,
/// a resize grip and a small drop-down that is the file menu or the edit menu.
/// It shows the run's chart and works on the run's state (appearance records,
/// chart kinds, what the chart was drawn from); closing only hides it.
class TFWykres : public QWidget
{
    Q_OBJECT

public:
    static constexpr QSize kDesignSize{555, 420};
    static constexpr QSize kMinimumSize{400, 400};
    static constexpr int kStripHeight = 44;

    /// What the drop-down `PWykresMenu` shows.
    enum class ChartMenu { File, Edit };
    /// The strip's menu titles in their order, walked by Left and Right.
    enum class ChartTitle { File, Edit, Format };

    /// `state` belongs to the run and outlives the window.
    explicit TFWykres(SessionState &state, QWidget *parent = nullptr);
    ~TFWykres() override;

    /// The chart `Wykres` shows; the appearance dialog edits it in place and
    /// then calls refreshChart().
    chart::Chart &chart();
    const chart::Chart &chart() const;
    /// `ChartKind`, `ShownChartKind` and `CurrentSeries`.
    ChartKindState &kindState() { return m_state.chartKind; }
    const ChartKindState &kindState() const { return m_state.chartKind; }
    Appearances &appearances() { return m_state.appearances; }

    /// The appearance dialog that "Formatuj" shows and that a shown chart
    /// points at its kind.
    void setAppearanceDialog(AppearanceDialogLink link);

    /// Repaints the chart after its settings changed.
    void refreshChart();

    /// Shows the chart of `kind` (1 bar, 2 pie, 3 line) with `CurrentAppearance`
    /// applied: the chart side, then the dialog's panel and "Osie" page, a
    /// repaint and the window, modeless. Any other kind does nothing at all.
    void ApplyChartKind(int kind);
    /// Points `CurrentSeries` and the dialog's "Osie" page at `ShownChartKind`.
    void SelectAppearanceTarget();

    /// A "Wykresy" item of the menu: nothing before a load; otherwise sets
    /// `ChartKind` and draws the table on the grid with a fresh appearance.
    /// A cell that is not a number or a time throws CommandError with the
    /// conversion message; the window is then not shown.
    void chartCommand(ChartKindCode kind, const AnalysisState &analysis, const GridModel &grid,
            const GridState &gridState);
    /// "Rozkład punktów", "Czas a wynik" or "Postępy klasy": nothing before a
    /// load; otherwise the score chart of the class with a fresh appearance,
    /// the progress chart with the line of `progressStudent` (a row of the
    /// progress data) if given.
    void scoreChartCommand(ScoreChart which, const AnalysisState &analysis,
            std::optional<std::size_t> progressStudent = std::nullopt);
    /// The grades or the blueprint of the run's analysis changed: a chart on
    /// the screen is drawn again (rebuildChartAfterRegrading) and repainted; a
    /// failure is shown in a message box and leaves the chart as it was.
    void rebuildAfterRegrading();

    /// The drop-down's state: hidden, or the file or edit menu.
    bool isChartMenuOpen() const;
    ChartMenu chartMenu() const;

    // ---- The menu by keyboard (F10 or Alt alone) ----
    /// Puts the keyboard cursor on `title`: "Plik" and "Edycja" show their
    /// drop-down with the cursor on its first item, "Formatuj" is lit alone.
    void openMenuByKeyboard(ChartTitle title);
    /// Takes the keyboard cursor out of the menu and hides the drop-down; the
    /// chart takes the focus.
    void closeMenuByKeyboard();
    /// The label under the keyboard cursor (an item or "Formatuj"), or null.
    QWidget *keyboardItem() const;
    /// The title that `label` is on the strip, if it is one.
    std::optional<ChartTitle> titleOfLabel(const QWidget *label) const;
    /// The title's name as the strip shows it.
    QString titleName(ChartTitle title) const;
    /// Whether `label` is an item of the drop-down as it shows now.
    bool isShownItem(const QWidget *label) const;
    /// The shown drop-down's title ("Plik" or "Edycja"); empty while hidden.
    QString shownMenuTitle() const;
    /// Runs the command of the item `label` shows now (a title opens its
    /// menu, "Formatuj" its dialog); anything else does nothing.
    void triggerLabel(const QWidget *label);

    // ---- Commands (throw CommandError; the click handlers show it) ----
    /// Writes `CurrentAppearance` to a template file chosen in `SaveTabele`.
    void SaveFormatTemplate();
    /// Reads a template file chosen in `SaveTabele` into `CurrentAppearance`
    /// and shows it for `ChartKind`; a failed read changes nothing.
    void LoadFormatTemplate();
    /// The load after the dialog, also for a template dropped on the window.
    void loadTemplateFile(const QString &path);
    /// A template given to the program: loaded at once over a chart on
    /// display, else after the next chart command has drawn its chart.
    /// Failures are shown in a message box.
    void applyTemplateToNextChart(const QString &path);
    /// Loads the template that waits for a chart, once one is shown.
    void applyPendingTemplate();
    /// The local `*.ssw` file of a drag, empty when it holds none.
    static QString droppedTemplate(const QMimeData *data);
    /// The chart as a bitmap of the chart's on-screen size.
    void copyChartAsBitmap();
    /// The chart as an SVG picture one pixel smaller each way, with a bitmap of it.
    void copyChartAsMetafile();
    /// "Zapisz obraz ...": the chart at its on-screen size as a PNG file, or as
    /// an SVG file when the name chosen ends in ".svg".
    void saveChartPicture();
    /// "Drukuj wykres ...": the chart alone on a page, through the print preview.
    void printChart();

    // ---- Event handlers ----
    void ShowChartMenu(ChartMenu menu);
    /// Hides the drop-down if it is open.
    void PWykresMenuClick();
    void LWykresMenuPlikClick();
    void LWykresMenuEdycjaClick();
    void LWykresMenuFormatClick();
    void LZapiszFormatClick();
    void LWczytajFormatClick();
    void LZapiszObrazClick();
    void LDrukujWykresClick();
    void LZamknijWykresClick();
    void LCloseWykresClick();

    // Positions are the cursor's screen positions.
    void LListwaMouseDown(QPoint globalPos);
    void LListwaMouseMove(QPoint globalPos);
    void LListwaMouseUp();
    void PRozciongMouseDown(QPoint globalPos);
    void PRozciongMouseMove(QPoint globalPos);
    void PRozciongMouseUp(QPoint globalPos);

    bool isDragging() const { return m_drag.isActive(); }
    /// Whether the rubber band `Rameczka` is out (the grip is being dragged).
    bool isResizing() const { return m_resizing; }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ClickableLabel *addLabel(QWidget *parent, const char *name, const QString &caption,
            const QRect &geometry, bool menuItem);
    /// The parts of the window, made once by the constructor.
    void buildTitleStrip();
    void buildChart();
    void buildDropDown();
    /// The strip parts and the chart after a size change.
    void layoutWindow();
    void updateBand(QPoint globalPos);
    /// The window half of showing a chart, after the chart side was applied.
    void showAppliedChart();
    /// The header's lines as one line: the title of a picture or a print job.
    QString chartTitle() const;
    /// Runs a drop-down item: hides the drop-down only when the command succeeded.
    template<typename F>
    void runMenuItem(F &&command);
    /// Runs the row of the item `label` shows in the current menu.
    void runLabel(const ClickableLabel *label);
    void runEntry(const ChartMenuEntry &entry);
    void installKeys();
    /// The walk's keys while the keyboard cursor is in the menu.
    bool walkMenu(const QKeyEvent &event);
    void setKeyboardCursor(std::optional<ChartTitle> title, int item);
    void moveKeyboardItem(int step);
    QList<ClickableLabel *> shownItems() const;
    ClickableLabel *titleLabel(ChartTitle title) const;
    /// Tells assistive technology that the drop-down came, went or changed.
    void announceMenu(bool wasOpen);

    SessionState &m_state;
    AppearanceDialogLink m_dialog;

    QWidget *m_PListwa = nullptr;
    QWidget *m_PListwaLeft = nullptr;
    QWidget *m_PListwaSrodek = nullptr;
    ClickableLabel *m_ImListwaSrodek = nullptr;
    QWidget *m_PListwaRight = nullptr;
    QWidget *m_PPodWykres = nullptr;
    chart::ChartWidget *m_Wykres = nullptr;
    QWidget *m_PRozciong = nullptr;
    ClickableLabel *m_ImCiongnij = nullptr;
    QWidget *m_PWykresMenu = nullptr;
    ClickableLabel *m_LZapiszFormat = nullptr;
    ClickableLabel *m_LWczytajFormat = nullptr;
    ClickableLabel *m_LZapiszObraz = nullptr;
    ClickableLabel *m_LDrukujWykres = nullptr;
    ClickableLabel *m_LZamknijWykres = nullptr;
    ClickableLabel *m_LListwa = nullptr;
    ClickableLabel *m_LWykresMenuPlik = nullptr;
    ClickableLabel *m_LWykresMenuEdycja = nullptr;
    ClickableLabel *m_LWykresMenuFormat = nullptr;
    std::unique_ptr<QRubberBand> m_Rameczka;

    QString m_pendingTemplate;

    /// The keyboard cursor: its title, and its item in the drop-down (-1 none).
    std::optional<ChartTitle> m_keyboardTitle;
    int m_keyboardItem = -1;
    /// Alt went down with nothing else: its release opens the menu.
    bool m_altAlone = false;

    bool m_placed = false;
    WindowDrag m_drag;
    bool m_resizing = false;
    QPoint m_bandTopLeft;
    QPoint m_bandBottomRight;
};

} // namespace zavevad
