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

    /// Makes the label a button of the keyboard too: Tab reaches it, and
    /// Enter or Space while it has the focus click it.
    void makeKeyboardButton();
    bool isKeyboardButton() const { return m_keyboardButton; }

Q_SIGNALS:
    void clicked();
    void hovered();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    bool m_pressed = false;
    bool m_keyboardButton = false;
};

} // namespace zavevad
