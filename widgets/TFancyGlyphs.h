#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "core/TBitmap.h"
#include "widgets/FancyTypes.h"

// The glyph strip of a fancy button: Number equal cells side by side (normal, disabled, held down,
// hot) and where the glyph sits relative to the caption.
class TFancyGlyphs {
public:
    using ChangeEvent = std::function<void(TFancyGlyphs& sender)>;

    TFancyGlyphs();
    ~TFancyGlyphs();

    TBitmap& Glyph() { return *glyph_; }
    const TBitmap& Glyph() const { return *glyph_; }
    // Copies the picture into the owned strip and notifies, even when it looks the same.
    void SetGlyph(TGraphic* picture);
    TBmpLayout Layout() const { return layout_; }
    void SetLayout(TBmpLayout value);
    std::uint8_t Number() const { return number_; }
    void SetNumber(int value);  // 1..4
    int Distance() const { return distance_; }
    void SetDistance(int value);  // not below 0

    ChangeEvent OnGlyphChange;

    static constexpr int MaxNumber = 4;

private:
    void Changed();

    std::unique_ptr<TBitmap> glyph_;
    TBmpLayout layout_ = lyLeft;
    std::uint8_t number_ = 1;
    int distance_ = 0;
};
