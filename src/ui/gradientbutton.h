#pragma once

#include <QAbstractButton>
#include <QColor>

namespace zavevad {

/// A push button painted with a vertical colour gradient and a thin frame,
/// the look of the prompt window's buttons. Grey by default.
class GradientButton : public QAbstractButton
{
    Q_OBJECT

public:
    explicit GradientButton(const QString &text, QWidget *parent = nullptr);

    /// Colours at the top and the bottom of the face.
    void setColors(const QColor &top, const QColor &bottom);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QColor m_top{236, 236, 236};
    QColor m_bottom{168, 168, 168};
    bool m_hover = false;
};

} // namespace zavevad
