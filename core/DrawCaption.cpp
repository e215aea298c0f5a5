#include "core/DrawCaption.h"

#include "core/TBitmap.h"

void DrawCaption(TBitmap& picture, const std::string& text, int x, int y, TColor fontColor,
                 const std::string& fontName, int fontSize) {
    TCanvas& surface = picture.Surface();
    TFont& font = surface.Font();
    font.SetColor(fontColor);
    font.SetName(fontName);
    font.SetSize(fontSize);

    // The surface's text output keeps the context as readied here, so the transparent mode holds.
    const int previousMode = surface.Handle().SetBkMode(platform::TRANSPARENT);
    surface.TextOut(x, y, text);
    surface.Handle().SetBkMode(previousMode);
}
