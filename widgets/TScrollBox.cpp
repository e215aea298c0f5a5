#include "widgets/TScrollBox.h"

#include <QEvent>
#include <QPainter>

#include "widgets/FocusMark.h"

TScrollBox::TScrollBox(QWidget* parent) : QScrollArea(parent) {}

// The frame is the box's own paint (the pictures live in the viewport inside it).
bool TScrollBox::event(QEvent* e) {
    const bool handled = QScrollArea::event(e);
    if (e->type() == QEvent::Paint && ShowsKeyboardFocus(*this)) {
        QPainter painter(this);
        PaintFocusMark(painter, rect());
    }
    return handled;
}
