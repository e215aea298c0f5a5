#include "widgets/TFancyButton.h"

#include <QAccessible>
#include <QEnterEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QShortcutEvent>
#include <QTimer>
#include <algorithm>

#include "widgets/DevicePixels.h"
#include "widgets/FancyFace.h"
#include "widgets/FocusMark.h"
#include "widgets/GlyphPainting.h"
#include "widgets/QtColor.h"

namespace {

// The character after a single '&' of the caption, or a null character.
QChar Accelerator(const QString& caption) {
    for (int i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        if (caption[i + 1] != u'&') return caption[i + 1];
        ++i;  // "&&" is a literal ampersand
    }
    return {};
}

// Offset of the accent pass, not pressed and pressed.
struct AccentStyle {
    bool drawn;
    TColor color;
    int offset, pressedOffset;
};

AccentStyle AccentFor(TTextStyle style) {
    switch (style) {
        case txLowered:
            return {true, clBtnHighlight, 1, 2};
        case txRaised:
            return {true, clBtnHighlight, -1, 0};
        case txShadowed:
            return {true, clBtnShadow, 2, 3};
        default:
            return {false, 0, 0, 0};
    }
}

}  // namespace

TFancyButton::TFancyButton(QWidget* parent) : QWidget(parent) {
    // Windowless in spirit: nothing is filled behind the face, so the parent shows through.
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    setMouseTracking(true);
    // Tab reaches it; a click never moves the focus, so mouse users see nothing new.
    setFocusPolicy(Qt::TabFocus);
    effects_.SetFaceColor(clBtnFace);
    effects_.SetFrameColor(clGray);
    effects_.OnEffectChange = [this](TFancyEffects&) { EffectChanged(); };
    glyphs_.OnGlyphChange = [this](TFancyGlyphs&) { EffectChanged(); };
    resize(97, 25);
}

TFancyButton::~TFancyButton() = default;

void TFancyButton::EffectChanged() {
    update();
}

void TFancyButton::SetCaption(const std::string& value) {
    if (value == caption_) return;
    caption_ = value;
    UpdateShortcut();
    update();
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void TFancyButton::SetFontColor(TColor value) {
    if (value == fontColor_) return;
    fontColor_ = value;
    update();
}

bool TFancyButton::PointInShape(int x, int y) const {
    return platform::PtInRegion(ShapeRegion(effects_.Shape(), width(), height(), effects_.CornerRadius()), x,
                                y);
}

bool TFancyButton::DialogChar(QChar character) {
    const QChar accelerator = Accelerator(QString::fromStdString(caption_));
    if (accelerator.isNull() || accelerator.toUpper() != character.toUpper() || !isEnabled()) return false;
    emit clicked();
    return true;
}

void TFancyButton::Click() {
    update();
}

void TFancyButton::Press() {
    if (!isEnabled()) return;
    SinkFromKeyboard();
    ClickWhileSunken();
}

void TFancyButton::SinkFromKeyboard() {
    pressed_ = true;
    glyphState_ = GlyphDown;
    AnnouncePressed();
    update();
}

void TFancyButton::AnnouncePressed() {
    if (!QAccessible::isActive()) return;
    QAccessible::State changed;
    changed.pressed = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void TFancyButton::SetShortcutKeys(const QKeySequence& keys) {
    if (extraShortcutId_ != 0) releaseShortcut(extraShortcutId_);
    extraShortcutId_ = keys.isEmpty() ? 0 : grabShortcut(keys, Qt::WindowShortcut);
    shortcutKeys_ = keys;
}

void TFancyButton::UpdateShortcut() {
    if (shortcutId_ != 0) releaseShortcut(shortcutId_);
    shortcutId_ = 0;
    const QKeySequence sequence = QKeySequence::mnemonic(QString::fromStdString(caption_));
    if (!sequence.isEmpty()) shortcutId_ = grabShortcut(sequence, Qt::WindowShortcut);
}

bool TFancyButton::event(QEvent* e) {
    if (e->type() == QEvent::Shortcut) {
        auto* shortcut = static_cast<QShortcutEvent*>(e);
        if (shortcut->shortcutId() == shortcutId_) {
            DialogChar(Accelerator(QString::fromStdString(caption_)));
            return true;
        }
        if (shortcut->shortcutId() == extraShortcutId_ && extraShortcutId_ != 0) {
            Press();
            return true;
        }
    }
    return QWidget::event(e);
}

namespace {

// The caption's font as painted: only the letters' own pixels change.
QFont CaptionFont(QFont font) {
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// The caption's box: its advance widened evenly on both sides to hold the letters' whole ink (a
// left bearing below zero or an overhang on the right), so that centring keeps the letters where
// the advance puts them and the box clips none of them.
QSize CaptionBox(const QFontMetrics& metrics, const QString& caption) {
    const int advance = metrics.horizontalAdvance(caption);
    const QRect ink = metrics.boundingRect(caption);
    const int overhang = std::max({0, -ink.left(), ink.left() + ink.width() - advance});
    return {advance + 2 * overhang, metrics.height()};
}

}  // namespace

FancyButtonLayout TFancyButton::Layout() const {
    // Measured in logical pixels: the layout is the same at every ratio.
    const QFontMetrics metrics(CaptionFont(font()));
    const QString caption = QString::fromStdString(caption_);
    const TBitmap& strip = glyphs_.Glyph();
    return LayOutFancyButton({size(), QSize(strip.Width(), strip.Height()), glyphs_.Number(),
                              glyphs_.Layout(), glyphs_.Distance(), CaptionBox(metrics, caption),
                              glyphState_});
}

TColor TFancyButton::GlyphKeyColor() const {
    return StripKeyColor(glyphs_.Glyph());
}

QImage TFancyButton::Render() const {
    return Render(DevicePixels(1, size()));
}

QImage TFancyButton::Render(const DevicePixels& grid) const {
    QImage image = grid.NewImage();
    const QPointF origin = grid.Origin();
    const platform::RegionScale scale{grid.Ratio(), origin.x(), origin.y()};

    // The colour the glyph's transparent pixels take: the last face fill; none without a face.
    // A frameless face would only be outlined while designing, which never happens here.
    TColor brush = 0;
    const TColor* brushColor = nullptr;
    if (effects_.FrameStyle() != fmNone) {
        brush = pressed_ ? PaintSunkenFace(image, effects_, width(), height(), scale)
                         : PaintGradientFace(image, effects_, width(), height(), scale);
        brushColor = &brush;
    }

    const FancyButtonLayout layout = Layout();
    if (layout.GlyphCellWidth > 0) PaintGlyph(image, grid, layout, brushColor);
    PaintCaption(image, grid, layout);
    if (ShowsKeyboardFocus(*this)) PaintFocusMarkOn(image, grid);
    return image;
}

void TFancyButton::PaintGlyph(QImage& image, const DevicePixels& grid, const FancyButtonLayout& layout,
                              const TColor* brushColor) const {
    const TBitmap& strip = glyphs_.Glyph();
    const QPoint at = pressed_ ? layout.GlyphPos + QPoint(1, 1) : layout.GlyphPos;
    if (grid.OneToOne()) {
        DrawGlyphCell(image, strip, layout.GlyphCell, layout.GlyphCellWidth, at, brushColor);
        return;
    }
    // Denser screens get the cell scaled smoothly into its device rectangle.
    const QRect target = grid.Map(QRect(at, QSize(layout.GlyphCellWidth, strip.Height())));
    DrawGlyphCellScaled(image, strip, layout.GlyphCell, layout.GlyphCellWidth, target, brushColor);
}

void TFancyButton::PaintCaption(QImage& image, const DevicePixels& grid,
                                const FancyButtonLayout& layout) const {
    const TColor textColor = mouseInShape_ && !pressed_ ? effects_.HoverColor() : fontColor_;
    const QString caption = QString::fromStdString(caption_);
    const QRect box = layout.TextBox;
    const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic;

    QPainter painter(&image);
    // Laid out in logical pixels; the painter's scale draws the letters with the font at device size.
    if (!grid.OneToOne()) {
        painter.translate(grid.Origin());
        painter.scale(grid.Ratio(), grid.Ratio());
    }
    painter.setFont(CaptionFont(font()));

    const AccentStyle accent = AccentFor(effects_.TextStyle());
    if (accent.drawn) {
        const int d = pressed_ ? accent.pressedOffset : accent.offset;
        painter.setPen(ToQColor(accent.color));
        painter.drawText(box.translated(d, d), flags, caption);
    }
    TColor mainColor = textColor;
    if (!isEnabled()) mainColor = effects_.TextStyle() == txShadowed ? clBtnFace : clBtnShadow;
    painter.setPen(ToQColor(mainColor));
    painter.drawText(pressed_ ? box.translated(1, 1) : box, flags, caption);
}

// Two pixels in from the edge: over the frame's inner rings, clear of the caption's usual place.
void TFancyButton::PaintFocusMarkOn(QImage& image, const DevicePixels& grid) const {
    QPainter painter(&image);
    if (!grid.OneToOne()) {
        painter.translate(grid.Origin());
        painter.scale(grid.Ratio(), grid.Ratio());
    }
    PaintFocusMark(painter, rect().adjusted(2, 2, -2, -2));
}

void TFancyButton::paintEvent(QPaintEvent*) {
    {
        QPainter painter(this);
        const DevicePixels grid(painter, size());
        grid.Draw(painter, Render(grid));
    }
    AfterPaint();
}

void TFancyButton::AfterPaint() {
    // The state the picture could not show is stored as the normal one it showed instead.
    if (glyphs_.Number() < glyphState_ && GlyphCellWidth() > 0) glyphState_ = GlyphNormal;
    // Resizing from inside the paint is left to the loop.
    if (width() > MaxSize || height() > MaxSize) QTimer::singleShot(0, this, [this] { ClampSize(); });
}

void TFancyButton::ClampSize() {
    if (width() > MaxSize) resize(MaxSize, height());
    if (height() > MaxSize) resize(width(), MaxSize);
}

void TFancyButton::mousePressEvent(QMouseEvent* e) {
    QWidget::mousePressEvent(e);
    if (e->button() == Qt::RightButton || !mouseInShape_) return;
    pressed_ = true;
    glyphState_ = GlyphDown;
    update();
}

void TFancyButton::mouseMoveEvent(QMouseEvent* e) {
    QWidget::mouseMoveEvent(e);
    const QPoint pos = e->position().toPoint();
    // While the button is held the pointer stays with this control, so leaving shows up here.
    const bool inside = rect().contains(pos);
    if (!inside && pointerInside_) PointerLeft();
    pointerInside_ = inside;
    FollowPointer(pos);
}

void TFancyButton::FollowPointer(QPoint pos) {
    if (pressed_) return;
    if (PointInShape(pos.x(), pos.y())) {
        mouseInShape_ = true;
        if (glyphState_ != GlyphHot) {
            glyphState_ = GlyphHot;
            update();
        }
    } else {
        mouseInShape_ = false;
        if (glyphState_ != GlyphNormal) {
            glyphState_ = GlyphNormal;
            update();
        }
    }
}

void TFancyButton::mouseReleaseEvent(QMouseEvent* e) {
    QWidget::mouseReleaseEvent(e);
    if (e->button() == Qt::RightButton || !mouseInShape_) return;
    ClickWhileSunken();
}

// The click runs while the face is still sunken; it turns flat once the handler returns.
void TFancyButton::ClickWhileSunken() {
    QPointer<TFancyButton> self(this);
    clickRunning_ = true;
    struct EndOfClick {
        QPointer<TFancyButton>& button;
        ~EndOfClick() {
            if (button) button->clickRunning_ = false;
        }
    } endOfClick{self};
    emit clicked();
    if (!self) return;
    pressed_ = false;
    AnnouncePressed();
    update();
}

// A window that closes over the button (a modal dialog ended with Esc or Return) brings the
// pointer back without any move, so the arrival is the only news that it is over the shape again.
void TFancyButton::enterEvent(QEnterEvent* e) {
    QWidget::enterEvent(e);
    pointerInside_ = true;
    const QPoint pos = e->position().toPoint();
    if (clickRunning_) {
        mouseInShape_ = PointInShape(pos.x(), pos.y());
        return;
    }
    FollowPointer(pos);
}

void TFancyButton::leaveEvent(QEvent* e) {
    QWidget::leaveEvent(e);
    if (clickRunning_) {
        // A modal window opened by the click took the pointer: the button stays down until the
        // handler returns, but the pointer is no longer over it.
        mouseInShape_ = false;
        pointerInside_ = false;
        return;
    }
    PointerLeft();
}

void TFancyButton::PointerLeft() {
    glyphState_ = isEnabled() ? GlyphNormal : GlyphDisabled;
    mouseInShape_ = false;
    pressed_ = false;
    pointerInside_ = false;
    update();
}

void TFancyButton::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::EnabledChange) {
        glyphState_ = isEnabled() ? GlyphNormal : GlyphDisabled;
        update();
    } else if (e->type() == QEvent::FontChange) {
        update();
    }
}

// Space clicks on release, as push buttons do; Return at once. Held keys do not repeat the click.
void TFancyButton::keyPressEvent(QKeyEvent* e) {
    const int key = e->key();
    const bool clickKey = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
    if (!clickKey || (e->modifiers() & ~Qt::KeypadModifier) || !isEnabled()) return QWidget::keyPressEvent(e);
    if (e->isAutoRepeat()) return;
    if (key != Qt::Key_Space) return Press();
    spaceHeld_ = true;
    SinkFromKeyboard();
}

void TFancyButton::keyReleaseEvent(QKeyEvent* e) {
    if (e->key() != Qt::Key_Space || e->isAutoRepeat() || !spaceHeld_) return QWidget::keyReleaseEvent(e);
    spaceHeld_ = false;
    ClickWhileSunken();
}

void TFancyButton::focusInEvent(QFocusEvent* e) {
    QWidget::focusInEvent(e);
    update();
}

void TFancyButton::focusOutEvent(QFocusEvent* e) {
    QWidget::focusOutEvent(e);
    if (spaceHeld_) {  // the focus went elsewhere while Space was down: no click
        spaceHeld_ = false;
        pressed_ = false;
        glyphState_ = isEnabled() ? GlyphNormal : GlyphDisabled;
    }
    update();
}
