#include "widgets/TXPComboBox.h"

#include <QAbstractItemView>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

#include "platform/SystemMetrics.h"
#include "widgets/ComboButtonPainting.h"
#include "widgets/FocusMark.h"

namespace {

int ScrollBarWidth() {
    return platform::GetSystemMetrics(platform::SM_CXVSCROLL);
}

// Rows of the open list at a fixed height instead of the style's roomier menu rows.
class FixedRowHeight : public QStyledItemDelegate {
public:
    FixedRowHeight(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
    }

private:
    int height_;
};

}  // namespace

TXPComboBox::TXPComboBox(QWidget* parent) : QComboBox(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
}

void TXPComboBox::SetStyle(TComboBoxStyle value) {
    style_ = value;
    setEditable(value == csDropDown);
    update();
}

void TXPComboBox::SetXPScheme(TXPScheme value) {
    scheme_ = value;
    schemeIndex_ = SchemeIndexFor(value);
    PaintComboFrame();
}

void TXPComboBox::SetDropDownWidthPlus(int value) {
    dropDownWidthPlus_ = std::max(value, 0);
}

void TXPComboBox::SetItemHeight(int value) {
    if (value == itemHeight_) return;
    itemHeight_ = value;
    QAbstractItemDelegate* old = itemDelegate();
    setItemDelegate(new FixedRowHeight(value, this));
    if (old && old->parent() == this) old->deleteLater();
}

void TXPComboBox::ThemeChanged() {
    if (scheme_ != xpAutomatic) return;
    schemeIndex_ = SchemeIndexFor(scheme_);
    PaintComboFrame();
}

QRect TXPComboBox::ButtonRect() const {
    const int cx = ScrollBarWidth();
    return QRect(QPoint(width() - cx - 2, 0), QPoint(width() - 3, height() - 3));
}

bool TXPComboBox::InHotArea(const QPoint& point) const {
    return style_ == csDropDown ? ButtonRect().contains(point) : rect().contains(point);
}

// Widgets paint only from their paint event here, so the frame is redrawn by asking for a paint.
void TXPComboBox::PaintComboFrame() {
    update();
}

void TXPComboBox::paintEvent(QPaintEvent* e) {
    // An editable combo's field is its line edit; a pick list draws its field itself, white
    // like an edit, instead of the style's button face.
    if (style_ == csDropDown) QComboBox::paintEvent(e);
    QPainter painter(this);
    if (style_ != csDropDown) PaintPickListField(painter);
    PaintXPBorder(painter, rect(), isEnabled(), schemeIndex_);
    if (style_ == csSimple) return;
    ComboButtonState state;
    state.Hot = overHotArea_ && mouseInControl_ && !listOpen_;
    state.Down = buttonHeld_ && buttonHit_;
    state.Enabled = isEnabled();
    state.Index = schemeIndex_;
    PaintComboButton(painter, rect(), height(), ScrollBarWidth(), state, buttonImage_);
}

// The chosen item's text on the white field, left of the button; with the focus (and the list
// closed) it is shown selected.
void TXPComboBox::PaintPickListField(QPainter& painter) {
    painter.fillRect(rect(), palette().color(QPalette::Base));
    const QRect text = rect().adjusted(3, 3, -(ScrollBarWidth() + 3), -3);
    const bool selected = hasFocus() && !listOpen_ && currentIndex() >= 0;
    if (selected) painter.fillRect(text, palette().color(QPalette::Highlight));
    painter.setPen(palette().color(isEnabled() ? (selected ? QPalette::HighlightedText : QPalette::Text)
                                               : QPalette::PlaceholderText));
    painter.setFont(font());
    painter.drawText(text.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     currentText());
    if (!listOpen_ && ShowsKeyboardFocus(*this)) PaintFocusMark(painter, text.adjusted(-1, -1, 0, 1));
}

void TXPComboBox::changeEvent(QEvent* e) {
    QComboBox::changeEvent(e);
    switch (e->type()) {
        case QEvent::EnabledChange:
        case QEvent::PaletteChange:
            PaintComboFrame();
            break;
        case QEvent::ThemeChange:
            ThemeChanged();
            break;
        default:
            break;
    }
}

void TXPComboBox::UpdateButtonHit(const QPoint& point) {
    const bool hit = ButtonRect().contains(point);
    if (hit == buttonHit_) return;
    buttonHit_ = hit;
    PaintComboFrame();
}

void TXPComboBox::ReleaseButton() {
    if (!buttonHeld_) return;
    UpdateButtonHit(QPoint(-1, -1));
    buttonHeld_ = false;
}

// The cursor query the desktop sends on each pointer move that is not captured.
void TXPComboBox::CursorQuery(const QPoint& point) {
    if (listOpen_) return;
    const bool hot = InHotArea(point);
    if (hot == overHotArea_) return;
    overHotArea_ = hot;
    PaintComboFrame();
}

void TXPComboBox::mousePressEvent(QMouseEvent* e) {
    buttonHeld_ = true;
    UpdateButtonHit(e->position().toPoint());
    QComboBox::mousePressEvent(e);
}

void TXPComboBox::mouseMoveEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    if (buttonHeld_)
        UpdateButtonHit(pos);
    else
        CursorQuery(pos);
    QComboBox::mouseMoveEvent(e);
}

void TXPComboBox::mouseReleaseEvent(QMouseEvent* e) {
    ReleaseButton();
    QComboBox::mouseReleaseEvent(e);
}

void TXPComboBox::enterEvent(QEnterEvent* e) {
    QComboBox::enterEvent(e);
    if (!mouseInControl_) {
        mouseInControl_ = true;
        PaintComboFrame();
    }
    CursorQuery(e->position().toPoint());
}

void TXPComboBox::leaveEvent(QEvent* e) {
    QComboBox::leaveEvent(e);
    if (!mouseInControl_) return;
    mouseInControl_ = false;
    PaintComboFrame();
}

void TXPComboBox::showPopup() {
    listOpen_ = true;
    QComboBox::showPopup();
    // The open list is at least as wide as the control plus the extra width.
    QWidget* list = view()->window();
    const int wanted = width() + dropDownWidthPlus_;
    if (list != window() && list->width() < wanted) list->resize(wanted, list->height());
}

void TXPComboBox::hidePopup() {
    listOpen_ = false;
    QComboBox::hidePopup();
    // The open list took the pointer over, so the mouse-up that ends a hold never reaches here.
    ReleaseButton();
}
