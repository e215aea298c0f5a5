#include "core/TFont.h"

#include <cmath>

#include "platform/DeviceContext.h"

void TFont::SetName(const std::string& value) {
    if (value == name_) return;
    name_ = value;
    Changed();
}

// Points and pixels meet at the screen's resolution; halves round to even (8 points are 11 pixels).
int TFont::Size() const {
    return int(std::nearbyint(height_ * 72.0 / platform::ScreenDpi));
}

void TFont::SetSize(int points) {
    SetHeight(int(std::nearbyint(points * double(platform::ScreenDpi) / 72.0)));
}

void TFont::SetHeight(int pixels) {
    if (pixels == height_) return;
    height_ = pixels;
    Changed();
}

void TFont::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    Changed();
}

void TFont::SetStyle(std::uint8_t value) {
    if (value == style_) return;
    style_ = value;
    Changed();
}

void TFont::SetCharset(std::uint8_t value) {
    if (value == charset_) return;
    charset_ = value;
    Changed();
}

void TFont::Changed() {
    if (OnChange) OnChange();
}

void TBrush::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    if (OnChange) OnChange();
}
