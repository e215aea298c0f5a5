#include "core/TCanvas.h"

#include "core/Errors.h"
#include "core/TGraphic.h"

TCanvas::TCanvas() {
    font_.OnChange = [this] { fontValid_ = false; };
    brush_.OnChange = [this] { brushValid_ = false; };
}

// A new context starts from the platform's defaults (opaque background); the font and brush are
// applied on the next readying.
void TCanvas::RequireHandle() {
    if (handleValid_) return;
    context_ = platform::DeviceContext();
    fontValid_ = brushValid_ = false;
    if (!CreateHandle(context_)) throw EInvalidOperation(ErrorText::NoCanvasHandle);
    handleValid_ = true;
}

// Only what changed is re-applied, so a background mode set on the handed-out context survives.
void TCanvas::ReadyContext() {
    RequireHandle();
    if (!fontValid_) {
        const auto style = font_.Style();
        context_.SetFont(font_.Name(), font_.Height(), style & fsBold, style & fsItalic, style & fsUnderline,
                         style & fsStrikeOut);
        context_.SetTextColor(platform::ColorToRGB(font_.Color()));
        fontValid_ = true;
    }
    if (!brushValid_) {
        const TColor brush = platform::ColorToRGB(brush_.Color());
        context_.SetBrushColor(brush);
        context_.SetBkColor(brush);
        brushValid_ = true;
    }
}

TColor TCanvas::ReadPixel(int x, int y) {
    RequireHandle();
    return context_.GetPixel(x, y);
}

void TCanvas::WritePixel(int x, int y, TColor color) {
    Changing();
    RequireHandle();
    context_.SetPixel(x, y, platform::ColorToRGB(color));
    Changed();
}

void TCanvas::DrawAt(int x, int y, TGraphic* graphic) {
    if (!graphic || graphic->IsEmpty()) return;
    StretchDraw(TRect{x, y, x + graphic->Width(), y + graphic->Height()}, graphic);
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic* graphic) {
    if (!graphic || graphic->IsEmpty()) return;
    Changing();
    ReadyContext();
    context_.SetBkColor(platform::ColorToRGB(brush_.Color()));
    context_.SetTextColor(platform::ColorToRGB(font_.Color()));
    graphic->DrawInRect(*this, rect);
    Changed();
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    Changing();
    ReadyContext();
    context_.ExtTextOut(x, y, text);
    PenPos = TPoint{x + context_.GetTextExtent(text).cx, y};
    Changed();
}

platform::TextSize TCanvas::TextExtent(const std::string& text) {
    ReadyContext();
    return context_.GetTextExtent(text);
}

void TCanvas::FillRect(const TRect& rect) {
    Changing();
    ReadyContext();
    context_.FillRect(rect, platform::ColorToRGB(brush_.Color()));
    Changed();
}

platform::DeviceContext& TCanvas::Handle() {
    Changing();
    ReadyContext();
    return context_;
}

platform::DeviceContext& TCanvas::Context() {
    ReadyContext();
    return context_;
}

void TCanvas::Changing() {
    if (OnChanging) OnChanging();
}

void TCanvas::Changed() {
    if (OnChange) OnChange();
}

bool TRasterCanvas::CreateHandle(platform::DeviceContext& context) {
    context.SelectBitmap(&target_);
    return true;
}
