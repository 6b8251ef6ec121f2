#pragma once

#include <QTabWidget>

namespace zavevad {

class GradientTabBar;

/// Tab pages whose tabs a GradientTabBar paints.
class GradientTabWidget : public QTabWidget
{
    Q_OBJECT

public:
    explicit GradientTabWidget(QWidget *parent = nullptr);

    GradientTabBar *gradientTabBar() const { return m_bar; }

private:
    GradientTabBar *m_bar = nullptr;
};

} // namespace zavevad
