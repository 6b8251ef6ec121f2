#include "tables/view/gridview.h"

#include "tables/gridmodel.h"
#include "tables/view/gridpainter.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <optional>

namespace zavevad {

namespace {

constexpr int kLineStep = GridModel::kRowHeight + GridModel::kGridLineWidth;

bool isArrowKey(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

/// The keys that move the cell cursor while it is shown.
bool isCursorKey(int key)
{
    return isArrowKey(key) || key == Qt::Key_Home || key == Qt::Key_End;
}

QString edgeText(Qt::ArrowType direction)
{
    switch (direction) {
    case Qt::UpArrow:
        return QStringLiteral("Początek tabeli");
    case Qt::DownArrow:
        return QStringLiteral("Koniec tabeli");
    case Qt::LeftArrow:
        return QStringLiteral("Pierwsza kolumna");
    default:
        return QStringLiteral("Ostatnia kolumna");
    }
}

} // namespace

GridView::GridView(GridModel &model, QWidget *parent) : QWidget(parent), m_model(model)
{
    setObjectName(QStringLiteral("Tabela"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Tab reaches the grid for the cell cursor; a click focuses it as before.
    setFocusPolicy(Qt::StrongFocus);
}

QSize GridView::sizeHint() const
{
    return size();
}

void GridView::TabelaClick()
{
    m_model.clearSelection();
    update();
}

QRect GridView::shownArea() const
{
    // The panel under the grid clips it.
    QRect area = rect();
    if (const QWidget *clip = parentWidget())
        area &= clip->rect().translated(-pos());
    return area;
}

int GridView::shownColumnCount() const
{
    const QRect area = shownArea();
    const GridPainter painter(m_model);
    int count = 0;
    for (int c = 0, left = 0; c < m_model.columnCount() && left <= area.right();
            c = painter.nextColumn(c)) {
        if (m_model.columnWidth(c) > 0)
            ++count;
        left += std::max(m_model.columnWidth(c), 0) + GridModel::kGridLineWidth;
    }
    return count;
}

int GridView::shownColumn(int index) const
{
    const GridPainter painter(m_model);
    for (int c = 0, seen = 0; c < m_model.columnCount(); c = painter.nextColumn(c)) {
        if (m_model.columnWidth(c) > 0 && seen++ == index)
            return c;
    }
    return -1;
}

int GridView::shownRowCount() const
{
    const int height = shownArea().bottom() + 1;
    if (height < GridModel::kRowHeight)
        return 0;
    const int lines = (height - GridModel::kRowHeight) / kLineStep + 1;
    const int first = std::max(m_model.topRow(), 1);
    return std::clamp(std::min(lines - 1, m_model.rowCount() - first), 0, lines);
}

int GridView::shownRow(int index) const
{
    return std::max(m_model.topRow(), 1) + index;
}

QRect GridView::cellRect(int column, int row) const
{
    return GridPainter(m_model).cellRect(column, row);
}

void GridView::contentsChanged()
{
    ++m_generation;
    m_edgeNote.clear();
    clampCursor();
    update();
    QAccessibleTableModelChangeEvent reset(this, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&reset);
    if (cursorShown())
        announceCursor();
}

void GridView::clampCursor()
{
    m_cursor.setX(std::clamp(m_cursor.x(), 0, std::max(shownColumnCount() - 1, 0)));
    m_cursor.setY(std::clamp(m_cursor.y(), 0, std::max(shownRowCount() - 1, 0)));
}

void GridView::announceCursor()
{
    if (shownRowCount() == 0 || shownColumnCount() == 0)
        return;
    m_chosenRow = shownRow(m_cursor.y());
    // The header cells come first among the grid's accessible children.
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(shownColumnCount() * (m_cursor.y() + 1) + m_cursor.x());
    QAccessible::updateAccessibility(&focus);
}

void GridView::signalEdge(Qt::ArrowType direction)
{
    QApplication::beep();
    m_edgeNote = edgeText(direction);
    // Readers speak a changed description of the object they follow.
    QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
    if (cursorShown() && shownRowCount() > 0 && shownColumnCount() > 0)
        changed.setChild(shownColumnCount() * (m_cursor.y() + 1) + m_cursor.x());
    QAccessible::updateAccessibility(&changed);
    Q_EMIT edgeReached(direction);
}

void GridView::moveCursor(int columns, int rows)
{
    const QPoint before = m_cursor;
    const int generation = m_generation;
    const int x = m_cursor.x() + columns;
    const int y = m_cursor.y() + rows;
    m_edgeNote.clear();
    std::optional<Qt::ArrowType> edge;
    if (x < 0 || x >= shownColumnCount()) {
        // The next page of columns starts after the name that every page repeats.
        const int row = shownRow(m_cursor.y());
        Q_EMIT pageRequested(x < 0 ? Qt::LeftArrow : Qt::RightArrow);
        if (m_generation == generation) {
            m_cursor = before;
            edge = x < 0 ? Qt::LeftArrow : Qt::RightArrow;
        } else {
            m_cursor.setX(x < 0 ? shownColumnCount() - 1 : std::min(1, shownColumnCount() - 1));
            keepCursorOnRow(row);
        }
    } else if (y < 0 || y >= shownRowCount()) {
        // The row after (or before) the page, wherever paging puts it.
        const int target = shownRow(y);
        Q_EMIT pageRequested(y < 0 ? Qt::UpArrow : Qt::DownArrow);
        if (m_generation == generation) {
            m_cursor = before;
            edge = y < 0 ? Qt::UpArrow : Qt::DownArrow;
        } else {
            m_cursor.setY(target - shownRow(0));
        }
    } else {
        m_cursor = QPoint(x, y);
    }
    clampCursor();
    update();
    announceCursor();
    showCursorTip();
    if (edge)
        signalEdge(*edge);
}

void GridView::moveCursorToRowEnd(bool last)
{
    const int row = shownRow(m_cursor.y());
    const QPoint before = m_cursor;
    const int start = m_generation;
    m_edgeNote.clear();
    const Qt::ArrowType direction = last ? Qt::RightArrow : Qt::LeftArrow;
    for (int turns = 0, generation = -1;
            generation != m_generation && turns <= m_model.columnCount(); ++turns) {
        generation = m_generation;
        Q_EMIT pageRequested(direction);
    }
    m_cursor.setX(last ? shownColumnCount() - 1 : 0);
    keepCursorOnRow(row);
    clampCursor();
    update();
    announceCursor();
    showCursorTip();
    if (m_generation == start && m_cursor == before)
        signalEdge(direction);
}

void GridView::keepCursorOnRow(int row)
{
    // A question page starts again at the top rows.
    for (int first = -1; first != shownRow(0);) {
        first = shownRow(0);
        if (row < first)
            Q_EMIT pageRequested(Qt::UpArrow);
        else if (row >= first + shownRowCount())
            Q_EMIT pageRequested(Qt::DownArrow);
    }
    m_cursor.setY(row - shownRow(0));
}

void GridView::showCursorTip()
{
    const int column = shownColumn(m_cursor.x());
    const int row = shownRow(m_cursor.y());
    if (!cursorShown() || column < 0 || !GridPainter(m_model).textIsCut(column, row)) {
        QToolTip::hideText();
        return;
    }
    const QRect cell = cellRect(column, row);
    QToolTip::showText(mapToGlobal(cell.bottomLeft()), m_model.text(column, row), this, cell);
}

bool GridView::event(QEvent *event)
{
    // The arrow keys page the table through the main window's shortcuts,
    // except while the cell cursor is shown: then they move it.
    if (event->type() == QEvent::ShortcutOverride && cursorShown()) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (isCursorKey(key->key()) && key->modifiers() == Qt::NoModifier) {
            event->accept();
            return true;
        }
    }
    if (event->type() == QEvent::ToolTip) {
        // A text that its column cuts shows whole where the mouse rests.
        const auto *help = static_cast<QHelpEvent *>(event);
        const GridPainter painter(m_model);
        const QPoint cell = painter.cellAt(help->pos());
        if (cell.x() >= 0 && painter.textIsCut(cell.x(), cell.y())) {
            QToolTip::showText(help->globalPos(), m_model.text(cell.x(), cell.y()), this,
                    cellRect(cell.x(), cell.y()));
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

void GridView::keyPressEvent(QKeyEvent *event)
{
    if (!isCursorKey(event->key()) || event->modifiers() != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (!m_cursorShown) {
        // A grid focused by a click gives the keys back to the shortcuts.
        event->ignore();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
        moveCursor(-1, 0);
        break;
    case Qt::Key_Right:
        moveCursor(1, 0);
        break;
    case Qt::Key_Up:
        moveCursor(0, -1);
        break;
    case Qt::Key_Down:
        moveCursor(0, 1);
        break;
    case Qt::Key_Home:
    case Qt::Key_End:
        moveCursorToRowEnd(event->key() == Qt::Key_End);
        break;
    default:
        break;
    }
    event->accept();
}

void GridView::focusInEvent(QFocusEvent *event)
{
    // Focus coming back with the window or after the menu keeps the look it had.
    switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason:
        m_cursorShown = true;
        break;
    case Qt::MouseFocusReason:
        m_cursorShown = false;
        break;
    default:
        break;
    }
    clampCursor();
    QWidget::focusInEvent(event);
    if (cursorShown())
        announceCursor();
    update();
}

void GridView::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

void GridView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    GridPainter(m_model).paint(painter, size(), event->rect());
    if (!cursorShown() || shownRowCount() == 0 || shownColumnCount() == 0)
        return;
    const QRect cell = cellRect(shownColumn(m_cursor.x()), shownRow(m_cursor.y()));
    if (cell.isEmpty())
        return;
    // Dark and light, so that the frame shows on any row colour; two pixels
    // wide for a teacher with poor sight.
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(cell.adjusted(0, 0, -1, -1));
    painter.drawRect(cell.adjusted(1, 1, -2, -2));
    painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
    painter.drawRect(cell.adjusted(2, 2, -3, -3));
}

void GridView::mousePressEvent(QMouseEvent *event)
{
    // The mouse puts the grid back to its plain look.
    m_cursorShown = false;
    // As in any grid, pressing selects the cell under the mouse; the click
    // that follows clears it again.
    const QPoint cell = GridPainter(m_model).cellAt(event->position().toPoint());
    if (cell.y() >= 1) {
        m_model.setSelection({cell.x(), cell.y(), cell.x(), cell.y()});
        m_chosenRow = cell.y();
    }
    m_pressed = true;
    update();
    event->accept();
}

void GridView::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_pressed && rect().contains(event->position().toPoint())) {
        m_pressed = false;
        TabelaClick();
        Q_EMIT clicked();
    }
    m_pressed = false;
    event->accept();
}

} // namespace zavevad
