#pragma once

#include "tables/analysistables.h"

#include <QWidget>

namespace zavevad {

class ClickableLabel;
class GridModel;
class GridView;
struct ArrowPanel;
struct GridState;

/// The table panel `PTabela`: `PPodTabele`, which clips the grid `Tabela`, and
/// the four paging arrows. The grid model, grid state, the item analysis's
/// stash and the analysis state belong to the caller; the panel builds tables
/// into them and follows the sizes and arrows that the builders leave in the
/// grid state.
class TablePanel : public QWidget
{
    Q_OBJECT

public:
    TablePanel(GridModel &model, GridState &state, ItemAnalysisVisit &stash,
            const AnalysisState &analysis, QWidget *parent = nullptr);
    /// With a stash of the panel's own.
    TablePanel(GridModel &model, GridState &state, const AnalysisState &analysis,
            QWidget *parent = nullptr);

    /// Builds the table of `kind` (1 results to 7 questions in the classes)
    /// and shows it; another kind changes nothing.
    void showTable(TableKind kind);
    /// Applies the panel sizes and arrows of the grid state and repaints the
    /// grid; call after changing the model or state directly.
    void refresh();

    AnalysisTables &tables() { return m_tables; }
    GridView *grid() const { return m_grid; }
    GridModel &model() const { return m_model; }

    void ImTabelaWGoreClick();
    void ImTabelaWDolClick();
    void ImTabelaWLewoClick();
    void ImTabelaWPrawoClick();

    /// A paging key or wheel step: the click on the arrow pointing that way,
    /// only while that arrow is shown. First and Last click up or down until
    /// the arrow hides or the table stops moving.
    enum class PageStep { Up, Down, Left, Right, First, Last };
    /// Returns whether the table paged (an arrow was clicked).
    bool pageStep(PageStep step);
    /// A paging key: pageStep(), and where the table cannot page that way
    /// (its first or last rows, columns or page on display) the grid's edge
    /// signal instead.
    void pageKey(PageStep step);

Q_SIGNALS:
    /// A click on the grid (`TabelaClick`), after the selection was cleared.
    void gridClicked();
    /// After a table build or a paging click changed what the grid shows.
    void tableShown();

protected:
    /// One wheel notch (a full 120 of angle, gathered from finer steps) is one
    /// up or down arrow click; with Shift, or from a sideways wheel, one left
    /// or right arrow click.
    void wheelEvent(QWheelEvent *event) override;

private:
    QWidget *makeArrow(const QString &panelName, const QString &pictureName,
            Qt::ArrowType direction, void (TablePanel::*handler)());
    static void placeArrow(QWidget *arrow, const ArrowPanel &geometry);

    GridModel &m_model;
    GridState &m_state;
    ItemAnalysisVisit m_ownStash;
    AnalysisTables m_tables;
    QWidget *m_underGrid = nullptr;
    GridView *m_grid = nullptr;
    QWidget *m_up = nullptr;
    QWidget *m_down = nullptr;
    QWidget *m_left = nullptr;
    QWidget *m_right = nullptr;
    int m_wheelAngle = 0;
    int m_sidewaysAngle = 0;
};

} // namespace zavevad
