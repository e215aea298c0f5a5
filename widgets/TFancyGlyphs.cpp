#include "widgets/TFancyGlyphs.h"

TFancyGlyphs::TFancyGlyphs() : glyph_(std::make_unique<TBitmap>()) {}

TFancyGlyphs::~TFancyGlyphs() = default;

void TFancyGlyphs::Changed() {
    if (OnGlyphChange) OnGlyphChange(*this);
}

void TFancyGlyphs::SetGlyph(TGraphic* picture) {
    glyph_->CopyFrom(picture);
    Changed();
}

void TFancyGlyphs::SetLayout(TBmpLayout value) {
    if (value == layout_) return;
    layout_ = value;
    Changed();
}

void TFancyGlyphs::SetNumber(int value) {
    if (value == number_) return;
    number_ = std::uint8_t(value <= 0 ? 1 : value > MaxNumber ? MaxNumber : value);
    Changed();
}

void TFancyGlyphs::SetDistance(int value) {
    if (value == distance_) return;
    distance_ = value < 0 ? 0 : value;
    Changed();
}
