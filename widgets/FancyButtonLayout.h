#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>

#include "widgets/FancyTypes.h"

// What a fancy button's layout depends on: its size, its glyph strip and caption, and its state.
struct FancyButtonFacts {
    QSize Button;
    QSize Strip;     // the whole glyph strip; empty without a glyph
    int Number = 1;  // cells in the strip
    TBmpLayout Layout = lyLeft;
    int Distance = 0;  // between glyph and caption
    QSize Caption;     // the caption measured in the button's font
    TGlyphState GlyphState = GlyphNormal;
};

// Where one paint puts glyph and caption and which glyph cell it shows; both before the one-pixel
// move of a held-down button, which the painting adds.
struct FancyButtonLayout {
    int GlyphCellWidth = 0;  // the strip's width shared out over its cells; 0 draws no glyph
    int GlyphCell = 0;       // the strip cell shown: a state the strip has no cell for shows normal
    QPoint GlyphPos;
    QRect TextBox;  // the caption's measured size at its place
};

// The layout from the facts alone; the same facts always give the same layout.
FancyButtonLayout LayOutFancyButton(const FancyButtonFacts& facts);
