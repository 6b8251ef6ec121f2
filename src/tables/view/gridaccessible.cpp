#include "tables/view/gridaccessible.h"

#include "tables/gridmodel.h"
#include "tables/view/gridview.h"
#include "ui/accessibletable.h"

#include <QAccessibleWidget>

namespace zavevad {

namespace {

class GridAccessible;

/// One cell on display: a header cell (row -1) or a body cell. It reads the
/// grid anew on every question, so that a page turn needs no new cells.
class GridCellAccessible : public AccessibleTableCell
{
public:
    GridCellAccessible(GridView *view, int row, int column) : AccessibleTableCell(view, row, column)
    { }

    bool isValid() const override
    {
        return view() && m_column < view()->shownColumnCount() && m_row < view()->shownRowCount();
    }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return {};
        if (t == QAccessible::Description && isSelected())
            return view()->edgeNote();
        if (t != QAccessible::Name)
            return {};
        return view()->model().text(modelColumn(), modelRow());
    }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect cell = view()->cellRect(modelColumn(), modelRow());
        return QRect(view()->mapToGlobal(cell.topLeft()), cell.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid() || !view()->isVisible()) {
            s.invisible = true;
            return s;
        }
        if (m_row >= 0) {
            s.focusable = true;
            s.selectable = true;
            s.focused = isSelected();
            s.selected = isSelected();
        }
        return s;
    }

    // ---- QAccessibleTableCellInterface ----
    bool isSelected() const override
    {
        return m_row >= 0 && view()->cursorShown() && view()->cursor() == QPoint(m_column, m_row);
    }
    QList<QAccessibleInterface *> columnHeaderCells() const override;
    /// The row's first cell on display (the student, question, skill or
    /// class), so that a move between rows says whose value it is.
    QList<QAccessibleInterface *> rowHeaderCells() const override;

private:
    GridView *view() const { return static_cast<GridView *>(tableWidget()); }
    int modelColumn() const { return view()->shownColumn(m_column); }
    int modelRow() const { return m_row < 0 ? 0 : view()->shownRow(m_row); }
};

/// The grid as a table; its children are the header cells, then the body
/// cells row by row.
class GridAccessible : public QAccessibleWidget, public ReadOnlyAccessibleTable<quint64>
{
public:
    explicit GridAccessible(GridView *view) : QAccessibleWidget(view, QAccessible::Table) { }

    GridView *view() const { return static_cast<GridView *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Description && !view()->edgeNote().isEmpty())
            return view()->edgeNote();
        if (t == QAccessible::Description && rowCount() > 0) {
            // Which rows of how many are on display, for the pages of a long table.
            const int bodyRows = view()->model().rowCount() - 1;
            const int first = view()->shownRow(0);
            return QStringLiteral("Wiersze %1–%2 z %3")
                    .arg(first)
                    .arg(first + rowCount() - 1)
                    .arg(bodyRows);
        }
        return QAccessibleWidget::text(t);
    }

    int childCount() const override { return columnCount() * (rowCount() + 1); }

    QAccessibleInterface *child(int index) const override
    {
        const int columns = columnCount();
        if (columns == 0 || index < 0 || index >= childCount())
            return nullptr;
        return cell(index / columns - 1, index % columns);
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (!child || child->parent() != this)
            return -1;
        const QAccessibleTableCellInterface *cell =
                const_cast<QAccessibleInterface *>(child)->tableCellInterface();
        if (!cell)
            return -1;
        const int row = child->role() == QAccessible::ColumnHeader ? -1 : cell->rowIndex();
        return (row + 1) * columnCount() + cell->columnIndex();
    }

    QAccessibleInterface *childAt(int x, int y) const override
    {
        for (int i = 0; i < childCount(); ++i) {
            QAccessibleInterface *c = child(i);
            if (c && c->rect().contains(QPoint(x, y)))
                return c;
        }
        return nullptr;
    }

    QAccessibleInterface *focusChild() const override
    {
        if (!view()->cursorShown() || rowCount() == 0 || columnCount() == 0)
            return nullptr;
        return cell(view()->cursor().y(), view()->cursor().x());
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // ---- QAccessibleTableInterface ----
    QAccessibleInterface *cellAt(int row, int column) const override
    {
        if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
            return nullptr;
        return cell(row, column);
    }
    int selectedCellCount() const override { return focusChild() ? 1 : 0; }
    QList<QAccessibleInterface *> selectedCells() const override
    {
        if (QAccessibleInterface *c = focusChild())
            return {c};
        return {};
    }
    QString columnDescription(int column) const override
    {
        if (column < 0 || column >= columnCount())
            return {};
        return view()->model().text(view()->shownColumn(column), 0);
    }
    int columnCount() const override { return view()->shownColumnCount(); }
    int rowCount() const override { return view()->shownRowCount(); }
    QString rowDescription(int row) const override
    {
        if (row < 0 || row >= rowCount() || columnCount() == 0)
            return {};
        return view()->model().text(view()->shownColumn(0), view()->shownRow(row));
    }

    /// The cell interface of a shown row (-1: the header row) and column,
    /// made once and kept until the table changes.
    QAccessibleInterface *cell(int row, int column) const
    {
        const quint64 key = (quint64(quint32(row + 1)) << 32) | quint32(column);
        return keptCell(key, [&] { return new GridCellAccessible(view(), row, column); });
    }
};

QList<QAccessibleInterface *> GridCellAccessible::columnHeaderCells() const
{
    if (m_row < 0 || !view())
        return {};
    auto *grid = dynamic_cast<GridAccessible *>(QAccessible::queryAccessibleInterface(view()));
    if (!grid)
        return {};
    return {grid->cell(-1, m_column)};
}

QList<QAccessibleInterface *> GridCellAccessible::rowHeaderCells() const
{
    if (m_row < 0 || m_column == 0 || !view())
        return {};
    auto *grid = dynamic_cast<GridAccessible *>(QAccessible::queryAccessibleInterface(view()));
    if (!grid)
        return {};
    return {grid->cell(m_row, 0)};
}

} // namespace

QAccessibleInterface *gridAccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String(GridView::staticMetaObject.className()))
        return new GridAccessible(static_cast<GridView *>(object));
    return nullptr;
}

} // namespace zavevad
