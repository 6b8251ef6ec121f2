#include "tables/view/gridview.h"

#include "tables/gridmodel.h"
#include "tables/view/gridpainter.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace zavevad {

GridView::GridView(GridModel &model, QWidget *parent) : QWidget(parent), m_model(model)
{
    setObjectName(QStringLiteral("Tabela"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
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

void GridView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    GridPainter(m_model).paint(painter, size(), event->rect());
}

void GridView::mousePressEvent(QMouseEvent *event)
{
    // As in any grid, pressing selects the cell under the mouse; the click
    // that follows clears it again.
    const QPoint cell = GridPainter(m_model).cellAt(event->position().toPoint());
    if (cell.y() >= 1)
        m_model.setSelection({cell.x(), cell.y(), cell.x(), cell.y()});
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
