#include "widgets/FancyButtonLayout.h"

#include "widgets/FancyLayout.h"

namespace {

int ShownCell(int glyphState, int number) {
    if (number < glyphState) return 0;
    return glyphState >= GlyphNormal && glyphState <= GlyphHot ? glyphState - GlyphNormal : 0;
}

}  // namespace

FancyButtonLayout LayOutFancyButton(const FancyButtonFacts& facts) {
    FancyButtonLayout out;
    out.GlyphCellWidth = facts.Strip.width() / (facts.Number == 0 ? 1 : facts.Number);
    out.GlyphCell = ShownCell(facts.GlyphState, facts.Number);
    const int glyphHeight = out.GlyphCellWidth > 0 ? facts.Strip.height() : 0;
    const FancyLayoutInput input{facts.Button.width(), facts.Button.height(), out.GlyphCellWidth,
                                 glyphHeight,          facts.Caption.width(), facts.Caption.height(),
                                 facts.Distance};
    const FancyLayout places = ComputeFancyLayout(facts.Layout, input);
    out.GlyphPos = QPoint(places.GlyphLeft, places.GlyphTop);
    out.TextBox = QRect(QPoint(places.TextLeft, places.TextTop), facts.Caption);
    return out;
}
