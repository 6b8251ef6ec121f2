#pragma once

#include <QWidget>

namespace zavevad {

class GridModel;

/// The grid `Tabela`: draws the model (through GridPainter), without scroll
/// bars or editing. A click clears the selection (`TabelaClick`).
class GridView : public QWidget
{
    Q_OBJECT

public:
    explicit GridView(GridModel &model, QWidget *parent = nullptr);

    GridModel &model() const { return m_model; }

    /// Clears the selection, so that no cell stays highlighted after a click.
    void TabelaClick();

    QSize sizeHint() const override;

Q_SIGNALS:
    /// After a click on the grid, once the selection has been cleared.
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    GridModel &m_model;
    bool m_pressed = false;
};

} // namespace zavevad
