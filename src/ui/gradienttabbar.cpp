#include "ui/gradienttabbar.h"

#include <QLinearGradient>
#include <QPainter>

namespace zavevad {

namespace {
constexpr int TabHeight = 20;
constexpr int TextPadding = 10;
constexpr int MinimumPadding = 3;
} // namespace

GradientTabBar::GradientTabBar(QWidget *parent) : QTabBar(parent)
{
    setDrawBase(false);
    setExpanding(false);
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
}

void GradientTabBar::setColors(const QColor &tab, const QColor &text)
{
    m_tab = tab;
    m_text = text;
    update();
}

QSize GradientTabBar::tabSizeHint(int index) const
{
    // The tabs share the room of the page control: the padding around the
    // captions shrinks, down to a minimum, before a tab would leave the bar.
    int padding = TextPadding;
    if (const QWidget *owner = parentWidget(); owner && count() > 0) {
        int captions = 0;
        for (int i = 0; i < count(); ++i)
            captions += fontMetrics().horizontalAdvance(tabText(i));
        padding = qBound(
                MinimumPadding, (owner->width() - 1 - captions) / (2 * count()), TextPadding);
    }
    return {fontMetrics().horizontalAdvance(tabText(index)) + 2 * padding, TabHeight};
}

QSize GradientTabBar::minimumTabSizeHint(int index) const
{
    return tabSizeHint(index);
}

void GradientTabBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor edge = m_tab.darker(160);
    for (int i = 0; i < count(); ++i) {
        const bool current = i == currentIndex();
        // The current tab stands up to the page below it; the others sit lower and darker.
        QRect r = tabRect(i).adjusted(0, current ? 0 : 2, -1, current ? 0 : -1);
        QLinearGradient gradient(r.topLeft(), r.bottomLeft());
        gradient.setColorAt(0, m_tab.lighter(current ? 135 : 118));
        gradient.setColorAt(1, current ? m_tab : m_tab.darker(118));
        painter.fillRect(r, gradient);

        painter.setPen(edge);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.drawLine(r.topRight(), r.bottomRight());
        if (!current)
            painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.setPen(m_tab.lighter(150));
        painter.drawLine(r.topLeft() + QPoint(1, 1), r.topRight() + QPoint(-1, 1));

        QColor text = m_text;
        if (!isTabEnabled(i))
            text = m_tab.lighter(125);
        painter.setPen(text);
        painter.drawText(r, Qt::AlignCenter, tabText(i));
    }
}

} // namespace zavevad
