#include "tables/view/tablepanel.h"

#include "tables/gridmodel.h"
#include "tables/gridstate.h"
#include "tables/tablekinds.h"
#include "tables/view/arrowpicture.h"
#include "tables/view/gridview.h"
#include "ui/clickablelabel.h"
#include "ui/sharppicture.h"

#include <QPixmap>
#include <QWheelEvent>

namespace zavevad {

namespace {

const QColor kPanelColour(144, 144, 144);

void paintBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

/// What a paging arrow does, for assistive technology.
QString arrowName(Qt::ArrowType direction)
{
    switch (direction) {
    case Qt::UpArrow:
        return QStringLiteral("Poprzednie wiersze");
    case Qt::DownArrow:
        return QStringLiteral("Następne wiersze");
    case Qt::LeftArrow:
        return QStringLiteral("Poprzednie kolumny");
    default:
        return QStringLiteral("Następne kolumny");
    }
}

} // namespace

TablePanel::TablePanel(GridModel &model, GridState &state, ItemAnalysisVisit &stash,
        const AnalysisState &analysis, QWidget *parent)
    : QWidget(parent), m_model(model), m_state(state), m_tables(model, state, analysis, stash)
{
    setObjectName(QStringLiteral("PTabela"));
    paintBackground(this, kPanelColour);

    m_underGrid = new QWidget(this);
    m_underGrid->setObjectName(QStringLiteral("PPodTabele"));
    paintBackground(m_underGrid, kPanelColour);

    m_grid = new GridView(model, m_underGrid);
    connect(m_grid, &GridView::clicked, this, &TablePanel::gridClicked);
    connect(m_grid, &GridView::pageRequested, this, [this](Qt::ArrowType direction) {
        switch (direction) {
        case Qt::UpArrow:
            pageStep(PageStep::Up);
            break;
        case Qt::DownArrow:
            pageStep(PageStep::Down);
            break;
        case Qt::LeftArrow:
            pageStep(PageStep::Left);
            break;
        default:
            pageStep(PageStep::Right);
            break;
        }
    });

    m_up = makeArrow(QStringLiteral("PTabelaWGore"), QStringLiteral("ImTabelaWGore"), Qt::UpArrow,
            &TablePanel::ImTabelaWGoreClick);
    m_down = makeArrow(QStringLiteral("PTabelaWDol"), QStringLiteral("ImTabelaWDol"), Qt::DownArrow,
            &TablePanel::ImTabelaWDolClick);
    m_left = makeArrow(QStringLiteral("PTabelaWLewo"), QStringLiteral("ImTabelaWLewo"),
            Qt::LeftArrow, &TablePanel::ImTabelaWLewoClick);
    m_right = makeArrow(QStringLiteral("PTabelawPrawo"), QStringLiteral("ImTabelaWPrawo"),
            Qt::RightArrow, &TablePanel::ImTabelaWPrawoClick);
    refresh();
}

TablePanel::TablePanel(
        GridModel &model, GridState &state, const AnalysisState &analysis, QWidget *parent)
    : TablePanel(model, state, m_ownStash, analysis, parent)
{ }

QWidget *TablePanel::makeArrow(const QString &panelName, const QString &pictureName,
        Qt::ArrowType direction, void (TablePanel::*handler)())
{
    auto *panel = new QWidget(this);
    panel->setObjectName(panelName);
    panel->setFixedSize(PanelGeometry::kArrowSize);
    auto *picture = new ClickableLabel(panel);
    picture->setObjectName(pictureName);
    picture->setGeometry(0, 0, 25, 25);
    setSharpPicture(*picture, [direction](qreal ratio) {
        return QPixmap::fromImage(arrowPicture(direction, ratio));
    });
    picture->setCursor(Qt::PointingHandCursor);
    picture->setAccessibleName(arrowName(direction));
    connect(picture, &ClickableLabel::clicked, this, handler);
    return panel;
}

void TablePanel::placeArrow(QWidget *arrow, const ArrowPanel &geometry)
{
    arrow->move(geometry.pos);
    arrow->setVisible(geometry.visible);
    if (geometry.visible)
        arrow->raise();
}

void TablePanel::refresh()
{
    const PanelGeometry &panels = m_state.panels;
    resize(panels.PTabela);
    m_underGrid->setGeometry(QRect(QPoint(0, 0), panels.PPodTabele));
    m_grid->setGeometry(QRect(QPoint(0, 0), panels.Tabela));
    placeArrow(m_up, panels.PTabelaWGore);
    placeArrow(m_down, panels.PTabelaWDol);
    placeArrow(m_left, panels.PTabelaWLewo);
    placeArrow(m_right, panels.PTabelawPrawo);
    m_grid->setAccessibleName(tableTitle(m_state.tableKind));
    m_grid->contentsChanged();
}

void TablePanel::showTable(TableKind kind)
{
    if (!tableKindInfo(kind))
        return;
    m_tables.PokazTabele(kind);
    m_grid->forgetChosenRow();
    refresh();
    Q_EMIT tableShown();
}

void TablePanel::ImTabelaWGoreClick()
{
    m_tables.ImTabelaWGoreClick();
    refresh();
    Q_EMIT tableShown();
}

void TablePanel::ImTabelaWDolClick()
{
    m_tables.ImTabelaWDolClick();
    refresh();
    Q_EMIT tableShown();
}

void TablePanel::ImTabelaWLewoClick()
{
    m_tables.ImTabelaWLewoClick();
    refresh();
    Q_EMIT tableShown();
}

void TablePanel::ImTabelaWPrawoClick()
{
    m_tables.ImTabelaWPrawoClick();
    refresh();
    Q_EMIT tableShown();
}

bool TablePanel::pageStep(PageStep step)
{
    const PanelGeometry &arrows = m_state.panels;
    switch (step) {
    case PageStep::Up:
        if (arrows.PTabelaWGore.visible)
            ImTabelaWGoreClick();
        return arrows.PTabelaWGore.visible;
    case PageStep::Down:
        if (arrows.PTabelaWDol.visible)
            ImTabelaWDolClick();
        return arrows.PTabelaWDol.visible;
    case PageStep::Left:
        if (arrows.PTabelaWLewo.visible)
            ImTabelaWLewoClick();
        return arrows.PTabelaWLewo.visible;
    case PageStep::Right:
        if (arrows.PTabelawPrawo.visible)
            ImTabelaWPrawoClick();
        return arrows.PTabelawPrawo.visible;
    case PageStep::First:
    case PageStep::Last: {
        const PageStep single = step == PageStep::First ? PageStep::Up : PageStep::Down;
        const ArrowPanel &arrow =
                step == PageStep::First ? arrows.PTabelaWGore : arrows.PTabelaWDol;
        const int start = m_model.topRow();
        // A short working-time table keeps its down arrow on the only page.
        for (int before = -1; arrow.visible && m_model.topRow() != before;) {
            before = m_model.topRow();
            pageStep(single);
        }
        return m_model.topRow() != start;
    }
    }
    return false;
}

void TablePanel::pageKey(PageStep step)
{
    if (pageStep(step))
        return;
    switch (step) {
    case PageStep::Up:
    case PageStep::First:
        m_grid->signalEdge(Qt::UpArrow);
        break;
    case PageStep::Down:
    case PageStep::Last:
        m_grid->signalEdge(Qt::DownArrow);
        break;
    case PageStep::Left:
        m_grid->signalEdge(Qt::LeftArrow);
        break;
    case PageStep::Right:
        m_grid->signalEdge(Qt::RightArrow);
        break;
    }
}

void TablePanel::wheelEvent(QWheelEvent *event)
{
    constexpr int kNotch = 120;
    const QPoint angle = event->angleDelta();
    const bool sideways = event->modifiers().testFlag(Qt::ShiftModifier) || angle.y() == 0;
    int &gathered = sideways ? m_sidewaysAngle : m_wheelAngle;
    // Shift may come with the angle on either axis, depending on the platform.
    gathered += angle.y() != 0 ? angle.y() : angle.x();
    for (; gathered >= kNotch; gathered -= kNotch)
        pageStep(sideways ? PageStep::Left : PageStep::Up);
    for (; gathered <= -kNotch; gathered += kNotch)
        pageStep(sideways ? PageStep::Right : PageStep::Down);
    event->accept();
}

} // namespace zavevad
