#pragma once

#include <QPoint>
#include <QWidget>

#include <vector>

namespace zavevad {

class GridModel;

/// The grid `Tabela`: draws the model (through GridPainter), without scroll
/// bars or editing. A click clears the selection (`TabelaClick`).
///
/// Reached with the Tab key, the grid shows a cell cursor as a focus frame that
/// the arrow keys move, paging when it leaves the rows or columns on display;
/// with the mouse or without focus it looks and pages as before.
class GridView : public QWidget
{
    Q_OBJECT

public:
    explicit GridView(GridModel &model, QWidget *parent = nullptr);

    GridModel &model() const { return m_model; }

    /// Clears the selection, so that no cell stays highlighted after a click.
    void TabelaClick();

    QSize sizeHint() const override;

    /// The model changed what the grid shows (a new table or page): repaints,
    /// keeps the cell cursor on the rows and columns on display and tells
    /// assistive technology.
    void contentsChanged();

    // ---- The cells on display: the table that assistive technology reads ----
    /// Columns at least partly on display (of non-zero width), in order.
    int shownColumnCount() const;
    /// The model column of shown column `index`.
    int shownColumn(int index) const;
    /// Body rows wholly on display under the header row.
    int shownRowCount() const;
    /// The model row of shown body row `index`.
    int shownRow(int index) const;
    /// The rectangle of a model cell in the grid's coordinates.
    QRect cellRect(int column, int row) const;

    /// Whether the cell cursor is shown (keyboard focus reached by keys).
    bool cursorShown() const { return m_cursorShown && hasFocus(); }
    /// The cursor's shown column and shown body row (indexes as above).
    QPoint cursor() const { return m_cursor; }
    /// The model body row the teacher last chose: the one the cell cursor
    /// was last on, or the last one pressed with the mouse; -1 for none
    /// since the table was shown.
    int chosenRow() const { return m_chosenRow; }
    /// A new table: no row is chosen.
    void forgetChosenRow() { m_chosenRow = -1; }

    /// The cell cursor or a paging key met the table's edge towards
    /// `direction` (no further row, column or page): a short sound, and
    /// assistive technology hears which edge through the description of the
    /// cursor's cell (or of the grid, without a cursor). The note stays until
    /// the cursor moves or the table changes.
    void signalEdge(Qt::ArrowType direction);
    /// The edge note last signalled and not yet passed ("" if none).
    QString edgeNote() const { return m_edgeNote; }

Q_SIGNALS:
    /// After a click on the grid, once the selection has been cleared.
    void clicked();
    /// The cell cursor left the cells on display towards `direction`.
    void pageRequested(Qt::ArrowType direction);
    /// After signalEdge(): the table's edge was met towards `direction`.
    void edgeReached(Qt::ArrowType direction);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QRect shownArea() const;
    void moveCursor(int columns, int rows);
    /// Home and End: the row's first or last cell, paging sideways to it.
    void moveCursorToRowEnd(bool last);
    /// After a sideways page: pages up or down until model row `row` is on
    /// display again and puts the cursor on it, so that it stays with its
    /// student.
    void keepCursorOnRow(int row);
    /// A text that its column cuts shows whole beside the cursor.
    void showCursorTip();
    void clampCursor();
    void announceCursor();

    GridModel &m_model;
    bool m_pressed = false;
    bool m_cursorShown = false;
    QPoint m_cursor{0, 0};
    QString m_edgeNote;
    int m_chosenRow = -1;
    /// Counts contentsChanged(), so that a page request shows whether it paged.
    int m_generation = 0;
};

} // namespace zavevad
