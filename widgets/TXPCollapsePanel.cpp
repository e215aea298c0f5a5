#include "widgets/TXPCollapsePanel.h"

#include <QChildEvent>
#include <QPainter>
#include <algorithm>

#include "widgets/QtColor.h"

TXPCollapsePanel::TXPCollapsePanel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setGeometry(0, 0, 170, 120);
}

void TXPCollapsePanel::SetBorder(std::uint8_t value) {
    if (value == border_) return;
    border_ = value;
    AlignControls();
    update();
}

void TXPCollapsePanel::SetColorFrame(TColor value) {
    colorFrame_ = value;
    update();
}

void TXPCollapsePanel::SetColorBackground(TColor value) {
    colorBackground_ = value;
    update();
}

void TXPCollapsePanel::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    update();
}

QRect TXPCollapsePanel::AlignArea() const {
    const int b = border_;
    return QRect(QPoint(b + 1, 1), QPoint(width() - b - 2, height() - 6));
}

void TXPCollapsePanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int b = border_, w = width(), h = height();
    painter.fillRect(rect(), ToQColor(colorBackground_));
    // A framed rectangle from (b, -1) to (w - b, h - 4), right and bottom exclusive: its top line
    // lies above the panel, so the inner area reaches the top edge.
    const QRect outline(QPoint(b, -1), QPoint(w - b - 1, h - 5));
    painter.fillRect(outline, ToQColor(colorFrame_));
    painter.fillRect(outline.adjusted(1, 1, -1, -1), ToQColor(color_));
}

void TXPCollapsePanel::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    AlignControls();
}

void TXPCollapsePanel::childEvent(QChildEvent* e) {
    QWidget::childEvent(e);
    if (e->type() != QEvent::ChildRemoved) return;
    std::erase_if(aligned_, [e](const AlignedChild& a) { return a.child == e->child(); });
}

void TXPCollapsePanel::SetChildAlign(QWidget* child, TAlign align) {
    if (!child || child->parentWidget() != this) return;
    std::erase_if(aligned_, [child](const AlignedChild& a) { return a.child == child; });
    if (align != alNone) aligned_.push_back({child, align});
    AlignControls();
}

// Top and bottom children take full-width strips, then left and right ones full-height strips of
// what is left; client children fill the rest.
void TXPCollapsePanel::AlignControls() {
    QRect area = AlignArea();
    for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (const AlignedChild& a : aligned_) {
            if (a.align != pass) continue;
            QWidget* c = a.child;
            switch (pass) {
                case alTop:
                    c->setGeometry(area.left(), area.top(), area.width(), c->height());
                    area.setTop(area.top() + c->height());
                    break;
                case alBottom:
                    c->setGeometry(area.left(), area.bottom() + 1 - c->height(), area.width(), c->height());
                    area.setBottom(area.bottom() - c->height());
                    break;
                case alLeft:
                    c->setGeometry(area.left(), area.top(), c->width(), area.height());
                    area.setLeft(area.left() + c->width());
                    break;
                case alRight:
                    c->setGeometry(area.right() + 1 - c->width(), area.top(), c->width(), area.height());
                    area.setRight(area.right() - c->width());
                    break;
                default:
                    c->setGeometry(area);
                    break;
            }
        }
    }
}
