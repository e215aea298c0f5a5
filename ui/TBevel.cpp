#include "ui/TBevel.h"

#include <QPainter>

#include "ui/QtColor.h"

TBevel::TBevel(QWidget* parent, int left, int top, int width, int height) : QWidget(parent) {
    setGeometry(left, top, width, height);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TBevel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    int right = width() - 1, bottom = height() - 1;
    painter.setPen(ToQColor(clBtnShadow));
    painter.drawLine(0, 0, right, 0);
    painter.drawLine(0, 0, 0, bottom);
    painter.setPen(ToQColor(clBtnHighlight));
    painter.drawLine(0, bottom, right, bottom);
    painter.drawLine(right, 0, right, bottom);
}
