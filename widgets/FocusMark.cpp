#include "widgets/FocusMark.h"

#include <QPainter>
#include <QWidget>

void PaintFocusMark(QPainter& painter, const QRect& rect) {
    if (rect.width() < 1 || rect.height() < 1) return;
    const QColor black(0, 0, 0);
    auto dot = [&](int x, int y) {
        if ((x + y) % 2 == 0) painter.fillRect(QRect(x, y, 1, 1), black);
    };
    for (int x = rect.left(); x <= rect.right(); ++x) {
        dot(x, rect.top());
        dot(x, rect.bottom());
    }
    for (int y = rect.top() + 1; y < rect.bottom(); ++y) {
        dot(rect.left(), y);
        dot(rect.right(), y);
    }
}

bool ShowsKeyboardFocus(const QWidget& widget) {
    return widget.hasFocus() && widget.window()->testAttribute(Qt::WA_KeyboardFocusChange);
}
