#pragma once

class QPainter;
class QRect;

namespace zavevad {

/// Draws the keyboard focus's frame just inside `rect`: a dark line with a
/// light line inside it, so that one of the two stands at least 3:1 against
/// whatever colour lies next to the frame, and the colours of the control
/// itself stay as they are.
void drawFocusFrame(QPainter &painter, const QRect &rect);

} // namespace zavevad
