#include "widgets/TXPListBox.h"

#include <QEvent>
#include <QPainter>

#include "widgets/FocusMark.h"

TXPListBox::TXPListBox(QWidget* parent) : QListWidget(parent) {
    // A two-pixel sunken edge, so the items' viewport never covers the two border lines.
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
}

void TXPListBox::SetXPScheme(TXPScheme value) {
    scheme_ = value;
    ApplyXPScheme();
}

void TXPListBox::ApplyXPScheme() {
    schemeIndex_ = SchemeIndexFor(scheme_);
    update();
}

void TXPListBox::ThemeChanged() {
    if (scheme_ == xpAutomatic) ApplyXPScheme();
}

// The frame belongs to the list itself (the items live in a child viewport), so the border goes on
// after the list's own paint of its frame.
bool TXPListBox::event(QEvent* e) {
    const bool handled = QListWidget::event(e);
    if (e->type() == QEvent::Paint) {
        QPainter painter(this);
        PaintXPBorder(painter, rect(), isEnabled(), schemeIndex_);
        if (ShowsKeyboardFocus(*this)) PaintFocusMark(painter, rect().adjusted(1, 1, -1, -1));
    }
    return handled;
}

void TXPListBox::changeEvent(QEvent* e) {
    QListWidget::changeEvent(e);
    if (e->type() == QEvent::EnabledChange)
        update();
    else if (e->type() == QEvent::ThemeChange)
        ThemeChanged();
}
