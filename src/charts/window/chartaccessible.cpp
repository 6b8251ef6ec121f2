#include "charts/window/chartaccessible.h"

#include "chartengine/chart.h"
#include "charts/window/chartwidget.h"
#include "ui/accessibletable.h"

#include <QAccessibleWidget>
#include <QLocale>

#include <algorithm>

namespace zavevad::chart {

namespace {

QString number(double value)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 15);
}

QString pointsText(qsizetype count)
{
    // Polish plural of "punkt": 1 punkt, 2-4 punkty (not 12-14), else punktów.
    const qsizetype tens = count % 100;
    const qsizetype ones = count % 10;
    const char *word = count == 1                                  ? "punkt"
            : (ones >= 2 && ones <= 4 && (tens < 12 || tens > 14)) ? "punkty"
                                                                   : "punktów";
    return QStringLiteral("%1 %2").arg(count).arg(QString::fromUtf8(word));
}

} // namespace

ChartSpeech chartSpeech(const Chart &chart)
{
    ChartSpeech speech;
    speech.name = chart.header.lines.join(QLatin1Char(' ')).simplified();
    QString kind;
    QList<double> values;
    if (chart.xy.active) {
        kind = chart.xy.style == XYStyle::Columns ? QStringLiteral("Wykres słupkowy")
                                                  : QStringLiteral("Wykres punktowy");
        speech.labelColumn =
                chart.bottomAxis.title.isEmpty() ? QStringLiteral("X") : chart.bottomAxis.title;
        speech.valueColumn =
                chart.leftAxis.title.isEmpty() ? QStringLiteral("Y") : chart.leftAxis.title;
        for (qsizetype i = 0; i < chart.xy.points.size(); ++i) {
            const XYPoint &point = chart.xy.points[i];
            const QString x = number(point.x);
            // Every point by its name, also those whose name is not drawn.
            const QString name = point.label.isEmpty() ? chart.xy.pointNames.value(i) : point.label;
            speech.rows.append(
                    {name.isEmpty() ? x : name + QStringLiteral(" (") + x + QLatin1Char(')'),
                            number(point.y)});
            values.append(point.y);
        }
    } else {
        const Series *shown = nullptr;
        if (chart.pie.active) {
            kind = QStringLiteral("Wykres kołowy");
            shown = &chart.pie;
        } else if (chart.bar.active) {
            kind = QStringLiteral("Wykres słupkowy");
            shown = &chart.bar;
        } else if (chart.line.active) {
            kind = QStringLiteral("Wykres liniowy");
            shown = &chart.line;
        }
        speech.labelColumn = QStringLiteral("Nazwa");
        speech.valueColumn = QStringLiteral("Wartość");
        if (shown) {
            for (const Point &point : shown->points) {
                speech.rows.append({point.label, number(point.value)});
                values.append(point.value);
            }
        }
    }
    if (kind.isEmpty())
        return speech;
    speech.description = kind + QStringLiteral(": ") + pointsText(values.size());
    if (!values.isEmpty()) {
        const auto [low, high] = std::minmax_element(values.cbegin(), values.cend());
        speech.description += QStringLiteral(", najmniejsza wartość %1, największa %2")
                                      .arg(number(*low), number(*high));
    }
    return speech;
}

namespace {

class ChartAccessible;

/// One cell of the chart's data table; row -1 holds the column headers.
class ChartCellAccessible : public AccessibleTableCell
{
public:
    ChartCellAccessible(ChartWidget *widget, int row, int column)
        : AccessibleTableCell(widget, row, column)
    { }

    bool isValid() const override
    {
        return chartWidget() && m_row < chartSpeech(chartWidget()->chart()).rows.size();
    }
    QString text(QAccessible::Text t) const override
    {
        if (!isValid() || t != QAccessible::Name)
            return {};
        const ChartSpeech speech = chartSpeech(chartWidget()->chart());
        if (m_row < 0)
            return m_column == 0 ? speech.labelColumn : speech.valueColumn;
        return speech.rows[m_row].value(m_column);
    }
    // The data have no place of their own on screen: they lie on the picture.
    QRect rect() const override { return parent() ? parent()->rect() : QRect(); }
    QAccessible::State state() const override { return {}; }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface *> columnHeaderCells() const override;
    /// A value's row header is the point's name.
    QList<QAccessibleInterface *> rowHeaderCells() const override;

private:
    ChartWidget *chartWidget() const { return static_cast<ChartWidget *>(tableWidget()); }
};

/// The chart picture: named by its header, described, its points a table.
class ChartAccessible : public QAccessibleWidget, public ReadOnlyAccessibleTable<int>
{
public:
    explicit ChartAccessible(ChartWidget *widget)
        : QAccessibleWidget(widget, QAccessible::Chart) { }

    ChartWidget *chartWidget() const { return static_cast<ChartWidget *>(widget()); }
    ChartSpeech speech() const { return chartSpeech(chartWidget()->chart()); }

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return speech().name;
        case QAccessible::Description:
            return speech().description;
        default:
            return QAccessibleWidget::text(t);
        }
    }

    // The data cells, then the window's drop-down while it is open over the chart.
    int childCount() const override { return cellCount() + (openMenu() ? 1 : 0); }
    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        if (index == cellCount())
            return QAccessible::queryAccessibleInterface(openMenu());
        return cell(index / 2 - 1, index % 2);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (child && openMenu() && child->object() == openMenu())
            return cellCount();
        if (!child || child->parent() != this)
            return -1;
        QAccessibleTableCellInterface *cell =
                const_cast<QAccessibleInterface *>(child)->tableCellInterface();
        return cell ? (cell->rowIndex() + 1) * 2 + cell->columnIndex() : -1;
    }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessibleInterface *cellAt(int row, int column) const override
    {
        if (row < 0 || row >= rowCount() || column < 0 || column > 1)
            return nullptr;
        return cell(row, column);
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface *> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override
    {
        const ChartSpeech s = speech();
        return column == 0 ? s.labelColumn : column == 1 ? s.valueColumn : QString();
    }
    int columnCount() const override { return 2; }
    int rowCount() const override { return int(speech().rows.size()); }
    QString rowDescription(int row) const override
    {
        const ChartSpeech s = speech();
        return row >= 0 && row < s.rows.size() ? s.rows[row].value(0) : QString();
    }

    int cellCount() const { return 2 * (rowCount() + 1); }
    QWidget *openMenu() const
    {
        auto *menu = chartWidget()->findChild<QWidget *>(
                QStringLiteral("PWykresMenu"), Qt::FindDirectChildrenOnly);
        return menu && menu->isVisible() ? menu : nullptr;
    }

    QAccessibleInterface *cell(int row, int column) const
    {
        const int key = (row + 1) * 2 + column;
        return keptCell(key, [&] { return new ChartCellAccessible(chartWidget(), row, column); });
    }
};

QList<QAccessibleInterface *> ChartCellAccessible::columnHeaderCells() const
{
    auto *chart = dynamic_cast<ChartAccessible *>(parent());
    if (m_row < 0 || !chart)
        return {};
    return {chart->cell(-1, m_column)};
}

QList<QAccessibleInterface *> ChartCellAccessible::rowHeaderCells() const
{
    auto *chart = dynamic_cast<ChartAccessible *>(parent());
    if (m_row < 0 || m_column == 0 || !chart)
        return {};
    return {chart->cell(m_row, 0)};
}

} // namespace

QAccessibleInterface *chartAccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String(ChartWidget::staticMetaObject.className()))
        return new ChartAccessible(static_cast<ChartWidget *>(object));
    // The chart window's drop-down: a menu named after its title.
    if (className == QLatin1String("QFrame") && object->objectName() == u"PWykresMenu")
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::PopupMenu);
    return nullptr;
}

} // namespace zavevad::chart
