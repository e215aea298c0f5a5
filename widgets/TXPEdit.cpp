#include "widgets/TXPEdit.h"

#include <QEvent>
#include <QPainter>

#include "widgets/FocusMark.h"

TXPEdit::TXPEdit(QWidget* parent) : QLineEdit(parent) {}

void TXPEdit::SetXPScheme(TXPScheme value) {
    // Stored and applied even when unchanged; the edit keeps its text and settings throughout.
    scheme_ = value;
    ApplyXPScheme();
}

void TXPEdit::ApplyXPScheme() {
    schemeIndex_ = SchemeIndexFor(scheme_);
    update();
}

void TXPEdit::ThemeChanged() {
    if (scheme_ == xpAutomatic) ApplyXPScheme();
}

void TXPEdit::paintEvent(QPaintEvent* e) {
    QLineEdit::paintEvent(e);
    QPainter painter(this);
    PaintXPBorder(painter, rect(), isEnabled(), schemeIndex_);
    // On the white inner line; a read-only edit shows no caret, so this is its only sign.
    if (ShowsKeyboardFocus(*this)) PaintFocusMark(painter, rect().adjusted(1, 1, -1, -1));
}

void TXPEdit::changeEvent(QEvent* e) {
    QLineEdit::changeEvent(e);
    if (e->type() == QEvent::EnabledChange)
        update();
    else if (e->type() == QEvent::ThemeChange)
        ThemeChanged();
}
