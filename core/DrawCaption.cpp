#include "core/DrawCaption.h"

#include "core/TBitmap.h"

PreparedCaption::PreparedCaption(TBitmap& picture, const std::string& text, int x, int y, TColor fontColor,
                                 const std::string& fontName, int fontSize)
    : picture_(picture), text_(text), x_(x), y_(y) {
    TFont& font = picture.Surface().Font();
    font.SetColor(fontColor);
    font.SetName(fontName);
    font.SetSize(fontSize);
    mask_ = picture.Surface().Context().RenderText(x, y, text);
}

// The about-to-change step runs first, even for a text that misses the picture, as any drawing's
// does; it may give the picture a raster of its own, which the context then selects.
void PreparedCaption::Draw() {
    TCanvas& surface = picture_.Surface();
    surface.Changing();
    platform::DeviceContext& context = surface.Context();
    context.WriteText(mask_);
    surface.PenPos = TPoint{x_ + context.GetTextExtent(text_).cx, y_};
    surface.Changed();
}

void DrawCaption(TBitmap& picture, const std::string& text, int x, int y, TColor fontColor,
                 const std::string& fontName, int fontSize) {
    PreparedCaption(picture, text, x, y, fontColor, fontName, fontSize).Draw();
}
