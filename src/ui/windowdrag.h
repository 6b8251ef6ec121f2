#pragma once

#include <QPoint>
#include <QWidget>

namespace zavevad {

/// Moves a frameless window while the mouse is held on its strip: a press
/// starts, every move shifts the window by the cursor's travel since the last
/// one, a release ends. Positions are global (screen) coordinates.
class WindowDrag
{
public:
    void press(QPoint globalPos)
    {
        m_active = true;
        m_last = globalPos;
    }

    void moveTo(QWidget &window, QPoint globalPos)
    {
        if (!m_active)
            return;
        window.move(window.pos() + (globalPos - m_last));
        m_last = globalPos;
    }

    void release() { m_active = false; }

    bool isActive() const { return m_active; }
    /// The cursor position the next move is measured from.
    QPoint lastPos() const { return m_last; }

private:
    bool m_active = false;
    QPoint m_last;
};

} // namespace zavevad
