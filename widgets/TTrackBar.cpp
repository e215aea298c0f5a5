#include "widgets/TTrackBar.h"

#include <QPainter>

#include "widgets/FocusMark.h"

TTrackBar::TTrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {}

void TTrackBar::paintEvent(QPaintEvent* e) {
    QSlider::paintEvent(e);
    if (!ShowsKeyboardFocus(*this)) return;
    QPainter painter(this);
    PaintFocusMark(painter, rect());
}
