#pragma once
#include <string>

#include "core/TColor.h"

class TBitmap;

// Writes one line of text onto the picture with its first character cell's top-left corner at
// (x, y), in the given colour, face and size (points), over a transparent background: only the
// letters' pixels change. The surface's background mode is restored afterwards.
void DrawCaption(TBitmap& picture, const std::string& text, int x, int y, TColor fontColor,
                 const std::string& fontName, int fontSize);
