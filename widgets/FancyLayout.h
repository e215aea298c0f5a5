#pragma once
#include "widgets/FancyTypes.h"

struct FancyLayoutInput {
    int Width, Height;            // the button
    int GlyphWidth, GlyphHeight;  // one glyph cell; 0 without a glyph
    int TextWidth, TextHeight;    // the caption in the button's font
    int Distance;                 // between glyph and caption
};

struct FancyLayout {
    int GlyphLeft = 0, GlyphTop = 0, TextLeft = 0, TextTop = 0;
};

// Where glyph and caption go for a layout. Halving truncates toward zero; the caption may land at
// negative positions when it does not fit.
FancyLayout ComputeFancyLayout(TBmpLayout layout, const FancyLayoutInput& in);
