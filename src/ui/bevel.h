#pragma once

#include <QColor>
#include <QWidget>

namespace zavevad {

/// A raised or lowered two-tone frame drawn over its parent; it lets every
/// mouse event through to what lies beneath.
class Bevel : public QWidget
{
    Q_OBJECT

public:
    enum Style { Raised, Lowered };

    Bevel(const QColor &color, Style style, QWidget *parent = nullptr);

    QColor color() const { return m_color; }
    Style style() const { return m_style; }
    void setColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_color;
    Style m_style;
};

} // namespace zavevad
