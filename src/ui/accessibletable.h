#pragma once

// The parts of an accessible table that do not depend on what the table shows,
// shared by the grid and the chart's data table, so that both answer assistive
// technology the same way.

#include <QAccessible>
#include <QHash>
#include <QPointer>
#include <QWidget>

#include <utility>

namespace zavevad {

/// One cell of a table widget's accessible table; row -1 is the header row.
/// A cell has no children and no text to set, and spans one row and one column.
class AccessibleTableCell : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    AccessibleTableCell(QWidget *table, int row, int column)
        : m_row(row), m_column(column), m_table(table)
    { }

    QObject *object() const override { return nullptr; }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_table);
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    void setText(QAccessible::Text, const QString &) override { }

    QAccessible::Role role() const override
    {
        return m_row < 0 ? QAccessible::ColumnHeader : QAccessible::Cell;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface *>(this);
        return nullptr;
    }

    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return parent(); }

protected:
    /// The table widget; null once it is gone.
    QWidget *tableWidget() const { return m_table; }

    int m_row;
    int m_column;

private:
    QPointer<QWidget> m_table;
};

/// A table the reader can only read: no caption or summary, no rows or columns to
/// select. It keeps each cell interface it makes, under a key of `Key`, until the
/// table changes or goes.
template<typename Key>
class ReadOnlyAccessibleTable : public QAccessibleTableInterface
{
public:
    ~ReadOnlyAccessibleTable() override { dropCells(); }

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
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

protected:
    /// The cell interface kept under `key`, or the one `make()` returns, registered
    /// and kept from now on.
    template<typename Make>
    QAccessibleInterface *keptCell(Key key, Make make) const
    {
        if (const auto found = m_cells.constFind(key); found != m_cells.constEnd())
            return QAccessible::accessibleInterface(*found);
        QAccessibleInterface *made = make();
        m_cells.insert(key, QAccessible::registerAccessibleInterface(made));
        return made;
    }

    void dropCells()
    {
        for (const QAccessible::Id id : std::as_const(m_cells))
            QAccessible::deleteAccessibleInterface(id);
        m_cells.clear();
    }

private:
    mutable QHash<Key, QAccessible::Id> m_cells;
};

} // namespace zavevad
