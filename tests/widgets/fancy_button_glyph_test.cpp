#include <gtest/gtest.h>

#include "core/TBitmap.h"
#include "tests/widgets/WidgetPixels.h"
#include "widgets/FancyButtonLayout.h"
#include "widgets/SharedButtonLook.h"
#include "widgets/TFancyButton.h"

namespace {

constexpr TColor Key = 0xFFFF00;  // aqua, taken from the strip's bottom-left pixel
constexpr Rgb Normal{0, 0, 255}, Disabled{255, 0, 255}, Face{8, 247, 0}, Backdrop{10, 20, 30};

// A strip of two 4 x 4 cells: blue (normal) and magenta (disabled), each with key pixels at
// (1, 1) and in the bottom-left corner.
void FillStrip(TBitmap& strip) {
    strip.SetRasterFormat(rf24Bit);
    strip.SetWidth(8);
    strip.SetHeight(4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x) strip.Surface().WritePixel(x, y, x < 4 ? clBlue : clFuchsia);
    for (int cell : {0, 4}) {
        strip.Surface().WritePixel(cell + 1, 1, Key);
        strip.Surface().WritePixel(cell, 3, Key);
    }
}

// A captionless shared-look button: the glyph is centred at (46, 10).
struct GlyphButton {
    QWidget parent;
    TFancyButton* button;
    GlyphButton() {
        parent.resize(120, 40);
        parent.setAutoFillBackground(true);
        QPalette palette = parent.palette();
        palette.setColor(QPalette::Window, QColor(10, 20, 30));
        parent.setPalette(palette);
        button = new TFancyButton(&parent);
        ApplySharedButtonLook(*button);
        TBitmap strip;
        FillStrip(strip);
        button->Glyphs().SetGlyph(&strip);
        button->Glyphs().SetNumber(2);
        parent.show();
    }
    QImage Shot() { return ::Shot(parent); }
};

}  // namespace

TEST(FancyButtonGlyph, NormalCellWithKeyPixelsInTheFaceColour) {
    GlyphButton g;
    const QImage shot = g.Shot();
    EXPECT_EQ(g.button->GlyphCellWidth(), 4);
    EXPECT_EQ(g.button->GlyphPos(), QPoint(46, 10));
    EXPECT_EQ(g.button->GlyphKeyColor(), Key);
    EXPECT_EQ(PixelAt(shot, 46, 10), Normal);
    EXPECT_EQ(PixelAt(shot, 49, 13), Normal);
    EXPECT_EQ(PixelAt(shot, 47, 11), Face);
    EXPECT_EQ(PixelAt(shot, 46, 13), Face);
    EXPECT_EQ(PixelAt(shot, 50, 10), Face);
}

TEST(FancyButtonGlyph, StateChoosesTheCell) {
    GlyphButton g;
    g.button->setEnabled(false);
    EXPECT_EQ(PixelAt(g.Shot(), 46, 10), Disabled);
    g.button->setEnabled(true);
    // Hot asks for cell 4, which a two-cell strip lacks: the state falls back to normal.
    SendMouse(*g.button, QEvent::MouseMove, {20, 12});
    EXPECT_EQ(g.button->GlyphState(), GlyphHot);
    EXPECT_EQ(PixelAt(g.Shot(), 46, 10), Normal);
    EXPECT_EQ(g.button->GlyphState(), GlyphNormal);
    // Held down, the glyph moves one pixel down and right and its key pixels take the sunken face.
    SendMouse(*g.button, QEvent::MouseMove, {20, 12});
    SendMouse(*g.button, QEvent::MouseButtonPress, {20, 12});
    const QImage shot = g.Shot();
    EXPECT_EQ(PixelAt(shot, 47, 11), Normal);
    EXPECT_EQ(PixelAt(shot, 48, 12), (Rgb{38, 217, 0}));
}

TEST(FancyButtonGlyph, WithoutAFaceKeyPixelsStayUnpainted) {
    GlyphButton g;
    g.button->FancyEffects().SetFrameStyle(fmNone);
    const QImage shot = g.Shot();
    EXPECT_EQ(PixelAt(shot, 0, 12), Backdrop);
    EXPECT_EQ(PixelAt(shot, 48, 3), Backdrop);
    EXPECT_EQ(PixelAt(shot, 46, 10), Normal);
    EXPECT_EQ(PixelAt(shot, 47, 11), Backdrop);
}

TEST(FancyButtonGlyph, DenserScreensScaleTheCellSmoothly) {
    // At ratio 2 the 4 x 4 cell at (46, 10) covers device (92, 20) to (100, 28): blue, and where
    // the key pixels were, blends of blue and the face colour, which nearest sampling never makes.
    GlyphButton b;
    const QImage shot = ShotAt(b.parent, 2);
    const std::set<QRgb> colours = ColoursOf(shot.copy(92, 20, 8, 8));
    EXPECT_TRUE(colours.count(qRgb(0, 0, 255)));
    int blends = 0;
    for (QRgb c : colours) blends += qGreen(c) > 0 && qBlue(c) > 0;
    EXPECT_GT(blends, 1);
    EXPECT_EQ(b.button->GlyphKeyColor(), Key);
    // Outside the cell the face is untouched.
    EXPECT_EQ(PixelAt(shot, 90, 24), Face);
    EXPECT_EQ(PixelAt(shot, 101, 24), Face);
}

TEST(FancyButtonGlyph, TheShownCellFollowsTheStateWhereTheStripHasIt) {
    FancyButtonFacts facts{QSize(97, 25), QSize(16, 4), 4, lyLeft, 0, QSize(), GlyphNormal};
    for (int state = GlyphNormal; state <= GlyphHot; ++state) {
        facts.GlyphState = TGlyphState(state);
        EXPECT_EQ(LayOutFancyButton(facts).GlyphCell, state - 1) << state;
    }
    EXPECT_EQ(LayOutFancyButton(facts).GlyphCellWidth, 4);
    facts.Number = 2;  // disabled has a cell; held down and hot show the normal one
    facts.Strip = QSize(9, 4);
    const int shown[] = {0, 1, 0, 0};
    for (int state = GlyphNormal; state <= GlyphHot; ++state) {
        facts.GlyphState = TGlyphState(state);
        EXPECT_EQ(LayOutFancyButton(facts).GlyphCell, shown[state - 1]) << state;
    }
    EXPECT_EQ(LayOutFancyButton(facts).GlyphCellWidth, 4);
    facts.Strip = QSize();
    EXPECT_EQ(LayOutFancyButton(facts).GlyphCellWidth, 0);
}

// The layout getters need no paint: they follow the glyph, the size and the state at once.
TEST(FancyButtonGlyph, GettersReportTheStateAndPaintingChangesNone) {
    TFancyButton button;
    ApplySharedButtonLook(button);
    TBitmap strip;
    FillStrip(strip);
    button.Glyphs().SetGlyph(&strip);
    button.Glyphs().SetNumber(2);
    EXPECT_EQ(button.GlyphCellWidth(), 4);
    EXPECT_EQ(button.GlyphPos(), QPoint(46, 10));
    EXPECT_EQ(button.GlyphKeyColor(), Key);
    button.resize(57, 25);
    EXPECT_EQ(button.GlyphPos(), QPoint(26, 10));

    GlyphButton g;
    SendMouse(*g.button, QEvent::MouseMove, {20, 12});
    const QImage own = g.button->Render();
    EXPECT_EQ(PixelAt(own, 46, 10), Normal);  // hot has no cell in a two-cell strip
    EXPECT_EQ(g.button->GlyphState(), GlyphHot);
    EXPECT_EQ(g.button->GlyphPos(), QPoint(46, 10));
}
