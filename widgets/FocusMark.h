#pragma once
#include <QRect>

class QPainter;
class QWidget;

// The keyboard focus mark of the program's controls: a one-pixel dotted rectangle, every other
// pixel black, drawn on the edges of `rect` (logical pixels). Black keeps at least 3:1 against the
// lime button face, the panel colours and the white inner line of the flat borders.
void PaintFocusMark(QPainter& painter, const QRect& rect);

// Whether `widget` holds the focus and its window was last steered by the keyboard (Tab, arrows)
// rather than the mouse: controls that a click also focuses show their mark only then.
bool ShowsKeyboardFocus(const QWidget& widget);
