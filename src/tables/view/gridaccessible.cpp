#include "tables/view/gridaccessible.h"

#include "tables/gridmodel.h"
#include "tables/view/gridview.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

namespace zavevad {

namespace {

class GridAccessible;

/// One cell on display: a header cell (row -1) or a body cell. It reads the
/// grid anew on every question, so that a page turn needs no new cells.
class GridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    GridCellAccessible(GridView *view, int row, int column)
        : m_view(view), m_row(row), m_column(column)
    { }

    bool isValid() const override
    {
        return m_view && m_column < m_view->shownColumnCount() && m_row < m_view->shownRowCount();
    }
    QObject *object() const override { return nullptr; }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_view);
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid() || t != QAccessible::Name)
            return {};
        return m_view->model().text(modelColumn(), modelRow());
    }
    void setText(QAccessible::Text, const QString &) override { }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect cell = m_view->cellRect(modelColumn(), modelRow());
        return QRect(m_view->mapToGlobal(cell.topLeft()), cell.size());
    }

    QAccessible::Role role() const override
    {
        return m_row < 0 ? QAccessible::ColumnHeader : QAccessible::Cell;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid() || !m_view->isVisible()) {
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

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface *>(this);
        return nullptr;
    }

    // ---- QAccessibleTableCellInterface ----
    bool isSelected() const override
    {
        return m_row >= 0 && m_view->cursorShown() && m_view->cursor() == QPoint(m_column, m_row);
    }
    QList<QAccessibleInterface *> columnHeaderCells() const override;
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return parent(); }

private:
    int modelColumn() const { return m_view->shownColumn(m_column); }
    int modelRow() const { return m_row < 0 ? 0 : m_view->shownRow(m_row); }

    QPointer<GridView> m_view;
    int m_row;
    int m_column;
};

/// The grid as a table; its children are the header cells, then the body
/// cells row by row.
class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit GridAccessible(GridView *view) : QAccessibleWidget(view, QAccessible::Table) { }

    ~GridAccessible() override { dropCells(); }

    GridView *view() const { return static_cast<GridView *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
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
    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
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
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override { dropCells(); }

    /// The cell interface of a shown row (-1: the header row) and column,
    /// made once and kept until the table changes.
    QAccessibleInterface *cell(int row, int column) const
    {
        const quint64 key = (quint64(quint32(row + 1)) << 32) | quint32(column);
        if (const auto found = m_cells.constFind(key); found != m_cells.constEnd())
            return QAccessible::accessibleInterface(*found);
        auto *made = new GridCellAccessible(view(), row, column);
        m_cells.insert(key, QAccessible::registerAccessibleInterface(made));
        return made;
    }

private:
    void dropCells()
    {
        for (const QAccessible::Id id : std::as_const(m_cells))
            QAccessible::deleteAccessibleInterface(id);
        m_cells.clear();
    }

    mutable QHash<quint64, QAccessible::Id> m_cells;
};

QList<QAccessibleInterface *> GridCellAccessible::columnHeaderCells() const
{
    if (m_row < 0 || !m_view)
        return {};
    auto *grid = dynamic_cast<GridAccessible *>(QAccessible::queryAccessibleInterface(m_view));
    if (!grid)
        return {};
    return {grid->cell(-1, m_column)};
}

} // namespace

QAccessibleInterface *gridAccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String(GridView::staticMetaObject.className()))
        return new GridAccessible(static_cast<GridView *>(object));
    return nullptr;
}

} // namespace zavevad
