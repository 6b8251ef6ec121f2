#include "ui/gradienttabwidget.h"

#include "ui/gradienttabbar.h"

namespace zavevad {

GradientTabWidget::GradientTabWidget(QWidget *parent)
    : QTabWidget(parent), m_bar(new GradientTabBar(this))
{
    setTabBar(m_bar);
    setDocumentMode(true);
}

} // namespace zavevad
