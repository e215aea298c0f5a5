#pragma once
#include <algorithm>
#include <string>

#include "core/TColor.h"
#include "platform/TextEngine.h"

class TBitmap;

// One line of text on a picture with its first character cell's top-left corner at (x, y), in the
// given colour, face and size (points), over a transparent background: only the letters' pixels
// change. Made in two halves: the glyphs are rendered first, so a caller can keep the rows they
// will write before Draw writes them.
class PreparedCaption {
public:
    PreparedCaption(TBitmap& picture, const std::string& text, int x, int y, TColor fontColor,
                    const std::string& fontName, int fontSize);

    // The picture's rows Draw writes, [Top, Bottom): every covered pixel lies in them (empty when
    // the text misses the picture).
    int Top() const { return mask_.area.Top; }
    int Bottom() const { return mask_.area.Top + std::max(mask_.area.Height(), 0); }
    void Draw();

private:
    TBitmap& picture_;
    std::string text_;
    int x_, y_;
    platform::TextMask mask_;
};

// Both halves at once, as brelvik-cli and the window's edits without a history make a caption.
void DrawCaption(TBitmap& picture, const std::string& text, int x, int y, TColor fontColor,
                 const std::string& fontName, int fontSize);
