#include "ui/TSilentPaintPanel.h"

#include <QPainter>

#include "widgets/QtColor.h"

TSilentPaintPanel::TSilentPaintPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PaintPanel"));
}

void TSilentPaintPanel::SetCaption(const std::string& value) {
    if (caption_ == value) return;
    caption_ = value;
    update();
}

void TSilentPaintPanel::ReportPaintError() {
    SetCaption("Invalid image");
}

void TSilentPaintPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    try {
        PaintFace(painter);
    } catch (...) {
        ReportPaintError();
    }
}

void TSilentPaintPanel::PaintFace(QPainter& painter) {
    const QColor face = ToQColor(clBtnFace), light = ToQColor(clBtnHighlight), shadow = ToQColor(clBtnShadow);
    painter.fillRect(rect(), face);
    // Two rings: the outer one lowered (dark above and left), the inner one raised.
    // Filled one-pixel strips, which stay on whole device pixels at any pixel ratio.
    auto ring = [&painter](QRect r, const QColor& topLeft, const QColor& bottomRight) {
        painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
        painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
        painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
        painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
    };
    ring(rect(), shadow, light);
    ring(rect().adjusted(1, 1, -1, -1), light, shadow);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(ClientArea(), Qt::AlignCenter, QString::fromStdString(caption_));
}
