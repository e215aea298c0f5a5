#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Geometry.h"

namespace platform {

struct TextSize {
    int cx = 0, cy = 0;
};

// A font request: a face name (resolved by the engine; missing faces fall back) and a pixel height
// (0 asks for the default size, a negative height means its absolute value).
struct TextFont {
    std::string faceName = "MS Sans Serif";
    int pixelHeight = 11;
    bool bold = false, italic = false, underline = false, strikeOut = false;
};

// Which pixels of a raster a text covers, over the part of the raster the text can touch.
struct TextMask {
    TRect area;                         // inside the raster; empty when the text misses it
    std::vector<std::uint8_t> covered;  // area.Width() x area.Height(), row by row; nonzero under a glyph
};

// The font engine under DeviceContext's text output. It measures and renders glyphs only; the
// context fills the background and writes the covered pixels in its own colour and pixel format.
class TextEngine {
public:
    virtual ~TextEngine() = default;

    // The character cell of the text: its advance and the font's ascent plus descent.
    virtual TextSize Measure(const TextFont& font, const std::string& utf8Text) = 0;

    // The glyphs of the text, with the top-left corner of its first character cell at `at`, drawn
    // without antialiasing onto a rasterWidth x rasterHeight raster. Only the part that lands on the
    // raster is rendered, so a huge font or a far-off position costs no more than the raster.
    virtual TextMask Render(const TextFont& font, const std::string& utf8Text, TPoint at, int rasterWidth,
                            int rasterHeight) = 0;
};

// The engine every DeviceContext draws text with, installed once at start-up by the program
// (the windows: the toolkit's engine in-process; brelvik-cli: one that loads the text module when
// first used). The engine must outlive every use.
void InstallTextEngine(TextEngine& engine);

// Throws std::logic_error when no engine is installed.
TextEngine& InstalledTextEngine();

}  // namespace platform
