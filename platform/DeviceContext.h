#pragma once
#include <cstdint>
#include <string>

#include "platform/Bitmap.h"
#include "platform/Color.h"
#include "platform/Geometry.h"
#include "platform/TextEngine.h"

namespace platform {

enum BkMode { TRANSPARENT = 1, OPAQUE = 2 };
enum StretchMode { BLACKONWHITE = 1, WHITEONBLACK = 2, COLORONCOLOR = 3, HALFTONE = 4 };

// A drawing context over one raster. Everything drawn lands in the selected bitmap, clipped to it.
// Text goes through the installed TextEngine, without antialiasing, so only the letters' pixels change.
class DeviceContext {
public:
    explicit DeviceContext(Bitmap* target = nullptr) : target_(target) {}

    Bitmap* SelectedBitmap() const { return target_; }
    void SelectBitmap(Bitmap* target) { target_ = target; }

    TColor GetPixel(int x, int y) const;  // 0xFFFFFFFF outside the raster
    void SetPixel(int x, int y, TColor color);

    // Font: a face name (resolved by the text engine; missing faces fall back) and a pixel height.
    void SetFont(const std::string& faceName, int pixelHeight, bool bold = false, bool italic = false,
                 bool underline = false, bool strikeOut = false);
    const std::string& FontName() const { return font_.faceName; }
    int FontHeight() const { return font_.pixelHeight; }
    TColor SetTextColor(TColor color);
    TColor TextColor() const { return textColor_; }
    TColor SetBkColor(TColor color);
    TColor BkColor() const { return bkColor_; }
    int SetBkMode(int mode);  // returns the previous mode; a fresh context is OPAQUE
    int GetBkMode() const { return bkMode_; }
    int SetStretchBltMode(int mode);
    int GetStretchBltMode() const { return stretchMode_; }
    TColor BrushColor() const { return brushColor_; }
    void SetBrushColor(TColor color) { brushColor_ = color; }

    // Text output with the top-left corner of the first character cell at (x, y). In OPAQUE mode
    // the character cells are filled with the background colour first.
    void ExtTextOut(int x, int y, const std::string& utf8Text);
    // The same output in two halves, for a caller that keeps what it will change first: the glyphs'
    // coverage on the selected raster (its area holds every pixel the glyphs write), then the
    // writing of the covered pixels in the text colour. No background is filled.
    TextMask RenderText(int x, int y, const std::string& utf8Text) const;
    void WriteText(const TextMask& mask);
    TextSize GetTextExtent(const std::string& utf8Text) const;

    void FillRect(const TRect& rect, TColor color);
    // Nearest-neighbour stretch of `src` (its srcRect) into destRect. A monochrome source draws
    // its black pixels in the text colour and its white pixels in the background colour.
    void StretchBlt(const TRect& destRect, const Bitmap& src, const TRect& srcRect);

private:
    Bitmap* target_;
    TextFont font_;
    TColor textColor_ = 0x000000;
    TColor bkColor_ = 0xFFFFFF;
    TColor brushColor_ = 0xFFFFFF;
    int bkMode_ = OPAQUE;
    int stretchMode_ = BLACKONWHITE;
};

// Screen facts of this stand-in.
constexpr int ScreenBitsPerPixel = 24;
constexpr int ScreenPlanes = 1;
constexpr int ScreenDpi = 96;

}  // namespace platform
