#include "ui/TBevel.h"

#include <QPainter>

#include "widgets/QtColor.h"

TBevel::TBevel(QWidget* parent, int left, int top, int width, int height) : QWidget(parent) {
    setGeometry(left, top, width, height);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

// Edges as one-pixel-wide rectangles rather than lines, so they land on whole device pixels at any
// pixel ratio: a ratio of 2 gives edges two device pixels wide.
void TBevel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int w = width(), h = height();
    const QColor shadow = ToQColor(clBtnShadow), light = ToQColor(clBtnHighlight);
    painter.fillRect(QRect(0, 0, w, 1), shadow);
    painter.fillRect(QRect(0, 0, 1, h), shadow);
    painter.fillRect(QRect(0, h - 1, w, 1), light);
    painter.fillRect(QRect(w - 1, 0, 1, h), light);
}
