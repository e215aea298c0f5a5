#pragma once
#include <QKeySequence>
#include <QWidget>
#include <string>

#include "core/TColor.h"
#include "widgets/FancyButtonLayout.h"
#include "widgets/TFancyEffects.h"
#include "widgets/TFancyGlyphs.h"

class QImage;
class DevicePixels;

// The program's push button: a graded frame in one of three shapes, an embossed caption and an
// optional glyph. It paints only inside its shape (the parent shows through the corners), reacts
// to the pointer only inside the shape.
//
// Keyboard users reach it with Tab only (a click leaves the focus where it was): Space (on release)
// and Return click it, and a dotted focus mark inside the face shows while it holds the focus.
// OnClick is the Qt signal clicked(): it fires on a left or middle button release over the shape
// and on the caption's accelerator (Alt + the character after '&'), nowhere else.
// Caption, FancyEffects, Glyphs, the font (QWidget::font, inherited from the parent) and
// FontColor drive the look; the size is limited to 145 x 145 after each paint.
//
// A paint draws from the state and changes none of it; the layout getters work it out afresh.
// Only the widget's paint event, once the picture is on the screen, applies the two rules that
// follow a paint: the size limit, and a glyph state the strip has no cell for falling back to
// normal (so each move over the shape sets hot again and repaints).
class TFancyButton : public QWidget {
    Q_OBJECT

public:
    explicit TFancyButton(QWidget* parent = nullptr);
    ~TFancyButton() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);  // UTF-8
    TFancyEffects& FancyEffects() { return effects_; }
    TFancyGlyphs& Glyphs() { return glyphs_; }
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor value);

    bool Pressed() const { return pressed_; }
    bool MouseInShape() const { return mouseInShape_; }
    TGlyphState GlyphState() const { return glyphState_; }
    // Where glyph and caption go and which cell shows, from the present state.
    FancyButtonLayout Layout() const;
    int GlyphCellWidth() const { return Layout().GlyphCellWidth; }
    QPoint GlyphPos() const { return Layout().GlyphPos; }
    QPoint TextPos() const { return Layout().TextBox.topLeft(); }
    TColor GlyphKeyColor() const;

    bool PointInShape(int x, int y) const;
    // The accelerator character: fires the click when it matches the caption's and the button is
    // enabled; returns whether it was handled.
    bool DialogChar(QChar character);
    // The toolkit's generic click request: repaints only, never fires clicked().
    void Click();
    // A click from the keyboard or an assistive tool: sunken while clicked() runs, as a mouse click.
    void Press();
    // A further key sequence that clicks the button anywhere in its window (Ctrl+O and the like).
    QKeySequence ShortcutKeys() const { return shortcutKeys_; }
    void SetShortcutKeys(const QKeySequence& keys);
    // The button's own look, rendered on a transparent image of its size; with a grid, of its device
    // size at that grid's ratio.
    QImage Render() const;
    QImage Render(const DevicePixels& grid) const;

    static constexpr int MaxSize = 145;

signals:
    void clicked();

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void changeEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void EffectChanged();
    void PointerLeft();
    void FollowPointer(QPoint pos);
    void UpdateShortcut();
    void AfterPaint();
    void ClampSize();
    void ClickWhileSunken();
    void SinkFromKeyboard();
    void AnnouncePressed();
    void PaintGlyph(QImage& image, const DevicePixels& grid, const FancyButtonLayout& layout,
                    const TColor* brushColor) const;
    void PaintCaption(QImage& image, const DevicePixels& grid, const FancyButtonLayout& layout) const;
    void PaintFocusMarkOn(QImage& image, const DevicePixels& grid) const;

    TFancyEffects effects_;
    TFancyGlyphs glyphs_;
    std::string caption_;
    TColor fontColor_ = clWindowText;
    bool pressed_ = false;
    bool mouseInShape_ = false;
    bool pointerInside_ = false;
    bool clickRunning_ = false;
    TGlyphState glyphState_ = GlyphNormal;
    int shortcutId_ = 0;
    int extraShortcutId_ = 0;
    QKeySequence shortcutKeys_;
    bool spaceHeld_ = false;
};
