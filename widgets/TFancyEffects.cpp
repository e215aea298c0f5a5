#include "widgets/TFancyEffects.h"

#include <algorithm>

void TFancyEffects::Changed() {
    if (OnEffectChange) OnEffectChange(*this);
}

// Each setter compares with the stored value before clamping, so an out-of-range value always
// notifies even when it clamps to what is stored.
void TFancyEffects::SetFaceColor(TColor value) {
    if (value == faceColor_) return;
    faceColor_ = value;
    Changed();
}

void TFancyEffects::SetFrameColor(TColor value) {
    if (value == frameColor_) return;
    frameColor_ = value;
    Changed();
}

void TFancyEffects::SetFrameStyle(TFrameStyle value) {
    if (value == frameStyle_) return;
    frameStyle_ = value;
    Changed();
}

void TFancyEffects::SetFrameWidth(int value) {
    if (value == frameWidth_) return;
    frameWidth_ = std::clamp(value, MinFrameWidth, MaxFrameWidth);
    Changed();
}

void TFancyEffects::SetHoverColor(TColor value) {
    if (value == hoverColor_) return;
    hoverColor_ = value;
    Changed();
}

void TFancyEffects::SetShape(TBtnShape value) {
    if (value == shape_) return;
    shape_ = value;
    Changed();
}

void TFancyEffects::SetCornerRadius(int value) {
    if (value == cornerRadius_) return;
    cornerRadius_ = std::clamp(value, 0, MaxCornerRadius);
    Changed();
}

void TFancyEffects::SetTextStyle(TTextStyle value) {
    if (value == textStyle_) return;
    textStyle_ = value;
    Changed();
}
