#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>

class QPainter;

namespace zavevad {

class GridModel;

/// Draws the grid as `Tabela` shows it: the header row at the top, then the
/// body rows from the model's top row, 16-pixel rows and columns of their
/// widths, each followed by a 1-pixel grid line, and the model's heavy lines
/// over the grid lines they follow. Takes any QPainter, so the
/// widget, an image and a test all use the same drawing.
class GridPainter
{
public:
    static inline const QColor kLineColour{128, 128, 128};
    static inline const QColor kEmptyColour{227, 222, 224}; ///< area beyond the last cell
    static inline const QColor kHeavyLineColour{0, 0, 0};
    /// Width of a heavy line, centred on the grid line it covers.
    static constexpr int kHeavyLineWidth = 3;

    explicit GridPainter(const GridModel &model);

    /// Paints the rows that intersect `exposed` (grid coordinates, origin at
    /// the top-left of the header row) into a grid of `size`.
    void paint(QPainter &painter, const QSize &size, const QRect &exposed) const;
    void paint(QPainter &painter, const QSize &size) const;

    /// The whole grid of `size` as an image.
    QImage render(const QSize &size) const;

    /// The rectangle of a cell as drawn now, without its grid lines; empty when
    /// the cell is not drawn (a body row above the top row, or beyond the grid).
    QRect cellRect(int column, int row) const;
    /// The cell under a point, or (-1, -1) over grid lines and empty space.
    QPoint cellAt(const QPoint &pos) const;

    /// Left edge of a column; a column paged out of view has no width and
    /// stands at the left edge of the left column.
    int columnLeft(int column) const;
    /// The column drawn after `column`: after column 0 the left column; the
    /// column count after the last column of the page of columns on display.
    int nextColumn(int column) const;
    /// Whether a cell's text is wider than its column leaves room for, so
    /// that the grid shows only part of it.
    bool textIsCut(int column, int row) const;
    /// Top edge of the row drawn in visible line `line` (0 = header row).
    static int lineTop(int line) { return line * 17; }

private:
    void paintCell(QPainter &painter, int column, int row, const QRect &rect) const;
    void paintHeavyLines(QPainter &painter) const;
    /// Whether a column is drawn on the page of columns on display.
    bool columnShown(int column) const;
    int firstBodyRow() const;

    const GridModel &m_model;
    /// The first column after the page of columns on display.
    int m_pageEnd = 0;
};

} // namespace zavevad
