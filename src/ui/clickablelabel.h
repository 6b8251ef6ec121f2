#pragma once

#include <QLabel>

namespace zavevad {

/// A transparent label that reports left-button clicks and mouse movement, used for the
/// menu bars and menu items drawn over artwork.
class ClickableLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ClickableLabel(QWidget *parent = nullptr);
    ClickableLabel(const QString &text, QWidget *parent = nullptr);

    /// Whether a click does anything (someone listens to clicked()).
    bool isClickable() const;

Q_SIGNALS:
    void clicked();
    void hovered();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};

} // namespace zavevad
