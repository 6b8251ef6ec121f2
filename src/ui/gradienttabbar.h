#pragma once

#include <QColor>
#include <QTabBar>

namespace zavevad {

/// A tab bar that paints its tabs itself: a vertical gradient around one tab
/// colour with the caption in one text colour, the current tab lighter.
class GradientTabBar : public QTabBar
{
    Q_OBJECT

public:
    explicit GradientTabBar(QWidget *parent = nullptr);

    void setColors(const QColor &tab, const QColor &text);
    QColor tabColor() const { return m_tab; }
    QColor textColor() const { return m_text; }

protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override;
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_tab{141, 141, 141};
    QColor m_text{255, 255, 255};
};

} // namespace zavevad
